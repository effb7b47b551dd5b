#include "profiles/StoredIndexes.h"

#include "adapter/Oids.h"

namespace corvane {
namespace {

constexpr std::array<const char*, 2> kOpenChoices = {QT_TRANSLATE_NOOP("StoredIndexes", "NONE"),
                                                     "WEP"};
constexpr std::array<const char*, 1> kSharedChoices = {"WEP"};
constexpr std::array<const char*, 2> kWpaChoices = {"TKIP", "AES"};
constexpr std::array<const char*, 1> kWpaTkipOnly = {"TKIP"};

// "Auto" is translated where the lists are shown.
constexpr std::array<const char*, 13> kRatesMixed = {QT_TRANSLATE_NOOP("StoredIndexes", "Auto"),
                                                     "1 Mbps",
                                                     "2 Mbps",
                                                     "5.5 Mbps",
                                                     "11 Mbps",
                                                     "6 Mbps",
                                                     "9 Mbps",
                                                     "12 Mbps",
                                                     "18 Mbps",
                                                     "24 Mbps",
                                                     "36 Mbps",
                                                     "48 Mbps",
                                                     "54 Mbps"};
constexpr std::array<const char*, 9> kRatesOfdm = {QT_TRANSLATE_NOOP("StoredIndexes", "Auto"),
                                                   "6 Mbps",
                                                   "9 Mbps",
                                                   "12 Mbps",
                                                   "18 Mbps",
                                                   "24 Mbps",
                                                   "36 Mbps",
                                                   "48 Mbps",
                                                   "54 Mbps"};

// Wireless mode codes per list entry: {Kestrel and Merlin, Osprey}.
struct ModeCodes {
    int32_t older;
    int32_t osprey;
};
constexpr std::array<ModeCodes, 3> kModeCodes = {{
    {kWirelessMode11BG, kWirelessMode11BGN},    // "2.4G"
    {kWirelessMode11A, kWirelessMode11AN},      // "5G"
    {kWirelessMode11ABG, kWirelessMode11ABGN},  // "2.4+5G"
}};

// What a code means to the advanced page: the entry that shows it (code 11
// only while the page is set up; else the first entry), its rate list, and
// whether Apply stores it with BG protection off. Codes not in the table
// show the first entry and have no rates.
enum class RateList { None, Mixed, Ofdm };
struct ModeRow {
    int32_t code;
    int entry;
    bool entryOnlyAtSetUp;
    RateList rates;
    bool applyTurnsOffBgProtection;
};
constexpr ModeRow kModes[] = {
    {kWirelessMode11BG, kWirelessModeEntry24, false, RateList::Mixed, false},
    {kWirelessMode11B, kWirelessModeEntry24, false, RateList::None, true},
    {kWirelessMode11A, kWirelessModeEntry5, false, RateList::Ofdm, true},
    {kWirelessMode11ABG, kWirelessModeEntryBoth, false, RateList::Mixed, false},
    {kWirelessMode11G, kWirelessModeEntry24, false, RateList::Ofdm, false},
    {kWirelessMode11ABGN, kWirelessModeEntryBoth, false, RateList::Mixed, false},
    {kWirelessMode11AN, kWirelessModeEntry5, false, RateList::Mixed, false},
    {kWirelessMode11BGN, kWirelessModeEntry24, false, RateList::Mixed, false},
    {kWirelessMode11N5G, kWirelessModeEntryBoth, true, RateList::None, false},
};

const ModeRow* FindMode(int32_t code) {
    for (const ModeRow& row : kModes)
        if (row.code == code) return &row;
    return nullptr;
}

}  // namespace

std::span<const char* const> EncryptionTexts(int32_t auth, int32_t capability,
                                             SecurityListOwner owner) {
    switch (auth) {
        case kAuthShared:
            return kSharedChoices;
        case kAuthWpaPsk:
        case kAuthWpa2Psk:
            if (capability == kCipherCapabilityTkip) return kWpaTkipOnly;
            if (capability == kCipherCapabilityTkipAes || owner == SecurityListOwner::KeyDialog)
                return kWpaChoices;
            return {};
        case kAuthOpen:
        default:
            return kOpenChoices;
    }
}

std::string_view AuthenticationText(int32_t auth) {
    return auth >= 0 && auth < int32_t(kAuthenticationTexts.size())
               ? kAuthenticationTexts[size_t(auth)]
               : "";
}

std::string_view EncryptionText(int32_t auth, int32_t enc) {
    if (auth < 0 || auth >= int32_t(kAuthenticationTexts.size())) return "";
    auto texts = EncryptionTexts(auth, kCipherCapabilityTkipAes);
    return enc >= 0 && size_t(enc) < texts.size() ? texts[size_t(enc)] : "";
}

int32_t NdisAuthModeFor(int32_t auth, int32_t networkType) {
    if (!IsPskInUse(auth))
        return auth == kAuthShared ? Ndis802_11AuthModeShared : Ndis802_11AuthModeOpen;
    if (networkType != kNetworkInfrastructure) return Ndis802_11AuthModeWPANone;
    if (auth == kAuthWpaPsk) return Ndis802_11AuthModeWPAPSK;
    if (auth == kAuthWpa2Psk) return Ndis802_11AuthModeWPA2PSK;
    return Ndis802_11AuthModeOpen;
}

int32_t NdisEncryptionFor(int32_t auth, int32_t enc) {
    if (IsPskInUse(auth))
        return enc == kEncTkip ? Ndis802_11Encryption2Enabled : Ndis802_11Encryption3Enabled;
    return IsWepInUse(auth, enc) ? Ndis802_11WEPEnabled : Ndis802_11WEPDisabled;
}

std::optional<int32_t> WirelessModeCode(int entry, AdapterKind kind) {
    if (entry < 0 || entry >= int(kModeCodes.size())) return std::nullopt;
    if (kind == AdapterKind::Osprey) return kModeCodes[size_t(entry)].osprey;
    if (kind == AdapterKind::Kestrel || kind == AdapterKind::Merlin)
        return kModeCodes[size_t(entry)].older;
    return std::nullopt;
}

int WirelessModeEntry(int32_t code, bool setUp) {
    const ModeRow* row = FindMode(code);
    if (!row || (row->entryOnlyAtSetUp && !setUp)) return kWirelessModeEntry24;
    return row->entry;
}

int32_t DefaultWirelessMode(AdapterKind kind, bool nSupport, bool aSupport) {
    if (!nSupport && !aSupport) return kWirelessMode11ABGN;
    const int entry = !aSupport  ? kWirelessModeEntry24
                      : nSupport ? kWirelessModeEntryBoth
                                 : kWirelessModeEntry5;
    return WirelessModeCode(entry, kind).value_or(kWirelessMode11ABGN);
}

std::span<const char* const> TxRateTexts(int32_t code) {
    const ModeRow* row = FindMode(code);
    if (!row || row->rates == RateList::None) return {};
    if (row->rates == RateList::Ofdm) return kRatesOfdm;
    return kRatesMixed;
}

bool IsOfdmOnlyMode(int32_t code) {
    const ModeRow* row = FindMode(code);
    return row && row->rates == RateList::Ofdm;
}

bool ApplyTurnsOffBgProtection(int32_t code) {
    const ModeRow* row = FindMode(code);
    return row && row->applyTurnsOffBgProtection;
}

}  // namespace corvane

#include "profiles/StoredIndexes.h"

#include "adapter/Oids.h"

namespace corvane {
namespace {

constexpr std::array<const char*, 2> kOpenChoices = {"NONE", "WEP"};
constexpr std::array<const char*, 1> kSharedChoices = {"WEP"};
constexpr std::array<const char*, 2> kWpaChoices = {"TKIP", "AES"};
constexpr std::array<const char*, 1> kWpaTkipOnly = {"TKIP"};

constexpr std::array<const char*, 13> kRatesMixed = {
    "Auto",   "1 Mbps",  "2 Mbps",  "5.5 Mbps", "11 Mbps", "6 Mbps", "9 Mbps",
    "12 Mbps", "18 Mbps", "24 Mbps", "36 Mbps", "48 Mbps", "54 Mbps"};
constexpr std::array<const char*, 9> kRatesOfdm = {"Auto",    "6 Mbps",  "9 Mbps",
                                                   "12 Mbps", "18 Mbps", "24 Mbps",
                                                   "36 Mbps", "48 Mbps", "54 Mbps"};

// Wireless mode codes per list entry: {older kinds 3 and 4, Osprey}.
struct ModeCodes {
    int32_t older;
    int32_t osprey;
};
constexpr std::array<ModeCodes, 3> kModeCodes = {{{0, 9}, {2, 8}, {3, 5}}};

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
    return auth >= 0 && auth < int32_t(kAuthenticationTexts.size()) ? kAuthenticationTexts[size_t(auth)]
                                                                     : "";
}

std::string_view EncryptionText(int32_t auth, int32_t enc) {
    if (auth < 0 || auth >= int32_t(kAuthenticationTexts.size())) return "";
    auto texts = EncryptionTexts(auth, kCipherCapabilityTkipAes);
    return enc >= 0 && size_t(enc) < texts.size() ? texts[size_t(enc)] : "";
}

int32_t NdisAuthModeFor(int32_t auth, int32_t networkType) {
    if (!IsPskInUse(auth)) return auth == kAuthShared ? Ndis802_11AuthModeShared : Ndis802_11AuthModeOpen;
    if (networkType != kNetworkInfrastructure) return Ndis802_11AuthModeWPANone;
    if (auth == kAuthWpaPsk) return Ndis802_11AuthModeWPAPSK;
    if (auth == kAuthWpa2Psk) return Ndis802_11AuthModeWPA2PSK;
    return Ndis802_11AuthModeOpen;
}

int32_t NdisEncryptionFor(int32_t auth, int32_t enc) {
    if (IsPskInUse(auth)) return enc == kEncTkip ? Ndis802_11Encryption2Enabled : Ndis802_11Encryption3Enabled;
    return IsWepInUse(auth, enc) ? Ndis802_11WEPEnabled : Ndis802_11WEPDisabled;
}

std::optional<int32_t> WirelessModeCode(int entry, uint32_t adapterKind) {
    if (entry < 0 || entry >= int(kModeCodes.size())) return std::nullopt;
    if (adapterKind == kAdapterOsprey) return kModeCodes[size_t(entry)].osprey;
    if (adapterKind == kAdapterKestrel || adapterKind == kAdapterMerlin) return kModeCodes[size_t(entry)].older;
    return std::nullopt;
}

int WirelessModeEntry(int32_t code, bool setUp) {
    if (code == 3 || code == 5 || (setUp && code == 11)) return kWirelessModeEntryBoth;
    if (code == 2 || code == 8) return kWirelessModeEntry5;
    return kWirelessModeEntry24;
}

std::span<const char* const> TxRateTexts(int32_t code) {
    switch (code) {
        case 0:
        case 3:
        case 5:
        case 8:
        case 9:
            return kRatesMixed;
        case 2:
        case 4:
            return kRatesOfdm;
        default:
            return {};
    }
}

bool IsOfdmOnlyMode(int32_t code) { return code == 2 || code == 4; }

}  // namespace corvane

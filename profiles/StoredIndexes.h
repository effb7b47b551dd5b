// What the numbers stored in the preference files stand for. Every reader
// and writer of "Authentication Type", "Encryption Type", "Network Type",
// "WEPKeyn Type", "Wireless Mode" and "Tx Rate" goes through this one table:
// the connect engine, the key dialog, the profile editor, the advanced page,
// the agent and the command-line tool.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "adapter/AdapterKind.h"
#include "platform/Translate.h"

namespace corvane {

// --- security selection ----------------------------------------------------

// "Authentication Type".
inline constexpr int32_t kAuthOpen = 0;
inline constexpr int32_t kAuthShared = 1;
inline constexpr int32_t kAuthWpaPsk = 2;
inline constexpr int32_t kAuthWpa2Psk = 3;
// The lists' words stay English here (the command reads and prints them);
// the window translates them in the "StoredIndexes" context.
inline constexpr std::array<const char*, 4> kAuthenticationTexts = {
    QT_TRANSLATE_NOOP("StoredIndexes", "Open"), QT_TRANSLATE_NOOP("StoredIndexes", "Shared"),
    "WPA-PSK", "WPA2-PSK"};

// "Encryption Type", an index into the choices of the authentication:
// Open: 0 NONE, 1 WEP; Shared: 0 WEP; WPA-PSK, WPA2-PSK: 0 TKIP, 1 AES.
inline constexpr int32_t kEncOpenNone = 0;
inline constexpr int32_t kEncOpenWep = 1;
inline constexpr int32_t kEncSharedWep = 0;
inline constexpr int32_t kEncTkip = 0;
inline constexpr int32_t kEncAes = 1;

// The cipher capability offered in the WPA encryption lists: 6 TKIP and AES,
// 4 TKIP only.
inline constexpr int32_t kCipherCapabilityTkipAes = 6;
inline constexpr int32_t kCipherCapabilityTkip = 4;

// Which key-entry variant builds a list: the key dialog and the profile
// editor differ only for capabilities other than 4 and 6.
enum class SecurityListOwner { KeyDialog, ProfileEditor };

// The encryption texts offered for an authentication index. An index outside
// 0..3 gives the Open list (the caller logs it).
std::span<const char* const> EncryptionTexts(
    int32_t auth, int32_t capability, SecurityListOwner owner = SecurityListOwner::KeyDialog);
// The text of a stored pair, e.g. "WPA2-PSK" / "AES"; empty for an index the
// table does not have.
std::string_view AuthenticationText(int32_t auth);
std::string_view EncryptionText(int32_t auth, int32_t enc);

// WEP keys are in use for Shared, and for Open with encryption WEP.
constexpr bool IsWepInUse(int32_t auth, int32_t enc) {
    return auth == kAuthShared || (auth == kAuthOpen && enc == kEncOpenWep);
}
// A pre-shared key is in use from WPA-PSK on.
constexpr bool IsPskInUse(int32_t auth) { return auth >= kAuthWpaPsk; }

// NDIS authentication mode and encryption status a stored pair is applied
// with. `networkType` matters for the pre-shared key kinds: anything but an
// infrastructure network uses WPA-NONE.
int32_t NdisAuthModeFor(int32_t auth, int32_t networkType);
int32_t NdisEncryptionFor(int32_t auth, int32_t enc);

// "Network Type": the NDIS infrastructure mode.
inline constexpr int32_t kNetworkAdhoc = 0;
inline constexpr int32_t kNetworkInfrastructure = 1;
inline constexpr std::array<const char*, 2> kNetworkTypeTexts = {
    QT_TRANSLATE_NOOP("StoredIndexes", "Ad Hoc"),
    QT_TRANSLATE_NOOP("StoredIndexes", "Infrastructure")};

// "WEPKeyn Type".
inline constexpr int32_t kKeyTypeHex = 0;
inline constexpr int32_t kKeyTypeAscii = 1;
inline constexpr std::array<const char*, 2> kKeyTypeTexts = {
    QT_TRANSLATE_NOOP("StoredIndexes", "Hexadecimal"), "ASCII"};

inline constexpr size_t kMaxWepKeyBytes = 13;  // 104-bit WEP
// A pre-shared key text: 8..63 characters of passphrase, or exactly 64
// hexadecimal digits that are the key itself.
inline constexpr size_t kMinPassphraseLength = 8;
inline constexpr size_t kPskHexLength = 64;

// --- wireless modes --------------------------------------------------------

// "Wireless Mode" codes: the 802.11 generations and bands the adapter runs.
inline constexpr int32_t kWirelessMode11BG = 0;  // 2.4 GHz
inline constexpr int32_t kWirelessMode11B = 1;
inline constexpr int32_t kWirelessMode11A = 2;  // 5 GHz
inline constexpr int32_t kWirelessMode11ABG = 3;
inline constexpr int32_t kWirelessMode11G = 4;
inline constexpr int32_t kWirelessMode11ABGN = 5;  // both bands
inline constexpr int32_t kWirelessMode11AN = 8;
inline constexpr int32_t kWirelessMode11BGN = 9;
inline constexpr int32_t kWirelessMode11N5G = 11;

// "Wireless Mode" entries, in list order.
inline constexpr std::array<const char*, 3> kWirelessModeTexts = {"2.4G", "5G", "2.4+5G"};
inline constexpr int kWirelessModeEntry24 = 0;
inline constexpr int kWirelessModeEntry5 = 1;
inline constexpr int kWirelessModeEntryBoth = 2;

// The stored code for a list entry on an adapter kind: the Osprey kind has
// codes with 802.11n, the Kestrel and Merlin kinds older ones; nullopt for
// the other kinds (the code is left as it is).
std::optional<int32_t> WirelessModeCode(int entry, AdapterKind kind);
// The list entry a stored code shows. `setUp` accepts code 11 for the
// dual-band entry, as the page does when it is set up (not on Cancel).
int WirelessModeEntry(int32_t code, bool setUp);
// The code the agent stores when the file has none: the entry for the bands
// the adapter has (802.11n alone counts as 2.4 GHz), 11ABGN for neither and
// for kinds without codes of their own.
int32_t DefaultWirelessMode(AdapterKind kind, bool nSupport, bool aSupport);

// "Tx Rate" texts for a wireless mode code; empty for codes with no list.
std::span<const char* const> TxRateTexts(int32_t wirelessModeCode);
// Codes whose rate list is OFDM-only (11A, 11G): BG protection is forced off
// and rate indexes above 8 fall back to "Auto".
bool IsOfdmOnlyMode(int32_t wirelessModeCode);
// Codes that Apply stores with BG protection off (11B, 11A).
bool ApplyTurnsOffBgProtection(int32_t wirelessModeCode);

}  // namespace corvane

// What a reader of another program's Wi-Fi settings makes of each network it
// finds: a profile dictionary as the profile editor would have stored it, or
// the reason the network is left out. The readers (wpa_supplicant
// configuration, NetworkManager keyfile, our own property list) only
// translate; the rules every imported profile must pass are in
// ProfileImport.h.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "profiles/PreferenceFiles.h"

namespace corvane {

struct ImportEntry {
    std::string origin;  // where in the file, for a person: "network block at line 12"
    std::string ssid;    // the network's name as read (may be empty)
    std::optional<PrefDictionary> profile;  // none: skipped
    std::string skipped;                    // why, when skipped
};

struct ImportFile {
    std::vector<ImportEntry> entries;
    // Set when the file as a whole cannot be read as its format: nothing
    // of it is imported.
    std::string problem;
};

// A network as the readers of other programs' files understand it, before
// it becomes a profile (MakeImportEntry).
struct WirelessSettings {
    std::string name;   // empty: the next "PROF" name when stored
    std::string ssid;   // bytes
    std::string bssid;  // "AA:BB:CC:DD:EE:FF" as written, or empty
    bool hidden = false;
    bool adhoc = false;
    std::optional<long> frequencyMhz;  // ad hoc: the channel as a frequency
    std::optional<long> channel;       // ad hoc: the channel as a number
    bool band5GHz = false;             // ad hoc: the 5 GHz band was asked for

    enum class Security { kOpen, kWep, kWpaPsk } security = Security::kOpen;
    bool sharedKeyAuthentication = false;  // WEP: shared key rather than open system
    bool wpa2 = true;                      // WPA-PSK: RSN (WPA2) rather than WPA
    bool aes = true;                       // WPA-PSK: CCMP rather than TKIP
    std::array<std::string, 4> wepKey;
    std::array<int32_t, 4> wepKeyType = {};  // 0 hexadecimal, 1 ASCII
    long wepKeyIndex = 0;
    std::string psk;  // passphrase or 64 hexadecimal digits
};

// The profile for the settings, or the reason an ad hoc network cannot be
// one (5 GHz, a channel outside 1..14, shared key or WPA security: the
// editor offers an ad hoc network open authentication only). The keys are
// not judged here.
ImportEntry MakeImportEntry(const WirelessSettings& settings, std::string origin);

// A skipped entry.
ImportEntry SkippedEntry(std::string origin, std::string ssid, std::string reason);

// A WEP key's type as the text shows it: 10 or 26 hexadecimal digits are
// hexadecimal, anything else ASCII.
int32_t GuessWepKeyType(std::string_view key);

// A new profile as the editor's Add stores it: infrastructure, channel 1,
// open, no keys, full transmit power, thresholds 2347 and 2346, no power
// save, no BSSID, not hidden; name and SSID empty.
PrefDictionary NewImportedProfile();

// "%02X..." of a BSSID written "aa:bb:cc:dd:ee:ff" (or with '-'); empty when
// the text is no MAC address.
std::string BssidFromMacText(std::string_view text);

// The 2.4 GHz channel of a centre frequency in MHz (2412 → 1, ... 2484 →
// 14); none for any other frequency.
std::optional<int> ChannelOf24GHzFrequency(long megahertz);

}  // namespace corvane

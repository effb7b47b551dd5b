// The one wpa_supplicant network the station settings (StationSettings.h)
// amount to when the system asks to join: the variables of one network
// block, set with SET_NETWORK in the order given.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "driver/StationSettings.h"
#include "driver/nl80211/Stack.h"

namespace corvane::nl80211 {

using driver::StationSettings;

// What the last request names: the SSID (from the SSID request, or found
// for the BSSID in the scan results) and the BSSID when the request was by
// BSSID; and the frequencies the scan results place it on.
struct NetworkTarget {
    std::string ssid;  // raw bytes, at most 32
    std::optional<MacAddress> bssid;
    std::vector<uint32_t> frequenciesMhz;
};

struct CommittedNetwork {
    // SET_NETWORK name value pairs, in order.
    std::vector<std::pair<std::string, std::string>> variables;
    // Non-empty when the settings cannot be one network; nothing is then
    // committed and the adapter stays unassociated.
    std::string refusal;
};

// The id_str that marks the networks this driver adds, so that it replaces
// its own and leaves the others alone.
inline constexpr const char* kNetworkTag = "corvane";

// Open: key_mgmt NONE. WEP: key_mgmt NONE with the key records' WEP keys
// (5, 13 or 16 bytes; a slot with a key of another length counts as empty)
// as wep_key0..3 in hex, their transmit index and auth_alg OPEN or SHARED.
// WPA-PSK / WPA2-PSK: proto WPA / RSN, the 32-byte key as psk in hex, the
// pairwise cipher TKIP or CCMP from the encryption status. Ad hoc: mode 1 on
// the configured frequency (open or WEP only). Every SSID goes in hex, so
// any bytes pass; an infrastructure network is probed for by name
// (scan_ssid), so a hidden one is found too, and only on the frequencies the
// scan results place it on (scan_freq), so that joining it takes one short
// scan rather than one of every band.
CommittedNetwork NetworkFor(const StationSettings& settings, const NetworkTarget& target);

// Lower-case hex digits of `bytes`.
std::string HexText(const uint8_t* bytes, size_t size);

}  // namespace corvane::nl80211

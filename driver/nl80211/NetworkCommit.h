// The station settings that the system's set requests leave behind, and the
// one wpa_supplicant network they amount to when the system asks to join.
//
// The system applies a connection as a series of set requests
// (infrastructure mode, authentication, encryption, keys, configuration)
// and ends it with the SSID or the BSSID. The settings accumulate here as
// they arrive; that last request turns them into the variables of one
// network block, set with SET_NETWORK in the order given.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "driver/nl80211/Stack.h"

namespace corvane::nl80211 {

struct StationSettings {
    uint32_t infrastructureMode = 1;              // 0 ad hoc, 1 infrastructure, 2 automatic
    uint32_t authMode = 0;                        // NDIS authentication mode
    uint32_t encryption = 1;                      // NDIS encryption status
    std::array<std::vector<uint8_t>, 4> wepKeys;  // empty: no key in that slot
    int transmitKey = -1;                         // the slot marked for transmission
    std::optional<std::array<uint8_t, 32>> psk;   // the pre-shared key record's key
    uint32_t frequencyKhz = 0;                    // the configuration's DSConfig
};

// What the last request names: the SSID (from the SSID request, or found
// for the BSSID in the scan results) and the BSSID when the request was by
// BSSID; and the frequencies the scan results place it on.
struct NetworkTarget {
    std::string ssid;  // raw bytes, at most 32
    std::optional<Mac> bssid;
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

// Open: key_mgmt NONE. WEP: key_mgmt NONE with the key records' keys
// (wep_key0..3 in hex), their transmit index and auth_alg OPEN or SHARED.
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

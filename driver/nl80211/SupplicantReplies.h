// Readers of wpa_supplicant's control replies.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "driver/nl80211/Stack.h"

namespace corvane::nl80211 {

// The lines of STATUS that the driver uses.
struct SupplicantStatus {
    std::string state;  // wpa_state, e.g. "COMPLETED", "DISCONNECTED"
    std::optional<MacAddress> bssid;
    std::string ssid;  // raw bytes, unescaped
    uint32_t frequencyMhz = 0;
    bool Completed() const { return state == "COMPLETED"; }
};

SupplicantStatus ReadStatus(std::string_view reply);

// wpa_supplicant writes an SSID with \\, \", \e, \n, \r, \t and \xHH
// escapes; this gives back its bytes.
std::string UnescapeSsid(std::string_view text);

// The network ids of a LIST_NETWORKS reply (its first line is a header).
std::vector<int> NetworkIds(std::string_view reply);

// A reply that is one non-negative number (ADD_NETWORK).
std::optional<int> NetworkId(std::string_view reply);

}  // namespace corvane::nl80211

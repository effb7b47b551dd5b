// What the profile editor is prefilled with when a scanned network is added
// to the profiles: the scan's values, as NDIS numbers.
#pragma once

#include <cstdint>
#include <string>

#include "adapter/Records.h"

namespace corvane {

struct ProfilePrefill {
    std::string ssid;
    MacAddress bssid = {};
    int32_t encryptionStatus = 0;  // 0 WEP, 1 disabled, 4 TKIP, 6 AES
    int32_t authenticationMode =
        0;                    // 0 open, 1 shared, 2 automatic, 4 WPA-PSK, 5 WPA-NONE, 7 WPA2-PSK
    int32_t networkType = 0;  // infrastructure mode: 0 ad hoc, 1 infrastructure
    uint32_t channel = 0;
};

}  // namespace corvane

// The station settings that the system's set requests leave behind.
//
// The system applies a connection as a series of set requests
// (infrastructure mode, authentication, encryption, keys, configuration,
// thresholds, power) and ends it with the SSID or the BSSID request. The
// driver core keeps them here as they arrive; the backend reads them when
// that last request commits them, and for whatever its radio world needs.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "adapter/Oids.h"
#include "adapter/Records.h"

namespace corvane::driver {

struct StationSettings {
    uint32_t infrastructureMode = 1;  // 0 ad hoc, 1 infrastructure, 2 automatic
    uint32_t authMode = 0;            // NDIS authentication mode
    uint32_t encryption = 1;          // NDIS encryption status
    // Key material as sent (1 to kKeyMaterialMax bytes); empty: none.
    std::array<std::vector<uint8_t>, kWepSlotCount> wepKeys;
    int transmitKey = -1;                        // the slot marked for transmission
    std::optional<std::array<uint8_t, 32>> psk;  // the pre-shared key record's key
    uint32_t frequencyKhz = 0;  // the configuration's DSConfig; 0 before a configuration is set
    uint32_t powerMode = 0;     // NDIS power mode
    uint32_t txPowerPercent = 100;
    uint32_t rtsThreshold = kRtsThresholdMax;
    uint32_t fragThreshold = kFragThresholdMax;
    uint32_t preamble = 0;
};

}  // namespace corvane::driver

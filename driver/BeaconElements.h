// The numbers of a beacon that the drivers build scan-list entries from and
// read them with: tagged element ids and capability bits (IEEE 802.11).
#pragma once

#include <cstdint>

namespace corvane::driver {

inline constexpr uint8_t kElementSsid = 0;
inline constexpr uint8_t kElementRates = 1;
inline constexpr uint8_t kElementDsParameters = 3;
inline constexpr uint8_t kElementIbssParameters = 6;
inline constexpr uint8_t kElementRsn = 48;
inline constexpr uint8_t kElementExtendedRates = 50;
inline constexpr uint8_t kElementVendor = 221;

inline constexpr uint16_t kCapabilityEss = 0x0001;
inline constexpr uint16_t kCapabilityIbss = 0x0002;
inline constexpr uint16_t kCapabilityPrivacy = 0x0010;

}  // namespace corvane::driver

// The system's RTS and fragmentation thresholds and transmit power as the
// kernel's phy takes them, and what the system reads back for what the phy
// has.
//
// A threshold of 0 or the maximum (kRtsThresholdMax, kFragThresholdMax) means
// none: the kernel's "off". The kernel takes even fragmentation thresholds
// from 256 on. The transmit power in percent is that share of 100 mW as a
// limit in the nearest whole dBm (100: automatic): mac80211 refuses any
// other limit (25 % is 14 dBm, 50 % 17, 75 % 19, 12 % 11).
//
// Read back, a value answers as it was set while the phy still has what it
// became; once the phy has something else (set by another program, capped
// by the regulatory domain) the phy's own value answers, on the system's
// scale.
#pragma once

#include <cstdint>

#include "adapter/Oids.h"

namespace corvane::nl80211 {

inline constexpr uint32_t kThresholdOff = UINT32_MAX;

uint32_t KernelRtsThreshold(uint32_t requested);
uint32_t KernelFragThreshold(uint32_t requested);
// In mBm, a whole number of dBm; 0: automatic.
int32_t PowerLimitMbm(uint32_t percent);

uint32_t AnsweredRtsThreshold(uint32_t taken, uint32_t phy);
uint32_t AnsweredFragThreshold(uint32_t taken, uint32_t phy);
uint32_t AnsweredTxPower(uint32_t takenPercent, int32_t phyMbm);

}  // namespace corvane::nl80211

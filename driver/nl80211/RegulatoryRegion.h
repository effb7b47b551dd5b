// The country region the driver reports for the kernel's regulatory domain.
//
// The system knows eight 2.4 GHz channel plans by region number (see
// adapter/ChannelTable.h). The domain's rules decide which of the channels 1
// to 14 a station may start a network on: a channel counts when one rule
// without NO-IR (or the older no-IBSS flag) covers its whole 20 MHz. The
// region is the plan equal to those channels; when none is equal, the plan
// with the most channels that are all allowed (the lower number on a tie);
// when none fits at all, region 0. The code carries bit 7, which makes the
// system take it; the 5 GHz region bits stay 0. Worked out for the
// domains one meets: the world domain "00" and US, CA give channels 1-11
// (0x80), DE, FR, GB and the rest of ETSI 1-13 (0x81), JP 1-14 (0x85).
#pragma once

#include <cstdint>
#include <vector>

#include "driver/nl80211/Stack.h"

namespace corvane::nl80211 {

inline constexpr uint32_t kRegionTaken = 0x80;

std::vector<uint8_t> InitiatingChannels(const RegulatoryDomain& domain);
uint32_t CountryRegionCode(const RegulatoryDomain& domain);

}  // namespace corvane::nl80211

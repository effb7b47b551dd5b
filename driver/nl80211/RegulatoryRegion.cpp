#include "driver/nl80211/RegulatoryRegion.h"

#include <linux/nl80211.h>

#include <algorithm>

#include "adapter/ChannelTable.h"

namespace corvane::nl80211 {
namespace {

constexpr uint32_t kNotInitiating = NL80211_RRF_NO_IR | __NL80211_RRF_NO_IBSS;
constexpr uint32_t kRegionNumbers = 8;

uint32_t CentreKhz(uint32_t channel) {
    return channel == 14 ? 2484000 : (2407 + 5 * channel) * 1000;
}

bool Covers(const RegulatoryRule& r, uint32_t centreKhz) {
    return r.startKhz + 10000 <= centreKhz && centreKhz + 10000 <= r.endKhz &&
           (r.maxBandwidthKhz == 0 || r.maxBandwidthKhz >= 20000) && !(r.flags & kNotInitiating);
}

}  // namespace

std::vector<uint8_t> InitiatingChannels(const RegulatoryDomain& domain) {
    std::vector<uint8_t> channels;
    for (uint32_t c = 1; c <= 14; ++c)
        if (std::any_of(domain.rules.begin(), domain.rules.end(),
                        [&](const RegulatoryRule& r) { return Covers(r, CentreKhz(c)); }))
            channels.push_back(uint8_t(c));
    return channels;
}

uint32_t CountryRegionCode(const RegulatoryDomain& domain) {
    const std::vector<uint8_t> allowed = InitiatingChannels(domain);
    uint32_t best = 0;
    size_t bestSize = 0;
    for (uint32_t region = 0; region < kRegionNumbers; ++region) {
        const auto plan = ChannelPlanForRegion(region);
        if (std::equal(plan.begin(), plan.end(), allowed.begin(), allowed.end()))
            return kRegionTaken | region;
        const bool fits = std::includes(allowed.begin(), allowed.end(), plan.begin(), plan.end());
        if (fits && plan.size() > bestSize) {
            best = region;
            bestSize = plan.size();
        }
    }
    return kRegionTaken | best;
}

}  // namespace corvane::nl80211

// The country region reported for a regulatory domain.
#include <gtest/gtest.h>
#include <linux/nl80211.h>

#include "driver/nl80211/RegulatoryRegion.h"

namespace corvane::nl80211 {
namespace {

constexpr uint32_t kNoIr = NL80211_RRF_NO_IR;

RegulatoryDomain Domain(std::initializer_list<RegulatoryRule> rules) { return {"XX", rules}; }

TEST(RegulatoryRegion, ThePlanOfTheChannelsANetworkMayBeStartedOn) {
    const struct {
        const char* name;
        RegulatoryDomain domain;
        uint32_t code;
    } rows[] = {
        // The kernel's world domain: 12 to 14 only passive.
        {"00",
         Domain({{2402000, 2472000, 40000, 0},
                 {2457000, 2482000, 20000, kNoIr},
                 {2474000, 2494000, 20000, kNoIr | NL80211_RRF_NO_OFDM},
                 {5170000, 5250000, 80000, kNoIr}}),
         0x80},
        {"US", Domain({{2402000, 2472000, 40000, 0}, {5170000, 5250000, 80000, 0}}), 0x80},
        {"DE",
         Domain({{2400000, 2483500, 40000, 0}, {5150000, 5250000, 80000, NL80211_RRF_NO_OUTDOOR}}),
         0x81},
        {"JP",
         Domain({{2402000, 2482000, 40000, 0}, {2474000, 2494000, 20000, NL80211_RRF_NO_OFDM}}),
         0x85},
        {"channels 10 to 13", Domain({{2447000, 2482000, 40000, 0}}), 0x83},
        {"the old no-IBSS flag", Domain({{2402000, 2482000, 40000, __NL80211_RRF_NO_IBSS}}), 0x80},
        {"channels 1 to 12: the largest plan inside", Domain({{2402000, 2477000, 40000, 0}}), 0x80},
        {"3 to 10: the largest plan inside is 3 to 9", Domain({{2412000, 2467000, 40000, 0}}),
         0x86},
        {"a 10 MHz rule covers no channel", Domain({{2400000, 2500000, 10000, 0}}), 0x80},
        {"nothing allowed", Domain({}), 0x80},
    };
    for (const auto& row : rows) EXPECT_EQ(CountryRegionCode(row.domain), row.code) << row.name;
}

}  // namespace
}  // namespace corvane::nl80211

#include <gtest/gtest.h>

#include "adapter/ChannelPlan.h"
#include "adapter/LinkQuality.h"

namespace corvane {
namespace {

TEST(ChannelPlanTest, Lookups) {
    const std::pair<uint32_t, std::optional<uint32_t>> byFrequency[] = {
        {2412000, 1},           {2484000, 14},  {5170000, 34},           {5180000, 36},
        {5825000, 165},         {5865000, 173}, {2400000, std::nullopt}, {0, std::nullopt},
        {2437001, std::nullopt}};
    for (auto [khz, channel] : byFrequency) EXPECT_EQ(ChannelForFrequency(khz), channel) << khz;
    EXPECT_EQ(FrequencyForChannel(6), 2437000u);
    EXPECT_EQ(FrequencyForChannel(149), 5745000u);
    EXPECT_EQ(FrequencyForChannel(15), std::nullopt);
    EXPECT_EQ(FrequencyForChannel(0), std::nullopt);
}

TEST(LinkQualityTest, ScalesCapsAndSmooths) {
    struct Case {
        uint32_t previous, raw, shown;
    };
    const Case cases[] = {
        {0, 0, 10},   {0, 50, 70},  {0, 75, 100}, {0, 80, 100}, {0, 0xFFFFFFFF, 100},
        {70, 75, 85}, {70, 51, 71}, {10, 1, 11},  {50, 50, 60},
    };
    for (const Case& c : cases) {
        uint32_t previous = c.previous;
        EXPECT_EQ(SmoothLinkQuality(c.raw, previous), c.shown) << c.previous << " " << c.raw;
        EXPECT_EQ(previous, c.shown);
    }
}

}  // namespace
}  // namespace corvane

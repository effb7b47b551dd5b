#include "adapter/ChannelPlan.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "adapter/Globals.h"

namespace corvane {

uint32_t G_nChanFreqCount = kChanFreqRows;

uint32_t G_nCountryRegion = 0;
// Before the first region check: 1..14 and the 5 GHz channels, of which only
// the first 14 count.
uint8_t G_Channel_List[48] = {1,   2,   3,   4,   5,   6,   7,   8,   9,   10,  11,  12,  13,  14,
                              34,  36,  38,  40,  42,  44,  46,  48,  52,  56,  60,  64,  100, 104,
                              108, 112, 116, 120, 124, 128, 132, 136, 140, 149, 153, 157, 161};
uint32_t G_Channel_Numbers = 14;

std::optional<uint32_t> ChannelForFrequency(uint32_t frequencyKhz) {
    for (uint32_t i = 0; i < G_nChanFreqCount && i < kChanFreqRows; ++i)
        if (ChannelFreqTable[i].frequencyKhz == frequencyKhz) return ChannelFreqTable[i].channel;
    return std::nullopt;
}

std::optional<uint32_t> FrequencyForChannel(uint32_t channel) {
    for (uint32_t i = 0; i < G_nChanFreqCount && i < kChanFreqRows; ++i)
        if (ChannelFreqTable[i].channel == channel) return ChannelFreqTable[i].frequencyKhz;
    return std::nullopt;
}

void ApplyCountryRegion(bool answered, uint32_t code) {
    G_nCountryRegion = 0;
    if (answered && (code & kCountryRegionValidMask)) G_nCountryRegion = code;
    std::memset(G_Channel_List, 0, sizeof G_Channel_List);
    auto plan = ChannelPlanForRegion(G_nCountryRegion & 0x7F);
    std::memcpy(G_Channel_List, plan.data(), plan.size());
    G_Channel_Numbers = uint32_t(plan.size());
}

std::span<const uint8_t> CurrentChannelPlan() {
    return {G_Channel_List, std::min<size_t>(G_Channel_Numbers, sizeof G_Channel_List)};
}

}  // namespace corvane

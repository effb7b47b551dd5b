// Country regions, the 2.4 GHz channel plans they select, and the fixed
// channel/frequency table.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>

#include "adapter/ChannelTable.h"

namespace corvane {

// How many rows of ChannelFreqTable the lookups below use.
extern uint32_t G_nChanFreqCount;

// Region code bits that must be present for an answer to be taken.
inline constexpr uint32_t kCountryRegionValidMask = 0x1F90;

// First row of the table with this frequency / channel.
std::optional<uint32_t> ChannelForFrequency(uint32_t frequencyKhz);
std::optional<uint32_t> FrequencyForChannel(uint32_t channel);

// Sets G_nCountryRegion, G_Channel_List and G_Channel_Numbers from a driver
// answer (`answered` false when the query failed).
void ApplyCountryRegion(bool answered, uint32_t code);

// The channel numbers of the current plan: the first G_Channel_Numbers
// entries of G_Channel_List (at most all 48).
std::span<const uint8_t> CurrentChannelPlan();

}  // namespace corvane

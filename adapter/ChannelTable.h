// The fixed channel/frequency table that the system and the driver share:
// 46 rows {channel, centre frequency in kHz}, the 2.4 GHz channels 1..14,
// then the 5 GHz ones. A frequency names the channel of the first row that
// has it; the system stops reading a scan list at an entry whose frequency
// the table does not know. And the 2.4 GHz channel plans that the country
// region numbers select.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>

namespace corvane {

struct ChannelFreq {
    uint32_t channel;
    uint32_t frequencyKhz;
};

inline constexpr uint32_t kChanFreqRows = 46;
extern const std::array<ChannelFreq, kChanFreqRows> ChannelFreqTable;

// The channel of the first row of the whole table with this frequency.
std::optional<uint32_t> TableChannelForFrequency(uint32_t frequencyKhz);

// The 2.4 GHz plan for a region number (code AND 0x7F); plan 0 for a number
// past the last plan.
std::span<const uint8_t> ChannelPlanForRegion(uint32_t regionNumber);

}  // namespace corvane

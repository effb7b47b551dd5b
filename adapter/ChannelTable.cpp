#include "adapter/ChannelTable.h"

#include <iterator>

namespace corvane {
namespace {

// IEEE 802.11 channel rule: 2.4 GHz channels 1..13 at 2407 + 5c MHz,
// channel 14 at 2484 MHz, 5 GHz channels at 5000 + 5c MHz.
constexpr uint32_t CentreKhz(uint32_t c) {
    if (c == 14) return 2484000;
    if (c < 14) return (2407 + 5 * c) * 1000;
    return (5000 + 5 * c) * 1000;
}

constexpr std::array<uint32_t, kChanFreqRows> kTableChannels = {
    1,   2,   3,   4,   5,   6,   7,   8,   9,   10,  11,  12,  13,  14,  34,  36,
    38,  40,  42,  44,  46,  48,  52,  56,  60,  64,  100, 104, 108, 112, 116, 120,
    124, 128, 132, 136, 140, 149, 153, 157, 161, 165, 167, 169, 171, 173};

constexpr std::array<ChannelFreq, kChanFreqRows> BuildTable() {
    std::array<ChannelFreq, kChanFreqRows> t{};
    for (size_t i = 0; i < kChanFreqRows; ++i)
        t[i] = {kTableChannels[i], CentreKhz(kTableChannels[i])};
    return t;
}
constexpr auto kTable = BuildTable();
static_assert(kTable[0].frequencyKhz == 2412000);
static_assert(kTable[13].frequencyKhz == 2484000);
static_assert(kTable[14].frequencyKhz == 5170000);
static_assert(kTable[41].channel == 165 && kTable[41].frequencyKhz == 5825000);

// The 2.4 GHz plans by region number.
constexpr uint8_t Vela24Ghz_11BG_00[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
constexpr uint8_t Vela24Ghz_11BG_01[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13};
constexpr uint8_t Vela24Ghz_11BG_02[] = {10, 11};
constexpr uint8_t Vela24Ghz_11BG_03[] = {10, 11, 12, 13};
constexpr uint8_t Vela24Ghz_11BG_04[] = {14};
constexpr uint8_t Vela24Ghz_11BG_05[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14};
constexpr uint8_t Vela24Ghz_11BG_06[] = {3, 4, 5, 6, 7, 8, 9};
constexpr uint8_t Vela24Ghz_11BG_07[] = {5, 6, 7, 8, 9, 10, 11, 12, 13};

constexpr std::span<const uint8_t> kPlans[] = {
    Vela24Ghz_11BG_00, Vela24Ghz_11BG_01, Vela24Ghz_11BG_02, Vela24Ghz_11BG_03,
    Vela24Ghz_11BG_04, Vela24Ghz_11BG_05, Vela24Ghz_11BG_06, Vela24Ghz_11BG_07};

}  // namespace

const std::array<ChannelFreq, kChanFreqRows> ChannelFreqTable = kTable;

std::optional<uint32_t> TableChannelForFrequency(uint32_t frequencyKhz) {
    for (const ChannelFreq& row : ChannelFreqTable)
        if (row.frequencyKhz == frequencyKhz) return row.channel;
    return std::nullopt;
}

std::span<const uint8_t> ChannelPlanForRegion(uint32_t regionNumber) {
    return regionNumber < std::size(kPlans) ? kPlans[regionNumber] : kPlans[0];
}

}  // namespace corvane

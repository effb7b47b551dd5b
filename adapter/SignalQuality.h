// The system's RSSI scale: a signal in dBm as a quality in percent,
// fractions truncated toward zero. At -50 dBm and above 100; from -80 up,
// (rssi + 80) x 2.6 + 24 (-80 gives 24, -51 gives 99); from -90 up,
// (rssi + 90) x 2.6 (-90 gives 0, -81 gives 23); below, 0. The client shows
// scanned networks on it, and the driver measures its link quality on it.
#pragma once

#include <cstdint>

namespace corvane {

constexpr uint32_t SignalQualityPercent(int32_t rssi) {
    // The products of 2.6 in exact integers.
    if (rssi >= -50) return 100;
    if (rssi >= -80) return uint32_t((rssi + 80) * 26 / 10 + 24);
    if (rssi >= -90) return uint32_t((rssi + 90) * 26 / 10);
    return 0;
}

static_assert(SignalQualityPercent(-50) == 100 && SignalQualityPercent(-51) == 99);
static_assert(SignalQualityPercent(-80) == 24 && SignalQualityPercent(-81) == 23);
static_assert(SignalQualityPercent(-90) == 0 && SignalQualityPercent(-91) == 0);

}  // namespace corvane

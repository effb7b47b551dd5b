// The displayed signal quality: the driver's link quality scaled by 1.2 plus
// 10, capped at 100, averaged with the previous value shown (rounded half
// up). The link status page and the agent show the same figure.
#pragma once

#include <cstdint>

namespace corvane {

// `previous` is the last value shown (0: none yet); it is updated.
inline uint32_t SmoothLinkQuality(uint32_t raw, uint32_t& previous) {
    double scaled = double(raw) * 1.2 + 10.0;
    uint32_t q = scaled >= 100.0 ? 100 : uint32_t(scaled);
    if (previous != 0) q = uint32_t((double(previous) + double(q)) * 0.5 + 0.5);
    previous = q;
    return q;
}

}  // namespace corvane

#include "driver/nl80211/PhySettings.h"

#include <algorithm>
#include <cmath>

namespace corvane::nl80211 {
namespace {

constexpr uint32_t kFragThresholdMin = 256;
constexpr uint32_t kMaxPercent = 100;
constexpr int32_t kMbmPerDbm = 100;

uint32_t Answered(uint32_t taken, uint32_t kernelOfTaken, uint32_t phy, uint32_t max) {
    if (kernelOfTaken == phy) return taken;
    return phy == kThresholdOff ? max : phy;
}

}  // namespace

uint32_t KernelRtsThreshold(uint32_t v) {
    return v == 0 || v >= kRtsThresholdMax ? kThresholdOff : v;
}

uint32_t KernelFragThreshold(uint32_t v) {
    return v == 0 || v >= kFragThresholdMax ? kThresholdOff : std::max(v, kFragThresholdMin) & ~1u;
}

int32_t PowerLimitMbm(uint32_t percent) {
    if (percent >= kMaxPercent || percent == 0) return 0;
    return int32_t(std::lround(10.0 * std::log10(double(percent)))) * kMbmPerDbm;
}

uint32_t AnsweredRtsThreshold(uint32_t taken, uint32_t phy) {
    return Answered(taken, KernelRtsThreshold(taken), phy, kRtsThresholdMax);
}

uint32_t AnsweredFragThreshold(uint32_t taken, uint32_t phy) {
    return Answered(taken, KernelFragThreshold(taken), phy, kFragThresholdMax);
}

uint32_t AnsweredTxPower(uint32_t takenPercent, int32_t phyMbm) {
    const int32_t limit = PowerLimitMbm(takenPercent);
    if (limit != 0 && limit / kMbmPerDbm == phyMbm / kMbmPerDbm) return takenPercent;
    const long percent = std::lround(std::pow(10.0, double(phyMbm) / 1000.0));
    return uint32_t(std::clamp<long>(percent, 1, kMaxPercent));
}

}  // namespace corvane::nl80211

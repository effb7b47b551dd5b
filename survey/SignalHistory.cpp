#include "survey/SignalHistory.h"

#include <algorithm>

#include "platform/Translate.h"
#include "survey/LinkStatus.h"

namespace corvane {
namespace {

std::string Percent(uint32_t value) { return std::to_string(value) + " %"; }

}  // namespace

SignalHistory::SignalHistory(uint64_t windowUs, size_t capacity)
    : windowUs_(windowUs), capacity_(std::max<size_t>(capacity, 1)) {}

void SignalHistory::Add(uint64_t atUs, const LinkStatusView& view) {
    QualitySample sample;
    sample.atUs = samples_.empty() ? atUs : std::max(atUs, samples_.back().atUs);
    if (view.associated) {
        sample.quality = view.signalStrength;
        sample.ssid = view.networkName;
        sample.bssid = view.bssid;
        auto lastLinked =
            std::find_if(samples_.rbegin(), samples_.rend(),
                         [](const QualitySample& s) { return s.quality.has_value(); });
        sample.networkChanged =
            lastLinked != samples_.rend() &&
            (lastLinked->ssid != sample.ssid || lastLinked->bssid != sample.bssid);
        sample.startsLine = samples_.empty() || !samples_.back().quality || sample.networkChanged;
    }
    samples_.push_back(std::move(sample));
    DropOld();
}

void SignalHistory::DropOld() {
    const uint64_t newest = samples_.back().atUs;
    const uint64_t oldestKept = newest > windowUs_ ? newest - windowUs_ : 0;
    bool dropped = false;
    while (samples_.size() > capacity_ || samples_.front().atUs < oldestKept) {
        samples_.pop_front();
        dropped = true;
    }
    if (dropped && samples_.front().quality) samples_.front().startsLine = true;
}

QualityFigures SignalHistory::Figures() const {
    QualityFigures figures;
    uint64_t sum = 0;
    for (const QualitySample& sample : samples_) {
        if (!sample.quality) continue;
        const uint32_t q = *sample.quality;
        figures.lowest = figures.count == 0 ? q : std::min(figures.lowest, q);
        figures.highest = figures.count == 0 ? q : std::max(figures.highest, q);
        sum += q;
        ++figures.count;
    }
    if (figures.count) figures.mean = uint32_t((sum + figures.count / 2) / figures.count);
    if (!samples_.empty()) figures.now = samples_.back().quality;
    return figures;
}

std::string DescribeQualityFigures(const SignalHistory& history) {
    if (history.Samples().empty()) return Tr("SignalHistory", "no samples yet");
    const QualityFigures f = history.Figures();
    const std::string notConnected = Tr("SignalHistory", "not connected");
    if (f.count == 0) return notConnected;
    return FormatText(Tr("SignalHistory", "now %1, lowest %2, highest %3, mean %4"),
                      {f.now ? Percent(*f.now) : notConnected, Percent(f.lowest),
                       Percent(f.highest), Percent(f.mean)});
}

std::string DescribeSignalHistory(const SignalHistory& history) {
    const uint64_t minutes = history.WindowUs() / 60000000;
    const std::string figures = DescribeQualityFigures(history);
    if (minutes == 1)
        return FormatText(Tr("SignalHistory", "Link quality over the last 1 minute: %1"),
                          {figures});
    return FormatText(Tr("SignalHistory", "Link quality over the last %1 minutes: %2"),
                      {std::to_string(minutes), figures});
}

}  // namespace corvane

// The link quality of the last five minutes: one sample per refresh of the
// link status page (or per line of `corvane status --watch`), stamped with
// the one clock's time, with the network each was taken on. The page draws
// it as a graph and reads it out as text; the command prints its figures.
//
// A sample taken while not associated holds no quality: it breaks the line
// and counts in none of the figures. A sample on another network (SSID or
// BSSID) than the last associated one marks a change (a roam, or a
// reconnect elsewhere) and starts a new line too.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>

namespace corvane {

struct LinkStatusView;

inline constexpr uint64_t kSignalHistoryWindowUs = 5ull * 60 * 1000000;

struct QualitySample {
    uint64_t atUs = 0;                // the one clock's time
    std::optional<uint32_t> quality;  // none: not associated
    std::string ssid;                 // the driver's bytes, as the page reads them
    std::string bssid;                // "00-1A-2B-C3-D4-E5"
    bool startsLine = false;          // after a gap or a change of network, or the oldest kept
    bool networkChanged = false;      // another network than the last associated sample's
};

struct QualityFigures {
    size_t count = 0;             // associated samples in the window
    std::optional<uint32_t> now;  // the newest sample's quality; none when not associated
    uint32_t lowest = 0;
    uint32_t highest = 0;
    uint32_t mean = 0;  // rounded half up
};

class SignalHistory {
public:
    // `capacity` bounds the samples kept whatever their times say (a
    // refresh every second keeps about 300).
    explicit SignalHistory(uint64_t windowUs = kSignalHistoryWindowUs, size_t capacity = 1024);

    // Adds the outcome of one refresh at `atUs` and drops the samples that
    // have left the window ending there. A time before the newest sample's
    // (a clock that went back) counts as the newest sample's time.
    void Add(uint64_t atUs, const LinkStatusView& view);
    void Clear() { samples_.clear(); }

    // Oldest first, all within the window ending at the newest sample.
    const std::deque<QualitySample>& Samples() const { return samples_; }
    uint64_t WindowUs() const { return windowUs_; }
    QualityFigures Figures() const;

private:
    void DropOld();

    uint64_t windowUs_;
    size_t capacity_;
    std::deque<QualitySample> samples_;
};

// "now 76 %, lowest 60 %, highest 80 %, mean 72 %"; "now not connected, ..."
// when the newest sample has no link; "not connected" without any quality
// in the window; "no samples yet" before the first refresh.
std::string DescribeQualityFigures(const SignalHistory& history);

// The graph's text for a screen reader:
// "Link quality over the last 5 minutes: now 76 %, lowest 60 %, highest 80 %, mean 72 %".
std::string DescribeSignalHistory(const SignalHistory& history);

}  // namespace corvane

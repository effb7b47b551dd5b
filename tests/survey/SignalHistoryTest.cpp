// The link quality history: what the five-minute window keeps, where the
// line breaks and where a change of network is marked, and the figures and
// words the page and the command show.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "survey/LinkStatus.h"
#include "survey/SignalHistory.h"

namespace corvane::test {
namespace {

constexpr uint64_t kSecond = 1000000;

// One refresh: a quality on a network, or no link (quality < 0).
struct Refresh {
    uint64_t second;
    int quality;
    const char* ssid = "Home";
    const char* bssid = "02-00-00-00-00-01";
};

LinkStatusView View(const Refresh& r) {
    LinkStatusView v;
    v.associated = r.quality >= 0;
    if (v.associated) {
        v.signalStrength = uint32_t(r.quality);
        v.networkName = r.ssid;
        v.bssid = r.bssid;
    }
    return v;
}

SignalHistory Replay(const std::vector<Refresh>& refreshes) {
    SignalHistory history;
    for (const Refresh& r : refreshes) history.Add(r.second * kSecond, View(r));
    return history;
}

// Each kept sample as a letter: 'o' a point continuing the line, 'S' one
// starting a line, 'C' one starting a line on another network ('!' a change
// drawn as if the line went on), '-' no link.
std::string Shape(const SignalHistory& history) {
    std::string shape;
    for (const QualitySample& s : history.Samples())
        shape += !s.quality         ? '-'
                 : s.networkChanged ? (s.startsLine ? 'C' : '!')
                 : s.startsLine     ? 'S'
                                    : 'o';
    return shape;
}

TEST(SignalHistoryTest, BreaksAndChangesOfNetwork) {
    const struct {
        const char* name;
        std::vector<Refresh> refreshes;
        const char* shape;
    } cases[] = {
        {"one network", {{0, 50}, {1, 60}, {2, 70}}, "Soo"},
        {"a drop and a reconnect to the same network is a break, not a change",
         {{0, 50}, {1, -1}, {2, -1}, {3, 60}},
         "S--S"},
        {"a roam to another access point of the same network",
         {{0, 50}, {1, 60, "Home", "02-00-00-00-00-02"}, {2, 60, "Home", "02-00-00-00-00-02"}},
         "SCo"},
        {"another network after a gap is a change",
         {{0, 50}, {1, -1}, {2, 40, "Cafe", "02-00-00-00-00-09"}},
         "S-C"},
        {"the same BSSID under another name is a change", {{0, 50}, {1, 50, "Home5"}}, "SC"},
        {"no link from the start", {{0, -1}, {1, 30}}, "-S"},
    };
    for (const auto& c : cases) EXPECT_EQ(Shape(Replay(c.refreshes)), c.shape) << c.name;
}

TEST(SignalHistoryTest, KeepsFiveMinutesEndingAtTheNewestSample) {
    SignalHistory history;
    for (uint64_t s = 0; s <= 400; ++s) history.Add(s * kSecond, View({s, int(s % 100)}));
    ASSERT_EQ(history.Samples().size(), 301u) << "from 100 s to 400 s, both ends kept";
    EXPECT_EQ(history.Samples().front().atUs, 100 * kSecond);
    EXPECT_TRUE(history.Samples().front().startsLine) << "the oldest kept point starts the line";
    EXPECT_FALSE(history.Samples().front().networkChanged);

    // A long pause (the page's timer stopped) leaves only the new sample.
    history.Add(2000 * kSecond, View({2000, 42}));
    ASSERT_EQ(history.Samples().size(), 1u);
    EXPECT_EQ(history.Figures().lowest, 42u);

    // A clock that went back does not reorder the samples.
    history.Add(1990 * kSecond, View({1990, 43}));
    EXPECT_EQ(history.Samples().back().atUs, 2000 * kSecond);
}

TEST(SignalHistoryTest, CapacityBoundsTheSamplesWhateverTheirTimes) {
    SignalHistory history(kSignalHistoryWindowUs, 8);
    for (int i = 0; i < 20; ++i) history.Add(5 * kSecond, View({5, 10 + i}));
    ASSERT_EQ(history.Samples().size(), 8u);
    EXPECT_EQ(*history.Samples().front().quality, 22u);
    EXPECT_EQ(history.Figures().lowest, 22u);
}

TEST(SignalHistoryTest, FiguresAndTheirWords) {
    const struct {
        std::vector<Refresh> refreshes;
        const char* words;
    } cases[] = {
        {{}, "no samples yet"},
        {{{0, -1}, {1, -1}}, "not connected"},
        {{{0, 60}, {1, 80}, {2, 76}, {3, 72}}, "now 72 %, lowest 60 %, highest 80 %, mean 72 %"},
        {{{0, 60}, {1, 61}}, "now 61 %, lowest 60 %, highest 61 %, mean 61 %"},  // 60.5 rounds up
        {{{0, 10}, {1, 10}, {2, 11}}, "now 11 %, lowest 10 %, highest 11 %, mean 10 %"},
        {{{0, 100}, {1, -1}, {2, 40, "Cafe"}, {3, -1}},
         "now not connected, lowest 40 %, highest 100 %, mean 70 %"},
        {{{0, 0}, {1, 100}}, "now 100 %, lowest 0 %, highest 100 %, mean 50 %"},
        // What left the window (the 10 % five minutes before the 70 %) is left out.
        {{{0, 10}, {100, 90}, {301, 70}}, "now 70 %, lowest 70 %, highest 90 %, mean 80 %"},
    };
    for (const auto& c : cases) {
        const SignalHistory history = Replay(c.refreshes);
        EXPECT_EQ(DescribeQualityFigures(history), c.words);
        EXPECT_EQ(DescribeSignalHistory(history),
                  std::string("Link quality over the last 5 minutes: ") + c.words);
    }
}

}  // namespace
}  // namespace corvane::test

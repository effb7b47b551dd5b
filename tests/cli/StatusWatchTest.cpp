// `corvane status --watch`: its lines over a scripted link, its pace on the
// one clock, and when it stops.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "cli/StatusWatch.h"
#include "tests/support/ManualClock.h"

namespace corvane::cli {
namespace {

constexpr uint64_t kSecond = 1000000;

LinkStatusView Linked(uint32_t quality, const char* bssid = "02-00-00-00-00-01") {
    LinkStatusView v;
    v.associated = true;
    v.linkState = "Connected";
    v.networkName = "Home";
    v.bssid = bssid;
    v.signalStrength = quality;
    return v;
}

LinkStatusView Unlinked() {
    LinkStatusView v;
    v.linkState = "Disconnected";
    v.networkName = v.bssid = "None";
    return v;
}

// Runs the watch over `views` (one per sample, the last repeated) on a
// manual clock whose samples each take `sampleUs`; answers the lines.
struct Watch {
    std::vector<LinkStatusView> views;
    std::optional<unsigned> seconds;
    uint64_t sampleUs = 0;
    size_t stopAfterSamples = SIZE_MAX;

    test::ManualClock clock;
    size_t samples = 0;

    std::vector<std::string> Run() {
        char* buffer = nullptr;
        size_t size = 0;
        std::FILE* out = open_memstream(&buffer, &size);
        auto sample = [this] {
            clock.Advance(sampleUs);
            const size_t i = std::min(samples++, views.size() - 1);
            return views[i];
        };
        WatchStatus(
            sample, clock, seconds, [this] { return samples >= stopAfterSamples; }, out);
        std::fclose(out);
        std::vector<std::string> lines;
        std::string text(buffer, size);
        std::free(buffer);
        for (size_t start = 0, end; (end = text.find('\n', start)) != std::string::npos;
             start = end + 1)
            lines.push_back(text.substr(start, end - start));
        return lines;
    }
};

TEST(StatusWatchTest, OneLineASecondWithTheFiguresSoFar) {
    Watch watch;
    watch.views = {Linked(60), Linked(80), Unlinked(), Linked(76, "02-00-00-00-00-02")};
    watch.seconds = 4;
    EXPECT_EQ(watch.Run(), (std::vector<std::string>{
                               "0 s  Connected  Home  02-00-00-00-00-01  "
                               "now 60 %, lowest 60 %, highest 60 %, mean 60 %",
                               "1 s  Connected  Home  02-00-00-00-00-01  "
                               "now 80 %, lowest 60 %, highest 80 %, mean 70 %",
                               "2 s  Disconnected  now not connected, lowest 60 %, highest 80 %, "
                               "mean 70 %",
                               "3 s  Connected  Home  02-00-00-00-00-02  "
                               "now 76 %, lowest 60 %, highest 80 %, mean 72 %  (network changed)",
                           }));
    EXPECT_EQ(watch.clock.TotalSlept(), 3 * kSecond) << "no wait after the last line";
}

TEST(StatusWatchTest, WhenItStops) {
    const struct {
        const char* name;
        std::optional<unsigned> seconds;
        uint64_t sampleUs;
        size_t stopAfterSamples;
        size_t lines;
        const char* lastLine;
    } cases[] = {
        {"for one second", 1, 0, SIZE_MAX, 1, "0 s"},
        {"slow samples keep to whole seconds", 5, 300000, SIZE_MAX, 5, "4 s"},
        {"a sample that overruns drops the lines it missed", 6, 2500000, SIZE_MAX, 2, "3 s"},
        {"until interrupted", std::nullopt, 0, 3, 3, "2 s"},
        {"interrupted before the time is up", 100, 0, 2, 2, "1 s"},
    };
    for (const auto& c : cases) {
        Watch watch;
        watch.views = {Unlinked()};
        watch.seconds = c.seconds;
        watch.sampleUs = c.sampleUs;
        watch.stopAfterSamples = c.stopAfterSamples;
        const std::vector<std::string> lines = watch.Run();
        ASSERT_EQ(lines.size(), c.lines) << c.name;
        EXPECT_EQ(lines.back().rfind(c.lastLine, 0), 0u) << c.name << ": " << lines.back();
        for (uint64_t slept : watch.clock.Sleeps())
            EXPECT_LE(slept, 200000u) << c.name << ": an interrupt waits at most 0.2 s";
    }
}

TEST(StatusWatchTest, NetworkNamesArePrintedSafely) {
    LinkStatusView view = Linked(50);
    view.networkName = "a\x1b[2Jb";
    SignalHistory history;
    history.Add(0, view);
    EXPECT_EQ(WatchLine(0, view, history),
              "0 s  Connected  a\\x1B[2Jb  02-00-00-00-00-01  "
              "now 50 %, lowest 50 %, highest 50 %, mean 50 %");
}

}  // namespace
}  // namespace corvane::cli

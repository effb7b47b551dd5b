#include "cli/StatusWatch.h"

#include <algorithm>
#include <csignal>
#include <cstdint>

#include "adapter/Globals.h"
#include "adapter/Oids.h"
#include "cli/FieldLines.h"
#include "cli/Guards.h"
#include "platform/Translate.h"

namespace corvane::cli {
namespace {

constexpr uint64_t kSecondUs = 1000000;
constexpr uint64_t kStopCheckUs = 200000;
// Each sample must come back within this, as a single status must.
constexpr unsigned kSampleDeadlineSeconds = 20;

volatile std::sig_atomic_t g_interrupted = 0;

void OnInterrupt(int) { g_interrupted = 1; }

int UsageError(const std::string& message) {
    const std::string usage = Tr("cli::StatusWatch",
                                 "usage: corvane status [--json]\n"
                                 "       corvane status --watch [SECONDS]\n");
    std::fputs(("corvane status: " + message + "\n" + usage).c_str(), stderr);
    return kExitUsage;
}

}  // namespace

std::string WatchLine(uint64_t elapsedSeconds, const LinkStatusView& view,
                      const SignalHistory& history) {
    std::string line =
        FormatText(Tr("cli::StatusWatch", "%1 s"), {std::to_string(elapsedSeconds)}) + "  " +
        ShownWord("LinkStatus", view.linkState) + "  ";
    if (view.associated) line += Printable(view.networkName) + "  " + view.bssid + "  ";
    line += DescribeQualityFigures(history);
    if (!history.Samples().empty() && history.Samples().back().networkChanged)
        line += Tr("cli::StatusWatch", "  (network changed)");
    return line;
}

void WatchStatus(const StatusSampler& sample, platform::Clock& clock,
                 std::optional<unsigned> seconds, const std::function<bool()>& stopRequested,
                 std::FILE* out) {
    SignalHistory history;
    const uint64_t start = clock.NowMicroseconds();
    const uint64_t end = seconds ? start + uint64_t(*seconds) * kSecondUs : UINT64_MAX;
    uint64_t tick = start;
    while (!stopRequested()) {
        const LinkStatusView view = sample();
        history.Add(clock.NowMicroseconds(), view);
        const std::string line = WatchLine((tick - start) / kSecondUs, view, history);
        std::fprintf(out, "%s\n", line.c_str());
        std::fflush(out);

        const uint64_t now = clock.NowMicroseconds();
        tick += kSecondUs;
        if (tick <= now) tick += (now - tick) / kSecondUs * kSecondUs + kSecondUs;
        if (tick >= end) return;
        for (uint64_t left = tick - now; left > 0 && !stopRequested();) {
            const uint64_t slice = std::min(left, kStopCheckUs);
            clock.SleepMicroseconds(slice);
            const uint64_t after = clock.NowMicroseconds();
            left = after >= tick ? 0 : tick - after;
        }
    }
}

int CommandStatusWatch(Context& context) {
    const ParsedOptions& options = context.options;
    std::optional<unsigned> seconds;
    if (!options.Positional().empty()) {
        const std::string& text = options.Positional().front();
        if (!options.Has("--watch"))
            return UsageError(FormatText(Tr("cli::StatusWatch", "unexpected argument %1"), {text}));
        auto parsed = ParseIndex(text);
        if (!parsed)
            return UsageError(FormatText(
                Tr("cli::StatusWatch", "SECONDS must be a whole number of seconds from 1: %1"),
                {text}));
        seconds = unsigned(*parsed);
    }
    if (options.Has("--json"))
        return UsageError(Tr("cli::StatusWatch", "--watch prints lines, not --json"));
    if (!RequireAdapter(context.adapter)) return kExitFailed;

    // Restarted system calls: an interrupt in the middle of a request lets
    // it finish; the watch ends at its next check.
    struct sigaction action {};
    action.sa_handler = OnInterrupt;
    action.sa_flags = SA_RESTART;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);

    KestrelAccess& adapter = context.adapter;
    uint32_t channelQuality = 0;
    auto sample = [&adapter, &channelQuality] {
        StartDeadline(kSampleDeadlineSeconds);
        uint64_t returned = 0;
        adapter.OidQueryInformation(OID_VX_RADIO, &G_bRadio, 1, &returned);
        return ReadLinkStatus(adapter, channelQuality);
    };
    WatchStatus(
        sample, platform::CurrentClock(), seconds, [] { return g_interrupted != 0; }, stdout);
    return kExitOk;
}

}  // namespace corvane::cli

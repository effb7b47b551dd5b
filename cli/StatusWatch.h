// `corvane status --watch [SECONDS]`: the link state and the link quality
// figures of the last five minutes (as the link status page's graph reads
// them out), one line a second until interrupted or for SECONDS seconds.
#pragma once

#include <cstdio>
#include <functional>
#include <optional>
#include <string>

#include "cli/Commands.h"
#include "platform/Clock.h"
#include "survey/LinkStatus.h"
#include "survey/SignalHistory.h"

namespace corvane::cli {

// One refresh of the link status, as the page does it.
using StatusSampler = std::function<LinkStatusView()>;

// "12 s  Connected  Home  02-00-00-00-00-01  now 76 %, lowest 60 %, highest 80 %, mean 72 %",
// with "  (network changed)" after a roam; a sample without a link shows
// only the link state before the figures. `elapsedSeconds` counts from the
// first line.
std::string WatchLine(uint64_t elapsedSeconds, const LinkStatusView& view,
                      const SignalHistory& history);

// Samples and prints a line at once and then on every whole second of
// `clock` from the first, until `stopRequested` answers true (asked before
// each sample and during the waits, at least five times a second) or, when
// `seconds` is given, until the next line would fall at or after that many
// seconds. A sample that takes longer than a second drops the lines it
// overran rather than printing them late.
void WatchStatus(const StatusSampler& sample, platform::Clock& clock,
                 std::optional<unsigned> seconds, const std::function<bool()>& stopRequested,
                 std::FILE* out);

// The command: checks its arguments (SECONDS only with --watch, not with
// --json: usage errors), finds the adapter, and watches until SIGINT (exit
// status 0) or for SECONDS seconds.
int CommandStatusWatch(Context& context);

}  // namespace corvane::cli

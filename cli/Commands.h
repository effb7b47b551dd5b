// The `corvane` commands. Each returns the process exit status: 0 done,
// 1 the adapter (or a network, a profile) is not there or the operation did
// not succeed, 2 bad usage.
#pragma once

#include <string>
#include <vector>

#include "adapter/KestrelAccess.h"
#include "cli/Progress.h"

namespace corvane::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

struct Context {
    KestrelAccess& adapter;
    ProgressClock& progress;
    std::vector<std::string> args;  // after the command name
};

int CommandStatus(Context& context);
int CommandScan(Context& context);
int CommandInit(Context& context);
int CommandPsk(Context& context);
int CommandProfiles(Context& context);
int CommandConnect(Context& context);
int CommandDisconnect(Context& context);

// Says so on standard error and answers false when no adapter answers.
bool RequireAdapter(KestrelAccess& adapter);

// Text that is safe to print on a terminal: printable ASCII and valid UTF-8
// stay, control bytes and invalid sequences become \xNN.
std::string Printable(const std::string& bytes);

}  // namespace corvane::cli

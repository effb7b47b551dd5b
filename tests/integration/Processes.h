// Running the project's executables as separate processes from a test.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace corvane::test {

struct CommandResult {
    int status = -1;  // exit status, or -1 when it did not exit normally
    std::string out;
    std::string err;
};

std::string BinPath(const std::string& name);

// Runs `args` (args[0] a path) with `input` on its standard input, waits,
// and captures both output streams.
CommandResult Run(const std::vector<std::string>& args, const std::string& input = "");

// A background process, terminated (SIGTERM, then SIGKILL) when destroyed.
class Daemon {
public:
    explicit Daemon(const std::vector<std::string>& args);
    ~Daemon();
    Daemon(const Daemon&) = delete;
    Daemon& operator=(const Daemon&) = delete;

    pid_t Pid() const { return pid_; }
    // Sends SIGTERM and returns the exit status (-1: killed or not exited).
    int Stop();
    // True once the process has ended by itself (it is reaped then).
    bool Exited();

private:
    pid_t pid_ = -1;
};

}  // namespace corvane::test

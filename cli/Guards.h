// Process guards of the command-line tool: commands that change the
// adapter take a per-user lock so that two of them never interleave their
// requests, and every command that talks to the driver runs under a
// deadline, so a driver that stops answering ends the command with a clear
// message instead of a long series of request timeouts.
#pragma once

#include <memory>

namespace corvane::cli {

// How long a command that changes the adapter waits for another one.
inline constexpr int kLockWaitSeconds = 90;

// Holds the adapter lock of this user's registry folder while it lives.
// Waits (up to `waitSeconds`, saying so on standard error) while another
// command holds it. Acquired() is false when the wait ran out; without a
// registry folder (no driver published anything) there is nothing to lock
// and Acquired() is true.
class AdapterLock {
public:
    explicit AdapterLock(int waitSeconds = kLockWaitSeconds);
    ~AdapterLock();
    AdapterLock(const AdapterLock&) = delete;
    AdapterLock& operator=(const AdapterLock&) = delete;
    bool Acquired() const { return acquired_; }

private:
    int fd_ = -1;
    bool acquired_ = false;
};

// The adapter lock for a command that changes the adapter, or null after
// saying on standard error that another command still holds it.
std::unique_ptr<AdapterLock> LockAdapter();

// Ends the process with status 1 and "corvane: the driver stopped
// answering" when it is still running after `seconds`.
void StartDeadline(unsigned seconds);

}  // namespace corvane::cli

#include "cli/Guards.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "platform/Registry.h"
#include "platform/Translate.h"

namespace corvane::cli {
namespace {

constexpr const char* kLockName = "/.corvane-adapter.lock";

// The deadline's message, translated before the first alarm is set: the
// signal handler only writes these bytes.
char g_deadlineMessage[256];
size_t g_deadlineLength = 0;

void OnDeadline(int) {
    ssize_t written = write(STDERR_FILENO, g_deadlineMessage, g_deadlineLength);
    (void)written;
    _exit(1);
}

}  // namespace

AdapterLock::AdapterLock(int waitSeconds) {
    const std::string folder = platform::RegistryFolder();
    struct stat st {};
    if (lstat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != geteuid()) {
        acquired_ = true;
        return;
    }
    const std::string path = folder + kLockName;
    fd_ = open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd_ < 0) {
        acquired_ = true;  // an unwritable folder has no driver of ours to protect
        return;
    }
    if (flock(fd_, LOCK_EX | LOCK_NB) == 0) {
        acquired_ = true;
        return;
    }
    std::fputs(
        Tr("cli::Guards", "corvane: waiting for another corvane command to finish\n").c_str(),
        stderr);
    for (int tenth = 0; tenth < waitSeconds * 10; ++tenth) {
        usleep(100000);
        if (flock(fd_, LOCK_EX | LOCK_NB) == 0) {
            acquired_ = true;
            return;
        }
    }
}

AdapterLock::~AdapterLock() {
    if (fd_ >= 0) close(fd_);  // closing releases the lock
}

std::unique_ptr<AdapterLock> LockAdapter() {
    auto lock = std::make_unique<AdapterLock>();
    if (lock->Acquired()) return lock;
    std::fputs(
        Tr("cli::Guards", "corvane: another corvane command still holds the adapter\n").c_str(),
        stderr);
    return nullptr;
}

void StartDeadline(unsigned seconds) {
    if (g_deadlineLength == 0) {
        const std::string message =
            "\n" + Tr("cli::Guards", "corvane: the driver stopped answering\n");
        g_deadlineLength = std::min(message.size(), sizeof g_deadlineMessage);
        std::memcpy(g_deadlineMessage, message.data(), g_deadlineLength);
    }
    struct sigaction action {};
    action.sa_handler = OnDeadline;
    sigemptyset(&action.sa_mask);
    sigaction(SIGALRM, &action, nullptr);
    alarm(seconds);
}

}  // namespace corvane::cli

#include "cli/Guards.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "platform/Registry.h"

namespace corvane::cli {
namespace {

constexpr const char* kLockName = "/.corvane-adapter.lock";

void OnDeadline(int) {
    static const char message[] = "\ncorvane: the driver stopped answering\n";
    ssize_t written = write(STDERR_FILENO, message, sizeof message - 1);
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
    std::fprintf(stderr, "corvane: waiting for another corvane command to finish\n");
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
    std::fprintf(stderr, "corvane: another corvane command still holds the adapter\n");
    return nullptr;
}

void StartDeadline(unsigned seconds) {
    struct sigaction action {};
    action.sa_handler = OnDeadline;
    sigemptyset(&action.sa_mask);
    sigaction(SIGALRM, &action, nullptr);
    alarm(seconds);
}

}  // namespace corvane::cli

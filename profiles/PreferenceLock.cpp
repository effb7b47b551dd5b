#include "profiles/PreferenceLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "platform/Clock.h"
#include "profiles/AtomicFile.h"
#include "profiles/PreferenceFiles.h"

namespace corvane {
namespace {

constexpr uint64_t kPollMicroseconds = 10000;

// The lock of this process: one descriptor, taken by the outermost guard.
struct ProcessLock {
    int fd = -1;
    int depth = 0;
};
ProcessLock& Current() {
    static ProcessLock lock;
    return lock;
}

int OpenLockFile() {
    const std::string path = PreferenceLockPath();
    CreateFolders(path.substr(0, path.find_last_of('/')));
    int fd = open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) fd = open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    return fd;
}

bool TakeWithin(int fd, int waitMs) {
    const uint64_t start = platform::CurrentClock().NowMicroseconds();
    for (;;) {
        if (flock(fd, LOCK_EX | LOCK_NB) == 0) return true;
        if (errno != EWOULDBLOCK && errno != EINTR) return true;  // no locking here: go on
        if (platform::CurrentClock().NowMicroseconds() - start >= uint64_t(waitMs) * 1000)
            return false;
        platform::USleep(kPollMicroseconds);
    }
}

}  // namespace

std::string PreferenceLockPath() {
    return ExpandTilde("~/Library/Preferences/.corvane-preferences.lock");
}

PreferenceLock::PreferenceLock() {
    ProcessLock& lock = Current();
    if (lock.depth > 0) {
        ++lock.depth;
        held_ = true;
        return;
    }
    const int fd = OpenLockFile();
    if (fd < 0) {
        held_ = true;  // nothing to lock against: nobody can replace the files either
        return;
    }
    if (!TakeWithin(fd, kPreferenceLockWaitMs)) {
        close(fd);
        return;
    }
    lock.fd = fd;
    lock.depth = 1;
    held_ = true;
}

PreferenceLock::~PreferenceLock() {
    ProcessLock& lock = Current();
    if (!held_ || lock.depth == 0) return;
    if (--lock.depth == 0) {
        close(lock.fd);  // closing releases the lock
        lock.fd = -1;
    }
}

bool UpdatePreferenceArray(std::string_view path, const std::function<bool(PrefArray&)>& change) {
    PreferenceLock lock;
    if (!lock.Held()) return false;
    PrefArray array = ReadPreferenceArray(path);
    return !change(array) || WritePreferenceArray(path, array);
}

}  // namespace corvane

#include "profiles/AtomicFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <random>

namespace corvane {
namespace {

constexpr std::string_view kTempMark = ".tmp-";
constexpr std::string_view kAsideMark = ".unreadable-";
constexpr int64_t kOwnTempMaxAgeSeconds = 600;

std::string FolderOf(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool SameFile(const struct stat& st, const FileIdentity& id) {
    return uint64_t(st.st_dev) == id.device && uint64_t(st.st_ino) == id.inode;
}

bool WriteAll(int fd, std::string_view bytes) {
    const char* data = bytes.data();
    size_t size = bytes.size();
    while (size > 0) {
        const ssize_t n = write(fd, data, size);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        data += n;
        size -= size_t(n);
    }
    return true;
}

void SyncFolder(const std::string& dir) {
    const int fd = open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    fsync(fd);
    close(fd);
}

bool Exists(const std::string& path) {
    struct stat st;
    return lstat(path.c_str(), &st) == 0 || errno != ENOENT;
}

// "<path>.tmp-<pid>-" followed by six letters or digits.
std::string TempName(const std::string& path) {
    static constexpr char kAlphabet[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    static std::minstd_rand random(std::random_device{}());
    std::string name = path + std::string(kTempMark) + std::to_string(getpid()) + "-";
    for (int i = 0; i < 6; ++i) name += kAlphabet[random() % (sizeof kAlphabet - 1)];
    return name;
}

// Closes the descriptor and removes the named temporary unless released.
class PendingFile {
public:
    ~PendingFile() {
        if (fd >= 0) close(fd);
        if (!name.empty()) unlink(name.c_str());
    }
    void Close() {
        close(fd);
        fd = -1;
    }
    int fd = -1;
    std::string name;
};

bool WriteContent(int fd, std::string_view bytes) {
    // O_TMPFILE and mkstemp honour the umask; say 0600 outright, since the
    // content holds keys and passphrases in clear text.
    return fchmod(fd, 0600) == 0 && WriteAll(fd, bytes) && fsync(fd) == 0;
}

// Renames the named content over `path`. Nothing comes between the naming
// and the rename but the test seam: each instant there is an instant a killed
// writer leaves the name behind.
bool Finish(PendingFile& file, const std::string& path, const std::string& dir,
            const std::function<bool(const std::string&)>& beforeReplace) {
    if (beforeReplace && !beforeReplace(file.name)) return false;
    if (rename(file.name.c_str(), path.c_str()) != 0) return false;
    file.name.clear();
    file.Close();  // the content was flushed before it took the old file's place
    SyncFolder(dir);
    return true;
}

enum class Route { kDone, kFailed, kUnavailable };

Route ReplaceThroughUnnamedFile(const std::string& path, const std::string& dir,
                                std::string_view bytes,
                                const std::function<bool(const std::string&)>& beforeReplace) {
    PendingFile file;
    file.fd = open(dir.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
    if (file.fd < 0)
        return errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL ? Route::kUnavailable
                                                                         : Route::kFailed;
    if (!WriteContent(file.fd, bytes)) return Route::kFailed;
    const std::string self = "/proc/self/fd/" + std::to_string(file.fd);
    auto link = [&](const std::string& to) {
        return linkat(AT_FDCWD, self.c_str(), AT_FDCWD, to.c_str(), AT_SYMLINK_FOLLOW) == 0;
    };
    bool toldBefore = false;
    // A first file takes its own name at once: no other name ever holds it.
    if (!Exists(path)) {
        if (beforeReplace && !beforeReplace(self)) return Route::kFailed;
        toldBefore = true;
        if (link(path)) {
            SyncFolder(dir);
            return Route::kDone;
        }
        if (errno == ENOENT) return Route::kUnavailable;  // no /proc
        if (errno != EEXIST) return Route::kFailed;
        // Another writer made it meanwhile: replace that one.
    }
    // The content has a name only for the instant before the rename.
    for (int attempt = 0; attempt < 16 && file.name.empty(); ++attempt) {
        const std::string name = TempName(path);
        if (link(name))
            file.name = name;
        else if (errno == ENOENT)
            return Route::kUnavailable;
        else if (errno != EEXIST)
            return Route::kFailed;
    }
    if (file.name.empty()) return Route::kFailed;
    static const std::function<bool(const std::string&)> kNobody;
    return Finish(file, path, dir, toldBefore ? kNobody : beforeReplace) ? Route::kDone
                                                                         : Route::kFailed;
}

bool ReplaceThroughNamedFile(const std::string& path, const std::string& dir,
                             std::string_view bytes,
                             const std::function<bool(const std::string&)>& beforeReplace) {
    PendingFile file;
    std::string name = path + std::string(kTempMark) + std::to_string(getpid()) + "-XXXXXX";
    file.fd = mkostemp(name.data(), O_CLOEXEC);
    if (file.fd < 0) return false;
    file.name = name;
    if (!WriteContent(file.fd, bytes)) return false;
    return Finish(file, path, dir, beforeReplace);
}

bool ProcessIsGone(pid_t pid) { return kill(pid, 0) != 0 && errno == ESRCH; }

// Whether a folder entry named "<file>.<suffix>" is a temporary its writer
// will not finish, judged by its name and age.
bool IsStaleTemporary(std::string_view suffix, int64_t ageSeconds) {
    if (!suffix.starts_with(kTempMark.substr(1))) return false;
    suffix.remove_prefix(kTempMark.size() - 1);
    const size_t dash = suffix.find('-');
    if (dash == 0 || dash == std::string_view::npos || dash > 9 || suffix.size() - dash != 7)
        return false;
    pid_t pid = 0;
    for (char c : suffix.substr(0, dash)) {
        if (c < '0' || c > '9') return false;
        pid = pid * 10 + (c - '0');
    }
    if (ageSeconds > kOwnTempMaxAgeSeconds) return true;
    return pid != getpid() && ProcessIsGone(pid);
}

}  // namespace

MoveAsideResult MoveAside(const std::string& path, const FileIdentity& identity) {
    MoveAsideResult result;
    struct stat st;
    if (stat(path.c_str(), &st) != 0 || !SameFile(st, identity)) {
        result.outcome = MoveAsideResult::Outcome::kGone;
        return result;
    }
    if (!S_ISREG(st.st_mode)) return result;

    char stamp[32];
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    const std::string base = path + std::string(kAsideMark) + stamp;
    for (int n = 1; n <= 100 && result.movedTo.empty(); ++n) {
        const std::string name = n == 1 ? base : base + "-" + std::to_string(n);
        if (renameat2(AT_FDCWD, path.c_str(), AT_FDCWD, name.c_str(), RENAME_NOREPLACE) == 0) {
            result.movedTo = name;
        } else if (errno == EINVAL || errno == ENOSYS) {
            // A file system that cannot refuse to replace: look first.
            if (!Exists(name) && rename(path.c_str(), name.c_str()) == 0)
                result.movedTo = name;
            else if (!Exists(name))
                return result;
        } else if (errno == ENOENT) {
            result.outcome = MoveAsideResult::Outcome::kGone;
            return result;
        } else if (errno != EEXIST) {
            return result;
        }
    }
    if (result.movedTo.empty()) return result;
    result.outcome = MoveAsideResult::Outcome::kMoved;
    SyncFolder(FolderOf(path));
    // The kept copy may hold keys: user-only, unless the path was a link, whose
    // target is not ours to change.
    const int fd = open(result.movedTo.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd >= 0) {
        if (fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) fchmod(fd, 0600);
        close(fd);
    }
    return result;
}

bool ReplaceFile(const std::string& path, std::string_view bytes,
                 const std::function<bool(const std::string&)>& beforeReplace) {
    const std::string dir = FolderOf(path);
    switch (ReplaceThroughUnnamedFile(path, dir, bytes, beforeReplace)) {
        case Route::kDone:
            return true;
        case Route::kFailed:
            return false;
        case Route::kUnavailable:
            break;
    }
    return ReplaceThroughNamedFile(path, dir, bytes, beforeReplace);
}

bool RemoveFile(const std::string& path) {
    if (unlink(path.c_str()) != 0) return errno == ENOENT;
    SyncFolder(FolderOf(path));
    return true;
}

void SweepStaleTemporaries(const std::string& path) {
    const std::string dir = FolderOf(path);
    const std::string prefix = NameOf(path) + ".";
    DIR* folder = opendir(dir.c_str());
    if (!folder) return;
    const int dirFd = dirfd(folder);
    const int64_t now = int64_t(std::time(nullptr));
    while (const dirent* entry = readdir(folder)) {
        const std::string_view name = entry->d_name;
        if (!name.starts_with(prefix)) continue;
        struct stat st;
        if (fstatat(dirFd, entry->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(st.st_mode) ||
            st.st_uid != geteuid())
            continue;
        if (IsStaleTemporary(name.substr(prefix.size()), now - int64_t(st.st_mtime)))
            unlinkat(dirFd, entry->d_name, 0);
    }
    closedir(folder);
}

bool CreateFolders(const std::string& dir) {
    if (dir.empty()) return true;
    struct stat st;
    if (stat(dir.c_str(), &st) == 0) return S_ISDIR(st.st_mode);
    const size_t slash = dir.find_last_of('/');
    if (slash != std::string::npos && slash > 0 && !CreateFolders(dir.substr(0, slash)))
        return false;
    return mkdir(dir.c_str(), 0700) == 0 || errno == EEXIST;
}

}  // namespace corvane

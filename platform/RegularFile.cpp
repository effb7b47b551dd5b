#include "platform/RegularFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "platform/Translate.h"

namespace platform {
namespace {

using corvane::FormatText;
using corvane::Tr;

FileIdentity IdentityOf(const struct stat& st) {
    return {uint64_t(st.st_dev), uint64_t(st.st_ino), S_ISREG(st.st_mode)};
}

std::string SizeText(size_t bytes) {
    if (bytes % (1024 * 1024) == 0)
        return FormatText(Tr("RegularFile", "%1 MiB"), {std::to_string(bytes / (1024 * 1024))});
    return FormatText(Tr("RegularFile", "%1 bytes"), {std::to_string(bytes)});
}

}  // namespace

FileContents ReadRegularFile(const std::string& path, size_t limit) {
    FileContents out;
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT || errno == ENOTDIR) return out;
        const int error = errno;
        out.outcome = FileContents::Outcome::kUnreadable;
        out.problem =
            FormatText(Tr("RegularFile", "it cannot be opened: %1"), {std::strerror(error)});
        struct stat st;
        if (stat(path.c_str(), &st) == 0) out.identity = IdentityOf(st);
        return out;
    }
    out.outcome = FileContents::Outcome::kUnreadable;
    struct stat st;
    if (fstat(fd, &st) != 0) {
        out.problem =
            FormatText(Tr("RegularFile", "it cannot be examined: %1"), {std::strerror(errno)});
    } else if (out.identity = IdentityOf(st); !S_ISREG(st.st_mode)) {
        out.problem = Tr("RegularFile", "it is not a regular file");
    } else if (uint64_t(st.st_size) > limit) {
        out.problem = FormatText(Tr("RegularFile", "it is larger than %1"), {SizeText(limit)});
    } else {
        out.outcome = FileContents::Outcome::kRead;
        out.bytes.reserve(size_t(st.st_size));
        char chunk[16384];
        for (;;) {
            // One byte past the limit tells a file that grew while we read.
            const size_t room = std::min(sizeof chunk, limit + 1 - out.bytes.size());
            const ssize_t n = read(fd, chunk, room);
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) {
                out.outcome = FileContents::Outcome::kUnreadable;
                out.problem =
                    FormatText(Tr("RegularFile", "it cannot be read: %1"), {std::strerror(errno)});
            }
            if (n <= 0) break;
            out.bytes.append(chunk, size_t(n));
            if (out.bytes.size() > limit) {
                out.outcome = FileContents::Outcome::kUnreadable;
                out.problem =
                    FormatText(Tr("RegularFile", "it is larger than %1"), {SizeText(limit)});
                break;
            }
        }
        if (out.outcome != FileContents::Outcome::kRead) out.bytes.clear();
    }
    close(fd);
    return out;
}

std::optional<std::string> ReadFirstLine(const std::string& path) {
    // Far above a sysfs attribute's one page.
    constexpr size_t kMaxLineFileBytes = 64 * 1024;
    FileContents file = ReadRegularFile(path, kMaxLineFileBytes);
    if (file.outcome != FileContents::Outcome::kRead || file.bytes.empty()) return std::nullopt;
    file.bytes.resize(std::min(file.bytes.size(), file.bytes.find('\n')));
    return std::move(file.bytes);
}

}  // namespace platform

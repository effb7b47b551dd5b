// Reading a small file that anyone may have put at a path: whatever stands
// there (a FIFO, a device, a folder, a huge file) can neither hang nor swamp
// the reader. Reading is bounded and only a regular file is read.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace platform {

// What was found at a path, to tell later whether it is still there.
struct FileIdentity {
    uint64_t device = 0;
    uint64_t inode = 0;
    bool regular = false;
};

struct FileContents {
    enum class Outcome { kRead, kMissing, kUnreadable };
    Outcome outcome = Outcome::kMissing;
    std::string bytes;
    std::string problem;  // kUnreadable: why, for a person ("it is not a regular file")
    FileIdentity identity;
};

// Opens without blocking, so that a FIFO or a device at the path cannot hang
// the caller, and reads the file only when it is a regular one of at most
// `limit` bytes. A missing path (or a missing folder on the way) is
// kMissing; anything else that stops the read is kUnreadable.
FileContents ReadRegularFile(const std::string& path, size_t limit);

// The first line (without its line feed) of a small regular file, such as a
// sysfs attribute or a logind state file, read as above with a bound of
// 64 KiB; nullopt when it cannot be read or is empty.
std::optional<std::string> ReadFirstLine(const std::string& path);

}  // namespace platform

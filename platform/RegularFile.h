// Reading a small file that anyone may have put at a path: whatever stands
// there (a FIFO, a device, a folder, a huge file) can neither hang nor swamp
// the reader. Reading is bounded and only a regular file is read.
#pragma once

#include <cstddef>
#include <cstdint>
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

}  // namespace platform

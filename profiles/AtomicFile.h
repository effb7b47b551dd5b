// Replacing the small files that hold the user's keys (they are read with
// platform/RegularFile.h), so that a writer killed at any instant leaves the
// old file or the new one and no other copy of the secrets under another name.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "platform/RegularFile.h"

namespace corvane {

using platform::FileIdentity;

struct MoveAsideResult {
    enum class Outcome { kMoved, kLeftInPlace, kGone };
    Outcome outcome = Outcome::kLeftInPlace;
    std::string movedTo;
};

// Keeps an unreadable file from being replaced unread: renames it to
// "<path>.unreadable-YYYYMMDD-HHMMSS" (local time; "-2", "-3", ... added when
// that name is taken, an earlier file is never replaced) with mode 0600.
// Only a regular file is moved; anything else is left in place. kGone when
// the path no longer holds the file `identity` describes (someone replaced or
// removed it meanwhile).
MoveAsideResult MoveAside(const std::string& path, const FileIdentity& identity);

// Replaces the file at `path` with `bytes`, atomically, mode 0600, file and
// folder flushed to disk. The content is written into an unnamed file in the
// folder (O_TMPFILE); a first file is then linked in under its own name, and
// an existing one is replaced by linking the new content to a temporary name
// that is renamed over it at once, so a temporary exists only for the instant
// between two system calls. Where unnamed files are not available, an ordinary
// temporary file is written instead. Temporaries are named
// "<path>.tmp-<pid>-XXXXXX".
//
// `beforeReplace` (may be empty) is called once the content is complete and
// flushed, just before it takes its place, with a path that reads it: the
// temporary's name, or a /proc/self/fd path while it has none. Returning false
// fails the write there. On any failure the old file is left as it was, no
// temporary remains, and the result is false.
bool ReplaceFile(const std::string& path, std::string_view bytes,
                 const std::function<bool(const std::string&)>& beforeReplace);

// Removes the file at `path` and flushes its folder. True when it is gone
// (or was never there).
bool RemoveFile(const std::string& path);

// Removes the temporaries of `path` ("<path>.tmp-<pid>-XXXXXX") that their
// writer can no longer finish: that process has ended, or the file is older
// than ten minutes. Only regular files owned by this user are removed.
// Nothing else is touched; in particular not "<path>.XXXXXX", the
// temporaries of earlier versions, as such a name cannot be told from the
// user's own "<path>.backup".
void SweepStaleTemporaries(const std::string& path);

// Creates the missing folders of `dir`, each with mode 0700.
bool CreateFolders(const std::string& dir);

}  // namespace corvane

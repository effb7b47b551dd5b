// The one lock every program of ours (the window, the agent, the command)
// holds around a read-modify-write of the preference files, so that a change
// is always made to the file as it is now, never to a copy read earlier that
// another program has replaced meanwhile.
//
// It is an exclusive flock on "~/Library/Preferences/.corvane-preferences.lock".
// The holder reads, changes and writes at once, so the lock is held for
// milliseconds; a waiter gives up after kPreferenceLockWaitMs (a holder that
// was stopped, say) and then counts as a failed write. A process may take it
// again while it holds it (the guards nest).
//
// Where no lock file can be made (a read-only preferences folder) nobody can
// replace the files either: the guard counts as held, and the write that
// follows fails on its own.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "profiles/PreferenceFiles.h"

namespace corvane {

inline constexpr int kPreferenceLockWaitMs = 5000;

class PreferenceLock {
public:
    PreferenceLock();
    ~PreferenceLock();
    PreferenceLock(const PreferenceLock&) = delete;
    PreferenceLock& operator=(const PreferenceLock&) = delete;

    // False when another program held the lock for the whole wait.
    bool Held() const { return held_; }

private:
    bool held_ = false;
};

// "~/Library/Preferences/.corvane-preferences.lock", home folder expanded.
std::string PreferenceLockPath();

// A read-modify-write of one file: under the lock, reads it, lets `change`
// alter the array (returning false: nothing to write) and writes it. False
// when the lock was not had or the write failed; the file is then as it was.
bool UpdatePreferenceArray(std::string_view path, const std::function<bool(PrefArray&)>& change);

}  // namespace corvane

// The profile list page's rules without widgets: its in-memory copies of the
// profile file and the active-profile file, and what Delete, Activate and a
// connect started elsewhere do to them. The window's ProfileController and
// `corvane profiles delete` / `corvane connect` share these.
#pragma once

#include <cstddef>

#include "profiles/ConnectEngine.h"
#include "profiles/PreferenceFiles.h"

namespace corvane {

struct ProfileListState {
    PrefArray records;         // Profile.plist
    PrefArray recordActivate;  // ActiveProfileSetting.plist

    // Both files read afresh (missing or unreadable: empty).
    void Refresh();
};

struct DeleteOutcome {
    bool deleted = false;          // the row existed and was removed
    bool activeRemoved = false;    // the active record matched by "BSSID" went with it
    bool queueReset = false;       // it was active ("YES"): the link must be dropped
    bool written = false;          // every file changed was written
};

// Removes row `row`: first the active record when its "BSSID" equals the
// row's (exact comparison, so two profiles without a BSSID match each
// other), writing the active file; then the row, writing the profile file.
DeleteOutcome DeleteProfile(ProfileListState& state, size_t row);

// Converts row `row` for connecting (the activation's 71-byte key record)
// and writes it as the active record ("YES" and its keys). Null when the
// row does not exist. `written` reports the file write.
ProfileRecordPtr ActivateProfile(ProfileListState& state, size_t row, ConverterKeyBuffers& keys,
                                 bool* written = nullptr);

// Marks the in-memory active record inactive ("NO", no "Hidden") and writes
// the file; nothing to do (true) when there is none.
bool DisabledActivateProfile(PrefArray& recordActivate);

}  // namespace corvane

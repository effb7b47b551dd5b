// The profile list page's rules without widgets: its in-memory copies of the
// profile file and the active-profile file, and what Delete, Activate, an
// edit and a connect started elsewhere do to them. The window's
// ProfileController, its profile editor and `corvane` share these.
//
// Each change is made under the preference lock to the files as they are
// now: the profile the user acted on is found again by its content (every
// key and value, as the list showed it), never by its row in an old list,
// and only it is changed. When another program changed or removed it
// meanwhile, nothing is written and the result says so.
#pragma once

#include <cstddef>
#include <optional>

#include "platform/Translate.h"
#include "profiles/ConnectEngine.h"
#include "profiles/PreferenceFiles.h"

namespace corvane {

// What the window says when a change could not be made (title, with the
// file's path as the message where one was not written).
inline constexpr const char* kAlertProfileGone =
    QT_TRANSLATE_NOOP("ProfileList", "The profile has been changed or deleted by another program.");
inline constexpr const char* kAlertProfilesNotSaved =
    QT_TRANSLATE_NOOP("ProfileList", "The profiles could not be saved.");
inline constexpr const char* kAlertActiveNotSaved =
    QT_TRANSLATE_NOOP("ProfileList", "The active profile could not be saved.");

struct ProfileListState {
    PrefArray records;         // Profile.plist
    PrefArray recordActivate;  // ActiveProfileSetting.plist

    // Both files read afresh (missing or unreadable: empty).
    void Refresh();
    // The row the active record was made from (ActiveProfileRow).
    std::optional<size_t> ActiveRow() const;
};

enum class StoreResult {
    kStored,  // found, changed, and every file changed was written
    kGone,    // no longer in the file as the user saw it: nothing written
    kFailed,  // a file could not be written (or the lock was not had): the files are as they were
};

// The row of `records` holding exactly `profile`, `rowHint` first among
// equal ones; none when it is not there.
std::optional<size_t> FindProfile(const PrefArray& records, const PrefDictionary& profile,
                                  size_t rowHint);

struct DeleteOutcome {
    StoreResult result = StoreResult::kGone;
    bool activeRemoved = false;  // the active record was made from it and went with it
    bool queueReset = false;     // that record was active ("YES"): the link must be dropped
};

// Deletes the profile shown at row `row` of `state.records`. The profile
// file is written first; then, when the active record was made from that
// profile, the active file goes (removed, which needs no room on a full disk;
// or written without element 0 when it holds more). Should that second step
// fail, the profile file is put back. Afterwards `state` holds both files as
// they are.
DeleteOutcome DeleteProfile(ProfileListState& state, size_t row);

struct ActivateOutcome {
    StoreResult result = StoreResult::kGone;
    ProfileRecordPtr record;  // kStored: the profile converted for connecting
};

// Writes the profile shown at row `row` as the active record ("YES" and its
// keys) and converts it for connecting (the activation's 71-byte key
// record). Afterwards `state` holds both files as they are.
ActivateOutcome ActivateProfile(ProfileListState& state, size_t row, ConverterKeyBuffers& keys);

// Stores `changed` in place of the profile `shown` (found as FindProfile
// does). When the active record was made from it, the active record follows
// (FollowProfile): the profile file is written first, then the active file,
// and the profile file is put back should the second write fail.
StoreResult ReplaceProfile(const PrefDictionary& shown, size_t rowHint,
                           const PrefDictionary& changed);
// Appends `profile` to the profile file as it is now.
bool AppendProfile(const PrefDictionary& profile);

// Marks the active record inactive ("NO", no "Hidden"), rebuilt from the
// file as it is now, and leaves that in `recordActivate`; nothing to do
// (true) when the file holds none.
bool DisabledActivateProfile(PrefArray& recordActivate);

}  // namespace corvane

// The active-profile record: built from a profile when it is activated, and
// rebuilt inactive when another connection takes over.
#pragma once

#include "profiles/PreferenceFiles.h"

namespace corvane {

// "Active Profile Flag" "YES" and the profile's keys, "Hidden" included.
PrefDictionary BuildActiveRecord(const PrefDictionary& profile);

// "Active Profile Flag" "NO" and the old record's keys, without "Hidden".
PrefDictionary BuildInactiveRecord(const PrefDictionary& active);

// Writes `profile` as the active record of ActiveProfileSetting.plist.
bool WriteActiveProfile(const PrefDictionary& profile);
// Marks the active record inactive; nothing to do (true) when there is none.
bool DisableActiveProfile();

}  // namespace corvane

// The active-profile record: built from a profile when it is activated,
// rebuilt inactive when another connection takes over, and matched back to
// the profile it was made from.
#pragma once

#include <cstddef>
#include <optional>

#include "profiles/PreferenceFiles.h"

namespace corvane {

// "Active Profile Flag" "YES" and the profile's keys, "Hidden" included.
PrefDictionary BuildActiveRecord(const PrefDictionary& profile);

// "Active Profile Flag" "NO" and the old record's keys, without "Hidden".
PrefDictionary BuildInactiveRecord(const PrefDictionary& active);

// The record the active file holds once `profile`, the one it was made
// from, has been changed: the same flag, the profile's keys.
PrefDictionary FollowProfile(const PrefDictionary& active, const PrefDictionary& profile);

// The row of `profiles` the active record (element 0 of `active`, whatever
// its flag) was made from, or none. The one rule by which every program
// matches the two:
//  - a record with a BSSID belongs to the profile with that BSSID; when
//    several have it, to the first whose "Profile Name" and "SSID" are the
//    record's too, and to none when no such one is among them;
//  - a record without a BSSID belongs to the first profile without one whose
//    "Profile Name" and "SSID" are the record's.
// So two profiles typed in by name (no BSSID) are never taken for each
// other, and a record written before names were compared still finds its
// profile by the BSSID alone.
std::optional<size_t> ActiveProfileRow(const PrefArray& profiles, const PrefArray& active);

// Writes `profile` as the active record of ActiveProfileSetting.plist.
bool WriteActiveProfile(const PrefDictionary& profile);
// Marks the active record of ActiveProfileSetting.plist inactive (see
// DisabledActivateProfile in ProfileList.h); nothing to do (true) when there
// is none.
bool DisableActiveProfile();

}  // namespace corvane

#include "profiles/ActiveRecord.h"

#include <array>

#include "profiles/PreferenceLock.h"
#include "profiles/ProfileList.h"

namespace corvane {
namespace {

// The keys copied into the active record, in the order they are written.
// clang-format off
constexpr std::array kCopiedKeys = {
    kKeyProfileName,   kKeyAcPowerCam,      kKeyAuthenticationType, kKeyChannel,
    kKeyEncryptionType, kKeyFragThreshold,  kKeyNetworkType,        kKeyPreambleType,
    kKeyPowerSaveMode, kKeyRtsThreshold,    kKeySsid,               kKeyBssid,
    kKeyTxPower,       kKeyWepKey[0],       kKeyWepKeyType[0],      kKeyWepKey[1],
    kKeyWepKeyType[1], kKeyWepKey[2],       kKeyWepKeyType[2],      kKeyWepKey[3],
    kKeyWepKeyType[3], kKeyWepKeyUse,       kKeyWpaPsk};
// clang-format on

PrefDictionary BuildRecord(const PrefDictionary& source, const char* flag) {
    PrefDictionary record;
    record.Set(kKeyActiveProfileFlag, flag);
    for (const char* key : kCopiedKeys) record.Set(key, source.Value(key));
    return record;
}

bool SameNameAndSsid(const PrefDictionary& a, const PrefDictionary& b) {
    return a.Value(kKeyProfileName) == b.Value(kKeyProfileName) &&
           a.Value(kKeySsid) == b.Value(kKeySsid);
}

}  // namespace

PrefDictionary BuildActiveRecord(const PrefDictionary& profile) {
    PrefDictionary record = BuildRecord(profile, kActiveYes);
    record.Set(kKeyHidden, profile.Value(kKeyHidden));
    return record;
}

PrefDictionary BuildInactiveRecord(const PrefDictionary& active) {
    return BuildRecord(active, kActiveNo);
}

PrefDictionary FollowProfile(const PrefDictionary& active, const PrefDictionary& profile) {
    PrefDictionary record = BuildActiveRecord(profile);
    return IsActiveRecord({active}) ? record : BuildInactiveRecord(record);
}

std::optional<size_t> ActiveProfileRow(const PrefArray& profiles, const PrefArray& active) {
    if (active.empty()) return std::nullopt;
    const PrefDictionary& record = active.front();
    const std::string bssid = record.Value(kKeyBssid);
    std::optional<size_t> only;  // the one profile with the record's BSSID, if one
    size_t withBssid = 0;
    for (size_t row = 0; row < profiles.size(); ++row) {
        if (profiles[row].Value(kKeyBssid) != bssid) continue;
        if (SameNameAndSsid(profiles[row], record)) return row;
        if (withBssid++ == 0) only = row;
    }
    if (bssid.empty() || withBssid != 1) return std::nullopt;
    return only;
}

bool WriteActiveProfile(const PrefDictionary& profile) {
    return UpdatePreferenceArray(kActiveProfilePath, [&](PrefArray& array) {
        ReplaceFirstOrAppend(array, BuildActiveRecord(profile));
        return true;
    });
}

bool DisableActiveProfile() {
    PrefArray array;
    return DisabledActivateProfile(array);
}

}  // namespace corvane

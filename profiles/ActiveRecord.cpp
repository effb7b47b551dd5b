#include "profiles/ActiveRecord.h"

#include <array>

#include "profiles/ProfileList.h"

namespace corvane {
namespace {

// The keys copied into the active record, in the order they are written.
constexpr std::array kCopiedKeys = {
    kKeyProfileName,   kKeyAcPowerCam,      kKeyAuthenticationType, kKeyChannel,
    kKeyEncryptionType, kKeyFragThreshold,  kKeyNetworkType,        kKeyPreambleType,
    kKeyPowerSaveMode, kKeyRtsThreshold,    kKeySsid,               kKeyBssid,
    kKeyTxPower,       kKeyWepKey[0],       kKeyWepKeyType[0],      kKeyWepKey[1],
    kKeyWepKeyType[1], kKeyWepKey[2],       kKeyWepKeyType[2],      kKeyWepKey[3],
    kKeyWepKeyType[3], kKeyWepKeyUse,       kKeyWpaPsk};

PrefDictionary BuildRecord(const PrefDictionary& source, const char* flag) {
    PrefDictionary record;
    record.Set(kKeyActiveProfileFlag, flag);
    for (const char* key : kCopiedKeys) record.Set(key, source.Value(key));
    return record;
}

}  // namespace

PrefDictionary BuildActiveRecord(const PrefDictionary& profile) {
    PrefDictionary record = BuildRecord(profile, kActiveYes);
    record.Set(kKeyHidden, profile.Value(kKeyHidden));
    return record;
}

PrefDictionary BuildInactiveRecord(const PrefDictionary& active) { return BuildRecord(active, kActiveNo); }

bool WriteActiveProfile(const PrefDictionary& profile) {
    PrefArray array = ReadPreferenceArray(kActiveProfilePath);
    ReplaceFirstOrAppend(array, BuildActiveRecord(profile));
    return WritePreferenceArray(kActiveProfilePath, array);
}

bool DisableActiveProfile() {
    PrefArray array = ReadPreferenceArray(kActiveProfilePath);
    return DisabledActivateProfile(array);
}

}  // namespace corvane

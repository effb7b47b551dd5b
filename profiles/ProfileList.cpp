#include "profiles/ProfileList.h"

#include "profiles/ActiveRecord.h"

namespace corvane {

void ProfileListState::Refresh() {
    records = ReadPreferenceArray(kProfileListPath);
    recordActivate = ReadPreferenceArray(kActiveProfilePath);
}

DeleteOutcome DeleteProfile(ProfileListState& state, size_t row) {
    DeleteOutcome outcome;
    if (row >= state.records.size()) return outcome;
    outcome.written = true;
    const std::string bssid = state.records[row].Value(kKeyBssid);
    if (!state.recordActivate.empty() && state.recordActivate.front().Value(kKeyBssid) == bssid) {
        outcome.queueReset = IsActiveRecord(state.recordActivate);
        state.recordActivate.erase(state.recordActivate.begin());
        outcome.activeRemoved = true;
        outcome.written = WritePreferenceArray(kActiveProfilePath, state.recordActivate);
    }
    state.records.erase(state.records.begin() + long(row));
    outcome.written = WritePreferenceArray(kProfileListPath, state.records) && outcome.written;
    outcome.deleted = true;
    return outcome;
}

ProfileRecordPtr ActivateProfile(ProfileListState& state, size_t row, ConverterKeyBuffers& keys, bool* written) {
    if (row >= state.records.size()) return nullptr;
    const PrefDictionary& profile = state.records[row];
    ProfileRecordPtr record = ConvertProfile(profile, kPaneActivate.pskKeyRecordLength, keys);
    ReplaceFirstOrAppend(state.recordActivate, BuildActiveRecord(profile));
    const bool ok = WritePreferenceArray(kActiveProfilePath, state.recordActivate);
    if (written) *written = ok;
    return record;
}

bool DisabledActivateProfile(PrefArray& recordActivate) {
    if (recordActivate.empty()) return true;
    ReplaceFirstOrAppend(recordActivate, BuildInactiveRecord(recordActivate.front()));
    return WritePreferenceArray(kActiveProfilePath, recordActivate);
}

}  // namespace corvane

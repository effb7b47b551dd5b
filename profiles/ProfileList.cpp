#include "profiles/ProfileList.h"

#include "profiles/ActiveRecord.h"
#include "profiles/PreferenceLock.h"

namespace corvane {
namespace {

// The active file without its element 0: removed when nothing else is in it.
bool DropActiveRecord(PrefArray active) {
    active.erase(active.begin());
    if (!active.empty()) return WritePreferenceArray(kActiveProfilePath, active);
    return RemovePreferenceFile(kActiveProfilePath);
}

}  // namespace

void ProfileListState::Refresh() {
    records = ReadPreferenceArray(kProfileListPath);
    recordActivate = ReadPreferenceArray(kActiveProfilePath);
}

std::optional<size_t> ProfileListState::ActiveRow() const {
    return ActiveProfileRow(records, recordActivate);
}

std::optional<size_t> FindProfile(const PrefArray& records, const PrefDictionary& profile,
                                  size_t rowHint) {
    if (rowHint < records.size() && records[rowHint] == profile) return rowHint;
    for (size_t row = 0; row < records.size(); ++row)
        if (records[row] == profile) return row;
    return std::nullopt;
}

DeleteOutcome DeleteProfile(ProfileListState& state, size_t row) {
    DeleteOutcome outcome;
    if (row >= state.records.size()) return outcome;
    const PrefDictionary shown = state.records[row];
    PreferenceLock lock;
    if (!lock.Held()) {
        outcome.result = StoreResult::kFailed;
        return outcome;
    }
    state.Refresh();
    const std::optional<size_t> found = FindProfile(state.records, shown, row);
    if (!found) return outcome;
    const PrefArray before = state.records;
    const bool active = state.ActiveRow() == found;
    PrefArray after = before;
    after.erase(after.begin() + long(*found));
    outcome.result = StoreResult::kFailed;
    if (!WritePreferenceArray(kProfileListPath, after)) return outcome;
    if (active && !DropActiveRecord(state.recordActivate)) {
        WritePreferenceArray(kProfileListPath, before);  // both as they were
        state.Refresh();
        return outcome;
    }
    outcome.result = StoreResult::kStored;
    outcome.activeRemoved = active;
    outcome.queueReset = active && IsActiveRecord(state.recordActivate);
    state.Refresh();
    return outcome;
}

ActivateOutcome ActivateProfile(ProfileListState& state, size_t row, ConverterKeyBuffers& keys) {
    ActivateOutcome outcome;
    if (row >= state.records.size()) return outcome;
    const PrefDictionary shown = state.records[row];
    PreferenceLock lock;
    if (!lock.Held()) {
        outcome.result = StoreResult::kFailed;
        return outcome;
    }
    state.Refresh();
    if (!FindProfile(state.records, shown, row)) return outcome;
    PrefArray active = state.recordActivate;
    ReplaceFirstOrAppend(active, BuildActiveRecord(shown));
    if (!WritePreferenceArray(kActiveProfilePath, active)) {
        outcome.result = StoreResult::kFailed;
        return outcome;
    }
    state.recordActivate = std::move(active);
    outcome.result = StoreResult::kStored;
    outcome.record = ConvertProfile(shown, kPaneActivate.pskKeyRecordLength, keys);
    return outcome;
}

StoreResult ReplaceProfile(const PrefDictionary& shown, size_t rowHint,
                           const PrefDictionary& changed) {
    PreferenceLock lock;
    if (!lock.Held()) return StoreResult::kFailed;
    ProfileListState now;
    now.Refresh();
    const std::optional<size_t> found = FindProfile(now.records, shown, rowHint);
    if (!found) return StoreResult::kGone;
    const bool active = now.ActiveRow() == found;
    PrefArray after = now.records;
    after[*found] = changed;
    if (!WritePreferenceArray(kProfileListPath, after)) return StoreResult::kFailed;
    if (!active) return StoreResult::kStored;
    PrefArray followed = now.recordActivate;
    followed.front() = FollowProfile(followed.front(), changed);
    if (followed == now.recordActivate || WritePreferenceArray(kActiveProfilePath, followed))
        return StoreResult::kStored;
    WritePreferenceArray(kProfileListPath, now.records);  // both as they were
    return StoreResult::kFailed;
}

bool AppendProfile(const PrefDictionary& profile) {
    return UpdatePreferenceArray(kProfileListPath, [&](PrefArray& records) {
        records.push_back(profile);
        return true;
    });
}

bool DisabledActivateProfile(PrefArray& recordActivate) {
    PreferenceLock lock;
    if (!lock.Held()) return false;
    PrefArray active = ReadPreferenceArray(kActiveProfilePath);
    if (!active.empty()) {
        ReplaceFirstOrAppend(active, BuildInactiveRecord(active.front()));
        if (!WritePreferenceArray(kActiveProfilePath, active)) return false;
    }
    recordActivate = std::move(active);
    return true;
}

}  // namespace corvane

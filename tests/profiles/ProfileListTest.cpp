// The profile list page's rules on the two files, in a temporary HOME:
// deleting a profile (and the active mark with it), activating one, and a
// connect started elsewhere marking the active profile inactive.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

#include <filesystem>
#include <map>
#include <optional>

#include "adapter/Globals.h"
#include "platform/Clock.h"
#include "profiles/ActiveRecord.h"
#include "profiles/PreferenceLock.h"
#include "profiles/ProfileList.h"
#include "tests/support/FailingPreferenceWrites.h"
#include "tests/support/ManualClock.h"
#include "tests/support/ProcessValues.h"
#include "tests/support/TempFolders.h"

namespace corvane {
namespace {

using Dict = std::map<std::string, std::string>;
Dict AsMap(const PrefDictionary& d) {
    Dict m;
    for (const auto& [k, v] : d.Entries()) m[k] = v;
    return m;
}

PrefDictionary Profile(const std::string& name, const std::string& bssid) {
    return {{"Profile Name", name},
            {"SSID", name + "-net"},
            {"BSSID", bssid},
            {"Hidden", "1"},
            {"WPAPSK", "k"}};
}
PrefDictionary Active(const std::string& flag, const std::string& bssid) {
    return {
        {"Active Profile Flag", flag}, {"Profile Name", "Home"}, {"BSSID", bssid}, {"Hidden", "0"}};
}
std::vector<std::string> Names(const PrefArray& a) {
    std::vector<std::string> n;
    for (const auto& d : a) n.push_back(d.Value("Profile Name"));
    return n;
}

PrefDictionary Named(const std::string& name, const std::string& ssid, const std::string& bssid) {
    return {{"Profile Name", name}, {"SSID", ssid}, {"BSSID", bssid}};
}

// The one rule by which the active record finds its profile.
TEST(ProfileList, ActiveProfileRow) {
    const PrefDictionary home = Named("Home", "CorvaneHome", ""),
                         cafe = Named("Cafe", "CafeOpen", "");
    const PrefDictionary ap1 = Named("Office", "Corp", "001122334455"),
                         ap2 = Named("Office 2", "Corp", "001122334455");
    struct Row {
        const char* name;
        PrefArray profiles;
        PrefDictionary active;
        std::optional<size_t> expected;
    } rows[] = {
        {"typed profiles: name and SSID, never another without a BSSID", {home, cafe}, cafe, 1},
        {"typed, renamed since: none", {home, cafe}, Named("Cafe", "Other", ""), std::nullopt},
        {"a BSSID alone finds its one profile (an older record)",
         {home, ap1},
         Named("Old", "", "001122334455"),
         1},
        {"two with the BSSID: the one with the name and SSID", {ap1, ap2}, ap2, 1},
        {"two with the BSSID, neither named so: none",
         {ap1, ap2},
         Named("Old", "Corp", "001122334455"),
         std::nullopt},
        {"a BSSID no profile has",
         {home, ap1},
         Named("Office", "Corp", "AABBCCDDEEFF"),
         std::nullopt},
    };
    for (const Row& row : rows)
        EXPECT_EQ(ActiveProfileRow(row.profiles, {row.active}), row.expected) << row.name;
    EXPECT_EQ(ActiveProfileRow({home}, {}), std::nullopt);
}

TEST(ProfileList, DeleteProfile) {
    const PrefArray profiles = {Profile("Home", "001122334455"), Profile("Cafe", "AABBCCDDEEFF"),
                                Profile("Lab", "")};
    const PrefDictionary lab = BuildActiveRecord(profiles[2]);
    using Outcome = std::array<int, 3>;  // StoreResult, active removed, queue reset
    constexpr int kStored = int(StoreResult::kStored), kGone = int(StoreResult::kGone),
                  kFailed = int(StoreResult::kFailed);
    struct Row {
        const char* name;
        PrefArray active;
        size_t row;
        int failingWrite;  // the write the hook fails (1: the first), 0 none
        Outcome expected;
        std::vector<std::string> left;
        size_t activeLeft;  // records the active file still holds
    } rows[] = {
        // clang-format off
        {"the active profile: its mark goes, the link is dropped",
         {Active("YES", "001122334455")}, 0, 0, {kStored, 1, 1}, {"Cafe", "Lab"}, 0},
        {"an inactive mark goes, nothing is dropped",
         {Active("NO", "001122334455")}, 0, 0, {kStored, 1, 0}, {"Cafe", "Lab"}, 0},
        {"another profile: the mark stays",
         {Active("YES", "001122334455")}, 1, 0, {kStored, 0, 0}, {"Home", "Lab"}, 1},
        {"a profile without a BSSID is not the active one without a BSSID",
         {Active("YES", "")}, 2, 0, {kStored, 0, 0}, {"Home", "Cafe"}, 1},
        {"a profile without a BSSID, by name and SSID", {lab}, 2, 0, {kStored, 1, 1}, {"Home", "Cafe"}, 0},
        {"the comparison is exact",
         {Active("YES", "aabbccddeeff")}, 1, 0, {kStored, 0, 0}, {"Home", "Lab"}, 1},
        {"no active file", {}, 0, 0, {kStored, 0, 0}, {"Cafe", "Lab"}, 0},
        {"a row the list lacks", {Active("YES", "")}, 3, 0, {kGone, 0, 0}, {"Home", "Cafe", "Lab"}, 1},
        {"the profile file cannot be written: both as they were",
         {Active("YES", "001122334455")}, 0, 1, {kFailed, 0, 0}, {"Home", "Cafe", "Lab"}, 1},
        {"the active file cannot be written: the profile file is put back",
         {Active("YES", "001122334455"), Active("NO", "")}, 0, 2, {kFailed, 0, 0}, {"Home", "Cafe", "Lab"}, 2},
        // clang-format on
    };
    for (const Row& row : rows) {
        test::TempHome home;
        ASSERT_TRUE(WritePreferenceArray(kProfileListPath, profiles));
        if (!row.active.empty()) {
            ASSERT_TRUE(WritePreferenceArray(kActiveProfilePath, row.active));
        }
        ProfileListState state;
        state.Refresh();
        test::FailingPreferenceWrites failing(row.failingWrite);
        std::optional<ScopedPreferenceWriter> writes(failing);
        const DeleteOutcome outcome = DeleteProfile(state, row.row);
        writes.reset();
        EXPECT_EQ((Outcome{int(outcome.result), outcome.activeRemoved, outcome.queueReset}),
                  row.expected)
            << row.name;
        EXPECT_EQ(Names(ReadPreferenceArray(kProfileListPath)), row.left) << row.name;
        EXPECT_EQ(Names(state.records), row.left) << row.name;
        EXPECT_EQ(ReadPreferenceArray(kActiveProfilePath).size(), row.activeLeft) << row.name;
        EXPECT_EQ(state.recordActivate.size(), row.activeLeft) << row.name;
    }
}

TEST(ProfileList, ActiveMarkOnAndOff) {
    corvane::test::ResetGlobals();
    __DEBUG__ = 0;
    test::TempHome home;
    PrefArray inactive;
    ASSERT_TRUE(DisabledActivateProfile(inactive));  // nothing active: nothing written
    EXPECT_FALSE(std::filesystem::exists(home.PreferencesFile("ActiveProfileSetting.plist")));

    ASSERT_TRUE(WritePreferenceArray(kProfileListPath,
                                     {Profile("Home", "001122334455"), Profile("Cafe", "")}));
    ProfileListState state;
    state.Refresh();
    ConverterKeyBuffers keys;
    EXPECT_EQ(ActivateProfile(state, 2, keys).result, StoreResult::kGone);
    ActivateOutcome activated = ActivateProfile(state, 1, keys);
    EXPECT_EQ(activated.result, StoreResult::kStored);
    ASSERT_NE(activated.record, nullptr);
    PrefArray active = ReadPreferenceArray(kActiveProfilePath);
    ASSERT_EQ(active.size(), 1u);
    EXPECT_EQ(active[0].Value("Active Profile Flag"), "YES");
    EXPECT_EQ(active[0].Value("Profile Name"), "Cafe");
    EXPECT_EQ(active[0].Value("Hidden"), "1");

    // A connect from the site survey: "NO", the other keys kept, no "Hidden".
    ASSERT_TRUE(DisabledActivateProfile(state.recordActivate));
    active = ReadPreferenceArray(kActiveProfilePath);
    ASSERT_EQ(active.size(), 1u);
    Dict expected = AsMap(state.recordActivate[0]);
    EXPECT_EQ(expected["Active Profile Flag"], "NO");
    EXPECT_EQ(expected["Profile Name"], "Cafe");
    EXPECT_EQ(expected["WPAPSK"], "k");
    EXPECT_EQ(expected.count("Hidden"), 0u);
    EXPECT_EQ(AsMap(active[0]), expected);
    corvane::test::ResetGlobals();
}

// Another program holding the preference lock for the whole wait: the
// change is not made and the caller hears of it.
TEST(ProfileList, AChangeWaitsForTheLockAndFailsWhenItStaysHeld) {
    test::TempHome home;
    corvane::test::ManualClock clock;  // the five seconds' wait costs nothing
    platform::ScopedClock scope(clock);
    ASSERT_TRUE(WritePreferenceArray(kProfileListPath, {Profile("Home", "")}));
    { PreferenceLock created; }
    const int other = open(PreferenceLockPath().c_str(), O_RDWR);
    ASSERT_EQ(flock(other, LOCK_EX), 0);
    EXPECT_FALSE(AppendProfile(Profile("Cafe", "")));
    EXPECT_GE(clock.TotalSlept(), uint64_t(kPreferenceLockWaitMs) * 1000);
    close(other);
    EXPECT_TRUE(AppendProfile(Profile("Cafe", "")));
    EXPECT_EQ(Names(ReadPreferenceArray(kProfileListPath)),
              (std::vector<std::string>{"Home", "Cafe"}));
}

}  // namespace
}  // namespace corvane

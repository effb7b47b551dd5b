// The profile list page's rules on the two files, in a temporary HOME:
// deleting a profile (and the active mark with it), activating one, and a
// connect started elsewhere marking the active profile inactive.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "adapter/Globals.h"
#include "profiles/ProfileList.h"
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

TEST(ProfileList, DeleteProfile) {
    const PrefArray profiles = {Profile("Home", "001122334455"), Profile("Cafe", "AABBCCDDEEFF"),
                                Profile("Lab", "")};
    using Outcome = std::array<bool, 4>;  // deleted, active removed, queue reset, written
    struct Row {
        const char* name;
        PrefArray active;
        size_t row;
        Outcome expected;
        std::vector<std::string> left;
        bool activeLeft;  // the active file still holds its record
    } rows[] = {
        // clang-format off
        {"the active profile: its mark goes, the link is dropped",
         {Active("YES", "001122334455")}, 0, {1, 1, 1, 1}, {"Cafe", "Lab"}, false},
        {"an inactive mark goes, nothing is dropped",
         {Active("NO", "001122334455")}, 0, {1, 1, 0, 1}, {"Cafe", "Lab"}, false},
        {"another profile: the mark stays",
         {Active("YES", "001122334455")}, 1, {1, 0, 0, 1}, {"Home", "Lab"}, true},
        {"no BSSID on either side matches",
         {Active("YES", "")}, 2, {1, 1, 1, 1}, {"Home", "Cafe"}, false},
        {"the comparison is exact",
         {Active("YES", "aabbccddeeff")}, 1, {1, 0, 0, 1}, {"Home", "Lab"}, true},
        {"no active file", {}, 0, {1, 0, 0, 1}, {"Cafe", "Lab"}, false},
        {"a row the list lacks", {Active("YES", "")}, 3, {0, 0, 0, 0}, {"Home", "Cafe", "Lab"}, true},
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
        const DeleteOutcome outcome = DeleteProfile(state, row.row);
        EXPECT_EQ(
            (Outcome{outcome.deleted, outcome.activeRemoved, outcome.queueReset, outcome.written}),
            row.expected)
            << row.name;
        EXPECT_EQ(Names(ReadPreferenceArray(kProfileListPath)), row.left) << row.name;
        EXPECT_EQ(Names(state.records), row.left) << row.name;
        EXPECT_EQ(ReadPreferenceArray(kActiveProfilePath).size(), row.activeLeft ? 1u : 0u)
            << row.name;
        EXPECT_EQ(state.recordActivate.size(), row.activeLeft ? 1u : 0u) << row.name;
    }
}

TEST(ProfileList, ActiveMarkOnAndOff) {
    ResetGlobalsForTest();
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
    bool written = false;
    EXPECT_EQ(ActivateProfile(state, 2, keys, &written), nullptr);
    ASSERT_NE(ActivateProfile(state, 1, keys, &written), nullptr);
    EXPECT_TRUE(written);
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
    ResetGlobalsForTest();
}

}  // namespace
}  // namespace corvane

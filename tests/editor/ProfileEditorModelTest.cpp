// The profile editor without its window: the proposed name, the dictionary
// stored for each way into the sheet, and OK against a temporary HOME.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <functional>
#include <map>

#include "adapter/Globals.h"
#include "adapter/Oids.h"
#include "editor/ProfileEditorModel.h"
#include "platform/Alert.h"
#include "tests/support/FailingPreferenceWrites.h"
#include "tests/support/ProcessValues.h"
#include "tests/support/RecordingAlerts.h"
#include "tests/support/ScanEntries.h"
#include "tests/support/TempFolders.h"

namespace corvane::test {
namespace {

using Dict = std::map<std::string, std::string>;

Dict AsMap(const PrefDictionary& d) {
    Dict m;
    for (const auto& [k, v] : d.Entries()) m[k] = v;
    return m;
}
PrefDictionary Named(const std::string& name) { return PrefDictionary{{"Profile Name", name}}; }

TEST(ProfileEditor, ProposedProfileName) {
    const std::pair<std::vector<std::string>, std::string> rows[] = {
        {{}, "PROF1"},
        {{"PROF2", "Office"}, "PROF3"},
        {{"PROF1", "PROF7"}, "PROF8"},
        {{"prof3"}, "PROF4"},
        {{"MyPROF9"}, "PROF1"},  // read from its fifth character on: "OF9"
        {{"PROF"}, "PROF1"},
        {{"PROF 12", "Home"}, "PROF13"},
        {{"PROF-4"}, "PROF1"},
        {{"PROF12abc", "PROF3"}, "PROF13"},
    };
    for (const auto& [names, expected] : rows) {
        PrefArray records;
        for (const std::string& n : names) records.push_back(Named(n));
        records.push_back(PrefDictionary{{"SSID", "no name"}});
        EXPECT_EQ(GetNextProfileName(records), expected) << testing::PrintToString(names);
    }
}

const std::array<uint8_t, 6> kMacHome = {0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E};
const std::array<uint8_t, 6> kMacCafe = {0xA0, 0xB1, 0xC2, 0xD3, 0xE4, 0xF5};
const std::array<uint8_t, 6> kMacCafe2 = {0xA0, 0xB1, 0xC2, 0xD3, 0xE4, 0x06};

// The plan of region 0: channels 1..11.
constexpr uint8_t kRegion0Plan[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};

class ProfileEditorTest : public ::testing::Test {
protected:
    ProfileEditorTest() : alertGuard_(alerts_) {
        corvane::test::ResetGlobals();
        __DEBUG__ = 0;
        auto entry = [](const char* ssid, std::array<uint8_t, 6> mac) {
            ScanEntrySpec s;
            s.ssid = ssid;
            s.mac = mac;
            return ScanEntry(s);
        };
        scan_ = ScanListOf(
            {entry("Home", kMacHome), entry("Cafe", kMacCafe), entry("Cafe", kMacCafe2)});
    }
    ~ProfileEditorTest() override { corvane::test::ResetGlobals(); }

    ProfileEditorModel Model() {
        return ProfileEditorModel([this] { return std::span<const uint8_t>(scan_); },
                                  [] { return std::span<const uint8_t>(kRegion0Plan); });
    }
    PrefArray Stored() { return ReadPreferenceArray(kProfileListPath); }

    TempHome home_;
    corvane::test::RecordingAlerts alerts_;
    ByteVec scan_;

private:
    platform::ScopedAlerts alertGuard_;
};

// The dictionary of a new profile started with Add and an SSID typed in.
Dict TypedNewProfile() {
    // clang-format off
    return {{"Profile Name", "PROF1"}, {"SSID", "Typed"}, {"Network Type", "1"}, {"Channel", "1"},
            {"Preamble Type", "0"}, {"Tx Power", "0"}, {"Power Save Mode", "0"},
            {"AC Power CAM", "0"}, {"RTS Threshold", "2347"}, {"Fragmentation Threshold", "2346"},
            {"Authentication Type", "0"}, {"Encryption Type", "0"},
            {"WEPKey1", ""}, {"WEPKey2", ""}, {"WEPKey3", ""}, {"WEPKey4", ""},
            {"WEPKey1 Type", "0"}, {"WEPKey2 Type", "0"}, {"WEPKey3 Type", "0"},
            {"WEPKey4 Type", "0"}, {"WEPKeyUse", "0"}, {"WPAPSK", ""}, {"BSSID", ""},
            {"Hidden", "1"}};
    // clang-format on
}

TEST_F(ProfileEditorTest, DictionaryForEachWayIn) {
    using M = ProfileEditorModel;
    using Focus = M::Focus;
    const ProfilePrefill wpa2Cafe2{"Cafe",
                                   kMacCafe2,
                                   Ndis802_11Encryption3Enabled,
                                   Ndis802_11AuthModeWPA2PSK,
                                   Ndis802_11Infrastructure,
                                   6};
    const ProfilePrefill wepHome{
        "Home", kMacHome, Ndis802_11WEPEnabled, Ndis802_11AuthModeOpen, Ndis802_11Infrastructure,
        6};
    const ProfilePrefill adhocCh13{
        "Home", kMacHome, Ndis802_11WEPDisabled, Ndis802_11AuthModeWPANone, Ndis802_11IBSS, 13};
    const ProfilePrefill gone{
        "Gone", kMacCafe, Ndis802_11WEPDisabled, Ndis802_11AuthModeOpen, Ndis802_11Infrastructure,
        6};
    struct Row {
        const char* name;
        std::function<void(M&)> steps;
        Dict changes;  // from the typed new profile
        Focus focus = Focus::None;
    };
    // clang-format off
    const Row rows[] = {
        {"Add, SSID typed", [](M& m) { m.AddInit(); m.ssidText = "Typed"; }, {}},
        {"Add after a prefill: no access point left over",
         [&](M& m) { m.AddProfile(wpa2Cafe2); m.AddInit(); m.ssidText = "Typed"; }, {}},
        {"Add, SSID picked from the list", [](M& m) { m.AddInit(); m.OnSSID(1); },
         {{"SSID", "Cafe"}, {"BSSID", "A0B1C2D3E4F5"}, {"Hidden", "0"}}},
        {"Add, picked, then edited",
         [](M& m) { m.AddInit(); m.OnSSID(1); m.ssidText = "Typed"; }, {}},
        {"Add, ad hoc on channel 11",
         [](M& m) { m.AddInit(); m.OnNetworkType(0); m.OnChannel(10); m.ssidText = "x"; },
         {{"SSID", "x"}, {"Network Type", "0"}, {"Channel", "11"}, {"Hidden", "0"}}},
        {"Add, WEP with key 2 for transmission, power save",
         [](M& m) {
             m.AddInit(); m.ssidText = "Typed";
             m.keys.setEncryTypeCombo(kEncOpenWep);
             m.keys.OnWEPKeyCombo(1, kKeyTypeAscii);
             m.keys.fields.keyText[1] = "abcde";
             m.keys.fields.radio = {false, true, false, false};
             m.psMode = m.camWhenAcPower = true;
             m.OnTxPower(3);
         },
         {{"Encryption Type", "1"}, {"WEPKey2", "abcde"}, {"WEPKey2 Type", "1"}, {"WEPKeyUse", "1"},
          {"Power Save Mode", "1"}, {"AC Power CAM", "1"}, {"Tx Power", "3"}}},
        {"from the scan: WPA2-PSK with AES, the chosen access point of two",
         [&](M& m) { m.AddProfile(wpa2Cafe2); m.keys.fields.wpaPreSharedKey = "passphrase"; },
         {{"SSID", "Cafe"}, {"Authentication Type", "3"}, {"Encryption Type", "1"},
          {"WPAPSK", "passphrase"}, {"BSSID", "A0B1C2D3E406"}, {"Hidden", "0"}},
         Focus::PreSharedKey},
        {"from the scan: WEP",
         [&](M& m) { m.AddProfile(wepHome); m.keys.fields.keyText[0] = "0123456789"; },
         {{"SSID", "Home"}, {"Encryption Type", "1"}, {"WEPKey1", "0123456789"},
          {"BSSID", "001A2B3C4D5E"}, {"Hidden", "0"}}, Focus::FirstWepKey},
        {"from the scan, name typed over: hidden, the scanned access point",
         [&](M& m) { m.AddProfile(wepHome); m.ssidText = "Typed"; },
         {{"Encryption Type", "1"}, {"BSSID", "001A2B3C4D5E"}}, Focus::FirstWepKey},
        {"from the scan: ad hoc beyond the plan's last channel",
         [&](M& m) { m.AddProfile(adhocCh13); },
         {{"SSID", "Home"}, {"Network Type", "0"}, {"BSSID", "001A2B3C4D5E"}, {"Hidden", "0"}},
         Focus::FirstWepKey},
        {"from the scan: a name the list lacks takes entry 0", [&](M& m) { m.AddProfile(gone); },
         {{"SSID", "Home"}, {"BSSID", "001A2B3C4D5E"}, {"Hidden", "0"}}, Focus::FirstWepKey},
    };
    // clang-format on
    for (const Row& row : rows) {
        ProfileEditorModel m = Model();
        row.steps(m);
        Dict expected = TypedNewProfile();
        for (const auto& [k, v] : row.changes) expected[k] = v;
        EXPECT_EQ(AsMap(m.createProfileData()), expected) << row.name;
        EXPECT_EQ(m.focus, row.focus) << row.name;
        EXPECT_TRUE(m.IsNewData) << row.name;
    }
}

// An edited profile comes back exactly as stored, except what was changed;
// the other profiles stay where they were.
TEST_F(ProfileEditorTest, EditReplacesOnlyItsEntry) {
    // clang-format off
    const PrefDictionary edited{
        {"Profile Name", "Lab"}, {"SSID", "Cafe"}, {"Network Type", "0"}, {"Channel", "9"},
        {"Preamble Type", "1"}, {"Tx Power", "2"}, {"Power Save Mode", "1"}, {"AC Power CAM", "1"},
        {"RTS Threshold", "500"}, {"Fragmentation Threshold", "800"},
        {"Authentication Type", "0"}, {"Encryption Type", "1"},
        {"WEPKey1", "abcde"}, {"WEPKey2", ""}, {"WEPKey3", "0123456789"}, {"WEPKey4", ""},
        {"WEPKey1 Type", "1"}, {"WEPKey2 Type", "0"}, {"WEPKey3 Type", "0"}, {"WEPKey4 Type", "0"},
        {"WEPKeyUse", "2"}, {"WPAPSK", "left over"}, {"BSSID", "0A0B0C0D0E0F"}, {"Hidden", "1"}};
    // clang-format on
    const PrefArray before = {Named("First"), edited,
                              PrefDictionary{{"Profile Name", "Third"}, {"SSID", "x"}}};
    ASSERT_TRUE(WritePreferenceArray(kProfileListPath, before));

    ProfileEditorModel m = Model();
    ASSERT_TRUE(m.EditInit(1));
    EXPECT_FALSE(m.IsNewData);
    EXPECT_EQ(m.ssidSelected, 1);
    EXPECT_EQ(m.channelSelected, 8);
    EXPECT_TRUE(m.rtsEnabled);
    EXPECT_EQ(m.fragSlider, 800);
    EXPECT_EQ(AsMap(m.createProfileData()), AsMap(edited)) << "nothing changed, nothing lost";

    m.OnTxPower(4);
    ASSERT_TRUE(m.OnOK());
    PrefDictionary expected = edited;
    expected.Set("Tx Power", "4");
    const PrefArray after = Stored();
    ASSERT_EQ(after.size(), 3u);
    EXPECT_EQ(after[0], before[0]);
    EXPECT_EQ(AsMap(after[1]), AsMap(expected));
    EXPECT_EQ(after[2], before[2]);
    EXPECT_TRUE(alerts_.alerts.empty());

    // An index the file no longer has opens nothing.
    EXPECT_FALSE(m.EditInit(3));
    EXPECT_FALSE(m.EditInit(-1));
}

TEST_F(ProfileEditorTest, OkChecksAndWrites) {
    using Alert = corvane::test::RecordingAlerts::Alert;
    ProfileEditorModel m = Model();

    // No SSID: the alert, nothing written.
    m.AddInit();
    EXPECT_FALSE(m.OnOK());
    EXPECT_EQ(alerts_.alerts, (std::vector<Alert>{{"Please keyin the SSID", "", "OK"}}));
    EXPECT_FALSE(std::filesystem::exists(home_.PreferencesFile("Profile.plist")));

    // A key the rules refuse: its alert, nothing written.
    m.ssidText = "Typed";
    m.keys.setAuthenTypeCombo(kAuthWpa2Psk);
    m.keys.fields.wpaPreSharedKey = "short";
    EXPECT_FALSE(m.OnOK());
    EXPECT_EQ(alerts_.alerts.size(), 2u);
    EXPECT_FALSE(std::filesystem::exists(home_.PreferencesFile("Profile.plist")));

    // A write that fails: an alert, the sheet stays open with its list.
    m.keys.fields.wpaPreSharedKey = "long enough";
    {
        FailingPreferenceWrites failing;
        ScopedPreferenceWriter writes(failing);
        EXPECT_FALSE(m.OnOK());
    }
    ASSERT_EQ(alerts_.alerts.size(), 3u);
    EXPECT_EQ(alerts_.alerts[2].title, "The profile could not be saved.");
    EXPECT_TRUE(Stored().empty());

    // Then it works: appended to what the file held when the sheet opened.
    ASSERT_TRUE(WritePreferenceArray(kProfileListPath, {Named("PROF4")}));
    m.AddInit();
    EXPECT_EQ(m.profileName, "PROF5");
    m.ssidText = "Typed";
    ASSERT_TRUE(m.OnOK());
    const PrefArray stored = Stored();
    ASSERT_EQ(stored.size(), 2u);
    EXPECT_EQ(stored[1].Value("Profile Name"), "PROF5");
    EXPECT_TRUE(m.records.empty());
    EXPECT_EQ(alerts_.alerts.size(), 3u);
}

}  // namespace
}  // namespace corvane::test

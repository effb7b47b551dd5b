#include <gtest/gtest.h>
#include <plist/plist.h>
#include <sys/stat.h>

#include <climits>
#include <filesystem>
#include <fstream>

#include "profiles/ActiveRecord.h"
#include "profiles/PreferenceFiles.h"
#include "tests/support/TempFolders.h"

namespace corvane {
namespace {

using test::TempHome;

mode_t ModeOf(const std::string& path) {
    struct stat st {};
    EXPECT_EQ(stat(path.c_str(), &st), 0) << path;
    return st.st_mode & 0777;
}

void WriteRaw(const std::string& path, const std::string& bytes) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string ReadRaw(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

const PrefArray kProfiles = {
    {{"Profile Name", "PROF1"}, {"SSID", "Caf\xC3\xA9 <&> \"x\""}, {"WPAPSK", "secret pass"}},
    {{"Profile Name", "PROF2"}, {"SSID", ""}, {"Channel", "11"}},
};

TEST(PreferenceFiles, RoundTripUserOnlyUnderTheCurrentHome) {
    TempHome home;
    const std::string path = home.PreferencesFile("Profile.plist");
    ASSERT_TRUE(WritePreferenceArray(kProfileListPath, kProfiles));
    EXPECT_EQ(ReadPreferenceArray(kProfileListPath), kProfiles);  // values and key order
    EXPECT_NE(ReadRaw(path).find("<plist"), std::string::npos);   // an XML document
    EXPECT_EQ(ModeOf(home.PreferencesFolder()), 0700u);
    EXPECT_EQ(ModeOf(path), 0600u);
    chmod(path.c_str(), 0644);  // left readable by an older writer
    ASSERT_TRUE(WritePreferenceArray(kProfileListPath, {kProfiles[1]}));
    EXPECT_EQ(ModeOf(path), 0600u);
    {
        TempHome other;  // HOME is read each time a file is opened
        EXPECT_TRUE(ReadPreferenceArray(kProfileListPath).empty());
    }
    EXPECT_EQ(ReadPreferenceArray(kProfileListPath), PrefArray{kProfiles[1]});
}

TEST(PreferenceFiles, ReadsBinaryPropertyLists) {
    TempHome home;
    const std::string xml =
        "<plist><array><string>not a dictionary</string><dict><key>SSID</key><string>bin</string>"
        "<key>Channel</key><integer>6</integer><key>Hidden</key><true/><key>Blob</key>"
        "<data>AQI=</data></dict></array></plist>";
    plist_t root = nullptr;
    plist_from_xml(xml.data(), uint32_t(xml.size()), &root);
    char* bin = nullptr;
    uint32_t length = 0;
    plist_to_bin(root, &bin, &length);
    ASSERT_NE(bin, nullptr);
    WriteRaw(home.PreferencesFile("Profile.plist"), std::string(bin, length));
    plist_to_bin_free(bin);
    plist_free(root);
    // The string element is skipped, integers read as decimal text, data left out.
    EXPECT_EQ(ReadPreferenceArray(kProfileListPath),
              (PrefArray{{{"SSID", "bin"}, {"Channel", "6"}, {"Hidden", "1"}}}));
}

TEST(PreferenceFiles, MalformedFilesReadAsEmpty) {
    const std::string head = "<?xml version=\"1.0\"?><plist version=\"1.0\">";
    const std::pair<const char*, std::string> rows[] = {
        {"empty", ""},
        {"garbage", std::string("\x00\xff garbage \x01", 12)},
        {"truncated binary", std::string("bplist00\x01\x02", 10)},
        {"dictionary at top level",
         head + "<dict><key>SSID</key><string>x</string></dict></plist>"},
        {"truncated xml", head + "<array><dict><key>SSID</key><str"},
        {"oversized", head + "<array><dict><key>SSID</key><string>" +
                          std::string(kMaxPreferenceFileSize, 'x') +
                          "</string></dict></array></plist>"},
    };
    for (const auto& [name, bytes] : rows) {
        TempHome home;
        WriteRaw(home.PreferencesFile("Profile.plist"), bytes);
        EXPECT_TRUE(ReadPreferenceArray(kProfileListPath).empty()) << name;
    }
    TempHome home;
    EXPECT_TRUE(ReadPreferenceArray(kProfileListPath).empty()) << "missing";
}

TEST(PreferenceFiles, FailedWritesLeaveTheOldFile) {
    TempHome home;
    const std::string path = home.PreferencesFile("Profile.plist");
    ASSERT_TRUE(WritePreferenceArray(kProfileListPath, kProfiles));
    const std::string before = ReadRaw(path);
    std::string seenTemp;
    SetPreferenceWriteHookForTest([&](const std::string& temp) {
        seenTemp = temp;
        EXPECT_FALSE(ReadRaw(temp).empty());  // written in full before the fault
        return false;
    });
    EXPECT_FALSE(WritePreferenceArray(kProfileListPath, {{{"SSID", "new"}}}));
    SetPreferenceWriteHookForTest({});
    EXPECT_EQ(ReadRaw(path), before);
    ASSERT_FALSE(seenTemp.empty());
    EXPECT_FALSE(std::filesystem::exists(seenTemp));  // no temporary left behind

    TempHome other;  // a file where the preferences folder should be
    WriteRaw(other.Path() + "/Library/Preferences", "not a folder");
    EXPECT_FALSE(WritePreferenceArray(kProfileListPath, kProfiles));
}

TEST(PreferenceValues, LeadingInteger) {
    const std::pair<const char*, int32_t> rows[] = {{"  -7x", -7}, {"+3", 3},  {"\t\n42", 42},
                                                    {"4 2", 4},    {"abc", 0}, {"", 0},
                                                    {"0x10", 0},   {"- 5", 0}};
    for (auto [text, value] : rows) EXPECT_EQ(LeadingInteger(text), value) << text;
    EXPECT_EQ(LeadingInteger("2147483647"), INT32_MAX);
    EXPECT_EQ(LeadingInteger("99999999999999999999"), INT32_MAX);  // saturated
    EXPECT_EQ(LeadingInteger("-2147483648"), INT32_MIN);
    EXPECT_EQ(LeadingInteger("-99999999999999999999"), INT32_MIN);
    EXPECT_EQ(IntValue({{"Hidden", "1"}}, "Channel"), 0);  // missing key
}

TEST(ActiveRecord, FlagAndActivation) {
    EXPECT_FALSE(IsActiveRecord({}));
    EXPECT_FALSE(IsActiveRecord({{{"Active Profile Flag", "YES "}}}));  // exactly YES
    EXPECT_FALSE(IsActiveRecord({{{"SSID", "x"}}, {{"Active Profile Flag", "YES"}}}));  // element 0
    TempHome home;
    ASSERT_TRUE(WriteActiveProfile(
        {{"Profile Name", "PROF1"}, {"SSID", "net"}, {"Hidden", "1"}, {"Comment", "not copied"}}));
    PrefArray active = ReadPreferenceArray(kActiveProfilePath);
    ASSERT_TRUE(IsActiveRecord(active));
    EXPECT_EQ(active[0].Value("Hidden"), "1");
    EXPECT_FALSE(active[0].Contains("Comment"));
    EXPECT_EQ(active[0].size(), 25u);  // the flag and 24 copied keys
    ASSERT_TRUE(DisableActiveProfile());
    active = ReadPreferenceArray(kActiveProfilePath);
    ASSERT_EQ(active.size(), 1u);
    EXPECT_FALSE(IsActiveRecord(active));
    EXPECT_EQ(active[0].Value("SSID"), "net");
    EXPECT_FALSE(active[0].Contains("Hidden"));
}

}  // namespace
}  // namespace corvane

#include <gtest/gtest.h>
#include <plist/plist.h>
#include <sys/stat.h>

#include <climits>
#include <cstdio>
#include <optional>
#include <sstream>

#include "profiles/ActiveRecord.h"
#include "profiles/PreferenceFiles.h"
#include "tests/profiles/PreferenceTestUtil.h"
#include "tests/support/FailingPreferenceWrites.h"
#include "tests/support/TempFolders.h"

namespace corvane {
namespace {

using namespace test;

std::string Hex(const std::string& bytes) {
    std::string out;
    char digits[3];
    for (unsigned char c : bytes) {
        std::snprintf(digits, sizeof digits, "%02x", c);
        out += digits;
    }
    return out;
}

bool HaveCommand(const std::string& name) {
    return std::system(("command -v " + name + " >/dev/null 2>&1").c_str()) == 0;
}

// Exit status and standard output of a shell command.
std::pair<int, std::string> Shell(const std::string& command) {
    std::string out;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return {-1, out};
    char buffer[4096];
    while (size_t n = fread(buffer, 1, sizeof buffer, pipe)) out.append(buffer, n);
    return {pclose(pipe), out};
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
    EXPECT_NE(ReadRaw(path).find("<string>Caf\xC3\xA9 &lt;&amp;&gt; \"x\"</string>"),
              std::string::npos);
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

// Binary lists as libplist writes them (a non-dictionary element skipped,
// integers read as decimal text, data as its bytes) and as another tool may
// write them (values with a NUL, which libplist alone would cut, kept
// through a rewrite).
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
    EXPECT_EQ(
        ReadPreferenceArray(kProfileListPath),
        (PrefArray{{{"SSID", "bin"}, {"Channel", "6"}, {"Hidden", "1"}, {"Blob", "\x01\x02"}}}));

    WriteRaw(home.PreferencesFile("ActiveProfileSetting.plist"),
             BinaryPlist({ArrayOf({1}), DictOf({2, 3, 4}, {5, 6, 7}), Ascii("WPAPSK"),
                          Ascii("SSID"), Ascii("Profile Name"), Ascii(std::string("ab\0cd", 5)),
                          Ascii("\xFF"), Utf16(std::u16string(u"\u00e9\0\U0001F4F6\xD800", 5))}));
    const PrefArray expected = {
        {{kKeyWpaPsk, std::string("ab\0cd", 5)},
         {kKeySsid, "\xFF"},
         {kKeyProfileName, std::string("\xC3\xA9\0\xF0\x9F\x93\xB6\xED\xA0\x80", 10)}}};
    ASSERT_EQ(ReadPreferenceArray(kActiveProfilePath), expected);
    ASSERT_TRUE(WritePreferenceArray(kActiveProfilePath, expected));
    EXPECT_EQ(ReadPreferenceArray(kActiveProfilePath), expected);
}

// Every value comes back as the same bytes from libplist and from Python's
// plistlib, and the document is well-formed XML: text as <string>, anything
// XML cannot carry as <data>.
TEST(PreferenceFiles, AwkwardValuesReadBackAlikeEverywhere) {
    struct Row {
        const char* name;
        std::string value;
        const char* element;  // how it is written
    };
    const Row rows[] = {
        {"plain", "PROF1", "<string>PROF1</string>"},
        {"markup", "&<> ]]> \"'", "<string>&amp;&lt;&gt; ]]&gt; \"'</string>"},
        {"line ends", "a\r\nb\rc\n", "<string>a&#13;\nb&#13;c\n</string>"},
        {"spaces and tabs", "\t lead and trail \t", nullptr},
        {"non-ASCII", "Caf\xC3\xA9 \xF0\x9F\x93\xB6", nullptr},
        {"empty", "", "<string></string>"},
        {"NUL", std::string("ab\0cd", 5), "<data>YWIAY2Q=</data>"},
        {"controls",
         "a\x01"
         "b\x1f"
         "c\x1b[0m",
         nullptr},
        {"invalid UTF-8", "\xFF\xFE\xC3", "<data>//7D</data>"},
        {"encoded surrogate", "\xED\xA0\x80", nullptr},
        {"overlong", "\xC0\xAF", nullptr},
        {"not a character", "\xEF\xBF\xBE", nullptr},
    };
    TempHome home;
    PrefArray array(1);
    std::string expected;  // what plistlib gives: key and value bytes in hex
    for (const Row& row : rows) {
        array[0].Set(row.name, row.value);
        expected += Hex(row.name) + " " + Hex(row.value) + "\n";
    }
    array.push_back({{kKeyProfileName, "\x01name"},
                     {kKeySsid, std::string("\0\xFF", 2)},
                     {kKeyWpaPsk, "pass]]>word\r"}});
    for (const auto& [key, value] : array[1].Entries())
        expected += Hex(key) + " " + Hex(value) + "\n";

    ASSERT_TRUE(WritePreferenceArray(kProfileListPath, array));
    const std::string path = home.PreferencesFile("Profile.plist");
    EXPECT_EQ(ReadPreferenceArray(kProfileListPath), array);
    const std::string xml = ReadRaw(path);
    for (const Row& row : rows)
        if (row.element) {
            EXPECT_NE(xml.find(row.element), std::string::npos) << row.name;
        }

    if (HaveCommand("xmllint")) {
        const auto [status, out] = Shell("xmllint --noout --nonet '" + path + "' 2>&1");
        EXPECT_EQ(status, 0) << out;
    } else {
        std::printf("xmllint not installed: well-formedness not checked\n");
    }
    if (!HaveCommand("python3")) GTEST_SKIP() << "python3 not installed: plistlib not checked";
    const std::string script = home.Path() + "/dump.py";
    WriteRaw(
        script,
        "import plistlib, sys\n"
        "for d in plistlib.load(open(sys.argv[1], 'rb')):\n"
        "    for k, v in d.items():\n"
        "        print(k.encode().hex(), (v if isinstance(v, bytes) else v.encode()).hex())\n");
    const auto [status, out] = Shell("python3 '" + script + "' '" + path + "' 2>&1");
    EXPECT_EQ(status, 0) << out;
    EXPECT_EQ(out, expected);
}

// A write that fails at its last instant has the complete content flushed,
// whether it replaces a file or makes the first one; the failure leaves the
// old file (or none) and no temporary.
TEST(PreferenceFiles, FailedWritesLeaveTheOldFile) {
    TempHome home;
    const std::string path = home.PreferencesFile("Profile.plist");
    test::FailingPreferenceWrites failing;
    std::optional<ScopedPreferenceWriter> writes(failing);
    EXPECT_FALSE(WritePreferenceArray(kProfileListPath, kProfiles));
    ASSERT_EQ(failing.contents.size(), 1u);
    EXPECT_NE(failing.contents[0].find("<string>secret pass</string>"), std::string::npos);
    EXPECT_TRUE(FolderEntries(home.PreferencesFolder()).empty());
    writes.reset();
    ASSERT_TRUE(WritePreferenceArray(kProfileListPath, kProfiles));
    const std::string before = ReadRaw(path);
    writes.emplace(failing);
    EXPECT_FALSE(WritePreferenceArray(kProfileListPath, {{{"SSID", "new"}}}));
    writes.reset();
    EXPECT_EQ(ReadRaw(path), before);
    EXPECT_EQ(FolderEntries(home.PreferencesFolder()), std::set<std::string>{"Profile.plist"});

    // A key XML cannot carry fails the write too.
    EXPECT_FALSE(WritePreferenceArray(kProfileListPath, {{{"\x01", "value"}}}));
    EXPECT_EQ(ReadRaw(path), before);

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
    EXPECT_EQ(IntValue({{"Hidden", "1"}}, "Channel"), 0);  // missing key
}

TEST(ActiveRecord, FlagAndTheKeysCopied) {
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
}

}  // namespace
}  // namespace corvane

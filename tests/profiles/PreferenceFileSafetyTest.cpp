// Preference files that cannot be read are kept and reported, never parsed
// into a crash or a hang, and writes leave no copies of the secrets behind.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <ctime>
#include <future>

#include "profiles/PreferenceFiles.h"
#include "tests/profiles/PreferenceTestUtil.h"
#include "tests/support/TempFolders.h"

namespace corvane {
namespace {

using namespace test;
using namespace std::chrono_literals;

const PrefArray kOne = {{{kKeySsid, "net"}}};

std::string Repeat(const std::string& s, size_t n) {
    std::string out;
    out.reserve(s.size() * n);
    for (size_t i = 0; i < n; ++i) out += s;
    return out;
}

// `levels` arrays, each holding the next.
std::string DeepBinaryArrays(uint32_t levels) {
    std::vector<std::string> objects;
    for (uint32_t i = 0; i + 1 < levels; ++i) objects.push_back(ArrayOf({i + 1}));
    objects.push_back(ArrayOf({}));
    return BinaryPlist(objects);
}

// Ten levels of arrays of fourteen references to the next: a few hundred
// bytes that libplist would copy out into 14^9 nodes.
std::string SharedFanOut() {
    std::vector<std::string> objects;
    for (uint32_t level = 0; level < 9; ++level)
        objects.push_back(ArrayOf(std::vector<uint32_t>(14, level + 1)));
    objects.push_back(Ascii("x"));
    return BinaryPlist(objects);
}

std::string Stamp(std::time_t t) {
    std::tm local{};
    localtime_r(&t, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", &local);
    return text;
}

// A file that exists but cannot be read counts as empty, is moved aside
// unchanged and private, is reported once, and the next write leaves the
// kept copy alone. An empty file holds nothing to keep.
TEST(UnreadablePreferences, AreKeptAndReportedOnce) {
    const std::string head = "<?xml version=\"1.0\"?><plist version=\"1.0\">";
    struct Row {
        const char* name;
        std::string bytes;
        const char* reason;  // null: just empty, nothing reported
    };
    const Row rows[] = {
        {"empty", "", nullptr},
        {"garbage", std::string("\x00\xff garbage \x01", 12), "not a property list"},
        {"truncated binary", std::string("bplist00\x01\x02", 10), "not a property list"},
        {"truncated xml", head + "<array><dict><key>SSID</key><str", "not a property list"},
        {"NUL byte in xml",
         head + "<array><dict><key>S" + std::string(1, '\0') + "</key><string>x</string></dict>" +
             "</array></plist>",
         "not a property list"},
        {"stray end tag", head + "<array></dict><array></array></array></plist>",
         "not a property list"},
        {"dictionary at top level", head + "<dict><key>SSID</key><string>x</string></dict></plist>",
         "top level is not an array"},
        {"oversized",
         head + "<array>" +
             Repeat("<dict><key>SSID</key><string>CorvaneHome</string></dict>",
                    kMaxPreferenceFileSize / 50) +
             "</array></plist>",
         "larger than 4 MiB"},
        {"200000 nested xml arrays",
         head + Repeat("<array>", 200000) + Repeat("</array>", 200000) + "</plist>",
         "nested more than 16 levels"},
        {"16 nested xml elements",
         head + Repeat("<array>", 15) + Repeat("</array>", 15) + "</plist>", nullptr},
        {"17 nested xml elements",
         head + Repeat("<array>", 16) + Repeat("</array>", 16) + "</plist>",
         "nested more than 16 levels"},
        {"16 nested binary arrays", DeepBinaryArrays(16), nullptr},
        {"17 nested binary arrays", DeepBinaryArrays(17), "nested more than 16 levels"},
        {"200000 nested binary arrays", DeepBinaryArrays(200000), "nested more than 16 levels"},
        {"binary cycle", BinaryPlist({ArrayOf({1}), ArrayOf({0})}), "not a property list"},
        {"binary reference past the end", BinaryPlist({ArrayOf({7})}), "not a property list"},
        {"binary shared fan-out", SharedFanOut(), "holds more than"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TempHome home;
        RecordedNotices recorded;
        const std::string path = home.PreferencesFile("Profile.plist");
        WriteRaw(path, row.bytes);
        chmod(path.c_str(), 0644);
        EXPECT_TRUE(ReadPreferenceArray(kProfileListPath).empty());
        if (!row.reason) {
            EXPECT_TRUE(recorded.notices.empty());
            EXPECT_EQ(FolderEntries(home.PreferencesFolder()),
                      std::set<std::string>{"Profile.plist"});
            continue;
        }
        ASSERT_EQ(recorded.notices.size(), 1u);
        const UnreadablePreference& notice = recorded.notices[0];
        EXPECT_EQ(notice.path, path);
        EXPECT_NE(notice.reason.find(row.reason), std::string::npos) << notice.reason;
        ASSERT_EQ(notice.movedTo.rfind(path + ".unreadable-", 0), 0u) << notice.movedTo;
        EXPECT_EQ(ReadRaw(notice.movedTo), row.bytes);
        EXPECT_EQ(ModeOf(notice.movedTo), 0600u);
        EXPECT_FALSE(std::filesystem::exists(path));

        EXPECT_TRUE(ReadPreferenceArray(kProfileListPath).empty());
        EXPECT_EQ(recorded.notices.size(), 1u) << "told once";
        ASSERT_TRUE(WritePreferenceArray(kProfileListPath, kOne));
        EXPECT_EQ(ReadPreferenceArray(kProfileListPath), kOne);
        EXPECT_EQ(ReadRaw(notice.movedTo), row.bytes);
    }
}

TEST(UnreadablePreferences, AnEarlierKeptFileIsNeverReplaced) {
    TempHome home;
    RecordedNotices recorded;
    const std::string path = home.PreferencesFile("Profile.plist");
    // Names the move may pick in this second or the next are taken.
    const std::time_t now = std::time(nullptr);
    const std::string taken[] = {path + ".unreadable-" + Stamp(now),
                                 path + ".unreadable-" + Stamp(now + 1)};
    for (const std::string& name : taken) WriteRaw(name, "earlier");
    WriteRaw(path, "not a property list");
    EXPECT_TRUE(ReadPreferenceArray(kProfileListPath).empty());
    ASSERT_EQ(recorded.notices.size(), 1u);
    EXPECT_EQ(ReadRaw(recorded.notices[0].movedTo), "not a property list");
    for (const std::string& name : taken) EXPECT_EQ(ReadRaw(name), "earlier");
    EXPECT_EQ(DescribeUnreadablePreference(recorded.notices[0]),
              path + " could not be read (it is not a property list) and was moved to " +
                  recorded.notices[0].movedTo + "; it counts as empty.");
}

// What is not a regular file is never read (a FIFO would block the reader
// for good) and holds nothing to keep: it is reported once and left where
// it is, and a write replaces it where it can.
TEST(UnreadablePreferences, NonRegularFilesAreReportedAndLeftInPlace) {
    const struct {
        const char* name;
        int (*make)(const char* path);
        bool writable;
    } rows[] = {
        {"FIFO", [](const char* p) { return mkfifo(p, 0600); }, true},
        {"folder", [](const char* p) { return mkdir(p, 0700); }, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        TempHome home;
        RecordedNotices recorded;
        const std::string path = home.PreferencesFile("Profile.plist");
        std::filesystem::create_directories(home.PreferencesFolder());
        ASSERT_EQ(row.make(path.c_str()), 0);
        for (int i = 0; i < 2; ++i) {
            auto read = std::async(std::launch::async,
                                   [] { return ReadPreferenceArray(kProfileListPath); });
            if (read.wait_for(30s) != std::future_status::ready) {
                close(open(path.c_str(), O_WRONLY | O_NONBLOCK));  // let a blocked open go
                FAIL() << "the read blocked";
            }
            EXPECT_TRUE(read.get().empty());
        }
        ASSERT_EQ(recorded.notices.size(), 1u) << "told once";
        EXPECT_EQ(recorded.notices[0].movedTo, "");
        EXPECT_EQ(recorded.notices[0].reason, "it is not a regular file");
        EXPECT_EQ(FolderEntries(home.PreferencesFolder()), std::set<std::string>{"Profile.plist"});
        EXPECT_EQ(WritePreferenceArray(kProfileListPath, kOne), row.writable);
        if (row.writable) {
            EXPECT_EQ(ReadPreferenceArray(kProfileListPath), kOne);
        }
    }
}

// Temporaries whose writer can no longer finish them are removed before the
// next write; those a live writer may still rename are not.
TEST(PreferenceWrites, SweepStaleTemporariesOnly) {
    const pid_t ended = fork();
    if (ended == 0) _exit(0);
    ASSERT_GT(ended, 0);
    waitpid(ended, nullptr, 0);
    const std::string self = std::to_string(getpid()), gone = std::to_string(ended);
    const struct {
        std::string suffix;
        int ageSeconds;
        bool kept;
    } rows[] = {
        {".tmp-" + gone + "-Ab12Cd", 0, false},     // its writer was killed
        {".tmp-" + self + "-Ab12Cd", 0, true},      // a live writer's
        {".tmp-" + self + "-Ef34Gh", 3600, false},  // no write takes an hour
        {".Ab12Cd", 3600, true},  // an earlier version's, or the user's: not told apart
        {".unreadable-20240101-000000", 3600, true},
        {".tmp-notapid-Ab12Cd", 3600, true},
        {".backup", 3600, true},
    };
    TempHome home;
    const std::string path = home.PreferencesFile("Profile.plist");
    std::set<std::string> expected = {"Profile.plist"};
    for (const auto& row : rows) {
        WriteRaw(path + row.suffix, "secret");
        const timespec times[2] = {{std::time(nullptr) - row.ageSeconds, 0},
                                   {std::time(nullptr) - row.ageSeconds, 0}};
        utimensat(AT_FDCWD, (path + row.suffix).c_str(), times, 0);
        if (row.kept) expected.insert("Profile.plist" + row.suffix);
    }
    ASSERT_TRUE(WritePreferenceArray(kProfileListPath, kOne));
    EXPECT_EQ(FolderEntries(home.PreferencesFolder()), expected);
}

}  // namespace
}  // namespace corvane

// Preference files that cannot be read are kept and reported, never parsed
// into a crash or a hang, and writes leave no copies of the secrets behind.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <ctime>
#include <functional>
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

// Hostile files: one that cannot be read counts as empty, is moved aside
// unchanged and private (never over an earlier kept file), is reported once,
// and the next write leaves the kept copy alone. What is not a regular file
// is never opened for reading (a FIFO would block the reader for good) and is
// left in place; an entry whose key holds a NUL is left out. Random damaged
// files are the preference fuzz target's.
TEST(UnreadablePreferences, AreKeptAsideOnceAndNeverCrashOrHang) {
    const std::string head = "<?xml version=\"1.0\"?><plist version=\"1.0\">";
    struct Row {
        const char* name;
        std::string bytes;   // "fifo": a FIFO instead
        const char* reason;  // null: nothing reported
        bool kept;           // moved aside
        PrefArray read = {};
    };
    const Row rows[] = {
        {"empty", "", nullptr, false},
        {"garbage", std::string("\x00\xff garbage \x01", 12), "not a property list", true},
        {"oversized",
         head + "<array>" +
             Repeat("<dict><key>SSID</key><string>CorvaneHome</string></dict>",
                    kMaxPreferenceFileSize / 50) +
             "</array></plist>",
         "larger than 4 MiB", true},
        {"16 nested xml elements",
         head + Repeat("<array>", 15) + Repeat("</array>", 15) + "</plist>", nullptr, false},
        {"17 nested xml elements",
         head + Repeat("<array>", 16) + Repeat("</array>", 16) + "</plist>",
         "nested more than 16 levels", true},
        {"200000 nested xml arrays",
         head + Repeat("<array>", 200000) + Repeat("</array>", 200000) + "</plist>",
         "nested more than 16 levels", true},
        {"200000 nested binary arrays", DeepBinaryArrays(200000), "nested more than 16 levels",
         true},
        {"binary cycle", BinaryPlist({ArrayOf({1}), ArrayOf({0})}), "not a property list", true},
        {"binary shared fan-out", SharedFanOut(), "holds more than", true},
        {"binary NUL key, as reported",
         FromHex("62706c6973743030a101d10203630061000000625178080a0d1400000000000001010000"
                 "00000000000400000000000000000000000000000016"),
         nullptr, false, PrefArray(1)},
        {"FIFO", "fifo", "it is not a regular file", false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TempHome home;
        RecordedNotices recorded;
        const std::string path = home.PreferencesFile("Profile.plist");
        // Names the move may pick in this second or the next are taken.
        const std::time_t now = std::time(nullptr);
        const std::string earlier[] = {path + ".unreadable-" + Stamp(now),
                                       path + ".unreadable-" + Stamp(now + 1)};
        for (const std::string& name : earlier) WriteRaw(name, "earlier");
        if (row.bytes == "fifo") {
            ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
        } else {
            WriteRaw(path, row.bytes);
            chmod(path.c_str(), 0644);
        }
        for (int i = 0; i < 2; ++i) {
            auto read = std::async(std::launch::async,
                                   [] { return ReadPreferenceArray(kProfileListPath); });
            if (read.wait_for(30s) != std::future_status::ready) {
                close(open(path.c_str(), O_WRONLY | O_NONBLOCK));  // let a blocked open go
                FAIL() << "the read blocked";
            }
            EXPECT_EQ(read.get(), row.read);
        }
        ASSERT_EQ(recorded.notices.size(), row.reason ? 1u : 0u) << "told once";
        const std::string kept = row.reason ? recorded.notices[0].movedTo : "";
        if (row.reason) {
            EXPECT_EQ(recorded.notices[0].path, path);
            EXPECT_NE(recorded.notices[0].reason.find(row.reason), std::string::npos);
            EXPECT_EQ(DescribeUnreadablePreference(recorded.notices[0]),
                      path + " could not be read (" + recorded.notices[0].reason + ")" +
                          (row.kept ? " and was moved to " + kept : " and was left in place") +
                          "; it counts as empty.");
        }
        EXPECT_EQ(std::filesystem::exists(path), !row.kept);
        if (row.kept) {
            ASSERT_EQ(kept.rfind(path + ".unreadable-", 0), 0u) << kept;
            EXPECT_EQ(ReadRaw(kept), row.bytes);
            EXPECT_EQ(ModeOf(kept), 0600u);
        } else {
            EXPECT_EQ(kept, "");
        }
        ASSERT_TRUE(WritePreferenceArray(kProfileListPath, kOne));
        EXPECT_EQ(ReadPreferenceArray(kProfileListPath), kOne);
        EXPECT_EQ(ReadRaw(kept), row.kept ? row.bytes : "");
        for (const std::string& name : earlier) EXPECT_EQ(ReadRaw(name), "earlier");
    }
}

// Temporaries whose writer can no longer finish them are removed by the next
// read or write; those a live writer may still rename are not.
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
    const std::function<void()> sweepers[] = {
        [] { ASSERT_TRUE(WritePreferenceArray(kProfileListPath, kOne)); },
        [] { EXPECT_EQ(ReadPreferenceArray(kProfileListPath), kOne); },
    };
    for (const auto& sweep : sweepers) {
        TempHome home;
        const std::string path = home.PreferencesFile("Profile.plist");
        ASSERT_TRUE(WritePreferenceArray(kProfileListPath, kOne));
        std::set<std::string> expected = {"Profile.plist"};
        for (const auto& row : rows) {
            WriteRaw(path + row.suffix, "secret");
            const timespec times[2] = {{std::time(nullptr) - row.ageSeconds, 0},
                                       {std::time(nullptr) - row.ageSeconds, 0}};
            utimensat(AT_FDCWD, (path + row.suffix).c_str(), times, 0);
            if (row.kept) expected.insert("Profile.plist" + row.suffix);
        }
        sweep();
        EXPECT_EQ(FolderEntries(home.PreferencesFolder()), expected);
    }
}

}  // namespace
}  // namespace corvane

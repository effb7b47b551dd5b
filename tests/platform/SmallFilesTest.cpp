// Small files read through the bounded reader: a first line (sysfs
// attributes) and the console user from logind's seat file.
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "platform/ConsoleUser.h"
#include "platform/RegularFile.h"
#include "tests/support/TempFolders.h"

namespace platform {
namespace {

TEST(SmallFiles, FirstLine) {
    const std::string folder = corvane::test::MakeTempFolder("first-line");
    const std::pair<std::string, std::optional<std::string>> rows[] = {
        {"phy0\n", "phy0"},
        {"1\n0\n", "1"},
        {"no line feed", "no line feed"},
        {"\n", ""},
        {"", std::nullopt}};
    for (const auto& [text, line] : rows) {
        std::ofstream(folder + "/name") << text;
        EXPECT_EQ(ReadFirstLine(folder + "/name"), line) << text;
    }
    EXPECT_EQ(ReadFirstLine(folder + "/missing"), std::nullopt);
    EXPECT_EQ(ReadFirstLine(folder), std::nullopt) << "a folder";
    corvane::test::RemoveTree(folder);
}

TEST(SmallFiles, TheSeatFilesActiveUserOrNone) {
    // No graphical session to fall back on.
    corvane::test::ScopedEnv display("DISPLAY", ""), wayland("WAYLAND_DISPLAY", ""),
        qt("QT_QPA_PLATFORM", "");
    const std::string run = corvane::test::MakeTempFolder("console-user");
    const std::string seat = run + "/seats/seat0";
    std::filesystem::create_directories(run + "/seats");
    const passwd* me = getpwuid(getuid());
    ASSERT_NE(me, nullptr);

    struct Row {
        const char* text;  // null: a FIFO in the file's place
        std::optional<std::string> user;
    } const rows[] = {
        {"ACTIVE=c1\nACTIVE_UID="
         "%UID%"
         "\n",
         me->pw_name},
        {"ACTIVE_UID=12x\n", std::nullopt},
        {"ACTIVE_UID=\n", std::nullopt},
        {"", std::nullopt},
        {nullptr, std::nullopt},
    };
    for (const Row& row : rows) {
        std::filesystem::remove(seat);
        if (row.text) {
            std::string text = row.text;
            if (const size_t at = text.find("%UID%"); at != std::string::npos)
                text.replace(at, 5, std::to_string(getuid()));
            std::ofstream(seat) << text;
        } else {
            ASSERT_EQ(mkfifo(seat.c_str(), 0600), 0);
        }
        EXPECT_EQ(CopyConsoleUser(run), row.user) << (row.text ? row.text : "FIFO");
    }
    std::filesystem::remove(seat);
    EXPECT_EQ(CopyConsoleUser(run), std::nullopt) << "no seat file";
    corvane::test::RemoveTree(run);
}

}  // namespace
}  // namespace platform

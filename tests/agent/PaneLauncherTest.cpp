#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <optional>
#include <thread>

#include "platform/PaneLauncher.h"
#include "tests/support/TempFolders.h"

namespace platform {
namespace {

using corvane::test::ScopedEnv;
namespace fs = std::filesystem;

constexpr const char* kPane = "/System/Library/PreferencePanes/CorvaneWirelessUtility.prefPane";

void WriteFile(const std::string& path, const std::string& text, mode_t mode) {
    std::ofstream(path) << text;
    chmod(path.c_str(), mode);
}

bool Eventually(const std::string& path) {
    for (int i = 0; i < 200 && !fs::exists(path); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return fs::exists(path);
}

std::string InfoPlist(const std::string& exe) {
    return "<?xml version=\"1.0\"?><plist version=\"1.0\"><dict><key>CFBundleExecutable</key>"
           "<string>" +
           exe + "</string></dict></plist>";
}

TEST(PaneLauncher, StartsTheBundleExecutableNeverAnOpenFromPath) {
    const std::string root = corvane::test::MakeTempFolder("pane-root");
    ScopedEnv rootEnv("CORVANE_SYSTEM_ROOT", root);
    // A program called "open" on PATH must never be what opens the pane.
    WriteFile(root + "/open", "#!/bin/sh\ntouch '" + root + "/open-ran'\n", 0755);
    ScopedEnv pathEnv("PATH", root + ":" + getenv("PATH"));
    const std::string bundle = root + kPane;
    EXPECT_EQ(ResolveSystemPath(kPane), bundle);
    EXPECT_EQ(OpenBundle(kPane), OpenBundleResult::NotInstalled);
    fs::create_directories(bundle + "/Contents/MacOS");
    EXPECT_EQ(OpenBundle(kPane), OpenBundleResult::NotInstalled);  // no executable

    struct Row {
        std::optional<std::string> info;
        std::string exe;
    };
    const Row rows[] = {{InfoPlist("PaneHost"), "PaneHost"},
                        {std::nullopt, "CorvaneWirelessUtility"},
                        {"not a property list", "CorvaneWirelessUtility"},
                        {InfoPlist("../../../../bin/sh"), "CorvaneWirelessUtility"}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.exe);
        fs::remove(bundle + "/Contents/Info.plist");
        if (row.info) WriteFile(bundle + "/Contents/Info.plist", *row.info, 0644);
        const std::string marker = root + "/ran-" + row.exe;
        WriteFile(bundle + "/Contents/MacOS/" + row.exe, "#!/bin/sh\ntouch '" + marker + "'\n",
                  0755);
        EXPECT_EQ(OpenBundle(kPane), OpenBundleResult::Started);
        EXPECT_TRUE(Eventually(marker));
        fs::remove(marker);
    }
    EXPECT_FALSE(fs::exists(root + "/open-ran"));
    corvane::test::RemoveTree(root);
}

}  // namespace
}  // namespace platform

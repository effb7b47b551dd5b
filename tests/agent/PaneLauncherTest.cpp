#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include "platform/PaneLauncher.h"
#include "tests/support/TempFolders.h"

namespace platform {
namespace {

namespace fs = std::filesystem;

void WriteScript(const std::string& path, const std::string& marker) {
    std::ofstream(path) << "#!/bin/sh\ntouch '" << marker << "'\n";
    chmod(path.c_str(), 0755);
}

bool Eventually(const std::string& path) {
    for (int i = 0; i < 200 && !fs::exists(path); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return fs::exists(path);
}

TEST(PaneLauncher, StartsTheBundleExecutableNeverAnOpenFromPath) {
    const char* pane = "/System/Library/PreferencePanes/CorvaneWirelessUtility.prefPane";
    const std::string root = corvane::test::MakeTempFolder("pane-root"), bundle = root + pane;
    corvane::test::ScopedEnv rootEnv("CORVANE_SYSTEM_ROOT", root);
    // A program called "open" on PATH must never be what opens the pane.
    WriteScript(root + "/open", root + "/open-ran");
    corvane::test::ScopedEnv pathEnv("PATH", root + ":" + getenv("PATH"));
    EXPECT_EQ(ResolveSystemPath(pane), bundle);
    EXPECT_EQ(OpenBundle(pane), OpenBundleResult::NotInstalled);
    fs::create_directories(bundle + "/Contents/MacOS");
    EXPECT_EQ(OpenBundle(pane), OpenBundleResult::NotInstalled);  // no executable
    const auto info = [](const std::string& exe) {
        return "<?xml version=\"1.0\"?><plist "
               "version=\"1.0\"><dict><key>CFBundleExecutable</key><string>" +
               exe + "</string></dict></plist>";
    };
    // Info.plist (none: absent), then the executable that must run.
    const std::pair<std::string, std::string> rows[] = {
        {info("PaneHost"), "PaneHost"},
        {"", "CorvaneWirelessUtility"},
        {"not a property list", "CorvaneWirelessUtility"},
        {info("../../../../bin/sh"), "CorvaneWirelessUtility"}};
    for (const auto& [plist, exe] : rows) {
        fs::remove(bundle + "/Contents/Info.plist");
        if (!plist.empty()) std::ofstream(bundle + "/Contents/Info.plist") << plist;
        const std::string marker = root + "/ran-" + exe;
        WriteScript(bundle + "/Contents/MacOS/" + exe, marker);
        EXPECT_EQ(OpenBundle(pane), OpenBundleResult::Started) << exe;
        EXPECT_TRUE(Eventually(marker)) << exe;
        fs::remove(marker);
    }
    EXPECT_FALSE(fs::exists(root + "/open-ran"));
    corvane::test::RemoveTree(root);
}

TEST(PaneLauncher, TheSystemRootFollowsTheInstallation) {
    const std::string prefix = corvane::test::MakeTempFolder("install");
    fs::create_directories(prefix + "/lib/corvane/root");
    fs::create_directories(prefix + "/bin");
    struct Row {
        std::string executable;
        const char* environment;
        std::string root;
    };
    const Row rows[] = {
        {prefix + "/bin/corvane", "/chosen", "/chosen"},  // the variable wins
        {prefix + "/bin/corvane", "", fs::canonical(prefix + "/lib/corvane/root").string()},
        {"/opt/x/root/System/Library/PreferencePanes/P.prefPane/Contents/MacOS/P", nullptr,
         "/opt/x/root"},
        {"/nowhere/bin/corvane", nullptr, CORVANE_BUILD_SYSTEM_ROOT},  // run from the build tree
    };
    for (const Row& row : rows)
        EXPECT_EQ(SystemRootFor(row.executable, row.environment), row.root) << row.executable;
    corvane::test::RemoveTree(prefix);
}

}  // namespace
}  // namespace platform

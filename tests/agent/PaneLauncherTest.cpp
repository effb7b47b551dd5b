#include "platform/PaneLauncher.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <string>
#include <thread>

#include "tests/support/TempFolders.h"

namespace platform {
namespace {

using corvane::test::MakeTempFolder;
using corvane::test::RemoveTree;
using corvane::test::ScopedEnv;

constexpr const char* kPane = "/System/Library/PreferencePanes/CorvaneWirelessUtility.prefPane";

void WriteFile(const std::string& path, const std::string& text, mode_t mode = 0644) {
    std::ofstream(path) << text;
    chmod(path.c_str(), mode);
}

void MakeFolders(const std::string& path) {
    std::string sofar;
    for (size_t i = 1; i <= path.size(); ++i) {
        if (i == path.size() || path[i] == '/') mkdir(path.substr(0, i).c_str(), 0755);
    }
}

bool WaitForFile(const std::string& path) {
    for (int i = 0; i < 200; ++i) {
        if (access(path.c_str(), F_OK) == 0) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}

class PaneLauncherTest : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = MakeTempFolder("pane-root");
        bin_ = MakeTempFolder("pane-path");
        rootEnv_.emplace("CORVANE_SYSTEM_ROOT", root_);
        // A program called "open" on PATH must never be what opens the pane.
        WriteFile(bin_ + "/open", "#!/bin/sh\ntouch '" + bin_ + "/open-ran'\n", 0755);
        pathEnv_.emplace("PATH", bin_ + ":" + (getenv("PATH") ? getenv("PATH") : ""));
    }
    void TearDown() override {
        pathEnv_.reset();
        rootEnv_.reset();
        RemoveTree(root_);
        RemoveTree(bin_);
    }
    std::string InstallPane(const std::string& exe, const std::string* infoPlist) {
        std::string bundle = root_ + kPane;
        MakeFolders(bundle + "/Contents/MacOS");
        if (infoPlist) WriteFile(bundle + "/Contents/Info.plist", *infoPlist);
        std::string marker = root_ + "/ran-" + exe;
        WriteFile(bundle + "/Contents/MacOS/" + exe, "#!/bin/sh\ntouch '" + marker + "'\n", 0755);
        return marker;
    }

    std::string root_, bin_;
    std::optional<ScopedEnv> rootEnv_, pathEnv_;
};

std::string InfoPlist(const std::string& exe) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\"><dict>"
           "<key>CFBundleExecutable</key><string>" +
           exe + "</string></dict></plist>\n";
}

TEST_F(PaneLauncherTest, ResolvesUnderTheSystemRoot) {
    EXPECT_EQ(SystemRoot(), root_);
    EXPECT_EQ(ResolveSystemPath(kPane), root_ + kPane);
}

TEST_F(PaneLauncherTest, StartsTheExecutableTheInformationFileNames) {
    std::string info = InfoPlist("PaneHost");
    std::string marker = InstallPane("PaneHost", &info);
    EXPECT_EQ(OpenBundle(kPane), OpenBundleResult::Started);
    EXPECT_TRUE(WaitForFile(marker));
    EXPECT_NE(access((bin_ + "/open-ran").c_str(), F_OK), 0);
}

TEST_F(PaneLauncherTest, FallsBackToTheBundleName) {
    struct Row {
        const char* name;
        std::optional<std::string> info;
    };
    const Row rows[] = {{"no information file", std::nullopt},
                        {"garbage information file", "not a property list"},
                        {"name with a path", InfoPlist("../../../bin/sh")},
                        {"empty name", InfoPlist("")}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        RemoveTree(root_ + "/System");
        std::string marker = InstallPane("CorvaneWirelessUtility", row.info ? &*row.info : nullptr);
        EXPECT_EQ(OpenBundle(kPane), OpenBundleResult::Started);
        EXPECT_TRUE(WaitForFile(marker));
        unlink(marker.c_str());
    }
}

TEST_F(PaneLauncherTest, NothingInstalledRunsNothing) {
    EXPECT_EQ(OpenBundle(kPane), OpenBundleResult::NotInstalled);
    MakeFolders(root_ + kPane + "/Contents/MacOS");  // bundle without executable
    EXPECT_EQ(OpenBundle(kPane), OpenBundleResult::NotInstalled);
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_NE(access((bin_ + "/open-ran").c_str(), F_OK), 0);
}

}  // namespace
}  // namespace platform

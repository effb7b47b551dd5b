// The window as a program: a second start brings the running window to the
// front and ends, per login session; the agent's menu item starts the
// build tree's bundle through the pane launcher.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "agent/MiniTask.h"
#include "tests/integration/Processes.h"
#include "tests/support/TempFolders.h"

namespace corvane::test {
namespace {

using ::testing::HasSubstr;

bool Eventually(const std::function<bool()>& condition, int ms = 10000) {
    for (int waited = 0; waited < ms; waited += 20) {
        if (condition()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return condition();
}

// Pids of the window programs started with this runtime folder: the one the
// launcher detached is known to nobody else, and must not outlive the test.
std::vector<pid_t> WindowsStartedWith(const std::string& runtimeFolder) {
    std::vector<pid_t> pids;
    const std::string wanted = "XDG_RUNTIME_DIR=" + runtimeFolder;
    for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
        const std::string name = entry.path().filename();
        if (name.find_first_not_of("0123456789") != std::string::npos) continue;
        std::error_code error;
        const auto exe = std::filesystem::read_symlink(entry.path() / "exe", error);
        if (error || exe != std::filesystem::path(CORVANE_PANE_EXECUTABLE)) continue;
        std::ifstream environ(entry.path() / "environ", std::ios::binary);
        for (std::string var; std::getline(environ, var, '\0');)
            if (var == wanted) pids.push_back(pid_t(std::stol(name)));
    }
    return pids;
}

class PaneProcessTest : public ::testing::Test {
protected:
    ~PaneProcessTest() override {
        for (pid_t pid : WindowsStartedWith(runtime_.Path())) kill(pid, SIGTERM);
    }
    std::string Socket(const std::string& session) const {
        return runtime_.Path() + "/CorvaneWirelessUtility" +
               (session.empty() ? "" : "-" + session) + ".socket";
    }
    static CommandResult Start() { return test::Run({CORVANE_PANE_EXECUTABLE}); }

    TempRegistry registry_;  // no adapter
    TempHome home_;
    TempFolderEnv runtime_{"pane-runtime", "XDG_RUNTIME_DIR"};
    ScopedEnv session_{"XDG_SESSION_ID", "7"};
    ScopedEnv platform_{"QT_QPA_PLATFORM", "offscreen"};
};

TEST_F(PaneProcessTest, SecondStartRaisesTheRunningWindowAndEnds) {
    Daemon first({CORVANE_PANE_EXECUTABLE});
    ASSERT_TRUE(Eventually([&] { return std::filesystem::exists(Socket("7")); }));

    CommandResult second = Start();
    EXPECT_EQ(second.status, 0) << second.err;
    EXPECT_THAT(second.out,
                HasSubstr("already running (process " + std::to_string(first.Pid()) + ")"));
    EXPECT_EQ(kill(first.Pid(), 0), 0) << "the first window runs on";

    // Another login session has a window of its own.
    ScopedEnv otherSession("XDG_SESSION_ID", "8");
    Daemon other({CORVANE_PANE_EXECUTABLE});
    EXPECT_TRUE(Eventually([&] { return std::filesystem::exists(Socket("8")); }));
    EXPECT_EQ(kill(other.Pid(), 0), 0);
}

TEST_F(PaneProcessTest, AgentMenuItemOpensTheWindow) {
    ScopedEnv root("CORVANE_SYSTEM_ROOT", CORVANE_BUILD_SYSTEM_ROOT);
    LastStatus status;
    MiniTask agent(status);
    agent.updateDisplayPrefs(kOpenPaneTag);
    ASSERT_TRUE(Eventually([&] { return std::filesystem::exists(Socket("7")); }))
        << "the window did not start";

    CommandResult second = Start();
    EXPECT_EQ(second.status, 0);
    const std::vector<pid_t> started = WindowsStartedWith(runtime_.Path());
    ASSERT_EQ(started.size(), 1u) << "exactly one window";
    EXPECT_THAT(second.out, HasSubstr("(process " + std::to_string(started[0]) + ")"));
}

}  // namespace
}  // namespace corvane::test

// What the command-line tool and the agent do when they meet each other or
// a driver that goes away: an honest exit status, a bounded run, one at a
// time where it matters.
#include <fcntl.h>
#include <gmock/gmock.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/wait.h>

#include <chrono>
#include <filesystem>

#include "tests/integration/CliFixture.h"

namespace corvane::test {
namespace {

using ::testing::HasSubstr;
using Clock = std::chrono::steady_clock;

class GuardsTest : public CliTest {
protected:
    // Runs a shell script; its exit status.
    int Shell(const std::string& script) { return test::Run({"/bin/sh", "-c", script}).status; }
};

TEST_F(GuardsTest, AScanWhoseAdapterGoesAwaySaysSo) {
    StartDriver();
    const std::string out = home_.Path() + "/scan";
    // Unplugged while the scan waits for the driver's results.
    ASSERT_EQ(Shell(Quoted(BinPath("corvane")) + " scan > " + out + ".out 2> " + out +
                    ".err & pid=$!; sleep 2; " + Quoted(BinPath("corvane-simctl")) +
                    " unplug; wait $pid; echo $? > " + out + ".status"),
              0);
    EXPECT_EQ(ReadFile(out + ".status"), "1\n");
    EXPECT_THAT(ReadFile(out + ".err"), HasSubstr("no adapter found"));
    EXPECT_EQ(ReadFile(out + ".out"), "");
}

TEST_F(GuardsTest, ADriverThatStopsAnsweringEndsTheCommandInBoundedTime) {
    StartDriver();
    const auto start = Clock::now();
    const std::string out = home_.Path() + "/scan";
    ASSERT_EQ(Shell(Quoted(BinPath("corvane")) + " scan > " + out + ".out 2> " + out +
                    ".err & pid=$!; sleep 2; kill -STOP " + std::to_string(driver_->Pid()) +
                    "; wait $pid; echo $? > " + out + ".status; kill -CONT " +
                    std::to_string(driver_->Pid())),
              0);
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    EXPECT_EQ(ReadFile(out + ".status"), "1\n");
    EXPECT_THAT(ReadFile(out + ".err"), HasSubstr("the driver stopped answering"));
    EXPECT_LT(seconds, 75.0) << "twelve list polls of socket timeouts would take this long";
}

TEST_F(GuardsTest, ANewCommandToAStoppedDriverSaysItDidNotAnswer) {
    StartDriver();
    kill(driver_->Pid(), SIGSTOP);
    CommandResult status = Corvane({"status"});
    kill(driver_->Pid(), SIGCONT);
    EXPECT_EQ(status.status, 1);
    EXPECT_THAT(status.err, HasSubstr("the driver stopped answering"));
    EXPECT_THAT(status.err, ::testing::Not(HasSubstr("no adapter found")));
}

TEST_F(GuardsTest, TwoConnectsAtOnceRunOneAfterTheOther) {
    StartDriver();
    SeedProfiles();
    const std::string out = home_.Path() + "/c";
    const std::string corvane = Quoted(BinPath("corvane"));
    ASSERT_EQ(Shell(corvane + " connect Home > " + out + "1 2>&1 & a=$!; " + corvane +
                    " connect Cafe > " + out + "2 2>&1 & b=$!; wait $a; echo $? >> " + out +
                    "1; wait $b; echo $? >> " + out + "2"),
              0);
    EXPECT_THAT(ReadFile(out + "1"), HasSubstr("Connected to CorvaneHome\n0\n"));
    EXPECT_THAT(ReadFile(out + "2"), HasSubstr("Connected to CafeOpen\n0\n"));
    // Whichever ran last is both what the driver holds and what the file names.
    const std::string ssid = SimStatus()["ssid"];
    EXPECT_THAT(Active(), HasSubstr("<string>" + ssid + "</string>"));
}

// However a command that changes the adapter is reached (the command table,
// profiles add and delete, advanced set), it waits while another command
// holds the adapter and goes on once it is let go; one that only reads the
// adapter does not wait.
TEST_F(GuardsTest, CommandsThatChangeTheAdapterWaitForTheLock) {
    StartDriver();
    SeedProfiles();
    const struct {
        std::vector<std::string> args;
        bool waits;
    } rows[] = {
        {{"disconnect"}, true},
        {{"profiles", "delete", "Cafe"}, true},
        {{"profiles", "add", "--ssid", "Lab", "--name", "Lab", "--passphrase", "in plain sight"},
         true},
        {{"advanced", "set", "--tx-burst", "on"}, true},
        {{"status"}, false},
    };
    const std::string lockPath = registry_.Path() + "/.corvane-adapter.lock";
    const std::string out = home_.Path() + "/locked";
    for (const auto& row : rows) {
        std::string script = Quoted(BinPath("corvane"));
        for (const std::string& arg : row.args) script += " " + Quoted(arg);
        // The status appears whole: the redirection would create the file
        // before echo writes into it.
        script += " > " + out + ".out 2> " + out + ".err; echo $? > " + out + ".status-new; mv " +
                  out + ".status-new " + out + ".status";
        for (const char* file : {".status", ".err"}) std::filesystem::remove(out + file);
        const auto ended = [&] { return access((out + ".status").c_str(), F_OK) == 0; };

        const int held = open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        ASSERT_EQ(flock(held, LOCK_EX), 0);
        Daemon command({"/bin/sh", "-c", script});
        for (int i = 0; i < 3000 && !ended() && ReadFile(out + ".err").empty(); ++i) usleep(10000);
        close(held);
        for (int i = 0; i < 6000 && !ended(); ++i) usleep(10000);

        EXPECT_EQ(ReadFile(out + ".status"), "0\n") << row.args[0] << ReadFile(out + ".err");
        EXPECT_EQ(ReadFile(out + ".err").find("waiting for another corvane command to finish") !=
                      std::string::npos,
                  row.waits)
            << row.args[0];
    }
}

TEST_F(GuardsTest, ASecondAgentInTheSameSessionLeavesTheFirstAlone) {
    ScopedEnv session("XDG_SESSION_ID", "corvane-test-" + std::to_string(getpid()));
    ScopedEnv runtime("XDG_RUNTIME_DIR", home_.Path());
    ScopedEnv platform("QT_QPA_PLATFORM", "offscreen");
    ScopedEnv wayland("WAYLAND_DISPLAY", "");
    ScopedEnv display("DISPLAY", ":corvane-test-" + std::to_string(getpid()));
    StartDriver();
    Daemon first({BinPath("MiniTask-CorvaneUtility")});
    // The first agent holds the session's lock once its file is there.
    const std::string lock = home_.Path() + "/corvane-agent-" + std::to_string(getuid()) +
                             "-corvane-test-" + std::to_string(getpid()) + ".lock";
    for (int i = 0; i < 3000 && access(lock.c_str(), F_OK) != 0; ++i) usleep(10000);
    ASSERT_EQ(access(lock.c_str(), F_OK), 0) << "the first agent never took the session";
    const auto start = Clock::now();
    CommandResult second = test::Run({BinPath("MiniTask-CorvaneUtility")});
    EXPECT_EQ(second.status, 0);
    EXPECT_LT(std::chrono::duration<double>(Clock::now() - start).count(), 60.0);
    EXPECT_EQ(waitpid(first.Pid(), nullptr, WNOHANG), 0) << "the first agent still runs";
    // Started by the user's systemd, which knows the display, not the session.
    ScopedEnv noSession("XDG_SESSION_ID", "");
    CommandResult fromSystemd =
        test::Run({"/usr/bin/timeout", "20", BinPath("MiniTask-CorvaneUtility")});
    EXPECT_EQ(fromSystemd.status, 0) << "124: it ran beside the first";
    EXPECT_EQ(waitpid(first.Pid(), nullptr, WNOHANG), 0) << "the first agent still runs";
}

TEST_F(GuardsTest, AnUnreadableProfileFileIsKeptAsideAndReported) {
    const std::string path = home_.PreferencesFile("Profile.plist");
    WriteFile(path, "<plist><dict></dict></plist>");
    CommandResult listed = test::Run({BinPath("corvane"), "profiles"});
    EXPECT_EQ(listed.status, 0);
    EXPECT_THAT(listed.err, HasSubstr("corvane: "));
    EXPECT_THAT(listed.err, HasSubstr("Profile.plist"));
    EXPECT_NE(access(path.c_str(), F_OK), 0) << "moved aside, not left to be replaced";
    // Once: the next run finds no file and says nothing more.
    EXPECT_EQ(test::Run({BinPath("corvane"), "profiles"}).err, "corvane: no stored profiles\n");
}

}  // namespace
}  // namespace corvane::test

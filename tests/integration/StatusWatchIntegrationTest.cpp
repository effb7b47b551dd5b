// `corvane status --watch` as its own process over the simulated driver:
// its lines for SECONDS seconds, its end on an interrupt, its argument
// errors.
#include <gmock/gmock.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <sstream>

#include "tests/integration/CliFixture.h"

namespace corvane::test {
namespace {

using ::testing::HasSubstr;
using ::testing::MatchesRegex;
using StatusWatchIntegrationTest = CliTest;

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

TEST_F(StatusWatchIntegrationTest, PrintsALineASecondForTheSecondsGiven) {
    StartDriver();
    SeedProfiles();
    ASSERT_EQ(Corvane({"connect", "Home"}).status, 0);

    const auto start = std::chrono::steady_clock::now();
    CommandResult r = Corvane({"status", "--watch", "2"});
    const auto took = std::chrono::steady_clock::now() - start;
    ASSERT_EQ(r.status, 0) << r.err;
    const std::vector<std::string> lines = Lines(r.out);
    ASSERT_EQ(lines.size(), 2u) << r.out;
    const std::string figures = "now [0-9]+ %, lowest [0-9]+ %, highest [0-9]+ %, mean [0-9]+ %";
    EXPECT_THAT(lines[0], MatchesRegex("0 s  Connected  CorvaneHome  [0-9A-F-]{17}  " + figures));
    EXPECT_THAT(lines[1], MatchesRegex("1 s  Connected  CorvaneHome  [0-9A-F-]{17}  " + figures));
    EXPECT_GE(took, std::chrono::milliseconds(900)) << "a second between the lines";
}

TEST_F(StatusWatchIntegrationTest, AnInterruptEndsItWithStatusZero) {
    StartDriver();
    int out[2];
    ASSERT_EQ(pipe(out), 0);
    const std::string path = BinPath("corvane");
    const pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        dup2(out[1], STDOUT_FILENO);
        close(out[0]);
        close(out[1]);
        execl(path.c_str(), path.c_str(), "status", "--watch", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(out[1]);
    std::string text;
    char buffer[512];
    // Up to 30 s for the second line (a sanitizer build on a busy machine).
    for (int i = 0; i < 300 && std::count(text.begin(), text.end(), '\n') < 2; ++i) {
        pollfd p{out[0], POLLIN, 0};
        if (poll(&p, 1, 100) > 0) {
            const ssize_t n = read(out[0], buffer, sizeof buffer);
            if (n <= 0) break;
            text.append(buffer, size_t(n));
        }
    }
    kill(pid, SIGINT);
    int status = 0;
    waitpid(pid, &status, 0);
    for (ssize_t n; (n = read(out[0], buffer, sizeof buffer)) > 0;) text.append(buffer, size_t(n));
    close(out[0]);
    ASSERT_TRUE(WIFEXITED(status)) << "ended by the signal itself";
    EXPECT_EQ(WEXITSTATUS(status), 0);
    const std::vector<std::string> lines = Lines(text);
    ASSERT_GE(lines.size(), 2u) << text;
    EXPECT_EQ(lines[0], "0 s  Disconnected  not connected");
    EXPECT_EQ(lines[1], "1 s  Disconnected  not connected");
}

TEST_F(StatusWatchIntegrationTest, BadArgumentsAreUsageErrors) {
    // Refused before the adapter is looked for (there is none here).
    for (auto args : {std::vector<std::string>{"status", "--watch", "0"},
                      {"status", "--watch", "x"},
                      {"status", "--watch", "1.5"},
                      {"status", "--watch", "-1"},
                      {"status", "--watch", "+3"},
                      {"status", "--watch", "1", "2"},
                      {"status", "--watch", "--watch"},
                      {"status", "--watch", "--json"},
                      {"status", "3"}}) {
        CommandResult r = Corvane(args);
        EXPECT_EQ(r.status, 2) << ::testing::PrintToString(args);
        EXPECT_EQ(r.out, "") << ::testing::PrintToString(args);
        EXPECT_THAT(r.err, HasSubstr("corvane status --watch [SECONDS]"))
            << ::testing::PrintToString(args);
    }
    CommandResult none = Corvane({"status", "--watch", "1"});
    EXPECT_EQ(none.status, 1);
    EXPECT_THAT(none.err, HasSubstr("no adapter found"));
}

}  // namespace
}  // namespace corvane::test

// The agent and the simulated driver as separate processes, talking over the
// registry socket as they do on a real desktop.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "adapter/Oids.h"
#include "profiles/PreferenceFiles.h"
#include "tests/support/TempFolders.h"

extern char** environ;

namespace corvane {
namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

constexpr uint32_t Set(uint32_t oid) { return oid | OID_SET_FLAG; }

// A child process with its output in a file; killed when the guard ends.
class Child {
public:
    Child(std::vector<std::string> args, const std::string& logPath) {
        std::vector<char*> argv;
        for (std::string& a : args) argv.push_back(a.data());
        argv.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, logPath.c_str(),
                                         O_WRONLY | O_CREAT | O_APPEND, 0600);
        posix_spawn_file_actions_adddup2(&actions, 1, 2);
        if (posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ) != 0) pid_ = -1;
        posix_spawn_file_actions_destroy(&actions);
    }
    ~Child() { Stop(); }
    bool Started() const { return pid_ > 0; }
    // The exit status once the child has ended by itself, within `limit`.
    std::optional<int> WaitExit(std::chrono::milliseconds limit) {
        const auto end = Clock::now() + limit;
        while (pid_ > 0 && Clock::now() < end) {
            int status = 0;
            if (waitpid(pid_, &status, WNOHANG) == pid_) {
                pid_ = -1;
                return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
            }
            std::this_thread::sleep_for(10ms);
        }
        return std::nullopt;
    }
    void Stop() {
        if (pid_ <= 0) return;
        kill(pid_, SIGTERM);
        if (!WaitExit(3000ms)) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
        pid_ = -1;
    }

private:
    pid_t pid_ = -1;
};

std::optional<nlohmann::json> SimStatus(const std::string& registry) {
    std::string command =
        std::string(CORVANE_SIMCTL) + " --registry '" + registry + "' status 2>/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return std::nullopt;
    std::string text;
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) text.append(buffer, n);
    if (pclose(pipe) != 0) return std::nullopt;
    nlohmann::json j = nlohmann::json::parse(text, nullptr, false);
    if (j.is_discarded() || !j.is_object()) return std::nullopt;
    if (j.contains("status")) return j["status"];
    return j;
}

std::vector<nlohmann::json> ReadJournal(const std::string& path) {
    std::vector<nlohmann::json> calls;
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);) {
        nlohmann::json j = nlohmann::json::parse(line, nullptr, false);
        if (!j.is_discarded() && j.contains("selector")) calls.push_back(j);
    }
    return calls;
}

size_t FindFrom(const std::vector<nlohmann::json>& calls, size_t from, uint32_t selector) {
    for (size_t i = from; i < calls.size(); ++i) {
        if (calls[i]["selector"].get<uint32_t>() == selector) return i;
    }
    return calls.size();
}

class AgentEndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        logs_ = test::MakeTempFolder("agent-e2e-logs");
    }
    void TearDown() override { test::RemoveTree(logs_); }

    test::TempHome home_;
    test::TempRegistry registry_;
    std::string logs_;
};

TEST_F(AgentEndToEnd, SetsUpTheCardAndConnectsTheActiveProfile) {
    ASSERT_TRUE(WritePreferenceArray(kActiveProfilePath,
                                     {PrefDictionary{{kKeySsid, "CorvaneHome"},
                                                     {kKeyNetworkType, "1"},
                                                     {kKeyAuthenticationType, "3"},
                                                     {kKeyEncryptionType, "1"},
                                                     {kKeyWpaPsk, "correct horse battery"},
                                                     {kKeyActiveProfileFlag, "YES"}}}));
    const std::string journal = logs_ + "/journal.jsonl";
    Child driver({CORVANE_SIMDRIVER, "--journal", journal, "--registry", registry_.Path()},
                 logs_ + "/driver.log");
    ASSERT_TRUE(driver.Started());
    bool up = false;
    for (int i = 0; i < 100 && !up; ++i) {
        up = SimStatus(registry_.Path()).has_value();
        if (!up) std::this_thread::sleep_for(50ms);
    }
    ASSERT_TRUE(up) << "the simulated driver did not come up";

    const auto start = Clock::now();
    Child agent({CORVANE_AGENT}, logs_ + "/agent.log");
    ASSERT_TRUE(agent.Started());
    std::optional<double> associatedAfter;
    while (!associatedAfter && Clock::now() - start < 15s) {
        std::optional<nlohmann::json> s = SimStatus(registry_.Path());
        if (s && s->value("associated", false) && s->value("ssid", "") == "CorvaneHome") {
            associatedAfter = std::chrono::duration<double>(Clock::now() - start).count();
        }
        std::this_thread::sleep_for(100ms);
    }
    ASSERT_TRUE(associatedAfter) << "no association within 15 s";
    std::printf("associated %.2f s after the agent started\n", *associatedAfter);
    // Ten disconnected half-second ticks after the first one, plus start-up.
    EXPECT_GT(*associatedAfter, 4.5);
    EXPECT_LT(*associatedAfter, 9.0);
    agent.Stop();
    driver.Stop();

    std::vector<nlohmann::json> calls = ReadJournal(journal);
    size_t ready = FindFrom(calls, 0, OID_VX_DRIVER_READY);
    size_t radio = FindFrom(calls, ready, OID_VX_RADIO);
    size_t dropped = FindFrom(calls, radio, Set(OID_802_11_DISASSOCIATE));
    ASSERT_LT(dropped, calls.size()) << "card initialisation, then the association dropped";
    const uint32_t apply[] = {Set(OID_VX_CLIENT_64BIT),
                              Set(OID_802_11_DISASSOCIATE),
                              OID_802_11_INFRASTRUCTURE_MODE_SET,
                              Set(OID_VX_PREAMBLE),
                              Set(OID_802_11_RTS_THRESHOLD),
                              Set(OID_802_11_FRAGMENTATION_THRESHOLD),
                              OID_802_11_AUTHENTICATION_MODE_SET,
                              OID_802_11_ENCRYPTION_STATUS_SET,
                              Set(OID_VX_TX_POWER),
                              Set(OID_VX_WPA_PSK_KEY),
                              Set(OID_802_11_POWER_MODE),
                              Set(OID_802_11_SSID)};
    size_t at = FindFrom(calls, dropped + 1, apply[0]);
    ASSERT_LT(at, calls.size()) << "no apply sequence after the set-up";
    // The sequence runs inside one tick: its requests are consecutive.
    for (size_t k = 0; k < std::size(apply); ++k) {
        ASSERT_LT(at + k, calls.size());
        EXPECT_EQ(calls[at + k]["selector"].get<uint32_t>(), apply[k]) << "step " << k;
    }
    EXPECT_EQ(calls[at + 9]["input"].get<std::string>().size(), 2u * 104);
}

TEST_F(AgentEndToEnd, WithoutADriverExitsQuietlyAfterThreeTicks) {
    const auto start = Clock::now();
    Child agent({CORVANE_AGENT}, logs_ + "/agent.log");
    ASSERT_TRUE(agent.Started());
    std::optional<int> status = agent.WaitExit(10s);
    ASSERT_TRUE(status) << "the agent did not end by itself";
    double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    EXPECT_EQ(*status, 0);
    EXPECT_GT(seconds, 1.4);
    EXPECT_LT(seconds, 5.0);
}

}  // namespace
}  // namespace corvane

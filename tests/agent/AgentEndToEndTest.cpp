// The agent and the simulated driver as separate processes, talking over the
// registry socket as they do on a real desktop.
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
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
double SecondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

std::string Quoted(const std::string& s) { return "'" + s + "' "; }

// A child process run by the shell, which execs it in its own place; ended
// when the guard ends.
class Child {
public:
    explicit Child(const std::string& command) {
        const std::string script = "exec " + command;
        const char* argv[] = {"/bin/sh", "-c", script.c_str(), nullptr};
        if (posix_spawn(&pid_, argv[0], nullptr, nullptr, const_cast<char**>(argv), environ) != 0)
            pid_ = -1;
    }
    ~Child() { Stop(); }
    bool Started() const { return pid_ > 0; }
    // The exit status once the child has ended by itself, within `limit`.
    std::optional<int> WaitExit(std::chrono::milliseconds limit) {
        for (const auto end = Clock::now() + limit; pid_ > 0 && Clock::now() < end;
             std::this_thread::sleep_for(10ms)) {
            int status = 0;
            if (waitpid(pid_, &status, WNOHANG) != pid_) continue;
            pid_ = -1;
            return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        }
        return std::nullopt;
    }
    void Stop() {
        if (pid_ <= 0) return;
        kill(pid_, SIGTERM);
        if (!WaitExit(3000ms)) kill(pid_, SIGKILL), waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }

private:
    pid_t pid_ = -1;
};

// The simulated driver's status as corvane-simctl reports it.
std::optional<nlohmann::json> SimStatus(const std::string& registry) {
    const std::string command =
        Quoted(CORVANE_SIMCTL) + "--registry " + Quoted(registry) + "status 2>/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return std::nullopt;
    std::string text;
    char buffer[4096];
    for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) text.append(buffer, n);
    if (pclose(pipe) != 0) return std::nullopt;
    nlohmann::json j = nlohmann::json::parse(text, nullptr, false);
    if (j.is_discarded() || !j.is_object()) return std::nullopt;
    return j.contains("status") ? j["status"] : j;
}

class AgentEndToEnd : public ::testing::Test {
protected:
    void SetUp() override { setenv("QT_QPA_PLATFORM", "offscreen", 1); }
    void TearDown() override { test::RemoveTree(logs_); }

    test::TempHome home_;
    test::TempRegistry registry_;
    std::string logs_ = test::MakeTempFolder("agent-e2e-logs");
    // A login session of its own: the agent steps aside for another agent in
    // its session, such as one started by a test running alongside.
    test::ScopedEnv runtime_{"XDG_RUNTIME_DIR", logs_};
    test::ScopedEnv session_{"XDG_SESSION_ID", "corvane-e2e-" + std::to_string(getpid())};
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
    Child driver(Quoted(CORVANE_SIMDRIVER) + "--journal " + Quoted(journal) + "--registry " +
                 Quoted(registry_.Path()) + ">" + Quoted(logs_ + "/driver.log") + "2>&1");
    ASSERT_TRUE(driver.Started());
    // Generous limits: a sanitizer build on a busy machine starts slowly. The
    // waits themselves are checked by counting ticks in the journal below.
    bool up = false;
    for (const auto end = Clock::now() + 30s;
         !(up = SimStatus(registry_.Path()).has_value()) && Clock::now() < end;)
        std::this_thread::sleep_for(50ms);
    ASSERT_TRUE(up) << "the simulated driver did not come up";

    const auto start = Clock::now();
    Child agent(Quoted(CORVANE_AGENT) + ">" + Quoted(logs_ + "/agent.log") + "2>&1");
    ASSERT_TRUE(agent.Started());
    std::optional<double> associatedAfter;
    while (!associatedAfter && Clock::now() - start < 60s) {
        std::optional<nlohmann::json> s = SimStatus(registry_.Path());
        if (s && s->value("associated", false) && s->value("ssid", "") == "CorvaneHome")
            associatedAfter = SecondsSince(start);
        std::this_thread::sleep_for(100ms);
    }
    ASSERT_TRUE(associatedAfter) << "no association within 60 s";
    std::printf("associated %.2f s after the agent started\n", *associatedAfter);
    agent.Stop();
    driver.Stop();

    std::vector<uint32_t> selectors;
    std::vector<std::string> inputs;
    std::ifstream in(journal);
    for (std::string line; std::getline(in, line);) {
        nlohmann::json j = nlohmann::json::parse(line, nullptr, false);
        if (j.is_discarded() || !j.contains("selector")) continue;
        selectors.push_back(j["selector"].get<uint32_t>());
        inputs.push_back(j.value("input", ""));
    }
    const auto find = [&](size_t from, uint32_t selector) {
        return size_t(std::find(selectors.begin() + long(std::min(from, selectors.size())),
                                selectors.end(), selector) -
                      selectors.begin());
    };
    const size_t dropped =
        find(find(find(0, OID_VX_DRIVER_READY), OID_VX_RADIO), Set(OID_802_11_DISASSOCIATE));
    ASSERT_LT(dropped, selectors.size()) << "card initialisation, then the association dropped";
    const std::vector<uint32_t> apply = {Set(OID_VX_CLIENT_64BIT),
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
    const size_t at = find(dropped + 1, apply[0]);
    // Ten ticks found the link down (one media-state query each) before the
    // profile was applied, in the tenth.
    EXPECT_EQ(std::count(selectors.begin() + long(dropped),
                         selectors.begin() + long(std::min(at, selectors.size())),
                         OID_GEN_MEDIA_CONNECT_STATUS),
              10);
    // The sequence runs inside one tick: its requests are consecutive.
    ASSERT_LE(at + apply.size(), selectors.size()) << "no apply sequence after the set-up";
    EXPECT_EQ(std::vector<uint32_t>(selectors.begin() + long(at),
                                    selectors.begin() + long(at + apply.size())),
              apply);
    EXPECT_EQ(inputs[at + 9].size(), 2u * 104);
}

TEST_F(AgentEndToEnd, WithoutADriverExitsQuietlyAfterThreeTicks) {
    const auto start = Clock::now();
    const std::string log = logs_ + "/agent.log";
    Child agent(Quoted(CORVANE_AGENT) + ">" + Quoted(log) + "2>&1");
    ASSERT_TRUE(agent.Started());
    std::optional<int> status = agent.WaitExit(60s);
    ASSERT_TRUE(status) << "the agent did not end by itself";
    EXPECT_EQ(*status, 0);
    EXPECT_GT(SecondsSince(start), 0.9) << "three ticks are two intervals apart at least";
    // Each tick asks for the media state first (traced), then looks for the driver.
    std::ifstream in(log);
    const std::string trace((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::string query = "Oid = " + std::to_string(OID_GEN_MEDIA_CONNECT_STATUS) + " ";
    size_t ticks = 0;
    for (size_t at = 0; (at = trace.find(query, at)) != std::string::npos; ++at) ++ticks;
    EXPECT_EQ(ticks, 3u) << trace;
}

}  // namespace
}  // namespace corvane

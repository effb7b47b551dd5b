// The agent and the simulated driver as separate processes, talking over the
// registry socket as they do on a real desktop.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "adapter/Oids.h"
#include "profiles/PreferenceFiles.h"
#include "tests/integration/CliFixture.h"

namespace corvane {
namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

constexpr uint32_t Set(uint32_t oid) { return oid | OID_SET_FLAG; }

// A program of the build with its output to `log`, ended when the guard ends.
test::Daemon Logged(const std::string& program, std::vector<std::string> args,
                    const std::string& log) {
    std::string command = "exec '" + test::BinPath(program) + "'";
    for (const std::string& a : args) command += " '" + a + "'";
    return test::Daemon({"/bin/sh", "-c", command + " > '" + log + "' 2>&1"});
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
    test::Daemon driver =
        Logged("corvane-simdriver", {"--journal", journal}, logs_ + "/driver.log");
    // Generous limits: a sanitizer build on a busy machine starts slowly. The
    // waits themselves are checked by counting ticks in the journal below.
    for (const auto end = Clock::now() + 30s; test::SimStatus().is_null() && Clock::now() < end;)
        std::this_thread::sleep_for(50ms);
    ASSERT_FALSE(test::SimStatus().is_null()) << "the simulated driver did not come up";

    const auto start = Clock::now();
    test::Daemon agent = Logged("MiniTask-CorvaneUtility", {}, logs_ + "/agent.log");
    std::optional<double> associatedAfter;
    while (!associatedAfter && Clock::now() - start < 60s) {
        const nlohmann::json s = test::SimStatus();
        if (s.is_object() && s.value("associated", false) && s.value("ssid", "") == "CorvaneHome")
            associatedAfter = std::chrono::duration<double>(Clock::now() - start).count();
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

// Unplugged for a moment three times, the agent stays; unplugged for good it
// ends (and the session's path unit starts it again with the next adapter).
TEST_F(AgentEndToEnd, OutlivesShortUnplugsAndEndsWhenTheAdapterStaysAway) {
    test::Daemon driver = Logged("corvane-simdriver", {}, logs_ + "/driver.log");
    for (const auto end = Clock::now() + 30s; test::SimStatus().is_null() && Clock::now() < end;)
        std::this_thread::sleep_for(50ms);
    ASSERT_FALSE(test::SimStatus().is_null()) << "the simulated driver did not come up";
    test::Daemon agent = Logged("MiniTask-CorvaneUtility", {}, logs_ + "/agent.log");
    const auto simctl = [](const char* command) {
        return test::Run({test::BinPath("corvane-simctl"), command}).status;
    };
    std::this_thread::sleep_for(3s);  // set up, ticking
    // Each unplug is seen by one or two ticks (every 0.5 s), never three.
    for (int i = 0; i < 3; ++i) {
        ASSERT_EQ(simctl("unplug"), 0);
        std::this_thread::sleep_for(600ms);
        ASSERT_EQ(simctl("plug"), 0);
        std::this_thread::sleep_for(1500ms);
        EXPECT_FALSE(agent.Exited()) << "after unplug " << i + 1;
    }
    ASSERT_EQ(simctl("unplug"), 0);
    bool exited = false;
    for (const auto end = Clock::now() + 10s; !exited && Clock::now() < end;) {
        std::this_thread::sleep_for(100ms);
        exited = agent.Exited();
    }
    EXPECT_TRUE(exited) << "three missing ticks in a row end the agent";
}

}  // namespace
}  // namespace corvane

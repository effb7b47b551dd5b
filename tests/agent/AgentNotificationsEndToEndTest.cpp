// The agent's desktop notifications end to end: the agent and the simulated
// driver as processes, a private session bus (dbus-daemon) with a real
// notification server on it (dunst, drawing on an Xvfb display), and
// dbus-monitor as the witness of every org.freedesktop.Notifications.Notify
// call the agent makes. The link is dropped and restored with corvane-simctl.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDeadlineTimer>
#include <chrono>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "agent/DesktopNotifier.h"
#include "agent/LinkNotices.h"
#include "profiles/PreferenceFiles.h"
#include "tests/integration/CliFixture.h"

namespace corvane {
namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

constexpr const char* kHomeBssid = "00:0C:43:A1:00:01";  // CorvaneHome in the sample air

// The command line that runs a program with its output to `log`.
std::vector<std::string> Logged(const std::string& program, const std::vector<std::string>& args,
                                const std::string& log) {
    std::string command = "exec '" + program + "'";
    for (const std::string& a : args) command += " '" + a + "'";
    return {"/bin/sh", "-c", command + " > '" + log + "' 2>&1"};
}

bool WaitFor(const std::function<bool()>& done, std::chrono::seconds limit) {
    for (const auto end = Clock::now() + limit; Clock::now() < end;) {
        if (done()) return true;
        std::this_thread::sleep_for(100ms);
    }
    return done();
}

struct NotifyCall {
    std::string appName, replacesId, appIcon, summary, body;
};

// What dbus-monitor saw: the Notify calls, and the ids the server answered
// them with.
struct Witnessed {
    std::vector<NotifyCall> calls;
    std::vector<std::string> ids;
};

// Reads dbus-monitor's output: each message a line that starts in the first
// column ("method call ... member=Notify", "method return ..."), then one
// line per argument, the top-level ones indented by three blanks
// ("   string "Connected to CorvaneHome"", "   uint32 7").
Witnessed ReadMonitor(const std::string& monitorLog) {
    Witnessed seen;
    enum class Message { kOther, kNotify, kReturn } message = Message::kOther;
    std::vector<std::string> args;
    const auto finish = [&] {
        if (message == Message::kNotify && args.size() >= 5)
            seen.calls.push_back({args[0], args[1], args[2], args[3], args[4]});
        if (message == Message::kReturn && args.size() == 1) seen.ids.push_back(args[0]);
        args.clear();
    };
    std::istringstream in(test::ReadFile(monitorLog));
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line[0] != ' ') {
            finish();
            message = line.rfind("method return ", 0) == 0 ? Message::kReturn
                      : line.rfind("method call ", 0) == 0 &&
                              line.find("interface=org.freedesktop.Notifications; member=Notify") !=
                                  std::string::npos
                          ? Message::kNotify
                          : Message::kOther;
            continue;
        }
        if (message == Message::kOther || line.rfind("   ", 0) != 0 || line.size() < 4 ||
            line[3] == ' ')
            continue;
        const size_t blank = line.find(' ', 3);
        if (blank == std::string::npos) continue;  // "   ]"
        std::string value = line.substr(blank + 1);
        if (line.compare(3, blank - 3, "string") == 0 && value.size() >= 2)
            value = value.substr(1, value.size() - 2);  // printed between quotes, unescaped
        args.push_back(value);
    }
    finish();
    return seen;
}

class AgentNotificationsEndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* tool : {CORVANE_DUNST, CORVANE_XVFB, CORVANE_DBUS_DAEMON,
                                 CORVANE_DBUS_MONITOR, CORVANE_DBUS_SEND})
            if (*tool == '\0' || access(tool, X_OK) != 0)
                GTEST_SKIP() << "a notification server and its test bus are needed: dunst, Xvfb, "
                                "dbus-daemon, dbus-monitor and dbus-send (Debian packages dunst, "
                                "xvfb and dbus, installed by scripts/install-deps.sh --test); "
                             << (*tool ? tool : "one of them") << " is missing";
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    void TearDown() override { test::RemoveTree(logs_); }

    enum class Server { kDunst, kNone };

    // A display, a private session bus, the notification server (unless
    // kNone) and the witness on it; every program started afterwards uses
    // that bus.
    void StartBus(Server server = Server::kDunst) {
        // Xvfb picks a free display and writes its number to standard output.
        const std::string display = logs_ + "/display";
        xvfb_.emplace(
            std::vector<std::string>{"/bin/sh", "-c",
                                     "exec '" + std::string(CORVANE_XVFB) +
                                         "' -displayfd 1 -nolisten tcp -screen 0 640x480x24 > '" +
                                         display + "' 2> '" + logs_ + "/xvfb.log'"});
        ASSERT_TRUE(
            WaitFor([&] { return test::ReadFile(display).find('\n') != std::string::npos; }, 20s))
            << "Xvfb did not start: " << test::ReadFile(logs_ + "/xvfb.log");
        const std::string number = test::ReadFile(display);
        display_.emplace("DISPLAY", ":" + number.substr(0, number.find('\n')));

        const std::string config = logs_ + "/bus.conf";
        std::ofstream(config) << "<!DOCTYPE busconfig PUBLIC "
                                 "\"-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN\"\n"
                                 " \"http://www.freedesktop.org/standards/dbus/1.0/"
                                 "busconfig.dtd\">\n"
                                 "<busconfig><type>session</type>"
                                 "<listen>unix:path="
                              << logs_
                              << "/bus</listen>"
                                 "<policy context=\"default\"><allow send_destination=\"*\"/>"
                                 "<allow eavesdrop=\"true\"/><allow own=\"*\"/></policy>"
                                 "</busconfig>\n";
        const std::string address = logs_ + "/bus.address";
        bus_.emplace(Logged(CORVANE_DBUS_DAEMON,
                            {"--config-file=" + config, "--nofork", "--print-address=1"}, address));
        ASSERT_TRUE(WaitFor([&] { return test::ReadFile(address).find("unix:") == 0; }, 10s))
            << "dbus-daemon did not start: " << test::ReadFile(address);
        std::string line = test::ReadFile(address);
        busAddress_.emplace("DBUS_SESSION_BUS_ADDRESS", line.substr(0, line.find('\n')));

        if (server == Server::kDunst) {
            ASSERT_NO_FATAL_FAILURE(StartDunst());
        }
        monitor_.emplace(
            Logged(CORVANE_DBUS_MONITOR,
                   {"type='method_call',interface='org.freedesktop.Notifications',member='Notify'",
                    "type='method_return',sender='org.freedesktop.Notifications'"},
                   monitorLog_));
        // It has become a monitor once the bus took its name back.
        ASSERT_TRUE(WaitFor(
            [&] {
                return test::ReadFile(monitorLog_).find("member=NameLost") != std::string::npos;
            },
            10s))
            << "dbus-monitor did not start: " << test::ReadFile(monitorLog_);
    }
    void StartDunst() {
        // An empty configuration: dunst's built-in defaults, whatever the
        // machine's or the user's dunstrc says.
        const std::string dunstrc = logs_ + "/dunstrc";
        std::ofstream(dunstrc) << "";
        server_.emplace(Logged(CORVANE_DUNST, {"-config", dunstrc}, logs_ + "/server.log"));
        ASSERT_TRUE(WaitFor(
            [] {
                return test::Run({CORVANE_DBUS_SEND, "--session", "--print-reply",
                                  "--dest=org.freedesktop.DBus", "/org/freedesktop/DBus",
                                  "org.freedesktop.DBus.NameHasOwner",
                                  "string:org.freedesktop.Notifications"})
                           .out.find("boolean true") != std::string::npos;
            },
            20s))
            << "dunst did not take the notification service's name: "
            << test::ReadFile(logs_ + "/server.log");
    }
    void StartDriverAndAgent() {
        driver_.emplace(Logged(test::BinPath("corvane-simdriver"), {}, logs_ + "/driver.log"));
        ASSERT_TRUE(WaitFor([] { return !test::SimStatus().is_null(); }, 30s))
            << "the simulated driver did not come up";
        agent_.emplace(Logged(test::BinPath("MiniTask-CorvaneUtility"), {}, logs_ + "/agent.log"));
    }
    static void Activate(const char* passphrase) {
        ASSERT_TRUE(WritePreferenceArray(kActiveProfilePath,
                                         {PrefDictionary{{kKeySsid, "CorvaneHome"},
                                                         {kKeyNetworkType, "1"},
                                                         {kKeyAuthenticationType, "3"},
                                                         {kKeyEncryptionType, "1"},
                                                         {kKeyWpaPsk, passphrase},
                                                         {kKeyActiveProfileFlag, "YES"}}}));
    }
    static int Simctl(const std::vector<std::string>& args) {
        std::vector<std::string> command = {test::BinPath("corvane-simctl")};
        command.insert(command.end(), args.begin(), args.end());
        return test::Run(command).status;
    }
    std::vector<NotifyCall> Calls() const { return ReadMonitor(monitorLog_).calls; }
    bool WaitForCalls(size_t count, std::chrono::seconds limit) const {
        return WaitFor([&] { return Calls().size() >= count; }, limit);
    }
    std::string Logs() const {
        return "agent: " + test::ReadFile(logs_ + "/agent.log") +
               "\nserver: " + test::ReadFile(logs_ + "/server.log") +
               "\nmonitor: " + test::ReadFile(monitorLog_);
    }

    test::TempHome home_;
    test::TempRegistry registry_;
    std::string logs_ = test::MakeTempFolder("agent-notify");
    std::string monitorLog_ = logs_ + "/monitor.log";
    // A login session of its own (the agent steps aside for another agent
    // in its session).
    test::ScopedEnv runtime_{"XDG_RUNTIME_DIR", logs_};
    test::ScopedEnv session_{"XDG_SESSION_ID", "corvane-notify-" + std::to_string(getpid())};
    // Ended in the reverse order: the agent first, the display last.
    std::optional<test::Daemon> xvfb_;
    std::optional<test::ScopedEnv> display_;
    std::optional<test::Daemon> bus_;
    std::optional<test::ScopedEnv> busAddress_;
    std::optional<test::Daemon> server_, monitor_, driver_, agent_;
};

TEST_F(AgentNotificationsEndToEnd, ToldAsTheLinkComesGoesAndCannotBeHadAgain) {
    Activate("correct horse battery");
    ASSERT_NO_FATAL_FAILURE(StartBus());
    ASSERT_NO_FATAL_FAILURE(StartDriverAndAgent());
    // Set up, ten disconnected ticks, the active profile applied.
    ASSERT_TRUE(WaitForCalls(1, 40s)) << Logs();

    // The link has been steady for 10 s: its loss is told at once.
    std::this_thread::sleep_for(11s);
    Activate("not the right passphrase");
    ASSERT_EQ(Simctl({"rssi", kHomeBssid, "-120"}), 0);
    ASSERT_TRUE(WaitForCalls(2, 3s)) << Logs();
    ASSERT_EQ(Simctl({"rssi", kHomeBssid, "-42"}), 0);

    // Reconnects every ten ticks with the wrong key: told when the second
    // finds the first did not associate.
    ASSERT_TRUE(WaitForCalls(3, 20s)) << Logs();
    Activate("correct horse battery");
    ASSERT_TRUE(WaitForCalls(4, 15s)) << Logs();
    std::this_thread::sleep_for(1s);
    agent_.reset();

    const auto [calls, ids] = ReadMonitor(monitorLog_);
    ASSERT_EQ(calls.size(), 4u) << Logs();
    ASSERT_EQ(ids.size(), 4u) << "the server answered every call: " << Logs();
    const char* const summaries[] = {"Connected to CorvaneHome", "Connection to CorvaneHome lost",
                                     "Could not connect to CorvaneHome",
                                     "Connected to CorvaneHome"};
    for (size_t i = 0; i < calls.size(); ++i) {
        EXPECT_EQ(calls[i].summary, summaries[i]) << i;
        EXPECT_EQ(calls[i].body, i == 2 ? "The key in the active profile may be wrong, or the "
                                          "network may be out of range."
                                        : "")
            << i;
        EXPECT_EQ(calls[i].appName, "Corvane Wireless Status");
        EXPECT_EQ(calls[i].appIcon, "network-wireless");
        // Each replaces the one before it, by the id the server gave that.
        EXPECT_EQ(calls[i].replacesId, i == 0 ? "0" : ids[i - 1]) << i;
    }
}

TEST_F(AgentNotificationsEndToEnd, NothingIsToldWhenTurnedOff) {
    Activate("correct horse battery");
    ASSERT_TRUE(WritePreferenceArray("~/Library/Preferences/CorvaneAgentSetting.plist",
                                     {PrefDictionary{{"Show Notifications", "NO"}}}));
    ASSERT_NO_FATAL_FAILURE(StartBus());
    ASSERT_NO_FATAL_FAILURE(StartDriverAndAgent());
    ASSERT_TRUE(WaitFor(
        [] {
            const nlohmann::json s = test::SimStatus();
            return s.is_object() && s.value("associated", false);
        },
        40s))
        << Logs();
    std::this_thread::sleep_for(2s);  // ticks that see the link up
    agent_.reset();
    EXPECT_TRUE(Calls().empty()) << Logs();
}

// On a bus where nothing serves notifications the call fails, and the
// tray's message stands in for it; where the server answers, it does not.
TEST_F(AgentNotificationsEndToEnd, TheTraysMessageStandsInOnlyWhereTheServiceFails) {
    ASSERT_NO_FATAL_FAILURE(StartBus(Server::kNone));
    int argc = 1;
    char name[] = "agent_notifications_e2e_tests";
    char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
    std::vector<Notification> tray;
    const auto shown = [&](size_t count, std::chrono::milliseconds limit) {
        for (QDeadlineTimer end(limit); tray.size() < count && !end.hasExpired();)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 100);
        return tray.size() >= count;
    };
    {
        DesktopNotifier notifier(
            [&tray](const Notification& n) {
                tray.push_back(n);
                return true;
            },
            QDBusConnection::sessionBus());
        notifier.Notify(LostNotification("CorvaneHome"));
        ASSERT_TRUE(shown(1, 10s)) << "no fallback after the failed call: " << Logs();
        EXPECT_EQ(tray[0].summary, "Connection to CorvaneHome lost");
        EXPECT_TRUE(WaitForCalls(1, 5s)) << "the call was made: " << Logs();

        ASSERT_NO_FATAL_FAILURE(StartDunst());
        notifier.Notify(ConnectedNotification("CorvaneHome"));
        ASSERT_TRUE(WaitFor(
            [&] {
                QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
                return ReadMonitor(monitorLog_).ids.size() == 1;
            },
            10s))
            << Logs();
        EXPECT_FALSE(shown(2, 1s)) << "the tray was asked although the server answered";
    }
    EXPECT_EQ(Calls().size(), 2u) << Logs();
}

}  // namespace
}  // namespace corvane

// The agent's desktop notifications, driven through its ticks: the driver
// answers each tick's media state and network, the clock moves 0.5 s per
// tick, and a recording notifier keeps what would have been shown.
#include <gtest/gtest.h>

#include <QAction>
#include <QDBusConnection>
#include <QMenu>
#include <filesystem>
#include <optional>
#include <set>

#include "adapter/Globals.h"
#include "adapter/Oids.h"
#include "agent/DesktopNotifier.h"
#include "agent/LinkNotices.h"
#include "agent/MiniTask.h"
#include "agent/NotificationSwitch.h"
#include "agent/TrayStatusItem.h"
#include "platform/Clock.h"
#include "profiles/PreferenceFiles.h"
#include "tests/agent/RecordingNotifier.h"
#include "tests/support/ManualClock.h"
#include "tests/support/ProcessValues.h"
#include "tests/support/RecordingUserClientProvider.h"
#include "tests/support/TempFolders.h"

namespace corvane {
namespace {

using Bytes = std::vector<uint8_t>;
Bytes U32(uint32_t v) { return {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)}; }

const PrefDictionary kActiveHome = {{kKeySsid, "CorvaneHome"},
                                    {kKeyNetworkType, "1"},
                                    {kKeyAuthenticationType, "3"},
                                    {kKeyEncryptionType, "1"},
                                    {kKeyWpaPsk, "correct horse battery"},
                                    {kKeyActiveProfileFlag, "YES"}};

// What the driver answers for a run of ticks.
constexpr const char* kNoAdapter = nullptr;
struct Step {
    const char* link;  // the network while up, "" while down, kNoAdapter
    int ticks;
};

class LinkNoticesTest : public ::testing::Test {
protected:
    void SetUp() override { Start(); }
    void TearDown() override {
        task_.reset();
        test::ResetGlobals();
    }
    // A freshly started agent, its first tick still to come.
    void Start() {
        TearDown();
        __DEBUG__ = 0;
        notifier_.shown.clear();
        notices_.emplace(notifier_);
        task_.emplace(status_, MiniTask::Hooks{[](int) {}, [] {}});
        task_->SetLinkNotices(&*notices_);
        task_->awakeFromNib(false);
    }
    // Runs the steps; returns each notification's summary with the number
    // of the tick (from 1) that showed it.
    std::vector<std::pair<int, std::string>> Run(const std::vector<Step>& steps) {
        std::vector<std::pair<int, std::string>> told;
        const size_t before = notifier_.shown.size();
        int tick = 0;
        for (const Step& step : steps) {
            driver_.SetOpenFails(step.link == kNoAdapter);
            driver_.SetAnswer(OID_GEN_MEDIA_CONNECT_STATUS,
                              U32(step.link && *step.link ? kMediaConnected : kMediaDisconnected));
            if (step.link) driver_.SetAnswer(OID_802_11_SSID, SsidAnswer(step.link));
            for (int i = 0; i < step.ticks; ++i) {
                clock_.Advance(kTickIntervalMs * 1000);
                task_->OnTimer();
                ++tick;
                for (size_t n = before + told.size(); n < notifier_.shown.size(); ++n)
                    told.emplace_back(tick, notifier_.shown[n].summary);
            }
        }
        return told;
    }
    static Bytes SsidAnswer(const std::string& name) {
        NDIS_802_11_SSID ssid = MakeSsid(name);
        auto bytes = EncodeSsid(ssid);
        return Bytes(bytes.begin(), bytes.end());
    }

    test::TempHome home_;
    test::ManualClock clock_;
    platform::ScopedClock clockScope_{clock_};
    test::RecordingUserClientProvider driver_;
    LastStatus status_;
    test::RecordingNotifier notifier_;
    std::optional<LinkNotices> notices_;
    std::optional<MiniTask> task_;
};

TEST_F(LinkNoticesTest, ToldOncePerChangeAndNotWhileTheLinkFlaps) {
    // Every row begins with the tick that finds the adapter.
    struct Row {
        const char* what;
        bool activeProfile;
        std::vector<Step> steps;
        std::vector<std::pair<int, std::string>> told;
    } const rows[] = {
        {"steady changes are told at once; a roam is a change",
         false,
         {{"", 1}, {"Home", 30}, {"Cafe", 30}, {"", 30}},
         {{2, "Connected to Home"}, {32, "Connected to Cafe"}, {62, "Connection to Cafe lost"}}},
        {"a flap is told 10 s after its last change, as the state it settled in",
         false,
         {{"", 1}, {"Home", 30}, {"", 4}, {"Home", 4}, {"", 4}, {"Home", 30}},
         {{2, "Connected to Home"}, {32, "Connection to Home lost"}, {64, "Connected to Home"}}},
        {"a flap that ends where it began says nothing",
         false,
         {{"", 1}, {"Home", 30}, {"", 4}, {"Home", 4}, {"", 40}},
         {{2, "Connected to Home"}, {32, "Connection to Home lost"}}},
        {"a reconnect that does not associate by the next one is told once",
         true,
         {{"", 1}, {"", 40}, {"CorvaneHome", 4}},
         {{21, "Could not connect to CorvaneHome"}, {42, "Connected to CorvaneHome"}}},
        {"a reconnect that brings the link back within 10 s of its loss",
         true,
         {{"", 1}, {"CorvaneHome", 30}, {"", 10}, {"CorvaneHome", 30}},
         {{2, "Connected to CorvaneHome"},
          {32, "Connection to CorvaneHome lost"},
          {62, "Connected to CorvaneHome"}}},
        {"a failed reconnect stands for the loss a flap kept back",
         true,
         {{"", 1}, {"", 9}, {"CorvaneHome", 1}, {"", 30}},
         {{11, "Connected to CorvaneHome"}, {31, "Could not connect to CorvaneHome"}}},
        {"a reconnect is void once the adapter is searched for",
         true,
         {{"", 12}, {kNoAdapter, 2}, {"", 25}},
         {{35, "Could not connect to CorvaneHome"}}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        if (row.activeProfile)
            WritePreferenceArray(kActiveProfilePath, {kActiveHome});
        else
            RemovePreferenceFile(kActiveProfilePath);
        Start();
        EXPECT_EQ(Run(row.steps), row.told);
    }
}

// The hint names the key only where the profile has one.
TEST_F(LinkNoticesTest, TheFailureSaysTheKeyMayBeWrong) {
    const char* const keyHint =
        "The key in the active profile may be wrong, or the network may be out of range.";
    const struct Row {
        const char* what;
        PrefDictionary profile;
        const char* hint;
    } rows[] = {
        {"WPA2-PSK", kActiveHome, keyHint},
        {"WEP",
         {{kKeySsid, "OldRouter"},
          {kKeyNetworkType, "1"},
          {kKeyAuthenticationType, "0"},
          {kKeyEncryptionType, "1"},
          {"WEPKey1", "abcde"},
          {"WEPKey1 Type", "1"},
          {"WEPKeyUse", "0"},
          {kKeyActiveProfileFlag, "YES"}},
         keyHint},
        {"open",
         {{kKeySsid, "CafeOpen"},
          {kKeyNetworkType, "1"},
          {kKeyAuthenticationType, "0"},
          {kKeyEncryptionType, "0"},
          {kKeyActiveProfileFlag, "YES"}},
         "The network may be out of range."},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        WritePreferenceArray(kActiveProfilePath, {row.profile});
        Start();
        Run({{"", 21}});
        const std::string name = row.profile.Value(kKeySsid);
        ASSERT_EQ(notifier_.shown.size(), 1u);
        EXPECT_EQ(notifier_.shown[0],
                  (Notification{"Could not connect to " + name, row.hint, "network.error"}));
        Run({{name.c_str(), 30}, {"", 1}});
        ASSERT_EQ(notifier_.shown.size(), 3u);
        EXPECT_EQ(notifier_.shown[1].category, "network.connected");
        EXPECT_EQ(notifier_.shown[2].category, "network.disconnected");
    }
}

// The menu's check item, its file and the notices, as the agent wires them.
TEST_F(LinkNoticesTest, ShowNotificationsItemTurnsThemOffAndIsRemembered) {
    const std::string file = home_.PreferencesFile("CorvaneAgentSetting.plist");
    auto item = std::make_unique<TrayStatusItem>(nullptr);
    QAction* show = item->menu()->findChild<QAction*>("ShowNotifications");
    ASSERT_NE(show, nullptr);
    EXPECT_EQ(show->text(), "Show Notifications");
    auto showSwitch = std::make_unique<NotificationSwitch>(*show, *notices_);
    EXPECT_TRUE(show->isCheckable());
    EXPECT_TRUE(show->isChecked());  // no file yet: shown
    EXPECT_FALSE(std::filesystem::exists(file));

    show->trigger();  // off
    EXPECT_FALSE(show->isChecked());
    EXPECT_EQ(ReadPreferenceArray(kAgentSettingPath), (PrefArray{{{"Show Notifications", "NO"}}}));
    Run({{"", 1}, {"Home", 30}, {"", 30}});
    EXPECT_TRUE(notifier_.shown.empty());

    // On again while up: the link it came up on is old news; its loss is not.
    Run({{"Home", 30}});
    show->trigger();
    EXPECT_EQ(ReadPreferenceArray(kAgentSettingPath), (PrefArray{{{"Show Notifications", "YES"}}}));
    Run({{"Home", 1}, {"", 1}});
    ASSERT_EQ(notifier_.shown.size(), 1u);
    EXPECT_EQ(notifier_.shown[0].summary, "Connection to Home lost");

    // Read back at the next start; other keys of the file are kept.
    WritePreferenceArray(kAgentSettingPath,
                         {{{"Show Notifications", "NO"}, {"Other", "x"}}, {{"Second", "y"}}});
    showSwitch.reset();
    item = std::make_unique<TrayStatusItem>(nullptr);
    show = item->ShowNotifications();
    Start();
    showSwitch = std::make_unique<NotificationSwitch>(*show, *notices_);
    EXPECT_FALSE(show->isChecked());
    EXPECT_FALSE(notices_->Enabled());
    show->trigger();
    EXPECT_TRUE(notices_->Enabled());
    EXPECT_EQ(ReadPreferenceArray(kAgentSettingPath),
              (PrefArray{{{"Show Notifications", "YES"}, {"Other", "x"}}, {{"Second", "y"}}}));

    // The file is our own: the three shared files are not written by it.
    std::set<std::string> written;
    for (const auto& entry : std::filesystem::directory_iterator(home_.PreferencesFolder()))
        written.insert(entry.path().filename().string());
    written.erase("AdvancedProfileSetting.plist");  // the agent's ticks set the card up
    EXPECT_EQ(written,
              (std::set<std::string>{"CorvaneAgentSetting.plist", ".corvane-preferences.lock"}));
}

// Without a session bus the tray's message is asked for.
TEST(DesktopNotifier, FallsBackToTheTrayWithoutABus) {
    std::vector<Notification> tray;
    DesktopNotifier notifier(
        [&tray](const Notification& n) {
            tray.push_back(n);
            return true;
        },
        QDBusConnection::connectToBus(QStringLiteral("unix:path=/nonexistent/corvane-bus"),
                                      QStringLiteral("corvane-no-bus")));
    notifier.Notify(ConnectedNotification("Home"));
    EXPECT_EQ(tray, std::vector<Notification>{ConnectedNotification("Home")});
}

}  // namespace
}  // namespace corvane

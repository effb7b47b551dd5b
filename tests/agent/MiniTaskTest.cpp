#include <gtest/gtest.h>

#include <QAction>
#include <QIcon>
#include <QMenu>
#include <array>
#include <optional>

#include "adapter/Globals.h"
#include "adapter/Oids.h"
#include "agent/MiniTask.h"
#include "agent/TrayStatusItem.h"
#include "platform/Clock.h"
#include "platform/SystemInfo.h"
#include "tests/support/FailingPreferenceWrites.h"
#include "tests/support/ManualClock.h"
#include "tests/support/ProcessValues.h"
#include "tests/support/RecordingSystemLog.h"
#include "tests/support/RecordingUserClientProvider.h"
#include "tests/support/TempFolders.h"

namespace corvane {
namespace {

using Bytes = std::vector<uint8_t>;
Bytes U32(uint32_t v) { return {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)}; }
const auto B = [](const auto& a) { return Bytes(a.begin(), a.end()); };
constexpr uint32_t Set(uint32_t oid) { return oid | OID_SET_FLAG; }

PrefDictionary Profile(const char* ssid, const char* networkType, const char* auth,
                       const char* enc) {
    return {{kKeySsid, ssid},
            {kKeyNetworkType, networkType},
            {kKeyChannel, "6"},
            {kKeyAuthenticationType, auth},
            {kKeyEncryptionType, enc},
            {kKeyWpaPsk, "correct horse battery"},
            {kKeyActiveProfileFlag, "YES"}};
}
const PrefDictionary kWpa2 = Profile("CorvaneHome", "1", "3", "1");
const PrefDictionary kAdhocWpaNone = Profile("CorvaneAdhoc", "0", "2", "0");

class MiniTaskTest : public ::testing::Test {
protected:
    void SetUp() override {
        corvane::test::ResetGlobals();
        __DEBUG__ = 0;
        driver_.emplace();
        task_.emplace(status_, MiniTask::Hooks{[this](int s) { exits_.push_back(s); },
                                               [this] { ++paneOpens_; }});
        task_->awakeFromNib(false);
    }
    void TearDown() override {
        task_.reset();
        corvane::test::ResetGlobals();
    }
    void Tick(int times = 1) {
        for (int i = 0; i < times; ++i) task_->OnTimer();
    }
    void Media(uint32_t state) { driver_->SetAnswer(OID_GEN_MEDIA_CONNECT_STATUS, U32(state)); }
    void Activate(const PrefDictionary& p) { WritePreferenceArray(kActiveProfilePath, {p}); }
    size_t Sets(uint32_t oid) const { return driver_->CallsFor(Set(oid)).size(); }
    size_t Applies() const { return Sets(OID_VX_CLIENT_64BIT); }  // each apply begins with it

    test::TempHome home_;
    corvane::test::ManualClock clock_;
    platform::ScopedClock clockScope_{clock_};
    std::optional<test::RecordingUserClientProvider> driver_;
    LastStatus status_;
    std::vector<int> exits_;
    int paneOpens_ = 0;
    std::optional<MiniTask> task_;
};

TEST_F(MiniTaskTest, ReconnectsOnEveryTenthDisconnectedTick) {
    Activate(kWpa2);
    Media(kMediaDisconnected);
    EXPECT_EQ(task_->timer().interval(), 500);
    Tick(10);  // the re-check, then nine disconnected ticks
    EXPECT_EQ(Applies(), 0u);
    EXPECT_EQ(status_.title, "[No Connection!!]");
    Tick();
    EXPECT_EQ(Applies(), 1u);
    Tick(9);
    EXPECT_EQ(Applies(), 1u);
    Tick();
    EXPECT_EQ(Applies(), 2u);
    Tick(5);
    Media(kMediaConnected);  // a connected tick starts the count again
    Tick();
    Media(kMediaDisconnected);
    Tick(9);
    EXPECT_EQ(Applies(), 2u);
    Activate(PrefDictionary{{kKeyActiveProfileFlag, "NO"}});
    Tick(20);
    EXPECT_EQ(Applies(), 2u);
}

TEST_F(MiniTaskTest, AdhocProfileIsNotRetriedWhileTheLinkStaysDown) {
    Activate(kAdhocWpaNone);
    Media(kMediaDisconnected);
    Tick(11);
    ASSERT_EQ(Applies(), 1u);
    // The agent's form: a 104-byte key, no pause, no power mode for ad hoc.
    EXPECT_EQ(driver_->CallsFor(Set(OID_VX_ADD_KEY)).back().input.size(), 104u);
    EXPECT_TRUE(clock_.Sleeps().empty());
    EXPECT_EQ(Sets(OID_802_11_POWER_MODE), 0u);
    Tick(40);
    EXPECT_EQ(Applies(), 1u);
    Media(7);  // any other media state still counts
    Tick(10);
    EXPECT_EQ(Applies(), 2u);
    Media(kMediaConnected);  // up once: retries resume
    Tick();
    Media(kMediaDisconnected);
    Tick(10);
    EXPECT_EQ(Applies(), 3u);
}

TEST_F(MiniTaskTest, RestartPendingDisassociatesPollsAndSearchesAgain) {
    for (auto [doneOnPoll, polls] : {std::pair{1, 1}, {5, 5}, {0, 32}}) {  // 0: never done
        Media(kMediaConnected);
        driver_->SetAnswer(OID_VX_RESTART_PENDING, U32(0));
        Tick();
        driver_->SetAnswer(OID_VX_RESTART_PENDING, U32(1));
        driver_->SetAnswer(OID_VX_RESTART_DONE, U32(0));
        for (int i = 1; i < doneOnPoll; ++i) driver_->QueueAnswer(OID_VX_RESTART_DONE, U32(0));
        if (doneOnPoll) driver_->QueueAnswer(OID_VX_RESTART_DONE, U32(1));
        driver_->ClearCalls();
        clock_.ClearSleeps();
        const int before = task_->checkProfileCount;
        Tick();
        EXPECT_EQ(driver_->CallsFor(OID_VX_RESTART_DONE).size(), size_t(polls)) << doneOnPoll;
        EXPECT_LT(driver_->CallsFor(Set(OID_802_11_DISASSOCIATE)).at(0).index,
                  driver_->CallsFor(OID_VX_RESTART_DONE).at(0).index);
        const std::vector<uint64_t> pauses(clock_.Sleeps().begin(),
                                           clock_.Sleeps().begin() + polls);
        EXPECT_EQ(pauses, std::vector<uint64_t>(size_t(polls), 300)) << doneOnPoll;
        EXPECT_EQ(task_->checkProfileCount, before + 1);  // the profile is searched for again
    }
    G_bDeviceExist = 0;  // before the adapter is known there is nothing to wait for
    driver_->ClearCalls();
    Tick();
    EXPECT_TRUE(driver_->CallsFor(OID_VX_RESTART_DONE).empty());
}

TEST_F(MiniTaskTest, ExitsOnlyAfterThreeMissingTicksInARow) {
    // Unplugged and plugged in again three times (two missing ticks each),
    // then unplugged for good: the third missing tick in a row ends it.
    const bool present[] = {true,  false, false, true,  false, false, true,
                            false, false, true,  false, false, false};
    for (size_t i = 0; i < std::size(present); ++i) {
        if (present[i] && !driver_) driver_.emplace();
        if (!present[i]) driver_.reset();
        Tick();
        EXPECT_EQ(exits_.size(), i + 1 == std::size(present) ? 1u : 0u) << "tick " << i + 1;
    }
    EXPECT_EQ(exits_, std::vector<int>{0});
}

TEST_F(MiniTaskTest, InitAdvanceSettingWritesExactlyFiveKeys) {
    auto five = [](const char* rate, const char* burst, const char* adhoc, const char* mode) {
        return PrefDictionary{{kKeyTxRate, rate},
                              {kKeyBgProtection, "0"},
                              {kKeyTxBurst, burst},
                              {kKeyAdHocMode, adhoc},
                              {kKeyWirelessMode, mode}};
    };
    struct Row {
        const char* driverClass;
        bool aSupport;
        std::optional<PrefDictionary> existing;
        PrefDictionary expected;
    } const rows[] = {
        {"OspreyUSBWirelessDriver", false, std::nullopt, five("0", "1", "1", "9")},
        {"MerlinUSBWirelessDriver", true, std::nullopt, five("0", "1", "1", "2")},
        {"OspreyUSBWirelessDriver", true,
         PrefDictionary{{"Extra", "x"}, {kKeyWirelessMode, "3"}, {kKeyTxRate, "12abc"}},
         five("12", "0", "0", "3")},
    };
    for (const Row& row : rows) {
        driver_.reset();
        driver_.emplace(row.driverClass);
        NetworkTypeList types{row.aSupport ? 2u : 1u, {1, 2}};
        driver_->SetAnswer(OID_802_11_NETWORK_TYPES_SUPPORTED, B(EncodeNetworkTypes(types)));
        std::remove(home_.PreferencesFile("AdvancedProfileSetting.plist").c_str());
        if (row.existing) WritePreferenceArray(kAdvancedSettingPath, {*row.existing, {{"B", "1"}}});
        G_bDeviceExist = 0;
        Tick();
        PrefArray written = ReadPreferenceArray(kAdvancedSettingPath);
        ASSERT_EQ(written.size(), row.existing ? 2u : 1u);
        EXPECT_EQ(written.front(), row.expected);
        EXPECT_EQ(Sets(OID_802_11_DISASSOCIATE), 1u);
    }
}

TEST_F(MiniTaskTest, AWriteThatFailsGoesToTheSystemLog) {
    test::RecordingSystemLog log;
    test::FailingPreferenceWrites failing;
    {
        platform::ScopedSystemLog logging(log);
        ScopedPreferenceWriter writes(failing);
        Tick();  // the adapter is found: its settings are written back
    }
    ASSERT_EQ(log.lines.size(), 1u);
    EXPECT_EQ(log.lines[0],
              "MiniTask-CorvaneUtility: the advanced settings could not be written to " +
                  home_.PreferencesFile("AdvancedProfileSetting.plist"));
}

TEST_F(MiniTaskTest, UpdateStatusTexts) {
    EXPECT_EQ(status_.title, "[Wait Connection...]");
    struct Row {
        std::string ssid;
        uint32_t frequency, word1, previous;
        std::string channel, percent;
        int image;
    } const rows[] = {{"CorvaneHome", 2437000, 75, 0, "6", "100", 5},
                      {std::string(32, 'W'), 1234, 50, 50, "-1", "60", 3},
                      {"x", 5180000, 0, 0, "36", "10", 1}};
    for (const Row& r : rows) {
        driver_->SetAnswer(OID_802_11_SSID, B(EncodeSsid(MakeSsid(r.ssid))));
        NDIS_802_11_CONFIGURATION config;
        config.DSConfig = r.frequency;
        driver_->SetAnswer(OID_802_11_CONFIGURATION, B(EncodeConfiguration(config)));
        VX_802_11_LINK_STATUS link;
        link.ChannelQuality = r.word1;
        driver_->SetAnswer(OID_VX_LINK_STATUS, B(EncodeLinkStatus(link)));
        task_->ChannelQuality = r.previous;
        task_->updateStatus();
        EXPECT_EQ(status_.apItem, "Network           : " + r.ssid);
        EXPECT_EQ(status_.channelItem, "Channel            : " + r.channel);
        EXPECT_EQ(status_.title, "(" + r.percent + "%)");
        EXPECT_EQ(status_.signalStrengthItem, "Signal Strength : " + r.percent + "%");
        EXPECT_EQ(status_.image, r.image);
    }
    task_->updateStatusBlank();
    EXPECT_EQ(status_.apItem, "Network           : ");
    EXPECT_EQ(status_.channelItem, "Channel            : ");
    EXPECT_EQ(status_.title, "[No Connection!!]");
    EXPECT_EQ(status_.image, kNoImage);
    const std::pair<uint32_t, int> levels[] = {{0, 0},  {1, 1},  {20, 1}, {21, 2}, {40, 2},
                                               {41, 3}, {61, 4}, {80, 4}, {81, 5}};
    for (auto [quality, level] : levels) EXPECT_EQ(SignalIconLevel(quality), level) << quality;
}

TEST(TrayStatusItem, PreferencesItemCarriesTag224AndIconsLoad) {
    const QObject* chosen = nullptr;
    TrayStatusItem item([&](const QObject* sender) { chosen = sender; });
    QAction* prefs = item.menu()->findChild<QAction*>("WirelessPreference");
    ASSERT_NE(prefs, nullptr);
    EXPECT_EQ(prefs->property("tag").toInt(), kOpenPaneTag);
    prefs->trigger();
    EXPECT_EQ(chosen, prefs);
    for (int level = 0; level < kSignalIconCount; ++level)
        EXPECT_FALSE(QIcon(QStringLiteral(":/signal%1").arg(level)).pixmap(22).isNull()) << level;
}

}  // namespace
}  // namespace corvane

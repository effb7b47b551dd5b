#include "agent/MiniTask.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QObject>
#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "adapter/ByteOrder.h"
#include "adapter/Globals.h"
#include "adapter/Oids.h"
#include "platform/Clock.h"
#include "profiles/PreferenceFiles.h"
#include "tests/support/RecordingUserClientProvider.h"
#include "tests/support/TempFolders.h"

namespace corvane {
namespace {

using test::RecordingUserClientProvider;

std::vector<uint8_t> U32(uint32_t v) {
    std::vector<uint8_t> b(4);
    WriteLe32(b.data(), v);
    return b;
}

constexpr uint32_t Set(uint32_t oid) { return oid | OID_SET_FLAG; }

PrefDictionary Wpa2Profile() {
    return {{kKeyProfileName, "Home"},       {kKeySsid, "CorvaneHome"},
            {kKeyNetworkType, "1"},          {kKeyChannel, "6"},
            {kKeyAuthenticationType, "3"},   {kKeyEncryptionType, "1"},
            {kKeyWpaPsk, "correct horse battery"},
            {kKeyTxPower, "0"},              {kKeyPreambleType, "0"},
            {kKeyRtsThreshold, "2347"},      {kKeyFragThreshold, "2346"},
            {kKeyPowerSaveMode, "0"},        {kKeyAcPowerCam, "0"},
            {kKeyActiveProfileFlag, "YES"}};
}

PrefDictionary AdhocWpaNoneProfile() {
    PrefDictionary p = Wpa2Profile();
    p.Set(kKeySsid, "CorvaneAdhoc");
    p.Set(kKeyNetworkType, "0");
    p.Set(kKeyAuthenticationType, "2");
    p.Set(kKeyEncryptionType, "0");
    return p;
}

class MiniTaskTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetGlobalsForTest();
        __DEBUG__ = 0;
        clock_.emplace(manual_);
        driver_.emplace();
        hooks_.exitProcess = [this](int status) { exits_.push_back(status); };
        hooks_.openPane = [this] { ++paneOpens_; };
        task_.emplace(status_, hooks_);
        task_->awakeFromNib(false);
    }
    void TearDown() override {
        task_.reset();
        driver_.reset();
        clock_.reset();
        ResetGlobalsForTest();
    }

    void Tick(int times = 1) {
        for (int i = 0; i < times; ++i) task_->OnTimer();
    }
    void SetMediaState(uint32_t state) {
        driver_->SetAnswer(OID_GEN_MEDIA_CONNECT_STATUS, U32(state));
    }
    void WriteActive(const PrefDictionary& profile) {
        ASSERT_TRUE(WritePreferenceArray(kActiveProfilePath, {profile}));
    }
    size_t CountSets(uint32_t oid) const { return driver_->CallsFor(Set(oid)).size(); }
    // Number of apply sequences so far: each begins with the client width.
    size_t Applies() const { return CountSets(OID_VX_CLIENT_64BIT); }

    test::TempHome home_;
    platform::ManualClock manual_;
    std::optional<platform::ScopedClock> clock_;
    std::optional<RecordingUserClientProvider> driver_;
    LastStatus status_;
    MiniTask::Hooks hooks_;
    std::vector<int> exits_;
    int paneOpens_ = 0;
    std::optional<MiniTask> task_;
};

TEST_F(MiniTaskTest, AwakeShowsWaitingAndStartTimerIsHalfASecond) {
    EXPECT_EQ(status_.title, "[Wait Connection...]");
    EXPECT_EQ(status_.titleChanges, 2);  // emptied first, then the waiting text
    EXPECT_EQ(task_->timer().interval(), 500);
    EXPECT_FALSE(task_->timer().isSingleShot());
    EXPECT_EQ(task_->reconnectCount, 0);
    EXPECT_EQ(task_->checkProfileCount, 0);
    EXPECT_EQ(task_->networktypeformCheckProfile, 1);
    LastStatus other;
    MiniTask started(other, hooks_);
    started.awakeFromNib(true);
    EXPECT_TRUE(started.timer().isActive());
}

TEST_F(MiniTaskTest, FirstTickInitialisesCardAndDropsAssociation) {
    SetMediaState(kMediaDisconnected);
    Tick();
    EXPECT_EQ(G_bDeviceExist, 1);
    EXPECT_EQ(G_bDeviceRemove, 0);
    EXPECT_EQ(task_->checkProfileCount, 1);
    std::vector<uint32_t> sel = driver_->Selectors();
    auto ready = std::find(sel.begin(), sel.end(), OID_VX_DRIVER_READY);
    auto radio = std::find(sel.begin(), sel.end(), OID_VX_RADIO);
    auto disassoc = std::find(sel.begin(), sel.end(), Set(OID_802_11_DISASSOCIATE));
    ASSERT_NE(ready, sel.end());
    ASSERT_NE(disassoc, sel.end());
    EXPECT_LT(ready, radio);
    EXPECT_LT(radio, disassoc);
    EXPECT_EQ(driver_->CallsFor(Set(OID_802_11_DISASSOCIATE)).front().input.size(), 4u);
    EXPECT_EQ(Applies(), 0u);
    // Connected now: a steady tick, no second initialisation.
    SetMediaState(kMediaConnected);
    driver_->ClearCalls();
    Tick();
    EXPECT_TRUE(driver_->CallsFor(OID_VX_DRIVER_READY).empty());
    EXPECT_EQ(task_->checkProfileCount, 0);
}

TEST_F(MiniTaskTest, ReconnectsOnTheTenthDisconnectedTickAndEveryTenAfter) {
    WriteActive(Wpa2Profile());
    SetMediaState(kMediaDisconnected);
    Tick();  // re-check
    Tick(9);
    EXPECT_EQ(Applies(), 0u);
    EXPECT_EQ(task_->reconnectCount, 9);
    EXPECT_EQ(status_.title, "[No Connection!!]");
    Tick();
    EXPECT_EQ(Applies(), 1u);
    EXPECT_EQ(task_->reconnectCount, 0);
    Tick(9);
    EXPECT_EQ(Applies(), 1u);
    Tick();
    EXPECT_EQ(Applies(), 2u);
    // A connected tick starts the count again.
    Tick(5);
    SetMediaState(kMediaConnected);
    Tick();
    EXPECT_EQ(task_->reconnectCount, 0);
    SetMediaState(kMediaDisconnected);
    Tick(9);
    EXPECT_EQ(Applies(), 2u);
}

TEST_F(MiniTaskTest, NoActiveProfileSendsNothing) {
    PrefDictionary inactive = Wpa2Profile();
    inactive.Set(kKeyActiveProfileFlag, "NO");
    WriteActive(inactive);
    SetMediaState(kMediaDisconnected);
    Tick(31);
    EXPECT_EQ(Applies(), 0u);
    EXPECT_EQ(task_->reconnectCount, 0);
}

TEST_F(MiniTaskTest, AdhocProfileIsNotRetriedWhileTheLinkStaysDown) {
    WriteActive(AdhocWpaNoneProfile());
    SetMediaState(kMediaDisconnected);
    Tick(11);
    ASSERT_EQ(Applies(), 1u);
    EXPECT_EQ(task_->networktypeformCheckProfile, 0);
    Tick(40);
    EXPECT_EQ(Applies(), 1u);
    EXPECT_EQ(status_.title, "[No Connection!!]");
    // Another media state (not "disconnected") still counts toward a retry.
    SetMediaState(7);
    Tick(10);
    EXPECT_EQ(Applies(), 2u);
    // Once the link was up, an infrastructure retry pattern resumes.
    WriteActive(Wpa2Profile());
    SetMediaState(kMediaConnected);
    Tick();
    EXPECT_EQ(task_->networktypeformCheckProfile, 1);
    SetMediaState(kMediaDisconnected);
    Tick(10);
    EXPECT_EQ(Applies(), 3u);
}

TEST_F(MiniTaskTest, AgentApplyVariant) {
    struct Row {
        const char* name;
        PrefDictionary profile;
        uint32_t keyOid;
        bool powerMode;
    };
    const Row rows[] = {
        {"wpa2-infrastructure", Wpa2Profile(), OID_VX_WPA_PSK_KEY, true},
        {"wpa-none-adhoc", AdhocWpaNoneProfile(), OID_VX_ADD_KEY, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        WriteActive(row.profile);
        driver_->ClearCalls();
        manual_.ClearSleeps();
        task_->CheckProfileSettingForConnect();
        auto keys = driver_->CallsFor(Set(row.keyOid));
        ASSERT_EQ(keys.size(), 1u);
        EXPECT_EQ(keys[0].input.size(), 104u);
        EXPECT_EQ(ReadLe32(keys[0].input.data()), 104u);
        EXPECT_EQ(CountSets(OID_802_11_POWER_MODE), row.powerMode ? 1u : 0u);
        EXPECT_EQ(CountSets(OID_802_11_DISASSOCIATE), 1u);
        EXPECT_TRUE(manual_.Sleeps().empty()) << "the agent does not pause after disassociating";
        std::vector<uint32_t> sel = driver_->Selectors();
        EXPECT_EQ(sel.front(), Set(OID_VX_CLIENT_64BIT));
        EXPECT_EQ(sel.back(), Set(OID_802_11_SSID));
    }
}

TEST_F(MiniTaskTest, RestartPendingDisassociatesAndPollsForTheEnd) {
    struct Row {
        const char* name;
        int doneOnPoll;  // 0: never
        size_t polls;
    };
    const Row rows[] = {{"done at once", 1, 1}, {"done on the fifth", 5, 5}, {"never done", 0, 32}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        SetMediaState(kMediaConnected);
        driver_->SetAnswer(OID_VX_RESTART_PENDING, U32(0));
        Tick();  // make sure the adapter is known
        ASSERT_EQ(G_bDeviceExist, 1);
        driver_->SetAnswer(OID_VX_RESTART_PENDING, U32(1));
        driver_->SetAnswer(OID_VX_RESTART_DONE, U32(0));
        for (int i = 1; i < row.doneOnPoll; ++i) driver_->QueueAnswer(OID_VX_RESTART_DONE, U32(0));
        if (row.doneOnPoll) driver_->QueueAnswer(OID_VX_RESTART_DONE, U32(1));
        driver_->ClearCalls();
        manual_.ClearSleeps();
        int before = task_->checkProfileCount;
        Tick();
        EXPECT_EQ(driver_->CallsFor(OID_VX_RESTART_DONE).size(), row.polls);
        std::vector<uint32_t> sel = driver_->Selectors();
        auto disassoc = std::find(sel.begin(), sel.end(), Set(OID_802_11_DISASSOCIATE));
        auto poll = std::find(sel.begin(), sel.end(), OID_VX_RESTART_DONE);
        EXPECT_LT(disassoc, poll);
        std::vector<uint64_t> pauses(manual_.Sleeps().begin(),
                                     manual_.Sleeps().begin() + long(row.polls));
        EXPECT_EQ(pauses, std::vector<uint64_t>(row.polls, 300));
        // Then the adapter is searched and set up again.
        EXPECT_EQ(task_->checkProfileCount, before + 1);
        EXPECT_FALSE(driver_->CallsFor(OID_VX_DRIVER_READY).empty());
    }
}

TEST_F(MiniTaskTest, RestartPendingBeforeTheAdapterIsKnownGoesStraightToTheRecheck) {
    driver_->SetAnswer(OID_VX_RESTART_PENDING, U32(1));
    Tick();
    EXPECT_TRUE(driver_->CallsFor(OID_VX_RESTART_DONE).empty());
    EXPECT_EQ(G_bDeviceExist, 1);
    EXPECT_EQ(task_->checkProfileCount, 1);
}

TEST_F(MiniTaskTest, ExitsAfterTheThirdMissingTickOverTheProcessLife) {
    // present, missing, present, missing, present, missing: the sixth ends it.
    const bool present[] = {true, false, true, false, true, false};
    for (size_t i = 0; i < std::size(present); ++i) {
        if (present[i] && !driver_) driver_.emplace();
        if (!present[i]) driver_.reset();
        Tick();
        EXPECT_EQ(G_bDeviceRemove, present[i] ? 0 : 1);
        EXPECT_EQ(exits_.size(), i + 1 == std::size(present) ? 1u : 0u) << "tick " << i + 1;
    }
    EXPECT_EQ(exits_, std::vector<int>{0});
    EXPECT_EQ(task_->count, 3u);
    EXPECT_EQ(task_->checkProfileCount, 0);
}

TEST_F(MiniTaskTest, NoAdapterAtAllExitsOnTheThirdTickQuietly) {
    driver_.reset();
    Tick(2);
    EXPECT_TRUE(exits_.empty());
    Tick();
    EXPECT_EQ(exits_, std::vector<int>{0});
    EXPECT_EQ(status_.title, "[Wait Connection...]");
}

struct AdvancedRow {
    const char* name;
    const char* driverClass;
    bool aSupport;
    std::optional<PrefDictionary> existing;
    PrefDictionary expected;
};

TEST_F(MiniTaskTest, InitAdvanceSettingWritesExactlyFiveKeys) {
    auto five = [](const char* rate, const char* bg, const char* burst, const char* adhoc,
                   const char* mode) {
        return PrefDictionary{{kKeyTxRate, rate},
                              {kKeyBgProtection, bg},
                              {kKeyTxBurst, burst},
                              {kKeyAdHocMode, adhoc},
                              {kKeyWirelessMode, mode}};
    };
    std::vector<AdvancedRow> rows = {
        {"osprey n only", "OspreyUSBWirelessDriver", false, std::nullopt, five("0", "0", "1", "1", "9")},
        {"osprey n and a", "OspreyUSBWirelessDriver", true, std::nullopt, five("0", "0", "1", "1", "5")},
        {"merlin neither", "MerlinUSBWirelessDriver", false, std::nullopt, five("0", "0", "1", "1", "5")},
        {"merlin a only", "MerlinUSBWirelessDriver", true, std::nullopt, five("0", "0", "1", "1", "2")},
        {"kept values, extra keys dropped", "OspreyUSBWirelessDriver", true,
         PrefDictionary{{"Extra", "x"}, {kKeyWirelessMode, "3"}, {kKeyTxRate, "12abc"},
                        {kKeyTxBurst, "0"}},
         five("12", "0", "0", "0", "3")},
    };
    for (const AdvancedRow& row : rows) {
        SCOPED_TRACE(row.name);
        driver_.reset();
        driver_.emplace(row.driverClass);
        NetworkTypeList types;
        types.NumberOfItems = row.aSupport ? 2 : 1;
        types.NetworkType[0] = 1;
        types.NetworkType[1] = 2;
        auto bytes = EncodeNetworkTypes(types);
        driver_->SetAnswer(OID_802_11_NETWORK_TYPES_SUPPORTED, {bytes.begin(), bytes.end()});
        if (row.existing) {
            ASSERT_TRUE(WritePreferenceArray(kAdvancedSettingPath, {*row.existing, {{"Second", "1"}}}));
        } else {
            std::remove(home_.PreferencesFile("AdvancedProfileSetting.plist").c_str());
        }
        G_bDeviceExist = 0;
        Tick();
        PrefArray written = ReadPreferenceArray(kAdvancedSettingPath);
        ASSERT_FALSE(written.empty());
        EXPECT_EQ(written.front(), row.expected);
        EXPECT_EQ(written.size(), row.existing ? 2u : 1u);
        EXPECT_EQ(CountSets(OID_802_11_DISASSOCIATE), 1u);
    }
}

TEST(DefaultWirelessMode, Table) {
    struct Row {
        uint32_t device;
        int32_t nOnly, aOnly, both, neither;
    };
    const Row rows[] = {{5, 9, 8, 5, 5}, {4, 0, 2, 3, 5}, {3, 0, 2, 3, 5}, {2, 5, 5, 5, 5},
                        {0, 5, 5, 5, 5}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.device);
        EXPECT_EQ(DefaultWirelessMode(r.device, true, false), r.nOnly);
        EXPECT_EQ(DefaultWirelessMode(r.device, false, true), r.aOnly);
        EXPECT_EQ(DefaultWirelessMode(r.device, true, true), r.both);
        EXPECT_EQ(DefaultWirelessMode(r.device, false, false), r.neither);
    }
}

TEST(SignalQuality, SmoothingAndIconLevels) {
    struct Row {
        uint32_t word1, previous, expected;
    };
    const Row rows[] = {{75, 0, 100}, {0, 0, 10}, {50, 50, 60}, {200, 0, 100},
                        {0xFFFFFFFF, 0, 100}, {75, 99, 100}, {0, 11, 11}};
    for (const Row& r : rows) {
        EXPECT_EQ(SmoothedSignalQuality(r.word1, r.previous), r.expected)
            << r.word1 << " after " << r.previous;
    }
    const std::pair<uint32_t, int> levels[] = {{0, 0},  {1, 1},  {20, 1}, {21, 2},
                                               {40, 2}, {41, 3}, {60, 3}, {61, 4},
                                               {80, 4}, {81, 5}, {100, 5}};
    for (auto [q, level] : levels) EXPECT_EQ(SignalIconLevel(q), level) << q;
}

TEST_F(MiniTaskTest, UpdateStatusTexts) {
    struct Row {
        const char* name;
        std::string ssid;
        uint32_t frequency;
        uint32_t word1;
        uint32_t previous;
        std::string ap, channel, title, signal;
        int image;
    };
    const std::string name32(32, 'W');
    const Row rows[] = {
        {"strong", "CorvaneHome", 2437000, 75, 0, "Network           : CorvaneHome",
         "Channel            : 6", "(100%)", "Signal Strength : 100%", 5},
        {"weak", "x", 5180000, 0, 0, "Network           : x", "Channel            : 36", "(10%)",
         "Signal Strength : 10%", 1},
        {"smoothed, unknown frequency", name32, 1234, 50, 50, "Network           : " + name32,
         "Channel            : -1", "(60%)", "Signal Strength : 60%", 3},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        NDIS_802_11_SSID ssid = MakeSsid(r.ssid);
        auto s = EncodeSsid(ssid);
        driver_->SetAnswer(OID_802_11_SSID, {s.begin(), s.end()});
        NDIS_802_11_CONFIGURATION config;
        config.DSConfig = r.frequency;
        auto c = EncodeConfiguration(config);
        driver_->SetAnswer(OID_802_11_CONFIGURATION, {c.begin(), c.end()});
        VX_802_11_LINK_STATUS link;
        link.ChannelQuality = r.word1;
        auto l = EncodeLinkStatus(link);
        driver_->SetAnswer(OID_VX_LINK_STATUS, {l.begin(), l.end()});
        task_->ChannelQuality = r.previous;
        task_->updateStatus();
        EXPECT_EQ(status_.apItem, r.ap);
        EXPECT_EQ(status_.channelItem, r.channel);
        EXPECT_EQ(status_.title, r.title);
        EXPECT_EQ(status_.signalStrengthItem, r.signal);
        EXPECT_EQ(status_.image, r.image);
        EXPECT_EQ(task_->SignalQuality, task_->ChannelQuality);
    }
    task_->updateStatusBlank();
    EXPECT_EQ(status_.apItem, "Network           : ");
    EXPECT_EQ(status_.channelItem, "Channel            : ");
    EXPECT_EQ(status_.title, "[No Connection!!]");
    EXPECT_EQ(status_.image, kNoImage);
}

TEST_F(MiniTaskTest, SsidAnswerLongerThanTheRecordIsCut) {
    // A driver claiming 200 bytes of name only ever shows the 32 there are.
    std::vector<uint8_t> answer = U32(200);
    answer.resize(36, 'Z');
    driver_->SetAnswer(OID_802_11_SSID, answer);
    task_->updateStatus();
    EXPECT_EQ(status_.apItem, "Network           : " + std::string(32, 'Z'));
}

TEST_F(MiniTaskTest, OnlyTag224OpensThePane) {
    struct Row {
        std::optional<int> tag;
        int opens;
    };
    const Row rows[] = {{224, 1}, {0, 0}, {223, 0}, {std::nullopt, 0}};
    for (const Row& r : rows) {
        paneOpens_ = 0;
        QAction item;
        if (r.tag) item.setProperty("tag", *r.tag);
        task_->updateDisplayPrefs(&item);
        EXPECT_EQ(paneOpens_, r.opens) << (r.tag ? *r.tag : -1);
    }
    task_->updateDisplayPrefs(static_cast<const QObject*>(nullptr));
    EXPECT_EQ(paneOpens_, 0);
}

}  // namespace
}  // namespace corvane

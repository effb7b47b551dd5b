#include <gtest/gtest.h>

#include <QAction>
#include <algorithm>
#include <optional>

#include "adapter/ByteOrder.h"
#include "adapter/Globals.h"
#include "adapter/Oids.h"
#include "agent/MiniTask.h"
#include "platform/Clock.h"
#include "tests/support/RecordingUserClientProvider.h"
#include "tests/support/TempFolders.h"

namespace corvane {
namespace {

std::vector<uint8_t> U32(uint32_t v) {
    std::vector<uint8_t> b(4);
    WriteLe32(b.data(), v);
    return b;
}
template <size_t N>
std::vector<uint8_t> Bytes(const std::array<uint8_t, N>& a) {
    return {a.begin(), a.end()};
}
constexpr uint32_t Set(uint32_t oid) { return oid | OID_SET_FLAG; }

PrefDictionary Profile(const char* ssid, const char* networkType, const char* auth,
                       const char* enc) {
    return {{kKeySsid, ssid},          {kKeyNetworkType, networkType},
            {kKeyChannel, "6"},        {kKeyAuthenticationType, auth},
            {kKeyEncryptionType, enc}, {kKeyWpaPsk, "correct horse battery"},
            {kKeyTxPower, "0"},        {kKeyActiveProfileFlag, "YES"}};
}
const PrefDictionary kWpa2 = Profile("CorvaneHome", "1", "3", "1");
const PrefDictionary kAdhocWpaNone = Profile("CorvaneAdhoc", "0", "2", "0");

class MiniTaskTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetGlobalsForTest();
        __DEBUG__ = 0;
        driver_.emplace();
        task_.emplace(status_, MiniTask::Hooks{[this](int s) { exits_.push_back(s); },
                                               [this] { ++paneOpens_; }});
        task_->awakeFromNib(false);
    }
    void TearDown() override {
        task_.reset();
        ResetGlobalsForTest();
    }
    void Tick(int times = 1) {
        for (int i = 0; i < times; ++i) task_->OnTimer();
    }
    void Media(uint32_t state) { driver_->SetAnswer(OID_GEN_MEDIA_CONNECT_STATUS, U32(state)); }
    void Activate(const PrefDictionary& p) {
        ASSERT_TRUE(WritePreferenceArray(kActiveProfilePath, {p}));
    }
    size_t Sets(uint32_t oid) const { return driver_->CallsFor(Set(oid)).size(); }
    // Each apply sequence begins with the client width.
    size_t Applies() const { return Sets(OID_VX_CLIENT_64BIT); }

    test::TempHome home_;
    platform::ManualClock clock_;
    platform::ScopedClock clockScope_{clock_};
    std::optional<test::RecordingUserClientProvider> driver_;
    LastStatus status_;
    std::vector<int> exits_;
    int paneOpens_ = 0;
    std::optional<MiniTask> task_;
};

TEST_F(MiniTaskTest, FirstTickInitialisesTheCardThenDropsTheAssociation) {
    EXPECT_EQ(status_.title, "[Wait Connection...]");
    EXPECT_EQ(task_->timer().interval(), 500);
    Media(kMediaDisconnected);
    Tick();
    EXPECT_EQ(G_bDeviceExist, 1);
    EXPECT_EQ(task_->checkProfileCount, 1);
    std::vector<uint32_t> sel = driver_->Selectors();
    auto radio = std::find(sel.begin(), sel.end(), OID_VX_RADIO);
    auto dropped = std::find(sel.begin(), sel.end(), Set(OID_802_11_DISASSOCIATE));
    EXPECT_LT(std::find(sel.begin(), sel.end(), OID_VX_DRIVER_READY), radio);
    EXPECT_LT(radio, dropped);
    ASSERT_NE(dropped, sel.end());
    driver_->ClearCalls();
    Tick();  // steady now: no second initialisation
    EXPECT_TRUE(driver_->CallsFor(OID_VX_DRIVER_READY).empty());
    EXPECT_EQ(task_->checkProfileCount, 0);
}

TEST_F(MiniTaskTest, ReconnectsOnEveryTenthDisconnectedTick) {
    Activate(kWpa2);
    Media(kMediaDisconnected);
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
    EXPECT_EQ(task_->networktypeformCheckProfile, 0);
    Tick(40);
    EXPECT_EQ(Applies(), 1u);
    Media(7);  // any other media state still counts
    Tick(10);
    EXPECT_EQ(Applies(), 2u);
    Media(kMediaConnected);  // up once: retries resume
    Tick();
    EXPECT_EQ(task_->networktypeformCheckProfile, 1);
    Media(kMediaDisconnected);
    Tick(10);
    EXPECT_EQ(Applies(), 3u);
}

TEST_F(MiniTaskTest, AgentApplyVariant) {
    struct Row {
        PrefDictionary profile;
        uint32_t keyOid;
        size_t powerModes;
    };
    for (const Row& row :
         {Row{kWpa2, OID_VX_WPA_PSK_KEY, 1}, Row{kAdhocWpaNone, OID_VX_ADD_KEY, 0}}) {
        SCOPED_TRACE(row.profile.Value(kKeySsid));
        Activate(row.profile);
        driver_->ClearCalls();
        clock_.ClearSleeps();
        EXPECT_FALSE(task_->CheckProfileSettingForConnect());
        auto keys = driver_->CallsFor(Set(row.keyOid));
        ASSERT_EQ(keys.size(), 1u);
        EXPECT_EQ(keys[0].input.size(), 104u);
        EXPECT_EQ(Sets(OID_802_11_POWER_MODE), row.powerModes);
        EXPECT_TRUE(clock_.Sleeps().empty()) << "no pause after the disassociate";
        EXPECT_EQ(driver_->Selectors().back(), Set(OID_802_11_SSID));
    }
}

TEST_F(MiniTaskTest, RestartPendingDisassociatesPollsAndSearchesAgain) {
    struct Row {
        int doneOnPoll;  // 0: never
        size_t polls;
    };
    for (Row row : {Row{1, 1}, Row{5, 5}, Row{0, 32}}) {
        SCOPED_TRACE(row.doneOnPoll);
        Media(kMediaConnected);
        driver_->SetAnswer(OID_VX_RESTART_PENDING, U32(0));
        Tick();
        driver_->SetAnswer(OID_VX_RESTART_PENDING, U32(1));
        driver_->SetAnswer(OID_VX_RESTART_DONE, U32(0));
        for (int i = 1; i < row.doneOnPoll; ++i) driver_->QueueAnswer(OID_VX_RESTART_DONE, U32(0));
        if (row.doneOnPoll) driver_->QueueAnswer(OID_VX_RESTART_DONE, U32(1));
        driver_->ClearCalls();
        clock_.ClearSleeps();
        int before = task_->checkProfileCount;
        Tick();
        EXPECT_EQ(driver_->CallsFor(OID_VX_RESTART_DONE).size(), row.polls);
        std::vector<uint32_t> sel = driver_->Selectors();
        EXPECT_LT(std::find(sel.begin(), sel.end(), Set(OID_802_11_DISASSOCIATE)),
                  std::find(sel.begin(), sel.end(), OID_VX_RESTART_DONE));
        EXPECT_EQ(std::vector<uint64_t>(clock_.Sleeps().begin(),
                                        clock_.Sleeps().begin() + long(row.polls)),
                  std::vector<uint64_t>(row.polls, 300));
        EXPECT_EQ(task_->checkProfileCount, before + 1);
    }
    // Before the adapter is known there is nothing to wait for.
    G_bDeviceExist = 0;
    driver_->ClearCalls();
    Tick();
    EXPECT_TRUE(driver_->CallsFor(OID_VX_RESTART_DONE).empty());
}

TEST_F(MiniTaskTest, ExitsAfterTheThirdMissingTickOverTheProcessLife) {
    const bool present[] = {true, false, true, false, true, false};
    for (size_t i = 0; i < std::size(present); ++i) {
        if (present[i] && !driver_) driver_.emplace();
        if (!present[i]) driver_.reset();
        Tick();
        EXPECT_EQ(G_bDeviceRemove, present[i] ? 0 : 1);
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
    };
    const Row rows[] = {
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
        driver_->SetAnswer(OID_802_11_NETWORK_TYPES_SUPPORTED, Bytes(EncodeNetworkTypes(types)));
        std::remove(home_.PreferencesFile("AdvancedProfileSetting.plist").c_str());
        if (row.existing) {
            ASSERT_TRUE(WritePreferenceArray(kAdvancedSettingPath, {*row.existing, {{"B", "1"}}}));
        }
        G_bDeviceExist = 0;
        Tick();
        PrefArray written = ReadPreferenceArray(kAdvancedSettingPath);
        ASSERT_EQ(written.size(), row.existing ? 2u : 1u);
        EXPECT_EQ(written.front(), row.expected);
        EXPECT_EQ(Sets(OID_802_11_DISASSOCIATE), 1u);
    }
}

TEST(DefaultWirelessMode, Table) {
    struct Row {
        uint32_t device;
        int32_t nOnly, aOnly, both, neither;
    };
    for (Row r : {Row{5, 9, 8, 5, 5}, Row{4, 0, 2, 3, 5}, Row{3, 0, 2, 3, 5}, Row{2, 5, 5, 5, 5}}) {
        EXPECT_EQ(DefaultWirelessMode(r.device, true, false), r.nOnly) << r.device;
        EXPECT_EQ(DefaultWirelessMode(r.device, false, true), r.aOnly) << r.device;
        EXPECT_EQ(DefaultWirelessMode(r.device, true, true), r.both) << r.device;
        EXPECT_EQ(DefaultWirelessMode(r.device, false, false), r.neither) << r.device;
    }
}

TEST(SignalQuality, IconLevels) {
    const std::pair<uint32_t, int> levels[] = {{0, 0},  {1, 1},  {20, 1}, {21, 2}, {40, 2},
                                               {41, 3}, {61, 4}, {80, 4}, {81, 5}};
    for (auto [q, level] : levels) EXPECT_EQ(SignalIconLevel(q), level) << q;
}

TEST_F(MiniTaskTest, UpdateStatusTexts) {
    struct Row {
        std::string ssid;
        uint32_t frequency, word1, previous;
        std::string channel, percent;
        int image;
    };
    const Row rows[] = {{"CorvaneHome", 2437000, 75, 0, "6", "100", 5},
                        {std::string(32, 'W'), 1234, 50, 50, "-1", "60", 3},
                        {"x", 5180000, 0, 0, "36", "10", 1}};
    for (const Row& r : rows) {
        driver_->SetAnswer(OID_802_11_SSID, Bytes(EncodeSsid(MakeSsid(r.ssid))));
        NDIS_802_11_CONFIGURATION config;
        config.DSConfig = r.frequency;
        driver_->SetAnswer(OID_802_11_CONFIGURATION, Bytes(EncodeConfiguration(config)));
        VX_802_11_LINK_STATUS link;
        link.ChannelQuality = r.word1;
        driver_->SetAnswer(OID_VX_LINK_STATUS, Bytes(EncodeLinkStatus(link)));
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
}

TEST_F(MiniTaskTest, OnlyTag224OpensThePane) {
    for (std::optional<int> tag : {std::optional<int>(224), std::optional<int>(0),
                                   std::optional<int>(223), std::optional<int>()}) {
        paneOpens_ = 0;
        QAction item;
        if (tag) item.setProperty("tag", *tag);
        task_->updateDisplayPrefs(&item);
        EXPECT_EQ(paneOpens_, tag == 224 ? 1 : 0) << tag.value_or(-1);
    }
}

}  // namespace
}  // namespace corvane

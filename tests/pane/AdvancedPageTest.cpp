// The advanced page in the window: Apply and the radio switch by the
// requests they send, the tasks they queue and the file they write; Cancel
// after a failed write. What each adapter kind is offered, what Apply stores
// and what Cancel restores are the page model's tests.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <cstdio>

#include "tests/pane/PaneFixture.h"

namespace corvane::test {
namespace {

PrefDictionary Stored(int rate, int bg, int burst, int adhoc, int mode) {
    return {{kKeyTxRate, FormatInt(rate)},
            {kKeyBgProtection, FormatInt(bg)},
            {kKeyTxBurst, FormatInt(burst)},
            {kKeyAdHocMode, FormatInt(adhoc)},
            {kKeyWirelessMode, FormatInt(mode)}};
}

Bytes SsidAnswer(const std::string& name) {
    Bytes b(36, 0);
    WriteLe32(b.data(), uint32_t(name.size()));
    std::copy(name.begin(), name.end(), b.begin() + 4);
    return b;
}

const PrefDictionary kActiveOpenProfile = {
    {kKeyActiveProfileFlag, "YES"}, {kKeyProfileName, "Cafe"},     {kKeySsid, "CafeOpen"},
    {kKeyNetworkType, "1"},         {kKeyAuthenticationType, "0"}, {kKeyEncryptionType, "0"}};

class AdvancedPageTest : public PaneTest {
protected:
    // A Merlin adapter with 5 GHz, the pages brought up.
    void BringUp(const char* driverClass = "MerlinUSBWirelessDriver", bool fiveGigahertz = true) {
        Open(driverClass);
        FiveGigahertz(fiveGigahertz);
        Tick();
        DrainTasks();
        driver_->ClearCalls();
    }
    QPushButton* Button(const char* name) { return Find<QPushButton>(Advanced(), name); }
    AdvanceController* Page() { return O().AdvancePage; }
    std::vector<RecordedCall> RadioSets() { return driver_->CallsFor(SetOid(OID_VX_RADIO)); }
};

// Apply reconnects at once; two seconds later the rescan, and the active
// profile once more. A link that Apply put back on the previous network
// stays; an adapter that was on no network gets the reset record.
TEST_F(AdvancedPageTest, ApplyDisassociatesReconnectsStoresAndRescansLater) {
    struct Row {
        const char* name;
        bool activeProfile, associated;
        std::vector<int32_t> tasks;  // queued by Apply
        bool ssidSetBack;
        std::vector<int32_t> later;  // queued two seconds later
    } const rows[] = {
        {"active profile", true, true, {TASK_CONNECT}, false, {TASK_RESCAN, TASK_CONNECT}},
        {"none, associated", false, true, {}, true, {TASK_RESCAN}},
        {"none, on no network", false, false, {}, false, {TASK_RESCAN, TASK_CONNECT}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        WritePreferenceArray(kAdvancedSettingPath, {Stored(0, 0, 1, 1, 0)});
        WritePreferenceArray(kActiveProfilePath,
                             {row.activeProfile ? kActiveOpenProfile : PrefDictionary{}});
        BringUp();
        if (row.associated) driver_->SetAnswer(OID_802_11_SSID, SsidAnswer("CafeOpen"));
        Choose("WirelessMode", 2);
        Choose("TXrate", 12);
        Choose("BGprotection", 1);
        Find<QCheckBox>(Advanced(), "EnableTXburst")->click();
        ASSERT_TRUE(Button("Apply")->isEnabled());
        Button("Apply")->click();

        std::vector<uint32_t> sent = {OID_802_11_SSID, SetOid(OID_802_11_DISASSOCIATE)};
        if (row.ssidSetBack) sent.push_back(SetOid(OID_802_11_SSID));
        EXPECT_EQ(driver_->Selectors(), sent);
        EXPECT_EQ(DrainTasks(), row.tasks);
        EXPECT_EQ(ReadPreferenceArray(kAdvancedSettingPath).at(0), Stored(12, 1, 0, 1, 3));
        EXPECT_FALSE(Button("Apply")->isEnabled());
        EXPECT_FALSE(Button("Cancel")->isEnabled());

        ASSERT_TRUE(Page()->RescanTimer().isActive());
        EXPECT_EQ(Page()->RescanTimer().interval(), 2000);
        Page()->RescanTimer().stop();
        Page()->OnTimer();
        EXPECT_EQ(DrainTasks(), row.later);
    }
}

// The Osprey's codes (9, 8, 5) are never the 0 the applied mode starts at:
// the mode is compared with the one stored, or shown when none is.
TEST_F(AdvancedPageTest, ReChoosingTheStoredModeIsNoChange) {
    for (bool stored : {false, true}) {
        SCOPED_TRACE(stored ? "stored 5G" : "nothing stored");
        std::remove(home_.PreferencesFile("AdvancedProfileSetting.plist").c_str());
        if (stored) WritePreferenceArray(kAdvancedSettingPath, {Stored(0, 0, 1, 1, 8)});
        BringUp("OspreyUSBWirelessDriver");
        QComboBox* mode = Find<QComboBox>(Advanced(), "WirelessMode");
        EXPECT_EQ(mode->currentIndex(), stored ? 1 : 2);
        Choose("WirelessMode", mode->currentIndex());
        Button("Apply")->click();
        EXPECT_FALSE(Page()->RescanTimer().isActive());
        Choose("WirelessMode", 0);
        Button("Apply")->click();
        EXPECT_TRUE(Page()->RescanTimer().isActive());
        Page()->RescanTimer().stop();
    }
}

// A scan greys out only the site survey's own buttons.
TEST_F(AdvancedPageTest, ScansLeaveApplyAndCancelAsThePageSetThem) {
    BringUp();
    for (bool edited : {true, false}) {
        if (edited)
            Choose("TXrate", 3);
        else
            Button("Cancel")->click();
        O().SiteSurveyPage->OnStartScan();
        EXPECT_EQ(Button("Apply")->isEnabled(), edited);
        EXPECT_EQ(Button("Cancel")->isEnabled(), edited);
    }
}

TEST_F(AdvancedPageTest, FailedWriteIsReportedAndCancelKeepsWhatIsStored) {
    WritePreferenceArray(kAdvancedSettingPath, {Stored(1, 0, 1, 1, 0)});
    BringUp();
    Choose("TXrate", 3);
    SetPreferenceWriteHookForTest([](const std::string&) { return false; });
    Button("Apply")->click();
    SetPreferenceWriteHookForTest({});
    ASSERT_EQ(alerts_.alerts.size(), 1u);
    EXPECT_EQ(alerts_.alerts[0].title, "The advanced settings could not be saved.");
    EXPECT_TRUE(Button("Apply")->isEnabled());
    Button("Cancel")->click();
    EXPECT_EQ(Find<QComboBox>(Advanced(), "TXrate")->currentIndex(), 1);
}

TEST_F(AdvancedPageTest, RadioSwitchTurnsTheRadioOffAndOn) {
    BringUp("OspreyUSBWirelessDriver");
    QWidget* picture = Find<QWidget>(Advanced(), "RadioSwitchPic");
    EXPECT_EQ(Text(Advanced(), "RadioOnOff"), "Radio Off");
    EXPECT_FALSE(picture->isHidden());

    Button("RadioOnOff")->click();
    EXPECT_EQ(G_bRadio, 0);
    EXPECT_EQ(Text(Advanced(), "RadioOnOff"), "Radio On");
    EXPECT_TRUE(picture->isHidden());
    ASSERT_EQ(RadioSets().size(), 1u);
    EXPECT_EQ(RadioSets()[0].input, U32(0));
    EXPECT_EQ(DrainTasks(), std::vector<int32_t>{TASK_RESCAN});
    EXPECT_EQ(G_bRescan, 1);

    // On again without an active profile: the reset record, then the scan.
    Button("RadioOnOff")->click();
    EXPECT_EQ(G_bRadio, 1);
    EXPECT_EQ(Text(Advanced(), "RadioOnOff"), "Radio Off");
    EXPECT_FALSE(picture->isHidden());
    EXPECT_EQ(RadioSets().back().input, U32(1));
    auto reset = TaskQueue::GetTaskObject();
    ASSERT_NE(reset, nullptr);
    EXPECT_EQ(reset->Profile()->NetworkType, 1);
    EXPECT_EQ(reset->Profile()->EncryptionStatus, 1);
    EXPECT_EQ(DrainTasks(), (std::vector<int32_t>{TASK_CONNECT, TASK_RESCAN}));
}

}  // namespace
}  // namespace corvane::test

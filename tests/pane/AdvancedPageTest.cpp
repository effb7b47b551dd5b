// The advanced page in the window: Apply and the radio switch by the
// requests they send, the tasks they queue and the file they write; Cancel
// after a failed write. What each adapter kind is offered, what Apply stores
// and what Cancel restores are the page model's tests.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QPushButton>

#include "tests/pane/PaneFixture.h"
#include "tests/support/FailingPreferenceWrites.h"

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

// Two seconds after Apply a rescan, then the active profile again, or the
// reset record; a link Apply put back on the previous network stays.
TEST_F(AdvancedPageTest, ApplyDisassociatesReconnectsStoresAndRescansLater) {
    struct Row {
        bool activeProfile, associated;
        std::vector<int32_t> tasks, later;  // queued by Apply, two seconds later
    } const rows[] = {{true, true, {TASK_CONNECT}, {TASK_RESCAN, TASK_CONNECT}},
                      {false, true, {}, {TASK_RESCAN}},
                      {false, false, {}, {TASK_RESCAN, TASK_CONNECT}}};
    for (const Row& row : rows) {
        SCOPED_TRACE(::testing::Message() << row.activeProfile << row.associated);
        WritePreferenceArray(kAdvancedSettingPath, {Stored(0, 0, 1, 1, 0)});
        WritePreferenceArray(kActiveProfilePath,
                             {row.activeProfile ? kActiveOpenProfile : PrefDictionary{}});
        BringUp();
        if (row.associated) driver_->SetAnswer(OID_802_11_SSID, SsidAnswer("CafeOpen"));
        Choose("WirelessMode", 2);
        Choose("TXrate", 12);
        Choose("BGprotection", 1);
        Find<QCheckBox>(Advanced(), "EnableTXburst")->click();
        O().SiteSurveyPage->OnStartScan();  // leaves this page's buttons alone
        TakeTasks();
        ASSERT_TRUE(Button("Apply")->isEnabled());
        Button("Apply")->click();

        std::vector<uint32_t> sent = {OID_802_11_SSID, SetOid(OID_802_11_DISASSOCIATE)};
        if (row.associated && !row.activeProfile) sent.push_back(SetOid(OID_802_11_SSID));
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

TEST_F(AdvancedPageTest, FailedWriteIsReportedAndCancelKeepsWhatIsStored) {
    WritePreferenceArray(kAdvancedSettingPath, {Stored(1, 0, 1, 1, 0)});
    BringUp();
    Choose("TXrate", 3);
    {
        FailingPreferenceWrites failing;
        ScopedPreferenceWriter writes(failing);
        Button("Apply")->click();
    }
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
    ScanEntrySpec network;
    network.ssid = "Held";
    const ByteVec held = ScanListOf({ScanEntry(network)});
    std::copy(held.begin(), held.end(), G_pBssidList);

    Button("RadioOnOff")->click();
    EXPECT_EQ(G_bRadio, 0);
    EXPECT_EQ(Text(Advanced(), "RadioOnOff"), "Radio On");
    EXPECT_TRUE(picture->isHidden());
    ASSERT_EQ(RadioSets().size(), 1u);
    EXPECT_EQ(RadioSets()[0].input, U32(0));
    EXPECT_EQ(DrainTasks(), std::vector<int32_t>{TASK_RESCAN});
    EXPECT_EQ(G_bRescan, 1);
    EXPECT_EQ(O().SiteSurveyPage->tableData().size(), 1u) << "the survey's rows rebuilt";

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

// The site survey page: the probe's scan requests, the task timer and
// runner, Connect with its refusals and key dialog, the sorted table, Add
// to Profile, and joining a hidden network.
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <optional>

#include "crypto/MathFunc.h"
#include "survey/SurveyConnect.h"
#include "survey/ui/AccessPointModel.h"
#include "tests/pane/PaneFixture.h"
#include "tests/support/FailingPreferenceWrites.h"
#include "tests/support/RecordingAlerts.h"

namespace corvane::test {
namespace {

using Mac = std::array<uint8_t, 6>;

ScanEntrySpec Net(const std::string& ssid, uint8_t last, int32_t rssi = -50,
                  const std::string& tagged = "", uint32_t mode = 1, uint32_t khz = 2437000) {
    ScanEntrySpec s;
    s.ssid = ssid;
    s.mac = {0x00, 0x0C, 0x43, 0xA1, 0x00, last};
    s.rssi = rssi;
    s.tagged = HexBytes(tagged);
    s.privacy = tagged.empty() ? 0 : 1;
    s.infrastructureMode = mode;
    s.dsConfig = khz;
    return s;
}
const ScanEntrySpec kOpen = Net("CafeOpen", 1, -70, "", 1, 2412000);
const ScanEntrySpec kHome = Net("Home", 2, -40, Rsn(4, {4}, {2}));

Mac BssidOf(const PROFILE_DATA& r) { return std::to_array(r.Bssid); }
std::vector<uint8_t> PskOf(const PROFILE_DATA& r) {
    if (!r.PskKey) return {};
    return {r.PskKey.get() + kKeyMaterialOffset, r.PskKey.get() + kKeyMaterialOffset + 32};
}
std::vector<uint8_t> Pmk(const std::string& passphrase, const std::string& ssid) {
    std::vector<uint8_t> pmk(kPasswordHashOutputLen);
    PasswordHash(passphrase.c_str(), reinterpret_cast<const unsigned char*>(ssid.data()),
                 int(ssid.size()), pmk.data());
    pmk.resize(32);
    return pmk;
}

class SiteSurveyPage : public PageTest {
public:
    void Media(uint32_t state) { driver_->SetAnswer(OID_GEN_MEDIA_CONNECT_STATUS, U32(state)); }
    // Associated with `n`, as the adapter reports it.
    void LinkUpOn(const ScanEntrySpec& n) {
        Media(kMediaConnected);
        driver_->SetAnswer(OID_802_11_BSSID, ByteVec(n.mac.begin(), n.mac.end()));
        ByteVec ssid = U32(uint32_t(n.ssid.size()));
        ssid.insert(ssid.end(), n.ssid.begin(), n.ssid.end());
        driver_->SetAnswer(OID_802_11_SSID, ssid);
        ByteVec config(32, 0);
        WriteLe32(&config[12], n.dsConfig);
        driver_->SetAnswer(OID_802_11_CONFIGURATION, config);
    }
    void ActiveProfileIsOn() {
        WritePreferenceArray(kActiveProfilePath,
                             {{{kKeyActiveProfileFlag, "YES"}, {kKeySsid, "Home"}}});
        profiles_->RefreshProfileList();
    }
    std::vector<std::shared_ptr<ProfileData>> Connects() {
        auto tasks = TakeTasks();
        std::erase_if(tasks, [](auto& t) { return t->getTaskType() != TASK_CONNECT; });
        return tasks;
    }
};

TEST_F(SiteSurveyPage, ProbeRequestsScansByCount) {
    const ScanEntrySpec other = Net("Other", 9);
    struct Row {
        const char* name;
        bool linkUp;  // on kHome
        std::vector<ScanEntrySpec> listed;
        int probes, changeTimerCount2After;
        std::vector<int> scanningProbes;
    } rows[] = {
        {"link down: the first probe, then every 20th", false, {other}, 41, 0, {1, 21, 41}},
        {"link down, ChangeTimerCount2: the next probe", false, {other}, 6, 3, {1, 4}},
        {"link up, empty table: every probe", true, {}, 3, 0, {1, 2, 3}},
        {"link up, network not listed: the 6th, the 12th", true, {other}, 13, 0, {6, 12}},
        {"link up, network listed: none", true, {other, kHome}, 13, 0, {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        // A probe with the link up and an empty table scans and starts both
        // counts afresh.
        LinkUpOn(kHome);
        ShowNetworks({});
        survey_->ProbeConnectStatus();
        ASSERT_EQ(DrainTasks(), std::vector<int32_t>{TASK_RESCAN});
        row.linkUp ? LinkUpOn(kHome) : Media(kMediaDisconnected);
        ShowNetworks(row.listed);
        std::vector<int> scanning;
        for (int probe = 1; probe <= row.probes; ++probe) {
            const size_t before = TaskQueue::TaskCount();
            survey_->ProbeConnectStatus();
            if (TaskQueue::TaskCount() > before) scanning.push_back(probe);
            if (probe == row.changeTimerCount2After) survey_->ChangeTimerCount2();
        }
        EXPECT_EQ(scanning, row.scanningProbes);
        TakeTasks();
    }
}

TEST_F(SiteSurveyPage, TaskTimerRunsOneTaskAtATimeOlderFirstAndNotWhileANewListWaits) {
    for (const ScanEntrySpec* n : {&kOpen, &kHome}) {
        ProfileRecordPtr record = NewProfileData();
        record->bConnectByBssid = 1;
        std::copy(n->mac.begin(), n->mac.end(), record->Bssid);
        survey_->SetTaskQueue(std::move(record));
    }
    auto joined = [this] {
        std::vector<ByteVec> macs;
        for (const RecordedCall& call : driver_->CallsFor(OID_802_11_BSSID_SET))
            macs.push_back(call.input);
        return macs;
    };
    const ByteVec first(kOpen.mac.begin(), kOpen.mac.end()),
        second(kHome.mac.begin(), kHome.mac.end());
    survey_->DoTask();
    EXPECT_EQ(joined(), std::vector<ByteVec>{first});

    G_bRescan = 1;
    survey_->StartTimer();
    EXPECT_EQ(survey_->DoTaskTimer()->interval(), 200);
    EXPECT_EQ(survey_->SiteSurveyTimer()->interval(), 3000);
    QTest::qWait(450);
    EXPECT_EQ(TaskQueue::TaskCount(), 1u);
    G_bRescan = 0;
    QTRY_COMPARE(TaskQueue::TaskCount(), size_t(0));
    EXPECT_EQ(joined(), (std::vector<ByteVec>{first, second}));
}

TEST_F(SiteSurveyPage, ConnectRefusesAsksForKeysOrQueuesAndOnlyThenLeavesTheActiveProfile) {
    enum Dialog { None, Cancel, Ok };
    struct Row {
        const char* name;
        ScanEntrySpec network;
        bool selected;
        Dialog dialog;
        std::string alert, message;
        int32_t authMode = -1, encryption = -1;  // -1: nothing queued
        bool activeFileUnwritable = false;
    } rows[] = {
        {"no selection", kOpen, false, None, kAlertNoSelectedItem, kAlertSelectToConnect},
        {"WPA2 enterprise", Net("Corp", 3, -50, Rsn(4, {4}, {1})), true, None, kAlertEnterprise,
         ""},
        {"key dialog cancelled", kHome, true, Cancel, "", ""},
        {"open: no dialog", kOpen, true, None, "", "", Ndis802_11AuthModeOpen,
         Ndis802_11WEPDisabled},
        {"WPA2-PSK", kHome, true, Ok, "", "", Ndis802_11AuthModeWPA2PSK,
         Ndis802_11Encryption3Enabled},
        {"the active file cannot be written", kOpen, true, None, kAlertActiveNotSaved,
         home_.PreferencesFolder() + "/ActiveProfileSetting.plist", -1, -1, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        alerts_.alerts.clear();
        ActiveProfileIsOn();
        ShowNetworks({row.network});
        if (row.selected) ApList()->selectRow(0);
        FailingPreferenceWrites failing(row.activeFileUnwritable ? FailingPreferenceWrites::kEvery
                                                                 : FailingPreferenceWrites::kNone);
        std::optional<ScopedPreferenceWriter> writes(failing);
        bool asked = false;
        QPointer<QTimer> watch = WhenShown(wep_, [&] {
            asked = true;
            EXPECT_EQ(Find<QComboBox>(wep_, "AuthenType")->currentText(), "WPA2-PSK");
            EXPECT_EQ(Find<QComboBox>(wep_, "EncryType")->currentText(), "AES");
            EXPECT_EQ(wep_->focusWidget(), Find<QLineEdit>(wep_, "WPAPreSharedKey"));
            QTest::keyClicks(wep_->focusWidget(), "correct horse");
            Click(wep_, row.dialog == Ok ? "OKButton" : "CancelButton");
        });
        Click(survey_, "Connect");
        writes.reset();
        delete watch.data();
        EXPECT_EQ(asked, row.dialog != None);
        if (row.alert.empty())
            EXPECT_TRUE(alerts_.alerts.empty());
        else
            EXPECT_EQ(alerts_.alerts, (std::vector<corvane::test::RecordingAlerts::Alert>{
                                          {row.alert, row.message, "OK"}}));

        auto connects = Connects();
        EXPECT_EQ(ActiveFlag(), row.authMode < 0 ? "YES" : "NO");
        ASSERT_EQ(connects.size(), row.authMode < 0 ? 0u : 1u);
        if (connects.empty()) continue;
        const PROFILE_DATA& r = *connects[0]->Profile();
        EXPECT_EQ(r.AuthMode, row.authMode);
        EXPECT_EQ(r.EncryptionStatus, row.encryption);
        EXPECT_EQ(r.bConnectByBssid, 1);
        EXPECT_EQ(BssidOf(r), row.network.mac);
        EXPECT_EQ(r.ChannelFrequency, row.network.dsConfig);
        EXPECT_EQ(PskOf(r),
                  row.dialog == Ok ? Pmk("correct horse", "Home") : std::vector<uint8_t>{});
        EXPECT_EQ(survey_->OwnConnectTarget(), SiteSurveyController::OwnConnect::ByAddress);
        EXPECT_FALSE(survey_->HoldsKeys()) << "the passphrase is not kept";
    }
}

TEST_F(SiteSurveyPage, SortedTableConnectsToTheShownRowByEnterAndDoubleClick) {
    const ScanEntrySpec strong = Net("Strong", 0x11, -40), weak = Net("Weak", 0x12, -75),
                        middle = Net("Mid", 0x13, -60);
    ShowNetworks({strong, weak, middle});
    QHeaderView* header = ApList()->horizontalHeader();
    auto sortBySignal = [&] {
        const QPoint at(header->sectionViewportPosition(AccessPointModel::kSignal) + 5,
                        header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
    };
    auto shown = [&](int row) { return ApList()->model()->index(row, 0).data().toString(); };
    auto joined = [&] {
        auto connects = Connects();
        return connects.size() == 1 ? BssidOf(*connects[0]->Profile()) : Mac{};
    };

    sortBySignal();
    EXPECT_EQ(shown(0), "Weak") << "the first click sorts ascending";
    ApList()->selectRow(0);
    QTest::keyClick(ApList(), Qt::Key_Return);
    EXPECT_EQ(joined(), weak.mac);

    sortBySignal();
    EXPECT_EQ(shown(0), "Strong");
    const QPoint row1 = ApList()->visualRect(ApList()->model()->index(1, 0)).center();
    QTest::mouseClick(ApList()->viewport(), Qt::LeftButton, {}, row1);
    QTest::mouseDClick(ApList()->viewport(), Qt::LeftButton, {}, row1);
    EXPECT_EQ(joined(), middle.mac);
}

TEST_F(SiteSurveyPage, AddToProfileOpensThePrefilledEditorAndTheDrawerWhenSaved) {
    ShowNetworks({kHome});
    ApList()->selectRow(0);
    for (bool save : {false, true}) {
        WhenShown(editor_, [&] {
            EXPECT_EQ(Find<QTabWidget>(editor_, "TabView")->currentIndex(), 1);
            EXPECT_EQ(Find<QComboBox>(editor_, "AuthenType")->currentText(), "WPA2-PSK");
            EXPECT_EQ(Find<QComboBox>(editor_, "EncryType")->currentText(), "AES");
            QTest::keyClicks(Find<QLineEdit>(editor_, "WPAPreSharedKey"), "correct horse");
            Click(editor_, save ? "OKButton" : "CancelButton");
        });
        Click(survey_, "AddToProfile");
        EXPECT_EQ(drawer_->state(), save ? ProfileDrawer::Open : ProfileDrawer::Closed);
    }
    const PrefArray stored = ReadPreferenceArray(kProfileListPath);
    ASSERT_EQ(stored.size(), 1u);
    for (auto [key, value] : {std::pair{kKeySsid, "Home"},
                              {kKeyAuthenticationType, "3"},
                              {kKeyEncryptionType, "1"},
                              {kKeyWpaPsk, "correct horse"},
                              {kKeyBssid, "000C43A10002"}})
        EXPECT_EQ(stored[0].Value(key), value) << key;
    EXPECT_EQ(Find<QTableWidget>(profiles_, "profileList")->rowCount(), 1)
        << "the list is refreshed";
}

// A scan that ended after the table was built (its list not shown yet)
// changes neither what a row stands for nor Scan's turn.
TEST_F(SiteSurveyPage, AddToProfilePrefillsFromTheListTheTableShows) {
    ShowNetworks({kOpen, Net("Dropped", 7)});
    ScanFinds({kOpen});
    ApList()->selectRow(1);
    WhenShown(editor_, [&] { Click(editor_, "OKButton"); });
    Click(survey_, "AddToProfile");
    const PrefDictionary stored = ReadPreferenceArray(kProfileListPath).at(0);
    EXPECT_EQ(stored.Value(kKeySsid) + " " + stored.Value(kKeyBssid), "Dropped 000C43A10007");
}

TEST_F(SiteSurveyPage, ScanComesBackWhenNoScanIsQueuedEvenIfConnectTookTheProbesTurn) {
    ShowNetworks({kOpen});
    ApList()->selectRow(0);
    Click(survey_, "StartScan");
    survey_->DoTask();
    QTest::keyClick(ApList(), Qt::Key_Return);  // before the probe shows the new list
    survey_->DoTask();
    survey_->ProbeConnectStatus();
    EXPECT_TRUE(Find<QAbstractButton>(survey_, "StartScan")->isEnabled());
}

TEST_F(SiteSurveyPage, HiddenNetworkIsJoinedByItsNameWithTheSecurityTheUserPicks) {
    const QString forty = "HiddenCorvaneNetwork-with-a-long-name-40";
    WhenShown(hidden_, [&] {
        Find<QLineEdit>(hidden_, "HiddenSSIDText")->insert(forty);  // a paste
        Click(hidden_, "OKButton");
    });
    WhenShown(wep_, [&] {
        EXPECT_EQ(Find<QComboBox>(wep_, "AuthenType")->currentText(), "Open");
        Find<QComboBox>(wep_, "AuthenType")->setCurrentIndex(kAuthWpa2Psk);
        Find<QComboBox>(wep_, "EncryType")->setCurrentIndex(kEncAes);
        QTest::keyClicks(Find<QLineEdit>(wep_, "WPAPreSharedKey"), "correct horse");
        Click(wep_, "OKButton");
    });
    Click(survey_, "ConnectHidden");
    EXPECT_EQ(alerts_.beeps, 1) << "the name is cut to 32 bytes";
    auto connects = Connects();
    ASSERT_EQ(connects.size(), 1u);
    const PROFILE_DATA& r = *connects[0]->Profile();
    const std::string name = forty.left(32).toStdString();
    EXPECT_EQ(
        std::string(reinterpret_cast<const char*>(r.SsidRecord.Ssid), r.SsidRecord.SsidLength),
        name);
    EXPECT_EQ((std::array{int32_t(r.bConnectByBssid), r.NetworkType}), (std::array{0, 1}));
    EXPECT_EQ(r.AuthMode, Ndis802_11AuthModeWPA2PSK);
    EXPECT_EQ(r.EncryptionStatus, Ndis802_11Encryption3Enabled);
    EXPECT_EQ(PskOf(r), Pmk("correct horse", name));
    EXPECT_EQ(survey_->OwnConnectTarget(), SiteSurveyController::OwnConnect::ByName);
}

}  // namespace
}  // namespace corvane::test

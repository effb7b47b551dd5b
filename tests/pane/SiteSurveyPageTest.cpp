// The site survey page in the window: the probe's scan requests, the task
// timer and runner, Connect and its refusals, the key dialog it opens, the
// sorted table, Add to Profile, and connecting to a hidden network.
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <cstring>

#include "crypto/MathFunc.h"
#include "survey/SurveyConnect.h"
#include "survey/ui/AccessPointModel.h"
#include "tests/pane/PageFixture.h"

namespace corvane::test {
namespace {

using Mac = std::array<uint8_t, 6>;

std::string Element(unsigned id, const std::string& bodyHex) {
    char head[5];
    std::snprintf(head, sizeof head, "%02x%02x", id, unsigned(bodyHex.size() / 2));
    return head + bodyHex;
}
// RSN and WPA elements with one group, one pairwise and one key-management suite.
std::string Rsn(int cipher, int akm) {
    char body[64];
    std::snprintf(body, sizeof body, "0100000fac%02x0100000fac%02x0100000fac%02x", cipher, cipher,
                  akm);
    return Element(48, body);
}
std::string Wpa(int cipher, int akm) {
    char body[64];
    std::snprintf(body, sizeof body, "0050f20101000050f2%02x01000050f2%02x01000050f2%02x", cipher,
                  cipher, akm);
    return Element(221, body);
}

ScanEntrySpec Net(const std::string& ssid, uint8_t last, int32_t rssi = -50,
                  const std::string& tagged = "", uint32_t privacy = 0, uint32_t mode = 1,
                  uint32_t khz = 2437000) {
    ScanEntrySpec s;
    s.ssid = ssid;
    s.mac = {0x00, 0x0C, 0x43, 0xA1, 0x00, last};
    s.rssi = rssi;
    s.tagged = HexBytes(tagged);
    s.privacy = privacy;
    s.infrastructureMode = mode;
    s.dsConfig = khz;
    return s;
}
const ScanEntrySpec kOpen = Net("CafeOpen", 1, -70, "", 0, 1, 2412000);
const ScanEntrySpec kHome = Net("Home", 2, -40, Rsn(4, 2), 1);
const ScanEntrySpec kCorp = Net("Corp", 3, -60, Rsn(4, 1), 1);
const ScanEntrySpec kLegacy = Net("Legacy", 4, -60, Wpa(2, 1), 1);
const ScanEntrySpec kGame = Net("Game", 5, -60, Wpa(2, 2), 1, 0);
const ScanEntrySpec kNoName = Net("", 6);
const ScanEntrySpec kParty5GHz = Net("Party", 7, -60, "", 0, 0, 5180000);

Mac MacOf(const ScanEntrySpec& n) { return n.mac; }
Mac BssidOf(const PROFILE_DATA& r) {
    return {r.Bssid[0], r.Bssid[1], r.Bssid[2], r.Bssid[3], r.Bssid[4], r.Bssid[5]};
}
std::string SsidOf(const PROFILE_DATA& r) {
    return std::string(reinterpret_cast<const char*>(r.SsidRecord.Ssid), r.SsidRecord.SsidLength);
}
std::vector<uint8_t> PmkOf(const std::string& passphrase, const std::string& ssid) {
    std::vector<uint8_t> pmk(kPasswordHashOutputLen);
    PasswordHash(passphrase.c_str(), reinterpret_cast<const unsigned char*>(ssid.data()),
                 int(ssid.size()), pmk.data());
    pmk.resize(32);
    return pmk;
}
std::vector<uint8_t> PskKeyOf(const PROFILE_DATA& r) {
    if (!r.PskKey) return {};
    return {r.PskKey.get() + kKeyMaterialOffset, r.PskKey.get() + kKeyMaterialOffset + 32};
}

class SiteSurveyPage : public PageFixture {
public:
    void LinkUpOn(const ScanEntrySpec& n) {
        driver_.SetAnswer(OID_GEN_MEDIA_CONNECT_STATUS, Le32Bytes(kMediaConnected));
        driver_.SetAnswer(OID_802_11_BSSID, ByteVec(n.mac.begin(), n.mac.end()));
        ByteVec ssid = Le32Bytes(uint32_t(n.ssid.size()));
        ssid.insert(ssid.end(), n.ssid.begin(), n.ssid.end());
        driver_.SetAnswer(OID_802_11_SSID, ssid);
        ByteVec config(32, 0);
        std::memcpy(&config[12], Le32Bytes(n.dsConfig).data(), 4);
        driver_.SetAnswer(OID_802_11_CONFIGURATION, config);
    }
    void SelectShown(int viewRow) { ApList()->selectRow(viewRow); }
    void Press(const char* button) { Find<QPushButton>(survey_, button)->click(); }
    void ActiveProfileIsOn() {
        WriteActive(
            {{{kKeyActiveProfileFlag, "YES"}, {kKeySsid, "Home"}, {kKeyBssid, "000C43A10002"}}});
        profiles_->RefreshProfileList();
    }
    // Every queued task that is a connect, oldest first.
    std::vector<std::shared_ptr<ProfileData>> Connects() {
        std::vector<std::shared_ptr<ProfileData>> connects;
        for (auto& task : TakeTasks())
            if (task->getTaskType() == TASK_CONNECT) connects.push_back(task);
        return connects;
    }
};

TEST_F(SiteSurveyPage, ProbeRequestsScansByCount) {
    const ScanEntrySpec other = Net("Other", 9);
    struct Row {
        const char* name;
        bool linkUp;  // associated with kHome
        std::vector<ScanEntrySpec> listed;
        int probes;
        int changeTimerCount2After;  // 0: never
        std::vector<int> scanningProbes;
    } rows[] = {
        {"link down: the first probe, then every 20th", false, {other}, 41, 0, {1, 21, 41}},
        {"link down: ChangeTimerCount2 makes the next probe scan", false, {other}, 6, 3, {1, 4}},
        {"link up, empty table: every probe", true, {}, 4, 0, {1, 2, 3, 4}},
        {"link up, network missing from the list: the 6th, the 12th",
         true,
         {other},
         13,
         0,
         {6, 12}},
        {"link up, network listed: none", true, {other, kHome}, 13, 0, {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        survey_->ScanTriggerCount = 0;
        survey_->ScanTriggerCount2 = 0;
        if (row.linkUp)
            LinkUpOn(kHome);
        else
            driver_.SetAnswer(OID_GEN_MEDIA_CONNECT_STATUS, Le32Bytes(kMediaDisconnected));
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

TEST_F(SiteSurveyPage, TwoHundredProbeTicksRequestAScanWhateverTheLink) {
    LinkUpOn(kHome);
    ShowNetworks({kHome});
    survey_->StartTimer();
    ASSERT_TRUE(survey_->TimersRunning());
    EXPECT_EQ(survey_->SiteSurveyTimer()->interval(), 3000);
    EXPECT_EQ(survey_->DoTaskTimer()->interval(), 200);
    for (int tick = 1; tick < 200; ++tick) survey_->OnTimer(survey_->SiteSurveyTimer());
    EXPECT_EQ(TaskQueue::TaskCount(), 0u);
    survey_->OnTimer(survey_->SiteSurveyTimer());
    EXPECT_EQ(TaskQueue::TaskCount(), 1u);
    G_bRadio = 0;  // no probe ticks with the radio off
    for (int tick = 0; tick < 200; ++tick) survey_->OnTimer(survey_->SiteSurveyTimer());
    EXPECT_EQ(TaskQueue::TaskCount(), 1u);
    survey_->StopTimer();
    EXPECT_FALSE(survey_->TimersRunning());
}

TEST_F(SiteSurveyPage, TaskTimerRunsConnectsOneATimeOlderFirstAndWaitsForANewList) {
    for (const ScanEntrySpec* n : {&kOpen, &kHome}) {
        ProfileRecordPtr record = NewProfileData();
        record->NetworkType = 1;
        record->bConnectByBssid = 1;
        std::copy(n->mac.begin(), n->mac.end(), record->Bssid);
        survey_->SetTaskQueue(std::move(record));
    }
    auto bssidSets = [this] {
        std::vector<Mac> sets;
        for (const RecordedCall& call : driver_.CallsFor(OID_802_11_BSSID_SET)) {
            Mac mac{};
            std::copy_n(call.input.begin(), 6, mac.begin());
            sets.push_back(mac);
        }
        return sets;
    };
    survey_->DoTask();
    EXPECT_EQ(bssidSets(), (std::vector<Mac>{MacOf(kOpen)}));
    EXPECT_FALSE(survey_->tasks.runFlag);

    // The timers: nothing starts while a new scan list waits to be shown.
    G_bRescan = 1;
    survey_->StartTimer();
    QTest::qWait(450);
    EXPECT_EQ(TaskQueue::TaskCount(), 1u);
    G_bRescan = 0;
    QTRY_COMPARE(TaskQueue::TaskCount(), size_t(0));
    EXPECT_EQ(bssidSets(), (std::vector<Mac>{MacOf(kOpen), MacOf(kHome)}));
}

TEST_F(SiteSurveyPage, ScanShowsItselfWhileItRunsAndTheNextProbeShowsTheList) {
    driver_.SetAnswer(OID_GEN_MEDIA_CONNECT_STATUS, Le32Bytes(kMediaDisconnected));
    QLabel* state = Find<QLabel>(survey_, "ScanState");
    QString shownDuringWait;
    bool busyCursorDuringWait = false;
    clock_.SetSleepHook([&](uint64_t) {
        if (!shownDuringWait.isEmpty()) return;
        shownDuringWait = state->text();
        busyCursorDuringWait = QApplication::overrideCursor() &&
                               QApplication::overrideCursor()->shape() == Qt::WaitCursor;
    });
    Press("StartScan");
    for (const char* name : {"StartScan", "Connect", "AddToProfile"})
        EXPECT_FALSE(Find<QPushButton>(survey_, name)->isEnabled()) << name;

    survey_->DoTask();
    EXPECT_EQ(shownDuringWait, QStringLiteral("Scanning…"));
    EXPECT_TRUE(busyCursorDuringWait);
    EXPECT_EQ(state->text(), QString());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(driver_.CallsFor(OID_802_11_BSSID_LIST_SCAN_PASSED).size(), 1u);
    EXPECT_EQ(G_bRescan, 1);

    survey_->ScanTriggerCount2 = 1;  // no scan of its own on this probe
    survey_->ProbeConnectStatus();
    EXPECT_EQ(G_bRescan, 0);
    EXPECT_TRUE(Find<QPushButton>(survey_, "StartScan")->isEnabled());
}

TEST_F(SiteSurveyPage, ConnectRefusalsNeitherQueueNorTouchTheActiveProfile) {
    ActiveProfileIsOn();
    ShowNetworks({kOpen, kCorp, kLegacy, kGame, kNoName});
    struct Row {
        int row;  // -1: nothing selected
        std::string title, message;
    } rows[] = {
        {-1, kAlertNoSelectedItem, kAlertSelectToConnect},
        {1, kAlertEnterprise, ""},
        {2, kAlertEnterprise, ""},
        {3, kAlertWpaNone, ""},
        {4, kAlertHiddenAccessPoint, ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.title);
        alerts_.alerts.clear();
        ApList()->clearSelection();
        if (row.row >= 0) SelectShown(row.row);
        survey_->OnConnect();
        ASSERT_EQ(alerts_.alerts.size(), 1u);
        EXPECT_EQ(alerts_.alerts[0],
                  (platform::RecordingAlerts::Alert{row.title, row.message, "OK"}));
    }
    EXPECT_EQ(TaskQueue::TaskCount(), 0u);
    EXPECT_EQ(ActiveFlag(), "YES");
}

TEST_F(SiteSurveyPage, OpenNetworkIsQueuedByBssidWithoutDialog) {
    ActiveProfileIsOn();
    ShowNetworks({kHome, kOpen});
    bool dialogShown = false;
    WhenShown(wep_, [&] {
        dialogShown = true;
        wep_->reject();
    });
    SelectShown(1);
    EXPECT_TRUE(Find<QPushButton>(survey_, "Connect")->isEnabled());
    Press("Connect");
    auto connects = Connects();
    ASSERT_EQ(connects.size(), 1u);
    const PROFILE_DATA& r = *connects[0]->Profile();
    EXPECT_EQ(r.AuthMode, Ndis802_11AuthModeOpen);
    EXPECT_EQ(r.EncryptionStatus, Ndis802_11WEPDisabled);
    EXPECT_EQ(r.bConnectByBssid, 1);
    EXPECT_EQ(BssidOf(r), MacOf(kOpen));
    EXPECT_EQ(r.ChannelFrequency, 2412000u);
    EXPECT_FALSE(dialogShown);
    EXPECT_EQ(survey_->SetBssid, 1);
    EXPECT_EQ(survey_->SetSsid, 0);
    EXPECT_EQ(ActiveFlag(), "NO");
}

TEST_F(SiteSurveyPage, SecuredNetworkAsksForTheKeyAndCancelSendsNothing) {
    ActiveProfileIsOn();
    ShowNetworks({kHome});
    for (bool confirm : {false, true}) {
        SCOPED_TRACE(confirm ? "OK" : "Cancel");
        WhenShown(wep_, [&] {
            EXPECT_EQ(Find<QComboBox>(wep_, "AuthenType")->currentText(), "WPA2-PSK");
            EXPECT_EQ(Find<QComboBox>(wep_, "EncryType")->currentText(), "AES");
            EXPECT_EQ(wep_->focusWidget(), Find<QLineEdit>(wep_, "WPAPreSharedKey"));
            QTest::keyClicks(Find<QLineEdit>(wep_, "WPAPreSharedKey"), "correct horse");
            Find<QPushButton>(wep_, confirm ? "OKButton" : "CancelButton")->click();
        });
        SelectShown(0);
        survey_->OnConnect();
        auto connects = Connects();
        if (!confirm) {
            EXPECT_TRUE(connects.empty());
            EXPECT_EQ(ActiveFlag(), "YES");
            continue;
        }
        ASSERT_EQ(connects.size(), 1u);
        const PROFILE_DATA& r = *connects[0]->Profile();
        EXPECT_EQ(r.AuthMode, Ndis802_11AuthModeWPA2PSK);
        EXPECT_EQ(r.EncryptionStatus, Ndis802_11Encryption3Enabled);
        EXPECT_EQ(PskKeyOf(r), PmkOf("correct horse", "Home"));
        EXPECT_EQ(ActiveFlag(), "NO");
        EXPECT_EQ(survey_->keys.WPAPSKlen, 0) << "the passphrase is not kept after use";
    }
}

TEST_F(SiteSurveyPage, EnterAndDoubleClickOnARowConnect) {
    ShowNetworks({kHome, kOpen});
    const QRect cell = [&] {
        ApList()->scrollTo(ApList()->model()->index(1, 0));
        return ApList()->visualRect(ApList()->model()->index(1, 0));
    }();
    SelectShown(1);
    QTest::keyClick(ApList(), Qt::Key_Return);
    QTest::mouseClick(ApList()->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(ApList()->viewport(), Qt::LeftButton, {}, cell.center());
    auto connects = Connects();
    ASSERT_EQ(connects.size(), 2u);
    for (auto& task : connects) EXPECT_EQ(BssidOf(*task->Profile()), MacOf(kOpen));
}

TEST_F(SiteSurveyPage, SortedViewConnectsToTheRowItShows) {
    const ScanEntrySpec strong = Net("Strong", 0x11, -40), weak = Net("Weak", 0x12, -75),
                        middle = Net("Middle", 0x13, -60);
    ShowNetworks({strong, weak, middle});
    QHeaderView* header = ApList()->horizontalHeader();
    auto clickHeader = [&](int column) {
        QTest::mouseClick(
            header->viewport(), Qt::LeftButton, {},
            QPoint(header->sectionViewportPosition(column) + 5, header->height() / 2));
    };
    auto firstShown = [&] { return ApList()->model()->index(0, 0).data().toString(); };
    auto connectFirstShown = [&] {
        SelectShown(0);
        survey_->OnConnect();
        auto connects = Connects();
        return connects.size() == 1 ? BssidOf(*connects[0]->Profile()) : Mac{};
    };

    clickHeader(AccessPointModel::kSignal);
    EXPECT_EQ(firstShown(), "Weak") << "the first click sorts ascending";
    EXPECT_EQ(connectFirstShown(), MacOf(weak));
    clickHeader(AccessPointModel::kSignal);
    EXPECT_EQ(firstShown(), "Strong");
    EXPECT_EQ(connectFirstShown(), MacOf(strong));

    survey_->RefreshAPList();
    EXPECT_EQ(header->sortIndicatorSection(), -1);
    EXPECT_EQ(firstShown(), "Strong");
    EXPECT_EQ(ApList()->model()->index(1, 0).data().toString(), "Weak")
        << "the driver's order again";
}

TEST_F(SiteSurveyPage, AddToProfileOpensThePrefilledEditorAndTheDrawerOnSave) {
    ShowNetworks({kParty5GHz, kHome});
    SelectShown(0);
    Press("AddToProfile");
    ASSERT_EQ(alerts_.alerts.size(), 1u);
    EXPECT_EQ(alerts_.alerts[0].title, kAlertAdhoc5GHz);

    for (bool save : {false, true}) {
        SCOPED_TRACE(save ? "OK" : "Cancel");
        WhenShown(editor_, [&] {
            EXPECT_EQ(Find<QTabWidget>(editor_, "TabView")->currentIndex(), 1);
            EXPECT_EQ(Find<QComboBox>(editor_, "AuthenType")->currentText(), "WPA2-PSK");
            EXPECT_EQ(Find<QComboBox>(editor_, "EncryType")->currentText(), "AES");
            QTest::keyClicks(Find<QLineEdit>(editor_, "WPAPreSharedKey"), "correct horse");
            Find<QPushButton>(editor_, save ? "OKButton" : "CancelButton")->click();
        });
        SelectShown(1);
        Press("AddToProfile");
        EXPECT_EQ(drawer_->state(), save ? ProfileDrawer::Open : ProfileDrawer::Closed);
    }
    const PrefArray stored = Profiles();
    ASSERT_EQ(stored.size(), 1u);
    EXPECT_EQ(stored[0].Value(kKeySsid), "Home");
    EXPECT_EQ(stored[0].Value(kKeyAuthenticationType), "3");
    EXPECT_EQ(stored[0].Value(kKeyEncryptionType), "1");
    EXPECT_EQ(stored[0].Value(kKeyWpaPsk), "correct horse");
    EXPECT_EQ(stored[0].Value(kKeyBssid), "000C43A10002");
    EXPECT_EQ(Find<QTableWidget>(profiles_, "profileList")->rowCount(), 1)
        << "the profile list is refreshed";
}

TEST_F(SiteSurveyPage, HiddenNetworkIsJoinedByNameWithTheSecurityTheUserPicks) {
    struct Row {
        const char* name;
        bool confirmName, confirmKeys;
        int auth, enc;  // the entries picked in the key dialog
        std::string passphrase;
        int32_t authMode, encryption;
    } rows[] = {
        {"cancelled name", false, true, 0, 0, "", 0, 0},
        {"cancelled security", true, false, 0, 0, "", 0, 0},
        {"open", true, true, kAuthOpen, kEncOpenNone, "", Ndis802_11AuthModeOpen,
         Ndis802_11WEPDisabled},
        {"WPA2-PSK", true, true, kAuthWpa2Psk, kEncAes, "correct horse", Ndis802_11AuthModeWPA2PSK,
         Ndis802_11Encryption3Enabled},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        bool keyDialogShown = false;
        WhenShown(hidden_, [&] {
            QTest::keyClicks(Find<QLineEdit>(hidden_, "HiddenSSIDText"), "Secret");
            Find<QPushButton>(hidden_, row.confirmName ? "OKButton" : "CancelButton")->click();
        });
        QPointer<QTimer> keyWatch = WhenShown(wep_, [&] {
            keyDialogShown = true;
            QComboBox* auth = Find<QComboBox>(wep_, "AuthenType");
            EXPECT_EQ(auth->count(), 4);
            EXPECT_EQ(auth->currentText(), "Open");
            EXPECT_EQ(Find<QComboBox>(wep_, "EncryType")->currentText(), "NONE");
            auth->setCurrentIndex(row.auth);
            Find<QComboBox>(wep_, "EncryType")->setCurrentIndex(row.enc);
            QTest::keyClicks(Find<QLineEdit>(wep_, "WPAPreSharedKey"),
                             QString::fromStdString(row.passphrase));
            Find<QPushButton>(wep_, row.confirmKeys ? "OKButton" : "CancelButton")->click();
        });
        Press("ConnectHidden");
        EXPECT_EQ(keyDialogShown, row.confirmName);
        auto connects = Connects();
        if (!row.confirmName || !row.confirmKeys) {
            EXPECT_TRUE(connects.empty());
            delete keyWatch.data();
            continue;
        }
        ASSERT_EQ(connects.size(), 1u);
        const PROFILE_DATA& r = *connects[0]->Profile();
        EXPECT_EQ(r.bConnectByBssid, 0);
        EXPECT_EQ(SsidOf(r), "Secret");
        EXPECT_EQ(r.NetworkType, 1);
        EXPECT_EQ(r.AuthMode, row.authMode);
        EXPECT_EQ(r.EncryptionStatus, row.encryption);
        EXPECT_EQ(PskKeyOf(r), row.passphrase.empty() ? std::vector<uint8_t>{}
                                                      : PmkOf(row.passphrase, "Secret"));
        EXPECT_EQ(survey_->SetSsid, 1);
    }
}

}  // namespace
}  // namespace corvane::test

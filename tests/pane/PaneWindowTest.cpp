// The settings window as a whole: the device watch's bring-up, unplug and
// restart handling with what the link status page then shows (its texts are
// the link status tests'), and closing during a wait.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QProgressBar>
#include <QStatusBar>
#include <QTest>

#include "platform/qt/NestedLoop.h"
#include "platform/qt/QtAlerts.h"
#include "tests/pane/PaneFixture.h"

namespace corvane::test {
namespace {

class PaneWindowTest : public PaneTest {
protected:
    PaneWindowTest() { QApplication::setQuitOnLastWindowClosed(false); }
    SiteSurveyController* Survey() const { return O().SiteSurveyPage; }
    CurrentWirelessNetworkController* LinkPage() const { return O().CurrentWirelessNetwork; }
    size_t Count(uint32_t selector) const { return driver_->CallsFor(selector).size(); }
    // Runs `act` inside the first alert that shows (the program's own), then
    // closes it; a further alert is counted, closed at once and stops the
    // device watch, which would show it again and again.
    void OnAlerts(std::function<void()> act) {
        alertsShown_ = 0;
        auto* poll = new QTimer(window_.get());
        QObject::connect(poll, &QTimer::timeout, [this, act, poll] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || !box->isVisible() || box->property("seen").toBool()) return;
            box->setProperty("seen", true);
            if (++alertsShown_ > 1) O().mainController->timer().stop();
            QTimer::singleShot(0, box, [box, act, poll, first = alertsShown_ == 1] {
                if (first) act();
                box->defaultButton()->click();
                if (first) poll->deleteLater();
            });
        });
        poll->start(5);
    }
    int alertsShown_ = 0;
    platform::QtAlerts shownAlerts_;
};

TEST_F(PaneWindowTest, DeviceWatchBringsThePagesUpInOrder) {
    Open();
    EXPECT_TRUE(O().mainController->timer().isActive());
    EXPECT_EQ(O().mainController->timer().interval(), 2000);
    WritePreferenceArray(kProfileListPath,
                         {{{kKeyProfileName, "Home"}, {kKeySsid, "CorvaneHome"}}});
    driver_->SetAnswer(OID_VX_EEPROM_VERSION, {3, 4, 0, 0});
    FiveGigahertz(true);
    EXPECT_FALSE(Survey()->TimersRunning());

    Tick();
    EXPECT_EQ(
        driver_->Selectors(),
        (std::vector<uint32_t>{OID_GEN_MEDIA_CONNECT_STATUS, OID_VX_RESTART_PENDING,  // the check
                               OID_VX_DRIVER_READY, OID_VX_STA_CONFIG, OID_VX_COUNTRY_REGION,
                               OID_VX_RADIO,                                      // card set-up
                               OID_VX_EEPROM_VERSION, OID_802_3_CURRENT_ADDRESS,  // About
                               OID_GEN_MEDIA_CONNECT_STATUS,                      // once more
                               OID_802_11_NETWORK_TYPES_SUPPORTED}));             // advanced set-up
    EXPECT_EQ(Text(About(), "EEPROMVersion"), "3.4");
    EXPECT_EQ(Text(About(), "DriverVersion"), "5.1.2");
    EXPECT_EQ(Text(About(), "VelaConfigVersion"), "2.5.0");
    EXPECT_TRUE(Survey()->TimersRunning());
    EXPECT_TRUE(LinkPage()->TimerRunning());
    EXPECT_EQ(O().ProfilePage->state().records.size(), 1u);
    EXPECT_EQ(Find<QComboBox>(Advanced(), "WirelessMode")->count(), 3);
    EXPECT_EQ(G_bDeviceExist, 1);
    EXPECT_EQ(G_bDeviceRemove, 0);

    driver_->ClearCalls();
    Tick();  // steady: the check only
    EXPECT_EQ(driver_->Selectors(),
              (std::vector<uint32_t>{OID_GEN_MEDIA_CONNECT_STATUS, OID_VX_RESTART_PENDING}));
}

TEST_F(PaneWindowTest, UnplugStopsThePagesAndTheLinkPageSaysNoConnection) {
    Open();
    Tick();
    driver_->SetAnswer(OID_GEN_MEDIA_CONNECT_STATUS, U32(kMediaConnected));
    driver_->SetAnswer(OID_802_11_BSSID, {0, 0x0C, 0x43, 0xA1, 0, 1});
    LinkPage()->OnTimer();
    ASSERT_EQ(Text(Link(), "LinkState"), "Connected");

    driver_.reset();
    Tick();
    EXPECT_FALSE(Survey()->TimersRunning());
    EXPECT_FALSE(LinkPage()->TimerRunning());
    EXPECT_EQ(Text(Link(), "LinkState"), "No connection");
    for (const char* field : {"NetworkName", "NetworkType", "Channel", "BSSID"})
        EXPECT_EQ(Text(Link(), field), "None") << field;
    EXPECT_EQ(Text(Link(), "AttachedState"), "No wireless connection");
    EXPECT_EQ(Find<QProgressBar>(Link(), "SignalStrength")->value(), 0);
    EXPECT_EQ(G_bDeviceExist, 0);
    EXPECT_EQ(G_bDeviceRemove, 1);

    Plug("OspreyUSBWirelessDriver");  // back: brought up again
    Tick();
    EXPECT_TRUE(Survey()->TimersRunning());
    EXPECT_EQ(Count(OID_VX_DRIVER_READY), 1u);
}

TEST_F(PaneWindowTest, RestartFlagWaitsForTheDriverAndBringsUpAgain) {
    struct Row {
        int doneOnPoll;  // 0: never
        size_t polls;
        size_t pauses;
    } const rows[] = {{1, 1, 0}, {3, 3, 2}, {0, 32, 32}};
    Open();
    Tick();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.doneOnPoll);
        driver_->SetAnswer(OID_VX_RESTART_PENDING, U32(1));
        driver_->SetAnswer(OID_VX_RESTART_DONE, U32(0));
        for (int i = 1; i < row.doneOnPoll; ++i) driver_->QueueAnswer(OID_VX_RESTART_DONE, U32(0));
        if (row.doneOnPoll) driver_->QueueAnswer(OID_VX_RESTART_DONE, U32(1));
        // A probe with the link down takes its turn, so that the next would
        // not scan of itself.
        driver_->SetAnswer(OID_GEN_MEDIA_CONNECT_STATUS, U32(kMediaDisconnected));
        Survey()->ProbeConnectStatus();
        TakeTasks();
        driver_->ClearCalls();
        clock_.ClearSleeps();
        Tick();
        EXPECT_EQ(Count(OID_VX_RESTART_DONE), row.polls);
        EXPECT_EQ(clock_.Sleeps(), std::vector<uint64_t>(row.pauses, 300));
        EXPECT_EQ(Count(OID_VX_DRIVER_READY), 1u) << "the whole bring-up again";
        TakeTasks();
        Survey()->ProbeConnectStatus();
        EXPECT_EQ(DrainTasks(), std::vector<int32_t>{TASK_RESCAN})
            << "the next probe scans at once";
    }
    driver_->SetAnswer(OID_VX_RESTART_PENDING, U32(0));
    G_bDialogRunning = 1;  // the region check runs: the tick passes
    driver_->ClearCalls();
    Tick();
    EXPECT_TRUE(driver_->Calls().empty());
}

// Behind an alert the link status refreshes and the device watch notices an
// unplug; the probe and the task runner hold only behind the site survey's.
TEST_F(PaneWindowTest, AlertsFreezeNeitherTheLinkStatusNorTheDeviceWatch) {
    platform::ScopedAlerts shown(shownAlerts_);
    Open();
    for (bool surveyAlert : {true, false}) {
        SCOPED_TRACE(surveyAlert ? "site survey" : "profile list");
        Plug("OspreyUSBWirelessDriver");
        Tick();
        O().mainController->timer().setInterval(20);
        for (QTimer* t :
             {LinkPage()->Timer(), Survey()->SiteSurveyTimer(), Survey()->DoTaskTimer()})
            t->setInterval(20);
        TakeTasks();
        Survey()->SetTaskQueue(NewProfileData());  // a connect waiting
        OnAlerts([&] {
            driver_->SetAnswer(OID_GEN_MEDIA_CONNECT_STATUS, U32(kMediaConnected));
            EXPECT_TRUE(QTest::qWaitFor([&] { return Text(Link(), "LinkState") == "Connected"; }));
            QTest::qWait(200);
            EXPECT_EQ(Count(SetOid(OID_802_11_SSID)), surveyAlert ? 0u : 1u) << "the connect";
            driver_.reset();
            EXPECT_TRUE(QTest::qWaitFor([] { return G_bDeviceRemove == 1; })) << "the unplug";
        });
        Click(surveyAlert ? static_cast<QObject*>(Survey()) : O().ProfilePage,
              surveyAlert ? "Connect" : "Delete");  // nothing selected: an alert
        EXPECT_EQ(alertsShown_, 1);
    }
}

// The device watch never starts a tick inside its own bring-up, whose card
// set-up may show the EEPROM alert while the driver still asks for set-up.
TEST_F(PaneWindowTest, BringUpIsNotStartedAgainFromInsideItsOwnAlert) {
    platform::ScopedAlerts shown(shownAlerts_);
    Open();
    Tick();
    Bytes staConfig(32, 0);
    WriteLe32(&staConfig[28], kSystemErrorEeprom);
    driver_->SetAnswer(OID_VX_STA_CONFIG, staConfig);
    driver_->SetAnswer(OID_VX_RESTART_PENDING, U32(1));
    driver_->ClearCalls();
    O().mainController->timer().setInterval(20);
    OnAlerts([] { QTest::qWait(200); });
    Tick();
    EXPECT_EQ(alertsShown_, 1);
    EXPECT_EQ(Count(OID_VX_DRIVER_READY), 1u);
}

TEST_F(PaneWindowTest, ScanShowsTheBusyStateForExactlyItsWait) {
    Open();
    Tick();
    TakeTasks();
    struct Seen {
        QString message;
        bool busyCursor;
    };
    std::vector<Seen> duringWaits;
    clock_.SetSleepHook([&](uint64_t) {
        const QCursor* cursor = QApplication::overrideCursor();
        duringWaits.push_back(
            {window_->statusBar()->currentMessage(), cursor && cursor->shape() == Qt::BusyCursor});
    });
    Find<QAbstractButton>(Survey(), "StartScan")->click();
    Survey()->DoTask();
    clock_.SetSleepHook({});

    ASSERT_FALSE(duringWaits.empty()) << "the scan waits for the driver";
    for (const Seen& seen : duringWaits) {
        EXPECT_EQ(seen.message, QString::fromUtf8(kScanningText));
        EXPECT_TRUE(seen.busyCursor);
    }
    EXPECT_EQ(window_->statusBar()->currentMessage(), QString());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

// The drawer button toggles the drawer, its title naming what it does
// next; a drawer opened elsewhere (Add to Profile) retitles it at the device
// watch's next tick.
TEST_F(PaneWindowTest, DrawerButtonTogglesTheDrawerAndItsTitleNamesTheNextAction) {
    Open();
    struct Step {
        const char* name;
        std::function<void()> act;
        ProfileDrawer::State state;
        const char* title;
    } const steps[] = {
        {"pressed", [&] { Click(Link(), "ShowMyNetworks"); }, ProfileDrawer::Open,
         kCloseProfileDrawerTitle},
        {"pressed again", [&] { Click(Link(), "ShowMyNetworks"); }, ProfileDrawer::Closed,
         kOpenProfileDrawerTitle},
        {"opened by another page", [&] { O().drawer->open(); }, ProfileDrawer::Open,
         kOpenProfileDrawerTitle},
        {"the next tick", [&] { Tick(); }, ProfileDrawer::Open, kCloseProfileDrawerTitle},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        step.act();
        EXPECT_EQ(O().drawer->state(), step.state);
        EXPECT_EQ(Text(Link(), "ShowMyNetworks"), QString::fromUtf8(step.title));
    }
}

TEST_F(PaneWindowTest, CloseDuringAWaitHappensWhenTheWaitEnds) {
    Open();
    window_->show();
    {
        platform::NestedLoopScope wait;
        window_->close();
        EXPECT_TRUE(window_->isVisible());
        EXPECT_TRUE(window_->ClosePending());
        EXPECT_EQ(window_->statusBar()->currentMessage(), QString::fromUtf8(kClosingLaterText));
    }
    EXPECT_TRUE(QTest::qWaitFor([this] { return !window_->isVisible(); }, 2000));
    EXPECT_FALSE(window_->ClosePending());
}

}  // namespace
}  // namespace corvane::test

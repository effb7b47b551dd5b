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
    // Every timer of the window at 20 ms.
    void FastTimers() {
        O().mainController->timer().setInterval(20);
        for (QTimer* timer :
             {LinkPage()->Timer(), Survey()->SiteSurveyTimer(), Survey()->DoTaskTimer()})
            if (timer) timer->setInterval(20);
    }
    // Runs `act` inside the next alert once it shows, then presses its button.
    void WhenAlertShown(std::function<void()> act) {
        auto* poll = new QTimer(window_.get());
        QObject::connect(poll, &QTimer::timeout, [poll, act] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || !box->isVisible()) return;
            poll->stop();
            poll->deleteLater();
            act();
            box->defaultButton()->click();
        });
        poll->start(5);
    }
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
        driver_->ClearCalls();
        clock_.ClearSleeps();
        Survey()->ScanTriggerCount2 = 3;
        Tick();
        EXPECT_EQ(Count(OID_VX_RESTART_DONE), row.polls);
        EXPECT_EQ(clock_.Sleeps(), std::vector<uint64_t>(row.pauses, 300));
        EXPECT_EQ(Survey()->ScanTriggerCount2, 20) << "the next probe scans at once";
        EXPECT_EQ(Count(OID_VX_DRIVER_READY), 1u) << "the whole bring-up again";
    }
    driver_->SetAnswer(OID_VX_RESTART_PENDING, U32(0));
    G_bDialogRunning = 1;  // the region check runs: the tick passes
    driver_->ClearCalls();
    Tick();
    EXPECT_TRUE(driver_->Calls().empty());
}

// While an alert is open the link status keeps refreshing and the device
// watch keeps watching; the probe and the task runner hold only behind the
// site survey's own alerts and dialogs.
TEST_F(PaneWindowTest, AlertsFreezeNeitherTheLinkStatusNorTheDeviceWatch) {
    platform::QtAlerts shownAlerts;
    platform::ScopedAlerts shown(shownAlerts);
    Open();
    window_->show();
    for (bool surveyAlert : {true, false}) {
        SCOPED_TRACE(surveyAlert ? "the site survey's alert" : "the profile list's alert");
        Plug("OspreyUSBWirelessDriver");
        Tick();
        FastTimers();
        TakeTasks();
        ProfileRecordPtr record = NewProfileData();
        record->bConnectByBssid = 1;
        Survey()->SetTaskQueue(std::move(record));
        bool inside = false;
        WhenAlertShown([&] {
            inside = true;
            driver_->SetAnswer(OID_GEN_MEDIA_CONNECT_STATUS, U32(kMediaConnected));
            EXPECT_TRUE(QTest::qWaitFor([&] { return Text(Link(), "LinkState") == "Connected"; }))
                << "the link status is refreshed";
            if (surveyAlert) {
                QTest::qWait(200);
                EXPECT_EQ(Count(OID_802_11_BSSID_SET), 0u) << "the task runner holds";
                EXPECT_EQ(TaskQueue::TaskCount(), 1u) << "the probe holds";
            } else {
                EXPECT_TRUE(QTest::qWaitFor([&] { return Count(OID_802_11_BSSID_SET) == 1; }))
                    << "the queued connect runs";
            }
            driver_.reset();
            EXPECT_TRUE(QTest::qWaitFor([] { return G_bDeviceRemove == 1; }))
                << "the unplug is noticed";
            EXPECT_EQ(Text(Link(), "LinkState"), "No connection");
        });
        Click(surveyAlert ? static_cast<QObject*>(Survey()) : O().ProfilePage,
              surveyAlert ? "Connect" : "Delete");
        EXPECT_TRUE(inside);
    }
}

// The device watch runs while an alert is open, but never a second time
// inside its own bring-up (a restart whose card set-up shows the EEPROM
// alert, while the driver still says it restarts).
TEST_F(PaneWindowTest, BringUpIsNotStartedAgainFromInsideItsOwnAlert) {
    platform::QtAlerts shownAlerts;
    platform::ScopedAlerts shown(shownAlerts);
    Open();
    Tick();
    Bytes staConfig(32, 0);
    WriteLe32(&staConfig[28], kSystemErrorEeprom);
    driver_->SetAnswer(OID_VX_STA_CONFIG, staConfig);
    driver_->SetAnswer(OID_VX_RESTART_PENDING, U32(1));
    driver_->ClearCalls();
    O().mainController->timer().setInterval(20);
    // Each alert is seen once; the first stays open for 200 ms, any other
    // (a tick inside the bring-up) stops the watch and is closed at once.
    std::vector<QMessageBox*> seen;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible() || std::count(seen.begin(), seen.end(), box)) return;
        seen.push_back(box);
        if (seen.size() > 1) O().mainController->timer().stop();
        QTimer::singleShot(seen.size() == 1 ? 200 : 0, box->defaultButton(),
                           &QAbstractButton::click);
    });
    poll.start(5);
    Tick();
    poll.stop();
    EXPECT_EQ(seen.size(), 1u);
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
        duringWaits.push_back({window_->statusBar()->currentMessage(),
                               cursor && cursor->shape() == Qt::BusyCursor});
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

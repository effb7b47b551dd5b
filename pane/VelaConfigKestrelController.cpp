#include "pane/VelaConfigKestrelController.h"

#include "adapter/Globals.h"
#include "adapter/KestrelAccess.h"
#include "adapter/Oids.h"
#include "adapter/Requests.h"
#include "adapter/Trace.h"
#include "pane/AboutController.h"
#include "pane/AdvanceController.h"
#include "platform/Clock.h"
#include "platform/qt/NestedLoop.h"
#include "profiles/ui/ProfileController.h"
#include "profiles/ui/ProfileDrawer.h"
#include "survey/ui/CurrentWirelessNetworkController.h"
#include "survey/ui/SiteSurveyController.h"

namespace corvane {
namespace {

constexpr const char* kClass = "VelaConfigKestrelController";

}  // namespace

VelaConfigKestrelController::VelaConfigKestrelController() {
    TraceEntry(kClass, "init");
    G_bUse64Bits = 1;
    timer_.setInterval(kDeviceWatchIntervalMs);
    connect(&timer_, &QTimer::timeout, this, &VelaConfigKestrelController::TimerFired);
}

void VelaConfigKestrelController::connectOutlets(const PaneObjects& objects) { outlets_ = objects; }

void VelaConfigKestrelController::awakeFromNib() {
    TraceEntry(kClass, "awakeFromNib");
    timer_.start();
}

bool VelaConfigKestrelController::IsDeviceDriverExist() {
    TraceEntry(kClass, "IsDeviceDriverExist");
    KestrelAccess& adapter = *outlets_.Adapter;
    bool found = false;
    if (!adapter.SearchDevice())
        TraceLine(
            "!!!! VelaConfigKestrelController - IsDeviceDriverExist - Device is not existenet. "
            "!!!!\n");
    else if (!adapter.OpenConnectToDevice())
        TraceLine(
            "!!!! VelaConfigKestrelController - IsDeviceDriverExist - Can't connect to device. "
            "!!!!\n");
    else
        found = true;
    adapter.CloseConnectToDevice();
    return found;
}

// A tick that comes while a wait of another operation keeps the window
// painting (the bring-up's own driver wait included) is skipped. Behind a
// dialog or an alert the watch goes on, so that an unplug or a driver
// restart is noticed while it is open.
void VelaConfigKestrelController::TimerFired() {
    if (platform::InOperationWait()) return;
    OnTimer();
}

void VelaConfigKestrelController::OnTimer() {
    TraceEntry(kClass, "OnTimer");
    // A tick never starts inside another: the bring-up may show an alert
    // (the card set-up's EEPROM check), behind which the timer fires on.
    if (G_bDialogRunning || !outlets_.Adapter || ticking_) return;
    ticking_ = true;
    struct EndTick {
        bool& ticking;
        ~EndTick() { ticking = false; }
    } endTick{ticking_};
    KestrelAccess& adapter = *outlets_.Adapter;

    uint32_t media = 0;
    const bool reachable = QueryWord(adapter, OID_GEN_MEDIA_CONNECT_STATUS, media);

    uint32_t restart = 0;
    QueryWord(adapter, OID_VX_RESTART_PENDING, restart);
    if ((restart & 0xFF) == 1 && G_bDeviceExist) {
        for (int poll = 0; poll < kRestartDonePollCount; ++poll) {
            uint32_t done = 0;
            QueryWord(adapter, OID_VX_RESTART_DONE, done);
            if (done == 1) break;
            platform::USleep(kRestartDonePollPauseUs);
        }
    }

    if (outlets_.CurrentWirelessNetwork && outlets_.drawer) {
        const bool open = outlets_.drawer->state() == ProfileDrawer::Open;
        outlets_.CurrentWirelessNetwork->ShowProfileDrawerTitle(open);
    }

    if (G_bDeviceExist && reachable && restart == 0) {
        if (!G_bRadio) outlets_.SiteSurveyPage->ClearAPList();
        G_bDeviceRemove = 0;
        return;
    }

    if (restart != 0) outlets_.SiteSurveyPage->ChangeTimerCount2();
    if (!reachable) outlets_.SiteSurveyPage->ClearAPList();

    G_bDeviceExist = IsDeviceDriverExist() ? 1 : 0;
    if (G_bDeviceExist) {
        G_bDeviceRemove = 0;
        BringUp();
        return;
    }
    if (!G_bDeviceRemove) StopPages();
    G_bDeviceRemove = 1;
}

// The order matters: the card is set up before anything reads it, the
// pages' timers start before the lists they show are filled.
void VelaConfigKestrelController::BringUp() {
    outlets_.Adapter->InitCard();
    outlets_.AboutPage->GetAllInformation();
    outlets_.SiteSurveyPage->StartTimer();
    outlets_.CurrentWirelessNetwork->StartTimer();
    outlets_.ProfilePage->RefreshProfileList();
    outlets_.SiteSurveyPage->ClearAPList();
    uint32_t media = 0;
    QueryWord(*outlets_.Adapter, OID_GEN_MEDIA_CONNECT_STATUS, media);
    outlets_.AdvancePage->InitAdvanceSetting();
}

// The link page refreshes once more so that it shows "No connection".
void VelaConfigKestrelController::StopPages() {
    outlets_.SiteSurveyPage->StopTimer();
    outlets_.SiteSurveyPage->ClearAPList();
    outlets_.CurrentWirelessNetwork->StopTimer();
    outlets_.CurrentWirelessNetwork->OnTimer();
}

}  // namespace corvane

// What the pane's window creates and connects, in the role of its interface
// file: one adapter access object and one task queue for the whole pane,
// every page and dialog, the profile drawer and its button. Each controller
// takes the references it works with (its outlets) from here in
// connectOutlets(), called once after all of them exist; awakeFromNib()
// then runs in the order the window gives.
#pragma once

class QMainWindow;
class QPushButton;

namespace corvane {

// The window's busy state while a long wait runs on the main thread (a
// rescan waits 5 or 10 seconds for the driver): a wait cursor and a status
// line such as "Scanning…". The window paints during the wait (the clock's
// sleeps keep it answering), so the state is visible the whole time.
// Whoever runs the wait brackets it with a BusyScope, e.g. the site survey
// page's task step around a TASK_RESCAN:
//
//     BusyScope busy(outlets_.status, kScanningText);
//     adapter.RescanBssidList();
//     adapter.QueryBssidList();
//
// Scopes may nest; the state ends with the outermost one.
class PaneStatus {
public:
    virtual void BeginBusy(const char* text) = 0;
    virtual void EndBusy() = 0;

protected:
    ~PaneStatus() = default;
};

inline constexpr const char* kScanningText = "Scanning\u2026";

// Null status (pages built without the window, in tests): nothing is shown.
class BusyScope {
public:
    BusyScope(PaneStatus* status, const char* text) : status_(status) {
        if (status_) status_->BeginBusy(text);
    }
    ~BusyScope() {
        if (status_) status_->EndBusy();
    }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    PaneStatus* status_;
};

class KestrelAccess;
class TaskQueue;
class SiteSurveyController;
class CurrentWirelessNetworkController;
class HiddenSSIDController;
class WEPSettingController;
class ProfileEditorController;
class ProfileController;
class ProfileDrawer;
class AdvanceController;
class AboutController;
class VelaConfigKestrelController;
class VelaConfigKestrelPreferencePane;

struct PaneObjects {
    QMainWindow* mainWindow = nullptr;
    KestrelAccess* Adapter = nullptr;
    TaskQueue* taskQueue = nullptr;

    SiteSurveyController* SiteSurveyPage = nullptr;
    CurrentWirelessNetworkController* CurrentWirelessNetwork = nullptr;
    ProfileController* ProfilePage = nullptr;
    AdvanceController* AdvancePage = nullptr;
    AboutController* AboutPage = nullptr;

    WEPSettingController* WEPSetting = nullptr;
    ProfileEditorController* ProfileEditor = nullptr;
    HiddenSSIDController* HiddenSSID = nullptr;

    ProfileDrawer* drawer = nullptr;         // the profile drawer beside the window
    QPushButton* ShowMyNetworks = nullptr;   // its button, on the link status page

    VelaConfigKestrelController* mainController = nullptr;

    PaneStatus* status = nullptr;  // the window's busy state (see above)
    VelaConfigKestrelPreferencePane* pane = nullptr;  // the bundle the window runs from
};

}  // namespace corvane

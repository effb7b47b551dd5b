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
};

}  // namespace corvane

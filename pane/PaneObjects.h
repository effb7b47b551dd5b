// What the pane's window creates, in the role of its interface file: one
// adapter access object for the whole pane, every page and dialog, and the
// profile drawer. The window holds them and wires each page to the outlets
// it uses (each page's own Outlets: narrow interfaces such as a TaskSink or
// a KeyDialog) and to the notifications of the others; only the device
// watch (VelaConfigKestrelController), which brings every page up and stops
// it, is given the whole set.
#pragma once

namespace corvane {

class KestrelAccess;
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
    KestrelAccess* Adapter = nullptr;

    SiteSurveyController* SiteSurveyPage = nullptr;
    CurrentWirelessNetworkController* CurrentWirelessNetwork = nullptr;
    ProfileController* ProfilePage = nullptr;
    AdvanceController* AdvancePage = nullptr;
    AboutController* AboutPage = nullptr;

    WEPSettingController* WEPSetting = nullptr;
    ProfileEditorController* ProfileEditor = nullptr;
    HiddenSSIDController* HiddenSSID = nullptr;

    ProfileDrawer* drawer = nullptr;  // the profile drawer beside the window

    VelaConfigKestrelController* mainController = nullptr;
};

}  // namespace corvane

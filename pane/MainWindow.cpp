#include "pane/MainWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QStatusBar>
#include <QTimer>

#include "editor/ui/ProfileEditorController.h"
#include "editor/ui/WEPSettingController.h"
#include "pane/AboutController.h"
#include "pane/AdvanceController.h"
#include "pane/PreferencePane.h"
#include "pane/VelaConfigKestrelController.h"
#include "platform/Alert.h"
#include "platform/qt/NestedLoop.h"
#include "profiles/PreferenceFiles.h"
#include "profiles/ui/ProfileController.h"
#include "profiles/ui/ProfileDrawer.h"
#include "survey/ui/CurrentWirelessNetworkController.h"
#include "survey/ui/HiddenSSIDController.h"
#include "survey/ui/SiteSurveyController.h"
#include "ui_MainWindow.h"

// The window's pictures are compiled into the static library; the linker
// keeps their registration only when something names it.
static void InitPaneResources() { Q_INIT_RESOURCE(Pane); }

namespace corvane {
namespace {

// How often a held-back close looks whether the wait has ended.
constexpr int kCloseRetryMs = 100;

}  // namespace

MainWindow::MainWindow(VelaConfigKestrelPreferencePane* pane)
    : ui_(std::make_unique<Ui::MainWindow>()), pane_(pane) {
    InitPaneResources();
    ui_->setupUi(this);
    // A preference file that cannot be read has been kept aside; the user
    // hears of it in an alert, shown from the event loop rather than in the
    // middle of whatever was reading the file.
    SetUnreadablePreferenceNotifier([](const UnreadablePreference& notice) {
        const std::string text = DescribeUnreadablePreference(notice);
        QTimer::singleShot(0, [text] { platform::RunAlertPanel(text, "", "OK"); });
    });

    auto* survey = new SiteSurveyController(ui_->SiteSurveyTab);
    ui_->SiteSurveyLayout->addWidget(survey);
    auto* link = new CurrentWirelessNetworkController(ui_->LinkStatusTab);
    ui_->LinkStatusLayout->addWidget(link);
    auto* advance = new AdvanceController(ui_->AdvancedTab);
    ui_->AdvancedLayout->addWidget(advance);
    auto* about = new AboutController(ui_->AboutTab);
    ui_->AboutLayout->addWidget(about);
    auto* profiles = new ProfileController();
    auto* drawer = new ProfileDrawer(this, profiles);

    // Dialogs belong to the window and block only it while they run.
    auto* keys = new WEPSettingController(this);
    auto* editor = new ProfileEditorController(this);
    auto* hidden = new HiddenSSIDController(this);
    for (QDialog* dialog : {static_cast<QDialog*>(keys), static_cast<QDialog*>(editor),
                            static_cast<QDialog*>(hidden)})
        dialog->setWindowModality(Qt::WindowModal);

    mainController_ = std::make_unique<VelaConfigKestrelController>();

    objects_.Adapter = &adapter_;
    objects_.SiteSurveyPage = survey;
    objects_.CurrentWirelessNetwork = link;
    objects_.ProfilePage = profiles;
    objects_.AdvancePage = advance;
    objects_.AboutPage = about;
    objects_.WEPSetting = keys;
    objects_.ProfileEditor = editor;
    objects_.HiddenSSID = hidden;
    objects_.drawer = drawer;
    objects_.mainController = mainController_.get();
    ConnectPages();

    // Pages first; the heartbeat last, so that its first tick finds every
    // page ready.
    survey->awakeFromNib();
    link->awakeFromNib();
    profiles->awakeFromNib();
    advance->awakeFromNib();
    mainController_->awakeFromNib();

    closeRetry_.setSingleShot(true);
    closeRetry_.setInterval(kCloseRetryMs);
    connect(&closeRetry_, &QTimer::timeout, this, &MainWindow::RetryClose);
}

MainWindow::~MainWindow() {
    SetUnreadablePreferenceNotifier({});
    closeRetry_.stop();
    mainController_->timer().stop();
    if (busyDepth_ > 0) QApplication::restoreOverrideCursor();
    // The pages and dialogs use the adapter and the task queue; they go
    // before these members do.
    delete objects_.HiddenSSID;
    delete objects_.ProfileEditor;
    delete objects_.WEPSetting;
    delete objects_.drawer;  // with the profile list in it
    delete objects_.AboutPage;
    delete objects_.AdvancePage;
    delete objects_.CurrentWirelessNetwork;
    delete objects_.SiteSurveyPage;
}

void MainWindow::ConnectPages() {
    const PaneObjects& o = objects_;
    SiteSurveyController* survey = o.SiteSurveyPage;
    CurrentWirelessNetworkController* link = o.CurrentWirelessNetwork;
    ProfileDrawer* drawer = o.drawer;

    survey->connectOutlets({&adapter_, o.WEPSetting, o.ProfileEditor, o.ProfilePage, o.HiddenSSID});
    link->connectOutlets({&adapter_});
    o.ProfilePage->connectOutlets({o.ProfileEditor, survey});
    o.AdvancePage->connectOutlets({&adapter_, survey, o.ProfilePage, pane_});
    o.AboutPage->connectOutlets({&adapter_});
    // The SSID list offers the networks the site survey table shows, not
    // those of a newer scan it has not shown yet.
    o.ProfileEditor->connectOutlets({[survey] { return survey->ShownList(); }});
    mainController_->connectOutlets(objects_);

    connect(survey, &SiteSurveyController::scanStarted, this, [this] { BeginBusy(kScanningText); });
    connect(survey, &SiteSurveyController::scanFinished, this, &MainWindow::EndBusy);
    connect(survey, &SiteSurveyController::profilesChanged, o.ProfilePage,
            &ProfileController::RefreshProfileList);
    connect(survey, &SiteSurveyController::openProfileDrawer, drawer, &ProfileDrawer::open);
    connect(link, &CurrentWirelessNetworkController::profileDrawerToggled, drawer, [drawer, link] {
        drawer->toggle();
        link->ShowProfileDrawerTitle(drawer->state() == ProfileDrawer::Open);
    });
    connect(o.AdvancePage, &AdvanceController::radioSwitched, survey,
            &SiteSurveyController::RefreshAPList);
}

void MainWindow::Raise() {
    if (isMinimized())
        showNormal();
    else
        show();
    raise();
    activateWindow();
}

void MainWindow::BeginBusy(const char* text) {
    if (busyDepth_++ == 0) QApplication::setOverrideCursor(Qt::BusyCursor);
    statusBar()->showMessage(QCoreApplication::translate("MainWindow", text));
}

void MainWindow::EndBusy() {
    if (busyDepth_ == 0) return;
    if (--busyDepth_ > 0) return;
    QApplication::restoreOverrideCursor();
    statusBar()->showMessage(
        closePending_ ? QCoreApplication::translate("MainWindow", kClosingLaterText) : QString());
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (pane_) pane_->didSelect();
}

// Minimising hides the window too; only leaving it closes the drawer.
void MainWindow::hideEvent(QHideEvent* event) {
    QMainWindow::hideEvent(event);
    if (pane_ && !event->spontaneous()) pane_->didUnselect(objects_.drawer);
}

// Closing the window ends the program, and with it every running loop: an
// operation waiting inside a handler (the card set-up's driver wait, a scan,
// a dialog) would be cut off half done. The close is carried out when the
// wait has ended.
void MainWindow::closeEvent(QCloseEvent* event) {
    if (platform::InNestedLoop()) {
        event->ignore();
        closePending_ = true;
        statusBar()->showMessage(QCoreApplication::translate("MainWindow", kClosingLaterText));
        closeRetry_.start();
        return;
    }
    closePending_ = false;
    QMainWindow::closeEvent(event);
}

void MainWindow::RetryClose() {
    if (platform::InNestedLoop()) {
        closeRetry_.start();
        return;
    }
    close();
}

}  // namespace corvane

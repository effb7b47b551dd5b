#include "pane/AdvanceController.h"

#include <QCoreApplication>
#include <QPixmap>

#include "adapter/Globals.h"
#include "adapter/KestrelAccess.h"
#include "pane/PreferencePane.h"
#include "platform/Alert.h"
#include "platform/BundleInfo.h"
#include "platform/Translate.h"
#include "platform/qt/FieldText.h"
#include "platform/qt/NestedLoop.h"
#include "profiles/ActiveProfileControl.h"
#include "profiles/TaskSink.h"
#include "ui_AdvanceController.h"

namespace corvane {
namespace {

constexpr const char* kNimbusLogo = "AboutNimbus.jpg";
constexpr const char* kTesselLogo = "Tessel_logo.bmp";
// How soon a rescan that fell into another operation's wait is tried again.
constexpr int kRescanRetryMs = 100;

}  // namespace

AdvanceController::AdvanceController(QWidget* parent)
    : QWidget(parent), ui_(std::make_unique<Ui::AdvanceController>()) {
    ui_->setupUi(this);
    for (const char* text : kBgProtectionTexts)
        ui_->BGprotection->addItem(QCoreApplication::translate("AdvancedSettings", text));
    // `activated` comes from the user only; the page's own selections do not
    // run the handlers again.
    connect(ui_->WirelessMode, &QComboBox::activated, this,
            &AdvanceController::OnSelChangeWirelessMode);
    connect(ui_->TXrate, &QComboBox::activated, this, &AdvanceController::OnTxRate);
    connect(ui_->BGprotection, &QComboBox::activated, this, &AdvanceController::OnSelBGProtection);
    connect(ui_->EnableTXburst, &QCheckBox::clicked, this, &AdvanceController::OnTxBurst);
    connect(ui_->AdhocModeUseOFDMrate, &QCheckBox::clicked, this,
            &AdvanceController::OnAdHocUseOFDM);
    connect(ui_->Apply, &QPushButton::clicked, this, &AdvanceController::OnApply);
    connect(ui_->Cancel, &QPushButton::clicked, this, &AdvanceController::OnCancel);
    connect(ui_->RadioOnOff, &QPushButton::clicked, this, &AdvanceController::OnRadioSwitch);

    rescanTimer_.setSingleShot(true);
    rescanTimer_.setInterval(kRescanAfterApplyMs);
    connect(&rescanTimer_, &QTimer::timeout, this, &AdvanceController::RescanTimerFired);
}

AdvanceController::~AdvanceController() { rescanTimer_.stop(); }

void AdvanceController::connectOutlets(const Outlets& outlets) { outlets_ = outlets; }

void AdvanceController::awakeFromNib() {
    const std::string bundle = outlets_.pane ? outlets_.pane->bundlePath() : RunningBundlePath();
    const std::string executable =
        platform::InfoPlistString(platform::BundleInfoPath(bundle), platform::kBundleExecutableKey)
            .value_or("");
    const bool tessel = executable.starts_with(kTesselExecutablePrefix);
    logoFile_ = QString::fromUtf8(tessel ? kTesselLogo : kNimbusLogo);
    QPixmap logo(QString::fromStdString(bundle + "/Contents/Resources/") + logoFile_);
    ui_->LogoImage->setPixmap(logo);
    ui_->LogoImage->setAccessibleName(
        tessel ? QCoreApplication::translate("AdvanceController", "Tessel logo")
               : QCoreApplication::translate("AdvanceController", "Corvane logo"));
}

ReconnectHooks AdvanceController::Hooks() {
    return {[this] {
                return outlets_.ProfilePage &&
                       outlets_.ProfilePage->CheckProfileSettingForConnect();
            },
            [this](ProfileRecordPtr record) {
                if (outlets_.SiteSurveyPage)
                    outlets_.SiteSurveyPage->SetTaskQueue(std::move(record));
            }};
}

void AdvanceController::InitAdvanceSetting() {
    if (!outlets_.Adapter) return;
    model_.InitAdvanceSetting(outlets_.Adapter->Is80211aSupport(), Current_Device);
    ShowModel();
    ShowRadio();
}

void AdvanceController::OnSelChangeWirelessMode() {
    model_.OnSelChangeWirelessMode(ui_->WirelessMode->currentIndex(), Current_Device);
    ShowModel();
}

void AdvanceController::OnTxRate() {
    model_.OnTxRate(ui_->TXrate->currentIndex());
    ShowModel();
}

void AdvanceController::OnSelBGProtection() {
    model_.OnSelBGProtection(ui_->BGprotection->currentIndex());
    ShowModel();
}

void AdvanceController::OnTxBurst() {
    model_.OnTxBurst(ui_->EnableTXburst->isChecked());
    ShowModel();
}

void AdvanceController::OnAdHocUseOFDM() {
    model_.OnAdHocUseOFDM();
    ShowModel();
}

void AdvanceController::OnApply() {
    if (!outlets_.Adapter) return;
    const ApplyOutcome outcome = ApplyAdvancedSettings(*outlets_.Adapter, model_, Hooks());
    if (outcome.written) {
        model_.DisabledButton();
    } else {
        // Apply and Cancel stay enabled: the settings shown are not stored.
        platform::RunAlertPanel(
            Tr("AdvanceController", "The advanced settings could not be saved."),
            Tr("AdvanceController",
               "Check that your Library/Preferences folder can be written, "
               "then press Apply again."),
            "OK");
    }
    ShowModel();
    if (outcome.rescanLater) {
        previousNetworkSetBack_ = outcome.previousNetworkSetBack;
        rescanTimer_.start(kRescanAfterApplyMs);
        return;
    }
    if (!outcome.radioOffAgain) return;
    // The radio is off: the switch, run as if it were on, sends the off
    // state again.
    G_bRadio = 1;
    OnRadioSwitch();
}

void AdvanceController::OnCancel() {
    model_.OnCancel(Current_Device);
    ShowModel();
}

void AdvanceController::OnRadioSwitch() {
    if (!outlets_.Adapter) return;
    SwitchRadio(*outlets_.Adapter, !G_bRadio, Hooks());
    ShowRadio();
    if (outlets_.SiteSurveyPage) outlets_.SiteSurveyPage->OnStartScan();
    emit radioSwitched();
    G_bRescan = 1;
}

void AdvanceController::RescanTimerFired() {
    // The rescan must not land in another operation's wait; it follows it.
    // Behind a dialog it is queued as usual.
    if (platform::InOperationWait()) {
        rescanTimer_.start(kRescanRetryMs);
        return;
    }
    OnTimer();
}

void AdvanceController::OnTimer() {
    if (!G_bDeviceRemove) {
        ClearHeldScanList();
        if (outlets_.SiteSurveyPage) outlets_.SiteSurveyPage->OnStartScan();
    }
    ReconnectAfterModeChange(Hooks(), previousNetworkSetBack_);
}

void AdvanceController::EnableButton() {
    model_.EnableButton();
    ShowModel();
}

void AdvanceController::DisabledButton() {
    model_.DisabledButton();
    ShowModel();
}

QPushButton* AdvanceController::ApplyButton() const { return ui_->Apply; }
QPushButton* AdvanceController::CancelButton() const { return ui_->Cancel; }

void AdvanceController::ShowModel() {
    ShowEntries(ui_->WirelessMode, model_.wirelessModes, "StoredIndexes",
                model_.wirelessModeSelected);
    ui_->WirelessMode->setEnabled(model_.wirelessModeEnabled);
    ShowEntries(ui_->TXrate, model_.txRates, "StoredIndexes", model_.txRateSelected);
    if (model_.bgProtectionSelected >= 0)
        ui_->BGprotection->setCurrentIndex(model_.bgProtectionSelected);
    if (model_.rateControls != RateControls::LeftAlone) {
        const bool shown = model_.rateControls == RateControls::Shown;
        for (QWidget* w :
             {static_cast<QWidget*>(ui_->TXrate), static_cast<QWidget*>(ui_->TXrateText),
              static_cast<QWidget*>(ui_->BGprotection),
              static_cast<QWidget*>(ui_->BGprotectionText)})
            w->setVisible(shown);
    }
    ui_->EnableTXburst->setChecked(model_.txBurstChecked);
    ui_->AdhocModeUseOFDMrate->setChecked(model_.adhocUseOfdmChecked);
    ui_->Apply->setEnabled(model_.buttonsEnabled);
    ui_->Cancel->setEnabled(model_.buttonsEnabled);
}

// The switch's title names what pressing it does next; the picture shows
// while the radio is on.
void AdvanceController::ShowRadio() {
    ui_->RadioOnOff->setText(
        QCoreApplication::translate("AdvancedSettings", G_bRadio ? kRadioOffTitle : kRadioOnTitle));
    ui_->RadioSwitchPic->setVisible(G_bRadio != 0);
}

}  // namespace corvane

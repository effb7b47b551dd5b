// The advanced settings page: wireless mode, transmit rate, BG protection,
// transmit burst, Apply and Cancel, and the radio switch. Its form is
// AdvanceController.ui; its values and rules are an AdvancedSettingsModel
// (AdvancedSettings.h), which this class mirrors onto the controls.
#pragma once

#include <QPushButton>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <memory>

#include "pane/AdvancedSettings.h"

namespace Ui {
class AdvanceController;
}

namespace corvane {

class ActiveProfileControl;
class KestrelAccess;
class TaskSink;
class VelaConfigKestrelPreferencePane;

// The build whose executable carries this name shows the Tessel logo.
inline constexpr const char* kTesselExecutablePrefix = "QRB-400WirelessUtility";

class AdvanceController : public QWidget {
    Q_OBJECT

public:
    struct Outlets {
        KestrelAccess* Adapter = nullptr;
        TaskSink* SiteSurveyPage = nullptr;                     // rescans and the reset record
        ActiveProfileControl* ProfilePage = nullptr;            // the active-profile check
        const VelaConfigKestrelPreferencePane* pane = nullptr;  // the bundle, for the logo
    };

    explicit AdvanceController(QWidget* parent = nullptr);
    ~AdvanceController() override;

    void connectOutlets(const Outlets& outlets);
    void awakeFromNib();  // the logo, by the bundle's executable name

    void InitAdvanceSetting();
    void OnSelChangeWirelessMode();
    void OnTxRate();
    void OnSelBGProtection();
    void OnTxBurst();
    void OnAdHocUseOFDM();
    void OnApply();
    void OnCancel();
    void OnRadioSwitch();
    void OnTimer();  // two seconds after an Apply that changed the mode
    void EnableButton();
    void DisabledButton();

    QPushButton* ApplyButton() const;
    QPushButton* CancelButton() const;
    QTimer& RescanTimer() { return rescanTimer_; }

    AdvancedSettingsModel& model() { return model_; }

signals:
    // The radio was switched and a rescan queued: the site survey's rows
    // are to be rebuilt from the list held now.
    void radioSwitched();

private:
    ReconnectHooks Hooks();
    void ShowModel();
    void ShowRadio();
    void RescanTimerFired();

    AdvancedSettingsModel model_;
    std::unique_ptr<Ui::AdvanceController> ui_;
    Outlets outlets_;
    QTimer rescanTimer_;
    bool previousNetworkSetBack_ = false;  // by the Apply the rescan timer follows
    QString logoFile_;  // the logo file shown ("AboutNimbus.jpg" or "Tessel_logo.bmp")
};

}  // namespace corvane

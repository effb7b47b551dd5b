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
#include "pane/PaneObjects.h"

namespace Ui {
class AdvanceController;
}

namespace corvane {

// The build whose executable carries this name shows the Tessel logo.
inline constexpr const char* kTesselExecutablePrefix = "QRB-400WirelessUtility";

class AdvanceController : public QWidget {
public:
    explicit AdvanceController(QWidget* parent = nullptr);
    ~AdvanceController() override;

    void connectOutlets(const PaneObjects& objects);
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
    // The logo file shown ("AboutNimbus.jpg" or "Tessel_logo.bmp").
    const QString& LogoFile() const { return logoFile_; }

    AdvancedSettingsModel& model() { return model_; }

private:
    ReconnectHooks Hooks();
    void ShowModel();
    void ShowRadio();
    void RescanTimerFired();

    AdvancedSettingsModel model_;
    std::unique_ptr<Ui::AdvanceController> ui_;
    PaneObjects outlets_;
    QTimer rescanTimer_;
    bool previousNetworkSetBack_ = false;  // by the Apply the rescan timer follows
    QString logoFile_;
};

}  // namespace corvane

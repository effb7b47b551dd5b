// The advanced settings page: wireless mode, transmit rate, BG protection,
// transmit burst, Apply and Cancel, and the radio switch. Its form is
// AdvanceController.ui; the code tables are the stored-index table's.
#pragma once

#include <QPushButton>
#include <QWidget>
#include <cstdint>
#include <memory>

#include "pane/PaneObjects.h"
#include "profiles/PreferenceFiles.h"

namespace Ui {
class AdvanceController;
}

namespace corvane {

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

    int32_t nTxRate = 0;
    int32_t nWirelessMode = 5;
    int32_t nBGProtection = 0;
    int8_t bTXBurst = 1;
    int32_t AdhocMode = 1;
    int8_t bToBeRescan = 0;
    PrefArray records;

private:
    std::unique_ptr<Ui::AdvanceController> ui_;
    PaneObjects outlets_;
};

}  // namespace corvane

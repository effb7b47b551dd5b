// The security key dialog: the keys of a WEP or WPA-PSK network the site
// survey connects to, checked by the key rules and returned on OK from the
// call that runs the dialog. Its form is WEPSettingController.ui; the lists
// and enabling come from a KeyEntryGroup, which this class mirrors onto the
// controls.
#pragma once

#include <QDialog>
#include <memory>

#include "editor/KeyDialog.h"
#include "editor/KeyEntryGroup.h"
#include "editor/KeyRules.h"
#include "editor/ui/KeyEntryWidgets.h"

namespace Ui {
class WEPSettingController;
}

namespace corvane {

class WEPSettingController : public QDialog, public KeyDialog {
public:
    explicit WEPSettingController(QWidget* parent = nullptr);
    ~WEPSettingController() override;

    // The opener's calls, as the key-entry group has them.
    void setAuthenTypeComboText(int32_t listKind);
    void setAuthenTypeCombo(int32_t index);
    void setEncryTypeCombo(int32_t index);
    void OnSelchangeAuthType();
    void OnSelchangeEncryptionType();
    void clearText();
    void SetFocus(int32_t which);  // 0 first WEP key, 1 pre-shared key, else nothing

    // Presets (as the site survey does), shows the dialog window-modal over
    // the main window and returns the values OK confirmed, or nothing when
    // cancelled.
    std::optional<WEPSettingValues> RunFor(const KeyDialogPreset& preset) override;

    void OnOK();      // checks and converts the keys; closes only when they pass
    void OnCANCEL();  // nothing is handed back

    const KeyEntryGroup& group() const { return group_; }
    const WEPSettingValues& values() const { return values_; }

private:
    void ShowGroup();

    KeyEntryGroup group_{SecurityListOwner::KeyDialog};
    WEPSettingValues values_;  // kept between openings, as the dialog's key bytes are
    std::unique_ptr<Ui::WEPSettingController> ui_;
    KeyEntryWidgets widgets_;
};

}  // namespace corvane

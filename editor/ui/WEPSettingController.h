// The security key dialog: the keys of a WEP or WPA-PSK network the site
// survey connects to, checked by the key rules and handed back on OK. Its
// form is WEPSettingController.ui; the lists and enabling come from a
// KeyEntryGroup, which this class mirrors onto the controls.
#pragma once

#include <QDialog>
#include <memory>

#include "editor/KeyEntryGroup.h"
#include "editor/KeyRules.h"
#include "editor/ui/KeyEntryWidgets.h"
#include "pane/PaneObjects.h"

namespace Ui {
class WEPSettingController;
}

namespace corvane {

class WEPSettingController : public QDialog {
public:
    explicit WEPSettingController(QWidget* parent = nullptr);
    ~WEPSettingController() override;

    void connectOutlets(const PaneObjects& objects);

    // The opener's calls, as the key-entry group has them.
    void setAuthenTypeComboText(int32_t listKind);
    void setAuthenTypeCombo(int32_t index);
    void setEncryTypeCombo(int32_t index);
    void OnSelchangeAuthType();
    void OnSelchangeEncryptionType();
    void clearText();
    void SetFocus(int32_t which);  // 0 first WEP key, 1 pre-shared key, else nothing

    // Presets (as the site survey does), shows the dialog window-modal over
    // the main window and returns 1 (values handed back) or 0 (cancelled).
    int RunFor(const KeyDialogPreset& preset);

    void OnOK();
    void OnCANCEL();

    const KeyEntryGroup& group() const { return group_; }
    const WEPSettingValues& values() const { return values_; }

private:
    void ShowGroup();

    KeyEntryGroup group_{SecurityListOwner::KeyDialog};
    WEPSettingValues values_;  // kept between openings, as the dialog's key bytes are
    std::unique_ptr<Ui::WEPSettingController> ui_;
    PaneObjects outlets_;
    KeyEntryWidgets widgets_;
};

}  // namespace corvane

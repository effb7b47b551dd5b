#include "editor/ui/WEPSettingController.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "platform/qt/NestedLoop.h"
#include "ui_WEPSettingController.h"

namespace corvane {

WEPSettingController::WEPSettingController(QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::WEPSettingController>()) {
    ui_->setupUi(this);
    widgets_ = {ui_->AuthenType,
                ui_->EncryType,
                {ui_->WEPKey1Combo, ui_->WEPKey2Combo, ui_->WEPKey3Combo, ui_->WEPKey4Combo},
                {ui_->WEPKey1Text, ui_->WEPKey2Text, ui_->WEPKey3Text, ui_->WEPKey4Text},
                {ui_->WEPKey1Radio, ui_->WEPKey2Radio, ui_->WEPKey3Radio, ui_->WEPKey4Radio},
                ui_->WPAPreSharedKey};
    FillKeyTypeLists(widgets_);
    ConnectKeyEntryGroup(this, group_, widgets_, [this] { ShowGroup(); });
    connect(ui_->OKButton, &QPushButton::clicked, this, &WEPSettingController::OnOK);
    connect(ui_->CancelButton, &QPushButton::clicked, this, &WEPSettingController::OnCANCEL);
    ShowGroup();
    resize(width(), sizeHint().height());
}

WEPSettingController::~WEPSettingController() = default;

void WEPSettingController::ShowGroup() { ShowKeyEntryGroup(group_, widgets_); }

void WEPSettingController::setAuthenTypeComboText(int32_t listKind) {
    group_.setAuthenTypeComboText(listKind);
    ShowGroup();
}

void WEPSettingController::setAuthenTypeCombo(int32_t index) {
    group_.setAuthenTypeCombo(index);
    ShowGroup();
}

void WEPSettingController::setEncryTypeCombo(int32_t index) {
    group_.setEncryTypeCombo(index);
    ShowGroup();
}

void WEPSettingController::OnSelchangeAuthType() {
    group_.OnSelchangeAuthType();
    ShowGroup();
}

void WEPSettingController::OnSelchangeEncryptionType() {
    group_.OnSelchangeEncryptionType();
    ShowGroup();
}

void WEPSettingController::clearText() {
    group_.clearText();
    ShowGroup();
}

void WEPSettingController::SetFocus(int32_t which) {
    QWidget* target = widgets_.FocusTarget(which);
    if (!target) return;
    // A field that is off (no key in use) leaves the choice to the lists.
    (target->isEnabled() ? target : widgets_.authenType)->setFocus();
}

std::optional<WEPSettingValues> WEPSettingController::RunFor(const KeyDialogPreset& preset) {
    PresetKeyDialog(group_, preset);
    ShowGroup();
    SetFocus(preset.focus);
    // A sheet over the window that owns it.
    setWindowModality(parentWidget() ? Qt::WindowModal : Qt::ApplicationModal);
    if (platform::RunModal(*this) == 0) return std::nullopt;
    return values_;
}

void WEPSettingController::OnOK() {
    ReadKeyEntryTexts(group_, widgets_);
    const bool confirmed = ConfirmKeyDialog(group_, values_);
    ShowGroup();
    if (confirmed) accept();
}

void WEPSettingController::OnCANCEL() { reject(); }

}  // namespace corvane

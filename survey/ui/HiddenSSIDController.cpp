#include "survey/ui/HiddenSSIDController.h"

#include <QLineEdit>
#include <QPushButton>

#include "editor/KeyRules.h"
#include "platform/Alert.h"
#include "platform/qt/NestedLoop.h"
#include "ui_HiddenSSIDController.h"

namespace corvane {

HiddenSSIDController::HiddenSSIDController(QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::HiddenSSIDController>()) {
    ui_->setupUi(this);
    connect(ui_->HiddenSSIDText, &QLineEdit::textEdited, this,
            &HiddenSSIDController::controlTextDidChange);
    connect(ui_->OKButton, &QPushButton::clicked, this, &HiddenSSIDController::OnOK);
    connect(ui_->CancelButton, &QPushButton::clicked, this, &HiddenSSIDController::OnCANCEL);
    resize(width(), sizeHint().height());
}

HiddenSSIDController::~HiddenSSIDController() = default;

std::optional<std::string> HiddenSSIDController::Run() {
    ClearSSIDStr();
    name_.clear();
    // A sheet over the window that owns it.
    setWindowModality(parentWidget() ? Qt::WindowModal : Qt::ApplicationModal);
    ui_->HiddenSSIDText->setFocus();
    if (platform::RunModal(*this) == 0) return std::nullopt;
    return name_;
}

void HiddenSSIDController::controlTextDidChange() {
    const QByteArray typed = ui_->HiddenSSIDText->text().toUtf8();
    const TextFilterResult kept =
        LimitSsidText(std::string_view(typed.constData(), size_t(typed.size())));
    if (kept.text.size() != size_t(typed.size()))
        ui_->HiddenSSIDText->setText(
            QString::fromUtf8(kept.text.data(), qsizetype(kept.text.size())));
    if (kept.beep) platform::SystemBeep();
}

void HiddenSSIDController::OnOK() {
    const QByteArray name = ui_->HiddenSSIDText->text().toUtf8();
    name_.assign(name.constData(), size_t(name.size()));
    accept();
}

void HiddenSSIDController::OnCANCEL() { reject(); }

void HiddenSSIDController::ClearSSIDStr() { ui_->HiddenSSIDText->clear(); }

}  // namespace corvane

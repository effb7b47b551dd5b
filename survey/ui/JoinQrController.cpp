#include "survey/ui/JoinQrController.h"

#include <QPlainTextEdit>
#include <QPushButton>

#include "platform/qt/FieldText.h"
#include "platform/qt/NestedLoop.h"
#include "ui_JoinQrController.h"

namespace corvane {

JoinQrController::JoinQrController(QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::JoinQrController>()) {
    ui_->setupUi(this);
    connect(ui_->OKButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(ui_->CancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

JoinQrController::~JoinQrController() = default;

std::optional<std::string> JoinQrController::Run() {
    ui_->QrText->clear();
    setWindowModality(parentWidget() ? Qt::WindowModal : Qt::ApplicationModal);
    ui_->QrText->setFocus();
    const int result = platform::RunModal(*this);
    std::string text = ToBytes(ui_->QrText->toPlainText());
    ui_->QrText->clear();  // it may hold a key
    if (result == QDialog::Rejected) return std::nullopt;
    return text;
}

}  // namespace corvane

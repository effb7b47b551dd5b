#include "pane/AboutController.h"

#include "adapter/Globals.h"
#include "pane/AboutInformation.h"
#include "ui_AboutController.h"

namespace corvane {
namespace {

QString Text(const std::string& bytes) {
    return QString::fromUtf8(bytes.data(), qsizetype(bytes.size()));
}

}  // namespace

AboutController::AboutController(QWidget* parent)
    : QWidget(parent), ui_(std::make_unique<Ui::AboutController>()) {
    ui_->setupUi(this);
}

AboutController::~AboutController() = default;

void AboutController::connectOutlets(const Outlets& outlets) { outlets_ = outlets; }

void AboutController::GetAllInformation() {
    if (!outlets_.Adapter) return;
    const AboutFacts facts = ReadAboutFacts(*outlets_.Adapter, Current_Device);
    ui_->EEPROMVersion->setText(Text(facts.EEPROMVersion));
    ui_->MacAddress->setText(Text(facts.MacAddress));
    ui_->DriverVersion->setText(Text(facts.DriverVersion));
    ui_->VelaConfigVersion->setText(Text(facts.VelaConfigVersion));
}

}  // namespace corvane

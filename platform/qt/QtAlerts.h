// Alert panels and the beep for the two windowed deliverables: a modal
// QMessageBox with one "OK" button, and QApplication::beep.
#pragma once

#include "platform/Alert.h"

namespace platform {

class QtAlerts : public AlertPresenter {
public:
    void RunAlert(const std::string& title, const std::string& message,
                  const std::string& button) override;
    void Beep() override;
};

}  // namespace platform

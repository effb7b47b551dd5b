// An alert presenter for tests that records every alert and beep instead of
// showing them. Install it with platform::ScopedAlerts.
#pragma once

#include <string>
#include <vector>

#include "platform/Alert.h"

namespace corvane::test {

class RecordingAlerts : public platform::AlertPresenter {
public:
    struct Alert {
        std::string title, message, button;
        bool operator==(const Alert&) const = default;
    };
    void RunAlert(const std::string& title, const std::string& message,
                  const std::string& button) override {
        alerts.push_back({title, message, button});
    }
    void Beep() override { ++beeps; }

    std::vector<Alert> alerts;
    int beeps = 0;
};

}  // namespace corvane::test

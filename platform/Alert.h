// Alert panels and the system beep. Everything user-facing that the core
// code raises goes through the presenter currently in force: a Qt one in the
// two deliverables, a standard-error one in the command-line tool, and a
// recording one in tests.
#pragma once

#include <string>

namespace platform {

class AlertPresenter {
public:
    virtual ~AlertPresenter() = default;
    // A modal alert with a single button ("OK"); returns once dismissed.
    virtual void RunAlert(const std::string& title, const std::string& message,
                          const std::string& button) = 0;
    virtual void Beep() = 0;
};

AlertPresenter& CurrentAlerts();
void SetCurrentAlerts(AlertPresenter* presenter);  // nullptr restores the default

// A modal alert with one default button.
void RunAlertPanel(const std::string& title, const std::string& message,
                   const std::string& button = "OK");
void SystemBeep();

// Title and message on standard error; the beep is a BEL on a terminal.
class StderrAlerts : public AlertPresenter {
public:
    void RunAlert(const std::string& title, const std::string& message,
                  const std::string& button) override;
    void Beep() override;
};

class ScopedAlerts {
public:
    explicit ScopedAlerts(AlertPresenter& p) { SetCurrentAlerts(&p); }
    ~ScopedAlerts() { SetCurrentAlerts(nullptr); }
    ScopedAlerts(const ScopedAlerts&) = delete;
    ScopedAlerts& operator=(const ScopedAlerts&) = delete;
};

}  // namespace platform

#include "platform/Alert.h"

#include <unistd.h>

#include <cstdio>

namespace platform {
namespace {
AlertPresenter* g_current = nullptr;
}

AlertPresenter& CurrentAlerts() {
    static StderrAlerts fallback;
    return g_current ? *g_current : fallback;
}

void SetCurrentAlerts(AlertPresenter* presenter) { g_current = presenter; }

void RunAlertPanel(const std::string& title, const std::string& message,
                   const std::string& button) {
    CurrentAlerts().RunAlert(title, message, button);
}

void SystemBeep() { CurrentAlerts().Beep(); }

void StderrAlerts::RunAlert(const std::string& title, const std::string& message,
                            const std::string&) {
    if (message.empty())
        std::fprintf(stderr, "%s\n", title.c_str());
    else
        std::fprintf(stderr, "%s: %s\n", title.c_str(), message.c_str());
}

void StderrAlerts::Beep() {
    if (isatty(STDERR_FILENO)) std::fputc('\a', stderr);
}

}  // namespace platform

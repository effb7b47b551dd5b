// MiniTask-CorvaneUtility: waits for a user at the console, then runs the
// status-bar agent until it finds no adapter for the third time.
#include <QApplication>
#include <QTimer>
#include <cstdlib>
#include <cstring>
#include <string>

#include "adapter/KestrelAccess.h"
#include "agent/MiniTask.h"
#include "agent/TrayStatusItem.h"
#include "platform/Clock.h"
#include "platform/qt/QtAlerts.h"

namespace {

// A debugging aid for screenshots: pops the menu up this many milliseconds
// after start ("--show-menu-after MS"). Not used in normal runs.
int ShowMenuAfterMs(int argc, char** argv) {
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "--show-menu-after") == 0) {
            char* end = nullptr;
            long ms = std::strtol(argv[i + 1], &end, 10);
            if (end != argv[i + 1] && *end == '\0' && ms >= 0 && ms <= 600000) return int(ms);
        }
    }
    return -1;
}

}  // namespace

int main(int argc, char** argv) {
    while (!corvane::ConsoleUserIsLoggedIn()) {
        platform::Delay(3, nullptr);
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("MiniTask-CorvaneUtility"));
    QApplication::setQuitOnLastWindowClosed(false);
    Q_INIT_RESOURCE(MiniTask);

    platform::QtAlerts alerts;
    platform::ScopedAlerts alertScope(alerts);

    corvane::MiniTask* controller = nullptr;
    corvane::TrayStatusItem statusItem([&controller](const QObject* sender) {
        if (controller) controller->updateDisplayPrefs(sender);
    });
    corvane::MiniTask miniTask(statusItem);
    controller = &miniTask;
    miniTask.awakeFromNib();

    if (int ms = ShowMenuAfterMs(argc, argv); ms >= 0) {
        QTimer::singleShot(ms, &statusItem, [&statusItem] { statusItem.PopUpMenu(); });
    }
    return app.exec();
}

// MiniTask-CorvaneUtility: waits for a user at the console, then runs the
// status-bar agent until it finds no adapter for the third time.
#include <QApplication>
#include <QDir>
#include <QLockFile>
#include <QTimer>
#include <cstdlib>
#include <unistd.h>
#include <cstring>
#include <string>

#include "adapter/KestrelAccess.h"
#include "agent/MiniTask.h"
#include "agent/TrayStatusItem.h"
#include "platform/Clock.h"
#include "platform/SystemInfo.h"
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

// One agent per login session: two would show two icons and both reconnect
// the active profile. The lock names the session (or the display when the
// session has no identifier) and lives in the user's runtime folder.
QString SessionLockPath() {
    QString folder = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (folder.isEmpty() || !QDir(folder).exists()) folder = QDir::tempPath();
    QString session = qEnvironmentVariable("XDG_SESSION_ID");
    if (session.isEmpty()) session = qEnvironmentVariable("WAYLAND_DISPLAY");
    if (session.isEmpty()) session = qEnvironmentVariable("DISPLAY");
    session.replace(QLatin1Char('/'), QLatin1Char('_'));
    return folder + QStringLiteral("/corvane-agent-%1-%2.lock").arg(getuid()).arg(session);
}

}  // namespace

int main(int argc, char** argv) {
    while (!corvane::ConsoleUserIsLoggedIn()) {
        platform::Delay(3, nullptr);
    }

    QLockFile sessionLock(SessionLockPath());
    sessionLock.setStaleLockTime(0);  // stale only when its process is gone
    if (!sessionLock.tryLock(0)) {
        platform::SystemLog("MiniTask-CorvaneUtility: another agent runs in this session\n");
        return 0;
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

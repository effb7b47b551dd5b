// MiniTask-CorvaneUtility: waits for a user at the console, then runs the
// status-bar agent until it finds no adapter for the third time.
#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <QLockFile>
#include <QStringList>
#include <QTimer>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "adapter/KestrelAccess.h"
#include "agent/DesktopNotifier.h"
#include "agent/LinkNotices.h"
#include "agent/MiniTask.h"
#include "agent/NotificationSwitch.h"
#include "agent/TrayStatusItem.h"
#include "platform/Clock.h"
#include "platform/SystemInfo.h"
#include "platform/qt/QtAlerts.h"
#include "translations/Translations.h"

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

// One agent per login session and per display: two would show two icons and
// both reconnect the active profile. The autostart entry starts the agent
// inside the session; the systemd user unit (MiniTask-CorvaneUtility.path)
// starts it from the user's manager, which knows the display but not the
// session. So an agent holds its session's lock (named by the display when
// the session has no identifier) and its display's lock. The locks live in
// the user's runtime folder.
QStringList AgentLockPaths() {
    QString folder = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (folder.isEmpty() || !QDir(folder).exists()) folder = QDir::tempPath();
    QString display = qEnvironmentVariable("WAYLAND_DISPLAY");
    if (display.isEmpty()) display = qEnvironmentVariable("DISPLAY");
    display.replace(QLatin1Char('/'), QLatin1Char('_'));
    QString session = qEnvironmentVariable("XDG_SESSION_ID");
    if (session.isEmpty()) session = display;
    session.replace(QLatin1Char('/'), QLatin1Char('_'));
    const QString stem = folder + QStringLiteral("/corvane-agent-%1-").arg(getuid());
    QStringList paths{stem + session + QStringLiteral(".lock")};
    if (!display.isEmpty())
        paths << stem + QStringLiteral("display-") + display + QStringLiteral(".lock");
    return paths;
}

}  // namespace

int main(int argc, char** argv) {
    while (!corvane::ConsoleUserIsLoggedIn()) {
        platform::Delay(3, nullptr);
    }

    std::vector<std::unique_ptr<QLockFile>> locks;
    for (const QString& path : AgentLockPaths()) {
        locks.push_back(std::make_unique<QLockFile>(path));
        locks.back()->setStaleLockTime(0);  // stale only when its process is gone
        if (!locks.back()->tryLock(0)) {
            platform::SystemLog("MiniTask-CorvaneUtility: another agent runs in this session\n");
            return 0;
        }
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("MiniTask-CorvaneUtility"));
    QApplication::setQuitOnLastWindowClosed(false);
    Q_INIT_RESOURCE(MiniTask);
    corvane::i18n::InstallTranslations();

    platform::QtAlerts alerts;
    platform::ScopedAlerts alertScope(alerts);

    corvane::MiniTask* controller = nullptr;
    corvane::TrayStatusItem statusItem([&controller](const QObject* sender) {
        if (controller) controller->updateDisplayPrefs(sender);
    });
    corvane::DesktopNotifier notifier([&statusItem](const corvane::Notification& notification) {
        return statusItem.ShowMessage(notification.summary, notification.body);
    });
    corvane::LinkNotices notices(notifier);
    corvane::NotificationSwitch notificationSwitch(*statusItem.ShowNotifications(), notices);
    corvane::MiniTask miniTask(statusItem);
    miniTask.SetLinkNotices(&notices);
    controller = &miniTask;
    miniTask.awakeFromNib();

    if (int ms = ShowMenuAfterMs(argc, argv); ms >= 0) {
        QTimer::singleShot(ms, &statusItem, [&statusItem] { statusItem.PopUpMenu(); });
    }
    return app.exec();
}

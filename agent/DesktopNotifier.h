// Notifications through the desktop's notification service: a call of
// org.freedesktop.Notifications.Notify on the session bus (the freedesktop
// Desktop Notifications protocol). Where the bus or the service is missing,
// or the service answers with an error, the tray's own message is the
// fallback; where the tray has none either, the notification is dropped.
//
// The call does not wait for its answer: the tick goes on, and the answer
// comes back through the main loop. Each notification replaces the one shown
// before it (by the id the service returned), so the desktop shows at most
// one of ours.
#pragma once

#include <QDBusConnection>
#include <QObject>
#include <cstdint>
#include <functional>

#include "agent/Notifier.h"

namespace corvane {

inline constexpr const char* kNotificationAppName = "Corvane Wireless Status";
inline constexpr const char* kNotificationIcon = "network-wireless";

class DesktopNotifier : public QObject, public Notifier {
public:
    // `trayMessage` shows a notification as the tray's message; it returns
    // false where the tray offers none.
    explicit DesktopNotifier(std::function<bool(const Notification&)> trayMessage,
                             QDBusConnection bus = QDBusConnection::sessionBus());

    void Notify(const Notification& notification) override;

private:
    void Fallback(const Notification& notification);

    std::function<bool(const Notification&)> trayMessage_;
    QDBusConnection bus_;
    uint32_t shownId_ = 0;  // the service's id of our last notification
};

}  // namespace corvane

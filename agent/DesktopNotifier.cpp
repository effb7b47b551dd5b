#include "agent/DesktopNotifier.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QStringList>
#include <QVariantMap>

namespace corvane {
namespace {

const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
const QString kInterface = QStringLiteral("org.freedesktop.Notifications");
constexpr int32_t kServerDefaultTimeout = -1;

}  // namespace

DesktopNotifier::DesktopNotifier(std::function<bool(const Notification&)> trayMessage,
                                 QDBusConnection bus)
    : trayMessage_(std::move(trayMessage)), bus_(std::move(bus)) {}

void DesktopNotifier::Notify(const Notification& notification) {
    if (!bus_.isConnected()) {
        Fallback(notification);
        return;
    }
    QDBusMessage call =
        QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("Notify"));
    const QVariantMap hints{
        {QStringLiteral("category"), QString::fromStdString(notification.category)}};
    call << QString::fromUtf8(kNotificationAppName) << uint(shownId_)
         << QString::fromUtf8(kNotificationIcon) << QString::fromStdString(notification.summary)
         << QString::fromStdString(notification.body) << QStringList() << hints
         << int(kServerDefaultTimeout);
    auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, notification](QDBusPendingCallWatcher* finished) {
                const QDBusPendingReply<uint> reply = *finished;
                if (reply.isError())
                    Fallback(notification);
                else
                    shownId_ = reply.value();
                finished->deleteLater();
            });
}

void DesktopNotifier::Fallback(const Notification& notification) {
    if (trayMessage_) trayMessage_(notification);
}

}  // namespace corvane

#include "driver/nm/SecretRefusal.h"

#include <QCoreApplication>
#include <QDBusMetaType>

namespace corvane::nm {
namespace {

constexpr const char* kService = "org.freedesktop.NetworkManager";
constexpr const char* kAgentManagerPath = "/org/freedesktop/NetworkManager/AgentManager";
constexpr const char* kAgentManager = "org.freedesktop.NetworkManager.AgentManager";
constexpr const char* kUserCanceled = "org.freedesktop.NetworkManager.SecretAgent.UserCanceled";
constexpr const char* kNoSecrets = "org.freedesktop.NetworkManager.SecretAgent.NoSecrets";
constexpr uint kAllowInteraction = 0x1;
constexpr uint kRequestNew = 0x2;

}  // namespace

SecretRefusal::SecretRefusal(QDBusConnection bus, std::function<void(const std::string&)> note)
    : bus_(std::move(bus)), note_(std::move(note)) {
    qDBusRegisterMetaType<ConnectionSettings>();
    // Qt D-Bus finds a slot's parameter types by the names moc wrote down:
    // without the alias's own name the methods stay off the bus.
    qRegisterMetaType<ConnectionSettings>("ConnectionSettings");
}

std::string SecretRefusal::Register() {
    if (!exported_) {
        exported_ = bus_.registerObject(QString::fromLatin1(kObjectPath), this,
                                        QDBusConnection::ExportScriptableSlots);
        if (!exported_) return "cannot export the secret agent on the system bus";
    }
    QDBusMessage call = QDBusMessage::createMethodCall(
        QString::fromLatin1(kService), QString::fromLatin1(kAgentManagerPath),
        QString::fromLatin1(kAgentManager), QStringLiteral("Register"));
    // One agent per process: a second driver process of the same user
    // registers its own.
    call << QStringLiteral("com.corvane.nmd.%1").arg(QCoreApplication::applicationPid());
    const QDBusMessage reply = bus_.call(call, QDBus::Block, 5000);
    if (reply.type() != QDBusMessage::ErrorMessage) return {};
    return "cannot register the secret agent: " + reply.errorMessage().toStdString();
}

ConnectionSettings SecretRefusal::GetSecrets(const ConnectionSettings& connection,
                                             const QDBusObjectPath&, const QString& setting,
                                             const QStringList&, uint flags,
                                             const QDBusMessage& message) {
    const QString uuid =
        connection.value(QStringLiteral("connection")).value(QStringLiteral("uuid")).toString();
    message.setDelayedReply(true);
    if (!own_.contains(uuid)) {
        bus_.send(message.createErrorReply(QString::fromLatin1(kNoSecrets),
                                           QStringLiteral("not a connection of this utility")));
        return {};
    }
    note_("NetworkManager asked for " + std::string(flags & kRequestNew ? "new " : "") +
          setting.toStdString() + " secrets of the utility's connection" +
          (flags & kAllowInteraction ? " (a prompt would show)" : "") +
          "; refused, so the join fails and no password prompt opens");
    bus_.send(
        message.createErrorReply(QString::fromLatin1(kUserCanceled),
                                 QStringLiteral("the utility gives its keys with the connection")));
    return {};
}

void SecretRefusal::CancelGetSecrets(const QDBusObjectPath&, const QString&) {}
void SecretRefusal::SaveSecrets(const ConnectionSettings&, const QDBusObjectPath&) {}
void SecretRefusal::DeleteSecrets(const ConnectionSettings&, const QDBusObjectPath&) {}

}  // namespace corvane::nm

// A stand-in for the desktop's secret agent (GNOME Shell, nm-applet and
// plasma-nm register one per session), for the NetworkManager test in the
// virtual machine: it writes down every secret request NetworkManager
// makes to it, one line each, and answers as a user who dismisses the
// password prompt. Any line about the utility's connection means a prompt
// would have shown on a desktop.
//
//   nm_standin_secret_agent LOG_FILE
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QFile>
#include <QObject>
#include <QTextStream>
#include <cstdio>

namespace {

using ConnectionSettings = QMap<QString, QVariantMap>;

class StandInAgent : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.NetworkManager.SecretAgent")

public:
    explicit StandInAgent(const QString& path) : log_(path) {
        log_.open(QIODevice::Append | QIODevice::Text);
    }

public slots:
    Q_SCRIPTABLE ConnectionSettings GetSecrets(const ConnectionSettings& connection,
                                               const QDBusObjectPath&, const QString& setting,
                                               const QStringList&, uint flags,
                                               const QDBusMessage& message) {
        QTextStream(&log_) << "GetSecrets id="
                           << connection.value("connection").value("id").toString()
                           << " setting=" << setting << " flags=0x" << QString::number(flags, 16)
                           << "\n";
        log_.flush();
        message.setDelayedReply(true);
        QDBusConnection::systemBus().send(message.createErrorReply(
            QStringLiteral("org.freedesktop.NetworkManager.SecretAgent.UserCanceled"),
            QStringLiteral("dismissed")));
        return {};
    }
    Q_SCRIPTABLE void CancelGetSecrets(const QDBusObjectPath&, const QString&) {}
    Q_SCRIPTABLE void SaveSecrets(const ConnectionSettings&, const QDBusObjectPath&) {}
    Q_SCRIPTABLE void DeleteSecrets(const ConnectionSettings&, const QDBusObjectPath&) {}

private:
    QFile log_;
};

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: nm_standin_secret_agent LOG_FILE\n");
        return 2;
    }
    qDBusRegisterMetaType<ConnectionSettings>();
    qRegisterMetaType<ConnectionSettings>("ConnectionSettings");  // the slots' type name
    StandInAgent agent(QString::fromLocal8Bit(argv[1]));
    QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.registerObject(QStringLiteral("/org/freedesktop/NetworkManager/SecretAgent"), &agent,
                            QDBusConnection::ExportScriptableSlots))
        return 1;
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.NetworkManager"),
        QStringLiteral("/org/freedesktop/NetworkManager/AgentManager"),
        QStringLiteral("org.freedesktop.NetworkManager.AgentManager"), QStringLiteral("Register"));
    call << QStringLiteral("org.example.desktop-shell");
    const QDBusMessage reply = bus.call(call);
    if (reply.type() == QDBusMessage::ErrorMessage) {
        std::fprintf(stderr, "nm_standin_secret_agent: %s\n", qPrintable(reply.errorMessage()));
        return 1;
    }
    std::fprintf(stderr, "nm_standin_secret_agent: registered\n");
    return app.exec();
}

#include "StandInSecretAgent.moc"

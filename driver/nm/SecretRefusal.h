// A NetworkManager secret agent that keeps the desktop's password prompt
// away from the utility's own connections.
//
// When a key is refused (a wrong WPA key, a WEP key the access point does
// not share), NetworkManager asks the session's secret agents for new
// secrets with interaction allowed: on a desktop, the shell or applet
// shows a password prompt for the network. NetworkManager asks an agent in
// the process that activated the connection first, and stops asking when
// an agent answers that the user cancelled. This agent, registered from
// the driver process that activates the utility's connections, answers
// "cancelled" for those, so the join fails and the adapter stays
// unassociated, as with any other driver; for every other connection it
// has no secrets, and NetworkManager goes on to the desktop's agent.
#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QObject>
#include <QSet>
#include <QStringList>
#include <functional>
#include <string>

#include "driver/nm/NmConnection.h"

namespace corvane::nm {

class SecretRefusal : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.NetworkManager.SecretAgent")

public:
    // Where NetworkManager calls every agent.
    static constexpr const char* kObjectPath = "/org/freedesktop/NetworkManager/SecretAgent";

    SecretRefusal(QDBusConnection bus, std::function<void(const std::string&)> note);

    // Exports the object and registers it with NetworkManager's agent
    // manager (call again after NetworkManager restarted). Empty, or why
    // not.
    std::string Register();
    // The connections (by UUID) this process activated.
    void Own(const QString& uuid) { own_.insert(uuid); }

public slots:
    Q_SCRIPTABLE ConnectionSettings GetSecrets(const ConnectionSettings& connection,
                                               const QDBusObjectPath& path, const QString& setting,
                                               const QStringList& hints, uint flags,
                                               const QDBusMessage& message);
    Q_SCRIPTABLE void CancelGetSecrets(const QDBusObjectPath& path, const QString& setting);
    Q_SCRIPTABLE void SaveSecrets(const ConnectionSettings& connection,
                                  const QDBusObjectPath& path);
    Q_SCRIPTABLE void DeleteSecrets(const ConnectionSettings& connection,
                                    const QDBusObjectPath& path);

private:
    QDBusConnection bus_;
    std::function<void(const std::string&)> note_;
    QSet<QString> own_;
    bool exported_ = false;
};

}  // namespace corvane::nm

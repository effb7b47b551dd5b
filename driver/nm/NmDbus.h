// NetworkManager over the system bus (Qt D-Bus, blocking calls: the driver
// process runs no Qt event loop; ServeIncoming lets NetworkManager's calls
// to this process in).
//
// Requests map onto NetworkManager's API as follows: a scan is
// Device.Wireless.RequestScan; a join is AddAndActivateConnection2 with
// persist "volatile"; a disconnect is Device.Disconnect; the device's
// state, whether it is managed and its active access point (SSID, BSSID,
// frequency, mode) are its properties. Every refusal is put in words: no
// NetworkManager on the bus, the device gone, and polkit's refusal with
// the action it did not grant.
#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QString>
#include <chrono>
#include <functional>
#include <map>
#include <string>

#include "driver/nm/NetworkService.h"
#include "driver/nm/SecretRefusal.h"

namespace corvane::nm {

// What a request does, in words, and the polkit action NetworkManager
// checks for it (null: none).
struct NmRequest {
    const char* what;
    const char* action;
};

// A D-Bus error reply from NetworkManager (or the bus) in words.
Outcome ExplainError(const QString& errorName, const QString& errorMessage,
                     const NmRequest& request, const std::string& interfaceName);

class NmDbus : public NetworkService {
public:
    using Note = std::function<void(const std::string&)>;

    // With `secretAgent`, registers the secret agent at once when
    // NetworkManager runs, and again whenever it has restarted.
    NmDbus(QDBusConnection bus, Note note, bool secretAgent = true);

    std::vector<std::string> WifiInterfaces(Outcome* why) override;
    std::optional<DeviceInfo> Device(const std::string& interfaceName, Outcome* why) override;
    Outcome RequestScan(const std::string& interfaceName) override;
    Outcome Activate(const std::string& interfaceName,
                     const ConnectionSettings& connection) override;
    Outcome Disconnect(const std::string& interfaceName) override;
    Outcome SetManaged(const std::string& interfaceName, bool managed) override;
    std::optional<bool> WirelessEnabled() override;
    void ServeIncoming() override;

private:
    QDBusMessage Call(const QString& path, const char* interface, const char* method,
                      const QList<QVariant>& arguments, int timeoutMs = 5000);
    std::optional<QVariantMap> Properties(const QString& path, const char* interface,
                                          QDBusMessage* error);
    // The device's object path, looked up again when the cached one is gone.
    std::optional<QString> DevicePath(const std::string& interfaceName, Outcome* why,
                                      bool fresh = false);
    // A device request, once more with a fresh path when the device object
    // was replaced (re-plugged).
    QDBusMessage CallDevice(const std::string& interfaceName, const char* interface,
                            const char* method, const QList<QVariant>& arguments, Outcome* why);
    Outcome Explain(const QDBusMessage& reply, const NmRequest& request,
                    const std::string& interfaceName) const;
    void FollowNetworkManager();

    QDBusConnection bus_;
    Note note_;
    SecretRefusal agent_;
    bool secretAgent_;
    std::map<std::string, QString> paths_;
    QString registeredWith_;  // NetworkManager's unique bus name when the agent registered
    std::chrono::steady_clock::time_point nextFollow_{};
};

}  // namespace corvane::nm

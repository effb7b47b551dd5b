#include "driver/nm/NmDbus.h"

#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <algorithm>
#include <cstdio>

namespace corvane::nm {

namespace {

using Clock = std::chrono::steady_clock;

constexpr const char* kService = "org.freedesktop.NetworkManager";
constexpr const char* kManagerPath = "/org/freedesktop/NetworkManager";
constexpr const char* kManager = "org.freedesktop.NetworkManager";
constexpr const char* kDevice = "org.freedesktop.NetworkManager.Device";
constexpr const char* kWireless = "org.freedesktop.NetworkManager.Device.Wireless";
constexpr const char* kAccessPoint = "org.freedesktop.NetworkManager.AccessPoint";
constexpr const char* kProperties = "org.freedesktop.DBus.Properties";
constexpr uint32_t kDeviceTypeWifi = 2;
constexpr uint32_t kModeAdHoc = 1;

constexpr NmRequest kLookUp{"find the device", nullptr};
constexpr NmRequest kRead{"read the device", nullptr};
constexpr NmRequest kScan{"scan", "org.freedesktop.NetworkManager.wifi.scan"};
constexpr NmRequest kJoin{"join the network",
                          "org.freedesktop.NetworkManager.network-control and "
                          "org.freedesktop.NetworkManager.settings.modify.own"};
constexpr NmRequest kDisconnect{"disconnect", "org.freedesktop.NetworkManager.network-control"};
constexpr NmRequest kManage{"change whether it manages the device",
                            "org.freedesktop.NetworkManager.network-control"};

// Error names that mean there is no NetworkManager to ask.
constexpr const char* kNoService[] = {
    "org.freedesktop.DBus.Error.ServiceUnknown", "org.freedesktop.DBus.Error.NameHasNoOwner",
    "org.freedesktop.DBus.Error.NoServer", "org.freedesktop.DBus.Error.Disconnected"};
// ... and that mean the device object is gone.
constexpr const char* kNoObject[] = {
    "org.freedesktop.DBus.Error.UnknownObject", "org.freedesktop.DBus.Error.UnknownMethod",
    "org.freedesktop.DBus.Error.UnknownInterface", "org.freedesktop.NetworkManager.UnknownDevice"};

bool OneOf(const QString& name, const auto& names) {
    return std::any_of(std::begin(names), std::end(names),
                       [&](const char* n) { return name == QLatin1String(n); });
}

QVariant Unwrap(const QVariant& v) {
    return v.canConvert<QDBusVariant>() ? v.value<QDBusVariant>().variant() : v;
}

std::optional<driver::MacAddress> ParseMac(const QString& text) {
    const QStringList parts = text.split(QLatin1Char(':'));
    if (parts.size() != 6) return std::nullopt;
    driver::MacAddress mac{};
    for (int i = 0; i < 6; ++i) {
        bool ok = false;
        const uint v = parts[i].toUInt(&ok, 16);
        if (!ok || v > 0xFF || parts[i].size() != 2) return std::nullopt;
        mac[size_t(i)] = uint8_t(v);
    }
    return mac;
}

}  // namespace

NmDbus::NmDbus(QDBusConnection bus, Note note, bool secretAgent)
    : bus_(bus), note_(std::move(note)), agent_(bus, note_), secretAgent_(secretAgent) {
    qDBusRegisterMetaType<ConnectionSettings>();
    FollowNetworkManager();
}

QDBusMessage NmDbus::Call(const QString& path, const char* interface, const char* method,
                          const QList<QVariant>& arguments, int timeoutMs) {
    QDBusMessage call =
        QDBusMessage::createMethodCall(QString::fromLatin1(kService), path,
                                       QString::fromLatin1(interface), QString::fromLatin1(method));
    call.setArguments(arguments);
    return bus_.call(call, QDBus::Block, timeoutMs);
}

std::optional<QVariantMap> NmDbus::Properties(const QString& path, const char* interface,
                                              QDBusMessage* error) {
    const QDBusMessage reply = Call(path, kProperties, "GetAll", {QString::fromLatin1(interface)});
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) {
        if (error) *error = reply;
        return std::nullopt;
    }
    return qdbus_cast<QVariantMap>(reply.arguments().at(0));
}

Outcome ExplainError(const QString& name, const QString& message, const NmRequest& request,
                     const std::string& interfaceName) {
    const std::string said = message.toStdString();
    if (OneOf(name, kNoService))
        return {
            Trouble::NoNetworkManager,
            "NetworkManager does not run (no org.freedesktop.NetworkManager on the system bus)"};
    if (OneOf(name, kNoObject))
        return {Trouble::NoDevice, "the device " + interfaceName + " is gone"};
    if (name == QLatin1String("org.freedesktop.NetworkManager.PermissionDenied")) {
        std::string text = "NetworkManager refused to " + std::string(request.what) + " on " +
                           interfaceName + ": polkit did not grant ";
        text += request.action ? request.action : "the action";
        text +=
            " to this user (NetworkManager's policy grants it to a local desktop session: run "
            "the utility inside yours) [" +
            said + "]";
        return {Trouble::Refused, text};
    }
    if (name == QLatin1String("org.freedesktop.DBus.Error.NoReply"))
        return {Trouble::Failed, "NetworkManager did not answer in time"};
    return {Trouble::Failed, "NetworkManager could not " + std::string(request.what) + " on " +
                                 interfaceName + ": " + said};
}

Outcome NmDbus::Explain(const QDBusMessage& reply, const NmRequest& request,
                        const std::string& interfaceName) const {
    if (!bus_.isConnected())
        return {Trouble::NoNetworkManager, "no system bus to reach NetworkManager on"};
    return ExplainError(reply.errorName(), reply.errorMessage(), request, interfaceName);
}

void NmDbus::FollowNetworkManager() {
    nextFollow_ = Clock::now() + std::chrono::seconds(2);
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("GetNameOwner"));
    call << QString::fromLatin1(kService);
    const QDBusMessage reply = bus_.call(call, QDBus::Block, 2000);
    const QString owner = reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty()
                              ? reply.arguments().at(0).toString()
                              : QString();
    if (owner == registeredWith_) return;
    registeredWith_ = owner;
    paths_.clear();  // a new NetworkManager has new device objects
    // Without NetworkManager the requests say so; when it comes (back), the
    // agent registers with it.
    if (owner.isEmpty() || !secretAgent_) return;
    const std::string problem = agent_.Register();
    if (!problem.empty()) note_(problem);
}

void NmDbus::ServeIncoming() {
    if (QCoreApplication::instance()) QCoreApplication::processEvents();
    if (Clock::now() >= nextFollow_) FollowNetworkManager();
}

std::optional<QString> NmDbus::DevicePath(const std::string& interfaceName, Outcome* why,
                                          bool fresh) {
    if (!fresh)
        if (auto it = paths_.find(interfaceName); it != paths_.end()) return it->second;
    paths_.erase(interfaceName);
    const QDBusMessage reply = Call(QString::fromLatin1(kManagerPath), kManager,
                                    "GetDeviceByIpIface", {QString::fromStdString(interfaceName)});
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) {
        if (why) *why = Explain(reply, kLookUp, interfaceName);
        return std::nullopt;
    }
    const QString path = reply.arguments().at(0).value<QDBusObjectPath>().path();
    paths_[interfaceName] = path;
    return path;
}

QDBusMessage NmDbus::CallDevice(const std::string& interfaceName, const char* interface,
                                const char* method, const QList<QVariant>& arguments,
                                Outcome* why) {
    QDBusMessage reply;
    for (bool fresh : {false, true}) {
        const std::optional<QString> path = DevicePath(interfaceName, why, fresh);
        if (!path) return QDBusMessage();
        reply = Call(*path, interface, method, arguments);
        if (reply.type() == QDBusMessage::ReplyMessage || !OneOf(reply.errorName(), kNoObject))
            break;
    }
    return reply;
}

std::vector<std::string> NmDbus::WifiInterfaces(Outcome* why) {
    std::vector<std::string> names;
    const QDBusMessage reply = Call(QString::fromLatin1(kManagerPath), kManager, "GetDevices", {});
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) {
        if (why) *why = Explain(reply, kLookUp, "any");
        return names;
    }
    const auto paths = qdbus_cast<QList<QDBusObjectPath>>(reply.arguments().at(0));
    for (const QDBusObjectPath& path : paths) {
        const std::optional<QVariantMap> p = Properties(path.path(), kDevice, nullptr);
        if (p && p->value(QStringLiteral("DeviceType")).toUInt() == kDeviceTypeWifi) {
            const std::string name = p->value(QStringLiteral("Interface")).toString().toStdString();
            names.push_back(name);
            paths_[name] = path.path();
        }
    }
    return names;
}

std::optional<DeviceInfo> NmDbus::Device(const std::string& interfaceName, Outcome* why) {
    std::optional<QVariantMap> device;
    QDBusMessage error;
    for (bool fresh : {false, true}) {
        const std::optional<QString> path = DevicePath(interfaceName, why, fresh);
        if (!path) return std::nullopt;
        device = Properties(*path, kDevice, &error);
        if (device || !OneOf(error.errorName(), kNoObject)) break;
    }
    if (!device) {
        if (why) *why = Explain(error, kRead, interfaceName);
        return std::nullopt;
    }
    DeviceInfo info;
    info.state = device->value(QStringLiteral("State")).toUInt();
    info.managed = device->value(QStringLiteral("Managed")).toBool();
    if (!Associated(info.state)) return info;

    const QDBusMessage reply =
        Call(paths_[interfaceName], kProperties, "Get",
             {QString::fromLatin1(kWireless), QStringLiteral("ActiveAccessPoint")});
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) return info;
    const QString ap = Unwrap(reply.arguments().at(0)).value<QDBusObjectPath>().path();
    if (ap.isEmpty() || ap == QLatin1String("/")) return info;
    const std::optional<QVariantMap> p = Properties(ap, kAccessPoint, nullptr);
    if (!p) return info;
    AccessPointInfo a;
    const QByteArray ssid = p->value(QStringLiteral("Ssid")).toByteArray();
    a.ssid.assign(ssid.constData(), size_t(std::min<qsizetype>(ssid.size(), 32)));
    if (auto mac = ParseMac(p->value(QStringLiteral("HwAddress")).toString())) a.bssid = *mac;
    a.frequencyMhz = p->value(QStringLiteral("Frequency")).toUInt();
    a.adHoc = p->value(QStringLiteral("Mode")).toUInt() == kModeAdHoc;
    info.accessPoint = a;
    return info;
}

Outcome NmDbus::RequestScan(const std::string& interfaceName) {
    Outcome why;
    const QDBusMessage reply = CallDevice(interfaceName, kWireless, "RequestScan",
                                          {QVariant::fromValue(QVariantMap())}, &why);
    if (!why.Ok()) return why;
    if (reply.type() == QDBusMessage::ReplyMessage) return {};
    // NetworkManager turns down a scan right after another one (its own,
    // every so often) or while it joins: the kernel's list is fresh then.
    if (reply.errorName() == QLatin1String("org.freedesktop.NetworkManager.Device.NotAllowed") &&
        !reply.errorMessage().contains(QLatin1String("unavailable")))
        return {};
    return Explain(reply, kScan, interfaceName);
}

Outcome NmDbus::Activate(const std::string& interfaceName, const ConnectionSettings& connection) {
    Outcome why;
    const std::optional<QString> path = DevicePath(interfaceName, &why, true);
    if (!path) return why;
    agent_.Own(
        connection.value(QStringLiteral("connection")).value(QStringLiteral("uuid")).toString());
    const QVariantMap options{{QStringLiteral("persist"), QStringLiteral("volatile")}};
    const QDBusMessage reply = Call(
        QString::fromLatin1(kManagerPath), kManager, "AddAndActivateConnection2",
        {QVariant::fromValue(connection), QVariant::fromValue(QDBusObjectPath(*path)),
         QVariant::fromValue(QDBusObjectPath(QStringLiteral("/"))), QVariant::fromValue(options)},
        25000);
    if (reply.type() == QDBusMessage::ReplyMessage) return {};
    return Explain(reply, kJoin, interfaceName);
}

Outcome NmDbus::Disconnect(const std::string& interfaceName) {
    Outcome why;
    const QDBusMessage reply = CallDevice(interfaceName, kDevice, "Disconnect", {}, &why);
    if (!why.Ok()) return why;
    if (reply.type() == QDBusMessage::ReplyMessage ||
        reply.errorName() == QLatin1String("org.freedesktop.NetworkManager.Device.NotActive"))
        return {};
    return Explain(reply, kDisconnect, interfaceName);
}

Outcome NmDbus::SetManaged(const std::string& interfaceName, bool managed) {
    Outcome why;
    const QDBusMessage reply = CallDevice(interfaceName, kProperties, "Set",
                                          {QString::fromLatin1(kDevice), QStringLiteral("Managed"),
                                           QVariant::fromValue(QDBusVariant(managed))},
                                          &why);
    if (!why.Ok()) return why;
    if (reply.type() == QDBusMessage::ReplyMessage) return {};
    return Explain(reply, kManage, interfaceName);
}

std::optional<bool> NmDbus::WirelessEnabled() {
    const QDBusMessage reply =
        Call(QString::fromLatin1(kManagerPath), kProperties, "Get",
             {QString::fromLatin1(kManager), QStringLiteral("WirelessEnabled")});
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return std::nullopt;
    return Unwrap(reply.arguments().at(0)).toBool();
}

}  // namespace corvane::nm

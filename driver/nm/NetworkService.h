// NetworkManager as the NetworkManager backend sees it: one Wi-Fi device by
// its interface name, its state and active access point, and the few
// requests the backend makes. NmDbus.h talks to the real one over the
// system bus; tests stand a fake in its place.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "driver/nm/NmConnection.h"

namespace corvane::nm {

// NetworkManager's device states (NMDeviceState).
enum DeviceState : uint32_t {
    kStateUnknown = 0,
    kStateUnmanaged = 10,
    kStateUnavailable = 20,
    kStateDisconnected = 30,
    kStateNeedAuth = 60,
    kStateIpConfig = 70,
    kStateActivated = 100,
    kStateDeactivating = 110,
    kStateFailed = 120,
};

// Joined to a network: from IP configuration (a network still waiting for
// DHCP counts) to activated. Deactivating (110) and failed (120) are not.
constexpr bool Associated(uint32_t state) {
    return state >= kStateIpConfig && state <= kStateActivated;
}

// What went wrong with a request, by kind, with the words that say it.
enum class Trouble { None, NoNetworkManager, NoDevice, Unmanaged, Refused, Failed };

struct Outcome {
    Trouble trouble = Trouble::None;
    std::string text;
    bool Ok() const { return trouble == Trouble::None; }
};

struct AccessPointInfo {
    std::string ssid;  // raw bytes
    driver::MacAddress bssid{};
    uint32_t frequencyMhz = 0;
    bool adHoc = false;
};

struct DeviceInfo {
    uint32_t state = kStateUnknown;
    bool managed = false;
    std::optional<AccessPointInfo> accessPoint;  // while associated
};

class NetworkService {
public:
    virtual ~NetworkService() = default;
    // The Wi-Fi devices NetworkManager knows, by interface name.
    virtual std::vector<std::string> WifiInterfaces(Outcome* why) = 0;
    // nullopt (and why) when NetworkManager or the device cannot be reached.
    virtual std::optional<DeviceInfo> Device(const std::string& interfaceName, Outcome* why) = 0;
    virtual Outcome RequestScan(const std::string& interfaceName) = 0;
    // Adds the connection as a volatile one and activates it on the device.
    virtual Outcome Activate(const std::string& interfaceName,
                             const ConnectionSettings& connection) = 0;
    // Deactivating a device that has no connection is not a failure.
    virtual Outcome Disconnect(const std::string& interfaceName) = 0;
    virtual Outcome SetManaged(const std::string& interfaceName, bool managed) = 0;
    // NetworkManager's machine-wide Wi-Fi switch (WirelessEnabled).
    virtual std::optional<bool> WirelessEnabled() = 0;
    // Answers the calls NetworkManager has made to this process meanwhile
    // (its secret requests); the process calls it at least every few
    // hundred milliseconds.
    virtual void ServeIncoming() = 0;
};

}  // namespace corvane::nm

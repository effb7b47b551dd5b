// The radio world of a Wi-Fi device that NetworkManager manages, driven as
// the desktop user: NetworkManager joins, disconnects and scans; the
// kernel's unprivileged nl80211 answers give the scan list (the beacons'
// own elements and signal in dBm), the link's signal and counters, the
// regulatory domain, the bands and the MAC address.
//
//  - Join: the station settings become one volatile connection of the
//    user (NmConnection.h), activated on the device. The user's own saved
//    connections are left alone.
//  - Link: associated while NetworkManager's device state lies between IP
//    configuration (70) and activated (100), so a network still waiting
//    for DHCP counts; SSID, BSSID and channel from its active access point
//    (the kernel's joined BSS when NetworkManager names none, as ad hoc).
//  - Disassociate and the reset record: the device disconnects; the
//    volatile connection goes with it, so nothing brings the link back.
//  - Radio: off hands the device back from NetworkManager's management
//    (unmanaged: no scans, no joins) instead of blocking its rfkill
//    switch. NetworkManager counts every Wi-Fi rfkill switch of the
//    machine as one: a soft block of this adapter's switch alone makes it
//    switch off every Wi-Fi device it manages and report Wi-Fi off, and
//    its own WirelessEnabled is machine-wide. On manages the device again,
//    after unblocking this adapter's own switch when that alone is
//    soft-blocked; a machine-wide Wi-Fi off and a hardware switch are
//    reported, not overridden. A marker file keeps "switched off by the
//    utility" across a restart of the driver process.
//  - What NetworkManager cannot set (transmit power, thresholds, power mode
//    between joins, preamble, BG protection, burst, EEPROM, device words)
//    the driver core keeps and answers; power save goes with the next join.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "driver/RadioBackend.h"
#include "driver/nl80211/RfkillSwitches.h"
#include "driver/nl80211/Stack.h"
#include "driver/nm/NetworkService.h"

namespace corvane::nm {

using nl80211::RfkillSwitch;
using nl80211::RfkillSwitches;

struct NmDevice {
    std::string interfaceName;
    driver::AdapterKind kind = driver::AdapterKind::Osprey;
    std::string user;            // the login name that owns the connections
    std::string radioOffMarker;  // the marker file's path
    bool timings = false;        // note when scans and joins are asked (measurements)
};

class NmBackend : public driver::RadioBackend {
public:
    NmBackend(std::unique_ptr<NetworkService> nm, std::unique_ptr<nl80211::WirelessStack> kernel,
              RfkillSwitches switches, NmDevice device);
    ~NmBackend() override;

    driver::AdapterKind Kind() const override { return device_.kind; }
    bool IsPresent() const override { return true; }
    uint64_t Generation() const override { return generation_; }
    // The interface exists, NetworkManager answers and manages the device
    // (or the utility switched its radio off).
    bool Open() override;
    bool Reachable() const override { return interface_.has_value() && served_; }
    void BeforeRequest() override;

    driver::MacAddress Address() override { return interface_->mac; }
    uint32_t CountryRegion() override;
    std::optional<bool> Supports5GHz() override;
    bool DriverReady() override;
    driver::RadioSwitches Radio() override;
    std::optional<uint32_t> InfrastructureModeInUse() override;
    driver::LinkState Link() override;
    driver::LinkStatistics Statistics() override;

    platform::kern_return_t Scan() override;
    std::vector<std::vector<uint8_t>> ScanList() override;
    platform::kern_return_t Join(const driver::JoinRequest& request) override;
    platform::kern_return_t Disassociate(bool forget) override;
    std::optional<std::string> Apply(driver::PhySetting setting, uint32_t value) override;
    nlohmann::json Status() override;

    // Lets NetworkManager's calls to this process in (its secret requests)
    // while no client asks anything.
    int TickIntervalMs() const override { return 200; }
    void Tick() override;

private:
    // NetworkManager's view of the device, asked once per request.
    const std::optional<DeviceInfo>& Device();
    bool SwitchedOffHere() const;
    std::optional<std::string> RadioOff();
    std::optional<std::string> RadioOn();
    // A problem is noted once, and its end once.
    void Follow(const Outcome& outcome);
    platform::kern_return_t Failed(const Outcome& outcome);
    void NoteTime(const std::string& what);

    std::unique_ptr<NetworkService> nm_;
    std::unique_ptr<nl80211::WirelessStack> kernel_;
    RfkillSwitches switches_;
    NmDevice device_;

    std::optional<nl80211::InterfaceInfo> interface_;
    uint32_t knownIfindex_ = 0;
    uint64_t generation_ = 0;
    bool served_ = false;
    std::optional<DeviceInfo> info_;
    bool infoFresh_ = false;
    std::string problem_;
};

}  // namespace corvane::nm

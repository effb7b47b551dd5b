// The radio world of a real wireless interface: the kernel's wireless stack
// (interface, phy, scan results, stations, regulatory domain, radio switch)
// and the wpa_supplicant that manages the interface.
//
// The SSID or BSSID request commits the station settings as one
// wpa_supplicant network (NetworkCommit.h); the thresholds, the transmit
// power, the power save and the radio switch go to the kernel, whose phy
// answers their queries. What has no counterpart in the kernel (the
// preamble, the station configuration's words, the device words, an EEPROM
// version 1.0) the driver core keeps and answers.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "driver/RadioBackend.h"
#include "driver/nl80211/NetworkCommit.h"
#include "driver/nl80211/Stack.h"
#include "driver/nl80211/SupplicantReplies.h"

namespace corvane::nl80211 {

class Nl80211Backend : public driver::RadioBackend {
public:
    Nl80211Backend(WirelessStack& stack, Supplicant& supplicant, std::string interfaceName,
                   AdapterKind kind = AdapterKind::Osprey);

    AdapterKind Kind() const override { return kind_; }
    // The service stays published for the process's life; while the
    // interface is gone a client cannot be opened, as with an unplugged
    // adapter.
    bool IsPresent() const override { return true; }
    // Counts the interface's comings back under a new interface index; each
    // raises the restart-pending flag.
    uint64_t Generation() const override { return generation_; }
    bool Open() override;
    bool Reachable() const override { return interface_.has_value(); }
    MacAddress Address() override { return interface_->mac; }
    uint32_t CountryRegion() override;
    std::optional<bool> Supports5GHz() override;
    bool DriverReady() override;
    driver::RadioSwitches Radio() override;
    std::optional<uint32_t> InfrastructureModeInUse() override;
    driver::LinkState Link() override;
    driver::LinkStatistics Statistics() override;
    std::optional<uint32_t> Current(driver::PhySetting setting) override;
    platform::kern_return_t Scan() override;
    std::vector<std::vector<uint8_t>> ScanList() override;
    platform::kern_return_t Join(const driver::JoinRequest& request) override;
    platform::kern_return_t Disassociate(bool forget) override;
    std::optional<std::string> Apply(driver::PhySetting setting, uint32_t value) override;
    // The interface, wpa_supplicant's state, the regulatory domain.
    nlohmann::json Status() override;
    nlohmann::json Control(std::string_view line) override;

private:
    // wpa_supplicant, with its reachability followed in the log.
    std::optional<std::string> Ask(const std::string& command);
    bool AskOk(const std::string& command);
    SupplicantStatus SupplicantState();
    void RemoveOwnNetworks();
    platform::kern_return_t Commit(const NetworkTarget& target);
    std::vector<uint32_t> ScanFrequencies();

    WirelessStack& stack_;
    Supplicant& supplicant_;
    std::string interfaceName_;
    AdapterKind kind_;

    // The interface as the last open found it.
    std::optional<InterfaceInfo> interface_;
    uint32_t knownIfindex_ = 0;
    bool interfaceGone_ = false;
    uint64_t generation_ = 0;
    std::optional<bool> supplicantAnswers_;
};

}  // namespace corvane::nl80211

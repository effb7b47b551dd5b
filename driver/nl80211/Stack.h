// What the nl80211 driver answers from: the kernel's wireless stack (the
// interface, its phy, the scan results, the regulatory domain, the radio
// switch) and the wpa_supplicant that manages the interface. Both sit behind
// small interfaces so that the request mapping can be tried against
// recorded answers.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "adapter/Records.h"

namespace corvane::nl80211 {

// The interface as the kernel reports it.
struct InterfaceInfo {
    uint32_t ifindex = 0;
    uint32_t wiphy = 0;
    uint32_t iftype = 0;  // NL80211_IFTYPE_*
    MacAddress mac{};
    std::optional<int32_t> txPowerMbm;  // the transmit power in use, when the kernel says
};

// What the interface's phy can do and how it is set.
struct PhyInfo {
    bool has5GHz = false;
    // Centre frequencies (MHz) the phy may use now (not disabled).
    std::vector<uint32_t> frequenciesMhz;
    uint32_t rtsThreshold = UINT32_MAX;   // UINT32_MAX: off
    uint32_t fragThreshold = UINT32_MAX;  // UINT32_MAX: off
};

// One BSS of the kernel's scan results.
struct BssRecord {
    MacAddress bssid{};
    uint32_t frequencyMhz = 0;
    int32_t signalMbm = 0;  // 1/100 dBm
    uint16_t capability = 0;
    uint16_t beaconInterval = 0;
    uint64_t tsf = 0;
    // The information elements: those of the last probe response or beacon.
    std::vector<uint8_t> elements;
    bool associated = false;  // the BSS the interface is associated with or joined
};

// A peer the interface talks to (the access point, an ad hoc peer).
struct StationInfo {
    MacAddress mac{};
    std::optional<int32_t> signalDbm;
    uint32_t txPackets = 0;
    uint32_t rxPackets = 0;
    uint32_t txBitrate100Kbps = 0;  // 0: unknown
};

// A rule of the regulatory domain: a frequency range and its NL80211_RRF_* flags.
struct RegulatoryRule {
    uint32_t startKhz = 0;
    uint32_t endKhz = 0;
    uint32_t maxBandwidthKhz = 0;
    uint32_t flags = 0;
};

struct RegulatoryDomain {
    std::string alpha2;  // "00" for the world domain
    std::vector<RegulatoryRule> rules;
};

struct RadioSwitch {
    bool softBlocked = false;
    bool hardBlocked = false;
};

struct WiphySettings {
    std::optional<uint32_t> rtsThreshold;   // UINT32_MAX: off
    std::optional<uint32_t> fragThreshold;  // UINT32_MAX: off
    // nullopt: leave; 0: automatic; else a limit in mBm.
    std::optional<int32_t> txPowerLimitMbm;
};

// The kernel side. Each call asks the kernel afresh; results that carry
// an int are 0 or a negative errno.
class WirelessStack {
public:
    virtual ~WirelessStack() = default;
    // nullopt while the interface does not exist.
    virtual std::optional<InterfaceInfo> Interface() = 0;
    virtual std::optional<PhyInfo> Phy(uint32_t wiphy) = 0;
    // Starts a scan of these frequencies (all when empty).
    virtual int TriggerScan(uint32_t ifindex, const std::vector<uint32_t>& frequenciesMhz) = 0;
    virtual std::optional<std::vector<BssRecord>> ScanResults(uint32_t ifindex) = 0;
    virtual std::vector<StationInfo> Stations(uint32_t ifindex) = 0;
    virtual std::optional<RegulatoryDomain> Regulatory() = 0;
    // nullopt when the phy has no radio switch.
    virtual std::optional<RadioSwitch> Radio(uint32_t wiphy) = 0;
    // Unblocking also brings the interface up again: the kernel took it
    // down when the radio was blocked.
    virtual int SetSoftBlocked(uint32_t wiphy, bool blocked) = 0;
    virtual int SetWiphy(uint32_t wiphy, const WiphySettings& settings) = 0;
    virtual int SetPowerSave(uint32_t ifindex, bool enabled) = 0;
};

// The wpa_supplicant side: one control request, one reply.
class Supplicant {
public:
    virtual ~Supplicant() = default;
    // The reply text, or nullopt when wpa_supplicant could not be reached
    // or did not answer (Problem() then says why).
    virtual std::optional<std::string> Request(std::string_view command) = 0;
    virtual std::string Problem() const = 0;
};

}  // namespace corvane::nl80211

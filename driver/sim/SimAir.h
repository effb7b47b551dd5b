// The simulated air: the radio world of the simulated adapter, modelled
// from an environment (Environment.h): the adapter's facts, the networks it
// hears, scans that take a while, associations whose keys, mode and
// authentication must fit, and the hardware side the control commands
// reach (plug, unplug, switches, networks moving in and out of range).
//
// Time comes from platform::CurrentClock(), so a clock that only moves when
// slept on makes scans, association and the driver-ready delay cost no real
// time.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "driver/DriverCore.h"
#include "driver/RadioBackend.h"
#include "driver/sim/Environment.h"

namespace corvane::sim {

class SimAir : public driver::RadioBackend {
public:
    // How long the modelled operations take on the clock.
    static constexpr uint64_t kScanDurationUs = 1'500'000;
    static constexpr uint64_t kAssociationDelayUs = 300'000;
    // Networks weaker than this are out of range: not listed, not joinable.
    static constexpr int32_t kOutOfRangeDbm = -95;

    explicit SimAir(Environment environment);

    const Environment& environment() const { return environment_; }

    // The hardware side, as the control commands reach it.
    void Plug();
    void Unplug();
    void Restart();
    void SetHardwareRadio(bool on);
    void SetEepromError(bool on);
    bool SetRssi(const MacAddress& bssid, int32_t dbm);
    bool AddNetwork(NetworkSpec network, std::string* error);
    bool RemoveNetwork(const MacAddress& bssid);

    // RadioBackend.
    AdapterKind Kind() const override { return environment_.adapter.kind; }
    bool IsPresent() const override { return present_; }
    uint64_t Generation() const override { return generation_; }
    bool Open() override { return present_; }
    bool Reachable() const override { return present_; }
    void BeforeRequest() override { Tick(); }
    MacAddress Address() override { return environment_.adapter.mac; }
    uint32_t CountryRegion() override { return environment_.adapter.countryRegion; }
    std::optional<bool> Supports5GHz() override { return environment_.adapter.supports5GHz; }
    driver::EepromVersion Eeprom() override;
    bool EepromError() override { return environment_.adapter.eepromError; }
    bool DriverReady() override;
    driver::RadioSwitches Radio() override { return {RadioOn(), environment_.adapter.hwRadio}; }
    driver::LinkState Link() override;
    driver::LinkStatistics Statistics() override;
    platform::kern_return_t Scan() override;
    std::vector<std::vector<uint8_t>> ScanList() override;
    uint64_t ScanListEpoch() const override { return scanEpoch_; }
    platform::kern_return_t Join(const driver::JoinRequest& request) override;
    platform::kern_return_t Disassociate(bool forget) override;
    std::optional<std::string> Apply(driver::PhySetting setting, uint32_t value) override;
    nlohmann::json Status() override;
    // plug, unplug, restart, radio on|off, eeprom-error on|off, rssi BSSID
    // DBM, add-network JSON, remove-network BSSID (Control.cpp).
    nlohmann::json Control(std::string_view line) override;

private:
    enum class Phase { None, Joining, Joined };
    struct Association {
        Phase phase = Phase::None;
        NetworkSpec network;  // a copy; for an own ad hoc network the only record
        bool own = false;
        uint64_t since = 0;
    };

    void ResetWorld();
    void Tick();
    uint64_t Now() const;
    bool RadioOn() const { return swRadio_ && environment_.adapter.hwRadio; }
    const NetworkSpec* FindNetwork(const MacAddress& bssid) const;
    bool InRange(const NetworkSpec& n) const { return n.rssi >= kOutOfRangeDbm; }
    void StartScan(bool counted);
    void CompleteScan();

    bool KeysFit(const NetworkSpec& n) const;
    void Associate(const NetworkSpec& n, bool own);
    void JoinBySsid(const std::string& ssid);
    void JoinByBssid(const MacAddress& bssid);
    void Drop();
    bool Associated() const { return association_.phase == Phase::Joined; }
    MacAddress OwnAdHocBssid(const std::string& ssid) const;
    std::pair<uint64_t, uint64_t> Counters() const;

    Environment environment_;
    bool present_ = true;
    uint64_t generation_ = 0;
    uint64_t pluggedAt_ = 0;
    bool swRadio_ = true;

    Association association_;
    uint64_t txCounter_ = 0;
    uint64_t rxCounter_ = 0;

    bool scanning_ = false;
    uint64_t scanStartedAt_ = 0;
    uint64_t scansStarted_ = 0;
    uint64_t scanEpoch_ = 0;
    std::vector<std::vector<uint8_t>> scanList_;
};

// The simulated adapter's driver in one object: the core over the air.
class SimDriver : public driver::DriverCore {
public:
    explicit SimDriver(Environment environment)
        : DriverCore(std::make_unique<SimAir>(std::move(environment))) {}
    SimAir& air() { return static_cast<SimAir&>(backend()); }
};

}  // namespace corvane::sim

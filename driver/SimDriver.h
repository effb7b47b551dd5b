// The simulated adapter driver: answers the user-client requests of the
// adapter's kernel driver from a modelled radio world (Environment.h).
//
// It runs in-process (register it with platform::RegisterInProcessService
// under ClassName()) or behind the socket daemon (Daemon.h). Time comes from
// platform::CurrentClock(), so a ManualClock makes scans, association and
// the driver-ready delay cost no real time. Not thread-safe: every call
// comes from one thread.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <nlohmann/json.hpp>
#include <optional>
#include <span>
#include <ostream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "driver/Environment.h"
#include "driver/ServedDriver.h"

namespace corvane::sim {

class SimDriver : public ServedDriver {
public:
    // How long the modelled operations take on the clock.
    static constexpr uint64_t kScanDurationUs = 1'500'000;
    static constexpr uint64_t kAssociationDelayUs = 300'000;
    // Networks weaker than this are out of range: not listed, not joinable.
    static constexpr int32_t kOutOfRangeDbm = -95;

    explicit SimDriver(Environment environment);
    ~SimDriver() override;
    SimDriver(const SimDriver&) = delete;
    SimDriver& operator=(const SimDriver&) = delete;

    // Connection type 0 only; null while the adapter is unplugged. A client
    // opened before an unplug stays dead after the adapter returns. Clients
    // must not outlive the driver.
    std::unique_ptr<platform::UserClient> OpenUserClient(uint32_t connectionType) override;

    // One request as a user client's CallStructMethod receives it.
    platform::kern_return_t Call(uint32_t selector, const uint8_t* input, size_t inputSize,
                                 uint8_t* output, size_t* outputSize);

    const char* ClassName() const override { return DriverClassName(environment_.adapter.kind); }
    const Environment& environment() const { return environment_; }

    // The hardware side, as the control commands reach it.
    void Plug();
    void Unplug();
    bool IsPresent() const override { return present_; }
    // Counts plug-ins and unplugs; a client carries the value it was opened at.
    uint64_t Generation() const override { return generation_; }
    void Restart();
    void SetHardwareRadio(bool on);
    void SetEepromError(bool on);
    bool SetRssi(const MacAddress& bssid, int32_t dbm);
    bool AddNetwork(NetworkSpec network, std::string* error);
    bool RemoveNetwork(const MacAddress& bssid);

    // The live state as one JSON object (what `corvane-simctl status` prints).
    // "ssid" holds the raw name bytes: dump with error_handler_t::replace.
    nlohmann::json Status();

    // Runs one control command line ("status", "plug", "radio off", ...) and
    // returns the JSON reply: {"ok": true[, "status": {...}]} or
    // {"ok": false, "error": "..."}.
    nlohmann::json Control(std::string_view commandLine) override;

    // Appends one JSON line per user-client call; null switches it off.
    void SetJournal(std::ostream* journal) { journal_ = journal; }

    // Calls that came from a client opened at `generation`.
    platform::kern_return_t ClientCall(uint64_t generation, uint32_t selector,
                                       const uint8_t* input, size_t inputSize, uint8_t* output,
                                       size_t* outputSize);

private:
    struct KeySlot {
        std::vector<uint8_t> material;  // empty: no key
    };
    enum class Phase { None, Joining, Joined };
    struct Association {
        Phase phase = Phase::None;
        NetworkSpec network;  // a copy; for an own ad hoc network the only record
        bool own = false;
        uint64_t since = 0;
    };

    platform::kern_return_t Dispatch(uint32_t selector, std::span<const uint8_t> input,
                                     size_t capacity, std::vector<uint8_t>& answer);
    platform::kern_return_t Query(uint32_t oid, std::span<const uint8_t> input, size_t capacity,
                                  std::vector<uint8_t>& answer);
    platform::kern_return_t Set(uint32_t oid, std::span<const uint8_t> input);

    void ResetStation();
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
    void Disassociate();
    bool Associated() const { return association_.phase == Phase::Joined; }
    MacAddress OwnAdHocBssid(const std::string& ssid) const;
    uint32_t LinkQuality() const;
    std::pair<uint64_t, uint64_t> Counters() const;

    platform::kern_return_t SetKey(std::span<const uint8_t> input, bool pskRecord);
    platform::kern_return_t RemoveKey(std::span<const uint8_t> input);
    void AnswerFirstChunk(size_t capacity, std::vector<uint8_t>& answer);
    platform::kern_return_t AnswerNextChunk(size_t capacity, std::vector<uint8_t>& answer);

    void Journal(uint32_t selector, const uint8_t* input, size_t inputSize, size_t capacity,
                 platform::kern_return_t result, const uint8_t* output, size_t outputSize);

    Environment environment_;
    std::ostream* journal_ = nullptr;
    bool present_ = true;
    uint64_t generation_ = 0;
    uint64_t pluggedAt_ = 0;

    // Station configuration, as the last set requests left it.
    bool swRadio_ = true;
    uint32_t infrastructureMode_ = 1;
    uint32_t authMode_ = 0;
    uint32_t encryption_ = 1;
    uint32_t preamble_ = 0;
    uint32_t txPower_ = 100;
    uint32_t rts_ = 2347;
    uint32_t frag_ = 2346;
    uint32_t powerMode_ = 0;
    uint8_t client64Bit_ = 0;
    std::array<uint8_t, 32> configuration_{};
    std::array<uint32_t, 8> staConfig_{};
    std::array<KeySlot, 4> keys_;
    int transmitSlot_ = -1;
    std::optional<std::array<uint8_t, 32>> psk_;
    std::array<uint16_t, 256> deviceWords_{};
    bool restartPending_ = false;

    Association association_;
    uint64_t txCounter_ = 0;
    uint64_t rxCounter_ = 0;

    bool scanning_ = false;
    uint64_t scanStartedAt_ = 0;
    uint64_t scansStarted_ = 0;
    std::vector<std::vector<uint8_t>> scanList_;
    size_t scanCursor_ = 0;
};

// Registers a driver as an in-process service under its class name for the
// guard's lifetime, so that the device-access calls find it.
class ScopedInProcessService {
public:
    explicit ScopedInProcessService(SimDriver& driver);
    ~ScopedInProcessService();
    ScopedInProcessService(const ScopedInProcessService&) = delete;
    ScopedInProcessService& operator=(const ScopedInProcessService&) = delete;

private:
    uint32_t id_;
};

}  // namespace corvane::sim

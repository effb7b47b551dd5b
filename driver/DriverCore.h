// The adapter's driver as the system meets it, whatever radio world stands
// behind it: one table of request handlers that decodes and validates each
// OID request, keeps the station settings, answers from them and from the
// backend (RadioBackend.h), and writes the journal.
//
// It runs in-process (register it with platform::RegisterInProcessService
// under ClassName()) or behind the socket daemon (Daemon.h). Not
// thread-safe: every call comes from one thread.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <nlohmann/json.hpp>
#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "driver/RadioBackend.h"
#include "driver/ServedDriver.h"

namespace corvane::driver {

class DriverCore : public ServedDriver, private Station {
public:
    explicit DriverCore(std::unique_ptr<RadioBackend> backend);
    ~DriverCore() override;
    DriverCore(const DriverCore&) = delete;
    DriverCore& operator=(const DriverCore&) = delete;

    RadioBackend& backend() { return *backend_; }

    const char* ClassName() const override { return DriverClassName(backend_->Kind()); }
    bool IsPresent() const override { return backend_->IsPresent(); }
    uint64_t Generation() const override { return backend_->Generation(); }
    // Connection type 0 while the backend takes a client. A client opened
    // before the adapter went away stays dead after it returns. Clients must
    // not outlive the core.
    std::unique_ptr<platform::UserClient> OpenUserClient(uint32_t connectionType) override;
    // "status": the backend's status with the station settings; any other
    // line goes to the backend.
    nlohmann::json Control(std::string_view commandLine) override;
    int TickIntervalMs() const override { return backend_->TickIntervalMs(); }
    void Tick() override { backend_->Tick(); }

    // One request as a user client's CallStructMethod receives it.
    platform::kern_return_t Call(uint32_t selector, const uint8_t* input, size_t inputSize,
                                 uint8_t* output, size_t* outputSize);
    // Calls that came from a client opened at `generation`.
    platform::kern_return_t ClientCall(uint64_t generation, uint32_t selector, const uint8_t* input,
                                       size_t inputSize, uint8_t* output, size_t* outputSize);

    // The live state as one JSON object (what `corvane-simctl status`
    // prints). "ssid" holds raw bytes: dump with error_handler_t::replace.
    nlohmann::json Status();
    const StationSettings& Settings() const override { return settings_; }

    // Appends one JSON line per user-client call (Journal.h); null: none.
    void SetJournal(std::ostream* journal) { journal_ = journal; }
    // Problems and their ends, one line each, "<program>: <line>"; null: none.
    void SetLog(std::ostream* log, std::string program);

    struct Handler;
    struct WordRule;

private:
    using Input = std::span<const uint8_t>;
    using Answer = std::vector<uint8_t>;
    using kern_return_t = platform::kern_return_t;

    static const Handler kHandlers[];

    // Station, for the backend.
    void Reset() override;
    void ForgetKeys() override;
    void RaiseRestartPending() override { restartPending_ = true; }
    void Note(const std::string& line) override;

    kern_return_t Dispatch(uint32_t selector, Input input, size_t capacity, Answer& answer);
    void Journal(uint32_t selector, const uint8_t* input, size_t inputSize, size_t capacity,
                 kern_return_t result, const uint8_t* output, size_t outputSize);

    // Queries.
    kern_return_t MediaConnectStatus(Input, size_t, Answer&);
    kern_return_t CurrentAddress(Input, size_t, Answer&);
    kern_return_t CurrentBssid(Input, size_t, Answer&);
    kern_return_t CurrentSsid(Input, size_t, Answer&);
    kern_return_t InfrastructureMode(Input, size_t, Answer&);
    kern_return_t RestartPending(Input, size_t, Answer&);
    kern_return_t RestartDone(Input, size_t, Answer&);
    kern_return_t NetworkTypes(Input, size_t, Answer&);
    kern_return_t Configuration(Input, size_t, Answer&);
    kern_return_t FirstChunk(Input, size_t, Answer&);
    kern_return_t NextChunk(Input, size_t, Answer&);
    kern_return_t LinkStatus(Input, size_t, Answer&);
    kern_return_t CountryRegion(Input, size_t, Answer&);
    kern_return_t RadioState(Input, size_t, Answer&);
    kern_return_t StaConfig(Input, size_t, Answer&);
    kern_return_t Eeprom(Input, size_t, Answer&);
    kern_return_t DriverReady(Input, size_t, Answer&);
    kern_return_t ReadDeviceWord(Input, size_t, Answer&);
    kern_return_t WriteDeviceWord(Input, size_t, Answer&);
    kern_return_t ClientWidth(Input, size_t, Answer&);
    kern_return_t Scan(Input, size_t, Answer&);

    // Set requests.
    kern_return_t JoinBssid(Input);
    kern_return_t JoinSsid(Input);
    kern_return_t Disassociate(Input);
    kern_return_t RemoveKey(Input);
    kern_return_t SetConfiguration(Input);
    kern_return_t SetRadio(Input);
    kern_return_t SetStaConfig(Input);
    kern_return_t SetClientWidth(Input);
    kern_return_t AddKey(Input);
    kern_return_t SetPskKey(Input);
    kern_return_t ScanSet(Input);

    // The requests of one u32 station setting (a WordRule).
    kern_return_t QueryWord(const WordRule& rule, Answer& answer);
    kern_return_t SetWord(const WordRule& rule, Input input);
    // A set the hardware carries out; stored in `*stored` (when given) only
    // once the backend has taken it.
    kern_return_t ApplyPhy(PhySetting setting, uint32_t value, uint32_t* stored);
    uint32_t Answered(PhySetting setting, uint32_t stored);
    uint16_t DeviceWord(uint8_t address);

    std::unique_ptr<RadioBackend> backend_;
    std::ostream* journal_ = nullptr;
    std::ostream* log_ = nullptr;
    std::string program_;

    StationSettings settings_;
    std::array<uint8_t, 32> configuration_{};
    std::array<uint32_t, 8> staConfig_{};
    uint8_t client64Bit_ = 0;
    std::array<std::optional<uint16_t>, 256> writtenWords_{};
    bool restartPending_ = false;

    // The scan list as the last first chunk found it.
    std::vector<std::vector<uint8_t>> scanList_;
    size_t scanCursor_ = 0;
    uint64_t scanListEpoch_ = 0;
};

}  // namespace corvane::driver

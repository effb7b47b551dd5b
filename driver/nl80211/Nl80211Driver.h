// The nl80211 driver: answers the system's requests from a real wireless
// interface, as the simulated driver answers them from its model world.
//
// Queries read the kernel (interface, phy, scan results, stations,
// regulatory domain, radio switch) and wpa_supplicant (STATUS); set
// requests change the phy or are kept as station settings until the SSID
// or BSSID request commits them as one wpa_supplicant network (see
// NetworkCommit.h). Each request kind is one small table of OID rows.
//
// What has no counterpart in the kernel is answered from the driver's own
// memory: the preamble (stored; mac80211 picks it), the client width, the
// station configuration's words, the EEPROM version (1.0) and the device
// words (word 0x00 the chip, 0x2573 Osprey or 0x2571 Merlin; 0x01 the
// EEPROM version; 0x02, 0x03, 0x05 the MAC address, low byte first; 0x04
// and 0x16 0x0101; 0x1C the country region; every other word 0xFFFF;
// writes are kept in memory and never reach the hardware).
//
// Not thread-safe: every call comes from the daemon's one thread.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <vector>

#include "driver/ServedDriver.h"
#include "driver/nl80211/NetworkCommit.h"
#include "driver/nl80211/Stack.h"
#include "driver/nl80211/SupplicantReplies.h"

namespace corvane::nl80211 {

enum class AdapterKind { Osprey, Merlin };

class Nl80211Driver : public ServedDriver {
public:
    Nl80211Driver(WirelessStack& stack, Supplicant& supplicant, std::string interfaceName,
                  AdapterKind kind = AdapterKind::Osprey);
    ~Nl80211Driver() override;

    const char* ClassName() const override;
    // The service stays published for the daemon's life; while the
    // interface is gone a client cannot be opened, as with an unplugged
    // adapter.
    bool IsPresent() const override { return true; }
    uint64_t Generation() const override { return generation_; }
    // Connection type 0 while the interface exists. An interface that comes
    // back (a new interface index) raises the restart-pending flag.
    std::unique_ptr<platform::UserClient> OpenUserClient(uint32_t connectionType) override;
    // "status": the interface, wpa_supplicant's state and the settings.
    nlohmann::json Control(std::string_view commandLine) override;

    // One request as a user client's call receives it.
    platform::kern_return_t Call(uint32_t selector, const uint8_t* input, size_t inputSize,
                                 uint8_t* output, size_t* outputSize);

    void SetJournal(std::ostream* journal) { journal_ = journal; }
    // Problems (wpa_supplicant unreachable, a refused join, the interface
    // gone) and their ends, one line each; null switches it off.
    void SetLog(std::ostream* log) { log_ = log; }

    const StationSettings& Settings() const { return settings_; }

    struct QueryRow;
    struct SetRow;

private:
    static const QueryRow kQueries[];
    static const SetRow kSets[];

    using Input = std::span<const uint8_t>;
    using Answer = std::vector<uint8_t>;

    platform::kern_return_t Dispatch(uint32_t selector, Input input, Answer& answer);

    // Queries.
    platform::kern_return_t MediaConnectStatus(Input, Answer&);
    platform::kern_return_t CurrentAddress(Input, Answer&);
    platform::kern_return_t CurrentBssid(Input, Answer&);
    platform::kern_return_t CurrentSsid(Input, Answer&);
    platform::kern_return_t InfrastructureMode(Input, Answer&);
    platform::kern_return_t AuthenticationMode(Input, Answer&);
    platform::kern_return_t EncryptionStatus(Input, Answer&);
    platform::kern_return_t RestartPending(Input, Answer&);
    platform::kern_return_t RestartDone(Input, Answer&);
    platform::kern_return_t NetworkTypes(Input, Answer&);
    platform::kern_return_t FragmentationThreshold(Input, Answer&);
    platform::kern_return_t RtsThreshold(Input, Answer&);
    platform::kern_return_t Configuration(Input, Answer&);
    platform::kern_return_t PowerMode(Input, Answer&);
    platform::kern_return_t FirstChunk(Input, Answer&);
    platform::kern_return_t NextChunk(Input, Answer&);
    platform::kern_return_t LinkStatus(Input, Answer&);
    platform::kern_return_t CountryRegion(Input, Answer&);
    platform::kern_return_t RadioState(Input, Answer&);
    platform::kern_return_t StaConfig(Input, Answer&);
    platform::kern_return_t EepromVersion(Input, Answer&);
    platform::kern_return_t DriverReady(Input, Answer&);
    platform::kern_return_t ReadDeviceWord(Input, Answer&);
    platform::kern_return_t WriteDeviceWord(Input, Answer&);
    platform::kern_return_t Preamble(Input, Answer&);
    platform::kern_return_t TxPower(Input, Answer&);

    // Set requests.
    platform::kern_return_t JoinBssid(Input);
    platform::kern_return_t JoinSsid(Input);
    platform::kern_return_t SetInfrastructureMode(Input);
    platform::kern_return_t Disassociate(Input);
    platform::kern_return_t SetAuthenticationMode(Input);
    platform::kern_return_t Scan(Input);
    platform::kern_return_t SetEncryptionStatus(Input);
    platform::kern_return_t RemoveKey(Input);
    platform::kern_return_t SetFragmentationThreshold(Input);
    platform::kern_return_t SetRtsThreshold(Input);
    platform::kern_return_t SetConfiguration(Input);
    platform::kern_return_t SetPowerMode(Input);
    platform::kern_return_t SetRadio(Input);
    platform::kern_return_t SetStaConfig(Input);
    platform::kern_return_t SetPreamble(Input);
    platform::kern_return_t SetTxPower(Input);
    platform::kern_return_t SetClientWidth(Input);
    platform::kern_return_t AddKey(Input);
    platform::kern_return_t SetPskKey(Input);

    // wpa_supplicant, with its reachability followed in the log.
    std::optional<std::string> Ask(const std::string& command);
    bool AskOk(const std::string& command);
    SupplicantStatus Status();
    void RemoveOwnNetworks();
    platform::kern_return_t Commit(const NetworkTarget& target);

    void Note(const std::string& line);
    std::vector<uint32_t> ScanFrequencies();
    uint16_t DeviceWord(uint8_t address);

    WirelessStack& stack_;
    Supplicant& supplicant_;
    std::string interfaceName_;
    AdapterKind kind_;
    std::ostream* journal_ = nullptr;
    std::ostream* log_ = nullptr;

    // The interface as the last open found it.
    std::optional<InterfaceInfo> interface_;
    uint32_t knownIfindex_ = 0;
    bool interfaceGone_ = false;
    uint64_t generation_ = 0;
    bool restartPending_ = false;
    std::optional<bool> supplicantAnswers_;

    StationSettings settings_;
    std::array<uint8_t, 32> configuration_{};
    uint32_t rts_ = 2347;
    uint32_t frag_ = 2346;
    uint32_t powerMode_ = 0;
    uint32_t preamble_ = 0;
    uint32_t txPower_ = 100;
    uint8_t client64Bit_ = 0;
    std::array<uint32_t, 8> staConfig_{};
    std::array<std::optional<uint16_t>, 256> writtenWords_{};

    std::vector<std::vector<uint8_t>> scanList_;
    size_t scanCursor_ = 0;
};

}  // namespace corvane::nl80211

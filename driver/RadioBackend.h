// The radio world behind a driver process: what differs between the
// simulated air, the kernel's nl80211 with wpa_supplicant, and
// NetworkManager.
//
// The DriverCore (DriverCore.h) owns what every request means: decoding and
// validating it, the station settings that accumulate until the SSID or
// BSSID request commits them, the station configuration's words, the
// device words, the network-types record, the scan list's chunks, the link
// quality scale, the journal, the control socket's status and the client
// connections. A backend answers only the questions the core cannot answer
// itself (is the adapter there, what is its address, which network is it on,
// what did the scan find) and carries out what the requests ask of the radio
// (scan, join, disassociate, switch the radio, take a threshold).
//
// Every call comes from the driver process's one thread. The core calls
// Attach once, before anything else.
#pragma once

#include <array>
#include <cstdint>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "adapter/AdapterKind.h"
#include "adapter/Records.h"
#include "driver/StationSettings.h"
#include "platform/DeviceAccess.h"

namespace corvane::driver {

// The backends' interface speaks of these protocol types.
using corvane::AdapterKind;
using corvane::MacAddress;

struct EepromVersion {
    uint8_t major = 1;
    uint8_t minor = 0;
};

// The radio switches: `on` when the radio sends (neither switch blocks it),
// `hardwareOn` when the hardware switch lets it.
struct RadioSwitches {
    bool on = true;
    bool hardwareOn = true;
};

// The association as the radio world has it now.
struct LinkState {
    bool associated = false;
    std::string ssid;           // raw bytes
    MacAddress bssid{};         // all zero when not known
    uint32_t frequencyKhz = 0;  // 0 when not known: the configuration's own is answered
};

// The link status record's measurements; all zero while unassociated.
struct LinkStatistics {
    uint32_t rate500Kbps = 0;
    std::optional<int32_t> signalDbm;  // none: quality 0
    uint32_t txPackets = 0;
    uint32_t rxPackets = 0;
};

// What an SSID or BSSID request (not the reset record) asks to join.
struct JoinRequest {
    std::string ssid;                 // SSID request: the raw name, 1..32 bytes; else empty
    std::optional<MacAddress> bssid;  // BSSID request
};

// The set requests a backend may carry out on the hardware, in the
// requests' own units: thresholds in bytes, transmit power in percent, the
// NDIS power mode, the radio 0 (off) or 1 (on).
enum class PhySetting { RtsThreshold, FragmentationThreshold, TxPower, PowerMode, Radio };

// What the core lets a backend see of the station and do to it.
class Station {
public:
    virtual ~Station() = default;
    virtual const StationSettings& Settings() const = 0;
    // The adapter came back (plugged in again): every setting, the written
    // device words and the restart flag to their start values.
    virtual void Reset() = 0;
    // The keys the adapter held are lost (a restart of its firmware).
    virtual void ForgetKeys() = 0;
    // The system has to set the adapter up again (OID_VX_RESTART_PENDING).
    virtual void RaiseRestartPending() = 0;
    // One line in the driver process's log (problems and their ends).
    virtual void Note(const std::string& line) = 0;
};

class RadioBackend {
public:
    virtual ~RadioBackend() = default;
    void Attach(Station& station) { station_ = &station; }

    // --- the adapter's life ---------------------------------------------------
    virtual AdapterKind Kind() const = 0;
    // Whether the adapter's service is in the registry now.
    virtual bool IsPresent() const = 0;
    // Counts the adapter's comings and goings; a client opened at an older
    // generation is dead.
    virtual uint64_t Generation() const = 0;
    // A client is being opened (connection type 0): whether the adapter
    // takes one now. The backend may look at its hardware afresh here.
    virtual bool Open() = 0;
    // Whether a request can reach the adapter now; if not it fails with
    // kIOReturnNoDevice.
    virtual bool Reachable() const = 0;
    // Called before each request that reaches the adapter (the simulated
    // air lets its time pass here).
    virtual void BeforeRequest() {}
    // Ticks while the process waits for requests (ServedDriver.h); -1: none.
    virtual int TickIntervalMs() const { return -1; }
    virtual void Tick() {}

    // --- facts ----------------------------------------------------------------
    virtual MacAddress Address() = 0;
    virtual uint32_t CountryRegion() = 0;
    // nullopt when the hardware cannot be asked (the request fails).
    virtual std::optional<bool> Supports5GHz() = 0;
    virtual EepromVersion Eeprom() { return {}; }
    virtual bool EepromError() { return false; }
    // Whether the driver answers yet (OID_VX_DRIVER_READY).
    virtual bool DriverReady() = 0;
    virtual RadioSwitches Radio() = 0;
    // The infrastructure mode in force; nullopt: the one last set.
    virtual std::optional<uint32_t> InfrastructureModeInUse() { return std::nullopt; }
    virtual LinkState Link() = 0;
    virtual LinkStatistics Statistics() = 0;
    // The value the hardware has now for a setting; nullopt: the core
    // answers the value last taken.
    virtual std::optional<uint32_t> Current(PhySetting) { return std::nullopt; }

    // --- what the requests ask of the radio --------------------------------------
    // Starts a scan (a running one answers the request too).
    virtual platform::kern_return_t Scan() = 0;
    // The entries of the last completed scan, encoded (ScanEntryRecord.h),
    // in the order to list them; empty while a scan runs. The core takes a
    // copy at each first chunk and serves the further chunks from it.
    virtual std::vector<std::vector<uint8_t>> ScanList() = 0;
    // Changes when the list a first chunk copied no longer stands (a new
    // scan began, the adapter came back); further chunks then end the list.
    virtual uint64_t ScanListEpoch() const { return Generation(); }
    // Commits Settings() for the network the request names.
    virtual platform::kern_return_t Join(const JoinRequest& request) = 0;
    // The disassociate request; `forget` for the reset record (an SSID
    // request of length 0): nothing the last join committed may bring the
    // link back.
    virtual platform::kern_return_t Disassociate(bool forget) = 0;
    // Carries a set request out on the hardware. nullopt: taken; otherwise
    // why not: the core logs it, answers kIOReturnError and keeps the value
    // it had.
    virtual std::optional<std::string> Apply(PhySetting, uint32_t /*value*/) {
        return std::nullopt;
    }

    // --- the control socket ----------------------------------------------------------
    // The radio world's part of the "status" reply (the core adds the
    // station settings).
    virtual nlohmann::json Status() = 0;
    // Any other control command line; the reply is {"ok": true, ...} or
    // {"ok": false, "error": "..."}.
    virtual nlohmann::json Control(std::string_view line);

protected:
    Station& station() const { return *station_; }

private:
    Station* station_ = nullptr;
};

}  // namespace corvane::driver

// The simulated radio world: one adapter and the networks it can hear, read
// from a JSON environment file (schema in driver/ENVIRONMENT.md).
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "adapter/AdapterKind.h"
#include "adapter/Records.h"

namespace corvane::sim {

struct AdapterSpec {
    AdapterKind kind = AdapterKind::Osprey;
    MacAddress mac = {0x00, 0x0C, 0x43, 0x25, 0x73, 0x01};
    uint32_t countryRegion = 0x0081;
    bool supports5GHz = false;
    uint8_t eepromMajor = 1;
    uint8_t eepromMinor = 2;
    bool hwRadio = true;
    bool eepromError = false;
    uint32_t readyDelayMs = 0;
};

enum class NetworkMode { Infrastructure, AdHoc };

enum class Security {
    Open,
    Wep,
    WpaPsk,
    Wpa2Psk,
    WpaWpa2Psk,
    WpaEnterprise,
    Wpa2Enterprise,
    WpaNone,
};

enum class WepAuth { Open, Shared };

struct NetworkSpec {
    std::string ssid;  // raw bytes, 0..32
    MacAddress bssid{};
    uint32_t frequencyKhz = 0;
    int32_t rssi = -60;
    NetworkMode mode = NetworkMode::Infrastructure;
    Security security = Security::Open;
    bool tkip = false;
    bool ccmp = false;
    // Pairwise master key of a WPA network (from the passphrase or psk_hex).
    std::optional<std::array<uint8_t, 32>> pmk;
    // WEP key bytes per slot; an empty slot holds no key.
    std::array<std::vector<uint8_t>, kWepSlotCount> wepKeys;
    WepAuth wepAuth = WepAuth::Open;
    bool hidden = false;
    bool privacy = false;
    // When set, exactly these bytes are the tagged elements of the beacon.
    std::optional<std::vector<uint8_t>> ies;
};

struct Environment {
    AdapterSpec adapter;
    std::vector<NetworkSpec> networks;
};

// Parses an environment document. On failure returns nullopt and puts a
// message naming the offending field into `error`.
std::optional<Environment> ParseEnvironment(std::string_view json, std::string* error);
// Parses one network object (the add-network control command uses it too).
std::optional<NetworkSpec> ParseNetwork(std::string_view json, std::string* error);
// Reads the file only when it is a regular one of at most
// kMaxEnvironmentFileSize bytes (a FIFO, a device or a folder is refused
// at once); the error names the path and why.
inline constexpr size_t kMaxEnvironmentFileSize = 1024 * 1024;
std::optional<Environment> LoadEnvironmentFile(const std::string& path, std::string* error);

// The sample environment compiled into the library.
std::string_view BundledSampleEnvironment();

// "AA:BB:CC:DD:EE:FF" (also accepts '-' separators and lower case).
std::optional<MacAddress> ParseMac(std::string_view text);
std::string FormatMacColons(const MacAddress& mac);

// PBKDF2-HMAC-SHA1(passphrase, ssid, 4096, 32) as IEEE 802.11i defines the
// pre-shared key.
std::array<uint8_t, 32> DerivePmk(std::string_view passphrase, std::string_view ssid);

// Centre frequency of a channel by the IEEE 802.11 channel rule, 0 when the
// number is no channel of the 2.4 or 5 GHz band.
uint32_t FrequencyOfChannel(uint32_t channel);
// Channel of a centre frequency, 0 when it is none.
uint32_t ChannelOfFrequency(uint32_t frequencyKhz);

}  // namespace corvane::sim

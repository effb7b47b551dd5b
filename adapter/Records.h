// Byte layouts of the records exchanged with the driver (64-bit client
// layout, little-endian). Each record is declared once as a plain struct
// whose natural layout equals the wire layout (checked below), and travels
// through explicit Encode/Decode functions, never by casting a buffer.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "adapter/ByteOrder.h"

namespace corvane {

inline constexpr size_t kSsidMaxLength = 32;
inline constexpr size_t kMacLength = 6;
// A MAC address or BSSID.
using MacAddress = std::array<uint8_t, kMacLength>;

struct NDIS_802_11_SSID {
    uint32_t SsidLength = 0;
    uint8_t Ssid[kSsidMaxLength] = {};
};
static_assert(sizeof(NDIS_802_11_SSID) == 36);
static_assert(offsetof(NDIS_802_11_SSID, Ssid) == 4);

struct NDIS_802_11_CONFIGURATION_FH {
    uint32_t Length = 0;
    uint32_t HopPattern = 0;
    uint32_t HopSet = 0;
    uint32_t DwellTime = 0;
};

struct NDIS_802_11_CONFIGURATION {
    uint32_t Length = 0;
    uint32_t BeaconPeriod = 0;
    uint32_t ATIMWindow = 0;
    uint32_t DSConfig = 0;
    NDIS_802_11_CONFIGURATION_FH FHConfig;
};
static_assert(sizeof(NDIS_802_11_CONFIGURATION) == 32);
static_assert(offsetof(NDIS_802_11_CONFIGURATION, DSConfig) == 12);
static_assert(offsetof(NDIS_802_11_CONFIGURATION, FHConfig) == 16);

struct VX_802_11_STA_CONFIG {
    uint32_t EnableTxBurst = 0;
    uint32_t EnableTurboRate = 0;
    uint32_t UseBGProtection = 0;
    uint32_t UseShortSlotTime = 0;
    uint32_t AdhocMode = 0;
    uint32_t HwRadioStatus = 0;
    uint32_t Rsv1 = 0;
    uint32_t SystemErrorBitmap = 0;
};
static_assert(sizeof(VX_802_11_STA_CONFIG) == 32);
static_assert(offsetof(VX_802_11_STA_CONFIG, HwRadioStatus) == 20);
static_assert(offsetof(VX_802_11_STA_CONFIG, SystemErrorBitmap) == 28);
inline constexpr uint32_t kSystemErrorEeprom = 0x1;

struct VX_802_11_LINK_STATUS {
    uint32_t Word0 = 0;
    uint32_t ChannelQuality = 0;  // percent, as the driver measures it
    uint32_t TxCount = 0;
    uint32_t RxCount = 0;
    uint32_t Word4 = 0;
};
static_assert(sizeof(VX_802_11_LINK_STATUS) == 20);
static_assert(offsetof(VX_802_11_LINK_STATUS, ChannelQuality) == 4);

struct NetworkTypeList {
    uint32_t NumberOfItems = 0;
    uint32_t NetworkType[4] = {};
};
static_assert(sizeof(NetworkTypeList) == 20);

// NDIS_802_11_KEY: the fixed part; key material follows at offset 32.
struct NDIS_802_11_KEY_HEADER {
    uint32_t Length = 0;
    uint32_t KeyIndex = 0;
    uint32_t KeyLength = 0;
    uint8_t BSSID[kMacLength] = {};
    uint8_t Reserved[14] = {};
};
static_assert(sizeof(NDIS_802_11_KEY_HEADER) == 32);
static_assert(offsetof(NDIS_802_11_KEY_HEADER, BSSID) == 12);
inline constexpr size_t kKeyMaterialOffset = 32;
// A key index names a WEP key slot in its low byte and may carry the
// transmit and pairwise flags in bits 31 and 30; the bits between are
// reserved and stay clear. The key material is 1 to kKeyMaterialMax bytes.
inline constexpr int kWepSlotCount = 4;
inline constexpr uint32_t kKeyIndexTransmit = 0x80000000;
inline constexpr uint32_t kKeyIndexSlot = 0x000000FF;
inline constexpr uint32_t kKeyIndexReserved = 0x1FFFFF00;
inline constexpr uint32_t kKeyMaterialMax = 32;

constexpr uint32_t KeyIndexSlot(uint32_t index) { return index & kKeyIndexSlot; }
constexpr bool ValidKeyIndex(uint32_t index) {
    return KeyIndexSlot(index) < uint32_t(kWepSlotCount) && (index & kKeyIndexReserved) == 0;
}

struct NDIS_802_11_REMOVE_KEY {
    uint32_t Length = 16;
    uint32_t KeyIndex = 0;
    uint8_t BSSID[kMacLength] = {};
    uint8_t Padding[2] = {};
};
static_assert(sizeof(NDIS_802_11_REMOVE_KEY) == 16);
static_assert(offsetof(NDIS_802_11_REMOVE_KEY, BSSID) == 8);

// Device word record of the device-word read and write requests.
struct DeviceWordRecord {
    uint8_t Address = 0;
    uint8_t One = 1;
    uint8_t Two = 2;
    uint8_t Zero = 0;
    uint16_t Value = 0;
};
static_assert(sizeof(DeviceWordRecord) == 6);
static_assert(offsetof(DeviceWordRecord, Value) == 4);

// Scan-list entry (NDIS_WLAN_BSSID_EX) offsets; entries are variable length.
namespace bss {
inline constexpr size_t kLength = 0;
inline constexpr size_t kMacAddress = 4;
inline constexpr size_t kSsidLength = 12;
inline constexpr size_t kSsid = 16;
inline constexpr size_t kPrivacy = 48;
inline constexpr size_t kRssi = 52;
inline constexpr size_t kNetworkTypeInUse = 56;
inline constexpr size_t kConfiguration = 60;
inline constexpr size_t kDSConfig = 72;
inline constexpr size_t kInfrastructureMode = 92;
inline constexpr size_t kSupportedRates = 96;
inline constexpr size_t kIELength = 112;
inline constexpr size_t kIEs = 116;
inline constexpr size_t kFixedBeaconFields = 12;
inline constexpr size_t kTaggedElements = kIEs + kFixedBeaconFields;  // 128
inline constexpr size_t kMinLengthForElements = 105;
inline constexpr size_t kMinIELengthForElements = 13;
}  // namespace bss
static_assert(bss::kDSConfig ==
              bss::kConfiguration + offsetof(NDIS_802_11_CONFIGURATION, DSConfig));
static_assert(bss::kSsid == bss::kSsidLength + offsetof(NDIS_802_11_SSID, Ssid));

inline constexpr size_t kBssidListBufferSize = 64 * 1024;
inline constexpr size_t kBssidListChunkSize = 4096;

// --- encoding ------------------------------------------------------------

using Ssid36 = std::array<uint8_t, sizeof(NDIS_802_11_SSID)>;
using Config32 = std::array<uint8_t, sizeof(NDIS_802_11_CONFIGURATION)>;

Ssid36 EncodeSsid(const NDIS_802_11_SSID& ssid);
NDIS_802_11_SSID DecodeSsid(std::span<const uint8_t> bytes);
// An SSID record for a text, cut to 32 bytes.
NDIS_802_11_SSID MakeSsid(std::string_view text);

Config32 EncodeConfiguration(const NDIS_802_11_CONFIGURATION& config);
NDIS_802_11_CONFIGURATION DecodeConfiguration(std::span<const uint8_t> bytes);

std::array<uint8_t, 32> EncodeStaConfig(const VX_802_11_STA_CONFIG& config);
VX_802_11_STA_CONFIG DecodeStaConfig(std::span<const uint8_t> bytes);

std::array<uint8_t, 20> EncodeLinkStatus(const VX_802_11_LINK_STATUS& status);
VX_802_11_LINK_STATUS DecodeLinkStatus(std::span<const uint8_t> bytes);

std::array<uint8_t, 20> EncodeNetworkTypes(const NetworkTypeList& list);
NetworkTypeList DecodeNetworkTypes(std::span<const uint8_t> bytes);

std::array<uint8_t, 16> EncodeRemoveKey(uint32_t keyIndex);

// Fields absent from `bytes` (a short answer) decode as 0.
NDIS_802_11_KEY_HEADER DecodeKeyHeader(std::span<const uint8_t> bytes);

// "%02X-%02X-%02X-%02X-%02X-%02X"
std::string FormatMac(std::span<const uint8_t> mac);

}  // namespace corvane

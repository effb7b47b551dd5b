// The OID numbers exchanged with the adapter's driver, in the NDIS numbering.
// A set request travels with bit 23 (OID_SET_FLAG) added to the selector.
#pragma once

#include <cstdint>

namespace corvane {

inline constexpr uint32_t OID_SET_FLAG = 0x00800000;

inline constexpr uint32_t OID_GEN_MEDIA_CONNECT_STATUS = 0x00010114;
inline constexpr uint32_t OID_802_3_CURRENT_ADDRESS = 0x01010102;
inline constexpr uint32_t OID_802_11_BSSID = 0x0D010101;
inline constexpr uint32_t OID_802_11_SSID = 0x0D010102;
inline constexpr uint32_t OID_802_11_INFRASTRUCTURE_MODE = 0x0D010108;
inline constexpr uint32_t OID_802_11_DISASSOCIATE = 0x0D010115;
inline constexpr uint32_t OID_802_11_AUTHENTICATION_MODE = 0x0D010118;
inline constexpr uint32_t OID_802_11_BSSID_LIST_SCAN = 0x0D01011A;
inline constexpr uint32_t OID_802_11_ENCRYPTION_STATUS = 0x0D01011B;
inline constexpr uint32_t OID_802_11_REMOVE_KEY = 0x0D01011E;
inline constexpr uint32_t OID_VX_RESTART_PENDING = 0x0D010120;
inline constexpr uint32_t OID_VX_RESTART_DONE = 0x0D010121;
inline constexpr uint32_t OID_802_11_NETWORK_TYPES_SUPPORTED = 0x0D010203;
inline constexpr uint32_t OID_802_11_FRAGMENTATION_THRESHOLD = 0x0D010209;
inline constexpr uint32_t OID_802_11_RTS_THRESHOLD = 0x0D01020A;
inline constexpr uint32_t OID_802_11_CONFIGURATION = 0x0D010211;
inline constexpr uint32_t OID_802_11_POWER_MODE = 0x0D010216;
inline constexpr uint32_t OID_802_11_BSSID_LIST = 0x0D010217;
inline constexpr uint32_t OID_VX_BSSID_LIST_NEXT = 0x0D010218;
inline constexpr uint32_t OID_VX_LINK_STATUS = 0x0D710102;
inline constexpr uint32_t OID_VX_COUNTRY_REGION = 0x0D710107;
inline constexpr uint32_t OID_VX_RADIO = 0x0D710108;
inline constexpr uint32_t OID_VX_STA_CONFIG = 0x0D710111;
inline constexpr uint32_t OID_VX_EEPROM_VERSION = 0x0D710119;
inline constexpr uint32_t OID_VX_DRIVER_READY = 0x0D710299;
inline constexpr uint32_t OID_VX_DEVICE_WORD_WRITE = 0x0D73010A;
inline constexpr uint32_t OID_VX_DEVICE_WORD_READ = 0x0D73010B;
inline constexpr uint32_t OID_VX_PREAMBLE = 0x0DF10101;
inline constexpr uint32_t OID_VX_TX_POWER = 0x0DF10118;
inline constexpr uint32_t OID_VX_CLIENT_64BIT = 0x0DF101F2;
inline constexpr uint32_t OID_VX_WPA_PSK_KEY = 0x0DF101F3;
inline constexpr uint32_t OID_VX_ADD_KEY = 0x0DF101F4;

// The forms in which callers pass some set OIDs (bit 23 already added), and
// the two operations that travel through the query call under a set number.
inline constexpr uint32_t OID_802_11_BSSID_SET = OID_802_11_BSSID | OID_SET_FLAG;  // 0x0D810101
inline constexpr uint32_t OID_802_11_INFRASTRUCTURE_MODE_SET =
    OID_802_11_INFRASTRUCTURE_MODE | OID_SET_FLAG;  // 0x0D810108
inline constexpr uint32_t OID_802_11_AUTHENTICATION_MODE_SET =
    OID_802_11_AUTHENTICATION_MODE | OID_SET_FLAG;  // 0x0D810118
inline constexpr uint32_t OID_802_11_BSSID_LIST_SCAN_PASSED =
    OID_802_11_BSSID_LIST_SCAN | OID_SET_FLAG;  // 0x0D81011A
inline constexpr uint32_t OID_802_11_ENCRYPTION_STATUS_SET =
    OID_802_11_ENCRYPTION_STATUS | OID_SET_FLAG;                           // 0x0D81011B
inline constexpr uint32_t OID_VX_RADIO_SET = OID_VX_RADIO | OID_SET_FLAG;  // 0x0DF10108

// Media connect states.
inline constexpr uint32_t kMediaConnected = 0;
inline constexpr uint32_t kMediaDisconnected = 1;

// Published NDIS values the system sends.
inline constexpr int32_t Ndis802_11IBSS = 0;
inline constexpr int32_t Ndis802_11Infrastructure = 1;
inline constexpr int32_t Ndis802_11AutoUnknown = 2;

inline constexpr int32_t Ndis802_11AuthModeOpen = 0;
inline constexpr int32_t Ndis802_11AuthModeShared = 1;
inline constexpr int32_t Ndis802_11AuthModeWPA = 3;
inline constexpr int32_t Ndis802_11AuthModeWPAPSK = 4;
inline constexpr int32_t Ndis802_11AuthModeWPANone = 5;
inline constexpr int32_t Ndis802_11AuthModeWPA2 = 6;
inline constexpr int32_t Ndis802_11AuthModeWPA2PSK = 7;

inline constexpr int32_t Ndis802_11WEPEnabled = 0;
inline constexpr int32_t Ndis802_11WEPDisabled = 1;
inline constexpr int32_t Ndis802_11Encryption2Enabled = 4;  // TKIP
inline constexpr int32_t Ndis802_11Encryption3Enabled = 6;  // AES

// The largest RTS and fragmentation thresholds, in bytes. A threshold at its
// largest leaves RTS or fragmentation off, which is where they start.
inline constexpr int32_t kRtsThresholdMax = 2347;
inline constexpr int32_t kFragThresholdMax = 2346;

inline constexpr int32_t Ndis802_11PowerModeCAM = 0;
inline constexpr int32_t Ndis802_11PowerModeMAX_PSP = 1;

// Published network types, as the network-types record lists them and a
// scan entry's NetworkTypeInUse gives one: direct sequence, OFDM in the
// 5 GHz band (its presence is what 5 GHz support means) and OFDM in the
// 2.4 GHz band.
inline constexpr uint32_t Ndis802_11DS = 1;
inline constexpr uint32_t Ndis802_11OFDM5 = 2;
inline constexpr uint32_t Ndis802_11OFDM24 = 3;

}  // namespace corvane

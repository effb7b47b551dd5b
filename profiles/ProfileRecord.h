// PROFILE_DATA: the connect record the apply sequence sends to the adapter,
// and the NDIS_802_11_KEY records it owns.
//
// Ownership is carried by the types: a key record is a
// std::unique_ptr<uint8_t[]> of exactly its `...Length` bytes, and the record
// itself travels as a std::unique_ptr<PROFILE_DATA>. Whoever holds the
// unique_ptr frees the record and its key records exactly once, on every path.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>

#include "adapter/Records.h"

namespace corvane {

// One NDIS_802_11_KEY as a heap byte block (Length, KeyIndex, KeyLength,
// BSSID FF..FF, zeros, key material from offset 32, meaningless tail).
using KeyRecord = std::unique_ptr<uint8_t[]>;

struct PROFILE_DATA {
    int8_t bConnectByBssid = 0;  // 1: associate with Bssid; 0: by SSID
    NDIS_802_11_SSID SsidRecord;
    uint8_t Bssid[kMacLength] = {};
    uint8_t Reserved1[2] = {};
    int32_t NetworkType = 0;  // 0 ad hoc, 1 infrastructure
    int32_t PreambleType = 0;
    uint32_t RtsThreshold = 0;
    uint32_t FragThreshold = 0;
    int32_t AuthMode = 0;          // NDIS authentication mode
    int32_t EncryptionStatus = 0;  // NDIS encryption status
    uint32_t TxPowerIndex = 0;     // 0..4
    KeyRecord PskKey;
    uint32_t PskKeyLength = 0;  // bytes of PskKey; 0 = no record
    KeyRecord WepKey1;
    uint32_t WepKey1Length = 0;
    KeyRecord WepKey2;
    uint32_t WepKey2Length = 0;
    KeyRecord WepKey3;
    uint32_t WepKey3Length = 0;
    KeyRecord WepKey4;
    uint32_t WepKey4Length = 0;
    int32_t PowerMode = 0;  // 0 constantly awake, 1 power save
    int8_t bCamWhenAcPower = 0;
    uint32_t ChannelFrequency = 0;  // kHz, for DSConfig
    int8_t Reserved2 = 0;
    uint8_t Reserved3[8] = {};
    VX_802_11_STA_CONFIG StaConfig;
    int8_t bDisassociateFirst = 0;
};

using ProfileRecordPtr = std::unique_ptr<PROFILE_DATA>;

// A new zero-filled record.
ProfileRecordPtr NewProfileData();

// The record that drops the current association: zero except NetworkType 1,
// EncryptionStatus 1 (disabled) and bDisassociateFirst 1.
ProfileRecordPtr MakeResetRecord();

// Frees the five key records (setting pointers and lengths to zero), then the
// record; `record` is null afterwards. Safe on a null record.
void ReleaseProfileData(ProfileRecordPtr& record);

// Frees only the key records of `record`, zeroing their pointers and lengths.
void ReleaseKeyRecords(PROFILE_DATA& record);

// A zero-filled key block of `length` bytes: Length = length, KeyIndex,
// KeyLength = keyBytes.size(), BSSID six 0xFF bytes, the key bytes from
// offset 32. Null when `length` has no room for the header and the key bytes
// (a caller error; nothing would be safe to send).
KeyRecord BuildKeyRecord(uint32_t length, uint32_t keyIndex, std::span<const uint8_t> keyBytes);

// Slot 0..3 access to the WEP key pairs (WepKey1/WepKey1Length ...).
struct WepSlotRef {
    KeyRecord& key;
    uint32_t& length;
};
WepSlotRef WepSlot(PROFILE_DATA& record, int slot);
// The key block of a slot as bytes ({} when the slot has no key).
std::span<const uint8_t> WepSlotBytes(const PROFILE_DATA& record, int slot);
std::span<const uint8_t> PskKeyBytes(const PROFILE_DATA& record);

}  // namespace corvane

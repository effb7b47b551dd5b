#include "profiles/ProfileRecord.h"

#include <cstring>

#include "adapter/ByteOrder.h"

namespace corvane {

ProfileRecordPtr NewProfileData() { return std::make_unique<PROFILE_DATA>(); }

ProfileRecordPtr MakeResetRecord() {
    auto record = NewProfileData();
    record->NetworkType = 1;
    record->EncryptionStatus = 1;
    record->bDisassociateFirst = 1;
    return record;
}

void ReleaseKeyRecords(PROFILE_DATA& record) {
    record.PskKey.reset();
    record.PskKeyLength = 0;
    for (int slot = 0; slot < kWepSlotCount; ++slot) {
        WepSlotRef ref = WepSlot(record, slot);
        ref.key.reset();
        ref.length = 0;
    }
}

void ReleaseProfileData(ProfileRecordPtr& record) {
    if (!record) return;
    ReleaseKeyRecords(*record);
    record.reset();
}

KeyRecord BuildKeyRecord(uint32_t length, uint32_t keyIndex, std::span<const uint8_t> keyBytes) {
    if (length < kKeyMaterialOffset || length - kKeyMaterialOffset < keyBytes.size())
        return nullptr;
    KeyRecord block(new uint8_t[length]());
    uint8_t* p = block.get();
    WriteLe32(p + 0, length);
    WriteLe32(p + 4, keyIndex);
    WriteLe32(p + 8, uint32_t(keyBytes.size()));
    std::memset(p + 12, 0xFF, kMacLength);
    if (!keyBytes.empty()) std::memcpy(p + kKeyMaterialOffset, keyBytes.data(), keyBytes.size());
    return block;
}

WepSlotRef WepSlot(PROFILE_DATA& record, int slot) {
    switch (slot) {
        case 0:
            return {record.WepKey1, record.WepKey1Length};
        case 1:
            return {record.WepKey2, record.WepKey2Length};
        case 2:
            return {record.WepKey3, record.WepKey3Length};
        default:
            return {record.WepKey4, record.WepKey4Length};
    }
}

namespace {
std::span<const uint8_t> Bytes(const KeyRecord& key, uint32_t length) {
    if (!key || length == 0) return {};
    return {key.get(), length};
}
}  // namespace

std::span<const uint8_t> WepSlotBytes(const PROFILE_DATA& record, int slot) {
    switch (slot) {
        case 0:
            return Bytes(record.WepKey1, record.WepKey1Length);
        case 1:
            return Bytes(record.WepKey2, record.WepKey2Length);
        case 2:
            return Bytes(record.WepKey3, record.WepKey3Length);
        case 3:
            return Bytes(record.WepKey4, record.WepKey4Length);
        default:
            return {};
    }
}

std::span<const uint8_t> PskKeyBytes(const PROFILE_DATA& record) {
    return Bytes(record.PskKey, record.PskKeyLength);
}

}  // namespace corvane

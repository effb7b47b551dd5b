#include "profiles/ConnectEngine.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "adapter/ChannelPlan.h"
#include "adapter/Globals.h"
#include "adapter/KestrelAccess.h"
#include "adapter/Oids.h"
#include "adapter/Requests.h"
#include "crypto/MathFunc.h"
#include "crypto/Wipe.h"
#include "platform/Clock.h"
#include "platform/SystemInfo.h"

namespace corvane {

namespace {

constexpr uint32_t kWepRecordOverhead = 39;  // key length + 39, the stored-profile form
constexpr size_t kPskWorkingBufferSize = 64;
constexpr uint32_t kAdhocFallbackChannel = 1;

// Reads the adapter's configuration, puts the channel's frequency into
// DSConfig and sets it back. A failed query still sets the (zeroed) record
// with the frequency: the request is as the driver expects it either way.
void SetConfigurationFrequency(KestrelAccess& adapter, uint32_t frequency) {
    NDIS_802_11_CONFIGURATION config = QueryConfiguration(adapter);
    config.DSConfig = frequency;
    SetConfiguration(adapter, config);
}

// The key bytes of one WEP slot as stored: type non-zero takes the text's
// bytes, type 0 decodes hexadecimal digit pairs (a trailing odd digit is
// ignored). Returns the key length, 0 for no key.
//
// The editor never stores a key of more than 13 bytes (104-bit WEP). A
// longer one can only come from a damaged or hand-edited file; cutting it to
// 13 bytes would silently install a different key, so such a slot is treated
// as having no key (the slot's key is removed from the adapter instead).
uint8_t ConvertWepSlot(const std::string& text, int32_t type, uint8_t* material) {
    const size_t length = type != kKeyTypeHex ? text.size() : text.size() / 2;
    if (length == 0 || length > kMaxWepKeyBytes) return 0;
    std::memset(material, 0, kKeyMaterialBufferSize);
    if (type != kKeyTypeHex)
        std::memcpy(material, text.data(), length);
    else
        AtoH(text.c_str(), material, int(length));
    return uint8_t(length);
}

void ConvertWepKeys(const PrefDictionary& profile, PROFILE_DATA& record,
                    ConverterKeyBuffers& keys) {
    const int32_t keyUse = IntValue(profile, kKeyWepKeyUse);
    for (int slot = 0; slot < kWepSlotCount; ++slot) {
        uint8_t* material = keys.Material(slot);
        const uint8_t length = ConvertWepSlot(profile.Value(kKeyWepKey[slot]),
                                              IntValue(profile, kKeyWepKeyType[slot]), material);
        keys.Len(slot) = length;
        if (length == 0) continue;
        uint32_t index = uint32_t(slot);
        if (keyUse == slot) index |= kKeyIndexTransmit;
        WepSlotRef ref = WepSlot(record, slot);
        ref.key = BuildKeyRecord(length + kWepRecordOverhead, index, {material, length});
        ref.length = ref.key ? length + kWepRecordOverhead : 0;
    }
}

void ConvertPsk(const PrefDictionary& profile, int32_t auth, int32_t enc, uint32_t pskRecordLength,
                PROFILE_DATA& record) {
    const std::string passphrase = profile.Value(kKeyWpaPsk);
    uint8_t buffer[kPskWorkingBufferSize] = {};
    std::memcpy(buffer, passphrase.data(), std::min(passphrase.size(), sizeof buffer));
    if (passphrase.size() == kPskHexLength)
        AtoH(passphrase.c_str(), buffer, kPmkLen);
    else
        PasswordHash(passphrase.c_str(), record.SsidRecord.Ssid, int(record.SsidRecord.SsidLength),
                     buffer);
    record.PskKey = BuildKeyRecord(pskRecordLength, kKeyIndexTransmit, {buffer, size_t(kPmkLen)});
    record.PskKeyLength = record.PskKey ? pskRecordLength : 0;
    detail::SecureWipe(buffer, sizeof buffer);

    record.AuthMode = NdisAuthModeFor(auth, record.NetworkType);
    record.EncryptionStatus = NdisEncryptionFor(auth, enc);
}

}  // namespace

uint8_t* ConverterKeyBuffers::Material(int slot) {
    switch (slot) {
        case 0:
            return Key1Material;
        case 1:
            return Key2Material;
        case 2:
            return Key3Material;
        default:
            return Key4Material;
    }
}

uint8_t& ConverterKeyBuffers::Len(int slot) {
    switch (slot) {
        case 0:
            return Key1Len;
        case 1:
            return Key2Len;
        case 2:
            return Key3Len;
        default:
            return Key4Len;
    }
}

void ConverterKeyBuffers::Zero() {
    for (int slot = 0; slot < kWepSlotCount; ++slot) {
        detail::SecureWipe(Material(slot), kKeyMaterialBufferSize);
        Len(slot) = 0;
    }
}

uint32_t TxPowerPercent(uint32_t index) {
    static constexpr uint32_t kPercent[] = {100, 75, 50, 25, 12};
    return index < std::size(kPercent) ? kPercent[index] : 100;
}

uint32_t AdhocChannelFrequency(int32_t channel) {
    // A channel the table does not know (a damaged file, or a plan from
    // another region) still needs a defined frequency. Channel 1 is in every
    // region's 2.4 GHz plan and is what infrastructure profiles store, so the
    // ad hoc network starts there rather than on a frequency of 0, which no
    // driver can tune to.
    if (channel > 0)
        if (auto f = FrequencyForChannel(uint32_t(channel))) return *f;
    return FrequencyForChannel(kAdhocFallbackChannel).value_or(2412000);
}

ProfileRecordPtr ConvertProfile(const PrefDictionary& profile, uint32_t pskRecordLength,
                                ConverterKeyBuffers& keys) {
    ProfileRecordPtr record = NewProfileData();
    const int32_t auth = IntValue(profile, kKeyAuthenticationType);
    const int32_t enc = IntValue(profile, kKeyEncryptionType);

    // The name goes to the driver as bytes: its UTF-8 form, cut to 32 bytes.
    record->SsidRecord = MakeSsid(profile.Value(kKeySsid));

    record->bCamWhenAcPower = int8_t(IntValue(profile, kKeyAcPowerCam));
    record->PowerMode = IntValue(profile, kKeyPowerSaveMode);
    record->RtsThreshold = uint32_t(IntValue(profile, kKeyRtsThreshold));
    record->FragThreshold = uint32_t(IntValue(profile, kKeyFragThreshold));
    record->PreambleType = IntValue(profile, kKeyPreambleType);
    record->NetworkType = IntValue(profile, kKeyNetworkType);
    record->TxPowerIndex = uint32_t(IntValue(profile, kKeyTxPower));

    if (record->NetworkType == Ndis802_11IBSS)
        record->ChannelFrequency = AdhocChannelFrequency(IntValue(profile, kKeyChannel));

    if (IsPskInUse(auth)) {
        ConvertPsk(profile, auth, enc, pskRecordLength, *record);
    } else {
        record->AuthMode = NdisAuthModeFor(auth, record->NetworkType);
        record->EncryptionStatus = NdisEncryptionFor(auth, enc);
        if (IsWepInUse(auth, enc)) ConvertWepKeys(profile, *record, keys);
    }

    record->bDisassociateFirst = 1;
    record->bConnectByBssid = 0;
    return record;
}

ProfileRecordPtr ConvertActiveProfile(const PrefArray& active, uint32_t pskRecordLength,
                                      ConverterKeyBuffers& keys) {
    if (!IsActiveRecord(active)) return nullptr;
    return ConvertProfile(active[0], pskRecordLength, keys);
}

void ApplyProfile(KestrelAccess& adapter, const PROFILE_DATA& record,
                  const ConnectVariant& variant) {
    const uint8_t clientWidth = G_bUse64Bits;
    SetBytes(adapter, OID_VX_CLIENT_64BIT, {&clientWidth, 1});

    if (record.bDisassociateFirst) {
        Disassociate(adapter);
        if (variant.waitAfterDisassociate) platform::USleep(kDisassociateWaitMicroseconds);
    }

    SetWord(adapter, OID_802_11_INFRASTRUCTURE_MODE_SET, uint32_t(record.NetworkType));
    SetWord(adapter, OID_VX_PREAMBLE, uint32_t(record.PreambleType));
    SetWord(adapter, OID_802_11_RTS_THRESHOLD, record.RtsThreshold);
    SetWord(adapter, OID_802_11_FRAGMENTATION_THRESHOLD, record.FragThreshold);
    SetWord(adapter, OID_802_11_AUTHENTICATION_MODE_SET, uint32_t(record.AuthMode));
    SetWord(adapter, OID_802_11_ENCRYPTION_STATUS_SET, uint32_t(record.EncryptionStatus));
    SetWord(adapter, OID_VX_TX_POWER, TxPowerPercent(record.TxPowerIndex));

    if (record.AuthMode == Ndis802_11AuthModeWPAPSK ||
        record.AuthMode == Ndis802_11AuthModeWPA2PSK) {
        SetBytes(adapter, OID_VX_WPA_PSK_KEY, PskKeyBytes(record));
    } else if (record.AuthMode == Ndis802_11AuthModeWPANone) {
        SetBytes(adapter, OID_VX_ADD_KEY, PskKeyBytes(record));
    } else if (record.AuthMode == Ndis802_11AuthModeShared ||
               record.EncryptionStatus == Ndis802_11WEPEnabled) {
        for (int slot = 0; slot < kWepSlotCount; ++slot) {
            std::span<const uint8_t> key = WepSlotBytes(record, slot);
            if (!key.empty()) {
                SetBytes(adapter, OID_VX_ADD_KEY, key);
            } else {
                SetBytes(adapter, OID_802_11_REMOVE_KEY, EncodeRemoveKey(uint32_t(slot)));
            }
        }
    }

    if (record.NetworkType == Ndis802_11IBSS)
        SetConfigurationFrequency(adapter, record.ChannelFrequency);

    if (record.NetworkType != Ndis802_11IBSS || variant.sendPowerModeForAdhoc)
        SetWord(adapter, OID_802_11_POWER_MODE, uint32_t(record.PowerMode));

    if (record.bConnectByBssid) {
        SetConfigurationFrequency(adapter, record.ChannelFrequency);
        SetBytes(adapter, OID_802_11_BSSID_SET, record.Bssid);
    } else {
        SetSsid(adapter, record.SsidRecord);
    }
}

void AgentToConnect(KestrelAccess& adapter, const PROFILE_DATA& record) {
    int32_t version = 0;
    if (__DEBUG__ && platform::Gestalt(platform::gestaltSystemVersion, &version) == 0)
        platform::SystemLog("MacVersion = %x\n", unsigned(version));
    ApplyProfile(adapter, record, kAgent);
}

}  // namespace corvane

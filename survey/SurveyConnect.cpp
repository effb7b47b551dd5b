#include "survey/SurveyConnect.h"

#include <algorithm>
#include <cstring>

#include "adapter/ChannelPlan.h"
#include "adapter/Oids.h"
#include "crypto/MathFunc.h"
#include "crypto/Wipe.h"
#include "profiles/StoredIndexes.h"

namespace corvane {
namespace {

constexpr int32_t kSurveyPreamble = 2;
constexpr uint32_t kPskRecordLength = 104;
constexpr uint32_t kWepRecordOverhead = 71;
constexpr uint32_t kNoChannel = 0xFFFFFFFF;
constexpr uint32_t kHighest24GHzChannel = 14;

NDIS_802_11_SSID EntrySsid(const BssEntry& entry) {
    auto bytes = entry.Bytes();
    NDIS_802_11_SSID ssid = DecodeSsid(bytes.subspan(std::min(bytes.size(), bss::kSsidLength)));
    // A length beyond the 32 name bytes would have readers run past them.
    ssid.SsidLength = std::min<uint32_t>(ssid.SsidLength, kSsidMaxLength);
    return ssid;
}

bool StartsOrEndsWith(const std::string& text, std::string_view part) {
    return text.starts_with(part) || text.ends_with(part);
}

// What neither Connect nor Add to Profile takes: a profile of a network the
// adapter cannot join would only fail (or, for ad hoc WPA-NONE, stored as
// open, start an open network of that name).
std::optional<std::string> SecurityRefusal(const AccessPoint& row, int32_t kind) {
    if (auto unsupported = UnsupportedSecurity(row)) return UnsupportedSecurityAlert(*unsupported);
    if (kind == Ndis802_11AuthModeWPA || kind == Ndis802_11AuthModeWPA2)
        return Tr("SurveyConnect", kAlertEnterprise);
    if (kind == Ndis802_11AuthModeWPANone) return Tr("SurveyConnect", kAlertWpaNone);
    return std::nullopt;
}

void FillPskRecord(PROFILE_DATA& record, const BssEntry& entry, const WEPSettingValues& keys) {
    uint8_t key[kPasswordHashOutputLen] = {};
    if (keys.WPAPSKlen == int32_t(kPskHexLength)) {
        char hex[kPskHexLength + 1] = {};
        std::memcpy(hex, keys.WPAPSK.data(), kPskHexLength);
        AtoH(hex, key, kPmkLen);
        detail::SecureWipe(hex, sizeof hex);
    } else {
        char passphrase[kPskHexLength + 1] = {};
        std::memcpy(passphrase, keys.WPAPSK.data(), size_t(std::clamp(keys.WPAPSKlen, 0, 64)));
        const NDIS_802_11_SSID ssid = EntrySsid(entry);
        PasswordHash(passphrase, ssid.Ssid, int(ssid.SsidLength), key);
        detail::SecureWipe(passphrase, sizeof passphrase);
    }
    record.PskKey = BuildKeyRecord(kPskRecordLength, kKeyIndexTransmit, {key, size_t(kPmkLen)});
    record.PskKeyLength = record.PskKey ? kPskRecordLength : 0;
    detail::SecureWipe(key, sizeof key);
}

void FillWepRecords(PROFILE_DATA& record, const WEPSettingValues& keys) {
    for (int slot = 0; slot < kWepSlotCount; ++slot) {
        const uint32_t length = std::min<uint32_t>(keys.KeyLen[size_t(slot)], kMaxWepKeyBytes);
        if (length == 0) continue;
        uint32_t index = uint32_t(slot);
        if (keys.SelKeyIndex == slot) index |= kKeyIndexTransmit;
        WepSlotRef ref = WepSlot(record, slot);
        ref.key = BuildKeyRecord(length + kWepRecordOverhead, index,
                                 {keys.KeyMaterial[size_t(slot)].data(), length});
        ref.length = ref.key ? length + kWepRecordOverhead : 0;
    }
}

}  // namespace

std::string UnsupportedSecurityAlert(const std::string& security) {
    return FormatText(
        Tr("SurveyConnect", "This network uses %1 security, which this adapter doesn't support."),
        {security});
}

ConnectPlan PlanSurveyConnect(const AccessPoint& row, const BssEntry& entry) {
    ConnectPlan plan;
    plan.securityClass = IsItemWPA(row.Authentication);
    const int32_t kind = plan.securityClass;
    if ((plan.refusal = SecurityRefusal(row, kind))) return plan;
    if (entry.InfrastructureMode() == uint32_t(Ndis802_11Infrastructure) &&
        EntrySsid(entry).SsidLength == 0) {
        plan.refusal = Tr("SurveyConnect", kAlertHiddenAccessPoint);
        return plan;
    }

    const bool psk = kind == Ndis802_11AuthModeWPAPSK || kind == Ndis802_11AuthModeWPA2PSK;
    if (!psk && entry.Privacy() == 0) return plan;  // open: no dialog
    plan.needsKeys = true;
    plan.preset.listKind =
        entry.InfrastructureMode() != 0 ? kAuthListInfrastructure : kAuthListAdhoc;
    if (psk) {
        plan.preset.authIndex = kind == Ndis802_11AuthModeWPAPSK ? kAuthWpaPsk : kAuthWpa2Psk;
        plan.preset.encIndex = row.Encryption == "TKIP" ? kEncTkip : kEncAes;
        plan.preset.focus = 1;
    } else {
        plan.preset.authIndex = kAuthOpen;
        plan.preset.encIndex = kEncOpenWep;
        plan.preset.focus = 0;
    }
    return plan;
}

ProfileRecordPtr BuildSurveyConnectRecord(const BssEntry& entry, const WEPSettingValues* keys) {
    ProfileRecordPtr record = NewProfileData();
    const int32_t mode = int32_t(entry.InfrastructureMode());
    record->NetworkType = mode;
    record->PreambleType = kSurveyPreamble;
    record->RtsThreshold = kRtsThresholdMax;
    record->FragThreshold = kFragThresholdMax;
    record->ChannelFrequency = entry.DSConfig();

    if (!keys) {
        record->AuthMode = Ndis802_11AuthModeOpen;
        record->EncryptionStatus = Ndis802_11WEPDisabled;
    } else {
        record->AuthMode = NdisAuthModeFor(keys->AuthenType, mode);
        record->EncryptionStatus = NdisEncryptionFor(keys->AuthenType, keys->EncryType);
        if (IsPskInUse(keys->AuthenType))
            FillPskRecord(*record, entry, *keys);
        else if (IsWepInUse(keys->AuthenType, keys->EncryType))
            FillWepRecords(*record, *keys);
    }

    record->bDisassociateFirst = 1;
    record->SsidRecord = EntrySsid(entry);
    if (mode == Ndis802_11IBSS) {
        record->bConnectByBssid = 0;
    } else {
        auto mac = entry.MacAddress();
        std::copy_n(mac.begin(), std::min(mac.size(), kMacLength), record->Bssid);
        record->bConnectByBssid = 1;
    }
    return record;
}

AddToProfilePlan PlanAddToProfile(const AccessPoint& row, const BssEntry& entry) {
    AddToProfilePlan plan;
    ProfilePrefill& p = plan.prefill;
    p.ssid = entry.Ssid();
    auto mac = entry.MacAddress();
    std::copy_n(mac.begin(), std::min(mac.size(), p.bssid.size()), p.bssid.begin());
    p.networkType = int32_t(entry.InfrastructureMode());

    auto channel = ChannelForFrequency(entry.DSConfig());
    p.channel = channel && *channel != kNoChannel ? *channel : ChannelFreqTable[0].channel;
    if (p.networkType == Ndis802_11IBSS && p.channel > kHighest24GHzChannel) {
        plan.refusal = Tr("SurveyConnect", kAlertAdhoc5GHz);
        return plan;
    }

    const int32_t kind = IsItemWPA(row.Authentication);
    if ((plan.refusal = SecurityRefusal(row, kind))) return plan;
    if (kind == Ndis802_11AuthModeWPAPSK || kind == Ndis802_11AuthModeWPA2PSK) {
        p.authenticationMode = kind;
        p.encryptionStatus = StartsOrEndsWith(row.Encryption, "AES") ? Ndis802_11Encryption3Enabled
                                                                     : Ndis802_11Encryption2Enabled;
    } else {
        p.authenticationMode = Ndis802_11AuthModeOpen;
        p.encryptionStatus = entry.Privacy() != 0 ? Ndis802_11WEPEnabled : Ndis802_11WEPDisabled;
    }
    return plan;
}

}  // namespace corvane

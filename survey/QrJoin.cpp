#include "survey/QrJoin.h"

#include <algorithm>
#include <cstring>

#include "adapter/ByteOrder.h"
#include "adapter/Oids.h"
#include "adapter/Records.h"
#include "exchange/ImportEntry.h"
#include "platform/Translate.h"
#include "survey/SurveyConnect.h"

namespace corvane {
namespace {

WifiQrSecurity SecurityOf(const QrJoinPlan& plan) {
    if (!plan.needsKeys) return WifiQrSecurity::kOpen;
    return IsPskInUse(plan.preset.authIndex) ? WifiQrSecurity::kWpa : WifiQrSecurity::kWep;
}

// Why the code does not fit the network, a whole sentence for each pair of
// securities (%1 is the network's name), so that a translation can decline
// its words.
std::string MismatchText(WifiQrSecurity code, WifiQrSecurity network) {
    using S = WifiQrSecurity;
    if (code == S::kOpen && network == S::kWep)
        return Tr("QrJoin", "The QR code is for an open network, but %1 is a WEP network.");
    if (code == S::kOpen)
        return Tr("QrJoin", "The QR code is for an open network, but %1 is a WPA network.");
    if (code == S::kWep && network == S::kOpen)
        return Tr("QrJoin", "The QR code is for a WEP network, but %1 is an open network.");
    if (code == S::kWep)
        return Tr("QrJoin", "The QR code is for a WEP network, but %1 is a WPA network.");
    if (network == S::kOpen)
        return Tr("QrJoin", "The QR code is for a WPA network, but %1 is an open network.");
    return Tr("QrJoin", "The QR code is for a WPA network, but %1 is a WEP network.");
}

}  // namespace

std::optional<size_t> StrongestNamed(std::span<const BssEntry> entries, std::string_view ssid) {
    std::optional<size_t> best;
    for (size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].Ssid() != ssid) continue;
        if (!best || entries[i].Rssi() > entries[*best].Rssi()) best = i;
    }
    return best;
}

QrJoinPlan PlanQrJoin(const WifiQrNetwork& qr, const AccessPoint& row, const BssEntry& entry) {
    const ConnectPlan connect = PlanSurveyConnect(row, entry);
    QrJoinPlan plan;
    plan.refusal = connect.refusal;
    plan.needsKeys = connect.needsKeys;
    plan.preset = connect.preset;
    if (plan.refusal) return plan;
    const WifiQrSecurity network = SecurityOf(plan);
    if (network != qr.security)
        plan.refusal = FormatText(MismatchText(qr.security, network), {row.SSID});
    return plan;
}

QrJoinPlan PlanHiddenQrJoin(const WifiQrNetwork& qr) {
    QrJoinPlan plan;
    plan.needsKeys = qr.security != WifiQrSecurity::kOpen;
    plan.preset.listKind = kAuthListInfrastructure;
    if (qr.security == WifiQrSecurity::kWpa) {
        plan.preset.authIndex = kAuthWpa2Psk;
        plan.preset.encIndex = kEncAes;
        plan.preset.focus = 1;
    } else {
        plan.preset.authIndex = kAuthOpen;
        plan.preset.encIndex = qr.security == WifiQrSecurity::kWep ? kEncOpenWep : kEncOpenNone;
        plan.preset.focus = 0;
    }
    return plan;
}

std::vector<uint8_t> EntryForNetworkName(std::string_view ssid) {
    std::vector<uint8_t> bytes(bss::kIEs, 0);
    const size_t length = std::min(ssid.size(), kSsidMaxLength);
    WriteLe32(&bytes[bss::kLength], uint32_t(bytes.size()));
    WriteLe32(&bytes[bss::kSsidLength], uint32_t(length));
    if (length) std::memcpy(&bytes[bss::kSsid], ssid.data(), length);
    WriteLe32(&bytes[bss::kInfrastructureMode], uint32_t(Ndis802_11Infrastructure));
    return bytes;
}

void FillQrKeys(KeyEntryGroup& group, const WifiQrNetwork& qr) {
    KeyEntryFields& f = group.fields;
    if (qr.security == WifiQrSecurity::kWpa) {
        f.wpaPreSharedKey = qr.key;
    } else if (qr.security == WifiQrSecurity::kWep) {
        group.OnWEPKeyCombo(0, GuessWepKeyType(qr.key));
        f.keyText[0] = qr.key;
        f.radio = {true, false, false, false};
    }
}

std::string QrNetworkNotFound(const std::string& ssid) {
    return FormatText(Tr("QrJoin", "No network named %1 is in range."), {ssid});
}

}  // namespace corvane

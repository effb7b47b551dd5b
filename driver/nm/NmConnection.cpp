#include "driver/nm/NmConnection.h"

#include <QByteArray>
#include <QStringList>
#include <algorithm>
#include <optional>

#include "adapter/ChannelTable.h"
#include "adapter/Oids.h"
#include "driver/JoinPlan.h"

namespace corvane::nm {
namespace {

using driver::StationSettings;

// NetworkManager's 802-11-wireless powersave values.
constexpr uint32_t kPowerSaveDisable = 2;
constexpr uint32_t kPowerSaveEnable = 3;
// ipv4.dhcp-timeout: no time limit.
constexpr int32_t kDhcpForever = 2147483647;

NmConnection Refuse(std::string why) {
    NmConnection c;
    c.refusal = std::move(why);
    return c;
}

QByteArray Bytes(const std::string& s) { return QByteArray(s.data(), qsizetype(s.size())); }

template <typename Bytes>
QString Hex(const Bytes& bytes) {
    return QString::fromLatin1(
        QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size())).toHex());
}

// The channel and band of a centre frequency, as the system's channel
// table numbers them; none for a frequency the table does not know.
struct Channel {
    uint32_t number;
    const char* band;
};

std::optional<Channel> ChannelOf(uint32_t frequencyKhz) {
    const std::optional<uint32_t> number = TableChannelForFrequency(frequencyKhz);
    if (!number) return std::nullopt;
    return Channel{*number, frequencyKhz < 3'000'000 ? "bg" : "a"};
}

}  // namespace

NmConnection ConnectionFor(const StationSettings& s, const JoinTarget& target,
                           const ConnectionOwner& owner) {
    const driver::JoinDecision decision = driver::PlanJoin(s, "NetworkManager");
    if (!decision.plan) return Refuse(decision.refusal);
    const driver::JoinPlan& plan = *decision.plan;
    if (target.ssid.empty())
        return Refuse(target.bssid ? "no network with this BSSID is in the scan results"
                                   : "the network has no SSID");

    NmConnection c;
    ConnectionSettings& out = c.settings;

    out["connection"] = {
        {"type", QStringLiteral("802-11-wireless")},
        {"id", QString::fromLatin1(kConnectionId)},
        {"uuid", owner.uuid},
        {"autoconnect", false},
        {"permissions", QStringList{QStringLiteral("user:") + owner.user}},
    };

    QVariantMap& wireless = out["802-11-wireless"];
    wireless["ssid"] = Bytes(target.ssid.substr(0, 32));
    wireless["powersave"] =
        s.powerMode == uint32_t(Ndis802_11PowerModeCAM) ? kPowerSaveDisable : kPowerSaveEnable;
    if (plan.adHoc) {
        wireless["mode"] = QStringLiteral("adhoc");
        if (const auto channel = ChannelOf(s.frequencyKhz)) {
            wireless["band"] = QString::fromLatin1(channel->band);
            wireless["channel"] = channel->number;
        }
        out["ipv4"] = {{"method", QStringLiteral("link-local")}};
        out["ipv6"] = {{"method", QStringLiteral("link-local")}};
    } else {
        wireless["mode"] = QStringLiteral("infrastructure");
        if (target.bssid)
            wireless["bssid"] = QByteArray(reinterpret_cast<const char*>(target.bssid->data()),
                                           qsizetype(target.bssid->size()));
        if (!target.seen) wireless["hidden"] = true;
        if (const auto channel = ChannelOf(target.frequencyMhz.value_or(0) * 1000)) {
            wireless["band"] = QString::fromLatin1(channel->band);
            wireless["channel"] = channel->number;
        }
        out["ipv4"] = {{"method", QStringLiteral("auto")}, {"dhcp-timeout", kDhcpForever}};
        out["ipv6"] = {{"method", QStringLiteral("auto")}};
    }

    if (plan.security == driver::JoinSecurity::Wpa) {
        const bool ccmp = plan.cipher == driver::WpaCipher::Ccmp;
        out["802-11-wireless-security"] = {
            {"key-mgmt", QStringLiteral("wpa-psk")},
            {"proto",
             QStringList{plan.protocol == driver::WpaProtocol::Wpa ? QStringLiteral("wpa")
                                                                   : QStringLiteral("rsn")}},
            {"pairwise", QStringList{ccmp ? QStringLiteral("ccmp") : QStringLiteral("tkip")}},
            {"group", ccmp ? QStringList{"ccmp", "tkip"} : QStringList{"tkip"}},
            {"psk", Hex(plan.psk)},
        };
    } else if (plan.security == driver::JoinSecurity::Wep) {
        QVariantMap security = {
            {"key-mgmt", QStringLiteral("none")},
            {"auth-alg", plan.sharedKey ? QStringLiteral("shared") : QStringLiteral("open")},
            {"wep-key-type", 1u},  // a key, not a passphrase
            {"wep-tx-keyidx", uint32_t(plan.transmitKey)},
        };
        for (size_t slot = 0; slot < plan.wepKeys.size(); ++slot) {
            const std::vector<uint8_t>& key = plan.wepKeys[slot];
            if (key.empty()) continue;
            if (key.size() != 5 && key.size() != 13)
                return Refuse("NetworkManager takes only 40- and 104-bit WEP keys");
            security["wep-key" + QString::number(slot)] = Hex(key);
        }
        out["802-11-wireless-security"] = security;
    }
    return c;
}

}  // namespace corvane::nm

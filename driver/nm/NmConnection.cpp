#include "driver/nm/NmConnection.h"

#include <QByteArray>
#include <QStringList>
#include <algorithm>
#include <optional>

#include "adapter/ChannelTable.h"
#include "adapter/Oids.h"

namespace corvane::nm {
namespace {

using driver::StationSettings;

// What one authentication mode turns into; refusals name why.
struct Protocol {
    int32_t authMode;
    const char* keyManagement;  // null: refused
    const char* proto;          // null: no WPA protocol (open or WEP)
    const char* refusal;
};

constexpr Protocol kProtocols[] = {
    {Ndis802_11AuthModeOpen, "none", nullptr, nullptr},
    {Ndis802_11AuthModeShared, "none", nullptr, nullptr},
    {Ndis802_11AuthModeWPAPSK, "wpa-psk", "wpa", nullptr},
    {Ndis802_11AuthModeWPA2PSK, "wpa-psk", "rsn", nullptr},
    {Ndis802_11AuthModeWPANone, nullptr, nullptr,
     "WPA-NONE ad hoc networks are not supported by NetworkManager"},
    {Ndis802_11AuthModeWPA, nullptr, nullptr, "WPA-Enterprise is not supported"},
    {Ndis802_11AuthModeWPA2, nullptr, nullptr, "WPA2-Enterprise is not supported"},
};

// The pairwise and group ciphers of an encryption status for WPA.
struct Cipher {
    int32_t encryption;
    const char* pairwise;
    QStringList group;
};

const Cipher kCiphers[] = {
    {Ndis802_11Encryption2Enabled, "tkip", {"tkip"}},
    {Ndis802_11Encryption3Enabled, "ccmp", {"ccmp", "tkip"}},
};

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
    const Protocol* protocol = nullptr;
    for (const Protocol& p : kProtocols)
        if (uint32_t(p.authMode) == s.authMode) protocol = &p;
    if (!protocol)
        return Refuse("authentication mode " + std::to_string(s.authMode) + " is unknown");
    if (!protocol->keyManagement) return Refuse(protocol->refusal);
    if (target.ssid.empty())
        return Refuse(target.bssid ? "no network with this BSSID is in the scan results"
                                   : "the network has no SSID");

    const bool adHoc = s.infrastructureMode == uint32_t(Ndis802_11IBSS);
    const bool wep = s.encryption == uint32_t(Ndis802_11WEPEnabled);
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
    if (adHoc) {
        if (protocol->proto) return Refuse("WPA in an ad hoc network is not supported");
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

    if (protocol->proto) {
        const Cipher* cipher = nullptr;
        for (const Cipher& k : kCiphers)
            if (uint32_t(k.encryption) == s.encryption) cipher = &k;
        if (!cipher) return Refuse("WPA needs TKIP or AES encryption");
        if (!s.psk) return Refuse("no pre-shared key was given");
        out["802-11-wireless-security"] = {
            {"key-mgmt", QString::fromLatin1(protocol->keyManagement)},
            {"proto", QStringList{QString::fromLatin1(protocol->proto)}},
            {"pairwise", QStringList{QString::fromLatin1(cipher->pairwise)}},
            {"group", cipher->group},
            {"psk", Hex(*s.psk)},
        };
    } else if (wep) {
        const int tx = s.transmitKey;
        if (tx < 0 || s.wepKeys[size_t(tx)].empty())
            return Refuse("no WEP key is marked for transmission");
        QVariantMap security = {
            {"key-mgmt", QStringLiteral("none")},
            {"auth-alg", s.authMode == uint32_t(Ndis802_11AuthModeShared) ? QStringLiteral("shared")
                                                                          : QStringLiteral("open")},
            {"wep-key-type", 1u},  // a key, not a passphrase
            {"wep-tx-keyidx", uint32_t(tx)},
        };
        for (size_t slot = 0; slot < s.wepKeys.size(); ++slot) {
            const std::vector<uint8_t>& key = s.wepKeys[slot];
            if (key.empty()) continue;
            if (key.size() != 5 && key.size() != 13)
                return Refuse("NetworkManager takes only 40- and 104-bit WEP keys");
            security["wep-key" + QString::number(slot)] = Hex(key);
        }
        out["802-11-wireless-security"] = security;
    } else if (s.encryption != uint32_t(Ndis802_11WEPDisabled)) {
        return Refuse("TKIP or AES encryption needs WPA authentication");
    } else if (s.authMode == uint32_t(Ndis802_11AuthModeShared)) {
        return Refuse("shared authentication needs WEP");
    }
    return c;
}

}  // namespace corvane::nm

// The NetworkManager connection the accumulated station settings become:
// one row per kind of network the system joins, and the refusals.
#include <gtest/gtest.h>

#include <QStringList>

#include "adapter/Oids.h"
#include "driver/nm/NmConnection.h"

namespace corvane::nm {
namespace {

using driver::StationSettings;

const ConnectionOwner kOwner{"alice", "0b9f6f2c-5d1e-4a57-9b7a-7e1d2c3b4a59"};
const driver::MacAddress kBssid{0x02, 0x00, 0x00, 0x00, 0x00, 0x07};

StationSettings Wpa(int32_t auth, int32_t encryption) {
    StationSettings s;
    s.authMode = uint32_t(auth);
    s.encryption = uint32_t(encryption);
    std::array<uint8_t, 32> key{};
    for (size_t i = 0; i < key.size(); ++i) key[i] = uint8_t(0xA0 + i);
    s.psk = key;
    return s;
}

StationSettings Wep(int32_t auth, size_t slot, size_t length) {
    StationSettings s;
    s.authMode = uint32_t(auth);
    s.encryption = uint32_t(Ndis802_11WEPEnabled);
    s.wepKeys[slot].assign(length, 0x41);
    s.transmitKey = int(slot);
    return s;
}

StationSettings PowerSave(StationSettings s) {
    s.powerMode = uint32_t(Ndis802_11PowerModeMAX_PSP);
    return s;
}

JoinTarget ByBssid(std::string ssid, uint32_t mhz = 2412) {
    return {std::move(ssid), kBssid, true, mhz};
}
// Heard on several channels (or, unseen, on none).
JoinTarget BySsid(std::string ssid, bool seen = true) {
    return {std::move(ssid), std::nullopt, seen, std::nullopt};
}

// A setting's values as text, each with its D-Bus type (the type
// NetworkManager checks): "key=value:type".
QStringList Describe(const QVariantMap& setting) {
    QStringList out;
    for (auto it = setting.begin(); it != setting.end(); ++it) {
        const QVariant& v = it.value();
        QString text;
        switch (v.typeId()) {
            case QMetaType::QByteArray:
                text = QString::fromLatin1(v.toByteArray().toHex()) + ":ay";
                break;
            case QMetaType::QStringList:
                text = v.toStringList().join(QLatin1Char(',')) + ":as";
                break;
            case QMetaType::UInt:
                text = QString::number(v.toUInt()) + ":u";
                break;
            case QMetaType::Int:
                text = QString::number(v.toInt()) + ":i";
                break;
            case QMetaType::Bool:
                text = QLatin1String(v.toBool() ? "true" : "false") + QLatin1String(":b");
                break;
            default:
                text = v.toString() + ":s";
        }
        out << it.key() + QLatin1Char('=') + text;
    }
    return out;
}

const QString kPskHex =
    QStringLiteral("a0a1a2a3a4a5a6a7a8a9aaabacadaeafb0b1b2b3b4b5b6b7b8b9babbbcbdbebf");

TEST(NmConnection, EachKindOfNetwork) {
    struct Row {
        const char* name;
        StationSettings settings;
        JoinTarget target;
        QStringList wireless, security, ipv4;
    };
    StationSettings adHoc;
    adHoc.infrastructureMode = uint32_t(Ndis802_11IBSS);
    adHoc.frequencyKhz = 2437000;
    StationSettings adHocWep = Wep(Ndis802_11AuthModeOpen, 0, 5);
    adHocWep.infrastructureMode = uint32_t(Ndis802_11IBSS);
    adHocWep.frequencyKhz = 5180000;
    const Row rows[] = {
        {"WPA2-PSK AES, by BSSID",
         Wpa(Ndis802_11AuthModeWPA2PSK, Ndis802_11Encryption3Enabled),
         ByBssid("CorvaneWPA2"),
         {"band=bg:s", "bssid=020000000007:ay", "channel=1:u", "mode=infrastructure:s",
          "powersave=2:u", "ssid=436f7276616e6557504132:ay"},
         {"group=ccmp,tkip:as", "key-mgmt=wpa-psk:s", "pairwise=ccmp:as", "proto=rsn:as",
          "psk=" + kPskHex + ":s"},
         {"dhcp-timeout=2147483647:i", "method=auto:s"}},
        {"WPA-PSK TKIP, by SSID, power save",
         PowerSave(Wpa(Ndis802_11AuthModeWPAPSK, Ndis802_11Encryption2Enabled)),
         BySsid("Home"),
         {"mode=infrastructure:s", "powersave=3:u", "ssid=486f6d65:ay"},
         {"group=tkip:as", "key-mgmt=wpa-psk:s", "pairwise=tkip:as", "proto=wpa:as",
          "psk=" + kPskHex + ":s"},
         {"dhcp-timeout=2147483647:i", "method=auto:s"}},
        {"WEP-104 shared key, transmit slot 2",
         Wep(Ndis802_11AuthModeShared, 2, 13),
         ByBssid("CorvaneWEP", 5745),
         {"band=a:s", "bssid=020000000007:ay", "channel=149:u", "mode=infrastructure:s",
          "powersave=2:u", "ssid=436f7276616e65574550:ay"},
         {"auth-alg=shared:s", "key-mgmt=none:s", "wep-key-type=1:u",
          "wep-key2=41414141414141414141414141:s", "wep-tx-keyidx=2:u"},
         {"dhcp-timeout=2147483647:i", "method=auto:s"}},
        {"open",
         StationSettings{},
         ByBssid("CorvaneOpen", 5999),  // no channel of its own: not locked to one
         {"bssid=020000000007:ay", "mode=infrastructure:s", "powersave=2:u",
          "ssid=436f7276616e654f70656e:ay"},
         {},
         {"dhcp-timeout=2147483647:i", "method=auto:s"}},
        {"a typed SSID no scan holds is probed for",
         StationSettings{},
         BySsid("Hidden", false),
         {"hidden=true:b", "mode=infrastructure:s", "powersave=2:u", "ssid=48696464656e:ay"},
         {},
         {"dhcp-timeout=2147483647:i", "method=auto:s"}},
        {"ad hoc, open, channel 6",
         adHoc,
         BySsid("CorvaneAdhoc"),
         {"band=bg:s", "channel=6:u", "mode=adhoc:s", "powersave=2:u",
          "ssid=436f7276616e654164686f63:ay"},
         {},
         {"method=link-local:s"}},
        {"ad hoc, WEP, channel 36",
         adHocWep,
         BySsid("Lab"),
         {"band=a:s", "channel=36:u", "mode=adhoc:s", "powersave=2:u", "ssid=4c6162:ay"},
         {"auth-alg=open:s", "key-mgmt=none:s", "wep-key-type=1:u", "wep-key0=4141414141:s",
          "wep-tx-keyidx=0:u"},
         {"method=link-local:s"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const NmConnection c = ConnectionFor(row.settings, row.target, kOwner);
        ASSERT_EQ(c.refusal, "");
        EXPECT_EQ(Describe(c.settings.value("connection")),
                  (QStringList{"autoconnect=false:b", "id=corvane:s", "permissions=user:alice:as",
                               "type=802-11-wireless:s", "uuid=" + kOwner.uuid + ":s"}));
        EXPECT_EQ(Describe(c.settings.value("802-11-wireless")), row.wireless);
        EXPECT_EQ(Describe(c.settings.value("802-11-wireless-security")), row.security);
        EXPECT_EQ(c.settings.contains("802-11-wireless-security"), !row.security.isEmpty());
        EXPECT_EQ(Describe(c.settings.value("ipv4")), row.ipv4);
        EXPECT_EQ(c.settings.value("ipv6").value("method").toString(),
                  row.ipv4.contains("method=link-local:s") ? "link-local" : "auto");
    }
}

TEST(NmConnection, RefusesWhatIsNotOneNetwork) {
    StationSettings adHocWpa = Wpa(Ndis802_11AuthModeWPA2PSK, Ndis802_11Encryption3Enabled);
    adHocWpa.infrastructureMode = uint32_t(Ndis802_11IBSS);
    StationSettings noPsk = Wpa(Ndis802_11AuthModeWPA2PSK, Ndis802_11Encryption3Enabled);
    noPsk.psk.reset();
    StationSettings noTransmitKey = Wep(Ndis802_11AuthModeOpen, 1, 5);
    noTransmitKey.transmitKey = 0;
    StationSettings shared;
    shared.authMode = uint32_t(Ndis802_11AuthModeShared);
    StationSettings tkipOpen;
    tkipOpen.encryption = uint32_t(Ndis802_11Encryption2Enabled);
    StationSettings unknown;
    unknown.authMode = 9;
    const struct {
        StationSettings settings;
        JoinTarget target;
        const char* refusal;
    } rows[] = {
        {Wpa(Ndis802_11AuthModeWPANone, Ndis802_11Encryption2Enabled), BySsid("A"),
         "WPA-NONE ad hoc networks are not supported by NetworkManager"},
        {Wpa(Ndis802_11AuthModeWPA2, Ndis802_11Encryption3Enabled), BySsid("A"),
         "WPA2-Enterprise is not supported"},
        {adHocWpa, BySsid("A"), "WPA in an ad hoc network is not supported"},
        {noPsk, BySsid("A"), "no pre-shared key was given"},
        {Wpa(Ndis802_11AuthModeWPA2PSK, Ndis802_11WEPEnabled), BySsid("A"),
         "WPA needs TKIP or AES encryption"},
        {noTransmitKey, BySsid("A"), "no WEP key is marked for transmission"},
        {Wep(Ndis802_11AuthModeOpen, 0, 16), BySsid("A"),
         "NetworkManager takes only 40- and 104-bit WEP keys"},
        {shared, BySsid("A"), "shared authentication needs WEP"},
        {tkipOpen, BySsid("A"), "TKIP or AES encryption needs WPA authentication"},
        {unknown, BySsid("A"), "authentication mode 9 is unknown"},
        {StationSettings{}, JoinTarget{"", kBssid, false, std::nullopt},
         "no network with this BSSID is in the scan results"},
    };
    for (const auto& row : rows) {
        const NmConnection c = ConnectionFor(row.settings, row.target, kOwner);
        EXPECT_EQ(c.refusal, row.refusal);
        EXPECT_TRUE(c.settings.isEmpty() || !c.refusal.empty());
    }
}

}  // namespace
}  // namespace corvane::nm

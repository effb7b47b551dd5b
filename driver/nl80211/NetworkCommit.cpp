#include "driver/nl80211/NetworkCommit.h"

#include <algorithm>
#include <cstdio>

#include "adapter/Oids.h"

namespace corvane::nl80211 {
namespace {

// What one authentication mode turns into; refusals name why.
struct Protocol {
    int32_t authMode;
    const char* keyManagement;  // null: the mode is refused
    const char* proto;          // null: no WPA protocol (open or WEP)
    const char* refusal;
};

constexpr Protocol kProtocols[] = {
    {Ndis802_11AuthModeOpen, "NONE", nullptr, nullptr},
    {Ndis802_11AuthModeShared, "NONE", nullptr, nullptr},
    {Ndis802_11AuthModeWPAPSK, "WPA-PSK", "WPA", nullptr},
    {Ndis802_11AuthModeWPA2PSK, "WPA-PSK", "RSN", nullptr},
    {Ndis802_11AuthModeWPANone, nullptr, nullptr,
     "WPA-NONE ad hoc networks are not supported by wpa_supplicant"},
    {Ndis802_11AuthModeWPA, nullptr, nullptr, "WPA-Enterprise is not supported"},
    {Ndis802_11AuthModeWPA2, nullptr, nullptr, "WPA2-Enterprise is not supported"},
};

// The pairwise and group ciphers of an encryption status for WPA.
struct Cipher {
    int32_t encryption;
    const char* pairwise;
    const char* group;
};

constexpr Cipher kCiphers[] = {
    {Ndis802_11Encryption2Enabled, "TKIP", "TKIP"},
    {Ndis802_11Encryption3Enabled, "CCMP", "CCMP TKIP"},
};

// The key lengths WEP has (40, 104 and 128 bits).
bool IsWepKey(const std::vector<uint8_t>& key) {
    return key.size() == 5 || key.size() == 13 || key.size() == 16;
}

CommittedNetwork Refuse(std::string why) {
    CommittedNetwork n;
    n.refusal = std::move(why);
    return n;
}

}  // namespace

std::string HexText(const uint8_t* bytes, size_t size) {
    static const char digits[] = "0123456789abcdef";
    std::string s;
    for (size_t i = 0; i < size; ++i) {
        s.push_back(digits[bytes[i] >> 4]);
        s.push_back(digits[bytes[i] & 0xF]);
    }
    return s;
}

CommittedNetwork NetworkFor(const StationSettings& s, const NetworkTarget& target) {
    const Protocol* protocol = nullptr;
    for (const Protocol& p : kProtocols)
        if (uint32_t(p.authMode) == s.authMode) protocol = &p;
    if (!protocol)
        return Refuse("authentication mode " + std::to_string(s.authMode) + " is unknown");
    if (!protocol->keyManagement) return Refuse(protocol->refusal);

    const bool adHoc = s.infrastructureMode == uint32_t(Ndis802_11IBSS);
    const bool wep = s.encryption == uint32_t(Ndis802_11WEPEnabled);
    CommittedNetwork n;
    auto set = [&n](std::string name, std::string value) {
        n.variables.emplace_back(std::move(name), std::move(value));
    };

    if (!target.ssid.empty())
        set("ssid", HexText(reinterpret_cast<const uint8_t*>(target.ssid.data()),
                            std::min<size_t>(target.ssid.size(), 32)));
    if (adHoc) {
        if (protocol->proto) return Refuse("WPA in an ad hoc network is not supported");
        if (target.ssid.empty()) return Refuse("an ad hoc network needs an SSID");
        set("mode", "1");
        set("frequency", std::to_string(s.frequencyKhz ? s.frequencyKhz / 1000 : 2412));
    } else {
        set("scan_ssid", "1");
        if (target.bssid) {
            char text[18];
            const MacAddress& m = *target.bssid;
            std::snprintf(text, sizeof text, "%02x:%02x:%02x:%02x:%02x:%02x", m[0], m[1], m[2],
                          m[3], m[4], m[5]);
            set("bssid", text);
        }
        std::string frequencies;
        for (uint32_t mhz : target.frequenciesMhz)
            frequencies += (frequencies.empty() ? "" : " ") + std::to_string(mhz);
        if (!frequencies.empty()) set("scan_freq", frequencies);
    }
    set("key_mgmt", protocol->keyManagement);

    if (protocol->proto) {
        const Cipher* cipher = nullptr;
        for (const Cipher& c : kCiphers)
            if (uint32_t(c.encryption) == s.encryption) cipher = &c;
        if (!cipher) return Refuse("WPA needs TKIP or AES encryption");
        if (!s.psk) return Refuse("no pre-shared key was given");
        set("proto", protocol->proto);
        set("pairwise", cipher->pairwise);
        set("group", cipher->group);
        set("psk", HexText(s.psk->data(), s.psk->size()));
    } else if (wep) {
        const int tx = s.transmitKey;
        if (tx < 0 || !IsWepKey(s.wepKeys[size_t(tx)]))
            return Refuse("no WEP key is marked for transmission");
        set("auth_alg", s.authMode == uint32_t(Ndis802_11AuthModeShared) ? "SHARED" : "OPEN");
        for (size_t slot = 0; slot < s.wepKeys.size(); ++slot)
            if (IsWepKey(s.wepKeys[slot]))
                set("wep_key" + std::to_string(slot),
                    HexText(s.wepKeys[slot].data(), s.wepKeys[slot].size()));
        set("wep_tx_keyidx", std::to_string(tx));
    } else if (s.encryption != uint32_t(Ndis802_11WEPDisabled)) {
        return Refuse("TKIP or AES encryption needs WPA authentication");
    } else if (s.authMode == uint32_t(Ndis802_11AuthModeShared)) {
        return Refuse("shared authentication needs WEP");
    }
    set("id_str", std::string("\"") + kNetworkTag + "\"");
    return n;
}

}  // namespace corvane::nl80211

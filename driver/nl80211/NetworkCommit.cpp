#include "driver/nl80211/NetworkCommit.h"

#include <algorithm>
#include <cstdio>

#include "driver/JoinPlan.h"

namespace corvane::nl80211 {
namespace {

using driver::JoinPlan;
using driver::JoinSecurity;
using driver::WpaCipher;
using driver::WpaProtocol;

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
    const driver::JoinDecision decision = driver::PlanJoin(s, "wpa_supplicant");
    if (!decision.plan) return Refuse(decision.refusal);
    const JoinPlan& plan = *decision.plan;
    if (plan.adHoc && target.ssid.empty()) return Refuse("an ad hoc network needs an SSID");

    CommittedNetwork n;
    auto set = [&n](std::string name, std::string value) {
        n.variables.emplace_back(std::move(name), std::move(value));
    };

    if (!target.ssid.empty())
        set("ssid", HexText(reinterpret_cast<const uint8_t*>(target.ssid.data()),
                            std::min<size_t>(target.ssid.size(), 32)));
    if (plan.adHoc) {
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
    set("key_mgmt", plan.security == JoinSecurity::Wpa ? "WPA-PSK" : "NONE");

    if (plan.security == JoinSecurity::Wpa) {
        const bool ccmp = plan.cipher == WpaCipher::Ccmp;
        set("proto", plan.protocol == WpaProtocol::Wpa ? "WPA" : "RSN");
        set("pairwise", ccmp ? "CCMP" : "TKIP");
        set("group", ccmp ? "CCMP TKIP" : "TKIP");
        set("psk", HexText(plan.psk.data(), plan.psk.size()));
    } else if (plan.security == JoinSecurity::Wep) {
        set("auth_alg", plan.sharedKey ? "SHARED" : "OPEN");
        for (size_t slot = 0; slot < plan.wepKeys.size(); ++slot)
            if (!plan.wepKeys[slot].empty())
                set("wep_key" + std::to_string(slot),
                    HexText(plan.wepKeys[slot].data(), plan.wepKeys[slot].size()));
        set("wep_tx_keyidx", std::to_string(plan.transmitKey));
    }
    set("id_str", std::string("\"") + kNetworkTag + "\"");
    return n;
}

}  // namespace corvane::nl80211

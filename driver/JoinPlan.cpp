#include "driver/JoinPlan.h"

#include "adapter/Oids.h"

namespace corvane::driver {
namespace {

// What one authentication mode turns into; refusals name why.
struct Authentication {
    int32_t authMode;
    bool joinable;
    std::optional<WpaProtocol> protocol;  // none: open or WEP
    const char* refusal;                  // when not joinable; null: the joiner cannot
};

constexpr Authentication kAuthentications[] = {
    {Ndis802_11AuthModeOpen, true, std::nullopt, nullptr},
    {Ndis802_11AuthModeShared, true, std::nullopt, nullptr},
    {Ndis802_11AuthModeWPAPSK, true, WpaProtocol::Wpa, nullptr},
    {Ndis802_11AuthModeWPA2PSK, true, WpaProtocol::Rsn, nullptr},
    {Ndis802_11AuthModeWPANone, false, std::nullopt, nullptr},
    {Ndis802_11AuthModeWPA, false, std::nullopt, "WPA-Enterprise is not supported"},
    {Ndis802_11AuthModeWPA2, false, std::nullopt, "WPA2-Enterprise is not supported"},
};

struct Cipher {
    int32_t encryption;
    WpaCipher cipher;
};

constexpr Cipher kCiphers[] = {
    {Ndis802_11Encryption2Enabled, WpaCipher::Tkip},
    {Ndis802_11Encryption3Enabled, WpaCipher::Ccmp},
};

JoinDecision Refuse(std::string why) { return {std::nullopt, std::move(why)}; }

}  // namespace

bool IsWepKeyLength(size_t size) { return size == 5 || size == 13 || size == 16; }

JoinDecision PlanJoin(const StationSettings& s, std::string_view joiner) {
    const Authentication* authentication = nullptr;
    for (const Authentication& a : kAuthentications)
        if (uint32_t(a.authMode) == s.authMode) authentication = &a;
    if (!authentication)
        return Refuse("authentication mode " + std::to_string(s.authMode) + " is unknown");
    if (!authentication->joinable)
        return Refuse(authentication->refusal
                          ? std::string(authentication->refusal)
                          : "WPA-NONE ad hoc networks are not supported by " + std::string(joiner));

    JoinPlan plan;
    plan.adHoc = s.infrastructureMode == uint32_t(Ndis802_11IBSS);
    if (plan.adHoc && authentication->protocol)
        return Refuse("WPA in an ad hoc network is not supported");

    if (authentication->protocol) {
        const Cipher* cipher = nullptr;
        for (const Cipher& c : kCiphers)
            if (uint32_t(c.encryption) == s.encryption) cipher = &c;
        if (!cipher) return Refuse("WPA needs TKIP or AES encryption");
        if (!s.psk) return Refuse("no pre-shared key was given");
        plan.security = JoinSecurity::Wpa;
        plan.protocol = *authentication->protocol;
        plan.cipher = cipher->cipher;
        plan.psk = *s.psk;
    } else if (s.encryption == uint32_t(Ndis802_11WEPEnabled)) {
        for (size_t slot = 0; slot < s.wepKeys.size(); ++slot)
            if (IsWepKeyLength(s.wepKeys[slot].size())) plan.wepKeys[slot] = s.wepKeys[slot];
        const int tx = s.transmitKey;
        if (tx < 0 || tx >= int(plan.wepKeys.size()) || plan.wepKeys[size_t(tx)].empty())
            return Refuse("no WEP key is marked for transmission");
        plan.security = JoinSecurity::Wep;
        plan.sharedKey = s.authMode == uint32_t(Ndis802_11AuthModeShared);
        plan.transmitKey = tx;
    } else if (s.encryption != uint32_t(Ndis802_11WEPDisabled)) {
        return Refuse("TKIP or AES encryption needs WPA authentication");
    } else if (s.authMode == uint32_t(Ndis802_11AuthModeShared)) {
        return Refuse("shared authentication needs WEP");
    }
    return {std::move(plan), {}};
}

}  // namespace corvane::driver

#include "exchange/ImportEntry.h"

#include <algorithm>

#include "crypto/MathFunc.h"
#include "editor/ProfileEditorModel.h"
#include "platform/Translate.h"
#include "profiles/StoredIndexes.h"

namespace corvane {

PrefDictionary NewImportedProfile() {
    // The keys in the order the editor writes them.
    PrefDictionary d;
    d.Set(kKeyProfileName, "");
    d.Set(kKeySsid, "");
    d.Set(kKeyNetworkType, FormatInt(kNetworkInfrastructure));
    d.Set(kKeyChannel, "1");
    d.Set(kKeyPreambleType, "0");
    d.Set(kKeyTxPower, "0");
    d.Set(kKeyPowerSaveMode, "0");
    d.Set(kKeyAcPowerCam, "0");
    d.Set(kKeyRtsThreshold, FormatInt(kRtsThresholdMax));
    d.Set(kKeyFragThreshold, FormatInt(kFragThresholdMax));
    d.Set(kKeyAuthenticationType, FormatInt(kAuthOpen));
    d.Set(kKeyEncryptionType, FormatInt(kEncOpenNone));
    for (int slot = 0; slot < 4; ++slot) {
        d.Set(kKeyWepKey[slot], "");
        d.Set(kKeyWepKeyType[slot], FormatInt(kKeyTypeHex));
    }
    d.Set(kKeyWepKeyUse, "0");
    d.Set(kKeyWpaPsk, "");
    d.Set(kKeyBssid, "");
    d.Set(kKeyHidden, "0");
    return d;
}

std::string BssidFromMacText(std::string_view text) {
    if (text.size() != 17) return {};
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string out;
    for (size_t i = 0; i < 6; ++i) {
        if (i > 0 && text[3 * i - 1] != ':' && text[3 * i - 1] != '-') return {};
        const unsigned char hi = BtoH(text[3 * i]), lo = BtoH(text[3 * i + 1]);
        if (hi > 15 || lo > 15) return {};
        out += kDigits[hi];
        out += kDigits[lo];
    }
    return out;
}

std::optional<int> ChannelOf24GHzFrequency(long megahertz) {
    if (megahertz == 2484) return 14;
    if (megahertz >= 2412 && megahertz <= 2472 && (megahertz - 2407) % 5 == 0)
        return int((megahertz - 2407) / 5);
    return std::nullopt;
}

}  // namespace corvane

namespace corvane {

ImportEntry SkippedEntry(std::string origin, std::string ssid, std::string reason) {
    ImportEntry entry;
    entry.origin = std::move(origin);
    entry.ssid = std::move(ssid);
    entry.skipped = std::move(reason);
    return entry;
}

int32_t GuessWepKeyType(std::string_view key) {
    const bool hex = (key.size() == 10 || key.size() == 26) &&
                     std::all_of(key.begin(), key.end(), [](char c) { return BtoH(c) <= 15; });
    return hex ? kKeyTypeHex : kKeyTypeAscii;
}

ImportEntry MakeImportEntry(const WirelessSettings& s, std::string origin) {
    using Security = WirelessSettings::Security;
    PrefDictionary d = NewImportedProfile();
    d.Set(kKeyProfileName, s.name);
    d.Set(kKeySsid, s.ssid);
    if (!s.bssid.empty()) d.Set(kKeyBssid, BssidFromMacText(s.bssid));
    if (s.adhoc) {
        if (s.security == Security::kWpaPsk)
            return SkippedEntry(
                std::move(origin), s.ssid,
                Tr("ImportEntry", "an ad hoc network with WPA (WPA-NONE) is not supported"));
        if (s.security == Security::kWep && s.sharedKeyAuthentication)
            return SkippedEntry(
                std::move(origin), s.ssid,
                Tr("ImportEntry", "an ad hoc network takes open authentication only"));
        long channel = 1;
        if (s.band5GHz)
            return SkippedEntry(std::move(origin), s.ssid,
                                Tr("ImportEntry", "an ad hoc network on 5 GHz is not supported"));
        if (s.frequencyMhz) {
            const std::optional<int> c = ChannelOf24GHzFrequency(*s.frequencyMhz);
            if (!c)
                return SkippedEntry(
                    std::move(origin), s.ssid,
                    FormatText(
                        Tr("ImportEntry", "its ad hoc frequency %1 MHz is not a 2.4 GHz channel"),
                        {std::to_string(*s.frequencyMhz)}));
            channel = *c;
        } else if (s.channel) {
            if (*s.channel < 1 || *s.channel > 14)
                return SkippedEntry(
                    std::move(origin), s.ssid,
                    FormatText(Tr("ImportEntry", "its ad hoc channel %1 is not a 2.4 GHz channel"),
                               {std::to_string(*s.channel)}));
            channel = *s.channel;
        }
        d.Set(kKeyNetworkType, FormatInt(kNetworkAdhoc));
        d.Set(kKeyChannel, FormatInt(int32_t(channel)));
    } else {
        d.Set(kKeyHidden, s.hidden ? "1" : "0");
    }
    switch (s.security) {
        case Security::kOpen:
            break;
        case Security::kWep:
            d.Set(kKeyAuthenticationType,
                  FormatInt(s.sharedKeyAuthentication ? kAuthShared : kAuthOpen));
            d.Set(kKeyEncryptionType,
                  FormatInt(s.sharedKeyAuthentication ? kEncSharedWep : kEncOpenWep));
            for (int slot = 0; slot < 4; ++slot) {
                d.Set(kKeyWepKey[slot], s.wepKey[size_t(slot)]);
                d.Set(kKeyWepKeyType[slot], FormatInt(s.wepKeyType[size_t(slot)]));
            }
            if (s.wepKeyIndex < 0 || s.wepKeyIndex > 3)
                return SkippedEntry(
                    std::move(origin), s.ssid,
                    FormatText(Tr("ImportEntry", "its WEP key index %1 is not 0 to 3"),
                               {std::to_string(s.wepKeyIndex)}));
            d.Set(kKeyWepKeyUse, FormatInt(int32_t(s.wepKeyIndex)));
            break;
        case Security::kWpaPsk:
            d.Set(kKeyAuthenticationType, FormatInt(s.wpa2 ? kAuthWpa2Psk : kAuthWpaPsk));
            d.Set(kKeyEncryptionType, FormatInt(s.aes ? kEncAes : kEncTkip));
            d.Set(kKeyWpaPsk, s.psk);
            break;
    }
    ImportEntry entry;
    entry.origin = std::move(origin);
    entry.ssid = s.ssid;
    entry.profile = std::move(d);
    return entry;
}

}  // namespace corvane

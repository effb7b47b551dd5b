#include <cstdio>
#include <cstring>
#include <string>

#include "adapter/Globals.h"
#include "adapter/Oids.h"
#include "adapter/Records.h"
#include "cli/Commands.h"
#include "crypto/MathFunc.h"
#include "platform/Clock.h"
#include "profiles/ActiveRecord.h"
#include "profiles/ConnectEngine.h"
#include "profiles/PreferenceFiles.h"

namespace corvane::cli {
namespace {

constexpr int kAssociationPolls = 24;
constexpr uint64_t kAssociationPollMicroseconds = 250000;

bool IsHexText(const std::string& text) {
    for (char c : text)
        if (BtoH(c) == 255) return false;
    return true;
}

std::string SecurityText(const PrefDictionary& profile) {
    static const char* const kAuth[] = {"Open", "Shared", "WPA-PSK", "WPA2-PSK"};
    int32_t auth = IntValue(profile, kKeyAuthenticationType);
    int32_t enc = IntValue(profile, kKeyEncryptionType);
    std::string text = auth >= 0 && auth <= 3 ? kAuth[auth] : "Open";
    if (auth == 0) text += enc == 1 ? "/WEP" : "/NONE";
    if (auth == 1) text += "/WEP";
    if (auth >= 2 && auth <= 3) text += enc == 0 ? "/TKIP" : "/AES";
    if (IntValue(profile, kKeyNetworkType) == Ndis802_11IBSS) text += " (ad hoc)";
    return text;
}

// Exact name first (a name may look like a number), then a 1-based index.
const PrefDictionary* FindProfile(const PrefArray& profiles, const std::string& wanted) {
    for (const PrefDictionary& p : profiles)
        if (p.Value(kKeyProfileName) == wanted) return &p;
    char* end = nullptr;
    long index = std::strtol(wanted.c_str(), &end, 10);
    if (!wanted.empty() && *end == '\0' && index >= 1 && size_t(index) <= profiles.size())
        return &profiles[size_t(index) - 1];
    return nullptr;
}

bool AssociatedWith(KestrelAccess& adapter, const NDIS_802_11_SSID& wanted) {
    uint32_t media = kMediaDisconnected;
    if (!QueryWord(adapter, OID_GEN_MEDIA_CONNECT_STATUS, media) || media != kMediaConnected)
        return false;
    uint64_t returned = 0;
    Ssid36 ssid{};
    adapter.OidQueryInformation(OID_802_11_SSID, ssid.data(), ssid.size(), &returned);
    NDIS_802_11_SSID current = DecodeSsid(ssid);
    return current.SsidLength == wanted.SsidLength &&
           std::memcmp(current.Ssid, wanted.Ssid, std::min<size_t>(wanted.SsidLength, 32)) == 0;
}

}  // namespace

int CommandPsk(Context& context) {
    if (context.args.size() != 2) {
        std::fprintf(stderr, "usage: corvane psk SSID PASSPHRASE\n");
        return kExitUsage;
    }
    const std::string& ssid = context.args[0];
    const std::string& pass = context.args[1];
    if (ssid.size() > kSsidMaxLength) {
        std::fprintf(stderr, "corvane: the SSID is %zu bytes long; at most 32 are allowed\n", ssid.size());
        return kExitUsage;
    }
    unsigned char key[kPasswordHashOutputLen] = {};
    if (pass.size() == 64) {
        if (!IsHexText(pass)) {
            std::fprintf(stderr, "corvane: a 64-character key must be 64 hexadecimal digits\n");
            return kExitUsage;
        }
        AtoH(pass.c_str(), key, 32);
    } else {
        if (pass.size() > 64) {
            std::fprintf(stderr, "corvane: the passphrase is %zu characters long; at most 63 are allowed\n",
                         pass.size());
            return kExitUsage;
        }
        for (unsigned char c : pass) {
            if (c < 32 || c > 127) {
                std::fprintf(stderr,
                             "corvane: the passphrase holds the byte 0x%02X; only characters 32 to 127 "
                             "are allowed\n", c);
                return kExitUsage;
            }
        }
        if (pass.size() < 8)
            std::fprintf(stderr, "corvane: note: WPA passphrases have 8 to 63 characters\n");
        PasswordHash(pass.c_str(), reinterpret_cast<const unsigned char*>(ssid.data()), int(ssid.size()),
                     key);
    }
    for (int i = 0; i < 32; ++i) std::printf("%02x", key[i]);
    std::printf("\n");
    std::memset(key, 0, sizeof key);
    return kExitOk;
}

int CommandProfiles(Context&) {
    PrefArray profiles = ReadPreferenceArray(kProfileListPath);
    PrefArray active = ReadPreferenceArray(kActiveProfilePath);
    const bool anyActive = IsActiveRecord(active);
    if (profiles.empty()) std::fprintf(stderr, "corvane: no stored profiles\n");
    for (size_t i = 0; i < profiles.size(); ++i) {
        const PrefDictionary& p = profiles[i];
        bool isActive = anyActive && !p.Value(kKeyBssid).empty()
                            ? active.front().Value(kKeyBssid) == p.Value(kKeyBssid)
                            : anyActive && active.front().Value(kKeyProfileName) == p.Value(kKeyProfileName);
        std::printf("%zu%s  %-16s  %-32s  %s\n", i + 1, isActive ? "*" : " ",
                    Printable(p.Value(kKeyProfileName)).c_str(), Printable(p.Value(kKeySsid)).c_str(),
                    SecurityText(p).c_str());
    }
    return kExitOk;
}

int CommandConnect(Context& context) {
    if (context.args.size() != 1) {
        std::fprintf(stderr, "usage: corvane connect NAME|INDEX\n");
        return kExitUsage;
    }
    PrefArray profiles = ReadPreferenceArray(kProfileListPath);
    const PrefDictionary* profile = FindProfile(profiles, context.args[0]);
    if (!profile) {
        std::fprintf(stderr, "corvane: no stored profile named or numbered \"%s\"\n",
                     Printable(context.args[0]).c_str());
        return kExitFailed;
    }
    if (!RequireAdapter(context.adapter)) return kExitFailed;

    ConverterKeyBuffers keys;
    ProfileRecordPtr record = ConvertProfile(*profile, kPaneActivate.pskKeyRecordLength, keys);
    ApplyProfile(context.adapter, *record, kPaneActivate);
    if (!WriteActiveProfile(*profile))
        std::fprintf(stderr, "corvane: the active profile could not be saved in %s\n",
                     ExpandTilde(kActiveProfilePath).c_str());

    std::string ssid = Printable(profile->Value(kKeySsid));
    context.progress.SetActivity("Associating");
    for (int poll = 0; poll < kAssociationPolls; ++poll) {
        if (AssociatedWith(context.adapter, record->SsidRecord)) {
            std::printf("Connected to %s\n", ssid.c_str());
            return kExitOk;
        }
        platform::USleep(kAssociationPollMicroseconds);
    }
    std::printf("Not connected to %s\n", ssid.c_str());
    return kExitFailed;
}

int CommandDisconnect(Context& context) {
    if (!RequireAdapter(context.adapter)) return kExitFailed;
    ProfileRecordPtr reset = MakeResetRecord();
    ApplyProfile(context.adapter, *reset, kPaneTask);
    if (!DisableActiveProfile()) {
        std::fprintf(stderr, "corvane: the active profile could not be marked inactive in %s\n",
                     ExpandTilde(kActiveProfilePath).c_str());
        return kExitFailed;
    }
    std::printf("Disconnected\n");
    return kExitOk;
}

}  // namespace corvane::cli

#include "driver/sim/Environment.h"

#include <openssl/evp.h>

#include <algorithm>
#include <cctype>
#include <nlohmann/json.hpp>
#include <set>

#include "platform/RegularFile.h"

namespace corvane::sim {

namespace {

using nlohmann::json;

// The longest element area an entry may carry so that one entry always fits
// a 4096-byte scan-list chunk (116 bytes of fixed entry fields, 12 fixed
// beacon bytes, rounding to 4).
constexpr size_t kMaxReplayedElements = 4096 - 128 - 4;

constexpr uint32_t kChannels[] = {1,   2,   3,   4,   5,   6,   7,   8,   9,   10,  11,  12,
                                  13,  14,  34,  36,  38,  40,  42,  44,  46,  48,  52,  56,
                                  60,  64,  100, 104, 108, 112, 116, 120, 124, 128, 132, 136,
                                  140, 149, 153, 157, 161, 165, 167, 169, 171, 173};

struct FieldError {
    std::string message;
};

[[noreturn]] void Fail(const std::string& where, const std::string& what) {
    throw FieldError{where + ": " + what};
}

void CheckKeys(const json& object, const std::string& where,
               std::initializer_list<const char*> allowed) {
    for (auto it = object.begin(); it != object.end(); ++it) {
        if (std::none_of(allowed.begin(), allowed.end(),
                         [&](const char* a) { return it.key() == a; }))
            Fail(where, "unknown field \"" + it.key() + "\"");
    }
}

bool GetBool(const json& o, const char* key, const std::string& where, bool fallback) {
    if (!o.contains(key)) return fallback;
    if (!o[key].is_boolean()) Fail(where + "." + key, "must be true or false");
    return o[key].get<bool>();
}

int64_t GetInt(const json& o, const char* key, const std::string& where, int64_t lo, int64_t hi,
               int64_t fallback) {
    if (!o.contains(key)) return fallback;
    const json& v = o[key];
    if (!v.is_number_integer()) Fail(where + "." + key, "must be an integer");
    int64_t n = v.is_number_unsigned() ? int64_t(std::min<uint64_t>(v.get<uint64_t>(), INT64_MAX))
                                       : v.get<int64_t>();
    if (n < lo || n > hi)
        Fail(where + "." + key, "must lie in " + std::to_string(lo) + ".." + std::to_string(hi));
    return n;
}

std::string GetString(const json& o, const char* key, const std::string& where,
                      const std::string& fallback) {
    if (!o.contains(key)) return fallback;
    if (!o[key].is_string()) Fail(where + "." + key, "must be a string");
    return o[key].get<std::string>();
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::optional<std::vector<uint8_t>> DecodeHex(std::string_view text) {
    if (text.size() % 2 != 0) return std::nullopt;
    std::vector<uint8_t> out;
    out.reserve(text.size() / 2);
    for (size_t i = 0; i < text.size(); i += 2) {
        int hi = HexDigit(text[i]), lo = HexDigit(text[i + 1]);
        if (hi < 0 || lo < 0) return std::nullopt;
        out.push_back(uint8_t(hi << 4 | lo));
    }
    return out;
}

bool AllHex(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return HexDigit(c) >= 0; });
}

// A WEP key text: 10 or 26 hexadecimal digits are hex-decoded; any other
// text of 5 or 13 characters is taken as its ASCII bytes.
std::vector<uint8_t> ParseWepKey(const std::string& text, const std::string& where) {
    if ((text.size() == 10 || text.size() == 26) && AllHex(text)) return *DecodeHex(text);
    if (text.size() == 5 || text.size() == 13) return {text.begin(), text.end()};
    Fail(where, "a WEP key is 5 or 13 characters, or 10 or 26 hexadecimal digits");
}

Security ParseSecurity(const std::string& s, const std::string& where) {
    if (s == "open") return Security::Open;
    if (s == "wep") return Security::Wep;
    if (s == "wpa-psk") return Security::WpaPsk;
    if (s == "wpa2-psk") return Security::Wpa2Psk;
    if (s == "wpa-psk/wpa2-psk") return Security::WpaWpa2Psk;
    if (s == "wpa-enterprise") return Security::WpaEnterprise;
    if (s == "wpa2-enterprise") return Security::Wpa2Enterprise;
    if (s == "wpa-none") return Security::WpaNone;
    Fail(where, "unknown security \"" + s + "\"");
}

bool IsWpa(Security s) { return s != Security::Open && s != Security::Wep; }
bool NeedsPsk(Security s) {
    return s == Security::WpaPsk || s == Security::Wpa2Psk || s == Security::WpaWpa2Psk ||
           s == Security::WpaNone;
}

NetworkSpec NetworkFromJson(const json& o, const std::string& where) {
    if (!o.is_object()) Fail(where, "must be an object");
    CheckKeys(o, where,
              {"ssid", "ssid_hex", "bssid", "channel", "frequency_khz", "rssi", "mode", "security",
               "ciphers", "passphrase", "psk_hex", "wep_keys", "wep_auth", "hidden", "ies_hex",
               "privacy"});
    NetworkSpec n;
    if (o.contains("ssid") == o.contains("ssid_hex"))
        Fail(where, "give exactly one of \"ssid\" and \"ssid_hex\"");
    if (o.contains("ssid")) {
        n.ssid = GetString(o, "ssid", where, "");
    } else {
        auto bytes = DecodeHex(GetString(o, "ssid_hex", where, ""));
        if (!bytes) Fail(where + ".ssid_hex", "must be hexadecimal digits in pairs");
        n.ssid.assign(bytes->begin(), bytes->end());
    }
    if (n.ssid.size() > 32) Fail(where + ".ssid", "is longer than 32 bytes");

    if (!o.contains("bssid")) Fail(where, "\"bssid\" is missing");
    auto mac = ParseMac(GetString(o, "bssid", where, ""));
    if (!mac) Fail(where + ".bssid", "must look like AA:BB:CC:DD:EE:FF");
    n.bssid = *mac;

    if (o.contains("channel") == o.contains("frequency_khz"))
        Fail(where, "give exactly one of \"channel\" and \"frequency_khz\"");
    if (o.contains("channel")) {
        uint32_t ch = uint32_t(GetInt(o, "channel", where, 1, 255, 0));
        n.frequencyKhz = FrequencyOfChannel(ch);
        if (n.frequencyKhz == 0) Fail(where + ".channel", "is no 2.4 or 5 GHz channel");
    } else {
        n.frequencyKhz = uint32_t(GetInt(o, "frequency_khz", where, 1, 10000000, 0));
    }
    n.rssi = int32_t(GetInt(o, "rssi", where, -120, 0, -60));

    const std::string mode = GetString(o, "mode", where, "infrastructure");
    if (mode == "infrastructure")
        n.mode = NetworkMode::Infrastructure;
    else if (mode == "adhoc")
        n.mode = NetworkMode::AdHoc;
    else
        Fail(where + ".mode", "must be \"infrastructure\" or \"adhoc\"");

    n.security = ParseSecurity(GetString(o, "security", where, "open"), where + ".security");
    const bool adhoc = n.mode == NetworkMode::AdHoc;
    const bool adhocKind = n.security == Security::Open || n.security == Security::Wep ||
                           n.security == Security::WpaNone;
    if (adhoc && !adhocKind)
        Fail(where + ".security", "an ad hoc network is open, wep or wpa-none");
    if (!adhoc && n.security == Security::WpaNone)
        Fail(where + ".security", "wpa-none is for ad hoc networks only");

    if (o.contains("ciphers")) {
        if (!IsWpa(n.security)) Fail(where + ".ciphers", "only WPA networks have ciphers");
        const json& c = o["ciphers"];
        if (!c.is_array() || c.empty() || c.size() > 2)
            Fail(where + ".ciphers", "must be a list of \"tkip\" and/or \"ccmp\"");
        for (const json& e : c) {
            if (e == "tkip")
                n.tkip = true;
            else if (e == "ccmp")
                n.ccmp = true;
            else
                Fail(where + ".ciphers", "must be a list of \"tkip\" and/or \"ccmp\"");
        }
    } else if (IsWpa(n.security)) {
        const bool wpa1 = n.security == Security::WpaPsk || n.security == Security::WpaEnterprise ||
                          n.security == Security::WpaNone;
        const bool mixed = n.security == Security::WpaWpa2Psk;
        n.tkip = wpa1 || mixed;
        n.ccmp = !wpa1 || mixed;
    }

    if (o.contains("passphrase") && o.contains("psk_hex"))
        Fail(where, "give at most one of \"passphrase\" and \"psk_hex\"");
    if (o.contains("passphrase")) {
        const std::string p = GetString(o, "passphrase", where, "");
        if (p.size() < 8 || p.size() > 63 ||
            !std::all_of(p.begin(), p.end(), [](char c) { return c >= 0x20 && c <= 0x7E; }))
            Fail(where + ".passphrase", "must be 8 to 63 printable ASCII characters");
        n.pmk = DerivePmk(p, n.ssid);
    } else if (o.contains("psk_hex")) {
        auto bytes = DecodeHex(GetString(o, "psk_hex", where, ""));
        if (!bytes || bytes->size() != 32)
            Fail(where + ".psk_hex", "must be 64 hexadecimal digits");
        std::array<uint8_t, 32> pmk{};
        std::copy(bytes->begin(), bytes->end(), pmk.begin());
        n.pmk = pmk;
    }
    if (n.pmk && !NeedsPsk(n.security))
        Fail(where, "only pre-shared-key and wpa-none networks take a passphrase or psk_hex");
    if (!n.pmk && NeedsPsk(n.security)) Fail(where, "needs \"passphrase\" or \"psk_hex\"");

    if (o.contains("wep_keys")) {
        if (n.security != Security::Wep) Fail(where + ".wep_keys", "only WEP networks have keys");
        const json& k = o["wep_keys"];
        if (!k.is_array() || k.empty() || k.size() > 4)
            Fail(where + ".wep_keys", "must be a list of 1 to 4 key texts");
        bool any = false;
        for (size_t i = 0; i < k.size(); ++i) {
            const std::string w = where + ".wep_keys[" + std::to_string(i) + "]";
            if (!k[i].is_string()) Fail(w, "must be a string (\"\" for an empty slot)");
            const std::string text = k[i].get<std::string>();
            if (text.empty()) continue;
            n.wepKeys[i] = ParseWepKey(text, w);
            any = true;
        }
        if (!any) Fail(where + ".wep_keys", "holds no key");
    } else if (n.security == Security::Wep) {
        Fail(where, "a WEP network needs \"wep_keys\"");
    }
    const std::string auth = GetString(o, "wep_auth", where, "open");
    if (auth == "open")
        n.wepAuth = WepAuth::Open;
    else if (auth == "shared")
        n.wepAuth = WepAuth::Shared;
    else
        Fail(where + ".wep_auth", "must be \"open\" or \"shared\"");
    if (o.contains("wep_auth") && n.security != Security::Wep)
        Fail(where + ".wep_auth", "only WEP networks have a WEP authentication");

    n.hidden = GetBool(o, "hidden", where, false);
    n.privacy = GetBool(o, "privacy", where, n.security != Security::Open);
    if (o.contains("ies_hex")) {
        auto bytes = DecodeHex(GetString(o, "ies_hex", where, ""));
        if (!bytes) Fail(where + ".ies_hex", "must be hexadecimal digits in pairs");
        if (bytes->size() > kMaxReplayedElements)
            Fail(where + ".ies_hex",
                 "is longer than " + std::to_string(kMaxReplayedElements) + " bytes");
        n.ies = std::move(*bytes);
    }
    return n;
}

AdapterSpec AdapterFromJson(const json& o) {
    const std::string where = "adapter";
    if (!o.is_object()) Fail(where, "must be an object");
    CheckKeys(o, where,
              {"kind", "mac", "country_region", "supports_5ghz", "eeprom_version", "hw_radio",
               "eeprom_error", "ready_delay_ms"});
    AdapterSpec a;
    const std::optional<AdapterKind> kind = DriverKindNamed(GetString(o, "kind", where, "osprey"));
    if (!kind) Fail(where + ".kind", "must be \"osprey\" or \"merlin\"");
    a.kind = *kind;
    if (o.contains("mac")) {
        auto mac = ParseMac(GetString(o, "mac", where, ""));
        if (!mac) Fail(where + ".mac", "must look like AA:BB:CC:DD:EE:FF");
        a.mac = *mac;
    }
    a.countryRegion = uint32_t(GetInt(o, "country_region", where, 0, 0xFFFFFFFF, a.countryRegion));
    a.supports5GHz = GetBool(o, "supports_5ghz", where, a.supports5GHz);
    if (o.contains("eeprom_version")) {
        const json& v = o["eeprom_version"];
        if (!v.is_array() || v.size() != 2 || !v[0].is_number_unsigned() ||
            !v[1].is_number_unsigned() || v[0].get<uint64_t>() > 255 || v[1].get<uint64_t>() > 255)
            Fail(where + ".eeprom_version", "must be [major, minor], each 0..255");
        a.eepromMajor = uint8_t(v[0].get<uint64_t>());
        a.eepromMinor = uint8_t(v[1].get<uint64_t>());
    }
    a.hwRadio = GetBool(o, "hw_radio", where, a.hwRadio);
    a.eepromError = GetBool(o, "eeprom_error", where, a.eepromError);
    a.readyDelayMs = uint32_t(GetInt(o, "ready_delay_ms", where, 0, 600000, a.readyDelayMs));
    return a;
}

}  // namespace

std::optional<Environment> ParseEnvironment(std::string_view text, std::string* error) {
    json doc = json::parse(text, nullptr, false);
    if (doc.is_discarded()) {
        if (error) *error = "the environment is not valid JSON";
        return std::nullopt;
    }
    try {
        if (!doc.is_object()) Fail("environment", "must be a JSON object");
        CheckKeys(doc, "environment", {"adapter", "networks", "comment"});
        Environment env;
        if (doc.contains("adapter")) env.adapter = AdapterFromJson(doc["adapter"]);
        if (doc.contains("networks")) {
            const json& list = doc["networks"];
            if (!list.is_array()) Fail("networks", "must be a list");
            std::set<MacAddress> seen;
            for (size_t i = 0; i < list.size(); ++i) {
                const std::string where = "networks[" + std::to_string(i) + "]";
                NetworkSpec n = NetworkFromJson(list[i], where);
                if (!seen.insert(n.bssid).second)
                    Fail(where + ".bssid", "appears twice (" + FormatMacColons(n.bssid) + ")");
                env.networks.push_back(std::move(n));
            }
        }
        return env;
    } catch (const FieldError& e) {
        if (error) *error = e.message;
    } catch (const json::exception& e) {
        if (error) *error = e.what();
    }
    return std::nullopt;
}

std::optional<NetworkSpec> ParseNetwork(std::string_view text, std::string* error) {
    json doc = json::parse(text, nullptr, false);
    if (doc.is_discarded()) {
        if (error) *error = "the network is not valid JSON";
        return std::nullopt;
    }
    try {
        return NetworkFromJson(doc, "network");
    } catch (const FieldError& e) {
        if (error) *error = e.message;
    } catch (const json::exception& e) {
        if (error) *error = e.what();
    }
    return std::nullopt;
}

std::optional<Environment> LoadEnvironmentFile(const std::string& path, std::string* error) {
    const platform::FileContents file = platform::ReadRegularFile(path, kMaxEnvironmentFileSize);
    if (file.outcome != platform::FileContents::Outcome::kRead) {
        if (error)
            *error = "cannot read " + path + ": " +
                     (file.outcome == platform::FileContents::Outcome::kMissing
                          ? std::string("there is no such file")
                          : file.problem);
        return std::nullopt;
    }
    std::string why;
    auto env = ParseEnvironment(file.bytes, &why);
    if (!env && error) *error = path + ": " + why;
    return env;
}

std::optional<MacAddress> ParseMac(std::string_view text) {
    if (text.size() != 17) return std::nullopt;
    MacAddress mac{};
    for (size_t i = 0; i < 6; ++i) {
        int hi = HexDigit(text[i * 3]), lo = HexDigit(text[i * 3 + 1]);
        if (hi < 0 || lo < 0) return std::nullopt;
        if (i < 5 && text[i * 3 + 2] != ':' && text[i * 3 + 2] != '-') return std::nullopt;
        mac[i] = uint8_t(hi << 4 | lo);
    }
    return mac;
}

std::string FormatMacColons(const MacAddress& mac) {
    char text[18];
    std::snprintf(text, sizeof text, "%02X:%02X:%02X:%02X:%02X:%02X", mac[0], mac[1], mac[2],
                  mac[3], mac[4], mac[5]);
    return text;
}

std::array<uint8_t, 32> DerivePmk(std::string_view passphrase, std::string_view ssid) {
    std::array<uint8_t, 32> pmk{};
    PKCS5_PBKDF2_HMAC_SHA1(passphrase.data(), int(passphrase.size()),
                           reinterpret_cast<const unsigned char*>(ssid.data()), int(ssid.size()),
                           4096, int(pmk.size()), pmk.data());
    return pmk;
}

uint32_t FrequencyOfChannel(uint32_t channel) {
    if (std::find(std::begin(kChannels), std::end(kChannels), channel) == std::end(kChannels))
        return 0;
    if (channel <= 13) return (2407 + 5 * channel) * 1000;
    if (channel == 14) return 2484000;
    return (5000 + 5 * channel) * 1000;
}

uint32_t ChannelOfFrequency(uint32_t frequencyKhz) {
    for (uint32_t ch : kChannels)
        if (FrequencyOfChannel(ch) == frequencyKhz) return ch;
    return 0;
}

}  // namespace corvane::sim

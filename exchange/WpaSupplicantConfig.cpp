#include "exchange/WpaSupplicantConfig.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <set>
#include <vector>

#include "adapter/Records.h"
#include "crypto/MathFunc.h"
#include "exchange/ConfigText.h"
#include "platform/Translate.h"
#include "profiles/StoredIndexes.h"

namespace corvane {
namespace {

using config_text::IsSpace;
using config_text::Trim;

// Where an entry or a problem is, for a person.
std::string NetworkBlockOrigin(size_t line) {
    return FormatText(Tr("WpaSupplicantConfig", "network block at line %1"),
                      {std::to_string(line)});
}

std::string TooLong(size_t line) {
    return FormatText(Tr("WpaSupplicantConfig", "line %1 is longer than %2 bytes"),
                      {std::to_string(line), std::to_string(kMaxConfigLine)});
}

// A line without its comment: "#" outside double quotes begins one.
std::string_view StripComment(std::string_view line) {
    bool quoted = false;
    for (size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '"') quoted = !quoted;
        if (line[i] == '#' && !quoted) return line.substr(0, i);
    }
    return line;
}

std::optional<std::string> HexBytes(std::string_view text) {
    if (text.empty() || text.size() % 2 != 0) return std::nullopt;
    std::string out;
    for (size_t i = 0; i < text.size(); i += 2) {
        const unsigned char hi = BtoH(text[i]), lo = BtoH(text[i + 1]);
        if (hi > 15 || lo > 15) return std::nullopt;
        out += char(hi << 4 | lo);
    }
    return out;
}

// The P"..." form: C escapes \\ \" \n \r \t \e, \xHH and up to three octal
// digits, as wpa_supplicant's printf_decode reads them.
std::optional<std::string> PrintfDecode(std::string_view text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            out += text[i];
            continue;
        }
        if (++i == text.size()) return std::nullopt;
        const char c = text[i];
        switch (c) {
            case '\\':
                out += '\\';
                break;
            case '"':
                out += '"';
                break;
            case 'n':
                out += '\n';
                break;
            case 'r':
                out += '\r';
                break;
            case 't':
                out += '\t';
                break;
            case 'e':
                out += '\033';
                break;
            case 'x': {
                int value = 0, digits = 0;
                while (digits < 2 && i + 1 < text.size() && BtoH(text[i + 1]) <= 15) {
                    value = value * 16 + BtoH(text[++i]);
                    ++digits;
                }
                if (digits == 0) return std::nullopt;
                out += char(value);
                break;
            }
            default: {
                if (c < '0' || c > '7') return std::nullopt;
                int value = c - '0';
                for (int digits = 1;
                     digits < 3 && i + 1 < text.size() && text[i + 1] >= '0' && text[i + 1] <= '7';
                     ++digits)
                    value = value * 8 + (text[++i] - '0');
                out += char(value & 0xFF);
            }
        }
    }
    return out;
}

struct Value {
    std::string text;
    bool quoted = false;
};

// A value as written: "quoted" (its content as it stands), P"escaped", or
// the bare text.
std::optional<Value> ReadValue(std::string_view raw) {
    if (raw.size() >= 2 && raw.front() == '"') {
        if (raw.back() != '"') return std::nullopt;
        return Value{std::string(raw.substr(1, raw.size() - 2)), true};
    }
    if (raw.size() >= 3 && raw[0] == 'P' && raw[1] == '"') {
        if (raw.back() != '"') return std::nullopt;
        auto decoded = PrintfDecode(raw.substr(2, raw.size() - 3));
        if (!decoded) return std::nullopt;
        return Value{std::move(*decoded), true};
    }
    if (!raw.empty() && raw.front() == '"') return std::nullopt;  // a lone quote
    return Value{std::string(raw), false};
}

std::set<std::string> Tokens(std::string_view text) {
    std::set<std::string> out;
    size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && IsSpace(text[i])) ++i;
        size_t end = i;
        while (end < text.size() && !IsSpace(text[end])) ++end;
        if (end > i) {
            std::string token(text.substr(i, end - i));
            std::transform(token.begin(), token.end(), token.begin(),
                           [](unsigned char c) { return char(std::toupper(c)); });
            out.insert(token);
        }
        i = end;
    }
    return out;
}

bool HasAny(const std::set<std::string>& set, std::initializer_list<const char*> names) {
    return std::any_of(names.begin(), names.end(),
                       [&](const char* n) { return set.count(n) != 0; });
}

std::optional<long> Number(std::string_view text) {
    if (text.empty() || text.size() > 9) return std::nullopt;
    long value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

// One network block's settings as written.
struct Block {
    size_t line = 0;
    std::vector<std::pair<std::string, std::string>> settings;  // name, raw value
    std::string problem;

    const std::string* Raw(std::string_view name) const {
        for (auto it = settings.rbegin(); it != settings.rend(); ++it)
            if (it->first == name) return &it->second;
        return nullptr;
    }
};

// The block as a profile, or why it is left out.
ImportEntry Convert(const Block& block) {
    const std::string origin = NetworkBlockOrigin(block.line);
    WirelessSettings s;
    if (!block.problem.empty()) return SkippedEntry(origin, "", block.problem);

    // The name first: every other reason names the network.
    const std::string* ssidRaw = block.Raw("ssid");
    if (!ssidRaw) return SkippedEntry(origin, "", Tr("WpaSupplicantConfig", "it has no ssid"));
    auto ssid = ReadValue(*ssidRaw);
    if (ssid && !ssid->quoted) {
        auto bytes = HexBytes(ssid->text);
        ssid = bytes ? std::optional<Value>(Value{*bytes, true}) : std::nullopt;
    }
    if (!ssid)
        return SkippedEntry(
            origin, "",
            Tr("WpaSupplicantConfig", "its ssid is neither quoted text nor hexadecimal"));
    s.ssid = ssid->text;
    if (s.ssid.empty() || s.ssid.size() > kSsidMaxLength)
        return SkippedEntry(origin, s.ssid,
                            Tr("WpaSupplicantConfig", "its ssid is empty or longer than 32 bytes"));
    auto skip = [&](const std::string& reason) { return SkippedEntry(origin, s.ssid, reason); };

    if (const std::string* id = block.Raw("id_str")) {
        if (auto name = ReadValue(*id)) s.name = name->text;
    }
    if (const std::string* bssid = block.Raw("bssid")) {
        if (BssidFromMacText(*bssid).empty())
            return skip(Tr("WpaSupplicantConfig", "its bssid is no MAC address"));
        s.bssid = *bssid;
    }
    if (const std::string* scan = block.Raw("scan_ssid")) s.hidden = *scan == "1";

    const long mode = block.Raw("mode") ? Number(*block.Raw("mode")).value_or(-1) : 0;
    switch (mode) {
        case 0:
            break;
        case 1:
            s.adhoc = true;
            break;
        case 2:
            return skip(
                Tr("WpaSupplicantConfig", "it is an access point (mode=2), not a network to join"));
        case 3:
        case 4:
            return skip(
                FormatText(Tr("WpaSupplicantConfig", "it is a Wi-Fi Direct group (mode=%1)"),
                           {std::to_string(mode)}));
        case 5:
            return skip(Tr("WpaSupplicantConfig", "it is a mesh network (mode=5)"));
        default:
            return skip(Tr("WpaSupplicantConfig", "its mode is not a number from 0 to 5"));
    }
    if (s.adhoc) {
        if (const std::string* f = block.Raw("frequency")) {
            s.frequencyMhz = Number(*f);
            if (!s.frequencyMhz)
                return skip(Tr("WpaSupplicantConfig", "its frequency is not a number"));
        }
    }

    const std::set<std::string> keyMgmt =
        Tokens(block.Raw("key_mgmt") ? *block.Raw("key_mgmt") : "WPA-PSK WPA-EAP");
    const std::string* pskRaw = block.Raw("psk");
    const bool psk =
        keyMgmt.count("WPA-PSK") || keyMgmt.count("WPA-PSK-SHA256") || keyMgmt.count("FT-PSK");
    if (keyMgmt.count("WPA-NONE"))
        return skip(
            Tr("WpaSupplicantConfig", "it uses WPA-NONE (ad hoc WPA), which is not supported"));
    if (psk && pskRaw) {
        s.security = WirelessSettings::Security::kWpaPsk;
        auto value = ReadValue(*pskRaw);
        if (!value)
            return skip(Tr("WpaSupplicantConfig",
                           "its psk is neither a quoted passphrase nor hexadecimal digits"));
        if (!value->quoted && value->text.rfind("ext:", 0) == 0)
            return skip(FormatText(
                Tr("WpaSupplicantConfig", "its psk is kept outside the file (%1)"), {value->text}));
        s.psk = value->text;
        const std::set<std::string> proto =
            Tokens(block.Raw("proto") ? *block.Raw("proto") : "WPA RSN");
        s.wpa2 = HasAny(proto, {"RSN", "WPA2"});
        if (!s.wpa2 && !proto.count("WPA"))
            return skip(Tr("WpaSupplicantConfig", "its proto names neither WPA nor RSN"));
        const std::set<std::string> pairwise =
            Tokens(block.Raw("pairwise") ? *block.Raw("pairwise") : "CCMP TKIP");
        s.aes = pairwise.count("CCMP") != 0;
        if (!s.aes && !pairwise.count("TKIP"))
            return skip(
                Tr("WpaSupplicantConfig",
                   "its pairwise ciphers are neither CCMP nor TKIP (GCMP is not supported)"));
    } else if (keyMgmt.count("NONE")) {
        bool anyKey = false;
        for (int slot = 0; slot < 4; ++slot) {
            const std::string* raw = block.Raw("wep_key" + std::to_string(slot));
            if (!raw) continue;
            auto value = ReadValue(*raw);
            if (value && !value->quoted && !HexBytes(value->text)) value.reset();
            if (!value)
                return skip(FormatText(
                    Tr("WpaSupplicantConfig", "its wep_key%1 is neither quoted nor hexadecimal"),
                    {std::to_string(slot)}));
            s.wepKey[size_t(slot)] = value->text;
            s.wepKeyType[size_t(slot)] = value->quoted ? kKeyTypeAscii : kKeyTypeHex;
            anyKey = anyKey || !value->text.empty();
        }
        if (anyKey) {
            s.security = WirelessSettings::Security::kWep;
            if (const std::string* index = block.Raw("wep_tx_keyidx")) {
                auto number = Number(*index);
                if (!number)
                    return skip(Tr("WpaSupplicantConfig", "its wep_tx_keyidx is not a number"));
                s.wepKeyIndex = *number;
            }
            const std::set<std::string> auth =
                Tokens(block.Raw("auth_alg") ? *block.Raw("auth_alg") : "");
            if (auth.count("LEAP"))
                return skip(
                    Tr("WpaSupplicantConfig", "it uses LEAP (802.1X), which is not supported"));
            s.sharedKeyAuthentication = auth.count("SHARED") && !auth.count("OPEN");
        }
    } else if (HasAny(keyMgmt, {"SAE", "FT-SAE", "SAE-EXT-KEY"})) {
        return skip(
            Tr("WpaSupplicantConfig", "it uses WPA3-SAE, which this adapter does not support"));
    } else if (keyMgmt.count("OWE")) {
        return skip(Tr("WpaSupplicantConfig",
                       "it uses OWE (Enhanced Open), which this adapter does not support"));
    } else if (HasAny(keyMgmt, {"WPA-EAP", "IEEE8021X", "FT-EAP", "WPA-EAP-SHA256", "FT-EAP-SHA384",
                                "WPA-EAP-SUITE-B", "WPA-EAP-SUITE-B-192", "OSEN", "FILS-SHA256",
                                "FILS-SHA384"})) {
        return skip(Tr("WpaSupplicantConfig",
                       "it uses 802.1X (WPA-Enterprise), which this adapter does not support"));
    } else if (psk) {
        return skip(Tr("WpaSupplicantConfig", "it uses WPA-PSK but gives no psk"));
    } else {
        return skip(Tr("WpaSupplicantConfig", "its key_mgmt names nothing this adapter supports"));
    }
    return MakeImportEntry(s, origin);
}

// A settings line: its name, or nullopt when it is no "name=value".
std::optional<std::pair<std::string, std::string>> Setting(std::string_view line) {
    const size_t eq = line.find('=');
    if (eq == std::string_view::npos || eq == 0) return std::nullopt;
    std::string_view name = Trim(line.substr(0, eq));
    if (name.empty() || !std::all_of(name.begin(), name.end(), [](char c) {
            return std::isalnum(uint8_t(c)) || c == '_' || c == '-';
        }))
        return std::nullopt;
    return std::pair{std::string(name), std::string(Trim(line.substr(eq + 1)))};
}

}  // namespace

ImportFile ReadWpaSupplicantConfig(std::string_view text) {
    ImportFile file;
    enum class In { kTop, kNetwork, kOtherBlock } in = In::kTop;
    Block block;
    size_t number = 0;
    bool sawSetting = false;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view raw = text.substr(start, end - start);
        start = end + 1;
        ++number;
        if (raw.size() > kMaxConfigLine) {
            if (in == In::kNetwork && block.problem.empty()) block.problem = TooLong(number);
            if (in == In::kTop) {
                file.problem = TooLong(number);
                return file;
            }
            continue;
        }
        const std::string_view line = Trim(StripComment(raw));
        if (line.empty()) continue;
        switch (in) {
            case In::kTop:
                if (line == "network={") {
                    in = In::kNetwork;
                    block = Block{number, {}, {}};
                } else if (line.size() >= 2 && line.substr(line.size() - 2) == "={") {
                    in = In::kOtherBlock;
                } else if (Setting(line)) {
                    sawSetting = true;
                } else {
                    file.problem = FormatText(
                        Tr("WpaSupplicantConfig",
                           "line %1 is neither a setting (name=value) nor the start of a block"),
                        {std::to_string(number)});
                    return file;
                }
                break;
            case In::kOtherBlock:
                if (line == "}") in = In::kTop;
                break;
            case In::kNetwork:
                if (line == "}") {
                    if (file.entries.size() < kMaxImportedNetworks)
                        file.entries.push_back(Convert(block));
                    in = In::kTop;
                } else if (auto setting = Setting(line)) {
                    if (!ReadValue(setting->second) && block.problem.empty())
                        block.problem = FormatText(
                            Tr("WpaSupplicantConfig", "line %1 has a malformed quoted value"),
                            {std::to_string(number)});
                    block.settings.push_back(std::move(*setting));
                } else if (block.problem.empty()) {
                    block.problem =
                        FormatText(Tr("WpaSupplicantConfig", "line %1 is no setting (name=value)"),
                                   {std::to_string(number)});
                }
                break;
        }
    }
    if (in == In::kNetwork && file.entries.size() < kMaxImportedNetworks)
        file.entries.push_back(
            SkippedEntry(NetworkBlockOrigin(block.line), "",
                         Tr("WpaSupplicantConfig", "the block is not closed by \"}\"")));
    if (file.entries.empty() && !sawSetting && file.problem.empty())
        file.problem = Tr("WpaSupplicantConfig", "it holds no settings and no network blocks");
    return file;
}

}  // namespace corvane

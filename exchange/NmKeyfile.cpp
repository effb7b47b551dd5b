#include "exchange/NmKeyfile.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <optional>

#include "adapter/Records.h"
#include "exchange/ConfigText.h"
#include "exchange/WpaSupplicantConfig.h"
#include "platform/Translate.h"

namespace corvane {
namespace {

using config_text::IsSpace;
using config_text::Trim;

// A key file's string escapes: \s \n \t \r \\ (and \; inside lists, kept
// as ";"); nullopt for any other escape or a trailing backslash.
std::optional<std::string> Unescape(std::string_view text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            out += text[i];
            continue;
        }
        if (++i == text.size()) return std::nullopt;
        switch (text[i]) {
            case 's':
                out += ' ';
                break;
            case 'n':
                out += '\n';
                break;
            case 't':
                out += '\t';
                break;
            case 'r':
                out += '\r';
                break;
            case '\\':
                out += '\\';
                break;
            case ';':
                out += ';';
                break;
            default:
                return std::nullopt;
        }
    }
    return out;
}

// NetworkManager writes an SSID that is not plain text as its bytes in
// decimal, each followed by ";" ("72;111;109;101;").
std::optional<std::string> ByteList(std::string_view text) {
    if (text.find(';') == std::string_view::npos ||
        !std::all_of(text.begin(), text.end(),
                     [](char c) { return c == ';' || std::isdigit(uint8_t(c)); }))
        return std::nullopt;
    std::string out;
    size_t i = 0;
    while (i < text.size()) {
        size_t end = text.find(';', i);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view number = text.substr(i, end - i);
        if (number.empty() || number.size() > 3) return std::nullopt;
        const int value = std::stoi(std::string(number));
        if (value > 255) return std::nullopt;
        out += char(value);
        i = end + 1;
    }
    return out;
}

std::vector<std::string> ListItems(std::string_view text) {
    std::vector<std::string> items;
    size_t i = 0;
    while (i < text.size()) {
        size_t end = text.find(';', i);
        if (end == std::string_view::npos) end = text.size();
        std::string item(Trim(text.substr(i, end - i)));
        std::transform(item.begin(), item.end(), item.begin(),
                       [](unsigned char c) { return char(std::tolower(c)); });
        if (!item.empty()) items.push_back(std::move(item));
        i = end + 1;
    }
    return items;
}

bool Contains(const std::vector<std::string>& items, std::string_view wanted) {
    return std::find(items.begin(), items.end(), wanted) != items.end();
}

std::optional<long> Number(std::string_view text) {
    text = Trim(text);
    if (text.empty() || text.size() > 9) return std::nullopt;
    long value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

using Group = std::map<std::string, std::string>;  // key, raw value

// The group by its name or its older alias.
const Group* Find(const std::map<std::string, Group>& groups, const char* name, const char* alias) {
    auto it = groups.find(name);
    if (it == groups.end()) it = groups.find(alias);
    return it == groups.end() ? nullptr : &it->second;
}

std::string Raw(const Group* group, const char* key) {
    if (!group) return {};
    auto it = group->find(key);
    return it == group->end() ? std::string() : it->second;
}

// A value that is a word or a number: white space around it does not count.
std::string Word(const Group* group, const char* key) { return std::string(Trim(Raw(group, key))); }

bool Has(const Group* group, const char* key) { return group && group->count(key); }

ImportEntry Convert(const std::map<std::string, Group>& groups) {
    const std::string origin = Tr("NmKeyfile", "keyfile");
    const Group* connection = Find(groups, "connection", "connection");
    const Group* wifi = Find(groups, "wifi", "802-11-wireless");
    const Group* security = Find(groups, "wifi-security", "802-11-wireless-security");
    const std::string type = Word(connection, "type");
    WirelessSettings s;
    s.name = Unescape(Raw(connection, "id")).value_or("");
    if (!type.empty() && type != "wifi" && type != "802-11-wireless")
        return SkippedEntry(
            origin, "",
            FormatText(Tr("NmKeyfile", "it is not a Wi-Fi connection (type %1)"), {type}));
    if (!wifi || !Has(wifi, "ssid"))
        return SkippedEntry(origin, "", Tr("NmKeyfile", "it has no [wifi] group with an ssid"));

    const std::string rawSsid = Raw(wifi, "ssid");
    std::optional<std::string> ssid = ByteList(rawSsid);
    if (!ssid) ssid = Unescape(rawSsid);
    if (!ssid)
        return SkippedEntry(origin, "",
                            Tr("NmKeyfile", "its ssid holds an escape a keyfile does not have"));
    s.ssid = *ssid;
    if (s.ssid.empty() || s.ssid.size() > kSsidMaxLength)
        return SkippedEntry(origin, s.ssid,
                            Tr("NmKeyfile", "its ssid is empty or longer than 32 bytes"));
    auto skip = [&](const std::string& reason) { return SkippedEntry(origin, s.ssid, reason); };

    const std::string mode = Word(wifi, "mode");
    if (mode == "adhoc") {
        s.adhoc = true;
        s.band5GHz = Word(wifi, "band") == "a";
        if (Has(wifi, "channel")) {
            s.channel = Number(Raw(wifi, "channel"));
            if (!s.channel) return skip(Tr("NmKeyfile", "its channel is not a number"));
            if (*s.channel == 0) s.channel.reset();  // 0: NetworkManager picks one
        }
    } else if (mode == "ap") {
        return skip(Tr("NmKeyfile", "it is a hotspot (mode=ap), not a network to join"));
    } else if (mode == "mesh") {
        return skip(Tr("NmKeyfile", "it is a mesh network (mode=mesh)"));
    } else if (!mode.empty() && mode != "infrastructure") {
        return skip(FormatText(Tr("NmKeyfile", "its mode %1 is unknown"), {mode}));
    }
    s.hidden = Word(wifi, "hidden") == "true" || Word(wifi, "hidden") == "1";
    if (Has(wifi, "bssid")) {
        s.bssid = Raw(wifi, "bssid");
        if (BssidFromMacText(s.bssid).empty())
            return skip(Tr("NmKeyfile", "its bssid is no MAC address"));
    }

    if (!security) return MakeImportEntry(s, origin);  // open
    if (groups.count("802-1x"))
        return skip(Tr("NmKeyfile",
                       "it uses 802.1X (WPA-Enterprise), which this adapter does not support"));
    const std::string keyMgmt = Word(security, "key-mgmt");
    auto notStored = [&](const char* flagsKey) {
        const long flags = Number(Raw(security, flagsKey)).value_or(0);
        return (flags & 3) != 0;  // kept by an agent (the keyring) or never saved
    };
    if (keyMgmt == "wpa-psk") {
        s.security = WirelessSettings::Security::kWpaPsk;
        if (!Has(security, "psk"))
            return skip(
                notStored("psk-flags")
                    ? Tr("NmKeyfile", "its key is not in the file (the desktop's keyring keeps it)")
                    : Tr("NmKeyfile", "it uses WPA-PSK but gives no psk"));
        auto psk = Unescape(Raw(security, "psk"));
        if (!psk) return skip(Tr("NmKeyfile", "its psk holds an escape a keyfile does not have"));
        s.psk = *psk;
        const std::vector<std::string> proto = ListItems(Raw(security, "proto"));
        s.wpa2 = proto.empty() || Contains(proto, "rsn");
        if (!s.wpa2 && !Contains(proto, "wpa"))
            return skip(Tr("NmKeyfile", "its proto names neither wpa nor rsn"));
        const std::vector<std::string> pairwise = ListItems(Raw(security, "pairwise"));
        s.aes = pairwise.empty() || Contains(pairwise, "ccmp");
        if (!s.aes && !Contains(pairwise, "tkip"))
            return skip(Tr("NmKeyfile", "its pairwise ciphers are neither ccmp nor tkip"));
    } else if (keyMgmt == "none") {
        s.security = WirelessSettings::Security::kWep;
        if (Word(security, "wep-key-type") == "2")
            return skip(
                Tr("NmKeyfile",
                   "its WEP key is a passphrase (wep-key-type=2), which this adapter cannot use"));
        bool anyKey = false;
        for (int slot = 0; slot < 4; ++slot) {
            const std::string name = "wep-key" + std::to_string(slot);
            if (!Has(security, name.c_str())) continue;
            auto key = Unescape(Raw(security, name.c_str()));
            if (!key)
                return skip(FormatText(
                    Tr("NmKeyfile", "its %1 holds an escape a keyfile does not have"), {name}));
            s.wepKey[size_t(slot)] = *key;
            s.wepKeyType[size_t(slot)] = GuessWepKeyType(*key);
            anyKey = anyKey || !key->empty();
        }
        if (!anyKey)
            return skip(
                notStored("wep-key-flags")
                    ? Tr("NmKeyfile", "its key is not in the file (the desktop's keyring keeps it)")
                    : Tr("NmKeyfile", "it uses WEP but gives no key"));
        if (Has(security, "wep-tx-keyidx")) {
            auto index = Number(Raw(security, "wep-tx-keyidx"));
            if (!index) return skip(Tr("NmKeyfile", "its wep-tx-keyidx is not a number"));
            s.wepKeyIndex = *index;
        }
        const std::string auth = Word(security, "auth-alg");
        if (auth == "leap")
            return skip(Tr("NmKeyfile", "it uses LEAP (802.1X), which is not supported"));
        s.sharedKeyAuthentication = auth == "shared";
    } else if (keyMgmt == "sae") {
        return skip(Tr("NmKeyfile", "it uses WPA3-SAE, which this adapter does not support"));
    } else if (keyMgmt == "owe") {
        return skip(
            Tr("NmKeyfile", "it uses OWE (Enhanced Open), which this adapter does not support"));
    } else if (keyMgmt == "wpa-eap" || keyMgmt == "ieee8021x" || keyMgmt == "wpa-eap-suite-b-192") {
        return skip(Tr("NmKeyfile",
                       "it uses 802.1X (WPA-Enterprise), which this adapter does not support"));
    } else if (keyMgmt == "wpa-none") {
        return skip(Tr("NmKeyfile", "it uses WPA-NONE (ad hoc WPA), which is not supported"));
    } else {
        return skip(FormatText(Tr("NmKeyfile", "its key-mgmt \"%1\" is unknown"), {keyMgmt}));
    }
    return MakeImportEntry(s, origin);
}

}  // namespace

ImportFile ReadNmKeyfile(std::string_view text) {
    ImportFile file;
    std::map<std::string, Group> groups;
    Group* current = nullptr;
    size_t number = 0;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view raw = text.substr(start, end - start);
        start = end + 1;
        ++number;
        const std::string lineNumber = std::to_string(number);
        if (raw.size() > kMaxConfigLine) {
            file.problem = FormatText(Tr("NmKeyfile", "line %1 is longer than %2 bytes"),
                                      {lineNumber, std::to_string(kMaxConfigLine)});
            return file;
        }
        // Leading white space goes; a value keeps its trailing white space
        // (only a carriage return of a DOS line end goes).
        std::string_view line = raw;
        while (!line.empty() && IsSpace(line.front())) line.remove_prefix(1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.empty() || line.front() == '#') continue;
        if (line.front() == '[') {
            line = Trim(line);
            if (line.back() != ']' || line.size() < 3) {
                file.problem = FormatText(
                    Tr("NmKeyfile", "line %1 opens a group without closing it"), {lineNumber});
                return file;
            }
            if (groups.size() >= 64) {
                file.problem = Tr("NmKeyfile", "it holds more than 64 groups");
                return file;
            }
            current = &groups[std::string(line.substr(1, line.size() - 2))];
            continue;
        }
        const size_t eq = line.find('=');
        if (eq == std::string_view::npos || eq == 0) {
            file.problem = FormatText(
                Tr("NmKeyfile", "line %1 is neither a group, a key=value line nor a comment"),
                {lineNumber});
            return file;
        }
        if (!current) {
            file.problem = FormatText(Tr("NmKeyfile", "line %1 holds a key before the first group"),
                                      {lineNumber});
            return file;
        }
        const std::string key(Trim(line.substr(0, eq)));
        if (key.find('[') != std::string::npos) continue;  // a translated value
        if (current->size() >= 256) {
            file.problem = Tr("NmKeyfile", "a group holds more than 256 keys");
            return file;
        }
        std::string_view value = line.substr(eq + 1);
        while (!value.empty() && IsSpace(value.front())) value.remove_prefix(1);
        (*current)[key] = std::string(value);
    }
    if (groups.empty()) {
        file.problem = Tr("NmKeyfile", "it holds no groups");
        return file;
    }
    file.entries.push_back(Convert(groups));
    return file;
}

}  // namespace corvane

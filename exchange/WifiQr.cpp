#include "exchange/WifiQr.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <vector>

#include "adapter/Records.h"
#include "platform/Translate.h"
#include "profiles/StoredIndexes.h"

namespace corvane {
namespace {

constexpr std::string_view kScheme = "WIFI:";
constexpr std::string_view kSpecial = "\\;,:\"";

std::string Escape(std::string_view value) {
    std::string out;
    out.reserve(value.size());
    for (char c : value) {
        if (kSpecial.find(c) != std::string_view::npos) out += '\\';
        out += c;
    }
    return out;
}

std::string Lower(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    return out;
}

// A raw field value with its escapes: the value, or nullopt for a
// trailing backslash. An unescaped pair of double quotes around the whole
// value is the older form of marking a text; they go.
std::optional<std::string> Unescape(std::string_view raw) {
    std::string out;
    bool quoted = false;
    if (raw.size() >= 2 && raw.front() == '"') {
        // The closing quote counts when no backslash escapes it.
        size_t backslashes = 0;
        for (size_t i = raw.size() - 1; i > 0 && raw[i - 1] == '\\'; --i) ++backslashes;
        quoted = raw.back() == '"' && backslashes % 2 == 0;
    }
    if (quoted) raw = raw.substr(1, raw.size() - 2);
    for (size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] != '\\') {
            out += raw[i];
            continue;
        }
        if (++i == raw.size()) return std::nullopt;
        out += raw[i];
    }
    return out;
}

struct Field {
    std::string name;
    std::string value;
};

WifiQrParse Malformed(std::string problem) {
    WifiQrParse result;
    result.outcome = WifiQrParse::Outcome::kMalformed;
    result.problem = std::move(problem);
    return result;
}

WifiQrParse Unsupported(std::string problem) {
    WifiQrParse result;
    result.outcome = WifiQrParse::Outcome::kUnsupported;
    result.problem = std::move(problem);
    return result;
}

// The fields after "WIFI:", or the problem.
std::optional<std::vector<Field>> SplitFields(std::string_view rest, std::string& problem) {
    std::vector<Field> fields;
    size_t i = 0;
    while (i < rest.size()) {
        if (rest[i] == ';') {  // the empty field that ends the list
            ++i;
            break;
        }
        // The value ends at the first ';' no backslash escapes.
        size_t end = i;
        while (end < rest.size() && rest[end] != ';') end += rest[end] == '\\' ? 2 : 1;
        if (end >= rest.size()) {
            problem = Tr("WifiQr", "A field of the QR text has no closing \";\".");
            return std::nullopt;
        }
        const std::string_view raw = rest.substr(i, end - i);
        const size_t colon = raw.find(':');
        if (colon == std::string_view::npos || colon == 0) {
            problem = FormatText(Tr("WifiQr", "The QR text holds a field without a name (\"%1\")."),
                                 {raw.substr(0, 16)});
            return std::nullopt;
        }
        const std::string name(raw.substr(0, colon));
        for (const Field& f : fields) {
            if (f.name == name) {
                problem = FormatText(Tr("WifiQr", "The QR text gives the field %1 twice."), {name});
                return std::nullopt;
            }
        }
        std::optional<std::string> value = Unescape(raw.substr(colon + 1));
        if (!value) {
            problem = FormatText(
                Tr("WifiQr", "The field %1 of the QR text ends in a lone backslash."), {name});
            return std::nullopt;
        }
        fields.push_back({name, std::move(*value)});
        i = end + 1;
    }
    // After the list at most one line end.
    std::string_view tail = rest.substr(std::min(i, rest.size()));
    if (tail == "\n" || tail == "\r\n") tail = {};
    if (!tail.empty()) {
        problem = Tr("WifiQr", "The QR text goes on after its end (\";;\").");
        return std::nullopt;
    }
    return fields;
}

const std::string* FieldValue(const std::vector<Field>& fields, std::string_view name) {
    for (const Field& f : fields)
        if (f.name == name) return &f.value;
    return nullptr;
}

struct TypeRow {
    const char* value;  // as written after T:, compared case-insensitively
    std::optional<WifiQrSecurity> security;
    const char* refusal;
};
// "WPA2" and "WPA3" are spellings some generators use; SAE, the enterprise
// kinds and WPA3 are what this adapter cannot join.
constexpr std::array<TypeRow, 11> kTypes = {{
    {"", WifiQrSecurity::kOpen, nullptr},
    {"nopass", WifiQrSecurity::kOpen, nullptr},
    {"wep", WifiQrSecurity::kWep, nullptr},
    {"wpa", WifiQrSecurity::kWpa, nullptr},
    {"wpa2", WifiQrSecurity::kWpa, nullptr},
    {"sae", std::nullopt,
     QT_TRANSLATE_NOOP("WifiQr",
                       "The network uses WPA3-SAE, which this adapter does not support.")},
    {"wpa3", std::nullopt,
     QT_TRANSLATE_NOOP("WifiQr",
                       "The network uses WPA3-SAE, which this adapter does not support.")},
    {"wpa2-eap", std::nullopt,
     QT_TRANSLATE_NOOP(
         "WifiQr",
         "The network uses 802.1X (WPA-Enterprise), which this adapter does not support.")},
    {"wpa-eap", std::nullopt,
     QT_TRANSLATE_NOOP(
         "WifiQr",
         "The network uses 802.1X (WPA-Enterprise), which this adapter does not support.")},
    {"wpa3-eap", std::nullopt,
     QT_TRANSLATE_NOOP(
         "WifiQr",
         "The network uses 802.1X (WPA-Enterprise), which this adapter does not support.")},
    {"owe", std::nullopt,
     QT_TRANSLATE_NOOP(
         "WifiQr", "The network uses OWE (Enhanced Open), which this adapter does not support.")},
}};

}  // namespace

std::string EncodeWifiQr(const WifiQrNetwork& network) {
    std::string text(kScheme);
    switch (network.security) {
        case WifiQrSecurity::kOpen:
            text += "T:nopass;";
            break;
        case WifiQrSecurity::kWep:
            text += "T:WEP;";
            break;
        case WifiQrSecurity::kWpa:
            text += "T:WPA;";
            break;
    }
    text += "S:" + Escape(network.ssid) + ";";
    if (network.security != WifiQrSecurity::kOpen) text += "P:" + Escape(network.key) + ";";
    if (network.hidden) text += "H:true;";
    return text + ";";
}

WifiQrParse ParseWifiQr(std::string_view text) {
    if (text.size() > kMaxWifiQrText)
        return Malformed(FormatText(Tr("WifiQr", "The QR text is longer than %1 characters."),
                                    {std::to_string(kMaxWifiQrText)}));
    if (text.substr(0, kScheme.size()) != kScheme)
        return Malformed(
            Tr("WifiQr", "This is not a Wi-Fi QR text: it does not begin with \"WIFI:\"."));
    std::string problem;
    const auto fields = SplitFields(text.substr(kScheme.size()), problem);
    if (!fields) return Malformed(problem);

    WifiQrParse result;
    const std::string* type = FieldValue(*fields, "T");
    const std::string wanted = type ? Lower(*type) : "";
    const auto row = std::find_if(kTypes.begin(), kTypes.end(),
                                  [&](const TypeRow& r) { return wanted == r.value; });
    if (row == kTypes.end())
        return Malformed(FormatText(
            Tr("WifiQr", "The QR text names an unknown security type (T:%1)."), {*type}));
    if (!row->security) return Unsupported(Tr("WifiQr", row->refusal));
    result.network.security = *row->security;

    // R (WPA3's transition disable): bit 0 set means WPA3-Personal only.
    if (const std::string* r = FieldValue(*fields, "R");
        r && result.network.security == WifiQrSecurity::kWpa && !r->empty()) {
        const char last = r->back();
        const int digit = std::isdigit(uint8_t(last))    ? last - '0'
                          : std::isxdigit(uint8_t(last)) ? std::tolower(uint8_t(last)) - 'a' + 10
                                                         : -1;
        if (digit < 0)
            return Malformed(Tr("WifiQr", "The QR text's field R is not a hexadecimal number."));
        if (digit & 1)
            return Unsupported(
                Tr("WifiQr",
                   "The network accepts WPA3-SAE only, which this adapter does not support."));
    }

    const std::string* ssid = FieldValue(*fields, "S");
    if (!ssid || ssid->empty())
        return Malformed(Tr("WifiQr", "The QR text names no network (S:)."));
    if (ssid->size() > kSsidMaxLength)
        return Malformed(Tr("WifiQr", "The network name in the QR text is longer than 32 bytes."));
    result.network.ssid = *ssid;

    const std::string* key = FieldValue(*fields, "P");
    if (result.network.security == WifiQrSecurity::kOpen) {
        if (key && !key->empty())
            return Malformed(
                Tr("WifiQr", "The QR text gives a key (P:) for an open network (T:nopass)."));
    } else {
        if (!key || key->empty())
            return Malformed(
                result.network.security == WifiQrSecurity::kWep
                    ? Tr("WifiQr", "The QR text gives no key (P:) for a WEP network.")
                    : Tr("WifiQr", "The QR text gives no key (P:) for a WPA network."));
        result.network.key = *key;
    }

    if (const std::string* hidden = FieldValue(*fields, "H")) {
        const std::string h = Lower(*hidden);
        if (h != "true" && h != "false")
            return Malformed(Tr("WifiQr", "The QR text's field H is neither true nor false."));
        result.network.hidden = h == "true";
    }
    result.outcome = WifiQrParse::Outcome::kNetwork;
    return result;
}

ProfileQr WifiQrForProfile(const PrefDictionary& profile) {
    ProfileQr out;
    if (IntValue(profile, kKeyNetworkType) == kNetworkAdhoc) {
        out.refusal =
            Tr("WifiQr",
               "An ad hoc profile cannot be shared as a QR code: phones join access points only.");
        return out;
    }
    const std::string ssid = profile.Value(kKeySsid);
    if (ssid.empty() || ssid.size() > kSsidMaxLength) {
        out.refusal = Tr("WifiQr", "The profile's network name is empty or longer than 32 bytes.");
        return out;
    }
    WifiQrNetwork network;
    network.ssid = ssid;
    network.hidden = IntValue(profile, kKeyHidden) != 0;
    const int32_t auth = IntValue(profile, kKeyAuthenticationType);
    const int32_t enc = IntValue(profile, kKeyEncryptionType);
    if (IsPskInUse(auth)) {
        network.security = WifiQrSecurity::kWpa;
        network.key = profile.Value(kKeyWpaPsk);
        if (network.key.empty()) {
            out.refusal = Tr("WifiQr", "The profile has no pre-shared key to share.");
            return out;
        }
    } else if (IsWepInUse(auth, enc)) {
        network.security = WifiQrSecurity::kWep;
        const int32_t use = IntValue(profile, kKeyWepKeyUse);
        const int slot = use >= 0 && use < 4 ? use : 0;
        network.key = profile.Value(kKeyWepKey[slot]);
        if (network.key.empty()) {
            out.refusal =
                FormatText(Tr("WifiQr", "The profile's default WEP key (key %1) is empty."),
                           {std::to_string(slot + 1)});
            return out;
        }
    }
    out.network = std::move(network);
    return out;
}

}  // namespace corvane

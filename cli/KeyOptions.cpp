#include "cli/KeyOptions.h"

#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <iostream>
#include <iterator>

#include "platform/Translate.h"

namespace corvane::cli {
namespace {

struct AuthName {
    const char* name;
    int32_t index;
};
constexpr std::array<AuthName, 4> kAuthNames = {{{"open", kAuthOpen},
                                                 {"shared", kAuthShared},
                                                 {"wpa-psk", kAuthWpaPsk},
                                                 {"wpa2-psk", kAuthWpa2Psk}}};

// A passphrase given as "-" is read from standard input, so that it never
// shows in the process list; one trailing line end is dropped.
std::string ReadPassphrase(const std::string& value) {
    if (value != "-") return value;
    std::string text((std::istreambuf_iterator<char>(std::cin)), std::istreambuf_iterator<char>());
    if (!text.empty() && text.back() == '\n') text.pop_back();
    if (!text.empty() && text.back() == '\r') text.pop_back();
    return text;
}

struct WepOption {
    int slot;
    int32_t type;
    std::string text;
};

// "N=TEXT" with N 1..4.
bool ParseWepOption(const std::string& value, int32_t type, WepOption& out) {
    if (value.size() < 2 || value[0] < '1' || value[0] > '4' || value[1] != '=') return false;
    out = {value[0] - '1', type, value.substr(2)};
    return true;
}

}  // namespace

std::vector<OptionDef> KeyOptionDefs() {
    return {{"--passphrase", true, false},  {"--cipher", true, false},
            {"--wep-hex", true, true},      {"--wep-ascii", true, true},
            {"--wep-default", true, false}, {"--shared", false, false}};
}

std::string ApplyKeyOptions(const ParsedOptions& options, KeyOptionMode mode,
                            KeyEntryGroup& group) {
    std::vector<WepOption> wep;
    for (const auto& [option, type] :
         {std::pair{"--wep-hex", kKeyTypeHex}, std::pair{"--wep-ascii", kKeyTypeAscii}}) {
        for (const std::string& value : options.Values(option)) {
            WepOption parsed;
            if (!ParseWepOption(value, type, parsed))
                return FormatText(Tr("cli::KeyOptions", "%1 takes N=KEY with N from 1 to 4"),
                                  {option});
            for (const WepOption& other : wep)
                if (other.slot == parsed.slot)
                    return FormatText(Tr("cli::KeyOptions", "key %1 given twice"),
                                      {std::to_string(parsed.slot + 1)});
            wep.push_back(parsed);
        }
    }
    const bool anyWep = !wep.empty() || options.Has("--wep-default");
    const bool passphrase = options.Has("--passphrase");

    // The authentication: chosen, implied by --shared, inferred from the
    // keys for a typed network, or the window's preselection.
    int32_t auth = group.fields.nAuthenType;
    if (auto name = options.Value("--auth")) {
        if (mode == KeyOptionMode::Join)
            return Tr("cli::KeyOptions", "--auth does not apply to join");
        auto it = std::find_if(kAuthNames.begin(), kAuthNames.end(),
                               [&](const AuthName& a) { return *name == a.name; });
        if (it == kAuthNames.end())
            return Tr("cli::KeyOptions", "--auth takes open, shared, wpa-psk or wpa2-psk");
        auth = it->index;
        if (options.Has("--shared") && auth != kAuthShared)
            return FormatText(Tr("cli::KeyOptions", "--shared contradicts --auth %1"), {*name});
    } else if (options.Has("--shared")) {
        auth = kAuthShared;
    } else if (mode == KeyOptionMode::AddTyped) {
        auth = passphrase ? kAuthWpa2Psk : kAuthOpen;
    }
    if (mode == KeyOptionMode::Join && auth != group.fields.nAuthenType &&
        !(auth == kAuthShared && group.fields.nAuthenType == kAuthOpen && group.fields.WepInUse()))
        return Tr("cli::KeyOptions", "--shared applies only to a WEP network");
    if (auth != group.fields.nAuthenType) {
        if (group.AuthEntryIndex(kAuthenticationTexts[size_t(auth)]) < 0)
            return Tr("cli::KeyOptions", "an ad hoc network offers only Open authentication");
        group.setAuthenTypeCombo(auth);
    }

    // The encryption within that authentication's list.
    int32_t enc = group.fields.nEncryType;
    if (auto cipher = options.Value("--cipher")) {
        if (!IsPskInUse(auth))
            return Tr("cli::KeyOptions", "--cipher applies only to a WPA-PSK or WPA2-PSK network");
        if (*cipher != "tkip" && *cipher != "aes")
            return Tr("cli::KeyOptions", "--cipher takes tkip or aes");
        enc = *cipher == "tkip" ? kEncTkip : kEncAes;
    } else if (IsPskInUse(auth) && mode == KeyOptionMode::AddTyped) {
        enc = kEncAes;
    } else if (auth == kAuthOpen && !wep.empty()) {
        enc = kEncOpenWep;
    } else if (auth == kAuthShared) {
        enc = kEncSharedWep;
    }
    if (enc != group.fields.nEncryType || group.encSelected < 0) {
        if (enc < 0 || size_t(enc) >= group.encEntries.size())
            return Tr("cli::KeyOptions", "that encryption is not offered");
        group.setEncryTypeCombo(enc);
    }

    KeyEntryFields& f = group.fields;
    if (f.PskInUse() && anyWep)
        return Tr("cli::KeyOptions", "this network takes a pre-shared key, not WEP keys");
    if (!f.PskInUse() && passphrase)
        return Tr("cli::KeyOptions", "this network takes no pre-shared key");
    if (!f.PskInUse() && !f.WepInUse() && anyWep)
        return Tr("cli::KeyOptions", "this network takes no keys");

    if (passphrase) f.wpaPreSharedKey = ReadPassphrase(*options.Value("--passphrase"));
    // The keys as given: the confirm step's rules (lengths, and characters
    // the key type allows) judge them, with the window's messages.
    for (const WepOption& w : wep) {
        group.OnWEPKeyCombo(w.slot, w.type);
        f.keyText[size_t(w.slot)] = w.text;
    }
    if (auto index = options.Value("--wep-default")) {
        if (index->size() != 1 || (*index)[0] < '1' || (*index)[0] > '4')
            return Tr("cli::KeyOptions", "--wep-default takes 1 to 4");
        f.radio = {};
        f.radio[size_t((*index)[0] - '1')] = true;
    }
    return "";
}

}  // namespace corvane::cli

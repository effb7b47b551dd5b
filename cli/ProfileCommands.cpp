#include <cstdio>
#include <cstring>
#include <iostream>
#include <iterator>
#include <nlohmann/json.hpp>
#include <string>

#include "adapter/Globals.h"
#include "adapter/Oids.h"
#include "adapter/Records.h"
#include "adapter/Requests.h"
#include "cli/Commands.h"
#include "cli/Options.h"
#include "crypto/MathFunc.h"
#include "crypto/Wipe.h"
#include "editor/KeyRules.h"
#include "platform/Clock.h"
#include "platform/Translate.h"
#include "profiles/ActiveRecord.h"
#include "profiles/ConnectEngine.h"
#include "profiles/PreferenceFiles.h"
#include "profiles/ProfileList.h"
#include "profiles/StoredIndexes.h"

namespace corvane::cli {
namespace {

constexpr int kAssociationPolls = 24;
constexpr uint64_t kAssociationPollMicroseconds = 250000;

std::string SecurityText(const PrefDictionary& profile) {
    const int32_t auth = IntValue(profile, kKeyAuthenticationType);
    const int32_t enc = IntValue(profile, kKeyEncryptionType);
    std::string text(AuthenticationText(auth));
    std::string_view cipher = EncryptionText(auth, enc);
    if (text.empty()) text = "?";
    text += "/" + std::string(cipher.empty() ? "?" : cipher);
    if (IntValue(profile, kKeyNetworkType) == kNetworkAdhoc)
        text = FormatText(Tr("cli::ProfileCommands", "%1 (ad hoc)"), {text});
    return text;
}

}  // namespace

std::optional<size_t> FindProfileRow(const PrefArray& profiles, const std::string& wanted) {
    // An exact name first (a name may look like a number), then a 1-based
    // index written as plain digits.
    for (size_t i = 0; i < profiles.size(); ++i)
        if (profiles[i].Value(kKeyProfileName) == wanted) return i;
    auto index = ParseIndex(wanted);
    if (index && *index <= profiles.size()) return *index - 1;
    return std::nullopt;
}

std::optional<size_t> NamedProfileRow(const PrefArray& profiles, const std::string& wanted,
                                      const char* command, int& status) {
    const std::optional<size_t> row = FindProfileRow(profiles, wanted);
    if (row) return row;
    if (IsMalformedIndex(wanted)) {
        std::fputs(FormatText(Tr("cli::ProfileCommands",
                                 "corvane %1: %2 is no profile number (1, 2, ...)\n"),
                              {command, Printable(wanted)})
                       .c_str(),
                   stderr);
        status = kExitUsage;
    } else {
        std::fputs(FormatText(Tr("cli::ProfileCommands",
                                 "corvane: no stored profile named or numbered \"%1\"\n"),
                              {Printable(wanted)})
                       .c_str(),
                   stderr);
        status = kExitFailed;
    }
    return std::nullopt;
}

namespace {

bool AssociatedWith(KestrelAccess& adapter, const NDIS_802_11_SSID& wanted) {
    uint32_t media = kMediaDisconnected;
    if (!QueryWord(adapter, OID_GEN_MEDIA_CONNECT_STATUS, media) || media != kMediaConnected)
        return false;
    const NDIS_802_11_SSID current = QuerySsid(adapter);
    return current.SsidLength == wanted.SsidLength &&
           std::memcmp(current.Ssid, wanted.Ssid, std::min<size_t>(wanted.SsidLength, 32)) == 0;
}

}  // namespace

int WaitForAssociation(Context& context, const NDIS_802_11_SSID& wanted) {
    const std::string ssid =
        Printable(std::string(reinterpret_cast<const char*>(wanted.Ssid),
                              std::min<size_t>(wanted.SsidLength, kSsidMaxLength)));
    context.progress.SetActivity(Tr("cli::ProfileCommands", "Associating"));
    for (int poll = 0; poll < kAssociationPolls; ++poll) {
        if (AssociatedWith(context.adapter, wanted)) {
            std::fputs(FormatText(Tr("cli::ProfileCommands", "Connected to %1\n"), {ssid}).c_str(),
                       stdout);
            return kExitOk;
        }
        platform::USleep(kAssociationPollMicroseconds);
    }
    std::fputs(FormatText(Tr("cli::ProfileCommands", "Not connected to %1\n"), {ssid}).c_str(),
               stdout);
    return kExitFailed;
}

int CommandPsk(Context& context) {
    if (context.args.size() != 2) {
        std::fputs(Tr("cli::ProfileCommands", "usage: corvane psk SSID PASSPHRASE|-\n").c_str(),
                   stderr);
        return kExitUsage;
    }
    const std::string& ssid = context.args[0];
    KeyEntryFields fields;
    fields.nAuthenType = kAuthWpa2Psk;
    fields.wpaPreSharedKey = context.args[1];
    if (fields.wpaPreSharedKey == "-") {
        std::string text((std::istreambuf_iterator<char>(std::cin)),
                         std::istreambuf_iterator<char>());
        if (!text.empty() && text.back() == '\n') text.pop_back();
        if (!text.empty() && text.back() == '\r') text.pop_back();
        fields.wpaPreSharedKey = text;
    }
    const std::string& pass = fields.wpaPreSharedKey;
    if (ssid.size() > kSsidMaxLength) {
        std::fputs(FormatText(Tr("cli::ProfileCommands",
                                 "corvane: the SSID is %1 bytes long; at most 32 are allowed\n"),
                              {std::to_string(ssid.size())})
                       .c_str(),
                   stderr);
        return kExitUsage;
    }
    // The rules the key dialog applies: a passphrase of 8 to 63 printable
    // characters, or 64 hexadecimal digits.
    if (auto violation = KeyRuleViolation(fields)) {
        std::fprintf(stderr, "%s\n", violation->c_str());
        return kExitUsage;
    }
    unsigned char key[kPasswordHashOutputLen] = {};
    if (pass.size() == kPskHexLength)
        AtoH(pass.c_str(), key, kPmkLen);
    else
        PasswordHash(pass.c_str(), reinterpret_cast<const unsigned char*>(ssid.data()),
                     int(ssid.size()), key);
    for (int i = 0; i < kPmkLen; ++i) std::printf("%02x", key[i]);
    std::printf("\n");
    detail::SecureWipe(key, sizeof key);
    return kExitOk;
}

int CommandProfiles(Context& context) {
    if (!context.args.empty() && context.args[0] == "add") return ProfilesAdd(context);
    if (!context.args.empty() && context.args[0] == "delete") return ProfilesDelete(context);
    if (!context.args.empty() && context.args[0] == "share") return ProfilesShare(context);
    if (!context.args.empty() && context.args[0] == "export") return ProfilesExport(context);
    if (!context.args.empty() && context.args[0] == "import") return ProfilesImport(context);
    ProfileListState state;
    state.Refresh();
    if (context.options.Has("--json")) {
        const bool showKeys = context.options.Has("--show-keys");
        nlohmann::json list = nlohmann::json::array();
        for (const PrefDictionary& p : state.records) {
            nlohmann::json object = nlohmann::json::object();
            for (const auto& [key, value] : p.Entries()) {
                const bool secret = key == kKeyWpaPsk || key == kKeyWepKey[0] ||
                                    key == kKeyWepKey[1] || key == kKeyWepKey[2] ||
                                    key == kKeyWepKey[3];
                object[key] =
                    secret && !showKeys && !value.empty() ? std::string("********") : value;
            }
            list.push_back(std::move(object));
        }
        std::printf("%s\n",
                    list.dump(2, ' ', false, nlohmann::json::error_handler_t::replace).c_str());
        return kExitOk;
    }
    if (state.records.empty())
        std::fputs(Tr("cli::ProfileCommands", "corvane: no stored profiles\n").c_str(), stderr);
    const std::optional<size_t> active =
        IsActiveRecord(state.recordActivate) ? state.ActiveRow() : std::nullopt;
    for (size_t i = 0; i < state.records.size(); ++i) {
        const PrefDictionary& p = state.records[i];
        std::printf("%zu%s  %-16s  %-32s  %s\n", i + 1, i == active ? "*" : " ",
                    Printable(p.Value(kKeyProfileName)).c_str(),
                    Printable(p.Value(kKeySsid)).c_str(), SecurityText(p).c_str());
    }
    return kExitOk;
}

int CommandConnect(Context& context) {
    const std::string& wanted = context.options.Positional().at(0);  // the grammar's one
    ProfileListState state;
    state.Refresh();
    int status = kExitOk;
    auto row = NamedProfileRow(state.records, wanted, "connect", status);
    if (!row) return status;
    if (!RequireAdapter(context.adapter)) return kExitFailed;

    // The active file names the profile before the adapter is told: were it
    // not stored, the agent would take the link back to the old one.
    ConverterKeyBuffers keys;
    ActivateOutcome outcome = ActivateProfile(state, *row, keys);
    keys.Zero();
    if (outcome.result == StoreResult::kGone) {
        std::fputs(Tr("cli::ProfileCommands",
                      "corvane: the profile was changed or deleted by another program\n")
                       .c_str(),
                   stderr);
        return kExitFailed;
    }
    if (outcome.result == StoreResult::kFailed) {
        std::fputs(FormatText(Tr("cli::ProfileCommands",
                                 "corvane: the active profile could not be saved in %1; not "
                                 "connecting\n"),
                              {ExpandTilde(kActiveProfilePath)})
                       .c_str(),
                   stderr);
        return kExitFailed;
    }
    ApplyProfile(context.adapter, *outcome.record, kPaneActivate);
    return WaitForAssociation(context, outcome.record->SsidRecord);
}

int CommandDisconnect(Context& context) {
    if (!RequireAdapter(context.adapter)) return kExitFailed;
    // Marked inactive first: a link dropped while the file still named an
    // active profile would be taken back by the agent moments later.
    if (!DisableActiveProfile()) {
        std::fputs(FormatText(Tr("cli::ProfileCommands",
                                 "corvane: the active profile could not be marked inactive in "
                                 "%1; not disconnecting\n"),
                              {ExpandTilde(kActiveProfilePath)})
                       .c_str(),
                   stderr);
        return kExitFailed;
    }
    ProfileRecordPtr reset = MakeResetRecord();
    ApplyProfile(context.adapter, *reset, kPaneTask);
    std::fputs(Tr("cli::ProfileCommands", "Disconnected\n").c_str(), stdout);
    return kExitOk;
}

}  // namespace corvane::cli

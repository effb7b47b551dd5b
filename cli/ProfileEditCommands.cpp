// `corvane profiles add` and `corvane profiles delete`: the profile editor's
// OK and the profile list's Delete, over the same code as the window.
#include <algorithm>
#include <cstdio>
#include <optional>
#include <string>

#include "adapter/ChannelPlan.h"
#include "adapter/Globals.h"
#include "cli/Commands.h"
#include "cli/Guards.h"
#include "cli/KeyOptions.h"
#include "cli/Options.h"
#include "cli/Survey.h"
#include "editor/KeyRules.h"
#include "editor/ProfileEditorModel.h"
#include "platform/Alert.h"
#include "platform/Translate.h"
#include "profiles/ConnectEngine.h"
#include "profiles/PreferenceLock.h"
#include "profiles/ProfileList.h"
#include "survey/SurveyConnect.h"

namespace corvane::cli {
namespace {

int Usage(const std::string& error) {
    const std::string usage = Tr(
        "cli::ProfileEditCommands",
        "usage: corvane profiles add BSSID [--name NAME] [--ssid TEXT] [key options]\n"
        "       corvane profiles add --ssid TEXT [--adhoc [--channel N]] [--name NAME] [key "
        "options]\n"
        "key options: [--auth open|shared|wpa-psk|wpa2-psk] [--passphrase TEXT|-] [--cipher "
        "tkip|aes]\n"
        "             [--wep-hex N=KEY]... [--wep-ascii N=KEY]... [--wep-default N] [--shared]\n");
    std::fputs(("corvane profiles add: " + error + "\n" + usage).c_str(), stderr);
    return kExitUsage;
}

}  // namespace

int ProfilesAdd(Context& context) {
    const auto lock = LockAdapter();
    if (!lock) return kExitFailed;
    std::vector<OptionDef> defs = KeyOptionDefs();
    defs.push_back({"--auth", true, false});
    defs.push_back({"--name", true, false});
    defs.push_back({"--ssid", true, false});
    defs.push_back({"--adhoc", false, false});
    defs.push_back({"--channel", true, false});
    std::vector<std::string> args(context.args.begin() + 1, context.args.end());
    std::string error;
    auto options = ParseOptions(args, defs, 0, 1, &error);
    if (!options) return Usage(error);
    const bool fromScan = !options->Positional().empty();
    if (fromScan && (options->Has("--adhoc") || options->Has("--channel")))
        return Usage(Tr("cli::ProfileEditCommands",
                        "--adhoc and --channel are for a network typed in, not one from the scan"));
    if (!fromScan && !options->Has("--ssid"))
        return Usage(Tr("cli::ProfileEditCommands", "give a BSSID from the scan, or --ssid"));
    if (options->Has("--channel") && !options->Has("--adhoc"))
        return Usage(Tr("cli::ProfileEditCommands", "--channel needs --adhoc"));
    if (auto ssid = options->Value("--ssid")) {
        if (ssid->empty()) return Usage(Tr("cli::ProfileEditCommands", "--ssid needs a name"));
        if (ssid->size() > kSsidMaxLength)
            return Usage(Tr("cli::ProfileEditCommands", "an SSID has at most 32 bytes"));
    }

    ProfileEditorModel editor({}, CurrentChannelPlan);
    KeyOptionMode mode = KeyOptionMode::AddTyped;
    if (fromScan) {
        auto mac = ParseMac(options->Positional()[0]);
        if (!mac)
            return Usage(
                FormatText(Tr("cli::ProfileEditCommands", "%1 is no BSSID (AA:BB:CC:DD:EE:FF)"),
                           {Printable(options->Positional()[0])}));
        if (!RequireAdapter(context.adapter)) return kExitFailed;
        context.adapter.CheckCountryRegion();
        std::vector<ScannedNetwork> networks = ScanNetworks(context);
        const ScannedNetwork* network = FindNetwork(networks, *mac);
        if (!network) return kExitFailed;
        AddToProfilePlan plan = PlanAddToProfile(network->row, network->entry);
        if (plan.refusal) {
            platform::RunAlertPanel(*plan.refusal, "", "OK");
            return kExitFailed;
        }
        editor.AddProfile(plan.prefill);
        // A name typed over the scanned one is taken as typed, as in the
        // editor's SSID box.
        if (auto ssid = options->Value("--ssid"); ssid && *ssid != editor.ssidText)
            editor.ssidText = *ssid;
        mode = KeyOptionMode::AddFromScan;
    } else {
        // Without a scan the SSID list is empty; the plan is still the card's
        // when an adapter answers.
        if (context.adapter.SearchDevice()) context.adapter.CheckCountryRegion();
        editor = ProfileEditorModel([] { return std::span<const uint8_t>(); }, CurrentChannelPlan);
        editor.AddInit();
        editor.ssidText = *options->Value("--ssid");
        if (options->Has("--adhoc")) {
            editor.OnNetworkType(kNetworkAdhoc);
            if (auto channel = options->Value("--channel")) {
                auto number = ParseIndex(*channel);
                auto& plan = editor.channelList;
                auto it =
                    number ? std::find(plan.begin(), plan.end(), uint32_t(*number)) : plan.end();
                if (it == plan.end())
                    return Usage(FormatText(
                        Tr("cli::ProfileEditCommands", "channel %1 is not in the card's plan"),
                        {Printable(*channel)}));
                editor.OnChannel(int(it - plan.begin()));
            }
        }
    }
    if (auto name = options->Value("--name")) editor.profileName = *name;

    std::string bad = ApplyKeyOptions(*options, mode, editor.keys);
    if (!bad.empty()) return Usage(bad);
    if (auto violation = KeyRuleViolation(editor.keys.fields)) {
        platform::RunAlertPanel(*violation, "", "OK");
        return kExitUsage;
    }
    if (!editor.OnOK()) return kExitFailed;
    PrefArray stored = ReadPreferenceArray(kProfileListPath);
    std::fputs(FormatText(Tr("cli::ProfileEditCommands", "Added profile %1: %2 (%3)\n"),
                          {std::to_string(stored.size()), Printable(editor.profileName),
                           Printable(editor.ssidText)})
                   .c_str(),
               stdout);
    return kExitOk;
}

int ProfilesDelete(Context& context) {
    const auto lock = LockAdapter();
    if (!lock) return kExitFailed;
    std::vector<std::string> args(context.args.begin() + 1, context.args.end());
    std::string error;
    auto options = ParseOptions(args, {}, 1, 1, &error);
    if (!options) {
        std::fputs(FormatText(Tr("cli::ProfileEditCommands",
                                 "corvane profiles delete: %1\nusage: corvane profiles delete "
                                 "NAME|INDEX\n"),
                              {error})
                       .c_str(),
                   stderr);
        return kExitUsage;
    }
    // The name or number is looked up in the file as it is while the
    // profile is deleted: nobody changes it in between. The lock is let go
    // before the driver is asked anything.
    std::optional<PreferenceLock> preferences(std::in_place);
    if (!preferences->Held()) {
        std::fputs(
            Tr("cli::ProfileEditCommands", "corvane: another program holds the preference files\n")
                .c_str(),
            stderr);
        return kExitFailed;
    }
    ProfileListState state;
    state.Refresh();
    int status = kExitOk;
    auto row = NamedProfileRow(state.records, options->Positional()[0], "profiles delete", status);
    if (!row) return status;
    const std::string name = state.records[*row].Value(kKeyProfileName);
    DeleteOutcome outcome = DeleteProfile(state, *row);
    preferences.reset();
    if (outcome.result != StoreResult::kStored) {
        std::fputs(Tr("cli::ProfileEditCommands",
                      "corvane: the preference files could not be written; nothing was deleted\n")
                       .c_str(),
                   stderr);
        return kExitFailed;
    }
    std::fputs(FormatText(Tr("cli::ProfileEditCommands", "Deleted profile %1\n"), {Printable(name)})
                   .c_str(),
               stdout);
    if (outcome.queueReset) {
        // The window queues the reset record for its task step; here it is
        // applied at once.
        if (!RequireAdapter(context.adapter)) return kExitFailed;
        ProfileRecordPtr reset = MakeResetRecord();
        ApplyProfile(context.adapter, *reset, kPaneTask);
        std::fputs(Tr("cli::ProfileEditCommands", "Disconnected\n").c_str(), stdout);
    }
    return kExitOk;
}

}  // namespace corvane::cli

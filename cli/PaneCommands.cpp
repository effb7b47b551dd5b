// `corvane radio`, `corvane advanced` and `corvane about`: the advanced
// page's radio switch and Apply, and the About page's facts, through the
// same code as the window. Where the window queues a reconnect for its
// task step, these run it right after, in the same order.
#include "cli/PaneCommands.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

#include "adapter/Globals.h"
#include "adapter/Oids.h"
#include "adapter/Requests.h"
#include "cli/FieldLines.h"
#include "cli/Guards.h"
#include "cli/Options.h"
#include "pane/AboutInformation.h"
#include "pane/AdvancedSettings.h"
#include "platform/BundleInfo.h"
#include "platform/Clock.h"
#include "platform/PaneLauncher.h"
#include "platform/Translate.h"
#include "profiles/ConnectEngine.h"
#include "profiles/StoredIndexes.h"

namespace corvane::cli {
namespace {

std::string AdvancedUsage() {
    return Tr(
        "cli::PaneCommands",
        "usage: corvane advanced [--json]\n"
        "       corvane advanced set [--wireless-mode 2.4G|5G|2.4+5G] [--tx-rate TEXT]\n"
        "                            [--bg-protection 0|1|2|auto|on|off] [--tx-burst on|off]\n");
}

std::string OnOff(bool on) {
    return on ? Tr("cli::PaneCommands", "on") : Tr("cli::PaneCommands", "off");
}

// The reconnects the page would queue, run once the page's own requests
// are sent.
struct PendingReconnects {
    std::vector<ProfileRecordPtr> records;
    std::optional<NDIS_802_11_SSID> activeSsid;  // the active profile's network, when queued

    ReconnectHooks Hooks() {
        return {[this] {
                    PrefArray active = ReadPreferenceArray(kActiveProfilePath);
                    ConverterKeyBuffers keys;
                    ProfileRecordPtr record = ConvertActiveProfile(
                        active, kPaneActiveProfileCheck.pskKeyRecordLength, keys);
                    keys.Zero();
                    if (!record) return false;
                    activeSsid = record->SsidRecord;
                    records.push_back(std::move(record));
                    return true;
                },
                [this](ProfileRecordPtr record) { records.push_back(std::move(record)); }};
    }
    void Run(KestrelAccess& adapter) {
        for (ProfileRecordPtr& record : records) ApplyProfile(adapter, *record, kPaneTask);
        records.clear();
    }
    // Says whether the active profile's network took the adapter back. The
    // command did its part either way: its status does not depend on it.
    void ReportAssociation(Context& context) const {
        if (activeSsid) WaitForAssociation(context, *activeSsid);
    }
};

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    return text;
}

std::string Joined(const std::vector<std::string>& items) {
    std::string text;
    for (const std::string& item : items) text += (text.empty() ? "" : ", ") + item;
    return text;
}

// "54 Mbps", "54Mbps", "54", "auto": the entry of the rate list it names.
std::optional<int> FindRate(const std::vector<std::string>& rates, const std::string& wanted) {
    std::string key = Lower(wanted);
    key.erase(std::remove(key.begin(), key.end(), ' '), key.end());
    for (size_t i = 0; i < rates.size(); ++i) {
        std::string entry = Lower(rates[i]);
        entry.erase(std::remove(entry.begin(), entry.end(), ' '), entry.end());
        if (key == entry || key + "mbps" == entry) return int(i);
    }
    return std::nullopt;
}

std::optional<int> ParseBgProtection(const std::string& text) {
    for (size_t i = 0; i < kBgProtectionTexts.size(); ++i)
        if (Lower(text) == Lower(kBgProtectionTexts[i]) || text == std::to_string(i)) return int(i);
    return std::nullopt;
}

std::string Entry(const std::vector<std::string>& list, int index) {
    return index >= 0 && size_t(index) < list.size() ? list[size_t(index)] : "";
}

const std::vector<std::string> kBgProtections(kBgProtectionTexts.begin(), kBgProtectionTexts.end());

// Loads the page as the window sets it up for this adapter.
AdvancedSettingsModel LoadPage(KestrelAccess& adapter) {
    QueryRadio(adapter, G_bRadio);
    AdvancedSettingsModel model;
    model.InitAdvanceSetting(adapter.Is80211aSupport(), Current_Device);
    return model;
}

nlohmann::json PageJson(const AdvancedSettingsModel& model) {
    const bool rates = model.rateControls != RateControls::Hidden;
    nlohmann::json j = {
        {"adapter_kind", uint32_t(Current_Device)},
        {"stored", !model.records.empty()},
        {"wireless_mode", Entry(model.wirelessModes, model.wirelessModeSelected)},
        {"wireless_mode_code", model.nWirelessMode},
        {"wireless_modes", model.wirelessModes},
        {"tx_burst", model.bTXBurst != 0},
        {"ad_hoc_mode", model.AdhocMode},
        {"radio", G_bRadio != 0},
    };
    if (rates) {
        j["tx_rate"] = Entry(model.txRates, model.txRateSelected);
        j["tx_rate_index"] = model.nTxRate;
        j["tx_rates"] = model.txRates;
        j["bg_protection"] = Entry(kBgProtections, model.bgProtectionSelected);
        j["bg_protection_index"] = model.nBGProtection;
        j["bg_protections"] = kBgProtectionTexts;
    }
    return j;
}

// "2.4G     (offered: 2.4G, 5G, 2.4+5G)"
std::string Choice(const std::vector<std::string>& list, int selected) {
    return PadRight(Entry(list, selected), 8) + " " +
           FormatText(Tr("cli::PaneCommands", "(offered: %1)"), {Joined(list)});
}

void PrintPage(const AdvancedSettingsModel& model) {
    const Field mode{Tr("cli::PaneCommands", "Wireless mode"),
                     Choice(model.wirelessModes, model.wirelessModeSelected)};
    const Field rate{Tr("cli::PaneCommands", "Tx rate"),
                     Choice(model.txRates, model.txRateSelected)};
    const Field bg{Tr("cli::PaneCommands", "BG protection"),
                   Choice(kBgProtections, model.bgProtectionSelected)};
    const Field burst{Tr("cli::PaneCommands", "Tx burst"), OnOff(model.bTXBurst)};
    const Field radio{Tr("cli::PaneCommands", "Radio"), OnOff(G_bRadio)};
    // The labels line up the same whether the rate lines are shown or not.
    const size_t width =
        std::max({TextWidth(mode.label), TextWidth(rate.label), TextWidth(bg.label),
                  TextWidth(burst.label), TextWidth(radio.label)});
    const std::vector<Field> fields = model.rateControls != RateControls::Hidden
                                          ? std::vector<Field>{mode, rate, bg, burst, radio}
                                          : std::vector<Field>{mode, burst, radio};
    std::fputs(FieldLines(fields, width).c_str(), stdout);
}

int AdvancedSet(Context& context) {
    std::vector<std::string> args(context.args.begin() + 1, context.args.end());
    std::string error;
    auto options = ParseOptions(args,
                                {{"--wireless-mode", true},
                                 {"--tx-rate", true},
                                 {"--bg-protection", true},
                                 {"--tx-burst", true}},
                                0, 0, &error);
    if (options && !options->Has("--wireless-mode") && !options->Has("--tx-rate") &&
        !options->Has("--bg-protection") && !options->Has("--tx-burst"))
        error = Tr("cli::PaneCommands", "nothing to set");
    std::optional<int> bg;
    if (options && options->Has("--bg-protection")) {
        bg = ParseBgProtection(*options->Value("--bg-protection"));
        if (!bg)
            error = Tr("cli::PaneCommands", "--bg-protection takes 0 (Auto), 1 (On) or 2 (Off)");
    }
    std::optional<bool> burst;
    if (options && options->Has("--tx-burst")) {
        const std::string value = Lower(*options->Value("--tx-burst"));
        if (value == "on" || value == "off")
            burst = value == "on";
        else
            error = Tr("cli::PaneCommands", "--tx-burst takes on or off");
    }
    if (!options || !error.empty()) {
        std::fputs(("corvane advanced set: " + error + "\n" + AdvancedUsage()).c_str(), stderr);
        return kExitUsage;
    }

    const auto lock = LockAdapter();
    if (!lock) return kExitFailed;
    if (!RequireAdapter(context.adapter)) return kExitFailed;
    AdvancedSettingsModel model = LoadPage(context.adapter);
    const AdapterKind kind = Current_Device;

    // The choices the page offers this adapter, in the page's order: the
    // rate list follows the mode.
    if (auto mode = options->Value("--wireless-mode")) {
        auto at = std::find_if(model.wirelessModes.begin(), model.wirelessModes.end(),
                               [&](const std::string& m) { return Lower(m) == Lower(*mode); });
        if (at == model.wirelessModes.end()) {
            std::fputs(FormatText(Tr("cli::PaneCommands",
                                     "corvane advanced set: this adapter offers the wireless "
                                     "modes %1\n"),
                                  {Joined(model.wirelessModes)})
                           .c_str(),
                       stderr);
            return kExitUsage;
        }
        model.OnSelChangeWirelessMode(int(at - model.wirelessModes.begin()), kind);
    }
    const bool ratesOffered = model.rateControls == RateControls::Shown;
    if ((options->Has("--tx-rate") || bg) && !ratesOffered) {
        std::fputs(Tr("cli::PaneCommands",
                      "corvane advanced set: this adapter chooses its own transmit rate and "
                      "BG protection\n")
                       .c_str(),
                   stderr);
        return kExitUsage;
    }
    if (auto rate = options->Value("--tx-rate")) {
        auto index = FindRate(model.txRates, *rate);
        if (!index) {
            std::fputs(
                FormatText(Tr("cli::PaneCommands",
                              "corvane advanced set: in this wireless mode the rates are %1\n"),
                           {Joined(model.txRates)})
                    .c_str(),
                stderr);
            return kExitUsage;
        }
        model.OnTxRate(*index);
    }
    if (bg) {
        if (*bg != 0 && (IsOfdmOnlyMode(model.nWirelessMode) ||
                         ApplyTurnsOffBgProtection(model.nWirelessMode))) {
            std::fputs(Tr("cli::PaneCommands",
                          "corvane advanced set: a 5 GHz mode uses no BG protection\n")
                           .c_str(),
                       stderr);
            return kExitUsage;
        }
        model.OnSelBGProtection(*bg);
    }
    if (burst) model.OnTxBurst(*burst);

    PendingReconnects reconnects;
    const ApplyOutcome outcome = ApplyAdvancedSettings(context.adapter, model, reconnects.Hooks());
    reconnects.Run(context.adapter);
    if (outcome.rescanLater) {
        // What the page does two seconds after an Apply that changed the
        // mode: a rescan on the new mode, then the reconnect.
        platform::USleep(uint64_t(kRescanAfterApplyMs) * 1000);
        ClearHeldScanList();
        context.progress.SetActivity(Tr("cli::PaneCommands", "Scanning"));
        context.adapter.RescanBssidList();
        context.adapter.QueryBssidList();
        ReconnectAfterModeChange(reconnects.Hooks(), outcome.previousNetworkSetBack);
        reconnects.Run(context.adapter);
    }
    if (outcome.radioOffAgain) SwitchRadio(context.adapter, false, reconnects.Hooks());
    if (!outcome.written) {
        std::fputs(FormatText(Tr("cli::PaneCommands",
                                 "corvane: the settings could not be written to %1\n"),
                              {ExpandTilde(kAdvancedSettingPath)})
                       .c_str(),
                   stderr);
        return kExitFailed;
    }
    PrintPage(model);
    reconnects.ReportAssociation(context);
    return kExitOk;
}

}  // namespace

int CommandRadio(Context& context) {
    std::string error;
    auto options = ParseOptions(context.args, {}, 1, 1, &error);
    const std::string state = options ? Lower(options->Positional()[0]) : "";
    if (!options || (state != "on" && state != "off")) {
        std::fputs(
            FormatText(Tr("cli::PaneCommands", "corvane radio: %1\nusage: corvane radio on|off\n"),
                       {options ? Tr("cli::PaneCommands", "say on or off") : error})
                .c_str(),
            stderr);
        return kExitUsage;
    }
    if (!RequireAdapter(context.adapter)) return kExitFailed;
    PendingReconnects reconnects;
    const bool on = state == "on";
    const bool sent = SwitchRadio(context.adapter, on, reconnects.Hooks());
    reconnects.Run(context.adapter);
    if (!sent) {
        std::fputs(
            Tr("cli::PaneCommands", "corvane: the adapter did not take the radio switch\n").c_str(),
            stderr);
        return kExitFailed;
    }
    std::fputs((on ? Tr("cli::PaneCommands", "Radio on\n") : Tr("cli::PaneCommands", "Radio off\n"))
                   .c_str(),
               stdout);
    reconnects.ReportAssociation(context);
    return kExitOk;
}

int CommandAdvanced(Context& context) {
    if (!context.args.empty() && context.args[0] == "set") return AdvancedSet(context);
    std::string error;
    auto options = ParseOptions(context.args, {{"--json"}}, 0, 0, &error);
    if (!options) {
        std::fputs(("corvane advanced: " + error + "\n" + AdvancedUsage()).c_str(), stderr);
        return kExitUsage;
    }
    if (!RequireAdapter(context.adapter)) return kExitFailed;
    AdvancedSettingsModel model = LoadPage(context.adapter);
    if (options->Has("--json"))
        std::printf("%s\n", PageJson(model).dump(2).c_str());
    else
        PrintPage(model);
    return kExitOk;
}

int CommandAbout(Context& context) {
    std::string error;
    auto options = ParseOptions(context.args, {{"--json"}}, 0, 0, &error);
    if (!options) {
        std::fputs(FormatText(Tr("cli::PaneCommands",
                                 "corvane about: %1\nusage: corvane about [--json]\n"),
                              {error})
                       .c_str(),
                   stderr);
        return kExitUsage;
    }
    if (!RequireAdapter(context.adapter)) return kExitFailed;
    RecordPaneVersion(platform::ResolveSystemPath(platform::kPaneBundleSystemPath));
    const AboutFacts facts = ReadAboutFacts(context.adapter, Current_Device);
    const auto text = [](const std::string& s) { return Printable(s); };
    if (options->Has("--json")) {
        nlohmann::json j = {{"driver_version", facts.DriverVersion},
                            {"eeprom_version", facts.EEPROMVersion},
                            {"mac_address", facts.MacAddress},
                            {"utility_version", facts.VelaConfigVersion}};
        std::printf("%s\n",
                    j.dump(2, ' ', false, nlohmann::json::error_handler_t::replace).c_str());
        return kExitOk;
    }
    std::fputs(
        FieldLines({{Tr("cli::PaneCommands", "Driver version"), text(facts.DriverVersion)},
                    {Tr("cli::PaneCommands", "EEPROM version"), facts.EEPROMVersion},
                    {Tr("cli::PaneCommands", "MAC address"), facts.MacAddress},
                    {Tr("cli::PaneCommands", "Utility version"), text(facts.VelaConfigVersion)}})
            .c_str(),
        stdout);
    return kExitOk;
}

}  // namespace corvane::cli

// `corvane scan` and `corvane join`: the site survey's table (or one row per
// network, as its "Group by network") and its Connect.
#include <algorithm>
#include <cstdio>
#include <nlohmann/json.hpp>
#include <span>
#include <string>

#include "adapter/ChannelPlan.h"
#include "adapter/Globals.h"
#include "adapter/ScanList.h"
#include "cli/Commands.h"
#include "cli/FieldLines.h"
#include "cli/KeyOptions.h"
#include "cli/Options.h"
#include "cli/Survey.h"
#include "crypto/MathFunc.h"
#include "editor/KeyEntryGroup.h"
#include "platform/Alert.h"
#include "platform/Translate.h"
#include "profiles/ActiveRecord.h"
#include "profiles/ConnectEngine.h"
#include "survey/AccessPoint.h"
#include "survey/NetworkGroups.h"
#include "survey/SurveyConnect.h"

namespace corvane::cli {

std::optional<std::array<uint8_t, 6>> ParseMac(const std::string& text) {
    if (text.size() != 17) return std::nullopt;
    const char separator = text[2];
    if (separator != ':' && separator != '-') return std::nullopt;
    std::array<uint8_t, 6> mac{};
    for (size_t i = 0; i < 6; ++i) {
        if (i > 0 && text[3 * i - 1] != separator) return std::nullopt;
        const unsigned char hi = BtoH(text[3 * i]), lo = BtoH(text[3 * i + 1]);
        if (hi > 15 || lo > 15) return std::nullopt;
        mac[i] = uint8_t(hi << 4 | lo);
    }
    return mac;
}

std::vector<ScannedNetwork> ScanNetworks(Context& context) {
    context.progress.SetActivity(Tr("cli::SurveyCommands", "Scanning"));
    context.adapter.RescanBssidList();
    context.adapter.QueryBssidList();
    std::vector<ScannedNetwork> networks;
    if (!G_pBssidList) return networks;
    const std::span<const uint8_t> list(G_pBssidList, kBssidListBufferSize);
    // The survey table's rows, one for each entry from the first.
    std::vector<AccessPoint> rows = BuildAccessPointRows(context.adapter, list);
    auto entry = BssidList(list).begin();
    for (AccessPoint& row : rows) {
        networks.push_back({networks.size(), std::move(row), *entry});
        ++entry;
    }
    return networks;
}

const ScannedNetwork* FindNetwork(const std::vector<ScannedNetwork>& networks,
                                  const std::array<uint8_t, 6>& mac) {
    for (const ScannedNetwork& n : networks) {
        auto bytes = n.entry.MacAddress();
        if (bytes.size() == 6 && std::equal(bytes.begin(), bytes.end(), mac.begin())) return &n;
    }
    std::fputs(FormatText(Tr("cli::SurveyCommands", "corvane: no network with BSSID %1 in range\n"),
                          {FormatMac(mac)})
                   .c_str(),
               stderr);
    return nullptr;
}

int JoinWithRecord(Context& context, const PROFILE_DATA& record) {
    // The active profile is marked inactive before the adapter is told:
    // otherwise the agent would take the link back to it after a loss.
    if (!DisableActiveProfile()) {
        std::fputs(FormatText(Tr("cli::SurveyCommands",
                                 "corvane: the active profile could not be marked inactive in "
                                 "%1; not joining\n"),
                              {ExpandTilde(kActiveProfilePath)})
                       .c_str(),
                   stderr);
        return kExitFailed;
    }
    ApplyProfile(context.adapter, record, kPaneTask);
    return WaitForAssociation(context, record.SsidRecord);
}

namespace {

nlohmann::json ScanRowJson(const ScannedNetwork& n) {
    auto channel = ChannelForFrequency(n.entry.DSConfig());
    return {{"bssid", n.row.BSSID},
            {"ssid", n.entry.Ssid()},
            {"rssi", n.entry.Rssi()},
            {"channel", channel ? nlohmann::json(*channel) : nlohmann::json()},
            {"frequency_khz", n.entry.DSConfig()},
            {"infrastructure_mode", n.entry.InfrastructureMode()},
            {"privacy", n.entry.Privacy() != 0},
            {"signal", std::stoi(n.row.Signal)},
            {"authentication", n.row.Authentication},
            {"encryption", n.row.Encryption},
            {"network_type", n.row.NetworkType}};
}

void PrintJson(const nlohmann::json& value) {
    std::printf("%s\n",
                value.dump(2, ' ', false, nlohmann::json::error_handler_t::replace).c_str());
}

// A row's name and channel as the text listing shows them.
std::string ShownSsid(const AccessPoint& row) {
    return row.SSID.empty() ? Tr("cli::SurveyCommands", "(hidden)") : Printable(row.SSID);
}

std::string ShownChannel(const AccessPoint& row) {
    return FormatText(Tr("cli::SurveyCommands", "ch %1"), {PadRight(row.Channel, 3)});
}

// One line of the text listing; `indent` before a network's access points.
void PrintScanRow(const AccessPoint& row, const char* indent) {
    std::printf("%s%s  %-32s  %3s%%  %s  %-16s  %-8s  %s\n", indent, row.BSSID.c_str(),
                ShownSsid(row).c_str(), row.Signal.c_str(), ShownChannel(row).c_str(),
                row.Authentication.c_str(), row.Encryption.c_str(), row.NetworkType.c_str());
}

// `scan --group`: a line per network (its strongest access point's signal
// and channel, how many carry it), its access points indented below; in
// JSON the strongest one's keys with "count" and "accessPoints".
int PrintNetworkGroups(const std::vector<ScannedNetwork>& networks, bool json) {
    std::vector<AccessPoint> rows;
    for (const ScannedNetwork& n : networks) rows.push_back(n.row);
    const std::vector<NetworkGroup> groups = GroupNetworks(rows);
    if (json) {
        nlohmann::json out = nlohmann::json::array();
        for (const NetworkGroup& group : groups) {
            nlohmann::json network = ScanRowJson(networks[group.Strongest()]);
            nlohmann::json members = nlohmann::json::array();
            for (size_t row : group.rows) members.push_back(ScanRowJson(networks[row]));
            network["count"] = group.rows.size();
            network["accessPoints"] = std::move(members);
            out.push_back(std::move(network));
        }
        PrintJson(out);
        return kExitOk;
    }
    for (const NetworkGroup& group : groups) {
        const AccessPoint& strongest = rows[group.Strongest()];
        const size_t count = group.rows.size();
        const std::string carriers = count == 1
                                         ? Tr("cli::SurveyCommands", "1 access point")
                                         : FormatText(Tr("cli::SurveyCommands", "%1 access points"),
                                                      {std::to_string(count)});
        std::printf("%-32s  %3s%%  %s  %-16s  %-8s  %-14s  %s\n", ShownSsid(strongest).c_str(),
                    strongest.Signal.c_str(), ShownChannel(strongest).c_str(),
                    strongest.Authentication.c_str(), strongest.Encryption.c_str(),
                    strongest.NetworkType.c_str(), carriers.c_str());
        for (size_t row : group.rows) PrintScanRow(rows[row], "    ");
    }
    return kExitOk;
}

}  // namespace

int CommandScan(Context& context) {
    std::string error;
    auto options = ParseOptions(context.args, {{"--json"}, {"--group"}}, 0, 0, &error);
    if (!options) {
        std::fputs(FormatText(Tr("cli::SurveyCommands",
                                 "corvane scan: %1\nusage: corvane scan [--group] [--json]\n"),
                              {error})
                       .c_str(),
                   stderr);
        return kExitUsage;
    }
    if (!RequireAdapter(context.adapter)) return kExitFailed;
    std::vector<ScannedNetwork> networks = ScanNetworks(context);
    if (!RequireAdapter(context.adapter)) {
        std::fputs(
            Tr("cli::SurveyCommands", "corvane: the adapter went away during the scan\n").c_str(),
            stderr);
        return kExitFailed;
    }

    if (options->Has("--group")) return PrintNetworkGroups(networks, options->Has("--json"));
    if (options->Has("--json")) {
        nlohmann::json rows = nlohmann::json::array();
        for (const ScannedNetwork& n : networks) rows.push_back(ScanRowJson(n));
        PrintJson(rows);
        return kExitOk;
    }
    for (const ScannedNetwork& n : networks) PrintScanRow(n.row, "");
    return kExitOk;
}

int CommandJoin(Context& context) {
    const std::string usage = Tr(
        "cli::SurveyCommands",
        "usage: corvane join BSSID [--passphrase TEXT|-] [--cipher tkip|aes] [--wep-hex N=KEY]...\n"
        "                   [--wep-ascii N=KEY]... [--wep-default N] [--shared]\n");
    if (std::find(context.args.begin(), context.args.end(), "--qr") != context.args.end())
        return JoinFromQr(context);
    std::string error;
    auto options = ParseOptions(context.args, KeyOptionDefs(), 1, 1, &error);
    if (!options) {
        std::fputs(("corvane join: " + error + "\n" + usage).c_str(), stderr);
        return kExitUsage;
    }
    auto mac = ParseMac(options->Positional()[0]);
    if (!mac) {
        std::fputs((FormatText(Tr("cli::SurveyCommands",
                                  "corvane join: %1 is no BSSID (AA:BB:CC:DD:EE:FF)\n"),
                               {Printable(options->Positional()[0])}) +
                    usage)
                       .c_str(),
                   stderr);
        return kExitUsage;
    }
    if (!RequireAdapter(context.adapter)) return kExitFailed;
    std::vector<ScannedNetwork> networks = ScanNetworks(context);
    const ScannedNetwork* network = FindNetwork(networks, *mac);
    if (!network) return kExitFailed;

    ConnectPlan plan = PlanSurveyConnect(network->row, network->entry);
    if (plan.refusal) {
        platform::RunAlertPanel(*plan.refusal, "", "OK");
        return kExitFailed;
    }
    WEPSettingValues keys;
    if (plan.needsKeys) {
        KeyEntryGroup group(SecurityListOwner::KeyDialog);
        PresetKeyDialog(group, plan.preset);
        std::string bad = ApplyKeyOptions(*options, KeyOptionMode::Join, group);
        if (!bad.empty()) {
            std::fputs(("corvane join: " + bad + "\n").c_str(), stderr);
            return kExitUsage;
        }
        if (!ConfirmKeyDialog(group, keys)) return kExitUsage;
    } else {
        for (const OptionDef& def : KeyOptionDefs()) {
            if (options->Has(def.name)) {
                std::fputs(
                    FormatText(Tr("cli::SurveyCommands",
                                  "corvane join: %1 is an open network; %2 does not apply\n"),
                               {Printable(network->row.SSID), def.name})
                        .c_str(),
                    stderr);
                return kExitUsage;
            }
        }
    }

    ProfileRecordPtr record =
        BuildSurveyConnectRecord(network->entry, plan.needsKeys ? &keys : nullptr);
    keys.Wipe();
    return JoinWithRecord(context, *record);
}

}  // namespace corvane::cli

// `corvane join --qr`: the network a Wi-Fi QR text names, found by its name
// in a fresh scan and joined as `corvane join` (the site survey's Connect)
// joins it, over the same code as the site survey's "Join from QR text…".
#include <algorithm>
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "adapter/ScanList.h"
#include "cli/Commands.h"
#include "cli/Options.h"
#include "cli/Survey.h"
#include "editor/KeyEntryGroup.h"
#include "exchange/WifiQr.h"
#include "platform/Alert.h"
#include "platform/Translate.h"
#include "profiles/ActiveRecord.h"
#include "profiles/ConnectEngine.h"
#include "survey/QrJoin.h"
#include "survey/SurveyConnect.h"

namespace corvane::cli {
int JoinFromQr(Context& context) {
    std::string error;
    auto options = ParseOptions(context.args, {{"--qr", true}}, 0, 0, &error);
    const std::string usage = Tr("cli::QrJoinCommand", "usage: corvane join --qr TEXT|-\n");
    if (!options) {
        std::fputs(("corvane join: " + error + "\n" + usage).c_str(), stderr);
        return kExitUsage;
    }
    std::string text = *options->Value("--qr");
    if (text == "-") {
        // Bounded: a text longer than a QR code holds is refused unread.
        text.assign(kMaxWifiQrText + 2, '\0');
        std::cin.read(text.data(), std::streamsize(text.size()));
        text.resize(size_t(std::cin.gcount()));
    }
    const WifiQrParse parsed = ParseWifiQr(text);
    if (parsed.outcome == WifiQrParse::Outcome::kMalformed) {
        std::fputs(("corvane join: " + parsed.problem + "\n" + usage).c_str(), stderr);
        return kExitUsage;
    }
    if (parsed.outcome == WifiQrParse::Outcome::kUnsupported) {
        platform::RunAlertPanel(parsed.problem, "", "OK");
        return kExitFailed;
    }
    const WifiQrNetwork& qr = parsed.network;
    if (!RequireAdapter(context.adapter)) return kExitFailed;
    std::vector<ScannedNetwork> networks = ScanNetworks(context);
    std::vector<BssEntry> entries;
    for (const ScannedNetwork& n : networks) entries.push_back(n.entry);
    const std::optional<size_t> found = StrongestNamed(entries, qr.ssid);
    if (!found && !qr.hidden) {
        std::fputs(("corvane: " + QrNetworkNotFound(Printable(qr.ssid)) + "\n").c_str(), stderr);
        return kExitFailed;
    }

    const std::vector<uint8_t> byName = EntryForNetworkName(qr.ssid);
    const BssEntry entry = found ? networks[*found].entry : BssEntry(byName);
    const QrJoinPlan plan =
        found ? PlanQrJoin(qr, networks[*found].row, entry) : PlanHiddenQrJoin(qr);
    if (plan.refusal) {
        platform::RunAlertPanel(*plan.refusal, "", "OK");
        return kExitFailed;
    }
    WEPSettingValues keys;
    if (plan.needsKeys) {
        KeyEntryGroup group(SecurityListOwner::KeyDialog);
        PresetKeyDialog(group, plan.preset);
        FillQrKeys(group, qr);
        if (!ConfirmKeyDialog(group, keys)) return kExitUsage;
    }
    ProfileRecordPtr record = BuildSurveyConnectRecord(entry, plan.needsKeys ? &keys : nullptr);
    keys.Wipe();
    if (!found) {  // by name, as Connect to Hidden Network
        record->bConnectByBssid = 0;
        std::fill(std::begin(record->Bssid), std::end(record->Bssid), 0);
    }
    return JoinWithRecord(context, *record);
}

}  // namespace corvane::cli

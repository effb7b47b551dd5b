// corvane: a scriptable front end to the adapter, over the same code as the
// settings window and the tray agent.
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "adapter/Globals.h"
#include "adapter/KestrelAccess.h"
#include "cli/Commands.h"
#include "cli/Guards.h"
#include "cli/Options.h"
#include "cli/PaneCommands.h"
#include "platform/Alert.h"
#include "platform/Translate.h"
#include "profiles/PreferenceFiles.h"
#include "translations/Translations.h"

namespace {

std::string Usage() {
    return corvane::Tr(
        "cli::main",
        "usage: corvane [--trace] COMMAND [ARGS]\n"
        "\n"
        "  status [--json]            link state, network, BSSID, type, channel, link quality\n"
        "  status --watch [SECONDS]   link state and link quality figures of the last 5 minutes,\n"
        "                             a line a second until interrupted or for SECONDS seconds\n"
        "  scan [--group] [--json]    scan and list the networks in range with their security;\n"
        "                             --group: one line per network, its access points below\n"
        "  join BSSID [key options]   connect to a network in range, as the site survey's Connect\n"
        "  join --qr TEXT|-           connect to the network a Wi-Fi QR text names (- reads it)\n"
        "  init                       initialise the card (driver wait, EEPROM, region, radio)\n"
        "  psk SSID PASSPHRASE|-      the 32-byte pre-shared key as 64 hex digits\n"
        "  profiles [--json [--show-keys]]\n"
        "                             the stored profiles\n"
        "  profiles add BSSID|--ssid TEXT [options]\n"
        "                             store a new profile, as the profile editor's OK\n"
        "  profiles delete NAME|INDEX delete a stored profile\n"
        "  profiles share NAME|INDEX [--show-keys] [--png FILE]\n"
        "                             the profile as the Wi-Fi QR code phones read\n"
        "  profiles export FILE       the stored profiles to a property list\n"
        "  profiles import FILE... [--replace]\n"
        "                             profiles from a property list, a wpa_supplicant\n"
        "                             configuration or NetworkManager keyfiles\n"
        "  connect NAME|INDEX         activate a stored profile and wait for the association\n"
        "  disconnect                 drop the association and mark the active profile inactive\n"
        "  radio on|off               switch the radio, as the advanced page's radio switch\n"
        "  advanced [--json]          the advanced settings and the choices this adapter offers\n"
        "  advanced set [--wireless-mode 2.4G|5G|2.4+5G] [--tx-rate TEXT] [--bg-protection N]\n"
        "               [--tx-burst on|off]\n"
        "                             store them and reconnect, as the advanced page's Apply\n"
        "  about [--json]             driver, EEPROM and utility versions, MAC address\n"
        "\n"
        "key options: --passphrase TEXT|- (- reads standard input), --cipher tkip|aes,\n"
        "  --wep-hex N=KEY, --wep-ascii N=KEY (N 1..4, repeatable), --wep-default N, --shared\n"
        "\n"
        "Exit status: 0 done; 1 no adapter, no such network or profile, refused, not connected;\n"
        "2 bad usage or a key the rules refuse.\n"
        "The adapter is found through the service registry folder (CORVANE_IOREGISTRY).\n");
}

using Command = int (*)(corvane::cli::Context&);
using corvane::cli::OptionDef;

// What a command accepts: anything else is bad usage (status 2), refused
// here, before the command runs, for every command in the same words.
struct Grammar {
    std::vector<OptionDef> options;
    size_t minPositional = 0;
    size_t maxPositional = 0;
    std::string (*usage)();  // the forms, in the user's language
    // Options that only go with another: {"--show-keys", "--json"}.
    std::vector<std::pair<std::string, std::string>> needs = {};
};

// Each command, whether it changes the adapter (and so takes the adapter
// lock), and the longest it may take while the driver answers: a card
// initialisation waits up to 30 s for the driver, a scan 10 s, an
// association is polled for 6 s. Commands without a grammar check their own
// arguments as strictly (their forms depend on a subcommand, or a
// passphrase may begin with a dash).
struct CommandInfo {
    Command run;
    bool changesAdapter;
    unsigned deadlineSeconds;  // 0: no driver requests, no deadline
    std::optional<Grammar> grammar;
};

const std::map<std::string, CommandInfo> kCommands = {
    {"status",
     {corvane::cli::CommandStatus, false, 20,
      Grammar{{{"--json", false, false}, {"--watch", false, false}},
              0,
              1,
              [] {
                  return std::string(
                      "corvane status [--json]\n       corvane status --watch [SECONDS]");
              }}}},
    {"scan", {corvane::cli::CommandScan, true, 30, {}}},
    {"join", {corvane::cli::CommandJoin, true, 60, {}}},
    {"init",
     {corvane::cli::CommandInit, true, 60,
      Grammar{{}, 0, 0, [] { return std::string("corvane init"); }}}},
    {"psk", {corvane::cli::CommandPsk, false, 0, {}}},
    // add and delete lock for themselves and check their own arguments
    {"profiles",
     {corvane::cli::CommandProfiles, false, 60,
      Grammar{{{"--json", false, false}, {"--show-keys", false, false}},
              0,
              0,
              [] {
                  return std::string(
                      "corvane profiles [--json [--show-keys]]\n"
                      "       corvane profiles add ...\n"
                      "       corvane profiles delete NAME|INDEX");
              },
              {{"--show-keys", "--json"}}}}},
    {"connect",
     {corvane::cli::CommandConnect, true, 40,
      Grammar{{},
              1,
              1,
              [] {
                  return corvane::Tr(
                      "cli::main",
                      "corvane connect NAME|INDEX   (-- before a name that begins with -)");
              }}}},
    {"disconnect",
     {corvane::cli::CommandDisconnect, true, 20,
      Grammar{{}, 0, 0, [] { return std::string("corvane disconnect"); }}}},
    {"radio", {corvane::cli::CommandRadio, true, 20, {}}},
    {"advanced", {corvane::cli::CommandAdvanced, false, 40, {}}},  // set locks for itself
    {"about", {corvane::cli::CommandAbout, true, 20, {}}},         // may correct device words
};

// The grammar that applies to these arguments; none for a subcommand.
const Grammar* GrammarFor(const std::string& name, const CommandInfo& info,
                          const std::vector<std::string>& args) {
    if (name == "profiles" && !args.empty() && (args[0] == "add" || args[0] == "delete"))
        return nullptr;
    if (name == "profiles" && !args.empty() &&
        (args[0] == "share" || args[0] == "export" || args[0] == "import"))
        return nullptr;
    return info.grammar ? &*info.grammar : nullptr;
}

// A run that writes for a program (--json anywhere after the command name)
// keeps every text English: the catalogues are not loaded, so no value a
// JSON writer takes from a shared model can come out translated, and the
// messages stay the ones scripts match.
bool WritesForPrograms(int argc, char** argv) {
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--json") == 0) return true;
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    using corvane::FormatText;
    using corvane::Tr;
    if (!WritesForPrograms(argc, argv)) corvane::i18n::InstallTranslations();
    int i = 1;
    corvane::__DEBUG__ = 0;
    for (; i < argc && argv[i][0] == '-'; ++i) {
        if (std::strcmp(argv[i], "--trace") == 0) {
            corvane::__DEBUG__ = 1;
        } else if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(Usage().c_str(), stdout);
            return 0;
        } else {
            std::fputs(
                (FormatText(Tr("cli::main", "corvane: unknown option %1\n"), {argv[i]}) + Usage())
                    .c_str(),
                stderr);
            return corvane::cli::kExitUsage;
        }
    }
    if (i >= argc) {
        std::fputs(Usage().c_str(), stderr);
        return corvane::cli::kExitUsage;
    }
    auto command = kCommands.find(argv[i]);
    if (command == kCommands.end()) {
        std::fputs(
            (FormatText(Tr("cli::main", "corvane: unknown command %1\n"), {argv[i]}) + Usage())
                .c_str(),
            stderr);
        return corvane::cli::kExitUsage;
    }

    const CommandInfo& info = command->second;
    const std::vector<std::string> args(argv + i + 1, argv + argc);
    corvane::cli::ParsedOptions options;
    if (const Grammar* grammar = GrammarFor(command->first, info, args)) {
        std::string error;
        auto parsed = corvane::cli::ParseOptions(args, grammar->options, grammar->minPositional,
                                                 grammar->maxPositional, &error);
        for (const auto& [option, companion] : grammar->needs) {
            if (parsed && parsed->Has(option) && !parsed->Has(companion)) {
                error = FormatText(Tr("cli::main", "%1 needs %2"), {option, companion});
                parsed.reset();
            }
        }
        if (!parsed) {
            std::fputs(FormatText(Tr("cli::main", "corvane %1: %2\nusage: %3\n"),
                                  {argv[i], error, grammar->usage()})
                           .c_str(),
                       stderr);
            return corvane::cli::kExitUsage;
        }
        options = std::move(*parsed);
    }
    std::unique_ptr<corvane::cli::AdapterLock> lock;
    if (info.changesAdapter && !(lock = corvane::cli::LockAdapter()))
        return corvane::cli::kExitFailed;
    if (info.deadlineSeconds) corvane::cli::StartDeadline(info.deadlineSeconds);

    // A preference file that cannot be read is kept aside; say so where the
    // user is looking.
    corvane::SetUnreadablePreferenceNotifier([](const corvane::UnreadablePreference& notice) {
        std::fprintf(stderr, "corvane: %s\n",
                     corvane::DescribeUnreadablePreference(notice).c_str());
    });
    platform::StderrAlerts alerts;
    platform::ScopedAlerts alertGuard(alerts);
    corvane::cli::ProgressClock progress(isatty(STDERR_FILENO));
    platform::ScopedClock clockGuard(progress);
    corvane::KestrelAccess adapter;
    corvane::cli::Context context{adapter, progress, args, std::move(options)};
    return info.run(context);
}

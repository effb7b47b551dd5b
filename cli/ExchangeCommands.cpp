// `corvane profiles share`, `profiles export` and `profiles import`: a
// profile as the Wi-Fi QR code phones read, and the profile list to and from
// files, over the same code as the profile drawer's Share…, Export… and
// Import….
#include <unistd.h>

#include <cstdio>
#include <string>

#include "cli/Commands.h"
#include "cli/Options.h"
#include "exchange/ProfileImport.h"
#include "exchange/QrCode.h"
#include "exchange/WifiQr.h"
#include "platform/Translate.h"
#include "profiles/AtomicFile.h"
#include "profiles/ProfileList.h"

namespace corvane::cli {
namespace {

// The subcommand's own arguments (after "share", "export" ...).
std::optional<ParsedOptions> Parse(const Context& context, const std::vector<OptionDef>& defs,
                                   size_t minPositional, size_t maxPositional,
                                   const std::string& usage) {
    const std::vector<std::string> args(context.args.begin() + 1, context.args.end());
    std::string error;
    auto options = ParseOptions(args, defs, minPositional, maxPositional, &error);
    if (!options)
        std::fputs(("corvane profiles " + context.args[0] + ": " + error + "\n" + usage).c_str(),
                   stderr);
    return options;
}

// The text as it is for a program reading a pipe; escaped for a terminal,
// where a control byte in an SSID could act on the screen.
std::string ForStandardOutput(const std::string& text) {
    return isatty(STDOUT_FILENO) ? Printable(text) : text;
}

}  // namespace

int ProfilesShare(Context& context) {
    auto options =
        Parse(context, {{"--show-keys"}, {"--png", true}}, 1, 1,
              Tr("cli::ExchangeCommands",
                 "usage: corvane profiles share NAME|INDEX [--show-keys] [--png FILE]\n"));
    if (!options) return kExitUsage;
    const std::string& wanted = options->Positional()[0];
    ProfileListState state;
    state.Refresh();
    int status = kExitOk;
    const std::optional<size_t> row =
        NamedProfileRow(state.records, wanted, "profiles share", status);
    if (!row) return status;
    const ProfileQr qr = WifiQrForProfile(state.records[*row]);
    if (!qr.network) {
        std::fputs(("corvane: " + qr.refusal + "\n").c_str(), stderr);
        return kExitFailed;
    }
    if (HoldsKey(*qr.network) && !options->Has("--show-keys")) {
        std::string again = "corvane profiles share " + Printable(wanted) + " --show-keys";
        if (auto png = options->Value("--png")) again += " --png " + Printable(*png);
        std::fputs(FormatText(Tr("cli::ExchangeCommands",
                                 "corvane: the QR code of %1 holds the network's key, so it is "
                                 "shown only when asked for:\n  %2\n"),
                              {Printable(state.records[*row].Value(kKeyProfileName)), again})
                       .c_str(),
                   stderr);
        return kExitFailed;
    }
    const std::string text = EncodeWifiQr(*qr.network);
    const std::optional<QrMatrix> matrix = EncodeQrMatrix(text);
    if (!matrix) {
        std::fputs(
            Tr("cli::ExchangeCommands", "corvane: the text does not fit in a QR code\n").c_str(),
            stderr);
        return kExitFailed;
    }
    if (auto png = options->Value("--png")) {
        const std::string bytes = QrPngBytes(*matrix);
        if (bytes.empty() || !ReplaceFile(*png, bytes, {})) {
            std::fputs(FormatText(Tr("cli::ExchangeCommands", "corvane: %1 could not be written\n"),
                                  {Printable(*png)})
                           .c_str(),
                       stderr);
            return kExitFailed;
        }
        std::fputs(FormatText(Tr("cli::ExchangeCommands", "corvane: the QR code is in %1\n"),
                              {Printable(*png)})
                       .c_str(),
                   stderr);
    }
    std::printf("%s\n", ForStandardOutput(text).c_str());
    if (isatty(STDOUT_FILENO)) std::printf("\n%s", QrTerminalText(*matrix).c_str());
    return kExitOk;
}

int ProfilesExport(Context& context) {
    auto options = Parse(context, {}, 1, 1,
                         Tr("cli::ExchangeCommands", "usage: corvane profiles export FILE\n"));
    if (!options) return kExitUsage;
    const std::string& path = options->Positional()[0];
    const std::optional<size_t> count = ExportProfiles(path);
    if (!count) {
        std::fputs(FormatText(Tr("cli::ExchangeCommands", "corvane: %1 could not be written\n"),
                              {Printable(path)})
                       .c_str(),
                   stderr);
        return kExitFailed;
    }
    const std::string number = std::to_string(*count);
    std::fputs(FormatText(*count == 1 ? Tr("cli::ExchangeCommands", "Exported %1 profile to %2\n")
                                      : Tr("cli::ExchangeCommands", "Exported %1 profiles to %2\n"),
                          {number, Printable(path)})
                   .c_str(),
               stdout);
    return kExitOk;
}

int ProfilesImport(Context& context) {
    auto options =
        Parse(context, {{"--replace"}}, 1, 64,
              Tr("cli::ExchangeCommands", "usage: corvane profiles import FILE... [--replace]\n"));
    if (!options) return kExitUsage;
    const ImportReport report =
        ImportProfileFiles(options->Positional(), options->Has("--replace"));
    if (report.result == ImportReport::Result::kUnreadable) {
        std::fputs(FormatText(Tr("cli::ExchangeCommands", "corvane: %1; nothing was imported\n"),
                              {Printable(report.problem)})
                       .c_str(),
                   stderr);
        return kExitFailed;
    }
    for (const std::string& line : DescribeImport(report)) std::printf("%s\n", line.c_str());
    std::fputs(
        FormatText(Tr("cli::ExchangeCommands", "%1 imported, %2 skipped\n"),
                   {std::to_string(report.imported.size()), std::to_string(report.skipped.size())})
            .c_str(),
        stdout);
    if (report.result == ImportReport::Result::kFailed) {
        std::fputs(FormatText(Tr("cli::ExchangeCommands",
                                 "corvane: the profiles could not be saved in %1; nothing was "
                                 "imported\n"),
                              {ExpandTilde(kProfileListPath)})
                       .c_str(),
                   stderr);
        return kExitFailed;
    }
    if (report.result == ImportReport::Result::kNothing) {
        std::fputs(Tr("cli::ExchangeCommands", "corvane: nothing was imported\n").c_str(), stderr);
        return kExitFailed;
    }
    return kExitOk;
}

}  // namespace corvane::cli

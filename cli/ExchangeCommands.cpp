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
#include "profiles/AtomicFile.h"
#include "profiles/ProfileList.h"

namespace corvane::cli {
namespace {

constexpr const char* kShareUsage =
    "usage: corvane profiles share NAME|INDEX [--show-keys] [--png FILE]\n";
constexpr const char* kExportUsage = "usage: corvane profiles export FILE\n";
constexpr const char* kImportUsage = "usage: corvane profiles import FILE... [--replace]\n";

// The subcommand's own arguments (after "share", "export" ...).
std::optional<ParsedOptions> Parse(const Context& context, const std::vector<OptionDef>& defs,
                                   size_t minPositional, size_t maxPositional, const char* usage) {
    const std::vector<std::string> args(context.args.begin() + 1, context.args.end());
    std::string error;
    auto options = ParseOptions(args, defs, minPositional, maxPositional, &error);
    if (!options)
        std::fprintf(stderr, "corvane profiles %s: %s\n%s", context.args[0].c_str(), error.c_str(),
                     usage);
    return options;
}

// The text as it is for a program reading a pipe; escaped for a terminal,
// where a control byte in an SSID could act on the screen.
std::string ForStandardOutput(const std::string& text) {
    return isatty(STDOUT_FILENO) ? Printable(text) : text;
}

}  // namespace

int ProfilesShare(Context& context) {
    auto options = Parse(context, {{"--show-keys"}, {"--png", true}}, 1, 1, kShareUsage);
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
        std::fprintf(stderr, "corvane: %s\n", qr.refusal.c_str());
        return kExitFailed;
    }
    if (HoldsKey(*qr.network) && !options->Has("--show-keys")) {
        std::string again = "corvane profiles share " + Printable(wanted) + " --show-keys";
        if (auto png = options->Value("--png")) again += " --png " + Printable(*png);
        std::fprintf(stderr,
                     "corvane: the QR code of %s holds the network's key, so it is shown only when "
                     "asked for:\n  %s\n",
                     Printable(state.records[*row].Value(kKeyProfileName)).c_str(), again.c_str());
        return kExitFailed;
    }
    const std::string text = EncodeWifiQr(*qr.network);
    const std::optional<QrMatrix> matrix = EncodeQrMatrix(text);
    if (!matrix) {
        std::fprintf(stderr, "corvane: the text does not fit in a QR code\n");
        return kExitFailed;
    }
    if (auto png = options->Value("--png")) {
        const std::string bytes = QrPngBytes(*matrix);
        if (bytes.empty() || !ReplaceFile(*png, bytes, {})) {
            std::fprintf(stderr, "corvane: %s could not be written\n", Printable(*png).c_str());
            return kExitFailed;
        }
        std::fprintf(stderr, "corvane: the QR code is in %s\n", Printable(*png).c_str());
    }
    std::printf("%s\n", ForStandardOutput(text).c_str());
    if (isatty(STDOUT_FILENO)) std::printf("\n%s", QrTerminalText(*matrix).c_str());
    return kExitOk;
}

int ProfilesExport(Context& context) {
    auto options = Parse(context, {}, 1, 1, kExportUsage);
    if (!options) return kExitUsage;
    const std::string& path = options->Positional()[0];
    const std::optional<size_t> count = ExportProfiles(path);
    if (!count) {
        std::fprintf(stderr, "corvane: %s could not be written\n", Printable(path).c_str());
        return kExitFailed;
    }
    std::printf("Exported %zu profile%s to %s\n", *count, *count == 1 ? "" : "s",
                Printable(path).c_str());
    return kExitOk;
}

int ProfilesImport(Context& context) {
    auto options = Parse(context, {{"--replace"}}, 1, 64, kImportUsage);
    if (!options) return kExitUsage;
    const ImportReport report =
        ImportProfileFiles(options->Positional(), options->Has("--replace"));
    if (report.result == ImportReport::Result::kUnreadable) {
        std::fprintf(stderr, "corvane: %s; nothing was imported\n",
                     Printable(report.problem).c_str());
        return kExitFailed;
    }
    for (const std::string& line : DescribeImport(report)) std::printf("%s\n", line.c_str());
    std::printf("%zu imported, %zu skipped\n", report.imported.size(), report.skipped.size());
    if (report.result == ImportReport::Result::kFailed) {
        std::fprintf(stderr,
                     "corvane: the profiles could not be saved in %s; nothing was imported\n",
                     ExpandTilde(kProfileListPath).c_str());
        return kExitFailed;
    }
    if (report.result == ImportReport::Result::kNothing) {
        std::fprintf(stderr, "corvane: nothing was imported\n");
        return kExitFailed;
    }
    return kExitOk;
}

}  // namespace corvane::cli

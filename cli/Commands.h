// The `corvane` commands. Each returns the process exit status: 0 done,
// 1 the adapter (or a network, a profile) is not there or the operation did
// not succeed, 2 bad usage.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "adapter/KestrelAccess.h"
#include "adapter/Records.h"
#include "cli/Options.h"
#include "cli/Progress.h"
#include "profiles/PreferenceFiles.h"
#include "profiles/ProfileRecord.h"

namespace corvane::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

struct Context {
    KestrelAccess& adapter;
    ProgressClock& progress;
    std::vector<std::string> args;  // after the command name
    // The arguments as the command's grammar reads them (empty for a
    // command that checks its own).
    ParsedOptions options;
};

int CommandStatus(Context& context);
int CommandScan(Context& context);
int CommandInit(Context& context);
int CommandPsk(Context& context);
int CommandProfiles(Context& context);
int CommandConnect(Context& context);
int CommandDisconnect(Context& context);
int CommandJoin(Context& context);
int ProfilesAdd(Context& context);     // args[0] is "add"
int ProfilesDelete(Context& context);  // args[0] is "delete"
int ProfilesShare(Context& context);   // args[0] is "share"
int ProfilesExport(Context& context);  // args[0] is "export"
int ProfilesImport(Context& context);  // args[0] is "import"
int JoinFromQr(Context& context);      // join with --qr

// Says so on standard error and answers false when no adapter answers.
bool RequireAdapter(KestrelAccess& adapter);

// The row of a stored profile named `wanted` exactly, else numbered
// `wanted` (1-based, plain digits).
std::optional<size_t> FindProfileRow(const PrefArray& profiles, const std::string& wanted);
// FindProfileRow for `command` (as in "profiles delete"), saying on standard
// error why there is no row: a malformed number is bad usage (`status` becomes
// kExitUsage), a name or number no profile has a failure (kExitFailed).
std::optional<size_t> NamedProfileRow(const PrefArray& profiles, const std::string& wanted,
                                      const char* command, int& status);

// Polls the media state and the SSID for a few seconds until the adapter is
// associated with `ssid`; prints "Connected to ..." or "Not connected to
// ..." and returns the exit status.
int WaitForAssociation(Context& context, const NDIS_802_11_SSID& ssid);

// Joins with `record` as the site survey's Connect does: the active profile
// is marked inactive first (else the agent would take the link back to it
// after a loss; not joining when that cannot be stored), then the record
// goes to the adapter and the association is waited for. The exit status.
int JoinWithRecord(Context& context, const PROFILE_DATA& record);

// Text that is safe to print on a terminal: printable ASCII and valid UTF-8
// stay, control bytes and invalid sequences become \xNN.
std::string Printable(const std::string& bytes);

}  // namespace corvane::cli

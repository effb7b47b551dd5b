// The key options of `corvane join` and `corvane profiles add`, applied to a
// key-entry group the way a user fills in the key dialog or the editor's
// security tab: within what that window offers for the network, through
// the same filters and checks.
#pragma once

#include <string>
#include <vector>

#include "cli/Options.h"
#include "editor/KeyEntryGroup.h"

namespace corvane::cli {

// Options every key-taking command accepts.
std::vector<OptionDef> KeyOptionDefs();

enum class KeyOptionMode {
    Join,         // the key dialog, preselected from the scanned network
    AddFromScan,  // the editor prefilled from a scanned network (--auth allowed)
    AddTyped,     // the editor for a network typed in (--auth allowed; inferred from the keys)
};

// Applies the options to `group`. Returns an empty string when they apply,
// else the reason they are bad usage (an option the window would not offer
// for this network). The key rules themselves (lengths, the characters a key
// type allows) are left to the confirm step, so their messages stay the
// window's.
std::string ApplyKeyOptions(const ParsedOptions& options, KeyOptionMode mode, KeyEntryGroup& group);

}  // namespace corvane::cli

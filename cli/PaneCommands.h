// The settings window's advanced and About pages as `corvane` commands.
#pragma once

#include "cli/Commands.h"

namespace corvane::cli {

// corvane radio on|off
int CommandRadio(Context& context);
// corvane advanced [--json]
// corvane advanced set [--wireless-mode 2.4G|5G|2.4+5G] [--tx-rate TEXT]
//                      [--bg-protection N] [--tx-burst on|off]
int CommandAdvanced(Context& context);
// corvane about [--json]
int CommandAbout(Context& context);

}  // namespace corvane::cli

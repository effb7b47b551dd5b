// Is a user logged in at the console? (SCDynamicStoreCopyConsoleUser)
#pragma once

#include <optional>
#include <string>

namespace platform {

// The user of the active session on seat0 as systemd-logind publishes it
// (under `runDirectory`, normally /run/systemd); failing that, the current
// user when this process belongs to a graphical session (DISPLAY,
// WAYLAND_DISPLAY, or an explicit Qt platform such as offscreen). None
// otherwise.
std::optional<std::string> CopyConsoleUser(const std::string& runDirectory = "/run/systemd");

}  // namespace platform

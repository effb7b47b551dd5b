// The service registry folder where driver processes publish their
// services, one Unix-domain socket per adapter.
#pragma once

#include <string>
#include <vector>

namespace platform {

// CORVANE_IOREGISTRY when set, else $XDG_RUNTIME_DIR/corvane-ioregistry, else
// /tmp/corvane-ioregistry-<uid>.
std::string RegistryFolder();
// Creates the folder (mode 0700) when missing. Returns false when it cannot
// be created or is not a folder owned by this user.
bool EnsureRegistryFolder(const std::string& folder);

// "<folder>/<className>@<instance>"
std::string ServiceSocketPath(const std::string& folder, const std::string& className,
                              const std::string& instance);

// Socket paths of every service of `className`, sorted by name.
std::vector<std::string> FindServiceSockets(const std::string& folder, const std::string& className);

}  // namespace platform

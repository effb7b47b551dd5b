// The service registry folders where driver processes publish their
// services, one Unix-domain socket per adapter: the user's own folder, where
// a driver process of the user's publishes, and the system folder, where a
// driver process run as a system service publishes for every user.
#pragma once

#include <sys/types.h>

#include <optional>
#include <string>
#include <vector>

namespace platform {

// The user's folder: CORVANE_IOREGISTRY when set, else
// $XDG_RUNTIME_DIR/corvane-ioregistry, else /tmp/corvane-ioregistry-<uid>.
std::string RegistryFolder();
// The system folder: CORVANE_SYSTEM_IOREGISTRY when set, else
// /run/corvane-ioregistry.
std::string SystemRegistryFolder();
// The folders a service search looks in, in this order: the user's folder,
// then the system folder unless CORVANE_IOREGISTRY names a folder of its own
// (a set-up run side by side with others sees only its own services).
std::vector<std::string> RegistryFolders();

// A search trusts a folder only when it is a real folder owned by root or by
// the searching user that nobody else may write to: any other could hold a
// socket that only pretends to be a driver.
bool RegistryFolderIsTrusted(uid_t owner, mode_t mode, uid_t user);
bool RegistryFolderIsTrusted(const std::string& folder);

// How a driver process publishes its services. Private: the folder is the
// owner's alone (0700). Shared: the folder may be read by everybody (0755)
// and each service socket may be used by everybody, or by one group only.
struct Publication {
    bool shared = false;
    std::optional<gid_t> group;
};

// Creates the folder when missing and sets its mode (0700 private, 0755
// shared). Returns false when it cannot be created or is not a folder owned
// by this user.
bool EnsureRegistryFolder(const std::string& folder, const Publication& publication = {});
// Opens a shared service socket to its users: mode 0666, or 0660 with the
// group. A private socket is left as created. False when that fails.
bool PublishServiceSocket(const std::string& path, const Publication& publication);

// "<folder>/<className>@<instance>"
std::string ServiceSocketPath(const std::string& folder, const std::string& className,
                              const std::string& instance);

// Socket paths of every service of `className`, sorted by name.
std::vector<std::string> FindServiceSockets(const std::string& folder,
                                            const std::string& className);

}  // namespace platform

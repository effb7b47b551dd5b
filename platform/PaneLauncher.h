// Opening an installed bundle, in the role of the shell's `open` command.
//
// The system paths of bundles ("/System/Library/PreferencePanes/...") are resolved
// under the installation's system root. The bundle's executable is started
// directly by absolute path, detached from the caller; no shell and no
// program looked up in PATH is ever involved.
#pragma once

#include <string>

namespace platform {

// CORVANE_SYSTEM_ROOT from the environment when set and not empty, else the
// root the build was configured with.
std::string SystemRoot();

// `path` (an absolute system path) below SystemRoot().
std::string ResolveSystemPath(const std::string& path);

// The executable name of a bundle: "CFBundleExecutable" of its
// Contents/Info.plist when present and a plain file name, else the bundle's
// folder name without its extension.
std::string BundleExecutableName(const std::string& resolvedBundlePath);

enum class OpenBundleResult {
    Started,       // the executable was launched
    NotInstalled,  // no bundle or no executable there; logged, nothing run
    Failed,        // it is there but could not be started; logged
};

// Starts <bundle>/Contents/MacOS/<executable> detached.
OpenBundleResult OpenBundle(const std::string& bundlePath);

}  // namespace platform

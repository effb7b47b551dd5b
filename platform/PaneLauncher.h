// Opening an installed bundle, in the role of the shell's `open` command.
//
// The system paths of bundles ("/System/Library/PreferencePanes/...") are resolved
// under the installation's system root. The bundle's executable is started
// directly by absolute path, detached from the caller; no shell and no
// program looked up in PATH is ever involved.
#pragma once

#include <string>

namespace platform {

// The folder the bundles' system paths resolve under: CORVANE_SYSTEM_ROOT
// from the environment when set and not empty; else, for a program inside a
// bundle, the folder that holds its System/Library; else, for an installed
// program, the installation's root beside its bin folder; else the root of
// the build tree the program was built in.
std::string SystemRoot();
// The same for a given executable path and environment value (tests).
std::string SystemRootFor(const std::string& executable, const char* fromEnvironment);

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

// Bundle information files (Contents/Info.plist of a .prefPane or .kext
// bundle): the pane's own version and executable name, and the installed
// driver's version.
#pragma once

#include <optional>
#include <string>

namespace corvane {

// Where the settings window's bundle is installed, Mac-style (resolved
// under the system root, see platform/PaneLauncher.h).
inline constexpr const char* kPaneBundleSystemPath =
    "/System/Library/PreferencePanes/CorvaneWirelessUtility.prefPane";
inline constexpr const char* kPaneExecutableName = "CorvaneWirelessUtility";

inline constexpr const char* kBundleShortVersionKey = "CFBundleShortVersionString";
inline constexpr const char* kBundleExecutableKey = "CFBundleExecutable";

// "<bundle>/Contents/Info.plist".
std::string BundleInfoPath(const std::string& bundlePath);

// A string entry of an information file (XML or binary property list whose
// top level is a dictionary); nullopt when the file is missing, is not a
// regular file, is larger than any information file, or does not hold the
// key as a string.
std::optional<std::string> InfoPlistString(const std::string& infoPlistPath, const char* key);

// The pane's version: the bundle's short version string copied into
// VelaConfigVerChar, cut to 15 bytes; empty when the bundle has none.
void RecordPaneVersion(const std::string& bundlePath);

}  // namespace corvane

// Bundle information files (Contents/Info.plist of a .prefPane or .kext
// bundle): one string entry at a time, read through the bounded reader.
#pragma once

#include <optional>
#include <string>

namespace platform {

// Where the settings window's bundle is installed, Mac-style (resolve it
// with ResolveSystemPath, see PaneLauncher.h).
inline constexpr const char* kPaneBundleSystemPath =
    "/System/Library/PreferencePanes/CorvaneWirelessUtility.prefPane";

inline constexpr const char* kBundleShortVersionKey = "CFBundleShortVersionString";
inline constexpr const char* kBundleExecutableKey = "CFBundleExecutable";

// "<bundle>/Contents/Info.plist".
std::string BundleInfoPath(const std::string& bundlePath);

// A string entry of an information file (XML or binary property list whose
// top level is a dictionary); nullopt when the file is missing, is not a
// regular file, is larger than any information file, or does not hold the
// key as a string.
std::optional<std::string> InfoPlistString(const std::string& infoPlistPath, const char* key);

}  // namespace platform

// The driver class names under which the adapter's driver publishes its
// service, as the system searches for them: Osprey adapters first, then
// Merlin ones.
#pragma once

namespace corvane {

inline constexpr const char* kOspreyDriverClass = "OspreyUSBWirelessDriver";
inline constexpr const char* kMerlinDriverClass = "MerlinUSBWirelessDriver";

}  // namespace corvane

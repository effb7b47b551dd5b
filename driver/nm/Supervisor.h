// corvane-nmd without --interface: one driver process per Wi-Fi device
// that NetworkManager manages, each started as `corvane-nmd --interface IF
// --instance NAME` and started again when it ends while its device is
// still there. Devices are looked for every 2 s, so an adapter plugged in
// later is served too.
//
// The system keeps the last service its search finds, in the order of the
// services' names: a USB adapter's instance ("usb-IF") sorts after a
// built-in device's ("builtin-IF"), so the utility drives a USB adapter
// when there is one.
#pragma once

#include <string>
#include <vector>

#include "driver/nm/NetworkService.h"

namespace corvane::nm {

// Whether the interface's device hangs off a USB bus (sysfs under
// `sysfsRoot`).
bool OnUsb(const std::string& sysfsRoot, const std::string& interfaceName);
std::string InstanceName(const std::string& interfaceName, bool usb);
// The marker of a device whose radio the utility switched off (and which
// NetworkManager therefore does not manage meanwhile).
std::string RadioOffMarker(const std::string& registryFolder, const std::string& interfaceName);

// The devices to serve: every Wi-Fi device NetworkManager manages, and
// those whose radio the utility switched off.
std::vector<std::string> DevicesToServe(NetworkService& nm, const std::string& registryFolder,
                                        Outcome* why);

// Runs until SIGTERM or SIGINT, then stops the driver processes. `program`
// is this program's path; `passOn` the options every driver process gets.
int RunSupervisor(const std::string& program, const std::vector<std::string>& passOn,
                  const std::string& registryFolder);

}  // namespace corvane::nm

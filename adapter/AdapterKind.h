// The adapter kinds, numbered as the client's driver search reports them
// (Current_Device), and the driver classes under which a driver publishes
// its service: the search looks for them in the order of kDriverClasses,
// Osprey adapters first, then Merlin ones. A driver process stands for one
// of these two kinds, named on its command line and in its environment by
// the row's lowercase name.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace corvane {

// The kinds below Merlin are known to the rest of the system (the About
// page's driver information files, the wireless-mode codes, the 802.11n
// test) but never found by the search.
enum class AdapterKind : uint32_t {
    CardBus = 0,
    Condor = 1,
    Falcon = 2,
    Kestrel = 3,
    Merlin = 4,  // served by the Heron driver
    Osprey = 5,
};

struct DriverClass {
    AdapterKind kind;
    const char* className;
    const char* name;
};
inline constexpr DriverClass kDriverClasses[] = {
    {AdapterKind::Osprey, "OspreyUSBWirelessDriver", "osprey"},
    {AdapterKind::Merlin, "MerlinUSBWirelessDriver", "merlin"},
};

// The class a driver of this kind publishes; Merlin's for a kind no driver
// stands for.
constexpr const char* DriverClassName(AdapterKind kind) {
    for (const DriverClass& row : kDriverClasses)
        if (row.kind == kind) return row.className;
    return kDriverClasses[1].className;
}

// The kind a driver process is told by name ("osprey", "merlin").
constexpr std::optional<AdapterKind> DriverKindNamed(std::string_view name) {
    for (const DriverClass& row : kDriverClasses)
        if (name == row.name) return row.kind;
    return std::nullopt;
}

}  // namespace corvane

// The adapter kinds a driver process can stand for, and the driver class
// name each publishes its service under (the names the system searches for).
#pragma once

namespace corvane::driver {

enum class AdapterKind { Osprey, Merlin };

const char* DriverClassName(AdapterKind kind);

}  // namespace corvane::driver

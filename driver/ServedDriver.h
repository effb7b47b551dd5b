// What a driver process serves through the Daemon: user clients on one
// adapter service, published under a driver class name, and a control line.
// The simulated driver and the nl80211 driver both stand behind it.
#pragma once

#include <cstdint>
#include <nlohmann/json.hpp>
#include <string_view>

#include "platform/DeviceAccess.h"

namespace corvane {

class ServedDriver : public platform::UserClientProvider {
public:
    // The driver class name the service is published under.
    virtual const char* ClassName() const = 0;
    // Whether the adapter's service is in the registry now.
    virtual bool IsPresent() const = 0;
    // Counts the adapter's comings and goings.
    virtual uint64_t Generation() const = 0;
    // Runs one control command line; the JSON reply is
    // {"ok": true, ...} or {"ok": false, "error": "..."}.
    virtual nlohmann::json Control(std::string_view commandLine) = 0;
    // A driver whose process is called into from outside (NetworkManager
    // calls the NetworkManager backend's secret agent) is ticked at least
    // this often, also while no client sends requests; -1: never.
    virtual int TickIntervalMs() const { return -1; }
    virtual void Tick() {}
};

}  // namespace corvane

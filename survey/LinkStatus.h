// What the link status page shows, computed from the adapter's answers
// without any widget, so that the page, the command-line tool and tests
// share one computation.
#pragma once

#include <cstdint>
#include <string>

#include "adapter/KestrelAccess.h"

namespace corvane {

struct LinkStatusView {
    std::string linkState;  // "Connected", "Disconnected", "Radio OFF", "No connection"
    std::string networkName;
    std::string networkType;  // "Infrastructure", "Ad Hoc", "" or "None"
    std::string channel;      // "6 (2.437 GHz)", "0" or "None"
    std::string bssid;
    std::string attachedState;  // "No wireless connection" or ""
    uint32_t signalStrength = 0;
    bool associated = false;
};

// One refresh. `channelQuality` is the page's smoothed quality (0: none shown
// yet); it is updated on the associated path.
LinkStatusView ReadLinkStatus(KestrelAccess& adapter, uint32_t& channelQuality);

// "%u (%.3f GHz)" for a frequency in the table, else "0".
std::string FormatChannel(uint32_t dsConfigKhz);

}  // namespace corvane

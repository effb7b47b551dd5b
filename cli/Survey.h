// The networks in range as the site survey table lists them, for the
// commands that pick one by its BSSID.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "adapter/ScanList.h"
#include "cli/Commands.h"
#include "survey/AccessPoint.h"

namespace corvane::cli {

struct ScannedNetwork {
    size_t index;  // row = entry index
    AccessPoint row;
    BssEntry entry;  // in the process-wide list buffer
};

// "AA:BB:CC:DD:EE:FF" or "AA-BB-CC-DD-EE-FF", any case.
std::optional<std::array<uint8_t, 6>> ParseMac(const std::string& text);

// A fresh scan, read into the list buffer, as rows with their entries.
std::vector<ScannedNetwork> ScanNetworks(Context& context);

// The first network with that BSSID; null, said on standard error, when
// none is in range.
const ScannedNetwork* FindNetwork(const std::vector<ScannedNetwork>& networks,
                                  const std::array<uint8_t, 6>& mac);

}  // namespace corvane::cli

// Builds the scan-list entries (and their beacon elements) that the
// simulated adapter reports for the networks it hears.
#pragma once

#include <cstdint>
#include <vector>

#include "driver/sim/Environment.h"

namespace corvane::sim {

// The tagged elements of a network's beacon: SSID, supported rates, DS
// parameter set, the IBSS parameter set for an ad hoc network, and the WPA
// vendor element and/or RSN element its security calls for. A network with
// replayed elements returns exactly those.
std::vector<uint8_t> BeaconElements(const NetworkSpec& network);

// One scan-list entry: the fixed entry fields, the 12 fixed beacon bytes,
// the tagged elements; `Length` rounded up to 4 bytes.
std::vector<uint8_t> BuildScanEntry(const NetworkSpec& network, uint64_t timestampUs);

}  // namespace corvane::sim

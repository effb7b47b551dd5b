// One row per network instead of one per access point: the rows that share
// a name and a security (the same SSID, Authentication, Encryption and
// NetworkType texts the table shows) are one network, carried by each of
// those access points. The site survey page's "Group by network" view and
// `corvane scan --group` both show these groups.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <vector>

#include "survey/AccessPoint.h"

namespace corvane {

struct NetworkGroup {
    // Indexes of the rows of this network, strongest first (equal signals in
    // the rows' order). Never empty; the first is the row the group stands
    // for when the user connects to it or adds it to the profiles.
    std::vector<size_t> rows;

    size_t Strongest() const { return rows.front(); }
};

// Whether two rows are access points of one network: the same name,
// authentication, encryption and network type. A row without a name is a
// network of its own (only its own BSSID matches it): an empty name does
// not tell two hidden networks apart.
bool SameNetwork(const AccessPoint& a, const AccessPoint& b);

// The signal a row sorts by: its Signal text as a number (0 when it is none).
long long SignalOf(const AccessPoint& row);

// The networks of `rows`, strongest first (by their strongest access
// point's signal; equal signals in the order the rows first show them).
std::vector<NetworkGroup> GroupNetworks(std::span<const AccessPoint> rows);

}  // namespace corvane

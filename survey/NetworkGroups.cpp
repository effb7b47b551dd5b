#include "survey/NetworkGroups.h"

#include <algorithm>
#include <charconv>

namespace corvane {

bool SameNetwork(const AccessPoint& a, const AccessPoint& b) {
    if (a.SSID.empty() || b.SSID.empty()) return a.SSID == b.SSID && a.BSSID == b.BSSID;
    return a.SSID == b.SSID && a.Authentication == b.Authentication &&
           a.Encryption == b.Encryption && a.NetworkType == b.NetworkType;
}

long long SignalOf(const AccessPoint& row) {
    long long value = 0;
    const char* first = row.Signal.data();
    const char* last = first + row.Signal.size();
    const auto [end, error] = std::from_chars(first, last, value);
    return error == std::errc() && end == last ? value : 0;
}

std::vector<NetworkGroup> GroupNetworks(std::span<const AccessPoint> rows) {
    std::vector<NetworkGroup> groups;
    for (size_t i = 0; i < rows.size(); ++i) {
        auto same = [&](const NetworkGroup& g) {
            return SameNetwork(rows[g.rows.front()], rows[i]);
        };
        auto group = std::find_if(groups.begin(), groups.end(), same);
        if (group == groups.end())
            groups.push_back({{i}});
        else
            group->rows.push_back(i);
    }
    // Stable sorts: equal signals keep the rows' order.
    auto stronger = [&](size_t a, size_t b) { return SignalOf(rows[a]) > SignalOf(rows[b]); };
    for (NetworkGroup& group : groups)
        std::stable_sort(group.rows.begin(), group.rows.end(), stronger);
    std::stable_sort(groups.begin(), groups.end(),
                     [&](const NetworkGroup& a, const NetworkGroup& b) {
                         return stronger(a.Strongest(), b.Strongest());
                     });
    return groups;
}

}  // namespace corvane

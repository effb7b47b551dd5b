// The rows of the site survey table: one AccessPoint per scan-list entry, in
// the driver's order, each holding the seven texts the table shows. Row i
// always stands for entry i of the list the rows were built from; the page
// relies on that to find the entry behind the selected row.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "adapter/KestrelAccess.h"
#include "adapter/ScanList.h"

namespace corvane {

struct AccessPoint {
    std::string SSID;
    std::string BSSID;
    std::string Signal;
    std::string Channel;
    std::string Authentication;
    std::string Encryption;
    std::string NetworkType;

    // The seven texts joined by single blanks, in member order.
    std::string description() const;
    bool operator==(const AccessPoint&) const = default;
};

// Column identifiers, in member order: the table looks a cell up by the
// identifier of its column.
inline constexpr std::array<const char*, 7> kAccessPointMembers = {
    "SSID", "BSSID", "Signal", "Channel", "Authentication", "Encryption", "NetworkType"};
// The member named `identifier`, or null.
const std::string* AccessPointMember(const AccessPoint& row, std::string_view identifier);
std::string* AccessPointMember(AccessPoint& row, std::string_view identifier);

extern const std::array<const char*, 3>
    strAryNetworkType;  // "Ad Hoc", "Infrastructure", "Automatic"
extern const std::array<const char*, 8> strAryEncryption;

// The row of one entry, or nullopt when the entry's frequency has no
// channel (the walk over the list stops there). The signal percent comes
// from the adapter's RSSI conversion.
std::optional<AccessPoint> AccessPointForEntry(KestrelAccess& adapter, const BssEntry& entry);

// The rows of an assembled scan list (NumberOfItems, then the entries).
std::vector<AccessPoint> BuildAccessPointRows(KestrelAccess& adapter,
                                              std::span<const uint8_t> list);

// The NDIS authentication mode (Ndis802_11AuthMode*) the site survey works
// with for a row's Authentication text: Open (also for anything unknown),
// WPA, WPAPSK, WPANone, WPA2 or WPA2PSK.
int32_t IsItemWPA(std::string_view authentication);

// When the row's security is one this adapter cannot join (neither
// enterprise nor ad hoc WPA-NONE, which have refusals of their own), the
// name of that security, e.g. "WPA3-SAE" or "WPA2-PSK with GCMP-256".
std::optional<std::string> UnsupportedSecurity(const AccessPoint& row);

}  // namespace corvane

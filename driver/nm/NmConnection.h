// The one NetworkManager connection that the station settings amount to
// when the system asks to join (the SSID or BSSID request), in the settings
// dictionary that AddAndActivateConnection2 takes (a{sa{sv}}).
//
// The connection is the user's own ("permissions" names only the user, so
// NetworkManager's polkit policy asks for settings.modify.own, which an
// active desktop session has, not settings.modify.system) and never
// connects by itself. Activated as volatile, it lives only while it is
// active: a disconnect deletes it, and nothing is written under
// /etc/NetworkManager.
//
// Security: open (no security setting); WEP with the keys in their slots
// as hex digits, the transmit index and open or shared authentication;
// WPA-PSK or WPA2-PSK with the 32-byte key as 64 hex digits (NetworkManager
// takes that as the key itself, not as a passphrase) and TKIP or CCMP.
// Ad hoc networks (open or WEP) are started or joined on the configured
// channel. A request by BSSID locks the connection to that access point; an
// SSID the scan results do not hold is probed for by name (hidden). A
// network the scan results place on one channel is joined on that channel,
// so that joining it takes a scan of that channel rather than of every band
// (as corvane-nl80211d does with wpa_supplicant's scan_freq).
//
// Addresses: NetworkManager configures IP. An ad hoc network has no DHCP
// server, so it uses link-local addresses (IPv4 169.254/16 and IPv6 fe80::).
// An infrastructure network asks DHCP without a time limit and IPv6
// automatically: without a DHCP server the network stays joined (and counts
// as associated) instead of being dropped after NetworkManager's 45 s,
// IPv6 and its link-local address work meanwhile, and an address arrives
// whenever a server answers.
#pragma once

#include <QMap>
#include <QString>
#include <QVariantMap>
#include <cstdint>
#include <optional>
#include <string>

#include "driver/RadioBackend.h"
#include "driver/StationSettings.h"

namespace corvane::nm {

using ConnectionSettings = QMap<QString, QVariantMap>;

// The connection's id, which marks the connections this driver adds.
inline constexpr const char* kConnectionId = "corvane";

struct ConnectionOwner {
    QString user;  // the login name
    QString uuid;  // a fresh one per commit
};

// The network to join: the SSID (from the SSID request, or found for the
// BSSID in the scan results), the BSSID when the request was by BSSID,
// whether a scan saw it (a network no scan saw is probed for by name), and
// the one frequency the scan results place it on, if they place it on one.
struct JoinTarget {
    std::string ssid;  // raw bytes
    std::optional<driver::MacAddress> bssid;
    bool seen = false;
    std::optional<uint32_t> frequencyMhz;
};

struct NmConnection {
    ConnectionSettings settings;
    // Non-empty when the settings cannot be one connection; nothing is
    // then activated and the adapter stays unassociated.
    std::string refusal;
};

// Power save follows the last power-mode request (constantly awake, or
// power save).
NmConnection ConnectionFor(const driver::StationSettings& settings, const JoinTarget& target,
                           const ConnectionOwner& owner);

}  // namespace corvane::nm

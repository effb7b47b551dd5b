// What a join asks of the air, decided once from the station settings and
// rendered by each real backend in its own words: a wpa_supplicant network
// block (nl80211) or a NetworkManager connection.
//
// Open: no security. WEP: the keys of WEP's lengths (40, 104 and 128 bits;
// a slot with a key of another length counts as empty), the slot marked for
// transmission, open or shared-key authentication. WPA-PSK / WPA2-PSK: the
// protocol, the pairwise cipher (TKIP, or CCMP with TKIP as the group
// cipher) and the 32-byte key. Ad hoc networks are open or WEP.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "driver/StationSettings.h"

namespace corvane::driver {

enum class JoinSecurity { Open, Wep, Wpa };
enum class WpaProtocol { Wpa, Rsn };
enum class WpaCipher { Tkip, Ccmp };

struct JoinPlan {
    bool adHoc = false;
    JoinSecurity security = JoinSecurity::Open;
    // WEP
    bool sharedKey = false;
    std::array<std::vector<uint8_t>, 4> wepKeys;
    int transmitKey = -1;
    // WPA
    WpaProtocol protocol = WpaProtocol::Rsn;
    WpaCipher cipher = WpaCipher::Ccmp;
    std::array<uint8_t, 32> psk{};
};

struct JoinDecision {
    std::optional<JoinPlan> plan;
    // Why the settings cannot be one network when there is no plan; the
    // adapter then stays unassociated.
    std::string refusal;
};

// `joiner` names what would join ("wpa_supplicant", "NetworkManager") in
// the refusal of what it cannot do.
JoinDecision PlanJoin(const StationSettings& settings, std::string_view joiner);

// True for the key lengths WEP has: 5, 13 or 16 bytes.
bool IsWepKeyLength(size_t size);

}  // namespace corvane::driver

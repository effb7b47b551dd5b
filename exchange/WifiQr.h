// The Wi-Fi network text that phones read from a QR code:
//
//   WIFI:T:WPA;S:<ssid>;P:<key>;H:true;;
//
// T is the security ("WPA" for WPA and WPA2 personal, "WEP", "nopass" for an
// open network), S the network name, P the key (a passphrase, 64
// hexadecimal digits, or a WEP key), H:true a network that does not announce
// its name. In S and P a backslash escapes the characters \ ; , : and ".
// Readers also meet other fields (R, I, E, ... of the WPA3 form), which they
// pass over, and values enclosed in double quotes, an older way to mark a
// name that looks like hexadecimal.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "profiles/PreferenceFiles.h"

namespace corvane {

enum class WifiQrSecurity { kOpen, kWep, kWpa };

struct WifiQrNetwork {
    WifiQrSecurity security = WifiQrSecurity::kOpen;
    std::string ssid;  // bytes
    std::string key;   // empty for an open network
    bool hidden = false;

    bool operator==(const WifiQrNetwork&) const = default;
};

// A text longer than this is refused unread: a QR code holds at most 2953
// bytes.
inline constexpr size_t kMaxWifiQrText = 4096;

std::string EncodeWifiQr(const WifiQrNetwork& network);

struct WifiQrParse {
    enum class Outcome {
        kNetwork,      // `network` holds it
        kMalformed,    // not a Wi-Fi QR text, or a broken one
        kUnsupported,  // a well-formed text for a network this adapter cannot join
    };
    Outcome outcome = Outcome::kMalformed;
    WifiQrNetwork network;
    std::string problem;  // a sentence for a person, when not kNetwork
};

// Reads a text as phones do, strictly: "WIFI:" first, then fields "X:value;"
// up to an empty one (or the end of the text after a field's ";"); one line
// end may follow. A field given twice, a value that runs to the end without
// its ";", a trailing backslash, an unknown T, an H other than true or false,
// a missing or over-long S, a key missing for WEP or WPA or given for an open
// network are malformed. T:SAE, the enterprise types and an R that asks for
// WPA3 only are unsupported.
WifiQrParse ParseWifiQr(std::string_view text);

struct ProfileQr {
    std::optional<WifiQrNetwork> network;
    std::string refusal;  // why the profile has no QR text, when it has none
};

// The QR network of a stored profile: WPA for WPA-PSK and WPA2-PSK with the
// stored passphrase or hexadecimal key, WEP with the default key's text,
// nopass for an open profile; H:true for a profile marked hidden. An ad hoc
// profile has none (phones join access points only), nor has a profile
// whose key it would need is empty.
ProfileQr WifiQrForProfile(const PrefDictionary& profile);

// True when the text would reveal a key.
inline bool HoldsKey(const WifiQrNetwork& network) { return !network.key.empty(); }

}  // namespace corvane

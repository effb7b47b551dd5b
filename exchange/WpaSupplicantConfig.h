// Reads the network blocks of a wpa_supplicant configuration file
// (wpa_supplicant.conf(5)):
//
//   network={
//       ssid="Home"            (or hexadecimal digits, or P"printf-escaped")
//       key_mgmt=WPA-PSK       (NONE, WPA-EAP, SAE, OWE, ...; default WPA-PSK WPA-EAP)
//       proto=RSN pairwise=CCMP psk="passphrase" (or 64 hexadecimal digits)
//       wep_key0="abcde" (or hexadecimal) wep_tx_keyidx=0 auth_alg=SHARED
//       mode=1 frequency=2412 scan_ssid=1 bssid=00:11:22:33:44:55 id_str="name"
//   }
//
// Lines outside the blocks (ctrl_interface=..., update_config=...) and other
// blocks (cred={...}, blob-base64-...={...}) are passed over; "#" begins a
// comment outside double quotes. A network this adapter can use becomes a
// profile; any other is listed with the reason it was left out. A block
// that breaks the format is left out with its line; a file that is not a
// configuration at all is refused whole.
#pragma once

#include <string_view>

#include "exchange/ImportEntry.h"

namespace corvane {

// Lines longer than this (wpa_supplicant itself takes 256 bytes) break the
// format.
inline constexpr size_t kMaxConfigLine = 1024;
// Networks beyond this many are not read.
inline constexpr size_t kMaxImportedNetworks = 512;

ImportFile ReadWpaSupplicantConfig(std::string_view text);

}  // namespace corvane

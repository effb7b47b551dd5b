// Reads a NetworkManager connection keyfile (nm-settings-keyfile(5), the
// *.nmconnection files under /etc/NetworkManager/system-connections): a
// key file of [groups] and key=value lines, one connection per file.
//
//   [connection]     id=Home  type=wifi
//   [wifi]           ssid=Home (or its bytes "72;111;...;")  mode=infrastructure|adhoc
//                    hidden=true  band=bg  channel=6  bssid=00:11:22:33:44:55
//   [wifi-security]  key-mgmt=wpa-psk|none|sae|owe|wpa-eap|ieee8021x  psk=...
//                    proto=rsn;  pairwise=ccmp;  auth-alg=open|shared
//                    wep-key0=...  wep-key-type=1  wep-tx-keyidx=0
//
// The older group names 802-11-wireless and 802-11-wireless-security are
// read as well. Values are unescaped as key files escape them (\s \n \t \r
// \\). A Wi-Fi connection this adapter can use becomes a profile named after
// its id; any other is listed with the reason. A line that is neither a
// group, a key nor a comment refuses the file.
#pragma once

#include <string_view>

#include "exchange/ImportEntry.h"

namespace corvane {

ImportFile ReadNmKeyfile(std::string_view text);

}  // namespace corvane

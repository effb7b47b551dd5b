// Joining a network from a Wi-Fi QR text (see exchange/WifiQr.h) as the site
// survey's Connect joins a picked row: the network is looked up by name in
// a fresh scan, refused for what Connect refuses, its security must be the
// one the text names, and the text's key fills the key dialog's fields,
// which the key rules then judge. A network the text marks hidden that the
// scan does not name is joined by name, as Connect to Hidden Network does.
// The window's "Join from QR text…" and `corvane join --qr` share this.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "adapter/ScanList.h"
#include "editor/KeyEntryGroup.h"
#include "exchange/WifiQr.h"
#include "survey/AccessPoint.h"

namespace corvane {

// The entry to join among those of a scan: the strongest signal among the
// entries whose SSID is `ssid`; none when no entry has it.
std::optional<size_t> StrongestNamed(std::span<const BssEntry> entries, std::string_view ssid);

struct QrJoinPlan {
    std::optional<std::string> refusal;  // alert title (empty message)
    bool needsKeys = false;
    KeyDialogPreset preset;
};

// For the scanned network `row` / `entry` the text named.
QrJoinPlan PlanQrJoin(const WifiQrNetwork& qr, const AccessPoint& row, const BssEntry& entry);

// For a hidden network the scan does not name: infrastructure, the
// security the text names (WPA as WPA2-PSK with AES, the kind hidden
// networks use; WEP as open system).
QrJoinPlan PlanHiddenQrJoin(const WifiQrNetwork& qr);

// A scan-list entry for a network known only by name: infrastructure, that
// SSID (at most 32 bytes), no frequency and no address.
std::vector<uint8_t> EntryForNetworkName(std::string_view ssid);

// Puts the text's key where the user would type it: the pre-shared key, or
// the WEP key as key 1 (hexadecimal when it is 10 or 26 hexadecimal digits,
// ASCII otherwise), key 1 the default.
void FillQrKeys(KeyEntryGroup& group, const WifiQrNetwork& qr);

// "No network named NAME is in range."
std::string QrNetworkNotFound(const std::string& ssid);

}  // namespace corvane

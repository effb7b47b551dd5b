// Scan-list entries from the kernel's BSS records.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "driver/nl80211/Stack.h"

namespace corvane::nl80211 {

// Whether the system's channel table knows the BSS's frequency. The system
// stops reading the list at an entry whose frequency has no channel, so a
// BSS elsewhere (6 GHz, 60 GHz, 900 MHz) is left out.
bool Listable(const BssRecord& bss);

// The SSID element's bytes (empty when there is none), found with a
// bounded walk over the elements.
std::string SsidOfElements(const std::vector<uint8_t>& elements);

// The entry: BSSID; SSID from its element; frequency in kHz; RSSI in dBm
// (the signal in mBm divided by 100); privacy and ad hoc or infrastructure
// from the capability field; the supported and extended rates; the TSF,
// beacon interval and capability as the 12 fixed beacon bytes, then the
// elements as the kernel holds them.
std::vector<uint8_t> ScanEntryForBss(const BssRecord& bss);

}  // namespace corvane::nl80211

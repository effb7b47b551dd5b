// One scan-list entry (NDIS_WLAN_BSSID_EX) as a driver reports it, from the
// facts of one BSS. Both driver processes build their entries here.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "adapter/Records.h"

namespace corvane {

struct ScanEntryFields {
    MacAddress bssid{};
    std::string_view ssid;  // at most 32 bytes are used; empty for a hidden network
    bool privacy = false;
    int32_t rssiDbm = 0;
    uint32_t frequencyKhz = 0;
    uint32_t infrastructureMode = 1;          // 0 ad hoc, 1 infrastructure
    std::span<const uint8_t> supportedRates;  // at most 16 are used
    // The 12 fixed beacon fields.
    uint64_t timestamp = 0;
    uint16_t beaconInterval = 100;
    uint16_t capability = 0;
    // The tagged elements after them.
    std::span<const uint8_t> elements;
};

// The entry's bytes: the fixed fields (the network type in use from the
// frequency's band, the configuration's beacon period from the beacon
// interval), the 12 fixed beacon bytes and the tagged elements; `Length`
// rounded up to 4 bytes.
std::vector<uint8_t> EncodeScanEntry(const ScanEntryFields& fields);

// Appends whole entries of `list` from `cursor` on to `out` while they fit in
// `capacity` bytes of `out` (what is already in it counts), advancing
// `cursor`; an entry is never split across two answers. Returns the number
// appended.
uint32_t AppendWholeEntries(const std::vector<std::vector<uint8_t>>& list, size_t& cursor,
                            size_t capacity, std::vector<uint8_t>& out);

}  // namespace corvane

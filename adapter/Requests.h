// Typed requests: the requests the client sends from more than one place,
// each built, sent and decoded here over KestrelAccess's two primitives.
// A query's buffer starts zeroed unless said otherwise, so a failed or short
// answer reads as zero fields; every set request passes kSetRetry.
#pragma once

#include <cstdint>
#include <span>

#include "adapter/Records.h"

namespace corvane {

class KestrelAccess;

// The retry count every set request passes; the driver access ignores it.
inline constexpr int kSetRetry = 3;

// Queries a 4-byte answer. `value` goes to the driver as the buffer's
// starting content (what a short or failed answer leaves) and comes back as
// the answer, read little-endian.
bool QueryWord(KestrelAccess& adapter, uint32_t oid, uint32_t& value);
// Sets a 4-byte little-endian value.
bool SetWord(KestrelAccess& adapter, uint32_t oid, uint32_t value);
// Sets a record as it stands (an empty one still goes with a buffer).
bool SetBytes(KestrelAccess& adapter, uint32_t oid, std::span<const uint8_t> payload);

// Drops the association: OID_802_11_DISASSOCIATE with a zero word.
bool Disassociate(KestrelAccess& adapter);

// The SSID of the network the adapter is on. The link status asks with a
// 37-byte buffer, one byte past the record, as it always has; the answer
// read is the record's 36 bytes either way.
enum class SsidBuffer { Record, WithSpareByte };
NDIS_802_11_SSID QuerySsid(KestrelAccess& adapter, SsidBuffer buffer = SsidBuffer::Record);
bool SetSsid(KestrelAccess& adapter, const NDIS_802_11_SSID& ssid);

MacAddress QueryBssid(KestrelAccess& adapter);

NDIS_802_11_CONFIGURATION QueryConfiguration(KestrelAccess& adapter);
bool SetConfiguration(KestrelAccess& adapter, const NDIS_802_11_CONFIGURATION& config);

VX_802_11_LINK_STATUS QueryLinkStatus(KestrelAccess& adapter);
VX_802_11_STA_CONFIG QueryStaConfig(KestrelAccess& adapter);

// The radio state: one byte, read straight into `radio` (which keeps its
// value when nothing is answered).
bool QueryRadio(KestrelAccess& adapter, uint8_t& radio);

}  // namespace corvane

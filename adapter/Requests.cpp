#include "adapter/Requests.h"

#include <array>

#include "adapter/ByteOrder.h"
#include "adapter/KestrelAccess.h"
#include "adapter/Oids.h"

namespace corvane {
namespace {

// Queries into a zeroed block of N bytes.
template <size_t N>
std::array<uint8_t, N> QueryBlock(KestrelAccess& adapter, uint32_t oid) {
    std::array<uint8_t, N> bytes{};
    uint64_t returned = 0;
    adapter.OidQueryInformation(oid, bytes.data(), bytes.size(), &returned);
    return bytes;
}

}  // namespace

bool QueryWord(KestrelAccess& adapter, uint32_t oid, uint32_t& value) {
    uint8_t bytes[4];
    WriteLe32(bytes, value);
    uint64_t returned = 0;
    bool answered = adapter.OidQueryInformation(oid, bytes, sizeof bytes, &returned);
    value = ReadLe32(bytes);
    return answered;
}

bool SetWord(KestrelAccess& adapter, uint32_t oid, uint32_t value) {
    return SetBytes(adapter, oid, LeWord(value));
}

bool SetBytes(KestrelAccess& adapter, uint32_t oid, std::span<const uint8_t> payload) {
    static const uint8_t empty = 0;
    uint64_t returned = 0;
    return adapter.OidSetInformation(oid, payload.empty() ? &empty : payload.data(), payload.size(),
                                     &returned, kSetRetry);
}

bool Disassociate(KestrelAccess& adapter) { return SetWord(adapter, OID_802_11_DISASSOCIATE, 0); }

NDIS_802_11_SSID QuerySsid(KestrelAccess& adapter, SsidBuffer buffer) {
    if (buffer == SsidBuffer::WithSpareByte)
        return DecodeSsid(QueryBlock<sizeof(NDIS_802_11_SSID) + 1>(adapter, OID_802_11_SSID));
    return DecodeSsid(QueryBlock<sizeof(NDIS_802_11_SSID)>(adapter, OID_802_11_SSID));
}

bool SetSsid(KestrelAccess& adapter, const NDIS_802_11_SSID& ssid) {
    return SetBytes(adapter, OID_802_11_SSID, EncodeSsid(ssid));
}

MacAddress QueryBssid(KestrelAccess& adapter) {
    return QueryBlock<kMacLength>(adapter, OID_802_11_BSSID);
}

NDIS_802_11_CONFIGURATION QueryConfiguration(KestrelAccess& adapter) {
    return DecodeConfiguration(
        QueryBlock<sizeof(NDIS_802_11_CONFIGURATION)>(adapter, OID_802_11_CONFIGURATION));
}

bool SetConfiguration(KestrelAccess& adapter, const NDIS_802_11_CONFIGURATION& config) {
    return SetBytes(adapter, OID_802_11_CONFIGURATION, EncodeConfiguration(config));
}

VX_802_11_LINK_STATUS QueryLinkStatus(KestrelAccess& adapter) {
    return DecodeLinkStatus(QueryBlock<sizeof(VX_802_11_LINK_STATUS)>(adapter, OID_VX_LINK_STATUS));
}

VX_802_11_STA_CONFIG QueryStaConfig(KestrelAccess& adapter) {
    return DecodeStaConfig(QueryBlock<sizeof(VX_802_11_STA_CONFIG)>(adapter, OID_VX_STA_CONFIG));
}

bool QueryRadio(KestrelAccess& adapter, uint8_t& radio) {
    uint64_t returned = 0;
    return adapter.OidQueryInformation(OID_VX_RADIO, &radio, 1, &returned);
}

}  // namespace corvane

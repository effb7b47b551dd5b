#include "adapter/Records.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace corvane {
namespace {

// Copies what is there of `bytes` into a zeroed block of N bytes, so that a
// short answer decodes its missing fields as 0.
template <size_t N>
std::array<uint8_t, N> Padded(std::span<const uint8_t> bytes) {
    std::array<uint8_t, N> block{};
    std::copy_n(bytes.begin(), std::min(bytes.size(), N), block.begin());
    return block;
}

template <size_t N>
void ReadWords(std::span<const uint8_t> bytes, uint32_t* words) {
    auto block = Padded<N * 4>(bytes);
    for (size_t i = 0; i < N; ++i) words[i] = ReadLe32(block.data() + 4 * i);
}

template <size_t N>
void WriteWords(uint8_t* out, const uint32_t* words) {
    for (size_t i = 0; i < N; ++i) WriteLe32(out + 4 * i, words[i]);
}

}  // namespace

Ssid36 EncodeSsid(const NDIS_802_11_SSID& ssid) {
    Ssid36 out{};
    WriteLe32(out.data(), ssid.SsidLength);
    std::memcpy(out.data() + 4, ssid.Ssid, kSsidMaxLength);
    return out;
}

NDIS_802_11_SSID DecodeSsid(std::span<const uint8_t> bytes) {
    auto block = Padded<sizeof(NDIS_802_11_SSID)>(bytes);
    NDIS_802_11_SSID ssid;
    ssid.SsidLength = ReadLe32(block.data());
    std::memcpy(ssid.Ssid, block.data() + 4, kSsidMaxLength);
    return ssid;
}

NDIS_802_11_SSID MakeSsid(std::string_view text) {
    NDIS_802_11_SSID ssid;
    size_t n = std::min(text.size(), kSsidMaxLength);
    ssid.SsidLength = uint32_t(n);
    std::memcpy(ssid.Ssid, text.data(), n);
    return ssid;
}

Config32 EncodeConfiguration(const NDIS_802_11_CONFIGURATION& c) {
    const uint32_t words[8] = {c.Length,          c.BeaconPeriod,      c.ATIMWindow,
                               c.DSConfig,        c.FHConfig.Length,   c.FHConfig.HopPattern,
                               c.FHConfig.HopSet, c.FHConfig.DwellTime};
    Config32 out{};
    WriteWords<8>(out.data(), words);
    return out;
}

NDIS_802_11_CONFIGURATION DecodeConfiguration(std::span<const uint8_t> bytes) {
    uint32_t w[8];
    ReadWords<8>(bytes, w);
    NDIS_802_11_CONFIGURATION c;
    c.Length = w[0];
    c.BeaconPeriod = w[1];
    c.ATIMWindow = w[2];
    c.DSConfig = w[3];
    c.FHConfig = {w[4], w[5], w[6], w[7]};
    return c;
}

std::array<uint8_t, 32> EncodeStaConfig(const VX_802_11_STA_CONFIG& c) {
    const uint32_t words[8] = {c.EnableTxBurst,
                               c.EnableTurboRate,
                               c.UseBGProtection,
                               c.UseShortSlotTime,
                               c.AdhocMode,
                               c.HwRadioStatus,
                               c.Rsv1,
                               c.SystemErrorBitmap};
    std::array<uint8_t, 32> out{};
    WriteWords<8>(out.data(), words);
    return out;
}

VX_802_11_STA_CONFIG DecodeStaConfig(std::span<const uint8_t> bytes) {
    uint32_t w[8];
    ReadWords<8>(bytes, w);
    return {w[0], w[1], w[2], w[3], w[4], w[5], w[6], w[7]};
}

std::array<uint8_t, 20> EncodeLinkStatus(const VX_802_11_LINK_STATUS& s) {
    const uint32_t words[5] = {s.Word0, s.ChannelQuality, s.TxCount, s.RxCount, s.Word4};
    std::array<uint8_t, 20> out{};
    WriteWords<5>(out.data(), words);
    return out;
}

VX_802_11_LINK_STATUS DecodeLinkStatus(std::span<const uint8_t> bytes) {
    uint32_t w[5];
    ReadWords<5>(bytes, w);
    return {w[0], w[1], w[2], w[3], w[4]};
}

std::array<uint8_t, 20> EncodeNetworkTypes(const NetworkTypeList& l) {
    const uint32_t words[5] = {l.NumberOfItems, l.NetworkType[0], l.NetworkType[1],
                               l.NetworkType[2], l.NetworkType[3]};
    std::array<uint8_t, 20> out{};
    WriteWords<5>(out.data(), words);
    return out;
}

NetworkTypeList DecodeNetworkTypes(std::span<const uint8_t> bytes) {
    uint32_t w[5];
    ReadWords<5>(bytes, w);
    return {w[0], {w[1], w[2], w[3], w[4]}};
}

std::array<uint8_t, 16> EncodeRemoveKey(uint32_t keyIndex) {
    std::array<uint8_t, 16> out{};
    WriteLe32(out.data(), 16);
    WriteLe32(out.data() + 4, keyIndex);
    std::fill_n(out.data() + 8, kMacLength, 0xFF);
    return out;
}

NDIS_802_11_KEY_HEADER DecodeKeyHeader(std::span<const uint8_t> bytes) {
    auto block = Padded<sizeof(NDIS_802_11_KEY_HEADER)>(bytes);
    NDIS_802_11_KEY_HEADER k;
    k.Length = ReadLe32(block.data());
    k.KeyIndex = ReadLe32(block.data() + 4);
    k.KeyLength = ReadLe32(block.data() + 8);
    std::memcpy(k.BSSID, block.data() + 12, kMacLength);
    std::memcpy(k.Reserved, block.data() + 18, sizeof k.Reserved);
    return k;
}

std::string FormatMac(std::span<const uint8_t> mac) {
    auto m = Padded<kMacLength>(mac);
    char text[18];
    std::snprintf(text, sizeof text, "%02X-%02X-%02X-%02X-%02X-%02X", m[0], m[1], m[2], m[3], m[4],
                  m[5]);
    return text;
}

}  // namespace corvane

// Scan-list entries built by hand for tests: an NDIS_WLAN_BSSID_EX with the
// fields the system reads, and a list of them as the driver assembles it.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <initializer_list>
#include <string>
#include <vector>

#include "adapter/ByteOrder.h"
#include "adapter/Records.h"

namespace corvane::test {

using ByteVec = std::vector<uint8_t>;

inline ByteVec HexBytes(const std::string& hex) {
    ByteVec out;
    for (size_t i = 0; i + 1 < hex.size(); i += 2)
        out.push_back(uint8_t(std::stoul(hex.substr(i, 2), nullptr, 16)));
    return out;
}

struct ScanEntrySpec {
    std::string ssid;  // the name bytes (cut to 32)
    std::array<uint8_t, 6> mac = {0x00, 0x11, 0x22, 0x33, 0x44, 0x55};
    uint32_t privacy = 0;
    int32_t rssi = -50;
    uint32_t dsConfig = 2437000;  // kHz
    uint32_t infrastructureMode = 1;
    ByteVec tagged;  // tagged elements, after the 12 fixed beacon fields
};

// One entry: IELength = 12 + the tagged elements, Length rounded up to 4.
inline ByteVec ScanEntry(const ScanEntrySpec& s) {
    const size_t ieLength = bss::kFixedBeaconFields + s.tagged.size();
    const size_t length = (bss::kIEs + ieLength + 3) & ~size_t(3);
    ByteVec e(length, 0);
    WriteLe32(&e[bss::kLength], uint32_t(length));
    std::copy(s.mac.begin(), s.mac.end(), &e[bss::kMacAddress]);
    const size_t nameBytes = std::min<size_t>(s.ssid.size(), kSsidMaxLength);
    WriteLe32(&e[bss::kSsidLength], uint32_t(nameBytes));
    std::copy_n(s.ssid.begin(), nameBytes, &e[bss::kSsid]);
    WriteLe32(&e[bss::kPrivacy], s.privacy);
    WriteLe32(&e[bss::kRssi], uint32_t(s.rssi));
    WriteLe32(&e[bss::kDSConfig], s.dsConfig);
    WriteLe32(&e[bss::kInfrastructureMode], s.infrastructureMode);
    WriteLe32(&e[bss::kIELength], uint32_t(ieLength));
    std::copy(s.tagged.begin(), s.tagged.end(), &e[bss::kTaggedElements]);
    return e;
}

// Tagged elements as hex text: an element around a body given in hex
// (blanks allowed); a suite list (its count, then the suites with one
// organisation code); RSN and WPA elements (version 1, then the suites of
// their organisation).
inline std::string H8(unsigned v) {
    char t[3];
    std::snprintf(t, sizeof t, "%02x", v & 0xFF);
    return t;
}
inline std::string Suites(const std::string& oui, std::initializer_list<int> types) {
    std::string s = H8(unsigned(types.size())) + H8(unsigned(types.size()) >> 8);
    for (int t : types) s += oui + H8(unsigned(t));
    return s;
}
inline std::string Element(unsigned id, std::string body) {
    std::erase(body, ' ');
    return H8(id) + H8(unsigned(body.size() / 2)) + body;
}
inline std::string Rsn(int group, std::initializer_list<int> pairwise,
                       std::initializer_list<int> akm) {
    const std::string suites = Suites("000fac", {group}).substr(4) + Suites("000fac", pairwise);
    return Element(48, "0100" + suites + Suites("000fac", akm));
}
inline std::string Wpa(int group, std::initializer_list<int> pairwise,
                       std::initializer_list<int> akm) {
    const std::string suites = Suites("0050f2", {group}).substr(4) + Suites("0050f2", pairwise);
    return Element(221, "0050f2010100" + suites + Suites("0050f2", akm));
}

// NumberOfItems, then the entries back to back.
inline ByteVec ScanListOf(const std::vector<ByteVec>& entries) {
    ByteVec list(4, 0);
    WriteLe32(list.data(), uint32_t(entries.size()));
    for (const ByteVec& e : entries) list.insert(list.end(), e.begin(), e.end());
    return list;
}

}  // namespace corvane::test

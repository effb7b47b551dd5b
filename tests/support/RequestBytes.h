// The requests of an apply sequence as the recording driver must see them,
// built from their parts: shared by the profile and the site survey tests,
// which check the same sequence from their two ways in.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "tests/support/RecordingUserClientProvider.h"
#include "tests/support/ScanEntries.h"

namespace corvane::test {

using Calls = std::vector<std::pair<uint32_t, ByteVec>>;

inline ByteVec Text(const std::string& s) { return {s.begin(), s.end()}; }
// Little-endian words, then `tail`, then zeros up to `length`.
inline ByteVec Words(std::initializer_list<uint32_t> words, const ByteVec& tail = {},
                     size_t length = 0) {
    ByteVec b;
    for (uint32_t w : words)
        for (int i = 0; i < 4; ++i) b.push_back(uint8_t(w >> (8 * i)));
    b.insert(b.end(), tail.begin(), tail.end());
    b.resize(std::max(length, b.size()));
    return b;
}
// An NDIS_802_11_KEY block.
inline ByteVec KeyBlock(uint32_t length, uint32_t index, const ByteVec& key) {
    return Words({length, index, uint32_t(key.size()), ~0u, 0xFFFF, 0, 0, 0}, key, length);
}
inline ByteVec Config(uint32_t khz) { return Words({32, 100, 0, khz, 0, 0, 0, 0}); }

inline Calls Join(std::initializer_list<Calls> pieces) {
    Calls all;
    for (const Calls& p : pieces) all.insert(all.end(), p.begin(), p.end());
    return all;
}
// Client width through transmit power; `radio` is preamble, RTS and
// fragmentation thresholds.
inline Calls Head(uint32_t mode, uint32_t auth, uint32_t enc, uint32_t txPercent = 100,
                  std::array<uint32_t, 3> radio = {1, 2347, 2346}) {
    return {{0x0DF101F2, {1}},
            {0x0D810115, Words({0})},
            {0x0D810108, Words({mode})},
            {0x0DF10101, Words({radio[0]})},
            {0x0D81020A, Words({radio[1]})},
            {0x0D810209, Words({radio[2]})},
            {0x0D810118, Words({auth})},
            {0x0D81011B, Words({enc})},
            {0x0DF10118, Words({txPercent})}};
}
inline Calls AddKey(const ByteVec& block) { return {{0x0DF101F4, block}}; }
inline Calls PskKey(const ByteVec& key, uint32_t oid = 0x0DF101F3, uint32_t length = 104) {
    return {{oid, KeyBlock(length, 0x80000000, key)}};
}
inline Calls RemoveKey(uint32_t slot) { return {{0x0D81011E, Words({16, slot, ~0u, 0xFFFF})}}; }
// The configuration read back, then set with the channel's frequency.
inline Calls Configure(uint32_t khz) {
    return {{0x0D010211, ByteVec(32, 0)}, {0x0D810211, Config(khz)}};
}
inline Calls Ssid(const std::string& name) {
    return {{0x0D810102, Words({uint32_t(name.size())}, Text(name), 36)}};
}
inline const Calls kPowerMode = {{0x0D810216, Words({0})}};

// What the driver has been sent, selector and input.
inline Calls Recorded(const RecordingUserClientProvider& driver) {
    Calls recorded;
    for (const RecordedCall& c : driver.Calls()) recorded.push_back({c.selector, c.input});
    return recorded;
}

}  // namespace corvane::test

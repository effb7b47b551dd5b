// Little-endian field access for driver records. Every multi-byte field that
// crosses the driver boundary goes through these two helpers, byte by byte,
// so the layout never depends on the host's alignment or byte order.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace corvane {

inline uint32_t ReadLe32(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

inline void WriteLe32(uint8_t* p, uint32_t v) {
    p[0] = uint8_t(v);
    p[1] = uint8_t(v >> 8);
    p[2] = uint8_t(v >> 16);
    p[3] = uint8_t(v >> 24);
}

inline uint16_t ReadLe16(const uint8_t* p) { return uint16_t(p[0] | p[1] << 8); }

inline void WriteLe16(uint8_t* p, uint16_t v) {
    p[0] = uint8_t(v);
    p[1] = uint8_t(v >> 8);
}

// Bounded reads: a field that lies (partly) outside the bytes really there
// reads as 0 instead of reading past the end.
inline uint32_t ReadLe32At(std::span<const uint8_t> bytes, size_t offset) {
    if (offset > bytes.size() || bytes.size() - offset < 4) return 0;
    return ReadLe32(bytes.data() + offset);
}

// A 4-byte answer, and a 4-byte request that must be exactly that long (the
// drivers refuse any other size).
inline std::vector<uint8_t> LeWord(uint32_t v) {
    std::vector<uint8_t> b(4);
    WriteLe32(b.data(), v);
    return b;
}
inline bool ReadExactLe32(std::span<const uint8_t> input, uint32_t* value) {
    if (input.size() != 4) return false;
    *value = ReadLe32(input.data());
    return true;
}

}  // namespace corvane

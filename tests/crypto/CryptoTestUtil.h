// Helpers shared by the crypto tests: hex text and bytes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace corvane::test {

using Bytes = std::vector<uint8_t>;

inline std::string ToHex(const uint8_t* p, size_t n) {
    std::string s;
    for (size_t i = 0; i < n; ++i)
        s += {"0123456789abcdef"[p[i] >> 4], "0123456789abcdef"[p[i] & 15]};
    return s;
}
inline Bytes AsBytes(const std::string& s) { return Bytes(s.begin(), s.end()); }

}  // namespace corvane::test

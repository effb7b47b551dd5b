// Helpers shared by the crypto tests: hex text, random inputs and the
// reference derivation.
#pragma once

#include <openssl/evp.h>

#include <cstdint>
#include <random>
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
inline std::string ToHex(const Bytes& b) { return ToHex(b.data(), b.size()); }
inline Bytes AsBytes(const std::string& s) { return Bytes(s.begin(), s.end()); }

// `len` random bytes in [lo, hi].
inline Bytes RandomBytes(std::mt19937& rng, size_t len, int lo = 0, int hi = 255) {
    std::uniform_int_distribution<int> dist(lo, hi);
    Bytes b(len);
    for (uint8_t& v : b) v = uint8_t(dist(rng));
    return b;
}
inline std::string RandomPrintable(std::mt19937& rng, size_t len) {
    const Bytes b = RandomBytes(rng, len, 32, 126);
    return std::string(b.begin(), b.end());
}

// PBKDF2-HMAC-SHA1 by OpenSSL, the reference.
inline Bytes ReferencePbkdf2(const std::string& password, const Bytes& salt, int iterations,
                             int len) {
    Bytes out(size_t(len), 0);
    PKCS5_PBKDF2_HMAC_SHA1(password.data(), int(password.size()), salt.data(), int(salt.size()),
                           iterations, len, out.data());
    return out;
}

}  // namespace corvane::test

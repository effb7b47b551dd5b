// PBKDF2-HMAC-SHA1 iterations (RFC 2898) in portable C++: an unrolled
// FIPS 180-1 compression of the one-block messages HMAC makes of a 20-byte
// value, with the padding words fixed.
#include "crypto/Pbkdf2Engine.h"
#include "crypto/Wipe.h"

namespace corvane::detail {
namespace {

inline uint32_t Rol(uint32_t x, int n) { return (x << n) | (x >> (32 - n)); }

// Bit length of a hash over one pad block and a 20-byte value.
constexpr uint32_t kPaddedBits = (64 + 20) * 8;

#define SHA1_W(i) \
    (w[(i)&15] = Rol(w[((i) + 13) & 15] ^ w[((i) + 8) & 15] ^ w[((i) + 2) & 15] ^ w[(i)&15], 1))
#define SHA1_R0(v, x, y, z, u, i)                             \
    u += ((x & (y ^ z)) ^ z) + w[i] + 0x5A827999 + Rol(v, 5); \
    x = Rol(x, 30)
#define SHA1_R1(v, x, y, z, u, i)                                  \
    u += ((x & (y ^ z)) ^ z) + SHA1_W(i) + 0x5A827999 + Rol(v, 5); \
    x = Rol(x, 30)
#define SHA1_R2(v, x, y, z, u, i)                          \
    u += (x ^ y ^ z) + SHA1_W(i) + 0x6ED9EBA1 + Rol(v, 5); \
    x = Rol(x, 30)
#define SHA1_R3(v, x, y, z, u, i)                                        \
    u += (((x | y) & z) | (x & y)) + SHA1_W(i) + 0x8F1BBCDC + Rol(v, 5); \
    x = Rol(x, 30)
#define SHA1_R4(v, x, y, z, u, i)                          \
    u += (x ^ y ^ z) + SHA1_W(i) + 0xCA62C1D6 + Rol(v, 5); \
    x = Rol(x, 30)

// out = compression of state over the block {in[0..4], 0x80000000, 0...,
// kPaddedBits}; w is the caller's 16-word schedule, wiped by the caller.
inline void CompressValue(const uint32_t state[5], const uint32_t in[5], uint32_t out[5],
                          uint32_t w[16]) {
    w[0] = in[0];
    w[1] = in[1];
    w[2] = in[2];
    w[3] = in[3];
    w[4] = in[4];
    w[5] = 0x80000000u;
    for (int i = 6; i < 15; ++i) w[i] = 0;
    w[15] = kPaddedBits;
    uint32_t a = state[0], b = state[1], c = state[2], d = state[3], e = state[4];

    SHA1_R0(a, b, c, d, e, 0);
    SHA1_R0(e, a, b, c, d, 1);
    SHA1_R0(d, e, a, b, c, 2);
    SHA1_R0(c, d, e, a, b, 3);
    SHA1_R0(b, c, d, e, a, 4);
    SHA1_R0(a, b, c, d, e, 5);
    SHA1_R0(e, a, b, c, d, 6);
    SHA1_R0(d, e, a, b, c, 7);
    SHA1_R0(c, d, e, a, b, 8);
    SHA1_R0(b, c, d, e, a, 9);
    SHA1_R0(a, b, c, d, e, 10);
    SHA1_R0(e, a, b, c, d, 11);
    SHA1_R0(d, e, a, b, c, 12);
    SHA1_R0(c, d, e, a, b, 13);
    SHA1_R0(b, c, d, e, a, 14);
    SHA1_R0(a, b, c, d, e, 15);
    SHA1_R1(e, a, b, c, d, 16);
    SHA1_R1(d, e, a, b, c, 17);
    SHA1_R1(c, d, e, a, b, 18);
    SHA1_R1(b, c, d, e, a, 19);

    SHA1_R2(a, b, c, d, e, 20);
    SHA1_R2(e, a, b, c, d, 21);
    SHA1_R2(d, e, a, b, c, 22);
    SHA1_R2(c, d, e, a, b, 23);
    SHA1_R2(b, c, d, e, a, 24);
    SHA1_R2(a, b, c, d, e, 25);
    SHA1_R2(e, a, b, c, d, 26);
    SHA1_R2(d, e, a, b, c, 27);
    SHA1_R2(c, d, e, a, b, 28);
    SHA1_R2(b, c, d, e, a, 29);
    SHA1_R2(a, b, c, d, e, 30);
    SHA1_R2(e, a, b, c, d, 31);
    SHA1_R2(d, e, a, b, c, 32);
    SHA1_R2(c, d, e, a, b, 33);
    SHA1_R2(b, c, d, e, a, 34);
    SHA1_R2(a, b, c, d, e, 35);
    SHA1_R2(e, a, b, c, d, 36);
    SHA1_R2(d, e, a, b, c, 37);
    SHA1_R2(c, d, e, a, b, 38);
    SHA1_R2(b, c, d, e, a, 39);

    SHA1_R3(a, b, c, d, e, 40);
    SHA1_R3(e, a, b, c, d, 41);
    SHA1_R3(d, e, a, b, c, 42);
    SHA1_R3(c, d, e, a, b, 43);
    SHA1_R3(b, c, d, e, a, 44);
    SHA1_R3(a, b, c, d, e, 45);
    SHA1_R3(e, a, b, c, d, 46);
    SHA1_R3(d, e, a, b, c, 47);
    SHA1_R3(c, d, e, a, b, 48);
    SHA1_R3(b, c, d, e, a, 49);
    SHA1_R3(a, b, c, d, e, 50);
    SHA1_R3(e, a, b, c, d, 51);
    SHA1_R3(d, e, a, b, c, 52);
    SHA1_R3(c, d, e, a, b, 53);
    SHA1_R3(b, c, d, e, a, 54);
    SHA1_R3(a, b, c, d, e, 55);
    SHA1_R3(e, a, b, c, d, 56);
    SHA1_R3(d, e, a, b, c, 57);
    SHA1_R3(c, d, e, a, b, 58);
    SHA1_R3(b, c, d, e, a, 59);

    SHA1_R4(a, b, c, d, e, 60);
    SHA1_R4(e, a, b, c, d, 61);
    SHA1_R4(d, e, a, b, c, 62);
    SHA1_R4(c, d, e, a, b, 63);
    SHA1_R4(b, c, d, e, a, 64);
    SHA1_R4(a, b, c, d, e, 65);
    SHA1_R4(e, a, b, c, d, 66);
    SHA1_R4(d, e, a, b, c, 67);
    SHA1_R4(c, d, e, a, b, 68);
    SHA1_R4(b, c, d, e, a, 69);
    SHA1_R4(a, b, c, d, e, 70);
    SHA1_R4(e, a, b, c, d, 71);
    SHA1_R4(d, e, a, b, c, 72);
    SHA1_R4(c, d, e, a, b, 73);
    SHA1_R4(b, c, d, e, a, 74);
    SHA1_R4(a, b, c, d, e, 75);
    SHA1_R4(e, a, b, c, d, 76);
    SHA1_R4(d, e, a, b, c, 77);
    SHA1_R4(c, d, e, a, b, 78);
    SHA1_R4(b, c, d, e, a, 79);

    out[0] = state[0] + a;
    out[1] = state[1] + b;
    out[2] = state[2] + c;
    out[3] = state[3] + d;
    out[4] = state[4] + e;
}

#undef SHA1_W
#undef SHA1_R0
#undef SHA1_R1
#undef SHA1_R2
#undef SHA1_R3
#undef SHA1_R4

}  // namespace

void Pbkdf2IteratePortable(const uint32_t innerState[5], const uint32_t outerState[5], int rounds,
                           uint32_t (*t)[5], int blocks) {
    for (int b = 0; b < blocks; ++b) {
        uint32_t u[5] = {t[b][0], t[b][1], t[b][2], t[b][3], t[b][4]};
        uint32_t inner[5];
        uint32_t w[16];
        for (int r = 0; r < rounds; ++r) {
            CompressValue(innerState, u, inner, w);
            CompressValue(outerState, inner, u, w);
            for (int i = 0; i < 5; ++i) t[b][i] ^= u[i];
        }
        SecureWipe(u, sizeof u);
        SecureWipe(inner, sizeof inner);
        SecureWipe(w, sizeof w);
    }
}

}  // namespace corvane::detail

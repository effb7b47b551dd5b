// SHA-1 as FIPS 180-1 defines it: 512-bit blocks, an 80-word message
// schedule, big-endian words and a 64-bit big-endian bit length at the end.
#include <cstring>

#include "crypto/MathFunc.h"
#include "crypto/Wipe.h"

namespace corvane {
namespace {

constexpr uint32_t kInitialH[5] = {0x67452301, 0xEFCDAB89, 0x98BADCFE, 0x10325476, 0xC3D2E1F0};

inline uint32_t Rol(uint32_t x, int n) { return (x << n) | (x >> (32 - n)); }

// Compresses the block held in W[0..15]; expands the schedule in place.
void Compress(A_SHA_CTX* ctx) {
    uint32_t* W = ctx->W;
    for (int t = 16; t < 80; ++t) W[t] = Rol(W[t - 3] ^ W[t - 8] ^ W[t - 14] ^ W[t - 16], 1);

    uint32_t a = ctx->H[0], b = ctx->H[1], c = ctx->H[2], d = ctx->H[3], e = ctx->H[4];
    for (int t = 0; t < 80; ++t) {
        uint32_t f, k;
        if (t < 20) {
            f = (b & c) | (~b & d);
            k = 0x5A827999;
        } else if (t < 40) {
            f = b ^ c ^ d;
            k = 0x6ED9EBA1;
        } else if (t < 60) {
            f = (b & c) | (b & d) | (c & d);
            k = 0x8F1BBCDC;
        } else {
            f = b ^ c ^ d;
            k = 0xCA62C1D6;
        }
        const uint32_t temp = Rol(a, 5) + f + e + W[t] + k;
        e = d;
        d = c;
        c = Rol(b, 30);
        b = a;
        a = temp;
    }
    ctx->H[0] += a;
    ctx->H[1] += b;
    ctx->H[2] += c;
    ctx->H[3] += d;
    ctx->H[4] += e;
}

}  // namespace

void A_SHAInit(A_SHA_CTX* ctx) {
    if (!ctx) return;
    std::memcpy(ctx->H, kInitialH, sizeof ctx->H);
    detail::SecureWipe(ctx->W, sizeof ctx->W);
    ctx->lenW = 0;
    ctx->sizeHi = 0;
    ctx->sizeLo = 0;
}

void A_SHAUpdate(A_SHA_CTX* ctx, const unsigned char* dataIn, int len) {
    if (!ctx || !dataIn || len <= 0) return;

    const uint64_t bits =
        ((uint64_t(ctx->sizeHi) << 32) | ctx->sizeLo) + uint64_t(unsigned(len)) * 8u;
    ctx->sizeHi = uint32_t(bits >> 32);
    ctx->sizeLo = uint32_t(bits);

    int i = 0;
    while (i < len) {
        if (ctx->lenW == 0 && len - i >= 64) {
            // Whole block: load the words directly.
            for (int w = 0; w < 16; ++w, i += 4) {
                ctx->W[w] = uint32_t(dataIn[i]) << 24 | uint32_t(dataIn[i + 1]) << 16 |
                            uint32_t(dataIn[i + 2]) << 8 | uint32_t(dataIn[i + 3]);
            }
            Compress(ctx);
            continue;
        }
        // Four shifts push any older content out of the word.
        uint32_t& word = ctx->W[ctx->lenW / 4];
        word = (word << 8) | dataIn[i++];
        if (++ctx->lenW == 64) {
            Compress(ctx);
            ctx->lenW = 0;
        }
    }
}

void A_SHAFinal(A_SHA_CTX* ctx, unsigned char hashout[A_SHA_DIGEST_LEN]) {
    if (!ctx || !hashout) return;

    unsigned char length[8];
    for (int i = 0; i < 4; ++i) {
        length[i] = uint8_t(ctx->sizeHi >> (24 - 8 * i));
        length[4 + i] = uint8_t(ctx->sizeLo >> (24 - 8 * i));
    }
    const unsigned char pad80 = 0x80, pad00 = 0x00;
    A_SHAUpdate(ctx, &pad80, 1);
    while (ctx->lenW != 56) A_SHAUpdate(ctx, &pad00, 1);
    A_SHAUpdate(ctx, length, 8);

    for (int i = 0; i < A_SHA_DIGEST_LEN; ++i)
        hashout[i] = uint8_t(ctx->H[i / 4] >> (24 - 8 * (i % 4)));
    A_SHAInit(ctx);
}

}  // namespace corvane

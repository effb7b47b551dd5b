// The WPA pre-shared key as IEEE 802.11i derives it from a passphrase:
// PBKDF2 (RFC 2898) with HMAC-SHA1, the SSID as salt, 4096 iterations, two
// 20-byte blocks of which the first 32 bytes are the key.
#include <cstdio>
#include <cstring>

#include "crypto/HmacSha1.h"
#include "crypto/MathFunc.h"
#include "crypto/Pbkdf2Engine.h"
#include "crypto/Wipe.h"

namespace corvane {
namespace detail {
namespace {

constexpr int kPskIterations = 4096;
constexpr int kMaxPassphraseLen = 63;
constexpr int kMaxSsidLen = 32;

// The passphrase must be printable ASCII (bytes 32..127); the first byte
// outside is reported and the block is not derived.
bool PassphraseAccepted(const char* password) {
    for (const char* p = password; *p; ++p) {
        const unsigned char c = static_cast<unsigned char>(*p);
        if (c < 32 || c > 127) {
            std::fputs("Password error!!\n", stderr);
            return false;
        }
    }
    return true;
}

inline uint32_t LoadBe32(const unsigned char* p) {
    return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | uint32_t(p[3]);
}

inline void StoreBe32(unsigned char* p, uint32_t v) {
    p[0] = uint8_t(v >> 24);
    p[1] = uint8_t(v >> 16);
    p[2] = uint8_t(v >> 8);
    p[3] = uint8_t(v);
}

// Derives `blocks` (1 or 2) consecutive PBKDF2 blocks from block index
// `first` on, 20 bytes each, into out.
void DeriveBlocks(Sha1Engine engine, const char* password, const unsigned char* salt, int saltLen,
                  int iterations, uint32_t first, int blocks, unsigned char* out) {
    HmacSha1Ctx keyed;
    HmacSha1Init(&keyed, reinterpret_cast<const unsigned char*>(password),
                 int(std::strlen(password)));

    uint32_t t[kMaxParallelBlocks][5];
    unsigned char digest[A_SHA_DIGEST_LEN];
    for (int b = 0; b < blocks; ++b) {
        HmacSha1Ctx ctx = keyed;
        unsigned char index[4];
        StoreBe32(index, first + uint32_t(b));
        HmacSha1Update(&ctx, salt, saltLen);
        HmacSha1Update(&ctx, index, 4);
        HmacSha1Final(&ctx, digest);
        for (int i = 0; i < 5; ++i) t[b][i] = LoadBe32(digest + 4 * i);
    }

    // The HMAC key enters each iteration only through the chaining states
    // left after the two pad blocks.
    Pbkdf2Iterate(engine, keyed.inner.H, keyed.outer.H, iterations - 1, t, blocks);

    for (int b = 0; b < blocks; ++b) {
        for (int i = 0; i < 5; ++i) StoreBe32(out + 20 * b + 4 * i, t[b][i]);
    }
    SecureWipe(&keyed, sizeof keyed);
    SecureWipe(t, sizeof t);
    SecureWipe(digest, sizeof digest);
}

}  // namespace

void F(Sha1Engine engine, const char* password, const unsigned char* ssid, int ssidlength,
       int iterations, int count, unsigned char output[A_SHA_DIGEST_LEN]) {
    if (!password || !output || ssidlength < 0 || (ssidlength > 0 && !ssid)) return;
    if (!PassphraseAccepted(password)) return;
    DeriveBlocks(engine, password, ssid, ssidlength, iterations, uint32_t(count), 1, output);
}

int PasswordHash(Sha1Engine engine, const char* password, const unsigned char* ssid, int ssidlength,
                 unsigned char output[kPasswordHashOutputLen]) {
    if (!password || !output) return 0;
    if (std::strlen(password) > size_t(kMaxPassphraseLen)) return 0;
    if (ssidlength < 0 || ssidlength > kMaxSsidLen || (ssidlength > 0 && !ssid)) return 0;

    // Both blocks check the passphrase, so a rejected one is reported twice
    // and the caller's buffer keeps its contents.
    if (!PassphraseAccepted(password)) {
        PassphraseAccepted(password);
        return 1;
    }
    // Blocks 1 and 2 are independent and are derived side by side.
    DeriveBlocks(engine, password, ssid, ssidlength, kPskIterations, 1, 2, output);
    return 1;
}

}  // namespace detail

void F(const char* password, const unsigned char* ssid, int ssidlength, int iterations, int count,
       unsigned char output[A_SHA_DIGEST_LEN]) {
    detail::F(detail::DefaultSha1Engine(), password, ssid, ssidlength, iterations, count, output);
}

int PasswordHash(const char* password, const unsigned char* ssid, int ssidlength,
                 unsigned char output[kPasswordHashOutputLen]) {
    return detail::PasswordHash(detail::DefaultSha1Engine(), password, ssid, ssidlength, output);
}

}  // namespace corvane

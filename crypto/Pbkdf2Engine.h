// The inner loop of PBKDF2-HMAC-SHA1 on 20-byte values, with two
// interchangeable engines: portable C++ and the x86 SHA extensions. Internal
// to the crypto library; tests use it to check both engines.
#pragma once

#include <cstdint>

// The SHA-extension engine is built on x86 unless a portable-only build is
// asked for with CORVANE_CRYPTO_PORTABLE_ONLY.
#if (defined(__x86_64__) || defined(__i386__)) && !defined(CORVANE_CRYPTO_PORTABLE_ONLY)
#define CORVANE_CRYPTO_HAVE_SHANI 1
#else
#define CORVANE_CRYPTO_HAVE_SHANI 0
#endif

namespace corvane::detail {

enum class Sha1Engine { Portable, ShaNi };

// True when this processor has the SHA extensions (and SSE4.1, which the
// engine also uses). Always false on other architectures.
bool ShaNiSupported();

// The fastest engine this processor runs.
Sha1Engine DefaultSha1Engine();

// The most blocks one call to Pbkdf2Iterate works on side by side.
inline constexpr int kMaxParallelBlocks = 2;

// For each of `blocks` independent PBKDF2 blocks, t[b] holds U1 on entry as
// five big-endian-read words; runs `rounds` more iterations
// (U = HMAC(U), T ^= U) with the HMAC keyed by the chaining states left
// after the inner and outer pad blocks, and leaves T in t[b].
void Pbkdf2Iterate(Sha1Engine engine, const uint32_t innerState[5], const uint32_t outerState[5],
                   int rounds, uint32_t (*t)[5], int blocks);

void Pbkdf2IteratePortable(const uint32_t innerState[5], const uint32_t outerState[5], int rounds,
                           uint32_t (*t)[5], int blocks);
// Only to be called when ShaNiSupported().
void Pbkdf2IterateShaNi(const uint32_t innerState[5], const uint32_t outerState[5], int rounds,
                        uint32_t (*t)[5], int blocks);

// The passphrase-to-key functions of MathFunc.h on a chosen engine.
void F(Sha1Engine engine, const char* password, const unsigned char* ssid, int ssidlength,
       int iterations, int count, unsigned char output[20]);
int PasswordHash(Sha1Engine engine, const char* password, const unsigned char* ssid, int ssidlength,
                 unsigned char output[40]);

}  // namespace corvane::detail

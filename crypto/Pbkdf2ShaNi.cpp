// PBKDF2-HMAC-SHA1 iterations (RFC 2898) on the x86 SHA extensions: the
// FIPS 180-1 compression with sha1rnds4/sha1nexte/sha1msg1/sha1msg2. The
// 20-byte value never leaves the vector registers between iterations, and
// two blocks run side by side so that one chain's latency hides the other's.
//
// Only this file is built for the SHA extensions (per function), so the
// library still runs on baseline x86-64; callers check ShaNiSupported().
#include "crypto/Pbkdf2Engine.h"

#if CORVANE_CRYPTO_HAVE_SHANI

#include <immintrin.h>

#define CORVANE_SHA_TARGET __attribute__((target("sha,sse4.1")))

namespace corvane::detail {
namespace {

// One SHA-1 computation in flight. Vectors hold words with the first word in
// the highest lane, the order the SHA instructions use: abcd = {A,B,C,D},
// e = {E,0,0,0}, w[k] = four message words.
struct Chain {
    __m128i abcd, e;
    __m128i abcdSave, eSave, prev;
    __m128i w[4];
};

// Four rounds, i = 0..19, with round function f = i / 5.
#define SHA1NI_GROUP(c, i, f)                                                                \
    do {                                                                                     \
        if constexpr ((i) >= 4) {                                                            \
            c.w[(i)&3] = _mm_sha1msg2_epu32(                                                 \
                _mm_xor_si128(_mm_sha1msg1_epu32(c.w[(i)&3], c.w[((i) + 1) & 3]),            \
                              c.w[((i) + 2) & 3]),                                           \
                c.w[((i) + 3) & 3]);                                                         \
        }                                                                                    \
        const __m128i ee =                                                                   \
            (i) == 0 ? _mm_add_epi32(c.e, c.w[0]) : _mm_sha1nexte_epu32(c.prev, c.w[(i)&3]); \
        c.prev = c.abcd;                                                                     \
        c.abcd = _mm_sha1rnds4_epu32(c.abcd, ee, f);                                         \
    } while (0)

#define SHA1NI_STEP(i, f)                             \
    do {                                              \
        SHA1NI_GROUP(c0, i, f);                       \
        if constexpr (N == 2) SHA1NI_GROUP(c1, i, f); \
    } while (0)

CORVANE_SHA_TARGET inline __attribute__((always_inline)) void Begin(Chain& c) {
    c.abcdSave = c.abcd;
    c.eSave = c.e;
    c.prev = c.abcd;
}

CORVANE_SHA_TARGET inline __attribute__((always_inline)) void End(Chain& c) {
    c.e = _mm_sha1nexte_epu32(c.prev, c.eSave);
    c.abcd = _mm_add_epi32(c.abcd, c.abcdSave);
}

// Compresses each chain's block; c1 is ignored when N == 1.
template <int N>
CORVANE_SHA_TARGET inline __attribute__((always_inline)) void Compress(Chain& c0, Chain& c1) {
    Begin(c0);
    if constexpr (N == 2) Begin(c1);
    SHA1NI_STEP(0, 0);
    SHA1NI_STEP(1, 0);
    SHA1NI_STEP(2, 0);
    SHA1NI_STEP(3, 0);
    SHA1NI_STEP(4, 0);
    SHA1NI_STEP(5, 1);
    SHA1NI_STEP(6, 1);
    SHA1NI_STEP(7, 1);
    SHA1NI_STEP(8, 1);
    SHA1NI_STEP(9, 1);
    SHA1NI_STEP(10, 2);
    SHA1NI_STEP(11, 2);
    SHA1NI_STEP(12, 2);
    SHA1NI_STEP(13, 2);
    SHA1NI_STEP(14, 2);
    SHA1NI_STEP(15, 3);
    SHA1NI_STEP(16, 3);
    SHA1NI_STEP(17, 3);
    SHA1NI_STEP(18, 3);
    SHA1NI_STEP(19, 3);
    End(c0);
    if constexpr (N == 2) End(c1);
}

#undef SHA1NI_STEP
#undef SHA1NI_GROUP

// Loads the chain with `state` and the one-block message HMAC makes of the
// 20-byte value (abcd, e): the value, 0x80000000, zeros, the bit length of
// one pad block plus 20 bytes.
CORVANE_SHA_TARGET inline __attribute__((always_inline)) void Load(Chain& c, __m128i stateAbcd,
                                                                   __m128i stateE, __m128i abcd,
                                                                   __m128i e) {
    c.abcd = stateAbcd;
    c.e = stateE;
    c.w[0] = abcd;
    c.w[1] = _mm_or_si128(e, _mm_set_epi32(0, int(0x80000000u), 0, 0));
    c.w[2] = _mm_setzero_si128();
    c.w[3] = _mm_set_epi32(0, 0, 0, (64 + 20) * 8);
}

CORVANE_SHA_TARGET inline __m128i AbcdOf(const uint32_t s[5]) {
    return _mm_set_epi32(int(s[0]), int(s[1]), int(s[2]), int(s[3]));
}
CORVANE_SHA_TARGET inline __m128i EOf(const uint32_t s[5]) {
    return _mm_set_epi32(int(s[4]), 0, 0, 0);
}

CORVANE_SHA_TARGET inline void Store(__m128i abcd, __m128i e, uint32_t s[5]) {
    s[0] = uint32_t(_mm_extract_epi32(abcd, 3));
    s[1] = uint32_t(_mm_extract_epi32(abcd, 2));
    s[2] = uint32_t(_mm_extract_epi32(abcd, 1));
    s[3] = uint32_t(_mm_extract_epi32(abcd, 0));
    s[4] = uint32_t(_mm_extract_epi32(e, 3));
}

template <int N>
CORVANE_SHA_TARGET void Iterate(const uint32_t innerState[5], const uint32_t outerState[5],
                                int rounds, uint32_t (*t)[5]) {
    const __m128i innerAbcd = AbcdOf(innerState), innerE = EOf(innerState);
    const __m128i outerAbcd = AbcdOf(outerState), outerE = EOf(outerState);

    // U and T of each block; chain c1 and block 1 are idle when N == 1.
    __m128i uAbcd[2], uE[2], tAbcd[2], tE[2];
    for (int b = 0; b < 2; ++b) {
        const int src = b < N ? b : 0;
        uAbcd[b] = tAbcd[b] = AbcdOf(t[src]);
        uE[b] = tE[b] = EOf(t[src]);
    }

    Chain c0, c1;
    for (int r = 0; r < rounds; ++r) {
        Load(c0, innerAbcd, innerE, uAbcd[0], uE[0]);
        if constexpr (N == 2) Load(c1, innerAbcd, innerE, uAbcd[1], uE[1]);
        Compress<N>(c0, c1);
        Load(c0, outerAbcd, outerE, c0.abcd, c0.e);
        if constexpr (N == 2) Load(c1, outerAbcd, outerE, c1.abcd, c1.e);
        Compress<N>(c0, c1);
        uAbcd[0] = c0.abcd;
        uE[0] = c0.e;
        tAbcd[0] = _mm_xor_si128(tAbcd[0], uAbcd[0]);
        tE[0] = _mm_xor_si128(tE[0], uE[0]);
        if constexpr (N == 2) {
            uAbcd[1] = c1.abcd;
            uE[1] = c1.e;
            tAbcd[1] = _mm_xor_si128(tAbcd[1], uAbcd[1]);
            tE[1] = _mm_xor_si128(tE[1], uE[1]);
        }
    }
    for (int b = 0; b < N; ++b) Store(tAbcd[b], tE[b], t[b]);
    // The vector registers are not wiped; stack copies are overwritten here.
    const __m128i zero = _mm_setzero_si128();
    c0 = Chain{zero, zero, zero, zero, zero, {zero, zero, zero, zero}};
    c1 = c0;
    asm volatile("" : : "m"(c0), "m"(c1) : "memory");
}

}  // namespace

void Pbkdf2IterateShaNi(const uint32_t innerState[5], const uint32_t outerState[5], int rounds,
                        uint32_t (*t)[5], int blocks) {
    while (blocks > 0) {
        if (blocks >= 2) {
            Iterate<2>(innerState, outerState, rounds, t);
            t += 2;
            blocks -= 2;
        } else {
            Iterate<1>(innerState, outerState, rounds, t);
            t += 1;
            blocks -= 1;
        }
    }
}

}  // namespace corvane::detail

#else

namespace corvane::detail {

// Not an x86 build: the portable engine stands in (ShaNiSupported() is false).
void Pbkdf2IterateShaNi(const uint32_t innerState[5], const uint32_t outerState[5], int rounds,
                        uint32_t (*t)[5], int blocks) {
    Pbkdf2IteratePortable(innerState, outerState, rounds, t, blocks);
}

}  // namespace corvane::detail

#endif

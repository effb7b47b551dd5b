#include <gtest/gtest.h>
#include <openssl/evp.h>
#include <openssl/hmac.h>

#include <random>

#include "CryptoTestUtil.h"
#include "crypto/HmacSha1.h"
#include "crypto/MathFunc.h"

namespace corvane {
namespace {

using test::Bytes;

Bytes Repeat(uint8_t b, size_t n) { return Bytes(n, b); }

Bytes Counting(uint8_t from, uint8_t to) {
    Bytes b;
    for (unsigned v = from; v <= to; ++v) b.push_back(uint8_t(v));
    return b;
}

struct HmacRow {
    const char* name;
    Bytes key;
    Bytes data;
    const char* digest;
};

// RFC 2202, section 3; cases 6 and 7 use an 80-byte key, hashed first.
std::vector<HmacRow> Rfc2202() {
    return {
        {"1", Repeat(0x0b, 20), test::AsBytes("Hi There"),
         "b617318655057264e28bc0b6fb378c8ef146be00"},
        {"2", test::AsBytes("Jefe"), test::AsBytes("what do ya want for nothing?"),
         "effcdf6ae5eb2fa2d27416d5f184df9c259a7c79"},
        {"3", Repeat(0xaa, 20), Repeat(0xdd, 50), "125d7342b9ac11cd91a39af48aa17b4f63f175d3"},
        {"4", Counting(0x01, 0x19), Repeat(0xcd, 50), "4c9007f4026250c6bc8414f9bf50c86c2d7235da"},
        {"5", Repeat(0x0c, 20), test::AsBytes("Test With Truncation"),
         "4c1a03424b55e07fe7f27be1d58bb9324a9a5a04"},
        {"6", Repeat(0xaa, 80),
         test::AsBytes("Test Using Larger Than Block-Size Key - Hash Key First"),
         "aa4ae5e15272d00e95705637ce8a3b55ed402112"},
        {"7", Repeat(0xaa, 80),
         test::AsBytes("Test Using Larger Than Block-Size Key and Larger Than One Block-Size Data"),
         "e8e99d0f45237d786d6bbaa7965c7808bbff1a91"},
    };
}

TEST(HmacSha1, Rfc2202Vectors) {
    for (const HmacRow& row : Rfc2202()) {
        SCOPED_TRACE(std::string("case ") + row.name);
        unsigned char digest[A_SHA_DIGEST_LEN];
        hmac_sha1(row.data.data(), int(row.data.size()), row.key.data(), int(row.key.size()),
                  digest);
        EXPECT_EQ(test::ToHex(digest, sizeof digest), row.digest);
    }
}

// The keyed state takes the message in pieces; every split gives the tag.
TEST(HmacSha1, PiecesEqualOneCall) {
    for (const HmacRow& row : Rfc2202()) {
        for (size_t split = 0; split <= row.data.size(); split += 7) {
            detail::HmacSha1Ctx ctx;
            detail::HmacSha1Init(&ctx, row.key.data(), int(row.key.size()));
            detail::HmacSha1Update(&ctx, row.data.data(), int(split));
            detail::HmacSha1Update(&ctx, row.data.data() + split, int(row.data.size() - split));
            unsigned char digest[A_SHA_DIGEST_LEN];
            detail::HmacSha1Final(&ctx, digest);
            EXPECT_EQ(test::ToHex(digest, sizeof digest), row.digest)
                << "case " << row.name << " split " << split;
        }
    }
}

// Key lengths on both sides of the 64-byte block (a longer key is hashed
// first) agree with OpenSSL.
TEST(HmacSha1, KeyLengthsAgreeWithReference) {
    std::mt19937 rng(2104);
    for (size_t keyLen : {0, 1, 20, 63, 64, 65, 100, 129}) {
        const Bytes key = test::RandomBytes(rng, keyLen);
        const Bytes data = test::RandomBytes(rng, keyLen * 3 + 1);
        unsigned char ours[A_SHA_DIGEST_LEN], theirs[EVP_MAX_MD_SIZE];
        unsigned theirsLen = 0;
        hmac_sha1(data.data(), int(data.size()), key.data(), int(key.size()), ours);
        ASSERT_NE(HMAC(EVP_sha1(), key.data(), int(key.size()), data.data(), data.size(), theirs,
                       &theirsLen),
                  nullptr);
        EXPECT_EQ(test::ToHex(ours, 20), test::ToHex(theirs, theirsLen)) << "key length " << keyLen;
    }
}

}  // namespace
}  // namespace corvane

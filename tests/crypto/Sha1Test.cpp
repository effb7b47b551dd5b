// SHA-1 and HMAC-SHA1.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "CryptoTestUtil.h"
#include "crypto/HmacSha1.h"
#include "crypto/MathFunc.h"

namespace corvane {
namespace {

using test::AsBytes;
using test::Bytes;
using test::ToHex;

std::string Sha1Hex(const Bytes& data) {
    A_SHA_CTX ctx;
    A_SHAInit(&ctx);
    A_SHAUpdate(&ctx, data.data(), int(data.size()));
    unsigned char digest[A_SHA_DIGEST_LEN];
    A_SHAFinal(&ctx, digest);
    return ToHex(digest, sizeof digest);
}

TEST(Sha1, Fips180Vectors) {
    const struct {
        Bytes message;
        const char* digest;
    } rows[] = {
        {AsBytes("abc"), "a9993e364706816aba3e25717850c26c9cd0d89d"},
        {AsBytes("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq"),
         "84983e441c3bd26ebaae4aa1f95129e5e54670f1"},
        {Bytes(1000000, 'a'), "34aa973cd4c4daa4f61eeb2bdbad27316534016f"},
        {Bytes{}, "da39a3ee5e6b4b0d3255bfef95601890afd80709"},
    };
    for (const auto& row : rows) EXPECT_EQ(Sha1Hex(row.message), row.digest) << &row - rows;
}

// Lengths around the padding boundaries (55/56/64 bytes) in pieces of
// random sizes must give the digest of one call.
TEST(Sha1, PiecesEqualOneCall) {
    std::mt19937 rng(2202);
    for (size_t len : {0, 1, 55, 56, 57, 63, 64, 65, 119, 120, 128, 1000, 4099}) {
        Bytes data(len);
        for (uint8_t& b : data) b = uint8_t(rng());
        for (int trial = 0; trial < 8; ++trial) {
            A_SHA_CTX ctx;
            A_SHAInit(&ctx);
            for (size_t at = 0, n = 0; at < len; at += n) {
                n = std::uniform_int_distribution<size_t>(0, std::min<size_t>(len - at, 130))(rng);
                A_SHAUpdate(&ctx, data.data() + at, int(n));
            }
            unsigned char digest[A_SHA_DIGEST_LEN];
            A_SHAFinal(&ctx, digest);
            ASSERT_EQ(ToHex(digest, sizeof digest), Sha1Hex(data)) << "length " << len;
        }
    }
}

// The NIST CAVP byte-oriented message files ("Len = bits", "Msg = hex",
// "MD = hex"), where the python3-cryptography-vectors package is installed.
TEST(Sha1, CavpMessages) {
    const std::filesystem::path dir =
        "/usr/lib/python3/dist-packages/cryptography_vectors/hashes/SHA1";
    if (!std::filesystem::is_directory(dir)) GTEST_SKIP() << "no CAVP vectors at " << dir;
    for (const char* name : {"SHA1ShortMsg.rsp", "SHA1LongMsg.rsp"}) {
        std::ifstream in(dir / name);
        ASSERT_TRUE(in) << name;
        std::string line, msg;
        size_t bits = 0;
        int checked = 0;
        while (std::getline(in, line)) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            if (line.rfind("Len = ", 0) == 0) bits = std::stoul(line.substr(6));
            if (line.rfind("Msg = ", 0) == 0) msg = line.substr(6);
            if (line.rfind("MD = ", 0) != 0) continue;
            Bytes data(bits / 8);
            for (size_t i = 0; i < data.size(); ++i)
                data[i] = uint8_t(std::stoul(msg.substr(2 * i, 2), nullptr, 16));
            EXPECT_EQ(Sha1Hex(data), line.substr(5)) << name << " Len = " << bits;
            ++checked;
        }
        EXPECT_GT(checked, 60) << name;
    }
}

// RFC 2202, section 3, through the one-call function and through the keyed
// state with the message split anywhere; cases 6 and 7 use an 80-byte key,
// hashed first.
TEST(HmacSha1, Rfc2202Vectors) {
    Bytes counting(25);
    for (size_t i = 0; i < counting.size(); ++i) counting[i] = uint8_t(i + 1);
    const struct {
        Bytes key, data;
        const char* digest;
    } rows[] = {
        {Bytes(20, 0x0b), AsBytes("Hi There"), "b617318655057264e28bc0b6fb378c8ef146be00"},
        {AsBytes("Jefe"), AsBytes("what do ya want for nothing?"),
         "effcdf6ae5eb2fa2d27416d5f184df9c259a7c79"},
        {Bytes(20, 0xaa), Bytes(50, 0xdd), "125d7342b9ac11cd91a39af48aa17b4f63f175d3"},
        {counting, Bytes(50, 0xcd), "4c9007f4026250c6bc8414f9bf50c86c2d7235da"},
        {Bytes(20, 0x0c), AsBytes("Test With Truncation"),
         "4c1a03424b55e07fe7f27be1d58bb9324a9a5a04"},
        {Bytes(80, 0xaa), AsBytes("Test Using Larger Than Block-Size Key - Hash Key First"),
         "aa4ae5e15272d00e95705637ce8a3b55ed402112"},
        {Bytes(80, 0xaa),
         AsBytes("Test Using Larger Than Block-Size Key and Larger Than One Block-Size Data"),
         "e8e99d0f45237d786d6bbaa7965c7808bbff1a91"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(&row - rows + 1);
        unsigned char digest[A_SHA_DIGEST_LEN];
        hmac_sha1(row.data.data(), int(row.data.size()), row.key.data(), int(row.key.size()),
                  digest);
        EXPECT_EQ(ToHex(digest, sizeof digest), row.digest);
        for (size_t split = 0; split <= row.data.size(); split += 7) {
            detail::HmacSha1Ctx ctx;
            detail::HmacSha1Init(&ctx, row.key.data(), int(row.key.size()));
            detail::HmacSha1Update(&ctx, row.data.data(), int(split));
            detail::HmacSha1Update(&ctx, row.data.data() + split, int(row.data.size() - split));
            detail::HmacSha1Final(&ctx, digest);
            EXPECT_EQ(ToHex(digest, sizeof digest), row.digest) << "split " << split;
        }
    }
}

}  // namespace
}  // namespace corvane

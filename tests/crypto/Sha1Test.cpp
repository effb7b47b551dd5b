#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "CryptoTestUtil.h"
#include "crypto/MathFunc.h"

namespace corvane {
namespace {

using test::Bytes;
using test::FromHex;
using test::ToHex;

const std::filesystem::path kCavpDir =
    "/usr/lib/python3/dist-packages/cryptography_vectors/hashes/SHA1";

std::string Sha1Hex(const Bytes& data) {
    A_SHA_CTX ctx;
    A_SHAInit(&ctx);
    A_SHAUpdate(&ctx, data.data(), int(data.size()));
    unsigned char digest[A_SHA_DIGEST_LEN];
    A_SHAFinal(&ctx, digest);
    return ToHex(digest, sizeof digest);
}

TEST(Sha1, Fips180Vectors) {
    struct Row {
        const char* name;
        Bytes message;
        const char* digest;
    };
    const Row rows[] = {
        {"abc", test::AsBytes("abc"), "a9993e364706816aba3e25717850c26c9cd0d89d"},
        {"448-bit", test::AsBytes("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq"),
         "84983e441c3bd26ebaae4aa1f95129e5e54670f1"},
        {"million a", Bytes(1000000, 'a'), "34aa973cd4c4daa4f61eeb2bdbad27316534016f"},
        {"empty", Bytes{}, "da39a3ee5e6b4b0d3255bfef95601890afd80709"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(Sha1Hex(row.message), row.digest);
    }
}

// Lengths around the padding boundaries (55/56/64 bytes) in pieces of
// random sizes must give the digest of one call.
TEST(Sha1, PiecesEqualOneCall) {
    std::mt19937 rng(2202);
    for (size_t len : {0, 1, 55, 56, 57, 63, 64, 65, 119, 120, 128, 1000, 4099}) {
        const Bytes data = test::RandomBytes(rng, len);
        for (int trial = 0; trial < 8; ++trial) {
            A_SHA_CTX ctx;
            A_SHAInit(&ctx);
            size_t at = 0;
            while (at < len) {
                std::uniform_int_distribution<size_t> piece(0, std::min<size_t>(len - at, 130));
                const size_t n = piece(rng);
                A_SHAUpdate(&ctx, data.data() + at, int(n));
                at += n;
            }
            unsigned char digest[A_SHA_DIGEST_LEN];
            A_SHAFinal(&ctx, digest);
            ASSERT_EQ(ToHex(digest, sizeof digest), Sha1Hex(data)) << "length " << len;
        }
    }
}

TEST(Sha1, FinalResetsStateAndBadLengthsAbsorbNothing) {
    A_SHA_CTX ctx;
    A_SHAInit(&ctx);
    const unsigned char abc[] = {'a', 'b', 'c'};
    unsigned char first[A_SHA_DIGEST_LEN], second[A_SHA_DIGEST_LEN];
    A_SHAUpdate(&ctx, abc, 3);
    A_SHAFinal(&ctx, first);
    // No A_SHAInit in between: Final left the initial state behind.
    A_SHAUpdate(&ctx, abc, -5);
    A_SHAUpdate(&ctx, nullptr, 7);
    A_SHAUpdate(&ctx, abc, 0);
    A_SHAUpdate(&ctx, abc, 3);
    A_SHAFinal(&ctx, second);
    EXPECT_EQ(ToHex(first, 20), "a9993e364706816aba3e25717850c26c9cd0d89d");
    EXPECT_EQ(ToHex(second, 20), ToHex(first, 20));
}

// NIST CAVP byte-oriented message files: "Len = bits", "Msg = hex", "MD = hex".
void RunCavpFile(const std::filesystem::path& file) {
    std::ifstream in(file);
    ASSERT_TRUE(in) << file;
    std::string line, msg;
    long bits = -1;
    int checked = 0;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.rfind("Len = ", 0) == 0) {
            bits = std::stol(line.substr(6));
        } else if (line.rfind("Msg = ", 0) == 0) {
            msg = line.substr(6);
        } else if (line.rfind("MD = ", 0) == 0) {
            ASSERT_GE(bits, 0);
            Bytes data = FromHex(msg);
            data.resize(size_t(bits / 8));
            EXPECT_EQ(Sha1Hex(data), line.substr(5)) << file.filename() << " Len = " << bits;
            ++checked;
            bits = -1;
        }
    }
    EXPECT_GT(checked, 60);
}

TEST(Sha1, CavpShortMessages) {
    if (!std::filesystem::is_directory(kCavpDir)) GTEST_SKIP() << "no CAVP vectors at " << kCavpDir;
    RunCavpFile(kCavpDir / "SHA1ShortMsg.rsp");
}

TEST(Sha1, CavpLongMessages) {
    if (!std::filesystem::is_directory(kCavpDir)) GTEST_SKIP() << "no CAVP vectors at " << kCavpDir;
    RunCavpFile(kCavpDir / "SHA1LongMsg.rsp");
}

}  // namespace
}  // namespace corvane

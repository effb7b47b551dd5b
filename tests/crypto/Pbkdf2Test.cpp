#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "CryptoTestUtil.h"
#include "crypto/MathFunc.h"
#include "crypto/Pbkdf2Engine.h"

namespace corvane {
namespace {

using detail::Sha1Engine;
using test::Bytes;
using test::ToHex;

constexpr char kPasswordError[] = "Password error!!\n";

int CountOccurrences(const std::string& text, const std::string& what) {
    int n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

const char* EngineName(const testing::TestParamInfo<Sha1Engine>& info) {
    return info.param == Sha1Engine::ShaNi ? "ShaNi" : "Portable";
}

// Every derivation test runs on both engines; the SHA extensions only where
// this processor has them.
class Pbkdf2 : public testing::TestWithParam<Sha1Engine> {
  protected:
    void SetUp() override {
        if (GetParam() == Sha1Engine::ShaNi && !detail::ShaNiSupported()) {
            GTEST_SKIP() << "this processor has no SHA extensions";
        }
    }

    Bytes Psk(const std::string& password, const std::string& ssid) {
        Bytes out(kPasswordHashOutputLen, 0);
        const int rc = detail::PasswordHash(GetParam(), password.c_str(),
                                            reinterpret_cast<const unsigned char*>(ssid.data()),
                                            int(ssid.size()), out.data());
        EXPECT_EQ(rc, 1);
        out.resize(kPmkLen);
        return out;
    }
};

INSTANTIATE_TEST_SUITE_P(Engines, Pbkdf2, testing::Values(Sha1Engine::Portable, Sha1Engine::ShaNi),
                         EngineName);

// RFC 6070 through one block of F. Not here: the 16 777 216-iteration case
// (too slow for a unit test) and "pass\0word"/"sa\0lt", whose passphrase
// cannot pass through a C string.
TEST_P(Pbkdf2, Rfc6070Vectors) {
    struct Row {
        const char* password;
        const char* salt;
        int iterations;
        int block;
        const char* expected;  // the block's 20 bytes, or its first bytes
    };
    const Row rows[] = {
        {"password", "salt", 1, 1, "0c60c80f961f0e71f3a9b524af6012062fe037a6"},
        {"password", "salt", 2, 1, "ea6c014dc72d6f8ccd1ed92ace1d41f0d8de8957"},
        {"password", "salt", 4096, 1, "4b007901b765489abead49d926f721d065a429c1"},
        {"passwordPASSWORDpassword", "saltSALTsaltSALTsaltSALTsaltSALTsalt", 4096, 1,
         "3d2eec4fe41c849b80c8d83662c0e44a8b291a96"},
        {"passwordPASSWORDpassword", "saltSALTsaltSALTsaltSALTsaltSALTsalt", 4096, 2, "4cf2f07038"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.password) + "/" + row.salt + " c=" +
                     std::to_string(row.iterations) + " block " + std::to_string(row.block));
        unsigned char out[A_SHA_DIGEST_LEN];
        detail::F(GetParam(), row.password, reinterpret_cast<const unsigned char*>(row.salt),
                  int(std::strlen(row.salt)), row.iterations, row.block, out);
        EXPECT_EQ(ToHex(out, sizeof out).substr(0, std::strlen(row.expected)), row.expected);
    }
}

// The passphrase/SSID cases published with IEEE 802.11i (its annex H.4).
TEST_P(Pbkdf2, Ieee80211iVectors) {
    struct Row {
        const char* password;
        const char* ssid;
        const char* psk;
    };
    const Row rows[] = {
        {"password", "IEEE", "f42c6fc52df0ebef9ebb4b90b38a5f902e83fe1b135a70e23aed762e9710a12e"},
        {"ThisIsAPassword", "ThisIsASSID",
         "0dc0d6eb90555ed6419756b9a15ec3e3209b63df707dd508d14581f8982721af"},
        {"aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa", "ZZZZZZZZZZZZZZZZZZZZZZZZZZZZZZZZ",
         "becb93866bb8c3832cb777c2f559807c8c59afcb6eae734885001300a981cc62"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.ssid);
        const Bytes psk = Psk(row.password, row.ssid);
        EXPECT_EQ(ToHex(psk), row.psk);
        EXPECT_EQ(psk, test::ReferencePbkdf2(row.password, test::AsBytes(row.ssid), 4096, kPmkLen));
    }
}

// Random printable passphrases of every allowed length and random SSID
// bytes (including empty): all 40 bytes agree with OpenSSL.
TEST_P(Pbkdf2, RandomInputsAgreeWithReference) {
    std::mt19937 rng(6070);
    for (int trial = 0; trial < 12; ++trial) {
        const size_t passLen = trial == 0 ? 63 : std::uniform_int_distribution<size_t>(0, 63)(rng);
        const size_t ssidLen = trial == 1 ? 0 : std::uniform_int_distribution<size_t>(0, 32)(rng);
        const std::string password = test::RandomPrintable(rng, passLen);
        const Bytes ssid = test::RandomBytes(rng, ssidLen);
        Bytes out(kPasswordHashOutputLen, 0);
        ASSERT_EQ(detail::PasswordHash(GetParam(), password.c_str(), ssid.data(), int(ssid.size()),
                                       out.data()),
                  1);
        EXPECT_EQ(out, test::ReferencePbkdf2(password, ssid, 4096, kPasswordHashOutputLen))
            << "passphrase '" << password << "', SSID " << ToHex(ssid);
    }
}

// F on its own takes what PasswordHash refuses: a passphrase longer than the
// HMAC block (hashed first), a long salt, any iteration count and block.
TEST_P(Pbkdf2, BlockFunctionAgreesWithReference) {
    std::mt19937 rng(2898);
    for (int iterations : {1, 2, 3, 17}) {
        for (size_t passLen : {1, 64, 65, 100}) {
            const std::string password = test::RandomPrintable(rng, passLen);
            const Bytes salt = test::RandomBytes(rng, 70);
            const Bytes expected = test::ReferencePbkdf2(password, salt, iterations, 60);
            for (int block = 1; block <= 3; ++block) {
                unsigned char out[A_SHA_DIGEST_LEN];
                detail::F(GetParam(), password.c_str(), salt.data(), int(salt.size()), iterations,
                          block, out);
                EXPECT_EQ(ToHex(out, 20), ToHex(expected.data() + 20 * (block - 1), 20))
                    << "c=" << iterations << " passphrase length " << passLen << " block " << block;
            }
        }
    }
}

TEST_P(Pbkdf2, AgreesWithWpaPassphrase) {
    if (!test::HaveWpaPassphrase()) GTEST_SKIP() << "wpa_passphrase is not installed";
    std::mt19937 rng(80211);
    for (int trial = 0; trial < 4; ++trial) {
        const std::string password = test::RandomAlnum(rng, 8 + size_t(trial) * 18);
        const std::string ssid = test::RandomAlnum(rng, 1 + size_t(trial) * 10);
        const auto psk = test::WpaPassphrasePsk(ssid, password);
        ASSERT_TRUE(psk.has_value());
        EXPECT_EQ(ToHex(Psk(password, ssid)), *psk) << password << " / " << ssid;
    }
}

// Limits and rejected passphrases. "Untouched" means the caller's buffer
// keeps what it held; a rejected byte is reported once per block.
TEST_P(Pbkdf2, InputLimits) {
    struct Row {
        const char* name;
        std::string password;
        Bytes ssid;
        int ssidLength;  // as passed; may differ from ssid.size()
        int result;
        bool derived;
        int errorLines;
    };
    const Bytes ssid32(32, 'S');
    const Bytes ssid33(33, 'S');
    const std::vector<Row> rows = {
        {"63-character passphrase", std::string(63, 'p'), {'n'}, 1, 1, true, 0},
        {"64-character passphrase", std::string(64, 'p'), {'n'}, 1, 0, false, 0},
        {"200-character passphrase", std::string(200, 'p'), {'n'}, 1, 0, false, 0},
        {"32-byte SSID", "passphrase", ssid32, 32, 1, true, 0},
        {"33-byte SSID", "passphrase", ssid33, 33, 0, false, 0},
        {"empty SSID", "passphrase", {}, 0, 1, true, 0},
        {"negative SSID length", "passphrase", {'n'}, -1, 0, false, 0},
        {"space and DEL are allowed", " pass\x7f phrase", {'n'}, 1, 1, true, 0},
        {"tab", "pass\tphrase", {'n'}, 1, 1, false, 2},
        {"line feed", "passphrase\n", {'n'}, 1, 1, false, 2},
        {"byte 0x1F", "\x1fpassphrase", {'n'}, 1, 1, false, 2},
        {"byte 0x80", "pass\x80phrase", {'n'}, 1, 1, false, 2},
        {"byte 0xFF", "passphrase\xff", {'n'}, 1, 1, false, 2},
        {"over-long and bad byte: length wins", std::string(64, '\t'), {'n'}, 1, 0, false, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Bytes out(kPasswordHashOutputLen, 0xA5);
        testing::internal::CaptureStderr();
        const int rc = detail::PasswordHash(GetParam(), row.password.c_str(), row.ssid.data(),
                                            row.ssidLength, out.data());
        const std::string err = testing::internal::GetCapturedStderr();
        EXPECT_EQ(rc, row.result);
        EXPECT_EQ(CountOccurrences(err, kPasswordError), row.errorLines) << err;
        if (row.errorLines) {
            EXPECT_EQ(err.size(), std::strlen(kPasswordError) * size_t(row.errorLines));
        }
        if (row.derived) {
            EXPECT_EQ(out,
                      test::ReferencePbkdf2(row.password, row.ssid, 4096, kPasswordHashOutputLen));
        } else {
            EXPECT_EQ(out, Bytes(kPasswordHashOutputLen, 0xA5));
        }
    }
}

TEST_P(Pbkdf2, BlockFunctionRejectsBadByteOnce) {
    unsigned char out[A_SHA_DIGEST_LEN];
    std::memset(out, 0x5A, sizeof out);
    testing::internal::CaptureStderr();
    detail::F(GetParam(), "pass\tword", reinterpret_cast<const unsigned char*>("ssid"), 4, 4096, 1,
              out);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), kPasswordError);
    EXPECT_EQ(Bytes(out, out + sizeof out), Bytes(sizeof out, 0x5A));
}

// The engines agree with each other for one and two blocks side by side and
// any number of extra rounds.
TEST(Pbkdf2Engines, AgreeOnRandomStates) {
    if (!detail::ShaNiSupported()) GTEST_SKIP() << "this processor has no SHA extensions";
    std::mt19937 rng(1801);
    std::uniform_int_distribution<uint32_t> word;
    for (int rounds : {0, 1, 2, 5, 64}) {
        for (int blocks : {1, 2}) {
            uint32_t inner[5], outer[5], a[2][5], b[2][5];
            for (int i = 0; i < 5; ++i) {
                inner[i] = word(rng);
                outer[i] = word(rng);
                for (int k = 0; k < 2; ++k) a[k][i] = b[k][i] = word(rng);
            }
            detail::Pbkdf2Iterate(Sha1Engine::Portable, inner, outer, rounds, a, blocks);
            detail::Pbkdf2Iterate(Sha1Engine::ShaNi, inner, outer, rounds, b, blocks);
            EXPECT_EQ(0, std::memcmp(a, b, sizeof a))
                << rounds << " rounds, " << blocks << " blocks";
        }
    }
}

// The public functions take the fastest engine and give the same keys.
TEST(Pbkdf2Public, MatchesEngineResults) {
    unsigned char viaPublic[kPasswordHashOutputLen], viaPortable[kPasswordHashOutputLen];
    const unsigned char ssid[] = "IEEE";
    ASSERT_EQ(PasswordHash("password", ssid, 4, viaPublic), 1);
    ASSERT_EQ(detail::PasswordHash(Sha1Engine::Portable, "password", ssid, 4, viaPortable), 1);
    EXPECT_EQ(ToHex(viaPublic, sizeof viaPublic), ToHex(viaPortable, sizeof viaPortable));
    unsigned char block[A_SHA_DIGEST_LEN];
    F("password", ssid, 4, 4096, 2, block);
    EXPECT_EQ(ToHex(block, 20), ToHex(viaPortable + 20, 20));
    EXPECT_EQ(detail::DefaultSha1Engine() == Sha1Engine::ShaNi, detail::ShaNiSupported());
}

}  // namespace
}  // namespace corvane

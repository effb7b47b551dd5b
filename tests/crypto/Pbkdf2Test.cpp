#include <gtest/gtest.h>

#include <cstring>

#include "CryptoTestUtil.h"
#include "crypto/MathFunc.h"
#include "crypto/Pbkdf2Engine.h"

namespace corvane {
namespace {

using detail::Sha1Engine;
using test::ToHex;

const auto* Salt(const std::string& s) { return reinterpret_cast<const unsigned char*>(s.data()); }

// Every derivation test runs on both engines; the SHA extensions only where
// this processor has them.
class Pbkdf2 : public testing::TestWithParam<Sha1Engine> {
protected:
    void SetUp() override {
        if (GetParam() == Sha1Engine::ShaNi && !detail::ShaNiSupported())
            GTEST_SKIP() << "this processor has no SHA extensions";
    }
};

INSTANTIATE_TEST_SUITE_P(Engines, Pbkdf2, testing::Values(Sha1Engine::Portable, Sha1Engine::ShaNi),
                         [](const auto& info) {
                             return info.param == Sha1Engine::ShaNi ? "ShaNi" : "Portable";
                         });

// RFC 6070 through one block of F (not the 16 777 216-iteration case, too
// slow here, nor "pass\0word", which cannot pass through a C string), and
// the passphrase/SSID cases published with IEEE 802.11i (annex H.4) through
// PasswordHash, on this engine and through the public functions.
TEST_P(Pbkdf2, PublishedVectors) {
    const std::string pw = "passwordPASSWORDpassword",
                      salt = "saltSALTsaltSALTsaltSALTsaltSALTsalt";
    const struct {
        std::string password, salt;
        int iterations, block;
        const char* expected;  // the block's 20 bytes, or its first bytes
    } blocks[] = {
        {"password", "salt", 1, 1, "0c60c80f961f0e71f3a9b524af6012062fe037a6"},
        {"password", "salt", 2, 1, "ea6c014dc72d6f8ccd1ed92ace1d41f0d8de8957"},
        {"password", "salt", 4096, 1, "4b007901b765489abead49d926f721d065a429c1"},
        {pw, salt, 4096, 1, "3d2eec4fe41c849b80c8d83662c0e44a8b291a96"},
        {pw, salt, 4096, 2, "4cf2f07038"},
    };
    for (const auto& b : blocks) {
        SCOPED_TRACE(&b - blocks);
        unsigned char out[A_SHA_DIGEST_LEN];
        detail::F(GetParam(), b.password.c_str(), Salt(b.salt), int(b.salt.size()), b.iterations,
                  b.block, out);
        EXPECT_EQ(ToHex(out, sizeof out).substr(0, std::strlen(b.expected)), b.expected);
    }
    const struct {
        std::string password, ssid;
        const char* psk;
    } psks[] = {
        {"password", "IEEE", "f42c6fc52df0ebef9ebb4b90b38a5f902e83fe1b135a70e23aed762e9710a12e"},
        {"ThisIsAPassword", "ThisIsASSID",
         "0dc0d6eb90555ed6419756b9a15ec3e3209b63df707dd508d14581f8982721af"},
        {std::string(32, 'a'), std::string(32, 'Z'),
         "becb93866bb8c3832cb777c2f559807c8c59afcb6eae734885001300a981cc62"},
    };
    for (const auto& p : psks) {
        SCOPED_TRACE(p.ssid);
        unsigned char out[kPasswordHashOutputLen], viaPublic[kPasswordHashOutputLen], block[20];
        const int size = int(p.ssid.size());
        ASSERT_EQ(detail::PasswordHash(GetParam(), p.password.c_str(), Salt(p.ssid), size, out), 1);
        EXPECT_EQ(ToHex(out, kPmkLen), p.psk);
        ASSERT_EQ(PasswordHash(p.password.c_str(), Salt(p.ssid), size, viaPublic), 1);
        EXPECT_EQ(ToHex(viaPublic, sizeof viaPublic), ToHex(out, sizeof out));
        F(p.password.c_str(), Salt(p.ssid), size, 4096, 2, block);
        EXPECT_EQ(ToHex(block, 20), ToHex(out + 20, 20));
    }
}

}  // namespace
}  // namespace corvane

// HMAC-SHA1 as RFC 2104 defines it: 64-byte block, a longer key is first
// replaced by its digest, then zero-padded and XORed with 0x36 (inner) and
// 0x5C (outer).
#include "crypto/HmacSha1.h"

#include <cstring>

#include "crypto/Wipe.h"

namespace corvane {
namespace detail {

namespace {
constexpr int kBlockLen = 64;
}

void HmacSha1Init(HmacSha1Ctx* ctx, const unsigned char* key, int keyLen) {
    unsigned char block[kBlockLen] = {};
    if (key && keyLen > kBlockLen) {
        A_SHA_CTX keyHash;
        A_SHAInit(&keyHash);
        A_SHAUpdate(&keyHash, key, keyLen);
        A_SHAFinal(&keyHash, block);
    } else if (key && keyLen > 0) {
        std::memcpy(block, key, size_t(keyLen));
    }

    unsigned char pad[kBlockLen];
    for (int i = 0; i < kBlockLen; ++i) pad[i] = block[i] ^ 0x36;
    A_SHAInit(&ctx->inner);
    A_SHAUpdate(&ctx->inner, pad, kBlockLen);
    for (int i = 0; i < kBlockLen; ++i) pad[i] = block[i] ^ 0x5C;
    A_SHAInit(&ctx->outer);
    A_SHAUpdate(&ctx->outer, pad, kBlockLen);

    SecureWipe(block, sizeof block);
    SecureWipe(pad, sizeof pad);
}

void HmacSha1Update(HmacSha1Ctx* ctx, const unsigned char* data, int len) {
    A_SHAUpdate(&ctx->inner, data, len);
}

void HmacSha1Final(HmacSha1Ctx* ctx, unsigned char digest[A_SHA_DIGEST_LEN]) {
    unsigned char innerDigest[A_SHA_DIGEST_LEN];
    A_SHAFinal(&ctx->inner, innerDigest);
    A_SHAUpdate(&ctx->outer, innerDigest, A_SHA_DIGEST_LEN);
    A_SHAFinal(&ctx->outer, digest);
    SecureWipe(innerDigest, sizeof innerDigest);
    SecureWipe(ctx, sizeof *ctx);
}

}  // namespace detail

void hmac_sha1(const unsigned char* text, int text_len, const unsigned char* key, int key_len,
               unsigned char digest[A_SHA_DIGEST_LEN]) {
    if (!digest) return;
    detail::HmacSha1Ctx ctx;
    detail::HmacSha1Init(&ctx, key, key_len);
    detail::HmacSha1Update(&ctx, text, text_len);
    detail::HmacSha1Final(&ctx, digest);
}

}  // namespace corvane

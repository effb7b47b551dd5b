// Keyed HMAC-SHA1 state that takes the message in pieces. Internal to the
// crypto library; the public entry point is hmac_sha1 in MathFunc.h.
#pragma once

#include "crypto/MathFunc.h"

namespace corvane::detail {

struct HmacSha1Ctx {
    A_SHA_CTX inner;  // has absorbed key ^ 0x36...
    A_SHA_CTX outer;  // has absorbed key ^ 0x5C...
};

// A negative key length counts as an empty key.
void HmacSha1Init(HmacSha1Ctx* ctx, const unsigned char* key, int keyLen);
void HmacSha1Update(HmacSha1Ctx* ctx, const unsigned char* data, int len);
// Writes the tag and wipes the state.
void HmacSha1Final(HmacSha1Ctx* ctx, unsigned char digest[A_SHA_DIGEST_LEN]);

}  // namespace corvane::detail

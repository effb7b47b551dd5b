// WPA key derivation: SHA-1, HMAC-SHA1, the passphrase-to-key function and
// the hexadecimal codecs shared by the pane and the agent.
//
// Lengths are plain ints, as the callers hold them; a negative length is
// treated as invalid input, never as a huge unsigned one.
#pragma once

#include <cstdint>

namespace corvane {

// SHA-1 running state (FIPS 180-1).
struct A_SHA_CTX {
    uint32_t H[5];    // chaining words
    uint32_t W[80];   // message schedule; words 0..15 collect the current block
    int lenW;         // bytes in the current 64-byte block
    uint32_t sizeHi;  // message length in bits, high half
    uint32_t sizeLo;  // message length in bits, low half
};

inline constexpr int A_SHA_DIGEST_LEN = 20;

// Size of the buffer PasswordHash fills: bytes 0..31 are the pairwise master
// key, 32..39 a by-product of the second block that callers ignore.
inline constexpr int kPasswordHashOutputLen = 40;
inline constexpr int kPmkLen = 32;

void A_SHAInit(A_SHA_CTX* ctx);
// Absorbs len bytes; a negative len or a null buffer absorbs nothing.
void A_SHAUpdate(A_SHA_CTX* ctx, const unsigned char* dataIn, int len);
// Writes the big-endian digest and resets ctx as A_SHAInit does.
void A_SHAFinal(A_SHA_CTX* ctx, unsigned char hashout[A_SHA_DIGEST_LEN]);

// HMAC-SHA1 (RFC 2104) of text under key.
void hmac_sha1(const unsigned char* text, int text_len, const unsigned char* key, int key_len,
               unsigned char digest[A_SHA_DIGEST_LEN]);

// One PBKDF2-HMAC-SHA1 block (RFC 2898): block index `count` (from 1) of the
// key derived from `password` with salt `ssid`. A passphrase byte outside
// 32..127 is reported on standard error and leaves `output` unwritten.
void F(const char* password, const unsigned char* ssid, int ssidlength, int iterations, int count,
       unsigned char output[A_SHA_DIGEST_LEN]);

// The IEEE 802.11i pre-shared key: PBKDF2-HMAC-SHA1, 4096 iterations, two
// blocks into the 40-byte `output`. Returns 0 and leaves `output` alone when
// the passphrase is 64 characters or longer or the SSID longer than 32 bytes.
int PasswordHash(const char* password, const unsigned char* ssid, int ssidlength,
                 unsigned char output[kPasswordHashOutputLen]);

// Decodes destlen bytes from 2 * destlen hexadecimal characters of src.
void AtoH(const char* src, unsigned char* dest, int destlen);
// The value of one hexadecimal digit, or 255 for any other character.
unsigned char BtoH(char ch);

}  // namespace corvane

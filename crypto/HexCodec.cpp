// Hexadecimal text to bytes, two characters per byte, most significant
// digit first (the form in which 64-digit WPA keys and hexadecimal WEP keys
// are entered).
#include "crypto/MathFunc.h"

namespace corvane {

unsigned char BtoH(char ch) {
    if (ch >= '0' && ch <= '9') return static_cast<unsigned char>(ch - '0');
    if (ch >= 'A' && ch <= 'F') return static_cast<unsigned char>(ch - 'A' + 10);
    if (ch >= 'a' && ch <= 'f') return static_cast<unsigned char>(ch - 'a' + 10);
    return 255;
}

// The text is not validated here (callers do that): a non-digit counts as
// 255, so such a pair yields an arbitrary byte. Decoding stops at the
// string's terminator, so a text shorter than 2 * destlen is never read past
// its end; the bytes it does not cover are left as they were.
void AtoH(const char* src, unsigned char* dest, int destlen) {
    if (!src || !dest) return;
    for (int i = 0; i < destlen; ++i) {
        const char hi = src[2 * i];
        if (hi == '\0') return;
        const char lo = src[2 * i + 1];
        dest[i] = static_cast<unsigned char>((16u * BtoH(hi) + BtoH(lo)) % 256u);
        if (lo == '\0') return;
    }
}

}  // namespace corvane

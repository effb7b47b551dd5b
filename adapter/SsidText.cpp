#include "adapter/SsidText.h"

#include <cstdint>
#include <cstdio>

namespace corvane {
namespace {

// Length of the well-formed UTF-8 sequence starting at s[i] (2..4), or 0:
// no overlong forms, no surrogates, nothing above U+10FFFF.
size_t Utf8SequenceLength(std::string_view s, size_t i) {
    auto byte = [&](size_t k) { return uint8_t(s[k]); };
    const uint8_t lead = byte(i);
    size_t n = 0;
    uint8_t low = 0x80, high = 0xBF;  // allowed range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        n = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        n = 3;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        n = 4;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    }
    if (n == 0 || i + n > s.size()) return 0;
    if (byte(i + 1) < low || byte(i + 1) > high) return 0;
    for (size_t k = 2; k < n; ++k)
        if ((byte(i + k) & 0xC0) != 0x80) return 0;
    return n;
}

// The code point of a well-formed sequence of length n at s[i].
uint32_t CodePoint(std::string_view s, size_t i, size_t n) {
    static constexpr uint8_t kLeadMask[] = {0, 0, 0x1F, 0x0F, 0x07};
    uint32_t cp = uint8_t(s[i]) & kLeadMask[n];
    for (size_t k = 1; k < n; ++k) cp = cp << 6 | (uint8_t(s[i + k]) & 0x3F);
    return cp;
}

// Characters a terminal acts on rather than shows: the C1 controls, and
// the marks, embeddings, overrides and isolates that reorder text around
// them (a name could make the rest of a line read backwards).
bool IsInvisibleControl(uint32_t cp) {
    return (cp >= 0x80 && cp <= 0x9F) || cp == 0x061C || cp == 0x200E || cp == 0x200F ||
           (cp >= 0x202A && cp <= 0x202E) || (cp >= 0x2066 && cp <= 0x2069);
}

}  // namespace

std::string PrintableText(std::string_view bytes) {
    std::string out;
    for (size_t i = 0; i < bytes.size();) {
        uint8_t c = uint8_t(bytes[i]);
        if (c >= 0x20 && c < 0x7F && c != '\\') {
            out += char(c);
            ++i;
        } else if (size_t n = c >= 0x80 ? Utf8SequenceLength(bytes, i) : 0;
                   n != 0 && !IsInvisibleControl(CodePoint(bytes, i, n))) {
            out.append(bytes, i, n);
            i += n;
        } else {
            char esc[5];
            std::snprintf(esc, sizeof esc, "\\x%02X", c);
            out += c == '\\' ? std::string("\\\\") : std::string(esc);
            ++i;
        }
    }
    return out;
}

}  // namespace corvane

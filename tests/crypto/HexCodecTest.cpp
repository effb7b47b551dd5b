#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "CryptoTestUtil.h"
#include "crypto/MathFunc.h"

namespace corvane {
namespace {

using test::Bytes;

TEST(HexCodec, DigitValueOfEveryByte) {
    for (int v = 0; v < 256; ++v) {
        const char ch = static_cast<char>(v);
        unsigned expected = 255;
        if (v >= '0' && v <= '9') expected = unsigned(v - '0');
        if (v >= 'A' && v <= 'F') expected = unsigned(v - 'A' + 10);
        if (v >= 'a' && v <= 'f') expected = unsigned(v - 'a' + 10);
        EXPECT_EQ(BtoH(ch), expected) << "byte " << v;
    }
}

TEST(HexCodec, DecodesPairs) {
    struct Row {
        const char* text;
        int count;
        Bytes expected;  // the whole 4-byte output buffer afterwards (starts 0xEE)
    };
    const Row rows[] = {
        {"0aFf", 2, {0x0A, 0xFF, 0xEE, 0xEE}},
        {"00010203", 4, {0x00, 0x01, 0x02, 0x03}},
        {"DEADbeef", 4, {0xDE, 0xAD, 0xBE, 0xEF}},
        {"1234", 0, {0xEE, 0xEE, 0xEE, 0xEE}},
        {"1234", -3, {0xEE, 0xEE, 0xEE, 0xEE}},
        {"12345678", 1, {0x12, 0xEE, 0xEE, 0xEE}},
        // A non-digit counts as 255: (16 * 255 + 1) % 256 and (16 * 1 + 255) % 256.
        {"g11g", 2, {0xF1, 0x0F, 0xEE, 0xEE}},
        // A text shorter than asked for is not read past its end; a lone last
        // digit pairs with the terminator (255).
        {"ab", 4, {0xAB, 0xEE, 0xEE, 0xEE}},
        {"abc", 4, {0xAB, 0xBF, 0xEE, 0xEE}},
        {"", 4, {0xEE, 0xEE, 0xEE, 0xEE}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.text) + " count " + std::to_string(row.count));
        // Heap copy of exactly the text, so a read past its end shows up
        // under the address sanitizer.
        std::unique_ptr<char[]> text(new char[std::strlen(row.text) + 1]);
        std::memcpy(text.get(), row.text, std::strlen(row.text) + 1);
        Bytes out(4, 0xEE);
        AtoH(text.get(), out.data(), row.count);
        EXPECT_EQ(out, row.expected);
    }
}

}  // namespace
}  // namespace corvane

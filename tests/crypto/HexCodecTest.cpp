#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "CryptoTestUtil.h"
#include "crypto/MathFunc.h"

namespace corvane {
namespace {

using test::Bytes;

TEST(HexCodec, DigitValueOfEveryByte) {
    const std::string digits = "0123456789ABCDEFabcdef";
    for (int v = 0; v < 256; ++v) {
        const size_t at = digits.find(char(v));
        const unsigned expected = at == std::string::npos ? 255 : at < 16 ? at : at - 6;
        EXPECT_EQ(BtoH(char(v)), expected) << "byte " << v;
    }
}

TEST(HexCodec, DecodesPairs) {
    const struct {
        const char* text;
        int count;
        Bytes expected;  // the whole 4-byte output buffer afterwards (starts 0xEE)
    } rows[] = {
        {"0aFf", 2, {0x0A, 0xFF, 0xEE, 0xEE}},
        {"DEADbeef", 4, {0xDE, 0xAD, 0xBE, 0xEF}},
        {"1234", -3, {0xEE, 0xEE, 0xEE, 0xEE}},
        {"12345678", 1, {0x12, 0xEE, 0xEE, 0xEE}},
        // A non-digit counts as 255: (16 * 255 + 1) % 256 and (16 * 1 + 255) % 256.
        {"g11g", 2, {0xF1, 0x0F, 0xEE, 0xEE}},
        // A text shorter than asked for is not read past its end; a lone last
        // digit pairs with the terminator (255).
        {"abc", 4, {0xAB, 0xBF, 0xEE, 0xEE}},
        {"", 4, {0xEE, 0xEE, 0xEE, 0xEE}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.text) + " count " + std::to_string(row.count));
        // Heap copy of exactly the text, so a read past its end shows up
        // under the address sanitizer.
        const size_t size = std::strlen(row.text) + 1;
        std::unique_ptr<char[]> text(new char[size]);
        std::memcpy(text.get(), row.text, size);
        Bytes out(4, 0xEE);
        AtoH(text.get(), out.data(), row.count);
        EXPECT_EQ(out, row.expected);
    }
}

}  // namespace
}  // namespace corvane

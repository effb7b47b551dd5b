// The QR code symbol and its two pictures: the PNG and the terminal's
// block characters are read back, module by module, and must be the
// symbol libqrencode made for the text, with its quiet zone light.
#include <gtest/gtest.h>
#include <png.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "exchange/QrCode.h"
#include "exchange/WifiQr.h"

namespace corvane {
namespace {

struct Gray {
    int width = 0, height = 0;
    std::vector<uint8_t> pixels;
    uint8_t At(int x, int y) const { return pixels[size_t(y * width + x)]; }
};

Gray ReadPng(const std::string& bytes) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    Gray gray;
    if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size())) return gray;
    image.format = PNG_FORMAT_GRAY;
    gray.width = int(image.width);
    gray.height = int(image.height);
    gray.pixels.resize(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, gray.pixels.data(), 0, nullptr)) return {};
    return gray;
}

// The modules the picture shows, sampled at each module's centre; the
// quiet zone is checked to be light on the way.
QrMatrix ModulesOf(const Gray& gray, int scale, int width) {
    QrMatrix seen;
    seen.width = width;
    const int side = width + 2 * kQrQuietZone;
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            const bool dark = gray.At(x * scale + scale / 2, y * scale + scale / 2) < 128;
            const bool symbol = x >= kQrQuietZone && y >= kQrQuietZone &&
                                x < width + kQrQuietZone && y < width + kQrQuietZone;
            if (symbol)
                seen.dark.push_back(dark);
            else
                EXPECT_FALSE(dark) << "quiet zone at " << x << "," << y;
        }
    }
    return seen;
}

// Three finder patterns: a dark 7x7 ring with a dark 3x3 centre and a light
// ring between, at the corners other than bottom right.
void ExpectFinderPatterns(const QrMatrix& m) {
    for (auto [ox, oy] : {std::pair{0, 0}, {m.width - 7, 0}, {0, m.width - 7}}) {
        for (int y = 0; y < 7; ++y) {
            for (int x = 0; x < 7; ++x) {
                const int ring = std::min({x, y, 6 - x, 6 - y});
                EXPECT_EQ(m.Dark(ox + x, oy + y), ring != 1)
                    << ox << "," << oy << " +" << x << "," << y;
            }
        }
    }
}

TEST(QrCode, SymbolGrowsWithTheTextAndKeepsItsStructure) {
    struct Row {
        std::string text;
        int width;  // 21 + 4 (version - 1); level M holds 14, 26, 42, 62, 84, 106, 122 ... bytes
    };
    const std::vector<Row> rows = {
        {"WIFI:S:x;;", 21},
        {EncodeWifiQr({WifiQrSecurity::kWpa, "CorvaneHome", "correct horse battery", false}), 33},
        {EncodeWifiQr({WifiQrSecurity::kWpa, std::string(32, 'S'), std::string(64, 'a'), true}),
         45},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        const auto matrix = EncodeQrMatrix(row.text);
        ASSERT_TRUE(matrix);
        EXPECT_EQ(matrix->width, row.width);
        EXPECT_EQ(matrix->dark.size(), size_t(row.width * row.width));
        ExpectFinderPatterns(*matrix);
        // The timing pattern between the upper finders alternates.
        for (int x = 8; x < matrix->width - 8; ++x) EXPECT_EQ(matrix->Dark(x, 6), x % 2 == 0);
        EXPECT_EQ(EncodeQrMatrix(row.text), matrix) << "the same text, the same symbol";
    }
    EXPECT_FALSE(EncodeQrMatrix(std::string(3000, 'x'))) << "more than a QR code holds";
}

TEST(QrCode, PngShowsTheSymbolWithItsQuietZone) {
    const std::string text =
        EncodeWifiQr({WifiQrSecurity::kWpa, "CorvaneHome", "correct horse battery", false});
    const auto matrix = EncodeQrMatrix(text);
    ASSERT_TRUE(matrix);
    for (int scale : {1, 3, 8}) {
        SCOPED_TRACE(scale);
        const std::string png = QrPngBytes(*matrix, scale);
        ASSERT_EQ(png.substr(1, 3), "PNG");
        const Gray gray = ReadPng(png);
        const int side = (matrix->width + 2 * kQrQuietZone) * scale;
        ASSERT_EQ(gray.width, side);
        ASSERT_EQ(gray.height, side);
        for (uint8_t p : gray.pixels) ASSERT_TRUE(p == 0 || p == 255);
        EXPECT_EQ(ModulesOf(gray, scale, matrix->width), *matrix);
    }
    EXPECT_EQ(QrPngBytes(*matrix, 0), "");
    EXPECT_EQ(QrPngBytes(QrMatrix{}), "");
}

// What a QR reader of its own (zbarimg) reads from the PNG: the symbols'
// data, one a line.
std::string ReadBack(const std::string& png) {
    char path[] = "/tmp/corvane-qr-XXXXXX";
    const int fd = mkstemp(path);
    if (fd < 0) return "(no temporary file)";
    close(fd);
    std::ofstream(path, std::ios::binary) << png;
    const std::string command = std::string(CORVANE_ZBARIMG) + " --raw -q " + path;
    std::string out;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[512];
        for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
        pclose(pipe);
    }
    unlink(path);
    return out;
}

TEST(QrCode, AReaderReadsThePngBackToTheText) {
    if (!*CORVANE_ZBARIMG)
        FAIL() << "no zbarimg to read the pictures (scripts/install-deps.sh --test)";
    const std::vector<std::string> texts = {
        "WIFI:T:nopass;S:CafeOpen;;",
        EncodeWifiQr({WifiQrSecurity::kWep, "OldRouter-WEP", "0102030405", false}),
        // Every escaped character, in the name and the key.
        EncodeWifiQr({WifiQrSecurity::kWpa, "a\\b;c,d:e\"f", "p;w,d:\"\\x", true}),
        // The longest a profile gives: 32 bytes of name, 64 digits of key.
        EncodeWifiQr({WifiQrSecurity::kWpa, std::string(32, 'S'), std::string(64, 'a'), true}),
    };
    for (const std::string& text : texts) {
        SCOPED_TRACE(text);
        const auto matrix = EncodeQrMatrix(text);
        ASSERT_TRUE(matrix);
        for (int scale : {2, 8})
            EXPECT_EQ(ReadBack(QrPngBytes(*matrix, scale)), text + "\n") << scale;
    }
}

TEST(QrCode, TerminalTextShowsTheSymbolTwoRowsALine) {
    const auto matrix = EncodeQrMatrix("WIFI:T:nopass;S:CafeOpen;;");
    ASSERT_TRUE(matrix);
    const std::string text = QrTerminalText(*matrix);
    const int side = matrix->width + 2 * kQrQuietZone;
    // Read back: each line is "ESC[97;40m", one cell per module column,
    // "ESC[0m"; white (the block's foreground) is a light module.
    const std::string full = "\u2588", upper = "\u2580", lower = "\u2584";
    std::vector<std::vector<bool>> light(size_t(side + 1), std::vector<bool>(size_t(side)));
    size_t pos = 0;
    int lines = 0;
    for (int y = 0; y < side; y += 2, ++lines) {
        ASSERT_EQ(text.compare(pos, 8, "\x1b[97;40m"), 0) << "line " << lines;
        pos += 8;
        for (int x = 0; x < side; ++x) {
            bool top = false, bottom = false;
            if (text.compare(pos, 3, full) == 0)
                top = bottom = true, pos += 3;
            else if (text.compare(pos, 3, upper) == 0)
                top = true, pos += 3;
            else if (text.compare(pos, 3, lower) == 0)
                bottom = true, pos += 3;
            else
                ASSERT_EQ(text[pos++], ' ');
            light[size_t(y)][size_t(x)] = top;
            light[size_t(y + 1)][size_t(x)] = bottom;
        }
        ASSERT_EQ(text.compare(pos, 5, "\x1b[0m\n"), 0);
        pos += 5;
    }
    EXPECT_EQ(pos, text.size());
    EXPECT_EQ(lines, (side + 1) / 2);
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x)
            EXPECT_EQ(light[size_t(y)][size_t(x)],
                      !matrix->Dark(x - kQrQuietZone, y - kQrQuietZone))
                << x << "," << y;
}

}  // namespace
}  // namespace corvane

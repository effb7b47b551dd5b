#include "exchange/QrCode.h"

#include <png.h>
#include <qrencode.h>

#include <memory>

namespace corvane {
namespace {

struct QrDeleter {
    void operator()(QRcode* code) const { QRcode_free(code); }
};

void AppendToString(png_structp png, png_bytep data, png_size_t length) {
    auto* out = static_cast<std::string*>(png_get_io_ptr(png));
    out->append(reinterpret_cast<const char*>(data), length);
}

void NoFlush(png_structp) {}

// The symbol's rows as 1-bit grey pixels (0 black), quiet zone included.
std::vector<std::vector<png_byte>> PixelRows(const QrMatrix& matrix, int scale) {
    const int side = (matrix.width + 2 * kQrQuietZone) * scale;
    const size_t rowBytes = size_t(side + 7) / 8;
    std::vector<std::vector<png_byte>> rows;
    rows.reserve(size_t(side));
    for (int py = 0; py < side; ++py) {
        std::vector<png_byte> row(rowBytes, 0xFF);
        const int y = py / scale - kQrQuietZone;
        for (int px = 0; px < side; ++px) {
            if (matrix.Dark(px / scale - kQrQuietZone, y))
                row[size_t(px / 8)] &= png_byte(~(0x80 >> (px % 8)));
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

// libpng reports errors by longjmp: everything with a destructor is made
// before setjmp and only plain pointers are touched after it.
bool WritePng(const std::vector<std::vector<png_byte>>& rows, std::vector<png_bytep>& pointers,
              std::string& out) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (!png) return false;
    png_infop info = png_create_info_struct(png);
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, info ? &info : nullptr);
        return false;
    }
    const png_uint_32 side = png_uint_32(rows.size());
    png_set_write_fn(png, &out, AppendToString, NoFlush);
    png_set_IHDR(png, info, side, side, 1, PNG_COLOR_TYPE_GRAY, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    png_write_image(png, pointers.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

}  // namespace

std::optional<QrMatrix> EncodeQrMatrix(std::string_view text) {
    std::unique_ptr<QRcode, QrDeleter> code(QRcode_encodeData(
        int(text.size()), reinterpret_cast<const unsigned char*>(text.data()), 0, QR_ECLEVEL_M));
    if (!code || code->width <= 0) return std::nullopt;
    QrMatrix matrix;
    matrix.width = code->width;
    const size_t modules = size_t(code->width) * size_t(code->width);
    matrix.dark.resize(modules);
    for (size_t i = 0; i < modules; ++i) matrix.dark[i] = (code->data[i] & 1) != 0;
    return matrix;
}

std::string QrTerminalText(const QrMatrix& matrix) {
    // Each character is two modules of a column: the upper one as the
    // foreground of the upper half block, the lower as the background.
    // Light is drawn white, dark black.
    constexpr const char* kWhiteOnBlack = "\x1b[97;40m";
    constexpr const char* kReset = "\x1b[0m";
    const int first = -kQrQuietZone;
    const int last = matrix.width + kQrQuietZone;  // one past
    std::string out;
    for (int y = first; y < last; y += 2) {
        out += kWhiteOnBlack;
        for (int x = first; x < last; ++x) {
            const bool upperLight = !matrix.Dark(x, y);
            const bool lowerLight = y + 1 < last && !matrix.Dark(x, y + 1);
            if (upperLight && lowerLight)
                out += "\u2588";  // full block
            else if (upperLight)
                out += "\u2580";  // upper half
            else if (lowerLight)
                out += "\u2584";  // lower half
            else
                out += ' ';
        }
        out += kReset;
        out += '\n';
    }
    return out;
}

std::string QrPngBytes(const QrMatrix& matrix, int scale) {
    if (matrix.width <= 0 || scale <= 0 || scale > 64) return {};
    std::vector<std::vector<png_byte>> rows = PixelRows(matrix, scale);
    std::vector<png_bytep> pointers;
    pointers.reserve(rows.size());
    for (auto& row : rows) pointers.push_back(row.data());
    std::string out;
    if (!WritePng(rows, pointers, out)) return {};
    return out;
}

}  // namespace corvane

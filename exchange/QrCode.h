// A QR code symbol for a text (libqrencode: byte mode, error correction
// level M, the smallest version that holds the text) and the ways it is
// shown: block characters on a terminal and a PNG picture. The window
// paints the same module matrix.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

// Light modules a reader needs around the symbol.
inline constexpr int kQrQuietZone = 4;

struct QrMatrix {
    int width = 0;           // modules per side
    std::vector<bool> dark;  // row by row, width * width

    bool Dark(int x, int y) const {
        return x >= 0 && y >= 0 && x < width && y < width && dark[size_t(y * width + x)];
    }
    bool operator==(const QrMatrix&) const = default;
};

// Nothing when the text does not fit in a QR code (or the encoder fails).
std::optional<QrMatrix> EncodeQrMatrix(std::string_view text);

// The symbol with its quiet zone, two module rows per line in half-block
// characters, light modules drawn in white on black (ANSI colours), so it
// reads on light and dark terminals alike. Lines end in "\n".
std::string QrTerminalText(const QrMatrix& matrix);

// A black-on-white PNG (1-bit grey) of the symbol with its quiet zone,
// `scale` pixels per module; empty when the encoder fails.
std::string QrPngBytes(const QrMatrix& matrix, int scale = 8);

}  // namespace corvane

#pragma once

#include "Pdf417Fit.h"

#include <cstdint>
#include <span>
#include <vector>

// 1 bit per pixel, most significant bit first; each row starts `stride` bytes after the last.
struct Pdf417Bitmap {
    int width = 0;
    int height = 0;
    int stride = 0;
    std::vector<std::uint8_t> bits;

    bool pixel(int x, int y) const { return bits[static_cast<std::size_t>(y * stride + x / 8)] >> (7 - x % 8) & 1; }
};

// Width of a symbol row in modules: start pattern, two row indicators, the data columns and
// the stop pattern.
constexpr int Pdf417RowModules(int columns) { return 17 * columns + 69; }

// One bit per module and one bitmap row per symbol row, rows a whole number of bytes; bars
// are 1 bits, or 0 bits when `inverted` (every byte of the bitmap is inverted).
// `errorCorrection` follows the fit's data codewords.
Pdf417Bitmap PaintSymbol(const Pdf417Fit& fit, std::span<const int> errorCorrection, bool inverted);

// Each module becomes a square of moduleSize × moduleSize pixels; orientation 'V' turns the
// symbol clockwise (its last row becomes the leftmost pixel column). Rows are padded to 32 bits.
Pdf417Bitmap ScaleSymbolBitmap(const Pdf417Bitmap& modules, int moduleSize, char orientation);

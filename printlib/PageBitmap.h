#pragma once

// A page image of one bit per pixel as it is written to TIFF and PDF: rows of `stride` bytes
// padded to 32 bits, the leftmost pixel in the most significant bit, 1 for black. Bits past a
// row's last pixel are ignored by the writers.

#include <cstddef>
#include <cstdint>
#include <vector>

struct PageBitmap {
    int width = 0;
    int height = 0;
    std::size_t stride = 0;
    double xDpi = 0;
    double yDpi = 0;
    std::vector<uint8_t> bits;

    PageBitmap() = default;
    // An all-white page.
    PageBitmap(int width, int height, double xDpi, double yDpi);

    const uint8_t* row(int y) const { return bits.data() + static_cast<std::size_t>(y) * stride; }
    uint8_t* row(int y) { return bits.data() + static_cast<std::size_t>(y) * stride; }

    // A size of at least one pixel each way, rows wide enough for it, the bits of every row and a
    // finite resolution above 0: what the writers need to give the page a size.
    bool isWritable() const;

    bool isBlack(int x, int y) const { return (row(y)[x >> 3] >> (7 - (x & 7))) & 1; }
    void setBlack(int x, int y, bool black = true);
};

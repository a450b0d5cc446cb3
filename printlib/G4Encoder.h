#pragma once

// ITU-T T.6 (CCITT Group 4) coding of 1-bit page images, as TIFF (compression 4) and the PDF
// filter /CCITTFaxDecode with /K -1 expect them: black runs are the page's black pixels, the
// data end with the end-of-facsimile-block and the last byte is filled with 0 bits.

#include "PageBitmap.h"

#include <cstddef>
#include <cstdint>
#include <vector>

std::vector<uint8_t> EncodeG4(const uint8_t* bits, int width, int height, std::size_t stride);

inline std::vector<uint8_t> EncodeG4(const PageBitmap& page)
{
    return EncodeG4(page.bits.data(), page.width, page.height, page.stride);
}

#pragma once

// Page bitmaps for the benchmarks, and libtiff's own Group 4 writer to compare ours with.

#include "PageBitmap.h"

#include <tiffio.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

inline void fillBlack(PageBitmap& page, int left, int top, int width, int height)
{
    for (int y = top; y < std::min(top + height, page.height); ++y)
        for (int x = left; x < std::min(left + width, page.width); ++x)
            page.setBlack(x, y);
}

// Writes the pages as one multi-page Group 4 TIFF with libtiff's encoder, line by line.
inline void writeG4WithLibtiff(const std::string& path, const std::vector<PageBitmap>& pages, const char* software)
{
    TIFF* tiff = TIFFOpen(path.c_str(), "w");
    std::vector<uint8_t> row;
    for (const PageBitmap& page : pages) {
        TIFFSetField(tiff, TIFFTAG_SUBFILETYPE, FILETYPE_PAGE);
        TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, page.width);
        TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, page.height);
        TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, 1);
        TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, 1);
        TIFFSetField(tiff, TIFFTAG_COMPRESSION, COMPRESSION_CCITTFAX4);
        TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_MINISWHITE);
        TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, page.height);
        TIFFSetField(tiff, TIFFTAG_XRESOLUTION, page.xDpi);
        TIFFSetField(tiff, TIFFTAG_YRESOLUTION, page.yDpi);
        TIFFSetField(tiff, TIFFTAG_RESOLUTIONUNIT, RESUNIT_INCH);
        TIFFSetField(tiff, TIFFTAG_SOFTWARE, software);
        TIFFSetField(tiff, TIFFTAG_DATETIME, "2021:12:31 12:00:00");
        for (int y = 0; y < page.height; ++y) {
            // libtiff may change the buffer it is given.
            row.assign(page.row(y), page.row(y) + page.stride);
            TIFFWriteScanline(tiff, row.data(), static_cast<uint32_t>(y), 0);
        }
        TIFFWriteDirectory(tiff);
    }
    TIFFClose(tiff);
}

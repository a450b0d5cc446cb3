#pragma once

// Writes 1-bit page images into a PDF 1.2 file, one CCITT Group 4 image per page. The number of
// pages is known before the first one is written, so the page tree comes first: objects 1 Info,
// 2 Catalog, 3 Pages, then six objects per page (page, content, procedure set, image, image
// length, colour space). Lines end with a single carriage return.

#include "PageBitmap.h"
#include "TempFile.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class PdfWriter {
public:
    // Opens the output for `pageCount` pages; the file appears at `path` only with FinishPdf.
    PdfWriter(const std::string& path, int pageCount);

    void BeginPdf();
    void AddPage(const PageBitmap& page);
    // Writes the cross-reference table and trailer and puts the file in place.
    void FinishPdf();

private:
    void startObject();
    void put(std::string_view text);
    void putLine(std::string_view text);
    void flush();

    std::unique_ptr<TempFile> file_;
    std::string buffer_;
    uint64_t offset_ = 0;
    std::vector<uint64_t> objectOffsets_;
    int pageCount_;
    int pagesWritten_ = 0;
};

#pragma once

// Where a build writes its page bitmaps, page by page: into an existing folder as the files
// "000001.tif", "000002.tif", ... (OutputFolder.h); into a PDF when the path ends in ".pdf" (any
// case); else into one multi-page TIFF. Every output is the whole document or nothing: the PDF,
// the multi-page TIFF and the folder's pages appear at their paths only when the output is
// closed, and an aborted output leaves the place as it was. A closed folder holds no page file of
// an earlier document beyond the new document's last page.

#include "OutputFolder.h"
#include "PageBitmap.h"
#include "PdfWriter.h"
#include "TiffPageWriter.h"

#include <memory>
#include <string>

enum class OutputMode {
    None = 0,
    Folder = 1,
    MultiPageTiff = 2,     // before its first page
    MultiPageTiffOpen = 3,
    Pdf = 4,               // before its first page
    PdfOpen = 5,
};

class PageOutput {
public:
    // Ends an output still open (dropping it) before opening the new one.
    void open(const std::string& path);
    // The number of pages the PDF will hold; needed before its first page.
    void setPageTotal(int total) { pageTotal_ = total; }
    void write(const PageBitmap& page, const PageStamp& stamp);
    void close();
    // Ends the output after a failure or a cancel; a multi-page TIFF or PDF is not written.
    void abort();

    OutputMode mode() const { return mode_; }
    const std::string& path() const { return path_; }
    // The number the next file of a folder gets.
    int counter() const { return counter_; }

private:
    void reset();

    OutputMode mode_ = OutputMode::None;
    std::string path_;
    int counter_ = 0;
    int pageTotal_ = 0;
    std::unique_ptr<TiffPageWriter> tiff_;
    std::unique_ptr<PdfWriter> pdf_;
    std::unique_ptr<OutputFolder> folder_;
};

#pragma once

// Writes page images as a TIFF file of one or more pages, each 1 bit per pixel, compressed with
// CCITT Group 4 and stamped with the software text (tag 33432) and the time of writing (306).
// The file appears at its path only when finish() succeeds.

#include "PageBitmap.h"
#include "TempFile.h"
#include "TiffFile.h"

#include <ctime>
#include <memory>
#include <string>

// Texts in cp1251; an empty one is not written.
struct PageStamp {
    std::string software;
    std::string dateTime;
};

// The time as the DateTime tag (306) wants it, "%Y:%m:%d %H:%M:%S" in local time.
std::string pageDateTime(std::time_t time);

class TiffPageWriter {
public:
    // A file that waits at `path` to be moved in place of `standsFor` is named by that path in
    // error texts and takes that file's owner and permissions (see TempFile).
    explicit TiffPageWriter(const std::string& path, const std::string& standsFor = {});

    void addPage(const PageBitmap& page, const PageStamp& stamp);
    void finish(FolderSync sync = FolderSync::Now);
    // Finishes the file but leaves it under its temporary name, for the caller to commit.
    std::unique_ptr<TempFile> finishAside();

private:
    void closeTiff();

    std::unique_ptr<TempFile> file_;
    std::unique_ptr<TiffFile> tiff_;
    int pagesWritten_ = 0;
};

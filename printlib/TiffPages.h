#pragma once

// The source TIFF: a multi-page file of blank form pages that gives every output page its pixel
// size and resolution and may be drawn as its background; and the page-selection text that names
// the pages a tag is written to.

#include "PageBitmap.h"
#include "TiffFile.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct FrameInfo {
    int width = 0;  // pixels
    int height = 0;
    double xDpi = 0;
    double yDpi = 0;
};

// A frame as 32-bit pixels 0xAARRGGBB, rows top to bottom.
struct FrameImage {
    FrameInfo info;
    std::vector<uint32_t> pixels;
};

// Tells versions of a file apart: another file put in its place, or the file written again,
// differs from the one opened before. The change time counts too: a file rewritten in place
// with its old modification time put back (cp -p, rsync -t) keeps every other figure.
struct FileVersion {
    uint64_t device = 0;
    uint64_t inode = 0;
    int64_t size = 0;
    int64_t modified = 0; // nanoseconds
    int64_t changed = 0;  // nanoseconds
    bool operator==(const FileVersion&) const = default;
};

class SourceTiff {
public:
    // The file must exist. A source that was loaded is replaced by the new file at once.
    void SetSourceTiff(const std::string& path);
    // Opens the source once and counts its frames.
    void TiffLoadSource();
    void release()
    {
        image_.reset();
        version_ = {};
    }
    bool loaded() const { return image_ != nullptr; }

    const std::string& path() const { return path_; }
    // The version of the file as it was when loaded; nothing is loaded: all 0.
    const FileVersion& version() const { return version_; }
    // The file-name part of the path, shown in messages about the form.
    std::string formName() const;

    // Frames of the source, loading it when it is not loaded.
    int PageCount();
    // page is 1-based.
    FrameInfo SelectPage(int page);
    // The frame's pixels; a frame of more than 2^28 pixels is an unsupported-TIFF error.
    FrameImage ReadFrame(int page);
    // A frame of one bit per pixel, upright, as a page bitmap (1 for black), read line by line;
    // nothing for a frame of any other kind.
    std::optional<PageBitmap> ReadBilevelFrame(int page);

private:
    void checkFrameSize(int page, const FrameInfo& info) const;
    [[noreturn]] void raiseUnreadable(int page, int line) const;

    std::string path_;
    std::unique_ptr<TiffFile> image_;
    FileVersion version_;
    int frameCount_ = 0;
};

// Raises the library's error for a TIFF that cannot be opened.
[[noreturn]] void raiseCannotOpenTiff(const TiffFile& file, int line);

// The number of pages (frames) of an open TIFF; a file in which none can be read (one cut short
// inside its first directory still opens) is an unsupported-TIFF error.
int countFrames(const TiffFile& file, int line);

// Makes `page` (1-based) the file's current frame; failing that, an error naming the page.
void selectFrame(const TiffFile& file, int page, int line);

// The frame's size and resolution in dots per inch; a frame without a usable resolution is an
// error naming it.
FrameInfo readFrameInfo(const TiffFile& file, int page);

// True when `page` (1-based) is named by the selection: "все" anywhere selects every page;
// otherwise any of the comma-separated items: a range "from-to" (both non-zero, ends included),
// "чет"/"четный" for even and "нечет"/"нечетный" for odd pages in any case, or a page number.
bool PageSelected(int page, std::u16string_view selection);

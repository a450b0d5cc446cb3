#pragma once

// Helpers of the TIFF and PDF tests: scratch folders, fixture TIFFs made with libtiff, decoding
// with libtiff, the command-line checkers, and running a write under a file-size limit.

#include "PageBitmap.h"
#include "SSError.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

// A folder removed with everything in it at the end of the test.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::string file(const std::string& name) const { return (path_ / name).string(); }
    std::vector<std::string> fileNames() const;

private:
    std::filesystem::path path_;
};

// A file's bytes; empty when it cannot be read.
std::string fileBytes(const std::string& path);

// A bitmap with a seeded random pattern of `blackPercent` black pixels.
PageBitmap randomBitmap(int width, int height, unsigned seed, int blackPercent = 50);
// A bitmap that looks like a form: frames, rulings, digit-like blocks.
PageBitmap formLikeBitmap(int width, int height, double dpi, unsigned seed);

bool samePixels(const PageBitmap& a, const PageBitmap& b);

enum class FixtureCompression { Group4, Lzw, None };

struct FixturePage {
    PageBitmap bitmap;
    FixtureCompression compression = FixtureCompression::Group4;
    // Written as tag 305 when not empty.
    std::string software;
};

// Writes the pages with libtiff's own encoders, 1 bit per pixel, 0 for white.
void writeFixtureTiff(const std::string& path, const std::vector<FixturePage>& pages);
// Decodes every page with libtiff into 1-bit bitmaps (black = 1 whatever the photometric).
std::vector<PageBitmap> decodeTiff(const std::string& path);

// Sets the YResolution of a page (1-based) of a little-endian classic TIFF to 0/1, or its
// denominator to 0, by patching the file's bytes.
void breakResolution(const std::string& path, int page, bool zeroDenominator);

// Sets the one value of a SHORT or LONG tag of a page (1-based) of a little-endian classic TIFF in
// place.
void setTagValue(const std::string& path, int page, uint16_t tag, uint32_t value);

// tiffinfo reads the file and decodes every page without an error.
::testing::AssertionResult tiffinfoAccepts(const std::string& path);

// Runs a command through the shell; its exit status and what it printed on stdout and stderr.
struct CommandResult {
    int status = -1;
    std::string output;
};
CommandResult runCommand(const std::string& command);

// Runs `write` in a child process whose files may not grow past `limitBytes`; returns the
// one-line report of the SSError the write raised, or "no error" / "other error".
std::string reportUnderFileSizeLimit(std::size_t limitBytes, const std::function<void()>& write);
// Runs `action` in a child process as the user and group 65534 (nobody), so that the system
// refuses what only root's rights would allow; the report as above, "" when the rights could not
// be dropped (the test then does not run as root).
std::string reportAsAnotherUser(const std::function<void()>& action);
// Runs `action` in a child process that a watchdog kills after one second; the report as above,
// or "killed" when the action hung.
std::string reportWithinOneSecond(const std::function<void()>& action);

// The report of the SSError `action` raises; fails the test when it raises none.
std::u16string errorReport(const std::function<void()>& action);
std::string utf8(const std::u16string& text);

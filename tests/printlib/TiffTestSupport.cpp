#include "TiffTestSupport.h"

#include "TiffFile.h"
#include "WideText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>
#include <sys/resource.h>
#include <sys/wait.h>
#include <grp.h>
#include <unistd.h>

ScratchFolder::ScratchFolder()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "printpages-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
}

ScratchFolder::~ScratchFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::vector<std::string> ScratchFolder::fileNames() const
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(path_))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::string fileBytes(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

PageBitmap randomBitmap(int width, int height, unsigned seed, int blackPercent)
{
    PageBitmap bitmap(width, height, 300, 300);
    std::mt19937 generator(seed);
    std::uniform_int_distribution<int> percent(0, 99);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (percent(generator) < blackPercent)
                bitmap.setBlack(x, y);
    return bitmap;
}

PageBitmap formLikeBitmap(int width, int height, double dpi, unsigned seed)
{
    PageBitmap bitmap(width, height, dpi, dpi);
    std::mt19937 generator(seed);
    auto fill = [&](int x0, int y0, int w, int h) {
        for (int y = std::max(y0, 0); y < std::min(y0 + h, height); ++y)
            for (int x = std::max(x0, 0); x < std::min(x0 + w, width); ++x)
                bitmap.setBlack(x, y);
    };
    // Outer frame and horizontal rulings.
    fill(100, 100, width - 200, 4);
    fill(100, height - 104, width - 200, 4);
    fill(100, 100, 4, height - 200);
    fill(width - 104, 100, 4, height - 200);
    for (int y = 300; y < height - 300; y += 120)
        fill(150, y, width - 300, 2);
    // Cells with digit-like strokes.
    std::uniform_int_distribution<int> coin(0, 3);
    for (int row = 0; row < 20; ++row) {
        const int top = 320 + row * 120;
        if (top + 80 > height)
            break;
        for (int cell = 0; cell < 30; ++cell) {
            const int left = 200 + cell * 60;
            if (left + 50 > width)
                break;
            fill(left, top, 2, 60);
            fill(left + 48, top, 2, 60);
            if (coin(generator) != 0) {
                fill(left + 12, top + 10, 24, 4);
                fill(left + 32, top + 10, 4, 40);
                fill(left + 12, top + 46, 24, 4);
            }
        }
    }
    return bitmap;
}

bool samePixels(const PageBitmap& a, const PageBitmap& b)
{
    if (a.width != b.width || a.height != b.height)
        return false;
    for (int y = 0; y < a.height; ++y)
        for (int x = 0; x < a.width; ++x)
            if (a.isBlack(x, y) != b.isBlack(x, y))
                return false;
    return true;
}

void writeFixtureTiff(const std::string& path, const std::vector<FixturePage>& pages)
{
    TIFF* tiff = TIFFOpen(path.c_str(), "w");
    ASSERT_NE(tiff, nullptr);
    for (const FixturePage& page : pages) {
        const PageBitmap& bitmap = page.bitmap;
        TIFFSetField(tiff, TIFFTAG_SUBFILETYPE, FILETYPE_PAGE);
        TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, bitmap.width);
        TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, bitmap.height);
        TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, 1);
        TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, 1);
        TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_MINISWHITE);
        TIFFSetField(tiff, TIFFTAG_COMPRESSION, page.compression == FixtureCompression::Group4 ? COMPRESSION_CCITTFAX4
                                                : page.compression == FixtureCompression::Lzw  ? COMPRESSION_LZW
                                                                                               : COMPRESSION_NONE);
        TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, page.compression == FixtureCompression::Group4 ? bitmap.height : 16);
        TIFFSetField(tiff, TIFFTAG_XRESOLUTION, bitmap.xDpi);
        TIFFSetField(tiff, TIFFTAG_YRESOLUTION, bitmap.yDpi);
        TIFFSetField(tiff, TIFFTAG_RESOLUTIONUNIT, RESUNIT_INCH);
        if (!page.software.empty())
            TIFFSetField(tiff, TIFFTAG_SOFTWARE, page.software.c_str());
        std::vector<uint8_t> row(bitmap.stride);
        for (int y = 0; y < bitmap.height; ++y) {
            std::copy(bitmap.row(y), bitmap.row(y) + bitmap.stride, row.begin());
            ASSERT_EQ(TIFFWriteScanline(tiff, row.data(), static_cast<uint32_t>(y), 0), 1);
        }
        ASSERT_EQ(TIFFWriteDirectory(tiff), 1);
    }
    TIFFClose(tiff);
}

std::vector<PageBitmap> decodeTiff(const std::string& path)
{
    std::vector<PageBitmap> pages;
    TiffFile file(path, "r");
    TIFF* tiff = file.handle();
    EXPECT_NE(tiff, nullptr) << file.message();
    if (!tiff)
        return pages;
    do {
        uint32_t width = 0;
        uint32_t height = 0;
        uint16_t photometric = PHOTOMETRIC_MINISWHITE;
        float xDpi = 0;
        float yDpi = 0;
        TIFFGetField(tiff, TIFFTAG_IMAGEWIDTH, &width);
        TIFFGetField(tiff, TIFFTAG_IMAGELENGTH, &height);
        TIFFGetField(tiff, TIFFTAG_PHOTOMETRIC, &photometric);
        TIFFGetField(tiff, TIFFTAG_XRESOLUTION, &xDpi);
        TIFFGetField(tiff, TIFFTAG_YRESOLUTION, &yDpi);
        PageBitmap page(static_cast<int>(width), static_cast<int>(height), xDpi, yDpi);
        std::vector<uint8_t> row(static_cast<std::size_t>(TIFFScanlineSize(tiff)));
        for (uint32_t y = 0; y < height; ++y) {
            EXPECT_EQ(TIFFReadScanline(tiff, row.data(), y, 0), 1) << path << " row " << y;
            for (std::size_t byte = 0; byte < row.size() && byte < page.stride; ++byte)
                page.row(static_cast<int>(y))[byte] =
                    photometric == PHOTOMETRIC_MINISBLACK ? static_cast<uint8_t>(~row[byte]) : row[byte];
        }
        pages.push_back(std::move(page));
    } while (TIFFReadDirectory(tiff));
    return pages;
}

namespace {

uint32_t readLittleEndian(std::fstream& file, std::streamoff at, int size)
{
    uint8_t bytes[4] = {};
    file.seekg(at);
    file.read(reinterpret_cast<char*>(bytes), size);
    uint32_t value = 0;
    for (int index = size - 1; index >= 0; --index)
        value = (value << 8) | bytes[index];
    return value;
}

// The offset of the directory entry of `tag` on page `page` (1-based), or -1.
std::streamoff entryOffset(std::fstream& file, int page, uint16_t tag)
{
    uint32_t directory = readLittleEndian(file, 4, 4);
    for (int skipped = 1; skipped < page; ++skipped)
        directory = readLittleEndian(file, directory + 2 + 12 * readLittleEndian(file, directory, 2), 4);
    const uint32_t entries = readLittleEndian(file, directory, 2);
    for (uint32_t entry = 0; entry < entries; ++entry) {
        const std::streamoff at = directory + 2 + 12 * entry;
        if (readLittleEndian(file, at, 2) == tag)
            return at;
    }
    return -1;
}

} // namespace

void breakResolution(const std::string& path, int page, bool zeroDenominator)
{
    std::fstream file(path, std::ios::in | std::ios::out | std::ios::binary);
    const std::streamoff entry = entryOffset(file, page, TIFFTAG_YRESOLUTION);
    ASSERT_GE(entry, 0) << "no YResolution on page " << page;
    const uint32_t value = readLittleEndian(file, entry + 8, 4);
    const uint8_t zero[4] = {0, 0, 0, 0};
    const uint8_t one[4] = {1, 0, 0, 0};
    file.seekp(value);
    file.write(reinterpret_cast<const char*>(zeroDenominator ? one : zero), 4);
    file.write(reinterpret_cast<const char*>(zeroDenominator ? zero : one), 4);
}

void setTagValue(const std::string& path, int page, uint16_t tag, uint32_t value)
{
    std::fstream file(path, std::ios::in | std::ios::out | std::ios::binary);
    const std::streamoff entry = entryOffset(file, page, tag);
    ASSERT_GE(entry, 0) << "no tag " << tag << " on page " << page;
    ASSERT_EQ(readLittleEndian(file, entry + 4, 4), 1u) << "tag " << tag << " holds more than one value";
    const uint32_t type = readLittleEndian(file, entry + 2, 2);
    ASSERT_TRUE(type == TIFF_SHORT || type == TIFF_LONG) << "tag " << tag << " is of type " << type;
    ASSERT_TRUE(type == TIFF_LONG || value <= 0xFFFF) << value << " does not fit tag " << tag;
    const uint8_t bytes[4] = {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8),
                              static_cast<uint8_t>(value >> 16), static_cast<uint8_t>(value >> 24)};
    file.seekp(entry + 8);
    file.write(reinterpret_cast<const char*>(bytes), type == TIFF_SHORT ? 2 : 4);
}

::testing::AssertionResult tiffinfoAccepts(const std::string& path)
{
    const CommandResult result = runCommand("tiffinfo -D '" + path + "'");
    if (result.status != 0 || result.output.find("rror") != std::string::npos)
        return ::testing::AssertionFailure() << "tiffinfo: " << result.output;
    return ::testing::AssertionSuccess();
}

CommandResult runCommand(const std::string& command)
{
    CommandResult result;
    FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    if (!pipe)
        return result;
    std::array<char, 4096> buffer;
    while (std::size_t read = std::fread(buffer.data(), 1, buffer.size(), pipe))
        result.output.append(buffer.data(), read);
    const int status = pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

namespace {

// Runs `prepare` and then `action` in a child process; the report of the SSError the action
// raised, "no error", "other error", or "killed" when the child did not end by itself.
std::string reportOfChild(const std::function<void()>& prepare, const std::function<void()>& action)
{
    int channel[2];
    if (pipe(channel) != 0)
        return "pipe failed";
    const pid_t child = fork();
    if (child == 0) {
        close(channel[0]);
        prepare();
        std::string report = "no error";
        try {
            action();
        } catch (const SSError::CError& error) {
            report = utf8(error.oneLineReport());
        } catch (...) {
            report = "other error";
        }
        (void)!::write(channel[1], report.data(), report.size());
        _exit(0);
    }
    close(channel[1]);
    std::string report;
    char buffer[1024];
    while (true) {
        const ssize_t read = ::read(channel[0], buffer, sizeof buffer);
        if (read <= 0)
            break;
        report.append(buffer, static_cast<std::size_t>(read));
    }
    close(channel[0]);
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? report : "killed";
}

} // namespace

std::string reportUnderFileSizeLimit(std::size_t limitBytes, const std::function<void()>& write)
{
    return reportOfChild(
        [limitBytes] {
            // Past the limit a write fails with EFBIG instead of killing the process.
            signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{limitBytes, limitBytes};
            setrlimit(RLIMIT_FSIZE, &limit);
        },
        write);
}

std::string reportAsAnotherUser(const std::function<void()>& action)
{
    return reportOfChild(
        [] {
            // Group first: without root's rights the group could no longer be changed.
            if (setgroups(0, nullptr) != 0 || setgid(65534) != 0 || setuid(65534) != 0)
                _exit(0);
        },
        action);
}

std::string reportWithinOneSecond(const std::function<void()>& action)
{
    return reportOfChild([] { alarm(1); }, action);
}

std::u16string errorReport(const std::function<void()>& action)
{
    try {
        action();
    } catch (const SSError::CError& error) {
        return error.report();
    }
    ADD_FAILURE() << "no SSError raised";
    return {};
}

std::string utf8(const std::u16string& text)
{
    return WideText::toUtf8(text);
}

#include "G4Encoder.h"

#include "TiffFile.h"
#include "TiffTestSupport.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

struct BitmapCase {
    const char* name;
    std::function<PageBitmap()> make;
};

PageBitmap filled(int width, int height, bool black)
{
    PageBitmap bitmap(width, height, 300, 300);
    if (black)
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                bitmap.setBlack(x, y);
    return bitmap;
}

// Every run length from 0 to 2700 of both colours, on rows under a white row so that each is
// coded in horizontal mode with its make-up and terminating codes.
PageBitmap everyRunLength()
{
    constexpr int kLongest = 2700;
    PageBitmap bitmap(2 * kLongest + 8, 2 * (kLongest + 1), 300, 300);
    for (int run = 0; run <= kLongest; ++run) {
        const int y = 2 * run + 1;
        for (int x = run; x < 2 * run; ++x)
            bitmap.setBlack(x, y);
    }
    return bitmap;
}

// Vertical edges that move by -4 ... +4 pixels from row to row: every vertical code and the
// switch to horizontal mode around them.
PageBitmap driftingEdges()
{
    PageBitmap bitmap(400, 90, 300, 300);
    int left = 100;
    for (int y = 0; y < bitmap.height; ++y) {
        left += (y % 9) - 4;
        for (int x = left; x < left + 60 + (y % 7); ++x)
            bitmap.setBlack(x, y);
    }
    return bitmap;
}

// Short runs under long ones: pass mode.
PageBitmap passModes()
{
    PageBitmap bitmap(300, 40, 300, 300);
    for (int y = 0; y < bitmap.height; y += 2) {
        for (int x = 20; x < 40; ++x)
            bitmap.setBlack(x, y);
        for (int x = 200; x < 260; ++x)
            bitmap.setBlack(x, y + 1);
    }
    return bitmap;
}

PageBitmap dirtyPadding()
{
    // Bits past each row's last pixel are set; the encoder must not see them.
    PageBitmap bitmap = randomBitmap(37, 20, 7);
    for (int y = 0; y < bitmap.height; ++y)
        for (std::size_t byte = 5; byte < bitmap.stride; ++byte)
            bitmap.row(y)[byte] = 0xFF;
    for (int y = 0; y < bitmap.height; ++y)
        bitmap.row(y)[4] |= 0x07;
    return bitmap;
}

const BitmapCase kBitmaps[] = {
    {"all white", [] { return filled(2480, 50, false); }},
    {"all black", [] { return filled(2480, 50, true); }},
    {"one pixel", [] { return filled(1, 1, false); }},
    {"one black pixel", [] { return filled(1, 1, true); }},
    {"width 1 random", [] { return randomBitmap(1, 300, 1); }},
    {"width 63", [] { return randomBitmap(63, 40, 2); }},
    {"width 64", [] { return randomBitmap(64, 40, 3); }},
    {"width 65", [] { return randomBitmap(65, 40, 4); }},
    {"every run length", everyRunLength},
    {"drifting edges", driftingEdges},
    {"pass modes", passModes},
    {"random 50%", [] { return randomBitmap(1000, 200, 11); }},
    {"random sparse", [] { return randomBitmap(2480, 100, 12, 2); }},
    {"random dense", [] { return randomBitmap(777, 100, 13, 95); }},
    {"form page", [] { return formLikeBitmap(2480, 3508, 300, 14); }},
    {"dirty padding", dirtyPadding},
    {"last row white", [] {
         PageBitmap bitmap = randomBitmap(500, 30, 15);
         for (std::size_t byte = 0; byte < bitmap.stride; ++byte)
             bitmap.row(29)[byte] = 0;
         return bitmap;
     }},
};

// Wraps a Group 4 strip in a TIFF with libtiff's raw-strip interface.
void writeStripTiff(const std::string& path, const PageBitmap& bitmap, const std::vector<uint8_t>& strip)
{
    TIFF* tiff = TIFFOpen(path.c_str(), "w");
    ASSERT_NE(tiff, nullptr);
    TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, bitmap.width);
    TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, bitmap.height);
    TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, 1);
    TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, 1);
    TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_MINISWHITE);
    TIFFSetField(tiff, TIFFTAG_COMPRESSION, COMPRESSION_CCITTFAX4);
    TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, bitmap.height);
    std::vector<uint8_t> data = strip;
    ASSERT_EQ(TIFFWriteRawStrip(tiff, 0, data.data(), static_cast<tmsize_t>(data.size())),
              static_cast<tmsize_t>(data.size()));
    TIFFClose(tiff);
}

// The strip libtiff's own Group 4 encoder makes of the same bitmap.
std::vector<uint8_t> libtiffStrip(const std::string& path, const PageBitmap& bitmap)
{
    writeFixtureTiff(path, {{bitmap, FixtureCompression::Group4, {}}});
    TIFF* tiff = TIFFOpen(path.c_str(), "r");
    std::vector<uint8_t> strip(static_cast<std::size_t>(TIFFGetStrileByteCount(tiff, 0)));
    TIFFReadRawStrip(tiff, 0, strip.data(), static_cast<tmsize_t>(strip.size()));
    TIFFClose(tiff);
    return strip;
}

TEST(G4EncoderTest, LibtiffDecodesEveryBitmapToItself)
{
    ScratchFolder folder;
    for (const BitmapCase& bitmapCase : kBitmaps) {
        SCOPED_TRACE(bitmapCase.name);
        const PageBitmap bitmap = bitmapCase.make();
        const std::string path = folder.file("strip.tif");
        writeStripTiff(path, bitmap, EncodeG4(bitmap));
        const std::vector<PageBitmap> decoded = decodeTiff(path);
        ASSERT_EQ(decoded.size(), 1u);
        EXPECT_TRUE(samePixels(decoded[0], bitmap));
    }
}

// Group 4 leaves the encoder no choice, so the bytes must be libtiff's to the last bit.
TEST(G4EncoderTest, BytesEqualLibtiffsEncoder)
{
    ScratchFolder folder;
    for (const BitmapCase& bitmapCase : kBitmaps) {
        SCOPED_TRACE(bitmapCase.name);
        const PageBitmap bitmap = bitmapCase.make();
        if (bitmapCase.name == std::string("dirty padding"))
            continue; // libtiff would code the padding bits it is given
        EXPECT_EQ(EncodeG4(bitmap), libtiffStrip(folder.file("libtiff.tif"), bitmap));
    }
}

TEST(G4EncoderTest, EndsWithEndOfFacsimileBlock)
{
    // One white row is V0 ("1"), then EOL EOL (24 bits): 25 bits, filled to 4 bytes.
    const std::vector<uint8_t> expected = {0x80, 0x08, 0x00, 0x80};
    EXPECT_EQ(EncodeG4(filled(100, 1, false)), expected);
}

} // namespace

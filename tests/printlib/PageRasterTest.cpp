#include "PageRaster.h"

#include "ElementDrawing.h"

#include "RenderTestSupport.h"

#include <gtest/gtest.h>
#include <tiffio.h>

#include <algorithm>

namespace {

TEST(ToOneBitTest, OnlyWhiteInFiveBitsStaysWhite)
{
    struct Case {
        uint32_t pixel;
        bool black;
    };
    const Case cases[] = {{0xFFFFFF, false}, {0xF8F8F8, false}, {0xFCF9FA, false}, {0xF7FFFF, true},
                          {0xFFF7FF, true},  {0xFFFFF7, true},  {0x808080, true},  {0x000000, true}};
    CairoSurface surface(cairo_image_surface_create(CAIRO_FORMAT_RGB24, 33, 2));
    cairo_surface_flush(surface.get());
    auto* row = reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(surface.get()));
    for (int x = 0; x < 33; ++x)
        row[x] = 0xFFFFFF;
    for (std::size_t i = 0; i < std::size(cases); ++i)
        row[i * 4] = cases[i].pixel;
    auto* second = reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(surface.get()) +
                                               cairo_image_surface_get_stride(surface.get()));
    for (int x = 0; x < 33; ++x)
        second[x] = 0;
    cairo_surface_mark_dirty(surface.get());

    const PageBitmap page = ToOneBit(surface.get(), 200, 100);
    EXPECT_EQ(page.width, 33);
    EXPECT_EQ(page.stride, 8u);
    EXPECT_EQ(page.xDpi, 200);
    EXPECT_EQ(page.yDpi, 100);
    for (std::size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(page.isBlack(static_cast<int>(i * 4), 0), cases[i].black) << std::hex << cases[i].pixel;
    EXPECT_FALSE(page.isBlack(1, 0));
    // The row's last partial byte holds pixel 32 in its top bit and nothing past it.
    EXPECT_EQ(page.row(1)[4], 0x80);
    EXPECT_EQ(page.row(1)[5], 0);
}

TEST(ToOneBitTest, InkFromAlphaEightUp)
{
    struct Case {
        uint8_t alpha;
        bool black;
    };
    const Case cases[] = {{0, false}, {7, false}, {8, true}, {128, true}, {255, true}};
    CairoSurface surface = newInkSurface(33, 2);
    cairo_surface_flush(surface.get());
    unsigned char* row = cairo_image_surface_get_data(surface.get());
    for (std::size_t i = 0; i < std::size(cases); ++i)
        row[i * 5] = cases[i].alpha;
    std::fill_n(row + cairo_image_surface_get_stride(surface.get()), 33, 0xFF);
    cairo_surface_mark_dirty(surface.get());

    const PageBitmap page = ToOneBit(surface.get(), 200, 100);
    EXPECT_EQ(page.width, 33);
    EXPECT_EQ(page.yDpi, 100);
    for (std::size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(page.isBlack(static_cast<int>(i * 5), 0), cases[i].black) << int{cases[i].alpha};
    EXPECT_FALSE(page.isBlack(1, 0));
    EXPECT_EQ(page.row(1)[3], 0xFF);
    EXPECT_EQ(page.row(1)[4], 0x80);
    EXPECT_EQ(page.row(1)[5], 0);
}

TEST(PaintInkTest, InkAndColourImagesShowTheBitmap)
{
    const PageBitmap bitmap = randomBitmap(37, 5, 7);
    CairoSurface ink = newInkSurface(37, 5);
    paintInk(bitmap, ink.get());
    EXPECT_TRUE(samePixels(ToOneBit(ink.get(), 300, 300), bitmap));
    const CairoSurface colour = colourSurface(bitmap);
    EXPECT_EQ(cairo_image_surface_get_format(colour.get()), CAIRO_FORMAT_RGB24);
    EXPECT_TRUE(samePixels(ToOneBit(colour.get(), 300, 300), bitmap));
}

// Draws the random frame over a black ink page at the transform, either itself or through Cairo
// as an 8-bit ink image.
PageBitmap stretchedFrame(const cairo_matrix_t& transform, double x, double y, double width, double height,
                          bool itself)
{
    const PageBitmap frame = randomBitmap(301, 207, 11);
    CairoSurface page = newInkSurface(260, 190);
    const CairoContext cr(cairo_create(page.get()));
    drawForOneBit(cr.get());
    cairo_paint(cr.get());
    cairo_set_matrix(cr.get(), &transform);
    if (itself) {
        EXPECT_TRUE(drawInkStretched(cr.get(), frame, x, y, width, height));
    } else {
        CairoSurface image = newInkSurface(frame.width, frame.height);
        paintInk(frame, image.get());
        drawImage(cr.get(), image.get(), frame.width, frame.height, x, y, width, height);
    }
    return ToOneBit(page.get(), 300, 300);
}

TEST(DrawInkStretchedTest, SamePixelsAsCairo)
{
    struct Case {
        const char* name;
        cairo_matrix_t transform;
        double x, y, width, height;
    };
    const double mm = 300 / 25.4;
    const Case cases[] = {
        {"natural size", {mm, 0, 0, mm, 0, 0}, -3.3, 1.7, 301 / mm, 207 / mm},
        {"scaled down", {mm * 0.815, 0, 0, mm * 0.815, 41.3, 0}, 0, 0, 301 / mm, 207 / mm},
        {"scaled up, past the edges", {mm * 1.19, 0, 0, mm * 1.18, -20.6, 3.25}, 2.5, 0, 301 / mm, 207 / mm},
        {"stretched", {1, 0, 0, 1, 0, 0}, 10.5, 20.25, 150.3, 90.7},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const PageBitmap expected = stretchedFrame(c.transform, c.x, c.y, c.width, c.height, false);
        const PageBitmap drawn = stretchedFrame(c.transform, c.x, c.y, c.width, c.height, true);
        int differ = 0;
        int white = 0;
        for (int y = 0; y < drawn.height; ++y)
            for (int x = 0; x < drawn.width; ++x) {
                differ += drawn.isBlack(x, y) != expected.isBlack(x, y) ? 1 : 0;
                white += drawn.isBlack(x, y) ? 0 : 1;
            }
        EXPECT_EQ(differ, 0);
        EXPECT_GT(white, 1000); // the frame's white half shows over the black page

    }
}

TEST(DrawInkStretchedTest, LeavesTurnedFramesToCairo)
{
    CairoSurface page = newInkSurface(20, 20);
    const CairoContext cr(cairo_create(page.get()));
    cairo_rotate(cr.get(), 0.5);
    EXPECT_FALSE(drawInkStretched(cr.get(), randomBitmap(8, 8, 1), 0, 0, 10, 10));
    CairoSurface colour(cairo_image_surface_create(CAIRO_FORMAT_RGB24, 20, 20));
    const CairoContext colourCr(cairo_create(colour.get()));
    EXPECT_FALSE(drawInkStretched(colourCr.get(), randomBitmap(8, 8, 1), 0, 0, 10, 10));
}

TEST(FrameInkTest, GreyFramesTurnBlackAsTheirPageWould)
{
    // 8-bit grey: only what stays white in 5 bits is white.
    const ScratchFolder folder;
    const std::string path = folder.file("grey.tif");
    const uint8_t greys[] = {255, 248, 247, 0};
    TIFF* tiff = TIFFOpen(path.c_str(), "w");
    TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, 4);
    TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, 1);
    TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, 8);
    TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, 1);
    TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_MINISBLACK);
    TIFFSetField(tiff, TIFFTAG_XRESOLUTION, 300.0);
    TIFFSetField(tiff, TIFFTAG_YRESOLUTION, 300.0);
    TIFFSetField(tiff, TIFFTAG_RESOLUTIONUNIT, RESUNIT_INCH);
    TIFFWriteScanline(tiff, const_cast<uint8_t*>(greys), 0, 0);
    TIFFClose(tiff);

    SourceTiff source;
    source.SetSourceTiff(path);
    EXPECT_FALSE(source.ReadBilevelFrame(1).has_value());
    const PageBitmap ink = frameInk(source, 1);
    EXPECT_EQ(ink.width, 4);
    EXPECT_EQ(ink.xDpi, 300);
    EXPECT_FALSE(ink.isBlack(0, 0));
    EXPECT_FALSE(ink.isBlack(1, 0));
    EXPECT_TRUE(ink.isBlack(2, 0));
    EXPECT_TRUE(ink.isBlack(3, 0));
}

TEST(FrameSurfaceTest, TransparentPixelsShowWhite)
{
    FrameImage frame{{4, 1, 300, 300}, {0xFF000000, 0x00000000, 0x80000000, 0xFF123456}};
    const CairoSurface surface = frameSurface(frame);
    const PageBitmap page = ToOneBit(surface.get(), 300, 300);
    EXPECT_TRUE(page.isBlack(0, 0));
    EXPECT_FALSE(page.isBlack(1, 0));
    EXPECT_TRUE(page.isBlack(2, 0));
    EXPECT_TRUE(page.isBlack(3, 0));
}

TEST(CheckDrawableSizeTest, RefusesFramesTooLargeToDraw)
{
    struct Case {
        int width;
        int height;
        bool refused;
    };
    for (const Case& c : {Case{2480, 3508, false}, Case{32767, 4000, false}, Case{32768, 10, true},
                          Case{10, 40000, true}, Case{12000, 12000, true}}) {
        bool refused = false;
        try {
            checkDrawableSize({c.width, c.height, 300, 300}, 2, "/tmp/form.tif");
        } catch (const SSError::CError& error) {
            refused = true;
            EXPECT_NE(utf8(error.report()).find("страница 2 файла /tmp/form.tif"), std::string::npos);
        }
        EXPECT_EQ(refused, c.refused) << c.width << " x " << c.height;
    }
}

} // namespace

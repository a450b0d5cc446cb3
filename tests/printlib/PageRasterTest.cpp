#include "PageRaster.h"

#include "RenderTestSupport.h"

#include <gtest/gtest.h>

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

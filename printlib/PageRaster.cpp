#include "PageRaster.h"

#include "SSError.h"
#include "WideText.h"

namespace {

constexpr uint32_t kWhiteIn5Bits = 0xF8F8F8;

uint32_t* rowOf(cairo_surface_t* surface, int y)
{
    return reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(surface) +
                                       static_cast<std::ptrdiff_t>(y) * cairo_image_surface_get_stride(surface));
}

uint32_t overWhite(uint32_t argb)
{
    const uint32_t alpha = argb >> 24;
    uint32_t rgb = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        const uint32_t channel = (argb >> shift) & 0xFF;
        rgb |= ((channel * alpha + 255 * (255 - alpha) + 127) / 255) << shift;
    }
    return rgb;
}

} // namespace

void checkDrawableSize(const FrameInfo& frame, int page, const std::string& path)
{
    if (frame.width > kMaxPageSide || frame.height > kMaxPageSide ||
        int64_t{frame.width} * frame.height > kMaxPagePixels)
        SSError::CPrgError(SSError::kRendererSourceOffset + SSError::kSourceTifOperation, __LINE__,
                           SSError::kErrUnsupportedTiff)
            .addDetail(u"страница " + WideText::decimal(page) + u" файла " + WideText::fromUtf8(path) +
                       u" размером " + WideText::decimal(frame.width) + u" x " + WideText::decimal(frame.height) +
                       u" точек слишком велика")
            .raise();
}

void drawForOneBit(cairo_t* cr)
{
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    const CairoFontOptions options(cairo_font_options_create());
    cairo_font_options_set_antialias(options.get(), CAIRO_ANTIALIAS_NONE);
    // Glyphs are placed by the text layout, whose metrics do not depend on the resolution.
    cairo_font_options_set_hint_metrics(options.get(), CAIRO_HINT_METRICS_OFF);
    cairo_set_font_options(cr, options.get());
}

CairoSurface newPageSurface(const FrameInfo& frame)
{
    CairoSurface surface(cairo_image_surface_create(CAIRO_FORMAT_RGB24, frame.width, frame.height));
    checkCairo(surface.get(), __LINE__);
    return surface;
}

CairoSurface frameSurface(const FrameImage& frame)
{
    CairoSurface surface = newPageSurface(frame.info);
    cairo_surface_flush(surface.get());
    const auto width = static_cast<std::size_t>(frame.info.width);
    for (int y = 0; y < frame.info.height; ++y) {
        uint32_t* row = rowOf(surface.get(), y);
        const uint32_t* pixels = frame.pixels.data() + width * static_cast<std::size_t>(y);
        for (std::size_t x = 0; x < width; ++x)
            row[x] = pixels[x] >> 24 == 0xFF ? pixels[x] & 0xFFFFFF : overWhite(pixels[x]);
    }
    cairo_surface_mark_dirty(surface.get());
    return surface;
}

PageBitmap ToOneBit(cairo_surface_t* page, double xDpi, double yDpi)
{
    cairo_surface_flush(page);
    const int width = cairo_image_surface_get_width(page);
    const int height = cairo_image_surface_get_height(page);
    PageBitmap bitmap(width, height, xDpi, yDpi);
    for (int y = 0; y < height; ++y) {
        const uint32_t* pixels = rowOf(page, y);
        uint8_t* bits = bitmap.row(y);
        for (int x = 0; x < width; ++x)
            if ((pixels[x] & kWhiteIn5Bits) != kWhiteIn5Bits)
                bits[x >> 3] |= static_cast<uint8_t>(0x80 >> (x & 7));
    }
    return bitmap;
}

#include "PageRaster.h"

#include "PageCanvas.h"
#include "SSError.h"
#include "WideText.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <vector>

namespace {

constexpr uint32_t kWhiteIn5Bits = 0xF8F8F8;
// Black of this alpha over white is 255 - alpha, white in 5 bits up to alpha 7.
constexpr uint8_t kLeastInk = 8;

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

uint32_t opaque(uint32_t argb)
{
    return argb >> 24 == 0xFF ? argb & 0xFFFFFF : overWhite(argb);
}

bool isInk(uint32_t rgb)
{
    return (rgb & kWhiteIn5Bits) != kWhiteIn5Bits;
}

void checkSameSize(const PageBitmap& ink, cairo_surface_t* image)
{
    if (cairo_image_surface_get_width(image) != ink.width || cairo_image_surface_get_height(image) != ink.height)
        raiseCairoError(CAIRO_STATUS_INVALID_SIZE, __LINE__);
}

// Eight alphas, the first pixel in the lowest byte, as eight bits, the first pixel in the top bit.
uint8_t packInk(uint64_t alphas)
{
    static_assert(kLeastInk == 8, "ink is an alpha with any of its top five bits set");
    const uint64_t ink = alphas & 0xF8F8F8F8F8F8F8F8u;
    // The top bit of every byte that is not 0, moved down to the byte's lowest bit.
    const uint64_t flags = ((((ink & 0x7F7F7F7F7F7F7F7Fu) + 0x7F7F7F7F7F7F7F7Fu) | ink) & 0x8080808080808080u) >> 7;
    // Byte k's bit lands on bit 63 - k, apart from every other.
    return static_cast<uint8_t>((flags * 0x8040201008040201u) >> 56);
}

PageBitmap oneBitOfInk(cairo_surface_t* page, double xDpi, double yDpi)
{
    const int width = cairo_image_surface_get_width(page);
    const int height = cairo_image_surface_get_height(page);
    const unsigned char* data = cairo_image_surface_get_data(page);
    const int stride = cairo_image_surface_get_stride(page);
    PageBitmap bitmap(width, height, xDpi, yDpi);
    const int wholeBytes = width / 8;
    for (int y = 0; y < height; ++y) {
        const unsigned char* alpha = data + static_cast<std::ptrdiff_t>(y) * stride;
        uint8_t* bits = bitmap.row(y);
        for (int byte = 0; byte < wholeBytes; ++byte, alpha += 8) {
            uint64_t eight;
            std::memcpy(&eight, alpha, sizeof eight);
            if (eight != 0)
                bits[byte] = packInk(eight);
        }
        for (int x = wholeBytes * 8; x < width; ++x, ++alpha)
            if (*alpha >= kLeastInk)
                bits[x >> 3] |= static_cast<uint8_t>(0x80 >> (x & 7));
    }
    return bitmap;
}

// The device pixels [first, last) a rectangle edge pair covers when filled without antialiasing:
// edges are rounded to whole pixels, halves down.
std::pair<int64_t, int64_t> coveredPixels(double from, double to, int64_t size)
{
    const auto round = [](double edge) { return static_cast<int64_t>(std::ceil(edge - 0.5)); };
    return {std::clamp<int64_t>(round(from), 0, size), std::clamp<int64_t>(round(to), 0, size)};
}

// The source pixel sampled for device pixel `pixel`: its centre mapped back, nearest, the edge
// pixel for centres past the edge.
int sourcePixel(int64_t pixel, double origin, double scale, int size)
{
    const double position = std::floor((static_cast<double>(pixel) + 0.5 - origin) / scale);
    return static_cast<int>(std::clamp<double>(position, 0, size - 1));
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

CairoSurface newInkSurface(int width, int height)
{
    CairoSurface surface(cairo_image_surface_create(CAIRO_FORMAT_A8, width, height));
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
            row[x] = opaque(pixels[x]);
    }
    cairo_surface_mark_dirty(surface.get());
    return surface;
}

PageBitmap frameInk(SourceTiff& source, int page)
{
    if (std::optional<PageBitmap> bilevel = source.ReadBilevelFrame(page))
        return std::move(*bilevel);
    const FrameImage frame = source.ReadFrame(page);
    PageBitmap ink(frame.info.width, frame.info.height, frame.info.xDpi, frame.info.yDpi);
    const auto width = static_cast<std::size_t>(frame.info.width);
    for (int y = 0; y < frame.info.height; ++y) {
        const uint32_t* pixels = frame.pixels.data() + width * static_cast<std::size_t>(y);
        for (std::size_t x = 0; x < width; ++x)
            if (isInk(opaque(pixels[x])))
                ink.setBlack(static_cast<int>(x), y);
    }
    return ink;
}

void paintInk(const PageBitmap& ink, cairo_surface_t* image)
{
    checkSameSize(ink, image);
    const bool colour = cairo_image_surface_get_format(image) != CAIRO_FORMAT_A8;
    // The eight pixels of each byte of the bitmap.
    static const auto kAlphas = [] {
        std::array<std::array<uint8_t, 8>, 256> alphas{};
        for (int byte = 0; byte < 256; ++byte)
            for (int bit = 0; bit < 8; ++bit)
                alphas[static_cast<std::size_t>(byte)][static_cast<std::size_t>(bit)] = (byte << bit & 0x80) ? 0xFF : 0;
        return alphas;
    }();
    cairo_surface_flush(image);
    unsigned char* data = cairo_image_surface_get_data(image);
    const int stride = cairo_image_surface_get_stride(image);
    for (int y = 0; y < ink.height; ++y) {
        unsigned char* line = data + static_cast<std::ptrdiff_t>(y) * stride;
        const uint8_t* bits = ink.row(y);
        if (colour) {
            auto* pixels = reinterpret_cast<uint32_t*>(line);
            for (int x = 0; x < ink.width; ++x)
                pixels[x] = ink.isBlack(x, y) ? 0 : 0xFFFFFFu;
            continue;
        }
        const int wholeBytes = ink.width / 8;
        for (int byte = 0; byte < wholeBytes; ++byte)
            std::memcpy(line + byte * 8, kAlphas[bits[byte]].data(), 8);
        for (int x = wholeBytes * 8; x < ink.width; ++x)
            line[x] = ink.isBlack(x, y) ? 0xFF : 0;
    }
    cairo_surface_mark_dirty(image);
}

CairoSurface colourSurface(const PageBitmap& ink)
{
    CairoSurface surface = newPageSurface({ink.width, ink.height, ink.xDpi, ink.yDpi});
    paintInk(ink, surface.get());
    return surface;
}

PageBitmap ToOneBit(cairo_surface_t* page, double xDpi, double yDpi)
{
    cairo_surface_flush(page);
    if (cairo_image_surface_get_format(page) == CAIRO_FORMAT_A8)
        return oneBitOfInk(page, xDpi, yDpi);
    const int width = cairo_image_surface_get_width(page);
    const int height = cairo_image_surface_get_height(page);
    PageBitmap bitmap(width, height, xDpi, yDpi);
    for (int y = 0; y < height; ++y) {
        const uint32_t* pixels = rowOf(page, y);
        uint8_t* bits = bitmap.row(y);
        for (int x = 0; x < width; ++x)
            if (isInk(pixels[x]))
                bits[x >> 3] |= static_cast<uint8_t>(0x80 >> (x & 7));
    }
    return bitmap;
}

bool drawInkStretched(cairo_t* cr, const PageBitmap& ink, double x, double y, double width, double height)
{
    cairo_matrix_t toDevice;
    cairo_get_matrix(cr, &toDevice);
    if (!drawsInk(cr) || toDevice.xy != 0 || toDevice.yx != 0 || !(toDevice.xx > 0) || !(toDevice.yy > 0) ||
        !(width > 0) || !(height > 0) || ink.width < 1 || ink.height < 1)
        return false;
    cairo_surface_t* page = cairo_get_target(cr);
    if (cairo_surface_get_type(page) != CAIRO_SURFACE_TYPE_IMAGE ||
        cairo_image_surface_get_format(page) != CAIRO_FORMAT_A8)
        return false;
    const double left = toDevice.xx * x + toDevice.x0;
    const double top = toDevice.yy * y + toDevice.y0;
    const double xScale = toDevice.xx * width / ink.width;
    const double yScale = toDevice.yy * height / ink.height;
    const auto [firstColumn, endColumn] =
        coveredPixels(left, left + toDevice.xx * width, cairo_image_surface_get_width(page));
    const auto [firstRow, endRow] = coveredPixels(top, top + toDevice.yy * height, cairo_image_surface_get_height(page));
    if (firstColumn >= endColumn || firstRow >= endRow)
        return true;

    std::vector<int> columns(static_cast<std::size_t>(endColumn - firstColumn));
    for (int64_t column = firstColumn; column < endColumn; ++column)
        columns[static_cast<std::size_t>(column - firstColumn)] = sourcePixel(column, left, xScale, ink.width);
    const std::size_t firstByte = static_cast<std::size_t>(columns.front()) / 8;
    const std::size_t endByte = static_cast<std::size_t>(columns.back()) / 8 + 1;
    // The first device column (from firstColumn) that samples each byte of a source row, or a
    // later byte; source columns grow with device columns.
    std::vector<std::size_t> byteStart(endByte - firstByte + 1, columns.size());
    for (std::size_t i = columns.size(); i-- > 0;)
        byteStart[static_cast<std::size_t>(columns[i]) / 8 - firstByte] = i;
    for (std::size_t byte = byteStart.size() - 1; byte-- > 0;)
        byteStart[byte] = std::min(byteStart[byte], byteStart[byte + 1]);

    cairo_surface_flush(page);
    unsigned char* data = cairo_image_surface_get_data(page);
    const int stride = cairo_image_surface_get_stride(page);
    const unsigned char* previous = nullptr;
    int previousSource = -1;
    for (int64_t row = firstRow; row < endRow; ++row) {
        unsigned char* pixels = data + row * stride + firstColumn;
        const int source = sourcePixel(row, top, yScale, ink.height);
        if (source == previousSource) {
            std::memcpy(pixels, previous, columns.size());
            continue;
        }
        const uint8_t* bits = ink.row(source) + firstByte;
        const std::size_t bytes = endByte - firstByte;
        for (std::size_t byte = 0; byte < bytes;) {
            if (bits[byte] == 0) {
                std::size_t white = byte + 1;
                while (white < bytes && bits[white] == 0)
                    ++white;
                std::memset(pixels + byteStart[byte], 0, byteStart[white] - byteStart[byte]);
                byte = white;
                continue;
            }
            for (std::size_t i = byteStart[byte]; i < byteStart[byte + 1]; ++i)
                pixels[i] = (bits[byte] >> (7 - (columns[i] & 7)) & 1) ? 0xFF : 0;
            ++byte;
        }
        previous = pixels;
        previousSource = source;
    }
    cairo_surface_mark_dirty_rectangle(page, static_cast<int>(firstColumn), static_cast<int>(firstRow),
                                       static_cast<int>(endColumn - firstColumn), static_cast<int>(endRow - firstRow));
    return true;
}

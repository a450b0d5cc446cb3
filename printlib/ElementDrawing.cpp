#include "ElementDrawing.h"

#include "PageCanvas.h"

#include <string>

namespace {

constexpr int kMaxCellMarkLines = 4096;

void horizontalLine(cairo_t* cr, double x1, double x2, double y)
{
    cairo_move_to(cr, x1, y);
    cairo_line_to(cr, x2, y);
}

void fillWhite(cairo_t* cr, double x, double y, double width, double height)
{
    useWhite(cr);
    cairo_rectangle(cr, x, y, width, height);
    cairo_fill(cr);
    useBlack(cr);
}

} // namespace

void drawCellMark(cairo_t* cr, CellMark mark, double x, double y, double width, double height)
{
    CairoStateGuard state(cr);
    cairo_set_source_rgb(cr, 0, 0, 0);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
    const double middle = y + height / 2;
    switch (mark) {
    case CellMark::None:
        return;
    case CellMark::Slashed:
        horizontalLine(cr, x, x + width, middle);
        break;
    case CellMark::Slashed0:
        fillWhite(cr, x, y, width, height);
        return;
    case CellMark::Slashed1:
        horizontalLine(cr, x + 1, x + width - 1, middle);
        break;
    case CellMark::Slashed2:
        fillWhite(cr, x, y, width, height);
        horizontalLine(cr, x + 1, x + width - 1, middle);
        break;
    case CellMark::Slashed3:
        fillWhite(cr, x, y, width, height);
        if (height >= 16) {
            // A line every 8 mm, the first 4 mm below the top, none in the last 8 mm.
            // A cell reaches past the page long before the bound; it only keeps a nonsensical height from
            // drawing for ever.
            for (int i = 0; i < height / 8 - 1 && i < kMaxCellMarkLines; ++i)
                horizontalLine(cr, x + 1, x + width - 1, y + 4 + 8 * i);
        } else {
            horizontalLine(cr, x + 1, x + width - 1, middle);
        }
        break;
    }
    strokeVisibly(cr, kCellMarkPenWidth);
}

void DrawCross(cairo_t* cr, const CrossLayout& cross, double x, double y)
{
    CairoStateGuard state(cr);
    cairo_set_source_rgb(cr, 0, 0, 0);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
    cairo_move_to(cr, x + cross.width / 2, y);
    cairo_line_to(cr, x + cross.width / 2, y + cross.height);
    horizontalLine(cr, x, x + cross.width, y + cross.height / 2);
    strokeVisibly(cr, cross.penWidth);
}

CairoSurface symbolSurface(const Pdf417Bitmap& symbol, std::u16string_view data, bool ink)
{
    CairoSurface surface(
        cairo_image_surface_create(ink ? CAIRO_FORMAT_A8 : CAIRO_FORMAT_RGB24, symbol.width, symbol.height));
    checkCairo(surface.get(), __LINE__,
               u"Не удалось создать объект, из данных для штрихкода PDF417: " + std::u16string(data));
    cairo_surface_flush(surface.get());
    unsigned char* pixels = cairo_image_surface_get_data(surface.get());
    const int stride = cairo_image_surface_get_stride(surface.get());
    for (int y = 0; y < symbol.height; ++y) {
        unsigned char* line = pixels + static_cast<std::ptrdiff_t>(y) * stride;
        auto* row = reinterpret_cast<uint32_t*>(line);
        for (int x = 0; x < symbol.width; ++x)
            if (ink)
                line[x] = symbol.pixel(x, y) ? 0 : 0xFF;
            else
                row[x] = symbol.pixel(x, y) ? 0xFFFFFFu : 0;
    }
    cairo_surface_mark_dirty(surface.get());
    return surface;
}

void drawImage(cairo_t* cr, cairo_surface_t* image, int pixelWidth, int pixelHeight, double x, double y,
               double width, double height)
{
    if (width == 0 || height == 0 || pixelWidth <= 0 || pixelHeight <= 0)
        return;
    CairoStateGuard state(cr);
    CairoPattern pattern(cairo_pattern_create_for_surface(image));
    cairo_matrix_t toPixels;
    cairo_matrix_init_scale(&toPixels, pixelWidth / width, pixelHeight / height);
    cairo_matrix_translate(&toPixels, -x, -y);
    cairo_pattern_set_matrix(pattern.get(), &toPixels);
    cairo_pattern_set_filter(pattern.get(), CAIRO_FILTER_NEAREST);
    // Samples on the rectangle's edge take the edge pixel, not the transparent outside.
    cairo_pattern_set_extend(pattern.get(), CAIRO_EXTEND_PAD);
    // An ink image replaces what lies under it, white parts included.
    if (drawsInk(cr))
        cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_set_source(cr, pattern.get());
    cairo_rectangle(cr, x, y, width, height);
    cairo_fill(cr);
}

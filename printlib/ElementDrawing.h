#pragma once

// The drawings of single elements other than text: cell marks, crosses, PDF417 symbols and
// images. Lengths are millimetres in the current frame of the Cairo context; everything is
// drawn in black or white, with nearest-neighbour sampling so that edges stay sharp on a 1-bit
// page.

#include "CairoHandles.h"
#include "DrawCommandParser.h"
#include "ElementText.h"
#include "Pdf417Painter.h"

#include <cairo.h>

#include <string_view>

// Pen width of cell marks.
inline constexpr double kCellMarkPenWidth = 0.2;

// The mark of a text cell in the rectangle (x, y, width, height).
void drawCellMark(cairo_t* cr, CellMark mark, double x, double y, double width, double height);

// A cross: a vertical and a horizontal line through the middle of the cross's rectangle placed
// at (x, y).
void DrawCross(cairo_t* cr, const CrossLayout& cross, double x, double y);

// A symbol bitmap (bars are 0 bits) as an opaque black and white image, or as ink for an ink
// page (see PageCanvas.h); `data` names the symbol when the image cannot be made.
CairoSurface symbolSurface(const Pdf417Bitmap& symbol, std::u16string_view data, bool ink = false);

// Draws an image of pixelWidth x pixelHeight pixels stretched over the rectangle (x, y, width,
// height); an empty rectangle draws nothing. On an ink page the image must be ink too.
void drawImage(cairo_t* cr, cairo_surface_t* image, int pixelWidth, int pixelHeight, double x, double y,
               double width, double height);

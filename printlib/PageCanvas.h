#pragma once

// What page drawing draws on: a Cairo context whose user space is millimetres on the page (a
// page bitmap or a printer's page), and the state every element's drawing starts from.
//
// A page that becomes 1 bit per pixel is drawn as ink on an alpha-only surface: alpha is the
// blackness, and white is drawn by clearing. A printer's page is drawn in colour.

#include "ElementTransform.h"

#include <cairo.h>

struct PageCanvas {
    cairo_t* cr = nullptr;
    // Millimetres on the page to the target's device space: the world transform's identity.
    cairo_matrix_t pageMatrix{};
    // The target's resolution, for sizes given in pixels.
    double dpi = 0;
};

// The context draws on an ink surface (alpha only).
bool drawsInk(cairo_t* cr);
// Makes the following fills and strokes draw white, or black, on either kind of surface.
void useWhite(cairo_t* cr);
void useBlack(cairo_t* cr);

cairo_matrix_t toCairoMatrix(const TransformMatrix& matrix);

// A transform that maps the plane onto a line or a point cannot be drawn through (Cairo would
// stop drawing on the whole page).
bool isDrawable(const TransformMatrix& matrix);

// Replaces the world transform with `matrix`, which must be drawable, as a page-transform
// element does.
void setWorldTransform(const PageCanvas& canvas, const TransformMatrix& matrix);

// Strokes the current path with `width` millimetres, and never thinner than one device pixel, so
// that a thin line does not vanish from a 1-bit page.
void strokeVisibly(cairo_t* cr, double width);

#include "PageCanvas.h"

#include <algorithm>
#include <cmath>

bool drawsInk(cairo_t* cr)
{
    return cairo_surface_get_content(cairo_get_target(cr)) == CAIRO_CONTENT_ALPHA;
}

void useWhite(cairo_t* cr)
{
    if (drawsInk(cr))
        cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
    else
        cairo_set_source_rgb(cr, 1, 1, 1);
}

void useBlack(cairo_t* cr)
{
    cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
    cairo_set_source_rgb(cr, 0, 0, 0);
}

cairo_matrix_t toCairoMatrix(const TransformMatrix& matrix)
{
    // TransformMatrix maps row vectors: x' = x m11 + y m21 + dx, y' = x m12 + y m22 + dy.
    cairo_matrix_t cairo;
    cairo_matrix_init(&cairo, matrix.m11, matrix.m12, matrix.m21, matrix.m22, matrix.dx, matrix.dy);
    return cairo;
}

bool isDrawable(const TransformMatrix& matrix)
{
    cairo_matrix_t inverse = toCairoMatrix(matrix);
    return cairo_matrix_invert(&inverse) == CAIRO_STATUS_SUCCESS;
}

void setWorldTransform(const PageCanvas& canvas, const TransformMatrix& matrix)
{
    cairo_set_matrix(canvas.cr, &canvas.pageMatrix);
    const cairo_matrix_t world = toCairoMatrix(matrix);
    cairo_transform(canvas.cr, &world);
}

void strokeVisibly(cairo_t* cr, double width)
{
    double across = 1;
    double along = 0;
    cairo_device_to_user_distance(cr, &across, &along);
    double down = 0;
    double up = 1;
    cairo_device_to_user_distance(cr, &down, &up);
    const double pixel = std::max(std::hypot(across, along), std::hypot(down, up));
    cairo_set_line_width(cr, std::isfinite(pixel) ? std::max(width, pixel) : width);
    cairo_stroke(cr);
}

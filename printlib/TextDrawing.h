#pragma once

// Drawing a text cell: the text is broken into lines that fill the cell's width (after blanks
// and TABs where it can, else after the last character that fits), placed at the tab stops,
// aligned in the cell and drawn in black. Lines below the cell's last whole line are not shown
// when the layout limits it to whole lines; the last line shown then ends with the trimming the
// layout asks for. Lengths are millimetres in the current frame of the Cairo context.

#include "DrawCommandParser.h"

#include <cairo.h>

#include <string_view>

// Draws `text` into the layout's rectangle placed at (x, y), at `size` in the layout's unit;
// `dpi` is the target's resolution for pixel units.
void drawTextInRectangle(cairo_t* cr, const TextLayout& layout, double x, double y, std::u16string_view text,
                         float size, double dpi);

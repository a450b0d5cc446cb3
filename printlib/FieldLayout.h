#pragma once

// The draw elements of one field of a sheet: its text in 5 mm cells, free text, a number split
// at its point, a check box, or the cell mark of an empty field; rotated fields are drawn in
// their turned rectangle.

#include "DataSheet.h"
#include "ElementTable.h"
#include "LayoutRenderer.h"

struct FieldPage {
    ElementPlace place;
    // The sheet's number in the document and its form page, for the overflow report.
    int sheet = 0;
    int formPage = 0;
    bool noLine = false;
    // The form page lies across the A4 page, 297 mm wide and 210 mm high.
    bool landscape = false;
};

// Adds the field's elements with the orders from `order` on and returns the next free order.
// A field without cells (`print` 0), or whose rectangle starts left of or above the page or has
// no size, is not drawn.
// A value that does not fit its rectangle, and a drawn field whose rectangle runs past the
// page's right or bottom edge, raise 0xC0020062: what the page cuts off would be lost.
int LayoutField(const DataField& field, const FieldPage& page, LayoutRenderer& renderer, int order);

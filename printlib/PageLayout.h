#pragma once

// The layout of a sheet into the draw elements of one page of the renderer's element table:
// the opening page transform, the form page as background, the fields, the closing transform,
// the sheet's header symbol and guid line, its PDF417 blocks and the registration crosses,
// numbered from 1 in that order. A transform element holds for every element after it, so the
// form and its fields are drawn shrunk, and the symbols and crosses in page coordinates.

#include "DataSheet.h"
#include "LayoutRenderer.h"
#include "PageGeometry.h"

class PageLayout {
public:
    // Page images (build and preview jobs).
    void UseImageTransforms(int scaleArgument);
    // Printing documents or blank forms.
    void UsePrintTransforms(int scaleArgument, const PrinterGeometry& printer, PrintKind kind);

    const PageTransforms& transforms() const { return transforms_; }
    const LayoutPlaces& places() const { return places_; }

    // Lays the sheet out on page `tablePage` of the renderer's table, which holds nothing of
    // that page yet. Data that does not fit its field, or barcode data that does not fit four
    // blocks, raises 0xC0020062.
    void LayoutSheet(const DocumentHeader& document, const DataSheet& sheet, LayoutRenderer& renderer,
                     int tablePage) const;

    // A blank form page: the form page `formPage` between the page transforms.
    void LayoutBlankPage(int formPage, LayoutRenderer& renderer, int tablePage) const;

private:
    PageTransforms transforms_ = ImagePageTransforms(0);
    LayoutPlaces places_;
};

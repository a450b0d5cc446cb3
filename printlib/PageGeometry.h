#pragma once

// Where a job puts things on the page: the fixed places of the barcode blocks, the registration
// crosses and the header symbol and line, and the page transforms that shrink the form page to
// leave room for them (page images) or to fit the printer's printable area (printing).
// Lengths are millimetres on an A4 page of 210 x 297.

#include <array>
#include <string>

// The A4 page, upright; a landscape form page lies across it.
inline constexpr double kPageWidth = 210;
inline constexpr double kPageHeight = 297;

struct LayoutPoint {
    double x = 0;
    double y = 0;
    bool operator==(const LayoutPoint&) const = default;
};

struct LayoutPlaces {
    // In the order the blocks are filled: the top row, then the left column.
    std::array<LayoutPoint, 4> blocks{{{103, 262}, {10, 262}, {5, 149}, {5, 30}}};
    std::array<LayoutPoint, 5> crosses{{{12, 20}, {12, 139}, {12, 258}, {93, 275}, {186, 275}}};
    // The guid's text line (55 x 5 mm) and its symbol.
    LayoutPoint headerLine{150, 15};
    LayoutPoint headerSymbol{150, 4};

    bool operator==(const LayoutPlaces&) const = default;
};

// The third cross, where the left column's blocks may run, is never drawn.
inline constexpr std::size_t kHiddenCross = 2;
inline constexpr double kHeaderLineWidth = 55;
inline constexpr double kHeaderLineHeight = 5;
inline constexpr double kHeaderLineClipHeight = 2.2;

// The room of a barcode block's symbol at its place, in millimetres: `along` its rows
// (rightwards in the top row, downwards in the left column) and `across` them.
struct BlockSlot {
    double along = 0;
    double across = 0;
};

// A block ends before the next block's place, or before the cross that stands between, so that
// no symbol covers another or has a cross drawn over it; the top row ends at the page's foot
// and the left column where the shrunk form begins. Print places move up and left together:
// their slots are as long, and the top row's reach further down to the page's foot.
std::array<BlockSlot, 4> BarcodeBlockSlots(const LayoutPlaces& places = {});

// The scale of the page and the transform texts that open and close a portrait or a landscape
// page.
struct PageTransforms {
    double scale = 1;
    std::u16string portraitOpen;
    std::u16string landscapeOpen;
    std::u16string portraitClose;
    std::u16string landscapeClose;

    bool operator==(const PageTransforms&) const = default;
};

// Page images: the scale argument in per cent, or, when it is 0 or below, the largest scale
// that keeps the form clear of the left block column and the top block row. The form always
// ends within the page: a scale above 100 raises 0xC0020050.
PageTransforms ImagePageTransforms(int scaleArgument);

// The printer's resolution and the offsets of its printable area, in device pixels.
struct PrinterGeometry {
    int dpiX = 0;
    int dpiY = 0;
    int offsetX = 0;
    int offsetY = 0;
};

enum class PrintKind { Document, BlankForms };

struct PrintGeometry {
    PageTransforms transforms;
    // The places moved by the margin corrections (documents only; blank forms have none).
    LayoutPlaces places;
};

// Printing: the scale argument in per cent (100 when it is 0 or below), shrunk to 0.87 for
// documents and 0.95 for blank forms; margins of less than 5 mm are corrected.
PrintGeometry PrintPageGeometry(int scaleArgument, const PrinterGeometry& printer, PrintKind kind);

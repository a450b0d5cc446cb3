#pragma once

// Helpers of the renderer's tests: blank forms, draw commands, small canvases, finding ink on a
// 1-bit page by millimetres, and reading PDF417 symbols back with zxing-cpp.

#include "CairoHandles.h"
#include "PageBitmap.h"
#include "PageCanvas.h"
#include "TiffTestSupport.h"

#include <string>
#include <vector>

// A blank form of `pages` white A4 frames (2480 x 3508 pixels at 300 dpi unless asked otherwise),
// written into the folder as "form.tif"; returns its path.
std::string blankForm(const ScratchFolder& folder, int pages = 1, int width = 2480, int height = 3508,
                      double dpi = 300);

struct StringCommand {
    double x = 0;
    double y = 0;
    double width = 0;
    double height = 0;
    std::string font = "Courier New";
    double size = 18;
    int style = 0;
    int alignment = 0;
    int lineAlignment = 0;
    int flags = 8192;
    std::string tabStops = "";
    double clipWidth = 0;
    double clipHeight = 0;

    std::u16string text() const;
};

std::u16string crossCommand(double x, double y, double width = 5, double height = 5, double pen = 0.5);
std::u16string barcodeCommand(double x, double y);

// A white canvas of width x height millimetres at `dpi`, drawn like a page bitmap.
class TestCanvas {
public:
    TestCanvas(double widthMm, double heightMm, double dpi = 300);

    const PageCanvas& canvas() const { return canvas_; }
    cairo_t* cr() const { return canvas_.cr; }
    PageBitmap oneBit() const;

private:
    double dpi_;
    CairoSurface surface_;
    CairoContext cr_;
    PageCanvas canvas_;
};

// Black pixels of the page inside a rectangle given in millimetres.
int inkIn(const PageBitmap& page, double x, double y, double width, double height);
bool blackAt(const PageBitmap& page, double x, double y);

// The smallest rectangle (millimetres) holding every black pixel inside the given one; all
// zero when there is none.
struct InkBox {
    double left = 0;
    double top = 0;
    double right = 0;
    double bottom = 0;
    bool empty = true;
};
InkBox inkBox(const PageBitmap& page, double x, double y, double width, double height);

// Rows (millimetres from the page's top, each the middle of a run of black rows) where the
// column at x has ink, between top and bottom.
std::vector<double> inkRows(const PageBitmap& page, double x, double top, double bottom);

// The bytes of every PDF417 symbol zxing-cpp finds on the page, inside the rectangle.
std::vector<std::string> readPdf417(const PageBitmap& page, double x, double y, double width, double height);

// A PDF417 symbol zxing-cpp finds inside a rectangle of a page (millimetres): its bytes and the
// box (page millimetres) around the corner points it reports.
struct FoundSymbol {
    std::string bytes;
    double left = 0;
    double top = 0;
    double right = 0;
    double bottom = 0;
};
std::vector<FoundSymbol> findPdf417(const PageBitmap& page, double x, double y, double width, double height);

// Names of the files in a folder, sorted.
std::vector<std::string> filesIn(const std::string& folder);

// Text of a PDF as pdftotext gives it.
std::string pdfText(const std::string& path);
// "Pages:" of pdfinfo, -1 when pdfinfo fails.
int pdfPageCount(const std::string& path);

#include "ElementDrawing.h"

#include "RenderTestSupport.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct MarkCase {
    const char* name;
    CellMark mark;
    double height;
    bool fillsWhite;
    bool fromEdge;                  // the line starts at the cell's left edge, not 1 mm in
    std::vector<double> lineRows;   // millimetres below the cell's top
};

// Draws the mark in a 40 mm wide cell at (10, 10), over a black or a white cell.
PageBitmap marked(const MarkCase& c, bool overBlack)
{
    TestCanvas canvas(60, 70);
    if (overBlack) {
        cairo_rectangle(canvas.cr(), 10, 10, 40, c.height);
        cairo_fill(canvas.cr());
    }
    drawCellMark(canvas.cr(), c.mark, 10, 10, 40, c.height);
    return canvas.oneBit();
}

TEST(CellMarkTest, MarksDrawTheirLinesAndFills)
{
    for (const MarkCase& c : {
             MarkCase{"slashed", CellMark::Slashed, 10, false, true, {5}},
             MarkCase{"slashed0", CellMark::Slashed0, 10, true, false, {}},
             MarkCase{"slashed1", CellMark::Slashed1, 10, false, false, {5}},
             MarkCase{"slashed2", CellMark::Slashed2, 10, true, false, {5}},
             MarkCase{"slashed3 of 40 mm", CellMark::Slashed3, 40, true, false, {4, 12, 20, 28}},
             MarkCase{"slashed3 of 16 mm", CellMark::Slashed3, 16, true, false, {4}},
             MarkCase{"slashed3 below 16 mm", CellMark::Slashed3, 10, true, false, {5}},
         }) {
        const PageBitmap onWhite = marked(c, false);
        const std::vector<double> rows = inkRows(onWhite, 30, 10, 10 + c.height);
        ASSERT_EQ(rows.size(), c.lineRows.size()) << c.name;
        for (std::size_t i = 0; i < rows.size(); ++i)
            EXPECT_NEAR(rows[i], 10 + c.lineRows[i], 0.1) << c.name << " line " << i;
        if (!c.lineRows.empty()) {
            const double y = 10 + c.lineRows.front();
            EXPECT_EQ(blackAt(onWhite, 10.5, y), c.fromEdge) << c.name;
            EXPECT_EQ(blackAt(onWhite, 49.5, y), c.fromEdge) << c.name;
            EXPECT_TRUE(blackAt(onWhite, 11.2, y)) << c.name;
        }
        // Lines are 0.2 mm pens: 2 or 3 pixel rows each at 300 dpi.
        const int lineInk = inkIn(onWhite, 0, 0, 60, 70);
        EXPECT_LE(lineInk, static_cast<int>(c.lineRows.size()) * 3 * 473) << c.name;

        const PageBitmap onBlack = marked(c, true);
        const int cellInk = inkIn(onBlack, 10, 10, 40, c.height);
        if (c.fillsWhite)
            EXPECT_EQ(cellInk, lineInk) << c.name;
        else
            EXPECT_GT(cellInk, 40 * 10 * 100) << c.name;
    }
}

TEST(CellMarkTest, NoneDrawsNothing)
{
    MarkCase none{"none", CellMark::None, 10, false, false, {}};
    EXPECT_EQ(inkIn(marked(none, false), 0, 0, 60, 70), 0);
}

TEST(CrossTest, LinesThroughTheMiddle)
{
    TestCanvas canvas(40, 40);
    DrawCross(canvas.cr(), {12, 20, 5, 5, 0.5f}, 12, 20);
    const PageBitmap page = canvas.oneBit();
    EXPECT_TRUE(blackAt(page, 14.5, 20.1));
    EXPECT_TRUE(blackAt(page, 14.5, 24.9));
    EXPECT_TRUE(blackAt(page, 12.1, 22.5));
    EXPECT_TRUE(blackAt(page, 16.9, 22.5));
    EXPECT_FALSE(blackAt(page, 12.5, 20.5));
    EXPECT_FALSE(blackAt(page, 14.5, 25.2));
    // A 0.5 mm pen is 6 pixels at 300 dpi.
    const InkBox vertical = inkBox(page, 13, 20.2, 3, 1);
    EXPECT_NEAR(vertical.right - vertical.left, 0.5, 0.09);
}

TEST(CrossTest, HairlinePenStaysVisible)
{
    TestCanvas canvas(40, 40);
    DrawCross(canvas.cr(), {10, 10, 5, 5, 0.001f}, 10, 10);
    const PageBitmap page = canvas.oneBit();
    EXPECT_GT(inkIn(page, 12, 10, 1, 5), 0);
    EXPECT_GT(inkIn(page, 10, 12, 5, 1), 0);
}

TEST(DrawImageTest, ImageIsStretchedOverItsRectangle)
{
    // 4 x 2 pixels, the left half black.
    Pdf417Bitmap symbol{4, 2, 4, {0x3F, 0x3F, 0x3F, 0x3F, 0x3F, 0x3F, 0x3F, 0x3F}};
    const CairoSurface image = symbolSurface(symbol, u"test");
    TestCanvas canvas(60, 40);
    drawImage(canvas.cr(), image.get(), 4, 2, 10, 10, 40, 20);
    drawImage(canvas.cr(), image.get(), 4, 2, 10, 35, 0, 5);
    const PageBitmap page = canvas.oneBit();
    EXPECT_EQ(inkIn(page, 10, 10, 20, 20), inkIn(page, 0, 0, 60, 40));
    const InkBox ink = inkBox(page, 0, 0, 60, 40);
    EXPECT_NEAR(ink.left, 10, 0.1);
    EXPECT_NEAR(ink.right, 30, 0.1);
    EXPECT_NEAR(ink.top, 10, 0.1);
    EXPECT_NEAR(ink.bottom, 30, 0.1);
}

} // namespace

#include "TextDrawing.h"

#include "RenderTestSupport.h"

#include <gtest/gtest.h>

namespace {

constexpr double kPoint = 25.4 / 72;
// Liberation Mono.
constexpr double kCell = 1229.0 / 2048;
constexpr double kLine = 2320.0 / 2048;

TextLayout layoutOf(StringCommand command)
{
    return ParseStringCommand(command.text());
}

// Draws the text with its layout's rectangle at (10, 10) on a 120 x 60 mm canvas.
PageBitmap drawn(const TextLayout& layout, std::u16string_view text, float size)
{
    TestCanvas canvas(120, 60);
    drawTextInRectangle(canvas.cr(), layout, 10, 10, text, size, 300);
    return canvas.oneBit();
}

struct AlignmentCase {
    const char* name;
    int alignment;
    int lineAlignment;
    // Where the ink's middle lies in the 80 x 30 mm rectangle, as a share of its size.
    double across;
    double down;
};

TEST(TextDrawingTest, AlignmentPlacesTextInRectangle)
{
    for (const AlignmentCase& c : {AlignmentCase{"near near", 0, 0, 0.06, 0.07},
                                   AlignmentCase{"centre", 1, 1, 0.5, 0.5},
                                   AlignmentCase{"far far", 2, 2, 0.94, 0.93}}) {
        StringCommand command{.width = 80, .height = 30, .size = 12};
        command.alignment = c.alignment;
        command.lineAlignment = c.lineAlignment;
        const PageBitmap page = drawn(layoutOf(command), u"ABCD", 12);
        const InkBox ink = inkBox(page, 0, 0, 120, 60);
        ASSERT_FALSE(ink.empty) << c.name;
        // Within a pixel (0.085 mm) of the rectangle.
        EXPECT_GE(ink.left, 9.9) << c.name;
        EXPECT_LE(ink.right, 90.1) << c.name;
        EXPECT_NEAR((ink.left + ink.right) / 2, 10 + 80 * c.across, 1.5) << c.name;
        EXPECT_NEAR((ink.top + ink.bottom) / 2, 10 + 30 * c.down, 1.5) << c.name;
    }
}

TEST(TextDrawingTest, CharactersAtTabStopsAreCentredInTheirCells)
{
    // Five 5 mm cells: each digit in the middle of its cell.
    StringCommand command{.width = 25, .height = 8, .size = 12, .alignment = 1, .lineAlignment = 1};
    command.tabStops = "5,5,5,5,5,";
    const PageBitmap page = drawn(layoutOf(command), u"1\t8\t8\t8\t8", 12);
    for (int cellIndex = 1; cellIndex < 5; ++cellIndex) {
        const InkBox ink = inkBox(page, 10 + 5 * cellIndex, 10, 5, 8);
        ASSERT_FALSE(ink.empty) << "cell " << cellIndex;
        EXPECT_NEAR((ink.left + ink.right) / 2, 10 + 5 * cellIndex + 2.5, 0.3) << "cell " << cellIndex;
    }
}

TEST(TextDrawingTest, LongTextWrapsOntoFurtherLines)
{
    // 12 pt Courier: 19 characters a line of 50 mm.
    StringCommand command{.width = 50, .height = 30, .size = 12};
    const PageBitmap page = drawn(layoutOf(command), std::u16string(40, u'Ш'), 12);
    const double line = 12 * kPoint * kLine;
    for (int index = 0; index < 3; ++index)
        EXPECT_GT(inkIn(page, 10, 10 + line * index, 50, line), 0) << "line " << index;
    EXPECT_EQ(inkIn(page, 10, 10 + line * 3, 50, 20), 0);
    // The third line holds 2 characters.
    EXPECT_EQ(inkIn(page, 10 + 2 * 12 * kPoint * kCell + 0.2, 10 + line * 2, 40, line), 0);
}

TEST(TextDrawingTest, WholeLinesOnlyAndEllipsisOnLastShownLine)
{
    // Room for one whole line of 19 characters; the rest is hidden, the shown line ends with "…".
    StringCommand command{.width = 50, .height = 7, .size = 12, .style = 0, .alignment = 0, .lineAlignment = 0};
    const PageBitmap limited = drawn(layoutOf(command), std::u16string(40, u'Ш'), 12);
    const double line = 12 * kPoint * kLine;
    EXPECT_EQ(inkIn(limited, 0, 10 + line, 120, 50), 0);
    const double cell = 12 * kPoint * kCell;
    // The last cell shown holds the ellipsis: three dots on the baseline, no ink at mid height.
    const double ellipsisLeft = 10 + 18 * cell;
    EXPECT_EQ(inkIn(limited, ellipsisLeft, 10, cell, line * 0.5), 0);
    EXPECT_GT(inkIn(limited, ellipsisLeft, 10 + line * 0.5, cell, line * 0.3), 0);

    command.flags = 0; // part lines are shown too, cut by the rectangle
    const PageBitmap unlimited = drawn(layoutOf(command), std::u16string(40, u'Ш'), 12);
    EXPECT_GT(inkIn(unlimited, 10, 10 + line, 50, 7 - line), 0);
    EXPECT_EQ(inkIn(unlimited, 0, 17.1, 120, 50), 0);
}

TEST(TextDrawingTest, TextIsClippedToRectangleUnlessNoClip)
{
    // One line that does not wrap and is not trimmed runs past the rectangle's right edge.
    TextLayout layout = layoutOf({.width = 20, .height = 10, .size = 12, .flags = 0x1000});
    layout.trimming = 0;
    const std::u16string text(20, u'Ш');
    EXPECT_EQ(inkIn(drawn(layout, text, 12), 30.1, 0, 90, 60), 0);
    layout.formatFlags |= 0x4000;
    EXPECT_GT(inkIn(drawn(layout, text, 12), 30.1, 0, 90, 60), 0);
}

TEST(TextDrawingTest, LineTooWideIsCutWithEllipsis)
{
    const TextLayout layout = layoutOf({.width = 20, .height = 10, .size = 12, .flags = 0x1000 | 0x4000});
    EXPECT_EQ(inkIn(drawn(layout, std::u16string(20, u'Ш'), 12), 30.1, 0, 90, 60), 0);
}

TEST(TextDrawingTest, UnderlineAndStrikeoutAddLines)
{
    StringCommand plain{.width = 80, .height = 10, .font = "Arial", .size = 12};
    StringCommand underlined = plain;
    underlined.style = 4;
    StringCommand struck = plain;
    struck.style = 8;
    // Blanks have no ink of their own; the lines run under and through them.
    const std::u16string text = u"\u00A0\u00A0\u00A0\u00A0";
    EXPECT_EQ(inkIn(drawn(layoutOf(plain), text, 12), 0, 0, 120, 60), 0);
    const InkBox under = inkBox(drawn(layoutOf(underlined), text, 12), 0, 0, 120, 60);
    const InkBox through = inkBox(drawn(layoutOf(struck), text, 12), 0, 0, 120, 60);
    ASSERT_FALSE(under.empty);
    ASSERT_FALSE(through.empty);
    EXPECT_LT(through.bottom, under.top);
    const double baseline = 10 + 12 * kPoint * 1854.0 / 2048;
    EXPECT_GT(under.top, baseline);
    EXPECT_LT(through.bottom, baseline);
}

TEST(TextDrawingTest, LinesBreakAfterBlanks)
{
    // Real blanks (not the no-break spaces of normalised cells) are where lines break.
    StringCommand command{.width = 50, .height = 20, .size = 12};
    const PageBitmap page = drawn(layoutOf(command), u"ШШШШШШШШШШ ШШШШШШШШШШШШ", 12);
    const double line = 12 * kPoint * kLine;
    const double cell = 12 * kPoint * kCell;
    EXPECT_EQ(inkIn(page, 10 + 10 * cell + 0.1, 10, 40, line), 0);
    EXPECT_GT(inkIn(page, 10 + 11 * cell, 10 + line, 5, line), 0);
}

} // namespace

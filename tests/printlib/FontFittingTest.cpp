#include "FontFitting.h"

#include "Pdf417TestSupport.h"
#include "RenderTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

// Liberation Mono, which stands in for "Courier New": every character 1229/2048 em wide, lines
// 2320/2048 em apart.
constexpr double kCell = 1229.0 / 2048;
constexpr double kLine = 2320.0 / 2048;
constexpr double kPoint = 25.4 / 72;

TextLayout cell(double width, double height, double size = 12, int flags = 8192)
{
    StringCommand command;
    command.width = width;
    command.height = height;
    command.size = size;
    command.flags = flags;
    return ParseStringCommand(command.text());
}

TEST(FontEmTest, UnitsConvertToMillimetres)
{
    struct Case {
        int unit;
        double dpi;
        double em;
    };
    for (const Case& c : {Case{0, 300, 12}, Case{6, 300, 12}, Case{3, 300, 12 * kPoint}, Case{4, 300, 12 * 25.4},
                          Case{5, 300, 12 * 25.4 / 300}, Case{2, 300, 12 * 25.4 / 300}, Case{1, 600, 12 * 25.4 / 600},
                          Case{2, 0, 0}, Case{99, 300, 12 * kPoint}})
        EXPECT_DOUBLE_EQ(fontEmMillimetres(12, c.unit, c.dpi), c.em) << "unit " << c.unit << " at " << c.dpi;
}

TEST(MeasureTextTest, CellsAndLinesWorkedByHand)
{
    // 12 pt: em 4.2333 mm, cell 2.5404 mm, line 4.7956 mm.
    const double cellWidth = 12 * kPoint * kCell;
    const double lineHeight = 12 * kPoint * kLine;
    struct Case {
        const char* name;
        TextLayout layout;
        std::size_t perLine;
        std::size_t lines;
    };
    const std::size_t unlimited = SIZE_MAX;
    for (const Case& c : {
             Case{"19 cells, 2 whole lines", cell(50, 10), 19, 2},
             Case{"exactly 5 cells and 1 line", cell(5 * cellWidth, lineHeight), 5, 1},
             Case{"a hair short of 5 cells", cell(5 * cellWidth - 0.001, lineHeight - 0.001), 4, 0},
             Case{"part lines count without the limit", cell(50, 10, 12, 0), 19, 3},
             Case{"no wrap", cell(10, 10, 12, 8192 | 0x1000), unlimited, 2},
             Case{"width 0 does not wrap", cell(0, 10), unlimited, 2},
             Case{"height 0 takes any lines", cell(50, 0), 19, unlimited},
             Case{"negative width holds nothing", cell(-5, 10), 0, 2},
         }) {
        const TextCapacity capacity = MeasureText(c.layout, 12, 300);
        EXPECT_EQ(capacity.perLine, c.perLine) << c.name;
        EXPECT_EQ(capacity.lines, c.lines) << c.name;
    }
}

TEST(MeasureTextTest, SizeZeroHoldsNothingButAnEmptyText)
{
    const TextCapacity capacity = MeasureText(cell(50, 10), 0, 300);
    EXPECT_EQ(capacity.characters(), 0u);
    EXPECT_TRUE(capacity.holds(0));
    EXPECT_FALSE(capacity.holds(1));
}

TEST(FitFontSizeTest, TextThatFitsKeepsItsSize)
{
    EXPECT_EQ(FitFontSize(std::u16string(38, u'x'), cell(50, 10), 300), 12.0f);
}

TEST(FitFontSizeTest, LongerTextGetsLargestSizeThatFits)
{
    const TextLayout layout = cell(50, 10);
    const std::u16string text(39, u'x');
    const float size = FitFontSize(text, layout, 300);
    ASSERT_GE(size, 8.0f);
    ASSERT_LT(size, 12.0f);
    EXPECT_TRUE(MeasureText(layout, size, 300).holds(text.size()));
    EXPECT_FALSE(MeasureText(layout, size + 0.1f, 300).holds(text.size()));
}

TEST(FitFontSizeTest, TextThatFitsAtNoSizeDownTo8GetsZero)
{
    // At 8 pt a cell is 1.6936 mm and a line 3.1971 mm: 29 characters a line, 3 lines.
    const TextLayout layout = cell(50, 10);
    EXPECT_GT(FitFontSize(std::u16string(87, u'x'), layout, 300), 0.0f);
    EXPECT_EQ(FitFontSize(std::u16string(88, u'x'), layout, 300), 0.0f);
}

TEST(FitFontSizeTest, SizeBelow8IsTriedAlone)
{
    EXPECT_EQ(FitFontSize(u"x", cell(50, 10, 6), 300), 6.0f);
    EXPECT_EQ(FitFontSize(std::u16string(200, u'x'), cell(50, 10, 6), 300), 0.0f);
    EXPECT_EQ(FitFontSize(u"x", cell(50, 10, 0), 300), 0.0f);
}

TEST(FitFontSizeTest, TabsAtStopsDoNotCount)
{
    // Ten 5 mm cells: ten digits at 18 pt (cell 3.81 mm) fit one line of 50 mm; counting the
    // nine TABs as characters they would not.
    TextLayout layout = cell(50, 7.2, 18);
    layout.tabStops.assign(10, 5);
    const std::u16string digits = u"1\t2\t3\t4\t5\t6\t7\t8\t9\t0";
    EXPECT_EQ(FitFontSize(digits, layout, 300), 18.0f);
    EXPECT_LT(FitLongTextSize(digits, layout, 300, true), 18.0f);
}

TEST(FitLongTextSizeTest, StrictGivesZeroOtherwiseLowestSize)
{
    const TextLayout layout = cell(50, 10);
    const std::u16string tooLong(200, u'x');
    EXPECT_EQ(FitLongTextSize(tooLong, layout, 300, true), 0.0f);
    EXPECT_EQ(FitLongTextSize(tooLong, layout, 300, false), 8.0f);
    EXPECT_EQ(FitLongTextSize(std::u16string(61, u'x'), cell(200, 10), 300, true), 12.0f);
}

TEST(FitFontSizeTest, HugeSizeIsSearchedDownwards)
{
    const float size = FitFontSize(u"xx", cell(50, 10, 1e30f), 300);
    EXPECT_GT(size, 8.0f);
    EXPECT_TRUE(std::isfinite(size));
    EXPECT_TRUE(MeasureText(cell(50, 10), size, 300).holds(2));
    // However large the cell, no em is larger than 350 mm.
    EXPECT_FLOAT_EQ(FitFontSize(u"x", cell(1e6, 1e6, 1e30f), 300), static_cast<float>(350 / kPoint));
}

} // namespace

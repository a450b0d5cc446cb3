#include "Pdf417.h"

#include "SSError.h"
#include "WideText.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

std::u16string letters(std::size_t count) { return std::u16string(count, u'A'); }

Pdf417Symbol symbol(std::u16string_view data, std::u16string_view options)
{
    Pdf417Symbol s;
    Pdf417SetData(s, data);
    Pdf417SetOptions(s, options);
    return s;
}

std::string oneLineReport(const SSError::CError& error) { return WideText::toUtf8(error.oneLineReport()); }

TEST(Pdf417SymbolTest, DataGetsADashAndOptionsABar)
{
    const Pdf417Symbol s = symbol(u"ABC", u"/M4|/R21|/OV");
    EXPECT_EQ(s.dataText, u"-ABC");
    EXPECT_EQ(s.optionText, u"/M4|/R21|/OV|");
    EXPECT_EQ(symbol(u"", u"/M4|").optionText, u"/M4|");
    EXPECT_EQ(symbol(u"", u"").optionText, u"|");
}

// 500 letters: 251 codewords at level 4 over 21 rows → 14 columns, 17 × 14 + 69 = 307 modules;
// rows are padded to 32 bits.
TEST(Pdf417SymbolTest, BitmapSizeFollowsOrientationAndModuleSize)
{
    struct Case {
        const char* name;
        std::u16string options;
        int width;
        int height;
        int stride;
    };
    const Case cases[] = {
        {"left column block is turned for vertical placement", u"/M4|/R21|/OV", 21, 307, 4},
        {"top row block stays horizontal", u"/M4|/R21|/OH", 307, 21, 40},
        {"module size two doubles the bitmap", u"/M4|/R21|/OH|/x2", 614, 42, 80},
    };
    for (const Case& c : cases) {
        Pdf417Symbol s = symbol(letters(500), c.options);
        BuildPdf417Symbol(s);
        EXPECT_EQ(s.bitmap.width, c.width) << c.name;
        EXPECT_EQ(s.bitmap.height, c.height) << c.name;
        EXPECT_EQ(s.bitmap.stride, c.stride) << c.name;
        EXPECT_EQ(s.resolution, 100.0f) << c.name;
    }
}

// The largest symbol, 29 × 32, at the largest module size: 32 × 32 rows by 32 × 562 modules.
TEST(Pdf417SymbolTest, LargestModuleSizeOnTheLargestSymbol)
{
    Pdf417Symbol s = symbol(u"", u"/M1|/C29|/R32|/X32|/OV");
    BuildPdf417Symbol(s);
    EXPECT_EQ(s.bitmap.width, 1024);
    EXPECT_EQ(s.bitmap.height, 17984);
    EXPECT_EQ(s.bitmap.bits.size(), 128u * 17984u);
}

TEST(Pdf417SymbolTest, BarsAreZeroBits)
{
    Pdf417Symbol s = symbol(u"A", u"/OH");
    BuildPdf417Symbol(s);
    // The start pattern opens with a bar of 8 modules and a space.
    for (int x = 0; x < 8; ++x)
        EXPECT_FALSE(s.bitmap.pixel(x, 0)) << x;
    EXPECT_TRUE(s.bitmap.pixel(8, 0));
}

TEST(Pdf417SymbolTest, DataTooBigRaisesItsCode)
{
    Pdf417Symbol s = symbol(letters(1851), u"/M4|/R21|/OV");
    try {
        BuildPdf417Symbol(s);
        FAIL() << "no error raised";
    } catch (const SSError::CError& error) {
        const std::string report = oneLineReport(error);
        EXPECT_EQ(report.substr(0, report.find('\\')),
                  "Превышен максимально возможный размер данных штрих-кода PDF417: длина данных 1851[-1073217525 "
                  "(0xC008000B)")
            << report;
    }
}

TEST(Pdf417SymbolTest, BadOptionRaisesInvalidParameters)
{
    Pdf417Symbol s = symbol(u"A", u"/C31");
    try {
        BuildPdf417Symbol(s);
        FAIL() << "no error raised";
    } catch (const SSError::CError& error) {
        EXPECT_NE(oneLineReport(error).find("(0xC0020050)"), std::string::npos) << oneLineReport(error);
    }
}

// 500 letters take 14 columns of 21 rows (see above); the painted bitmap is the oracle for the
// rest: its modules along a row and its rows, turned by /OV.
TEST(MeasurePdf417Test, MeasuresTheShapeTheEncoderPaints)
{
    const struct {
        std::size_t length;
        std::u16string options;
    } cases[] = {
        {500, u"/M4|/R21|/OH"}, {500, u"/M4|/R21|/OV"}, {0, u"/M4|/R21|/OV"},
        {270, u"/M4|/R28|/OH"}, {1850, u"/M4|/R84|/OV"}, {926, u"/M4|/R63|/OV"},
    };
    const std::optional<Pdf417Shape> worked = MeasurePdf417(SplitPdf417Options(u"-" + letters(500), u"/M4|/R21|/OH"));
    ASSERT_TRUE(worked);
    EXPECT_EQ(worked->columns, 14);
    EXPECT_EQ(worked->rows, 21);
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.length) + " letters, " + WideText::toUtf8(c.options));
        const std::vector<std::u16string> arguments = SplitPdf417Options(u"-" + letters(c.length), c.options);
        const std::optional<Pdf417Shape> shape = MeasurePdf417(arguments);
        ASSERT_TRUE(shape);
        const Pdf417Bitmap bitmap = EncodePdf417(arguments);
        const bool turned = c.options.ends_with(u"/OV");
        EXPECT_EQ(turned ? bitmap.height : bitmap.width, Pdf417RowModules(shape->columns));
        EXPECT_EQ(turned ? bitmap.width : bitmap.height, shape->rows);
    }
}

TEST(MeasurePdf417Test, NothingForTooMuchData)
{
    for (std::size_t length : {std::size_t{1851}, std::size_t{5421}, std::size_t{100000}})
        EXPECT_FALSE(MeasurePdf417(SplitPdf417Options(u"-" + letters(length), u"/M4|/R84|/OV"))) << length;
}

TEST(MeasurePdf417Test, BadOptionRaises)
{
    EXPECT_THROW(MeasurePdf417(SplitPdf417Options(u"-A", u"/R91")), SSError::CError);
}

} // namespace

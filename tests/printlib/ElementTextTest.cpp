#include "ElementText.h"

#include "TiffTestSupport.h"

#include <gtest/gtest.h>

namespace {

TEST(ElementTextTest, NormalizeText)
{
    struct Case {
        const char16_t* text;
        const char16_t* expected;
    };
    const Case cases[] = {
        {u"a - b", u"a\u00A0\u2212\u00A0b"},
        {u"\u2002\u2003\u2004\u2005\u2006\u2007\u2009\u200A\u202F\u205F", u"\u00A0\u00A0\u00A0\u00A0\u00A0\u00A0\u00A0\u00A0\u00A0\u00A0"},
        {u"\u2008\u3000", u"\u2008\u3000"},
        {u"\u2010\u2011\u2012\u2013\u2014\u2015\u23AF", u"\u2212\u2212\u2212\u2212\u2212\u2212\u2212"},
        {u"пере\u00ADнос", u"перенос"},
        {u"a\u200Bb", u"ab"},
        {u"a\t\u00ADb", u"ab"},
        {u"a\t\u200B\u00ADb", u"ab"},
        {u"a\tb", u"a\tb"},
        {u"Иванов И.И. 12/34", u"Иванов\u00A0И.И.\u00A012/34"},
        {u"", u""},
    };
    for (const Case& testCase : cases)
        EXPECT_EQ(NormalizeText(testCase.text), testCase.expected) << utf8(testCase.text);
}

TEST(ElementTextTest, NormalizeBarcodeOptions)
{
    struct Case {
        const char16_t* options;
        const char16_t* expected;
    };
    const Case cases[] = {
        {u"M4|R21|OV", u"/M4|/R21|/OV"},
        {u"/M4|/R21|/OV", u"/M4|/R21|/OV"},
        {u"M4||R21", u"/M4|/R21"},
        {u"M4|", u"/M4|"},
        {u"", u""},
    };
    for (const Case& testCase : cases)
        EXPECT_EQ(NormalizeBarcodeOptions(testCase.options), testCase.expected) << utf8(testCase.options);
}

TEST(ElementTextTest, CellMarks)
{
    EXPECT_EQ(cellMarkOf(u"SLASHED_RECT"), CellMark::Slashed);
    EXPECT_EQ(cellMarkOf(u"slashed0_rect"), CellMark::Slashed0);
    EXPECT_EQ(cellMarkOf(u"Slashed1_Rect"), CellMark::Slashed1);
    EXPECT_EQ(cellMarkOf(u"SLASHED2_RECT"), CellMark::Slashed2);
    EXPECT_EQ(cellMarkOf(u"SLASHED3_RECT"), CellMark::Slashed3);
    EXPECT_EQ(cellMarkOf(u"SLASHED4_RECT"), CellMark::None);
    EXPECT_EQ(cellMarkOf(u" SLASHED_RECT"), CellMark::None);
    EXPECT_EQ(cellMarkOf(u"12345"), CellMark::None);
}

} // namespace

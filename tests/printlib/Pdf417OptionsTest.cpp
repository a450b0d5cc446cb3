#include "Pdf417Options.h"

#include "Pdf417TestSupport.h"
#include "SSError.h"
#include "WideText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

Pdf417Arguments arguments(std::initializer_list<std::u16string> options)
{
    Pdf417Arguments list{u"PDF417TIF", u"-DATA"};
    list.insert(list.end(), options);
    return list;
}

struct OptionErrorCase {
    const char* name;
    Pdf417Arguments arguments;
    std::u16string detail;
};

const OptionErrorCase optionErrorCases[] = {
    {"no data argument", {u"PDF417TIF"}, u"Отсутствуют входные данные"},
    {"unknown letter", arguments({u"/q1"}), u"q - неверная опция. Допустимы: m,a,h,r,c,e,o"},
    {"unknown letter as given", arguments({u"-Q"}), u"Q - неверная опция. Допустимы: m,a,h,r,c,e,o"},
    {"unknown letter before a bad value", arguments({u"/z", u"/c31"}), u"z - неверная опция. Допустимы: m,a,h,r,c,e,o"},
    {"option bits above 23", arguments({u"/m24"}), u"Неизвестная опция"},
    {"negative option bits", arguments({u"/m-1"}), u"Неизвестная опция"},
    {"aspect ratio too small", arguments({u"/a0.0009"}), u"Значение параметра '/a' должно быть в диапазоне [0.001, 1000]"},
    {"aspect ratio too large", arguments({u"/a1000.5"}), u"Значение параметра '/a' должно быть в диапазоне [0.001, 1000]"},
    {"aspect ratio not a number", arguments({u"/anan"}), u"Значение параметра '/a' должно быть в диапазоне [0.001, 1000]"},
    {"row height zero", arguments({u"/h0"}), u"Значение параметра '/h' должно быть в диапазоне [0.001, 1000]"},
    {"row height infinite", arguments({u"/hinf"}), u"Значение параметра '/h' должно быть в диапазоне [0.001, 1000]"},
    {"31 columns", arguments({u"/c31"}), u"Значение параметра '/c' должно быть не более 30"},
    {"91 rows", arguments({u"/R91"}), u"Значение параметра '/r' должно быть не более 90"},
    {"level 9", arguments({u"/e9"}), u"Значение параметра '/e' должно быть в диапазоне [0, 8]"},
    {"level -1 given", arguments({u"/e-1"}), u"Значение параметра '/e' должно быть в диапазоне [0, 8]"},
    {"orientation X", arguments({u"/oX"}), u"Значение параметра '/o' должно быть в 'V'или 'H'"},
    {"orientation missing", arguments({u"/o"}), u"Значение параметра '/o' должно быть в 'V'или 'H'"},
    {"module size 33", arguments({u"/x33"}), u"Значение параметра '/x' должно быть не более 32"},
    {"first failing check only", arguments({u"/o?", u"/c31", u"/m24"}), u"Неизвестная опция"},
    {"columns not a number", arguments({u"/cabc"}), u"Неверное значение параметра '/c'"},
    {"columns beyond int", arguments({u"/c99999999999"}), u"Неверное значение параметра '/c'"},
    {"module size with trailing text", arguments({u"/x2px"}), u"Неверное значение параметра '/x'"},
    {"rows empty", arguments({u"/r"}), u"Неверное значение параметра '/r'"},
};

class OptionErrorTest : public testing::TestWithParam<OptionErrorCase> {};

TEST_P(OptionErrorTest, RaisesInvalidParametersWithItsText)
{
    const OptionErrorCase& c = GetParam();
    try {
        ParsePdf417Options(c.arguments);
        FAIL() << "no error raised";
    } catch (const SSError::CError& error) {
        const std::string report = WideText::toUtf8(error.oneLineReport());
        const std::string expected = "Недопустимые параметры: " + WideText::toUtf8(c.detail)
            + ".[-1073610672 (0xC0020050)\\\\0 (0x0)\\Pdf417 (строка: ";
        EXPECT_TRUE(report.starts_with(expected)) << report << "\nexpected: " << expected;
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, OptionErrorTest, testing::ValuesIn(optionErrorCases),
                         caseName<testing::TestParamInfo<OptionErrorCase>>);

TEST(ParsePdf417OptionsTest, Defaults)
{
    const std::optional<Pdf417Params> params = ParsePdf417Options(arguments({}));
    ASSERT_TRUE(params);
    EXPECT_EQ(params->data, "DATA");
    EXPECT_EQ(params->optionBits, 0u);
    EXPECT_EQ(params->aspectRatio, 0.5);
    EXPECT_EQ(params->rowHeight, 3);
    EXPECT_EQ(params->rows, 0);
    EXPECT_EQ(params->columns, 0);
    EXPECT_EQ(params->errorLevel, -1);
    EXPECT_EQ(params->moduleSize, 1);
    EXPECT_EQ(params->orientation, 'H');
}

TEST(ParsePdf417OptionsTest, ReadsEveryOptionInAnyCase)
{
    const std::optional<Pdf417Params> params = ParsePdf417Options(
        arguments({u"/M23", u"-a2.5", u"/H4", u"/c30", u"/R90", u"/e8", u"/ov", u"/X32"}));
    ASSERT_TRUE(params);
    EXPECT_EQ(params->optionBits, 23u);
    EXPECT_EQ(params->aspectRatio, 2.5);
    EXPECT_EQ(params->rowHeight, 4);
    EXPECT_EQ(params->columns, 30);
    EXPECT_EQ(params->rows, 90);
    EXPECT_EQ(params->errorLevel, 8);
    EXPECT_EQ(params->orientation, 'V');
    EXPECT_EQ(params->moduleSize, 32);
}

TEST(ParsePdf417OptionsTest, BoundsThemselvesPass)
{
    for (const char16_t* option : {u"/a0.001", u"/a1000", u"/h0.001", u"/h1000", u"/e0", u"/m0", u"/x1"})
        EXPECT_TRUE(ParsePdf417Options(arguments({option}))) << WideText::toUtf8(option);
}

TEST(ParsePdf417OptionsTest, ModuleSizeBelowOneBecomesOne)
{
    EXPECT_EQ(ParsePdf417Options(arguments({u"/x0"}))->moduleSize, 1);
    EXPECT_EQ(ParsePdf417Options(arguments({u"/x-5"}))->moduleSize, 1);
}

TEST(ParsePdf417OptionsTest, OptionsEndAtTheFirstOtherArgument)
{
    const std::optional<Pdf417Params> params = ParsePdf417Options(arguments({u"/c5", u"tail", u"/q", u"/c31"}));
    ASSERT_TRUE(params);
    EXPECT_EQ(params->columns, 5);
}

TEST(ParsePdf417OptionsTest, DataIsConvertedToCodePage1251)
{
    const std::optional<Pdf417Params> params =
        ParsePdf417Options(Pdf417Arguments{u"PDF417TIF", u"-Ёж №5 €", u"/c2"});
    ASSERT_TRUE(params);
    EXPECT_EQ(params->data, "\xA8\xE6 \xB9" "5 \x88");
}

TEST(ParsePdf417OptionsTest, CharactersOutsideTheCodePageBecomeQuestionMarks)
{
    EXPECT_EQ(ParsePdf417Options(Pdf417Arguments{u"PDF417TIF", u"-a\u4E2Db"})->data, "a?b");
}

TEST(ParsePdf417OptionsTest, DataLongerThanTheEncoderTakesIsRefused)
{
    // 2710 digits fill the largest symbol; nothing longer fits any symbol.
    EXPECT_TRUE(ParsePdf417Options(Pdf417Arguments{u"PDF417TIF", u"-" + std::u16string(2710, u'7')}));
    EXPECT_FALSE(ParsePdf417Options(Pdf417Arguments{u"PDF417TIF", u"-" + std::u16string(2711, u'7')}));
    // A bad option is still reported for data too long.
    EXPECT_THROW(ParsePdf417Options(Pdf417Arguments{u"PDF417TIF", std::u16string(6000, u'7'), u"/c31"}),
                 SSError::CError);
}

TEST(SplitPdf417OptionsTest, SplitsAtBarsAndSkipsEmptyPieces)
{
    EXPECT_EQ(SplitPdf417Options(u"-data", u"/M4|/R21|/OV|"),
              (Pdf417Arguments{u"PDF417TIF", u"-data", u"/M4", u"/R21", u"/OV"}));
    EXPECT_EQ(SplitPdf417Options(u"-data", u"||/M17||/E2"), (Pdf417Arguments{u"PDF417TIF", u"-data", u"/M17", u"/E2"}));
    EXPECT_EQ(SplitPdf417Options(u"-", u""), (Pdf417Arguments{u"PDF417TIF", u"-"}));
}

} // namespace

#include "DrawCommandParser.h"

#include "TiffTestSupport.h"

#include <gtest/gtest.h>

#include <clocale>
#include <locale>

namespace {

struct CommaDecimalPoint : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
};

TEST(DrawCommandParserTest, StringCommandsAsTheEngineWritesThem)
{
    const TextLayout plain = ParseStringCommand(u"STRING;1.0;2.0;3.0;4.0; ;; Arial;12.0;;1; 1;1;8192;;");
    EXPECT_FLOAT_EQ(plain.x, 1);
    EXPECT_FLOAT_EQ(plain.y, 2);
    EXPECT_FLOAT_EQ(plain.width, 3);
    EXPECT_FLOAT_EQ(plain.height, 4);
    EXPECT_FLOAT_EQ(plain.originX, 1);
    EXPECT_FLOAT_EQ(plain.originY, 2);
    EXPECT_FALSE(plain.isClipped());
    EXPECT_EQ(plain.fontName, u"Arial");
    EXPECT_FLOAT_EQ(plain.fontSize, 12);
    EXPECT_EQ(plain.unit, 3);
    EXPECT_EQ(plain.style, 1);
    EXPECT_EQ(plain.alignment, 1);
    EXPECT_EQ(plain.lineAlignment, 1);
    EXPECT_EQ(plain.formatFlags, 8192);
    EXPECT_EQ(plain.trimming, 4);
    EXPECT_TRUE(plain.tabStops.empty());

    const TextLayout clipped =
        ParseStringCommand(u"STRING;10.5;20.0;30.0;40.0; 5;6; Courier New;9.5;;0; 2;0;8192;;");
    EXPECT_TRUE(clipped.isClipped());
    EXPECT_FLOAT_EQ(clipped.clipWidth, 5);
    EXPECT_FLOAT_EQ(clipped.clipHeight, 6);
    EXPECT_FLOAT_EQ(clipped.x, 10.5f);
    EXPECT_EQ(clipped.fontName, u"Courier New");
    EXPECT_FLOAT_EQ(clipped.fontSize, 9.5f);
    EXPECT_EQ(clipped.alignment, 2);
}

TEST(DrawCommandParserTest, MissingAndUnreadableFieldsKeepDefaults)
{
    const TextLayout bare = ParseStringCommand(u"STRING");
    EXPECT_FLOAT_EQ(bare.width, 0);
    EXPECT_EQ(bare.fontName, u"Arial");
    EXPECT_FLOAT_EQ(bare.fontSize, 10);
    EXPECT_EQ(bare.unit, 3);
    EXPECT_EQ(bare.trimming, 4);

    const TextLayout odd = ParseStringCommand(u"STRING;abc;+2.5e1;;7.9x;;;  ;;2;3.7;-1");
    EXPECT_FLOAT_EQ(odd.x, 0);
    EXPECT_FLOAT_EQ(odd.y, 25);
    EXPECT_FLOAT_EQ(odd.height, 7.9f);
    EXPECT_EQ(odd.fontName, u"Arial");
    EXPECT_EQ(odd.unit, 2);
    EXPECT_EQ(odd.style, 3);
    EXPECT_EQ(odd.alignment, -1);

    // What "%f" does not read as a number: infinities, NaN, two signs.
    const TextLayout notNumbers = ParseStringCommand(u"STRING;inf;NaN;+-3;-infinity;1e39;;;nan;;;;;;; 1,inf,3");
    EXPECT_FLOAT_EQ(notNumbers.x, 0);
    EXPECT_FLOAT_EQ(notNumbers.y, 0);
    EXPECT_FLOAT_EQ(notNumbers.width, 0);
    EXPECT_FLOAT_EQ(notNumbers.height, 0);
    EXPECT_FLOAT_EQ(notNumbers.clipWidth, 0);
    EXPECT_FLOAT_EQ(notNumbers.fontSize, 10);
    EXPECT_EQ(notNumbers.tabStops, std::vector<float>{1});
    EXPECT_FLOAT_EQ(parseCrossCommand(u"CROSS;1;2;nan;4;inf").width, 5);
    EXPECT_FLOAT_EQ(parseCrossCommand(u"CROSS;1;2;nan;4;inf").penWidth, 0.5f);
}

TEST(DrawCommandParserTest, TabStops)
{
    EXPECT_EQ(ParseStringCommand(u"STRING;;;;;;;;;;;;;;; 10, 20.5,30").tabStops, (std::vector<float>{10, 20.5f, 30}));
    EXPECT_EQ(ParseStringCommand(u"STRING;;;;;;;;;;;;;;;1,x,3").tabStops, std::vector<float>{1});
    std::u16string many = u"STRING;;;;;;;;;;;;;;;";
    for (int stop = 0; stop < 150; ++stop)
        many += u"1,";
    EXPECT_EQ(ParseStringCommand(many).tabStops.size(), kMaxTabStops);
}

TEST(DrawCommandParserTest, NumbersUseThePointWhateverTheLocale)
{
    const std::locale previous = std::locale::global(std::locale(std::locale::classic(), new CommaDecimalPoint));
    const std::string previousC = std::setlocale(LC_ALL, nullptr);
    std::setlocale(LC_ALL, "ru_RU.UTF-8");
    const TextLayout layout = ParseStringCommand(u"STRING;1.5;2,5");
    const CrossLayout cross = parseCrossCommand(u"CROSS;1.25;2.5;3.5;4.5;0.1;");
    std::setlocale(LC_ALL, previousC.c_str());
    std::locale::global(previous);
    EXPECT_FLOAT_EQ(layout.x, 1.5f);
    EXPECT_FLOAT_EQ(layout.y, 2);
    EXPECT_FLOAT_EQ(cross.x, 1.25f);
    EXPECT_FLOAT_EQ(cross.penWidth, 0.1f);
}

TEST(DrawCommandParserTest, CrossBarcodeAndPageImageCommands)
{
    const CrossLayout defaults = parseCrossCommand(u"CROSS");
    EXPECT_FLOAT_EQ(defaults.width, 5);
    EXPECT_FLOAT_EQ(defaults.height, 5);
    EXPECT_FLOAT_EQ(defaults.penWidth, 0.5f);
    const CrossLayout cross = parseCrossCommand(u"CROSS;1.0;2.0;3.0;4.0;0.3;");
    EXPECT_FLOAT_EQ(cross.x, 1);
    EXPECT_FLOAT_EQ(cross.height, 4);
    EXPECT_FLOAT_EQ(cross.penWidth, 0.3f);

    const BarcodePlace barcode = parseBarcodeCommand(u"BARCODE;12.5;200.0;");
    EXPECT_FLOAT_EQ(barcode.x, 12.5f);
    EXPECT_FLOAT_EQ(barcode.y, 200);

    const ImagePlace natural = parsePageImageCommand(u"");
    EXPECT_FLOAT_EQ(natural.width, 0);
    EXPECT_FLOAT_EQ(natural.height, 0);
    const ImagePlace placed = parsePageImageCommand(u"IMAGE;1;2;210;297");
    EXPECT_FLOAT_EQ(placed.width, 210);
    EXPECT_FLOAT_EQ(placed.height, 297);
}

} // namespace

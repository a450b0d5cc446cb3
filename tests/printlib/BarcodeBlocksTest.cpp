#include "BarcodeBlocks.h"

#include "PageGeometry.h"
#include "Pdf417.h"

#include "EngineTestSupport.h"
#include "Pdf417TestSupport.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace {

constexpr std::u16string_view kGuid = u"0123456789ABCDEF0123456789ABCDEF";

BlockHeaderData headerData(std::u16string_view guid = kGuid)
{
    return {u"11510205.16", std::u16string(guid), u"1", 2, 5};
}

std::u16string capitals(std::size_t count)
{
    std::u16string text;
    for (std::size_t index = 0; index < count; ++index)
        text += static_cast<char16_t>(u'A' + index % 26);
    return text;
}

// Data as sheets make it: prepared values after "|", with case marks, digits and punctuation.
std::u16string sheetData(std::size_t count)
{
    constexpr std::u16string_view kValues[] = {u"|@d^\\ij^", u"|7701234567",      u"|`jjj` @gaidi\\",
                                               u"|12345.67", u"|og. gaidi\\$5F1", u"|#5-2021"};
    std::u16string text;
    for (std::size_t index = 0; text.size() < count; ++index)
        text += kValues[index % std::size(kValues)];
    return text.substr(0, count);
}

// A letter, a punctuation mark and a Cyrillic letter in turn, as values written as they are can
// be: text compaction shifts to the mark and shifts the lone byte out, four codewords for three
// characters, so a large block's symbol is full before its capacity.
std::u16string loneCyrillicLetters(std::size_t count)
{
    constexpr std::u16string_view kTurn = u"a!Ж";
    std::u16string text;
    for (std::size_t index = 0; index < count; ++index)
        text += kTurn[index % kTurn.size()];
    return text;
}

bool fits(std::u16string_view text, std::u16string_view options)
{
    return MeasurePdf417(SplitPdf417Options(u"-" + std::u16string(text), options)).has_value();
}

// The symbol's size on the page in millimetres, from the bitmap the encoder paints (a module
// 0.254 mm before the block's scale "scale:x,y"): along its rows and across them, the left
// column's symbols being turned.
struct Extent {
    double along = 0;
    double across = 0;
};

Extent symbolExtent(std::u16string_view text, const BarcodeBlock& block)
{
    const Pdf417Bitmap bitmap = EncodePdf417(SplitPdf417Options(u"-" + std::u16string(text), block.options));
    const std::string scale = utf8(block.scale);
    const double x = std::stod(scale.substr(6));
    const double y = std::stod(scale.substr(scale.find(',') + 1));
    const double width = bitmap.width * 0.254 * x;
    const double height = bitmap.height * 0.254 * y;
    const bool turned = block.options.find(u"/OV") != std::u16string::npos;
    return turned ? Extent{height, width} : Extent{width, height};
}

bool inSlot(const Extent& extent, const BlockSlot& slot)
{
    return extent.along <= slot.along && extent.across <= slot.across;
}

TEST(BarcodeBlocksTest, HeadersCarryTheDocumentSheetAndBlock)
{
    EXPECT_EQ(utf8(FirstBlockHeader(headerData(), 1, 3)),
              "11510205.16" + utf8(kGuid) +
                  "1"
                  "1"
                  "3"
                  "2*5");
    EXPECT_EQ(utf8(NextBlockHeader(headerData(), 2, 3)),
              "01234567"
              "2"
              "3"
              "2*5");
}

TEST(BarcodeBlocksTest, EmptyDataIsOneBlockWithItsHeader)
{
    const auto blocks = SplitBarcodeBlocks(headerData(), u"");
    ASSERT_TRUE(blocks);
    ASSERT_EQ(blocks->size(), 1u);
    EXPECT_EQ(utf8(blocks->at(0).text), utf8(FirstBlockHeader(headerData(), 1, 1)));
    EXPECT_EQ(utf8(blocks->at(0).options), "/M4|/R28|/OH");
    EXPECT_EQ(utf8(blocks->at(0).scale), "scale:1.5,3.5");
}

struct SplitCase {
    std::string name;
    std::u16string data;
    std::size_t blocks;
    bool large;
};

void PrintTo(const SplitCase& c, std::ostream* out)
{
    *out << c.name;
}

std::vector<SplitCase> splitCases()
{
    // With capitals the capacities bind: the small blocks hold 221, 257, 211 and 211 characters
    // of data after their headers of 49 and 13 characters, the large ones 877 and 913.
    return {
        {"one small block", capitals(221), 1, false},
        {"two small blocks", capitals(222), 2, false},
        {"three small blocks", capitals(600), 3, false},
        {"four small blocks full", capitals(900), 4, false},
        {"two large blocks", capitals(901), 2, true},
        {"four large blocks", capitals(3500), 4, true},
        {"sheet data in small blocks", sheetData(700), 4, false},
        {"sheet data in large blocks", sheetData(2000), 3, true},
        {"symbols full before the capacity", loneCyrillicLetters(1500), 3, true},
        {"a guid's worth of Cyrillic codes", std::u16string(300, u'^'), 2, false},
    };
}

class Splitting : public testing::TestWithParam<SplitCase> {};

TEST_P(Splitting, FillsBlocksGreedilyAndEachDecodesToItsText)
{
    const SplitCase& c = GetParam();
    const auto blocks = SplitBarcodeBlocks(headerData(), c.data);
    ASSERT_TRUE(blocks);
    ASSERT_EQ(blocks->size(), c.blocks);

    const int count = static_cast<int>(blocks->size());
    std::u16string joined;
    for (int index = 0; index < count; ++index) {
        SCOPED_TRACE("block " + std::to_string(index + 1));
        const BarcodeBlock& block = (*blocks)[static_cast<std::size_t>(index)];
        const bool top = index < 2;
        EXPECT_EQ(utf8(block.options),
                  c.large ? (top ? "/M4|/R84|/OH" : "/M4|/R63|/OV") : (top ? "/M4|/R28|/OH" : "/M4|/R21|/OV"));
        EXPECT_EQ(utf8(block.scale),
                  c.large ? (top ? "scale:1.19,1.18" : "scale:1.18,1.19") : (top ? "scale:1.5,3.5" : "scale:3.5,1.5"));
        const std::u16string header =
            index == 0 ? FirstBlockHeader(headerData(), 1, count) : NextBlockHeader(headerData(), index + 1, count);
        ASSERT_EQ(block.text.substr(0, header.size()), header);
        const std::size_t capacity = c.large ? 926 : (top ? 270 : 224);
        EXPECT_LE(block.text.size(), capacity);
        joined += block.text.substr(header.size());
        // The symbol stays in its slot, and greedy: a block that is not the last could not take
        // one more character.
        const BlockSlot slot = BarcodeBlockSlots()[static_cast<std::size_t>(index)];
        EXPECT_TRUE(inSlot(symbolExtent(block.text, block), slot));
        if (index + 1 < count && block.text.size() < capacity) {
            const std::u16string more = block.text + c.data[joined.size()];
            EXPECT_FALSE(fits(more, block.options) && inSlot(symbolExtent(more, block), slot));
        }
        const std::optional<std::string> decoded = decodedSymbol(block.text, block.options);
        ASSERT_TRUE(decoded);
        EXPECT_EQ(*decoded, WideText::toCp1251(block.text));
    }
    EXPECT_EQ(utf8(joined), utf8(c.data));
}

INSTANTIATE_TEST_SUITE_P(Data, Splitting, testing::ValuesIn(splitCases()), caseName<testing::TestParamInfo<SplitCase>>);

TEST(BarcodeBlocksTest, ASymbolThatIsFullEndsItsBlockBeforeTheCapacity)
{
    const auto blocks = SplitBarcodeBlocks(headerData(), loneCyrillicLetters(1500));
    ASSERT_TRUE(blocks);
    const std::u16string& first = blocks->at(0).text;
    EXPECT_LT(first.size(), 926u);
    EXPECT_TRUE(fits(first, u"/M4|/R84|/OV"));
}

// One field of "Ж1" repeated 230 times, as the sheet's data has it: letters and digits in turn
// widen a symbol of fixed rows faster than any other data, so its blocks end at their slots'
// ends and not at their capacities.
TEST(BarcodeBlocksTest, MixedLettersAndDigitsStayInTheirSlots)
{
    std::u16string mixed = u"|";
    for (int index = 0; index < 230; ++index)
        mixed += index == 0 ? u"@b1" : u"b1";
    const auto blocks = SplitBarcodeBlocks(headerData(), mixed);
    ASSERT_TRUE(blocks);
    EXPECT_GT(blocks->size(), 2u);
    for (std::size_t index = 0; index < blocks->size(); ++index) {
        SCOPED_TRACE("block " + std::to_string(index + 1));
        const BarcodeBlock& block = (*blocks)[index];
        const Extent extent = symbolExtent(block.text, block);
        EXPECT_TRUE(inSlot(extent, BarcodeBlockSlots()[index])) << extent.along << " x " << extent.across;
        const std::optional<std::string> decoded = decodedSymbol(block.text, block.options);
        ASSERT_TRUE(decoded);
        EXPECT_EQ(*decoded, WideText::toCp1251(block.text));
    }
}

TEST(BarcodeBlocksTest, DataBeyondFourLargeBlocksDoesNotFit)
{
    EXPECT_FALSE(SplitBarcodeBlocks(headerData(), capitals(3617)));
    EXPECT_TRUE(SplitBarcodeBlocks(headerData(), capitals(3616)));
    EXPECT_FALSE(SplitBarcodeBlocks(headerData(), sheetData(100000)));
}

TEST(BarcodeBlocksTest, DataTooBigNamesTheSheetTheLengthAndWhatFits)
{
    // 3616 capitals are the most that four large blocks take (above).
    const std::u16string data = capitals(3617);
    const std::string report =
        raisedReport([&] { RaiseBarcodeDataTooBig(headerData(), data, SSError::kSourceDocument, 7); });
    EXPECT_EQ(report, "Превышен максимально возможный размер данных штрих-кода PDF417: страница документа 2, длина "
                      "данных 3617 символов, в блоки помещается 3616[-1073217525 (0xC008000B)\\\\0 (0x0)\\TiffTools "
                      "(строка: 7)]");
    EXPECT_EQ(report.find("ABCDEFG"), std::string::npos) << "the data itself is not shown";
}

TEST(BarcodeBlocksTest, AGuidLongerThanASmallBlockGoesToTheLargePass)
{
    const std::u16string guid = capitals(300);
    const auto blocks = SplitBarcodeBlocks(headerData(guid), u"|DATA");
    ASSERT_TRUE(blocks);
    ASSERT_EQ(blocks->size(), 1u);
    EXPECT_EQ(utf8(blocks->at(0).options), "/M4|/R84|/OH");

    EXPECT_FALSE(SplitBarcodeBlocks(headerData(capitals(1000)), u"|DATA"));
}

} // namespace

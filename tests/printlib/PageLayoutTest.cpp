#include "PageLayout.h"

#include "BarcodeBlocks.h"
#include "ElementText.h"
#include "EngineTestSupport.h"
#include "Pdf417TestSupport.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <clocale>
#include <locale>
#include <string>
#include <vector>

namespace {

constexpr std::u16string_view kGuid = u"0123456789abcdef0123456789ABCDEF";

struct Expected {
    ElementKind kind;
    std::u16string text;
    std::u16string command;
    std::u16string transform;
    std::u16string options = {};
};

DocumentHeader documentHeader(bool noLine = false)
{
    DocumentHeader header;
    header.knd = u"1151020";
    header.version = u"5.16";
    header.identity = u"11510205.16";
    header.noLine = noLine;
    header.sheetCount = 2;
    return header;
}

// Sheet 1 of 2 on form page 3: a surname in cells that also goes into the barcode, and a code
// that is not printed but goes into the barcode.
DataSheet smallSheet()
{
    DataSheet sheet;
    sheet.number = 1;
    sheet.pageNumber = 3;
    sheet.code = 1;
    sheet.codeText = u"1";
    sheet.guid = std::u16string(kGuid);
    DataField surname;
    surname.value = u"Иванов";
    surname.left = 20;
    surname.top = 30;
    surname.width = 50;
    surname.height = 6;
    surname.cells = 10;
    surname.inBarcode = true;
    DataField code;
    code.value = u"7701";
    code.kind = 3;
    code.inBarcode = true;
    sheet.fields = {surname, code};
    return sheet;
}

void expectElements(const ElementTable& table, const std::vector<Expected>& expected)
{
    ASSERT_EQ(table.elements().size(), expected.size());
    int order = 1;
    for (const auto& [key, element] : table.elements()) {
        const Expected& e = expected[static_cast<std::size_t>(order - 1)];
        SCOPED_TRACE("element " + std::to_string(order));
        EXPECT_THAT(element.order, order);
        EXPECT_EQ(element.page, 2);
        EXPECT_EQ(element.sourcePage, 3);
        EXPECT_EQ(element.kind, e.kind);
        // Texts are stored normalised; barcode data is not.
        EXPECT_EQ(utf8(element.text), utf8(e.kind == ElementKind::Barcode ? e.text : NormalizeText(e.text)));
        EXPECT_EQ(utf8(element.command), utf8(e.command));
        EXPECT_EQ(utf8(element.transformText), utf8(e.transform));
        EXPECT_EQ(utf8(element.options), utf8(e.options));
        ++order;
    }
}

std::vector<Expected> smallSheetElements(std::u16string_view open, std::u16string_view close, double dx = 0,
                                         double dy = 0)
{
    const auto at = [](double value) { return std::to_string(static_cast<int>(value)) + ".0"; };
    const auto u16 = [](const std::string& text) { return WideText::fromUtf8(text); };
    const auto cross = [&](double x, double y) {
        return Expected{ElementKind::Cross, u"", u16("CROSS;" + at(x - dx) + ";" + at(y - dy) + ";5.0;5.0;0.5;"), u""};
    };
    // The surname "Иванов" with case marks, upper-cased and prepared, then the code as written.
    const std::u16string data = u"|@d^\\ij^|7701";
    return {
        {ElementKind::Transform, u"", u"", std::u16string(open)},
        {ElementKind::PageImage, u"", u"", u""},
        {ElementKind::Text, u"И\tв\tа\tн\tо\tв",
         u"STRING;20.0;30.0;50.0;6.0; ;; Courier New;18.0;;0; 0;1;8192;;5,5,5,5,5,5,5,5,5,5,", u""},
        // Back to page coordinates before the symbols and crosses, which lie outside the form.
        {ElementKind::Transform, u"", u"", std::u16string(close)},
        {ElementKind::Barcode, u"0123456789ABCDEF0123456789ABCDEF",
         u16("BARCODE;" + at(150 - dx) + ";" + at(4 - dy) + ";"), u"scale:1.5,3.5", u"/M17|/R12|/C4|/OH|/E2"},
        {ElementKind::Text, u"0123 4567 89ab cdef 0123 4567 89AB CDEF",
         u16("STRING;" + at(150 - dx) + ";" + at(15 - dy) + ";55.0;5.0; 55;2; Courier New;6.0;;1; 1;0;8192;;"), u""},
        {ElementKind::Barcode,
         u"11510205.16" + std::u16string(kGuid) +
             u"1"
             u"1"
             u"1"
             u"1*2" +
             data,
         u16("BARCODE;" + at(103 - dx) + ";" + at(262 - dy) + ";"), u"scale:1.5,3.5", u"/M4|/R28|/OH"},
        cross(12, 20),
        cross(12, 139),
        cross(93, 275),
        cross(186, 275),
    };
}

TEST(PageLayoutTest, ASmallSheetAsAPageImage)
{
    PageLayout layout;
    layout.UseImageTransforms(0);
    FakeLayoutRenderer renderer;
    layout.LayoutSheet(documentHeader(), smallSheet(), renderer, 2);
    expectElements(renderer.table, smallSheetElements(u"translate:25,0;scale:0.878788", u"scale:1"));
    EXPECT_EQ(renderer.fallbackOnOverflow, true);
    EXPECT_EQ(renderer.pagesAsked, std::vector<int>{3});
}

struct CommaDecimalPoint : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
};

TEST(PageLayoutTest, NumbersKeepTheirPointUnderADecimalCommaLocale)
{
    const std::locale previous = std::locale::global(std::locale(std::locale::classic(), new CommaDecimalPoint));
    const std::string previousC = std::setlocale(LC_ALL, nullptr);
    std::setlocale(LC_ALL, "ru_RU.UTF-8");
    PageLayout layout;
    layout.UseImageTransforms(0);
    FakeLayoutRenderer renderer;
    layout.LayoutSheet(documentHeader(), smallSheet(), renderer, 2);
    std::setlocale(LC_ALL, previousC.c_str());
    std::locale::global(previous);
    expectElements(renderer.table, smallSheetElements(u"translate:25,0;scale:0.878788", u"scale:1"));
}

TEST(PageLayoutTest, ALandscapeSheetTakesTheLandscapeTransforms)
{
    PageLayout layout;
    layout.UseImageTransforms(0);
    FakeLayoutRenderer renderer;
    renderer.landscape = true;
    layout.LayoutSheet(documentHeader(), smallSheet(), renderer, 2);
    expectElements(renderer.table,
                   smallSheetElements(u"translate:36,25;scale:0.878788", u"scale:1;turn:90;translate:0,-297"));
}

TEST(PageLayoutTest, PrintingADocumentUsesThePrintPlaces)
{
    PageLayout layout;
    layout.UsePrintTransforms(100, {600, 600, 71, 71}, PrintKind::Document);
    FakeLayoutRenderer renderer;
    layout.LayoutSheet(documentHeader(true), smallSheet(), renderer, 2);
    expectElements(renderer.table, smallSheetElements(u"translate:18,-2;scale:0.870000", u"scale:1", 2, 2));
    EXPECT_EQ(renderer.fallbackOnOverflow, false);
}

TEST(PageLayoutTest, ABlankFormIsItsPageBetweenTheTransforms)
{
    PageLayout layout;
    layout.UsePrintTransforms(100, {600, 600, 0, 0}, PrintKind::BlankForms);
    FakeLayoutRenderer renderer;
    layout.LayoutBlankPage(3, renderer, 2);
    expectElements(renderer.table,
                   {{ElementKind::Transform, u"", u"", u"translate:8,1;scale:0.950000"},
                    {ElementKind::PageImage, u"", u"", u""},
                    {ElementKind::Transform, u"", u"", u"scale:1"}});
}

// Many barcode fields: the data takes three small blocks, placed in the top row and the left
// column, and reads back whole from the symbols.
TEST(PageLayoutTest, BarcodeBlocksArePlacedInOrderAndReadBack)
{
    DataSheet sheet = smallSheet();
    sheet.fields.clear();
    for (int index = 0; index < 60; ++index) {
        DataField field;
        field.value = u"Поле " + WideText::decimal(index);
        field.cells = 0;
        field.inBarcode = true;
        sheet.fields.push_back(field);
    }
    PageLayout layout;
    layout.UseImageTransforms(100);
    FakeLayoutRenderer renderer;
    layout.LayoutSheet(documentHeader(), sheet, renderer, 2);

    std::vector<RenderElement> blocks;
    for (const auto& [key, element] : renderer.table.elements())
        if (element.kind == ElementKind::Barcode && element.options != u"/M17|/R12|/C4|/OH|/E2")
            blocks.push_back(element);
    ASSERT_EQ(blocks.size(), 3u);
    const char* places[] = {"BARCODE;103.0;262.0;", "BARCODE;10.0;262.0;", "BARCODE;5.0;149.0;"};
    const char* options[] = {"/M4|/R28|/OH", "/M4|/R28|/OH", "/M4|/R21|/OV"};
    const char* scales[] = {"scale:1.5,3.5", "scale:1.5,3.5", "scale:3.5,1.5"};
    std::string data;
    for (std::size_t index = 0; index < blocks.size(); ++index) {
        SCOPED_TRACE("block " + std::to_string(index + 1));
        EXPECT_EQ(utf8(blocks[index].command), places[index]);
        EXPECT_EQ(utf8(blocks[index].options), options[index]);
        EXPECT_EQ(utf8(blocks[index].transformText), scales[index]);
        const std::optional<std::string> decoded = decodedSymbol(blocks[index].text, blocks[index].options);
        ASSERT_TRUE(decoded);
        const BlockHeaderData header{u"11510205.16", std::u16string(kGuid), u"1", 1, 2};
        const std::string head = WideText::toCp1251(
            index == 0 ? FirstBlockHeader(header, 1, 3) : NextBlockHeader(header, static_cast<int>(index) + 1, 3));
        ASSERT_EQ(decoded->substr(0, head.size()), head);
        data += decoded->substr(head.size());
    }
    // "Поле 0" is marked "@Поле 0", upper-cased and prepared: "@" "k" "j" "g" "a" " " "0".
    EXPECT_EQ(data.substr(0, 18), "|@kjga 0|@kjga 1|@");
    EXPECT_EQ(std::count(data.begin(), data.end(), '|'), 60);
    // Crosses follow the blocks and end the page.
    EXPECT_EQ(std::prev(renderer.table.elements().end())->second.kind, ElementKind::Cross);
}

TEST(PageLayoutTest, BarcodeDataBeyondFourLargeBlocksDoesNotFit)
{
    DataSheet sheet = smallSheet();
    sheet.fields[1].value = std::u16string(4000, u'7');
    sheet.fields[1].kind = 5;
    FakeLayoutRenderer renderer;
    PageLayout layout;
    const std::string report = raisedReport([&] { layout.LayoutSheet(documentHeader(), sheet, renderer, 2); });
    // The sheet, the data's length and how much of it the blocks take; not the data itself.
    EXPECT_THAT(report, testing::StartsWith("Превышен максимально возможный размер данных штрих-кода PDF417: страница "
                                            "документа 1, длина данных 4009 символов, в блоки помещается "))
        << report;
    EXPECT_THAT(report, testing::HasSubstr("[-1073217525 (0xC008000B)\\\\0 (0x0)\\TiffTools")) << report;
    EXPECT_EQ(report.find("7777"), std::string::npos) << report;
}

TEST(PageLayoutTest, AFieldThatDoesNotFitStopsThePage)
{
    DataSheet sheet = smallSheet();
    sheet.fields[0].kind = 11;
    sheet.fields[0].value = u"12345678901";
    FakeLayoutRenderer renderer;
    PageLayout layout;
    EXPECT_THAT(raisedReport([&] { layout.LayoutSheet(documentHeader(), sheet, renderer, 2); }),
                testing::StartsWith("Данные '12345678901' (длина 11) 1 страницы документа"));
}

} // namespace

#include "ElementTable.h"

#include "DrawCommandParser.h"
#include "TiffTestSupport.h"

#include <gtest/gtest.h>

namespace {

std::vector<int32_t> ordersOfPage(const ElementTable& table, int32_t page)
{
    std::vector<int32_t> orders;
    for (const auto& [key, element] : table.elementsOfPage(page)) {
        EXPECT_EQ(key, ElementTable::keyOf(element.page, element.order));
        orders.push_back(element.order);
    }
    return orders;
}

void addText(ElementTable& table, int32_t page, std::u16string_view text, std::u16string_view command,
             int32_t order = kAfterLastElement)
{
    table.AddTextElement({0, page}, ElementKind::Text, text, command, u"", 0, order);
}

TEST(ElementTableTest, AfterLastElementTakesTheNextOrderOfItsPage)
{
    ElementTable table;
    addText(table, 2, u"a", u"STRING");
    addText(table, 2, u"b", u"STRING");
    addText(table, 3, u"c", u"STRING", 7);
    addText(table, 4, u"d", u"STRING", 1);
    addText(table, 3, u"e", u"STRING");
    addText(table, 3, u"f", u"STRING");
    EXPECT_EQ(ordersOfPage(table, 2), (std::vector<int32_t>{1, 2}));
    EXPECT_EQ(ordersOfPage(table, 3), (std::vector<int32_t>{7, 8, 9}));
    EXPECT_EQ(ordersOfPage(table, 4), std::vector<int32_t>{1});
    EXPECT_EQ(table.elementsOfPage(3).begin()->second.sourcePage, 3);

    addText(table, 65535, u"last", u"STRING", 65535);
    EXPECT_EQ(ordersOfPage(table, 65535), std::vector<int32_t>{65535});
    EXPECT_TRUE(table.elementsOfPage(0).empty());
}

TEST(ElementTableTest, BadPlacesAndOrdersAreErrors)
{
    ElementTable table;
    addText(table, 1, u"x", u"STRING", 65535);
    addText(table, 2, u"x", u"STRING", 5);
    struct Case {
        const char* name;
        std::function<void()> add;
        const char* expected;
    };
    const Case cases[] = {
        {"page 0", [&] { addText(table, 0, u"x", u"STRING"); }, "Номер страницы должен быть в диапазоне от 1 до 65535"},
        {"page 65536", [&] { addText(table, 65536, u"x", u"STRING"); },
         "Номер страницы должен быть в диапазоне от 1 до 65535"},
        {"source page 65536", [&] { table.AddCrossElement({65536, 1}, u"CROSS", u""); },
         "Номер страницы должен быть в диапазоне от 1 до 65535"},
        {"order 65536", [&] { addText(table, 3, u"x", u"STRING", 65536); },
         "Максимальное количество поддерживаемых полей на странице - 65535"},
        {"after order 65535", [&] { addText(table, 1, u"x", u"STRING"); },
         "Максимальное количество поддерживаемых полей на странице - 65535"},
        {"order -2", [&] { addText(table, 3, u"x", u"STRING", -2); },
         "Максимальное количество поддерживаемых полей на странице - 65535"},
        {"duplicate", [&] { addText(table, 2, u"y", u"STRING", 5); },
         "Вставляемый элемент с порядковым номером 5 уже существует на странице 2"},
    };
    for (const Case& testCase : cases) {
        SCOPED_TRACE(testCase.name);
        const std::string report = utf8(errorReport(testCase.add));
        EXPECT_NE(report.find(testCase.expected), std::string::npos) << report;
        EXPECT_NE(report.find("(0xC0020050)"), std::string::npos) << report;
        EXPECT_NE(report.find("TifOperation"), std::string::npos) << report;
    }
    EXPECT_EQ(table.elements().size(), 2u);
    EXPECT_EQ(table.elementsOfPage(2).begin()->second.text, u"x");
}

TEST(ElementTableTest, AddersFillTheirKinds)
{
    ElementTable table;
    table.AddTextElement({2, 1}, ElementKind::StrictLongText, u"a - b", u"STRING;1;2;3;4", u"scale:2", 42);
    table.AddBarcodeElement({0, 1}, u"data", u"M4|R21", u"BARCODE;10;20;", u"scale:1.5,3.5");
    table.AddPageImageElement({0, 1}, u"", u"");
    table.AddCrossElement({0, 1}, u"CROSS;1;2;3;4;0.5;", u"turn:90");
    table.AddTransformElement({0, 1}, u"translate:1,2");

    std::vector<RenderElement> elements;
    for (const auto& [key, element] : table.elementsOfPage(1))
        elements.push_back(element);
    ASSERT_EQ(elements.size(), 5u);
    EXPECT_EQ(elements[0].kind, ElementKind::StrictLongText);
    EXPECT_EQ(elements[0].text, u"a\u00A0\u2212\u00A0b");
    EXPECT_EQ(elements[0].sourcePage, 2);
    EXPECT_EQ(elements[0].carriedValue, 42);
    EXPECT_EQ(elements[0].matrix, (TransformMatrix{2, 0, 0, 2, 0, 0}));
    EXPECT_EQ(elements[1].kind, ElementKind::Barcode);
    EXPECT_EQ(elements[1].text, u"data");
    EXPECT_EQ(elements[1].options, u"/M4|/R21");
    EXPECT_EQ(elements[1].transformText, u"scale:1.5,3.5");
    EXPECT_EQ(elements[2].kind, ElementKind::PageImage);
    EXPECT_EQ(elements[2].matrix, TransformMatrix{});
    EXPECT_EQ(elements[3].kind, ElementKind::Cross);
    EXPECT_EQ(elements[4].kind, ElementKind::Transform);
    EXPECT_EQ(elements[4].command, u"");
    EXPECT_EQ(elements[4].matrix, (TransformMatrix{1, 0, 0, 1, 1, 2}));
}

TEST(ElementTableTest, CopiesReplaceElementsUnderTheSameKey)
{
    ElementTable table;
    addText(table, 1, u"old", u"STRING", 1);
    addText(table, 1, u"kept", u"STRING", 2);
    ElementTable other;
    addText(other, 1, u"new", u"STRING", 1);
    other.AddCrossElement({0, 2}, u"CROSS", u"");

    ElementTable copied = table;
    copied.CopyElements(other);
    EXPECT_EQ(copied.elements().at(ElementTable::keyOf(1, 1)).text, u"new");
    EXPECT_EQ(copied.elements().at(ElementTable::keyOf(1, 2)).text, u"kept");
    EXPECT_EQ(copied.elements().at(ElementTable::keyOf(2, 1)).kind, ElementKind::Cross);

    table.CopyElementsAsLongText(other);
    EXPECT_EQ(table.elements().at(ElementTable::keyOf(1, 1)).kind, ElementKind::LongText);
    EXPECT_EQ(table.elements().at(ElementTable::keyOf(2, 1)).kind, ElementKind::LongText);
    EXPECT_EQ(table.elements().at(ElementTable::keyOf(1, 2)).kind, ElementKind::Text);
}

TEST(ElementTableTest, MergeTextLinesJoinsLinesOfOneColumn)
{
    ElementTable table;
    addText(table, 1, u"first ", u"STRING;20.0;10.0;100.0;4.0; ;; Courier New;12.0;;0; 0;0;8192;;");
    addText(table, 1, u"second ", u"STRING;25.0;15.0;95.0;4.0; ;; Courier New;12.0;;0; 0;0;8192;;");
    addText(table, 1, u"third", u"STRING;20.0;20.0;100.0;5.0; ;; Courier New;12.0;;0; 0;0;8192;;");
    addText(table, 1, u"alone", u"STRING;150.0;40.0;30.0;4.0;;");
    addText(table, 2, u"next page", u"STRING;150.0;45.0;30.0;4.0;;");
    table.MergeTextLines();

    std::vector<RenderElement> elements;
    for (const auto& [key, element] : table.elements())
        elements.push_back(element);
    ASSERT_EQ(elements.size(), 5u);
    EXPECT_EQ(elements[0].kind, ElementKind::TextBlockHead);
    EXPECT_EQ(elements[0].text, u"first\u00A0second\u00A0third");
    EXPECT_EQ(elements[0].command,
              u"STRING;20.000000 ;10.000000 ;100.000000 ;15.000000 ; ;; Courier New;12.0;;0; 0;0;8192;;");
    const TextLayout head = ParseStringCommand(elements[0].command);
    EXPECT_FLOAT_EQ(head.height, 15);
    EXPECT_EQ(head.fontName, u"Courier New");
    EXPECT_EQ(elements[1].kind, ElementKind::TextBlockLine);
    EXPECT_EQ(elements[1].command, u"STRING;25.0;15.0;95.0;4.0; ;; Courier New;12.0;;0; 0;0;8192;;");
    EXPECT_EQ(elements[2].kind, ElementKind::TextBlockLine);
    EXPECT_EQ(elements[3].kind, ElementKind::Text);
    EXPECT_EQ(elements[3].command, u"STRING;150.0;40.0;30.0;4.0;;");
    EXPECT_EQ(elements[4].kind, ElementKind::Text);
}

} // namespace

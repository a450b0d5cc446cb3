#include "FieldLayout.h"

#include "ElementText.h"
#include "EngineTestSupport.h"
#include "Pdf417TestSupport.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace {

struct Expected {
    ElementKind kind;
    std::u16string text;
    std::u16string command;
    std::u16string transform;
};

DataField field(int left, int top, int width, int height, int cells, std::u16string value, int kind = 5)
{
    DataField f;
    f.left = left;
    f.top = top;
    f.width = width;
    f.height = height;
    f.cells = cells;
    f.value = std::move(value);
    f.kind = kind;
    return f;
}

template <class Change>
DataField changed(DataField f, Change&& change)
{
    change(f);
    return f;
}

std::u16string tabStops(int count)
{
    std::u16string stops;
    for (int index = 0; index < count; ++index)
        stops += u"5,";
    return stops;
}

struct LayoutCase {
    std::string name;
    DataField field;
    bool noLine = false;
    std::vector<Expected> elements;
    // What the stand-in renderer's measuring answers.
    int lines = 1;
    float commonSize = 12.0f;
};

void PrintTo(const LayoutCase& c, std::ostream* out)
{
    *out << c.name;
}

constexpr ElementKind kText = ElementKind::Text;

std::vector<LayoutCase> layoutCases()
{
    const DataField number = changed(field(50, 100, 77, 5, 15, u"12345.67", 11), [](DataField& f) { f.digits = 2; });
    const std::u16string numberMark = u"STRING;50.0;100.0;77.0;5.0; ;; Courier New;18.0;;0; 0;1;8192;;";
    const std::u16string cells25x6 = u"STRING;10.0;20.0;25.0;6.0; ;; Courier New;18.0;;0; 0;1;8192;;";
    const DataField check = changed(field(5, 6, 5, 5, 1, u"", 4), [](DataField& f) { f.checked = true; });
    const std::u16string checkMark = u"STRING;5.0;6.0;5.0;5.0; ;; Courier New;18.0;;0; 0;1;8192;;";
    const std::u16string checkV = u"STRING;5.0;6.0;5.0;5.0; ;; Courier New;18.0;;0; 1;1;8192;;";
    const std::u16string rotatedCells = u"STRING;30.0;40.0;10.0;40.0; ;; Courier New;18.0;;0; 0;0;8192;;" + tabStops(8);
    const std::u16string flatCells = u"STRING;30.0;40.0;40.0;10.0; ;; Courier New;18.0;;0; 0;0;8192;;" + tabStops(8);
    const DataField rotated = field(30, 40, 40, 10, 8, u"AB");
    const auto rotation = [&](int degrees) {
        return changed(rotated, [degrees](DataField& f) { f.rotate = degrees; });
    };
    const std::u16string turned = u"turn:180;translate:-77.0,-5.0";

    return {
        {"text in cells", field(10, 20, 25, 6, 5, u"АБВ"), false, {{kText, u"А\tБ\tВ", cells25x6 + tabStops(5), u""}}},
        {"kind 1 upper-cased and centred, tall field",
         changed(field(10, 20, 25, 10, 5, u"abc", 1), [](DataField& f) { f.alignment = FieldAlignment::Centre; }),
         false,
         {{kText, u"A\tB\tC", u"STRING;10.0;20.0;25.0;10.0; ;; Courier New;18.0;;0; 1;0;8192;;" + tabStops(5), u""}}},
        {"right aligned",
         changed(field(10, 20, 25, 6, 5, u"7"), [](DataField& f) { f.alignment = FieldAlignment::Right; }),
         false,
         {{kText, u"7", u"STRING;10.0;20.0;25.0;6.0; ;; Courier New;18.0;;0; 2;1;8192;;" + tabStops(5), u""}}},
        {"as many cells as characters",
         field(10, 20, 25, 6, 3, u"ABC"),
         false,
         {{kText, u"A\tB\tC", cells25x6 + tabStops(3), u""}}},
        {"empty kind 5 dashed in lines",
         field(10, 20, 25, 6, 5, u""),
         false,
         {{kText, u"SLASHED3_RECT", cells25x6, u""}}},
        {"empty kind 1 dashed in lines",
         field(10, 20, 25, 6, 5, u"", 1),
         false,
         {{kText, u"SLASHED3_RECT", cells25x6, u""}}},
        {"empty kind 2 dashed once",
         field(10, 20, 25, 6, 5, u"", 2),
         false,
         {{kText, u"SLASHED2_RECT", cells25x6, u""}}},
        {"empty in no-line mode", field(10, 20, 25, 6, 5, u""), true, {{kText, u"SLASHED0_RECT", cells25x6, u""}}},
        {"free text",
         field(10, 20, 25, 12, DataField::kFreeText, u"Иванов-Петров Иван"),
         false,
         {{kText, u"Иванов-Петров Иван", u"STRING;10.0;20.0;25.0;12.0; ;; Courier New;18.0;;0; 0;0;8192;;", u""}}},
        {"free text empty",
         field(10, 20, 25, 6, DataField::kFreeText, u""),
         false,
         {{kText, u"SLASHED3_RECT", cells25x6, u""}}},
        {"check box set", check, false, {{kText, u"SLASHED2_RECT", checkMark, u""}, {kText, u"V", checkV, u""}}},
        {"check box clear",
         changed(check, [](DataField& f) { f.checked = false; }),
         false,
         {{kText, u"SLASHED2_RECT", checkMark, u""}}},
        {"check box set in no-line mode",
         check,
         true,
         {{kText, u"SLASHED0_RECT", checkMark, u""}, {kText, u"V", checkV, u""}}},
        {"number",
         number,
         false,
         {{kText, u"SLASHED0_RECT", numberMark, u""},
          {kText, u"1\t2\t3\t4\t5", u"STRING;50.0;100.0;65.0;5.0; ;; Courier New;11.2;;0; 0;1;8192;;" + tabStops(13),
           u""},
          {kText, u".", u"STRING;115.0;100.0;2.0;5.0; ;; Courier New;11.2;;0; 1;1;8192;;", u""},
          {kText, u"6\t7", u"STRING;117.0;100.0;10.0;5.0; ;; Courier New;11.2;;0; 0;1;8192;;" + tabStops(2), u""}},
         1,
         11.27f},
        {"number without a fraction",
         changed(number, [](DataField& f) { f.value = u"123"; }),
         false,
         {{kText, u"SLASHED0_RECT", numberMark, u""},
          {kText, u"1\t2\t3", u"STRING;50.0;100.0;65.0;5.0; ;; Courier New;18.0;;0; 0;1;8192;;" + tabStops(13), u""},
          {kText, u".", u"STRING;115.0;100.0;2.0;5.0; ;; Courier New;18.0;;0; 1;1;8192;;", u""}},
         1,
         30.0f},
        {"number without digits after the point",
         field(50, 100, 26, 5, 5, u"42", 11),
         false,
         {{kText, u"SLASHED0_RECT", u"STRING;50.0;100.0;26.0;5.0; ;; Courier New;18.0;;0; 0;1;8192;;", u""},
          {kText, u"4\t2", u"STRING;50.0;100.0;25.0;5.0; ;; Courier New;12.0;;0; 0;1;8192;;" + tabStops(5), u""}}},
        {"number that is only a point",
         changed(number, [](DataField& f) { f.value = u"."; }),
         false,
         {{kText, u"SLASHED2_RECT", numberMark, u""}}},
        {"number in a turned field",
         changed(number,
                 [](DataField& f) {
                     f.value = u"1.5";
                     f.rotate = 180;
                 }),
         false,
         {{kText, u"SLASHED0_RECT", numberMark, turned},
          {kText, u"1", u"STRING;50.0;100.0;65.0;5.0; ;; Courier New;12.0;;0; 0;1;8192;;" + tabStops(13), turned},
          {kText, u".", u"STRING;50.0;100.0;2.0;5.0; ;; Courier New;12.0;;0; 1;1;8192;;",
           turned + u";translate:65.0,0"},
          {kText, u"5", u"STRING;50.0;100.0;10.0;5.0; ;; Courier New;12.0;;0; 0;1;8192;;" + tabStops(2),
           turned + u";translate:67.0,0"}}},
        {"turned by 90", rotation(90), false, {{kText, u"A\tB", rotatedCells, u"turn:90;translate:0,-40.0"}}},
        {"turned by 180", rotation(180), false, {{kText, u"A\tB", flatCells, u"turn:180;translate:-40.0,-10.0"}}},
        {"turned by 270", rotation(270), false, {{kText, u"A\tB", rotatedCells, u"turn:270;translate:-10.0,0"}}},
        {"other angles unturned", rotation(45), false, {{kText, u"A\tB", flatCells, u""}}},
        {"long value on one line",
         field(10, 20, 15, 6, 3, u"ABCDEFG"),
         false,
         {{kText, u"SLASHED0_RECT", u"STRING;10.0;20.0;15.0;6.0; ;; Courier New;18.0;;0; 0;1;8192;;", u""},
          {ElementKind::LongText, u"ABCDEFG", u"STRING;10.0;20.0;15.0;6.0; ;; Courier New;18.0;;0; 0;1;8192;;", u""}},
         1},
        {"long value on two lines",
         field(10, 20, 15, 6, 3, u"ABCDEFG"),
         true,
         {{kText, u"SLASHED0_RECT", u"STRING;10.0;20.0;15.0;6.0; ;; Courier New;18.0;;0; 0;1;8192;;", u""},
          {kText, u"ABCDEFG", u"STRING;10.0;20.0;15.0;6.0; ;; Courier New;18.0;;0; 0;1;8192;;", u""}},
         2},
        {"not printed", field(10, 20, 25, 6, 0, u"x"), false, {}},
        {"left off the page", field(-1, 20, 25, 6, 5, u"x"), false, {}},
        {"top off the page", field(10, -1, 25, 6, 5, u"x"), false, {}},
        {"no width", field(10, 20, 0, 6, 5, u"x"), false, {}},
        {"no height", field(10, 20, 25, 0, 5, u"x"), false, {}},
        {"negative width", field(10, 20, -25, 6, 5, u"x"), false, {}},
    };
}

class FieldLayoutCases : public testing::TestWithParam<LayoutCase> {};

constexpr int kFirstOrder = 7;

TEST_P(FieldLayoutCases, AddTheElementsWorkedOutByHand)
{
    const LayoutCase& c = GetParam();
    FakeLayoutRenderer renderer;
    renderer.lines = c.lines;
    renderer.commonSize = c.commonSize;
    const FieldPage page{{3, 1}, 2, 3, c.noLine};

    const int next = LayoutField(c.field, page, renderer, kFirstOrder);

    EXPECT_THAT(next, kFirstOrder + static_cast<int>(c.elements.size()));
    ASSERT_EQ(renderer.table.elements().size(), c.elements.size());
    int order = kFirstOrder;
    for (const auto& [key, element] : renderer.table.elements()) {
        const Expected& expected = c.elements[static_cast<std::size_t>(order - kFirstOrder)];
        SCOPED_TRACE("element " + std::to_string(order));
        EXPECT_EQ(element.order, order);
        EXPECT_EQ(element.page, 1);
        EXPECT_EQ(element.sourcePage, 3);
        EXPECT_EQ(element.kind, expected.kind);
        // The table stores texts normalised, blanks as no-break spaces and dashes as minus signs.
        EXPECT_EQ(utf8(element.text), utf8(NormalizeText(expected.text)));
        EXPECT_EQ(utf8(element.command), utf8(expected.command));
        EXPECT_EQ(utf8(element.transformText), utf8(expected.transform));
        ++order;
    }
}

INSTANTIATE_TEST_SUITE_P(Fields, FieldLayoutCases, testing::ValuesIn(layoutCases()),
                         caseName<testing::TestParamInfo<LayoutCase>>);

TEST(FieldLayoutTest, BothPartsOfANumberAreMeasuredTogether)
{
    FakeLayoutRenderer renderer;
    DataField number = field(50, 100, 77, 5, 15, u"12345.67", 11);
    number.digits = 2;
    LayoutField(number, {{3, 1}, 2, 3, false}, renderer, 1);
    ASSERT_EQ(renderer.measuredSizes.size(), 2u);
    const auto& [integer, integerText] = renderer.measuredSizes[0];
    EXPECT_EQ(utf8(integerText), "12345");
    EXPECT_EQ(integer.x, 50);
    EXPECT_EQ(integer.width, 65);
    EXPECT_EQ(integer.fontSize, 18);
    const auto& [fraction, fractionText] = renderer.measuredSizes[1];
    EXPECT_EQ(utf8(fractionText), "67");
    EXPECT_EQ(fraction.x, 117);
    EXPECT_EQ(fraction.width, 10);
}

TEST(FieldLayoutTest, ALongValueIsMeasuredAtTheSmallestSize)
{
    FakeLayoutRenderer renderer;
    LayoutField(field(10, 20, 15, 6, 3, u"ABCDEFG"), {{3, 1}, 2, 3, false}, renderer, 1);
    ASSERT_EQ(renderer.measuredLines.size(), 1u);
    EXPECT_EQ(renderer.measuredLines[0].layout.fontSize, 8);
    EXPECT_EQ(renderer.measuredLines[0].layout.width, 15);
    EXPECT_EQ(utf8(renderer.measuredLines[0].text), "ABCDEFG");
}

struct OverflowCase {
    std::string name;
    DataField field;
    std::string shown; // "Данные '...' (длина N) ... поле L + W мм и T + H мм"
    int lines = 1;
    float commonSize = 12.0f;
};

void PrintTo(const OverflowCase& c, std::ostream* out)
{
    *out << c.name;
}

std::vector<OverflowCase> overflowCases()
{
    const auto number = [](int width, int cells, int digits, std::u16string value) {
        DataField f = field(50, 100, width, 5, cells, std::move(value), 11);
        f.digits = digits;
        return f;
    };
    const std::u16string longValue(200, u'Z');
    return {
        {"number longer than its cells", number(26, 5, 0, u"123456"),
         "Данные '123456' (длина 6) 2 страницы документа невозможно разместить в прямоугольном поле 50 + 26 мм и 100 + "
         "5 мм"},
        {"number field with a width left over of 3", number(24, 4, 0, u"12"),
         "Данные '12' (длина 2) 2 страницы документа невозможно разместить в прямоугольном поле 50 + 24 мм"},
        {"integer part past its cells", number(27, 5, 2, u"1234"), "Данные '1234' (длина 4)"},
        {"fraction past its cells", number(27, 5, 2, u"1.234"), "Данные '1.234' (длина 5)"},
        {"no room for the point", number(21, 5, 2, u"1.5"), "Данные '1.5' (длина 3)"},
        {"number that fits at no size", number(27, 5, 2, u"1.5"), "Данные '1.5' (длина 3)", 1, 0.0f},
        {"long value over three lines", field(10, 20, 15, 6, 3, u"ABCDEFG"),
         "Данные 'ABCDEFG' (длина 7) 2 страницы документа невозможно разместить в прямоугольном поле 10 + 15 мм и 20 + "
         "6 мм",
         3},
        {"long value cut in the report", field(10, 20, 15, 6, 3, longValue),
         "Данные '" + std::string(125, 'Z') + "...' (длина 200) 2 страницы", 3},
    };
}

class Overflows : public testing::TestWithParam<OverflowCase> {};

TEST_P(Overflows, NameTheValueTheSheetTheFieldAndTheForm)
{
    const OverflowCase& c = GetParam();
    FakeLayoutRenderer renderer;
    renderer.lines = c.lines;
    renderer.commonSize = c.commonSize;
    const std::string report = raisedReport([&] { LayoutField(c.field, {{3, 1}, 2, 3, false}, renderer, 1); });
    EXPECT_THAT(report, testing::StartsWith(c.shown)) << report;
    EXPECT_THAT(report,
                testing::HasSubstr(
                    " на 3 странице формы blank.tif.[-1073610654 (0xC0020062)\\\\0 (0x0)\\TifOperation (строка: "))
        << report;
    EXPECT_TRUE(renderer.table.empty());
}

INSTANTIATE_TEST_SUITE_P(Fields, Overflows, testing::ValuesIn(overflowCases()),
                         caseName<testing::TestParamInfo<OverflowCase>>);

struct PageEdgeCase {
    std::string name;
    DataField field;
    bool landscape = false;
    // Empty when the field is drawn.
    std::string refusal;
};

void PrintTo(const PageEdgeCase& c, std::ostream* out)
{
    *out << c.name;
}

std::vector<PageEdgeCase> pageEdgeCases()
{
    const auto named = [](DataField f) {
        f.name = u"NOTE";
        return f;
    };
    const auto turned = [&](int left, int top, int degrees) {
        return changed(named(field(left, top, 40, 10, 8, u"AB")), [degrees](DataField& f) { f.rotate = degrees; });
    };
    const auto landscape = [](PageEdgeCase c) {
        c.landscape = true;
        return c;
    };
    const std::string upright = " Поле NOTE выходит за пределы страницы 210 × 297 мм.[";
    const std::string across = " Поле NOTE выходит за пределы страницы 297 × 210 мм.[";
    return {
        {"inside", named(field(150, 40, 50, 6, 10, u"ТЕКСТ")), false, ""},
        {"up to the corner", named(field(160, 291, 50, 6, 10, u"ТЕКСТ")), false, ""},
        {"past the right edge", named(field(190, 40, 40, 6, 8, u"ТЕКСТ ЗА КРАЕМ")), false,
         "Данные 'ТЕКСТ ЗА КРАЕМ' (длина 14) 2 страницы документа невозможно разместить в прямоугольном поле 190 + 40 "
         "мм и 40 + 6 мм на 3 странице формы blank.tif." + upright},
        {"past the bottom", named(field(40, 292, 60, 10, 12, u"771234567890")), false,
         "Данные '771234567890' (длина 12) 2 страницы документа невозможно разместить в прямоугольном поле 40 + 60 мм "
         "и 292 + 10 мм" },
        {"wholly off the page", named(field(250, 300, 30, 6, 6, u"ТЕКСТ")), false,
         "Данные 'ТЕКСТ' (длина 5) 2 страницы документа невозможно разместить в прямоугольном поле 250 + 30 мм и 300 + "
         "6 мм"},
        {"empty field past the edge", named(field(200, 40, 25, 6, 5, u"")), false, "Данные '' (длина 0)"},
        {"check box past the edge", changed(named(field(208, 6, 5, 5, 1, u"", 4)), [](DataField& f) { f.checked = true; }),
         false, "Данные '' (длина 0)"},
        {"unnamed", field(190, 40, 40, 6, 8, u"X"), false, "на 3 странице формы blank.tif. Поле выходит за пределы"},
        {"the rectangle is where a turned field lies", turned(170, 287, 90), false, ""},
        {"turned by 90 past the right edge", turned(171, 40, 90), false, upright},
        {"turned by 270 past the bottom", turned(10, 288, 270), false, upright},
        landscape({"across the page, inside", named(field(250, 150, 40, 10, 8, u"AB")), false, ""}),
        landscape({"across the page, past its bottom", named(field(10, 205, 40, 10, 8, u"AB")), false, across}),
        {"upright, past what would fit across", named(field(10, 205, 40, 10, 8, u"AB")), false, ""},
        {"not drawn", named(field(250, 40, 30, 6, 0, u"ТЕКСТ")), false, ""},
    };
}

class PageEdges : public testing::TestWithParam<PageEdgeCase> {};

TEST_P(PageEdges, ADrawnFieldMustLieWhollyOnThePage)
{
    const PageEdgeCase& c = GetParam();
    FakeLayoutRenderer renderer;
    FieldPage page{{3, 1}, 2, 3, false};
    page.landscape = c.landscape;
    const std::string report = raisedReport([&] { LayoutField(c.field, page, renderer, 1); });
    if (c.refusal.empty()) {
        EXPECT_EQ(report, "nothing raised");
        EXPECT_EQ(renderer.table.empty(), c.field.cells == 0);
        return;
    }
    EXPECT_THAT(report, testing::HasSubstr(c.refusal)) << report;
    EXPECT_THAT(report, testing::HasSubstr("[-1073610654 (0xC0020062)\\\\0 (0x0)\\TifOperation (строка: ")) << report;
    EXPECT_TRUE(renderer.table.empty());
}

INSTANTIATE_TEST_SUITE_P(Fields, PageEdges, testing::ValuesIn(pageEdgeCases()),
                         caseName<testing::TestParamInfo<PageEdgeCase>>);

} // namespace

#include "PageSelection.h"

#include "Pdf417TestSupport.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace {

struct SelectionCase {
    std::string name;
    std::u16string text;
    int sheetCount;
    std::vector<int> sheets;
};

void PrintTo(const SelectionCase& c, std::ostream* out)
{
    *out << c.name;
}

std::vector<SelectionCase> selectionCases()
{
    return {
        {"empty selects all", u"", 4, {1, 2, 3, 4}},
        {"blanks select all", u"   ", 3, {1, 2, 3}},
        {"all", u"все", 3, {1, 2, 3}},
        {"all in capitals", u"Все", 3, {1, 2, 3}},
        {"all anywhere in a list", u"2,ВСЕ", 3, {1, 2, 3}},
        {"one sheet", u"3", 6, {3}},
        {"range", u"2-5", 6, {2, 3, 4, 5}},
        {"range backwards", u"5-2", 6, {2, 3, 4, 5}},
        {"backward range and odd", u"5-2,нечет", 6, {1, 2, 3, 4, 5}},
        {"even and odd", u"чет,нечет", 5, {1, 2, 3, 4, 5}},
        {"even in capitals", u"ЧЕТ", 6, {2, 4, 6}},
        {"odd mixed case", u"НеЧеТ", 6, {1, 3, 5}},
        {"even and a number", u"чет,1", 6, {1, 2, 4, 6}},
        {"blanks around items", u" 2 , 4 ", 6, {2, 4}},
        {"each sheet once", u"1,1,2-3,3,2", 6, {1, 2, 3}},
        {"ascending order", u"6,4-5,1", 6, {1, 4, 5, 6}},
        {"sheet past the count", u"7", 6, {}},
        {"range past the count", u"5-9", 6, {5, 6}},
        {"sheet 0", u"0", 6, {}},
        {"range from 0", u"0-3", 6, {}},
        {"range without a start", u"-3", 6, {}},
        {"not a number", u"abc", 6, {}},
        {"number with a tail", u"2x", 6, {2}},
        {"only commas", u",,", 6, {}},
        {"word not exact", u"четные", 6, {}},
        {"huge number", u"99999999999", 6, {}},
        {"huge range", u"4-99999999999", 6, {4, 5, 6}},
        {"no sheets", u"1-3", 0, {}},
    };
}

class PageSelectionCases : public testing::TestWithParam<SelectionCase> {};

TEST_P(PageSelectionCases, SelectsSheetsInOrderOnce)
{
    const SelectionCase& c = GetParam();
    PageSelection selection(c.text, c.sheetCount);
    std::vector<int> walked;
    for (; !selection.atEnd(); selection.advance()) {
        EXPECT_EQ(selection.done(), static_cast<int>(walked.size()));
        walked.push_back(selection.current());
    }
    EXPECT_EQ(walked, c.sheets);
    EXPECT_EQ(selection.total(), static_cast<int>(c.sheets.size()));
    EXPECT_EQ(selection.done(), selection.total());
}

INSTANTIATE_TEST_SUITE_P(Texts, PageSelectionCases, testing::ValuesIn(selectionCases()),
                         caseName<testing::TestParamInfo<SelectionCase>>);

TEST(PageSelectionTest, MergesNumbersAndRangesIntoDisjointRanges)
{
    const PageSelection selection(u"9-7,3,1-2,5,4,20", 10);
    const std::vector<PageSelection::Range> expected{{1, 5}, {7, 9}};
    EXPECT_EQ(selection.ranges(), expected);
}

} // namespace

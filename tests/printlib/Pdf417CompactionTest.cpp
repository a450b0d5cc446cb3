#include "Pdf417Compaction.h"

#include "Pdf417TestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct CompactionCase {
    const char* name;
    std::string data; // code page 1251
    std::vector<int> expected;
};

// Worked out by hand from the compaction rules: text values are paired as 30 × first + second
// (alpha A=0.., lower a=0.., mixed 0-9=0-9, tab 12, punctuation ;=0 <=1 >=2 ?=25 !=10 LF=15;
// 27 ll/as, 28 ml/al, 25 pl, 29 ps/al/pad), numbers and byte groups are written in base 900.
// The first codeword is the length descriptor, left 0. "\xDF" is Я, "\xC0" is А.
const CompactionCase compactionCases[] = {
    {"empty", "", {0}},
    {"seven digits as text", "1234567", {0, 841, 63, 125, 187}},
    {"twelve digits alone", "123456789012", {0, 902, 1, 641, 83, 621, 112}},
    {"thirteen digits", "1234567890123", {0, 902, 17, 110, 836, 811, 223}},
    {"a group of 44 digits and one more", "123456789012345678901234567890123456789012345",
     {0, 902, 491, 81, 137, 450, 302, 67, 15, 174, 492, 862, 667, 475, 869, 12, 434, 15}},
    {"digits inside text", "AB1234567890123CD", {0, 1, 902, 17, 110, 836, 811, 223, 900, 63}},
    {"twelve high bytes latch 924", std::string(12, '\xC0'),
     {0, 924, 323, 18, 837, 157, 252, 323, 18, 837, 157, 252}},
    {"thirteen high bytes latch 901", std::string(13, '\xC0'),
     {0, 901, 323, 18, 837, 157, 252, 323, 18, 837, 157, 252, 192}},
    {"byte shift on a whole codeword", "AB\xDF" "CD", {0, 1, 913, 223, 63}},
    {"byte shift after a pad", "ABC\xDF" "DE", {0, 1, 89, 913, 223, 94}},
    {"long text with a trailing byte", "HELLO\xDF", {0, 214, 341, 449, 913, 223}},
    {"byte between short texts", "a\xDF" "b", {0, 901, 97, 223, 98}},
    {"bytes around a short text", "\xDF\xDF" "abc\xDF\xDF", {0, 901, 375, 155, 11, 699, 3, 223}},
    {"bytes around a text of five", "\xDF\xDF" "abcde\xDF\xDF", {0, 901, 223, 223, 900, 810, 32, 94, 901, 223, 223}},
    {"alpha shift from lower", "aBc", {0, 810, 811, 89}},
    {"alpha latch from lower", "abCDE", {0, 810, 58, 842, 94}},
    {"punctuation shift", "A;B", {0, 29, 1}},
    {"punctuation latch and back to alpha", "A;<>B", {0, 28, 750, 32, 871}},
    {"punctuation shift from lower", "a!", {0, 810, 880}},
    {"mixed then lower", "1a", {0, 841, 810}},
    {"mixed then alpha", "1A", {0, 841, 840}},
    {"punctuation shift from mixed", "1;2", {0, 841, 870, 89}},
    {"space in lower", "a b", {0, 810, 781}},
    {"tab is mixed", "A\tB", {0, 28, 388, 59}},
    {"line feed is punctuation", "A\n", {0, 29, 479}},
    {"pad leaves punctuation for alpha", "A;<>?\xDF" "B", {0, 28, 750, 32, 779, 913, 223, 59}},
    {"even count keeps punctuation", "A;<>\xDF" "BC", {0, 28, 750, 32, 913, 223, 871, 89}},
};

class AssembleCodewordsTest : public testing::TestWithParam<CompactionCase> {};

TEST_P(AssembleCodewordsTest, CompactsData)
{
    const std::optional<std::vector<int>> codewords = AssembleCodewords(GetParam().data);
    ASSERT_TRUE(codewords);
    EXPECT_EQ(*codewords, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, AssembleCodewordsTest, testing::ValuesIn(compactionCases),
                         caseName<testing::TestParamInfo<CompactionCase>>);

struct LimitCase {
    const char* name;
    std::string largest;
    std::size_t largestCodewords;
    std::string oneMore;
};

// Descriptor + 925 letter pairs; descriptor, latch, 61 groups of 44 digits in 15 codewords and
// 26 digits in 9; descriptor, latch and 1108 bytes in 184 × 5 + 4 codewords; descriptor, latch
// and 184 groups of 6 bytes (185 groups need 927).
const LimitCase limitCases[] = {
    {"letters", std::string(1850, 'A'), 926, std::string(1851, 'A')},
    {"digits", std::string(2710, '7'), 926, std::string(2711, '7')},
    {"bytes", std::string(1108, '\xC0'), 926, std::string(1109, '\xC0')},
    {"bytes in whole groups", std::string(1104, '\xC0'), 922, std::string(1110, '\xC0')},
};

class CompactionLimitTest : public testing::TestWithParam<LimitCase> {};

TEST_P(CompactionLimitTest, FillsTheSymbolAndNoMore)
{
    const std::optional<std::vector<int>> largest = AssembleCodewords(GetParam().largest);
    ASSERT_TRUE(largest);
    EXPECT_EQ(largest->size(), GetParam().largestCodewords);
    EXPECT_FALSE(AssembleCodewords(GetParam().oneMore));
}

INSTANTIATE_TEST_SUITE_P(Cases, CompactionLimitTest, testing::ValuesIn(limitCases),
                         caseName<testing::TestParamInfo<LimitCase>>);

} // namespace

#include "Pdf417Segments.h"

#include "Pdf417TestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr auto T = Pdf417SegmentKind::Text;
constexpr auto N = Pdf417SegmentKind::Numeric;
constexpr auto B = Pdf417SegmentKind::Byte;

struct SegmentCase {
    const char* name;
    std::string data; // code page 1251
    std::vector<Pdf417Segment> expected;
};

// "\xDF" is the letter Я, a byte that no text sub-mode holds.
const SegmentCase segmentCases[] = {
    {"empty", "", {}},
    {"plain text", "Hello, world", {{T, 0, 12}}},
    {"seven digits stay text", "1234567", {{T, 0, 7}}},
    {"eight digits alone become numeric", "12345678", {{N, 0, 8}}},
    {"twelve digits alone become numeric", "123456789012", {{N, 0, 12}}},
    {"twelve digits beside text stay text", "A123456789012", {{T, 0, 13}}},
    {"thirteen digits", "1234567890123", {{N, 0, 13}}},
    {"digit run inside text", "AB1234567890123CD", {{T, 0, 2}, {N, 2, 13}, {T, 15, 2}}},
    {"twelve high bytes", std::string(12, '\xC0'), {{B, 0, 12}}},
    {"lone byte between texts of three", "AB\xDF" "C", {{T, 0, 4}}},
    {"lone byte between texts of two", "a\xDF" "b", {{B, 0, 3}}},
    {"two bytes between texts stay bytes", "ABCDE\xDF\xDF" "FGHIJ", {{T, 0, 5}, {B, 5, 2}, {T, 7, 5}}},
    {"long text takes a trailing lone byte", "HELLO\xDF", {{T, 0, 6}}},
    {"long text takes a leading lone byte", "\xDF" "HELLO", {{T, 0, 6}}},
    {"short text beside a lone byte", "HELL\xDF", {{B, 0, 5}}},
    {"bytes take short texts on both sides", "\xDF\xDF" "abc\xDF\xDF", {{B, 0, 7}}},
    {"bytes leave a text of five", "\xDF\xDF" "abcde\xDF\xDF", {{B, 0, 2}, {T, 2, 5}, {B, 7, 2}}},
    {"lone byte before digits", "HELLO\xDF" "1234567890123", {{T, 0, 6}, {N, 6, 13}}},
    {"merged texts chain", "AB\xDF" "C\xDF" "D", {{T, 0, 6}}},
    {"control bytes are bytes", std::string("\x01\x02", 2), {{B, 0, 2}}},
    {"tab, line feed and return are text", "A\tB\nC\rD", {{T, 0, 7}}},
};

class SegmentTextTest : public testing::TestWithParam<SegmentCase> {};

TEST_P(SegmentTextTest, CutsDataIntoSegments)
{
    const SegmentCase& c = GetParam();
    const std::vector<Pdf417Segment> segments = SegmentText(c.data);
    ASSERT_EQ(segments.size(), c.expected.size());
    for (std::size_t i = 0; i < segments.size(); ++i) {
        EXPECT_EQ(segments[i].kind, c.expected[i].kind) << "segment " << i;
        EXPECT_EQ(segments[i].start, c.expected[i].start) << "segment " << i;
        EXPECT_EQ(segments[i].length, c.expected[i].length) << "segment " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, SegmentTextTest, testing::ValuesIn(segmentCases),
                         caseName<testing::TestParamInfo<SegmentCase>>);

} // namespace

#include "Pdf417Segments.h"

namespace {

using Kind = Pdf417SegmentKind;

// Numeric compaction pays off from this many digits in a row.
constexpr std::size_t MinNumericRun = 13;
// Text that is all digits becomes numeric from this length when it is the only segment.
constexpr std::size_t MinNumericWhole = 8;

bool isDigit(unsigned char c) { return c >= '0' && c <= '9'; }
bool isText(unsigned char c) { return (c >= 0x20 && c <= 0x7E) || c == '\t' || c == '\n' || c == '\r'; }

void appendRun(std::vector<Pdf417Segment>& segments, Kind kind, std::size_t start, std::size_t length)
{
    if (!segments.empty() && segments.back().kind == kind && segments.back().start + segments.back().length == start)
        segments.back().length += length;
    else
        segments.push_back({kind, start, length});
}

// Digit runs of MinNumericRun and more, and maximal text and byte runs between them.
std::vector<Pdf417Segment> cutRuns(std::string_view data)
{
    std::vector<Pdf417Segment> segments;
    std::size_t i = 0;
    while (i < data.size()) {
        std::size_t digitsEnd = i;
        while (digitsEnd < data.size() && isDigit(data[digitsEnd]))
            ++digitsEnd;
        if (digitsEnd - i >= MinNumericRun) {
            segments.push_back({Kind::Numeric, i, digitsEnd - i});
            i = digitsEnd;
            continue;
        }
        if (digitsEnd > i) {
            appendRun(segments, Kind::Text, i, digitsEnd - i);
            i = digitsEnd;
            continue;
        }
        appendRun(segments, isText(data[i]) ? Kind::Text : Kind::Byte, i, 1);
        ++i;
    }
    return segments;
}

bool isLoneByte(const Pdf417Segment& s) { return s.kind == Kind::Byte && s.length == 1; }

// Merges a segment into the stack top by rules that only ever look at the segments the merge
// touches and only grow them; reducing left to right therefore reaches the same result as
// rescanning from the start after every merge.
template <typename Rule>
std::vector<Pdf417Segment> reduce(const std::vector<Pdf417Segment>& segments, Rule mergeTop)
{
    std::vector<Pdf417Segment> stack;
    stack.reserve(segments.size());
    for (const Pdf417Segment& segment : segments) {
        stack.push_back(segment);
        while (mergeTop(stack)) {
        }
    }
    return stack;
}

// Joins the last `count` stack entries into one segment of the given kind.
void joinTop(std::vector<Pdf417Segment>& stack, std::size_t count, Kind kind)
{
    Pdf417Segment& first = stack[stack.size() - count];
    const Pdf417Segment& last = stack.back();
    first = {kind, first.start, last.start + last.length - first.start};
    stack.resize(stack.size() - count + 1);
}

// A lone byte between two texts of more than two bytes together is coded inside the text.
bool absorbLoneByteBetweenTexts(std::vector<Pdf417Segment>& stack)
{
    if (stack.size() < 3)
        return false;
    const auto& left = stack[stack.size() - 3];
    const auto& middle = stack[stack.size() - 2];
    const auto& right = stack.back();
    if (left.kind != Kind::Text || !isLoneByte(middle) || right.kind != Kind::Text || left.length + right.length <= 2)
        return false;
    joinTop(stack, 3, Kind::Text);
    return true;
}

// Joins the top two segments into one of `kind` when either absorbs the other.
template <typename Absorbs>
bool joinNeighbours(std::vector<Pdf417Segment>& stack, Kind kind, Absorbs absorbs)
{
    if (stack.size() < 2)
        return false;
    const auto& left = stack[stack.size() - 2];
    const auto& right = stack.back();
    if (!absorbs(left, right) && !absorbs(right, left))
        return false;
    joinTop(stack, 2, kind);
    return true;
}

// A text of more than four bytes takes in a lone byte or a text beside it.
bool longTextAbsorbsNeighbour(std::vector<Pdf417Segment>& stack)
{
    return joinNeighbours(stack, Kind::Text, [](const Pdf417Segment& text, const Pdf417Segment& other) {
        return text.kind == Kind::Text && text.length > 4 && (isLoneByte(other) || other.kind == Kind::Text);
    });
}

// Bytes take in a short text or other bytes beside them.
bool bytesAbsorbNeighbour(std::vector<Pdf417Segment>& stack)
{
    return joinNeighbours(stack, Kind::Byte, [](const Pdf417Segment& bytes, const Pdf417Segment& other) {
        return bytes.kind == Kind::Byte
            && (other.kind == Kind::Byte || (other.kind == Kind::Text && other.length < 5));
    });
}

bool allDigits(std::string_view text)
{
    for (unsigned char c : text)
        if (!isDigit(c))
            return false;
    return true;
}

} // namespace

std::vector<Pdf417Segment> SegmentText(std::string_view data)
{
    std::vector<Pdf417Segment> segments = cutRuns(data);
    segments = reduce(segments, absorbLoneByteBetweenTexts);
    segments = reduce(segments, longTextAbsorbsNeighbour);
    segments = reduce(segments, bytesAbsorbNeighbour);
    if (segments.size() == 1 && segments[0].kind == Kind::Text && segments[0].length >= MinNumericWhole
        && allDigits(data))
        segments[0].kind = Kind::Numeric;
    return segments;
}

#include "Pdf417Compaction.h"

#include "Pdf417Segments.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <initializer_list>

namespace {

using Codewords = std::vector<int>;

bool hasRoomFor(const Codewords& codewords, std::size_t more)
{
    return codewords.size() + more <= Pdf417MaxDataCodewords;
}

// Groups of up to 44 digits with a 1 in front, each written in base 900; a group of n digits
// takes n / 3 + 1 codewords.
bool numericCompaction(std::string_view digits, Codewords& codewords)
{
    constexpr std::size_t GroupDigits = 44;
    for (std::size_t start = 0; start < digits.size(); start += GroupDigits) {
        const std::string_view group = digits.substr(start, GroupDigits);
        if (!hasRoomFor(codewords, group.size() / 3 + 1))
            return false;
        std::array<int, GroupDigits + 1> number{};
        number[0] = 1;
        for (std::size_t i = 0; i < group.size(); ++i)
            number[i + 1] = group[i] - '0';
        std::size_t numberStart = 0;
        const std::size_t numberEnd = group.size() + 1;
        const std::size_t firstDigit = codewords.size();
        while (numberStart < numberEnd) {
            int remainder = 0;
            for (std::size_t i = numberStart; i < numberEnd; ++i) {
                remainder = remainder * 10 + number[i];
                number[i] = remainder / 900;
                remainder %= 900;
            }
            codewords.push_back(remainder);
            while (numberStart < numberEnd && number[numberStart] == 0)
                ++numberStart;
        }
        std::reverse(codewords.begin() + static_cast<std::ptrdiff_t>(firstDigit), codewords.end());
    }
    return true;
}

// Six bytes as a 48-bit number in five base-900 codewords; the last 1 to 5 bytes one codeword each.
bool byteCompaction(std::string_view bytes, Codewords& codewords)
{
    if (!hasRoomFor(codewords, bytes.size() - bytes.size() / 6))
        return false;
    std::size_t i = 0;
    for (; i + 6 <= bytes.size(); i += 6) {
        std::uint64_t value = 0;
        for (std::size_t k = 0; k < 6; ++k)
            value = value << 8 | static_cast<unsigned char>(bytes[i + k]);
        std::array<int, 5> group{};
        for (int k = 4; k >= 0; --k) {
            group[static_cast<std::size_t>(k)] = static_cast<int>(value % 900);
            value /= 900;
        }
        codewords.insert(codewords.end(), group.begin(), group.end());
    }
    for (; i < bytes.size(); ++i)
        codewords.push_back(static_cast<unsigned char>(bytes[i]));
    return true;
}

enum SubMode { Alpha, Lower, Mixed, Punctuation };

// Values 25 to 29 that switch sub-modes; their meaning depends on the current sub-mode.
constexpr int PunctuationLatchFromMixed = 25;
constexpr int LowerLatch = 27;
constexpr int AlphaShiftFromLower = 27;
constexpr int MixedLatch = 28;
constexpr int AlphaLatchFromMixed = 28;
constexpr int PunctuationShift = 29;
constexpr int AlphaLatchFromPunctuation = 29;
constexpr int Pad = 29;

using SubModeTable = std::array<signed char, 256>;

// A sub-mode's characters in the order of their values; -1 for the bytes it does not hold.
constexpr SubModeTable makeTable(std::string_view characters)
{
    SubModeTable table{};
    table.fill(-1);
    for (std::size_t i = 0; i < characters.size(); ++i)
        table[static_cast<unsigned char>(characters[i])] = static_cast<signed char>(i);
    return table;
}

constexpr SubModeTable withSpace(SubModeTable table)
{
    table[' '] = 26;
    return table;
}

// Alpha, lower, mixed and punctuation, indexed by SubMode; space (26) is in all but punctuation.
constexpr std::array<SubModeTable, 4> SubModeValues = {
    withSpace(makeTable("ABCDEFGHIJKLMNOPQRSTUVWXYZ")),
    withSpace(makeTable("abcdefghijklmnopqrstuvwxyz")),
    withSpace(makeTable("0123456789&\r\t,:#-.$/+%*=^")),
    makeTable(";<>@[\\]_`~!\r\t,:\n-.$/\"|*()?{}'"),
};

class TextCompactor {
public:
    TextCompactor(std::string_view text, Codewords& codewords) : text_(text), codewords_(codewords) {}

    bool run()
    {
        for (std::size_t i = 0; i < text_.size(); ++i)
            if (!encode(i))
                return false;
        return pending_ < 0 || emit(pending_ * 30 + Pad);
    }

private:
    static int valueIn(SubMode mode, unsigned char c) { return SubModeValues[mode][c]; }
    static bool isIn(SubMode mode, unsigned char c) { return valueIn(mode, c) >= 0; }

    bool nextTwoAreIn(SubMode mode, std::size_t i) const
    {
        return i + 2 < text_.size() && isIn(mode, text_[i + 1]) && isIn(mode, text_[i + 2]);
    }

    bool encode(std::size_t i)
    {
        const auto c = static_cast<unsigned char>(text_[i]);
        if (isIn(mode_, c))
            return push(valueIn(mode_, c));
        if (!isIn(Alpha, c) && !isIn(Lower, c) && !isIn(Mixed, c) && !isIn(Punctuation, c))
            return shiftToByte(c);
        switch (mode_) {
        case Alpha:
            if (isIn(Lower, c))
                return latch(Lower, {LowerLatch}, c);
            if (isIn(Mixed, c))
                return latch(Mixed, {MixedLatch}, c);
            return toPunctuation(i, c, {MixedLatch, PunctuationLatchFromMixed});
        case Lower:
            if (isIn(Alpha, c)) {
                if (nextTwoAreIn(Alpha, i))
                    return latch(Alpha, {MixedLatch, AlphaLatchFromMixed}, c);
                return push(AlphaShiftFromLower) && push(valueIn(Alpha, c));
            }
            if (isIn(Mixed, c))
                return latch(Mixed, {MixedLatch}, c);
            return toPunctuation(i, c, {MixedLatch, PunctuationLatchFromMixed});
        case Mixed:
            if (isIn(Lower, c))
                return latch(Lower, {LowerLatch}, c);
            if (isIn(Alpha, c))
                return latch(Alpha, {AlphaLatchFromMixed}, c);
            return toPunctuation(i, c, {PunctuationLatchFromMixed});
        case Punctuation:
            if (!push(AlphaLatchFromPunctuation))
                return false;
            mode_ = Alpha;
            return encode(i);
        }
        return false;
    }

    bool latch(SubMode to, std::initializer_list<int> latchValues, unsigned char c)
    {
        for (int value : latchValues)
            if (!push(value))
                return false;
        mode_ = to;
        return push(valueIn(to, c));
    }

    // Latches to punctuation for a run of at least three, shifts for fewer.
    bool toPunctuation(std::size_t i, unsigned char c, std::initializer_list<int> latchValues)
    {
        if (nextTwoAreIn(Punctuation, i))
            return latch(Punctuation, latchValues, c);
        return push(PunctuationShift) && push(valueIn(Punctuation, c));
    }

    // A byte no sub-mode holds: shift 913 on a whole codeword, then the byte itself.
    bool shiftToByte(unsigned char c)
    {
        if (pending_ >= 0) {
            if (!emit(pending_ * 30 + Pad))
                return false;
            pending_ = -1;
            if (mode_ == Punctuation)
                mode_ = Alpha; // the pad value latches punctuation to alpha
        }
        return emit(Pdf417ByteShift) && emit(c);
    }

    bool push(int value)
    {
        if (pending_ < 0) {
            pending_ = value;
            return true;
        }
        const int high = pending_;
        pending_ = -1;
        return emit(high * 30 + value);
    }

    bool emit(int codeword)
    {
        if (!hasRoomFor(codewords_, 1))
            return false;
        codewords_.push_back(codeword);
        return true;
    }

    std::string_view text_;
    Codewords& codewords_;
    SubMode mode_ = Alpha;
    int pending_ = -1;
};

} // namespace

std::optional<std::vector<int>> AssembleCodewords(std::string_view data)
{
    Codewords codewords{0};
    bool first = true;
    for (const Pdf417Segment& segment : SegmentText(data)) {
        const std::string_view part = data.substr(segment.start, segment.length);
        bool fits = true;
        switch (segment.kind) {
        case Pdf417SegmentKind::Byte:
            codewords.push_back(part.size() % 6 == 0 ? Pdf417ByteLatchSix : Pdf417ByteLatch);
            fits = byteCompaction(part, codewords);
            break;
        case Pdf417SegmentKind::Numeric:
            codewords.push_back(Pdf417NumericLatch);
            fits = numericCompaction(part, codewords);
            break;
        case Pdf417SegmentKind::Text:
            if (!first) // text is the mode a symbol starts in
                codewords.push_back(Pdf417TextLatch);
            fits = TextCompactor(part, codewords).run();
            break;
        }
        if (!fits)
            return std::nullopt;
        first = false;
    }
    return codewords;
}

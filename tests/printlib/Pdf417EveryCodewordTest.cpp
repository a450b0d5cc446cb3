// Symbols at error-correction level 0 that carry every codeword value in every cluster, painted
// from codeword sequences and read back by an independent decoder (zxing-cpp). Level 0 corrects
// a single wrong codeword, so every value appears at least twice in one symbol and one cluster:
// a pattern of the table that stands for another value then spoils at least two codewords,
// and the symbol no longer reads back.

#include "Pdf417Codewords.h"
#include "Pdf417DecoderSupport.h"
#include "Pdf417ErrorCorrection.h"
#include "Pdf417Painter.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr int kTextLatch = 900;      // also the padding codeword
constexpr int kByteLatch = 924;      // byte compaction of whole groups: 5 codewords, 6 bytes
constexpr int kGroupCodewords = 5;
constexpr int kFirstControlValue = 900;
constexpr int kModulus = 929;

// A group's five base-900 codewords are one number below 2^48, so its first codeword is at
// most 2^48 ÷ 900^4 = 428.
constexpr int kMaxLeadingCodeword = 428;

// The bytes of byte-compacted groups: each group's number, big-endian in 6 bytes.
std::string groupBytes(const std::vector<int>& codewords, std::size_t first, std::size_t groups)
{
    std::string bytes;
    for (std::size_t group = 0; group < groups; ++group) {
        std::uint64_t number = 0;
        for (std::size_t i = 0; i < kGroupCodewords; ++i)
            number = number * 900 + static_cast<std::uint64_t>(codewords[first + group * kGroupCodewords + i]);
        for (int shift = 40; shift >= 0; shift -= 8)
            bytes += static_cast<char>(number >> shift & 0xFF);
    }
    return bytes;
}

struct CodewordSymbol {
    Pdf417Fit fit;
    std::vector<int> correction;
    std::string bytes; // what the decoder must read
};

// Data codewords: the length descriptor, the byte latch, `groups` groups and padding.
CodewordSymbol makeSymbol(int columns, int rows, std::vector<int> dataCodewords, std::size_t groups)
{
    CodewordSymbol symbol{{columns, rows, 0, std::move(dataCodewords)}, {}, {}};
    symbol.fit.dataCodewords[0] = static_cast<int>(symbol.fit.dataCodewords.size());
    symbol.correction = ComputeErrorCorrection(symbol.fit.dataCodewords, 0);
    symbol.bytes = groupBytes(symbol.fit.dataCodewords, 2, groups);
    return symbol;
}

// 30 × 30 symbols whose groups hold the values 0..899: symbol s carries the values
// 100 s .. 100 s + 99 at least twice in each cluster, where a group's codeword may take them
// (not first in its group); first codewords cycle through 0..428.
constexpr int kColumns = 30;
constexpr int kRows = 30;
constexpr int kValuesPerSymbol = 100;
constexpr int kDataSymbols = kFirstControlValue / kValuesPerSymbol;

CodewordSymbol dataSymbol(int index)
{
    constexpr int cells = kColumns * kRows;
    constexpr int dataCount = cells - Pdf417ErrorCodewordCount(0);
    constexpr std::size_t groups = (dataCount - 2) / kGroupCodewords;
    std::vector<int> codewords(dataCount, kTextLatch);
    codewords[1] = kByteLatch;
    std::array<int, 3> next{}; // per cluster, the count of values placed so far
    int leading = index;
    for (std::size_t i = 2; i < 2 + groups * kGroupCodewords; ++i) {
        const int cluster = static_cast<int>(i) / kColumns % 3;
        if ((i - 2) % kGroupCodewords == 0)
            codewords[i] = leading++ % (kMaxLeadingCodeword + 1);
        else
            codewords[i] = index * kValuesPerSymbol + next[static_cast<std::size_t>(cluster)]++ % kValuesPerSymbol;
    }
    return makeSymbol(kColumns, kRows, std::move(codewords), groups);
}

int power(int base, int exponent)
{
    int result = 1;
    for (; exponent > 0; --exponent)
        result = result * base % kModulus;
    return result;
}

// The values 900..928 are latches and other controls; data can carry only those the decoder
// reads as such, so they are brought in as error-correction codewords instead. Symbols of
// 2 columns have their two correction codewords as their last row; both are made `value` by
// solving for the group's last two codewords, the correction codewords being linear in the data
// codewords over GF(929). Rows 5, 6 and 7 put that last row into clusters 3, 6 and 0.
std::optional<CodewordSymbol> controlValueSymbol(int value, int rows)
{
    const int dataCount = 2 * rows - Pdf417ErrorCodewordCount(0);
    for (int seed = 0; seed < 900; ++seed) {
        std::vector<int> base(static_cast<std::size_t>(dataCount), kTextLatch);
        base[0] = dataCount;
        base[1] = kByteLatch;
        base[2] = 1;
        base[3] = 2;
        base[4] = seed;
        base[5] = 0;
        base[6] = 0;
        const auto correction = [](const std::vector<int>& data) { return ComputeErrorCorrection(data, 0); };
        const auto unit = [&](std::size_t at) {
            std::vector<int> data(base.size(), 0);
            data[at] = 1;
            return correction(data);
        };
        const std::vector<int> start = correction(base), a = unit(5), b = unit(6);
        const int determinant = ((a[0] * b[1] - a[1] * b[0]) % kModulus + kModulus) % kModulus;
        if (determinant == 0)
            continue;
        const int inverse = power(determinant, kModulus - 2);
        const int want0 = ((value - start[0]) % kModulus + kModulus) % kModulus;
        const int want1 = ((value - start[1]) % kModulus + kModulus) % kModulus;
        const int x = ((want0 * b[1] - want1 * b[0]) % kModulus + kModulus) % kModulus * inverse % kModulus;
        const int y = ((a[0] * want1 - a[1] * want0) % kModulus + kModulus) % kModulus * inverse % kModulus;
        if (x >= kFirstControlValue || y >= kFirstControlValue)
            continue;
        base[5] = x;
        base[6] = y;
        return makeSymbol(2, rows, std::move(base), 1);
    }
    return std::nullopt;
}

// How often each value appears in each cluster of the symbol, row indicators left out.
std::array<std::array<int, Pdf417CodewordCount>, 3> valueCounts(const CodewordSymbol& symbol)
{
    std::array<std::array<int, Pdf417CodewordCount>, 3> counts{};
    std::vector<int> all = symbol.fit.dataCodewords;
    all.insert(all.end(), symbol.correction.begin(), symbol.correction.end());
    for (std::size_t i = 0; i < all.size(); ++i)
        ++counts[i / static_cast<std::size_t>(symbol.fit.columns) % 3][static_cast<std::size_t>(all[i])];
    return counts;
}

void expectReadBack(const CodewordSymbol& symbol)
{
    const Pdf417Bitmap bitmap = PaintSymbol(symbol.fit, symbol.correction, /*inverted=*/true);
    const DecodedSymbol decoded = decodeSymbol(bitmap, 2, 6);
    ASSERT_TRUE(decoded.valid) << decoded.error;
    EXPECT_EQ(decoded.bytes, symbol.bytes);
    EXPECT_EQ(decoded.errorLevel, "0");
}

TEST(Pdf417EveryCodewordTest, DataValuesReadBackInEveryCluster)
{
    std::array<std::array<bool, Pdf417CodewordCount>, 3> twiceInOneSymbol{};
    for (int index = 0; index < kDataSymbols; ++index) {
        SCOPED_TRACE(testing::Message() << "symbol of values from " << index * kValuesPerSymbol);
        const CodewordSymbol symbol = dataSymbol(index);
        const auto counts = valueCounts(symbol);
        for (std::size_t cluster = 0; cluster < 3; ++cluster)
            for (std::size_t value = 0; value < Pdf417CodewordCount; ++value)
                twiceInOneSymbol[cluster][value] = twiceInOneSymbol[cluster][value] || counts[cluster][value] >= 2;
        expectReadBack(symbol);
    }
    for (std::size_t cluster = 0; cluster < 3; ++cluster)
        for (int value = 0; value < kFirstControlValue; ++value)
            EXPECT_TRUE(twiceInOneSymbol[cluster][static_cast<std::size_t>(value)])
                << "cluster " << cluster * 3 << ", value " << value;
}

TEST(Pdf417EveryCodewordTest, ControlValuesReadBackInEveryCluster)
{
    for (int rows : {7, 5, 6}) {
        for (int value = kFirstControlValue; value < Pdf417CodewordCount; ++value) {
            const int cluster = (rows - 1) % 3;
            SCOPED_TRACE(testing::Message() << "cluster " << cluster * 3 << ", value " << value);
            const std::optional<CodewordSymbol> symbol = controlValueSymbol(value, rows);
            ASSERT_TRUE(symbol);
            ASSERT_EQ(symbol->correction, (std::vector<int>{value, value}));
            EXPECT_GE(valueCounts(*symbol)[static_cast<std::size_t>(cluster)][static_cast<std::size_t>(value)], 2);
            expectReadBack(*symbol);
        }
    }
}

} // namespace

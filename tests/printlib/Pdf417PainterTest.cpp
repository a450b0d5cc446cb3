#include "Pdf417Painter.h"

#include "Pdf417Codewords.h"
#include "Pdf417ErrorCorrection.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

namespace {

std::uint32_t readBits(const Pdf417Bitmap& bitmap, int row, int first, int count)
{
    std::uint32_t value = 0;
    for (int x = first; x < first + count; ++x)
        value = value << 1 | (bitmap.pixel(x, row) ? 1u : 0u);
    return value;
}

// Codeword value of a pattern in a cluster, -1 when the cluster has no such pattern.
int codewordOf(std::uint32_t pattern, int cluster)
{
    static const auto index = [] {
        std::vector<std::map<std::uint32_t, int>> clusters(3);
        for (int c = 0; c < 3; ++c)
            for (int value = 0; value < Pdf417CodewordCount; ++value)
                clusters[c][Pdf417Patterns[c][value]] = value;
        return clusters;
    }();
    const auto found = index[cluster].find(pattern);
    return found == index[cluster].end() ? -1 : found->second;
}

// The codeword values of a painted row: left indicator, data columns, right indicator.
std::vector<int> readRow(const Pdf417Bitmap& bitmap, int row, int columns)
{
    std::vector<int> values;
    for (int i = 0; i < columns + 2; ++i)
        values.push_back(codewordOf(readBits(bitmap, row, Pdf417StartModules + 17 * i, 17), row % 3));
    return values;
}

TEST(PaintSymbolTest, RowsCarryStartIndicatorsCodewordsAndStop)
{
    // 2 columns × 7 rows at level 1: 10 data codewords and 4 of error correction.
    Pdf417Fit fit{2, 7, 1, {10, 1, 2, 3, 4, 5, 6, 7, 900, 900}};
    const std::vector<int> correction = ComputeErrorCorrection(fit.dataCodewords, 1);
    const Pdf417Bitmap bitmap = PaintSymbol(fit, correction, false);
    ASSERT_EQ(bitmap.width, 17 * 2 + 69);
    ASSERT_EQ(bitmap.height, 7);
    ASSERT_EQ(bitmap.stride, 13);

    // Indicators with k = 30 × (row ÷ 3): rows part (7 − 1) ÷ 3 = 2, columns part 1,
    // level part 3 × 1 + (7 − 1) mod 3 = 3; clusters 0, 3, 6 take (rows, columns),
    // (level, rows), (columns, level).
    const int left[] = {2, 3, 1, 32, 33, 31, 62};
    const int right[] = {1, 2, 3, 31, 32, 33, 61};
    std::vector<int> all = fit.dataCodewords;
    all.insert(all.end(), correction.begin(), correction.end());
    for (int row = 0; row < 7; ++row) {
        SCOPED_TRACE(testing::Message() << "row " << row);
        EXPECT_EQ(readBits(bitmap, row, 0, Pdf417StartModules), Pdf417StartPattern);
        EXPECT_EQ(readBits(bitmap, row, bitmap.width - Pdf417StopModules, Pdf417StopModules), Pdf417StopPattern);
        EXPECT_EQ(readRow(bitmap, row, 2), (std::vector<int>{left[row], all[2 * row], all[2 * row + 1], right[row]}));
    }
}

TEST(PaintSymbolTest, InvertedBitmapHasEveryByteInverted)
{
    Pdf417Fit fit{1, 3, 0, {1}};
    const std::vector<int> correction = ComputeErrorCorrection(fit.dataCodewords, 0);
    const Pdf417Bitmap plain = PaintSymbol(fit, correction, false);
    const Pdf417Bitmap inverted = PaintSymbol(fit, correction, true);
    ASSERT_EQ(plain.bits.size(), inverted.bits.size());
    for (std::size_t i = 0; i < plain.bits.size(); ++i)
        EXPECT_EQ(inverted.bits[i], static_cast<std::uint8_t>(~plain.bits[i])) << "byte " << i;
}

// Modules 101 / 011.
Pdf417Bitmap smallModules()
{
    return {3, 2, 1, {0b10100000, 0b01100000}};
}

TEST(ScaleSymbolBitmapTest, HorizontalMakesSquaresOfModuleSize)
{
    const Pdf417Bitmap scaled = ScaleSymbolBitmap(smallModules(), 2, 'H');
    ASSERT_EQ(scaled.width, 6);
    ASSERT_EQ(scaled.height, 4);
    EXPECT_EQ(scaled.stride, 4);
    const char* expected[] = {"110011", "110011", "001111", "001111"};
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x)
            EXPECT_EQ(scaled.pixel(x, y), expected[y][x] == '1') << x << "," << y;
}

TEST(ScaleSymbolBitmapTest, VerticalTurnsClockwise)
{
    // The last row becomes the leftmost column, the first module column the top row.
    const Pdf417Bitmap scaled = ScaleSymbolBitmap(smallModules(), 2, 'V');
    ASSERT_EQ(scaled.width, 4);
    ASSERT_EQ(scaled.height, 6);
    EXPECT_EQ(scaled.stride, 4);
    const char* expected[] = {"0011", "0011", "1100", "1100", "1111", "1111"};
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(scaled.pixel(x, y), expected[y][x] == '1') << x << "," << y;
}

TEST(ScaleSymbolBitmapTest, RowsArePaddedTo32Bits)
{
    Pdf417Bitmap modules{33, 1, 5, std::vector<std::uint8_t>(5, 0xFF)};
    EXPECT_EQ(ScaleSymbolBitmap(modules, 1, 'H').stride, 8);
    EXPECT_EQ(ScaleSymbolBitmap(modules, 1, 'V').stride, 4);
}

} // namespace

#include "Pdf417ErrorCorrection.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

constexpr int Prime = 929;

TEST(Pdf417ErrorCorrectionTest, GeneratorOfTheLowestLevels)
{
    // (x - 3)(x - 9) = x^2 - 12x + 27; times (x - 27)(x - 81) = x^4 - 120x^3 + 3510x^2 - 29160x + 59049.
    EXPECT_EQ(std::vector<int>(Pdf417GeneratorCoefficients(0).begin(), Pdf417GeneratorCoefficients(0).end()),
              (std::vector<int>{27, Prime - 12}));
    EXPECT_EQ(std::vector<int>(Pdf417GeneratorCoefficients(1).begin(), Pdf417GeneratorCoefficients(1).end()),
              (std::vector<int>{59049 % Prime, Prime - 29160 % Prime, 3510 % Prime, Prime - 120}));
}

TEST(Pdf417ErrorCorrectionTest, OneDataCodewordAtLevelZero)
{
    // d·x^2 + c1·x + c0 divisible by x^2 - 12x + 27: c1 = -12d, c0 = 27d.
    EXPECT_EQ(ComputeErrorCorrection(std::vector<int>{1}, 0), (std::vector<int>{Prime - 12, 27}));
    EXPECT_EQ(ComputeErrorCorrection(std::vector<int>{5}, 0), (std::vector<int>{Prime - 60, 135}));
}

int evaluate(const std::vector<int>& highestFirst, int x)
{
    long long value = 0;
    for (int coefficient : highestFirst)
        value = (value * x + coefficient) % Prime;
    return static_cast<int>(value);
}

// Data followed by its error correction is a code word: it vanishes at 3, 3^2, ... 3^k.
TEST(Pdf417ErrorCorrectionTest, SymbolPolynomialVanishesAtTheGeneratorRoots)
{
    std::mt19937 random(417);
    for (int level = 0; level <= Pdf417MaxErrorLevel; ++level) {
        const int k = Pdf417ErrorCodewordCount(level);
        std::vector<int> symbol(static_cast<std::size_t>(std::uniform_int_distribution<int>(1, 928 - k)(random)));
        for (int& codeword : symbol)
            codeword = std::uniform_int_distribution<int>(0, Prime - 1)(random);
        const std::vector<int> correction = ComputeErrorCorrection(symbol, level);
        ASSERT_EQ(static_cast<int>(correction.size()), k) << "level " << level;
        symbol.insert(symbol.end(), correction.begin(), correction.end());
        int root = 1;
        for (int i = 1; i <= k; ++i) {
            root = root * 3 % Prime;
            ASSERT_EQ(evaluate(symbol, root), 0) << "level " << level << ", root 3^" << i;
        }
    }
}

} // namespace

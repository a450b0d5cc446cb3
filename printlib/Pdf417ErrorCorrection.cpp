#include "Pdf417ErrorCorrection.h"

#include <array>

namespace {

constexpr int Prime = 929;
constexpr int MaxCodewords = Pdf417ErrorCodewordCount(Pdf417MaxErrorLevel);

using LevelCoefficients = std::array<std::array<int, MaxCodewords>, Pdf417MaxErrorLevel + 1>;

constexpr LevelCoefficients generatorCoefficients()
{
    LevelCoefficients levels{};
    for (int level = 0; level <= Pdf417MaxErrorLevel; ++level) {
        const int k = Pdf417ErrorCodewordCount(level);
        std::array<int, MaxCodewords + 1> g{}; // g[j]: coefficient of x^j
        g[0] = 1;
        int root = 1;
        for (int degree = 0; degree < k; ++degree) {
            root = root * 3 % Prime;
            for (int j = degree + 1; j > 0; --j)
                g[j] = (g[j - 1] + Prime - g[j] * root % Prime) % Prime;
            g[0] = (Prime - g[0] * root % Prime) % Prime;
        }
        for (int j = 0; j < k; ++j)
            levels[level][j] = g[j];
    }
    return levels;
}

constexpr LevelCoefficients Coefficients = generatorCoefficients();

} // namespace

std::span<const int> Pdf417GeneratorCoefficients(int level)
{
    return std::span<const int>(Coefficients[level].data(), Pdf417ErrorCodewordCount(level));
}

std::vector<int> ComputeErrorCorrection(std::span<const int> dataCodewords, int level)
{
    const std::span<const int> a = Pdf417GeneratorCoefficients(level);
    const std::size_t k = a.size();
    std::array<int, MaxCodewords> negated{};
    for (std::size_t j = 0; j < k; ++j)
        negated[j] = (Prime - a[j]) % Prime;

    // Remainder of data(x) * x^k divided by the generator, by the usual shift register.
    std::vector<int> remainder(k, 0); // remainder[j]: coefficient of x^j
    for (int codeword : dataCodewords) {
        const int feedback = (codeword + remainder[k - 1]) % Prime;
        for (std::size_t j = k - 1; j > 0; --j)
            remainder[j] = (remainder[j - 1] + feedback * negated[j]) % Prime;
        remainder[0] = feedback * negated[0] % Prime;
    }

    // The symbol carries the negated remainder, highest power first.
    std::vector<int> correction(k);
    for (std::size_t j = 0; j < k; ++j)
        correction[k - 1 - j] = (Prime - remainder[j]) % Prime;
    return correction;
}

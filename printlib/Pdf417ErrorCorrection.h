#pragma once

#include <span>
#include <vector>

inline constexpr int Pdf417MaxErrorLevel = 8;

// Number of error-correction codewords of a level: 2^(level + 1).
constexpr int Pdf417ErrorCodewordCount(int level) { return 2 << level; }

// Coefficients a0 .. a(k-1) of the level's generator polynomial
// (x - 3)(x - 3^2) ... (x - 3^k) = x^k + a(k-1) x^(k-1) + ... + a0 over GF(929).
std::span<const int> Pdf417GeneratorCoefficients(int level);

// Reed-Solomon codewords of the level for the data codewords, in symbol order.
std::vector<int> ComputeErrorCorrection(std::span<const int> dataCodewords, int level);

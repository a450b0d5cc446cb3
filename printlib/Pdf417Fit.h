#pragma once

#include "Pdf417Params.h"

#include <optional>
#include <vector>

inline constexpr int Pdf417MaxColumns = 30;
inline constexpr int Pdf417MinRows = 3;
inline constexpr int Pdf417MaxRows = 90;
inline constexpr int Pdf417MaxCells = 928;

// The shape and error-correction level a symbol settles on, with its data codewords: the
// length descriptor, the compacted data and the padding, columns × rows less the
// error-correction codewords of the level.
struct Pdf417Fit {
    int columns = 0;
    int rows = 0;
    int errorLevel = 0;
    std::vector<int> dataCodewords;
};

// The highest error-correction level whose codewords fit into `room` codewords (0 at least).
int MaxErrorLevel(int room);

// Compacts the data and chooses the level and the shape. Returns nothing when the data does
// not fit into a symbol.
std::optional<Pdf417Fit> FitSymbol(const Pdf417Params& params);

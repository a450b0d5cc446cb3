#pragma once

#include <cstddef>
#include <string>

// Option bits of "/m"; the encoder refuses values above Pdf417KnownOptionBits.
enum Pdf417OptionBit : unsigned {
    Pdf417FixedRectangle = 1, // keep the given columns and rows when they hold the data
    Pdf417FixedColumns = 2,   // rows follow from the given columns
    Pdf417FixedRows = 4,      // columns follow from the given rows
    Pdf417GivenErrorLevel = 16,
};
inline constexpr unsigned Pdf417KnownOptionBits = 23;

// No symbol holds more bytes of data: numeric compaction, the densest, writes 44 digits in 15
// codewords, and 924 codewords remain after the length descriptor and the numeric latch
// (61 groups and 26 digits in 9 codewords). Longer data is refused before it is converted.
inline constexpr std::size_t Pdf417MaxDataBytes = 2710;

// One encode request: the data in code page 1251 and the options of the "PDF417TIF" arguments.
struct Pdf417Params {
    std::string data;
    unsigned optionBits = 0;
    double aspectRatio = 0.5; // symbol height to width, used when no shape bit is given
    double rowHeight = 3;     // row height in module widths, used with the aspect ratio
    int rows = 0;             // 0: not given
    int columns = 0;          // data columns; 0: not given
    int errorLevel = -1;      // honoured with Pdf417GivenErrorLevel only
    int moduleSize = 1;       // pixels per module in the result bitmap
    char orientation = 'H';   // 'V': the symbol is turned clockwise
};

#pragma once

#include <optional>
#include <string_view>
#include <vector>

// Latch and shift codewords of the compaction modes.
inline constexpr int Pdf417TextLatch = 900;
inline constexpr int Pdf417ByteLatch = 901;
inline constexpr int Pdf417NumericLatch = 902;
inline constexpr int Pdf417ByteShift = 913;
inline constexpr int Pdf417ByteLatchSix = 924; // byte compaction of a multiple of 6 bytes

// A symbol holds at most 928 codewords; data may take up to this many of them (the length
// descriptor included), which leaves room for the two codewords of error-correction level 0.
inline constexpr int Pdf417MaxDataCodewords = 926;

// Compacts the data (code page 1251 bytes) into data codewords. The first codeword is left 0
// for the length descriptor. Returns nothing when the data needs more than
// Pdf417MaxDataCodewords codewords.
std::optional<std::vector<int>> AssembleCodewords(std::string_view data);

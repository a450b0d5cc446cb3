#pragma once

// Texts the document engine writes: the string table's printf-style patterns, numbers in draw
// commands, and numbers read from the data document. Nothing here depends on a locale.

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

namespace EngineText {

// The pattern with each conversion ("%s", "%d", "%c") replaced, in order, by the next argument;
// "%%" is a percent sign. Arguments are given as texts (numbers already written in decimal).
std::u16string formatPattern(std::u16string_view pattern, std::initializer_list<std::u16string_view> arguments);

// The string-table text `id` formatted as above.
std::u16string formatString(int id, std::initializer_list<std::u16string_view> arguments);

// "%.Nf" with the decimal point: fixed(40, 1) is "40.0", fixed(0.878788, 6) is "0.878788".
std::u16string fixed(double value, int decimals);

// An integer as a data document writes it: blanks around it, an optional sign, decimal digits;
// whatever follows the digits is ignored. A text that begins with no number reads as 0, and the
// result is held within +-limit so that no later arithmetic on it can overflow.
inline constexpr int64_t kIntegerLimit = 1'000'000;
int leadingInteger(std::u16string_view text, int64_t limit = kIntegerLimit);

} // namespace EngineText

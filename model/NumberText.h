#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "model/Currency.h"

// Locale-free number texts of the declaration file and the exchange file ('.' as decimal point).

// Shortest fixed form: "-" for negatives, no grouping, up to four decimals with trailing
// zeros and a trailing point dropped: 0, 100, 1234.5, -0.0001.
std::string currencyText(Currency value);

// General format with at most `significantDigits` significant digits, trailing zeros and a
// trailing point dropped (44561, 44561.5, 0.5); magnitudes below 1E-4 or of more digits than
// that take the exponent form: mantissa, "E", exponent without "+" or leading zeros (1E-6, 1.5E20).
std::string generalFloatText(long double value, int significantDigits = 15);

// A decimal text with `separator` as decimal point: optional sign, digits, optional fraction.
// More than four decimals round to the nearest 1/10000, an exact half to the even neighbour.
// No blanks, no grouping, no exponent; nullopt for anything else or for an amount out of range.
std::optional<Currency> parseCurrency(std::string_view text, char separator = '.');

// A decimal text in fixed or exponent form with `separator` as decimal point; nullopt for
// anything else (blanks, trailing characters, an empty text).
std::optional<double> parseFloat(std::string_view text, char separator = '.');

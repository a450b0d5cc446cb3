#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "model/Currency.h"

// The rounding rules of tax amounts and the money texts of the exchange file's fields.
// Every text uses '.' as decimal point whatever the locale.

// Whole roubles: a positive value rounds half up (2.5 -> 3), a negative one is truncated
// toward zero (-2.5 -> -2, -2.7 -> -2). Saturates outside the 64-bit range; NaN gives 0.
std::int64_t RoundHalfUp(double x);

// Kopecks by the same rule, applied to x * 100 rounded to a double: 1.005, held as
// 1.00499999999999989..., gives 1.00.
double RoundTo2(double x);

// Whole roubles, ".", two kopeck digits (further decimals cut off); a negative value is
// written as "0.00". A text longer than width + 1 characters becomes the all-nines text of
// the field (widths 6 to 12, 14 and 15; other widths are not clamped).
std::string MoneyToFieldText(int width, Currency value);

// The shortest decimal text of the value ("-" for negatives, up to four decimals); a text
// longer than the field becomes all nines for widths 12 and 13, other widths are not clamped.
std::string CurrToFieldText(int width, Currency value);

// x rounded to four decimals by the RoundHalfUp rule, in general format (72.51234 -> 72.5123).
std::string FloatToPointText(long double x);

// Every "," replaced by "." and the result trimmed of blanks and control characters; a text
// without a comma is returned as it is.
std::string CommaToPoint(std::string_view s);

// The decimal text of n with a "0" put in front when it is a single character (7 -> 07).
std::string TwoDigitText(std::int32_t n);

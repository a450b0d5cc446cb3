#include "computation/TaxArithmetic.h"

namespace {

// Units of 1/10000 rouble times hundredths of a percent: 10^4 * 10^4 per rouble.
constexpr __int128 ProductUnitsPerRouble = __int128(Currency::UnitsPerRouble) * 10000;

} // namespace

Currency RoundedRoublesOfRatio(__int128 numerator, __int128 denominator)
{
    __int128 whole = numerator / denominator; // truncates toward zero
    if (numerator > 0 && (numerator % denominator) * 2 >= denominator)
        ++whole;
    return Currency::fromWholeRoubles(static_cast<std::int64_t>(whole));
}

Currency TaxAtRate(Currency base, TaxRate rate)
{
    return RoundedRoublesOfRatio(__int128(base.units()) * rate.hundredthsOfPercent, ProductUnitsPerRouble);
}

Currency TaxAtRates(Currency base1, TaxRate rate1, Currency base2, TaxRate rate2)
{
    const __int128 product = __int128(base1.units()) * rate1.hundredthsOfPercent
        + __int128(base2.units()) * rate2.hundredthsOfPercent;
    return RoundedRoublesOfRatio(product, ProductUnitsPerRouble);
}

Currency BaseOfTax(Currency tax, TaxRate rate)
{
    // tax * 100 % / rate, in roubles: units * 10000 / (rate * 10000 units per rouble).
    return RoundedRoublesOfRatio(__int128(tax.units()) * 10000,
                                 __int128(rate.hundredthsOfPercent) * Currency::UnitsPerRouble);
}

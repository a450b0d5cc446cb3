#include "computation/TaxArithmetic.h"

Currency BaseOfTax(Currency tax, TaxRate rate)
{
    // tax * 100 % / rate, in roubles: units * 10000 / (rate * 10000 units per rouble).
    return RoundedRoublesOfRatio(__int128(tax.units()) * 10000,
                                 __int128(rate.hundredthsOfPercent) * Currency::UnitsPerRouble);
}

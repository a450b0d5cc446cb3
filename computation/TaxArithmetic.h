#pragma once

#include <cstdint>

#include "model/Currency.h"

// A tax rate in hundredths of a percent: 13 % is 1300.
struct TaxRate {
    std::int32_t hundredthsOfPercent;
};

inline constexpr TaxRate Rate5{500};
inline constexpr TaxRate Rate9{900};
inline constexpr TaxRate Rate10{1000};
inline constexpr TaxRate Rate13{1300};
inline constexpr TaxRate Rate15{1500};
inline constexpr TaxRate Rate30{3000};
inline constexpr TaxRate Rate35{3500};

// An amount, or 0 for a negative one.
inline Currency NotBelowZero(Currency amount)
{
    return amount < Currency() ? Currency() : amount;
}

// numerator / denominator rounded by the RoundHalfUp rule: half up, negatives truncated toward
// zero. The denominator must be positive.
constexpr __int128 RoundedRatio(__int128 numerator, __int128 denominator)
{
    __int128 whole = numerator / denominator; // truncates toward zero
    if (numerator > 0 && (numerator % denominator) * 2 >= denominator)
        ++whole;
    return whole;
}

// `count` steps of `unitsPerStep` as Currency; beyond the range of an amount it raises
// std::overflow_error as the amount's own arithmetic does.
constexpr Currency CurrencyOfSteps(__int128 count, std::int64_t unitsPerStep)
{
    std::int64_t units = 0;
    if (__builtin_mul_overflow(count, unitsPerStep, &units))
        Currency::throwOutOfRange();
    return Currency::fromUnits(units);
}

// numerator / denominator in whole roubles, rounded by the RoundHalfUp rule, as Currency. The
// denominator must count the units of the numerator per rouble.
constexpr Currency RoundedRoublesOfRatio(__int128 numerator, __int128 denominator)
{
    return CurrencyOfSteps(RoundedRatio(numerator, denominator), Currency::UnitsPerRouble);
}

// numerator / denominator in kopecks, rounded by the RoundHalfUp rule, as Currency. The
// denominator must count the units of the numerator per kopeck.
constexpr Currency RoundedKopecksOfRatio(__int128 numerator, __int128 denominator)
{
    return CurrencyOfSteps(RoundedRatio(numerator, denominator), Currency::UnitsPerRouble / 100);
}

// Units of 1/10000 rouble times hundredths of a percent: 10^4 * 10^4 per rouble.
inline constexpr __int128 RateProductUnitsPerRouble = __int128(Currency::UnitsPerRouble) * 10000;

// Tax on a base, in whole roubles. The product is formed exactly (no binary fractions), so
// 13 % of 50 roubles is 6.5 and rounds to 7. The tax rules round half a rouble and more up,
// less down; a negative product is truncated toward zero like RoundHalfUp.
constexpr Currency TaxAtRate(Currency base, TaxRate rate)
{
    return RoundedRoublesOfRatio(__int128(base.units()) * rate.hundredthsOfPercent, RateProductUnitsPerRouble);
}

// The tax of two parts of one base at two rates, rounded once: the 13 % and 15 % parts of a
// base split by the 5 000 000-rouble band.
constexpr Currency TaxAtRates(Currency base1, TaxRate rate1, Currency base2, TaxRate rate2)
{
    const __int128 product = __int128(base1.units()) * rate1.hundredthsOfPercent
        + __int128(base2.units()) * rate2.hundredthsOfPercent;
    return RoundedRoublesOfRatio(product, RateProductUnitsPerRouble);
}

// `percent` per cent of the amount, rounded half up to kopecks.
constexpr Currency percentOf(Currency amount, int percent)
{
    return RoundedKopecksOfRatio(__int128(amount.units()) * percent, 100 * (Currency::UnitsPerRouble / 100));
}

// The base that a tax amount stands for at a rate, in whole roubles rounded half up:
// 130 roubles at 13 % stand for 1 000.
Currency BaseOfTax(Currency tax, TaxRate rate);

#pragma once

#include "model/Currency.h"

// What a parent's standard deduction for a child amounts to a month in 2021 (tax law,
// article 218, point 1, subpoint 4). A single parent, or the parent whom the other left the
// deduction to, gets twice as much; a guardian, trustee or foster parent of a disabled child
// gets half a parent's amount.
inline constexpr Currency FirstChildrenMonthly = Currency::fromWholeRoubles(1'400); // the first and second child
inline constexpr Currency ThirdChildrenMonthly = Currency::fromWholeRoubles(3'000); // the third and each later
inline constexpr Currency DisabledChildMonthly = Currency::fromWholeRoubles(12'000);

constexpr Currency Doubled(Currency monthly)
{
    return Currency::fromUnits(monthly.units() * 2);
}

constexpr Currency GuardiansShare(Currency monthly)
{
    return Currency::fromUnits(monthly.units() / 2);
}

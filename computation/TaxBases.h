#pragma once

#include <cstddef>

// The tax bases of the year whose 13 % part ends at 5 000 000 roubles. For income of 2021 and
// 2022 the threshold applies to each base apart: dividends, winnings, operations with
// securities, the profit of controlled foreign companies and the main base (wages, business,
// rent, interest and every other income at 13/15 %) each have a band of their own. Sales and
// gifts of property and the fixed-rate kinds are taxed outside every band and belong to none.
enum class TaxBase { Main, Dividends, Winnings, Securities, ControlledCompanies };
inline constexpr std::size_t TaxBaseCount = 5;

// The base of a section-2 income kind taxed at 13/15 %: "01" dividends, "02" winnings, "03"
// operations with securities, "05" and "06" a controlled company's profit, every other band
// kind the main base.
constexpr TaxBase TaxBaseOfKind(int kind)
{
    switch (kind) {
    case 1: return TaxBase::Dividends;
    case 2: return TaxBase::Winnings;
    case 3: return TaxBase::Securities;
    case 5:
    case 6: return TaxBase::ControlledCompanies;
    default: return TaxBase::Main;
    }
}

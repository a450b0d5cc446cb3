#pragma once

#include <cstdint>

#include "computation/TaxArithmetic.h"
#include "model/Currency.h"

// The figures of the tax year that the computation counts by and that the pages, their texts and
// the whole check read: when the year changes, they change here. A figure that follows from
// others is written as what it follows from.

inline constexpr int TaxYear = 2021;
inline constexpr int MonthsOfYear = 12;

// The whole year's amount of a monthly one.
constexpr Currency ForWholeYear(Currency monthly)
{
    return Currency::fromUnits(monthly.units() * MonthsOfYear);
}

// The band of each tax base taxed at 13 %; beyond it the base's kinds pay 15 %.
inline constexpr Currency RateBand = Currency::fromWholeRoubles(5'000'000);
// The 13 % tax of a whole band: what a tax base pays under the first budget code before the
// part beyond the band goes under another.
inline constexpr Currency ThirteenPercentTaxCeiling = TaxAtRate(RateBand, Rate13);

// Standard deductions of the taxpayer himself, a month (tax law, article 218, point 1).
inline constexpr Currency PersonalDeduction105Monthly = Currency::fromWholeRoubles(3'000);
inline constexpr Currency PersonalDeduction104Monthly = Currency::fromWholeRoubles(500);
// What tax agents may have granted of them in the year at most.
inline constexpr Currency PersonalDeduction105Yearly = ForWholeYear(PersonalDeduction105Monthly);
inline constexpr Currency PersonalDeduction104Yearly = ForWholeYear(PersonalDeduction104Monthly);

// A parent's standard deduction for a child, a month (tax law, article 218, point 1, subpoint 4).
// A single parent, or the parent whom the other left the deduction to, gets twice as much; a
// guardian, trustee or foster parent of a disabled child gets half a parent's amount. The
// deductions stop in the month in which the income since the start of the year exceeds the limit.
inline constexpr Currency FirstChildrenMonthly = Currency::fromWholeRoubles(1'400); // the first and second child
inline constexpr Currency ThirdChildrenMonthly = Currency::fromWholeRoubles(3'000); // the third and each later
inline constexpr Currency DisabledChildMonthly = Currency::fromWholeRoubles(12'000);
inline constexpr Currency ChildDeductionIncomeLimit = Currency::fromWholeRoubles(350'000);

constexpr Currency Doubled(Currency monthly)
{
    return Currency::fromUnits(monthly.units() * 2);
}

constexpr Currency GuardiansShare(Currency monthly)
{
    return Currency::fromUnits(monthly.units() / 2);
}

// The share of the income an entrepreneur or a farm head deducts as expenses without documents
// (tax law, article 221).
inline constexpr int BusinessExpenseNormPercent = 20;

// The common limit of the social expenses (the taxpayer's own education, medical services and
// medicines, insurance, pension and funded-pension contributions, the qualification test).
inline constexpr Currency SocialExpenseLimit = Currency::fromWholeRoubles(120'000);
// The education of each child.
inline constexpr Currency ChildEducationLimit = Currency::fromWholeRoubles(50'000);
// The contributions to individual investment accounts that the year's deduction counts.
inline constexpr Currency InvestmentAccountLimit = Currency::fromWholeRoubles(400'000);

// Buying or building housing (tax law, article 220): the cost limit of an object, 1 000 000
// roubles before 2008 and 2 000 000 from then on; from 2014 the limit belongs to each taxpayer
// rather than to the object, so the share no longer bounds it, and the loan interest counts up to
// its own limit. The loan's date is not held, so the object's year stands for it.
inline constexpr int FirstYearOfHigherPurchaseLimit = 2008;
inline constexpr Currency PurchaseLimitBefore2008 = Currency::fromWholeRoubles(1'000'000);
inline constexpr Currency PurchaseLimit = Currency::fromWholeRoubles(2'000'000);
inline constexpr int FirstYearOfNewPurchaseRules = 2014;
inline constexpr Currency PurchaseInterestLimit = Currency::fromWholeRoubles(3'000'000);

// Selling property (tax law, article 220, point 2): the sale deduction of housing and of shares
// in it, and that of other property, each one limit for the year.
inline constexpr Currency HousingSaleDeductionLimit = Currency::fromWholeRoubles(1'000'000);
inline constexpr Currency OtherSaleDeductionLimit = Currency::fromWholeRoubles(250'000);

// Incomes exempt up to a limit for the year (tax law, article 217): gifts, prizes and aid of
// organisations, lottery winnings; aid and gifts to war veterans; an employer's contributions to
// the funded pension; and one-off aid at the birth of a child, a limit for each child.
inline constexpr Currency ExemptGiftsAndAidLimit = Currency::fromWholeRoubles(4'000);
inline constexpr Currency ExemptVeteransAidLimit = Currency::fromWholeRoubles(10'000);
inline constexpr Currency ExemptPensionContributionsLimit = Currency::fromWholeRoubles(12'000);
inline constexpr Currency ExemptBirthAidLimit = Currency::fromWholeRoubles(50'000);

// A controlled foreign company: its profit (taxed in full here), its dividends, and the fixed
// profit the law sets when the company's own profit is not declared, at most one per declaration,
// in roubles at 13 %. Its tax is a fixed 5 000 000 roubles: 13 % of the band and 15 % of the rest.
inline constexpr std::int32_t CompanyProfitIncomeCode = 1000;
inline constexpr std::int32_t FixedProfitIncomeCode = 1003;
inline constexpr std::int32_t CompanyDividendsIncomeCode = 1012;
inline constexpr Currency FixedProfit = Currency::fromWholeRoubles(34'000'000);
inline constexpr std::int32_t FixedProfitRatePercent = Rate13.hundredthsOfPercent / 100;
inline constexpr Currency FixedProfitTax = TaxAtRates(RateBand, Rate13, FixedProfit - RateBand, Rate15);

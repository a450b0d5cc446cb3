#include "pages/income/IncomeLineRules.h"

#include <algorithm>
#include <initializer_list>

#include <QString>

#include "computation/IncomeCodeSets.h"
#include "computation/PropertySaleIncome.h"

namespace {

using Codes = std::initializer_list<QStringView>;

constexpr Codes NonResidentDeductionIncomes = {
    u"2760", u"2761", u"2762", u"2763", u"3011", u"2720", u"2721",
    u"2730", u"2770", u"2790", u"2740", u"6015", u"1211",
};

constexpr Codes DeductionsLargerThanIncome = {
    u"201", u"202", u"203", u"206", u"207", u"211", u"213", u"215", u"220", u"218",
    u"219", u"225", u"226", u"227", u"228", u"229", u"230", u"231", u"232",
    u"235", u"233", u"234", u"802", u"805", u"809", u"811", u"813", u"814", u"817",
    u"820", u"824", u"826", u"828", u"829", u"915",
};

bool listed(Codes codes, QStringView code)
{
    return std::find(codes.begin(), codes.end(), code) != codes.end();
}

// numerator / denominator of the amount, rounded half up to kopecks; the fraction is applied to
// the units exactly, so no binary fraction of a kopeck decides the rounding.
Currency shareOf(Currency amount, std::int64_t numerator, std::int64_t denominator)
{
    constexpr std::int64_t UnitsPerKopeck = Currency::UnitsPerRouble / 100;
    const __int128 scaled = __int128(amount.units()) * numerator;
    const __int128 divisor = __int128(denominator) * UnitsPerKopeck;
    __int128 kopecks = scaled / divisor;
    if (scaled > 0 && (scaled % divisor) * 2 >= divisor)
        ++kopecks;
    return Currency::fromUnits(static_cast<std::int64_t>(kopecks * UnitsPerKopeck));
}

Currency capped(Currency sum, Currency maxSum)
{
    return maxSum != Currency() && sum > maxSum ? maxSum : sum;
}

} // namespace

bool nonResidentMayDeduct(QStringView incomeCode)
{
    return listed(NonResidentDeductionIncomes, incomeCode);
}

bool deductionMayExceedIncome(QStringView incomeCode, QStringView deductCode)
{
    bool isNumber = false;
    const int income = incomeCode.toString().toInt(&isNumber);
    return isNumber && IsSecuritiesOrPartnershipIncome(income) && listed(DeductionsLargerThanIncome, deductCode);
}

Currency percentOf(Currency amount, int percent)
{
    return shareOf(amount, percent, 100);
}

Currency propertySaleIncome(Currency cadastralValue, Currency price)
{
    return std::max(CadastralIncomeFloor(cadastralValue), price);
}

std::optional<Currency> ruleDeduction(const DeductionRule& rule, Currency income)
{
    if (rule.percent != 0)
        return capped(percentOf(income, rule.percent), rule.maxSum);
    if (rule.equivalent)
        return capped(income, rule.maxSum);
    return std::nullopt;
}

Currency cappedDeduction(const DeductionRule& rule, Currency typed)
{
    return capped(typed, rule.maxSum);
}

Currency deductionForIncome(const DeductionRule& rule, Currency income, Currency typed)
{
    return ruleDeduction(rule, income).value_or(cappedDeduction(rule, typed));
}

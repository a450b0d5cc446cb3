#include "computation/IncomeLineRules.h"

#include <algorithm>
#include <initializer_list>

#include "computation/IncomeCodeSets.h"
#include "computation/PropertySaleIncome.h"

namespace {

using Codes = std::initializer_list<std::int32_t>;

constexpr Codes NonResidentDeductionIncomes = {
    2760, 2761, 2762, 2763, 3011, 2720, 2721,
    2730, 2770, 2790, 2740, 6015, 1211,
};

constexpr Codes DeductionsLargerThanIncome = {
    201, 202, 203, 206, 207, 211, 213, 215, 220, 218,
    219, 225, 226, 227, 228, 229, 230, 231, 232,
    235, 233, 234, 802, 805, 809, 811, 813, 814, 817,
    820, 824, 826, 828, 829, 915,
};

bool listed(Codes codes, std::int32_t code)
{
    return std::find(codes.begin(), codes.end(), code) != codes.end();
}

Currency capped(Currency sum, Currency maxSum)
{
    return maxSum != Currency() && sum > maxSum ? maxSum : sum;
}

} // namespace

bool nonResidentMayDeduct(std::int32_t incomeCode)
{
    return listed(NonResidentDeductionIncomes, incomeCode);
}

bool deductionMayExceedIncome(std::int32_t incomeCode, std::int32_t deductCode)
{
    return IsSecuritiesOrPartnershipIncome(incomeCode) && listed(DeductionsLargerThanIncome, deductCode);
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

#include "computation/PropertySaleDeductions.h"

#include <algorithm>
#include <cstdint>
#include <initializer_list>

#include "computation/PropertySaleIncome.h"
#include "computation/Residency.h"
#include "model/Declaration.h"

namespace {

// One income line as this sheet sees it.
struct SaleLine {
    std::int32_t incomeCode;
    std::int32_t deductionCode;
    Currency income;
    Currency deduction;
};

bool isPair(const SaleLine& line, std::int32_t incomeCode, std::int32_t deductionCode)
{
    return line.incomeCode == incomeCode && line.deductionCode == deductionCode;
}

// A sale of property or of a share in it: real estate, or other property (1520, 1521).
bool isPropertySale(std::int32_t incomeCode)
{
    return IsRealEstateSale(incomeCode) || incomeCode == 1520 || incomeCode == 1521;
}

// What a line asks to deduct. A sale's deduction, the documented cost of what was sold or the
// fixed deduction alike, reduces the income of that sale and nothing else: what exceeds it is
// lost, and so it neither lowers another sale's income nor uses up a limit shared with other
// sales.
Currency askedDeduction(const SaleLine& line)
{
    if (!isPropertySale(line.incomeCode))
        return line.deduction;
    return std::min(line.deduction, std::max(line.income, Currency()));
}

// Adds what is asked, as far as the limit left allows.
void addWithinLimit(Currency& field, Currency asked, Currency& limitLeft)
{
    field += std::min(asked, limitLeft);
    limitLeft = std::max(limitLeft - asked, Currency());
}

} // namespace

void kTSvodSumPril6::Clear()
{
    *this = kTSvodSumPril6();
}

bool kTSvodSumPril6::Calculate(mTDeclaration& Decl)
{
    Clear();
    const bool foreignIncome = Decl.HasIncomeKind(IncomeKindForeign);
    if ((Decl.SourceCount() < 1 && !foreignIncome) || !IsOrdinaryDeclaration(Decl))
        return true;

    Currency saleLimitLeft = HousingSaleDeductionLimit;
    Currency otherSaleLimitLeft = OtherSaleDeductionLimit;

    // The field of a pair whose deduction shares no limit with other lines; null for the pairs
    // with limits of their own and for every pair this sheet does not count.
    const auto plainField = [this](const SaleLine& line) -> Currency* {
        if (isPair(line, 1510, 903))
            return &РасхПриобИмущ;
        if (isPair(line, 1511, 903))
            return &РасхПриобИмущДол;
        if (isPair(line, 1512, 903))
            return &OtherRealtyCost;
        if (isPair(line, 1520, 903) || isPair(line, 1521, 903))
            return &OtherPropertyCost;
        if (isPair(line, 4900, 908))
            return &ВычДохИзъятИмущ;
        if (isPair(line, 4910, 910))
            return &ВычДохЛиквИО;
        if (isPair(line, 4920, 912))
            return &ВычДохПравКИК;
        if (isPair(line, 1540, 315) || isPair(line, 1542, 316))
            return &ВычПдтвРасхПродУК;
        if (isPair(line, 1540, 905) || isPair(line, 1542, 907))
            return &CapitalShareLimitedDeduction;
        if (isPair(line, 1560, 317))
            return &ВычПдтвРасхПрдСр;
        if (isPair(line, 1570, 318))
            return &ВычПдтвРасхУмСтУК;
        if (isPair(line, 1550, 314))
            return &ВычПдтвРасхУстПрав;
        return nullptr;
    };

    // Sales of property other than housing and shares in it, real estate (902) and movables
    // (906) alike, share one limit for the year in the order of the lines.
    const auto otherSaleField = [this](const SaleLine& line) -> Currency* {
        if (isPair(line, 1512, 902))
            return &OtherRealtySaleDeduction;
        if (isPair(line, 1520, 906) || isPair(line, 1521, 906))
            return &OtherPropertySaleDeduction;
        return nullptr;
    };
    const auto addLine = [&](const SaleLine& line) {
        const Currency asked = askedDeduction(line);
        if (isPair(line, 1510, 901)) // the sale deduction of housing is the income itself
            addWithinLimit(ВычПродИмущ, line.income, saleLimitLeft);
        else if (isPair(line, 1511, 904))
            addWithinLimit(ВычПродИмущДол, asked, saleLimitLeft);
        else if (Currency* field = otherSaleField(line))
            addWithinLimit(*field, asked, otherSaleLimitLeft);
        else if (Currency* plain = plainField(line))
            *plain += asked;
    };

    // A payer's lines at 15 % carry the deductions of their codes as the lines at 13 % do: the
    // rate only tells which part of the main base the agent taxed the income in. Their income
    // is their amount, as appendix 1 counts it: the cadastral floor is a rule of the 13 % lines.
    for (const auto& source : Decl.Sources) {
        for (const OwnedList<mTIncome>* lines : {&source->Incomes13, &source->Incomes15}) {
            for (const auto& income : *lines) {
                const Currency amount = lines == &source->Incomes13 ? TaxedIncome(*income) : income->Amount;
                addLine({income->IncomeCode, income->DeductionCode, amount, income->Deduction});
            }
        }
    }

    if (foreignIncome) {
        for (const auto& income : Decl.CurrencyIncomes)
            addLine({income->IncomeCode, income->DeductionCode, income->IncomeRoubles, income->DeductionSum});
    }

    // A share in a company's capital is a property right, not property: its sale is no part of
    // the year's limit for other property, and the limited deduction of the shares sold or paid
    // out on leaving the company has a limit of its own.
    CapitalShareLimitedDeduction = std::min(CapitalShareLimitedDeduction, OtherSaleDeductionLimit);
    ВычПдтвРасхПродУК += CapitalShareLimitedDeduction;

    ОбщИмущВыч = ВычПродИмущ + РасхПриобИмущ + ВычПродИмущДол + РасхПриобИмущДол + OtherRealtySaleDeduction
        + OtherRealtyCost + OtherPropertySaleDeduction + OtherPropertyCost + ВычДохИзъятИмущ + ВычДохЛиквИО
        + ВычДохПравКИК + ВычПдтвРасхПродУК + ВычПдтвРасхПрдСр + ВычПдтвРасхУмСтУК + ВычПдтвРасхУстПрав;
    SpecialBaseDeductions = ВычДохИзъятИмущ + ВычДохЛиквИО + ВычДохПравКИК + ВычПдтвРасхПродУК + ВычПдтвРасхУстПрав;
    GeneralBaseDeductions = ОбщИмущВыч - SpecialBaseDeductions;
    return true;
}

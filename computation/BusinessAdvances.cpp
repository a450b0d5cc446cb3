#include "computation/BusinessAdvances.h"

#include <algorithm>

#include "computation/Residency.h"
#include "computation/Summary.h"
#include "computation/TaxArithmetic.h"
#include "computation/TaxYearFigures.h"
#include "model/Declaration.h"

namespace {

Currency truncatedToRoubles(Currency amount)
{
    return Currency::fromWholeRoubles(amount.units() / Currency::UnitsPerRouble);
}

// The sums of the first one, two and three quarters, truncated to whole roubles.
AdvancePeriods cumulative(Currency quarter1, Currency quarter2, Currency quarter3)
{
    return {truncatedToRoubles(quarter1), truncatedToRoubles(quarter1 + quarter2),
            truncatedToRoubles(quarter1 + quarter2 + quarter3)};
}

Currency baseOf(Currency income, Currency professional, Currency standard)
{
    return std::max(income - professional - standard, Currency());
}

// A resident, ending the business or not, pays 13 % up to 5 000 000 roubles of the base and 15 %
// beyond; a non-resident 30 %.
Currency taxOf(Currency base, bool resident)
{
    if (!resident)
        return TaxAtRate(base, Rate30);
    if (base <= RateBand)
        return TaxAtRate(base, Rate13);
    return ThirteenPercentTaxCeiling + TaxAtRate(base - RateBand, Rate15);
}

} // namespace

void kTSvodSumPrilV1Dop::Clear()
{
    *this = kTSvodSumPrilV1Dop();
}

bool kTSvodSumPrilV1Dop::Calculate(mTDeclaration& Decl, kTSvodSum& Svod)
{
    const kTSvodSumPrilV1& business = Svod.PrilV1;
    const auto& standard = Svod.PrilE1.QuarterTotal;
    const bool resident = IsResidentDeclaration(Decl);

    СумПолДох = cumulative(business.IncomeQ1, business.IncomeQ2, business.IncomeQ3);
    // The business sheet's quarters carry each activity's professional deduction, the norm of
    // 20 % included where the expenses are not documented.
    СумПрофВыч = cumulative(business.ExpenseQ1, business.ExpenseQ2, business.ExpenseQ3);
    СумСтандВыч = cumulative(standard[0], standard[1], standard[2]);
    НалБазаИсч = {baseOf(СумПолДох.ЗаКв, СумПрофВыч.ЗаКв, СумСтандВыч.ЗаКв),
                  baseOf(СумПолДох.ЗаПг, СумПрофВыч.ЗаПг, СумСтандВыч.ЗаПг),
                  baseOf(СумПолДох.За9м, СумПрофВыч.За9м, СумСтандВыч.За9м)};
    СумИсчАванс = {taxOf(НалБазаИсч.ЗаКв, resident), taxOf(НалБазаИсч.ЗаПг, resident),
                   taxOf(НалБазаИсч.За9м, resident)};

    YearIncome = business.IncomeQ1 + business.IncomeQ2 + business.IncomeQ3 + business.IncomeQ4;
    YearProfDeduction = business.ExpenseQ1 + business.ExpenseQ2 + business.ExpenseQ3 + business.ExpenseQ4;
    YearOtherDeductions = Svod.Razd2Sheet(7).СумНалВыч - YearProfDeduction;
    YearBase = baseOf(YearIncome, YearProfDeduction, YearOtherDeductions);
    YearTax = taxOf(YearBase, resident);
    return true;
}

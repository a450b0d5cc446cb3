#include "computation/MonthlyStandardDeductions.h"

#include <bitset>

#include "computation/Residency.h"
#include "computation/TaxYearFigures.h"
#include "model/Declaration.h"
#include "model/IncomeKinds.h"

namespace {

// Months (0 = January) in which there is income that the standard deductions count against.
using MonthSet = std::bitset<12>;

// Month codes of a personal code that changed during the year.
constexpr std::int32_t MonthCode105 = 2;
constexpr std::int32_t MonthCode104 = 1;

// Parent statuses.
constexpr std::int32_t StatusParent = 101;
constexpr std::int32_t StatusChangedDuringYear = 103;
// The month status of a single parent; any other value is an ordinary month.
constexpr std::int32_t MonthStatusSingleParent = 0;

Currency times(Currency amount, std::int32_t count)
{
    return Currency::fromUnits(amount.units() * count);
}

std::int32_t childCount(const mTChildrenRow& row, int monthIndex)
{
    return row.ConstCount != 0 ? row.YearCount : row.MonthCount[monthIndex];
}

// The month values of the codes and statuses are kept in the declaration file only while
// their flag is set; without it they count as 0, as they read after a reload.
std::int32_t monthPersonalCode(const mTStandartDeduct& standard, int monthIndex)
{
    return standard.HasMonthPersonalCodes != 0 ? standard.MonthPersonalCode[monthIndex] : 0;
}

std::int32_t monthParentStatus(const mTStandartDeduct& standard, int monthIndex)
{
    return standard.HasMonthParentStatus != 0 ? standard.MonthParentStatus[monthIndex] : 0;
}

bool doubleAmountInMonth(const mTStandartDeduct& standard, int monthIndex)
{
    switch (standard.ParentStatus) {
    case StatusParent:
        return false;
    case StatusChangedDuringYear:
        return monthParentStatus(standard, monthIndex) == MonthStatusSingleParent;
    default:
        return true;
    }
}

// The entrepreneur's profit since January, month by month, with a loss carried forward.
MonthSet businessIncome(const mTStandartDeduct& standard, kTSvodSumPrilE1& sheet)
{
    MonthSet months;
    Currency carriedLoss;
    Currency previousProfit;
    for (int m = 0; m < 12; ++m) {
        sheet.MonthIncome[m] = standard.MonthIncome[m];
        sheet.MonthExpense[m] = standard.MonthExpense[m];
        if (standard.BusinessMonth[m] != 0)
            months.set(m);
        Currency profit = sheet.MonthIncome[m] - sheet.MonthExpense[m] - carriedLoss + previousProfit;
        carriedLoss = Currency();
        if (profit < Currency()) {
            carriedLoss = -profit;
            profit = Currency();
        }
        sheet.CumulativeIncome[m] = profit;
        previousProfit = profit;
    }
    return months;
}

// Income of kinds "08" and "10" at 13 % and 15 % from the sources that compute the standard
// deductions, accumulated from January.
MonthSet sourceIncome(const mTDeclaration& Decl, kTSvodSumPrilE1& sheet)
{
    MonthSet months;
    const auto addLine = [&](const mTIncome& line) {
        const int kind = IncomeKindCode(line.IncomeCode);
        if (kind != 8 && kind != 10)
            return;
        const int month = line.Month & 0x7F; // the high bit is not part of the month
        if (month < 1 || month > 12)
            return;
        sheet.CumulativeIncome[month - 1] += line.Amount - line.Deduction;
        months.set(month - 1);
    };
    for (const auto& source : Decl.Sources) {
        if (source->StandardDeductionsHere == 0)
            continue;
        for (const auto& line : source->Incomes13)
            addLine(*line);
        for (const auto& line : source->Incomes15)
            addLine(*line);
    }
    for (int m = 1; m < 12; ++m)
        sheet.CumulativeIncome[m] += sheet.CumulativeIncome[m - 1];
    return months;
}

// Counts the months with income before the income limit is exceeded into CountedMonths and
// returns the number of months, from January, that the children's deductions may take.
int monthsWithinLimit(const MonthSet& months, kTSvodSumPrilE1& sheet)
{
    int scanned = 0;
    for (int m = 0; m < 11; ++m) {
        if (sheet.CumulativeIncome[m] > ChildDeductionIncomeLimit)
            return scanned;
        if (months.test(m))
            ++sheet.CountedMonths;
        ++scanned;
    }
    if (months.test(11) && sheet.CumulativeIncome[11] <= ChildDeductionIncomeLimit) {
        ++sheet.CountedMonths;
        ++scanned;
    }
    return scanned;
}

// The personal deduction is not limited by the income.
void addPersonalDeductions(const mTStandartDeduct& standard, const MonthSet& months, kTSvodSumPrilE1& sheet)
{
    const auto add105 = [&](int m) {
        sheet.Total218_1_1 += PersonalDeduction105Monthly;
        sheet.AddToQuarter(m, PersonalDeduction105Monthly);
    };
    const auto add104 = [&](int m) {
        sheet.Total218_1_2 += PersonalDeduction104Monthly;
        sheet.AddToQuarter(m, PersonalDeduction104Monthly);
    };
    for (int m = 0; m < 12; ++m) {
        if (!months.test(m))
            continue;
        switch (standard.PersonalCode) {
        case 104:
            add104(m);
            break;
        case 105:
            add105(m);
            break;
        case 110:
            if (monthPersonalCode(standard, m) == MonthCode105)
                add105(m);
            else if (monthPersonalCode(standard, m) == MonthCode104)
                add104(m);
            break;
        default:
            break;
        }
    }
}

void addChildDeductions(const mTStandartDeduct& standard, const MonthSet& months, int limitMonths,
                        kTSvodSumPrilE1& sheet)
{
    const Currency disabledMonthly =
        standard.Guardian != 0 ? GuardiansShare(DisabledChildMonthly) : DisabledChildMonthly;

    const auto addRow = [&](int m, bool doubled, const mTChildrenRow& row, Currency monthly, Currency& singleTotal,
                            Currency& doubleTotal) {
        const Currency amount = times(doubled ? Doubled(monthly) : monthly, childCount(row, m));
        (doubled ? doubleTotal : singleTotal) += amount;
        sheet.AddToQuarter(m, amount);
    };
    for (int m = 0; m < limitMonths; ++m) {
        if (!months.test(m))
            continue;
        const bool doubled = doubleAmountInMonth(standard, m);
        addRow(m, doubled, standard.Children, FirstChildrenMonthly, sheet.ChildTotal, sheet.ChildDoubleTotal);
        addRow(m, doubled, standard.ThirdChildren, ThirdChildrenMonthly, sheet.ChildTotal, sheet.ChildDoubleTotal);
        addRow(m, doubled, standard.DisabledChildren, disabledMonthly, sheet.DisabledChildTotal,
               sheet.DisabledChildDoubleTotal);
    }
}

} // namespace

void kTSvodSumPrilE1::AddToQuarter(int MonthIndex, Currency Amount)
{
    if (MonthIndex < 0 || MonthIndex > 11)
        return;
    QuarterTotal[MonthIndex / 3] += Amount;
}

void kTSvodSumPrilE1::Clear()
{
    *this = kTSvodSumPrilE1();
}

bool kTSvodSumPrilE1::Calculate(mTDeclaration& Decl, kTSvodSum&)
{
    Clear();
    const mTStandartDeduct& standard = Decl.StandardDeduct;
    const bool typeWithStandardDeductions = IsResidentDeclaration(Decl);

    if (standard.Granted != 0 && typeWithStandardDeductions) {
        const MonthSet months = standard.HasBusinessMonths != 0 ? businessIncome(standard, *this)
                                                                : sourceIncome(Decl, *this);
        const int limitMonths = monthsWithinLimit(months, *this);
        addPersonalDeductions(standard, months, *this);
        if (standard.ParentStatus > 0)
            addChildDeductions(standard, months, limitMonths, *this);
    }

    // The quarters serve only the advance payments on business income.
    if (standard.HasBusinessMonths == 0 || Decl.BusinessCount() < 1)
        QuarterTotal = {};
    return true;
}

#include "computation/BusinessIncome.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>

#include "computation/Residency.h"
#include "computation/TaxArithmetic.h"
#include "computation/TaxYearFigures.h"
#include "model/Declaration.h"

namespace {

constexpr std::int32_t CivilContractIncome = 2010;
constexpr std::int32_t FirstAuthorFeeIncome = 2201;
constexpr std::int32_t LastAuthorFeeIncome = 2209;
constexpr std::int32_t CivilContractExpense = 403;
constexpr std::int32_t AuthorFeeExpense = 404;
constexpr std::int32_t AuthorFeeNorm = 405;

// The sum of the first `quarters` quarters of the year.
Currency firstQuarters(const std::array<Currency, mTBusinessNew::QuarterCount>& byQuarter, int quarters)
{
    Currency sum;
    for (int q = 0; q < quarters; ++q)
        sum += byQuarter[std::size_t(q)];
    return sum;
}

// A line's deduction counts up to its income, under the code that belongs to its income code.
void addLine(ProfessionalDeductions& sheet, std::int32_t incomeCode, std::int32_t deductionCode, Currency amount,
             Currency deduction)
{
    const Currency allowed = std::min(amount, deduction);
    const bool authorFee = incomeCode >= FirstAuthorFeeIncome && incomeCode <= LastAuthorFeeIncome;
    if (incomeCode == CivilContractIncome && deductionCode == CivilContractExpense)
        sheet.РасхФактДогГПХ += allowed;
    else if (authorFee && deductionCode == AuthorFeeExpense)
        sheet.РасхФактАвтВозн += allowed;
    else if (authorFee && deductionCode == AuthorFeeNorm)
        sheet.РасхНормАвтВозн += allowed;
}

void addLines(ProfessionalDeductions& sheet, const OwnedList<mTIncome>& lines)
{
    for (const auto& line : lines)
        addLine(sheet, line->IncomeCode, line->DeductionCode, line->Amount, line->Deduction);
}

void setTotal(ProfessionalDeductions& sheet)
{
    sheet.ОбщРасхВыч = sheet.РасхФактДогГПХ + sheet.РасхФактАвтВозн + sheet.РасхНормАвтВозн;
}

} // namespace

bool MayUseExpenseNorm(const std::string& activityKind)
{
    return activityKind == "1" || activityKind == "5";
}

bool DocumentsExpenses(const mTBusinessNew& activity)
{
    return activity.ExpensesConfirmed != 0 || !MayUseExpenseNorm(activity.ActivityKind);
}

Currency ExpenseNorm(Currency income)
{
    return percentOf(income, BusinessExpenseNormPercent);
}

Currency ProfessionalDeduction(const mTBusinessNew& activity, BusinessPeriod period)
{
    const bool documented = DocumentsExpenses(activity);
    if (period == BusinessPeriod::Year)
        return documented ? activity.ExpenseSum : ExpenseNorm(activity.IncomeSum);
    // The norm of a period is taken on the period's income as a whole, like the year's.
    const int quarters = static_cast<int>(period);
    return documented ? firstQuarters(activity.QuarterExpense, quarters)
                      : ExpenseNorm(firstQuarters(activity.QuarterIncome, quarters));
}

void kTSvodSumPrilV1::Clear()
{
    *this = kTSvodSumPrilV1();
}

bool kTSvodSumPrilV1::Calculate(mTDeclaration& Decl)
{
    Clear();
    if (!Decl.HasIncomeKind(IncomeKindBusiness)) {
        Decl.PatentPayments = Currency();
        Decl.TradeLevy = Currency();
        return true;
    }
    for (const auto& activity : Decl.BusinessIncomes) {
        ДоходИт += activity->IncomeSum;
        const Currency firstQuarter = ProfessionalDeduction(*activity, BusinessPeriod::FirstQuarter);
        const Currency halfYear = ProfessionalDeduction(*activity, BusinessPeriod::HalfYear);
        const Currency nineMonths = ProfessionalDeduction(*activity, BusinessPeriod::NineMonths);
        const Currency year = ProfessionalDeduction(*activity, BusinessPeriod::Year);
        ВычПрофИт += year;
        IncomeQ1 += activity->QuarterIncome[0];
        IncomeQ2 += activity->QuarterIncome[1];
        IncomeQ3 += activity->QuarterIncome[2];
        IncomeQ4 += activity->QuarterIncome[3];
        // The quarters of the periods add up to the period's deduction, and all four to the
        // year's, so the advance payments and the year count the same deduction.
        ExpenseQ1 += firstQuarter;
        ExpenseQ2 += halfYear - firstQuarter;
        ExpenseQ3 += nineMonths - halfYear;
        ExpenseQ4 += year - nineMonths;
    }
    УплФактАвИт = Decl.ActualAdvancePayments;
    ВычПрофИт = std::min(ВычПрофИт, ДоходИт);
    return true;
}

void kTSvodSumPril3::Clear()
{
    *this = kTSvodSumPril3();
}

bool kTSvodSumPril3::Calculate(mTDeclaration& Decl)
{
    Clear();
    if (IsOrdinaryDeclaration(Decl)) {
        for (const auto& source : Decl.Sources) {
            addLines(*this, source->Incomes13);
            addLines(*this, source->Incomes15);
        }
    }
    setTotal(*this);
    return true;
}

void kTSvodSumPril3_In::Clear()
{
    *this = kTSvodSumPril3_In();
}

bool kTSvodSumPril3_In::Calculate(mTDeclaration& Decl)
{
    Clear();
    if (ForeignIncomesCount(Decl)) {
        for (const auto& income : Decl.CurrencyIncomes)
            addLine(*this, income->IncomeCode, income->DeductionCode, income->IncomeRoubles, income->DeductionSum);
    }
    setTotal(*this);
    return true;
}

#include "computation/BusinessIncome.h"

#include <algorithm>
#include <cstdint>

#include "computation/Residency.h"
#include "computation/TaxArithmetic.h"
#include "model/Declaration.h"

namespace {

constexpr std::int32_t CivilContractIncome = 2010;
constexpr std::int32_t FirstAuthorFeeIncome = 2201;
constexpr std::int32_t LastAuthorFeeIncome = 2209;
constexpr std::int32_t CivilContractExpense = 403;
constexpr std::int32_t AuthorFeeExpense = 404;
constexpr std::int32_t AuthorFeeNorm = 405;

// Without documented expenses the professional deduction is the norm of 20 % of the
// activity's income of the year, half up to kopecks, whatever expense the record holds.
Currency expenseNorm(Currency income)
{
    // income * 20 / 100 in kopecks: units / 500.
    const Currency kopecks = RoundedRoublesOfRatio(income.units(), 500);
    return Currency::fromUnits(kopecks.units() / 100);
}

Currency professionalDeduction(const mTBusinessNew& activity)
{
    return activity.ExpensesConfirmed != 0 ? activity.ExpenseSum : expenseNorm(activity.IncomeSum);
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
        ВычПрофИт += professionalDeduction(*activity);
        IncomeQ1 += activity->QuarterIncome[0];
        IncomeQ2 += activity->QuarterIncome[1];
        IncomeQ3 += activity->QuarterIncome[2];
        IncomeQ4 += activity->QuarterIncome[3];
        ExpenseQ1 += activity->QuarterExpense[0];
        ExpenseQ2 += activity->QuarterExpense[1];
        ExpenseQ3 += activity->QuarterExpense[2];
        ExpenseQ4 += activity->QuarterExpense[3];
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
    if (Decl.DeclarationType == DeclarationOrdinary) {
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

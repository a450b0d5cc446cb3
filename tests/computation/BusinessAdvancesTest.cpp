#include "computation/BusinessAdvances.h"

#include <gtest/gtest.h>

#include <array>
#include <memory>

#include "ComputationTestSupport.h"
#include "CurrencyPrinting.h"
#include "computation/Summary.h"
#include "model/Declaration.h"

namespace {

struct Periods {
    long double quarter;
    long double halfYear;
    long double nineMonths;
};

struct AdvanceCase {
    const char* name;
    std::uint8_t declarationType;
    std::array<long double, 4> income;
    std::array<long double, 4> expense;
    std::array<long double, 3> standardDeductions; // by quarter
    long double sheet07Deductions;
    Periods base;
    Periods advance;
    long double yearBase;
    long double yearTax;
};

// Advance payments worked by hand: 13 % of a resident's base up to 5 000 000 roubles and 15 %
// beyond, on ending the business too, 30 % for a non-resident, each period counted from 1 January.
const AdvanceCase AdvanceCases[] = {
    {"resident beyond the band in nine months", DeclarationOrdinary, {2'000'000, 2'000'000, 2'000'000, 0}, {}, {}, 0,
     {2'000'000, 4'000'000, 6'000'000}, {260'000, 520'000, 800'000}, 6'000'000, 800'000},
    {"resident exactly at the band", DeclarationOrdinary, {5'000'000, 0, 0, 0}, {}, {}, 0,
     {5'000'000, 5'000'000, 5'000'000}, {650'000, 650'000, 650'000}, 5'000'000, 650'000},
    {"non-resident's first quarter", DeclarationNonResident, {100'000, 0, 0, 0}, {}, {}, 0,
     {100'000, 100'000, 100'000}, {30'000, 30'000, 30'000}, 100'000, 30'000},
    {"ending the business", DeclarationClosingBusiness, {100'000, 0, 0, 0}, {}, {}, 0,
     {100'000, 100'000, 100'000}, {13'000, 13'000, 13'000}, 100'000, 13'000},
    // 650 000 on the first 5 000 000 and 15 % of the 1 000 000 beyond.
    {"ending the business beyond the band in the half-year", DeclarationClosingBusiness,
     {3'000'000, 3'000'000, 0, 0}, {}, {}, 0, {3'000'000, 6'000'000, 6'000'000}, {390'000, 800'000, 800'000},
     6'000'000, 800'000},
    {"kopecks of the periods are cut off", DeclarationOrdinary, {100'000.75L, 0, 0, 0}, {0.75L, 0, 0, 0}, {}, 0.75L,
     {100'000, 100'000, 100'000}, {13'000, 13'000, 13'000}, 100'000, 13'000},
    {"deductions above the income leave no base", DeclarationOrdinary, {10'000, 10'000, 0, 0}, {8'000, 0, 0, 0},
     {3'000, 1'400, 0}, 8'000, {0, 7'600, 7'600}, {0, 988, 988}, 12'000, 1'560},
    {"the year's other deductions come from section 2", DeclarationOrdinary,
     {250'000, 250'000, 250'000, 250'000.50L}, {50'000, 50'000, 50'000, 50'000}, {}, 230'000,
     {200'000, 400'000, 600'000}, {26'000, 52'000, 78'000}, 770'000.50L, 100'100},
};

void expectPeriods(const AdvancePeriods& actual, const Periods& expected)
{
    EXPECT_EQ(actual.ЗаКв, rub(expected.quarter));
    EXPECT_EQ(actual.ЗаПг, rub(expected.halfYear));
    EXPECT_EQ(actual.За9м, rub(expected.nineMonths));
}

} // namespace

TEST(BusinessAdvancesSheet, AdvancePaymentsByPeriodAndTheYearsTax)
{
    for (const AdvanceCase& c : AdvanceCases) {
        SCOPED_TRACE(c.name);
        mTDeclaration decl;
        decl.DeclarationType = c.declarationType;
        auto svod = std::make_unique<kTSvodSum>();
        kTSvodSumPrilV1& business = svod->PrilV1;
        business.IncomeQ1 = rub(c.income[0]);
        business.IncomeQ2 = rub(c.income[1]);
        business.IncomeQ3 = rub(c.income[2]);
        business.IncomeQ4 = rub(c.income[3]);
        business.ExpenseQ1 = rub(c.expense[0]);
        business.ExpenseQ2 = rub(c.expense[1]);
        business.ExpenseQ3 = rub(c.expense[2]);
        business.ExpenseQ4 = rub(c.expense[3]);
        for (int q = 0; q < 3; ++q)
            svod->PrilE1.QuarterTotal[q] = rub(c.standardDeductions[q]);
        svod->Razd2Sheet(7).СумНалВыч = rub(c.sheet07Deductions);

        kTSvodSumPrilV1Dop& sheet = svod->PrilV1Dop;
        EXPECT_TRUE(sheet.Calculate(decl, *svod));
        {
            SCOPED_TRACE("base");
            expectPeriods(sheet.НалБазаИсч, c.base);
        }
        {
            SCOPED_TRACE("advance payment");
            expectPeriods(sheet.СумИсчАванс, c.advance);
        }
        EXPECT_EQ(sheet.YearBase, rub(c.yearBase));
        EXPECT_EQ(sheet.YearTax, rub(c.yearTax));
    }
}

TEST(BusinessAdvancesSheet, PeriodFiguresAreCumulativeWholeRoubles)
{
    mTDeclaration decl;
    auto svod = std::make_unique<kTSvodSum>();
    svod->PrilV1.IncomeQ1 = rub(100'000.75L);
    svod->PrilV1.IncomeQ2 = rub(0.50L);
    svod->PrilV1.IncomeQ3 = rub(10);
    svod->PrilV1.IncomeQ4 = rub(7);
    svod->PrilV1.ExpenseQ1 = rub(1'000.99L);
    svod->PrilV1.ExpenseQ4 = rub(3);
    svod->PrilE1.QuarterTotal = {rub(1'400), rub(1'400), rub(0), rub(1'400)};
    svod->Razd2Sheet(7).СумНалВыч = rub(5'000);

    kTSvodSumPrilV1Dop& sheet = svod->PrilV1Dop;
    sheet.Calculate(decl, *svod);
    expectPeriods(sheet.СумПолДох, {100'000, 100'001, 100'011});
    expectPeriods(sheet.СумПрофВыч, {1'000, 1'000, 1'000});
    expectPeriods(sheet.СумСтандВыч, {1'400, 2'800, 2'800});
    EXPECT_EQ(sheet.YearIncome, rub(100'018.25L));
    EXPECT_EQ(sheet.YearProfDeduction, rub(1'003.99L));
    EXPECT_EQ(sheet.YearOtherDeductions, rub(3'996.01L));
    EXPECT_EQ(sheet.YearBase, rub(95'018.25L));
    EXPECT_EQ(sheet.YearTax, rub(12'352));
}

// Through the whole computation: the business income sheet, section-2 sheet "07" and the
// advance payments, for a resident without other deductions.
TEST(BusinessAdvancesSheet, FollowsTheBusinessIncomeThroughTheSummary)
{
    mTDeclaration decl;
    decl.SetIncomeKinds(IncomeKindBusiness);
    mTBusinessNew& activity = *decl.GetBusiness(decl.AddBusiness());
    activity.ActivityKind = "1";
    activity.IncomeSum = rub(1'000'000);
    activity.ExpenseSum = rub(200'000);
    activity.QuarterIncome.fill(rub(250'000));
    activity.QuarterExpense.fill(rub(50'000));

    auto svod = std::make_unique<kTSvodSum>();
    svod->Calculate(decl);
    const kTSvodSumPrilV1Dop& sheet = svod->PrilV1Dop;
    expectPeriods(sheet.НалБазаИсч, {200'000, 400'000, 600'000});
    expectPeriods(sheet.СумИсчАванс, {26'000, 52'000, 78'000});
    EXPECT_EQ(sheet.YearOtherDeductions, Currency());
    EXPECT_EQ(sheet.YearBase, rub(800'000));
    EXPECT_EQ(sheet.YearTax, rub(104'000));
    EXPECT_EQ(sheet.YearTax, svod->Razd2Sheet(7).Исчисл);
}

// An entrepreneur without documented expenses, with quarterly income of 300 000, 500 000,
// 400 000 and 800 000. The deduction is 20 % of each period's income from 1 January:
// 60 000, 160 000 and 240 000, and 400 000 for the year. The bases are 240 000, 640 000 and
// 960 000, the advance payments 13 % of them: 31 200, 83 200 and 124 800; the year's base is
// 1 600 000 and its tax 208 000. Whether the dialog stored the norm in the quarterly expenses,
// nothing was stored, or the same expenses were documented, the sheets are the same.
TEST(BusinessAdvancesSheet, UndocumentedExpensesAreTheNormInEveryPeriod)
{
    struct Case {
        const char* name;
        bool documented;
        std::array<long double, 4> storedQuarterExpense;
        long double storedExpense;
    };
    const Case cases[] = {
        {"norm stored by the dialog", false, {60'000, 100'000, 80'000, 160'000}, 400'000},
        {"nothing stored", false, {}, 0},
        {"something else stored", false, {1'000, 0, 300'000, 0}, 5},
        {"the same expenses documented", true, {60'000, 100'000, 80'000, 160'000}, 400'000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        mTDeclaration decl;
        decl.SetIncomeKinds(IncomeKindBusiness);
        mTBusinessNew& activity = *decl.GetBusiness(decl.AddBusiness());
        activity.ActivityKind = "1";
        activity.ExpensesConfirmed = c.documented ? 1 : 0;
        activity.IncomeSum = rub(2'000'000);
        activity.ExpenseSum = rub(c.storedExpense);
        activity.QuarterIncome = {rub(300'000), rub(500'000), rub(400'000), rub(800'000)};
        for (int q = 0; q < 4; ++q)
            activity.QuarterExpense[std::size_t(q)] = rub(c.storedQuarterExpense[std::size_t(q)]);

        auto svod = std::make_unique<kTSvodSum>();
        svod->Calculate(decl);
        const kTSvodSumRazd2& business = svod->Razd2Sheet(7);
        EXPECT_EQ(svod->PrilV1.ВычПрофИт, rub(400'000));
        EXPECT_EQ(business.СумНалВыч, rub(400'000));
        EXPECT_EQ(business.НалБаза, rub(1'600'000));
        EXPECT_EQ(business.Исчисл, rub(208'000));

        const kTSvodSumPrilV1Dop& sheet = svod->PrilV1Dop;
        expectPeriods(sheet.СумПолДох, {300'000, 800'000, 1'200'000});
        expectPeriods(sheet.СумПрофВыч, {60'000, 160'000, 240'000});
        expectPeriods(sheet.СумСтандВыч, {0, 0, 0});
        expectPeriods(sheet.НалБазаИсч, {240'000, 640'000, 960'000});
        expectPeriods(sheet.СумИсчАванс, {31'200, 83'200, 124'800});
        EXPECT_EQ(sheet.YearIncome, rub(2'000'000));
        EXPECT_EQ(sheet.YearProfDeduction, rub(400'000));
        EXPECT_EQ(sheet.YearOtherDeductions, Currency());
        EXPECT_EQ(sheet.YearBase, rub(1'600'000));
        EXPECT_EQ(sheet.YearTax, rub(208'000));
    }
}

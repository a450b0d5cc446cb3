#include "computation/BusinessIncome.h"

#include <gtest/gtest.h>

#include <array>
#include <memory>

#include "CurrencyPrinting.h"
#include "model/Declaration.h"

namespace {

mTBusinessNew& addActivity(mTDeclaration& decl, long double income, long double expense,
                           std::array<long double, 4> quarterIncome = {},
                           std::array<long double, 4> quarterExpense = {})
{
    mTBusinessNew& activity = *decl.GetBusiness(decl.AddBusiness());
    activity.ActivityKind = "1";
    activity.IncomeSum = roubles(income);
    activity.ExpenseSum = roubles(expense);
    for (int q = 0; q < 4; ++q) {
        activity.QuarterIncome[q] = roubles(quarterIncome[q]);
        activity.QuarterExpense[q] = roubles(quarterExpense[q]);
    }
    return activity;
}

} // namespace

TEST(BusinessIncomeSheet, AddsUpTheActivitiesByYearAndQuarter)
{
    mTDeclaration decl;
    decl.SetIncomeKinds(IncomeKindBusiness);
    decl.ActualAdvancePayments = roubles(12'000);
    addActivity(decl, 1'000'000, 300'000, {100'000, 200'000, 300'000, 400'000}, {10'000, 20'000, 30'000, 240'000});
    addActivity(decl, 500'000.50L, 100'000, {1, 2, 3, 500'000.50L - 6}, {0, 0, 0, 100'000});

    kTSvodSumPrilV1 sheet;
    EXPECT_TRUE(sheet.Calculate(decl));
    EXPECT_EQ(sheet.ДоходИт, roubles(1'500'000.50L));
    EXPECT_EQ(sheet.ВычПрофИт, roubles(400'000));
    EXPECT_EQ(sheet.УплФактАвИт, roubles(12'000));
    EXPECT_EQ(sheet.IncomeQ1, roubles(100'001));
    EXPECT_EQ(sheet.IncomeQ2, roubles(200'002));
    EXPECT_EQ(sheet.IncomeQ3, roubles(300'003));
    EXPECT_EQ(sheet.IncomeQ4, roubles(899'994.50L));
    EXPECT_EQ(sheet.ExpenseQ1, roubles(10'000));
    EXPECT_EQ(sheet.ExpenseQ2, roubles(20'000));
    EXPECT_EQ(sheet.ExpenseQ3, roubles(30'000));
    EXPECT_EQ(sheet.ExpenseQ4, roubles(340'000));
}

TEST(BusinessIncomeSheet, ExpensesAboveIncomeAreCutToTheIncomeButNotByQuarter)
{
    mTDeclaration decl;
    decl.SetIncomeKinds(IncomeKindBusiness);
    addActivity(decl, 100'000, 250'000, {100'000, 0, 0, 0}, {250'000, 0, 0, 0});

    kTSvodSumPrilV1 sheet;
    sheet.Calculate(decl);
    EXPECT_EQ(sheet.ВычПрофИт, sheet.ДоходИт);
    EXPECT_EQ(sheet.ВычПрофИт, roubles(100'000));
    EXPECT_EQ(sheet.ExpenseQ1, roubles(250'000));
}

// Without documented expenses the deduction is 20 % of the year's income of the activity,
// computed on the total, whatever the record holds: typed quarter by quarter, 1 000.03 in each
// of two quarters, the quarters' norms add up to 400.02 but the year's norm is 400.01.
TEST(BusinessIncomeSheet, UndocumentedExpensesAreTheNormOfTheYearsIncome)
{
    const struct {
        const char* name;
        long double income;
        long double storedExpense;
        long double deduction;
    } cases[] = {
        {"norm on the total, not the sum of quarterly norms", 2'000.06L, 400.02L, 400.01L},
        {"half a kopeck rounds up", 0.025L, 0, 0.01L},
        {"stored expense ignored", 1'000'000, 900'000, 200'000},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        mTDeclaration decl;
        decl.SetIncomeKinds(IncomeKindBusiness);
        addActivity(decl, c.income, c.storedExpense).ExpensesConfirmed = 0;
        kTSvodSumPrilV1 sheet;
        sheet.Calculate(decl);
        EXPECT_EQ(sheet.ВычПрофИт, roubles(c.deduction));
    }
}

TEST(BusinessIncomeSheet, UndocumentedNormSurvivesSavingAndLoading)
{
    mTDeclaration decl;
    decl.SetIncomeKinds(IncomeKindBusiness);
    addActivity(decl, 2'000.06L, 400.02L).ExpensesConfirmed = 0;
    const std::string fileName = testing::TempDir() + "bizsheets_norm.fv1";
    decl.SaveToFile(fileName);
    mTDeclaration loaded;
    loaded.LoadFromFile(fileName);

    kTSvodSumPrilV1 sheet;
    sheet.Calculate(loaded);
    EXPECT_EQ(sheet.ВычПрофИт, roubles(400.01L));
}

TEST(BusinessIncomeSheet, WithoutBusinessIncomePatentAndTradeLevyAreReset)
{
    mTDeclaration decl;
    decl.SetIncomeKinds(IncomeKindSources);
    decl.PatentPayments = roubles(30'000);
    decl.TradeLevy = roubles(5'000);
    decl.ActualAdvancePayments = roubles(1'000);

    kTSvodSumPrilV1 sheet;
    EXPECT_TRUE(sheet.Calculate(decl));
    EXPECT_EQ(decl.PatentPayments, Currency());
    EXPECT_EQ(decl.TradeLevy, Currency());
    EXPECT_EQ(sheet.ДоходИт, Currency());
    EXPECT_EQ(sheet.УплФактАвИт, Currency());
}

TEST(BusinessIncomeSheet, WithBusinessIncomePatentAndTradeLevyStay)
{
    mTDeclaration decl;
    decl.SetIncomeKinds(IncomeKindBusiness);
    decl.PatentPayments = roubles(30'000);
    decl.TradeLevy = roubles(5'000);

    kTSvodSumPrilV1 sheet;
    sheet.Calculate(decl);
    EXPECT_EQ(decl.PatentPayments, roubles(30'000));
    EXPECT_EQ(decl.TradeLevy, roubles(5'000));
}

namespace {

struct DeductionLine {
    std::int32_t incomeCode;
    long double amount;
    std::int32_t deductionCode;
    long double deduction;
};

std::unique_ptr<mTIncome> incomeLine(const DeductionLine& values)
{
    auto line = std::make_unique<mTIncome>();
    line->IncomeCode = values.incomeCode;
    line->Amount = roubles(values.amount);
    line->DeductionCode = values.deductionCode;
    line->Deduction = roubles(values.deduction);
    return line;
}

struct ProfessionalCase {
    const char* name;
    DeductionLine line;
    long double civilContract;
    long double authorActual;
    long double authorNorm;
};

const ProfessionalCase ProfessionalCases[] = {
    {"civil-law contract up to its income", {2010, 50'000, 403, 60'000}, 50'000, 0, 0},
    {"civil-law contract below its income", {2010, 50'000, 403, 20'000}, 20'000, 0, 0},
    {"civil-law contract under an author's code", {2010, 50'000, 404, 20'000}, 0, 0, 0},
    {"author's fee, actual expenses", {2201, 10'000, 404, 3'000}, 0, 3'000, 0},
    {"author's fee within the norm", {2209, 10'000, 405, 2'000}, 0, 0, 2'000},
    {"code beyond the author's fees", {2210, 10'000, 405, 2'000}, 0, 0, 0},
    {"author's fee under the contract code", {2205, 10'000, 403, 2'000}, 0, 0, 0},
};

} // namespace

TEST(ProfessionalDeductionSheets, CountEachLineUnderItsCodeUpToItsIncome)
{
    for (const ProfessionalCase& c : ProfessionalCases) {
        SCOPED_TRACE(c.name);
        for (bool rate15 : {false, true}) {
            mTDeclaration decl;
            decl.SetIncomeKinds(IncomeKindSources | IncomeKindForeign);
            mbTSourse& source = *decl.GetSource(decl.AddSource());
            if (rate15)
                source.AddIncome15(incomeLine(c.line));
            else
                source.AddIncome13(incomeLine(c.line));

            kTSvodSumPril3 russian;
            EXPECT_TRUE(russian.Calculate(decl));
            EXPECT_EQ(russian.РасхФактДогГПХ, roubles(c.civilContract));
            EXPECT_EQ(russian.РасхФактАвтВозн, roubles(c.authorActual));
            EXPECT_EQ(russian.РасхНормАвтВозн, roubles(c.authorNorm));
            EXPECT_EQ(russian.ОбщРасхВыч, roubles(c.civilContract + c.authorActual + c.authorNorm));
        }

        mTDeclaration decl;
        decl.SetIncomeKinds(IncomeKindForeign);
        mTCurrencyIncome& income = *decl.GetCurrencyIncome(decl.AddCurrencyIncome());
        income.IncomeCode = c.line.incomeCode;
        income.IncomeRoubles = roubles(c.line.amount);
        income.DeductionCode = c.line.deductionCode;
        income.DeductionSum = roubles(c.line.deduction);
        kTSvodSumPril3_In foreign;
        EXPECT_TRUE(foreign.Calculate(decl));
        EXPECT_EQ(foreign.РасхФактДогГПХ, roubles(c.civilContract));
        EXPECT_EQ(foreign.РасхФактАвтВозн, roubles(c.authorActual));
        EXPECT_EQ(foreign.РасхНормАвтВозн, roubles(c.authorNorm));
        EXPECT_EQ(foreign.ОбщРасхВыч, roubles(c.civilContract + c.authorActual + c.authorNorm));
    }
}

TEST(ProfessionalDeductionSheets, RussianIncomeCountsOnlyResidentsLinesAt13And15Percent)
{
    mTDeclaration decl;
    decl.SetIncomeKinds(IncomeKindSources);
    for (int i = 0; i < 2; ++i) {
        mbTSourse& source = *decl.GetSource(decl.AddSource());
        source.AddIncome13(incomeLine({2010, 10'000, 403, 1'000}));
        source.AddIncome15(incomeLine({2201, 10'000, 404, 2'000}));
        source.AddIncome99(incomeLine({2010, 10'000, 403, 4'000}));
    }

    kTSvodSumPril3 sheet;
    sheet.Calculate(decl);
    EXPECT_EQ(sheet.РасхФактДогГПХ, roubles(2'000));
    EXPECT_EQ(sheet.РасхФактАвтВозн, roubles(4'000));
    EXPECT_EQ(sheet.ОбщРасхВыч, roubles(6'000));

    decl.DeclarationType = DeclarationNonResident;
    sheet.Calculate(decl);
    EXPECT_EQ(sheet.ОбщРасхВыч, Currency());
}

TEST(ProfessionalDeductionSheets, ForeignIncomeCountsForEveryDeclarationTypeWhileDeclared)
{
    mTDeclaration decl;
    decl.SetIncomeKinds(IncomeKindForeign);
    decl.DeclarationType = DeclarationNonResident;
    mTCurrencyIncome& income = *decl.GetCurrencyIncome(decl.AddCurrencyIncome());
    income.IncomeCode = 2010;
    income.IncomeRoubles = roubles(10'000);
    income.DeductionCode = 403;
    income.DeductionSum = roubles(1'000);

    kTSvodSumPril3_In sheet;
    sheet.Calculate(decl);
    EXPECT_EQ(sheet.ОбщРасхВыч, roubles(1'000));

    auto stored = std::make_unique<mTCurrencyIncome>(income);
    decl.SetIncomeKinds(IncomeKindSources);
    decl.CurrencyIncomes.add(std::move(stored));
    sheet.Calculate(decl);
    EXPECT_EQ(sheet.ОбщРасхВыч, Currency());
}

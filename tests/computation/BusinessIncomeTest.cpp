#include "computation/BusinessIncome.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <memory>

#include "ComputationTestSupport.h"
#include "CurrencyPrinting.h"
#include "model/Declaration.h"

namespace {

mTBusinessNew& addActivity(mTDeclaration& decl, long double income, long double expense,
                           std::array<long double, 4> quarterIncome = {},
                           std::array<long double, 4> quarterExpense = {})
{
    mTBusinessNew& activity = *decl.GetBusiness(decl.AddBusiness());
    activity.ActivityKind = "1";
    activity.IncomeSum = rub(income);
    activity.ExpenseSum = rub(expense);
    for (int q = 0; q < 4; ++q) {
        activity.QuarterIncome[q] = rub(quarterIncome[q]);
        activity.QuarterExpense[q] = rub(quarterExpense[q]);
    }
    return activity;
}

} // namespace

TEST(BusinessIncomeSheet, AddsUpTheActivitiesByYearAndQuarter)
{
    mTDeclaration decl;
    decl.SetIncomeKinds(IncomeKindBusiness);
    decl.ActualAdvancePayments = rub(12'000);
    addActivity(decl, 1'000'000, 300'000, {100'000, 200'000, 300'000, 400'000}, {10'000, 20'000, 30'000, 240'000});
    addActivity(decl, 500'000.50L, 100'000, {1, 2, 3, 500'000.50L - 6}, {0, 0, 0, 100'000});

    kTSvodSumPrilV1 sheet;
    EXPECT_TRUE(sheet.Calculate(decl));
    EXPECT_EQ(sheet.ДоходИт, rub(1'500'000.50L));
    EXPECT_EQ(sheet.ВычПрофИт, rub(400'000));
    EXPECT_EQ(sheet.УплФактАвИт, rub(12'000));
    EXPECT_EQ(sheet.IncomeQ1, rub(100'001));
    EXPECT_EQ(sheet.IncomeQ2, rub(200'002));
    EXPECT_EQ(sheet.IncomeQ3, rub(300'003));
    EXPECT_EQ(sheet.IncomeQ4, rub(899'994.50L));
    EXPECT_EQ(sheet.ExpenseQ1, rub(10'000));
    EXPECT_EQ(sheet.ExpenseQ2, rub(20'000));
    EXPECT_EQ(sheet.ExpenseQ3, rub(30'000));
    EXPECT_EQ(sheet.ExpenseQ4, rub(340'000));
}

TEST(BusinessIncomeSheet, ExpensesAboveIncomeAreCutToTheIncomeButNotByQuarter)
{
    mTDeclaration decl;
    decl.SetIncomeKinds(IncomeKindBusiness);
    addActivity(decl, 100'000, 250'000, {100'000, 0, 0, 0}, {250'000, 0, 0, 0});

    kTSvodSumPrilV1 sheet;
    sheet.Calculate(decl);
    EXPECT_EQ(sheet.ВычПрофИт, sheet.ДоходИт);
    EXPECT_EQ(sheet.ВычПрофИт, rub(100'000));
    EXPECT_EQ(sheet.ExpenseQ1, rub(250'000));
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
        EXPECT_EQ(sheet.ВычПрофИт, rub(c.deduction));
    }
}

// Without documented expenses each period from 1 January takes the norm of its own income, as
// the year does, and the quarters carry what the norm grows by over them, whatever expenses the
// record holds by quarter.
TEST(BusinessIncomeSheet, UndocumentedExpensesAreTheNormInEveryPeriod)
{
    struct Case {
        const char* name;
        std::array<long double, 4> quarterIncome;
        std::array<long double, 4> storedQuarterExpense;
        std::array<long double, 4> periodDeduction; // first quarter, half-year, nine months, year
        std::array<long double, 4> quarterDeduction;
    };
    const Case cases[] = {
        {"whole roubles", {300'000, 500'000, 400'000, 800'000}, {}, {60'000, 160'000, 240'000, 400'000},
         {60'000, 100'000, 80'000, 160'000}},
        {"stored quarterly expenses ignored", {300'000, 500'000, 400'000, 800'000}, {1, 2, 3, 4},
         {60'000, 160'000, 240'000, 400'000}, {60'000, 100'000, 80'000, 160'000}},
        // 200.006 rounds up to 200.01 for the first quarter; the half-year's 400.012 down to
        // 400.01, so the second quarter carries 200.00 and the year stays at 400.01.
        {"the norm of a period on its income as a whole", {1'000.03L, 1'000.03L, 0, 0}, {},
         {200.01L, 400.01L, 400.01L, 400.01L}, {200.01L, 200, 0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        long double yearIncome = 0;
        for (long double income : c.quarterIncome)
            yearIncome += income;
        mTDeclaration decl;
        decl.SetIncomeKinds(IncomeKindBusiness);
        mTBusinessNew& activity = addActivity(decl, yearIncome, 0, c.quarterIncome, c.storedQuarterExpense);
        activity.ExpensesConfirmed = 0;

        const BusinessPeriod periods[] = {BusinessPeriod::FirstQuarter, BusinessPeriod::HalfYear,
                                          BusinessPeriod::NineMonths, BusinessPeriod::Year};
        for (int p = 0; p < 4; ++p)
            EXPECT_EQ(ProfessionalDeduction(activity, periods[p]), rub(c.periodDeduction[std::size_t(p)])) << p;

        kTSvodSumPrilV1 sheet;
        sheet.Calculate(decl);
        EXPECT_EQ(sheet.ВычПрофИт, rub(c.periodDeduction[3]));
        EXPECT_EQ(sheet.ExpenseQ1, rub(c.quarterDeduction[0]));
        EXPECT_EQ(sheet.ExpenseQ2, rub(c.quarterDeduction[1]));
        EXPECT_EQ(sheet.ExpenseQ3, rub(c.quarterDeduction[2]));
        EXPECT_EQ(sheet.ExpenseQ4, rub(c.quarterDeduction[3]));
    }
}

// Documented expenses are taken as stored: by quarter for the periods, the total for the year.
TEST(BusinessIncomeSheet, DocumentedExpensesOfThePeriodsAreThoseStored)
{
    mTDeclaration decl;
    decl.SetIncomeKinds(IncomeKindBusiness);
    const mTBusinessNew& activity =
        addActivity(decl, 1'000'000, 300'000, {100'000, 200'000, 300'000, 400'000}, {10'000, 20'000, 30'000, 240'000});
    EXPECT_EQ(ProfessionalDeduction(activity, BusinessPeriod::FirstQuarter), rub(10'000));
    EXPECT_EQ(ProfessionalDeduction(activity, BusinessPeriod::HalfYear), rub(30'000));
    EXPECT_EQ(ProfessionalDeduction(activity, BusinessPeriod::NineMonths), rub(60'000));
    EXPECT_EQ(ProfessionalDeduction(activity, BusinessPeriod::Year), rub(300'000));
}

// Only entrepreneurs and heads of a farm household may take the norm: a notary, a lawyer and the
// other kinds deduct the expenses they document, even where the record says none are.
TEST(BusinessIncomeSheet, OnlyEntrepreneursAndFarmHeadsTakeTheNorm)
{
    const struct {
        const char* kind;
        long double deduction;
    } cases[] = {{"1", 200'000}, {"5", 200'000}, {"2", 300'000}, {"3", 300'000}, {"9", 300'000}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("activity kind ") + c.kind);
        mTDeclaration decl;
        decl.SetIncomeKinds(IncomeKindBusiness);
        mTBusinessNew& activity = addActivity(decl, 1'000'000, 300'000);
        activity.ActivityKind = c.kind;
        activity.ExpensesConfirmed = 0;
        EXPECT_EQ(ProfessionalDeduction(activity, BusinessPeriod::Year), rub(c.deduction));
    }
}

// The quarters add up to the year's deduction: the fourth quarter takes what the year's total
// leaves after the first three, 350 000 - 60 000 = 290 000, though 240 000 were typed for it.
TEST(BusinessIncomeSheet, TheQuartersAddUpToTheYearsDeduction)
{
    mTDeclaration decl;
    decl.SetIncomeKinds(IncomeKindBusiness);
    addActivity(decl, 1'000'000, 350'000, {100'000, 200'000, 300'000, 400'000}, {10'000, 20'000, 30'000, 240'000});
    kTSvodSumPrilV1 sheet;
    sheet.Calculate(decl);
    EXPECT_EQ(sheet.ВычПрофИт, rub(350'000));
    EXPECT_EQ(sheet.ExpenseQ1, rub(10'000));
    EXPECT_EQ(sheet.ExpenseQ2, rub(20'000));
    EXPECT_EQ(sheet.ExpenseQ3, rub(30'000));
    EXPECT_EQ(sheet.ExpenseQ4, rub(290'000));
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
    EXPECT_EQ(sheet.ВычПрофИт, rub(400.01L));
}

TEST(BusinessIncomeSheet, WithoutBusinessIncomePatentAndTradeLevyAreReset)
{
    mTDeclaration decl;
    decl.SetIncomeKinds(IncomeKindSources);
    decl.PatentPayments = rub(30'000);
    decl.TradeLevy = rub(5'000);
    decl.ActualAdvancePayments = rub(1'000);

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
    decl.PatentPayments = rub(30'000);
    decl.TradeLevy = rub(5'000);

    kTSvodSumPrilV1 sheet;
    sheet.Calculate(decl);
    EXPECT_EQ(decl.PatentPayments, rub(30'000));
    EXPECT_EQ(decl.TradeLevy, rub(5'000));
}

namespace {

struct ProfessionalCase {
    const char* name;
    LineFigures line;
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

void expectDeductions(const ProfessionalDeductions& sheet, const ProfessionalCase& c)
{
    EXPECT_EQ(sheet.РасхФактДогГПХ, rub(c.civilContract));
    EXPECT_EQ(sheet.РасхФактАвтВозн, rub(c.authorActual));
    EXPECT_EQ(sheet.РасхНормАвтВозн, rub(c.authorNorm));
    EXPECT_EQ(sheet.ОбщРасхВыч, rub(c.civilContract + c.authorActual + c.authorNorm));
}

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
            expectDeductions(russian, c);
        }

        mTDeclaration decl;
        decl.SetIncomeKinds(IncomeKindForeign);
        mTCurrencyIncome& income = *decl.GetCurrencyIncome(decl.AddCurrencyIncome());
        income.IncomeCode = c.line.incomeCode;
        income.IncomeRoubles = rub(c.line.amount);
        income.DeductionCode = c.line.deductionCode;
        income.DeductionSum = rub(c.line.deduction);
        kTSvodSumPril3_In foreign;
        EXPECT_TRUE(foreign.Calculate(decl));
        expectDeductions(foreign, c);
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
    EXPECT_EQ(sheet.РасхФактДогГПХ, rub(2'000));
    EXPECT_EQ(sheet.РасхФактАвтВозн, rub(4'000));
    EXPECT_EQ(sheet.ОбщРасхВыч, rub(6'000));

    decl.DeclarationType = DeclarationNonResident;
    sheet.Calculate(decl);
    EXPECT_EQ(sheet.ОбщРасхВыч, Currency());
}

// A non-resident is taxed on income from Russian sources only: the expenses of foreign income
// count in a resident's declarations alone, and only while foreign income is declared.
TEST(ProfessionalDeductionSheets, ForeignIncomeCountsForAResidentWhileDeclared)
{
    const struct {
        std::uint8_t type;
        Currency expenses;
    } cases[] = {
        {DeclarationOrdinary, rub(1'000)},
        {DeclarationClosingBusiness, rub(1'000)},
        {DeclarationNonResident, Currency()},
    };
    for (const auto& [type, expenses] : cases) {
        mTDeclaration decl;
        decl.SetIncomeKinds(IncomeKindForeign);
        decl.DeclarationType = type;
        mTCurrencyIncome& income = *decl.GetCurrencyIncome(decl.AddCurrencyIncome());
        income.IncomeCode = 2010;
        income.IncomeRoubles = rub(10'000);
        income.DeductionCode = 403;
        income.DeductionSum = rub(1'000);

        kTSvodSumPril3_In sheet;
        sheet.Calculate(decl);
        EXPECT_EQ(sheet.ОбщРасхВыч, expenses) << "declaration type " << int(type);

        auto stored = std::make_unique<mTCurrencyIncome>(income);
        decl.SetIncomeKinds(IncomeKindSources);
        decl.CurrencyIncomes.add(std::move(stored));
        sheet.Calculate(decl);
        EXPECT_EQ(sheet.ОбщРасхВыч, Currency()) << "declaration type " << int(type);
    }
}

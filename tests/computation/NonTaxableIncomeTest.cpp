#include "computation/NonTaxableIncome.h"

#include <gtest/gtest.h>

#include <vector>

#include "ComputationTestSupport.h"

namespace {

struct Line {
    std::int32_t incomeCode;
    long double amount;
    std::int32_t deductionCode;
    long double deduction;
};

kTSvodSumPril4 calculatedFrom13(const std::vector<Line>& lines)
{
    mTDeclaration decl;
    mbTSourse& payer = addPayer(decl);
    for (const Line& line : lines)
        payer.AddIncome13(incomeLine(line.incomeCode, rub(line.amount), line.deductionCode, rub(line.deduction)));
    kTSvodSumPril4 sheet;
    EXPECT_TRUE(sheet.Calculate(decl));
    return sheet;
}

// The 4 000 a year of exempt gifts is for gifts of organisations and entrepreneurs only; a
// gift of an individual gets nothing from it, whatever deduction its line carries.
TEST(NonTaxableIncome, OnlyGiftsOfOrganisationsAreExemptUpTo4000)
{
    struct Case {
        const char* name;
        std::vector<Line> lines;
        Currency gifts;
    };
    const Case cases[] = {
        {"3 000 and a gift of an individual", {{2720, 3'000, 501, 0}, {2721, 2'500, 501, 0}}, rub(3'000)},
        {"above the limit", {{2720, 5'000, 501, 0}, {2721, 1'000, 501, 0}}, rub(4'000)},
        {"a gift of an individual alone", {{2721, 4'500, 501, 0}}, rub(0)},
        {"below the limit", {{2720, 500.5, 501, 0}}, rub(500.5)},
        {"another deduction code", {{2720, 3'000, 502, 0}}, rub(0)},
    };
    for (const Case& c : cases) {
        const kTSvodSumPril4 sheet = calculatedFrom13(c.lines);
        EXPECT_EQ(sheet.СтоимПодар, c.gifts) << c.name;
        EXPECT_EQ(sheet.NonTaxableKind17, c.gifts) << c.name;
        EXPECT_EQ(sheet.NonTaxableKind10, Currency()) << c.name;
    }
}

TEST(NonTaxableIncome, EachExemptionHasItsLimit)
{
    using Field = Currency kTSvodSumPril4::*;
    struct Case {
        const char* name;
        Line line;
        Field field;
        Currency exempt;
    };
    const Case cases[] = {
        {"lottery at the limit", {3011, 4'000, 511, 0}, &kTSvodSumPril4::ВыигрЛотер, rub(4'000)},
        {"lottery above the limit", {3011, 4'000.01, 511, 0}, &kTSvodSumPril4::ВыигрЛотер, rub(4'000)},
        {"prize", {2730, 9'000, 502, 0}, &kTSvodSumPril4::СтоимПриз, rub(4'000)},
        {"material aid of the employer", {2760, 3'999.99, 503, 0}, &kTSvodSumPril4::МатПомРаб, rub(3'999.99)},
        {"medicines", {2770, 5'000, 504, 0}, &kTSvodSumPril4::ВозмМед, rub(4'000)},
        {"aid to the disabled", {2761, 5'000, 506, 0}, &kTSvodSumPril4::МатПомИнв, rub(4'000)},
        {"aid to pupils", {2763, 5'000, 512, 0}, &kTSvodSumPril4::МатПомОбр, rub(4'000)},
        {"aid of veterans", {2790, 15'000, 507, 0}, &kTSvodSumPril4::ПомПодар, rub(10'000)},
        {"pension contributions", {1211, 20'000, 510, 0}, &kTSvodSumPril4::ДопСВПенс, rub(12'000)},
        {"aid at a birth counts the deduction", {2762, 100'000, 508, 30'000}, &kTSvodSumPril4::МатПомРожд,
         rub(30'000)},
        {"aid at a birth at the limit of a child", {2762, 100'000, 508, 50'000}, &kTSvodSumPril4::МатПомРожд,
         rub(50'000)},
        {"aid at a birth above the limit of a child", {2762, 100'000, 508, 60'000}, &kTSvodSumPril4::МатПомРожд,
         rub(50'000)},
        {"other exempt income, unlimited", {2799, 100'000, 599, 0}, &kTSvodSumPril4::ДоходИн, rub(100'000)},
        {"advertising prize on a 13 % line", {2740, 10'000, 505, 10'000}, &kTSvodSumPril4::ПризРекл, rub(0)},
    };
    for (const Case& c : cases) {
        const kTSvodSumPril4 sheet = calculatedFrom13({c.line});
        EXPECT_EQ(sheet.*c.field, c.exempt) << c.name;
        EXPECT_EQ(sheet.ДохНеНалОбщ, c.exempt) << c.name;
    }
}

// Each line of aid at a birth stands for one child, with a limit of its own, from whatever
// employer and in whatever list.
TEST(NonTaxableIncome, AidAtBirthIsLimitedForEachChild)
{
    struct Case {
        const char* name;
        std::vector<Line> lines;
        Currency exempt;
    };
    const Case cases[] = {
        {"two children, 60 000 each", {{2762, 60'000, 508, 60'000}, {2762, 60'000, 508, 60'000}}, rub(100'000)},
        {"two children, 50 000 and 20 000", {{2762, 50'000, 508, 50'000}, {2762, 20'000, 508, 20'000}},
         rub(70'000)},
        {"another deduction code", {{2762, 60'000, 503, 60'000}}, rub(0)},
    };
    for (const Case& c : cases) {
        const kTSvodSumPril4 sheet = calculatedFrom13(c.lines);
        EXPECT_EQ(sheet.МатПомРожд, c.exempt) << c.name;
        EXPECT_EQ(sheet.NonTaxableKind10, c.exempt) << c.name;
    }

    mTDeclaration decl;
    mbTSourse& payer = addPayer(decl);
    payer.AddIncome15(incomeLine(2762, rub(80'000), 508, rub(80'000)));
    decl.SetIncomeKinds(decl.IncomeKinds() | IncomeKindForeign);
    mTCurrencyIncome& foreign = *decl.GetCurrencyIncome(decl.AddCurrencyIncome());
    foreign.IncomeCode = 2762;
    foreign.DeductionCode = 508;
    foreign.IncomeRoubles = rub(70'000);
    foreign.DeductionSum = rub(70'000);
    kTSvodSumPril4 sheet;
    sheet.Calculate(decl);
    EXPECT_EQ(sheet.МатПомРожд, rub(100'000)) << "a 15 % line and a foreign income";
}

TEST(NonTaxableIncome, SumsOfTheSection2Kinds)
{
    mTDeclaration decl;
    mbTSourse& payer = addPayer(decl);
    payer.AddIncome13(incomeLine(3010, rub(50'000), 280, rub(20'000)));
    payer.AddIncome13(incomeLine(3011, rub(5'000), 511));
    payer.AddIncome13(incomeLine(6014, rub(9'000), 914, rub(7'000)));
    payer.AddIncome15(incomeLine(6015, rub(8'000), 915, rub(6'000)));
    payer.AddIncome13(incomeLine(2799, rub(1'000), 599));
    payer.AddIncome13(incomeLine(2760, rub(2'000), 503));
    payer.AddIncome13(incomeLine(2721, rub(500), 501)); // a gift of an individual: nothing
    payer.AddIncome13(incomeLine(2720, rub(700), 501));
    payer.AddIncome99(incomeLine(2740, rub(9'000), 505, rub(3'000)));
    payer.AddIncome99(incomeLine(2740, rub(9'000), 0, rub(5'000))); // no deduction code: nothing
    payer.AddIncome99(incomeLine(6014, rub(9'000), 914, rub(9'000))); // not among other rates
    kTSvodSumPril4 sheet;
    sheet.Calculate(decl);

    EXPECT_EQ(sheet.NonTaxableKind2, rub(24'000));   // 20 000 + lottery 4 000
    EXPECT_EQ(sheet.NonTaxableKind14, rub(7'000));
    EXPECT_EQ(sheet.NonTaxableKind15, rub(6'000));
    EXPECT_EQ(sheet.NonTaxableKind10, rub(3'000));   // 1 000 + 2 000
    EXPECT_EQ(sheet.NonTaxableKind17, rub(700));
    EXPECT_EQ(sheet.NonTaxableKind19, rub(3'000));
    EXPECT_EQ(sheet.NonTaxableKinds10_14_17, rub(10'700));
    EXPECT_EQ(sheet.ДоходИн, rub(34'000));           // 20 000 + 7 000 + 6 000 + 1 000
    EXPECT_EQ(sheet.NonTaxableExceptAdPrizes, rub(40'700)); // 34 000 + 4 000 + 2 000 + 700
    EXPECT_EQ(sheet.NonTaxableAdPrizes, rub(3'000));
    EXPECT_EQ(sheet.ДохНеНалОбщ, rub(43'700));
}

TEST(NonTaxableIncome, ForeignIncomesCountOnlyWithTheirKindOn)
{
    mTDeclaration decl;
    decl.SetIncomeKinds(IncomeKindForeign);
    auto addForeign = [&decl](std::int32_t incomeCode, long double roubles, std::int32_t deductionCode,
                              long double deduction) {
        mTCurrencyIncome& income = *decl.GetCurrencyIncome(decl.AddCurrencyIncome());
        income.IncomeCode = incomeCode;
        income.IncomeRoubles = rub(roubles);
        income.DeductionCode = deductionCode;
        income.DeductionSum = rub(deduction);
    };
    addForeign(2799, 1'500, 0, 0);        // any deduction code
    addForeign(2740, 6'000, 505, 0);      // the income counts, capped
    addForeign(3010, 9'000, 0, 2'000);    // the deduction counts
    addForeign(2720, 3'000, 501, 0);
    kTSvodSumPril4 sheet;
    sheet.Calculate(decl);
    EXPECT_EQ(sheet.NonTaxableKind10, rub(1'500));
    EXPECT_EQ(sheet.ПризРекл, rub(4'000));
    EXPECT_EQ(sheet.NonTaxableKind2, rub(2'000));
    EXPECT_EQ(sheet.СтоимПодар, rub(3'000));

    // With the kind switched off a foreign income put into the list past the add operation
    // (which would switch the kind on) is not read.
    decl.SetIncomeKinds(IncomeKindSources);
    auto held = std::make_unique<mTCurrencyIncome>();
    held->IncomeCode = 2799;
    held->IncomeRoubles = rub(1'500);
    decl.CurrencyIncomes.add(std::move(held));
    sheet.Calculate(decl);
    EXPECT_EQ(sheet.ДохНеНалОбщ, rub(0));
}

TEST(NonTaxableIncome, ProfitTaxOfThePayerCountsOncePerList)
{
    struct Case {
        const char* name;
        std::uint8_t declarationType;
        Currency fixedAdvances, fixedAdvancesNonResident;
    };
    const Case cases[] = {
        {"resident", DeclarationOrdinary, rub(1'500), rub(0)},
        {"non-resident", DeclarationNonResident, rub(1'000), rub(500)},
    };
    for (const Case& c : cases) {
        mTDeclaration decl;
        decl.DeclarationType = c.declarationType;
        mbTSourse& payer = addPayer(decl);
        payer.AddIncome13(incomeLine(1010, rub(10'000)));
        payer.AddIncome13(incomeLine(1010, rub(20'000)));
        payer.AddIncome15(incomeLine(1010, rub(30'000)));
        payer.OrgProfitTax13 = rub(1'000);
        payer.OrgProfitTax15 = rub(500);
        mbTSourse& withoutDividends = addPayer(decl, "7702000002");
        withoutDividends.AddIncome13(incomeLine(2000, rub(10'000)));
        withoutDividends.OrgProfitTax13 = rub(7'000);
        kTSvodSumPril4 sheet;
        sheet.Calculate(decl);
        EXPECT_EQ(sheet.FixedAdvances, c.fixedAdvances) << c.name;
        EXPECT_EQ(sheet.FixedAdvancesNonResident, c.fixedAdvancesNonResident) << c.name;
    }
}

TEST(NonTaxableIncome, NothingToExemptGivesZeros)
{
    mTDeclaration decl;
    kTSvodSumPril4 sheet;
    sheet.ДоходИн = rub(1);
    EXPECT_TRUE(sheet.Calculate(decl));
    EXPECT_EQ(sheet.ДоходИн, rub(0));
    EXPECT_EQ(sheet.ДохНеНалОбщ, rub(0));
}

} // namespace

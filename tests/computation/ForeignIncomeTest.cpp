#include "computation/ForeignIncome.h"

#include <gtest/gtest.h>

#include <iterator>
#include <memory>
#include <optional>

#include "ComputationTestSupport.h"
#include "CurrencyPrinting.h"
#include "model/CommaDecimalLocale.h"
#include "model/Declaration.h"

namespace {

struct ForeignIncome {
    std::int32_t incomeCode = 2010;
    long double income = 0;
    long double foreignTax = 0;
    long double deduction = 0;
    long double kikTaxWithheld = 0;
    const char* companyNumber = "";
};

mTCurrencyIncome& addIncome(mTDeclaration& decl, const ForeignIncome& values)
{
    mTCurrencyIncome& income = *decl.GetCurrencyIncome(decl.AddCurrencyIncome());
    income.IncomeCode = values.incomeCode;
    income.IncomeRoubles = rub(values.income);
    income.TaxRoubles = rub(values.foreignTax);
    income.DeductionSum = rub(values.deduction);
    income.Line150Sum = rub(values.kikTaxWithheld);
    income.CompanyNumber = values.companyNumber;
    return income;
}

kTSvodSumPril2 calculated(mTDeclaration& decl)
{
    kTSvodSumPril2 sheet;
    EXPECT_TRUE(sheet.Calculate(decl));
    return sheet;
}

struct RowCase {
    const char* name;
    ForeignIncome income;
    long double taxInRussia;
    long double credit;
    long double uncredited;
    long double exempt;
    std::int32_t exemptionKind;
};

// Figures worked by hand at the 13 % rate: tax = 13 % of (income - exempt - deduction) in
// whole roubles half up, credit = the foreign tax up to that tax, uncredited = income less
// the income the foreign tax stands for at 13 % (foreign tax / 0.13 to kopecks).
const RowCase RowCases[] = {
    {"credit below the Russian tax", {2010, 100'000, 10'000}, 13'000, 10'000, 23'076.92L, 0, 0},
    {"foreign tax above the Russian tax", {2010, 100'000, 20'000}, 13'000, 13'000, 0, 0, 0},
    {"no foreign tax leaves the whole income", {2010, 100'000, 0}, 13'000, 0, 100'000, 0, 0},
    {"credit rounds half up to roubles", {2010, 100'000, 100.50L}, 13'000, 101, 99'226.92L, 0, 0},
    {"half a rouble of tax rounds up", {2010, 50, 0}, 7, 0, 50, 0, 0},
    {"deduction lowers the tax", {2010, 100'000, 5'000, 40'000}, 7'800, 5'000, 61'538.46L, 0, 0},
    {"deduction counts up to the income", {2010, 100'000, 5'000, 150'000}, 0, 0, 0, 0, 0},
    {"exempt income of code 1001 gives neither tax nor a negative credit", {1001, 1'000, 100, 50}, 0, 0, 0,
     1'000, 1},
    {"exempt income of code 1002", {1002, 2'000}, 0, 0, 2'000, 2'000, 2},
    {"fixed profit carries a tax of 5 000 000", {1003, 1'000'000, 6'000'000}, 5'000'000, 5'000'000, 0, 0, 0},
    {"taxes withheld on a company's income add to the credit", {1003, 300'000, 1'000.40L, 0, 2'000}, 5'000'000,
     3'000, 292'304.62L, 0, 0},
    // The income the tax stands for, 15 384 615 384 615.38, holds more kopecks than an amount
    // holds roubles.
    {"a foreign tax of two trillion", {2010, 100'000'000'000'000, 2'000'000'000'000}, 13'000'000'000'000,
     2'000'000'000'000, 84'615'384'615'384.62L, 0, 0},
};

} // namespace

TEST(ForeignIncomeSheet, TaxCreditAndUncreditedIncomeOfOneIncome)
{
    for (const RowCase& c : RowCases) {
        SCOPED_TRACE(c.name);
        mTDeclaration decl;
        decl.SetIncomeKinds(IncomeKindForeign);
        addIncome(decl, c.income);

        const kTSvodSumPril2 sheet = calculated(decl);
        ASSERT_EQ(sheet.RowCount, 1);
        ASSERT_EQ(sheet.Rows.size(), 1u);
        const bmPril2Rec& row = sheet.Rows[0];
        EXPECT_EQ(row.TaxInRussia, rub(c.taxInRussia));
        EXPECT_EQ(row.TaxCredit, rub(c.credit));
        EXPECT_EQ(row.UncreditedIncome, rub(c.uncredited));
        EXPECT_EQ(row.ExemptAmount, rub(c.exempt));
        EXPECT_EQ(row.КодВидОсв, c.exemptionKind);
        EXPECT_GE(row.TaxCredit, Currency());
    }
}

TEST(ForeignIncomeSheet, RowTextsAreInTheFormatOfTheExchangeFile)
{
    mTDeclaration decl;
    decl.SetIncomeKinds(IncomeKindForeign);
    mTCurrencyIncome& income = addIncome(decl, {1010});
    income.SourceCountry = "840";
    income.CreditCountry = "826";
    income.SourceName = "Apple Inc.";
    income.CurrencyCode = "840";
    income.IncomeDate = 44300;
    income.TaxPaymentDate = 44310;
    income.ProfitMethod = 2;
    income.DeductionCode = 201;
    income.IncomeDateRate = rub(73.5L);
    income.IncomeDateUnits = 1;
    income.SetIncomeAmount(rub(1'000));
    income.TaxDateRate = rub(7'400);
    income.TaxDateUnits = 100;
    income.SetTaxAmount(rub(100));

    for (bool commaLocale : {false, true}) {
        SCOPED_TRACE(commaLocale ? "decimal-comma locale" : "classic locale");
        std::optional<CommaDecimalLocale> comma;
        if (commaLocale)
            comma.emplace();
        const kTSvodSumPril2 sheet = calculated(decl);
        ASSERT_EQ(sheet.RowCount, 1);
        const bmPril2Rec& row = sheet.Rows[0];
        EXPECT_EQ(row.ОКСМИст, "840");
        EXPECT_EQ(row.ОКСМЗач, "826");
        EXPECT_EQ(row.НаимИстДох, "Apple Inc.");
        EXPECT_EQ(row.КодВалют, "840");
        EXPECT_EQ(row.ВидДоход, "01");
        EXPECT_EQ(row.НомерКИК, "-");
        EXPECT_EQ(row.ДатаДох, 44300);
        EXPECT_EQ(row.ДатаУплНал, 44310);
        EXPECT_EQ(row.Ставка, "");
        EXPECT_EQ(row.ПорядПрибКИК, 2);
        EXPECT_EQ(row.DeductionCode, 201);
        EXPECT_EQ(row.IncomeRate, rub(73.5L));
        EXPECT_EQ(row.КурсВалютДох, "73.5");
        EXPECT_EQ(row.TaxRate, rub(74));
        EXPECT_EQ(row.КурсВалютНал, "74");
        EXPECT_EQ(row.ДоходИноВал, "1000.00");
        EXPECT_EQ(row.ДоходИноРуб, "73500.00");
        EXPECT_EQ(row.НалУплИноВал, "100.00");
        EXPECT_EQ(row.НалУплИноРуб, "7400.00");
        EXPECT_EQ(row.ДоходОсв, "");
        EXPECT_EQ(row.НалИсчКИК, "0");
        // 73 500 at 13 % is 9 555; the 7 400 paid abroad are credited in full.
        EXPECT_EQ(row.НалЗачРФОбщ, "9555");
        EXPECT_EQ(row.НалогЗачРФОбщ, "7400");
    }
}

TEST(ForeignIncomeSheet, NoUnitsGiveRateZero)
{
    mTDeclaration decl;
    decl.SetIncomeKinds(IncomeKindForeign);
    mTCurrencyIncome& income = addIncome(decl, {2010, 1'000});
    income.IncomeDateRate = rub(73.5L);
    income.TaxDateRate = rub(74);

    const bmPril2Rec row = calculated(decl).Rows.at(0);
    EXPECT_EQ(row.IncomeRate, Currency());
    EXPECT_EQ(row.КурсВалютДох, "0");
    EXPECT_EQ(row.TaxRate, Currency());
    EXPECT_EQ(row.КурсВалютНал, "0");
}

TEST(ForeignIncomeSheet, ExemptIncomeIsWrittenWithKopecks)
{
    mTDeclaration decl;
    decl.SetIncomeKinds(IncomeKindForeign);
    addIncome(decl, {1001, 1'000});
    EXPECT_EQ(calculated(decl).Rows.at(0).ДоходОсв, "1000.00");
}

TEST(ForeignIncomeSheet, CompanyNumberTakesTwoCharactersAHyphenAndFiveMore)
{
    const struct {
        const char* typed;
        const char* expected;
    } cases[] = {
        {"01 12345", "01-12345"},
        {"", "-"},
        {"0", "0-"},
        {"01-123456789", "01-12345"},
        {"АБ ВГДЕЖЗ", "АБ-ВГДЕЖ"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        mTDeclaration decl;
        decl.SetIncomeKinds(IncomeKindForeign);
        addIncome(decl, {2010, 1'000, 0, 0, 0, c.typed});
        EXPECT_EQ(calculated(decl).Rows.at(0).НомерКИК, c.expected);
    }
}

// Dividends of a controlled company are exempt up to the company's profit declared in the
// same declaration, the earlier dividends first, wherever the profit stands in the list. The
// marked item (the second) is weighed against 15 %, every other against 13 %.
TEST(ForeignIncomeSheet, ControlledCompanyProfitExemptsItsDividends)
{
    mTDeclaration decl;
    decl.SetIncomeKinds(IncomeKindForeign);
    decl.SetKIKItemNumber(2);
    addIncome(decl, {1012, 120'000, 6'000, 0, 500, "01 12345"});
    addIncome(decl, {1000, 100'000, 0, 0, 2'000, "01 12345"});
    addIncome(decl, {1000, 50'000, 0, 0, 0, "01 12345"});
    addIncome(decl, {1012, 50'000, 5'000, 0, 1'000, "01 12345"});
    addIncome(decl, {1012, 40'000, 10'000, 0, 0, "02 54321"});

    const kTSvodSumPril2 sheet = calculated(decl);
    ASSERT_EQ(sheet.RowCount, 5);

    const struct {
        const char* name;
        long double exempt;
        std::int32_t exemptionKind;
        const char* exemptText;
        long double taxInRussia;
        long double credit;
        long double uncredited;
    } expected[] = {
        {"first dividend, wholly covered", 120'000, 3, "120000.00", 0, 0, 0},
        {"profit with taxes withheld in Russia", 0, 0, "", 15'000, 2'000, 100'000},
        {"further profit", 0, 0, "", 6'500, 0, 50'000},
        {"second dividend, 30 000 covered", 30'000, 3, "30000.00", 2'600, 2'600, 0},
        {"dividend of a company without profit", 0, 0, "", 5'200, 5'200, 0},
    };
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        SCOPED_TRACE(expected[i].name);
        const bmPril2Rec& row = sheet.Rows[i];
        EXPECT_EQ(row.ExemptAmount, rub(expected[i].exempt));
        EXPECT_EQ(row.КодВидОсв, expected[i].exemptionKind);
        EXPECT_EQ(row.ДоходОсв, expected[i].exemptText);
        EXPECT_EQ(row.TaxInRussia, rub(expected[i].taxInRussia));
        EXPECT_EQ(row.TaxCredit, rub(expected[i].credit));
        EXPECT_EQ(row.UncreditedIncome, rub(expected[i].uncredited));
    }
    EXPECT_EQ(sheet.Rows[4].НомерКИК, "02-54321");

    ASSERT_EQ(sheet.KIKRowCount, 1);
    ASSERT_EQ(sheet.KIKRows.size(), 1u);
    EXPECT_EQ(sheet.KIKRows[0].KIKNumber, "01-12345");
    EXPECT_EQ(sheet.KIKRows[0].ProfitLeft, Currency());

    EXPECT_EQ(sheet.IncomeOfKind(1), rub(210'000));
    EXPECT_EQ(sheet.ExemptKind1, rub(150'000));
    EXPECT_EQ(sheet.CreditOfKind(1), rub(7'800));
    EXPECT_EQ(sheet.IncomeOfKind(5), rub(150'000));
    EXPECT_EQ(sheet.CreditOfKind(5), rub(2'000));
    EXPECT_EQ(sheet.TotalIncome, rub(360'000));
}

// Marking an item as a controlled company's fixed profit weighs that item against 15 %; every
// other foreign income keeps its 13 %, so the credit of its foreign tax stays what it is
// without the mark.
TEST(ForeignIncomeSheet, OnlyTheMarkedFixedProfitIsWeighedAgainst15Percent)
{
    for (std::int32_t marked : {0, 2}) {
        SCOPED_TRACE(marked == 0 ? "without the mark" : "with the fixed profit marked");
        mTDeclaration decl;
        decl.SetIncomeKinds(IncomeKindForeign);
        addIncome(decl, {2000, 100'000, 15'000});
        addIncome(decl, {1003, 1'000'000, 30'000});
        addIncome(decl, {2000, 100'000, 10'000});
        decl.SetKIKItemNumber(marked);

        const kTSvodSumPril2 sheet = calculated(decl);
        ASSERT_EQ(sheet.RowCount, 3);
        // 13 % of 100 000 is 13 000: 15 000 paid abroad are credited up to it, and nothing of
        // the income is left to tax in Russia.
        EXPECT_EQ(sheet.Rows[0].TaxInRussia, rub(13'000));
        EXPECT_EQ(sheet.Rows[0].TaxCredit, rub(13'000));
        EXPECT_EQ(sheet.Rows[0].UncreditedIncome, Currency());
        // 10 000 paid stand for 76 923.08 of income at 13 %.
        EXPECT_EQ(sheet.Rows[2].TaxCredit, rub(10'000));
        EXPECT_EQ(sheet.Rows[2].UncreditedIncome, rub(23'076.92L));
        EXPECT_EQ(sheet.CreditOfKind(10), rub(23'000));

        // The fixed profit's tax is 5 000 000 either way; the 30 000 paid stand for 200 000 of
        // it at 15 % when marked, for 230 769.23 at 13 % when not.
        const bmPril2Rec& fixedProfit = sheet.Rows[1];
        EXPECT_EQ(fixedProfit.TaxInRussia, rub(5'000'000));
        EXPECT_EQ(fixedProfit.TaxCredit, rub(30'000));
        EXPECT_EQ(fixedProfit.UncreditedIncome, marked != 0 ? rub(800'000) : rub(769'230.77L));
    }
}

TEST(ForeignIncomeSheet, TotalsByIncomeKind)
{
    mTDeclaration decl;
    decl.SetIncomeKinds(IncomeKindForeign);
    addIncome(decl, {2010, 100'000, 10'000}); // kind 10
    addIncome(decl, {1530, 50'000});          // kind 03
    addIncome(decl, {1400, 20'000});          // kind 08
    addIncome(decl, {1200, 10'000, 1'300});   // kind 17
    addIncome(decl, {4000, 5'000, 100});      // kind 07: no totals
    addIncome(decl, {1001, 3'000});           // kind 10, exempt

    const kTSvodSumPril2 sheet = calculated(decl);
    EXPECT_EQ(sheet.RowCount, 6);
    EXPECT_EQ(sheet.IncomeOfKind(10), rub(103'000));
    EXPECT_EQ(sheet.IncomeOfKind(3), rub(50'000));
    EXPECT_EQ(sheet.IncomeOfKind(8), rub(20'000));
    EXPECT_EQ(sheet.IncomeOfKind(17), rub(10'000));
    EXPECT_EQ(sheet.IncomeOfKind(7), Currency());
    EXPECT_EQ(sheet.CreditOfKind(10), rub(10'000));
    EXPECT_EQ(sheet.CreditOfKind(17), rub(1'300));
    EXPECT_EQ(sheet.UncreditedOfKind(10), rub(26'076.92L));
    EXPECT_EQ(sheet.UncreditedOfKind(8), rub(20'000));
    EXPECT_EQ(sheet.UncreditedOfKind(17), Currency());
    EXPECT_EQ(sheet.ExemptKind10, rub(3'000));
    EXPECT_EQ(sheet.ExemptKind1, Currency());
    EXPECT_EQ(sheet.IncomeOfKinds8To18, rub(133'000));
    EXPECT_EQ(sheet.TotalIncome, rub(183'000));
    EXPECT_EQ(sheet.UncreditedTotal, rub(46'076.92L));
}

TEST(ForeignIncomeSheet, IncomeKindsWithoutForeignIncomeGiveNothing)
{
    mTDeclaration decl;
    decl.SetIncomeKinds(IncomeKindSources);
    auto income = std::make_unique<mTCurrencyIncome>();
    income->IncomeCode = 2010;
    income->IncomeRoubles = rub(100'000);
    decl.CurrencyIncomes.add(std::move(income));

    const kTSvodSumPril2 sheet = calculated(decl);
    EXPECT_EQ(sheet.RowCount, 0);
    EXPECT_TRUE(sheet.Rows.empty());
    EXPECT_EQ(sheet.IncomeOfKind(10), Currency());
    EXPECT_EQ(sheet.TotalIncome, Currency());
    EXPECT_EQ(sheet.UncreditedTotal, Currency());
}

TEST(ForeignIncomeSheet, ASecondRunStartsAfresh)
{
    mTDeclaration decl;
    decl.SetIncomeKinds(IncomeKindForeign);
    addIncome(decl, {1000, 100'000, 0, 0, 0, "01 12345"});
    kTSvodSumPril2 sheet;
    sheet.Calculate(decl);
    sheet.Calculate(decl);
    EXPECT_EQ(sheet.RowCount, 1);
    ASSERT_EQ(sheet.KIKRowCount, 1);
    EXPECT_EQ(sheet.KIKRows[0].ProfitLeft, rub(100'000));
    EXPECT_EQ(sheet.TotalIncome, rub(100'000));
}

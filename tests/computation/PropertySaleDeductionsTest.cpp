#include "computation/PropertySaleDeductions.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "DeductionSheetTestSupport.h"
#include "ExportableDeclaration.h"
#include "Section1Checks.h"

namespace {

struct SaleLine {
    bool foreign; // a foreign-currency income instead of a payer's 13 % line
    std::int32_t incomeCode;
    std::int32_t deductionCode;
    long double income;
    long double deduction;
};

using Field = Currency kTSvodSumPril6::*;

struct SaleCase {
    const char* name;
    std::vector<SaleLine> lines;
    std::vector<std::pair<Field, long double>> fields; // every other listed field is 0
    long double total;
    long double special;
};

void addLine(mTDeclaration& decl, const SaleLine& line)
{
    if (!line.foreign) {
        if (decl.SourceCount() == 0)
            addPayer(decl);
        decl.GetSource(0)->AddIncome13(
            incomeLine(line.incomeCode, rub(line.income), line.deductionCode, rub(line.deduction)));
        return;
    }
    decl.SetIncomeKinds(decl.IncomeKinds() | IncomeKindForeign);
    mTCurrencyIncome& income = *decl.GetCurrencyIncome(decl.AddCurrencyIncome());
    income.IncomeCode = line.incomeCode;
    income.DeductionCode = line.deductionCode;
    income.IncomeRoubles = rub(line.income);
    income.DeductionSum = rub(line.deduction);
}

constexpr Field AllFields[] = {
    &kTSvodSumPril6::ВычПродИмущ,        &kTSvodSumPril6::РасхПриобИмущ,
    &kTSvodSumPril6::РасхПриобИмущДол,   &kTSvodSumPril6::ВычПродИмущДол,
    &kTSvodSumPril6::OtherRealtySaleDeduction, &kTSvodSumPril6::OtherRealtyCost,
    &kTSvodSumPril6::OtherPropertySaleDeduction, &kTSvodSumPril6::OtherPropertyCost,
    &kTSvodSumPril6::ВычДохИзъятИмущ,    &kTSvodSumPril6::ВычДохЛиквИО,
    &kTSvodSumPril6::ВычДохПравКИК,      &kTSvodSumPril6::ВычПдтвРасхПродУК,
    &kTSvodSumPril6::CapitalShareLimitedDeduction, &kTSvodSumPril6::ВычПдтвРасхПрдСр,
    &kTSvodSumPril6::ВычПдтвРасхУмСтУК,  &kTSvodSumPril6::ВычПдтвРасхУстПрав,
};

TEST(PropertySaleDeductions, DeductionsFollowThePairsAndTheirLimits)
{
    const SaleCase cases[] = {
        {"two housing sales of 700 000 share the 1 000 000 limit",
         {{false, 1510, 901, 700'000, 700'000}, {false, 1510, 901, 700'000, 700'000}},
         {{&kTSvodSumPril6::ВычПродИмущ, 1'000'000}}, 1'000'000, 0},
        {"a share sold after the limit is used up gets nothing",
         {{false, 1510, 901, 1'000'000, 1'000'000}, {false, 1511, 904, 400'000, 400'000}},
         {{&kTSvodSumPril6::ВычПродИмущ, 1'000'000}}, 1'000'000, 0},
        {"a share takes what the housing sale left",
         {{false, 1510, 901, 800'000, 800'000}, {true, 1511, 904, 150'000, 300'000}},
         {{&kTSvodSumPril6::ВычПродИмущ, 800'000}, {&kTSvodSumPril6::ВычПродИмущДол, 150'000}}, 950'000, 0},
        {"other realty, 300 000 in all: 250 000",
         {{false, 1512, 902, 200'000, 200'000}, {false, 1512, 902, 100'000, 100'000}},
         {{&kTSvodSumPril6::OtherRealtySaleDeduction, 250'000}}, 250'000, 0},
        {"other realty, exactly 250 000", {{false, 1512, 902, 250'000, 250'000}},
         {{&kTSvodSumPril6::OtherRealtySaleDeduction, 250'000}}, 250'000, 0},
        {"costs of a share above its price: the price from a payer", {{false, 1511, 903, 500'000, 800'000}},
         {{&kTSvodSumPril6::РасхПриобИмущДол, 500'000}}, 500'000, 0},
        {"costs of a share above its price: the price from a foreign income too",
         {{true, 1511, 903, 500'000, 800'000}}, {{&kTSvodSumPril6::РасхПриобИмущДол, 500'000}}, 500'000, 0},
        {"costs of a car above its price: the price, from a payer and from abroad",
         {{false, 1520, 903, 500'000, 800'000}, {true, 1521, 903, 100'000, 300'000}},
         {{&kTSvodSumPril6::OtherPropertyCost, 600'000}}, 600'000, 0},
        {"costs of a car above its price take nothing of a flat's income",
         {{false, 1520, 903, 500'000, 800'000}, {false, 1510, 903, 2'000'000, 1'500'000}},
         {{&kTSvodSumPril6::OtherPropertyCost, 500'000}, {&kTSvodSumPril6::РасхПриобИмущ, 1'500'000}},
         2'000'000, 0},
        {"a share's deduction above its price leaves the rest of the limit to housing",
         {{false, 1511, 904, 300'000, 500'000}, {false, 1510, 901, 900'000, 900'000}},
         {{&kTSvodSumPril6::ВычПродИмущДол, 300'000}, {&kTSvodSumPril6::ВычПродИмущ, 700'000}}, 1'000'000, 0},
        {"a car's deduction above its price leaves the rest of the 250 000 to premises",
         {{false, 1520, 906, 100'000, 250'000}, {false, 1512, 902, 200'000, 200'000}},
         {{&kTSvodSumPril6::OtherPropertySaleDeduction, 100'000},
          {&kTSvodSumPril6::OtherRealtySaleDeduction, 150'000}},
         250'000, 0},
        {"three cars of 100 000 share one 250 000",
         {{false, 1520, 906, 100'000, 100'000}, {false, 1520, 906, 100'000, 100'000},
          {false, 1520, 906, 100'000, 100'000}},
         {{&kTSvodSumPril6::OtherPropertySaleDeduction, 250'000}}, 250'000, 0},
        {"foreign other realty up to its price", {{true, 1512, 902, 90'000, 100'000}, {true, 1512, 903, 50'000, 70'000}},
         {{&kTSvodSumPril6::OtherRealtySaleDeduction, 90'000}, {&kTSvodSumPril6::OtherRealtyCost, 50'000}},
         140'000, 0},
        {"other property and its costs; a flat's costs up to its price",
         {{false, 1520, 906, 300'000, 300'000}, {false, 1521, 903, 80'000, 60'000}, {false, 1510, 903, 5, 2'000'000}},
         {{&kTSvodSumPril6::OtherPropertySaleDeduction, 250'000},
          {&kTSvodSumPril6::OtherPropertyCost, 60'000},
          {&kTSvodSumPril6::РасхПриобИмущ, 5}},
         310'005, 0},
        {"premises and a motorbike share one 250 000",
         {{false, 1512, 902, 200'000, 200'000}, {false, 1521, 906, 150'000, 150'000}},
         {{&kTSvodSumPril6::OtherRealtySaleDeduction, 200'000}, {&kTSvodSumPril6::OtherPropertySaleDeduction, 50'000}},
         250'000, 0},
        {"the shared 250 000 goes in line order",
         {{false, 1520, 906, 150'000, 150'000}, {false, 1512, 902, 200'000, 200'000},
          {false, 1521, 906, 30'000, 30'000}},
         {{&kTSvodSumPril6::OtherPropertySaleDeduction, 150'000}, {&kTSvodSumPril6::OtherRealtySaleDeduction, 100'000}},
         250'000, 0},
        {"foreign other realty takes what the payers' lines left, up to its price",
         {{true, 1512, 902, 90'000, 100'000}, {false, 1520, 906, 200'000, 200'000}},
         {{&kTSvodSumPril6::OtherPropertySaleDeduction, 200'000}, {&kTSvodSumPril6::OtherRealtySaleDeduction, 50'000}},
         250'000, 0},
        {"foreign movables within the shared limit",
         {{true, 1521, 906, 100'000, 100'000}, {true, 1512, 902, 200'000, 200'000}},
         {{&kTSvodSumPril6::OtherPropertySaleDeduction, 100'000}, {&kTSvodSumPril6::OtherRealtySaleDeduction, 150'000}},
         250'000, 0},
        {"costs stand outside the shared limit",
         {{false, 1512, 902, 300'000, 250'000}, {false, 1520, 903, 400'000, 400'000}, {false, 1512, 903, 90'000, 90'000}},
         {{&kTSvodSumPril6::OtherRealtySaleDeduction, 250'000},
          {&kTSvodSumPril6::OtherPropertyCost, 400'000},
          {&kTSvodSumPril6::OtherRealtyCost, 90'000}},
         740'000, 0},
        {"a share in a company's capital is no part of the limit for other property",
         {{false, 1512, 902, 250'000, 250'000}, {false, 1540, 905, 250'000, 250'000}},
         {{&kTSvodSumPril6::OtherRealtySaleDeduction, 250'000},
          {&kTSvodSumPril6::ВычПдтвРасхПродУК, 250'000},
          {&kTSvodSumPril6::CapitalShareLimitedDeduction, 250'000}},
         500'000, 250'000},
        {"capital shares: the limited deduction joins the expenses",
         {{false, 1540, 905, 400'000, 300'000}, {false, 1542, 316, 100'000, 70'000}},
         {{&kTSvodSumPril6::ВычПдтвРасхПродУК, 320'000}, {&kTSvodSumPril6::CapitalShareLimitedDeduction, 250'000}},
         320'000, 320'000},
        {"expenses of the special and the general bases",
         {{false, 4900, 908, 10, 1}, {false, 4910, 910, 10, 2}, {false, 4920, 912, 10, 4},
          {false, 1550, 314, 10, 8}, {false, 1560, 317, 10, 16}, {true, 1570, 318, 10, 32}},
         {{&kTSvodSumPril6::ВычДохИзъятИмущ, 1},
          {&kTSvodSumPril6::ВычДохЛиквИО, 2},
          {&kTSvodSumPril6::ВычДохПравКИК, 4},
          {&kTSvodSumPril6::ВычПдтвРасхУстПрав, 8},
          {&kTSvodSumPril6::ВычПдтвРасхПрдСр, 16},
          {&kTSvodSumPril6::ВычПдтвРасхУмСтУК, 32}},
         63, 15},
        {"pairs without a rule are ignored", {{false, 1510, 902, 10, 10}, {false, 2000, 901, 10, 10}}, {}, 0, 0},
    };
    for (const SaleCase& c : cases) {
        mTDeclaration decl;
        for (const SaleLine& line : c.lines)
            addLine(decl, line);
        kTSvodSumPril6 sheet;
        EXPECT_TRUE(sheet.Calculate(decl));
        for (const Field field : AllFields) {
            Currency expected;
            for (const auto& [listed, value] : c.fields)
                if (listed == field)
                    expected = rub(value);
            EXPECT_EQ(sheet.*field, expected) << c.name;
        }
        EXPECT_EQ(sheet.ОбщИмущВыч, rub(c.total)) << c.name;
        EXPECT_EQ(sheet.SpecialBaseDeductions, rub(c.special)) << c.name;
        EXPECT_EQ(sheet.GeneralBaseDeductions, rub(c.total - c.special)) << c.name;
    }
}

// Non-residential premises sold for 200 000 and a motorbike sold for 150 000, both held for less
// than three years, each with its whole price claimed: the deductions together are 250 000, the
// base 100 000 and the tax 13 % of it.
TEST(PropertySaleDeductions, OtherPropertySoldInTheYearSharesOneLimitInTheTax)
{
    mTDeclaration decl;
    addLine(decl, {false, 1512, 902, 200'000, 200'000});
    addLine(decl, {false, 1521, 906, 150'000, 150'000});
    const auto summary = emptySummary();
    summary->Calculate(decl);
    const kTSvodSumRazd2& sales = summary->Razd2Sheet(18);
    EXPECT_EQ(sales.СумДох, rub(350'000));
    EXPECT_EQ(summary->Pril6.ОбщИмущВыч, rub(250'000));
    EXPECT_EQ(sales.НалБаза, rub(100'000));
    EXPECT_EQ(sales.Исчисл, rub(13'000));
}

struct SaleBesidePurchaseCase {
    std::string name;
    std::vector<LineFigures> sales;
    long double saleBase; // the sales' income less their own deductions
    long double purchaseDeduction, carriedOver;
};

// Wages of 1 000 000 with 130 000 withheld, a flat bought in 2021 for 2 000 000 and claimed for
// the first time, and sales of property. A sale's cost reduces the income of that sale only:
// what exceeds it is lost and leaves the wages whole to the purchase, which takes the wages and
// what the sales leave, up to 1 000 000 + 200 000; the whole tax of 130 000 comes back.
TEST(PropertySaleDeductions, ASalesCostNeverReachesThePurchaseOrOtherIncome)
{
    constexpr long double Price = 500'000;
    const struct {
        const char* name;
        long double cost, saleBase, purchaseDeduction, carriedOver;
    } costs[] = {
        {"cost above the price", 800'000, 0, 1'000'000, 1'000'000},
        {"cost equal to the price", Price, 0, 1'000'000, 1'000'000},
        {"cost below the price", 300'000, 200'000, 1'200'000, 800'000},
    };
    std::vector<SaleBesidePurchaseCase> cases;
    for (const std::int32_t saleCode : {1510, 1511, 1512, 1520, 1521})
        for (const auto& c : costs)
            cases.push_back({std::to_string(saleCode) + ", " + c.name, {{saleCode, Price, 903, c.cost}}, c.saleBase,
                             c.purchaseDeduction, c.carriedOver});
    cases.push_back({"three cars of 100 000 share one 250 000",
                     {{1520, 100'000, 906, 100'000}, {1520, 100'000, 906, 100'000}, {1520, 100'000, 906, 100'000}},
                     50'000, 1'050'000, 950'000});

    for (const SaleBesidePurchaseCase& c : cases) {
        SCOPED_TRACE(c.name);
        mTDeclaration decl;
        decl.Person.Address.OKTMO = TaxpayerOktmo;
        mbTSourse& employer = addPayer(decl, "7701000001", "ООО Работодатель");
        employer.AddIncome13(incomeLine(2000, rub(1'000'000)));
        employer.WithheldTax13 = rub(130'000);
        mbTSourse& buyer = addPayer(decl, "7701000002", "ООО Покупатель");
        for (const LineFigures& sale : c.sales)
            buyer.AddIncome13(incomeLine(sale));
        addFlat(decl, 2'000'000, 2021);

        auto svod = std::make_unique<kTSvodSum>();
        svod->Calculate(decl);

        const kTSvodSumRazd2& sales = svod->Razd2Sheet(18);
        EXPECT_EQ(sales.СумДох - sales.DirectDeductions, rub(c.saleBase));
        EXPECT_EQ(svod->Pril7.РасхНовВычНД, rub(c.purchaseDeduction));
        EXPECT_EQ(svod->Pril7.ОстИВБезПроц, rub(c.carriedOver));
        EXPECT_EQ(sales.НалБаза + svod->Razd2Sheet(10).НалБаза, Currency());
        EXPECT_EQ(svod->R1.Rows, (std::vector<bmTList1>{{Kbk010, employer.Oktmo, {}, rub(130'000)}}));
        EXPECT_EQ(decl.SectionOneSum, rub(130'000));
        EXPECT_EQ(exchangeFileErrors(decl), "");
    }
}

// A resident's lines at 13 % and at 15 % carry their deductions alike; the lines at other
// rates and a non-resident's lines carry none.
TEST(PropertySaleDeductions, TheLinesOfResidentsAt13And15PercentCount)
{
    mTDeclaration decl;
    mbTSourse& payer = addPayer(decl);
    payer.AddIncome99(incomeLine(1510, rub(500'000), 901, rub(500'000)));
    kTSvodSumPril6 sheet;
    sheet.Calculate(decl);
    EXPECT_EQ(sheet.ОбщИмущВыч, Currency());

    payer.AddIncome15(incomeLine(4900, rub(500'000), 908, rub(200'000)));
    payer.AddIncome13(incomeLine(1510, rub(500'000), 901, rub(500'000)));
    sheet.Calculate(decl);
    EXPECT_EQ(sheet.ВычДохИзъятИмущ, rub(200'000));
    EXPECT_EQ(sheet.ВычПродИмущ, rub(500'000));

    decl.DeclarationType = DeclarationNonResident;
    sheet.Calculate(decl);
    EXPECT_EQ(sheet.ОбщИмущВыч, Currency());
}

TEST(PropertySaleDeductions, ForeignIncomesCountOnlyWhileTheirKindIsOn)
{
    mTDeclaration decl;
    addLine(decl, {false, 1510, 901, 100'000, 100'000});
    // Put into the list past the add operation, which would switch the foreign kind on.
    auto income = std::make_unique<mTCurrencyIncome>();
    income->IncomeCode = 1510;
    income->DeductionCode = 901;
    income->IncomeRoubles = rub(300'000);
    decl.CurrencyIncomes.add(std::move(income));
    kTSvodSumPril6 sheet;
    sheet.Calculate(decl);
    EXPECT_EQ(sheet.ВычПродИмущ, rub(100'000));

    decl.SetIncomeKinds(decl.IncomeKinds() | IncomeKindForeign); // starts from an empty list
    addLine(decl, {true, 1510, 901, 300'000, 300'000});
    decl.DeleteSource(0);
    sheet.Calculate(decl);
    EXPECT_EQ(sheet.ВычПродИмущ, rub(300'000));
}

} // namespace

// Declarations worked out by hand from the tax law as it stands for income of 2021, each run
// through the whole summary and ended in an exchange file that the format's schema accepts.
#include "computation/Summary.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ComputationTestSupport.h"
#include "ExportableDeclaration.h"
#include "Section1Checks.h"
#include "export/DeclarationBuilders.h"

namespace {

constexpr std::int32_t Salary = 2000;

// One section-2 sheet as worked by hand, in roubles.
struct SheetFigures {
    int kind;
    long double income, deductions, base, at13, at15, tax, withheld, toPay, toRefund;
};

struct WorkedDeclaration {
    const char* name;
    std::function<void(mTDeclaration&)> build;
    std::vector<SheetFigures> sheets;
    std::vector<bmTList1> section1;
    std::function<void(const kTSvodSum&)> moreFigures = nullptr;
};

mbTSourse& addPayerWith(mTDeclaration& decl, std::vector<LineFigures> at13, long double withheld13,
                        std::vector<LineFigures> at15 = {}, long double withheld15 = 0)
{
    mbTSourse& payer = addPayer(decl);
    for (const LineFigures& line : at13)
        payer.AddIncome13(incomeLine(line));
    for (const LineFigures& line : at15)
        payer.AddIncome15(incomeLine(line));
    payer.WithheldTax13 = rub(withheld13);
    payer.WithheldTax15 = rub(withheld15);
    return payer;
}

// Wages of 6 000 000: 5 000 000 taxed at 13 % and 1 000 000 at 15 % by the employer.
void addWagesBeyondTheBand(mTDeclaration& decl)
{
    addPayerWith(decl, {{Salary, 5'000'000}}, 650'000, {{Salary, 1'000'000}}, 150'000);
}

// An employer that paid 600 000 in the year and granted the first child's deduction of
// 1 400 a month, withholding 13 % of the rest.
void addEmployerGrantingTheFirstChildsDeduction(mTDeclaration& decl)
{
    mbTSourse& employer = addPayerWith(decl, {{Salary, 600'000}}, 75'816);
    employer.AddSSCDeduct(std::make_unique<mbTSSCDeduct>(mbTSSCDeduct{126, rub(16'800)}));
}

// A flat bought in 2016 or later, sold for its price to a company and taxed on the larger of
// the price and 0.7 of its cadastral value.
void addSaleOfFlat(mTDeclaration& decl, long double price, long double cost, long double cadastralValue)
{
    mbTSourse& buyer = addPayerWith(decl, {{1510, price, 903, cost}}, 0);
    mTIncome& sale = buyer.GetIncome13(0);
    sale.PropertyFlag = 1;
    sale.CadastralNumber = "77:01:0004042:1234";
    sale.CadastralValue = rub(cadastralValue);
    sale.ContractPrice = rub(price);
}

void expectSheet(const kTSvodSum& svod, const SheetFigures& expected)
{
    const kTSvodSumRazd2& sheet = svod.Razd2Sheet(expected.kind);
    SCOPED_TRACE("kind " + std::to_string(expected.kind));
    EXPECT_EQ(sheet.СумДох, rub(expected.income));
    EXPECT_EQ(sheet.СумНалВыч + sheet.СумРасх, rub(expected.deductions));
    EXPECT_EQ(sheet.НалБаза, rub(expected.base));
    EXPECT_EQ(sheet.НалБаза2_1_224, rub(expected.at13));
    EXPECT_EQ(sheet.НалБаза3_1_224, rub(expected.at15));
    EXPECT_EQ(sheet.Исчисл, rub(expected.tax));
    EXPECT_EQ(sheet.Удерж, rub(expected.withheld));
    EXPECT_EQ(sheet.ПодлУпл, rub(expected.toPay));
    EXPECT_EQ(sheet.ПодлВозв, rub(expected.toRefund));
}

const bmTList1 NothingToPay{Kbk030, TaxpayerOktmo, {}, {}};

bmTList1 declaredTax(long double toPay)
{
    return {Kbk030, TaxpayerOktmo, rub(toPay), {}};
}

const WorkedDeclaration Declarations[] = {
    {"wages beyond the band and dividends, each base with its own band",
     [](mTDeclaration& d) {
         addWagesBeyondTheBand(d);
         addPayerWith(d, {{1010, 1'000'000}}, 130'000);
     },
     {{10, 6'000'000, 0, 6'000'000, 5'000'000, 1'000'000, 800'000, 800'000, 0, 0},
      {1, 1'000'000, 0, 1'000'000, 1'000'000, 0, 130'000, 130'000, 0, 0}},
     {NothingToPay}},
    {"wages and dividends, each under its own threshold",
     [](mTDeclaration& d) {
         addPayerWith(d, {{Salary, 4'000'000}}, 520'000);
         addPayerWith(d, {{1010, 2'000'000}}, 260'000);
     },
     {{10, 4'000'000, 0, 4'000'000, 4'000'000, 0, 520'000, 520'000, 0, 0},
      {1, 2'000'000, 0, 2'000'000, 2'000'000, 0, 260'000, 260'000, 0, 0}},
     {NothingToPay}},
    {"wages beyond the band and a broker's result on securities",
     [](mTDeclaration& d) {
         addWagesBeyondTheBand(d);
         addPayerWith(d, {{1530, 1'000'000}}, 130'000);
     },
     {{3, 1'000'000, 0, 1'000'000, 1'000'000, 0, 130'000, 130'000, 0, 0}},
     {NothingToPay}},
    // Each base's band holds 650 000 of tax at 13 %: the dividends' tax withheld does not cover
    // the 15 % part of the wages, which goes under the code of the tax beyond the band.
    {"wages short of their 15 % part beside dividends taxed in full",
     [](mTDeclaration& d) {
         addPayerWith(d, {{Salary, 6'000'000}}, 650'000);
         addPayerWith(d, {{1010, 5'000'000}}, 650'000);
     },
     {{10, 6'000'000, 0, 6'000'000, 5'000'000, 1'000'000, 800'000, 650'000, 150'000, 0},
      {1, 5'000'000, 0, 5'000'000, 5'000'000, 0, 650'000, 650'000, 0, 0}},
     {{Kbk080, TaxpayerOktmo, rub(150'000), {}}}},
    // What the employer withheld beyond the 650 000 of the wages' band covers their 15 % part
    // only, not the dividends' tax at 13 %: that is due under the code of the 13 % tax.
    {"wages beyond the band taxed in full beside dividends with nothing withheld",
     [](mTDeclaration& d) {
         addWagesBeyondTheBand(d);
         addPayerWith(d, {{1010, 100'000}}, 0);
     },
     {{10, 6'000'000, 0, 6'000'000, 5'000'000, 1'000'000, 800'000, 800'000, 0, 0},
      {1, 100'000, 0, 100'000, 100'000, 0, 13'000, 0, 13'000, 0}},
     {declaredTax(13'000)}},
    {"a flat bought in 2019 sold below 0.7 of its cadastral value",
     [](mTDeclaration& d) { addSaleOfFlat(d, 4'000'000, 3'500'000, 6'000'000); },
     {{18, 4'200'000, 3'500'000, 700'000, 0, 0, 91'000, 0, 91'000, 0}},
     {declaredTax(91'000)},
     [](const kTSvodSum& svod) {
         ASSERT_EQ(svod.Pril1_Dop.Rows.size(), 1u);
         EXPECT_EQ(svod.Pril1_Dop.Rows[0].КадСтоимКоэф, rub(4'200'000));
         EXPECT_EQ(svod.Pril1_Dop.Rows[0].ДохПродНалОбл, rub(4'200'000));
     }},
    // The cost of the car above its price is lost: it takes nothing of the wages, which the
    // purchase of the flat takes whole. 2 000 000 - 1 000 000 is carried to later years.
    {"a car sold below its cost beside wages and a flat bought",
     [](mTDeclaration& d) {
         addPayerWith(d, {{Salary, 1'000'000}}, 130'000);
         addPayerWith(d, {{1520, 500'000, 903, 800'000}}, 0);
         addFlat(d, 2'000'000, 2021);
     },
     {{10, 1'000'000, 1'000'000, 0, 0, 0, 0, 130'000, 0, 130'000},
      {18, 500'000, 500'000, 0, 0, 0, 0, 0, 0, 0}},
     {{Kbk010, "45382000", {}, rub(130'000)}},
     [](const kTSvodSum& svod) {
         EXPECT_EQ(svod.Pril6.OtherPropertyCost, rub(500'000));
         EXPECT_EQ(svod.Pril7.РасхНовВычНД, rub(1'000'000));
         EXPECT_EQ(svod.Pril7.ОстИВБезПроц, rub(1'000'000));
     }},
    // The flat bought in 2019 for 2 400 000 is taxed on its price, 0.7 of its cadastral value
    // being lower: its cost counts up to 2 000 000 and the 400 000 beyond is lost. The car's
    // 250 000 is taxed: 13 % of it is to pay.
    {"a flat sold below its cost and a car sold with the deduction of 250 000",
     [](mTDeclaration& d) {
         addPayerWith(d, {{Salary, 1'000'000}}, 130'000);
         addSaleOfFlat(d, 2'000'000, 2'400'000, 2'500'000);
         addPayerWith(d, {{1520, 500'000, 906, 250'000}}, 0);
     },
     {{10, 1'000'000, 0, 1'000'000, 1'000'000, 0, 130'000, 130'000, 0, 0},
      {18, 2'500'000, 2'250'000, 250'000, 0, 0, 32'500, 0, 32'500, 0}},
     {declaredTax(32'500)},
     [](const kTSvodSum& svod) {
         EXPECT_EQ(svod.Pril6.РасхПриобИмущ, rub(2'000'000));
         EXPECT_EQ(svod.Pril6.OtherPropertySaleDeduction, rub(250'000));
         ASSERT_EQ(svod.Pril1_Dop.Rows.size(), 1u);
         EXPECT_EQ(svod.Pril1_Dop.Rows[0].КадСтоимКоэф, rub(1'750'000));
         EXPECT_EQ(svod.Pril1_Dop.Rows[0].ДохПродНалОбл, rub(2'000'000));
     }},
    {"a car sold for 600 000 with the deduction of 250 000",
     [](mTDeclaration& d) { addPayerWith(d, {{1520, 600'000, 906, 250'000}}, 0); },
     {{18, 600'000, 250'000, 350'000, 0, 0, 45'500, 0, 45'500, 0}},
     {declaredTax(45'500)}},
    {"premises and a motorbike held under three years share one 250 000",
     [](mTDeclaration& d) {
         addPayerWith(d, {{1512, 200'000, 902, 200'000}}, 0);
         addPayerWith(d, {{1521, 150'000, 906, 150'000}}, 0);
     },
     {{18, 350'000, 250'000, 100'000, 0, 0, 13'000, 0, 13'000, 0}},
     {declaredTax(13'000)}},
    {"a flat received as a gift from a friend after wages beyond the band",
     [](mTDeclaration& d) {
         addPayerWith(d, {{Salary, 5'000'000}}, 650'000, {{Salary, 500'000}}, 75'000);
         addPayerWith(d, {{2721, 2'000'000}}, 0);
     },
     {{10, 5'500'000, 0, 5'500'000, 5'000'000, 500'000, 725'000, 725'000, 0, 0},
      {17, 2'000'000, 0, 2'000'000, 0, 0, 260'000, 0, 260'000, 0}},
     {declaredTax(260'000)}},
    {"the first child's deduction granted by two employers counts once",
     [](mTDeclaration& d) {
         addEmployerGrantingTheFirstChildsDeduction(d);
         addEmployerGrantingTheFirstChildsDeduction(d);
     },
     // 13 % of 1 183 200 is 153 816; the employers withheld 2 x 75 816.
     {{10, 1'200'000, 16'800, 1'183'200, 1'183'200, 0, 153'816, 151'632, 2'184, 0}},
     {declaredTax(2'184)}},
    {"an entrepreneur without documented expenses: the 20 % norm in every period",
     [](mTDeclaration& d) {
         mTBusinessNew& business = addBusiness(d, {"1", 2'000'000, 0, 0});
         setQuarters(business, {300'000, 500'000, 400'000, 800'000}, {0, 0, 0, 0});
     },
     {{7, 2'000'000, 400'000, 1'600'000, 1'600'000, 0, 208'000, 0, 208'000, 0}},
     {},
     [](const kTSvodSum& svod) {
         // 13 % of 80 % of 300 000, 800 000, 1 200 000 and 2 000 000: 31 200, 83 200, 124 800
         // and 208 000, paid period by period.
         const AdvancePaymentsOfCode advances{rub(31'200), rub(52'000), {}, rub(41'600), {}, rub(83'200), {}};
         EXPECT_EQ(svod.R1_punkt2.FirstCodeAdvances, advances);
         EXPECT_EQ(svod.R1_punkt2.SecondCodeAdvances, AdvancePaymentsOfCode{});
     }},
    {"a non-resident's dividend from abroad is not taxed in Russia",
     [](mTDeclaration& d) {
         d.DeclarationType = DeclarationNonResident;
         mbTSourse& payer = addPayer(d);
         payer.AddIncome99(incomeLine(4800, rub(100'000)));
         payer.WithheldTax99 = rub(30'000);
         payForeignTax(addForeignIncome(d, {1010, "840", "Apple Inc", "840", 73.5, 1'000, *encodeDate(2021, 5, 10)}),
                       100);
     },
     {{20, 100'000, 0, 100'000, 0, 0, 30'000, 30'000, 0, 0},
      {1, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
     {NothingToPay}},
};

TEST(WorkedDeclarations, GiveTheFiguresOfTheLaw)
{
    for (const WorkedDeclaration& worked : Declarations) {
        SCOPED_TRACE(worked.name);
        mTDeclaration decl;
        decl.Person.Address.OKTMO = TaxpayerOktmo;
        worked.build(decl);
        auto svod = std::make_unique<kTSvodSum>();
        svod->Calculate(decl);

        for (const SheetFigures& sheet : worked.sheets)
            expectSheet(*svod, sheet);
        EXPECT_EQ(svod->R1.Rows, worked.section1);
        EXPECT_EQ(netOfRows(svod->R1), netOfSheets(*svod));
        if (worked.moreFigures)
            worked.moreFigures(*svod);
        EXPECT_EQ(exchangeFileErrors(decl), "");
    }
}

} // namespace

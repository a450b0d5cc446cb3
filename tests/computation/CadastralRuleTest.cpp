// Real estate acquired from 2016 and sold below 0.7 of its cadastral value at 1 January of the
// year of the sale is taxed on that 0.7 (tax law, article 214.10, point 5), whichever way the
// income line was made: by the income line dialog, which stores the floor as the amount, or
// elsewhere with the bare price as the amount.
#include "computation/PropertySaleIncome.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "ComputationTestSupport.h"
#include "Section1Checks.h"
#include "computation/PropertySaleDeductions.h"
#include "computation/RussianIncome.h"
#include "computation/Summary.h"
#include "export/ExportTestSupport.h"

namespace {

// A sale of real estate owned since 2016 or later, with the figures of the property group.
std::unique_ptr<mTIncome> saleOfRealEstate(std::int32_t incomeCode, long double amount, long double price,
                                           long double cadastralValue, std::int32_t deductionCode = 0,
                                           long double deduction = 0)
{
    auto line = incomeLine(incomeCode, rub(amount), deductionCode, rub(deduction));
    line->PropertyFlag = 1;
    line->CadastralNumber = "77:01:0004042:1234";
    line->ContractPrice = rub(price);
    line->CadastralValue = rub(cadastralValue);
    return line;
}

// A buyer who is a private person: no tax agent, nothing withheld.
mbTSourse& addPrivateBuyer(mTDeclaration& decl)
{
    mbTSourse& buyer = addPayer(decl, "", "Петров Петр Петрович");
    buyer.Kpp.clear();
    return buyer;
}

// The flat of the worked example: price 4 000 000, cadastral value 6 000 000, purchase cost
// 3 500 000. Taxed on 0.7 x 6 000 000 = 4 200 000; base 4 200 000 - 3 500 000 = 700 000;
// tax 13 % = 91 000, nothing withheld, all of it to pay.
class CadastralRuleEndToEnd : public ::testing::TestWithParam<long double> {};

TEST_P(CadastralRuleEndToEnd, AFlatSoldBelowTheFloorIsTaxedOnSeventyPerCentOfItsCadastralValue)
{
    const long double storedAmount = GetParam();
    auto decl = validDeclaration();
    decl->Person.Address.OKTMO = TaxpayerOktmo;
    addPrivateBuyer(*decl).AddIncome13(
        saleOfRealEstate(1510, storedAmount, 4'000'000, 6'000'000, 903, 3'500'000));

    auto svod = std::make_unique<kTSvodSum>();
    svod->Calculate(*decl);

    const kTSvodSumRazd2& sale = svod->Razd2Sheet(18);
    EXPECT_EQ(svod->Pril1.IncomeOfKind(18), rub(4'200'000));
    EXPECT_EQ(sale.СумДох, rub(4'200'000));
    EXPECT_EQ(sale.СумНалВыч, rub(3'500'000));
    EXPECT_EQ(sale.НалБаза, rub(700'000));
    EXPECT_EQ(sale.Исчисл, rub(91'000));
    EXPECT_EQ(sale.Удерж, Currency());
    EXPECT_EQ(sale.ПодлУпл, rub(91'000));
    EXPECT_EQ(sale.ПодлВозв, Currency());
    EXPECT_EQ(svod->Pril6.РасхПриобИмущ, rub(3'500'000));
    EXPECT_EQ(svod->R1.Rows, (std::vector<bmTList1>{{Kbk030, TaxpayerOktmo, rub(91'000), {}}}));

    ASSERT_EQ(svod->Pril1_Dop.RowCount, 1);
    const mbPrilA& row = svod->Pril1_Dop.Rows[0];
    EXPECT_EQ(row.КадСтоимГодРег, rub(6'000'000));
    EXPECT_EQ(row.ДохПродЦенаДог, rub(4'000'000));
    EXPECT_EQ(row.КадСтоимКоэф, rub(4'200'000));
    EXPECT_EQ(row.ДохПродНалОбл, rub(4'200'000));

    const ExportResult exchange = exportText(*decl);
    ASSERT_TRUE(exchange.ok) << exchange.error;
    EXPECT_EQ(attributeText(exchange.text, "ДохПродОНИ", "КадСтоимГодРег"), "6000000.00");
    EXPECT_EQ(attributeText(exchange.text, "ДохПродОНИ", "ДохПродЦенаДог"), "4000000.00");
    EXPECT_EQ(attributeText(exchange.text, "ДохПродОНИ", "КадСтоимКоэф"), "4200000.00");
    EXPECT_EQ(attributeText(exchange.text, "ДохПродОНИ", "ДохПродНалОбл"), "4200000.00");
}

// The price as the amount (a line made elsewhere) and the floor as the amount (the dialog's way)
// give the same declaration.
INSTANTIATE_TEST_SUITE_P(AmountAsStored, CadastralRuleEndToEnd, ::testing::Values(4'000'000.0L, 4'200'000.0L),
                         [](const ::testing::TestParamInfo<long double>& info) {
                             return info.param == 4'000'000.0L ? std::string("PriceAsAmount")
                                                               : std::string("FloorAsAmount");
                         });

TEST(CadastralRule, TheIncomeALineIsTaxedOn)
{
    struct Case {
        const char* name;
        std::int32_t incomeCode;
        bool propertyBox;
        long double amount;
        long double cadastralValue;
        long double taxed;
    };
    const Case cases[] = {
        {"flat below the floor", 1510, true, 4'000'000, 6'000'000, 4'200'000},
        {"share below the floor", 1511, true, 1'000'000, 2'000'000, 1'400'000},
        {"other real estate below the floor", 1512, true, 100'000, 1'000'000, 700'000},
        {"price above the floor", 1510, true, 5'000'000, 6'000'000, 5'000'000},
        {"price at the floor", 1510, true, 4'200'000, 6'000'000, 4'200'000},
        {"no cadastral value known", 1510, true, 4'000'000, 0, 4'000'000},
        {"floor in kopecks, half up", 1510, true, 0, 1'234'567.89, 864'197.52},
        {"owned before 2016", 1510, false, 4'000'000, 6'000'000, 4'000'000},
        {"no real estate", 1520, true, 4'000'000, 6'000'000, 4'000'000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto line = saleOfRealEstate(c.incomeCode, c.amount, c.amount, c.cadastralValue);
        line->PropertyFlag = c.propertyBox ? 1 : 0;
        EXPECT_EQ(TaxedIncome(*line), rub(c.taxed));
    }
}

// Appendix 1 counts the floor, and the tax an agent withheld is shared by the floor too:
// a sale of 400 000 with a floor of 700 000 and wages of 300 000, 130 000 withheld, split
// 700 : 300 = 91 000 and 39 000.
TEST(CadastralRule, AppendixOneCountsTheFloorAndSplitsTheWithheldTaxByIt)
{
    mTDeclaration decl;
    mbTSourse& payer = addPayer(decl);
    payer.AddIncome13(saleOfRealEstate(1510, 400'000, 400'000, 1'000'000));
    payer.AddIncome13(incomeLine(2000, rub(300'000)));
    payer.WithheldTax13 = rub(130'000);

    kTSvodSumPril1 sheet;
    sheet.Calculate(decl);

    EXPECT_EQ(sheet.IncomeOfKind(18), rub(700'000));
    EXPECT_EQ(sheet.WithheldOfKind(18), rub(91'000));
    EXPECT_EQ(sheet.IncomeOfKind(10), rub(300'000));
    EXPECT_EQ(sheet.WithheldOfKind(10), rub(39'000));
    EXPECT_EQ(sheet.TotalIncome, rub(1'000'000));
}

// The deductions bounded by the income of the sale are bounded by the floor.
TEST(CadastralRule, SaleDeductionsAreBoundedByTheFloor)
{
    struct Case {
        const char* name;
        std::int32_t incomeCode;
        std::int32_t deductionCode;
        long double price;
        long double cadastralValue;
        long double deduction;
        Currency kTSvodSumPril6::*field;
        long double expected;
    };
    const Case cases[] = {
        // The sale deduction of housing is the income itself, within 1 000 000.
        {"housing, floor below the limit", 1510, 901, 400'000, 1'000'000, 0, &kTSvodSumPril6::ВычПродИмущ, 700'000},
        {"housing, floor above the limit", 1510, 901, 400'000, 2'000'000, 0, &kTSvodSumPril6::ВычПродИмущ,
         1'000'000},
        // The cost of a flat, of a share or of other real estate counts up to the income.
        {"cost of a flat", 1510, 903, 400'000, 1'000'000, 900'000, &kTSvodSumPril6::РасхПриобИмущ, 700'000},
        {"cost of a share", 1511, 903, 400'000, 1'000'000, 900'000, &kTSvodSumPril6::РасхПриобИмущДол, 700'000},
        {"cost of other real estate", 1512, 903, 400'000, 1'000'000, 600'000, &kTSvodSumPril6::OtherRealtyCost,
         600'000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        mTDeclaration decl;
        addPrivateBuyer(decl).AddIncome13(
            saleOfRealEstate(c.incomeCode, c.price, c.price, c.cadastralValue, c.deductionCode, c.deduction));
        kTSvodSumPril6 sheet;
        sheet.Calculate(decl);
        EXPECT_EQ(sheet.*c.field, rub(c.expected));
        EXPECT_EQ(sheet.ОбщИмущВыч, rub(c.expected));
    }
}

// The cadastral floor is a rule of the 13 % lines. A sale at 15 % is taxed on its amount, and a
// cost set against it is bounded by that amount too, so it takes nothing of another sale's
// income: 400 000 at 15 % with a cost of 900 000 and 500 000 at 13 % leave a base of 500 000.
TEST(CadastralRule, ASaleAt15PercentIsBoundedByItsAmount)
{
    mTDeclaration decl;
    mbTSourse& buyer = addPrivateBuyer(decl);
    buyer.AddIncome15(saleOfRealEstate(1512, 400'000, 400'000, 1'000'000, 903, 900'000));
    buyer.AddIncome13(incomeLine(1512, rub(500'000)));

    auto svod = std::make_unique<kTSvodSum>();
    svod->Calculate(decl);

    EXPECT_EQ(svod->Pril6.OtherRealtyCost, rub(400'000));
    const kTSvodSumRazd2& sales = svod->Razd2Sheet(18);
    EXPECT_EQ(sales.СумДох, rub(900'000));
    EXPECT_EQ(sales.НалБаза, rub(500'000));
}

} // namespace

#include "computation/PropertySaleIncome.h"

#include <gtest/gtest.h>

#include "ComputationTestSupport.h"

namespace {

std::unique_ptr<mTIncome> saleLine(std::int32_t incomeCode, bool propertyBox, Currency cadastralValue)
{
    auto line = incomeLine(incomeCode, rub(2'100'000));
    line->PropertyFlag = propertyBox ? 1 : 0;
    line->CadastralNumber = "77:01:0001001:1234";
    line->CadastralValue = cadastralValue;
    line->ContractPrice = rub(1'500'000);
    return line;
}

TEST(PropertySaleIncome, RowsOfSalesComparedWithTheCadastralValue)
{
    struct Case {
        const char* name;
        std::int32_t incomeCode;
        bool propertyBox;
        Currency cadastralValue;
        bool row;
        Currency seventyPercent;
    };
    const Case cases[] = {
        {"flat", 1510, true, rub(3'000'000), true, rub(2'100'000)},
        {"share, kopecks rounded half up", 1511, true, rub(1'234'567.89), true, rub(864'197.52)},
        {"other real estate, half a kopeck", 1512, true, rub(0.05), true, rub(0.04)}, // 0.035
        {"half a kopeck and more", 1512, true, rub(0.15), true, rub(0.11)},           // 0.105
        {"box not ticked", 1511, false, rub(3'000'000), false, {}},
        {"other property", 1520, true, rub(3'000'000), false, {}},
    };
    for (const Case& c : cases) {
        mTDeclaration decl;
        addPayer(decl).AddIncome13(saleLine(c.incomeCode, c.propertyBox, c.cadastralValue));
        kTSvodSumPril1_Dop sheet;
        EXPECT_TRUE(sheet.Calculate(decl));
        ASSERT_EQ(sheet.RowCount, c.row ? 1 : 0) << c.name;
        ASSERT_EQ(sheet.Rows.size(), c.row ? 1u : 0u) << c.name;
        if (!c.row)
            continue;
        const mbPrilA& row = sheet.Rows[0];
        EXPECT_EQ(row.НомКадОтчуждОНИ, "77:01:0001001:1234") << c.name;
        EXPECT_EQ(row.КадСтоимГодРег, c.cadastralValue) << c.name;
        EXPECT_EQ(row.ДохПродЦенаДог, rub(1'500'000)) << c.name;
        EXPECT_EQ(row.КадСтоимКоэф, c.seventyPercent) << c.name;
        EXPECT_EQ(row.ДохПродНалОбл, rub(2'100'000)) << c.name;
    }
}

// A line that holds the bare price below the floor shows the floor as its taxed income; one
// above it, the price.
TEST(PropertySaleIncome, TheTaxedIncomeIsNeverBelowTheFloor)
{
    struct Case {
        const char* name;
        long double amount;
        long double taxed;
    };
    const Case cases[] = {
        {"price below the floor", 1'500'000, 2'100'000},
        {"price above the floor", 2'500'000, 2'500'000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        mTDeclaration decl;
        auto line = saleLine(1510, true, rub(3'000'000));
        line->Amount = line->ContractPrice = rub(c.amount);
        addPayer(decl).AddIncome13(std::move(line));
        kTSvodSumPril1_Dop sheet;
        sheet.Calculate(decl);
        ASSERT_EQ(sheet.RowCount, 1);
        EXPECT_EQ(sheet.Rows[0].ДохПродЦенаДог, rub(c.amount));
        EXPECT_EQ(sheet.Rows[0].КадСтоимКоэф, rub(2'100'000));
        EXPECT_EQ(sheet.Rows[0].ДохПродНалОбл, rub(c.taxed));
    }
}

TEST(PropertySaleIncome, OnlyThirteenPercentLinesAndNoMerging)
{
    mTDeclaration decl;
    mbTSourse& buyer = addPayer(decl);
    buyer.AddIncome13(saleLine(1510, true, rub(1'000'000)));
    buyer.AddIncome13(saleLine(1510, true, rub(1'000'000)));
    buyer.AddIncome15(saleLine(1510, true, rub(1'000'000)));
    buyer.AddIncome99(saleLine(1510, true, rub(1'000'000)));
    kTSvodSumPril1_Dop sheet;
    sheet.Calculate(decl);
    EXPECT_EQ(sheet.RowCount, 2);

    sheet.Calculate(decl);
    EXPECT_EQ(sheet.RowCount, 2);
}

} // namespace

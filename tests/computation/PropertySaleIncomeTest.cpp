#include "computation/PropertySaleIncome.h"

#include <gtest/gtest.h>

#include <utility>

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

// The dialog stores the floor as the amount of a sale below it; a line made elsewhere holds the
// bare price. Either way the row shows the larger of the amount and the floor as the taxed income.
TEST(PropertySaleIncome, RowsOfSalesComparedWithTheCadastralValue)
{
    struct Case {
        const char* name;
        std::int32_t incomeCode;
        bool propertyBox;
        Currency cadastralValue;
        Currency amount;
        bool row;
        Currency seventyPercent;
        Currency taxed;
    };
    const Case cases[] = {
        {"flat", 1510, true, rub(3'000'000), rub(2'100'000), true, rub(2'100'000), rub(2'100'000)},
        {"share, kopecks rounded half up", 1511, true, rub(1'234'567.89), rub(2'100'000), true, rub(864'197.52),
         rub(2'100'000)},
        {"other real estate, half a kopeck", 1512, true, rub(0.05), rub(2'100'000), true, rub(0.04), // 0.035
         rub(2'100'000)},
        {"half a kopeck and more", 1512, true, rub(0.15), rub(2'100'000), true, rub(0.11), // 0.105
         rub(2'100'000)},
        {"the bare price below the floor", 1510, true, rub(3'000'000), rub(1'500'000), true, rub(2'100'000),
         rub(2'100'000)},
        {"the bare price above the floor", 1510, true, rub(2'000'000), rub(1'500'000), true, rub(1'400'000),
         rub(1'500'000)},
        {"box not ticked", 1511, false, rub(3'000'000), rub(2'100'000), false, {}, {}},
        {"other property", 1520, true, rub(3'000'000), rub(2'100'000), false, {}, {}},
    };
    for (const Case& c : cases) {
        mTDeclaration decl;
        auto line = saleLine(c.incomeCode, c.propertyBox, c.cadastralValue);
        line->Amount = c.amount;
        addPayer(decl).AddIncome13(std::move(line));
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
        EXPECT_EQ(row.ДохПродНалОбл, c.taxed) << c.name;
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

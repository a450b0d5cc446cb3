#include "computation/RussianIncome.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ComputationTestSupport.h"

namespace {

struct ExpectedRow {
    std::string kind;
    Currency income;
    Currency withheld;
    Currency withheldAt15 = {};
};

void expectRows(const kTSvodSumPril1& sheet, const std::vector<ExpectedRow>& expected)
{
    ASSERT_EQ(sheet.RowCount, static_cast<std::int32_t>(expected.size()));
    ASSERT_EQ(sheet.Rows.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE("row " + std::to_string(i));
        EXPECT_EQ(sheet.Rows[i].ВидДоход, expected[i].kind);
        EXPECT_EQ(sheet.Rows[i].Доход, expected[i].income);
        EXPECT_EQ(sheet.Rows[i].НалУдерж, expected[i].withheld);
        EXPECT_EQ(sheet.Rows[i].WithheldAt15, expected[i].withheldAt15);
        EXPECT_EQ(sheet.Rows[i].Ставка, "");
    }
}

TEST(RussianIncome, OneKindTakesTheWholeWithheldTax)
{
    mTDeclaration decl;
    mbTSourse& payer = addPayer(decl);
    payer.AddIncome13(incomeLine(1010, rub(100'000)));
    payer.WithheldTax13 = rub(13'000);
    kTSvodSumPril1 sheet;
    EXPECT_TRUE(sheet.Calculate(decl));

    expectRows(sheet, {{"01", rub(100'000), rub(13'000)}});
    const bmPril1Rec& row = sheet.Rows[0];
    EXPECT_EQ(row.ИНН, "7701000001");
    EXPECT_EQ(row.КПП, "770101001");
    EXPECT_EQ(row.ОКТМО, "45382000");
    EXPECT_EQ(row.Наим, "ООО Ромашка");
    EXPECT_EQ(sheet.IncomeOfKind(1), rub(100'000));
    EXPECT_EQ(sheet.WithheldOfKind(1), rub(13'000));
    EXPECT_EQ(sheet.TotalIncome, rub(100'000));
}

// The tax a payer withheld on one list is split over the list's kinds by income less
// deductions, in whole roubles, and never counted twice.
TEST(RussianIncome, WithheldTaxIsSharedOverTheKindsOfAList)
{
    struct Case {
        const char* name;
        std::vector<std::unique_ptr<mTIncome>> (*lines)();
        Currency withheld;
        std::vector<ExpectedRow> rows;
    };
    const Case cases[] = {
        {"net 40 000 and 60 000",
         [] {
             std::vector<std::unique_ptr<mTIncome>> lines;
             lines.push_back(incomeLine(2010, rub(70'000), 403, rub(10'000))); // kind 10
             lines.push_back(incomeLine(1010, rub(40'000)));                   // kind 01
             return lines;
         },
         rub(13'000),
         {{"01", rub(40'000), rub(5'200)}, {"10", rub(70'000), rub(7'800)}}},
        {"three equal kinds",
         [] {
             std::vector<std::unique_ptr<mTIncome>> lines;
             lines.push_back(incomeLine(1530, rub(10'000))); // kind 03
             lines.push_back(incomeLine(3010, rub(10'000))); // kind 02
             lines.push_back(incomeLine(1010, rub(10'000))); // kind 01
             return lines;
         },
         rub(1'000),
         {{"01", rub(10'000), rub(334)}, {"02", rub(10'000), rub(333)}, {"03", rub(10'000), rub(333)}}},
        // Nothing is left after deductions in either kind: the tax is shared by income.
        {"deductions take every income",
         [] {
             std::vector<std::unique_ptr<mTIncome>> lines;
             lines.push_back(incomeLine(1530, rub(30'000), 201, rub(40'000))); // kind 03
             lines.push_back(incomeLine(2000, rub(10'000), 403, rub(10'000))); // kind 10
             return lines;
         },
         rub(1'000),
         {{"03", rub(30'000), rub(750)}, {"10", rub(10'000), rub(250)}}},
        // One kind left after deductions takes all, kopecks included.
        {"deductions take one kind",
         [] {
             std::vector<std::unique_ptr<mTIncome>> lines;
             lines.push_back(incomeLine(1530, rub(30'000), 201, rub(40'000))); // kind 03
             lines.push_back(incomeLine(2000, rub(10'000)));                   // kind 10
             return lines;
         },
         rub(1'000.55),
         {{"03", rub(30'000), rub(0)}, {"10", rub(10'000), rub(1'000.55)}}},
        {"a line of amount 0 gives no row",
         [] {
             std::vector<std::unique_ptr<mTIncome>> lines;
             lines.push_back(incomeLine(1010, rub(0)));
             lines.push_back(incomeLine(2000, rub(10'000)));
             return lines;
         },
         rub(1'300),
         {{"10", rub(10'000), rub(1'300)}}},
        {"no tax withheld",
         [] {
             std::vector<std::unique_ptr<mTIncome>> lines;
             lines.push_back(incomeLine(1010, rub(5'000)));
             lines.push_back(incomeLine(2000, rub(10'000)));
             return lines;
         },
         rub(0),
         {{"01", rub(5'000), rub(0)}, {"10", rub(10'000), rub(0)}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        mTDeclaration decl;
        mbTSourse& payer = addPayer(decl);
        for (auto& line : c.lines())
            payer.AddIncome13(std::move(line));
        payer.WithheldTax13 = c.withheld;
        kTSvodSumPril1 sheet;
        sheet.Calculate(decl);
        expectRows(sheet, c.rows);
    }
}

TEST(RussianIncome, RowsOfTheSamePayerAndKindMerge)
{
    mTDeclaration decl;
    for (int i = 0; i < 2; ++i) {
        mbTSourse& payer = addPayer(decl);
        payer.AddIncome13(incomeLine(2000, rub(10'000)));
        payer.WithheldTax13 = rub(1'300);
    }
    mbTSourse& other = addPayer(decl, "7702000002", "ООО Лютик");
    other.AddIncome13(incomeLine(2000, rub(1'000)));
    other.WithheldTax13 = rub(130);
    kTSvodSumPril1 sheet;
    sheet.Calculate(decl);

    EXPECT_EQ(sheet.RawRowCount, 3);
    expectRows(sheet, {{"10", rub(20'000), rub(2'600)}, {"10", rub(1'000), rub(130)}});
    EXPECT_EQ(sheet.IncomeOfKind(10), rub(21'000));
    EXPECT_EQ(sheet.WithheldOfKind(10), rub(2'730));
}

TEST(RussianIncome, FifteenPercentListCarriesItsWithheldTaxApart)
{
    mTDeclaration decl;
    mbTSourse& payer = addPayer(decl);
    payer.AddIncome13(incomeLine(2000, rub(5'000'000)));
    payer.WithheldTax13 = rub(650'000);
    payer.AddIncome15(incomeLine(2000, rub(1'000'000)));
    payer.WithheldTax15 = rub(150'000);
    kTSvodSumPril1 sheet;
    sheet.Calculate(decl);

    expectRows(sheet, {{"10", rub(6'000'000), rub(800'000), rub(150'000)}});
    EXPECT_EQ(sheet.RawRowCount, 2);
    EXPECT_EQ(sheet.WithheldAt15OfKind(10), rub(150'000));
}

TEST(RussianIncome, ResidentOtherRateLinesKeepTheirOwnTax)
{
    mTDeclaration decl;
    mbTSourse& payer = addPayer(decl);
    payer.AddIncome99(incomeLine(2740, rub(10'000)));
    payer.GetIncome99(0).WithheldTax = rub(3'500);
    payer.AddIncome99(incomeLine(2620, rub(50'000)));
    payer.GetIncome99(1).WithheldTax = rub(700);
    payer.AddIncome99(incomeLine(2740, rub(0)));
    payer.GetIncome99(2).WithheldTax = rub(100);
    payer.WithheldTax99 = rub(99'999); // the lines' own tax counts, not this
    kTSvodSumPril1 sheet;
    sheet.Calculate(decl);

    expectRows(sheet, {{"19", rub(10'000), rub(3'600)}, {"35", rub(0), rub(700)}});
    const bmPril1Rec& deposit = sheet.Rows[1];
    EXPECT_EQ(deposit.ИНН, "");
    EXPECT_EQ(deposit.Наим, "");
    EXPECT_EQ(deposit.ОКТМО, "45382000");
    EXPECT_EQ(sheet.Withheld2620, rub(700));
    EXPECT_EQ(sheet.WithheldOfKind(19), rub(3'600));
    EXPECT_EQ(sheet.TotalIncome, rub(10'000));
}

TEST(RussianIncome, NonResidentKindsComeFromTheRateList)
{
    mTDeclaration decl;
    decl.DeclarationType = DeclarationNonResident;
    mbTSourse& payer = addPayer(decl);
    payer.AddIncome13(incomeLine(2000, rub(1'000)));  // 16
    payer.AddIncome13(incomeLine(6015, rub(3'000)));  // 15
    payer.WithheldTax13 = rub(520);
    payer.AddIncome15(incomeLine(1010, rub(2'000)));  // 21
    payer.AddIncome15(incomeLine(6015, rub(2'000)));  // 15
    payer.AddIncome15(incomeLine(2000, rub(2'000)));  // 16
    payer.WithheldTax15 = rub(900);
    payer.AddIncome99(incomeLine(1005, rub(10'000))); // 22
    payer.AddIncome99(incomeLine(2000, rub(10'000))); // 20
    payer.WithheldTax99 = rub(3'500);
    kTSvodSumPril1 sheet;
    sheet.Calculate(decl);

    expectRows(sheet, {
                          {"15", rub(5'000), rub(690), rub(300)}, // 390 + 300
                          {"16", rub(3'000), rub(430), rub(300)}, // 130 + 300
                          {"21", rub(2'000), rub(300), rub(300)},
                          {"20", rub(10'000), rub(1'750)},
                          {"22", rub(10'000), rub(1'750)},
                      });
    EXPECT_EQ(sheet.RawRowCount, 7);
    EXPECT_EQ(sheet.Withheld2620, rub(0));
}

TEST(RussianIncome, TotalsOfTheKinds)
{
    mTDeclaration decl;
    mbTSourse& payer = addPayer(decl);
    payer.AddIncome13(incomeLine(1400, rub(100)));  // 08
    payer.AddIncome13(incomeLine(6009, rub(200)));  // 09
    payer.AddIncome13(incomeLine(2000, rub(300)));  // 10
    payer.AddIncome13(incomeLine(6014, rub(400)));  // 14
    payer.AddIncome13(incomeLine(1200, rub(500)));  // 17
    payer.AddIncome13(incomeLine(1510, rub(600)));  // 18
    payer.AddIncome13(incomeLine(1010, rub(700)));  // 01
    payer.AddIncome13(incomeLine(1000, rub(800)));  // 05: a row but no total
    payer.AddIncome13(incomeLine(9999, rub(900)));  // 07: a row but no total
    kTSvodSumPril1 sheet;
    sheet.Calculate(decl);

    EXPECT_EQ(sheet.RowCount, 9);
    EXPECT_EQ(sheet.IncomeOfKinds8To18, rub(2'100));
    EXPECT_EQ(sheet.TotalIncome, rub(2'800));
    EXPECT_EQ(sheet.IncomeOfKind(5), rub(0));
    EXPECT_EQ(sheet.IncomeOfKind(7), rub(0));
}

TEST(RussianIncome, PayerTextsAreCutTo255Characters)
{
    mTDeclaration decl;
    std::string longName;
    for (int i = 0; i < 300; ++i)
        longName += "Ж";
    mbTSourse& payer = addPayer(decl, longName, longName);
    payer.Kpp = longName;
    payer.Oktmo = longName;
    payer.AddIncome13(incomeLine(2000, rub(1)));
    kTSvodSumPril1 sheet;
    sheet.Calculate(decl);

    ASSERT_EQ(sheet.RowCount, 1);
    const std::string cut = longName.substr(0, 255 * std::string("Ж").size());
    EXPECT_EQ(sheet.Rows[0].ИНН, cut);
    EXPECT_EQ(sheet.Rows[0].КПП, cut);
    EXPECT_EQ(sheet.Rows[0].ОКТМО, cut);
    EXPECT_EQ(sheet.Rows[0].Наим, longName);
}

TEST(RussianIncome, NoPayersNoRows)
{
    mTDeclaration decl;
    kTSvodSumPril1 sheet;
    sheet.Rows.emplace_back();
    sheet.IncomeByKind[0] = rub(1);
    EXPECT_TRUE(sheet.Calculate(decl));
    EXPECT_EQ(sheet.RowCount, 0);
    EXPECT_TRUE(sheet.Rows.empty());
    EXPECT_EQ(sheet.IncomeOfKind(1), rub(0));
    EXPECT_EQ(sheet.TotalIncome, rub(0));
}

} // namespace

#include "computation/Securities.h"

#include <gtest/gtest.h>

#include <ostream>
#include <vector>

#include "SecuritiesDeclarations.h"

void PrintTo(const bmPr8Rec& row, std::ostream* out)
{
    *out << row.ВидОпер << " income ";
    PrintTo(row.ДохСовОпер, out);
    *out << " expense ";
    PrintTo(row.РасхРеалЦБ, out);
    *out << " losses " << int(row.ПризУчетУбыт);
    for (const auto& [code, amount] : {std::pair{row.ВидОперУбыт1, row.УбытУмДохОпер1},
                                       std::pair{row.ВидОперУбыт2, row.УбытУмДохОпер2},
                                       std::pair{row.ВидОперУбыт3, row.УбытУмДохОпер3}}) {
        *out << " [" << code << ' ';
        PrintTo(amount, out);
        *out << ']';
    }
}

namespace {

struct Loss {
    const char* code;
    long double amount;
};

struct ExpectedRow {
    const char* code;
    long double income;
    long double expense;
    long double expenseUsed;
    std::uint8_t lossFlag;
    std::vector<Loss> losses; // the pairs written, at most three
    long double deduction2191 = 0;
    long double exempt2193 = 0;
};

void expectRows(const kTSvodSumPril8& sheet, const std::vector<ExpectedRow>& expected)
{
    ASSERT_EQ(sheet.RowCount, static_cast<std::int32_t>(expected.size()));
    ASSERT_EQ(sheet.Rows.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const ExpectedRow& e = expected[i];
        const bmPr8Rec& row = sheet.Rows[i];
        SCOPED_TRACE(testing::Message() << "row " << i << " (" << e.code << ")");
        EXPECT_EQ(row.ВидОпер, e.code);
        EXPECT_EQ(row.ДохСовОпер, rub(e.income));
        EXPECT_EQ(row.РасхРеалЦБ, rub(e.expense));
        EXPECT_EQ(row.РасхУмДохОпер, rub(e.expenseUsed));
        EXPECT_EQ(row.ПризУчетУбыт, e.lossFlag);
        EXPECT_EQ(row.ИнвВыч219_1Опер, rub(e.deduction2191));
        EXPECT_EQ(row.ИнвВыч219_3Опер, rub(e.exempt2193));
        const std::string codes[] = {row.ВидОперУбыт1, row.ВидОперУбыт2, row.ВидОперУбыт3};
        const Currency amounts[] = {row.УбытУмДохОпер1, row.УбытУмДохОпер2, row.УбытУмДохОпер3};
        for (std::size_t pair = 0; pair < 3; ++pair) {
            SCOPED_TRACE(testing::Message() << "loss pair " << pair + 1);
            const bool present = pair < e.losses.size();
            EXPECT_EQ(codes[pair], present ? e.losses[pair].code : "");
            EXPECT_EQ(amounts[pair], present ? rub(e.losses[pair].amount) : Currency());
        }
    }
}

} // namespace

// Ordinary account: group 1 with expenses, a loss carried on an income line, losses of groups
// 7a, 8a and 4, a carried securities loss and the investment deduction; five losses split row
// "01" in two. Investment account: group 1 with a carried loss, group 4 reduced by the loss of
// group 5. Worked by hand:
//   group 1: 1 100 000 - 200 000 expenses = 900 000; deduction 300 000 leaves 600 000;
//   7a gives 30 000, 8a 20 000, code 218 50 000 (500 000 left, the base);
//   the carried loss takes 100 000 of it, the loss of group 4 (70 000 - 10 000) 60 000;
//   the first "01" covers 200 000 + 300 000 + 30 000 + 20 000 + 50 000 = 600 000, the second
//   the other 500 000 of the income with losses "31" and "06".
//   account group 1: 200 000 - 50 000 = 150 000, the carried loss 20 000 (code "34");
//   account group 4: 30 000 - 10 000 = 20 000, offset by the loss of group 5 (40 000): 20 000.
TEST(SecuritiesAppendix, WorkedCaseWithSplitRowAndInvestmentAccount)
{
    mTDeclaration decl = workedSecuritiesDeclaration();

    const auto svod = securitiesComputed(decl);

    const kTSvodSumPril8& sheet = svod->Pril8;
    expectRows(sheet, {
                          {"01", 600'000, 200'000, 200'000, 1, {{"10", 30'000}, {"12", 20'000}, {"15", 50'000}},
                           300'000},
                          {"01", 500'000, 0, 0, 1, {{"31", 100'000}, {"06", 60'000}}},
                          {"06", 10'000, 70'000, 10'000, 0, {}},
                          {"10", 10'000, 40'000, 10'000, 0, {}},
                          {"12", 5'000, 25'000, 5'000, 0, {}},
                          {"16", 200'000, 50'000, 50'000, 1, {{"34", 20'000}}},
                          {"21", 30'000, 10'000, 10'000, 1, {{"22", 20'000}}},
                          {"22", 5'000, 45'000, 5'000, 0, {}},
                      });
    EXPECT_EQ(sheet.Rows[0].Losses.size(), 5u);
    EXPECT_EQ(sheet.DeductionTotal, rub(300'000));
    // Used expenses and every loss used: 200 000 + 260 000, 10 000, 10 000, 5 000, 50 000 +
    // 20 000, 10 000 + 20 000, 5 000.
    EXPECT_EQ(sheet.ReductionTotal, rub(590'000));
}

// Group 3 with exactly four losses: 7b, 8b, the carried loss of code 219 and the partnership's
// loss of row "13"; the second "04" has one loss pair and an empty second pair.
TEST(SecuritiesAppendix, FourLossesSplitTheRow)
{
    mTDeclaration decl = declarationWith({{1531, 500'000, 202, 100'000},
                                          {1531, 0, 219, 10'000},
                                          {9537, 1'000, 201, 6'000},
                                          {9538, 1'000, 201, 4'000},
                                          {5013, 2'000, 201, 9'000}});
    const auto svod = securitiesComputed(decl);
    const kTSvodSumPril8& sheet = svod->Pril8;
    expectRows(sheet, {
                          {"04", 118'000, 100'000, 100'000, 1, {{"10", 5'000}, {"12", 3'000}, {"15", 10'000}}},
                          {"04", 382'000, 0, 0, 1, {{"13", 7'000}}},
                          {"10", 1'000, 6'000, 1'000, 0, {}},
                          {"12", 1'000, 4'000, 1'000, 0, {}},
                          {"13", 2'000, 9'000, 2'000, 0, {}},
                      });
    EXPECT_EQ(sheet.DeductionTotal, Currency());
    EXPECT_EQ(sheet.ReductionTotal, rub(129'000));
}

TEST(SecuritiesAppendix, RowsNeedIncomeOrExpenses)
{
    const struct {
        const char* name;
        LineFigures line;
        std::vector<ExpectedRow> rows;
        long double reductions;
    } cases[] = {
        {"expenses without income", {1536, 0, 201, 5'000}, {{"03", 0, 5'000, 0, 0, {}}}, 0},
        {"neither income nor expenses", {1536, 0, 201, 0}, {}, 0},
        {"income without expenses", {1533, 7'000, 201, 0}, {{"08", 7'000, 0, 0, 0, {}}}, 0},
        {"code 201 on code 1530 without loss", {1530, 7'000, 201, 2'000}, {{"01", 7'000, 2'000, 2'000, 0, {}}}, 2'000},
        {"code 218 on code 1530", {1530, 7'000, 218, 2'000}, {{"01", 7'000, 0, 0, 1, {{"15", 2'000}}}}, 2'000},
        {"deduction code 0 is no operation", {1530, 7'000, 0, 2'000}, {}, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        mTDeclaration decl = declarationWith({c.line});
        const auto svod = securitiesComputed(decl);
        const kTSvodSumPril8& sheet = svod->Pril8;
        expectRows(sheet, c.rows);
        EXPECT_EQ(sheet.ReductionTotal, rub(c.reductions));
    }
}

TEST(SecuritiesAppendix, ALossOfAnotherGroupReducesARowWithOneLossSource)
{
    mTDeclaration decl = declarationWith({{1530, 10'000, 201, 30'000}, {1536, 15'000, 201, 5'000}});
    const auto svod = securitiesComputed(decl);
    const kTSvodSumPril8& sheet = svod->Pril8;
    expectRows(sheet, {
                          {"01", 10'000, 30'000, 10'000, 0, {}},
                          {"03", 15'000, 5'000, 5'000, 1, {{"01", 10'000}}},
                      });
    EXPECT_EQ(sheet.ReductionTotal, rub(25'000));
}

TEST(SecuritiesAppendix, PartnershipRows)
{
    mTDeclaration decl = declarationWith({{5002, 20'000, 201, 2'000}, {5005, 10'000, 201, 0}, {5013, 1'000, 201, 0}});
    decl.InvDeduct.Granted = 1;
    decl.InvDeduct.PartnershipDeduction = rub(5'000);
    decl.CBDeduct.Granted = 1;
    decl.CBDeduct.LossPartnership = rub(25'000);

    const auto svod = securitiesComputed(decl);

    const kTSvodSumPril8& sheet = svod->Pril8;
    expectRows(sheet, {
                          {"02", 20'000, 2'000, 2'000, 1, {{"33", 13'000}}, 5'000},
                          {"05", 10'000, 0, 0, 1, {{"33", 10'000}}},
                          {"13", 1'000, 0, 0, 0, {}},
                      });
    EXPECT_EQ(sheet.DeductionTotal, rub(5'000));
    EXPECT_EQ(sheet.ReductionTotal, rub(25'000));
}

TEST(SecuritiesAppendix, ExemptIncomeOfInvestmentAccountsIsADeduction)
{
    mTDeclaration decl =
        declarationWith({{1544, 100'000, 225, 30'000}, {1544, 0, 233, 10'000}, {5017, 10'000, 201, 1'000}});
    decl.InvDeduct.Granted = 1;
    decl.InvDeduct.ApplyIncomeDeduction = 1;
    decl.CBDeduct.Granted = 1;
    decl.CBDeduct.LossSecuritiesIIS = rub(5'000);

    const auto svod = securitiesComputed(decl);

    const kTSvodSumPril8& sheet = svod->Pril8;
    expectRows(sheet, {
                          {"16", 100'000, 30'000, 30'000, 0, {}, 0, 70'000},
                          {"17", 10'000, 1'000, 1'000, 0, {}, 0, 9'000},
                      });
    EXPECT_EQ(sheet.DeductionTotal, rub(79'000));
    EXPECT_EQ(sheet.ReductionTotal, rub(31'000));
}

TEST(SecuritiesAppendix, WithoutSecuritiesLinesThereAreNoRows)
{
    mTDeclaration decl = declarationWith({{2000, 100'000, 0, 0}, {1010, 5'000, 0, 0}});
    const auto svod = securitiesComputed(decl);
    const kTSvodSumPril8& sheet = svod->Pril8;
    EXPECT_EQ(sheet.RowCount, 0);
    EXPECT_TRUE(sheet.Rows.empty());
    EXPECT_EQ(sheet.DeductionTotal, Currency());
    EXPECT_EQ(sheet.ReductionTotal, Currency());
}

// Through the whole computation: the sheets run in the order of the data flow, and section-2
// sheet "03" takes the totals as its deductions and expenses.
TEST(SecuritiesAppendix, FeedsSectionTwoThroughTheSummary)
{
    mTDeclaration decl = declarationWith(
        {{1531, 500'000, 202, 100'000}, {1531, 0, 219, 10'000}, {9537, 1'000, 201, 6'000}, {5013, 2'000, 201, 9'000}});
    decl.InvDeduct.Granted = 1;
    const auto alone = securitiesComputed(decl);

    auto svod = std::make_unique<kTSvodSum>();
    svod->Calculate(decl);
    EXPECT_EQ(svod->Pril8.Rows, alone->Pril8.Rows);
    EXPECT_EQ(svod->Razd2Sheet(3).СумНалВыч, svod->Pril8.DeductionTotal);
    EXPECT_EQ(svod->Razd2Sheet(3).СумРасх, svod->Pril8.ReductionTotal);
    EXPECT_EQ(svod->Pril8.ReductionTotal, rub(100'000 + 5'000 + 10'000 + 7'000 + 1'000 + 2'000));
}

TEST(SecuritiesAppendix, ASecondRunStartsAfresh)
{
    mTDeclaration decl = declarationWith({{1530, 7'000, 201, 2'000}});
    auto svod = securitiesComputed(decl);
    svod->Pril8.Calculate(decl, *svod);
    EXPECT_EQ(svod->Pril8.RowCount, 1);
    EXPECT_EQ(svod->Pril8.ReductionTotal, rub(2'000));
}

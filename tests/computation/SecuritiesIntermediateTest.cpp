#include "computation/SecuritiesIntermediate.h"

#include <gtest/gtest.h>

#include "SecuritiesDeclarations.h"

namespace {

struct AccumulationCase {
    const char* name;
    LineFigures line;
    int group; // 0: none
    long double income;
    long double expense;
    long double carriedLoss1;
    long double carriedLoss3;
};

// One line at a time; a carried loss is used up to the group's income, so it shows in full.
const AccumulationCase OrdinaryAccountCases[] = {
    {"code 201 is an expense of group 1", {1530, 1'000, 201, 300}, 1, 1'000, 300, 0, 0},
    {"code 218 is a carried loss of group 1", {1530, 1'000, 218, 300}, 1, 1'000, 0, 300, 0},
    {"another code adds only the income of group 1", {1530, 1'000, 202, 300}, 1, 1'000, 0, 0, 0},
    {"deduction code 0 leaves the line out", {1530, 1'000, 0, 300}, 0, 0, 0, 0, 0},
    {"code 202 is an expense of group 3", {1531, 1'000, 202, 300}, 3, 1'000, 300, 0, 0},
    {"code 219 is a carried loss of group 3", {1531, 1'000, 219, 300}, 3, 1'000, 0, 0, 300},
    {"group 2 takes any code as expense", {1536, 1'000, 218, 300}, 2, 1'000, 300, 0, 0},
    {"group 4", {1532, 1'000, 1, 300}, 4, 1'000, 300, 0, 0},
    {"group 5", {1535, 1'000, 1, 300}, 5, 1'000, 300, 0, 0},
    {"group 6", {1533, 1'000, 1, 300}, 6, 1'000, 300, 0, 0},
    {"group 7, part a", {1537, 1'000, 1, 300}, 7, 1'000, 300, 0, 0},
    {"group 7, part b", {9537, 1'000, 1, 300}, 7, 1'000, 300, 0, 0},
    {"group 8, part a", {1538, 1'000, 1, 300}, 8, 1'000, 300, 0, 0},
    {"group 8, part b", {9538, 1'000, 1, 300}, 8, 1'000, 300, 0, 0},
    {"code 1534 belongs to no group", {1534, 1'000, 201, 300}, 0, 0, 0, 0, 0},
    {"an investment-account code", {1544, 1'000, 201, 300}, 0, 0, 0, 0, 0},
};

const AccumulationCase InvestmentAccountCases[] = {
    {"code 225 is an expense of group 1", {1544, 1'000, 225, 300}, 1, 1'000, 300, 0, 0},
    {"code 233 is a carried loss of group 1", {1544, 1'000, 233, 300}, 1, 1'000, 0, 300, 0},
    {"code 201 adds only the income", {1544, 1'000, 201, 300}, 1, 1'000, 0, 0, 0},
    {"code 226 is an expense of group 3", {1545, 1'000, 226, 300}, 3, 1'000, 300, 0, 0},
    {"code 234 is a carried loss of group 3", {1545, 1'000, 234, 300}, 3, 1'000, 0, 0, 300},
    {"group 2", {1549, 1'000, 1, 300}, 2, 1'000, 300, 0, 0},
    {"group 4", {1546, 1'000, 1, 300}, 4, 1'000, 300, 0, 0},
    {"group 5", {1548, 1'000, 1, 300}, 5, 1'000, 300, 0, 0},
    {"group 6", {1547, 1'000, 1, 300}, 6, 1'000, 300, 0, 0},
    {"group 7, part a", {1551, 1'000, 1, 300}, 7, 1'000, 300, 0, 0},
    {"group 7, part b", {9551, 1'000, 1, 300}, 7, 1'000, 300, 0, 0},
    {"group 8, part a", {1552, 1'000, 1, 300}, 8, 1'000, 300, 0, 0},
    {"group 8, part b", {9552, 1'000, 1, 300}, 8, 1'000, 300, 0, 0},
    {"code 1550 belongs to no group", {1550, 1'000, 225, 300}, 0, 0, 0, 0, 0},
    {"an ordinary-account code", {1530, 1'000, 201, 300}, 0, 0, 0, 0, 0},
};

void expectAccumulated(const kTSvodSumPrilJ& sheet, const AccumulationCase& c)
{
    for (int n = 1; n <= kTSvodSumPrilJ::GroupCount; ++n) {
        SCOPED_TRACE(n);
        const bool lineGroup = n == c.group;
        EXPECT_EQ(sheet.Group(n).Income, lineGroup ? rub(c.income) : Currency());
        EXPECT_EQ(sheet.Group(n).Expense, lineGroup ? rub(c.expense) : Currency());
    }
    EXPECT_EQ(sheet.CarriedLoss1, rub(c.carriedLoss1));
    EXPECT_EQ(sheet.CarriedLoss3, rub(c.carriedLoss3));
}

} // namespace

TEST(SecuritiesSheets, EachIncomeCodeFallsIntoItsGroup)
{
    for (const AccumulationCase& c : OrdinaryAccountCases) {
        SCOPED_TRACE(c.name);
        mTDeclaration decl = declarationWith({c.line});
        expectAccumulated(securitiesComputed(decl)->PrilJ1, c);
    }
    for (const AccumulationCase& c : InvestmentAccountCases) {
        SCOPED_TRACE(c.name);
        mTDeclaration decl = declarationWith({c.line});
        expectAccumulated(securitiesComputed(decl)->PrilJ2, c);
    }
}

TEST(SecuritiesSheets, PartsOfGroupsSevenAndEightAreKeptApart)
{
    mTDeclaration decl = declarationWith({{1537, 100, 1, 10}, {9537, 200, 1, 20}, {1538, 300, 1, 30}, {9538, 400, 1, 40}});
    const auto svod = securitiesComputed(decl);
    const kTSvodSumPrilJ& sheet = svod->PrilJ1;
    EXPECT_EQ(sheet.Income7a, rub(100));
    EXPECT_EQ(sheet.Expense7a, rub(10));
    EXPECT_EQ(sheet.Income7b, rub(200));
    EXPECT_EQ(sheet.Expense7b, rub(20));
    EXPECT_EQ(sheet.Income8a, rub(300));
    EXPECT_EQ(sheet.Expense8a, rub(30));
    EXPECT_EQ(sheet.Income8b, rub(400));
    EXPECT_EQ(sheet.Expense8b, rub(40));
    EXPECT_EQ(sheet.Group(7).ExpenseUsed, rub(30));
    EXPECT_EQ(sheet.Group(8).ExpenseUsed, rub(70));
}

TEST(SecuritiesSheets, FifteenPercentLinesAndDeclaredForeignIncomesCount)
{
    mTDeclaration decl = declarationWith({{1530, 1'000, 201, 100}});
    decl.SetIncomeKinds(IncomeKindSources | IncomeKindForeign);
    auto line15 = std::make_unique<mTIncome>();
    line15->IncomeCode = 1530;
    line15->Amount = rub(2'000);
    line15->DeductionCode = 201;
    line15->Deduction = rub(200);
    decl.GetSource(0)->AddIncome15(std::move(line15));
    mTCurrencyIncome& foreign = *decl.GetCurrencyIncome(decl.AddCurrencyIncome());
    foreign.IncomeCode = 1530;
    foreign.IncomeRoubles = rub(4'000);
    foreign.DeductionCode = 201;
    foreign.DeductionSum = rub(400);
    mTCurrencyIncome& foreignPartnership = *decl.GetCurrencyIncome(decl.AddCurrencyIncome());
    foreignPartnership.IncomeCode = 5002;
    foreignPartnership.IncomeRoubles = rub(8'000);
    foreignPartnership.DeductionCode = 201;

    auto svod = securitiesComputed(decl);
    EXPECT_EQ(svod->PrilJ1.Group(1).Income, rub(7'000));
    EXPECT_EQ(svod->PrilJ1.Group(1).Expense, rub(700));
    EXPECT_EQ(svod->PrilI.RowOf(2).Income, Currency()) << "partnerships take no foreign incomes";

    // Stored foreign incomes of a declaration without the foreign-currency kind do not count.
    auto stored = std::make_unique<mTCurrencyIncome>(foreign);
    decl.SetIncomeKinds(IncomeKindSources);
    decl.CurrencyIncomes.add(std::move(stored));
    EXPECT_EQ(securitiesComputed(decl)->PrilJ1.Group(1).Income, rub(3'000));
}

// The investment deduction takes the net income of group 1 first; nothing is left for the
// losses of groups 7a and 8a or the carried loss.
TEST(SecuritiesSheets, InvestmentDeductionAboveTheNetIncomeUsesItUp)
{
    mTDeclaration decl = declarationWith({{1530, 100'000, 201, 20'000}, {1530, 0, 218, 10'000}, {1537, 0, 1, 5'000}});
    decl.InvDeduct.Granted = 1;
    decl.InvDeduct.SecuritiesDeduction = rub(500'000);

    const auto svod = securitiesComputed(decl);

    const kTSvodSumPrilJ& sheet = svod->PrilJ1;
    EXPECT_EQ(sheet.Deduction2191, rub(80'000));
    EXPECT_EQ(sheet.Loss7aUsed, Currency());
    EXPECT_EQ(sheet.CarriedLoss1, Currency());
    EXPECT_EQ(sheet.Base1, Currency());
    EXPECT_EQ(sheet.Loss1, Currency());
}

// A part of group 7 gives at most its own excess of expenses and at most the loss of the whole
// group; part a goes to group 1, part b to group 3.
TEST(SecuritiesSheets, LossOfGroupSevenIsSharedByItsParts)
{
    const struct {
        const char* name;
        LineFigures partA;
        LineFigures partB;
        long double usedByGroup1;
        long double usedByGroup3;
    } cases[] = {
        {"part a's loss, cut to the group's", {1537, 0, 1, 10'000}, {9537, 6'000, 1, 0}, 4'000, 0},
        {"part b's loss, cut to the group's", {1537, 3'000, 1, 0}, {9537, 0, 1, 8'000}, 0, 5'000},
        {"both parts with losses", {1537, 0, 1, 1'000}, {9537, 0, 1, 2'000}, 1'000, 2'000},
        {"the group has income", {1537, 0, 1, 1'000}, {9537, 5'000, 1, 0}, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        mTDeclaration decl = declarationWith({{1530, 100'000, 201, 0}, {1531, 50'000, 202, 0}, c.partA, c.partB});
        const auto svod = securitiesComputed(decl);
        const kTSvodSumPrilJ& sheet = svod->PrilJ1;
        EXPECT_EQ(sheet.Loss7aUsed, rub(c.usedByGroup1));
        EXPECT_EQ(sheet.Loss7bUsed, rub(c.usedByGroup3));
    }
}

TEST(SecuritiesSheets, CarriedDerivativesLossGoesToGroupFiveFirst)
{
    mTDeclaration decl = declarationWith({{1535, 60'000, 1, 0}, {1532, 80'000, 1, 0}});
    decl.CBDeduct.Granted = 1;
    decl.CBDeduct.LossDerivatives = rub(100'000);

    const auto svod = securitiesComputed(decl);

    const kTSvodSumPrilJ& sheet = svod->PrilJ1;
    EXPECT_EQ(sheet.PriorDerivLoss, rub(100'000));
    EXPECT_EQ(sheet.PriorDerivLossUsed5, rub(60'000));
    EXPECT_EQ(sheet.PriorDerivLossUsed4, rub(40'000));
    EXPECT_EQ(sheet.Loss4Used5, Currency());
    EXPECT_EQ(sheet.Loss5Used4, Currency());
}

TEST(SecuritiesSheets, LossesOfGroupsOneFourAndFiveOffsetOneAnother)
{
    mTDeclaration decl = declarationWith(
        {{1530, 10'000, 201, 30'000}, {1536, 15'000, 1, 5'000}, {1532, 50'000, 1, 0}, {1535, 0, 1, 8'000}});
    const auto svod = securitiesComputed(decl);
    const kTSvodSumPrilJ& sheet = svod->PrilJ1;
    EXPECT_EQ(sheet.Loss1, rub(20'000));
    EXPECT_EQ(sheet.Loss1Used2, rub(10'000));
    EXPECT_EQ(sheet.Base4, rub(50'000));
    EXPECT_EQ(sheet.Loss5, rub(8'000));
    EXPECT_EQ(sheet.Loss5Used4, rub(8'000));
    EXPECT_EQ(sheet.Loss1Used4, rub(10'000));
    EXPECT_EQ(sheet.Loss4Used1, Currency());
    EXPECT_EQ(sheet.Loss4Used5, Currency());
}

TEST(SecuritiesSheets, CarriedSecuritiesLossThenGroupFourLossReduceGroupOne)
{
    mTDeclaration decl = declarationWith({{1530, 100'000, 201, 20'000}, {1532, 0, 1, 50'000}});
    decl.CBDeduct.Granted = 1;
    decl.CBDeduct.LossSecurities = rub(60'000);
    const auto svod = securitiesComputed(decl);
    const kTSvodSumPrilJ& sheet = svod->PrilJ1;
    EXPECT_EQ(sheet.Base1, rub(80'000));
    EXPECT_EQ(sheet.PriorSecLossUsed, rub(60'000));
    EXPECT_EQ(sheet.Loss4Used1, rub(20'000));
}

TEST(SecuritiesSheets, IncomeDeductionOfInvestmentAccountsExemptsTheirNetIncome)
{
    mTDeclaration decl = declarationWith({{1544, 100'000, 225, 30'000},
                                          {1544, 0, 233, 10'000},
                                          {1546, 20'000, 1, 25'000},
                                          {5017, 10'000, 1, 1'000},
                                          {5028, 5'000, 1, 7'000}});
    decl.InvDeduct.Granted = 1;
    decl.InvDeduct.ApplyIncomeDeduction = 1;
    decl.CBDeduct.Granted = 1;
    decl.CBDeduct.LossSecuritiesIIS = rub(5'000);
    decl.CBDeduct.LossPartnershipIIS = rub(3'000);

    auto svod = securitiesComputed(decl);
    const kTSvodSumPrilJ& accounts = svod->PrilJ2;
    EXPECT_EQ(accounts.Group(1).Exempt, rub(70'000));
    EXPECT_EQ(accounts.Group(4).Exempt, Currency());
    EXPECT_EQ(accounts.CarriedLoss1, Currency());
    EXPECT_EQ(accounts.PriorSecLossUsed, Currency());
    EXPECT_EQ(accounts.Loss1, Currency());

    const kTSvodSumPrilI& partnership = svod->PrilI;
    EXPECT_EQ(partnership.RowOf(17).Exempt, rub(9'000));
    EXPECT_EQ(partnership.RowOf(17).LossUsed, Currency());
    EXPECT_EQ(partnership.RowOf(28).Exempt, Currency());
    EXPECT_EQ(partnership.Loss28, rub(2'000));

    // The ordinary accounts are not exempt.
    EXPECT_EQ(svod->PrilJ1.Group(1).Exempt, Currency());
}

TEST(PartnershipSheet, CarriedLossGoesToTheRowsInTheirOrder)
{
    mTDeclaration decl = declarationWith({{5002, 20'000, 1, 2'000},
                                          {5005, 10'000, 1, 0},
                                          {5009, 8'000, 1, 0},
                                          {5011, 1'000, 1, 0},
                                          {5013, 1'000, 1, 4'000},
                                          {5017, 3'000, 1, 0},
                                          {5020, 5'000, 1, 0},
                                          {5024, 5'000, 1, 0},
                                          {5003, 7'000, 1, 0}});
    decl.InvDeduct.Granted = 1;
    decl.InvDeduct.PartnershipDeduction = rub(5'000);
    decl.CBDeduct.Granted = 1;
    decl.CBDeduct.LossPartnership = rub(25'000);
    decl.CBDeduct.LossPartnershipIIS = rub(4'000);

    auto svod = securitiesComputed(decl);
    const kTSvodSumPrilI& sheet = svod->PrilI;
    EXPECT_EQ(sheet.Deduction2191, rub(5'000));
    EXPECT_EQ(sheet.RowOf(2).LossUsed, rub(13'000));
    EXPECT_EQ(sheet.RowOf(5).LossUsed, rub(10'000));
    EXPECT_EQ(sheet.RowOf(9).LossUsed, rub(2'000));
    EXPECT_EQ(sheet.RowOf(11).LossUsed, Currency());
    EXPECT_EQ(sheet.PriorPartnershipLoss, Currency());
    EXPECT_EQ(sheet.RowOf(17).LossUsed, rub(3'000));
    EXPECT_EQ(sheet.RowOf(20).LossUsed, rub(1'000));
    EXPECT_EQ(sheet.RowOf(24).LossUsed, Currency());
    EXPECT_EQ(sheet.Loss13, rub(3'000));
    // The loss of row "13" offsets group 3 of the ordinary accounts.
    EXPECT_EQ(svod->PrilJ1.PartnershipLossUsed, Currency()) << "group 3 has no income";

    Currency income;
    for (const kTSvodSumPrilI::Row& row : sheet.Rows)
        income += row.Income;
    EXPECT_EQ(income, rub(53'000)) << "code 5003 belongs to no row";
}

// A deduction whose granting box is not ticked claims nothing: the declaration file drops its
// values, so the figures are the same before and after saving and loading.
TEST(SecuritiesSheets, DeductionsNotGrantedClaimNothing)
{
    mTDeclaration decl = declarationWith({{1530, 100'000, 201, 10'000},
                                          {1544, 50'000, 225, 0},
                                          {1535, 30'000, 1, 0},
                                          {5002, 20'000, 1, 0},
                                          {5017, 10'000, 1, 0}});
    decl.CBDeduct.LossSecurities = rub(1'000);
    decl.CBDeduct.LossSecuritiesIIS = rub(2'000);
    decl.CBDeduct.LossDerivatives = rub(3'000);
    decl.CBDeduct.LossPartnership = rub(4'000);
    decl.CBDeduct.LossPartnershipIIS = rub(5'000);
    decl.InvDeduct.SecuritiesDeduction = rub(6'000);
    decl.InvDeduct.PartnershipDeduction = rub(7'000);
    decl.InvDeduct.ApplyIncomeDeduction = 1;

    for (bool granted : {false, true}) {
        SCOPED_TRACE(granted ? "granted" : "not granted");
        decl.CBDeduct.Granted = granted;
        decl.InvDeduct.Granted = granted;
        auto svod = securitiesComputed(decl);
        const auto claimed = [granted](long double amount) { return granted ? rub(amount) : Currency(); };
        EXPECT_EQ(svod->PrilJ1.Deduction2191, claimed(6'000));
        EXPECT_EQ(svod->PrilJ1.PriorSecLossUsed, claimed(1'000));
        EXPECT_EQ(svod->PrilJ1.PriorDerivLossUsed5, claimed(3'000));
        EXPECT_EQ(svod->PrilI.Deduction2191, claimed(7'000));
        EXPECT_EQ(svod->PrilI.RowOf(2).LossUsed, claimed(4'000));
        EXPECT_EQ(svod->PrilJ2.Group(1).Exempt, claimed(50'000));
        EXPECT_EQ(svod->PrilI.RowOf(17).Exempt, claimed(10'000));
        EXPECT_EQ(svod->PrilI.RowOf(17).LossUsed, Currency());
        EXPECT_EQ(svod->PrilJ2.PriorSecLossUsed, Currency());

        const std::string fileName = testing::TempDir() + "bizsheets_securities.fv1";
        decl.SaveToFile(fileName);
        mTDeclaration loaded;
        loaded.LoadFromFile(fileName);
        auto reloaded = securitiesComputed(loaded);
        EXPECT_EQ(reloaded->Pril8.Rows, svod->Pril8.Rows);
        EXPECT_EQ(reloaded->Pril8.DeductionTotal, svod->Pril8.DeductionTotal);
        EXPECT_EQ(reloaded->Pril8.ReductionTotal, svod->Pril8.ReductionTotal);
    }
}

TEST(SecuritiesSheets, WithoutSecuritiesLinesEveryFigureIsZero)
{
    mTDeclaration decl = declarationWith({{2000, 100'000, 0, 0}, {2010, 5'000, 403, 1'000}});
    auto svod = securitiesComputed(decl);
    for (const kTSvodSumPrilJ* sheet : {&svod->PrilJ1, &svod->PrilJ2}) {
        for (const OperationGroup& group : sheet->Groups) {
            EXPECT_EQ(group.Income, Currency());
            EXPECT_EQ(group.Expense, Currency());
        }
        EXPECT_EQ(sheet->Base1, Currency());
        EXPECT_EQ(sheet->Loss1, Currency());
    }
    for (const kTSvodSumPrilI::Row& row : svod->PrilI.Rows)
        EXPECT_EQ(row.Income, Currency());
}

TEST(SecuritiesSheets, ASecondRunStartsAfresh)
{
    mTDeclaration decl = declarationWith({{1530, 1'000, 201, 100}, {5002, 500, 1, 0}});
    auto svod = securitiesComputed(decl);
    svod->PrilI.Calculate(decl);
    svod->PrilJ1.CalculateA(decl, *svod);
    EXPECT_EQ(svod->PrilJ1.Group(1).Income, rub(1'000));
    EXPECT_EQ(svod->PrilI.RowOf(2).Income, rub(500));
}

#include "computation/MonthlyStandardDeductions.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <functional>
#include <string>

#include "DeductionSheetTestSupport.h"

namespace {

struct MonthlyTotals {
    Currency personal3000;
    Currency personal500;
    Currency child;
    Currency childDouble;
    Currency disabled;
    Currency disabledDouble;
    int countedMonths;
};

struct MonthlyCase {
    const char* name;
    Currency monthlyWages;
    std::function<void(mTStandartDeduct&)> claim;
    MonthlyTotals expected;
};

void expectTotals(const kTSvodSumPrilE1& sheet, const MonthlyTotals& expected, const char* name)
{
    EXPECT_EQ(sheet.Total218_1_1, expected.personal3000) << name;
    EXPECT_EQ(sheet.Total218_1_2, expected.personal500) << name;
    EXPECT_EQ(sheet.ChildTotal, expected.child) << name;
    EXPECT_EQ(sheet.ChildDoubleTotal, expected.childDouble) << name;
    EXPECT_EQ(sheet.DisabledChildTotal, expected.disabled) << name;
    EXPECT_EQ(sheet.DisabledChildDoubleTotal, expected.disabledDouble) << name;
    EXPECT_EQ(sheet.CountedMonths, expected.countedMonths) << name;
}

kTSvodSumPrilE1 calculated(mTDeclaration& decl)
{
    auto svod = emptySummary();
    kTSvodSumPrilE1 sheet;
    EXPECT_TRUE(sheet.Calculate(decl, *svod));
    return sheet;
}

// The figures are those of the 2021 rules: 3 000 / 500 roubles a month of personal deduction,
// 1 400 for each of the first two children, 3 000 for the third, 12 000 for a disabled child
// (6 000 for a guardian), all doubled for a single parent, the children's deductions up to
// the month in which the income since January exceeds 350 000.
TEST(MonthlyStandardDeductions, YearlyTotalsFollowTheRules)
{
    const auto children = [](std::int32_t count) {
        return [count](mTStandartDeduct& d) { d.SetChildCountConst(count); };
    };
    const MonthlyCase cases[] = {
        {"two children, 40 000 a month: January to August (360 000 in September)", rub(40'000), children(2),
         {{}, {}, rub(22'400), {}, {}, {}, 8}},
        {"code 105 takes every month with income, the limit does not apply", rub(150'000),
         [](mTStandartDeduct& d) { d.PersonalCode = 105; }, {rub(36'000), {}, {}, {}, {}, {}, 2}},
        {"code 104", rub(20'000), [](mTStandartDeduct& d) { d.PersonalCode = 104; },
         {{}, rub(6'000), {}, {}, {}, {}, 12}},
        {"disabled child of a parent, 348 000 in the year", rub(29'000),
         [](mTStandartDeduct& d) { d.SetDisabledChildCountConst(1); }, {{}, {}, {}, {}, rub(144'000), {}, 12}},
        {"disabled child of a guardian", rub(29'000),
         [](mTStandartDeduct& d) {
             d.SetDisabledChildCountConst(1);
             d.Guardian = 1;
         },
         {{}, {}, {}, {}, rub(72'000), {}, 12}},
        {"disabled child of a single parent", rub(29'000),
         [](mTStandartDeduct& d) {
             d.SetDisabledChildCountConst(1);
             d.ParentStatus = 102;
         },
         {{}, {}, {}, {}, {}, rub(288'000), 12}},
        {"single parent of two children", rub(40'000),
         [](mTStandartDeduct& d) {
             d.SetChildCountConst(2);
             d.ParentStatus = 102;
         },
         {{}, {}, {}, rub(44'800), {}, {}, 8}},
        {"two children and a third one", rub(20'000),
         [](mTStandartDeduct& d) {
             d.SetChildCountConst(2);
             d.SetThirdChildCountConst(1);
         },
         {{}, {}, rub(69'600), {}, {}, {}, 12}},
        {"a second child born in July", rub(20'000),
         [](mTStandartDeduct& d) {
             for (std::uint8_t m = 0; m < 12; ++m)
                 d.SetChildCount(m, m < 6 ? 1 : 2);
         },
         {{}, {}, rub(25'200), {}, {}, {}, 12}},
        {"single parent from January to June", rub(20'000),
         [](mTStandartDeduct& d) {
             d.SetChildCountConst(1);
             d.ParentStatus = 103;
             d.HasMonthParentStatus = 1;
             for (std::uint8_t month = 1; month <= 12; ++month)
                 d.SetMonthSingleParent(month, month <= 6 ? 0 : 1);
         },
         {{}, {}, rub(8'400), rub(16'800), {}, {}, 12}},
        {"status changed but the months not confirmed: single parent all year, as after a reload", rub(20'000),
         [](mTStandartDeduct& d) {
             d.SetChildCountConst(1);
             d.ParentStatus = 103;
             for (std::uint8_t month = 1; month <= 12; ++month)
                 d.SetMonthSingleParent(month, 1);
         },
         {{}, {}, {}, rub(33'600), {}, {}, 12}},
        {"code 105 in the first quarter, 104 afterwards", rub(20'000),
         [](mTStandartDeduct& d) {
             d.PersonalCode = 110;
             d.HasMonthPersonalCodes = 1;
             for (std::uint8_t month = 1; month <= 12; ++month)
                 d.SetMonthPersonalCode(month, month <= 3 ? 2 : 1);
         },
         {rub(9'000), rub(4'500), {}, {}, {}, {}, 12}},
        {"code changed but the months not confirmed: nothing, as after a reload", rub(20'000),
         [](mTStandartDeduct& d) {
             d.PersonalCode = 110;
             for (std::uint8_t month = 1; month <= 12; ++month)
                 d.SetMonthPersonalCode(month, 2);
         },
         {{}, {}, {}, {}, {}, {}, 12}},
        {"no parent status", rub(20'000),
         [](mTStandartDeduct& d) {
             d.SetChildCountConst(2);
             d.ParentStatus = 0;
         },
         {{}, {}, {}, {}, {}, {}, 12}},
        {"not claimed", rub(20'000),
         [](mTStandartDeduct& d) {
             d.Granted = 0;
             d.PersonalCode = 105;
             d.SetChildCountConst(2);
         },
         {{}, {}, {}, {}, {}, {}, 0}},
    };
    for (const MonthlyCase& c : cases) {
        mTDeclaration decl;
        addMonthlyWages(decl, c.monthlyWages);
        decl.StandardDeduct.Granted = 1;
        c.claim(decl.StandardDeduct);
        expectTotals(calculated(decl), c.expected, c.name);
    }
}

TEST(MonthlyStandardDeductions, NonResidentsGetNone)
{
    mTDeclaration decl;
    addMonthlyWages(decl, rub(20'000));
    decl.StandardDeduct.Granted = 1;
    decl.StandardDeduct.PersonalCode = 105;
    decl.StandardDeduct.SetChildCountConst(1);
    decl.DeclarationType = DeclarationNonResident;
    expectTotals(calculated(decl), {}, "non-resident");
}

struct LimitCase {
    const char* name;
    std::array<long double, 12> wages; // roubles by month, 0 for none
    Currency child;                    // one child
    int countedMonths;
};

TEST(MonthlyStandardDeductions, ChildrenStopInTheMonthTheIncomeExceedsTheLimit)
{
    const LimitCase cases[] = {
        {"350 000 reached exactly in December keeps December", {300'000, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 50'000},
         rub(2'800), 2},
        {"a kopeck above 350 000 in December drops it", {300'000, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 50'000.01},
         rub(1'400), 1},
        {"months without income do not stop the count", {100'000, 0, 0, 100'000, 0, 0, 100'000, 0, 0, 0, 0, 0},
         rub(4'200), 3},
        {"the month of the excess and every later one are out", {100'000, 100'000, 100'000, 100'000, 0, 0, 0, 0,
                                                                   0, 0, 10'000, 10'000},
         rub(4'200), 3},
        {"above the limit in January", {400'000, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, {}, 0},
    };
    for (const LimitCase& c : cases) {
        mTDeclaration decl;
        mbTSourse& employer = addPayer(decl);
        employer.StandardDeductionsHere = 1;
        for (std::uint16_t month = 1; month <= 12; ++month)
            if (c.wages[month - 1] != 0)
                employer.AddIncome13(wagesLine(rub(c.wages[month - 1]), month));
        decl.StandardDeduct.Granted = 1;
        decl.StandardDeduct.SetChildCountConst(1);
        const kTSvodSumPrilE1 sheet = calculated(decl);
        EXPECT_EQ(sheet.ChildTotal, c.child) << c.name;
        EXPECT_EQ(sheet.CountedMonths, c.countedMonths) << c.name;
    }
}

TEST(MonthlyStandardDeductions, OnlyWagesOfTheChosenSourcesCount)
{
    mTDeclaration decl;
    mbTSourse& chosen = addPayer(decl);
    chosen.StandardDeductionsHere = 1;
    chosen.AddIncome13(wagesLine(rub(50'000), 1));
    auto withExpense = incomeLine(2000, rub(50'000), 403, rub(10'000)); // 40 000 counts
    withExpense->Month = 2;
    chosen.AddIncome13(std::move(withExpense));
    auto dividends = incomeLine(1010, rub(500'000)); // kind "01": not counted
    dividends->Month = 3;
    chosen.AddIncome13(std::move(dividends));
    chosen.AddIncome15(wagesLine(rub(60'000), 4)); // 15 % lines count too
    mbTSourse& other = addPayer(decl, "7702000002", "Другой");
    other.AddIncome13(wagesLine(rub(500'000), 1)); // not the source of the standard deductions

    decl.StandardDeduct.Granted = 1;
    decl.StandardDeduct.PersonalCode = 105;
    const kTSvodSumPrilE1 sheet = calculated(decl);
    EXPECT_EQ(sheet.CumulativeIncome[0], rub(50'000));
    EXPECT_EQ(sheet.CumulativeIncome[1], rub(90'000));
    EXPECT_EQ(sheet.CumulativeIncome[2], rub(90'000));
    EXPECT_EQ(sheet.CumulativeIncome[3], rub(150'000));
    EXPECT_EQ(sheet.CumulativeIncome[11], rub(150'000));
    EXPECT_EQ(sheet.Total218_1_1, rub(9'000)); // January, February, April
}

TEST(MonthlyStandardDeductions, AMonthOutsideTheYearIsIgnored)
{
    mTDeclaration decl;
    mbTSourse& employer = addPayer(decl);
    employer.StandardDeductionsHere = 1;
    employer.AddIncome13(wagesLine(rub(10'000), 0));
    employer.AddIncome13(wagesLine(rub(10'000), 13));
    employer.AddIncome13(wagesLine(rub(10'000), 127));
    employer.AddIncome13(wagesLine(rub(10'000), 0x80 | 5)); // the high bit is not part of the month
    decl.StandardDeduct.Granted = 1;
    decl.StandardDeduct.PersonalCode = 105;

    const kTSvodSumPrilE1 sheet = calculated(decl);
    EXPECT_EQ(sheet.Total218_1_1, rub(3'000));
    EXPECT_EQ(sheet.CumulativeIncome[0], rub(0));
    EXPECT_EQ(sheet.CumulativeIncome[4], rub(10'000));
    EXPECT_EQ(sheet.CumulativeIncome[11], rub(10'000));
}

TEST(MonthlyStandardDeductions, BusinessProfitCarriesALossForward)
{
    mTDeclaration decl;
    decl.SetIncomeKinds(IncomeKindBusiness);
    decl.AddBusiness();
    mTStandartDeduct& standard = decl.StandardDeduct;
    standard.Granted = 1;
    standard.PersonalCode = 105;
    standard.HasBusinessMonths = 1;
    standard.SetMonthIncome(1, rub(0));
    standard.SetMonthExpense(1, rub(10'000));
    standard.SetMonthIncome(2, rub(30'000));
    standard.SetMonthIncome(3, rub(400'000));
    for (std::uint8_t m = 0; m < 4; ++m)
        standard.SetBusinessMonth(m, 1);
    standard.SetChildCountConst(1);

    const kTSvodSumPrilE1 sheet = calculated(decl);
    EXPECT_EQ(sheet.CumulativeIncome[0], rub(0));
    EXPECT_EQ(sheet.CumulativeIncome[1], rub(20'000));
    EXPECT_EQ(sheet.CumulativeIncome[2], rub(420'000));
    EXPECT_EQ(sheet.MonthExpense[0], rub(10'000));
    EXPECT_EQ(sheet.Total218_1_1, rub(12'000)); // four ticked months
    EXPECT_EQ(sheet.ChildTotal, rub(2'800));    // January and February, before the limit
    // First quarter: 3 x 3 000 + 2 x 1 400; second: April's 3 000.
    EXPECT_EQ(sheet.QuarterTotal, (std::array<Currency, 4>{rub(11'800), rub(3'000), {}, {}}));
}

TEST(MonthlyStandardDeductions, QuartersServeOnlyBusinessIncome)
{
    mTDeclaration decl;
    mTStandartDeduct& standard = decl.StandardDeduct;
    standard.Granted = 1;
    standard.PersonalCode = 105;
    standard.HasBusinessMonths = 1;
    standard.SetMonthIncome(1, rub(10'000));
    standard.SetBusinessMonth(0, 1);

    const kTSvodSumPrilE1 sheet = calculated(decl); // no business record
    EXPECT_EQ(sheet.Total218_1_1, rub(3'000));
    EXPECT_EQ(sheet.QuarterTotal, (std::array<Currency, 4>{}));
}

TEST(MonthlyStandardDeductions, AddToQuarterIgnoresAMonthOutsideTheYear)
{
    kTSvodSumPrilE1 sheet;
    sheet.AddToQuarter(2, rub(1));
    sheet.AddToQuarter(3, rub(2));
    sheet.AddToQuarter(11, rub(4));
    sheet.AddToQuarter(12, rub(8));
    sheet.AddToQuarter(-1, rub(16));
    EXPECT_EQ(sheet.QuarterTotal, (std::array<Currency, 4>{rub(1), rub(2), {}, rub(4)}));
}

TEST(MonthlyStandardDeductions, FiguresSurviveSavingAndReloading)
{
    mTDeclaration decl;
    addMonthlyWages(decl, rub(20'000));
    mTStandartDeduct& standard = decl.StandardDeduct;
    standard.Granted = 1;
    standard.PersonalCode = 110;
    standard.ParentStatus = 103;
    standard.SetChildCountConst(2);
    for (std::uint8_t month = 1; month <= 12; ++month) {
        standard.SetMonthPersonalCode(month, 2); // neither flag set: not saved
        standard.SetMonthSingleParent(month, 1);
    }
    const kTSvodSumPrilE1 before = calculated(decl);

    const std::string file = testing::TempDir() + "monthly_standard.fv1";
    decl.SaveToFile(file);
    mTDeclaration reloaded;
    reloaded.LoadFromFile(file);
    std::remove(file.c_str());
    const kTSvodSumPrilE1 after = calculated(reloaded);

    EXPECT_EQ(after.Total218_1_1, before.Total218_1_1);
    EXPECT_EQ(after.ChildTotal, before.ChildTotal);
    EXPECT_EQ(after.ChildDoubleTotal, before.ChildDoubleTotal);
    EXPECT_EQ(after.ChildDoubleTotal, rub(67'200));
}

} // namespace

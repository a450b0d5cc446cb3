#include "pages/deductions/BusinessMonthGrid.h"

#include <QCheckBox>
#include <QLabel>

#include <gtest/gtest.h>

#include "model/StandartDeduct.h"
#include "tests/support/MessageAnswers.h"
#include "tests/support/PageTestSupport.h"

namespace {

class BusinessMonthGridTest : public ::testing::Test {
protected:
    BusinessMonthGridTest() : grid(&window, [this] { ++modifications; }) { window.show(); }

    QWidget window;
    int modifications = 0;
    TBusinessMonthGrid grid;
};

} // namespace

TEST_F(BusinessMonthGridTest, CaptionsAndNames)
{
    EXPECT_EQ(grid.Label3->text(), QStringLiteral("Доходы/расходы помесячно для предпринимателей"));
    EXPECT_EQ(grid.lbD2->text(), QStringLiteral("Доходы"));
    EXPECT_EQ(grid.lbR2->text(), QStringLiteral("Расходы"));
    EXPECT_EQ(grid.monthBoxes[0]->text(), QStringLiteral("Январь"));
    EXPECT_EQ(grid.monthBoxes[0]->objectName(), QStringLiteral("cbJan"));
    EXPECT_EQ(grid.monthBoxes[0]->layoutDirection(), Qt::RightToLeft);
    EXPECT_EQ(grid.incomeBoxes[11]->objectName(), QStringLiteral("me12"));
    EXPECT_EQ(grid.expenseBoxes[11]->objectName(), QStringLiteral("meR12"));
    EXPECT_EQ(grid.incomeBoxes[0]->editType(), edtCurrency);
    EXPECT_EQ(grid.incomeBoxes[0]->wholeLength(), 12);
    EXPECT_EQ(grid.incomeBoxes[0]->fractionalLength(), 2);
}

TEST_F(BusinessMonthGridTest, AnyAmountTicksItsMonthAndUntickingEmptiesIt)
{
    typeInto(grid.incomeBoxes[4], QStringLiteral("0"));
    EXPECT_TRUE(grid.monthBoxes[4]->isChecked());
    typeInto(grid.expenseBoxes[4], QStringLiteral("12,5"));
    EXPECT_FALSE(grid.monthBoxes[5]->isChecked());

    const int before = modifications;
    {
        MessageAnswers yes(QMessageBox::Yes);
        grid.monthBoxes[4]->click();
        EXPECT_EQ(yes.texts, QStringList{QStringLiteral("Удалить доходы и расходы за май (сумм: 1)?")});
    }
    EXPECT_GT(modifications, before);
    EXPECT_TRUE(grid.incomeBoxes[4]->text().isEmpty());
    EXPECT_TRUE(grid.expenseBoxes[4]->text().isEmpty());
    EXPECT_FALSE(grid.monthBoxes[4]->isChecked());
}

TEST_F(BusinessMonthGridTest, AmountsShowInTheShortestFormAndZeroAsEmpty)
{
    mTStandartDeduct deduct;
    deduct.SetMonthIncome(1, Currency::fromRoubles(1500.5L));
    deduct.SetMonthExpense(1, Currency::fromRoubles(0.25L));
    deduct.SetMonthIncome(2, Currency());
    deduct.SetMonthExpense(12, Currency::fromWholeRoubles(7));
    grid.load(deduct);
    EXPECT_EQ(grid.incomeBoxes[0]->text(), QStringLiteral("1500,5"));
    EXPECT_EQ(grid.expenseBoxes[0]->text(), QStringLiteral("0,25"));
    EXPECT_TRUE(grid.incomeBoxes[1]->text().isEmpty());
    EXPECT_EQ(grid.expenseBoxes[11]->text(), QStringLiteral("7"));
    // A month with an amount shows ticked even when its stored tick is not set.
    EXPECT_TRUE(grid.monthBoxes[0]->isChecked());
    EXPECT_TRUE(grid.monthBoxes[11]->isChecked());
    EXPECT_FALSE(grid.monthBoxes[1]->isChecked());
}

TEST_F(BusinessMonthGridTest, StoringWritesAmountsTicksAndTheTableFlag)
{
    struct Case {
        const char* name;
        std::function<void(TBusinessMonthGrid&)> edit;
        std::array<std::uint8_t, 12> ticks;
        std::uint8_t flag;
    };
    const Case cases[] = {
        {"nothing", [](TBusinessMonthGrid&) {}, {}, 0},
        {"a tick without amounts", [](TBusinessMonthGrid& g) { g.monthBoxes[9]->click(); },
         {0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0}, 1},
        {"an amount", [](TBusinessMonthGrid& g) { typeInto(g.expenseBoxes[0], QStringLiteral("3")); },
         {1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (QCheckBox* month : grid.monthBoxes)
            month->setChecked(false);
        mTStandartDeduct deduct;
        deduct.SetMonthIncome(10, Currency::fromWholeRoubles(1)); // overwritten by the empty box
        deduct.HasBusinessMonths = 1;
        c.edit(grid);
        grid.store(deduct);
        EXPECT_EQ(deduct.BusinessMonth, c.ticks);
        EXPECT_EQ(deduct.HasBusinessMonths, c.flag);
        EXPECT_EQ(deduct.MonthIncome[9], Currency());
    }
    mTStandartDeduct deduct;
    typeInto(grid.incomeBoxes[2], QStringLiteral("99999999999,99"));
    grid.store(deduct);
    EXPECT_EQ(deduct.GetMonthIncome(3), Currency::fromUnits(999999999999900));
}

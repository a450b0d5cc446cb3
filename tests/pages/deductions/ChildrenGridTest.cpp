#include "pages/deductions/ChildrenGrid.h"

#include <cstdlib>

#include <QCheckBox>
#include <QCoreApplication>
#include <QLabel>
#include <QToolButton>

#include <gtest/gtest.h>

#include "model/StandartDeduct.h"
#include "tests/support/PageTestSupport.h"

namespace {

class ChildrenGridTest : public ::testing::Test {
protected:
    ChildrenGridTest() : grid(&window, [this] { return loading; }, [this] { ++modifications; })
    {
        grid.enableGrid();
        window.show();
    }

    QStringList monthTexts(const TChildrenRow& row) const
    {
        QStringList texts;
        for (const TMaskedEdit* box : row.monthBoxes)
            texts << box->text();
        return texts;
    }

    static bool monthsEnabled(const TChildrenRow& row)
    {
        return std::all_of(row.monthBoxes.begin(), row.monthBoxes.end(), [](TMaskedEdit* box) {
            return box->isEnabled();
        });
    }

    QWidget window;
    bool loading = false;
    int modifications = 0;
    TChildrenGrid grid;
};

} // namespace

TEST_F(ChildrenGridTest, CaptionsAndNames)
{
    EXPECT_EQ(grid.allChildren.constBox->text(), QStringLiteral("Количество детей в году не изменялось и составило"));
    EXPECT_EQ(grid.thirdChildren.constBox->text(),
              QStringLiteral("Количество детей, начиная с 3-го, не изменялось и составило"));
    EXPECT_EQ(grid.disabledChildren.constBox->text(),
              QStringLiteral("Количество детей-инвалидов в году не изменялось и составило"));
    EXPECT_EQ(grid.disabledChildren.label->text(), QStringLiteral("ребенка (детей)"));
    EXPECT_EQ(grid.disabledChildren.monthBoxes[0]->objectName(), QStringLiteral("meJan2"));
    EXPECT_EQ(grid.thirdChildren.monthBoxes[11]->objectName(), QStringLiteral("meDec3"));
    EXPECT_EQ(grid.disabledChildren.monthBoxes[0]->toolTip(),
              QStringLiteral("Количество детей инвалидов I и II групп в этом месяце"));
    EXPECT_EQ(grid.monthLabels[8]->text(), QStringLiteral("Сентябрь"));
    EXPECT_EQ(grid.cbPopOp->text(), QStringLiteral("Я являюсь:"));
}

TEST_F(ChildrenGridTest, ConstantBoxCopiesTheCountAndSwitchesWhichBoxesAreEditable)
{
    TChildrenRow& row = grid.allChildren;
    row.countBox->setText(QStringLiteral("2"));
    row.constBox->click();
    EXPECT_EQ(monthTexts(row), QStringList(12, QStringLiteral("2")));
    EXPECT_FALSE(monthsEnabled(row));
    EXPECT_TRUE(row.countBox->isEnabled());
    EXPECT_TRUE(row.upDown->isEnabled());
    EXPECT_EQ(row.upDown->associate(), row.countBox);
    EXPECT_EQ(modifications, 1);

    row.constBox->click();
    EXPECT_EQ(monthTexts(row), QStringList(12, QStringLiteral("2")));
    EXPECT_TRUE(monthsEnabled(row));
    EXPECT_FALSE(row.countBox->isEnabled());
    EXPECT_FALSE(row.upDown->isEnabled());
    EXPECT_EQ(row.upDown->associate(), nullptr);
}

TEST_F(ChildrenGridTest, CountChangesReachTheMonthsTypedOrStepped)
{
    TChildrenRow& row = grid.thirdChildren;
    row.constBox->click();
    typeInto(row.countBox, QStringLiteral("14"));
    EXPECT_EQ(monthTexts(row), QStringList(12, QStringLiteral("14")));
    row.upDown->upButton->click();
    EXPECT_EQ(row.countBox->text(), QStringLiteral("15"));
    EXPECT_EQ(monthTexts(row), QStringList(12, QStringLiteral("15")));

    loading = true;
    row.countBox->setText(QStringLiteral("3"));
    EXPECT_EQ(monthTexts(row), QStringList(12, QStringLiteral("15")));
}

TEST_F(ChildrenGridTest, CountBoxesTakeTheirDigitsAndTheArrowsStopAtTheirRange)
{
    struct Case {
        const char* name;
        TChildrenRow* row;
        QString typed;
        QString kept;
        int upClicks;
        QString afterUp;
    };
    const Case cases[] = {
        {"all children: one digit, arrows up to 2", &grid.allChildren, QStringLiteral("95"), QStringLiteral("9"), 4,
         QStringLiteral("2")},
        {"third children: two digits, arrows up to 99", &grid.thirdChildren, QStringLiteral("987"),
         QStringLiteral("98"), 3, QStringLiteral("99")},
        {"disabled children: digits only", &grid.disabledChildren, QStringLiteral("7a"), QStringLiteral("7"), 2,
         QStringLiteral("9")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.row->constBox->click();
        typeInto(c.row->countBox, c.typed);
        EXPECT_EQ(c.row->countBox->text(), c.kept);
        for (int click = 0; click < c.upClicks; ++click)
            c.row->upDown->upButton->click();
        EXPECT_EQ(c.row->countBox->text(), c.afterUp);
    }
    typeInto(grid.allChildren.countBox, QStringLiteral("1"));
    for (int click = 0; click < 3; ++click)
        grid.allChildren.upDown->downButton->click();
    EXPECT_EQ(grid.allChildren.countBox->text(), QStringLiteral("0"));
}

TEST_F(ChildrenGridTest, GuardianPanelFollowsTheDisabledChildrenShown)
{
    struct Case {
        const char* name;
        QString count;
        std::array<const char*, 12> months;
        bool shown;
    };
    const Case cases[] = {
        {"nothing", QString(), {"", "", "", "", "", "", "", "", "", "", "", ""}, false},
        {"zeros", QStringLiteral("0"), {"0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0"}, false},
        {"one month", QString(), {"", "", "", "", "", "", "", "", "", "", "", "1"}, true},
        {"count box only", QStringLiteral("1"), {"0", "", "", "", "", "", "", "", "", "", "", ""}, true},
        {"count box zero, a month 2", QStringLiteral("0"), {"", "", "2", "", "", "", "", "", "", "", "", ""}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        grid.cbPopOp->setChecked(true);
        // In monthly state the count box keeps what was last loaded or typed.
        grid.disabledChildren.countBox->setText(c.count);
        for (int m = 0; m < 12; ++m)
            grid.disabledChildren.monthBoxes[m]->setText(QString::fromLatin1(c.months[m]));
        EXPECT_EQ(!grid.pnlPopOp->isHidden(), c.shown);
        EXPECT_TRUE(grid.cbPopOp->isChecked());
    }
}

// Each quarter names the three boxes of its months above them.
TEST_F(ChildrenGridTest, ColumnHeadingsStandOverTheirBoxes)
{
    const char* const headings[] = {"Всего", "С 3-го", "Инв."};
    const char* const hints[] = {"Количество всех детей", "Количество детей, считая с 3-го",
                                 "Количество детей-инвалидов I и II групп"};
    const TChildrenRow* const rows[] = {&grid.allChildren, &grid.thirdChildren, &grid.disabledChildren};
    window.resize(900, 400);
    QCoreApplication::processEvents();
    for (int quarter = 0; quarter < 4; ++quarter) {
        for (int column = 0; column < 3; ++column) {
            SCOPED_TRACE(quarter * 3 + column);
            const QLabel* heading = grid.columnHeadings[quarter][column];
            EXPECT_EQ(heading->text(), QString::fromUtf8(headings[column]));
            EXPECT_EQ(heading->toolTip(), QString::fromUtf8(hints[column]));
            const QRect box = rows[column]->monthBoxes[quarter * 3]->geometry();
            EXPECT_LT(heading->geometry().bottom(), box.top());
            EXPECT_GE(heading->geometry().width(), heading->sizeHint().width()) << "the heading is not clipped";
            EXPECT_LE(std::abs(heading->geometry().center().x() - box.center().x()), 2);
        }
    }
    grid.disableGrid();
    EXPECT_FALSE(grid.columnHeadings[2][1]->isEnabled());
    grid.enableGrid();
    EXPECT_TRUE(grid.columnHeadings[2][1]->isEnabled());
}

// The greyed months of a constant row show the count the computation takes for every month.
TEST_F(ChildrenGridTest, RowsLoadInTheirStateAndConstantMonthsShowTheCount)
{
    mTStandartDeduct deduct;
    deduct.SetChildCountConst(2);
    for (std::uint8_t i = 0; i < 12; ++i)
        deduct.SetThirdChildCount(i, i);
    deduct.SetDisabledChildCountConst(1);
    loading = true;
    grid.load(deduct);
    loading = false;

    EXPECT_TRUE(grid.allChildren.constBox->isChecked());
    EXPECT_EQ(grid.allChildren.countBox->text(), QStringLiteral("2"));
    EXPECT_EQ(grid.allChildren.upDown->position(), 2);
    EXPECT_EQ(monthTexts(grid.allChildren), QStringList(12, QStringLiteral("2")));
    EXPECT_FALSE(monthsEnabled(grid.allChildren));
    EXPECT_EQ(monthTexts(grid.disabledChildren), QStringList(12, QStringLiteral("1")));
    EXPECT_FALSE(grid.thirdChildren.constBox->isChecked());
    EXPECT_EQ(grid.thirdChildren.countBox->text(), QStringLiteral("0"));
    EXPECT_EQ(monthTexts(grid.thirdChildren).join(u','), QStringLiteral("0,1,2,3,4,5,6,7,8,9,10,11"));
    EXPECT_TRUE(monthsEnabled(grid.thirdChildren));
    EXPECT_FALSE(grid.thirdChildren.countBox->isEnabled());
}

TEST_F(ChildrenGridTest, StoringAConstantRowKeepsItsMonthCounts)
{
    mTStandartDeduct deduct;
    for (std::uint8_t i = 0; i < 12; ++i)
        deduct.SetChildCount(i, 1);
    grid.allChildren.constBox->click();
    typeInto(grid.allChildren.countBox, QStringLiteral("2"));
    grid.store(deduct);
    EXPECT_EQ(deduct.Children.ConstCount, 1);
    EXPECT_EQ(deduct.Children.YearCount, 2);
    EXPECT_EQ(deduct.Children.MonthCount, (std::array<std::int32_t, 12>{1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1}));
}

TEST_F(ChildrenGridTest, EmptyBoxesAreStoredAsZero)
{
    mTStandartDeduct deduct;
    deduct.SetThirdChildCountConst(4);
    for (std::uint8_t i = 0; i < 12; ++i)
        deduct.SetDisabledChildCount(i, 5);
    deduct.SetDisabledChildCountConst(5);
    grid.thirdChildren.monthBoxes[0]->setText(QStringLiteral("3"));
    grid.disabledChildren.constBox->click();
    grid.disabledChildren.countBox->setText(QString());
    grid.store(deduct);
    EXPECT_EQ(deduct.ThirdChildren.ConstCount, 0);
    EXPECT_EQ(deduct.ThirdChildren.MonthCount, (std::array<std::int32_t, 12>{3}));
    EXPECT_EQ(deduct.DisabledChildren.ConstCount, 1);
    EXPECT_EQ(deduct.DisabledChildren.YearCount, 0);
}

TEST_F(ChildrenGridTest, DisablingEmptiesEveryBoxAndHidesTheGuardianPanel)
{
    grid.allChildren.constBox->click();
    typeInto(grid.allChildren.countBox, QStringLiteral("2"));
    typeInto(grid.disabledChildren.monthBoxes[3], QStringLiteral("1"));
    ASSERT_FALSE(grid.pnlPopOp->isHidden());
    grid.disableGrid();
    for (const TChildrenRow* row : {&grid.allChildren, &grid.thirdChildren, &grid.disabledChildren}) {
        EXPECT_TRUE(row->countBox->text().isEmpty());
        EXPECT_EQ(monthTexts(*row), QStringList(12, QString()));
        EXPECT_FALSE(row->constBox->isEnabled());
    }
    EXPECT_TRUE(grid.allChildren.constBox->isChecked());
    EXPECT_FALSE(grid.allChildren.countBox->isEnabled());
    EXPECT_FALSE(monthsEnabled(grid.thirdChildren));
    EXPECT_TRUE(grid.pnlPopOp->isHidden());
}

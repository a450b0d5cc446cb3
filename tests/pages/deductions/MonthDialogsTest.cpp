#include "pages/deductions/MonthDialogs.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

#include <gtest/gtest.h>

#include "model/StandartDeduct.h"
#include "tests/support/PageTestSupport.h"

namespace {

QStringList itemsOf(const QComboBox* list)
{
    QStringList items;
    for (int i = 0; i < list->count(); ++i)
        items << list->itemText(i);
    return items;
}

} // namespace

TEST(MonthDialogs, CodeDialogOffersTheCodesForEveryMonth)
{
    TfmDif dialog(nullptr);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Комбинация стандартных вычетов"));
    EXPECT_EQ(dialog.size(), QSize(343, 241));
    EXPECT_EQ(dialog.bnOk->text(), QStringLiteral("Да"));
    EXPECT_EQ(dialog.bnCancel->text(), QStringLiteral("Нет"));
    EXPECT_EQ(dialog.monthLabels[0]->text(), QStringLiteral("Январь"));
    EXPECT_EQ(dialog.monthLabels[11]->text(), QStringLiteral("Декабрь"));
    for (const QComboBox* list : dialog.monthChoices) {
        EXPECT_EQ(itemsOf(list), (QStringList{QStringLiteral("----"), QStringLiteral("104"), QStringLiteral("105")}));
        EXPECT_FALSE(list->isEditable());
    }
    EXPECT_EQ(dialog.monthChoices[0]->objectName(), QStringLiteral("CB1"));
    EXPECT_EQ(dialog.monthChoices[11]->objectName(), QStringLiteral("CB12"));
    EXPECT_FALSE(dialog.bnOk->isDefault());
    EXPECT_FALSE(dialog.bnCancel->isDefault());
}

TEST(MonthDialogs, StatusDialogAsksWhetherTheParentWasSingle)
{
    TfmDif2 dialog(nullptr);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Комбинация стандартных вычетов"));
    EXPECT_EQ(dialog.size(), QSize(342, 282));
    EXPECT_EQ(dialog.Label1->text(), QStringLiteral("В этом месяце был статус единственного родителя (опекуна)"));
    EXPECT_TRUE(dialog.Label1->wordWrap());
    for (const QComboBox* list : dialog.monthChoices) {
        EXPECT_EQ(itemsOf(list), (QStringList{QStringLiteral("да"), QStringLiteral("нет")}));
        EXPECT_EQ(list->currentIndex(), 0);
    }
}

TEST(MonthDialogs, AChoiceOutsideTheListShowsNoItem)
{
    TfmDif dialog(nullptr);
    for (int stored : {-1, 3, 42}) {
        dialog.setChoice(4, stored);
        EXPECT_EQ(dialog.choice(4), -1) << stored;
        EXPECT_TRUE(dialog.monthChoices[3]->currentText().isEmpty());
    }
    dialog.setChoice(4, 2);
    EXPECT_EQ(dialog.choice(4), 2);
}

TEST(MonthDialogs, EnterLeavesTheDialogOpenEscCancelsIt)
{
    TfmDif dialog(nullptr);
    dialog.setChoice(1, 2);
    bool openAfterEnter = false;
    QTimer::singleShot(0, &dialog, [&] {
        QTest::keyClick(dialog.monthChoices[0], Qt::Key_Return);
        openAfterEnter = dialog.isVisible();
        QTest::keyClick(dialog.monthChoices[0], Qt::Key_Escape);
        if (dialog.isVisible())
            dialog.done(TMonthChoiceDialog::Confirmed);
    });
    EXPECT_EQ(dialog.exec(), TMonthChoiceDialog::Cancelled);
    EXPECT_TRUE(openAfterEnter);
    EXPECT_EQ(dialog.choice(1), 2) << "cancelling changes no choice";
}

TEST(MonthDialogs, ConfirmedMonthsAreStoredWithTheirFlag)
{
    struct Case {
        const char* name;
        std::function<bool(QWidget*, mTStandartDeduct&)> edit;
        std::function<std::int32_t(const mTStandartDeduct&, std::uint8_t)> month;
        std::uint8_t mTStandartDeduct::*flag;
        bool statusDialog;
    };
    const Case cases[] = {
        {"codes", editMonthPersonalCodes,
         [](const mTStandartDeduct& d, std::uint8_t m) { return d.GetMonthPersonalCode(m); },
         &mTStandartDeduct::HasMonthPersonalCodes, false},
        {"statuses", editMonthSingleParent,
         [](const mTStandartDeduct& d, std::uint8_t m) { return d.GetMonthSingleParent(m); },
         &mTStandartDeduct::HasMonthParentStatus, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        mTStandartDeduct deduct;
        // A month stored outside the list comes back as -1 when the user leaves it unchosen.
        deduct.SetMonthPersonalCode(2, 9);
        deduct.SetMonthSingleParent(2, 9);
        const auto answer = [](TMonthChoiceDialog& dialog) {
            dialog.setChoice(1, 1);
            dialog.bnOk->click();
        };
        bool confirmed = false;
        if (c.statusDialog) {
            ModalAnswer<TfmDif2> shown(answer);
            confirmed = c.edit(nullptr, deduct);
            EXPECT_TRUE(shown.shown);
        } else {
            ModalAnswer<TfmDif> shown(answer);
            confirmed = c.edit(nullptr, deduct);
            EXPECT_TRUE(shown.shown);
        }
        EXPECT_TRUE(confirmed);
        EXPECT_EQ(deduct.*c.flag, 1);
        EXPECT_EQ(c.month(deduct, 1), 1);
        EXPECT_EQ(c.month(deduct, 2), -1);
        EXPECT_EQ(c.month(deduct, 3), 0);
    }
}

TEST(MonthDialogs, CancelledOrClosedDialogLeavesTheModel)
{
    for (const bool closeBox : {false, true}) {
        SCOPED_TRACE(closeBox ? "close box" : "Нет");
        mTStandartDeduct deduct;
        deduct.SetMonthPersonalCode(6, 2);
        const mTStandartDeduct before = deduct;
        ModalAnswer<TfmDif> shown([closeBox](TfmDif& dialog) {
            dialog.setChoice(6, 0);
            if (closeBox)
                dialog.close();
            else
                dialog.bnCancel->click();
        });
        EXPECT_FALSE(editMonthPersonalCodes(nullptr, deduct));
        EXPECT_TRUE(shown.shown);
        EXPECT_EQ(deduct, before);
    }
}

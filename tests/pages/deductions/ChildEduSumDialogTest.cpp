#include "pages/deductions/ChildEduSumDialog.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include "controls/MaskedEdit.h"
#include "tests/support/PageTestSupport.h"
#include "tests/support/UserTyping.h"

namespace {

TEST(ChildEduSumDialog, LooksAsItShould)
{
    TfmChildEduSum dialog(nullptr);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Сумма за обучение"));
    EXPECT_EQ(dialog.size(), QSize(354, 112));
    EXPECT_EQ(dialog.lbChildEduSum->text(), QStringLiteral("Сумма, уплаченная за обучение ребенка"));
    EXPECT_EQ(dialog.bnOk->text(), QStringLiteral("Да"));
    EXPECT_EQ(dialog.bnCansel->text(), QStringLiteral("Нет"));
    EXPECT_EQ(dialog.meChildEduSum->editType(), edtCurrency);
    EXPECT_EQ(dialog.meChildEduSum->wholeLength(), 12);
    EXPECT_EQ(dialog.meChildEduSum->fractionalLength(), 2);
}

TEST(ChildEduSumDialog, ShowsAndReadsTheSumWithADecimalComma)
{
    TfmChildEduSum dialog(nullptr);
    EXPECT_EQ(dialog.sum(), Currency()) << "an empty edit is 0";
    dialog.setSum(Currency::fromUnits(12'345'000));
    EXPECT_EQ(dialog.meChildEduSum->text(), QStringLiteral("1234,5"));

    typeText(dialog.meChildEduSum, QStringLiteral("50000.75"));
    EXPECT_EQ(dialog.meChildEduSum->text(), QStringLiteral("50000,75"));
    EXPECT_EQ(dialog.sum(), Currency::fromUnits(500'007'500));
}

TEST(ChildEduSumDialog, EachWayOfClosingGivesItsResult)
{
    struct Case {
        const char* title;
        std::function<void(TfmChildEduSum&)> close;
        int result;
    };
    const Case cases[] = {
        {"Да", [](TfmChildEduSum& d) { d.bnOk->click(); }, TfmChildEduSum::Confirmed},
        {"Нет", [](TfmChildEduSum& d) { d.bnCansel->click(); }, TfmChildEduSum::Cancelled},
        {"Enter in the sum", [](TfmChildEduSum& d) { QTest::keyClick(d.meChildEduSum, Qt::Key_Return); },
         TfmChildEduSum::Confirmed},
        {"Esc", [](TfmChildEduSum& d) { QTest::keyClick(d.meChildEduSum, Qt::Key_Escape); },
         TfmChildEduSum::Cancelled},
        {"close box", [](TfmChildEduSum& d) { d.close(); }, TfmChildEduSum::Cancelled},
    };
    for (const Case& test : cases) {
        TfmChildEduSum dialog(nullptr);
        dialog.show();
        test.close(dialog);
        EXPECT_FALSE(dialog.isVisible()) << test.title;
        EXPECT_EQ(dialog.result(), test.result) << test.title;
    }
}

TEST(ChildEduSumDialog, ShowingAStoredSumIsNoEditOfTheDeclaration)
{
    UserEditCounter counter;
    TfmChildEduSum dialog(nullptr);
    dialog.setSum(Currency::fromWholeRoubles(700));
    EXPECT_EQ(counter.userEdits, 0);
    typeText(dialog.meChildEduSum, QStringLiteral("800"));
    EXPECT_GT(counter.userEdits, 0);
}

} // namespace

#include "pages/income/InputTrataDialog.h"

#include <functional>

#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

TEST(InputTrataDialog, LooksAsItShould)
{
    TfmInputTrata dialog(nullptr);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Назначение возврата"));
    EXPECT_EQ(dialog.rbBank->text(), QStringLiteral("Заявление о возврате на банковский счет"));
    EXPECT_EQ(dialog.rbNalog->text(),
              QStringLiteral("Заявление об использовании сумм возврата на уплату других налогов"));
    EXPECT_EQ(dialog.bnOk->text(), QStringLiteral("Да"));
    EXPECT_EQ(dialog.bnCansel->text(), QStringLiteral("Нет"));
    EXPECT_TRUE(dialog.rbBank->isChecked()) << "a refund unless the user picks the offset";
    EXPECT_TRUE(dialog.isRefund());

    dialog.rbNalog->click();
    EXPECT_FALSE(dialog.isRefund());
    dialog.rbBank->click();
    EXPECT_TRUE(dialog.isRefund());
}

TEST(InputTrataDialog, EachWayOfClosingGivesItsResult)
{
    struct Case {
        const char* title;
        std::function<void(TfmInputTrata&)> close;
        int result;
    };
    const Case cases[] = {
        {"Да", [](TfmInputTrata& d) { d.bnOk->click(); }, TfmInputTrata::Confirmed},
        {"Нет", [](TfmInputTrata& d) { d.bnCansel->click(); }, TfmInputTrata::Cancelled},
        {"Enter on a kind", [](TfmInputTrata& d) { QTest::keyClick(d.rbNalog, Qt::Key_Return); },
         TfmInputTrata::Confirmed},
        {"Enter on Нет", [](TfmInputTrata& d) { QTest::keyClick(d.bnCansel, Qt::Key_Enter); },
         TfmInputTrata::Confirmed},
        {"Esc", [](TfmInputTrata& d) { QTest::keyClick(d.rbBank, Qt::Key_Escape); }, TfmInputTrata::Cancelled},
        {"close box", [](TfmInputTrata& d) { d.close(); }, TfmInputTrata::Cancelled},
    };
    for (const Case& test : cases) {
        TfmInputTrata dialog(nullptr);
        dialog.show();
        test.close(dialog);
        EXPECT_FALSE(dialog.isVisible()) << test.title;
        EXPECT_EQ(dialog.result(), test.result) << test.title;
    }
}

} // namespace

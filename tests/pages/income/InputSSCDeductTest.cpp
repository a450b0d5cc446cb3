#include "pages/income/InputSSCDeduct.h"

#include <string>

#include <QLabel>
#include <QTreeWidget>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include "controls/DisplayFormat.h"
#include "controls/MaskedEdit.h"
#include "pages/income/InputDeductCode.h"
#include "tests/support/PageTestSupport.h"
#include "tests/support/SavedDeclaration.h"

namespace {

Currency money(const char* text)
{
    return *parseCurrencyDisplayText(QString::fromUtf8(text));
}

TEST(InputSSCDeduct, LooksAsItShould)
{
    TfmInputSSCDeduct dialog(nullptr);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Вычеты, указанные в разделе 3 справки 2-НДФЛ"));
    EXPECT_EQ(dialog.lbSubtractCod->text(), QStringLiteral("Код вычета"));
    EXPECT_EQ(dialog.lbSubtractSum->text(), QStringLiteral("Сумма вычета"));
    EXPECT_EQ(dialog.bnSubtractCod->text(), QStringLiteral("..."));
    EXPECT_EQ(dialog.bnOk->text(), QStringLiteral("Да"));
    EXPECT_EQ(dialog.bnOk->objectName(), QStringLiteral("bnYes"));
    EXPECT_EQ(dialog.bnCansel->text(), QStringLiteral("Нет"));
    EXPECT_EQ(dialog.meSubtractSum->editType(), edtCurrency);
    EXPECT_EQ(dialog.meSubtractSum->wholeLength(), 12);
    EXPECT_EQ(dialog.meSubtractSum->fractionalLength(), 2);

    EXPECT_TRUE(dialog.pnlSubtractCod->text().isEmpty());
    EXPECT_FALSE(dialog.meSubtractSum->isEnabled()) << "no sum before a code is chosen";
    EXPECT_EQ(dialog.GetCode(), 0);
    EXPECT_EQ(dialog.GetSum(), Currency());
}

// A deduction granted before shows its code and its sum, at most the bound the law sets for the
// code; a code the employer cannot have granted shows as none.
TEST(InputSSCDeduct, AStoredDeductionIsShownWithinItsBound)
{
    struct Case {
        const char* sum;
        std::int32_t code;
        const char* shownCode;
        const char* shownSum;
        bool sumEnabled;
    };
    const Case cases[] = {
        {"0", 0, "", "", false},
        {"500", 0, "", "", false},
        {"500", 501, "", "", false}, // a deduction of an income, not of an employer
        {"500", 999, "", "", false},
        {"7000", 104, "104", "6000", true},
        {"6000", 104, "104", "6000", true},
        {"2999,5", 104, "104", "2999,5", true},
        {"0", 104, "104", "", true}, // a zero sum shows empty, as it was typed
        {"1234,56", 105, "105", "1234,56", true},
        {"1000000", 126, "126", "999999,99", true},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(std::to_string(test.code) + " " + test.sum);
        TfmInputSSCDeduct dialog(nullptr, money(test.sum), test.code);
        EXPECT_EQ(dialog.pnlSubtractCod->text(), QString::fromUtf8(test.shownCode));
        EXPECT_EQ(dialog.meSubtractSum->text(), QString::fromUtf8(test.shownSum));
        EXPECT_EQ(dialog.meSubtractSum->isEnabled(), test.sumEnabled);
        EXPECT_EQ(dialog.GetCode(), QString::fromUtf8(test.shownCode).toInt());
        EXPECT_EQ(dialog.GetSum(), money(test.shownSum));
    }
}

TEST(InputSSCDeduct, ATypedSumNeverExceedsTheBound)
{
    struct Case {
        std::int32_t code;
        const char* typed;
        const char* shown;
    };
    const Case cases[] = {
        {104, "7000", "6000"},
        {104, "6000", "6000"},
        {104, "5999,99", "5999,99"},
        {104, "60000", "6000"},
        {105, "36001", "36000"},
        {105, "35000,5", "35000,5"},
        {126, "1000000", "999999,99"},
        {126, "999999,99", "999999,99"},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(std::to_string(test.code) + " " + test.typed);
        TfmInputSSCDeduct dialog(nullptr);
        dialog.show();
        dialog.chooseCode(test.code);
        ASSERT_TRUE(dialog.meSubtractSum->isEnabled());
        typeInto(dialog.meSubtractSum, QString::fromUtf8(test.typed));
        EXPECT_EQ(dialog.meSubtractSum->text(), QString::fromUtf8(test.shown));
        EXPECT_EQ(dialog.GetSum(), money(test.shown));
    }
}

TEST(InputSSCDeduct, AnotherCodeStartsWithAnEmptySum)
{
    TfmInputSSCDeduct dialog(nullptr, roubles(3000), 104);
    dialog.chooseCode(104);
    EXPECT_EQ(dialog.meSubtractSum->text(), QStringLiteral("3000")) << "the same code keeps its sum";

    dialog.chooseCode(105);
    EXPECT_EQ(dialog.GetCode(), 105);
    EXPECT_TRUE(dialog.meSubtractSum->text().isEmpty());
    EXPECT_EQ(dialog.maxSum(), roubles(36000));
    typeInto(dialog.meSubtractSum, QStringLiteral("40000"));
    EXPECT_EQ(dialog.meSubtractSum->text(), QStringLiteral("36000"));

    dialog.chooseCode(501);
    EXPECT_EQ(dialog.GetCode(), 105) << "a code no employer grants is not taken";
    EXPECT_EQ(dialog.meSubtractSum->text(), QStringLiteral("36000"));
}

// The picker opens at the code shown; a code chosen there is taken with its bound, and a
// cancelled picker changes nothing.
TEST(InputSSCDeduct, TheCodeIsChosenInThePicker)
{
    struct Case {
        const char* title;
        std::int32_t stored; // 0: a new deduction
        const char* preselected;
        const char* chosen; // nullptr: the picker is cancelled
        const char* code;
        const char* sum;
        Currency maxSum;
    };
    const Case cases[] = {
        {"new, chosen", 0, "", "104", "104", "", roubles(6000)},
        {"new, cancelled", 0, "", nullptr, "", "", Currency()},
        {"another code", 104, "104", "105", "105", "", roubles(36000)},
        {"the same code", 104, "104", "104", "104", "3000", roubles(6000)},
        {"cancelled", 104, "104", nullptr, "104", "3000", roubles(6000)},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.title);
        TfmInputSSCDeduct dialog(nullptr, roubles(3000), test.stored);
        dialog.show();
        QString preselected;
        ModalAnswer<TfmInputDeductCode> picker([&](TfmInputDeductCode& p) {
            preselected = p.FCode();
            if (!test.chosen) {
                p.bnCansel->click();
                return;
            }
            const QList<QTreeWidgetItem*> rows = p.list->findItems(QString::fromUtf8(test.chosen), Qt::MatchExactly);
            ASSERT_EQ(rows.size(), 1);
            p.list->setCurrentItem(rows.front());
            p.bnYes->click();
        });
        QTest::mouseClick(dialog.bnSubtractCod, Qt::LeftButton);
        ASSERT_TRUE(picker.shown);
        if (*test.preselected) {
            EXPECT_EQ(preselected, QString::fromUtf8(test.preselected));
        }
        EXPECT_EQ(dialog.pnlSubtractCod->text(), QString::fromUtf8(test.code));
        EXPECT_EQ(dialog.meSubtractSum->text(), QString::fromUtf8(test.sum));
        EXPECT_EQ(dialog.meSubtractSum->isEnabled(), *test.code != 0);
        EXPECT_EQ(dialog.maxSum(), test.maxSum);
    }
}

// Showing a deduction stored before is no edit of the declaration.
TEST(InputSSCDeduct, ShowingAStoredDeductionIsNoEdit)
{
    UserEditCounter counter;
    for (const std::int32_t code : {0, 104, 105, 999}) {
        TfmInputSSCDeduct dialog(nullptr, roubles(7000), code);
        EXPECT_EQ(counter.userEdits, 0) << code;
    }
}

} // namespace

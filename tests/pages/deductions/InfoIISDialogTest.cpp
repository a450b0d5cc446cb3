#include "pages/deductions/InfoIISDialog.h"

#include <QCheckBox>
#include <QColor>
#include <QLabel>
#include <QPalette>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include "controls/DtpPanel.h"
#include "controls/MaskedEdit.h"
#include "model/DayDate.h"
#include "model/InvDeduct.h"
#include "tests/controls/ScriptedCheckAnswers.h"
#include "tests/support/PageTestSupport.h"
#include "tests/pages/deductions/ItemDialogCheck.h"
#include "tests/support/UserTyping.h"

namespace {

const char* const ValidInn = "7707083893";
const char* const ValidKpp = "773601001";

TEST(InfoIISDialog, LooksAsItShould)
{
    TfmInputInfoIIS dialog(nullptr);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Сведения об индивидуальных инвестиционных счетах"));
    EXPECT_EQ(dialog.size(), QSize(688, 275));
    EXPECT_EQ(dialog.lbDataOpen->text(), QStringLiteral("Дата открытия ИИС"));
    EXPECT_EQ(dialog.lbDataDog->text(), QStringLiteral("Дата договора"));
    EXPECT_EQ(dialog.lbSourseName->text(), QStringLiteral("Наименование участника рынка ценных бумаг"));
    EXPECT_EQ(dialog.lbINN->text(), QStringLiteral("ИНН"));
    EXPECT_EQ(dialog.lbKPP->text(), QStringLiteral("КПП"));
    EXPECT_EQ(dialog.lbNumDog->text(), QStringLiteral("Номер договора"));
    EXPECT_EQ(dialog.lbSum->text(), QStringLiteral("Внесенные средства"));
    EXPECT_EQ(dialog.cbPriznakUpr->text(), QStringLiteral("Признак предоставления вычета в упрощенном порядке"));
    EXPECT_EQ(dialog.bnOk->text(), QStringLiteral("Да"));
    EXPECT_EQ(dialog.bnCansel->text(), QStringLiteral("Нет"));

    for (TDtpPanel* date : {dialog.dtpDataOpen, dialog.dtpDataDog}) {
        EXPECT_EQ(date->dateTime(), *encodeDate(2021, 1, 1));
        EXPECT_EQ(date->minDate(), *encodeDate(1990, 1, 1));
        EXPECT_EQ(date->maxDate(), *encodeDate(2021, 12, 31));
    }
    struct Limits {
        TMaskedEdit* edit;
        TEditTypeControlEnum type;
        int wholeLength;
    };
    for (const Limits& limits : {Limits{dialog.meSourseName, edtNone, 1000}, Limits{dialog.meINN, edtDigital, 10},
                                 Limits{dialog.meKPP, edtDigital, 9}, Limits{dialog.meNomDog, edtNone, 20},
                                 Limits{dialog.meSum, edtCurrency, 12}}) {
        EXPECT_EQ(limits.edit->editType(), limits.type) << limits.edit->objectName().toStdString();
        EXPECT_EQ(limits.edit->wholeLength(), limits.wholeLength) << limits.edit->objectName().toStdString();
    }
    EXPECT_EQ(dialog.meSum->fractionalLength(), 2);
}

TEST(InfoIISDialog, ASumPaidInOfTheLimitOrMoreIsTakenAsTheLimit)
{
    struct Case {
        const char* typed;
        const char* shown;
    };
    for (const Case& test : {Case{"450000", "400000"}, Case{"400000,01", "400000"}, Case{"399999,99", "399999,99"},
                             Case{"40000", "40000"}}) {
        TfmInputInfoIIS dialog(nullptr);
        typeText(dialog.meSum, QString::fromUtf8(test.typed));
        EXPECT_EQ(dialog.meSum->text(), QString::fromUtf8(test.shown)) << test.typed;
    }
}

TEST(InfoIISDialog, ShowsAndStoresEveryFieldOfTheAccount)
{
    bmTInfoIIS stored;
    stored.ParticipantName = "АО \"Брокер\"";
    stored.ParticipantINN = ValidInn;
    stored.ParticipantKPP = ValidKpp;
    stored.ContractNumber = "ИИС-7";
    stored.ContractDate = *encodeDate(2019, 2, 27);
    stored.OpenDate = *encodeDate(2019, 3, 1);
    stored.PaidIn = Currency::fromUnits(1'000'005'000);
    stored.SimplifiedSign = 1;

    TfmInputInfoIIS dialog(nullptr);
    dialog.setAccount(stored);
    EXPECT_EQ(dialog.meSum->text(), QStringLiteral("100000,5"));
    bmTInfoIIS back;
    dialog.storeAccount(back);
    EXPECT_EQ(back, stored);
}

// A stored account with requisites the check takes, both dates in the fields' bounds.
bmTInfoIIS storedAccount()
{
    bmTInfoIIS account;
    account.ParticipantName = "АО Брокер";
    account.ParticipantINN = ValidInn;
    account.ParticipantKPP = ValidKpp;
    account.ContractNumber = "ИИС-7";
    account.ContractDate = *encodeDate(2019, 2, 27);
    account.OpenDate = *encodeDate(2019, 3, 1);
    account.PaidIn = Currency::fromWholeRoubles(1000);
    return account;
}

TEST(InfoIISDialog, AStoredDateOutsideTheBoundsIsShownAsItIsAndRefusedUntilCorrected)
{
    const struct {
        const char* name;
        double bmTInfoIIS::* date;
        TDtpPanel* TfmInputInfoIIS::* field;
        double stored;
        const char* shown;
        const char* message;
    } cases[] = {
        {"an unset contract date", &bmTInfoIIS::ContractDate, &TfmInputInfoIIS::dtpDataDog, 0, "30.12.1899",
         "Дата договора 30.12.1899 вне допустимых пределов. Введите дату с 01.01.1990 по 31.12.2021"},
        {"a contract date before the lower bound", &bmTInfoIIS::ContractDate, &TfmInputInfoIIS::dtpDataDog,
         *encodeDate(1989, 12, 31), "31.12.1989",
         "Дата договора 31.12.1989 вне допустимых пределов. Введите дату с 01.01.1990 по 31.12.2021"},
        {"an opening date after the upper bound", &bmTInfoIIS::OpenDate, &TfmInputInfoIIS::dtpDataOpen,
         *encodeDate(2022, 5, 5), "05.05.2022",
         "Дата открытия ИИС 05.05.2022 вне допустимых пределов. Введите дату с 01.01.1990 по 31.12.2021"},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        bmTInfoIIS stored = storedAccount();
        stored.*test.date = test.stored;
        ScriptedCheckAnswers checks;
        checks.answers = {CheckFix};
        TfmInputInfoIIS dialog(nullptr);
        dialog.setAccount(stored);
        dialog.show();
        TDtpPanel* field = dialog.*test.field;
        auto* edit = field->findChild<TTestMaskD*>();
        EXPECT_EQ(edit->displayText(), QString::fromUtf8(test.shown)) << "never moved onto a bound";
        EXPECT_EQ(edit->palette().color(QPalette::Text), QColor(Qt::red));
        bmTInfoIIS back;
        dialog.storeAccount(back);
        EXPECT_EQ(back, stored) << "nor replaced when stored";

        dialog.bnOk->click();
        ASSERT_EQ(checks.shown.size(), 1u);
        EXPECT_EQ(checks.shown[0].caption, QStringLiteral("Проверка: Сведения об индивидуальных инвестиционных счетах"));
        EXPECT_EQ(checks.shown[0].message, QString::fromUtf8(test.message));
        EXPECT_FALSE(checks.shown[0].skip);
        EXPECT_FALSE(checks.shown[0].skipAll);
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_TRUE(field->isAncestorOf(dialog.focusWidget())) << "the date to correct has the focus";

        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        edit->home(false);
        QTest::keyClicks(edit, QStringLiteral("01032019"));
        EXPECT_NE(edit->palette().color(QPalette::Text), QColor(Qt::red));
        dialog.bnOk->click();
        EXPECT_EQ(checks.shown.size(), 1u);
        EXPECT_EQ(dialog.result(), TfmInputInfoIIS::Confirmed);
        dialog.storeAccount(back);
        EXPECT_EQ(back.*test.date, *encodeDate(2019, 3, 1));
    }
}

struct CheckCase {
    const char* title;
    const char* name;
    const char* inn;
    const char* kpp;
    const char* number;
    const char* sum;
    const char* message; // nullptr: the dialog closes with 1
    const char* focused;
};

const CheckCase CheckCases[] = {
    {"all given", "АО Брокер", ValidInn, ValidKpp, "ИИС-7", "1000", nullptr, nullptr},
    {"no name", "", ValidInn, ValidKpp, "ИИС-7", "1000", "Не заполненно поле \"Наименование источника выплаты\"",
     "meSourseName"},
    {"wrong ИНН", "АО Брокер", "7707083890", ValidKpp, "ИИС-7", "1000", "Номер ИНН введен неверно", "meINN"},
    {"short КПП", "АО Брокер", ValidInn, "77360100", "ИИС-7", "1000", "Длина КПП должна быть равна 9 цифрам",
     "meKPP"},
    {"no sum", "АО Брокер", ValidInn, ValidKpp, "ИИС-7", "", "Не указана сумма внесенных денежных средств", "meSum"},
    {"a zero sum", "АО Брокер", ValidInn, ValidKpp, "", "0,00", "Не указана сумма внесенных денежных средств",
     "meSum"},
    {"no number", "АО Брокер", ValidInn, ValidKpp, " ", "1000", "Не указан номер договора", "meNomDog"},
};

TEST(InfoIISDialog, TheCheckOfYesKeepsTheDialogOnTheFieldToFix)
{
    for (const CheckCase& test : CheckCases) {
        SCOPED_TRACE(test.title);
        ScriptedCheckAnswers checks;
        checks.answers = {CheckFix};
        TfmInputInfoIIS dialog(nullptr);
        dialog.show();
        typeRequisites(dialog, test.name, test.inn, test.kpp, test.number);
        typeText(dialog.meSum, QString::fromUtf8(test.sum));

        dialog.bnOk->click();

        expectCheckOutcome(dialog, checks, QStringLiteral("Проверка: Сведения об индивидуальных инвестиционных счетах"),
                           test.message, test.focused);
    }
}

// An empty sum stands for 0 and stays empty: a reopened account shows it the same way.
TEST(InfoIISDialog, AnEmptySumStaysEmpty)
{
    ScriptedCheckAnswers checks;
    TfmInputInfoIIS dialog(nullptr);
    dialog.show();
    typeText(dialog.meSourseName, QStringLiteral("АО Брокер"));
    typeText(dialog.meINN, QString::fromUtf8(ValidInn));
    typeText(dialog.meKPP, QString::fromUtf8(ValidKpp));
    dialog.bnOk->click();
    EXPECT_EQ(dialog.meSum->text(), QString());
}

TEST(InfoIISDialog, EnterChecksLikeYesAndEscCancels)
{
    ScriptedCheckAnswers checks;
    TfmInputInfoIIS dialog(nullptr);
    dialog.show();
    QTest::keyClick(dialog.meNomDog, Qt::Key_Return);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(checks.shown.size(), 1u);
    QTest::keyClick(dialog.meNomDog, Qt::Key_Escape);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), TfmInputInfoIIS::Cancelled);
}

} // namespace

#include "pages/deductions/SoursePensDialog.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

#include "controls/DtpPanel.h"
#include "controls/MaskedEdit.h"
#include "model/DayDate.h"
#include "model/SocialDeduct.h"
#include "tests/controls/ScriptedCheckAnswers.h"
#include "tests/support/PageTestSupport.h"
#include "tests/pages/deductions/ItemDialogCheck.h"
#include "tests/support/UserTyping.h"

namespace {

const char* const ValidInn = "7707083893";
const char* const ValidKpp = "773601001";

TEST(SoursePensDialog, LooksAsItShould)
{
    TfmInputSoursePens dialog(nullptr);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Вид и данные договора"));
    EXPECT_EQ(dialog.size(), QSize(542, 383));
    EXPECT_EQ(dialog.gbVid->title(), QStringLiteral("Вид договора"));
    EXPECT_EQ(dialog.rbSelf1->text(), QStringLiteral("Договор негосударственного пенсионного обеспечения"));
    EXPECT_EQ(dialog.rbSelf2->text(), QStringLiteral("Договор добровольного пенсионного страхования"));
    EXPECT_EQ(dialog.rbSelf3->text(), QStringLiteral("Договор добровольного страхования жизни"));
    EXPECT_EQ(dialog.rbSelf4->text(), QStringLiteral("Дополнительные страховые взносы на накопительную пенсию"));
    EXPECT_EQ(dialog.lbSourseName->text(), QStringLiteral("Наименование организации или фонда"));
    EXPECT_EQ(dialog.lbINN->text(), QStringLiteral("ИНН"));
    EXPECT_EQ(dialog.lbKPP->text(), QStringLiteral("КПП"));
    EXPECT_EQ(dialog.lbNomDog->text(), QStringLiteral("Номер договора"));
    EXPECT_EQ(dialog.lbDatDog->text(), QStringLiteral("Дата договора"));
    EXPECT_EQ(dialog.lbSumVZ->text(), QStringLiteral("Сумма взноса"));
    EXPECT_EQ(dialog.bnOk->text(), QStringLiteral("Да"));
    EXPECT_EQ(dialog.bnCansel->text(), QStringLiteral("Нет"));

    EXPECT_EQ(dialog.kind(), 1);
    EXPECT_EQ(dialog.dtpDatDog->dateTime(), *encodeDate(2021, 1, 1));
    EXPECT_EQ(dialog.dtpDatDog->minDate(), *encodeDate(1900, 1, 1));
    EXPECT_EQ(dialog.dtpDatDog->maxDate(), *encodeDate(2021, 12, 31));

    struct Limits {
        TMaskedEdit* edit;
        TEditTypeControlEnum type;
        int wholeLength;
    };
    for (const Limits& limits : {Limits{dialog.meSourseName, edtNone, 1000}, Limits{dialog.meINN, edtDigital, 10},
                                 Limits{dialog.meKPP, edtDigital, 9}, Limits{dialog.meNomDog, edtNone, 40},
                                 Limits{dialog.meVZSum, edtCurrency, 12}}) {
        EXPECT_EQ(limits.edit->editType(), limits.type) << limits.edit->objectName().toStdString();
        EXPECT_EQ(limits.edit->wholeLength(), limits.wholeLength) << limits.edit->objectName().toStdString();
    }
    EXPECT_EQ(dialog.meVZSum->fractionalLength(), 2);
}

TEST(SoursePensDialog, FundedPensionContributionsHaveNoOrganisationOrContract)
{
    TfmInputSoursePens dialog(nullptr);
    typeText(dialog.meSourseName, QStringLiteral("НПФ"));
    const QList<QWidget*> contractFields{dialog.lbSourseName, dialog.meSourseName, dialog.lbINN,    dialog.meINN,
                                         dialog.lbKPP,        dialog.meKPP,        dialog.lbNomDog, dialog.meNomDog,
                                         dialog.lbDatDog,     dialog.dtpDatDog};

    dialog.rbSelf4->click();
    EXPECT_EQ(dialog.kind(), 4);
    for (QWidget* field : contractFields)
        EXPECT_FALSE(field->isEnabled()) << field->objectName().toStdString();
    EXPECT_TRUE(dialog.meVZSum->isEnabled());
    EXPECT_EQ(dialog.meSourseName->text(), QStringLiteral("НПФ")) << "texts are kept";

    for (QRadioButton* kind : {dialog.rbSelf2, dialog.rbSelf3, dialog.rbSelf1}) {
        dialog.rbSelf4->click();
        kind->click();
        for (QWidget* field : contractFields)
            EXPECT_TRUE(field->isEnabled()) << field->objectName().toStdString();
    }
}

TEST(SoursePensDialog, ShowsAndStoresEveryFieldOfTheContract)
{
    mTPens stored;
    stored.ContractKind = 3;
    stored.OrgName = "ООО \"СК Жизнь\"";
    stored.OrgINN = ValidInn;
    stored.OrgKPP = ValidKpp;
    stored.ContractNumber = "Ж-15/2020";
    stored.ContractDate = *encodeDate(2020, 3, 17);
    stored.Sum = Currency::fromUnits(1'200'055'000);

    TfmInputSoursePens dialog(nullptr);
    dialog.setContract(stored);
    EXPECT_TRUE(dialog.rbSelf3->isChecked());
    EXPECT_EQ(dialog.meVZSum->text(), QStringLiteral("120005,5"));
    mTPens back;
    dialog.storeContract(back);
    EXPECT_EQ(back, stored);

    stored.ContractKind = 4;
    dialog.setContract(stored);
    EXPECT_FALSE(dialog.meSourseName->isEnabled());
}

// What the check of "Да" shows and where it leaves the focus.
struct CheckCase {
    const char* title;
    int kind;
    const char* name;
    const char* inn;
    const char* kpp;
    const char* number;
    const char* message; // nullptr: the dialog closes with 1
    const char* focused;
};

const CheckCase CheckCases[] = {
    {"all given", 1, "АО НПФ", ValidInn, ValidKpp, "12", nullptr, nullptr},
    {"no name", 2, " ", ValidInn, ValidKpp, "12", "Не заполненно поле \"Наименование источника выплаты\"",
     "meSourseName"},
    {"a wrong check digit", 1, "АО НПФ", "7707083894", ValidKpp, "12", "Номер ИНН введен неверно", "meINN"},
    {"nine digits", 1, "АО НПФ", "770708389", ValidKpp, "12", "Длина ИНН должна быть равна 10 цифрам", "meINN"},
    {"no КПП", 3, "АО НПФ", ValidInn, "", "12", "Отсутствует КПП", "meKPP"},
    {"no ИНН", 1, "АО НПФ", "", ValidKpp, "12", "Введите ИНН", "meINN"},
    {"no number", 1, "АО НПФ", ValidInn, ValidKpp, "", "Введите номер договора", "meNomDog"},
    {"blanks for a number", 1, "АО НПФ", ValidInn, ValidKpp, "  ", "Введите номер договора", "meNomDog"},
    {"funded pension without data", 4, "", "", "", "", nullptr, nullptr},
};

TEST(SoursePensDialog, TheCheckOfYesKeepsTheDialogOnTheFieldToFix)
{
    for (const CheckCase& test : CheckCases) {
        SCOPED_TRACE(test.title);
        ScriptedCheckAnswers checks;
        checks.answers = {CheckFix};
        TfmInputSoursePens dialog(nullptr);
        dialog.show();
        typeRequisites(dialog, test.name, test.inn, test.kpp, test.number);
        dialog.setKind(test.kind);

        dialog.bnOk->click();

        expectCheckOutcome(dialog, checks, QStringLiteral("Проверка: Пенсионные договоры"), test.message, test.focused);
    }
}

TEST(SoursePensDialog, EnterChecksLikeYesAndEscCancels)
{
    ScriptedCheckAnswers checks;
    TfmInputSoursePens dialog(nullptr);
    dialog.show();
    QTest::keyClick(dialog.meSourseName, Qt::Key_Return);
    EXPECT_TRUE(dialog.isVisible()) << "the empty contract fails its check";
    EXPECT_EQ(checks.shown.size(), 1u);

    QTest::keyClick(dialog.meSourseName, Qt::Key_Escape);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), TfmInputSoursePens::Cancelled);

    dialog.show();
    dialog.rbSelf4->click();
    QTest::keyClick(dialog.meVZSum, Qt::Key_Enter);
    EXPECT_EQ(dialog.result(), TfmInputSoursePens::Confirmed);
}

} // namespace

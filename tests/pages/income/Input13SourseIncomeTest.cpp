#include "pages/income/Input13SourseIncome.h"

#include <deque>

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include "controls/MaskedEdit.h"
#include "tests/controls/ScriptedCheckAnswers.h"
#include "tests/support/UserTyping.h"

namespace {

const QString Section = QStringLiteral("Проверка: Доходы, облагаемые по ставке 13%");
const char* const OrganisationInn = "7707083893";
const char* const PersonInn = "500100732259";
const char* const Kpp = "773601001";
const char* const Oktmo = "45382000";

void typeRequisites(TfmInput13SourseIncome& dialog, const char* name, const char* inn, const char* kpp,
                    const char* oktmo)
{
    typeText(dialog.meSourseName, QString::fromUtf8(name));
    typeText(dialog.meINN, QString::fromUtf8(inn));
    typeText(dialog.meKPP, QString::fromUtf8(kpp));
    typeText(dialog.meOKATO, QString::fromUtf8(oktmo));
}

TEST(Input13SourseIncome, LooksAsItShould)
{
    TfmInput13SourseIncome dialog(nullptr, true);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Источник выплаты"));
    EXPECT_GE(dialog.width(), 542);
    EXPECT_GE(dialog.height(), 291);
    EXPECT_EQ(dialog.lbSourseName->text(), QStringLiteral("Наименование источника выплаты"));
    EXPECT_EQ(dialog.lbINN->text(), QStringLiteral("ИНН"));
    EXPECT_EQ(dialog.lbKPP->text(), QStringLiteral("КПП"));
    EXPECT_EQ(dialog.lbOKATO->text(), QStringLiteral("ОКТМО"));
    EXPECT_EQ(dialog.chbPrimaryWorkplase->text(),
              QStringLiteral("Расчет стандартных вычетов вести по этому источнику"));
    EXPECT_EQ(dialog.chbIsIT->text(), QStringLiteral("Источник является инвестиционным товариществом"));
    EXPECT_EQ(dialog.bnOk->text(), QStringLiteral("Да"));
    EXPECT_EQ(dialog.bnCansel->text(), QStringLiteral("Нет"));

    struct Limits {
        TMaskedEdit* edit;
        TEditTypeControlEnum type;
        int length;
    };
    for (const Limits& limits : {Limits{dialog.meSourseName, edtNone, 1000}, Limits{dialog.meINN, edtDigital, 12},
                                 Limits{dialog.meKPP, edtDigital, 9}, Limits{dialog.meOKATO, edtDigital, 11}}) {
        SCOPED_TRACE(limits.edit->objectName().toStdString());
        EXPECT_EQ(limits.edit->editType(), limits.type);
        EXPECT_EQ(limits.edit->wholeLength(), limits.length);
    }
    EXPECT_TRUE(dialog.chbIsIT->isEnabled());
    EXPECT_FALSE(TfmInput13SourseIncome(nullptr, false).chbIsIT->isEnabled());
}

TEST(Input13SourseIncome, AccessorsShowAndReadTheFields)
{
    TfmInput13SourseIncome dialog(nullptr, true);
    dialog.SetName(QStringLiteral("ООО \"Ромашка\" "));
    dialog.SetINN(QString::fromUtf8(OrganisationInn));
    dialog.SetKPP(QString::fromUtf8(Kpp));
    dialog.SetOKTMO(QString::fromUtf8(Oktmo));
    dialog.SetPrimaryWorkplace(true);
    dialog.SetIsIT(true);
    EXPECT_EQ(dialog.meSourseName->text(), QStringLiteral("ООО \"Ромашка\" "));
    EXPECT_EQ(dialog.GetName(), QStringLiteral("ООО \"Ромашка\" ")) << "kept as typed, blanks too";
    EXPECT_EQ(dialog.GetINN(), QString::fromUtf8(OrganisationInn));
    EXPECT_EQ(dialog.GetKPP(), QString::fromUtf8(Kpp));
    EXPECT_EQ(dialog.GetOKTMO(), QString::fromUtf8(Oktmo));
    EXPECT_TRUE(dialog.GetPrimaryWorkplace());
    EXPECT_TRUE(dialog.GetIsIT());
    dialog.SetPrimaryWorkplace(false);
    dialog.SetIsIT(false);
    EXPECT_FALSE(dialog.chbPrimaryWorkplase->isChecked());
    EXPECT_FALSE(dialog.chbIsIT->isChecked());
}

// "Да" runs the payment-source check: a rule to fix keeps the dialog open with the focus on its
// field; only a missing ОКТМО may be passed by. Closing the check window where "Пропустить" is
// not offered means fixing the rule.
TEST(Input13SourseIncome, TheCheckFocusesTheFieldToFix)
{
    struct Case {
        const char* title;
        const char* name;
        const char* inn;
        const char* kpp;
        const char* oktmo;
        std::deque<int> answers;
        const char* message; // the first check shown; nullptr: none
        bool skippable;
        const char* focused; // nullptr: the dialog closed as confirmed
    };
    const Case cases[] = {
        {"all valid", "ООО Ромашка", OrganisationInn, Kpp, Oktmo, {}, nullptr, false, nullptr},
        {"a person paid, no КПП", "Иванов Иван", PersonInn, "", "45382000000", {}, nullptr, false, nullptr},
        {"no name", "  ", OrganisationInn, Kpp, Oktmo, {CheckFix},
         "Не заполненно поле \"Наименование источника выплаты\"", false, "meSourseName"},
        {"no name, check closed", "", OrganisationInn, Kpp, Oktmo, {CheckClosed},
         "Не заполненно поле \"Наименование источника выплаты\"", false, "meSourseName"},
        {"short ОКТМО", "ООО", OrganisationInn, Kpp, "1234", {CheckFix},
         "Код ОКТМО введен некорректно (должно быть 8 или 11 симв.) (При продаже имущества физ.лицу - не нужен)",
         false, "meOKATO"},
        {"no ОКТМО, fixed", "ООО", OrganisationInn, Kpp, "", {CheckFix},
         "Не введен код ОКТМО (8 или 11 симв.) (При продаже имущества физ.лицу - не нужен)", true, "meOKATO"},
        {"no ОКТМО, skipped", "ООО", OrganisationInn, Kpp, "", {CheckSkip},
         "Не введен код ОКТМО (8 или 11 симв.) (При продаже имущества физ.лицу - не нужен)", true, nullptr},
        {"no ОКТМО, check closed", "ООО", OrganisationInn, Kpp, "", {CheckClosed},
         "Не введен код ОКТМО (8 или 11 симв.) (При продаже имущества физ.лицу - не нужен)", true, nullptr},
        {"ИНН of 5 digits", "ООО", "12345", "", Oktmo, {CheckFix}, "Длина ИНН должна быть равна 10 или 12 цифрам",
         false, "meINN"},
        {"ИНН with a wrong check digit", "ООО", "7707083894", Kpp, Oktmo, {CheckFix}, "Номер ИНН введен неверно",
         false, "meINN"},
        {"organisation without КПП", "ООО", OrganisationInn, "", Oktmo, {CheckFix}, "Отсутствует КПП", false,
         "meKPP"},
        {"КПП of 8 digits", "ООО", OrganisationInn, "77360100", Oktmo, {CheckFix},
         "Длина КПП должна быть равна 9 цифрам", false, "meKPP"},
        {"КПП of zeros", "ООО", OrganisationInn, "000000000", Oktmo, {CheckFix}, "Некорректный КПП", false, "meKPP"},
        {"КПП without ИНН", "ООО", "", Kpp, Oktmo, {CheckFix}, "Введите ИНН", false, "meINN"},
        {"КПП of a person", "ООО", PersonInn, Kpp, Oktmo, {CheckClosed},
         "Длина ИНН для юрлиц должна быть равна 10 цифрам", false, "meINN"},
        // The fields are checked from the top: the ОКТМО, the last of them, after the ИНН and the КПП.
        {"ИНН and ОКТМО both wrong", "ООО", "7707083894", Kpp, "1234", {CheckFix}, "Номер ИНН введен неверно",
         false, "meINN"},
        {"КПП wrong and no ОКТМО", "ООО", OrganisationInn, "000000000", "", {CheckFix}, "Некорректный КПП", false,
         "meKPP"},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.title);
        TfmInput13SourseIncome dialog(nullptr, true);
        dialog.show();
        typeRequisites(dialog, test.name, test.inn, test.kpp, test.oktmo);
        ScriptedCheckAnswers checks;
        checks.answers = test.answers;

        dialog.bnOk->click();

        if (test.message) {
            ASSERT_FALSE(checks.shown.empty());
            EXPECT_EQ(checks.shown[0].caption, Section);
            EXPECT_EQ(checks.shown[0].message, QString::fromUtf8(test.message));
            EXPECT_EQ(checks.shown[0].skip, test.skippable);
            EXPECT_FALSE(checks.shown[0].skipAll);
        } else {
            EXPECT_TRUE(checks.shown.empty());
        }
        if (test.focused) {
            EXPECT_TRUE(dialog.isVisible());
            ASSERT_NE(dialog.focusWidget(), nullptr);
            EXPECT_EQ(dialog.focusWidget()->objectName(), QString::fromUtf8(test.focused));
        } else {
            EXPECT_FALSE(dialog.isVisible());
            EXPECT_EQ(dialog.result(), TfmInput13SourseIncome::Confirmed);
        }
    }
}

TEST(Input13SourseIncome, EnterConfirmsAfterTheCheckAndEscCancels)
{
    {
        TfmInput13SourseIncome dialog(nullptr, true);
        dialog.show();
        typeRequisites(dialog, "ООО Ромашка", OrganisationInn, Kpp, Oktmo);
        QTest::keyClick(dialog.meOKATO, Qt::Key_Return);
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_EQ(dialog.result(), TfmInput13SourseIncome::Confirmed);
    }
    {
        TfmInput13SourseIncome dialog(nullptr, true);
        dialog.show();
        ScriptedCheckAnswers checks;
        checks.answers = {CheckFix};
        QTest::keyClick(dialog.meSourseName, Qt::Key_Enter);
        EXPECT_EQ(checks.shown.size(), 1u) << "an empty dialog is checked too";
        EXPECT_TRUE(dialog.isVisible());
        QTest::keyClick(dialog.meSourseName, Qt::Key_Escape);
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_EQ(dialog.result(), TfmInput13SourseIncome::Cancelled);
    }
}

} // namespace

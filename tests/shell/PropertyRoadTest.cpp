// A flat bought in 2021 with a mortgage, claimed in the window as a user claims it, against a
// year's salary. The exchange file the window writes is checked against the format's schema and
// against the figures worked out by hand from the tax rules.
//
// The figures, in roubles. The salary (kind 10) is taxed at 13 % while under 5 000 000.
//   ООО "Ромашка": salary (2000) 250 000 a month, January to December             3 000 000
//     it withheld 13 % of 3 000 000                                                   390 000
//   The flat: bought under a contract of sale, registered 15.03.2021, the whole of it owned;
//     it cost 2 500 000, of which the deduction takes at most                      2 000 000
//     mortgage interest paid 150 000, under the cap of 3 000 000 for objects from 2014  150 000
//   Base before the property deduction                                              3 000 000
//   Property deduction: the cost first, 2 000 000, then the interest, 150 000;
//     both fit in the base, nothing is left for later years                      2 150 000
//   Base 3 000 000 - 2 150 000 = 850 000; tax 13 % = 110 500
//   Withheld 390 000; to refund 390 000 - 110 500 = 279 500, nothing to pay

#include <string>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include "controls/DtpPanel.h"
#include "controls/FlashButton.h"
#include "controls/MaskedEdit.h"
#include "model/ConstructionDeduct.h"
#include "model/DayDate.h"
#include "pages/deductions/FrameDeductData.h"
#include "pages/deductions/FrameMultyConstructionDeduct.h"
#include "pages/deductions/InputConstruction.h"
#include "pages/income/InitialData.h"
#include "pages/income/Input13Income.h"
#include "pages/income/Input13SourseIncome.h"
#include "pages/income/RateLines.h"
#include "pages/income/Sourse.h"
#include "shell/FormMain.h"
#include "tests/controls/ScriptedCheckAnswers.h"
#include "tests/shell/RoadTest.h"
#include "tests/support/ExchangeSchema.h"
#include "tests/support/PageTestSupport.h"
#include "tests/support/UserTyping.h"

namespace {

class PropertyRoadTest : public RoadTest {
protected:
    // A resident's new declaration with the personal data.
    void startResidentDeclaration()
    {
        auto* conditions = startDeclaration();
        ASSERT_NE(conditions, nullptr);
        ASSERT_TRUE(conditions->rbSimple->isChecked());
        typeDeclarant();
    }

    // The employer and its year's salary typed on the income pages; no check may report anything.
    void addSalary()
    {
        userClick(window->fbRussianIncome);
        auto* page = shown<TfrSourse>();
        ASSERT_NE(page, nullptr);
        {
            ScriptedCheckAnswers checks;
            ModalAnswer<TfmInput13SourseIncome> dialog([](TfmInput13SourseIncome& d) {
                typeText(d.meSourseName, QStringLiteral("ООО \"Ромашка\""));
                typeInto(d.meINN, QStringLiteral("7707083893"));
                typeInto(d.meKPP, QStringLiteral("773601001"));
                typeInto(d.meOKATO, QStringLiteral("45382000"));
                d.bnOk->click();
            });
            userClick(page->fbAddSourseIncome);
            ASSERT_TRUE(dialog.shown);
            for (const auto& check : checks.shown)
                ADD_FAILURE() << check.message.toStdString();
        }
        for (int month = 1; month <= 12; ++month) {
            SCOPED_TRACE(month);
            ScriptedCheckAnswers checks;
            ModalAnswer<TfmInput13Income> dialog([month](TfmInput13Income& d) {
                d.chooseIncomeCode(QStringLiteral("2000"));
                typeInto(d.meIncomeSum, QStringLiteral("250000"));
                typeInto(d.mePropSale, QString::number(month));
                d.bnOk->click();
            });
            userClick(page->rateFrame()->fbAddIncome);
            ASSERT_TRUE(dialog.shown);
            for (const auto& check : checks.shown)
                ADD_FAILURE() << check.message.toStdString();
        }
        typeInto(page->rateFrame()->meHoldSum, QStringLiteral("390000"));
        EXPECT_EQ(page->rateFrame()->pnlItogIncomeSum->text(), QStringLiteral("3000000"));
    }

    // The property page of the deductions section, with the deduction claimed.
    TfrMultyConstructionDeduct* claimPropertyDeduction()
    {
        userClick(window->fbDeduction);
        auto* deductions = shown<TfrFrameDeductData>();
        if (!deductions)
            return nullptr;
        userClick(deductions->fbConstructionDeduct);
        auto* page = qobject_cast<TfrMultyConstructionDeduct*>(deductions->currentPage());
        EXPECT_NE(page, nullptr);
        if (page && !page->chbGrantingDeduct->isChecked())
            page->chbGrantingDeduct->click();
        return page;
    }

    // The flat typed into the object dialog as the user types it.
    void addFlat(TfrMultyConstructionDeduct* page)
    {
        ScriptedCheckAnswers checks;
        ModalAnswer<TfmInputConstruction> dialog([](TfmInputConstruction& d) {
            d.cbObjectNaim->setCurrentIndex(1);
            d.cbPrizNal->setCurrentIndex(0);
            d.cbKodNomSob->setCurrentIndex(0);
            typeText(d.meNom, QStringLiteral("77:01:0004012:1234"));
            typeText(d.meMesto, QStringLiteral("Москва, ул. Лесная, д. 5, кв. 12"));
            auto* date = d.dtpRegRightDate->findChild<TTestMaskD*>();
            date->setFocus();
            date->selectAll();
            QTest::keyClick(date, Qt::Key_Backspace);
            QTest::keyClicks(date, QStringLiteral("15032021"));
            typeInto(d.meObsch, QStringLiteral("2500000"));
            typeInto(d.meobschip, QStringLiteral("150000"));
            d.bnOk->click();
        });
        userClick(page->fbAddObj);
        ASSERT_TRUE(dialog.shown);
        for (const auto& check : checks.shown)
            ADD_FAILURE() << check.message.toStdString();
        EXPECT_EQ(rowCaptions(page->lvObjInfo), QStringList{QStringLiteral("Квартира 77:01:0004012:1234")});
    }
};

TEST_F(PropertyRoadTest, AFlatBoughtWithAMortgageGivesTheRefundWorkedOutByHand)
{
    startResidentDeclaration();
    addSalary();
    TfrMultyConstructionDeduct* page = claimPropertyDeduction();
    ASSERT_NE(page, nullptr);
    addFlat(page);

    const mTConstructionDeduct& property = window->declaration().ConstructionDeduct;
    ASSERT_EQ(property.ObjectCount(), 1u);
    const mTConstructionDeductObj& flat = *property.GetObject(0);
    EXPECT_EQ(flat.ObjectCode, 2);
    EXPECT_EQ(flat.OwnerSign, 1);
    EXPECT_EQ(flat.ObjectNumberKind, 1);
    EXPECT_EQ(flat.DwellingRegDate, *encodeDate(2021, 3, 15));
    EXPECT_EQ(flat.ByInvestment, 0);
    EXPECT_EQ(flat.Cost, Currency::fromWholeRoubles(2'500'000));
    EXPECT_EQ(flat.InterestPaid, Currency::fromWholeRoubles(150'000));

    // The only thing the check raises is the advice to say where the refund goes, which the user
    // may pass by; it names the refund worked out above.
    const auto expectOnlyTheRefundAdvice = [](const ScriptedCheckAnswers& checks) {
        ASSERT_EQ(checks.shown.size(), 1u);
        EXPECT_EQ(checks.shown[0].caption, QStringLiteral("Проверка: Оформление возврата"));
        EXPECT_TRUE(checks.shown[0].message.contains(QStringLiteral("равная 279500 руб.")))
            << checks.shown[0].message.toStdString();
    };
    {
        ScriptedCheckAnswers checks;
        checks.answers = {CheckSkip};
        window->CheckDoc->trigger();
        expectOnlyTheRefundAdvice(checks);
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].text, QStringLiteral("Проверка декларации завершена успешно"));
        messages.clear();
    }

    ScriptedCheckAnswers checks;
    checks.answers = {CheckSkip};
    const QString file = exportFile();
    expectOnlyTheRefundAdvice(checks);
    ASSERT_FALSE(file.isEmpty());
    EXPECT_EQ(exchangeSchemaErrors(file.toStdString()), "");

    const std::string salaries = "//НалБаза[@ВидДоход=\"10\"]";
    const std::string purchase = "//ИмущНалВычНов/РасчИмущВыч";
    const std::string object = purchase + "/СвОбъектРасх";
    expectFigures(file, {
        {"salaries: income", "string(" + salaries + "/РасчНалБаза/@СумДох)", "3000000.00"},
        {"salaries: base", "string(" + salaries + "/РасчНалБаза/@НалБаза)", "850000.00"},
        {"salaries: tax", "string(" + salaries + "/РасчНалПУ/@Исчисл)", "110500"},
        {"salaries: withheld", "string(" + salaries + "/РасчНалПУ/@Удерж)", "390000"},
        {"salaries: to refund", "string(" + salaries + "/РасчНалПУ/@ПодлВозв)", "279500"},
        {"base before the deduction", "string(" + purchase + "/@НалБаз13БезВыч)", "3000000.00"},
        {"cost deducted this year", "string(" + purchase + "/@РасхНовВычНД)", "2000000.00"},
        {"interest deducted this year", "string(" + purchase + "/@ПроцВычНД)", "150000.00"},
        {"cost left", "string(" + purchase + "/@ОстИВБезПроц)", "0.00"},
        {"interest left", "string(" + purchase + "/@ОстИВУплПроц)", "0.00"},
        {"objects", "count(" + object + ")", "1"},
        {"a flat", "string(" + object + "/@КодНаимОб)", "2"},
        {"the owner", "string(" + object + "/@ПризнакНП)", "01"},
        {"registered", "string(" + object + "/@ДатаРегЖил)", "15.03.2021"},
        {"cost within the limit", "string(" + object + "/@СумРасхФакт)", "2000000.00"},
        {"interest paid", "string(" + object + "/@СумФактУплПроц)", "150000.00"},
        {"number code", "string(" + object + "/СведОбъект/@КодНомерОб)", "1"},
        {"number", "string(" + object + "/СведОбъект/@НомерОб)", "77:01:0004012:1234"},
        {"to pay", "string(//СумНалПуИскл227/@ПодлУпл)", "0"},
        {"to refund", "string(//СумНалПуИскл227/@ПодлВозв)", "279500"},
    });
}

} // namespace

#include "pages/income/InputCurrencySourseIncome.h"

#include <deque>
#include <functional>
#include <vector>

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include "controls/CountryChooser.h"
#include "controls/MaskedEdit.h"
#include "controls/ReferenceDocument.h"
#include "model/Declaration.h"
#include "tests/controls/ScriptedCheckAnswers.h"
#include "tests/support/PageTestSupport.h"
#include "tests/support/TestProgramContext.h"
#include "tests/support/UserTyping.h"

namespace {

const QString NameMissing = QStringLiteral("Не указан источник выплаты дохода");
const QString SourceCountryMissing = QStringLiteral("Не выбран код страны источника выплаты");
const QString NoCountryAsSource =
    QStringLiteral("Код 999 допускается только для страны зачисления, укажите другой код");
const QString CreditCountryMissing = QStringLiteral("Не выбран код страны зачисления выплаты");

ReferenceElement countryDirectory()
{
    return parseReferenceXml(QStringLiteral("<?xml version=\"1.0\"?>\n"
                                            "<Oksm>\n"
                                            "  <Country Code=\"276\">ГЕРМАНИЯ</Country>\n"
                                            "  <Country Code=\"643\">РОССИЯ</Country>\n"
                                            "  <Country Code=\"840\">СОЕДИНЕННЫЕ ШТАТЫ</Country>\n"
                                            "  <Country Code=\"999\">ОСОБАЯ ЗАПИСЬ</Country>\n"
                                            "</Oksm>\n")
                                 .toUtf8());
}

// What the country picker was shown with, and the answer given.
struct PickerVisit {
    QString presetCode;
    QString lastRowName;
};

// The main window's country picker, registered before any dialog is made.
struct RegisteredCountryPicker {
    RegisteredCountryPicker() { context.countries = &picker; }

    TestProgramContext context;
    TfmGrazhd picker{nullptr, countryDirectory()};
};

// The dialog with the main window's country picker in place.
class SourceDialogTest : public ::testing::Test {
protected:

    // Presses and answers the picker that opens by choosing the row with `pickedCode` (none:
    // "Нет"); the visit, if the picker was shown.
    std::vector<PickerVisit> pickCountry(const std::function<void()>& press, const QString& pickedCode)
    {
        std::vector<PickerVisit> visits;
        ModalAnswer<TfmGrazhd> answer([&](TfmGrazhd& shown) {
            QTreeWidget* list = shown.lvGrazhd;
            visits.push_back({shown.FCode(), list->topLevelItem(list->topLevelItemCount() - 1)->text(1)});
            if (pickedCode.isEmpty()) {
                shown.bnCansel->click();
                return;
            }
            list->setCurrentItem(list->findItems(pickedCode, Qt::MatchExactly, 0).front());
            shown.bnYes->click();
        });
        press();
        return visits;
    }

    // A source that passes the check.
    void fillValidSource()
    {
        dialog.SetSourceName(QStringLiteral("Apple Inc."));
        dialog.SetSourceCountry(QStringLiteral("840"));
        dialog.SetCreditCountry(QStringLiteral("643"));
    }

    UserEditCounter edits;
    RegisteredCountryPicker countries;
    TfmInputCurrencySourseIncome dialog{nullptr};
};

TEST_F(SourceDialogTest, LooksAsItShould)
{
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Доход"));
    EXPECT_EQ(dialog.lbSourseName->text(), QStringLiteral("Наименование источника выплаты"));
    EXPECT_EQ(dialog.lbGos->text(), QStringLiteral("Код страны источника выплаты"));
    EXPECT_EQ(dialog.lbGos2->text(), QStringLiteral("Код страны зачисления выплаты"));
    EXPECT_EQ(dialog.chbKIK->text(), QStringLiteral("Фиксированная прибыль КИК"));
    EXPECT_EQ(dialog.Button1->text(), QStringLiteral("..."));
    EXPECT_EQ(dialog.Button2->text(), QStringLiteral("..."));
    EXPECT_EQ(dialog.bnOk->text(), QStringLiteral("Да"));
    EXPECT_EQ(dialog.bnCansel->text(), QStringLiteral("Нет"));

    dialog.show();
    EXPECT_FALSE(dialog.chbKIK->isVisible()) << "the caller shows it where fixed profit is possible";
    EXPECT_FALSE(dialog.meGos->isEnabled()) << "countries come from the picker only";
    EXPECT_FALSE(dialog.meGos2->isEnabled());
    EXPECT_TRUE(dialog.Button1->isEnabled());
    EXPECT_TRUE(dialog.Button2->isEnabled());
    EXPECT_EQ(dialog.focusWidget(), dialog.meSourseName);
}

TEST_F(SourceDialogTest, PropertiesReadBackWhatWasSetWithoutCountingAsEdits)
{
    dialog.SetSourceName(QStringLiteral("Deutsche Bank AG"));
    dialog.SetSourceCountry(QStringLiteral("276"));
    dialog.SetCreditCountry(QStringLiteral("999"));
    EXPECT_EQ(dialog.SourceName(), QStringLiteral("Deutsche Bank AG"));
    EXPECT_EQ(dialog.SourceCountry(), QStringLiteral("276"));
    EXPECT_EQ(dialog.CreditCountry(), QStringLiteral("999"));
    EXPECT_FALSE(dialog.FixedProfit());
    EXPECT_EQ(edits.userEdits, 0) << "opening a source to look at it changes nothing";
}

TEST_F(SourceDialogTest, NameTakesAThousandWindows1251Characters)
{
    struct Case {
        const char* title;
        QString typed;
        QString kept;
    };
    const QString thousand(1000, u'Я');
    const Case cases[] = {
        {"Cyrillic and Latin", QStringLiteral("ООО «Ромашка» & Co."), QStringLiteral("ООО «Ромашка» & Co.")},
        {"a thousand characters", thousand, thousand},
        {"one over the limit", thousand + u'Я', QString()},
        {"outside windows-1251", QStringLiteral("Bank 中国"), QString()},
    };
    for (const Case& test : cases) {
        dialog.SetSourceName(QString());
        typeText(dialog.meSourseName, test.typed);
        EXPECT_EQ(dialog.SourceName(), test.kept) << test.title;
    }
}

TEST_F(SourceDialogTest, EachWayOfClosingGivesItsResult)
{
    struct Case {
        const char* title;
        std::function<void(TfmInputCurrencySourseIncome&)> close;
        int result;
    };
    const Case cases[] = {
        {"Да", [](TfmInputCurrencySourseIncome& d) { d.bnOk->click(); }, TfmInputCurrencySourseIncome::Confirmed},
        {"Enter in the name", [](TfmInputCurrencySourseIncome& d) { QTest::keyClick(d.meSourseName, Qt::Key_Return); },
         TfmInputCurrencySourseIncome::Confirmed},
        {"Нет", [](TfmInputCurrencySourseIncome& d) { d.bnCansel->click(); },
         TfmInputCurrencySourseIncome::Cancelled},
        {"Esc", [](TfmInputCurrencySourseIncome& d) { QTest::keyClick(d.meSourseName, Qt::Key_Escape); },
         TfmInputCurrencySourseIncome::Cancelled},
        {"close box", [](TfmInputCurrencySourseIncome& d) { d.close(); }, TfmInputCurrencySourseIncome::Cancelled},
    };
    for (const Case& test : cases) {
        TfmInputCurrencySourseIncome shown(nullptr);
        shown.SetSourceName(QStringLiteral("Apple Inc."));
        shown.SetSourceCountry(QStringLiteral("840"));
        shown.SetCreditCountry(QStringLiteral("840"));
        shown.show();
        test.close(shown);
        EXPECT_FALSE(shown.isVisible()) << test.title;
        EXPECT_EQ(shown.result(), test.result) << test.title;
    }
}

TEST_F(SourceDialogTest, CheckRulesInOrder)
{
    struct Case {
        const char* title;
        QString name, source, credit;
        std::deque<int> answers;
        std::vector<QString> messages; // shown, in order
        TfmInputCurrencySourseIncome::SourceCheckResult result;
    };
    using D = TfmInputCurrencySourseIncome;
    const Case cases[] = {
        {"valid", "Apple Inc.", "840", "643", {}, {}, D::SourceValid},
        {"credited without a country", "Apple Inc.", "840", "999", {}, {}, D::SourceValid},
        {"name of blanks, fixed", "   ", "840", "643", {CheckFix}, {NameMissing}, D::FixSourceName},
        {"no source country, fixed", "Apple Inc.", "", "643", {CheckFix}, {SourceCountryMissing},
         D::FixSourceCountry},
        {"999 as source, fixed", "Apple Inc.", " 999 ", "643", {CheckFix}, {NoCountryAsSource},
         D::FixSourceCountry},
        {"no credit country, fixed", "Apple Inc.", "840", "", {CheckFix}, {CreditCountryMissing},
         D::FixCreditCountry},
        {"all empty, fix the first", "", "", "", {CheckFix}, {NameMissing}, D::FixSourceName},
        {"all empty, skip then fix", "", "", "", {CheckSkip, CheckFix}, {NameMissing, SourceCountryMissing},
         D::FixSourceCountry},
        {"all empty, skip every rule", "", "", "", {CheckSkip, CheckSkip, CheckSkip},
         {NameMissing, SourceCountryMissing, CreditCountryMissing}, D::SourceSkipped},
        {"closing the check dialog skips", "", "840", "", {CheckClosed, CheckClosed},
         {NameMissing, CreditCountryMissing}, D::SourceSkipped},
    };
    for (const Case& test : cases) {
        ScriptedCheckAnswers script;
        script.answers = test.answers;
        dialog.SetSourceName(test.name);
        dialog.SetSourceCountry(test.source);
        dialog.SetCreditCountry(test.credit);
        EXPECT_EQ(dialog.CheckSource(), test.result) << test.title;
        std::vector<QString> messages;
        for (const ScriptedCheckAnswers::Shown& shown : script.shown) {
            messages.push_back(shown.message);
            EXPECT_EQ(shown.caption, QStringLiteral("Проверка: Источник дохода")) << test.title;
            EXPECT_TRUE(shown.skip) << test.title;
            EXPECT_FALSE(shown.skipAll) << test.title << ": every rule must be seen";
        }
        EXPECT_EQ(messages, test.messages) << test.title;
    }
}

TEST_F(SourceDialogTest, FixingANameKeepsTheDialogOpenOnTheName)
{
    ScriptedCheckAnswers script;
    script.answers = {CheckFix};
    dialog.SetSourceCountry(QStringLiteral("840"));
    dialog.SetCreditCountry(QStringLiteral("643"));
    dialog.show();
    dialog.bnOk->setFocus();
    dialog.bnOk->click();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.focusWidget(), dialog.meSourseName);

    script.answers = {CheckSkip};
    QTest::keyClick(dialog.meSourseName, Qt::Key_Return);
    EXPECT_TRUE(dialog.isVisible()) << "a skipped rule still keeps a source without a name out";
}

TEST_F(SourceDialogTest, FixingACountryOpensItsPicker)
{
    struct Case {
        const char* title;
        QString source, credit;
        QString picked;
        QString expectedSource, expectedCredit;
    };
    const Case cases[] = {
        {"source country missing", "", "643", "840", "840", "643"},
        {"999 as source", "999", "643", "276", "276", "643"},
        {"credit country missing", "840", "", "999", "840", "999"},
    };
    for (const Case& test : cases) {
        TfmInputCurrencySourseIncome shown(nullptr);
        shown.SetSourceName(QStringLiteral("Apple Inc."));
        shown.SetSourceCountry(test.source);
        shown.SetCreditCountry(test.credit);
        shown.show();
        ScriptedCheckAnswers script;
        script.answers = {CheckFix};
        const std::vector<PickerVisit> visits = pickCountry([&] { shown.bnOk->click(); }, test.picked);
        EXPECT_EQ(visits.size(), 1u) << test.title;
        EXPECT_EQ(shown.SourceCountry(), test.expectedSource) << test.title;
        EXPECT_EQ(shown.CreditCountry(), test.expectedCredit) << test.title;
        EXPECT_TRUE(shown.isVisible()) << test.title << ": the user confirms once more";
    }
}

TEST_F(SourceDialogTest, CountryButtonsUseTheOnePickerInTheirModes)
{
    struct Case {
        const char* title;
        QPushButton* button;
        TMaskedEdit* edit;
        QString preset;
        QString picked; // empty: "Нет"
        QString lastRowName;
        QString expected;
        int userEdits;
    };
    const Case cases[] = {
        {"source: a new country", dialog.Button1, dialog.meGos, "276", "840", "НЕ ИСПОЛЬЗУЕТСЯ", "840", 1},
        {"source: the same country", dialog.Button1, dialog.meGos, "840", "840", "НЕ ИСПОЛЬЗУЕТСЯ", "840", 0},
        {"source: cancelled", dialog.Button1, dialog.meGos, "840", "", "НЕ ИСПОЛЬЗУЕТСЯ", "840", 0},
        {"credit: a new country", dialog.Button2, dialog.meGos2, "", "999",
         "ВЫПЛАТА ОСУЩЕСТВЛЯЛАСЬ В НАЛИЧНОЙ ИЛИ НАТУРАЛЬНОЙ ФОРМЕ", "999", 1},
        {"credit: cancelled", dialog.Button2, dialog.meGos2, "643", "",
         "ВЫПЛАТА ОСУЩЕСТВЛЯЛАСЬ В НАЛИЧНОЙ ИЛИ НАТУРАЛЬНОЙ ФОРМЕ", "643", 0},
    };
    dialog.show();
    for (const Case& test : cases) {
        const PageLoadingScope presetting;
        test.edit->setText(test.preset);
    }
    for (const Case& test : cases) {
        {
            const PageLoadingScope presetting;
            test.edit->setText(test.preset);
        }
        edits.userEdits = 0;
        const std::vector<PickerVisit> visits = pickCountry([&] { test.button->click(); }, test.picked);
        ASSERT_EQ(visits.size(), 1u) << test.title;
        EXPECT_EQ(visits.front().presetCode, test.preset) << test.title;
        EXPECT_EQ(visits.front().lastRowName, test.lastRowName) << test.title;
        EXPECT_EQ(test.edit->text(), test.expected) << test.title;
        EXPECT_EQ(edits.userEdits, test.userEdits) << test.title;
    }
}

TEST_F(SourceDialogTest, FixedProfitFillsInTheSourceOnlyWhenTheUserClicks)
{
    dialog.chbKIK->setVisible(true);
    dialog.show();
    dialog.SetSourceName(QStringLiteral("Apple Inc."));
    dialog.SetSourceCountry(QStringLiteral("840"));

    dialog.chbKIK->click();
    EXPECT_TRUE(dialog.FixedProfit());
    EXPECT_EQ(dialog.SourceName(), QStringLiteral("Фиксированная прибыль КИК"));
    EXPECT_EQ(dialog.SourceCountry(), QStringLiteral("643"));
    EXPECT_EQ(dialog.CreditCountry(), QStringLiteral("643"));
    EXPECT_FALSE(dialog.meSourseName->isEnabled());
    EXPECT_FALSE(dialog.Button1->isEnabled());
    EXPECT_FALSE(dialog.Button2->isEnabled());
    EXPECT_GT(edits.userEdits, 0);

    dialog.chbKIK->click();
    EXPECT_FALSE(dialog.FixedProfit());
    EXPECT_EQ(dialog.SourceName(), QString());
    EXPECT_EQ(dialog.SourceCountry(), QString());
    EXPECT_EQ(dialog.CreditCountry(), QString());
    EXPECT_TRUE(dialog.meSourseName->isEnabled());
    EXPECT_TRUE(dialog.Button1->isEnabled());
    EXPECT_TRUE(dialog.Button2->isEnabled());

    // A stored item: the caller's texts stay whichever order it sets them in.
    struct Case {
        const char* title;
        bool fixedProfit;
        QString name;
    };
    const Case stored[] = {
        {"fixed profit", true, QStringLiteral("Фиксированная прибыль КИК")},
        {"ordinary source", false, QStringLiteral("Apple Inc.")},
    };
    for (const Case& test : stored) {
        TfmInputCurrencySourseIncome opened(nullptr);
        opened.SetSourceName(test.name);
        opened.SetSourceCountry(QStringLiteral("643"));
        opened.SetCreditCountry(QStringLiteral("643"));
        opened.SetFixedProfit(test.fixedProfit);
        EXPECT_EQ(opened.FixedProfit(), test.fixedProfit) << test.title;
        EXPECT_EQ(opened.SourceName(), test.name) << test.title;
        EXPECT_EQ(opened.SourceCountry(), QStringLiteral("643")) << test.title;
        EXPECT_EQ(opened.CreditCountry(), QStringLiteral("643")) << test.title;
        EXPECT_EQ(opened.meSourseName->isEnabled(), !test.fixedProfit) << test.title;
        EXPECT_EQ(opened.Button1->isEnabled(), !test.fixedProfit) << test.title;
    }
}

TEST(SourceDialogWithoutCountries, CountryButtonsAreDisabled)
{
    const TestProgramContext context;
    TfmInputCurrencySourseIncome dialog(nullptr);
    EXPECT_FALSE(dialog.Button1->isEnabled());
    EXPECT_FALSE(dialog.Button2->isEnabled());
}

} // namespace

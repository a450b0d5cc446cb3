#include "pages/income/Input13Income.h"

#include <optional>
#include <vector>

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include <gtest/gtest.h>

#include "controls/DisplayFormat.h"
#include "controls/ReferenceDocument.h"
#include "model/Sourse.h"
#include "pages/income/IncomeDict.h"
#include "pages/income/InputDeductCode.h"
#include "pages/income/InputIncomeCode.h"
#include "tests/controls/ScriptedCheckAnswers.h"
#include "tests/support/PageTestSupport.h"
#include "tests/support/SavedDeclaration.h"
#include "tests/support/UserTyping.h"

namespace {

// Incomes of this test's own: a share deduction with a cap, and an income without deductions.
const IncomeDict& testDictionary()
{
    static const IncomeDict dictionary(parseReferenceXml(R"(<?xml version="1.0" encoding="UTF-8"?>
<IncomeDict>
  <Income Stav="0" Code="0000" Name="Совокупный доход " SaleDate="False"/>
  <Income Stav="13" Code="9001" RF="True" Name="Доход с долей ">
    <Deduction Code="701" Name="Доля с пределом" Stav="20" Visible="True" Enabled="False" Equivalent="False" MaxSum="100"/>
    <Deduction Code="0" Name="Не предоставлять вычет" Stav=" " Visible="False" Enabled="False" Equivalent="False" MaxSum="0"/>
  </Income>
  <Income Stav="13" Code="9002" RF="True" Name="Доход без вычетов"/>
</IncomeDict>
)"));
    return dictionary;
}

Currency money(const char* text)
{
    return parseCurrencyDisplayText(QString::fromUtf8(text)).value();
}

// A resident's dialog at 13 % with the program's own dictionary.
struct ResidentDialog : TfmInput13Income {
    ResidentDialog() : TfmInput13Income(nullptr, QStringLiteral("13"), true, false) {}
};

// The line most checks start from: a gift from an organisation (2720) with the gift's deduction
// (501), which under its cap of 4000 takes the whole of a smaller gift.
void enterGift(TfmInput13Income& dialog, const QString& amount = QStringLiteral("3000"))
{
    dialog.chooseIncomeCode(QStringLiteral("2720"));
    typeText(dialog.meIncomeSum, amount);
    dialog.chooseDeductCode(QStringLiteral("501"));
}

TEST(Input13Income, LooksAsItShould)
{
    TfmInput13Income dialog(nullptr, QStringLiteral("13"), true, false);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Сведения о доходе"));
    EXPECT_EQ(dialog.GroupBox1->title(), QStringLiteral("Сведения о полученном доходе"));
    const std::pair<QLabel*, const char*> labels[] = {
        {dialog.lbIncomeCod, "Код дохода"},
        {dialog.lbIncomeSum, "Сумма дохода"},
        {dialog.lbKSum, "Кадастровая стоимость"},
        {dialog.lbKNum, "Кадастровый номер"},
        {dialog.lbPrice, "Цена объекта по договору продажи"},
        {dialog.lbSubtractCod, "Код вычета (расхода)"},
        {dialog.lbSubtractSum, "Сумма вычета (расхода)"},
        {dialog.lbPropSale, "Месяц получения дохода "},
        {dialog.lbHoldSum, "Сумма удержанного налога"},
    };
    for (const auto& [label, caption] : labels)
        EXPECT_EQ(label->text(), QString::fromUtf8(caption));
    EXPECT_EQ(dialog.cbNeenPrilA->text(), QStringLiteral("Имущество было приобретено после 01.01.2016"));
    for (QPushButton* chooser : {dialog.bnIncomeCod, dialog.bnSubtractCod}) {
        EXPECT_EQ(chooser->text(), QStringLiteral("..."));
        EXPECT_EQ(chooser->toolTip(), QStringLiteral("Выбрать код из справочника"));
    }
    EXPECT_EQ(dialog.bnOk->text(), QStringLiteral("Да"));
    EXPECT_EQ(dialog.bnCansel->text(), QStringLiteral("Нет"));

    struct Limits {
        TMaskedEdit* edit;
        TEditTypeControlEnum type;
        int whole;
        int fractional;
    };
    const Limits edits[] = {
        {dialog.meIncomeSum, edtCurrency, 12, 2}, {dialog.meKSum, edtCurrency, 12, 2},
        {dialog.mePrice, edtCurrency, 12, 2},     {dialog.meSubtractSum, edtCurrency, 12, 2},
        {dialog.meKNum, edtNone, 100, 0},         {dialog.mePropSale, edtDigital, 2, 0},
        // The tax withheld is whole roubles, as the exchange file holds it.
        {dialog.meHoldSum, edtWholeRoubles, 13, 0},
    };
    for (const Limits& test : edits) {
        SCOPED_TRACE(test.edit->objectName().toStdString());
        EXPECT_EQ(test.edit->editType(), test.type);
        EXPECT_EQ(test.edit->wholeLength(), test.whole);
        EXPECT_EQ(test.edit->fractionalLength(), test.fractional);
    }

    // Nothing can be typed before an income is chosen.
    EXPECT_TRUE(dialog.bnIncomeCod->isEnabled());
    for (QWidget* control : std::initializer_list<QWidget*>{dialog.meIncomeSum, dialog.bnSubtractCod,
                                                            dialog.meSubtractSum, dialog.mePropSale})
        EXPECT_FALSE(control->isEnabled()) << control->objectName().toStdString();
    EXPECT_TRUE(dialog.Panel2->isHidden());
}

TEST(Input13Income, TheRateDecidesWhetherTheMonthAndTheWithheldTaxAreAsked)
{
    struct Case {
        const char* rate;
        bool resident;
        bool monthShown;
        bool monthAsked;
        bool withheldShown;
    };
    const Case cases[] = {
        {"13", true, true, true, false},   {"15", true, true, true, false},
        {"13", false, true, false, false}, {"15", false, true, false, false},
        {"100", true, false, false, true}, {"30", false, false, false, false},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(std::string(test.rate) + (test.resident ? " resident" : " non-resident"));
        TfmInput13Income dialog(nullptr, QString::fromUtf8(test.rate), test.resident, false);
        dialog.chooseIncomeCode(QStringLiteral("2720"));
        EXPECT_EQ(!dialog.mePropSale->isHidden(), test.monthShown);
        EXPECT_EQ(dialog.mePropSale->isEnabled(), test.monthAsked);
        EXPECT_EQ(dialog.asksMonth(), test.monthAsked);
        EXPECT_EQ(!dialog.meHoldSum->isHidden(), test.withheldShown);
        EXPECT_EQ(!dialog.lbHoldSum->isHidden(), test.withheldShown);
        if (test.withheldShown) {
            EXPECT_TRUE(dialog.lbHoldSum->isEnabled());
            EXPECT_TRUE(dialog.meHoldSum->isEnabled());
        }
        EXPECT_EQ(dialog.GetMonth(), 1) << "an empty month is January";
    }
}

TEST(Input13Income, TheDeductionFollowsTheRulesOfTheDictionary)
{
    struct Case {
        const char* name;
        const char* code;
        const char* deduct; // nullptr: none chosen
        const char* rate;
        bool resident;
        const char* income;
        const char* typedDeduction; // nullptr: the sum is not typed
        bool chooserEnabled;
        bool visible;
        bool enabled;
        const char* shownCode;
        const char* sum;
    };
    const Case cases[] = {
        {"a gift below the cap", "2720", "501", "13", true, "3000", nullptr, true, true, true, "501", "3000"},
        {"a gift above the cap", "2720", "501", "13", true, "10000", nullptr, true, true, true, "501", "4000"},
        {"a typed deduction above the cap", "2720", "501", "13", true, "10000", "5000", true, true, true, "501",
         "4000"},
        {"a typed deduction below the cap", "2720", "501", "13", true, "10000", "3500", true, true, true, "501",
         "3500"},
        {"a non-resident's gift", "2720", "501", "30", false, "10000", nullptr, true, true, true, "501", "4000"},
        {"no deduction", "2720", "0", "13", true, "3000", nullptr, true, false, false, "0", ""},
        {"a share of an author's fee", "2201", "405", "13", true, "1000", nullptr, true, true, false, "405", "200"},
        {"a share at 15 %", "2201", "405", "15", true, "1000", nullptr, true, true, false, "405", "200"},
        {"an expense on securities above the income", "1530", "201", "13", true, "3000", "3500", true, true, true,
         "201", "3500"},
        {"a sale below the cap", "1510", "901", "13", true, "700000", nullptr, true, true, false, "901", "700000"},
        {"a sale above the cap", "1510", "901", "13", true, "2000000", nullptr, true, true, false, "901", "1000000"},
        {"the fixed deduction of 2799", "2799", nullptr, "13", true, "1234,5", nullptr, false, true, false, "599",
         "1234,5"},
        {"a non-resident's sale of securities", "1530", nullptr, "30", false, "3000", nullptr, false, true, false, "",
         ""},
        {"a non-resident's income without deductions", "2000", nullptr, "30", false, "1000", nullptr, false, true,
         false, "", ""},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        TfmInput13Income dialog(nullptr, QString::fromUtf8(test.rate), test.resident, false);
        dialog.chooseIncomeCode(QString::fromUtf8(test.code));
        if (test.deduct)
            dialog.chooseDeductCode(QString::fromUtf8(test.deduct));
        typeText(dialog.meIncomeSum, QString::fromUtf8(test.income));
        if (test.typedDeduction)
            typeText(dialog.meSubtractSum, QString::fromUtf8(test.typedDeduction));
        EXPECT_EQ(dialog.bnSubtractCod->isEnabled(), test.chooserEnabled);
        EXPECT_EQ(!dialog.meSubtractSum->isHidden(), test.visible);
        EXPECT_EQ(dialog.meSubtractSum->isEnabled(), test.enabled);
        EXPECT_EQ(dialog.pnlSubtractCod->text(), QString::fromUtf8(test.shownCode));
        EXPECT_EQ(dialog.meSubtractSum->text(), QString::fromUtf8(test.sum));
        EXPECT_EQ(dialog.GetDeductSum(), test.sum[0] ? money(test.sum) : Currency());
    }
}

TEST(Input13Income, EveryShareDeductionIsItsShareOfTheIncome)
{
    int shares = 0;
    for (int code = 2201; code <= 2209; ++code) {
        const DictionaryIncome* income = IncomeDict::builtIn().income(QString::number(code));
        const DictionaryDeduction* deduction = income ? income->deduction(u"405") : nullptr;
        if (!deduction)
            continue;
        SCOPED_TRACE(code);
        ++shares;
        ResidentDialog dialog;
        dialog.chooseIncomeCode(QString::number(code));
        typeText(dialog.meIncomeSum, QStringLiteral("1000"));
        dialog.chooseDeductCode(QStringLiteral("405"));
        EXPECT_FALSE(dialog.meSubtractSum->isEnabled()) << "a share is not typed";
        EXPECT_EQ(dialog.meSubtractSum->text(), QString::number(deduction->percent * 10));
        EXPECT_EQ(dialog.GetDeductPercent(), deduction->percent);
        typeText(dialog.meIncomeSum, QStringLiteral("1000,05"));
        EXPECT_EQ(dialog.GetDeductSum(), percentOf(money("1000,05"), deduction->percent));
    }
    EXPECT_EQ(shares, 9);
}

TEST(Input13Income, AShareDeductionIsCappedWhenChosenAndWhenRecomputed)
{
    TfmInput13Income chosen(nullptr, QStringLiteral("13"), true, false, testDictionary());
    chosen.chooseIncomeCode(QStringLiteral("9001"));
    typeText(chosen.meIncomeSum, QStringLiteral("1000"));
    chosen.chooseDeductCode(QStringLiteral("701"));
    EXPECT_EQ(chosen.meSubtractSum->text(), QStringLiteral("100")) << "20 % of 1000 is above the cap of 100";
    typeText(chosen.meIncomeSum, QStringLiteral("400"));
    EXPECT_EQ(chosen.meSubtractSum->text(), QStringLiteral("80"));
    typeText(chosen.meIncomeSum, QStringLiteral("600"));
    EXPECT_EQ(chosen.meSubtractSum->text(), QStringLiteral("100"));

    mTIncome stored;
    stored.IncomeCode = 9001;
    stored.Amount = money("5000");
    stored.DeductionCode = 701;
    stored.Deduction = money("1000");
    stored.DeductionPercent = 20;
    stored.Month = 3;
    TfmInput13Income reopened(nullptr, QStringLiteral("13"), true, false, testDictionary());
    reopened.showLine(stored);
    EXPECT_EQ(reopened.meSubtractSum->text(), QStringLiteral("100"));
}

TEST(Input13Income, ChoosingTheSameIncomeAgainChangesNothing)
{
    ResidentDialog dialog;
    enterGift(dialog);
    typeText(dialog.mePropSale, QStringLiteral("7"));
    dialog.chooseIncomeCode(QStringLiteral("2720"));
    EXPECT_EQ(dialog.meIncomeSum->text(), QStringLiteral("3000"));
    EXPECT_EQ(dialog.pnlSubtractCod->text(), QStringLiteral("501"));
    EXPECT_EQ(dialog.meSubtractSum->text(), QStringLiteral("3000"));
    EXPECT_EQ(dialog.mePropSale->text(), QStringLiteral("7"));
}

// A code is changed to correct it: the amount and the month stay, and so does the deduction when
// the new income allows it, under the new income's rule; a deduction it does not allow goes, and
// the dialog says so beside the deduction.
TEST(Input13Income, AnotherIncomeCodeKeepsTheAmountAndTheDeductionItAllows)
{
    struct Case {
        const char* name;
        const char* rate;
        bool resident;
        const char* from;
        const char* income;
        const char* deduct;         // chosen for the first code; nullptr: none
        const char* typedDeduction; // nullptr: the sum the rule gives
        const char* to;
        const char* shownCode;
        const char* sum;
        bool sumEnabled;
        const char* note; // nullptr: no note
    };
    const Case cases[] = {
        {"a sale of other property called a sale of a car", "13", true, "1520", "600000", "906", nullptr, "1521",
         "906", "250000", false, nullptr},
        {"expenses typed for a flat kept for other real estate", "13", true, "1510", "600000", "903", "400000",
         "1512", "903", "400000", true, nullptr},
        {"a flat's deduction on other real estate", "13", true, "1510", "600000", "901", nullptr, "1512", "", "", false,
         "Вычет 901 не предоставляется по коду дохода 1512: он удален."},
        {"a gift's deduction on a sale", "13", true, "2720", "3000", "501", nullptr, "1510", "", "", false,
         "Вычет 501 не предоставляется по коду дохода 1510: он удален."},
        {"an income without deductions", "13", true, "2720", "3000", "501", nullptr, "2000", "", "", false,
         "Вычет 501 не предоставляется по коду дохода 2000: он удален."},
        {"«no deduction» goes without a word", "13", true, "2720", "3000", "0", nullptr, "2000", "", "", false,
         nullptr},
        {"no deduction chosen", "13", true, "2720", "3000", nullptr, nullptr, "1510", "", "", false, nullptr},
        {"2799 takes its own deduction", "13", true, "2720", "3000", "501", nullptr, "2799", "599", "3000", false,
         "Вычет 501 не предоставляется по коду дохода 2799: он удален."},
        {"the deduction of 2799 goes with its code", "13", true, "2799", "3000", nullptr, nullptr, "2720", "", "",
         false, nullptr},
        {"a non-resident's gift from a person", "30", false, "2720", "10000", "501", nullptr,
         "2721", "", "", false, "Вычет 501 не предоставляется по коду дохода 2721: он удален."},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        TfmInput13Income dialog(nullptr, QString::fromUtf8(test.rate), test.resident, false);
        dialog.show();
        dialog.chooseIncomeCode(QString::fromUtf8(test.from));
        typeText(dialog.meIncomeSum, QString::fromUtf8(test.income));
        if (test.deduct)
            dialog.chooseDeductCode(QString::fromUtf8(test.deduct));
        if (test.typedDeduction)
            typeText(dialog.meSubtractSum, QString::fromUtf8(test.typedDeduction));
        if (test.resident)
            typeText(dialog.mePropSale, QStringLiteral("7"));
        EXPECT_TRUE(dialog.lbDeductNote->isHidden());

        dialog.chooseIncomeCode(QString::fromUtf8(test.to));

        EXPECT_EQ(dialog.GetIncomeCode(), QString::fromUtf8(test.to).toInt());
        EXPECT_FALSE(dialog.lbIncomeName->text().isEmpty());
        EXPECT_EQ(dialog.meIncomeSum->text(), QString::fromUtf8(test.income)) << "the amount stays";
        EXPECT_TRUE(dialog.meIncomeSum->isEnabled());
        if (test.resident) {
            EXPECT_EQ(dialog.mePropSale->text(), QStringLiteral("7")) << "the month stays";
        }
        EXPECT_EQ(dialog.pnlSubtractCod->text(), QString::fromUtf8(test.shownCode));
        EXPECT_EQ(dialog.meSubtractSum->text(), QString::fromUtf8(test.sum));
        EXPECT_EQ(dialog.meSubtractSum->isEnabled(), test.sumEnabled);
        EXPECT_EQ(dialog.lbDeductNote->isVisible(), test.note != nullptr);
        EXPECT_EQ(dialog.lbDeductNote->text(), test.note ? QString::fromUtf8(test.note) : QString());
        if (test.shownCode[0] == '\0') {
            EXPECT_EQ(dialog.GetDeductPercent(), 0);
        }
    }
}

TEST(Input13Income, TheNoteOfARemovedDeductionGoesWithTheNextChoice)
{
    ResidentDialog dialog;
    dialog.show();
    enterGift(dialog, QStringLiteral("300000"));
    dialog.chooseIncomeCode(QStringLiteral("1520"));
    ASSERT_TRUE(dialog.lbDeductNote->isVisible());
    dialog.chooseDeductCode(QStringLiteral("906"));
    EXPECT_FALSE(dialog.lbDeductNote->isVisible());
    EXPECT_EQ(dialog.meSubtractSum->text(), QStringLiteral("250000"));

    dialog.chooseIncomeCode(QStringLiteral("2720"));
    ASSERT_TRUE(dialog.lbDeductNote->isVisible());
    dialog.chooseIncomeCode(QStringLiteral("2721"));
    EXPECT_FALSE(dialog.lbDeductNote->isVisible()) << "nothing more was taken away";
}

TEST(Input13Income, TheMonthStaysWithinTheYear)
{
    struct Case {
        const char* typed;
        const char* shown;
        int month;
    };
    for (const Case& test : {Case{"0", "1", 1}, Case{"15", "12", 12}, Case{"12", "12", 12}, Case{"5", "5", 5},
                             Case{"", "", 1}}) {
        SCOPED_TRACE(test.typed);
        ResidentDialog dialog;
        dialog.chooseIncomeCode(QStringLiteral("2720"));
        typeText(dialog.mePropSale, QString::fromUtf8(test.typed));
        EXPECT_EQ(dialog.mePropSale->text(), QString::fromUtf8(test.shown));
        EXPECT_EQ(dialog.GetMonth(), test.month);
    }

    struct Keys {
        const char* keys;
        const char* shown;
    };
    for (const Keys& test : {Keys{"05", "5"}, Keys{"12", "12"}, Keys{"13", "12"}, Keys{"135", "5"}, Keys{"0", "1"}}) {
        SCOPED_TRACE(test.keys);
        ResidentDialog dialog;
        dialog.show();
        dialog.chooseIncomeCode(QStringLiteral("2720"));
        dialog.mePropSale->setFocus();
        QTest::keyClicks(dialog.mePropSale, QString::fromUtf8(test.keys));
        EXPECT_EQ(dialog.mePropSale->text(), QString::fromUtf8(test.shown));
    }
}

TEST(Input13Income, ASaleOfRealEstateAsksForItsDetails)
{
    struct Case {
        const char* code;
        bool sale;
    };
    const Case cases[] = {
        {"1510", true}, {"1511", true}, {"1512", true}, {"1520", false}, {"1530", false}, {"2720", false},
        {"2799", false},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.code);
        ResidentDialog dialog;
        dialog.show();
        dialog.chooseIncomeCode(QString::fromUtf8(test.code));
        EXPECT_EQ(!dialog.Panel2->isHidden(), test.sale);
        EXPECT_EQ(dialog.cbNeenPrilA->isEnabled(), test.sale);
        if (test.sale) {
            dialog.layout()->activate();
            EXPECT_GE(dialog.height(), dialog.GroupBox1->y() + dialog.Panel2->geometry().bottom())
                << "the dialog makes room for the details";
        }
        for (QWidget* field : std::initializer_list<QWidget*>{dialog.meKSum, dialog.meKNum, dialog.mePrice})
            EXPECT_FALSE(field->isEnabled()) << "until the box is ticked";
        EXPECT_TRUE(dialog.meIncomeSum->isEnabled());

        dialog.chooseIncomeCode(QStringLiteral("2000"));
        EXPECT_TRUE(dialog.Panel2->isHidden()) << "another income hides the details again";
    }
}

TEST(Input13Income, WhileTheBoxIsTickedTheCadastralValueSetsTheIncome)
{
    ResidentDialog dialog;
    dialog.chooseIncomeCode(QStringLiteral("1510"));
    dialog.chooseDeductCode(QStringLiteral("901"));
    typeText(dialog.meIncomeSum, QStringLiteral("500000"));
    dialog.cbNeenPrilA->click();
    EXPECT_FALSE(dialog.meIncomeSum->isEnabled());
    EXPECT_EQ(dialog.meIncomeSum->text(), QStringLiteral("500000")) << "ticking alone recomputes nothing";

    typeText(dialog.meKSum, QStringLiteral("1000000"));
    typeText(dialog.mePrice, QStringLiteral("600000"));
    typeText(dialog.meKNum, QStringLiteral("77:01:0001001:1001"));
    EXPECT_EQ(dialog.meIncomeSum->text(), QStringLiteral("700000"));
    EXPECT_EQ(dialog.meSubtractSum->text(), QStringLiteral("700000")) << "the deduction follows the income";
    typeText(dialog.mePrice, QStringLiteral("800000"));
    EXPECT_EQ(dialog.meIncomeSum->text(), QStringLiteral("800000"));
    EXPECT_TRUE(dialog.GetAcquiredAfter2016());
    EXPECT_EQ(dialog.GetCadastralNumber(), QStringLiteral("77:01:0001001:1001"));
    EXPECT_EQ(dialog.GetCadastralValue(), money("1000000"));
    EXPECT_EQ(dialog.GetPrice(), money("800000"));

    // Unticking disables the details and leaves the income as it stands, to be typed again; the
    // details are not given while the box is off, but the fields keep them.
    dialog.cbNeenPrilA->click();
    EXPECT_TRUE(dialog.meIncomeSum->isEnabled());
    EXPECT_EQ(dialog.meIncomeSum->text(), QStringLiteral("800000"));
    for (QWidget* field : std::initializer_list<QWidget*>{dialog.meKSum, dialog.meKNum, dialog.mePrice})
        EXPECT_FALSE(field->isEnabled());
    EXPECT_EQ(dialog.meKSum->text(), QStringLiteral("1000000"));
    EXPECT_EQ(dialog.mePrice->text(), QStringLiteral("800000"));
    EXPECT_EQ(dialog.meKNum->text(), QStringLiteral("77:01:0001001:1001"));
    EXPECT_FALSE(dialog.GetAcquiredAfter2016());
    EXPECT_TRUE(dialog.GetCadastralNumber().isEmpty());
    EXPECT_EQ(dialog.GetCadastralValue(), Currency());
    EXPECT_EQ(dialog.GetPrice(), Currency());

    // Ticked again, the details are back and the income follows them again.
    typeText(dialog.meIncomeSum, QStringLiteral("650000"));
    dialog.cbNeenPrilA->click();
    EXPECT_EQ(dialog.meIncomeSum->text(), QStringLiteral("800000"));
    EXPECT_FALSE(dialog.meIncomeSum->isEnabled());
    EXPECT_TRUE(dialog.GetAcquiredAfter2016());
    EXPECT_EQ(dialog.GetCadastralNumber(), QStringLiteral("77:01:0001001:1001"));
    EXPECT_EQ(dialog.GetCadastralValue(), money("1000000"));
    EXPECT_EQ(dialog.GetPrice(), money("800000"));

    // Without details to follow, a typed income survives the box.
    ResidentDialog typed;
    typed.chooseIncomeCode(QStringLiteral("1510"));
    typeText(typed.meIncomeSum, QStringLiteral("650000"));
    typed.cbNeenPrilA->click();
    typed.cbNeenPrilA->click();
    typed.cbNeenPrilA->click();
    EXPECT_EQ(typed.meIncomeSum->text(), QStringLiteral("650000"));
}

// The box only says whether the details count: going through "Да" with it off stores none of
// them, though the fields kept them while the dialog was open.
TEST(Input13Income, DetailsUntickedAreStoredEmpty)
{
    ResidentDialog dialog;
    dialog.show();
    dialog.chooseIncomeCode(QStringLiteral("1510"));
    dialog.cbNeenPrilA->click();
    typeText(dialog.meKSum, QStringLiteral("1000000"));
    typeText(dialog.mePrice, QStringLiteral("600000"));
    typeText(dialog.meKNum, QStringLiteral("77:01:0001001:1001"));
    dialog.chooseDeductCode(QStringLiteral("0"));
    typeText(dialog.mePropSale, QStringLiteral("3"));
    dialog.cbNeenPrilA->click();
    ScriptedCheckAnswers checks;
    dialog.bnOk->click();
    EXPECT_TRUE(checks.shown.empty());
    EXPECT_EQ(dialog.result(), TfmInput13Income::Confirmed);
    EXPECT_EQ(dialog.GetIncomeSum(), money("700000"));
    EXPECT_FALSE(dialog.GetAcquiredAfter2016());
    EXPECT_TRUE(dialog.GetCadastralNumber().isEmpty());
    EXPECT_EQ(dialog.GetCadastralValue(), Currency());
    EXPECT_EQ(dialog.GetPrice(), Currency());
}

// Moving between the codes of a sale keeps what was typed of it; another kind of income hides
// the details and gives none of them.
TEST(Input13Income, TheDetailsOfASaleStayWhileTheCodeIsCorrected)
{
    ResidentDialog dialog;
    dialog.show();
    dialog.chooseIncomeCode(QStringLiteral("1510"));
    dialog.cbNeenPrilA->click();
    typeText(dialog.meKSum, QStringLiteral("1000000"));
    typeText(dialog.mePrice, QStringLiteral("600000"));
    dialog.chooseIncomeCode(QStringLiteral("1512"));
    EXPECT_TRUE(dialog.cbNeenPrilA->isChecked());
    EXPECT_FALSE(dialog.meIncomeSum->isEnabled()) << "the income still follows the cadastral value";
    EXPECT_EQ(dialog.meIncomeSum->text(), QStringLiteral("700000"));
    EXPECT_EQ(dialog.GetCadastralValue(), money("1000000"));

    dialog.chooseIncomeCode(QStringLiteral("2000"));
    EXPECT_TRUE(dialog.Panel2->isHidden());
    EXPECT_TRUE(dialog.meIncomeSum->isEnabled());
    EXPECT_EQ(dialog.meIncomeSum->text(), QStringLiteral("700000"));
    EXPECT_FALSE(dialog.GetAcquiredAfter2016());
    EXPECT_EQ(dialog.GetCadastralValue(), Currency());
    EXPECT_EQ(dialog.GetPrice(), Currency());
}

TEST(Input13Income, ShowsAStoredLine)
{
    mTIncome sale;
    sale.IncomeCode = 1510;
    sale.Amount = money("750000,5"); // typed by an earlier version, not the formula's result
    sale.DeductionCode = 901;
    sale.Deduction = money("750000,5");
    sale.Month = 4;
    sale.PropertyFlag = 1;
    sale.CadastralNumber = "77:01:0001001:1001";
    sale.CadastralValue = money("1000000");
    sale.ContractPrice = money("600000");

    ResidentDialog dialog;
    dialog.showLine(sale);
    EXPECT_EQ(dialog.pnlIncomeCod->text(), QStringLiteral("1510"));
    EXPECT_EQ(dialog.meIncomeSum->text(), QStringLiteral("750000,5")) << "showing computes nothing";
    EXPECT_FALSE(dialog.meIncomeSum->isEnabled());
    EXPECT_EQ(dialog.pnlSubtractCod->text(), QStringLiteral("901"));
    EXPECT_EQ(dialog.meSubtractSum->text(), QStringLiteral("750000,5"));
    EXPECT_EQ(dialog.mePropSale->text(), QStringLiteral("4"));
    EXPECT_TRUE(dialog.cbNeenPrilA->isChecked());
    EXPECT_EQ(dialog.meKNum->text(), QStringLiteral("77:01:0001001:1001"));
    EXPECT_EQ(dialog.GetIncomeCode(), 1510);
    EXPECT_EQ(dialog.GetIncomeSum(), sale.Amount);
    EXPECT_EQ(dialog.GetDeductCode(), 901);
    EXPECT_EQ(dialog.GetDeductSum(), sale.Deduction);
    EXPECT_EQ(dialog.GetMonth(), 4);
    EXPECT_TRUE(dialog.GetAcquiredAfter2016());
    EXPECT_EQ(dialog.GetCadastralValue(), sale.CadastralValue);
    EXPECT_EQ(dialog.GetPrice(), sale.ContractPrice);

    mTIncome gift;
    gift.IncomeCode = 2720;
    gift.Amount = money("10000");
    gift.DeductionCode = 501;
    gift.Deduction = money("10000"); // above the cap: the rule recomputes it
    gift.Month = 12;
    ResidentDialog giftDialog;
    giftDialog.showLine(gift);
    EXPECT_EQ(giftDialog.meSubtractSum->text(), QStringLiteral("4000"));
    EXPECT_TRUE(giftDialog.meSubtractSum->isEnabled());
    EXPECT_TRUE(giftDialog.bnSubtractCod->isEnabled());
    EXPECT_EQ(giftDialog.GetMonth(), 12);
}

TEST(Input13Income, TheDeductionOf2799IsLockedToTheIncome)
{
    mTIncome gift;
    gift.IncomeCode = 2799;
    gift.Amount = money("1500,75");
    gift.DeductionCode = 599;
    gift.Deduction = money("1000"); // stored apart from its income by an earlier version
    gift.Month = 2;
    ResidentDialog dialog;
    dialog.showLine(gift);
    EXPECT_EQ(dialog.pnlSubtractCod->text(), QStringLiteral("599"));
    EXPECT_FALSE(dialog.bnSubtractCod->isEnabled());
    EXPECT_FALSE(dialog.meSubtractSum->isEnabled());
    EXPECT_EQ(dialog.GetDeductSum(), gift.Amount);
    typeText(dialog.meIncomeSum, QStringLiteral("2000"));
    EXPECT_EQ(dialog.meSubtractSum->text(), QStringLiteral("2000"));
    typeText(dialog.meIncomeSum, QString());
    EXPECT_TRUE(dialog.meSubtractSum->text().isEmpty());
    EXPECT_EQ(dialog.GetDeductCode(), 599);
}

TEST(Input13Income, AStoredCodeTheDictionaryLacksIsKeptAsItIs)
{
    mTIncome old;
    old.IncomeCode = 9999;
    old.Amount = money("100");
    old.DeductionCode = 777;
    old.Deduction = money("50,25");
    old.DeductionPercent = 30;
    old.Month = 6;
    TfmInput13Income dialog(nullptr, QStringLiteral("13"), true, false, testDictionary());
    dialog.showLine(old);
    EXPECT_EQ(dialog.lbIncomeName->text(), unknownIncomeCodeMessage(u"9999"));
    EXPECT_FALSE(dialog.bnSubtractCod->isEnabled());
    EXPECT_FALSE(dialog.meSubtractSum->isEnabled());
    EXPECT_EQ(dialog.GetIncomeCode(), 9999);
    EXPECT_EQ(dialog.GetDeductCode(), 777);
    EXPECT_EQ(dialog.GetDeductSum(), old.Deduction);
    EXPECT_EQ(dialog.GetDeductPercent(), 30);
    EXPECT_EQ(dialog.GetMonth(), 6);
}

// Runs the check with scripted answers; the messages shown, and the element to fix.
struct CheckOutcome {
    std::vector<ScriptedCheckAnswers::Shown> shown;
    std::uint16_t result;
};

CheckOutcome check(TfmInput13Income& dialog, std::initializer_list<int> answers = {})
{
    ScriptedCheckAnswers checks;
    checks.answers.assign(answers.begin(), answers.end());
    const std::uint16_t result = dialog.checkLine();
    return {checks.shown, result};
}

TEST(Input13Income, TheCheckStopsAtTheFirstFaultToFix)
{
    const QString title = QStringLiteral("Проверка: Доходы, облагаемые по ставке 13%");
    {
        ResidentDialog empty;
        const CheckOutcome outcome = check(empty, {CheckSkip});
        ASSERT_EQ(outcome.shown.size(), 2u);
        EXPECT_EQ(outcome.shown[0].caption, title);
        EXPECT_EQ(outcome.shown[0].message, QStringLiteral("Не выбран доход"));
        EXPECT_TRUE(outcome.shown[0].skip);
        EXPECT_FALSE(outcome.shown[0].skipAll);
        EXPECT_EQ(outcome.shown[1].message, QStringLiteral("Не указана сумма дохода"));
        EXPECT_FALSE(outcome.shown[1].skip);
        EXPECT_EQ(outcome.result, TfmInput13Income::IncomeCodeElement) << "closing a rule without skip fixes it";
    }
    {
        ResidentDialog noSum;
        noSum.chooseIncomeCode(QStringLiteral("2720"));
        const CheckOutcome outcome = check(noSum);
        ASSERT_EQ(outcome.shown.size(), 1u);
        EXPECT_EQ(outcome.shown[0].message, QStringLiteral("Не указана сумма дохода"));
        EXPECT_EQ(outcome.result, TfmInput13Income::IncomeSumElement);
    }
    {
        ResidentDialog noDeduction;
        noDeduction.chooseIncomeCode(QStringLiteral("2720"));
        typeText(noDeduction.meIncomeSum, QStringLiteral("3000"));
        CheckOutcome outcome = check(noDeduction, {CheckFix});
        ASSERT_EQ(outcome.shown.size(), 1u);
        EXPECT_EQ(outcome.shown[0].message, QStringLiteral("Не выбран вычет"));
        EXPECT_TRUE(outcome.shown[0].skip);
        EXPECT_EQ(outcome.result, TfmInput13Income::DeductCodeElement);
        outcome = check(noDeduction, {CheckSkip});
        EXPECT_EQ(outcome.result, 0) << "the deduction may be left out";
    }
    {
        ResidentDialog tooLarge;
        enterGift(tooLarge);
        typeText(tooLarge.meSubtractSum, QStringLiteral("3500"));
        const CheckOutcome outcome = check(tooLarge);
        ASSERT_EQ(outcome.shown.size(), 1u);
        EXPECT_EQ(outcome.shown[0].message, QStringLiteral("Сумма вычета превышает сумму дохода"));
        EXPECT_FALSE(outcome.shown[0].skip);
        EXPECT_EQ(outcome.result, TfmInput13Income::DeductSumElement);
    }
    {
        ResidentDialog securities;
        securities.chooseIncomeCode(QStringLiteral("1530"));
        typeText(securities.meIncomeSum, QStringLiteral("3000"));
        securities.chooseDeductCode(QStringLiteral("201"));
        typeText(securities.meSubtractSum, QStringLiteral("3500"));
        EXPECT_EQ(securities.GetDeductSum(), money("3500"));
        const CheckOutcome outcome = check(securities);
        EXPECT_TRUE(outcome.shown.empty()) << "an expense on securities may exceed the income";
        EXPECT_EQ(outcome.result, 0);
    }
}

TEST(Input13Income, ClosingTheCheckFixesWhatMayNotBeSkipped)
{
    struct Case {
        const char* name;
        const char* rate;
        const char* code; // nullptr: none chosen
        const char* income;
        const char* deduct;
        const char* deduction;
        const char* withheld;
        std::vector<QString> messages;
        std::uint16_t result;
    };
    const Case cases[] = {
        // No income code may be skipped, a missing income may not.
        {"nothing chosen", "13", nullptr, nullptr, nullptr, nullptr, nullptr,
         {QStringLiteral("Не выбран доход"), QStringLiteral("Не указана сумма дохода")},
         TfmInput13Income::IncomeCodeElement},
        {"no income", "13", "2720", nullptr, nullptr, nullptr, nullptr,
         {QStringLiteral("Не указана сумма дохода")}, TfmInput13Income::IncomeSumElement},
        // A deduction without its income is the missing income.
        {"a deduction without an income", "13", "2720", nullptr, "501", "3000", nullptr,
         {QStringLiteral("Не указана сумма дохода")}, TfmInput13Income::IncomeSumElement},
        {"no deduction", "13", "2720", "3000", nullptr, nullptr, nullptr, {QStringLiteral("Не выбран вычет")}, 0},
        {"the tax above the income", "100", "2720", "3000", "0", nullptr, "3001",
         {QStringLiteral("Удержанный налог превышает доход")}, TfmInput13Income::WithheldTaxElement},
        {"the deduction above the income", "13", "2720", "3000", "501", "3500", nullptr,
         {QStringLiteral("Сумма вычета превышает сумму дохода")}, TfmInput13Income::DeductSumElement},
        {"a complete line", "13", "2720", "3000", "501", nullptr, nullptr, {}, 0},
        // Equal is not above.
        {"the tax equal to the income", "100", "2720", "3000", "0", nullptr, "3000", {}, 0},
        {"a gift's deduction equal to the income", "13", "2720", "3000", "501", "3000", nullptr, {}, 0},
        {"expenses equal to the income of a sale", "13", "1510", "600000", "903", "600000", nullptr, {}, 0},
        {"expenses a kopeck above the income of a sale", "13", "1510", "600000", "903", "600000,01", nullptr,
         {QStringLiteral("Сумма вычета превышает сумму дохода")}, TfmInput13Income::DeductSumElement},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        TfmInput13Income dialog(nullptr, QString::fromUtf8(test.rate), true, false);
        if (test.code)
            dialog.chooseIncomeCode(QString::fromUtf8(test.code));
        if (test.income)
            typeText(dialog.meIncomeSum, QString::fromUtf8(test.income));
        if (test.deduct)
            dialog.chooseDeductCode(QString::fromUtf8(test.deduct));
        if (test.deduction)
            typeText(dialog.meSubtractSum, QString::fromUtf8(test.deduction));
        if (test.withheld)
            typeText(dialog.meHoldSum, QString::fromUtf8(test.withheld));
        const CheckOutcome outcome = check(dialog);
        std::vector<QString> messages;
        for (const ScriptedCheckAnswers::Shown& shown : outcome.shown)
            messages.push_back(shown.message);
        EXPECT_EQ(messages, test.messages);
        EXPECT_EQ(outcome.result, test.result);
    }
}

TEST(Input13Income, FixingARuleTakesTheUserToItsField)
{
    struct Case {
        const char* name;
        const char* rate;
        const char* income;
        const char* deduct;
        const char* deduction;
        const char* withheld;
        const char* focused; // the control's name
        bool deductionPickerOpens;
    };
    const Case cases[] = {
        {"no income", "13", nullptr, nullptr, nullptr, nullptr, "meIncomeSum", false},
        {"no deduction", "13", "3000", nullptr, nullptr, nullptr, "bnSubtractCod", true},
        {"the tax above the income", "100", "3000", "0", nullptr, "3001", "meHoldSum", false},
        {"the deduction above the income", "13", "3000", "501", "3500", nullptr, "meSubtractSum", false},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        TfmInput13Income dialog(nullptr, QString::fromUtf8(test.rate), true, false);
        dialog.show();
        dialog.chooseIncomeCode(QStringLiteral("2720"));
        if (test.income)
            typeText(dialog.meIncomeSum, QString::fromUtf8(test.income));
        if (test.deduct)
            dialog.chooseDeductCode(QString::fromUtf8(test.deduct));
        if (test.deduction)
            typeText(dialog.meSubtractSum, QString::fromUtf8(test.deduction));
        if (test.withheld)
            typeText(dialog.meHoldSum, QString::fromUtf8(test.withheld));
        dialog.bnOk->setFocus();
        ScriptedCheckAnswers checks;
        checks.answers = {CheckFix};
        ModalAnswer<TfmInputDeductCode> picker([](TfmInputDeductCode& shown) { shown.reject(); });
        dialog.bnOk->click();
        ASSERT_EQ(checks.shown.size(), 1u);
        EXPECT_EQ(picker.shown, test.deductionPickerOpens);
        ASSERT_NE(dialog.focusWidget(), nullptr);
        EXPECT_EQ(dialog.focusWidget()->objectName(), QString::fromUtf8(test.focused));
        EXPECT_TRUE(dialog.isVisible()) << "the line is not taken";
    }
}

TEST(Input13Income, TheTaxWithheldOnALineMayNotExceedItsIncome)
{
    TfmInput13Income dialog(nullptr, QStringLiteral("100"), true, false, testDictionary());
    dialog.chooseIncomeCode(QStringLiteral("9002"));
    typeText(dialog.meIncomeSum, QStringLiteral("1000"));
    typeText(dialog.meHoldSum, QStringLiteral("1001"));
    const CheckOutcome outcome = check(dialog);
    ASSERT_EQ(outcome.shown.size(), 1u);
    EXPECT_EQ(outcome.shown[0].caption, QStringLiteral("Проверка: Доходы, облагаемые по иным ставкам"));
    EXPECT_EQ(outcome.shown[0].message, QStringLiteral("Удержанный налог превышает доход"));
    EXPECT_FALSE(outcome.shown[0].skip);
    EXPECT_EQ(outcome.result, TfmInput13Income::WithheldTaxElement);

    dialog.meHoldSum->end(false);
    dialog.meHoldSum->insert(QStringLiteral(",5"));
    EXPECT_EQ(dialog.meHoldSum->text(), QStringLiteral("1001")) << "whole roubles only";
    typeText(dialog.meHoldSum, QStringLiteral("350"));
    EXPECT_EQ(check(dialog).result, 0);
    EXPECT_EQ(dialog.GetWithheldTax(), money("350"));
}

TEST(Input13Income, AStoredWithheldTaxWithKopecksIsNotCutOff)
{
    mTIncome line;
    line.IncomeCode = 9002;
    line.Amount = money("1000");
    line.WithheldTax = money("350,45");
    line.Month = 1;
    TfmInput13Income dialog(nullptr, QStringLiteral("100"), true, false, testDictionary());
    dialog.showLine(line);
    EXPECT_EQ(dialog.meHoldSum->text(), QStringLiteral("350,45"));
    EXPECT_EQ(dialog.GetWithheldTax(), line.WithheldTax);
}

TEST(Input13Income, FixingTheIncomeCodeOpensThePicker)
{
    ResidentDialog dialog;
    dialog.show();
    ScriptedCheckAnswers checks;
    checks.answers = {CheckFix};
    ModalAnswer<TfmInputIncomeCode> picker([](TfmInputIncomeCode& shown) { shown.reject(); });
    dialog.bnOk->click();
    EXPECT_TRUE(picker.shown);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.GetIncomeCode(), 0);
}

TEST(Input13Income, EnterAcceptsACompleteLine)
{
    ResidentDialog dialog;
    dialog.show();
    enterGift(dialog);
    ScriptedCheckAnswers checks;
    QTest::keyClick(dialog.meIncomeSum, Qt::Key_Return);
    EXPECT_TRUE(checks.shown.empty());
    EXPECT_EQ(dialog.result(), TfmInput13Income::Confirmed);
    EXPECT_FALSE(dialog.isVisible());
}

} // namespace

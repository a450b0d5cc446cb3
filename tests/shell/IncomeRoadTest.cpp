// Income in Russia typed in the window as a user types it: two employers with a year's salary
// and the child deductions one of them granted, and a flat sold to a person who is no tax agent.
// The exchange file the window writes is checked against the format's schema and against the
// figures worked out by hand from the tax rules.
//
// The figures, in roubles. Salaries (kind 10) and the sale of property (kind 18) are separate tax
// bases, each taxed at 13 % while under 5 000 000.
//   ООО "Ромашка": salary (2000) 80 000 a month, January to June                      480 000
//     it granted the children's deductions while the year's salary stayed within 350 000,
//     January to April: 1 400 x 4 for the first child (126), as much for the second (127)
//                                                                       5 600 + 5 600 = 11 200
//     it withheld 13 % of (480 000 - 11 200) = 13 % of 468 800                          60 944
//   АО "Лютик": salary (2000) 50 000 a month, July to December                        300 000
//     it withheld 13 % of 300 000                                                      39 000
//   Петров П. П., no tax agent: a flat owned less than the minimum term, sold (1510) 2 500 000,
//     nothing withheld; its sale deduction (901) is the income, at most 1 000 000  1 000 000
//
//   Salaries:  income 480 000 + 300 000 = 780 000; standard deductions 11 200;
//              base 768 800; tax 13 % = 99 944; withheld 60 944 + 39 000 = 99 944; to pay 0
//   Sale:      income 2 500 000; property deduction 1 000 000; base 1 500 000;
//              tax 13 % = 195 000; withheld 0; to pay 195 000
//   Together:  tax 294 944, withheld 99 944, to pay 195 000, nothing to refund

#include <initializer_list>
#include <string>

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include "controls/FlashButton.h"
#include "controls/MaskedEdit.h"
#include "controls/DtpPanel.h"
#include "model/DayDate.h"
#include "pages/income/InitialData.h"
#include "pages/income/Input13Income.h"
#include "pages/income/Input13SourseIncome.h"
#include "pages/income/InputSSCDeduct.h"
#include "pages/income/PersonNaim.h"
#include "pages/income/RateLines.h"
#include "pages/income/Sourse.h"
#include "shell/FormMain.h"
#include "tests/controls/ScriptedCheckAnswers.h"
#include "tests/shell/CheckedDeclaration.h"
#include "tests/shell/RoadTest.h"
#include "tests/support/ExchangeSchema.h"
#include "tests/support/PageTestSupport.h"
#include "tests/support/SourceTreeFiles.h"
#include "tests/support/UserTyping.h"

namespace {

struct Requisites {
    const char* name;
    const char* inn;
    const char* kpp;
    const char* oktmo;
    bool standardDeductionsHere;
};

struct Line {
    const char* code;
    const char* income;
    const char* month;
    const char* deduction = nullptr; // the deduction code chosen; its sum follows the rules
};

class IncomeRoadTest : public RoadTest {
protected:
    // New, a resident with income in Russia, and the personal data.
    void startResidentDeclaration()
    {
        auto* conditions = startDeclaration();
        ASSERT_NE(conditions, nullptr);
        ASSERT_TRUE(conditions->rbSimple->isChecked()) << "a resident's declaration";
        ASSERT_TRUE(conditions->chbIncomeInquiry->isChecked());
        ASSERT_TRUE(window->fbRussianIncome->isEnabled());
        ASSERT_TRUE(window->fbDeduction->isEnabled()) << "a resident with income may claim deductions";

        typeDeclarant();
    }

    // Adds a source through the requisites dialog; the payment-source check runs on "Да".
    // A source without ОКТМО is let through by skipping the one rule that may be skipped.
    void addSource(TfrSourse* page, const Requisites& source)
    {
        ScriptedCheckAnswers checks;
        if (!*source.oktmo)
            checks.answers = {CheckSkip};
        ModalAnswer<TfmInput13SourseIncome> dialog([&](TfmInput13SourseIncome& d) {
            typeText(d.meSourseName, QString::fromUtf8(source.name));
            typeInto(d.meINN, QString::fromUtf8(source.inn));
            typeInto(d.meKPP, QString::fromUtf8(source.kpp));
            typeInto(d.meOKATO, QString::fromUtf8(source.oktmo));
            if (d.chbPrimaryWorkplase->isChecked() != source.standardDeductionsHere)
                d.chbPrimaryWorkplase->click();
            d.bnOk->click();
        });
        userClick(page->fbAddSourseIncome);
        ASSERT_TRUE(dialog.shown) << source.name;
        if (*source.oktmo) {
            for (const auto& check : checks.shown)
                ADD_FAILURE() << source.name << ": " << check.message.toStdString();
        } else {
            ASSERT_EQ(checks.shown.size(), 1u) << "only the missing ОКТМО is reported";
            EXPECT_TRUE(checks.shown[0].skip);
        }
        ASSERT_GE(page->sourceIndex(), 0) << "the source added is selected";
    }

    // Adds a line to the 13 % frame through the income line dialog, as the user types it; the
    // dialog's check must find nothing to report.
    void addLine(TfrSourse* page, const Line& line)
    {
        SCOPED_TRACE(std::string(line.code) + " " + line.month);
        ScriptedCheckAnswers checks;
        ModalAnswer<TfmInput13Income> dialog([&](TfmInput13Income& d) {
            d.chooseIncomeCode(QString::fromUtf8(line.code));
            typeInto(d.meIncomeSum, QString::fromUtf8(line.income));
            if (line.deduction)
                d.chooseDeductCode(QString::fromUtf8(line.deduction));
            typeInto(d.mePropSale, QString::fromUtf8(line.month));
            d.bnOk->click();
        });
        const int rows = page->rateFrame()->lvIncome->topLevelItemCount();
        userClick(page->rateFrame()->fbAddIncome);
        ASSERT_TRUE(dialog.shown);
        for (const auto& check : checks.shown)
            ADD_FAILURE() << check.message.toStdString();
        EXPECT_EQ(page->rateFrame()->lvIncome->topLevelItemCount(), rows + 1);
    }

    // Adds a deduction the selected source granted, through the employer-deduction dialog.
    void addEmployerDeduction(TfrSourse* page, std::int32_t code, const char* sum)
    {
        ModalAnswer<TfmInputSSCDeduct> dialog([&](TfmInputSSCDeduct& d) {
            d.chooseCode(code);
            typeInto(d.meSubtractSum, QString::fromUtf8(sum));
            d.bnOk->click();
        });
        userClick(page->fbAddSSC);
        ASSERT_TRUE(dialog.shown) << code;
    }
};

TEST_F(IncomeRoadTest, TwoEmployersAndAFlatSoldGiveTheTaxWorkedOutByHand)
{
    startResidentDeclaration();
    userClick(window->fbRussianIncome);
    auto* page = shown<TfrSourse>();
    ASSERT_NE(page, nullptr);

    addSource(page, {"ООО \"Ромашка\"", "7707083893", "773601001", "45382000", true});
    for (const char* month : {"1", "2", "3", "4", "5", "6"})
        addLine(page, {"2000", "80000", month});
    typeInto(page->rateFrame()->meHoldSum, QStringLiteral("60944"));
    addEmployerDeduction(page, 126, "5600");
    addEmployerDeduction(page, 127, "5600");
    EXPECT_EQ(page->rateFrame()->pnlItogIncomeSum->text(), QStringLiteral("480000"));

    addSource(page, {"АО \"Лютик\"", "7736050003", "773601001", "45382000", false});
    for (const char* month : {"7", "8", "9", "10", "11", "12"})
        addLine(page, {"2000", "50000", month});
    typeInto(page->rateFrame()->meHoldSum, QStringLiteral("39000"));

    addSource(page, {"Петров Петр Петрович", "500100732259", "", "", false});
    addLine(page, {"1510", "2500000", "9", "901"});

    // What the window stored, before the check and the export read it.
    const mTDeclaration& declaration = window->declaration();
    ASSERT_EQ(declaration.SourceCount(), 3u);
    EXPECT_EQ(declaration.Sources[0].Total13(), Currency::fromWholeRoubles(480'000));
    EXPECT_EQ(declaration.Sources[0].WithheldTax13, Currency::fromWholeRoubles(60'944));
    ASSERT_EQ(declaration.Sources[0].SSCDeductCount(), 2u);
    EXPECT_EQ(declaration.Sources[0].StandardDeductionsHere, 1);
    EXPECT_EQ(declaration.Sources[1].Total13(), Currency::fromWholeRoubles(300'000));
    EXPECT_EQ(declaration.Sources[1].WithheldTax13, Currency::fromWholeRoubles(39'000));
    ASSERT_EQ(declaration.Sources[2].Income13Count(), 1u);
    const mTIncome& flatSale = declaration.Sources[2].GetIncome13(0);
    EXPECT_EQ(flatSale.DeductionCode, 901);
    EXPECT_EQ(flatSale.Deduction, Currency::fromWholeRoubles(1'000'000)) << "the sale deduction is capped";
    EXPECT_EQ(flatSale.Month, 9);

    {
        ScriptedCheckAnswers checks;
        window->CheckDoc->trigger();
        for (const auto& check : checks.shown)
            ADD_FAILURE() << check.caption.toStdString() << ": " << check.message.toStdString();
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].text, QStringLiteral("Проверка декларации завершена успешно"));
        messages.clear();
    }

    const QString file = exportWithoutChecks();
    ASSERT_FALSE(file.isEmpty());

    const char* const salaries = "//НалБаза[@ВидДоход=\"10\"]";
    const char* const sale = "//НалБаза[@ВидДоход=\"18\"]";
    const auto at = [](const char* base, const char* path) { return std::string("string(") + base + path + ")"; };
    expectFigures(file, {
        {"salaries: income", at(salaries, "/РасчНалБаза/@СумДох"), "780000.00"},
        {"salaries: deductions", at(salaries, "/РасчНалБаза/@СумНалВыч"), "11200.00"},
        {"salaries: base", at(salaries, "/РасчНалБаза/@НалБаза"), "768800.00"},
        {"salaries: tax", at(salaries, "/РасчНалПУ/@Исчисл"), "99944"},
        {"salaries: withheld", at(salaries, "/РасчНалПУ/@Удерж"), "99944"},
        {"salaries: to pay", at(salaries, "/РасчНалПУ/@ПодлУпл"), "0"},
        {"salaries: to refund", at(salaries, "/РасчНалПУ/@ПодлВозв"), "0"},
        {"sale: income", at(sale, "/РасчНалБаза/@СумДох"), "2500000.00"},
        {"sale: deduction", at(sale, "/РасчНалБаза/@СумНалВыч"), "1000000.00"},
        {"sale: base", at(sale, "/РасчНалБаза/@НалБаза"), "1500000.00"},
        {"sale: tax", at(sale, "/РасчНалПУ/@Исчисл"), "195000"},
        {"sale: withheld", at(sale, "/РасчНалПУ/@Удерж"), "0"},
        {"sale: to pay", at(sale, "/РасчНалПУ/@ПодлУпл"), "195000"},
        {"income kinds", "count(//НалБаза)", "2"},
        {"sources", "count(//ДоходИстРФ)", "3"},
        {"first employer", "string(//ДоходИстРФ[ИстЮЛ/@ИННЮЛ=\"7707083893\"]/@Доход)", "480000.00"},
        {"first employer withheld", "string(//ДоходИстРФ[ИстЮЛ/@ИННЮЛ=\"7707083893\"]/@НалУдерж)", "60944"},
        {"second employer", "string(//ДоходИстРФ[ИстЮЛ/@ИННЮЛ=\"7736050003\"]/@Доход)", "300000.00"},
        {"second employer withheld", "string(//ДоходИстРФ[ИстЮЛ/@ИННЮЛ=\"7736050003\"]/@НалУдерж)", "39000"},
        {"buyer", "string(//ДоходИстРФ[ИстФЛИн/@ИННФЛ=\"500100732259\"]/@Доход)", "2500000.00"},
        {"buyer's kind", "string(//ДоходИстРФ[ИстФЛИн/@ИННФЛ=\"500100732259\"]/@ВидДоход)", "18"},
        {"children granted by the employer", "string(//РасчВычСтанд/@ВычСтРеб)", "11200.00"},
        {"standard granted by employers", "string(//РасчВычСтанд/@ОбщВычСтандПер)", "11200.00"},
        {"sale of housing", "string(//ВычДохНедвЖил/@ВычПродИмущ)", "1000000.00"},
        {"property deductions", "string(//ИмущНалВычПр/@ОбщИмущВыч)", "1000000.00"},
        {"to pay", "string(//СумНалПуИскл227/@ПодлУпл)", "195000"},
        {"to refund", "string(//СумНалПуИскл227/@ПодлВозв)", "0"},
    });
}

// A flat bought after 2016 sold below the cadastral value: the income is 70 % of the cadastral
// value, 0,7 x 1 000 000 = 700 000, above the price of 600 000; the sale deduction (901) equals
// it, within its 1 000 000. The exchange file carries the three figures of the sale.
TEST_F(IncomeRoadTest, AFlatSoldBelowItsCadastralValueIsTaxedOnSeventyPerCentOfIt)
{
    startResidentDeclaration();
    userClick(window->fbRussianIncome);
    auto* page = shown<TfrSourse>();
    ASSERT_NE(page, nullptr);
    addSource(page, {"Петров Петр Петрович", "500100732259", "", "", false});

    ScriptedCheckAnswers lineChecks;
    ModalAnswer<TfmInput13Income> dialog([&](TfmInput13Income& d) {
        d.chooseIncomeCode(QStringLiteral("1510"));
        d.cbNeenPrilA->click();
        typeInto(d.meKSum, QStringLiteral("1000000"));
        typeInto(d.mePrice, QStringLiteral("600000"));
        typeInto(d.meKNum, QStringLiteral("77:01:0001001:1001"));
        d.chooseDeductCode(QStringLiteral("901"));
        typeInto(d.mePropSale, QStringLiteral("9"));
        d.bnOk->click();
    });
    userClick(page->rateFrame()->fbAddIncome);
    ASSERT_TRUE(dialog.shown);
    for (const auto& check : lineChecks.shown)
        ADD_FAILURE() << "a deduction equal to the income is no fault: " << check.message.toStdString();

    const mTDeclaration& declaration = window->declaration();
    ASSERT_EQ(declaration.SourceCount(), 1u);
    ASSERT_EQ(declaration.Sources[0].Income13Count(), 1u);
    const mTIncome& sale = declaration.Sources[0].GetIncome13(0);
    EXPECT_EQ(sale.Amount, Currency::fromWholeRoubles(700'000));
    EXPECT_EQ(sale.Deduction, Currency::fromWholeRoubles(700'000));
    EXPECT_NE(sale.PropertyFlag, 0);
    EXPECT_EQ(sale.CadastralValue, Currency::fromWholeRoubles(1'000'000));
    EXPECT_EQ(sale.ContractPrice, Currency::fromWholeRoubles(600'000));

    const QString file = exportWithoutChecks();
    ASSERT_FALSE(file.isEmpty());
    expectFigures(file, {
        {"cadastral value", "string(//ДохПродОНИ/@КадСтоимГодРег)", "1000000.00"},
        {"price", "string(//ДохПродОНИ/@ДохПродЦенаДог)", "600000.00"},
        {"70 % of the cadastral value", "string(//ДохПродОНИ/@КадСтоимКоэф)", "700000.00"},
        {"income taxed", "string(//ДохПродОНИ/@ДохПродНалОбл)", "700000.00"},
        {"cadastral number", "string(//ДохПродОНИ/@НомКадОтчуждОНИ)", "77:01:0001001:1001"},
        {"sale: income", "string(//НалБаза[@ВидДоход=\"18\"]/РасчНалБаза/@СумДох)", "700000.00"},
        {"sale: deduction", "string(//НалБаза[@ВидДоход=\"18\"]/РасчНалБаза/@СумНалВыч)", "700000.00"},
        {"buyer", "string(//ДоходИстРФ[ИстФЛИн/@ИННФЛ=\"500100732259\"]/@Доход)", "700000.00"},
    });
}

} // namespace

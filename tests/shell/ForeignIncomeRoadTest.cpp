// Foreign dividends entered in the window as a user enters them, beside a salary: the rate comes
// from the shipped rate directory, the whole check passes, and the exchange file carries the
// figures worked out by hand below.

#include <string>

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include "controls/CountryChooser.h"
#include "controls/DtpPanel.h"
#include "controls/FlashButton.h"
#include "controls/MaskedEdit.h"
#include "model/DayDate.h"
#include "pages/income/CurrencyFrame.h"
#include "pages/income/InitialData.h"
#include "pages/income/InputCurrencySourseIncome.h"
#include "pages/income/InputIncomeCode.h"
#include "pages/income/PersonNaim.h"
#include "shell/FormMain.h"
#include "tests/controls/ScriptedCheckAnswers.h"
#include "tests/shell/CheckedDeclaration.h"
#include "tests/shell/RoadTest.h"
#include "tests/support/ExchangeSchema.h"
#include "tests/support/PageTestSupport.h"
#include "tests/support/SourceTreeFiles.h"
#include "tests/support/UserTyping.h"

namespace {

// The hand-worked figures. Dividends of 1 000.00 USD paid by a US company on Tuesday 15.06.2021,
// 10 % (100.00 USD) withheld in the USA on the same day. The central bank set no rate for
// 13.06-15.06 (12.06 is a holiday): the rate in force is the one dated 12.06.2021, 71.6797 roubles
// for 1 USD.
//   income in roubles       1 000.00 x 71.6797 = 71 679.70
//   tax paid abroad, roubles  100.00 x 71.6797 =  7 167.97
//   Russian tax on it, 13 %  71 679.70 x 0.13   =  9 318.361 -> 9 318 (whole roubles)
//   credit of the foreign tax: min(7 167.97, 9 318) = 7 167.97 -> 7 168
//   tax to pay on the dividends: 9 318 - 7 168 = 2 150
// The salary of 600 000 carries its 78 000 (13 %) withheld by the employer: nothing more on it.
//   tax computed in all: 78 000 + 9 318 = 87 318 (also 13 % of 671 679.70 = 87 318.361 -> 87 318)
//   to pay in all: 87 318 - 78 000 - 7 168 = 2 150
constexpr long long Salary = 600'000;
constexpr long long SalaryTax = 78'000;

class ForeignIncomeRoadTest : public RoadTest {
protected:
    // The program folder holds the shipped country and rate directories, as an installation does.
    void SetUp() override
    {
        for (const char* directory : {"Oksm.xml", "CurrencyRates.xml"}) {
            const QByteArray shipped = fileBytes(sourceTreeFile((std::string("resources/") + directory).c_str()));
            ASSERT_FALSE(shipped.isEmpty()) << directory;
            ASSERT_TRUE(writeBytes(QDir(programFolder.path()).filePath(QLatin1String(directory)), shipped));
        }
        ExportingWindowTest::SetUp();
    }

    template <typename Page>
    Page* shown()
    {
        auto* page = qobject_cast<Page*>(window->currentPage());
        EXPECT_NE(page, nullptr) << Page::staticMetaObject.className();
        return page;
    }

    // New, foreign income chosen among the conditions, the personal data typed in, and the
    // salary taken from the employer's statement (the Russian income pages are tested elsewhere).
    void makeDeclaration()
    {
        auto* conditions = startDeclaration();
        ASSERT_NE(conditions, nullptr);
        conditions->chbIncomeCurrency->click();
        ASSERT_TRUE(conditions->chbIncomeCurrency->isChecked());

        typeDeclarant();

        mbTSourse& employer = addEmployer(window->declaration(), "ООО \"Ромашка\"", Salary);
        employer.WithheldTax13 = Currency::fromWholeRoubles(SalaryTax);
    }

    // Picks `code` in the country picker the button opens.
    static void pickCountry(QPushButton* button, const QString& code)
    {
        ModalAnswer<TfmGrazhd> pick([code](TfmGrazhd& picker) {
            QTreeWidget* list = picker.lvGrazhd;
            const QList<QTreeWidgetItem*> rows = list->findItems(code, Qt::MatchExactly, 0);
            if (!rows.isEmpty())
                list->setCurrentItem(rows.front());
            picker.bnYes->click();
        });
        button->click();
        EXPECT_TRUE(pick.shown) << code.toStdString();
    }

    // The dividends entered on the foreign income page.
    void enterDividends()
    {
        userClick(window->fbForeignIncome);
        auto* page = shown<TfrCurrency>();
        ASSERT_NE(page, nullptr);

        ModalAnswer<TfmInputCurrencySourseIncome> source([](TfmInputCurrencySourseIncome& dialog) {
            typeText(dialog.meSourseName, QStringLiteral("Apple Inc."));
            pickCountry(dialog.Button1, QStringLiteral("840"));
            pickCountry(dialog.Button2, QStringLiteral("643"));
            dialog.bnOk->click();
        });
        userClick(page->fbAddSourseIncome);
        ASSERT_TRUE(source.shown);
        ASSERT_EQ(page->lvSourseIncomeInfo->topLevelItemCount(), 1);
        EXPECT_EQ(page->lvSourseIncomeInfo->topLevelItem(0)->text(0), QStringLiteral("Apple Inc."));

        const double paid = *encodeDate(2021, 6, 15);
        page->dtIncomeGetDate->setDateTime(paid);
        page->dtSubtractDate->setDateTime(paid);
        typeText(page->meCurrencyCode, QStringLiteral("840"));
        ASSERT_TRUE(page->chbAutoExchange->isEnabled()) << "the directory holds the dollar's rates";
        // A new income is shown before it has a currency, when no rate can be found: the box may
        // still be off, and the user turns it on.
        if (!page->chbAutoExchange->isChecked())
            page->chbAutoExchange->click();
        EXPECT_EQ(page->meCurrencyUnits->text(), QStringLiteral("1"));
        EXPECT_EQ(page->meCurrencyExchange->text(), QStringLiteral("71,6797"));
        EXPECT_EQ(page->meCurrencyUnits2->text(), QStringLiteral("1"));
        EXPECT_EQ(page->meCurrencyExchange2->text(), QStringLiteral("71,6797"));

        ModalAnswer<TfmInputIncomeCode> code([](TfmInputIncomeCode& picker) {
            const QList<QTreeWidgetItem*> rows = picker.list->findItems(QStringLiteral("1010"), Qt::MatchExactly, 0);
            if (!rows.isEmpty())
                picker.list->setCurrentItem(rows.front());
            picker.bnYes->click();
        });
        page->bnIncomeCod->click();
        ASSERT_TRUE(code.shown);

        typeText(page->meIncomeCurrencySum, QStringLiteral("1000"));
        typeText(page->meTaxCurrencySum, QStringLiteral("100"));
        EXPECT_EQ(page->pnlIncomeRublSum->text(), QStringLiteral("71679,7"));
        EXPECT_EQ(page->pnlTaxRoubleSum->text(), QStringLiteral("7167,97"));
    }
};

TEST_F(ForeignIncomeRoadTest, DividendsFromTheUsaAreExportedWithTheCreditOfTheTaxPaidThere)
{
    makeDeclaration();
    enterDividends();
    ScriptedCheckAnswers script;

    const QString file = exportFile();

    for (const auto& dialog : script.shown)
        ADD_FAILURE() << dialog.caption.toStdString() << ": " << dialog.message.toStdString();
    ASSERT_FALSE(file.isEmpty());
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].text.startsWith(QStringLiteral("Сформирован файл "))) << messages[0].text.toStdString();
    EXPECT_EQ(exchangeSchemaErrors(file.toStdString()), "");

    struct Expected {
        const char* xpath;
        const char* value;
    };
    const Expected figures[] = {
        {"count(//РасчДохНалИно)", "1"},
        {"string(//РасчДохНалИно/@НаимИстДох)", "APPLE INC."},
        {"string(//РасчДохНалИно/@ОКСМИст)", "840"},
        {"string(//РасчДохНалИно/@ОКСМЗач)", "643"},
        {"string(//РасчДохНалИно/@КодВалют)", "840"},
        {"string(//РасчДохНалИно/@ДатаДох)", "15.06.2021"},
        // The rate is named only for the kind of income taxed at a rate of its own (25).
        {"count(//РасчДохНалИно/@Ставка)", "0"},
        {"string(//РасчДохНалИно/@КурсВалютДох)", "71.6797"},
        {"string(//РасчДохНалИно/@ДоходИноВал)", "1000.00"},
        {"string(//РасчДохНалИно/@ДоходИноРуб)", "71679.70"},
        {"string(//РасчДохНалИно/@ДатаУплНал)", "15.06.2021"},
        {"string(//РасчДохНалИно/@КурсВалютНал)", "71.6797"},
        {"string(//РасчДохНалИно/@НалУплИноВал)", "100.00"},
        {"string(//РасчДохНалИно/@НалУплИноРуб)", "7167.97"},
        {"string(//РасчДохНалИно/@НалЗачРФОбщ)", "9318"},
        {"string(//РасчДохНалИно/@НалогЗачРФОбщ)", "7168"},
        {"sum(//НалБаза/РасчНалПУ/@Исчисл)", "87318"},
        {"sum(//НалБаза/РасчНалПУ/@Удерж)", "78000"},
        {"sum(//НалБаза/РасчНалПУ/@УплИнПодлЗач)", "7168"},
        {"sum(//НалБаза/РасчНалПУ/@ПодлУпл)", "2150"},
        {"sum(//СумНалПуИскл227/@ПодлУпл)", "2150"},
        {"sum(//СумНалПуИскл227/@ПодлВозв)", "0"},
    };
    for (const Expected& figure : figures)
        EXPECT_EQ(xpathValue(file, figure.xpath), figure.value) << figure.xpath;
}

} // namespace

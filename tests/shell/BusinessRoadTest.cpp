// An entrepreneur's year entered in the window as a user enters it: one activity without
// documented expenses, so that the expenses are the 20 % norm, and the advance payments paid
// during the year. The whole check passes and the exchange file, valid by the format's schema,
// carries the figures worked out by hand below.
//
// The figures, in roubles. Entrepreneurial activity (kind 1), a resident, nothing else declared.
//   income by quarter     I 100 000   II 150 000   III 200 000   IV 250 000   year 700 000
//   the 20 % norm         I  20 000   II  30 000   III  40 000   IV  50 000   year 140 000
//                         (20 % of the year's income: 700 000 x 0.2 = 140 000)
//   base of the year      700 000 - 140 000 = 560 000; tax 13 % = 72 800
//   advance payments computed on the running totals:
//     income      I 100 000      half-year 250 000      nine months 450 000
//     expenses    I  20 000      half-year  50 000      nine months  90 000
//     base        I  80 000      half-year 200 000      nine months 360 000
//     tax 13 %    I  10 400      half-year  26 000      nine months  46 800
//   due for each period: I 10 400; half-year 26 000 - 10 400 = 15 600;
//     nine months 46 800 - 26 000 = 20 800; year 72 800 - 46 800 = 26 000
//   advance payments actually paid, as typed: 46 800 (the three periods' 10 400 + 15 600 + 20 800)

#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include "controls/FlashButton.h"
#include "controls/MaskedEdit.h"
#include "pages/income/BusinessNew.h"
#include "pages/income/InitialData.h"
#include "pages/income/InputBusinessIncome.h"
#include "shell/FormMain.h"
#include "tests/controls/ScriptedCheckAnswers.h"
#include "tests/shell/RoadTest.h"
#include "tests/support/ExchangeSchema.h"
#include "tests/support/PageTestSupport.h"
#include "tests/support/SourceTreeFiles.h"
#include "tests/support/UserTyping.h"

namespace {

const char* const QuarterIncomes[] = {"100000", "150000", "200000", "250000"};
const char* const QuarterNorms[] = {"20000", "30000", "40000", "50000"};

class BusinessRoadTest : public RoadTest {
protected:
    // New, business income chosen among the conditions, the personal data typed in.
    void makeDeclaration()
    {
        auto* conditions = startDeclaration();
        ASSERT_NE(conditions, nullptr);
        conditions->chbIncomeBusiness->click();
        ASSERT_TRUE(conditions->chbIncomeBusiness->isChecked());
        typeDeclarant();
    }

    // The entrepreneur's activity added and its year typed on the business page.
    void enterActivity()
    {
        ASSERT_TRUE(window->fbBusinessIncome->isEnabled());
        userClick(window->fbBusinessIncome);
        auto* page = shown<TfrBusinessNew>();
        ASSERT_NE(page, nullptr);

        ModalAnswer<TfmInputBusinessIncome> kind([](TfmInputBusinessIncome& dialog) {
            dialog.rbPredp->click();
            dialog.bnOk->click();
        });
        userClick(page->fbAddSourseIncome);
        ASSERT_TRUE(kind.shown);
        ASSERT_EQ(rowCaptions(page->lvSourseIncomeInfo), QStringList{QStringLiteral("Предпринимательская деятельность")});
        ASSERT_FALSE(page->chbIsConfirmedExpensies->isChecked()) << "a new entrepreneur's activity takes the norm";

        for (int quarter = 0; quarter < 4; ++quarter) {
            typeText(page->meDohKv[std::size_t(quarter)], QString::fromLatin1(QuarterIncomes[quarter]));
            EXPECT_EQ(page->meRashKv[std::size_t(quarter)]->text(), QString::fromLatin1(QuarterNorms[quarter]))
                << "quarter " << quarter + 1;
        }
        EXPECT_EQ(page->meSumDoh->text(), QStringLiteral("700000"));
        EXPECT_EQ(page->meSumRash->text(), QStringLiteral("140000"));
        typeText(page->meActualPrepayment, QStringLiteral("46800"));
    }
};

TEST_F(BusinessRoadTest, AnEntrepreneurWithTheNormAndAdvancePaymentsIsExportedAsWorkedOut)
{
    makeDeclaration();
    enterActivity();

    {
        ScriptedCheckAnswers checks;
        window->CheckDoc->trigger();
        for (const auto& check : checks.shown)
            ADD_FAILURE() << check.caption.toStdString() << ": " << check.message.toStdString();
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].text, QStringLiteral("Проверка декларации завершена успешно"));
        messages.clear();
    }

    // What the window stored, before the export reads it.
    const mTDeclaration& declaration = window->declaration();
    ASSERT_EQ(declaration.BusinessCount(), 1u);
    const mTBusinessNew& activity = *declaration.BusinessIncomes.get(0);
    EXPECT_EQ(activity.ActivityKind, "1");
    EXPECT_EQ(activity.ExpensesConfirmed, 0);
    EXPECT_EQ(activity.IncomeSum, Currency::fromWholeRoubles(700'000));
    EXPECT_EQ(activity.ExpenseSum, Currency::fromWholeRoubles(140'000));
    EXPECT_EQ(declaration.ActualAdvancePayments, Currency::fromWholeRoubles(46'800));

    const QString file = exportWithoutChecks();
    ASSERT_FALSE(file.isEmpty());

    expectFigures(file, {
        {"activities", "count(//ДоходПредпр/РасчВидДеят)", "1"},
        {"kind", "string(//РасчВидДеят/@ВидДеят)", "01"},
        {"activity's income", "string(//РасчВидДеят/@Доход)", "700000.00"},
        {"no documented expenses", "count(//РасчВидДеят/@РасхФакт)", "0"},
        {"income", "string(//ДоходПредпр/@ДоходИт)", "700000.00"},
        {"the 20 % norm", "string(//ДоходПредпр/@ВычПрофИт)", "140000.00"},
        {"advances paid", "string(//ДоходПредпр/@УплФактАвИт)", "46800"},
        {"income: I", "string(//РасчАвансПлат/СумПолДох/@ЗаКв)", "100000"},
        {"income: half-year", "string(//РасчАвансПлат/СумПолДох/@ЗаПг)", "250000"},
        {"income: nine months", "string(//РасчАвансПлат/СумПолДох/@За9м)", "450000"},
        {"expenses: I", "string(//РасчАвансПлат/СумПрофВыч/@ЗаКв)", "20000"},
        {"expenses: half-year", "string(//РасчАвансПлат/СумПрофВыч/@ЗаПг)", "50000"},
        {"expenses: nine months", "string(//РасчАвансПлат/СумПрофВыч/@За9м)", "90000"},
        {"base: I", "string(//РасчАвансПлат/НалБазаИсч/@ЗаКв)", "80000"},
        {"base: half-year", "string(//РасчАвансПлат/НалБазаИсч/@ЗаПг)", "200000"},
        {"base: nine months", "string(//РасчАвансПлат/НалБазаИсч/@За9м)", "360000"},
        {"advance: I", "string(//РасчАвансПлат/СумИсчАванс/@ЗаКв)", "10400"},
        {"advance: half-year", "string(//РасчАвансПлат/СумИсчАванс/@ЗаПг)", "26000"},
        {"advance: nine months", "string(//РасчАвансПлат/СумИсчАванс/@За9м)", "46800"},
        {"year: income", "sum(//НалБаза/РасчНалБаза/@СумДох)", "700000"},
        {"year: deductions", "sum(//НалБаза/РасчНалБаза/@СумНалВыч)", "140000"},
        {"year: base", "sum(//НалБаза/РасчНалБаза/@НалБаза)", "560000"},
        {"year: tax 13 %", "sum(//НалБаза/РасчНалПУ/@Исчисл)", "72800"},
        {"due: I", "string(//СумНалПу227/@АвПУКв)", "10400"},
        {"due: half-year", "string(//СумНалПу227/@АвПУУменПг)", "15600"},
        {"due: nine months", "string(//СумНалПу227/@АвПУУмен9м)", "20800"},
        {"due: year", "string(//СумНалПу227/@НалПУУменПер)", "26000"},
    });
}

} // namespace

// Every date field of the income pages: a typed date that is no date within the field's bounds
// is never replaced, leaving the page is refused with a check naming the field, and the
// corrected date is what the page saves.

#include <functional>
#include <string>
#include <vector>

#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include "controls/DtpPanel.h"
#include "controls/FlashButton.h"
#include "controls/ItemList.h"
#include "pages/income/InputCurrencySourseIncome.h"
#include "pages/income/PersonNaim.h"
#include "tests/controls/ScriptedCheckAnswers.h"
#include "tests/pages/income/CurrencyFrameFixture.h"
#include "tests/support/DateTyping.h"

namespace {

TThinkingFrame* personPage(PageWindow& window)
{
    mTPersonInformation& person = window.declaration->Person;
    person.Name.SurName = "Иванова";
    person.Name.FirstName = "Анна";
    person.Name.INN = "500100732259";
    person.Document.BirthDate = day(29, 2, 1984);
    return window.show<TfrPersonNaim>();
}

TThinkingFrame* foreignIncomePage(PageWindow& window)
{
    addDividends(*window.declaration);
    auto* page = window.show<TfrCurrency>();
    selectRow(page->lvSourseIncomeInfo, 0);
    return page;
}

struct DateInput {
    const char* name;
    std::function<TThinkingFrame*(PageWindow&)> show; // a page whose data pass its check
    std::function<TDtpPanel*(TThinkingFrame&)> field;
    std::function<double(mTDeclaration&)> saved;
    const char* checkCaption;
    const char* fieldCaption;
    const char* beforeLowerBound;
    const char* corrected;
    double correctedDate;
};

// Built when a test runs: day counts are not to be computed while the program starts.
std::vector<DateInput> dateInputs()
{
    return {
    {"birth date", personPage, [](TThinkingFrame& p) { return dynamic_cast<TfrPersonNaim&>(p).dtBirthDate; },
     [](mTDeclaration& d) { return d.Person.Document.BirthDate; }, "Проверка: Сведения о декларанте",
     "Дата рождения", "31121899", "15061985", day(15, 6, 1985)},
    {"date of a foreign income", foreignIncomePage,
     [](TThinkingFrame& p) { return dynamic_cast<TfrCurrency&>(p).dtIncomeGetDate; },
     [](mTDeclaration& d) { return d.GetCurrencyIncome(0)->IncomeDate; }, "Проверка: Доходы в валюте",
     "Дата получения дохода", "31121899", "16032021", day(16, 3, 2021)},
    {"date the foreign tax was paid", foreignIncomePage,
     [](TThinkingFrame& p) { return dynamic_cast<TfrCurrency&>(p).dtSubtractDate; },
     [](mTDeclaration& d) { return d.GetCurrencyIncome(0)->TaxPaymentDate; }, "Проверка: Доходы в валюте",
     "Дата уплаты налога", "31121899", "16032021", day(16, 3, 2021)},
    };
}

TEST(DateFieldPages, ATypedDateThatIsNoneIsNeverReplacedAndKeepsThePage)
{
    const struct {
        const char* name;
        const char* digits; // nullptr: the field's date before its lower bound
    } typedDates[] = {{"a day that does not exist", "31022021"},
                      {"an incomplete date", "12"},
                      {"after the upper bound", "31122051"},
                      {"before the lower bound", nullptr},
                      {"an emptied field", ""}};
    for (const DateInput& input : dateInputs()) {
        for (const auto& typed : typedDates) {
            SCOPED_TRACE(std::string(input.name) + ", " + typed.name);
            TestProgramContext context;
            context.directories().currencyRates = readReferenceFile(sourceTreeFile("resources/CurrencyRates.xml"));
            PageWindow window;
            TThinkingFrame* page = input.show(window);
            ASSERT_TRUE(QTest::qWaitForWindowActive(&window.window));
            TDtpPanel* field = input.field(*page);
            const double held = field->dateTime();

            typeDateAndLeave(field, typed.digits ? typed.digits : input.beforeLowerBound);
            const QString shown = shownText(field);
            // Leaving the page, as the main window does it.
            page->SaveData();
            ScriptedCheckAnswers checks;
            checks.answers = {CheckFix};
            const std::uint16_t code = page->CheckData();

            ASSERT_EQ(checks.shown.size(), 1u);
            EXPECT_EQ(checks.shown[0].caption, QString::fromUtf8(input.checkCaption));
            EXPECT_TRUE(checks.shown[0].message.startsWith(
                QStringLiteral("Неверная дата в поле «%1».").arg(QString::fromUtf8(input.fieldCaption))))
                << checks.shown[0].message.toStdString();
            EXPECT_FALSE(checks.shown[0].skip);
            EXPECT_FALSE(checks.shown[0].skipAll);
            ASSERT_NE(code, 0) << "the page is not left";
            page->FocusError(code);
            EXPECT_TRUE(field->isAncestorOf(window.window.focusWidget())) << "the field to correct has the focus";
            EXPECT_EQ(shownText(field), shown) << "the typed text stays";
            EXPECT_EQ(input.saved(*window.declaration), held) << "and the date saved is not changed by it";

            typeDateAndLeave(field, input.corrected);
            page->SaveData();
            EXPECT_EQ(page->CheckData(), 0);
            EXPECT_EQ(checks.shown.size(), 1u);
            EXPECT_EQ(input.saved(*window.declaration), input.correctedDate) << "the corrected date is taken";
        }
    }
}

TEST(DateFieldPages, AWrongDateOfAForeignIncomeKeepsTheIncomeOpen)
{
    const struct {
        const char* name;
        TDtpPanel* TfrCurrency::* field;
        double mTCurrencyIncome::* saved;
        const char* caption;
    } fields[] = {{"date of the income", &TfrCurrency::dtIncomeGetDate, &mTCurrencyIncome::IncomeDate,
                   "Дата получения дохода"},
                  {"date the tax was paid", &TfrCurrency::dtSubtractDate, &mTCurrencyIncome::TaxPaymentDate,
                   "Дата уплаты налога"}};
    const struct {
        const char* name;
        std::function<void(TfrCurrency&)> move;
        int openedRow; // once the date is corrected
    } moves[] = {{"another row clicked",
                  [](TfrCurrency& page) {
                      QTreeWidget* list = page.lvSourseIncomeInfo;
                      QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                                        list->visualItemRect(list->topLevelItem(1)).center());
                  },
                  1},
                 {"another row by the arrow key",
                  [](TfrCurrency& page) {
                      page.lvSourseIncomeInfo->setFocus();
                      QTest::keyClick(page.lvSourseIncomeInfo, Qt::Key_Down);
                  },
                  1},
                 {"an income added", [](TfrCurrency& page) { userClick(page.fbAddSourseIncome); }, 2},
                 {"the income copied", [](TfrCurrency& page) { userClick(page.fbCopy); }, 2}};
    for (const auto& date : fields) {
        for (const auto& move : moves) {
            SCOPED_TRACE(std::string(date.name) + ", " + move.name);
            TestProgramContext context;
            context.directories().currencyRates = readReferenceFile(sourceTreeFile("resources/CurrencyRates.xml"));
            PageWindow window;
            addDividends(*window.declaration);
            addDividends(*window.declaration).SourceName = "Microsoft Corp.";
            auto* page = window.show<TfrCurrency>();
            selectRow(page->lvSourseIncomeInfo, 0);
            ASSERT_TRUE(QTest::qWaitForWindowActive(&window.window));
            TDtpPanel* field = page->*date.field;
            const mTCurrencyIncome before = *window.declaration->GetCurrencyIncome(0);

            typeDateAndLeave(field, "31022021");
            ScriptedCheckAnswers checks;
            checks.answers = {CheckFix};
            bool sourceAsked = false;
            const ModalAnswer<TfmInputCurrencySourseIncome> source([&](TfmInputCurrencySourseIncome& dialog) {
                sourceAsked = true;
                dialog.SetSourceName(QStringLiteral("Tesla Inc."));
                dialog.SetSourceCountry(QStringLiteral("840"));
                dialog.SetCreditCountry(QStringLiteral("840"));
                dialog.bnOk->click();
            });
            move.move(*page);
            QTest::qWait(0);

            ASSERT_EQ(checks.shown.size(), 1u);
            EXPECT_EQ(checks.shown[0].caption, QStringLiteral("Проверка: Доходы в валюте"));
            EXPECT_TRUE(checks.shown[0].message.startsWith(
                QStringLiteral("Неверная дата в поле «%1».").arg(QString::fromUtf8(date.caption))))
                << checks.shown[0].message.toStdString();
            EXPECT_FALSE(sourceAsked);
            EXPECT_EQ(window.declaration->CurrencyIncomeCount(), 2u);
            EXPECT_EQ(selectedRow(page->lvSourseIncomeInfo), 0) << "the open income stays selected";
            EXPECT_EQ(page->lvSourseIncomeInfo->currentItem(), page->lvSourseIncomeInfo->topLevelItem(0));
            EXPECT_EQ(shownText(field), QStringLiteral("31.02.2021")) << "the typed text stays";
            EXPECT_TRUE(field->isAncestorOf(window.window.focusWidget())) << "the field to correct has the focus";
            EXPECT_TRUE(*window.declaration->GetCurrencyIncome(0) == before) << "nothing of the open income is stored";

            typeDateAndLeave(field, "16032021");
            move.move(*page);
            QTest::qWait(0);
            EXPECT_EQ(checks.shown.size(), 1u);
            EXPECT_EQ(selectedRow(page->lvSourseIncomeInfo), move.openedRow);
            EXPECT_EQ((*window.declaration->GetCurrencyIncome(0)).*date.saved, day(16, 3, 2021))
                << "the corrected date is stored";
        }
    }
}

} // namespace

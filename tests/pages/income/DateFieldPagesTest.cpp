// Every date field of the income pages: a typed date that is no date within the field's bounds
// is never replaced, leaving the page is refused with a check naming the field, and the
// corrected date is what the page saves.

#include <functional>
#include <string>
#include <vector>

#include <QTest>

#include <gtest/gtest.h>

#include "controls/DtpPanel.h"
#include "controls/ItemList.h"
#include "pages/income/PersonNaim.h"
#include "tests/controls/ScriptedCheckAnswers.h"
#include "tests/pages/income/CurrencyFrameFixture.h"

namespace {

// Clears the field, types the digits and leaves the field, as the user does.
void typeDate(TDtpPanel* field, const char* digits)
{
    auto* edit = field->findChild<TTestMaskD*>();
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    edit->home(false);
    QTest::keyClicks(edit, QString::fromLatin1(digits));
    QTest::keyClick(edit, Qt::Key_Tab);
}

QString shownText(const TDtpPanel* field)
{
    return field->findChild<TTestMaskD*>()->displayText();
}

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

            typeDate(field, typed.digits ? typed.digits : input.beforeLowerBound);
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

            typeDate(field, input.corrected);
            page->SaveData();
            EXPECT_EQ(page->CheckData(), 0);
            EXPECT_EQ(checks.shown.size(), 1u);
            EXPECT_EQ(input.saved(*window.declaration), input.correctedDate) << "the corrected date is taken";
        }
    }
}

} // namespace

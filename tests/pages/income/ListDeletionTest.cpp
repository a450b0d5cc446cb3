#include <functional>
#include <memory>
#include <string>

#include <QMessageBox>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include "controls/FlashButton.h"
#include "controls/ItemList.h"
#include "pages/income/BusinessNew.h"
#include "pages/income/CurrencyFrame.h"
#include "pages/income/KudaTratit.h"
#include "pages/income/RateLines.h"
#include "pages/income/Sourse.h"
#include "tests/pages/income/CurrencyFrameFixture.h"
#include "tests/shell/CheckedDeclaration.h"
#include "tests/support/ListKeysCheck.h"
#include "tests/support/MessageAnswers.h"
#include "tests/support/PageTestSupport.h"
#include "tests/support/SavedDeclaration.h"
#include "tests/support/TestProgramContext.h"

// The delete commands of the income pages' lists ask before a row with entered data goes,
// naming it and what goes with it: "Нет" keeps the declaration as it was, to the byte, and
// changes nothing; "Да" deletes. A row that holds nothing entered goes without a question.

namespace {

// An employer with two lines at 13 %, one at 15 %, tax withheld and one deduction granted.
void addEmployerWithDeduction(mTDeclaration& declaration)
{
    mbTSourse& source = addEmployer(declaration, "ООО \"Ромашка\"", 50'000);
    source.AddIncome13(incomeLine(2000, roubles(50'000), 2));
    source.AddIncome15(incomeLine(1010, roubles(10'000'000), 6));
    auto deduct = std::make_unique<mbTSSCDeduct>();
    deduct->Code = 104;
    deduct->Sum = roubles(6000);
    source.AddSSCDeduct(std::move(deduct));
}

void addForeignDividends(mTDeclaration& declaration)
{
    declaration.SetIncomeKinds(declaration.IncomeKinds() | IncomeKindForeign);
    addDividends(declaration);
}

void addEntrepreneur(mTDeclaration& declaration)
{
    declaration.SetIncomeKinds(declaration.IncomeKinds() | IncomeKindBusiness);
    mTBusinessNew& activity = *declaration.GetBusiness(declaration.AddBusiness());
    activity.ActivityKind = "1";
    activity.ActivityCode = "47.11";
    activity.ExpensesConfirmed = 1;
    activity.QuarterIncome = {roubles(1000), roubles(2000), Currency(), Currency()};
    activity.QuarterExpense = {roubles(100), Currency(), Currency(), Currency()};
    activity.IncomeSum = roubles(3000);
    activity.ExpenseSum = roubles(100);
    activity.OtherExpenses = roubles(100);
}

mTTrata& addRefund(mTDeclaration& declaration)
{
    declaration.SetIncomeKinds(declaration.IncomeKinds() | IncomeKindTrata);
    mTTrata& refund = *declaration.GetTrata(declaration.AddTrata());
    refund.IsRefund = 1;
    return refund;
}

// A page shown in a window with its row selected, and the button that deletes the row.
struct DeleteCommand {
    TThinkingFrame* page;
    TFlashButton* button;
};
using CommandOnPage = std::function<DeleteCommand(PageWindow&)>;

template <typename Page>
CommandOnPage firstRowOf(std::function<TFlashButton*(Page&)> button)
{
    return [button](PageWindow& window) {
        Page* page = window.show<Page>();
        selectRow(page->lvSourseIncomeInfo, 0);
        return DeleteCommand{page, button(*page)};
    };
}

const auto deleteSource = firstRowOf<TfrSourse>([](auto& p) { return p.fbDeleteSourseIncome; });
const auto deleteApplication = firstRowOf<TfrKudaTratit>([](auto& p) { return p.fbDeleteSourseIncome; });

struct Case {
    const char* name;
    std::function<void(mTDeclaration&)> fill;
    CommandOnPage command;
    const char* question;
    // Whether the declaration still holds what the command deletes.
    std::function<bool(const mTDeclaration&)> holdsData;
};

const Case cases[] = {
    {"payment source", addEmployerWithDeduction, deleteSource,
     "Удалить источник выплат «ООО \"Ромашка\"», его доходы (строк: 3), предоставленные им вычеты (строк: 1) и "
     "удержанный налог?",
     [](const mTDeclaration& d) { return d.SourceCount() == 1; }},
    {"employer's deduction", addEmployerWithDeduction,
     firstRowOf<TfrSourse>([](auto& p) { return p.fbRemoveSSC; }), "Удалить вычет с кодом 104 на сумму 6000?",
     [](const mTDeclaration& d) { return d.Sources[0].SSCDeductCount() == 1; }},
    {"income line", addEmployerWithDeduction,
     [](PageWindow& window) {
         auto* page = window.show<TfrSourse>();
         selectRow(page->lvSourseIncomeInfo, 0);
         selectRow(page->rateFrame()->lvIncome, 1);
         return DeleteCommand{page, page->rateFrame()->fbRemoveIncome};
     },
     "Удалить доход с кодом 2000 на сумму 50000?",
     [](const mTDeclaration& d) { return d.Sources[0].Income13Count() == 2; }},
    {"foreign income", addForeignDividends, firstRowOf<TfrCurrency>([](auto& p) { return p.fbDeleteSourseIncome; }),
     "Удалить доход из иностранного источника «Apple Inc.»?",
     [](const mTDeclaration& d) { return d.CurrencyIncomeCount() == 1; }},
    {"business activity", addEntrepreneur, firstRowOf<TfrBusinessNew>([](auto& p) { return p.fbDeleteSourseIncome; }),
     "Удалить вид деятельности «Предпринимательская деятельность» и его доходы и расходы (сумм: 4)?",
     [](const mTDeclaration& d) { return d.BusinessCount() == 1; }},
    {"refund application",
     [](mTDeclaration& d) {
         mTTrata& refund = addRefund(d);
         refund.RefundSum = roubles(1500);
         refund.BankName = "ПАО Сбербанк";
     },
     deleteApplication, "Удалить заявление на возврат налога на сумму 1500?",
     [](const mTDeclaration& d) { return d.TrataCount() == 1; }},
};

// A case's declaration on its page in a window, the row its command deletes selected, and the
// declaration's file as it was before.
struct OpenedCase {
    explicit OpenedCase(const Case& c)
    {
        c.fill(*window.declaration);
        saved = fileBytes(*window.declaration);
        command = c.command(window);
    }

    TestProgramContext context;
    UserEditCounter edits;
    PageWindow window;
    QByteArray saved;
    DeleteCommand command{};
};

constexpr QMessageBox::StandardButton Answers[] = {QMessageBox::No, QMessageBox::Yes};

std::string traceName(const Case& c, QMessageBox::StandardButton answer)
{
    return std::string(c.name) + (answer == QMessageBox::No ? ", Нет" : ", Да");
}

// After the question: "Нет" keeps the declaration to the byte and marks nothing, "Да" deletes.
void expectAnswerTaken(const Case& c, OpenedCase& opened, QMessageBox::StandardButton answer)
{
    const bool kept = answer == QMessageBox::No;
    if (kept) {
        EXPECT_EQ(opened.edits.userEdits, 0) << "\"Нет\" changes nothing";
    } else {
        EXPECT_GT(opened.edits.userEdits, 0);
    }
    opened.command.page->SaveData();
    EXPECT_EQ(c.holdsData(*opened.window.declaration), kept);
    if (kept) {
        EXPECT_EQ(fileBytes(*opened.window.declaration), opened.saved);
    }
}

} // namespace

TEST(ListDeletionTest, TheButtonAsksAndTheAnswerDecides)
{
    for (const Case& c : cases) {
        for (const auto answer : Answers) {
            SCOPED_TRACE(traceName(c, answer));
            OpenedCase opened(c);
            ASSERT_TRUE(opened.command.button->isEnabled());
            MessageAnswers answers(answer);
            userClick(opened.command.button);
            EXPECT_EQ(answers.texts, QStringList{QString::fromUtf8(c.question)});
            expectAnswerTaken(c, opened, answer);
        }
    }
}

TEST(ListDeletionTest, AnApplicationWithNothingEnteredGoesUnasked)
{
    for (const bool refund : {true, false}) {
        SCOPED_TRACE(refund ? "refund" : "offset");
        PageWindow window;
        addRefund(*window.declaration).IsRefund = refund ? 1 : 0;
        const DeleteCommand command = deleteApplication(window);
        MessageAnswers no(QMessageBox::No);
        userClick(command.button);
        EXPECT_TRUE(no.texts.isEmpty());
        EXPECT_EQ(window.declaration->TrataCount(), 0u);
    }
}

TEST(ListDeletionTest, RowButtonsNeedASelectedRow)
{
    struct RowButtons {
        const char* name;
        std::function<void(mTDeclaration&)> fill;
        // Shows the page with the list's only row selected; gives the list and its row buttons.
        std::function<std::pair<QTreeWidget*, std::vector<TFlashButton*>>(PageWindow&)> shown;
    };
    const RowButtons lists[] = {
        {"income lines",
         [](mTDeclaration& d) {
             addEmployerWithDeduction(d);
             d.Sources[0].Incomes13.remove(1);
         },
         [](PageWindow& window) {
             auto* page = window.show<TfrSourse>();
             selectRow(page->lvSourseIncomeInfo, 0);
             TfrRateLines* frame = page->rateFrame();
             selectRow(frame->lvIncome, 0);
             return std::pair(frame->lvIncome,
                              std::vector<TFlashButton*>{frame->fbRemoveIncome, frame->fbEditIncome, frame->fbCopy});
         }},
        {"applications",
         [](mTDeclaration& d) { addRefund(d).RefundSum = roubles(10); },
         [](PageWindow& window) {
             auto* page = window.show<TfrKudaTratit>();
             selectRow(page->lvSourseIncomeInfo, 0);
             return std::pair(page->lvSourseIncomeInfo, std::vector<TFlashButton*>{page->fbDeleteSourseIncome});
         }},
    };
    for (const RowButtons& c : lists) {
        SCOPED_TRACE(c.name);
        PageWindow window;
        c.fill(*window.declaration);
        const auto [list, buttons] = c.shown(window);
        const auto enabled = [&buttons] {
            std::vector<bool> states;
            for (const TFlashButton* button : buttons)
                states.push_back(button->isEnabled());
            return states;
        };
        EXPECT_EQ(enabled(), std::vector<bool>(buttons.size(), true));
        selectRow(list, -1);
        EXPECT_EQ(enabled(), std::vector<bool>(buttons.size(), false)) << "no row selected";
        selectRow(list, 0);
        MessageAnswers yes(QMessageBox::Yes);
        userClick(buttons.front());
        EXPECT_EQ(list->topLevelItemCount(), 0);
        EXPECT_EQ(enabled(), std::vector<bool>(buttons.size(), false)) << "the list is empty";
    }
}

// The keyboard of every income list: Delete in the list is its delete button, the same question
// and the same answers.
TEST(ListDeletionTest, DeleteKeyAsksAsTheButton)
{
    for (const Case& c : cases) {
        for (const auto answer : Answers) {
            SCOPED_TRACE(traceName(c, answer));
            OpenedCase opened(c);
            QTreeWidget* list = listBeside(opened.command.button);
            ASSERT_NE(list, nullptr);
            ASSERT_GE(selectedRow(list), 0);

            const KeyOutcome outcome = pressInList(list, Qt::Key_Delete, opened.command.button, answer);
            EXPECT_EQ(outcome.questions, QStringList{QString::fromUtf8(c.question)});
            expectAnswerTaken(c, opened, answer);
        }
    }
}

// Every income list: its buttons follow it in Tab order, Insert adds, Enter edits, Delete deletes.
TEST(ListKeysTest, EveryIncomeListAnswersItsKeys)
{
    struct ListCase {
        const char* name;
        std::function<void(mTDeclaration&)> fill;
        std::function<ListWithButtons(PageWindow&)> shown;
    };
    const ListCase lists[] = {
        {"payment sources", addEmployerWithDeduction,
         [](PageWindow& w) {
             auto* p = w.show<TfrSourse>();
             return ListWithButtons{p->lvSourseIncomeInfo,
                                    {p->fbAddSourseIncome, p->fbDeleteSourseIncome, p->fbEditSourseIncome}};
         }},
        {"employer's deductions", addEmployerWithDeduction,
         [](PageWindow& w) {
             auto* p = w.show<TfrSourse>();
             selectRow(p->lvSourseIncomeInfo, 0);
             return ListWithButtons{p->lvDeduct, {p->fbAddSSC, p->fbRemoveSSC, p->fbEditSSC}};
         }},
        {"income lines", addEmployerWithDeduction,
         [](PageWindow& w) {
             auto* p = w.show<TfrSourse>();
             selectRow(p->lvSourseIncomeInfo, 0);
             TfrRateLines* f = p->rateFrame();
             return ListWithButtons{f->lvIncome, {f->fbAddIncome, f->fbRemoveIncome, f->fbEditIncome, f->fbCopy}};
         }},
        {"foreign incomes", addForeignDividends,
         [](PageWindow& w) {
             auto* p = w.show<TfrCurrency>();
             return ListWithButtons{p->lvSourseIncomeInfo,
                                    {p->fbAddSourseIncome, p->fbDeleteSourseIncome, p->fbEditSourseIncome, p->fbCopy}};
         }},
        {"activities", addEntrepreneur,
         [](PageWindow& w) {
             auto* p = w.show<TfrBusinessNew>();
             return ListWithButtons{p->lvSourseIncomeInfo,
                                    {p->fbAddSourseIncome, p->fbDeleteSourseIncome, p->fbEditSourseIncome}};
         }},
        {"refund applications", [](mTDeclaration& d) { addRefund(d).RefundSum = roubles(1500); },
         [](PageWindow& w) {
             auto* p = w.show<TfrKudaTratit>();
             return ListWithButtons{p->lvSourseIncomeInfo, {.add = p->fbAddSourseIncome, .remove = p->fbDeleteSourseIncome}};
         }},
    };
    for (const ListCase& c : lists) {
        SCOPED_TRACE(c.name);
        TestProgramContext context;
        PageWindow window;
        c.fill(*window.declaration);
        checkListKeys(window, c.shown(window));
    }
}

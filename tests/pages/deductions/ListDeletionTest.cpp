#include <functional>
#include <memory>

#include <QMessageBox>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include "controls/FlashButton.h"
#include "controls/ItemList.h"
#include "model/DayDate.h"
#include "pages/deductions/FrameCB.h"
#include "pages/deductions/FrameMultyConstructionDeduct.h"
#include "pages/deductions/FramePensDeduct.h"
#include "tests/support/ListKeysCheck.h"
#include "tests/support/MessageAnswers.h"
#include "tests/support/PageTestSupport.h"
#include "tests/support/SavedDeclaration.h"

// The delete commands of the deduction pages' lists ask before a row goes, naming it: "Нет"
// keeps the declaration as it was, to the byte, and changes nothing; "Да" deletes.
// The buttons of a row are enabled only while a row is selected.

namespace {

void addContract(mTDeclaration& d)
{
    d.SocialDeduct.Granted = 1;
    mTPens& contract = *d.SocialDeduct.GetPens(d.SocialDeduct.AddPens());
    contract.ContractKind = 1;
    contract.OrgName = "АО \"НПФ Будущее\"";
    contract.OrgINN = "7707083893";
    contract.OrgKPP = "773601001";
    contract.ContractNumber = "Д-1";
    contract.ContractDate = *encodeDate(2015, 6, 30);
    contract.Sum = roubles(12000);
}

void addAccount(mTDeclaration& d)
{
    d.InvDeduct.Granted = 1;
    bmTInfoIIS& account = *d.InvDeduct.GetInfoIIS(d.InvDeduct.AddInfoIIS());
    account.ParticipantName = "АО \"Брокер\"";
    account.ParticipantINN = "7707083893";
    account.ParticipantKPP = "773601001";
    account.ContractNumber = "ИИС-1";
    account.ContractDate = *encodeDate(2019, 2, 27);
    account.OpenDate = *encodeDate(2019, 3, 1);
    account.PaidIn = roubles(150000);
}

void addObject(mTDeclaration& d)
{
    d.ConstructionDeduct.Granted = 1;
    auto object = std::make_unique<mTConstructionDeductObj>();
    object->ObjectCode = 2;
    object->ObjectNumber = "77:01:0001001:1234";
    object->ObjectNumberKind = 1;
    object->OwnerSign = 1;
    object->DwellingRegDate = *encodeDate(2019, 6, 15);
    object->ActDate = *encodeDate(2019, 5, 20);
    object->ShareNumerator = 1;
    object->ShareDenominator = 1;
    object->Cost = roubles(1'500'000);
    d.ConstructionDeduct.AddObject(std::move(object));
}

// A list of a page shown in a window, and the buttons that act on its selected row.
struct ShownList {
    TThinkingFrame* page;
    QTreeWidget* list;
    TFlashButton* remove;
    TFlashButton* edit;
};
using ListOnPage = std::function<ShownList(PageWindow&)>;

template <typename Page>
ListOnPage listOf(std::function<ShownList(Page&)> parts)
{
    return [parts](PageWindow& window) { return parts(*window.show<Page>()); };
}

struct Case {
    const char* name;
    std::function<void(mTDeclaration&)> fill;
    ListOnPage shown;
    const char* question;
    std::function<bool(const mTDeclaration&)> holdsData;
};

const Case cases[] = {
    {"child education sum",
     [](mTDeclaration& d) {
         d.SocialDeduct.Granted = 1;
         d.SocialDeduct.AddChildEduSum(roubles(50000));
     },
     listOf<TfrFramePensDeduct>([](auto& p) { return ShownList{&p, p.lvSumList, p.fbDeleteSum, p.fbEditSum}; }),
     "Удалить сумму 50000, уплаченную за обучение ребенка?",
     [](const mTDeclaration& d) { return d.SocialDeduct.ChildEduCount() == 1; }},
    {"pension contract", addContract,
     listOf<TfrFramePensDeduct>([](auto& p) { return ShownList{&p, p.lvPensInfo, p.fbDeletePens, p.fbEditPens}; }),
     "Удалить договор «АО \"НПФ Будущее\"»?", [](const mTDeclaration& d) { return d.SocialDeduct.PensCount() == 1; }},
    {"investment account", addAccount,
     listOf<TfrCB>([](auto& p) { return ShownList{&p, p.lvObjInfo, p.fbDeleteObj, p.fbEditObj}; }),
     "Удалить индивидуальный инвестиционный счет «АО \"Брокер\"»?",
     [](const mTDeclaration& d) { return d.InvDeduct.InfoIISCount() == 1; }},
    {"property object", addObject,
     listOf<TfrMultyConstructionDeduct>(
         [](auto& p) { return ShownList{&p, p.lvObjInfo, p.fbDeleteObj, p.fbEditObj}; }),
     "Удалить объект «Квартира 77:01:0001001:1234»?",
     [](const mTDeclaration& d) { return d.ConstructionDeduct.ObjectCount() == 1; }},
};

} // namespace

TEST(ListDeletionTest, NoKeepsTheDeclarationToTheByte)
{
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        UserEditCounter edits;
        PageWindow window;
        c.fill(*window.declaration);
        const QByteArray saved = fileBytes(*window.declaration);

        const ShownList shown = c.shown(window);
        selectRow(shown.list, 0);
        MessageAnswers no(QMessageBox::No);
        userClick(shown.remove);
        EXPECT_EQ(no.texts, QStringList{QString::fromUtf8(c.question)});
        EXPECT_EQ(edits.userEdits, 0) << "\"Нет\" changes nothing";
        EXPECT_EQ(shown.list->topLevelItemCount(), 1);
        shown.page->SaveData();
        EXPECT_TRUE(c.holdsData(*window.declaration));
        EXPECT_EQ(fileBytes(*window.declaration), saved);
    }
}

TEST(ListDeletionTest, YesDeletes)
{
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        UserEditCounter edits;
        PageWindow window;
        c.fill(*window.declaration);
        const ShownList shown = c.shown(window);
        selectRow(shown.list, 0);
        MessageAnswers yes(QMessageBox::Yes);
        userClick(shown.remove);
        EXPECT_EQ(yes.texts, QStringList{QString::fromUtf8(c.question)});
        EXPECT_GT(edits.userEdits, 0);
        EXPECT_EQ(shown.list->topLevelItemCount(), 0);
        shown.page->SaveData();
        EXPECT_FALSE(c.holdsData(*window.declaration));
    }
}

TEST(ListDeletionTest, RowButtonsNeedASelectedRow)
{
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PageWindow window;
        c.fill(*window.declaration);
        const ShownList shown = c.shown(window);
        const auto enabled = [&] { return std::pair(shown.remove->isEnabled(), shown.edit->isEnabled()); };
        selectRow(shown.list, -1);
        EXPECT_EQ(enabled(), std::pair(false, false)) << "no row selected";
        selectRow(shown.list, 0);
        EXPECT_EQ(enabled(), std::pair(true, true));
        MessageAnswers yes(QMessageBox::Yes);
        userClick(shown.remove);
        EXPECT_EQ(enabled(), std::pair(false, false)) << "the list is empty";
    }
}

// Delete in a deduction list is its delete button: the same question, the same answers.
TEST(ListDeletionTest, DeleteKeyAsksAsTheButton)
{
    for (const Case& c : cases) {
        for (const auto answer : {QMessageBox::No, QMessageBox::Yes}) {
            SCOPED_TRACE(std::string(c.name) + (answer == QMessageBox::No ? ", Нет" : ", Да"));
            UserEditCounter edits;
            PageWindow window;
            c.fill(*window.declaration);
            const QByteArray saved = fileBytes(*window.declaration);
            const ShownList shown = c.shown(window);
            selectRow(shown.list, 0);

            const KeyOutcome outcome = pressInList(shown.list, Qt::Key_Delete, shown.remove, answer);
            EXPECT_EQ(outcome.questions, QStringList{QString::fromUtf8(c.question)});
            shown.page->SaveData();
            if (answer == QMessageBox::No) {
                EXPECT_EQ(edits.userEdits, 0) << "\"Нет\" changes nothing";
                EXPECT_EQ(outcome.rows, 1);
                EXPECT_EQ(fileBytes(*window.declaration), saved);
            } else {
                EXPECT_GT(edits.userEdits, 0);
                EXPECT_EQ(outcome.rows, 0);
                EXPECT_FALSE(c.holdsData(*window.declaration));
            }
        }
    }
}

// Every deduction list: its buttons follow it in Tab order, Insert adds, Enter edits, Delete deletes.
TEST(ListKeysTest, EveryDeductionListAnswersItsKeys)
{
    struct ListCase {
        const char* name;
        std::function<void(mTDeclaration&)> fill;
        std::function<ListWithButtons(PageWindow&)> shown;
    };
    const ListCase lists[] = {
        {"child education sums",
         [](mTDeclaration& d) {
             d.SocialDeduct.Granted = 1;
             d.SocialDeduct.AddChildEduSum(roubles(50000));
         },
         [](PageWindow& w) {
             auto* p = w.show<TfrFramePensDeduct>();
             return ListWithButtons{p->lvSumList, {p->fbAddSum, p->fbDeleteSum, p->fbEditSum}};
         }},
        {"pension contracts", addContract,
         [](PageWindow& w) {
             auto* p = w.show<TfrFramePensDeduct>();
             return ListWithButtons{p->lvPensInfo, {p->fbAddPens, p->fbDeletePens, p->fbEditPens}};
         }},
        {"investment accounts", addAccount,
         [](PageWindow& w) {
             auto* p = w.show<TfrCB>();
             return ListWithButtons{p->lvObjInfo, {p->fbAddObj, p->fbDeleteObj, p->fbEditObj}};
         }},
        {"property objects", addObject,
         [](PageWindow& w) {
             auto* p = w.show<TfrMultyConstructionDeduct>();
             return ListWithButtons{p->lvObjInfo, {p->fbAddObj, p->fbDeleteObj, p->fbEditObj}};
         }},
    };
    for (const ListCase& c : lists) {
        SCOPED_TRACE(c.name);
        PageWindow window;
        c.fill(*window.declaration);
        checkListKeys(window, c.shown(window));
    }
}

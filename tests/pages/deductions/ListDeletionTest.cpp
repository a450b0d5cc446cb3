#include <functional>
#include <string>
#include <utility>

#include <QMessageBox>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include "controls/FlashButton.h"
#include "controls/ItemList.h"
#include "pages/deductions/FrameCB.h"
#include "pages/deductions/FrameMultyConstructionDeduct.h"
#include "pages/deductions/FramePensDeduct.h"
#include "tests/pages/deductions/DeductionRecords.h"
#include "tests/support/ListKeysCheck.h"
#include "tests/support/MessageAnswers.h"
#include "tests/support/PageTestSupport.h"
#include "tests/support/SavedDeclaration.h"

// The delete commands of the deduction pages' lists ask before a row goes, naming it: "Нет"
// keeps the declaration as it was, to the byte, and changes nothing; "Да" deletes.
// The buttons of a row are enabled only while a row is selected.

namespace {

// A list of a page shown in a window, and its buttons.
struct ShownList {
    TThinkingFrame* page;
    QTreeWidget* list;
    ListCommands buttons;
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
    {"child education sum", addChildEduSum,
     listOf<TfrFramePensDeduct>([](auto& p) {
         return ShownList{&p, p.lvSumList, {p.fbAddSum, p.fbDeleteSum, p.fbEditSum}};
     }),
     "Удалить сумму 50000, уплаченную за обучение ребенка?",
     [](const mTDeclaration& d) { return d.SocialDeduct.ChildEduCount() == 1; }},
    {"pension contract", addContract,
     listOf<TfrFramePensDeduct>([](auto& p) {
         return ShownList{&p, p.lvPensInfo, {p.fbAddPens, p.fbDeletePens, p.fbEditPens}};
     }),
     "Удалить договор «АО \"НПФ Будущее\"»?", [](const mTDeclaration& d) { return d.SocialDeduct.PensCount() == 1; }},
    {"investment account", addAccount,
     listOf<TfrCB>([](auto& p) { return ShownList{&p, p.lvObjInfo, {p.fbAddObj, p.fbDeleteObj, p.fbEditObj}}; }),
     "Удалить индивидуальный инвестиционный счет «АО \"Брокер\"»?",
     [](const mTDeclaration& d) { return d.InvDeduct.InfoIISCount() == 1; }},
    {"property object", addObject,
     listOf<TfrMultyConstructionDeduct>(
         [](auto& p) { return ShownList{&p, p.lvObjInfo, {p.fbAddObj, p.fbDeleteObj, p.fbEditObj}}; }),
     "Удалить объект «Квартира 77:01:0001001:1234»?",
     [](const mTDeclaration& d) { return d.ConstructionDeduct.ObjectCount() == 1; }},
};

// A way the user deletes the selected row; the questions it asked, answered `answer`.
struct DeletionWay {
    const char* name;
    std::function<QStringList(const ShownList&, QMessageBox::StandardButton answer)> remove;
};

const DeletionWay ways[] = {
    {"the delete button",
     [](const ShownList& shown, QMessageBox::StandardButton answer) {
         MessageAnswers answers(answer);
         userClick(shown.buttons.remove);
         return answers.texts;
     }},
    // Delete in a deduction list is its delete button: the same question, the same answers.
    {"Delete in the list",
     [](const ShownList& shown, QMessageBox::StandardButton answer) {
         return pressInList(shown.list, Qt::Key_Delete, shown.buttons.remove, answer).questions;
     }},
};

} // namespace

TEST(ListDeletionTest, NoKeepsTheDeclarationToTheByteAndYesDeletes)
{
    for (const Case& c : cases) {
        for (const DeletionWay& way : ways) {
            for (const auto answer : {QMessageBox::No, QMessageBox::Yes}) {
                const bool no = answer == QMessageBox::No;
                SCOPED_TRACE(std::string(c.name) + ", " + way.name + (no ? ", Нет" : ", Да"));
                UserEditCounter edits;
                PageWindow window;
                c.fill(*window.declaration);
                const QByteArray saved = fileBytes(*window.declaration);
                const ShownList shown = c.shown(window);
                selectRow(shown.list, 0);

                EXPECT_EQ(way.remove(shown, answer), QStringList{QString::fromUtf8(c.question)});
                if (no) {
                    EXPECT_EQ(edits.userEdits, 0) << "\"Нет\" changes nothing";
                    EXPECT_EQ(shown.list->topLevelItemCount(), 1);
                } else {
                    EXPECT_GT(edits.userEdits, 0);
                    EXPECT_EQ(shown.list->topLevelItemCount(), 0);
                }
                shown.page->SaveData();
                EXPECT_EQ(c.holdsData(*window.declaration), no);
                if (no) {
                    EXPECT_EQ(fileBytes(*window.declaration), saved);
                }
            }
        }
    }
}

TEST(ListDeletionTest, RowButtonsNeedASelectedRow)
{
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PageWindow window;
        c.fill(*window.declaration);
        const ShownList shown = c.shown(window);
        const auto enabled = [&] {
            return std::pair(shown.buttons.remove->isEnabled(), shown.buttons.edit->isEnabled());
        };
        selectRow(shown.list, -1);
        EXPECT_EQ(enabled(), std::pair(false, false)) << "no row selected";
        selectRow(shown.list, 0);
        EXPECT_EQ(enabled(), std::pair(true, true));
        MessageAnswers yes(QMessageBox::Yes);
        userClick(shown.buttons.remove);
        EXPECT_EQ(enabled(), std::pair(false, false)) << "the list is empty";
    }
}

// Every deduction list: its buttons follow it in Tab order, Insert adds, Enter edits, Delete deletes.
TEST(ListKeysTest, EveryDeductionListAnswersItsKeys)
{
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PageWindow window;
        c.fill(*window.declaration);
        const ShownList shown = c.shown(window);
        checkListKeys(window, {shown.list, shown.buttons});
    }
}

#pragma once

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QSignalSpy>
#include <QStringList>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include "controls/FlashButton.h"
#include "controls/ItemList.h"
#include "tests/support/MessageAnswers.h"
#include "tests/support/PageTestSupport.h"
#include "tests/support/TabOrderCheck.h"

// The keyboard of a list and its buttons: Tab from the list walks its buttons, and Insert,
// Delete and Enter in the list are clicks of add, delete and edit, whatever those then do.

// The list a button belongs to: the nearest list before it in the focus chain.
inline QTreeWidget* listBeside(TFlashButton* button)
{
    for (QWidget* w = button->previousInFocusChain(); w && w != button; w = w->previousInFocusChain()) {
        if (auto* list = qobject_cast<QTreeWidget*>(w))
            return list;
    }
    return nullptr;
}

// The names of the widgets Tab gives the focus to, `count` times from `from`.
inline QStringList tabStopsAfter(QWidget* from, int count)
{
    from->setFocus(Qt::TabFocusReason);
    QStringList names;
    for (int i = 0; i < count; ++i) {
        QWidget* focused = QApplication::focusWidget();
        if (!focused)
            break;
        QTest::keyClick(focused, Qt::Key_Tab);
        names << (QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString());
    }
    return names;
}

// What a key in the list did: how often the button fired, the dialog it opened (closed
// unanswered; empty when none), the questions asked (answered `answer`) and the rows after it.
struct KeyOutcome {
    int clicks = 0;
    QString dialog;
    QStringList questions;
    int rows = 0;
};

inline KeyOutcome pressInList(QTreeWidget* list, Qt::Key key, TFlashButton* button,
                              QMessageBox::StandardButton answer = QMessageBox::No)
{
    KeyOutcome outcome;
    QSignalSpy clicks(button, &TFlashButton::clicked);
    MessageAnswers answers(answer);
    {
        ModalAnswer<QDialog> close([&outcome](QDialog& dialog) {
            outcome.dialog = QString::fromLatin1(dialog.metaObject()->className());
            dialog.reject();
        });
        list->setFocus(Qt::OtherFocusReason);
        QTest::keyClick(list, key);
    }
    outcome.clicks = int(clicks.count());
    outcome.questions = answers.texts;
    outcome.rows = list->topLevelItemCount();
    return outcome;
}

// A list shown with its first row selected, and its buttons.
struct ListWithButtons {
    QTreeWidget* list;
    ListCommands buttons;
};

// Checks one list: the buttons follow it in Tab order; Insert is the add button and opens its
// dialog or adds a row; Enter is the edit button and opens its dialog; Delete is the delete
// button and asks, "Нет" keeping the row; with no row selected Enter and Delete do nothing.
inline void checkListKeys(PageWindow& window, const ListWithButtons& shown)
{
    ASSERT_TRUE(showActive(window.window));
    QTreeWidget* list = shown.list;
    const ListCommands& b = shown.buttons;
    ASSERT_GT(list->topLevelItemCount(), 0);
    selectRow(list, 0);

    QStringList expectedStops;
    for (TFlashButton* button : {b.add, b.remove, b.edit, b.copy}) {
        if (button)
            expectedStops << button->objectName();
    }
    EXPECT_EQ(tabStopsAfter(list, int(expectedStops.size())).join(u' ').toStdString(),
              expectedStops.join(u' ').toStdString())
        << "the buttons follow their list";

    const int rows = list->topLevelItemCount();
    const KeyOutcome removed = pressInList(list, Qt::Key_Delete, b.remove, QMessageBox::No);
    EXPECT_EQ(removed.clicks, 1) << "Delete";
    EXPECT_EQ(removed.questions.size(), 1) << "Delete asks as the button does";
    EXPECT_EQ(removed.rows, rows) << "\"Нет\" keeps the row";

    if (b.edit) {
        selectRow(list, 0);
        const KeyOutcome edited = pressInList(list, Qt::Key_Return, b.edit);
        EXPECT_EQ(edited.clicks, 1) << "Enter";
        EXPECT_FALSE(edited.dialog.isEmpty()) << "Enter opens the row's dialog";
    }

    selectRow(list, 0);
    const KeyOutcome added = pressInList(list, Qt::Key_Insert, b.add);
    EXPECT_EQ(added.clicks, 1) << "Insert";
    EXPECT_TRUE(!added.dialog.isEmpty() || added.rows == rows + 1) << "Insert opens the add dialog or adds a row";

    selectRow(list, -1);
    for (const auto& [key, button] : {std::pair{Qt::Key_Delete, b.remove}, std::pair{Qt::Key_Return, b.edit}}) {
        if (!button)
            continue;
        const KeyOutcome nothing = pressInList(list, key, button);
        EXPECT_EQ(nothing.clicks, 0) << "no row, no command";
        EXPECT_TRUE(nothing.dialog.isEmpty());
        EXPECT_TRUE(nothing.questions.isEmpty());
    }
}

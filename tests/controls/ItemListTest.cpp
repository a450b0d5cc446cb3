#include <functional>

#include <QApplication>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QTest>
#include <QTreeWidget>
#include <QWidget>

#include <gtest/gtest.h>

#include "controls/FlashButton.h"
#include "controls/ItemList.h"

// A list bound to its buttons: Insert, Delete and Enter in the list are clicks of add, delete
// and edit, and the buttons are the Tab stops right after the list whatever order they were made in.

namespace {

// A list with two rows between two edits, its buttons made before it, each counting its clicks.
struct BoundList {
    explicit BoundList(bool withEdit = true)
    {
        auto* layout = new QHBoxLayout(&window);
        before = new QLineEdit(&window);
        before->setObjectName(QStringLiteral("before"));
        layout->addWidget(before);
        add = createItemButton(&window, QStringLiteral("add"), ItemAction::Add, QStringLiteral("Добавить"));
        remove = createItemButton(&window, QStringLiteral("remove"), ItemAction::Delete, QStringLiteral("Удалить"));
        if (withEdit)
            edit = createItemButton(&window, QStringLiteral("edit"), ItemAction::Edit, QStringLiteral("Изменить"));
        copy = createItemButton(&window, QStringLiteral("copy"), ItemAction::Copy, QStringLiteral("Копировать"));
        list = createItemList(&window, QStringLiteral("list"), QStringLiteral("Строки"), 200);
        new QTreeWidgetItem(list, {QStringLiteral("первая")});
        new QTreeWidgetItem(list, {QStringLiteral("вторая")});
        after = new QLineEdit(&window);
        after->setObjectName(QStringLiteral("after"));
        for (QWidget* w : std::initializer_list<QWidget*>{add, remove, edit, copy, list, after}) {
            if (w)
                layout->addWidget(w);
        }
        for (TFlashButton* button : {add, remove, edit, copy}) {
            if (button)
                QObject::connect(button, &TFlashButton::clicked, [this, button] { clicked << button->objectName(); });
        }
        onItemOpened(list, [this] { clicked << QStringLiteral("opened"); });
        bindListCommands(list, {add, remove, edit, copy});
        selectRow(list, 0);
        window.show();
        window.activateWindow();
    }

    QWidget window;
    QLineEdit* before;
    TFlashButton* add;
    TFlashButton* remove;
    TFlashButton* edit = nullptr;
    TFlashButton* copy;
    QTreeWidget* list;
    QLineEdit* after;
    QStringList clicked;
};

} // namespace

TEST(ItemListTest, KeysInTheListClickItsButtons)
{
    struct Case {
        const char* name;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        bool withEdit;
        QStringList clicked;
    };
    const Case cases[] = {
        {"Insert adds", Qt::Key_Insert, Qt::NoModifier, true, {"add"}},
        {"Delete deletes", Qt::Key_Delete, Qt::NoModifier, true, {"remove"}},
        {"Enter edits", Qt::Key_Return, Qt::NoModifier, true, {"edit"}},
        {"keypad Enter edits", Qt::Key_Enter, Qt::KeypadModifier, true, {"edit"}},
        {"Enter opens the row without an edit button", Qt::Key_Return, Qt::NoModifier, false, {"opened"}},
        {"Ctrl+Delete is not the command", Qt::Key_Delete, Qt::ControlModifier, true, {}},
        {"Shift+Insert is not the command", Qt::Key_Insert, Qt::ShiftModifier, true, {}},
        {"a letter is not a command", Qt::Key_A, Qt::NoModifier, true, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        BoundList bound(c.withEdit);
        bound.list->setFocus();
        QTest::keyClick(bound.list, c.key, c.modifiers);
        EXPECT_EQ(bound.clicked, c.clicked);
    }
}

TEST(ItemListTest, ADisabledOrHiddenButtonIsNotClickedByItsKey)
{
    struct Case {
        const char* name;
        Qt::Key key;
        std::function<TFlashButton*(BoundList&)> button;
    };
    const Case cases[] = {
        {"Insert", Qt::Key_Insert, [](BoundList& b) { return b.add; }},
        {"Delete", Qt::Key_Delete, [](BoundList& b) { return b.remove; }},
        {"Enter", Qt::Key_Return, [](BoundList& b) { return b.edit; }},
    };
    for (const Case& c : cases) {
        for (const bool hide : {false, true}) {
            SCOPED_TRACE(std::string(c.name) + (hide ? ", hidden" : ", disabled"));
            BoundList bound;
            TFlashButton* button = c.button(bound);
            if (hide)
                button->hide();
            else
                button->setEnabled(false);
            bound.list->setFocus();
            QTest::keyClick(bound.list, c.key);
            EXPECT_TRUE(bound.clicked.isEmpty()) << "Enter does not fall back to opening the row either";
        }
    }
}

TEST(ItemListTest, AHeldKeyClicksOnce)
{
    BoundList bound;
    bound.list->setFocus();
    QTest::keyPress(bound.list, Qt::Key_Delete);
    QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier, QString(), true);
    QApplication::sendEvent(bound.list, &repeat);
    QTest::keyRelease(bound.list, Qt::Key_Delete);
    EXPECT_EQ(bound.clicked, QStringList{QStringLiteral("remove")});
}

TEST(ItemListTest, TheButtonsAreTheTabStopsAfterTheList)
{
    BoundList bound;
    ASSERT_TRUE(QTest::qWaitForWindowActive(&bound.window));
    bound.before->setFocus();
    QStringList stops;
    for (int i = 0; i < 6; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        stops << QApplication::focusWidget()->objectName();
    }
    EXPECT_EQ(stops, (QStringList{"list", "add", "remove", "edit", "copy", "after"}));
}

#pragma once

#include <functional>
#include <vector>

#include <QList>
#include <QString>

class QTreeWidget;
class QWidget;
class TFlashButton;

// The lists of the pages: one column of rows, each row an item of the declaration,
// beside the flat buttons that add, delete, edit and copy items.

// A read-only list of whole rows under a one-column heading.
QTreeWidget* createItemList(QWidget* parent, const QString& objectName, const QString& heading, int columnWidth);

// The row that is selected; -1 when none is.
int selectedRow(const QTreeWidget* list);
// Selects the row and makes it current; -1 selects none.
void selectRow(QTreeWidget* list, int row);

// `open` runs on a double click on a row, and on Enter in the list unless the list has an edit
// button bound by bindListCommands.
void onItemOpened(QTreeWidget* list, std::function<void()> open);

// The command buttons beside a list; a list without one of them leaves it null.
struct ListCommands {
    TFlashButton* add = nullptr;
    TFlashButton* remove = nullptr;
    TFlashButton* edit = nullptr;
    TFlashButton* copy = nullptr;
};

// Makes the list's buttons the Tab stops right after it (add, delete, edit, copy), and the keys
// Insert, Delete and Enter in the list click add, delete and edit: what the keys do is exactly
// what the buttons do, questions included, and nothing while the button is disabled or hidden.
void bindListCommands(QTreeWidget* list, const ListCommands& commands);

// The buttons bindListCommands made the list's Tab stops, in their Tab order.
QList<QWidget*> listCommandButtons(QTreeWidget* list);

// Keeps the buttons that act on the selected row (delete, edit, copy) of a list made by
// createItemList enabled only while the list is enabled, a row of it is selected and `allowed`,
// when given, lets the page act on rows. The page then leaves their enabling to this; it calls
// the function returned where `allowed` may have changed.
std::function<void()> enableWithSelectedRow(QTreeWidget* list, std::vector<QWidget*> buttons,
                                            std::function<bool()> allowed = {});

// A list page's first focus: the list, its first row selected when it has rows and none is.
void focusList(QTreeWidget* list);

enum class ItemAction { Add, Delete, Edit, Copy };

// A flat button with the action's glyph and `hint` as its tool tip.
TFlashButton* createItemButton(QWidget* parent, const QString& objectName, ItemAction action, const QString& hint);

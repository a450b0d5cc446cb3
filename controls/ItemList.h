#pragma once

#include <functional>

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

// `open` runs on a double click on a row and on Enter in the list.
void onItemOpened(QTreeWidget* list, std::function<void()> open);

enum class ItemAction { Add, Delete, Edit, Copy };

// A flat button with the action's glyph and `hint` as its tool tip.
TFlashButton* createItemButton(QWidget* parent, const QString& objectName, ItemAction action, const QString& hint);

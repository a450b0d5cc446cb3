#pragma once

#include <QList>

class QWidget;

// Keeps Tab walking the controls inside `area` as they stand on the screen: row by row from the
// top, left to right within a row, whatever order they were made in and however the layout
// arranges them for the window's width (a layout that puts pairs side by side in a wide window
// stacks them in a narrow one). Controls whose heights overlap the first of a row make that row.
// A list's command buttons come right after the list, wherever they stand. The first of them
// keeps its place in the window's Tab order; the rest follow it.
void keepTabInVisualOrder(QWidget* area);

// The controls inside `area` that take the focus, in the order keepTabInVisualOrder gives them.
QList<QWidget*> visualFocusOrder(QWidget* area);

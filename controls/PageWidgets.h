#pragma once

#include <initializer_list>

#include "controls/MaskedEdit.h"

class QCheckBox;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QPushButton;
class QRadioButton;
class QString;
class QTreeWidget;
class QVBoxLayout;
class QWidget;
class TFlashButton;

// The controls pages and their dialogs are built of, each named for lookup.

QLabel* createLabel(QWidget* parent, const char* name, const QString& caption);
// Wide enough for `characters` digits and an edit's frame, in the field's font.
int fieldWidth(const QWidget* field, int characters);
void enableAll(std::initializer_list<QWidget*> widgets, bool enabled);
TMaskedEdit* createEdit(QWidget* parent, const char* name, TEditTypeControlEnum type, int wholeLength);
// Roubles and kopecks, up to 12 whole digits; without a width, as wide as the largest sum.
TMaskedEdit* createMoneyEdit(QWidget* parent, const char* name, int width = 0);
// Money in whole roubles, up to `digits` of them, as the exchange file holds taxes paid; as wide
// as they are with zero kopecks typed after them.
TMaskedEdit* createWholeRoublesEdit(QWidget* parent, const char* name, int digits);
QRadioButton* createRadio(QWidget* parent, const char* name, const QString& caption);
QCheckBox* createCheckBox(QWidget* parent, const char* name, const QString& caption);
QGroupBox* createGroupBox(QWidget* parent, const char* name, const QString& caption);

// "..." beside a code's edit: opens the directory the code is chosen from. Enter never clicks it.
QPushButton* createChooserButton(QWidget* parent, const char* name, const QString& hint);

// The buttons of a list, one above the other.
QVBoxLayout* buttonColumn(std::initializer_list<TFlashButton*> buttons);
// Lets a list made by createItemList narrow with a small window down to `minimumWidth`, its one
// column filling it and never wider.
void letListNarrow(QTreeWidget* list, int minimumWidth);

// "Да", "Нет" and the like at the foot of a dialog, all of one width.
QPushButton* createDialogButton(QWidget* parent, const char* name, const QString& caption);
// A dialog's buttons in a row at its right.
QHBoxLayout* dialogButtonRow(std::initializer_list<QPushButton*> buttons);

#pragma once

#include <initializer_list>

#include "controls/MaskedEdit.h"

class QLabel;
class QString;
class QVBoxLayout;
class QWidget;
class TFlashButton;

// The controls pages and their dialogs are built of, each named for lookup.

QLabel* createLabel(QWidget* parent, const char* name, const QString& caption);
TMaskedEdit* createEdit(QWidget* parent, const char* name, TEditTypeControlEnum type, int wholeLength);
// Roubles and kopecks, up to 12 whole digits.
TMaskedEdit* createMoneyEdit(QWidget* parent, const char* name, int width);

// The buttons of a list, one above the other.
QVBoxLayout* buttonColumn(std::initializer_list<TFlashButton*> buttons);

#include "controls/PageWidgets.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "controls/FlashButton.h"

namespace {

constexpr int ChooserButtonWidth = 30;
constexpr int DialogButtonWidth = 90;

template <typename Control>
Control* createNamed(QWidget* parent, const char* name, const QString& caption)
{
    auto* control = new Control(caption, parent);
    control->setObjectName(QLatin1String(name));
    return control;
}

} // namespace

QLabel* createLabel(QWidget* parent, const char* name, const QString& caption)
{
    return createNamed<QLabel>(parent, name, caption);
}

int fieldWidth(const QWidget* field, int characters)
{
    return field->fontMetrics().horizontalAdvance(QString(characters, u'0')) + 12;
}

void enableAll(std::initializer_list<QWidget*> widgets, bool enabled)
{
    for (QWidget* widget : widgets)
        widget->setEnabled(enabled);
}

TMaskedEdit* createEdit(QWidget* parent, const char* name, TEditTypeControlEnum type, int wholeLength)
{
    auto* edit = new TMaskedEdit(parent);
    edit->setObjectName(QLatin1String(name));
    edit->setEditType(type);
    edit->setWholeLength(wholeLength);
    return edit;
}

TMaskedEdit* createMoneyEdit(QWidget* parent, const char* name, int width)
{
    constexpr int WholeDigits = 12;
    constexpr int FractionDigits = 2;
    TMaskedEdit* edit = createEdit(parent, name, edtCurrency, WholeDigits);
    edit->setFractionalLength(FractionDigits);
    // The digits, the comma and room for the caret.
    edit->setFixedWidth(width != 0 ? width : fieldWidth(edit, WholeDigits + FractionDigits + 2));
    return edit;
}

TMaskedEdit* createWholeRoublesEdit(QWidget* parent, const char* name, int digits)
{
    TMaskedEdit* edit = createEdit(parent, name, edtWholeRoubles, digits);
    edit->setFixedWidth(fieldWidth(edit, digits + 3));
    return edit;
}

QRadioButton* createRadio(QWidget* parent, const char* name, const QString& caption)
{
    return createNamed<QRadioButton>(parent, name, caption);
}

QCheckBox* createCheckBox(QWidget* parent, const char* name, const QString& caption)
{
    return createNamed<QCheckBox>(parent, name, caption);
}

QGroupBox* createGroupBox(QWidget* parent, const char* name, const QString& caption)
{
    return createNamed<QGroupBox>(parent, name, caption);
}

QPushButton* createChooserButton(QWidget* parent, const char* name, const QString& hint)
{
    auto* button = createNamed<QPushButton>(parent, name, QStringLiteral("..."));
    button->setToolTip(hint);
    button->setFixedWidth(ChooserButtonWidth);
    button->setAutoDefault(false);
    return button;
}

QVBoxLayout* buttonColumn(std::initializer_list<TFlashButton*> buttons)
{
    auto* column = new QVBoxLayout;
    for (TFlashButton* button : buttons)
        column->addWidget(button);
    column->addStretch();
    return column;
}

void letListNarrow(QTreeWidget* list, int minimumWidth)
{
    list->setMinimumWidth(minimumWidth);
    // A stretched last section keeps its first width as its least.
    list->header()->setStretchLastSection(false);
    list->header()->setSectionResizeMode(0, QHeaderView::Stretch);
}

QPushButton* createDialogButton(QWidget* parent, const char* name, const QString& caption)
{
    auto* button = createNamed<QPushButton>(parent, name, caption);
    button->setFixedWidth(DialogButtonWidth);
    return button;
}

QHBoxLayout* dialogButtonRow(std::initializer_list<QPushButton*> buttons)
{
    auto* row = new QHBoxLayout;
    row->addStretch();
    for (QPushButton* button : buttons)
        row->addWidget(button);
    return row;
}

#include "controls/PageWidgets.h"

#include <QLabel>
#include <QVBoxLayout>

#include "controls/FlashButton.h"

QLabel* createLabel(QWidget* parent, const char* name, const QString& caption)
{
    auto* label = new QLabel(caption, parent);
    label->setObjectName(QLatin1String(name));
    return label;
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
    TMaskedEdit* edit = createEdit(parent, name, edtCurrency, 12);
    edit->setFractionalLength(2);
    edit->setFixedWidth(width);
    return edit;
}

QVBoxLayout* buttonColumn(std::initializer_list<TFlashButton*> buttons)
{
    auto* column = new QVBoxLayout;
    for (TFlashButton* button : buttons)
        column->addWidget(button);
    column->addStretch();
    return column;
}

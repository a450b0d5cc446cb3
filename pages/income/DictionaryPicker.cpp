#include "pages/income/DictionaryPicker.h"

#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>

#include "controls/CodeList.h"
#include "controls/PageWidgets.h"

namespace {

constexpr int CodeColumnWidth = 60;
constexpr int NameColumn = 1;

} // namespace

TDictionaryPicker::TDictionaryPicker(QWidget* owner, const char* name, const char* listName,
                                     const QString& nameHeading)
    : QDialog(owner),
      list(createCodeList(this, listName, nameHeading, CodeColumnWidth)),
      Label1(createLabel(this, "Label1", QString())),
      bnYes(createDialogButton(this, "bnYes", QStringLiteral("Да"))),
      bnCansel(createDialogButton(this, "bnCansel", QStringLiteral("Нет")))
{
    setObjectName(QLatin1String(name));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    Label1->setWordWrap(true);
    bnYes->setDefault(true);

    connect(list, &QTreeWidget::currentItemChanged, this, &TDictionaryPicker::currentRowChanged);
    connect(list, &QTreeWidget::itemDoubleClicked, this, [this] { done(Chosen); });
    connect(bnYes, &QPushButton::clicked, this, [this] { done(Chosen); });
    connect(bnCansel, &QPushButton::clicked, this, [this] { done(Cancelled); });
}

void TDictionaryPicker::reject()
{
    done(Cancelled);
}

void TDictionaryPicker::addRow(const QString& code, const QString& name, int data)
{
    auto* row = new QTreeWidgetItem(list, QStringList{code, name});
    row->setData(0, Qt::UserRole, data);
    // Names are long; the row's hint shows one whole.
    row->setToolTip(NameColumn, name);
}

void TDictionaryPicker::preselectRow(int rowIndex)
{
    if (list->topLevelItemCount() == 0)
        return;
    QTreeWidgetItem* row = list->topLevelItem(rowIndex);
    list->setCurrentItem(row);
    list->scrollToItem(row, QAbstractItemView::PositionAtCenter);
    list->setFocus();
}

void TDictionaryPicker::setRestingHint(const QString& text)
{
    restingHint_ = text;
    restoreRestingHint();
}

void TDictionaryPicker::restoreRestingHint()
{
    Label1->setText(restingHint_);
}

void TDictionaryPicker::currentRowChanged(QTreeWidgetItem* row)
{
    if (!row)
        return;
    rowChosen(row->data(0, Qt::UserRole).toInt());
    setRestingHint(row->text(0) + QStringLiteral("   ") + row->text(NameColumn));
}

#include "pages/income/DictionaryPicker.h"

#include <algorithm>

#include <QApplication>
#include <QKeyEvent>
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

    // The list's own keyboard search looks in the column of the current cell, which a click on
    // a name makes the names; codes are searched here.
    list->installEventFilter(this);
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
    list->setCurrentItem(list->topLevelItem(rowIndex));
    showCurrentRow();
    list->setFocus();
}

void TDictionaryPicker::showCurrentRow()
{
    if (QTreeWidgetItem* row = list->currentItem())
        list->scrollToItem(row, QAbstractItemView::PositionAtCenter);
}

void TDictionaryPicker::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // The row was preselected before the list had its final size: centred again in that size.
    showCurrentRow();
}

bool TDictionaryPicker::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == list && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<const QKeyEvent*>(event);
        const QString typed = key->text();
        const bool printable = !typed.trimmed().isEmpty()
                               && std::all_of(typed.begin(), typed.end(), [](QChar c) { return c.isPrint(); });
        if (printable && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) {
            searchTypedCode(typed);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TDictionaryPicker::searchTypedCode(const QString& typed)
{
    if (!lastTyped_.isValid() || lastTyped_.elapsed() > QApplication::keyboardInputInterval())
        typedCode_.clear();
    lastTyped_.start();
    typedCode_ += typed;
    QTreeWidgetItem* row = firstRowWithCodeStarting(typedCode_);
    if (!row) {
        // A key that leads nowhere from what was typed starts a search of its own.
        typedCode_ = typed;
        row = firstRowWithCodeStarting(typedCode_);
    }
    if (!row)
        return;
    list->setCurrentItem(row);
    showCurrentRow();
}

QTreeWidgetItem* TDictionaryPicker::firstRowWithCodeStarting(const QString& beginning) const
{
    for (int index = 0; index < list->topLevelItemCount(); ++index) {
        if (list->topLevelItem(index)->text(0).startsWith(beginning))
            return list->topLevelItem(index);
    }
    return nullptr;
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

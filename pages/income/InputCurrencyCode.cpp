#include "pages/income/InputCurrencyCode.h"

#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "controls/CodeList.h"
#include "controls/PageWidgets.h"
#include "controls/ReferenceDocument.h"

namespace {

constexpr int CodeColumn = 0;
constexpr int NameColumn = 1;
constexpr int CodeColumnWidth = 60;
constexpr int NameColumnWidth = 570;
constexpr QSize InitialSize(680, 460);

} // namespace

TfmInputCurrencyCode::TfmInputCurrencyCode(QWidget* owner, const QString& code, const ReferenceElement& ratesRoot)
    : QDialog(owner),
      lvCurrencys(createCodeList(this, "lvCurrencys", QStringLiteral("Наименование валюты"), CodeColumnWidth)),
      bnYes(createDialogButton(this, "bnYes", QStringLiteral("Да"))),
      bnCansel(createDialogButton(this, "bnCansel", QStringLiteral("Нет"))),
      code_(code.isEmpty() ? QStringLiteral("0") : code)
{
    setObjectName(QStringLiteral("TfmInputCurrencyCode"));
    setWindowTitle(QStringLiteral("Справочник валют"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    resize(InitialSize);
    lvCurrencys->setColumnWidth(NameColumn, NameColumnWidth);
    bnYes->setDefault(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lvCurrencys, 1);
    layout->addLayout(dialogButtonRow({bnYes, bnCansel}));

    connect(lvCurrencys, &QTreeWidget::currentItemChanged, this, &TfmInputCurrencyCode::rowSelected);
    connect(lvCurrencys, &QTreeWidget::itemDoubleClicked, this, [this] { done(Chosen); });
    connect(bnYes, &QPushButton::clicked, this, [this] { done(Chosen); });
    connect(bnCansel, &QPushButton::clicked, this, [this] { done(Cancelled); });

    QList<QTreeWidgetItem*> rows;
    rows.reserve(qsizetype(ratesRoot.children.size()));
    QTreeWidgetItem* preset = nullptr;
    for (const ReferenceElement& currency : ratesRoot.children) {
        auto* row = new QTreeWidgetItem(QStringList{currency.attribute(u"Code"), currency.attribute(u"Name")});
        if (row->text(CodeColumn) == code_)
            preset = row;
        rows.append(row);
    }
    if (rows.isEmpty())
        return;
    lvCurrencys->addTopLevelItems(rows);
    if (!preset)
        preset = rows.front();
    lvCurrencys->setCurrentItem(preset);
    lvCurrencys->scrollToItem(preset, QAbstractItemView::PositionAtCenter);
    lvCurrencys->setFocus();
}

void TfmInputCurrencyCode::reject()
{
    done(Cancelled);
}

void TfmInputCurrencyCode::rowSelected(QTreeWidgetItem* row)
{
    if (!row)
        return;
    code_ = row->text(CodeColumn);
    name_ = row->text(NameColumn);
}

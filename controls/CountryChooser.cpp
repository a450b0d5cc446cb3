#include "controls/CountryChooser.h"

#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "controls/CodeList.h"
#include "controls/PageWidgets.h"
#include "controls/ReferenceDocument.h"

namespace {

constexpr int CodeColumn = 0;
constexpr int NameColumn = 1;
constexpr QSize InitialSize(600, 460);
constexpr int CodeColumnWidth = 60;

} // namespace

TfmGrazhd::TfmGrazhd(QWidget* owner, const ReferenceElement& countriesRoot)
    : QDialog(owner),
      lvGrazhd(createCodeList(this, "lvGrazhd", QStringLiteral("Наименование государства"), CodeColumnWidth)),
      bnYes(createDialogButton(this, "bnYes", QStringLiteral("Да"))),
      bnCansel(createDialogButton(this, "bnCansel", QStringLiteral("Нет")))
{
    setObjectName(QStringLiteral("TfmGrazhd"));
    setWindowTitle(QStringLiteral("Справочник стран"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    resize(InitialSize);

    QList<QTreeWidgetItem*> rows;
    rows.reserve(qsizetype(countriesRoot.children.size()));
    for (const ReferenceElement& country : countriesRoot.children)
        rows.append(new QTreeWidgetItem(QStringList{country.attribute(u"Code"), country.text}));
    lvGrazhd->addTopLevelItems(rows);

    bnYes->setDefault(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lvGrazhd, 1);
    layout->addLayout(dialogButtonRow({bnYes, bnCansel}));

    connect(lvGrazhd, &QTreeWidget::currentItemChanged, this, &TfmGrazhd::rowSelected);
    connect(lvGrazhd, &QTreeWidget::itemDoubleClicked, this, [this] { done(Chosen); });
    connect(bnYes, &QPushButton::clicked, this, [this] { done(Chosen); });
    connect(bnCansel, &QPushButton::clicked, this, [this] { done(Cancelled); });
}

void TfmGrazhd::SelectByCode(const QString& code)
{
    code_ = code;
    const QList<QTreeWidgetItem*> matches = lvGrazhd->findItems(code, Qt::MatchExactly | Qt::MatchCaseSensitive,
                                                                CodeColumn);
    if (matches.isEmpty()) {
        lvGrazhd->setCurrentItem(nullptr);
        lvGrazhd->clearSelection();
        return;
    }
    // findItems keeps the list's order: the first is the first row with the code.
    QTreeWidgetItem* row = matches.front();
    lvGrazhd->setCurrentItem(row);
    lvGrazhd->scrollToItem(row, QAbstractItemView::PositionAtCenter);
}

void TfmGrazhd::SetMode(std::uint16_t mode)
{
    mode_ = mode;
}

void TfmGrazhd::reject()
{
    done(Cancelled);
}

void TfmGrazhd::showEvent(QShowEvent* event)
{
    if (code_.isEmpty()) {
        lvGrazhd->setCurrentItem(nullptr);
        lvGrazhd->clearSelection();
    }
    showSpecialRowForMode();
    QDialog::showEvent(event);
    lvGrazhd->setFocus();
    if (QTreeWidgetItem* row = lvGrazhd->currentItem())
        lvGrazhd->scrollToItem(row, QAbstractItemView::PositionAtCenter);
}

void TfmGrazhd::rowSelected(QTreeWidgetItem* row)
{
    if (!row)
        return;
    code_ = row->text(CodeColumn);
    name_ = row->text(NameColumn);
}

void TfmGrazhd::showSpecialRowForMode()
{
    QString shown;
    switch (mode_) {
    case NoCitizenship:
        shown = QStringLiteral("ДЛЯ ЛИЦ БЕЗ ГРАЖДАНСТВА");
        break;
    case NotUsed:
        shown = QStringLiteral("НЕ ИСПОЛЬЗУЕТСЯ");
        break;
    case CashOrInKindPayment:
        shown = QStringLiteral("ВЫПЛАТА ОСУЩЕСТВЛЯЛАСЬ В НАЛИЧНОЙ ИЛИ НАТУРАЛЬНОЙ ФОРМЕ");
        break;
    default:
        return;
    }
    const int rowCount = lvGrazhd->topLevelItemCount();
    if (rowCount == 0)
        return;
    QTreeWidgetItem* specialRow = lvGrazhd->topLevelItem(rowCount - 1);
    specialRow->setText(NameColumn, shown);
    // A row preset before the picker was shown answers with the name it shows now.
    if (lvGrazhd->currentItem() == specialRow)
        name_ = shown;
}

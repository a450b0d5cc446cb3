#include "pages/income/DocTypeDialog.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "controls/CodeList.h"
#include "controls/PageWidgets.h"
#include "model/Declaration.h"

namespace {

constexpr int CodeColumn = 0;
constexpr int NameColumn = 1;
constexpr int CodeColumnWidth = 50;

QString fromModel(std::string_view text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

// The row code's text: two digits, as the list shows it.
QString codeText(std::uint16_t code)
{
    return QStringLiteral("%1").arg(code, 2, 10, QLatin1Char('0'));
}

} // namespace

TfmDocType::TfmDocType(QWidget* owner, std::uint16_t code)
    : QDialog(owner),
      lvDocType(createCodeList(this, "lvDocType", QStringLiteral("Наименование документа"), CodeColumnWidth)),
      bnYes(createDialogButton(this, "bnYes", QStringLiteral("Да"))),
      bnCansel(createDialogButton(this, "bnCansel", QStringLiteral("Нет")))
{
    setObjectName(QStringLiteral("TfmDocType"));
    setWindowTitle(QStringLiteral("Справочник видов документов"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    lvDocType->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    for (const IdentityDocumentKind& kind : IdentityDocumentKinds)
        new QTreeWidgetItem(lvDocType, {fromModel(kind.code), fromModel(kind.name)});
    // Every row shown, and wide enough that the longest name is read whole.
    lvDocType->resizeColumnToContents(NameColumn);
    const int frame = 2 * lvDocType->frameWidth();
    const int listWidth = CodeColumnWidth + lvDocType->columnWidth(NameColumn) + frame
                          + lvDocType->verticalScrollBar()->sizeHint().width();
    const int listHeight = lvDocType->header()->sizeHint().height()
                           + lvDocType->topLevelItemCount() * lvDocType->sizeHintForRow(0) + frame;
    lvDocType->setMinimumSize(listWidth, listHeight);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lvDocType, 1);
    layout->addLayout(dialogButtonRow({bnYes, bnCansel}));

    connect(lvDocType, &QTreeWidget::itemSelectionChanged, this, &TfmDocType::selectionChanged);
    connect(lvDocType, &QTreeWidget::itemDoubleClicked, this, &TfmDocType::choose);
    connect(bnYes, &QPushButton::clicked, this, &TfmDocType::choose);
    connect(bnCansel, &QPushButton::clicked, this, &TfmDocType::reject);

    const QList<QTreeWidgetItem*> rows =
        lvDocType->findItems(codeText(code), Qt::MatchExactly | Qt::MatchCaseSensitive, CodeColumn);
    if (!rows.isEmpty())
        lvDocType->setCurrentItem(rows.front());
    selectionChanged();
}

bool TfmDocType::hasChoice() const
{
    const QTreeWidgetItem* row = lvDocType->currentItem();
    return row && row->isSelected();
}

std::uint16_t TfmDocType::chosenCode() const
{
    return hasChoice() ? std::uint16_t(lvDocType->currentItem()->text(CodeColumn).toUShort()) : 0;
}

QString TfmDocType::chosenName() const
{
    return hasChoice() ? lvDocType->currentItem()->text(NameColumn) : QString();
}

void TfmDocType::reject()
{
    done(Cancelled);
}

void TfmDocType::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        choose();
        event->accept();
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}

void TfmDocType::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    lvDocType->setFocus();
    if (QTreeWidgetItem* row = lvDocType->currentItem())
        lvDocType->scrollToItem(row, QAbstractItemView::PositionAtCenter);
}

void TfmDocType::choose()
{
    if (hasChoice())
        done(Chosen);
}

void TfmDocType::selectionChanged()
{
    bnYes->setEnabled(hasChoice());
}

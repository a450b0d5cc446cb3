#include "pages/income/FormOkved.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "controls/PageWidgets.h"
#include "controls/ReferenceDocument.h"

namespace {

constexpr int ListWidth = 393;
constexpr int ClientWidth = 427;
// The first item of every list: no entry of that level chosen.
const QString NoEntry = QStringLiteral("нет");
// Each item keeps the position of its entry among the directory's entries, so that entries of
// the same name stay apart.
constexpr int EntryRole = Qt::UserRole;

} // namespace

TFormOKVED::TFormOKVED(QWidget* owner, const ReferenceElement& root)
    : QDialog(owner), root_(root)
{
    setObjectName(QStringLiteral("TFormOKVED"));
    setWindowTitle(QStringLiteral("Код по ОКВЭД"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    auto* layout = new QVBoxLayout(this);
    const int margin = (ClientWidth - ListWidth) / 2;
    layout->setContentsMargins(margin, 12, margin, 12);
    // Made top to bottom, as Tab walks them: the dialog opens on the sections' list.
    for (int level = 1; level <= LevelCount; ++level) {
        auto* list = new QComboBox(this);
        list->setObjectName(QStringLiteral("ComboBox%1").arg(level));
        list->setFixedWidth(ListWidth);
        list->addItem(NoEntry, -1);
        // Names are long; the open list shows them whole.
        list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        list->view()->setTextElideMode(Qt::ElideNone);
        levelLists[std::size_t(level - 1)] = list;
        layout->addWidget(list);
        connect(list, &QComboBox::activated, this, [this, level](int index) { levelChosen(level, index); });
    }
    edOKV = new QLineEdit(this);
    edOKV->setObjectName(QStringLiteral("edOKV"));
    edOKV->setEnabled(false);
    edOKV->setFixedWidth(ListWidth);
    layout->addWidget(edOKV);
    bnYes = createDialogButton(this, "bnYes", QStringLiteral("Да"));
    bnCansel = createDialogButton(this, "bnCansel", QStringLiteral("Нет"));
    bnYes->setDefault(true);
    layout->addLayout(dialogButtonRow({bnYes, bnCansel}));

    connect(bnYes, &QPushButton::clicked, this, [this] { done(Chosen); });
    connect(bnCansel, &QPushButton::clicked, this, [this] { done(Cancelled); });

    for (int i = 0; i < int(root_.children.size()); ++i) {
        if (root_.children[std::size_t(i)].attribute(u"GRUP") == u"1")
            addEntry(levelLists[0], i);
    }
}

void TFormOKVED::reject()
{
    done(Cancelled);
}

void TFormOKVED::addEntry(QComboBox* list, int entryIndex)
{
    list->addItem(root_.children[std::size_t(entryIndex)].attribute(u"Name"), entryIndex);
}

void TFormOKVED::clearLowerLevels(int level)
{
    for (int lower = level + 1; lower <= LevelCount; ++lower) {
        QComboBox* list = levelLists[std::size_t(lower - 1)];
        list->clear();
        list->addItem(NoEntry, -1);
        list->setCurrentIndex(0);
    }
}

void TFormOKVED::levelChosen(int level, int itemIndex)
{
    QComboBox* list = levelLists[std::size_t(level - 1)];
    const int entryIndex = list->itemData(itemIndex, EntryRole).toInt();
    if (itemIndex <= 0 || entryIndex < 0) {
        if (list->count() > 1)
            clearLowerLevels(level);
        return;
    }
    const ReferenceElement& entry = root_.children[std::size_t(entryIndex)];
    const QString code = entry.attribute(u"OKVED");
    if (!code.isEmpty())
        edOKV->setText(code);
    clearLowerLevels(level);

    // Everything below the entry, not only its children: a user may skip a level.
    const QString key = entry.attribute(u"Kod");
    for (int lower = level + 1; lower <= LevelCount; ++lower) {
        const QString lowerLevel = QString::number(lower);
        for (int i = 0; i < int(root_.children.size()); ++i) {
            const ReferenceElement& candidate = root_.children[std::size_t(i)];
            if (candidate.attribute(u"GRUP") == lowerLevel && candidate.attribute(u"Kod").startsWith(key))
                addEntry(levelLists[std::size_t(lower - 1)], i);
        }
    }
}

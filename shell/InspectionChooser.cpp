#include "shell/InspectionChooser.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "controls/ProgramContext.h"
#include "controls/ReferenceDocument.h"
#include "shell/InspectionDirectory.h"
#include "shell/SounImport.h"

namespace {

constexpr QSize ClientSize(662, 282);
constexpr int ListHeight = 177;
constexpr int CodeColumnWidth = 60;
constexpr int NameColumnWidth = 570;
constexpr QSize PictureSize(70, 70);
// Typing a code with nothing chosen starts from the first office of the first region.
const QString FirstOffice = QStringLiteral("0101");
const QString SearchHint =
    QStringLiteral("Подсказка: Для быстрого поиска нужной инспекции наберите ее номер на клавиатуре.");

bool isEnter(const QKeyEvent* key)
{
    return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
}

} // namespace

TfmInputInspectionNumber::TfmInputInspectionNumber(QWidget* owner, const ReferenceElement& root)
    : QDialog(owner), lvInspections(new QTreeWidget(this)), Panel0(new QFrame(this)), Image1(new QLabel(Panel0)),
      Label1(new QLabel(Panel0)),
      Button1(new QPushButton(QStringLiteral("Пролистал весь справочник, моя инспекция отсутствует..."), this)),
      bnYes(new QPushButton(QStringLiteral("Да"), this)), bnCansel(new QPushButton(QStringLiteral("Нет"), this))
{
    setObjectName(QStringLiteral("TfmInputInspectionNumber"));
    setWindowTitle(QStringLiteral("Справочник инспекций"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(ClientSize);

    lvInspections->setObjectName(QStringLiteral("lvInspections"));
    lvInspections->setFixedHeight(ListHeight);
    lvInspections->setColumnCount(2);
    lvInspections->setHeaderLabels({QStringLiteral("Код"), QStringLiteral("Наименование инспекции")});
    lvInspections->setHeaderHidden(true);
    lvInspections->header()->resizeSection(0, CodeColumnWidth);
    lvInspections->header()->resizeSection(1, NameColumnWidth);
    lvInspections->setRootIsDecorated(false);
    lvInspections->setUniformRowHeights(true);
    lvInspections->setSelectionMode(QAbstractItemView::SingleSelection);
    lvInspections->setSelectionBehavior(QAbstractItemView::SelectRows);
    lvInspections->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // The choice stays visible while the buttons have the focus.
    QPalette palette = lvInspections->palette();
    for (const QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText})
        palette.setColor(QPalette::Inactive, role, palette.color(QPalette::Active, role));
    lvInspections->setPalette(palette);
    QList<QTreeWidgetItem*> rows;
    rows.reserve(qsizetype(root.children.size()));
    for (const Inspection& office : inspectionsOf(root))
        rows.append(new QTreeWidgetItem(QStringList{office.code, office.name}));
    lvInspections->addTopLevelItems(rows);

    Panel0->setObjectName(QStringLiteral("Panel0"));
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setFixedSize(PictureSize);
    Image1->setAlignment(Qt::AlignCenter);
    Image1->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxQuestion).pixmap(PictureSize));
    Image1->setToolTip(QStringLiteral("Нажми на меня!"));
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setWordWrap(true);
    Label1->setTextFormat(Qt::PlainText);
    auto* panelLayout = new QHBoxLayout(Panel0);
    panelLayout->setContentsMargins(4, 0, 4, 0);
    panelLayout->addWidget(Label1, 1);
    panelLayout->addWidget(Image1);

    for (QPushButton* button : {bnYes, bnCansel, Button1})
        button->setAutoDefault(false);
    bnYes->setObjectName(QStringLiteral("bnYes"));
    bnCansel->setObjectName(QStringLiteral("bnCansel"));
    Button1->setObjectName(QStringLiteral("Button1"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Button1);
    buttons->addStretch();
    buttons->addWidget(bnYes);
    buttons->addWidget(bnCansel);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(lvInspections);
    layout->addWidget(Panel0, 1);
    layout->addLayout(buttons);

    connect(lvInspections, &QTreeWidget::itemSelectionChanged, this, &TfmInputInspectionNumber::lvInspectionsSelectItem);
    connect(lvInspections, &QTreeWidget::itemDoubleClicked, this, [this] { done(Chosen); });
    connect(bnYes, &QPushButton::clicked, this, [this] { done(Chosen); });
    connect(bnCansel, &QPushButton::clicked, this, [this] { done(Cancelled); });
    connect(Button1, &QPushButton::clicked, this, &TfmInputInspectionNumber::Button1Click);

    // Keys reach the form before the focused control; the mouse over these shows the hint or the choice.
    for (QObject* watched : {static_cast<QObject*>(lvInspections), static_cast<QObject*>(bnYes),
                             static_cast<QObject*>(bnCansel), static_cast<QObject*>(Button1)})
        watched->installEventFilter(this);
    for (QWidget* hovered : {lvInspections->viewport(), static_cast<QWidget*>(Label1), static_cast<QWidget*>(Image1)})
        hovered->installEventFilter(this);
}

void TfmInputInspectionNumber::SelectByCode(const QString& code)
{
    FCode = code;
    const QList<QTreeWidgetItem*> found = lvInspections->findItems(code, Qt::MatchExactly, 0);
    if (found.isEmpty()) {
        lvInspections->clearSelection();
        lvInspections->setCurrentItem(nullptr);
        FName.clear();
        choiceText_.clear();
        Label1->clear();
        return;
    }
    lvInspections->setCurrentItem(found.front(), 0);
    lvInspections->scrollToItem(found.front(), QAbstractItemView::PositionAtCenter);
    lvInspections->setFocus();
}

void TfmInputInspectionNumber::lvInspectionsSelectItem()
{
    const QList<QTreeWidgetItem*> selected = lvInspections->selectedItems();
    if (selected.isEmpty())
        return;
    FCode = selected.front()->text(0);
    FName = selected.front()->text(1);
    choiceText_ = FCode + QStringLiteral("   ") + FName;
    Label1->setText(choiceText_);
}

void TfmInputInspectionNumber::Button1Click()
{
    const ProgramContext* context = programContext();
    TfmLoadSoun import(this, context ? context->programFolder() : QCoreApplication::applicationDirPath() + u'/');
    import.exec();
}

void TfmInputInspectionNumber::reject()
{
    done(Cancelled);
}

bool TfmInputInspectionNumber::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (isEnter(key)) {
            done(Chosen);
            return true;
        }
        if (key->key() == Qt::Key_Escape) {
            done(Cancelled);
            return true;
        }
        if (watched == lvInspections && key->text().size() == 1 && key->text().front().isDigit()) {
            if (FCode.isEmpty())
                SelectByCode(FirstOffice);
            // The list's own search by typed text looks at the codes.
            const QModelIndex current = lvInspections->currentIndex();
            if (current.isValid() && current.column() != 0)
                lvInspections->selectionModel()->setCurrentIndex(current.siblingAtColumn(0), QItemSelectionModel::NoUpdate);
        }
    } else if (event->type() == QEvent::Enter) {
        Label1->setText(watched == Image1 ? SearchHint : choiceText_);
    }
    return QDialog::eventFilter(watched, event);
}

void TfmInputInspectionNumber::keyPressEvent(QKeyEvent* event)
{
    if (isEnter(event)) {
        done(Chosen);
        return;
    }
    QDialog::keyPressEvent(event);
}

void TfmInputInspectionNumber::enterEvent(QEnterEvent* event)
{
    Label1->setText(choiceText_);
    QDialog::enterEvent(event);
}

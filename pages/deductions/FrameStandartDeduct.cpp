#include "pages/deductions/FrameStandartDeduct.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QRadioButton>
#include <QStyle>
#include <QVBoxLayout>

#include "computation/TaxYearFigures.h"
#include "controls/DeclModified.h"
#include "controls/DisplayFormat.h"
#include "controls/HelpPromptCall.h"
#include "controls/HelpTopics.h"
#include "controls/PageWidgets.h"
#include "controls/SideBySideLayout.h"
#include "controls/VisualTabOrder.h"
#include "pages/deductions/BusinessMonthGrid.h"
#include "pages/deductions/ChildrenGrid.h"
#include "controls/DeletionQuestion.h"
#include "pages/deductions/MonthDialogs.h"

namespace {

// Own codes and parent statuses as the model holds them.
constexpr std::int32_t CodeNone = 103;
constexpr std::int32_t Code104 = 104;
constexpr std::int32_t Code105 = 105;
constexpr std::int32_t CodeChanged = 110;
constexpr std::int32_t StatusParent = 101;
constexpr std::int32_t StatusSingleParent = 102;
constexpr std::int32_t StatusChanged = 103;

constexpr int TopBarHeight = 32;
constexpr QSize HelpPictureSize(39, 32);

const QString HelpHint = QStringLiteral("Нажми на меня!");
const QString HelpMessage =
    QStringLiteral("В программах Форвета 2018 - 2021 относительно более ранних программ изменен принцип расчета "
                   "стандартных вычетов. Рекомендуем ознакомиться с соответствующим разделом в файле Справки");
const QString HelpTopic = QLatin1String(StandardDeductionsHelpTopic);

QFrame* bevelPanel(QWidget* parent, const QString& name)
{
    auto* panel = new QFrame(parent);
    panel->setObjectName(name);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    return panel;
}

// The choices side by side where the page is wide enough, else one under another.
void radioRow(QFrame* panel, std::initializer_list<QRadioButton*> buttons)
{
    // The gap between choices side by side is also the gap between lines one under another.
    auto* choices = new SideBySideLayout(12);
    for (QRadioButton* button : buttons)
        choices->addWidget(button);
    auto* layout = new QHBoxLayout(panel);
    layout->setContentsMargins(8, 3, 8, 3);
    layout->addLayout(choices);
    layout->addStretch();
}

} // namespace

TfrFrameStandartDeduct::TfrFrameStandartDeduct(QWidget* owner, DeclarationSlot& declaration)
    : TThinkingFrame(owner, declaration)
{
    setObjectName(QStringLiteral("TfrFrameStandartDeduct"));
    {
        // Filling the page from the model is no edit of the user's.
        const PageLoadingScope pageLoading;
        createControls();
        const LoadingScope loading(*this);
        loadFromModel();
    }
    children->updateGuardianPanel();
}

void TfrFrameStandartDeduct::createControls()
{
    gbStandartDeduct = createGroupBox(this, "gbStandartDeduct",
                                      QStringLiteral("  Стандартные налоговые вычеты (коды 104-105,114-149)"));

    Panel2 = new QFrame(gbStandartDeduct);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    Panel2->setFixedHeight(TopBarHeight);
    chbGrantingStanDeduct =
        createCheckBox(Panel2, "chbGrantingStanDeduct", QStringLiteral("Пересчитать стандартные вычеты"));
    Image1 = new QLabel(Panel2);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setFixedSize(HelpPictureSize);
    Image1->setAlignment(Qt::AlignCenter);
    Image1->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxQuestion).pixmap(HelpPictureSize.height() - 4));
    Image1->setToolTip(HelpHint);
    Label1 = new QLabel(Image1);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(Image1->rect());
    Label1->setToolTip(HelpHint);
    Label1->setCursor(Qt::PointingHandCursor);
    Label1->installEventFilter(this);
    auto* topBar = new QHBoxLayout(Panel2);
    topBar->setContentsMargins(8, 0, 4, 0);
    topBar->addWidget(chbGrantingStanDeduct);
    topBar->addStretch();
    topBar->addWidget(Image1);

    pnlChildrensDeduct = bevelPanel(gbStandartDeduct, QStringLiteral("pnlChildrensDeduct"));
    pnlChildrensDeduct->setToolTip(QStringLiteral("Вычеты на детей. Подробности смотрите в Справке к программе."));

    pnlSimplyDeduct = bevelPanel(pnlChildrensDeduct, QStringLiteral("pnlSimplyDeduct"));
    pnlSimplyDeduct->setToolTip(QStringLiteral("Вычеты на себя"));
    rb104 = createRadio(pnlSimplyDeduct, "rb104",
                        QStringLiteral("Код 104 - %1 в месяц").arg(currencyDisplayText(PersonalDeduction104Monthly)));
    rb105 = createRadio(pnlSimplyDeduct, "rb105",
                        QStringLiteral("Код 105 - %1 в месяц").arg(currencyDisplayText(PersonalDeduction105Monthly)));
    rb103 = createRadio(pnlSimplyDeduct, "rb103", QStringLiteral("Нет ни 104, ни 105 вычета"));
    rbQ = createRadio(pnlSimplyDeduct, "rbQ", QStringLiteral("Код менялся"));
    radioRow(pnlSimplyDeduct, {rb104, rb105, rb103, rbQ});

    Panel4 = new QFrame(pnlChildrensDeduct);
    Panel4->setObjectName(QStringLiteral("Panel4"));
    rbTowParents = createRadio(Panel4, "rbTowParents", QStringLiteral("Вычет на ребенка (детей)"));
    rbOneParent =
        createRadio(Panel4, "rbOneParent", QStringLiteral("Вычет на ребенка (детей) единственному родителю"));
    rbOneParent->setToolTip(QStringLiteral("или при отказе второго родителя от вычета"));
    rbQ2 = createRadio(Panel4, "rbQ2", QStringLiteral("Статус менялся"));
    radioRow(Panel4, {rbTowParents, rbOneParent, rbQ2});

    rb103->setChecked(true);
    rbTowParents->setChecked(true);

    children = new TChildrenGrid(
        pnlChildrensDeduct, [this] { return isLoading(); }, [this] { declarationModified(); });

    auto* childrenArea = new QVBoxLayout(pnlChildrensDeduct);
    childrenArea->setContentsMargins(2, 2, 2, 2);
    childrenArea->setSpacing(0);
    childrenArea->addWidget(pnlSimplyDeduct);
    childrenArea->addWidget(Panel4);
    childrenArea->addWidget(children, 1);

    Panel1 = new TBusinessMonthGrid(gbStandartDeduct, [this] { declarationModified(); });

    auto* groupLayout = new QVBoxLayout(gbStandartDeduct);
    groupLayout->setContentsMargins(6, 4, 6, 6);
    groupLayout->setSpacing(2);
    groupLayout->addWidget(Panel2);
    groupLayout->addWidget(pnlChildrensDeduct);
    groupLayout->addWidget(Panel1, 1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(gbStandartDeduct);
    // The count boxes and the month boxes are made row of children by row of children, but shown
    // month by month: Tab goes as they stand, whatever the width puts side by side.
    keepTabInVisualOrder(gbStandartDeduct);

    connect(chbGrantingStanDeduct, &QCheckBox::toggled, this, &TfrFrameStandartDeduct::chbGrantingStanDeductClick);
    // The other choices reach the model when the page is saved.
    for (QRadioButton* button : {rb103, rb104, rb105, rbTowParents, rbOneParent})
        connect(button, &QRadioButton::toggled, this, [this](bool chosen) {
            if (chosen)
                declarationModified();
        });
    connect(rbQ, &QRadioButton::toggled, this, [this](bool chosen) {
        if (chosen)
            rbQClick();
    });
    connect(rbQ2, &QRadioButton::toggled, this, [this](bool chosen) {
        if (chosen)
            rbQ2Click();
    });
    // A double click opens the month dialog again on a choice already made.
    rbQ->installEventFilter(this);
    rbQ2->installEventFilter(this);
}

void TfrFrameStandartDeduct::loadFromModel()
{
    FBusinessIncome = Declaration->HasIncomeKind(IncomeKindBusiness);
    const mTStandartDeduct& deduct = Declaration->StandardDeduct;
    chbGrantingStanDeduct->setChecked(deduct.Granted != 0);
    SetPageEnabled(chbGrantingStanDeduct->isChecked());
    if (chbGrantingStanDeduct->isChecked()) {
        // A value the page does not know leaves the first choice of each group.
        switch (deduct.PersonalCode) {
        case CodeNone: rb103->setChecked(true); break;
        case Code104: rb104->setChecked(true); break;
        case Code105: rb105->setChecked(true); break;
        case CodeChanged: rbQ->setChecked(true); break;
        default: break;
        }
        switch (deduct.ParentStatus) {
        case StatusParent: rbTowParents->setChecked(true); break;
        case StatusSingleParent: rbOneParent->setChecked(true); break;
        case StatusChanged: rbQ2->setChecked(true); break;
        default: break;
        }
        children->cbPopOp->setChecked(deduct.Guardian != 0);
        children->load(deduct);
    }
    // The entrepreneur's months show what the model holds even while the page is not granted.
    if (FBusinessIncome)
        Panel1->load(deduct);
    else
        Panel1->setEntriesEnabled(false);
}

void TfrFrameStandartDeduct::SaveData()
{
    mTStandartDeduct& deduct = Declaration->StandardDeduct;
    deduct.Granted = chbGrantingStanDeduct->isChecked() ? 1 : 0;
    if (!chbGrantingStanDeduct->isChecked())
        return;
    deduct.Guardian = children->cbPopOp->isChecked() ? 1 : 0;
    Panel1->store(deduct);
    if (rb105->isChecked())
        deduct.PersonalCode = Code105;
    else if (rb104->isChecked())
        deduct.PersonalCode = Code104;
    else if (rb103->isChecked())
        deduct.PersonalCode = CodeNone;
    else if (rbQ->isChecked())
        deduct.PersonalCode = CodeChanged;
    if (rbTowParents->isChecked())
        deduct.ParentStatus = StatusParent;
    else if (rbOneParent->isChecked())
        deduct.ParentStatus = StatusSingleParent;
    else if (rbQ2->isChecked())
        deduct.ParentStatus = StatusChanged;
    children->store(deduct);
}

void TfrFrameStandartDeduct::SetPageEnabled(bool value)
{
    const std::initializer_list<QRadioButton*> radios{rb103, rb104, rb105, rbQ, rbQ2, rbTowParents, rbOneParent};
    if (value) {
        for (QRadioButton* button : radios)
            button->setEnabled(true);
        children->enableGrid();
        Panel1->setLabelsEnabled(true);
        if (FBusinessIncome)
            Panel1->setEntriesEnabled(true);
        return;
    }
    Panel1->setEntriesEnabled(false);
    Panel1->setLabelsEnabled(false);
    for (QRadioButton* button : radios)
        button->setEnabled(false);
    children->disableGrid();
}

void TfrFrameStandartDeduct::chbGrantingStanDeductClick()
{
    // Without the deduction the children grid is emptied, and ticked again it stays empty.
    if (!chbGrantingStanDeduct->isChecked() && !isLoading()
        && !boxChangeConfirmed(chbGrantingStanDeduct,
                               {countedRecords(QStringLiteral("количество детей для вычетов на детей"),
                                               QStringLiteral("строк"), children->rowsWithChildren())}))
        return;
    declarationModified();
    SetPageEnabled(chbGrantingStanDeduct->isChecked());
}

void TfrFrameStandartDeduct::rbQClick()
{
    if (isLoading())
        return;
    mTStandartDeduct& deduct = Declaration->StandardDeduct;
    if (rbQ->isChecked())
        editMonthPersonalCodes(this, deduct);
    else
        deduct.HasMonthPersonalCodes = 0;
    declarationModified();
}

void TfrFrameStandartDeduct::rbQ2Click()
{
    if (isLoading())
        return;
    mTStandartDeduct& deduct = Declaration->StandardDeduct;
    if (rbQ2->isChecked())
        editMonthSingleParent(this, deduct);
    else
        deduct.HasMonthParentStatus = 0;
    declarationModified();
}

void TfrFrameStandartDeduct::Label1Click()
{
    showHelpPrompt(this, HelpMessage, HelpTopic);
}

bool TfrFrameStandartDeduct::eventFilter(QObject* watched, QEvent* event)
{
    if ((watched == rbQ || watched == rbQ2) && event->type() == QEvent::MouseButtonDblClick) {
        if (watched == rbQ)
            rbQClick();
        else
            rbQ2Click();
        return true;
    }
    if (watched == Label1 && event->type() == QEvent::MouseButtonPress)
        return true;
    if (watched == Label1 && event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton && Label1->rect().contains(mouse->position().toPoint()))
            Label1Click();
        return true;
    }
    return TThinkingFrame::eventFilter(watched, event);
}

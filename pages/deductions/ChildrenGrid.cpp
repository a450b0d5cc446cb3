#include "pages/deductions/ChildrenGrid.h"

#include <algorithm>

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>

#include "controls/MaskedEdit.h"
#include "controls/SideBySideLayout.h"
#include "model/StandartDeduct.h"
#include "controls/DeletionQuestion.h"

namespace {

const std::array<const char*, 12> MonthNames{"Январь", "Февраль", "Март",     "Апрель",  "Май",    "Июнь",
                                             "Июль",   "Август",  "Сентябрь", "Октябрь", "Ноябрь", "Декабрь"};
const std::array<const char*, 12> MonthKeys{"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                            "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

// Over the three boxes of each month: the count of all children, of the third and later, of
// disabled children.
const std::array<const char*, 3> ColumnHeadings{"Всего", "С 3-го", "Инв."};
const std::array<const char*, 3> ColumnHints{"Количество всех детей", "Количество детей, считая с 3-го",
                                             "Количество детей-инвалидов I и II групп"};

constexpr int CountBoxWidth = 26;
constexpr int MonthBoxWidth = 39;
constexpr QSize UpDownSize(14, 21);
constexpr QSize GuardianPanelSize(131, 89);

// The number a count box shows; an empty box counts as 0.
int shownCount(const TMaskedEdit* box)
{
    return box->text().toInt();
}

bool showsPositiveCount(const TMaskedEdit* box)
{
    return !box->text().isEmpty() && shownCount(box) > 0;
}

// Whether the row counts any child in the state it is in.
bool countsChildren(const TChildrenRow& row)
{
    if (row.constBox->isChecked())
        return showsPositiveCount(row.countBox);
    return std::any_of(row.monthBoxes.begin(), row.monthBoxes.end(), showsPositiveCount);
}

// The months whose count, above 0, a constant count would replace.
std::size_t monthsReplacedByCount(const TChildrenRow& row)
{
    const int count = shownCount(row.countBox);
    return std::size_t(std::count_if(row.monthBoxes.begin(), row.monthBoxes.end(), [count](const TMaskedEdit* box) {
        return showsPositiveCount(box) && shownCount(box) != count;
    }));
}

void setBoxesEnabled(const std::array<TMaskedEdit*, 12>& boxes, bool enabled)
{
    for (TMaskedEdit* box : boxes)
        box->setEnabled(enabled);
}

void copyIntoMonths(const TChildrenRow& row)
{
    for (TMaskedEdit* box : row.monthBoxes)
        box->setText(row.countBox->text());
}

} // namespace

TUpDown::TUpDown(int minimum, int maximum, QWidget* parent)
    : QWidget(parent), upButton(new QToolButton(this)), downButton(new QToolButton(this)), minimum_(minimum),
      maximum_(maximum), position_(minimum)
{
    setFixedSize(UpDownSize);
    const int half = UpDownSize.height() / 2;
    upButton->setArrowType(Qt::UpArrow);
    downButton->setArrowType(Qt::DownArrow);
    upButton->setGeometry(0, 0, UpDownSize.width(), half);
    downButton->setGeometry(0, half, UpDownSize.width(), UpDownSize.height() - half);
    for (QToolButton* button : {upButton, downButton}) {
        button->setAutoRepeat(true);
        button->setFocusPolicy(Qt::NoFocus);
    }
    connect(upButton, &QToolButton::clicked, this, [this] { stepBy(1); });
    connect(downButton, &QToolButton::clicked, this, [this] { stepBy(-1); });
}

void TUpDown::setPosition(int value)
{
    position_ = std::clamp(value, minimum_, maximum_);
    if (associate_)
        associate_->setText(QString::number(position_));
}

void TUpDown::setAssociate(TMaskedEdit* edit)
{
    associate_ = edit;
}

void TUpDown::stepBy(int steps)
{
    // The box may hold a number typed past the range; stepping starts from the nearest bound.
    const int current = associate_ ? std::clamp(shownCount(associate_), minimum_, maximum_) : position_;
    setPosition(current + steps);
}

TChildrenGrid::TChildrenGrid(QWidget* parent, std::function<bool()> isLoading, std::function<void()> modified)
    : QWidget(parent), pnlPopOp(new QFrame(this)), cbPopOp(new QCheckBox(QStringLiteral("Я являюсь:"), pnlPopOp)),
      isLoading_(std::move(isLoading)), modified_(std::move(modified))
{
    setObjectName(QStringLiteral("ChildrenGrid"));
    createRow(allChildren, "", QStringLiteral("Количество детей в году не изменялось и составило"), 1, 2,
              QStringLiteral("Количество детей в этом месяце"));
    createRow(thirdChildren, "3", QStringLiteral("Количество детей, начиная с 3-го, не изменялось и составило"), 2,
              99, QStringLiteral("Количество детей в этом месяце, считая с 3-го"));
    createRow(disabledChildren, "2", QStringLiteral("Количество детей-инвалидов в году не изменялось и составило"),
              2, 99, QStringLiteral("Количество детей инвалидов I и II групп в этом месяце"));
    allChildren.label->setObjectName(QStringLiteral("Label4"));
    thirdChildren.label->setObjectName(QStringLiteral("Label5"));
    disabledChildren.label->setObjectName(QStringLiteral("Label2"));

    // Each row's box, then its count; in a narrow window the count goes under the box. The
    // boxes are as wide as the widest, so that the counts line up.
    int boxWidth = 0;
    for (const TChildrenRow* row : rows())
        boxWidth = std::max(boxWidth, row->constBox->sizeHint().width());
    auto* rowLines = new QVBoxLayout;
    rowLines->setSpacing(4);
    for (TChildrenRow* row : rows()) {
        row->constBox->setMinimumWidth(boxWidth);
        auto* count = new QHBoxLayout;
        count->setSpacing(4);
        count->addWidget(row->countBox);
        count->addWidget(row->upDown);
        count->addWidget(row->label);
        auto* line = new SideBySideLayout(4);
        line->addWidget(row->constBox);
        line->addLayout(count);
        // The count stays beside its box in a wide window.
        auto* lineAtLeft = new QHBoxLayout;
        lineAtLeft->addLayout(line);
        lineAtLeft->addStretch();
        rowLines->addLayout(lineAtLeft);
    }

    pnlPopOp->setObjectName(QStringLiteral("pnlPopOp"));
    pnlPopOp->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    pnlPopOp->setFixedSize(GuardianPanelSize);
    cbPopOp->setObjectName(QStringLiteral("cbPopOp"));
    auto* guardianLayout = new QVBoxLayout(pnlPopOp);
    guardianLayout->setContentsMargins(8, 3, 4, 3);
    guardianLayout->setSpacing(0);
    guardianLayout->addWidget(cbPopOp);
    const std::array<const char*, 4> guardianTexts{"попечителем, ", "опекуном или", "приемным ", "родителем"};
    for (std::size_t i = 0; i < guardianLabels.size(); ++i) {
        guardianLabels[i] = new QLabel(QString::fromUtf8(guardianTexts[i]), pnlPopOp);
        guardianLabels[i]->setObjectName(QStringLiteral("lbPopOp%1").arg(i + 1));
        guardianLayout->addWidget(guardianLabels[i]);
    }
    pnlPopOp->hide();
    connect(cbPopOp, &QCheckBox::toggled, this, [this] { modified_(); });

    // The guardian panel, when shown, stands under the rows: beside them it would not fit a
    // small window.
    auto* upper = new QVBoxLayout;
    upper->addLayout(rowLines);
    upper->addWidget(pnlPopOp, 0, Qt::AlignLeft);

    // Four quarters side by side, their three months one under another; each month shows the
    // counts of all children, of the third and later, and of disabled children.
    // In a narrow window the half-years stand one under the other, two quarters each.
    std::array<SideBySideLayout*, 2> halves{new SideBySideLayout(10), new SideBySideLayout(10)};
    auto* year = new SideBySideLayout(10);
    for (SideBySideLayout* half : halves)
        year->addLayout(half);
    for (int quarter = 0; quarter < 4; ++quarter) {
        auto* quarterBox = new QWidget(this);
        auto* months = new QGridLayout(quarterBox);
        months->setContentsMargins(0, 0, 0, 0);
        // Each quarter keeps its size; what room is left stays right of it.
        months->setSizeConstraint(QLayout::SetFixedSize);
        months->setHorizontalSpacing(3);
        months->setVerticalSpacing(3);
        for (int column = 0; column < 3; ++column) {
            auto* heading = new QLabel(QString::fromUtf8(ColumnHeadings[column]), this);
            heading->setObjectName(QStringLiteral("lbHeading%1_%2").arg(quarter + 1).arg(column + 1));
            heading->setToolTip(QString::fromUtf8(ColumnHints[column]));
            heading->setAlignment(Qt::AlignCenter);
            columnHeadings[quarter][column] = heading;
            months->addWidget(heading, 0, column + 1);
        }
        for (int i = 0; i < 3; ++i) {
            const int m = quarter * 3 + i;
            auto* label = new QLabel(QString::fromUtf8(MonthNames[m]), this);
            label->setObjectName(QStringLiteral("lb") + QLatin1String(MonthKeys[m]));
            monthLabels[m] = label;
            months->addWidget(label, i + 1, 0);
            months->addWidget(allChildren.monthBoxes[m], i + 1, 1, Qt::AlignHCenter);
            months->addWidget(thirdChildren.monthBoxes[m], i + 1, 2, Qt::AlignHCenter);
            months->addWidget(disabledChildren.monthBoxes[m], i + 1, 3, Qt::AlignHCenter);
        }
        halves[std::size_t(quarter / 2)]->addWidget(quarterBox);
    }
    auto* monthGrid = new QHBoxLayout;
    monthGrid->addLayout(year);
    monthGrid->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 2, 6, 4);
    layout->setSpacing(6);
    layout->addLayout(upper);
    layout->addLayout(monthGrid);
    layout->addStretch();

    for (TChildrenRow* row : rows()) {
        connect(row->constBox, &QCheckBox::toggled, this, [this, row] { constBoxClicked(*row); });
        connect(row->countBox, &TMaskedEdit::textChanged, this, [this, row] { countChanged(*row); });
    }
    for (TMaskedEdit* box : disabledChildren.monthBoxes)
        connect(box, &TMaskedEdit::textChanged, this, [this] {
            if (!isLoading_())
                updateGuardianPanel();
        });
}

void TChildrenGrid::createRow(TChildrenRow& row, const char* suffix, const QString& constCaption, int countDigits,
                              int maximum, const QString& monthHint)
{
    const QLatin1String key(suffix);
    row.constBox = new QCheckBox(constCaption, this);
    row.constBox->setObjectName(QStringLiteral("chbConstChildrens") + key);
    row.countBox = new TMaskedEdit(this);
    row.countBox->setObjectName(QStringLiteral("meChildrens") + key);
    row.countBox->setEditType(edtDigital);
    row.countBox->setWholeLength(countDigits);
    row.countBox->setFixedWidth(CountBoxWidth);
    row.countBox->setText(QStringLiteral("0"));
    row.countBox->setEnabled(false);
    row.upDown = new TUpDown(0, maximum, this);
    row.upDown->setObjectName(QStringLiteral("UpDChildrens") + key);
    row.upDown->setEnabled(false);
    row.label = new QLabel(QStringLiteral("ребенка (детей)"), this);
    for (int m = 0; m < 12; ++m) {
        auto* box = new TMaskedEdit(this);
        box->setObjectName(QStringLiteral("me") + QLatin1String(MonthKeys[m]) + key);
        box->setEditType(edtDigital);
        box->setWholeLength(2);
        box->setFixedWidth(MonthBoxWidth);
        box->setToolTip(monthHint);
        row.monthBoxes[m] = box;
    }
}

void TChildrenGrid::constBoxClicked(TChildrenRow& row)
{
    if (row.constBox->isChecked() && !isLoading_()
        && !boxChangeConfirmed(row.constBox, {countedRecords(QStringLiteral("количество детей по месяцам"),
                                                             QStringLiteral("месяцев"), monthsReplacedByCount(row))}))
        return;
    modified_();
    if (&row == &disabledChildren)
        updateGuardianPanel();
    const bool constant = row.constBox->isChecked();
    row.upDown->setAssociate(constant ? row.countBox : nullptr);
    row.countBox->setEnabled(constant);
    row.upDown->setEnabled(constant);
    if (constant)
        copyIntoMonths(row);
    setBoxesEnabled(row.monthBoxes, !constant);
}

void TChildrenGrid::countChanged(TChildrenRow& row)
{
    if (isLoading_())
        return;
    copyIntoMonths(row);
    if (&row == &disabledChildren)
        updateGuardianPanel();
}

void TChildrenGrid::updateGuardianPanel()
{
    if (isLoading_())
        return;
    const auto& months = disabledChildren.monthBoxes;
    const bool shown = std::any_of(months.begin(), months.end(), showsPositiveCount) ||
                       showsPositiveCount(disabledChildren.countBox);
    pnlPopOp->setVisible(shown);
}

void TChildrenGrid::loadRow(TChildrenRow& row, const mTChildrenRow& model)
{
    row.constBox->setChecked(model.ConstCount != 0);
    if (row.constBox->isChecked()) {
        row.upDown->setPosition(model.YearCount);
        row.countBox->setText(QString::number(model.YearCount));
        // The greyed months show the count the computation takes for each of them.
        copyIntoMonths(row);
        return;
    }
    row.countBox->setText(QStringLiteral("0"));
    for (int m = 0; m < 12; ++m)
        row.monthBoxes[m]->setText(QString::number(model.MonthCount[m]));
}

void TChildrenGrid::load(const mTStandartDeduct& deduct)
{
    loadRow(allChildren, deduct.Children);
    loadRow(thirdChildren, deduct.ThirdChildren);
    loadRow(disabledChildren, deduct.DisabledChildren);
}

void TChildrenGrid::store(mTStandartDeduct& deduct) const
{
    using SetConst = void (mTStandartDeduct::*)(std::int32_t);
    using SetMonth = void (mTStandartDeduct::*)(std::uint8_t, std::int32_t);
    const auto storeRow = [&deduct](const TChildrenRow& row, SetConst setConst, SetMonth setMonth) {
        if (row.constBox->isChecked()) {
            (deduct.*setConst)(shownCount(row.countBox));
            return;
        }
        for (std::uint8_t m = 0; m < 12; ++m)
            (deduct.*setMonth)(m, shownCount(row.monthBoxes[m]));
    };
    storeRow(allChildren, &mTStandartDeduct::SetChildCountConst, &mTStandartDeduct::SetChildCount);
    storeRow(thirdChildren, &mTStandartDeduct::SetThirdChildCountConst, &mTStandartDeduct::SetThirdChildCount);
    storeRow(disabledChildren, &mTStandartDeduct::SetDisabledChildCountConst,
             &mTStandartDeduct::SetDisabledChildCount);
}

std::size_t TChildrenGrid::rowsWithChildren() const
{
    return std::size_t(countsChildren(allChildren)) + std::size_t(countsChildren(thirdChildren))
           + std::size_t(countsChildren(disabledChildren));
}

void TChildrenGrid::setLabelsEnabled(bool enabled)
{
    for (QLabel* label : monthLabels)
        label->setEnabled(enabled);
    for (const auto& quarter : columnHeadings) {
        for (QLabel* heading : quarter)
            heading->setEnabled(enabled);
    }
}

void TChildrenGrid::enableGrid()
{
    setLabelsEnabled(true);
    for (TChildrenRow* row : rows()) {
        row->constBox->setEnabled(true);
        if (row->constBox->isChecked()) {
            row->countBox->setEnabled(true);
            row->upDown->setEnabled(true);
        } else {
            setBoxesEnabled(row->monthBoxes, true);
        }
    }
    for (TChildrenRow* row : rows())
        row->label->setEnabled(true);
}

void TChildrenGrid::disableGrid()
{
    setLabelsEnabled(false);
    for (TChildrenRow* row : rows())
        row->label->setEnabled(false);
    for (TChildrenRow* row : rows())
        row->countBox->setText(QString());
    for (TChildrenRow* row : rows()) {
        row->constBox->setEnabled(false);
        if (row->constBox->isChecked()) {
            row->countBox->setEnabled(false);
            row->upDown->setEnabled(false);
        } else {
            setBoxesEnabled(row->monthBoxes, false);
        }
    }
}

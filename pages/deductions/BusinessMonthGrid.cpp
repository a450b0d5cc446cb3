#include "pages/deductions/BusinessMonthGrid.h"

#include <algorithm>

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "controls/DisplayFormat.h"
#include "controls/MaskedEdit.h"
#include "controls/SideBySideLayout.h"
#include "model/StandartDeduct.h"
#include "controls/DeletionQuestion.h"

namespace {

const std::array<const char*, 12> MonthNames{"Январь", "Февраль", "Март",     "Апрель",  "Май",    "Июнь",
                                             "Июль",   "Август",  "Сентябрь", "Октябрь", "Ноябрь", "Декабрь"};
const std::array<const char*, 12> MonthKeys{"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                            "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

constexpr int MoneyWholeDigits = 12;
constexpr int MoneyFractionDigits = 2;
constexpr int MoneyBoxWidth = 120;
constexpr int MonthBoxWidth = 96;

TMaskedEdit* moneyBox(QWidget* parent, const QString& name)
{
    auto* box = new TMaskedEdit(parent);
    box->setObjectName(name);
    box->setEditType(edtCurrency);
    box->setWholeLength(MoneyWholeDigits);
    box->setFractionalLength(MoneyFractionDigits);
    box->setFixedWidth(MoneyBoxWidth);
    return box;
}

QLabel* columnHead(QWidget* parent, const QString& name, const QString& caption)
{
    auto* label = new QLabel(caption, parent);
    label->setObjectName(name);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

bool holdsAmount(const TMaskedEdit* box)
{
    return box->currencyValue() != Currency();
}

} // namespace

TBusinessMonthGrid::TBusinessMonthGrid(QWidget* parent, std::function<void()> modified)
    : QFrame(parent), Label3(new QLabel(QStringLiteral("Доходы/расходы помесячно для предпринимателей"), this)),
      lbD1(columnHead(this, QStringLiteral("lbD1"), QStringLiteral("Доходы"))),
      lbR1(columnHead(this, QStringLiteral("lbR1"), QStringLiteral("Расходы"))),
      lbD2(columnHead(this, QStringLiteral("lbD2"), QStringLiteral("Доходы"))),
      lbR2(columnHead(this, QStringLiteral("lbR2"), QStringLiteral("Расходы"))), modified_(std::move(modified))
{
    setObjectName(QStringLiteral("Panel1"));
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Label3->setObjectName(QStringLiteral("Label3"));

    // The half-years side by side, or one under the other in a narrow window.
    auto* halves = new SideBySideLayout(40);
    const std::array<std::pair<QLabel*, QLabel*>, 2> heads{{{lbD1, lbR1}, {lbD2, lbR2}}};
    for (int half = 0; half < 2; ++half) {
        auto* halfBox = new QWidget(this);
        auto* grid = new QGridLayout(halfBox);
        grid->setContentsMargins(0, 0, 0, 0);
        grid->setSizeConstraint(QLayout::SetFixedSize);
        grid->setHorizontalSpacing(6);
        grid->setVerticalSpacing(4);
        grid->addWidget(heads[half].first, 0, 1);
        grid->addWidget(heads[half].second, 0, 2);
        for (int i = 0; i < 6; ++i) {
            const int m = half * 6 + i;
            auto* month = new QCheckBox(QString::fromUtf8(MonthNames[m]), this);
            month->setObjectName(QStringLiteral("cb") + QLatin1String(MonthKeys[m]));
            // The month's name stands on the left of its box.
            month->setLayoutDirection(Qt::RightToLeft);
            month->setFixedWidth(MonthBoxWidth);
            monthBoxes[m] = month;
            incomeBoxes[m] = moneyBox(this, QStringLiteral("me%1").arg(m + 1));
            expenseBoxes[m] = moneyBox(this, QStringLiteral("meR%1").arg(m + 1));
            grid->addWidget(month, i + 1, 0);
            grid->addWidget(incomeBoxes[m], i + 1, 1);
            grid->addWidget(expenseBoxes[m], i + 1, 2);
        }
        halves->addWidget(halfBox);
    }
    auto* halvesLine = new QHBoxLayout;
    halvesLine->addLayout(halves);
    halvesLine->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 6, 10, 6);
    layout->setSpacing(6);
    layout->addWidget(Label3);
    layout->addLayout(halvesLine);
    layout->addStretch();

    for (int m = 0; m < 12; ++m) {
        const auto tickOnAmount = [this, m](const QString& text) {
            if (!text.isEmpty())
                monthBoxes[m]->setChecked(true);
        };
        connect(incomeBoxes[m], &TMaskedEdit::textChanged, this, tickOnAmount);
        connect(expenseBoxes[m], &TMaskedEdit::textChanged, this, tickOnAmount);
        connect(monthBoxes[m], &QCheckBox::toggled, this, [this, m] { monthClicked(m); });
    }
}

void TBusinessMonthGrid::monthClicked(int monthIndex)
{
    if (!monthBoxes[monthIndex]->isChecked()) {
        const std::size_t amounts = std::size_t(holdsAmount(incomeBoxes[monthIndex]))
                                    + std::size_t(holdsAmount(expenseBoxes[monthIndex]));
        const QString what =
            QStringLiteral("доходы и расходы за ") + QString::fromUtf8(MonthNames[monthIndex]).toLower();
        if (!boxChangeConfirmed(monthBoxes[monthIndex], {countedRecords(what, QStringLiteral("сумм"), amounts)}))
            return;
    }
    // A tick alone changes what the declaration holds, so it is reported like any edit.
    modified_();
    if (monthBoxes[monthIndex]->isChecked())
        return;
    incomeBoxes[monthIndex]->setText(QString());
    expenseBoxes[monthIndex]->setText(QString());
}

void TBusinessMonthGrid::load(const mTStandartDeduct& deduct)
{
    for (std::uint8_t i = 0; i < 12; ++i)
        monthBoxes[i]->setChecked(deduct.GetBusinessMonth(i) != 0);
    for (std::uint8_t m = 1; m <= 12; ++m)
        incomeBoxes[m - 1]->setText(moneyText(deduct.GetMonthIncome(m)));
    for (std::uint8_t m = 1; m <= 12; ++m)
        expenseBoxes[m - 1]->setText(moneyText(deduct.GetMonthExpense(m)));
}

void TBusinessMonthGrid::store(mTStandartDeduct& deduct) const
{
    for (std::uint8_t m = 1; m <= 12; ++m)
        deduct.SetMonthIncome(m, incomeBoxes[m - 1]->currencyValue());
    for (std::uint8_t m = 1; m <= 12; ++m)
        deduct.SetMonthExpense(m, expenseBoxes[m - 1]->currencyValue());
    for (std::uint8_t i = 0; i < 12; ++i)
        deduct.SetBusinessMonth(i, monthBoxes[i]->isChecked() ? 1 : 0);
    const bool anyTicked =
        std::any_of(monthBoxes.begin(), monthBoxes.end(), [](const QCheckBox* box) { return box->isChecked(); });
    deduct.HasBusinessMonths = anyTicked ? 1 : 0;
}

void TBusinessMonthGrid::setLabelsEnabled(bool enabled)
{
    for (QLabel* label : {Label3, lbD1, lbR1, lbD2, lbR2})
        label->setEnabled(enabled);
}

void TBusinessMonthGrid::setEntriesEnabled(bool enabled)
{
    for (int m = 0; m < 12; ++m) {
        monthBoxes[m]->setEnabled(enabled);
        incomeBoxes[m]->setEnabled(enabled);
        expenseBoxes[m]->setEnabled(enabled);
    }
}

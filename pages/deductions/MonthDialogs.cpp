#include "pages/deductions/MonthDialogs.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "model/StandartDeduct.h"

namespace {

const std::array<const char*, 12> MonthNames{"Январь", "Февраль", "Март",     "Апрель",  "Май",    "Июнь",
                                             "Июль",   "Август",  "Сентябрь", "Октябрь", "Ноябрь", "Декабрь"};
const std::array<const char*, 12> MonthObjectNames{"lbJan", "lbFeb", "lbMar", "lbApr", "lbMay", "lbJun",
                                                   "lbJul", "lbAug", "lbSep", "lbOct", "lbNov", "lbDec"};

constexpr int ChoiceWidth = 49;
constexpr int MonthsPerColumn = 6;

} // namespace

TMonthChoiceDialog::TMonthChoiceDialog(QWidget* owner, const QStringList& items, const QSize& clientSize,
                                       const QString& heading)
    : QDialog(owner), bnOk(new QPushButton(QStringLiteral("Да"), this)),
      bnCancel(new QPushButton(QStringLiteral("Нет"), this))
{
    setWindowTitle(QStringLiteral("Комбинация стандартных вычетов"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(clientSize);

    auto* months = new QGridLayout;
    months->setHorizontalSpacing(10);
    months->setVerticalSpacing(6);
    for (int m = 0; m < 12; ++m) {
        auto* label = new QLabel(QString::fromUtf8(MonthNames[m]), this);
        label->setObjectName(QLatin1String(MonthObjectNames[m]));
        auto* list = new QComboBox(this);
        list->setObjectName(QStringLiteral("CB%1").arg(m + 1));
        list->addItems(items);
        list->setFixedWidth(ChoiceWidth);
        // Items this short need no room for the arrow beyond the list's own width.
        list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        monthLabels[m] = label;
        monthChoices[m] = list;
        const int row = m % MonthsPerColumn;
        const int column = (m / MonthsPerColumn) * 3;
        months->addWidget(label, row, column);
        months->addWidget(list, row, column + 1);
    }
    months->setColumnMinimumWidth(2, 40);
    months->setColumnStretch(2, 1);

    bnOk->setObjectName(QStringLiteral("bnOk"));
    bnCancel->setObjectName(QStringLiteral("bnCancel"));
    for (QPushButton* button : {bnOk, bnCancel}) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }
    connect(bnOk, &QPushButton::clicked, this, [this] { done(Confirmed); });
    connect(bnCancel, &QPushButton::clicked, this, [this] { done(Cancelled); });

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(bnOk);
    buttons->addStretch();
    buttons->addWidget(bnCancel);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 12, 16, 12);
    layout->setSpacing(10);
    if (!heading.isEmpty()) {
        headingLabel = new QLabel(heading, this);
        headingLabel->setWordWrap(true);
        layout->addWidget(headingLabel);
    }
    layout->addLayout(months);
    layout->addStretch();
    layout->addLayout(buttons);

    // Tab goes row by row, January to July, February to August, and then to the buttons, which
    // were made first.
    QList<QWidget*> tabOrder;
    for (int row = 0; row < MonthsPerColumn; ++row)
        tabOrder << monthChoices[row] << monthChoices[row + MonthsPerColumn];
    tabOrder << bnOk << bnCancel;
    for (qsizetype i = 1; i < tabOrder.size(); ++i)
        setTabOrder(tabOrder[i - 1], tabOrder[i]);
}

int TMonthChoiceDialog::choice(int month) const
{
    return monthChoices.at(month - 1)->currentIndex();
}

void TMonthChoiceDialog::setChoice(int month, int index)
{
    QComboBox* list = monthChoices.at(month - 1);
    list->setCurrentIndex(index >= 0 && index < list->count() ? index : -1);
}

void TMonthChoiceDialog::reject()
{
    done(Cancelled);
}

void TMonthChoiceDialog::keyPressEvent(QKeyEvent* event)
{
    // The dialog has no default button: Enter leaves it open. Esc is "Нет", as in every dialog.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

TfmDif::TfmDif(QWidget* owner)
    : TMonthChoiceDialog(owner, {QStringLiteral("----"), QStringLiteral("104"), QStringLiteral("105")},
                         QSize(343, 241))
{
    setObjectName(QStringLiteral("TfmDif"));
}

TfmDif2::TfmDif2(QWidget* owner)
    : TMonthChoiceDialog(owner, {QStringLiteral("да"), QStringLiteral("нет")}, QSize(342, 282),
                         QStringLiteral("В этом месяце был статус единственного родителя (опекуна)")),
      Label1(headingLabel)
{
    setObjectName(QStringLiteral("TfmDif2"));
    Label1->setObjectName(QStringLiteral("Label1"));
}

namespace {

template <typename Dialog, typename Get, typename Set>
bool editMonths(QWidget* owner, std::uint8_t& flag, Get get, Set set)
{
    Dialog dialog(owner ? owner->window() : nullptr);
    for (std::uint8_t m = 1; m <= 12; ++m)
        dialog.setChoice(m, get(m));
    if (dialog.exec() != TMonthChoiceDialog::Confirmed)
        return false;
    flag = 1;
    // A month whose list shows no item is stored as -1, which no computation counts.
    for (std::uint8_t m = 1; m <= 12; ++m)
        set(m, dialog.choice(m));
    return true;
}

} // namespace

bool editMonthPersonalCodes(QWidget* owner, mTStandartDeduct& deduct)
{
    return editMonths<TfmDif>(
        owner, deduct.HasMonthPersonalCodes, [&](std::uint8_t m) { return deduct.GetMonthPersonalCode(m); },
        [&](std::uint8_t m, int index) { deduct.SetMonthPersonalCode(m, index); });
}

bool editMonthSingleParent(QWidget* owner, mTStandartDeduct& deduct)
{
    return editMonths<TfmDif2>(
        owner, deduct.HasMonthParentStatus, [&](std::uint8_t m) { return deduct.GetMonthSingleParent(m); },
        [&](std::uint8_t m, int index) { deduct.SetMonthSingleParent(m, index); });
}

#include "pages/deductions/ChildEduSumDialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "controls/DeclModified.h"
#include "controls/PageWidgets.h"

namespace {

constexpr QSize ClientSize(354, 112);
constexpr int SumWidth = 150;

} // namespace

TfmChildEduSum::TfmChildEduSum(QWidget* owner)
    : TItemDialog(owner, QStringLiteral("TfmChildEduSum"), QStringLiteral("Сумма за обучение"), ClientSize),
      lbChildEduSum(createLabel(this, "lbChildEduSum", QStringLiteral("Сумма, уплаченная за обучение ребенка"))),
      meChildEduSum(createMoneyEdit(this, "meChildEduSum", SumWidth))
{
    QHBoxLayout* buttons = createButtons();

    auto* sumRow = new QHBoxLayout;
    sumRow->addWidget(meChildEduSum);
    sumRow->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lbChildEduSum);
    layout->addLayout(sumRow);
    layout->addStretch();
    layout->addLayout(buttons);

    meChildEduSum->setFocus();
}

Currency TfmChildEduSum::sum() const
{
    return meChildEduSum->currencyValue();
}

void TfmChildEduSum::setSum(Currency sum)
{
    // Showing the stored sum is no edit of the declaration.
    const PageLoadingScope filling;
    meChildEduSum->setCurrencyValue(sum);
}

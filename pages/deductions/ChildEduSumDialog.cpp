#include "pages/deductions/ChildEduSumDialog.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "controls/DeclModified.h"
#include "controls/MaskedEdit.h"

namespace {

constexpr QSize ClientSize(354, 112);
constexpr int SumWidth = 150;
constexpr int ButtonWidth = 90;

} // namespace

TfmChildEduSum::TfmChildEduSum(QWidget* owner)
    : QDialog(owner),
      lbChildEduSum(new QLabel(QStringLiteral("Сумма, уплаченная за обучение ребенка"), this)),
      meChildEduSum(new TMaskedEdit(this)),
      bnOk(new QPushButton(QStringLiteral("Да"), this)),
      bnCansel(new QPushButton(QStringLiteral("Нет"), this))
{
    setObjectName(QStringLiteral("TfmChildEduSum"));
    setWindowTitle(QStringLiteral("Сумма за обучение"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(ClientSize);

    lbChildEduSum->setObjectName(QStringLiteral("lbChildEduSum"));
    meChildEduSum->setObjectName(QStringLiteral("meChildEduSum"));
    meChildEduSum->setEditType(edtCurrency);
    meChildEduSum->setWholeLength(12);
    meChildEduSum->setFractionalLength(2);
    meChildEduSum->setFixedWidth(SumWidth);
    bnOk->setObjectName(QStringLiteral("bnOk"));
    bnOk->setFixedWidth(ButtonWidth);
    bnOk->setAutoDefault(false);
    bnCansel->setObjectName(QStringLiteral("bnCansel"));
    bnCansel->setFixedWidth(ButtonWidth);
    bnCansel->setAutoDefault(false);

    auto* sumRow = new QHBoxLayout;
    sumRow->addWidget(meChildEduSum);
    sumRow->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(bnOk);
    buttons->addWidget(bnCansel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lbChildEduSum);
    layout->addLayout(sumRow);
    layout->addStretch();
    layout->addLayout(buttons);

    connect(bnOk, &QPushButton::clicked, this, [this] { done(Confirmed); });
    connect(bnCansel, &QPushButton::clicked, this, [this] { done(Cancelled); });
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

void TfmChildEduSum::reject()
{
    done(Cancelled);
}

void TfmChildEduSum::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        done(Confirmed);
        break;
    case Qt::Key_Escape:
        done(Cancelled);
        break;
    default:
        QDialog::keyPressEvent(event);
    }
}

#include "pages/income/InputTrataDialog.h"

#include <QHBoxLayout>
#include <QRadioButton>
#include <QVBoxLayout>

#include "controls/PageWidgets.h"

TfmInputTrata::TfmInputTrata(QWidget* owner)
    : TConfirmDialog(owner, QStringLiteral("TfmInputTrata"), QStringLiteral("Назначение возврата")),
      rbBank(createRadio(this, "rbBank", QStringLiteral("Заявление о возврате на банковский счет"))),
      rbNalog(createRadio(this, "rbNalog",
                          QStringLiteral("Заявление об использовании сумм возврата на уплату других налогов")))
{
    rbBank->setChecked(true);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 14, 16, 12);
    layout->setSpacing(8);
    layout->addWidget(rbBank);
    layout->addWidget(rbNalog);
    layout->addSpacing(8);
    layout->addLayout(createButtons());
    layout->setSizeConstraint(QLayout::SetFixedSize);

    rbBank->setFocus();
}

bool TfmInputTrata::isRefund() const
{
    return rbBank->isChecked();
}

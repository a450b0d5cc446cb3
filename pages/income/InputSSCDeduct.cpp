#include "pages/income/InputSSCDeduct.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "controls/DeclModified.h"
#include "controls/MaskedEdit.h"
#include "controls/PageWidgets.h"
#include "pages/income/IncomeDict.h"
#include "pages/income/InputDeductCode.h"

namespace {

constexpr int SumWidth = 130;
// Wide enough for the title bar to show the whole title.
constexpr int MinimumWidth = 480;

// The deduction an employer may have granted under `code`; nullptr for a code it cannot have.
const DictionaryDeduction* employerDeduction(std::int32_t code)
{
    return code == 0 ? nullptr : IncomeDict::builtIn().employerDeductions().deduction(QString::number(code));
}

} // namespace

TfmInputSSCDeduct::TfmInputSSCDeduct(QWidget* owner)
    : TConfirmDialog(owner, QStringLiteral("TfmInputSSCDeduct"),
                     QStringLiteral("Вычеты, указанные в разделе 3 справки 2-НДФЛ")),
      lbSubtractCod(createLabel(this, "lbSubtractCod", QStringLiteral("Код вычета"))),
      pnlSubtractCod(createLabel(this, "pnlSubtractCod", QString())),
      bnSubtractCod(createChooserButton(this, "bnSubtractCod", QStringLiteral("Выбрать код из справочника"))),
      lbSubtractSum(createLabel(this, "lbSubtractSum", QStringLiteral("Сумма вычета"))),
      meSubtractSum(createMoneyEdit(this, "meSubtractSum", SumWidth))
{
    QHBoxLayout* buttons = createButtons();
    bnOk->setObjectName(QStringLiteral("bnYes"));

    pnlSubtractCod->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    pnlSubtractCod->setFixedWidth(SumWidth - bnSubtractCod->width() - 2);
    pnlSubtractCod->setMinimumHeight(meSubtractSum->sizeHint().height());
    pnlSubtractCod->setIndent(4);

    auto* code = new QHBoxLayout;
    code->setSpacing(2);
    code->addWidget(pnlSubtractCod);
    code->addWidget(bnSubtractCod);
    code->addStretch();

    auto* fields = new QGridLayout;
    fields->setHorizontalSpacing(10);
    fields->setColumnStretch(1, 1);
    fields->addWidget(lbSubtractCod, 0, 0);
    fields->addLayout(code, 0, 1);
    fields->addWidget(lbSubtractSum, 1, 0);
    fields->addWidget(meSubtractSum, 1, 1, Qt::AlignLeft);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(14, 12, 14, 12);
    layout->setSpacing(12);
    layout->addLayout(fields);
    layout->addStretch();
    layout->addLayout(buttons);
    setFixedSize(QSize(MinimumWidth, 0).expandedTo(layout->totalMinimumSize()));

    clearCode();
    connect(bnSubtractCod, &QPushButton::clicked, this, &TfmInputSSCDeduct::bnSubtractCodClick);
    connect(meSubtractSum, &TMaskedEdit::textEdited, this, &TfmInputSSCDeduct::sumEdited);
    bnSubtractCod->setFocus();
}

TfmInputSSCDeduct::TfmInputSSCDeduct(QWidget* owner, Currency sum, std::int32_t code) : TfmInputSSCDeduct(owner)
{
    const DictionaryDeduction* deduction = employerDeduction(code);
    if (!deduction)
        return;
    // Showing what is stored is no edit of the user's.
    const PageLoadingScope showing;
    showCode(code, deduction->maxSum);
    // A sum above the bound is shown at the bound; an empty field stands for no sum at all.
    if (FMaxSum != Currency())
        meSubtractSum->setCurrencyValue(FMaxSum < sum ? FMaxSum : sum);
    else if (sum != Currency())
        meSubtractSum->setCurrencyValue(sum);
    meSubtractSum->setFocus();
}

std::int32_t TfmInputSSCDeduct::GetCode() const
{
    return pnlSubtractCod->text().toInt();
}

Currency TfmInputSSCDeduct::GetSum() const
{
    return meSubtractSum->currencyValue();
}

void TfmInputSSCDeduct::showCode(std::int32_t code, Currency maxSum)
{
    pnlSubtractCod->setText(QString::number(code));
    meSubtractSum->setEnabled(true);
    FMaxSum = maxSum;
}

void TfmInputSSCDeduct::clearCode()
{
    pnlSubtractCod->clear();
    meSubtractSum->setText(QString());
    meSubtractSum->setEnabled(false);
    FMaxSum = Currency();
}

void TfmInputSSCDeduct::chooseCode(std::int32_t code)
{
    const DictionaryDeduction* deduction = employerDeduction(code);
    if (!deduction)
        return;
    if (code != GetCode())
        meSubtractSum->setText(QString());
    showCode(code, deduction->maxSum);
    meSubtractSum->setFocus();
}

void TfmInputSSCDeduct::bnSubtractCodClick()
{
    TfmInputDeductCode picker(this, IncomeDict::builtIn().employerDeductions(), pnlSubtractCod->text(), true);
    if (picker.exec() == TfmInputDeductCode::Chosen)
        chooseCode(picker.FCode().toInt());
}

void TfmInputSSCDeduct::sumEdited()
{
    if (FMaxSum != Currency() && meSubtractSum->currencyValue() >= FMaxSum)
        meSubtractSum->setCurrencyValue(FMaxSum);
}

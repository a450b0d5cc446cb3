#include "pages/income/Input13Income.h"

#include <algorithm>
#include <initializer_list>

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QVBoxLayout>

#include "computation/PropertySaleIncome.h"
#include "controls/CheckRun.h"
#include "controls/DeclModified.h"
#include "controls/DisplayFormat.h"
#include "controls/MaskedEdit.h"
#include "controls/PageWidgets.h"
#include "export/FieldLimits.h"
#include "model/Sourse.h"
#include "pages/income/InputDeductCode.h"
#include "pages/income/InputIncomeCode.h"

namespace {

constexpr int ClientWidth = 435;
constexpr int MonthDigits = 2;
// The tax withheld holds whole roubles, as the exchange file does.
constexpr int WithheldTaxDigits = FieldFacetOf("ДоходИстРФ", "НалУдерж").totalDigits;
constexpr QMargins PanelMargins(0, 0, 0, 0);

const QString ChooserHint = QStringLiteral("Выбрать код из справочника");

// A code chosen from a directory, shown on a sunken panel as wide as a money field.
QLabel* createCodePanel(QWidget* parent, const char* name, int width)
{
    QLabel* panel = createLabel(parent, name, QString());
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setIndent(4);
    panel->setFixedWidth(width);
    return panel;
}

QWidget* createPanel(QWidget* parent, const char* name)
{
    auto* panel = new QWidget(parent);
    panel->setObjectName(QLatin1String(name));
    return panel;
}

bool isEmpty(const TMaskedEdit* edit)
{
    return edit->text().trimmed().isEmpty();
}

} // namespace

TfmInput13Income::TfmInput13Income(QWidget* owner, const QString& rate, bool resident, bool investmentPartnership,
                                   const IncomeDict& dictionary)
    : TConfirmDialog(owner, QStringLiteral("TfmInput13Income"), QStringLiteral("Сведения о доходе")),
      dictionary_(dictionary), FRate(rate), FResident(resident), FIsIT(investmentPartnership)
{
    createControls();
    layOutControls();
    connectHandlers();
    bnIncomeCod->setFocus();
}

void TfmInput13Income::createControls()
{
    GroupBox1 = createGroupBox(this, "GroupBox1", QStringLiteral("Сведения о полученном доходе"));

    Panel1 = createPanel(GroupBox1, "Panel1");
    lbIncomeCod = createLabel(Panel1, "lbIncomeCod", QStringLiteral("Код дохода"));
    bnIncomeCod = createChooserButton(Panel1, "bnIncomeCod", ChooserHint);
    lbIncomeSum = createLabel(Panel1, "lbIncomeSum", QStringLiteral("Сумма дохода"));
    meIncomeSum = createMoneyEdit(Panel1, "meIncomeSum");
    const int codeWidth = meIncomeSum->width() - bnIncomeCod->width() - 2;
    pnlIncomeCod = createCodePanel(Panel1, "pnlIncomeCod", codeWidth);
    lbIncomeName = createLabel(Panel1, "lbIncomeName", QString());
    lbIncomeName->setWordWrap(true);
    lbIncomeName->setTextFormat(Qt::PlainText);

    Panel2 = createPanel(GroupBox1, "Panel2");
    cbNeenPrilA = createCheckBox(Panel2, "cbNeenPrilA", QStringLiteral("Имущество было приобретено после 01.01.2016"));
    lbKSum = createLabel(Panel2, "lbKSum", QStringLiteral("Кадастровая стоимость"));
    meKSum = createMoneyEdit(Panel2, "meKSum");
    lbKNum = createLabel(Panel2, "lbKNum", QStringLiteral("Кадастровый номер"));
    meKNum = createEdit(Panel2, "meKNum", edtNone, FieldLimits::CadastralNumber);
    lbPrice = createLabel(Panel2, "lbPrice", QStringLiteral("Цена объекта по договору продажи"));
    lbPrice->setWordWrap(true);
    mePrice = createMoneyEdit(Panel2, "mePrice");

    Panel3 = createPanel(GroupBox1, "Panel3");
    lbSubtractCod = createLabel(Panel3, "lbSubtractCod", QStringLiteral("Код вычета (расхода)"));
    bnSubtractCod = createChooserButton(Panel3, "bnSubtractCod", ChooserHint);
    pnlSubtractCod = createCodePanel(Panel3, "pnlSubtractCod", codeWidth);
    lbDeductNote = createLabel(Panel3, "lbDeductNote", QString());
    lbDeductNote->setWordWrap(true);
    lbDeductNote->setTextFormat(Qt::PlainText);
    lbDeductNote->hide();
    lbSubtractSum = createLabel(Panel3, "lbSubtractSum", QStringLiteral("Сумма вычета (расхода)"));
    meSubtractSum = createMoneyEdit(Panel3, "meSubtractSum");
    // A deduction without a sum of its own hides the field; the fields below stay in place.
    QSizePolicy keepsPlace = meSubtractSum->sizePolicy();
    keepsPlace.setRetainSizeWhenHidden(true);
    meSubtractSum->setSizePolicy(keepsPlace);
    lbPropSale = createLabel(Panel3, "lbPropSale", QStringLiteral("Месяц получения дохода "));
    mePropSale = createEdit(Panel3, "mePropSale", edtDigital, MonthDigits);
    mePropSale->setFixedWidth(fieldWidth(mePropSale, MonthDigits + 2));
    lbHoldSum = createLabel(Panel3, "lbHoldSum", QStringLiteral("Сумма удержанного налога"));
    meHoldSum = createEdit(Panel3, "meHoldSum", edtWholeRoubles, WithheldTaxDigits);
    meHoldSum->setFixedWidth(meIncomeSum->width());

    for (QWidget* control : std::initializer_list<QWidget*>{
             meIncomeSum, cbNeenPrilA, lbKSum, meKSum, lbKNum, meKNum, lbPrice, mePrice, lbSubtractCod,
             bnSubtractCod, lbSubtractSum, meSubtractSum, lbPropSale, mePropSale, lbHoldSum, meHoldSum})
        control->setEnabled(false);
    Panel2->hide();
    // Other rates have no month; only a resident's lines at them carry their own withheld tax.
    lbPropSale->setHidden(!asksMonthField());
    mePropSale->setHidden(!asksMonthField());
    lbHoldSum->setHidden(FRate != QStringLiteral("100"));
    meHoldSum->setHidden(FRate != QStringLiteral("100"));
}

void TfmInput13Income::layOutControls()
{
    QHBoxLayout* buttons = createButtons();
    bnOk->setObjectName(QStringLiteral("bnYes"));

    const auto codeRow = [](QLabel* panel, QPushButton* chooser) {
        auto* row = new QHBoxLayout;
        row->setSpacing(2);
        row->addWidget(panel);
        row->addWidget(chooser);
        row->addStretch();
        return row;
    };
    const auto grid = [](QWidget* panel) {
        auto* layout = new QGridLayout(panel);
        layout->setContentsMargins(PanelMargins);
        layout->setHorizontalSpacing(10);
        layout->setVerticalSpacing(6);
        layout->setColumnStretch(1, 1);
        return layout;
    };
    constexpr Qt::Alignment Left = Qt::AlignLeft | Qt::AlignVCenter;

    QGridLayout* income = grid(Panel1);
    income->addWidget(lbIncomeCod, 0, 0);
    income->addLayout(codeRow(pnlIncomeCod, bnIncomeCod), 0, 1);
    income->addWidget(lbIncomeName, 1, 0, 1, 2);
    income->addWidget(lbIncomeSum, 2, 0);
    income->addWidget(meIncomeSum, 2, 1, Left);

    QGridLayout* sale = grid(Panel2);
    sale->addWidget(cbNeenPrilA, 0, 0, 1, 2);
    sale->addWidget(lbKSum, 1, 0);
    sale->addWidget(meKSum, 1, 1, Left);
    sale->addWidget(lbKNum, 2, 0);
    sale->addWidget(meKNum, 2, 1);
    sale->addWidget(lbPrice, 3, 0);
    sale->addWidget(mePrice, 3, 1, Left);

    QGridLayout* deduction = grid(Panel3);
    deduction->addWidget(lbSubtractCod, 0, 0);
    deduction->addLayout(codeRow(pnlSubtractCod, bnSubtractCod), 0, 1);
    deduction->addWidget(lbDeductNote, 1, 0, 1, 2);
    deduction->addWidget(lbSubtractSum, 2, 0);
    deduction->addWidget(meSubtractSum, 2, 1, Left);
    deduction->addWidget(lbPropSale, 3, 0);
    deduction->addWidget(mePropSale, 3, 1, Left);
    deduction->addWidget(lbHoldSum, 4, 0);
    deduction->addWidget(meHoldSum, 4, 1, Left);

    // The three panels share the column of their captions, so that the fields line up.
    int captionWidth = 0;
    for (const QLabel* label : {lbIncomeCod, lbIncomeSum, lbKSum, lbKNum, lbSubtractCod, lbSubtractSum, lbPropSale,
                                lbHoldSum})
        captionWidth = std::max(captionWidth, label->sizeHint().width());
    for (QGridLayout* panel : {income, sale, deduction})
        panel->setColumnMinimumWidth(0, captionWidth);
    // The price's caption is the longest; it wraps within the column rather than widen it.
    lbPrice->setFixedWidth(captionWidth);
    lbIncomeName->setMinimumWidth(ClientWidth - 40);
    lbDeductNote->setMinimumWidth(ClientWidth - 40);

    auto* group = new QVBoxLayout(GroupBox1);
    group->setContentsMargins(10, 8, 10, 10);
    group->setSpacing(10);
    group->addWidget(Panel1);
    group->addWidget(Panel2);
    group->addWidget(Panel3);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->setSpacing(8);
    layout->addWidget(GroupBox1);
    layout->addLayout(buttons);
    // The dialog grows and shrinks with the sale details.
    layout->setSizeConstraint(QLayout::SetFixedSize);
    GroupBox1->setMinimumWidth(ClientWidth - 16);
}

void TfmInput13Income::connectHandlers()
{
    connect(bnIncomeCod, &QPushButton::clicked, this, &TfmInput13Income::bnIncomeCodClick);
    connect(bnSubtractCod, &QPushButton::clicked, this, &TfmInput13Income::bnSubtractCodClick);
    connect(meIncomeSum, &TMaskedEdit::textChanged, this, &TfmInput13Income::meIncomeSumChange);
    connect(meSubtractSum, &TMaskedEdit::textChanged, this, &TfmInput13Income::meSubtractSumChange);
    connect(mePropSale, &TMaskedEdit::textChanged, this, &TfmInput13Income::mePropSaleChange);
    connect(cbNeenPrilA, &QCheckBox::toggled, this, &TfmInput13Income::cbNeenPrilAClick);
    connect(meKSum, &TMaskedEdit::textChanged, this, &TfmInput13Income::saleFigureChange);
    connect(mePrice, &TMaskedEdit::textChanged, this, &TfmInput13Income::saleFigureChange);
}

bool TfmInput13Income::asksMonthField() const
{
    return FRate == QStringLiteral("13") || FRate == QStringLiteral("15");
}

bool TfmInput13Income::asksMonth() const
{
    return FResident && asksMonthField();
}

DeductionRule TfmInput13Income::deductionRule() const
{
    return {FDeductPercent, FDeductEquivalent, FDeductMaxSum};
}

QString TfmInput13Income::checkSection() const
{
    if (FRate == QStringLiteral("100"))
        return QStringLiteral("Доходы, облагаемые по иным ставкам");
    return QStringLiteral("Доходы, облагаемые по ставке ") + FRate + u'%';
}

const DictionaryIncome* TfmInput13Income::chosenIncome() const
{
    return pnlIncomeCod->text().isEmpty() ? nullptr : dictionary_.income(pnlIncomeCod->text());
}

void TfmInput13Income::bnIncomeCodClick()
{
    std::uint16_t mode = TfmInputIncomeCode::RussianSource;
    if (FResident && FIsIT)
        mode = TfmInputIncomeCode::InvestmentPartnership;
    else if (!FResident)
        mode = FRate == u"30" ? TfmInputIncomeCode::NonResident : TfmInputIncomeCode::NonResidentAtRate;
    TfmInputIncomeCode picker(this, dictionary_, FRate, pnlIncomeCod->text(), mode);
    if (picker.exec() != TfmInputIncomeCode::Chosen)
        return;
    chooseIncomeCode(picker.GetCode());
}

void TfmInput13Income::chooseIncomeCode(const QString& code)
{
    if (code.isEmpty() || code == pnlIncomeCod->text())
        return;
    const DictionaryIncome* income = dictionary_.income(code);
    const QScopedValueRollback<bool> filling(filling_, true);
    // A code is mostly changed to correct it: what was typed for the line stays, the amount, the
    // month, the details of a sale, and the deduction as far as the new income allows it. The
    // fixed deduction of 2799 came with its code and goes with it.
    const QString previousDeduction =
        pnlIncomeCod->text().toInt() == FixedDeductionIncome ? QString() : pnlSubtractCod->text();
    const QString previousSum = meSubtractSum->text();
    resetDeduction();
    showDeductNote(QString());
    pnlIncomeCod->setText(code);
    lbIncomeName->setText(income ? income->name.trimmed() : unknownIncomeCodeMessage(code));
    meIncomeSum->setEnabled(true);
    lbHoldSum->setEnabled(true);
    meHoldSum->setEnabled(true);
    mePropSale->setEnabled(asksMonth());
    lbPropSale->setEnabled(asksMonth());

    const std::int32_t number = code.toInt();
    if (number == FixedDeductionIncome) {
        showFixedDeduction();
        meSubtractSum->setText(moneyText(meIncomeSum->currencyValue()));
    } else {
        FHasDeductions = income && !income->deductions.empty() && (FResident || nonResidentMayDeduct(number));
        setDeductionControlsEnabled(FHasDeductions);
    }
    if (!previousDeduction.isEmpty() && FHasDeductions && income->deduction(previousDeduction)) {
        keepDeduction(previousDeduction, previousSum, income);
    } else {
        if (number != FixedDeductionIncome)
            meSubtractSum->clear();
        // "No deduction" takes nothing away.
        if (!previousDeduction.isEmpty() && previousDeduction != u"0")
            showDeductNote(QStringLiteral("Вычет %1 не предоставляется по коду дохода %2: он удален.")
                               .arg(previousDeduction, code));
    }
    showSaleDetails(IsRealEstateSale(number));
}

void TfmInput13Income::keepDeduction(const QString& code, const QString& typedSum, const DictionaryIncome* income)
{
    takeDeduction(*income->deduction(code));
    meSubtractSum->setText(typedSum);
    // The new income's rule of the deduction, its share or its cap, holds from now on.
    setDeductionText(deductionForIncome(deductionRule(), meIncomeSum->currencyValue(), meSubtractSum->currencyValue()));
}

void TfmInput13Income::showDeductNote(const QString& note)
{
    lbDeductNote->setText(note);
    lbDeductNote->setVisible(!note.isEmpty());
}

void TfmInput13Income::bnSubtractCodClick()
{
    const DictionaryIncome* income = chosenIncome();
    if (!income)
        return;
    TfmInputDeductCode picker(this, *income, pnlSubtractCod->text(), FResident);
    if (picker.exec() != TfmInputDeductCode::Chosen)
        return;
    chooseDeductCode(picker.FCode());
}

void TfmInput13Income::chooseDeductCode(const QString& code)
{
    const DictionaryIncome* income = chosenIncome();
    const DictionaryDeduction* deduction = income ? income->deduction(code) : nullptr;
    if (!deduction || code == pnlSubtractCod->text())
        return;
    const QScopedValueRollback<bool> filling(filling_, true);
    showDeductNote(QString());
    meSubtractSum->setText(QString());
    takeDeduction(*deduction);
    if (const std::optional<Currency> sum = ruleDeduction(deductionRule(), meIncomeSum->currencyValue()))
        meSubtractSum->setText(moneyText(*sum));
}

void TfmInput13Income::takeDeduction(const DictionaryDeduction& deduction)
{
    pnlSubtractCod->setText(deduction.code);
    FDeductEnabled = deduction.enabled;
    FDeductEquivalent = deduction.equivalent;
    FDeductMaxSum = deduction.maxSum;
    FDeductPercent = deduction.percent;
    lbSubtractSum->setEnabled(deduction.visible);
    meSubtractSum->setVisible(deduction.visible);
    meSubtractSum->setEnabled(deduction.enabled);
}

void TfmInput13Income::resetDeduction()
{
    FHasDeductions = false;
    FDeductEnabled = false;
    FDeductEquivalent = false;
    FDeductMaxSum = Currency();
    FDeductPercent = 0;
    pnlSubtractCod->clear();
    meSubtractSum->setVisible(true);
}

void TfmInput13Income::setDeductionControlsEnabled(bool enabled)
{
    lbSubtractCod->setEnabled(enabled);
    bnSubtractCod->setEnabled(enabled);
    lbSubtractSum->setEnabled(enabled);
    // The sum waits for a deduction to be chosen.
    meSubtractSum->setEnabled(false);
}

void TfmInput13Income::showFixedDeduction()
{
    FHasDeductions = false;
    pnlSubtractCod->setText(QString::number(FixedDeductionCode));
    lbSubtractCod->setEnabled(true);
    lbSubtractSum->setEnabled(true);
    bnSubtractCod->setEnabled(false);
    meSubtractSum->setEnabled(false);
}

void TfmInput13Income::showSaleDetails(bool shown)
{
    Panel2->setVisible(shown);
    cbNeenPrilA->setEnabled(shown);
    meIncomeSum->setEnabled(!(shown && cbNeenPrilA->isChecked()));
}

void TfmInput13Income::setDeductionText(Currency sum)
{
    // A sum that reads the same is left as typed.
    if (isEmpty(meSubtractSum) ? sum != Currency() : meSubtractSum->currencyValue() != sum)
        meSubtractSum->setText(moneyText(sum));
}

void TfmInput13Income::meIncomeSumChange()
{
    if (filling_)
        return;
    const Currency income = meIncomeSum->currencyValue();
    if (pnlIncomeCod->text().toInt() == FixedDeductionIncome) {
        setDeductionText(income);
        return;
    }
    if (!FHasDeductions)
        return;
    const Currency deduction = deductionForIncome(deductionRule(), income, meSubtractSum->currencyValue());
    setDeductionText(deduction);
}

void TfmInput13Income::meSubtractSumChange()
{
    if (filling_ || !FDeductEnabled)
        return;
    setDeductionText(cappedDeduction(deductionRule(), meSubtractSum->currencyValue()));
}

void TfmInput13Income::mePropSaleChange()
{
    if (filling_ || isEmpty(mePropSale))
        return;
    const int month = mePropSale->text().toInt();
    if (month >= 1 && month <= 12)
        return;
    mePropSale->setText(month > 12 ? QStringLiteral("12") : QStringLiteral("1"));
    // Selected, the corrected month gives way to the next digit: "0" then "5" is May, not "15".
    mePropSale->selectAll();
}

void TfmInput13Income::cbNeenPrilAClick(bool checked)
{
    for (QWidget* control : std::initializer_list<QWidget*>{lbPrice, mePrice, lbKSum, meKSum, lbKNum, meKNum})
        control->setEnabled(checked);
    meIncomeSum->setEnabled(!checked);
    // The figures stay while the dialog is open: a box unticked by mistake loses nothing, and the
    // accessors give them only while it is ticked. Ticked again, the income follows them again;
    // unticked, it stays as it stands, to be typed.
    if (checked && !filling_ && (meKSum->currencyValue() != Currency() || mePrice->currencyValue() != Currency()))
        saleFigureChange();
}

void TfmInput13Income::saleFigureChange()
{
    if (filling_ || !cbNeenPrilA->isChecked())
        return;
    meIncomeSum->setText(currencyDisplayText(propertySaleIncome(meKSum->currencyValue(), mePrice->currencyValue())));
}

void TfmInput13Income::showLine(const mTIncome& line)
{
    const PageLoadingScope filling;
    const QScopedValueRollback<bool> fillingFields(filling_, true);
    resetDeduction();
    if (line.IncomeCode == 0)
        return;

    const QString code = QString::number(line.IncomeCode);
    const DictionaryIncome* income = dictionary_.income(code);
    pnlIncomeCod->setText(code);
    lbIncomeName->setText(income ? income->name.trimmed() : unknownIncomeCodeMessage(code));
    meIncomeSum->setEnabled(true);
    meIncomeSum->setText(moneyText(line.Amount));
    lbHoldSum->setEnabled(true);
    meHoldSum->setEnabled(true);
    meHoldSum->setText(moneyText(line.WithheldTax));
    if (asksMonth()) {
        lbPropSale->setEnabled(true);
        mePropSale->setEnabled(true);
        mePropSale->setText(line.Month == 0 ? QString() : QString::number(line.Month));
    }
    showStoredDeduction(line, income);

    const bool sale = IsRealEstateSale(line.IncomeCode);
    if (sale) {
        cbNeenPrilA->setEnabled(true);
        cbNeenPrilA->setChecked(line.PropertyFlag != 0);
        if (line.PropertyFlag != 0) {
            mePrice->setText(moneyText(line.ContractPrice));
            meKSum->setText(moneyText(line.CadastralValue));
            meKNum->setText(QString::fromStdString(line.CadastralNumber));
        }
    }
    showSaleDetails(sale);
    meIncomeSum->setFocus();
}

void TfmInput13Income::showStoredDeduction(const mTIncome& line, const DictionaryIncome* income)
{
    const QString code = QString::number(line.DeductionCode);
    if (line.IncomeCode == FixedDeductionIncome) {
        // The field is locked: it shows what the line will carry, the whole income.
        showFixedDeduction();
        meSubtractSum->setText(moneyText(line.Amount));
        return;
    }
    if (!income) {
        // A code of an earlier year's dictionary: the line keeps its deduction as it was stored.
        FDeductPercent = std::uint16_t(line.DeductionPercent);
        setDeductionControlsEnabled(false);
        if (line.DeductionCode != 0)
            pnlSubtractCod->setText(code);
        meSubtractSum->setText(moneyText(line.Deduction));
        return;
    }
    FHasDeductions = !income->deductions.empty() && (FResident || nonResidentMayDeduct(line.IncomeCode));
    setDeductionControlsEnabled(FHasDeductions);
    if (!FHasDeductions)
        return;
    const DictionaryDeduction* deduction = income->deduction(code);
    if (!deduction)
        return; // the check asks for a deduction of this year's dictionary
    takeDeduction(*deduction);
    const Currency sum = ruleDeduction(deductionRule(), line.Amount).value_or(line.Deduction);
    meSubtractSum->setText(moneyText(sum));
}

void TfmInput13Income::confirm()
{
    switch (checkLine()) {
    case 0:
        done(Confirmed);
        break;
    case IncomeCodeElement:
        bnIncomeCod->setFocus();
        bnIncomeCod->click();
        break;
    case IncomeSumElement:
        meIncomeSum->setFocus();
        break;
    case DeductCodeElement:
        bnSubtractCod->setFocus();
        bnSubtractCod->click();
        break;
    case DeductSumElement:
        meSubtractSum->setFocus();
        break;
    case WithheldTaxElement:
        meHoldSum->setFocus();
        break;
    default:
        break;
    }
}

std::uint16_t TfmInput13Income::checkLine()
{
    CheckRun run(this, checkSection());
    TfmCheckError& dialog = run.dialog();
    dialog.Button3->setEnabled(false);
    // Faults that "Пропустить" may not pass: closing the check means fixing them.
    const auto report = [&](bool skippable, const QString& message, std::uint16_t code) {
        dialog.Button2->setEnabled(skippable);
        run.report(message, code);
    };

    const bool hasCode = !pnlIncomeCod->text().isEmpty();
    const bool hasIncome = !isEmpty(meIncomeSum);
    const Currency income = meIncomeSum->currencyValue();
    if (!hasCode)
        report(true, QStringLiteral("Не выбран доход"), IncomeCodeElement);
    if (!hasIncome)
        report(false, QStringLiteral("Не указана сумма дохода"), hasCode ? IncomeSumElement : IncomeCodeElement);
    if (FHasDeductions && pnlSubtractCod->text().isEmpty())
        report(true, QStringLiteral("Не выбран вычет"), DeductCodeElement);
    if (!meHoldSum->isHidden() && !isEmpty(meHoldSum) && hasIncome && meHoldSum->currencyValue() > income)
        report(false, QStringLiteral("Удержанный налог превышает доход"), WithheldTaxElement);
    if (FDeductEnabled && !isEmpty(meSubtractSum) && hasIncome && meSubtractSum->currencyValue() > income
        && !deductionMayExceedIncome(GetIncomeCode(), GetDeductCode()))
        report(false, QStringLiteral("Сумма вычета превышает сумму дохода"), DeductSumElement);
    return run.result();
}

std::int32_t TfmInput13Income::GetIncomeCode() const
{
    return pnlIncomeCod->text().toInt();
}

Currency TfmInput13Income::GetIncomeSum() const
{
    return meIncomeSum->currencyValue();
}

std::int32_t TfmInput13Income::GetDeductCode() const
{
    return pnlSubtractCod->text().toInt();
}

Currency TfmInput13Income::GetDeductSum() const
{
    return meSubtractSum->currencyValue();
}

std::uint16_t TfmInput13Income::GetMonth() const
{
    if (isEmpty(mePropSale))
        return 1;
    return std::uint16_t(std::clamp(mePropSale->text().toInt(), 1, 12));
}

Currency TfmInput13Income::GetWithheldTax() const
{
    return meHoldSum->currencyValue();
}

bool TfmInput13Income::saleDetailsCount() const
{
    return !Panel2->isHidden() && cbNeenPrilA->isChecked();
}

bool TfmInput13Income::GetAcquiredAfter2016() const
{
    return saleDetailsCount();
}

QString TfmInput13Income::GetCadastralNumber() const
{
    return saleDetailsCount() ? meKNum->text() : QString();
}

Currency TfmInput13Income::GetCadastralValue() const
{
    return saleDetailsCount() ? meKSum->currencyValue() : Currency();
}

Currency TfmInput13Income::GetPrice() const
{
    return saleDetailsCount() ? mePrice->currencyValue() : Currency();
}

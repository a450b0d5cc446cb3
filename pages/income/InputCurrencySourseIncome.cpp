#include "pages/income/InputCurrencySourseIncome.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "controls/CheckRun.h"
#include "controls/CountryChooser.h"
#include "controls/DeclModified.h"
#include "controls/MaskedEdit.h"
#include "controls/PageWidgets.h"
#include "controls/ProgramContext.h"
#include "export/FieldLimits.h"

namespace {

constexpr QSize ClientSize(520, 230);

constexpr int CountryCodeLength = FieldFacetOf("РасчДохНалИно", "ОКСМИст").maxLength;

const QString FixedProfitSource = QStringLiteral("Фиксированная прибыль КИК");
const QString RussiaCode = QStringLiteral("643");
// The directory's last entry: no country. It may name where a payment was credited (in cash or
// in kind), never where it came from.
const QString NoCountryCode = QStringLiteral("999");

TMaskedEdit* createCountryEdit(QWidget* parent, const char* name)
{
    TMaskedEdit* edit = createEdit(parent, name, edtDigital, CountryCodeLength);
    edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 12);
    // Only the picker fills it.
    edit->setEnabled(false);
    return edit;
}

TfmGrazhd* countryPicker()
{
    ProgramContext* context = programContext();
    return context ? context->countryChooser() : nullptr;
}

} // namespace

TfmInputCurrencySourseIncome::TfmInputCurrencySourseIncome(QWidget* owner)
    : TConfirmDialog(owner, QStringLiteral("TfmInputCurrencySourseIncome"), QStringLiteral("Доход")),
      lbSourseName(createLabel(this, "lbSourseName", QStringLiteral("Наименование источника выплаты"))),
      meSourseName(createEdit(this, "meSourseName", edtNone, FieldLimits::ForeignSourceName)),
      chbKIK(createCheckBox(this, "chbKIK", FixedProfitSource)),
      lbGos(createLabel(this, "lbGos", QStringLiteral("Код страны источника выплаты"))),
      meGos(createCountryEdit(this, "meGos")),
      Button1(createChooserButton(this, "Button1", QStringLiteral("Справочник стран"))),
      lbGos2(createLabel(this, "lbGos2", QStringLiteral("Код страны зачисления выплаты"))),
      meGos2(createCountryEdit(this, "meGos2")),
      Button2(createChooserButton(this, "Button2", QStringLiteral("Справочник стран")))
{
    QHBoxLayout* buttons = createButtons();
    // Shown only where the caller offers a controlled foreign company's fixed profit.
    chbKIK->setVisible(false);
    lockForFixedProfit(false);

    auto* countries = new QGridLayout;
    countries->setHorizontalSpacing(8);
    countries->setColumnStretch(3, 1);
    const struct {
        QLabel* label;
        TMaskedEdit* edit;
        QPushButton* button;
    } rows[] = {{lbGos, meGos, Button1}, {lbGos2, meGos2, Button2}};
    for (int row = 0; row < 2; ++row) {
        countries->addWidget(rows[row].label, row, 0);
        countries->addWidget(rows[row].edit, row, 1);
        countries->addWidget(rows[row].button, row, 2);
    }

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(14, 12, 14, 12);
    layout->setSpacing(6);
    layout->addWidget(lbSourseName);
    layout->addWidget(meSourseName);
    layout->addWidget(chbKIK);
    layout->addSpacing(4);
    layout->addLayout(countries);
    layout->addStretch();
    layout->addLayout(buttons);
    // The design's size, unless the fonts of this system need more.
    setFixedSize(ClientSize.expandedTo(layout->totalMinimumSize()));

    connect(chbKIK, &QCheckBox::clicked, this, &TfmInputCurrencySourseIncome::fixedProfitClicked);
    connect(Button1, &QPushButton::clicked, this, [this] { chooseCountry(meGos, TfmGrazhd::NotUsed); });
    connect(Button2, &QPushButton::clicked, this, [this] { chooseCountry(meGos2, TfmGrazhd::CashOrInKindPayment); });

    meSourseName->setFocus();
}

QString TfmInputCurrencySourseIncome::SourceName() const
{
    return meSourseName->text();
}

void TfmInputCurrencySourseIncome::SetSourceName(const QString& value)
{
    // The caller's preset is no edit of the user's.
    const PageLoadingScope presetting;
    meSourseName->setText(value);
}

QString TfmInputCurrencySourseIncome::SourceCountry() const
{
    return meGos->text();
}

void TfmInputCurrencySourseIncome::SetSourceCountry(const QString& value)
{
    const PageLoadingScope presetting;
    meGos->setText(value);
}

QString TfmInputCurrencySourseIncome::CreditCountry() const
{
    return meGos2->text();
}

void TfmInputCurrencySourseIncome::SetCreditCountry(const QString& value)
{
    const PageLoadingScope presetting;
    meGos2->setText(value);
}

bool TfmInputCurrencySourseIncome::FixedProfit() const
{
    return chbKIK->isChecked();
}

void TfmInputCurrencySourseIncome::SetFixedProfit(bool value)
{
    // Only the user's click fills in or clears the source: a preset must not wipe the name and
    // countries the caller has set or is about to set.
    chbKIK->setChecked(value);
    lockForFixedProfit(value);
}

void TfmInputCurrencySourseIncome::fixedProfitClicked(bool checked)
{
    if (checked) {
        meSourseName->setText(FixedProfitSource);
        meGos->setText(RussiaCode);
        meGos2->setText(RussiaCode);
    } else {
        meSourseName->setText(QString());
        meGos->setText(QString());
        meGos2->setText(QString());
    }
    lockForFixedProfit(checked);
}

void TfmInputCurrencySourseIncome::lockForFixedProfit(bool locked)
{
    const bool canPick = !locked && countryPicker() != nullptr;
    meSourseName->setEnabled(!locked);
    Button1->setEnabled(canPick);
    Button2->setEnabled(canPick);
}

void TfmInputCurrencySourseIncome::chooseCountry(TMaskedEdit* edit, std::uint16_t mode)
{
    TfmGrazhd* picker = countryPicker();
    if (!picker)
        return;
    picker->SelectByCode(edit->text());
    picker->SetMode(mode);
    if (picker->exec() != TfmGrazhd::Chosen)
        return;
    const QString code = picker->FCode().trimmed();
    // The edit tells the declaration's window of the change itself.
    if (code != edit->text())
        edit->setText(code);
}

TfmInputCurrencySourseIncome::SourceCheckResult TfmInputCurrencySourseIncome::CheckSource()
{
    CheckRun run(this, QStringLiteral("Источник дохода"));
    run.dialog().Button3->setEnabled(false);
    bool failed = false;
    const auto rule = [&](bool fails, const QString& message, SourceCheckResult toFix) {
        if (!fails || run.isOver())
            return;
        failed = true;
        run.report(message, toFix);
    };
    const QString sourceCountry = meGos->text().trimmed();
    rule(meSourseName->text().trimmed().isEmpty(), QStringLiteral("Не указан источник выплаты дохода"), FixSourceName);
    rule(sourceCountry.isEmpty(), QStringLiteral("Не выбран код страны источника выплаты"), FixSourceCountry);
    rule(sourceCountry == NoCountryCode,
         QStringLiteral("Код 999 допускается только для страны зачисления, укажите другой код"), FixSourceCountry);
    rule(meGos2->text().trimmed().isEmpty(), QStringLiteral("Не выбран код страны зачисления выплаты"),
         FixCreditCountry);
    if (run.result() != SourceValid)
        return SourceCheckResult(run.result());
    return failed ? SourceSkipped : SourceValid;
}

void TfmInputCurrencySourseIncome::confirm()
{
    switch (CheckSource()) {
    case SourceValid:
        done(Confirmed);
        break;
    case FixSourceCountry:
        Button1->setFocus();
        Button1->click();
        break;
    case FixSourceName:
        meSourseName->setFocus();
        break;
    case FixCreditCountry:
        Button2->setFocus();
        Button2->click();
        break;
    case SourceSkipped:
        break;
    }
}

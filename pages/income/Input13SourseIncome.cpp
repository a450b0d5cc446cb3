#include "pages/income/Input13SourseIncome.h"

#include <utility>

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "controls/CheckRun.h"
#include "controls/MaskedEdit.h"
#include "controls/PageWidgets.h"
#include "controls/PaymentSourceCheck.h"
#include "export/FieldLimits.h"

namespace {

constexpr QSize ClientSize(542, 291);

const QString CheckSection = QStringLiteral("Доходы, облагаемые по ставке 13%");

TMaskedEdit* createDigitsEdit(QWidget* parent, const char* name, int length)
{
    TMaskedEdit* edit = createEdit(parent, name, edtDigital, length);
    edit->setFixedWidth(fieldWidth(edit, length));
    return edit;
}

} // namespace

TfmInput13SourseIncome::TfmInput13SourseIncome(QWidget* owner, bool allowIT)
    : TConfirmDialog(owner, QStringLiteral("TfmInput13SourseIncome"), QStringLiteral("Источник выплаты")),
      lbSourseName(createLabel(this, "lbSourseName", QStringLiteral("Наименование источника выплаты"))),
      meSourseName(createEdit(this, "meSourseName", edtNone, FieldLimits::SourceName)),
      lbINN(createLabel(this, "lbINN", QStringLiteral("ИНН"))),
      meINN(createDigitsEdit(this, "meINN", FieldLimits::Inn)),
      lbKPP(createLabel(this, "lbKPP", QStringLiteral("КПП"))),
      meKPP(createDigitsEdit(this, "meKPP", FieldLimits::Kpp)),
      lbOKATO(createLabel(this, "lbOKATO", QStringLiteral("ОКТМО"))),
      meOKATO(createDigitsEdit(this, "meOKATO", FieldLimits::Oktmo)),
      chbPrimaryWorkplase(createCheckBox(this, "chbPrimaryWorkplase",
                                         QStringLiteral("Расчет стандартных вычетов вести по этому источнику"))),
      chbIsIT(createCheckBox(this, "chbIsIT", QStringLiteral("Источник является инвестиционным товариществом")))
{
    QHBoxLayout* buttons = createButtons();
    chbIsIT->setEnabled(allowIT);

    auto* numbers = new QGridLayout;
    numbers->setHorizontalSpacing(10);
    numbers->setColumnStretch(2, 1);
    const std::pair<QLabel*, TMaskedEdit*> rows[] = {{lbINN, meINN}, {lbKPP, meKPP}, {lbOKATO, meOKATO}};
    for (int row = 0; row < 3; ++row) {
        numbers->addWidget(rows[row].first, row, 0);
        numbers->addWidget(rows[row].second, row, 1);
    }

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(14, 12, 14, 12);
    layout->setSpacing(6);
    layout->addWidget(lbSourseName);
    layout->addWidget(meSourseName);
    layout->addSpacing(4);
    layout->addLayout(numbers);
    layout->addSpacing(4);
    layout->addWidget(chbPrimaryWorkplase);
    layout->addWidget(chbIsIT);
    layout->addStretch();
    layout->addLayout(buttons);
    // The design's size, unless the fonts of this system need more.
    setFixedSize(ClientSize.expandedTo(layout->totalMinimumSize()));

    meSourseName->setFocus();
}

QString TfmInput13SourseIncome::GetName() const
{
    return meSourseName->text();
}

void TfmInput13SourseIncome::SetName(const QString& value)
{
    meSourseName->setText(value);
}

QString TfmInput13SourseIncome::GetINN() const
{
    return meINN->text();
}

void TfmInput13SourseIncome::SetINN(const QString& value)
{
    meINN->setText(value);
}

QString TfmInput13SourseIncome::GetKPP() const
{
    return meKPP->text();
}

void TfmInput13SourseIncome::SetKPP(const QString& value)
{
    meKPP->setText(value);
}

QString TfmInput13SourseIncome::GetOKTMO() const
{
    return meOKATO->text();
}

void TfmInput13SourseIncome::SetOKTMO(const QString& value)
{
    meOKATO->setText(value);
}

bool TfmInput13SourseIncome::GetPrimaryWorkplace() const
{
    return chbPrimaryWorkplase->isChecked();
}

void TfmInput13SourseIncome::SetPrimaryWorkplace(bool value)
{
    chbPrimaryWorkplase->setChecked(value);
}

bool TfmInput13SourseIncome::GetIsIT() const
{
    return chbIsIT->isChecked();
}

void TfmInput13SourseIncome::SetIsIT(bool value)
{
    chbIsIT->setChecked(value);
}

void TfmInput13SourseIncome::FocusError(std::uint16_t code)
{
    focusElement(code, {{SourceNameElement, meSourseName},
                        {SourceInnElement, meINN},
                        {SourceKppElement, meKPP},
                        {SourceOktmoElement, meOKATO}});
}

void TfmInput13SourseIncome::confirm()
{
    // A missing ОКТМО may be passed by: property sold to a person needs none.
    const std::uint16_t code = CheckPaymentSource(this, CheckSection, GetName(), GetINN(), GetKPP(), GetOKTMO(), true);
    if (code != 0) {
        FocusError(code);
        return;
    }
    done(Confirmed);
}

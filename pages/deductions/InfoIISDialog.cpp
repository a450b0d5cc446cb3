#include "pages/deductions/InfoIISDialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "computation/TaxYearFigures.h"
#include "controls/CheckRun.h"
#include "controls/DateFieldCheck.h"
#include "controls/DisplayFormat.h"
#include "controls/DeclModified.h"
#include "controls/DtpPanel.h"
#include "controls/MaskedEdit.h"
#include "controls/PaymentSourceCheck.h"
#include "model/DayDate.h"
#include "model/InvDeduct.h"
#include "controls/PageWidgets.h"

namespace {

constexpr QSize ClientSize(688, 275);
constexpr int ShortEditWidth = 150;

const QString CheckSection = QStringLiteral("Сведения об индивидуальных инвестиционных счетах");

TDtpPanel* createDateField(QWidget* parent, const char* name)
{
    auto* field = new TDtpPanel(parent);
    field->setObjectName(QLatin1String(name));
    field->setMinDate(*encodeDate(1990, 1, 1));
    field->setMaxDate(*encodeDate(TaxYear, 12, 31));
    field->setDateTime(*encodeDate(TaxYear, 1, 1));
    field->setFixedWidth(ShortEditWidth);
    return field;
}

} // namespace

TfmInputInfoIIS::TfmInputInfoIIS(QWidget* owner)
    : TItemDialog(owner, QStringLiteral("TfmInputInfoIIS"),
                  QStringLiteral("Сведения об индивидуальных инвестиционных счетах"), ClientSize),
      lbSourseName(createLabel(this, "lbSourseName", QStringLiteral("Наименование участника рынка ценных бумаг"))),
      meSourseName(createEdit(this, "meSourseName", edtNone, 1000)),
      lbINN(createLabel(this, "lbINN", QStringLiteral("ИНН"))),
      meINN(createEdit(this, "meINN", edtDigital, 10)),
      lbKPP(createLabel(this, "lbKPP", QStringLiteral("КПП"))),
      meKPP(createEdit(this, "meKPP", edtDigital, 9)),
      lbNumDog(createLabel(this, "lbNumDog", QStringLiteral("Номер договора"))),
      meNomDog(createEdit(this, "meNomDog", edtNone, 20)),
      lbDataDog(createLabel(this, "lbDataDog", QStringLiteral("Дата договора"))),
      dtpDataDog(createDateField(this, "dtpDataDog")),
      lbSum(createLabel(this, "lbSum", QStringLiteral("Внесенные средства"))),
      meSum(createMoneyEdit(this, "meSum", ShortEditWidth)),
      lbDataOpen(createLabel(this, "lbDataOpen", QStringLiteral("Дата открытия ИИС"))),
      dtpDataOpen(createDateField(this, "dtpDataOpen")),
      cbPriznakUpr(
          createCheckBox(this, "cbPriznakUpr", QStringLiteral("Признак предоставления вычета в упрощенном порядке")))
{
    QHBoxLayout* buttons = createButtons();
    for (TMaskedEdit* edit : {meINN, meKPP, meNomDog})
        edit->setFixedWidth(ShortEditWidth);

    auto* fields = new QGridLayout;
    fields->setColumnStretch(2, 1);
    fields->setHorizontalSpacing(12);
    fields->addWidget(lbSourseName, 0, 0, 1, 5);
    fields->addWidget(meSourseName, 1, 0, 1, 5);
    fields->addWidget(lbINN, 2, 0);
    fields->addWidget(meINN, 2, 1);
    fields->addWidget(lbKPP, 2, 3);
    fields->addWidget(meKPP, 2, 4);
    fields->addWidget(lbNumDog, 3, 0);
    fields->addWidget(meNomDog, 3, 1);
    fields->addWidget(lbDataDog, 3, 3);
    fields->addWidget(dtpDataDog, 3, 4);
    fields->addWidget(lbSum, 4, 0);
    fields->addWidget(meSum, 4, 1);
    fields->addWidget(lbDataOpen, 4, 3);
    fields->addWidget(dtpDataOpen, 4, 4);
    fields->addWidget(cbPriznakUpr, 5, 0, 1, 5);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addStretch();
    layout->addLayout(buttons);

    connect(meSum, &QLineEdit::textChanged, this, &TfmInputInfoIIS::meSumChange);
    meSourseName->setFocus();
}

void TfmInputInfoIIS::setAccount(const bmTInfoIIS& account)
{
    // Showing the stored account is no edit of the declaration.
    const PageLoadingScope filling;
    meSourseName->setText(QString::fromStdString(account.ParticipantName));
    meINN->setText(QString::fromStdString(account.ParticipantINN));
    meKPP->setText(QString::fromStdString(account.ParticipantKPP));
    meNomDog->setText(QString::fromStdString(account.ContractNumber));
    dtpDataDog->setDateTime(account.ContractDate);
    dtpDataOpen->setDateTime(account.OpenDate);
    meSum->setCurrencyValue(account.PaidIn);
    cbPriznakUpr->setChecked(account.SimplifiedSign != 0);
}

void TfmInputInfoIIS::storeAccount(bmTInfoIIS& account)
{
    account.ParticipantName = meSourseName->text().toStdString();
    account.ParticipantINN = meINN->text().toStdString();
    account.ParticipantKPP = meKPP->text().toStdString();
    account.ContractNumber = meNomDog->text().toStdString();
    account.ContractDate = dtpDataDog->dateTime();
    account.OpenDate = dtpDataOpen->dateTime();
    account.PaidIn = meSum->currencyValue();
    account.SimplifiedSign = cbPriznakUpr->isChecked() ? 1 : 0;
}

std::uint16_t TfmInputInfoIIS::checkItem()
{
    const std::uint16_t date = checkTypedDates(this, CheckSection,
                                               {{ContractDateElement, dtpDataDog, lbDataDog->text()},
                                                {OpenDateElement, dtpDataOpen, lbDataOpen->text()}});
    if (date != 0)
        return date;
    const std::uint16_t code = CheckPaymentSourceShort(this, CheckSection, meSourseName->text(), meINN->text(),
                                                       meKPP->text(), QString(), false);
    return code != 0 ? code : CheckIISData();
}

std::uint16_t TfmInputInfoIIS::CheckIISData()
{
    CheckRun run(this, CheckSection);
    forbidSkipping(run);
    // An empty sum is shown as the 0 it stands for.
    meSum->setCurrencyValue(meSum->currencyValue());
    if (meSum->currencyValue() == Currency())
        run.report(QStringLiteral("Не указана сумма внесенных денежных средств"), SumElement);
    else if (meNomDog->text().trimmed().isEmpty())
        run.report(QStringLiteral("Не указан номер договора"), NumberElement);
    reportDatesOutsideBounds(run, {{ContractDateElement, dtpDataDog, lbDataDog->text()},
                                   {OpenDateElement, dtpDataOpen, lbDataOpen->text()}});
    return run.result();
}

void TfmInputInfoIIS::FocusError(std::uint16_t code)
{
    focusElement(code, {{NameElement, meSourseName},
                        {InnElement, meINN},
                        {KppElement, meKPP},
                        {NumberElement, meNomDog},
                        {SumElement, meSum},
                        {ContractDateElement, dtpDataDog},
                        {OpenDateElement, dtpDataOpen}});
}

void TfmInputInfoIIS::meSumChange()
{
    const QString limitText = moneyText(InvestmentAccountLimit);
    if (!meSum->text().isEmpty() && meSum->text() != limitText && meSum->currencyValue() >= InvestmentAccountLimit)
        meSum->setText(limitText);
}

#include "pages/deductions/SoursePensDialog.h"

#include <initializer_list>

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

#include "computation/TaxYearFigures.h"
#include "controls/CheckRun.h"
#include "controls/DateFieldCheck.h"
#include "controls/DeclModified.h"
#include "controls/DtpPanel.h"
#include "controls/MaskedEdit.h"
#include "controls/PaymentSourceCheck.h"
#include "model/DayDate.h"
#include "model/SocialDeduct.h"
#include "controls/PageWidgets.h"

namespace {

constexpr QSize ClientSize(542, 383);
constexpr int ShortEditWidth = 150;
constexpr int FundedPensionKind = 4;

const QString CheckSection = QStringLiteral("Пенсионные договоры");
// Contracts need no OKTMO; a text that always passes keeps the requisites check from asking.
const QString AnyOktmo = QStringLiteral("12345678901");

} // namespace

TfmInputSoursePens::TfmInputSoursePens(QWidget* owner)
    : TItemDialog(owner, QStringLiteral("TfmInputSoursePens"), QStringLiteral("Вид и данные договора"), ClientSize),
      gbVid(createGroupBox(this, "gbVid", QStringLiteral("Вид договора"))),
      rbSelf1(createRadio(gbVid, "rbSelf1", QStringLiteral("Договор негосударственного пенсионного обеспечения"))),
      rbSelf2(createRadio(gbVid, "rbSelf2", QStringLiteral("Договор добровольного пенсионного страхования"))),
      rbSelf3(createRadio(gbVid, "rbSelf3", QStringLiteral("Договор добровольного страхования жизни"))),
      rbSelf4(createRadio(gbVid, "rbSelf4",
                          QStringLiteral("Дополнительные страховые взносы на накопительную пенсию"))),
      lbSourseName(createLabel(this, "lbSourseName", QStringLiteral("Наименование организации или фонда"))),
      meSourseName(createEdit(this, "meSourseName", edtNone, 1000)),
      lbINN(createLabel(this, "lbINN", QStringLiteral("ИНН"))),
      meINN(createEdit(this, "meINN", edtDigital, 10)),
      lbKPP(createLabel(this, "lbKPP", QStringLiteral("КПП"))),
      meKPP(createEdit(this, "meKPP", edtDigital, 9)),
      lbNomDog(createLabel(this, "lbNomDog", QStringLiteral("Номер договора"))),
      meNomDog(createEdit(this, "meNomDog", edtNone, 40)),
      lbDatDog(createLabel(this, "lbDatDog", QStringLiteral("Дата договора"))),
      dtpDatDog(new TDtpPanel(this)),
      lbSumVZ(createLabel(this, "lbSumVZ", QStringLiteral("Сумма взноса"))),
      meVZSum(createMoneyEdit(this, "meVZSum", ShortEditWidth))
{
    QHBoxLayout* buttons = createButtons();

    rbSelf1->setChecked(true);
    auto* kinds = new QVBoxLayout(gbVid);
    for (QRadioButton* button : {rbSelf1, rbSelf2, rbSelf3, rbSelf4})
        kinds->addWidget(button);

    dtpDatDog->setObjectName(QStringLiteral("dtpDatDog"));
    dtpDatDog->setMinDate(*encodeDate(1900, 1, 1));
    dtpDatDog->setMaxDate(*encodeDate(TaxYear, 12, 31));
    dtpDatDog->setDateTime(*encodeDate(TaxYear, 1, 1));
    dtpDatDog->setFixedWidth(ShortEditWidth);
    for (TMaskedEdit* edit : {meINN, meKPP})
        edit->setFixedWidth(ShortEditWidth);

    auto* fields = new QGridLayout;
    fields->setColumnStretch(3, 1);
    fields->addWidget(lbSourseName, 0, 0, 1, 4);
    fields->addWidget(meSourseName, 1, 0, 1, 4);
    fields->addWidget(lbINN, 2, 0);
    fields->addWidget(meINN, 2, 1);
    fields->addWidget(lbKPP, 3, 0);
    fields->addWidget(meKPP, 3, 1);
    fields->addWidget(lbNomDog, 4, 0);
    fields->addWidget(meNomDog, 4, 1, 1, 3);
    fields->addWidget(lbDatDog, 5, 0);
    fields->addWidget(dtpDatDog, 5, 1);
    fields->addWidget(lbSumVZ, 6, 0);
    fields->addWidget(meVZSum, 6, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(gbVid);
    layout->addLayout(fields);
    layout->addStretch();
    layout->addLayout(buttons);

    for (QRadioButton* button : {rbSelf1, rbSelf2, rbSelf3})
        connect(button, &QRadioButton::toggled, this, [this](bool on) {
            if (on)
                SetContractFieldsEnabled(true);
        });
    connect(rbSelf4, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            SetContractFieldsEnabled(false);
    });
    meSourseName->setFocus();
}

int TfmInputSoursePens::kind() const
{
    const QRadioButton* buttons[] = {rbSelf1, rbSelf2, rbSelf3, rbSelf4};
    for (int i = 0; i < 4; ++i) {
        if (buttons[i]->isChecked())
            return i + 1;
    }
    return 0;
}

void TfmInputSoursePens::setKind(int kind)
{
    QRadioButton* buttons[] = {rbSelf1, rbSelf2, rbSelf3, rbSelf4};
    if (kind >= 1 && kind <= 4)
        buttons[kind - 1]->setChecked(true);
}

void TfmInputSoursePens::setContract(const mTPens& contract)
{
    // Showing the stored contract is no edit of the declaration.
    const PageLoadingScope filling;
    meSourseName->setText(QString::fromStdString(contract.OrgName));
    meINN->setText(QString::fromStdString(contract.OrgINN));
    meKPP->setText(QString::fromStdString(contract.OrgKPP));
    meNomDog->setText(QString::fromStdString(contract.ContractNumber));
    dtpDatDog->setDateTime(contract.ContractDate);
    setKind(contract.ContractKind);
    meVZSum->setCurrencyValue(contract.Sum);
}

void TfmInputSoursePens::storeContract(mTPens& contract)
{
    contract.OrgName = meSourseName->text().toStdString();
    contract.OrgINN = meINN->text().toStdString();
    contract.OrgKPP = meKPP->text().toStdString();
    contract.ContractNumber = meNomDog->text().toStdString();
    contract.ContractKind = kind();
    contract.ContractDate = dtpDatDog->dateTime();
    contract.Sum = meVZSum->currencyValue();
}

std::uint16_t TfmInputSoursePens::checkItem()
{
    const std::uint16_t date =
        checkTypedDates(this, CheckSection, {{ContractDateElement, dtpDatDog, lbDatDog->text()}});
    if (date != 0)
        return date;
    if (kind() == FundedPensionKind)
        return 0;
    const std::uint16_t code = CheckPaymentSourceShort(this, CheckSection, meSourseName->text(), meINN->text(),
                                                       meKPP->text(), AnyOktmo, true);
    if (code != 0 || !meNomDog->text().trimmed().isEmpty())
        return code;
    CheckRun run(this, CheckSection);
    forbidSkipping(run);
    run.report(QStringLiteral("Введите номер договора"), NumberElement);
    return run.result();
}

void TfmInputSoursePens::FocusError(std::uint16_t code)
{
    focusElement(code, {{NameElement, meSourseName},
                        {InnElement, meINN},
                        {KppElement, meKPP},
                        {NumberElement, meNomDog},
                        {SumElement, meVZSum},
                        {ContractDateElement, dtpDatDog}});
}

void TfmInputSoursePens::SetContractFieldsEnabled(bool enabled)
{
    for (QWidget* field : std::initializer_list<QWidget*>{lbSourseName, meSourseName, lbINN, meINN, lbKPP, meKPP,
                                                          lbNomDog, meNomDog, lbDatDog, dtpDatDog})
        field->setEnabled(enabled);
}

#include "pages/deductions/InputConstruction.h"

#include <algorithm>
#include <initializer_list>
#include <utility>

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "computation/TaxYearFigures.h"
#include "controls/CheckRun.h"
#include "controls/DateFieldCheck.h"
#include "controls/DtpPanel.h"
#include "controls/MaskedEdit.h"
#include "controls/PageWidgets.h"
#include "controls/VisualTabOrder.h"
#include "model/ConstructionDeduct.h"
#include "model/DayDate.h"

namespace {

constexpr QSize ClientSize(740, 520);
constexpr int DateWidth = 130;
constexpr int MoneyWidth = 150;
constexpr int ShareWidth = 70;
constexpr int ListWidth = 520;

constexpr int HouseIndex = 0;
constexpr int HouseWithLandIndex = 6;
// From this position on the names are of land, with a registration date of their own.
constexpr int FirstLandIndex = 4;
constexpr int LastYearWithoutShare = FirstYearOfNewPurchaseRules - 1;

const QString CheckSection = QStringLiteral("Проверка данных объекта");

double date(int year, int month, int day)
{
    return *encodeDate(year, month, day);
}

int yearOf(double dayCount)
{
    return decodeDate(dayCount).year;
}

QComboBox* createList(QWidget* parent, const char* name, const QStringList& items)
{
    auto* list = new QComboBox(parent);
    list->setObjectName(QString::fromLatin1(name));
    list->addItems(items);
    list->setCurrentIndex(-1);
    // Long names are read in the drop-down; the field keeps the dialog's width.
    list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    list->setMinimumContentsLength(20);
    list->setMaximumWidth(ListWidth);
    list->view()->setMinimumWidth(ListWidth);
    return list;
}

TDtpPanel* createDate(QWidget* parent, const char* name)
{
    auto* field = new TDtpPanel(parent);
    field->setObjectName(QString::fromLatin1(name));
    field->setMinDate(date(1990, 1, 1));
    field->setMaxDate(date(TaxYear, 12, 31));
    field->setDateTime(date(TaxYear, 1, 1));
    field->setFixedWidth(DateWidth);
    return field;
}

QLabel* createWrappedLabel(QWidget* parent, const char* name, const QString& caption)
{
    QLabel* label = createLabel(parent, name, caption);
    label->setWordWrap(true);
    return label;
}

void setClamped(TDtpPanel* field, double value)
{
    field->setDateTime(std::clamp(value, field->minDate(), field->maxDate()));
}

void setListIndex(QComboBox* list, int value)
{
    list->setCurrentIndex(value >= 1 && value <= list->count() ? value - 1 : -1);
}

// An empty text or 0 is a whole share.
std::int32_t shareValue(const TMaskedEdit* edit)
{
    const std::int32_t value = edit->text().toInt();
    return value > 0 ? value : 1;
}

QString shareText(std::int32_t value)
{
    return QString::number(value > 0 ? value : 1);
}

} // namespace

const QStringList TfmInputConstruction::DesignObjectNames{
    QStringLiteral("Жилой дом"),
    QStringLiteral("Квартира"),
    QStringLiteral("Комната"),
    QStringLiteral("Доля (доли) в доме, квартире, комнате"),
    QStringLiteral("Земельный участок для индивидуального жилищного строительства"),
    QStringLiteral("Земельный участок, на котором расположен приобретённый жилой дом"),
    QStringLiteral("Жилой дом с земельным участком"),
    QStringLiteral("Доля (доли) в доме, земле"),
};

const QStringList TfmInputConstruction::PurchaseObjectNames{
    QStringLiteral("Жилой дом"),
    QStringLiteral("Квартира"),
    QStringLiteral("Комната"),
    QStringLiteral("Доля (доли) в жилом доме, квартире, комнате"),
    QStringLiteral("Земельный участок для индивидуального жилищного строительства"),
    QStringLiteral("Земельный участок, на котором расположен приобретенный жилой дом"),
    QStringLiteral("Жилой дом с земельным участком"),
    QStringLiteral("Доля (доли) в земле"),
};

const QStringList TfmInputConstruction::InvestmentObjectNames{
    QStringLiteral("Жилой дом"),
    QStringLiteral("Квартира"),
    QStringLiteral("Комната"),
    QStringLiteral("Доля (доли) в доме, квартире, комнате"),
};

TfmInputConstruction::TfmInputConstruction(QWidget* owner)
    : TItemDialog(owner, QStringLiteral("TfmInputConstruction"), QStringLiteral("Данные объекта"), ClientSize),
      gbObjectDAta(createGroupBox(this, "gbObjectDAta", QStringLiteral(" Сведения об объекте"))),
      lbObjectNaim(createLabel(gbObjectDAta, "lbObjectNaim", QStringLiteral("Наименование объекта"))),
      cbObjectNaim(createList(gbObjectDAta, "cbObjectNaim", DesignObjectNames)),
      lbSposob(createLabel(gbObjectDAta, "lbSposob", QStringLiteral("Способ приобретения"))),
      rbInvest(createRadio(gbObjectDAta, "rbInvest", QStringLiteral("инвестирование"))),
      rbBay(createRadio(gbObjectDAta, "rbBay", QStringLiteral("договор купли-продажи"))),
      lbSposPrDom(createLabel(gbObjectDAta, "lbSposPrDom", QStringLiteral("Способ приобретения дома"))),
      cbSposPrDom(createList(gbObjectDAta, "cbSposPrDom",
                             {QStringLiteral("Новое строительство жилого дома"),
                              QStringLiteral("Приобретение жилого дома")})),
      lbPrizNal(createLabel(gbObjectDAta, "lbPrizNal", QStringLiteral("Признак налогоплательщика"))),
      cbPrizNal(createList(
          gbObjectDAta, "cbPrizNal",
          {QStringLiteral("Собственник объекта"), QStringLiteral("Супруг(а) собственника объекта"),
           QStringLiteral("Родитель несовершеннолетнего собственника объекта"),
           QStringLiteral("Объект в общей долевой собственности заявителя и несовершеннолетнего ребенка"),
           QStringLiteral(
               "Объект в общей долевой собственности супруга(и) заявителя и несовершеннолетнего ребенка")})),
      lbKodNomSob(createLabel(gbObjectDAta, "lbKodNomSob", QStringLiteral("Код номера объекта"))),
      cbKodNomSob(createList(gbObjectDAta, "cbKodNomSob",
                             {QStringLiteral("Кадастровый номер"), QStringLiteral("Номер отсутствует")})),
      lbNom(createLabel(gbObjectDAta, "lbNom", QStringLiteral("Номер объекта"))),
      meNom(createEdit(gbObjectDAta, "meNom", edtNone, 100)),
      lbMesto(createLabel(gbObjectDAta, "lbMesto", QStringLiteral("Место нахождения"))),
      meMesto(createEdit(gbObjectDAta, "meMesto", edtNone, 512)),
      lbRegRightDate(createWrappedLabel(
          this, "lbRegRightDate",
          QStringLiteral("Дата регистрации права собственности на жилой дом, квартиру, комнату"))),
      dtpRegRightDate(createDate(this, "dtpRegRightDate")),
      lbRegZenDate(createWrappedLabel(this, "lbRegZenDate",
                                      QStringLiteral("Дата регистрации права собственности на земельный участок"))),
      dtpRegZemDate(createDate(this, "dtpRegZemDate")),
      lbBuyDate(createWrappedLabel(this, "lbBuyDate",
                                   QStringLiteral("Дата акта о передаче квартиры, комнаты или доли в них"))),
      dtpBuyDate(createDate(this, "dtpBuyDate")),
      lbPart(createLabel(this, "lbPart", QStringLiteral("Доля"))),
      meDol1(createEdit(this, "meDol1", edtDigital, 6)),
      lbdrob(createLabel(this, "lbdrob", QStringLiteral("/"))),
      meDol2(createEdit(this, "meDol2", edtDigital, 6)),
      lbObsch(createWrappedLabel(this, "lbObsch", QStringLiteral("Стоимость объекта (доли)"))),
      meObsch(createMoneyEdit(this, "meObsch", MoneyWidth)),
      lbobschip(createWrappedLabel(this, "lbobschip", QStringLiteral("Проценты по кредитам за все годы"))),
      meobschip(createMoneyEdit(this, "meobschip", MoneyWidth)),
      chbPensioner(createCheckBox(this, "chbPensioner", QStringLiteral("Являюсь пенсионером")))
{
    rbBay->setChecked(true);
    rbBay->setToolTip(QStringLiteral("а также самостоятельное строительство"));
    for (QLabel* label : {lbRegRightDate, lbRegZenDate})
        label->setToolTip(QStringLiteral("указывается при приобретении по договору купли-продажи"));
    lbBuyDate->setToolTip(QStringLiteral("указывается при приобретении по договору инвестирования"));
    const QString interestHint = QStringLiteral("Заполняются только по одному объекту");
    lbobschip->setToolTip(interestHint);
    meobschip->setToolTip(interestHint);
    for (TMaskedEdit* money : {meObsch, meobschip})
        money->setWholeLength(8);
    for (TMaskedEdit* share : {meDol1, meDol2}) {
        share->setText(QStringLiteral("1"));
        share->setFixedWidth(ShareWidth);
    }
    cbPrizNal->setMaximumWidth(QWIDGETSIZE_MAX);
    lastDenominator_ = meDol2->text();
    dtpRegZemDate->setEnabled(false);
    dtpBuyDate->setEnabled(false);
    for (QWidget* field : std::initializer_list<QWidget*>{lbNom, meNom, lbMesto, meMesto})
        field->setEnabled(false);

    layOut();
    // The dates stand in a column beside the share and the sums, row against row as their
    // captions' heights allow: Tab goes as they stand.
    keepTabInVisualOrder(this);
    connectHandlers();
    UpdateShareByDates();
    cbObjectNaim->setFocus();
}

void TfmInputConstruction::layOut()
{
    QHBoxLayout* buttons = createButtons();

    auto* ways = new QHBoxLayout;
    ways->addWidget(rbInvest);
    ways->addWidget(rbBay);
    ways->addStretch();
    auto* object = new QGridLayout(gbObjectDAta);
    object->setColumnStretch(1, 1);
    object->addWidget(lbObjectNaim, 0, 0);
    object->addWidget(cbObjectNaim, 0, 1);
    object->addWidget(lbSposob, 1, 0);
    object->addLayout(ways, 1, 1);
    object->addWidget(lbSposPrDom, 2, 0);
    object->addWidget(cbSposPrDom, 2, 1);
    // The longest signs need the box's whole width.
    object->addWidget(lbPrizNal, 3, 0, 1, 2);
    object->addWidget(cbPrizNal, 4, 0, 1, 2);
    object->addWidget(lbKodNomSob, 5, 0);
    object->addWidget(cbKodNomSob, 5, 1);
    object->addWidget(lbNom, 6, 0);
    object->addWidget(meNom, 6, 1);
    object->addWidget(lbMesto, 7, 0);
    object->addWidget(meMesto, 7, 1);

    auto* dates = new QGridLayout;
    dates->setColumnStretch(0, 1);
    const std::initializer_list<std::pair<QLabel*, TDtpPanel*>> dateRows{
        {lbRegRightDate, dtpRegRightDate}, {lbRegZenDate, dtpRegZemDate}, {lbBuyDate, dtpBuyDate}};
    int row = 0;
    for (const auto& [label, field] : dateRows) {
        dates->addWidget(label, row, 0);
        dates->addWidget(field, row++, 1, Qt::AlignTop);
    }

    auto* share = new QHBoxLayout;
    share->addWidget(meDol1);
    share->addWidget(lbdrob);
    share->addWidget(meDol2);
    share->addStretch();
    auto* sums = new QGridLayout;
    sums->setColumnStretch(0, 1);
    sums->addWidget(lbPart, 0, 0);
    sums->addLayout(share, 0, 1);
    sums->addWidget(lbObsch, 1, 0);
    sums->addWidget(meObsch, 1, 1);
    sums->addWidget(lbobschip, 2, 0);
    sums->addWidget(meobschip, 2, 1);
    sums->addWidget(chbPensioner, 3, 0, 1, 2);

    auto* lower = new QHBoxLayout;
    lower->addLayout(dates, 1);
    lower->addSpacing(12);
    lower->addLayout(sums, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(gbObjectDAta);
    layout->addLayout(lower);
    layout->addStretch();
    layout->addLayout(buttons);
}

void TfmInputConstruction::connectHandlers()
{
    // The way buttons act on the user's switching only; SetWay switches them without the handlers.
    connect(rbInvest, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            rbInvestClick();
    });
    connect(rbBay, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            rbBayClick();
    });
    connect(cbObjectNaim, &QComboBox::currentIndexChanged, this, &TfmInputConstruction::cbObjectNaimChange);
    connect(cbKodNomSob, &QComboBox::currentIndexChanged, this, &TfmInputConstruction::cbKodNomSobChange);
    connect(chbPensioner, &QCheckBox::toggled, this, &TfmInputConstruction::chbPensionerClick);
    for (TDtpPanel* field : {dtpRegRightDate, dtpRegZemDate, dtpBuyDate})
        connect(field, &TDtpPanel::changed, this, &TfmInputConstruction::UpdateShareByDates);
    connect(meDol2, &QLineEdit::textEdited, this, &TfmInputConstruction::refuseZeroDenominator);
}

int TfmInputConstruction::Kind() const
{
    return cbObjectNaim->currentIndex() + 1;
}

void TfmInputConstruction::SetKind(int kind)
{
    setListIndex(cbObjectNaim, kind);
    cbObjectNaimChange();
}

void TfmInputConstruction::SetMinDates(bool recent)
{
    const double minimum = recent ? date(FirstYearOfNewPurchaseRules, 1, 1) : date(1990, 1, 1);
    dtpRegRightDate->setMinDate(minimum);
    dtpBuyDate->setMinDate(minimum);
}

bool TfmInputConstruction::Pensioner() const
{
    return chbPensioner->isChecked();
}

void TfmInputConstruction::SetPensioner(bool pensioner)
{
    chbPensioner->setChecked(pensioner);
}

int TfmInputConstruction::NumberCode() const
{
    return cbKodNomSob->currentIndex() + 1;
}

void TfmInputConstruction::SetNumberCode(int code)
{
    setListIndex(cbKodNomSob, code);
    cbKodNomSobChange();
}

bool TfmInputConstruction::ByInvestment() const
{
    return rbInvest->isChecked();
}

void TfmInputConstruction::SetWay(bool byInvestment)
{
    {
        const QSignalBlocker investBlocker(rbInvest);
        const QSignalBlocker buyBlocker(rbBay);
        (byInvestment ? rbInvest : rbBay)->setChecked(true);
    }
    installObjectNames(byInvestment ? InvestmentObjectNames : PurchaseObjectNames);
    dtpRegRightDate->setEnabled(!byInvestment);
    dtpBuyDate->setEnabled(byInvestment);
    cbObjectNaimChange();
    UpdateShareByDates();
}

QString TfmInputConstruction::RowText() const
{
    return cbObjectNaim->currentText() + QLatin1Char(' ') + meNom->text();
}

void TfmInputConstruction::loadObject(const mTConstructionDeductObj& object)
{
    SetKind(object.ObjectCode);
    meNom->setText(QString::fromStdString(object.ObjectNumber));
    meMesto->setText(QString::fromStdString(object.ObjectLocation));
    setListIndex(cbPrizNal, object.OwnerSign);
    setListIndex(cbSposPrDom, object.AcquisitionMethod);
    SetNumberCode(object.ObjectNumberKind);
    dtpRegRightDate->setDateTime(object.DwellingRegDate);
    dtpRegZemDate->setDateTime(object.LandRegDate);
    dtpBuyDate->setDateTime(object.ActDate);
    meDol1->setText(shareText(object.ShareNumerator));
    meDol2->setText(shareText(object.ShareDenominator));
    lastDenominator_ = meDol2->text();
    SetWay(object.ByInvestment != 0);
    meObsch->setCurrencyValue(object.Cost);
    meobschip->setCurrencyValue(object.InterestPaid);
}

void TfmInputConstruction::storeObject(mTConstructionDeductObj& object)
{
    object.ObjectCode = Kind();
    object.ObjectNumber = meNom->text().toStdString();
    object.ObjectLocation = meMesto->text().toStdString();
    object.OwnerSign = cbPrizNal->currentIndex() + 1;
    object.AcquisitionMethod = cbSposPrDom->currentIndex() + 1;
    object.ObjectNumberKind = NumberCode();
    object.DwellingRegDate = dtpRegRightDate->dateTime();
    object.LandRegDate = dtpRegZemDate->dateTime();
    object.ActDate = dtpBuyDate->dateTime();
    object.ShareNumerator = shareValue(meDol1);
    object.ShareDenominator = shareValue(meDol2);
    object.ByInvestment = ByInvestment() ? 1 : 0;
    object.Cost = meObsch->currencyValue();
    object.InterestPaid = meobschip->currencyValue();
}

void TfmInputConstruction::showEvent(QShowEvent* event)
{
    lbobschip->setEnabled(FInterestAllowed);
    meobschip->setEnabled(FInterestAllowed);
    lbObsch->setEnabled(!FInterestOnly);
    meObsch->setEnabled(!FInterestOnly);
    const int index = cbObjectNaim->currentIndex();
    SetHouseWayEnabled(index == HouseIndex || index == HouseWithLandIndex);
    UpdateShareByDates();
    TItemDialog::showEvent(event);
}

std::uint16_t TfmInputConstruction::checkItem()
{
    if (const std::uint16_t date = checkTypedDates(this, CheckSection,
                                                   {{RegRightDateElement, dtpRegRightDate, lbRegRightDate->text()},
                                                    {RegLandDateElement, dtpRegZemDate, lbRegZenDate->text()},
                                                    {TransferDateElement, dtpBuyDate, lbBuyDate->text()}}))
        return date;
    CheckRun run(this, CheckSection);
    forbidSkipping(run);
    if (cbObjectNaim->currentIndex() < 0)
        run.report(QStringLiteral("Не введено наименование объекта"), ObjectNameElement);
    if (cbSposPrDom->isEnabled() && cbSposPrDom->currentIndex() < 0)
        run.report(QStringLiteral("Не введен способ приобретения дома"), HouseWayElement);
    if (cbPrizNal->currentIndex() < 0)
        run.report(QStringLiteral("Не введен признак налогоплательщика"), TaxpayerSignElement);
    if (NumberCode() == 0)
        run.report(QStringLiteral("Не введен код номера объекта"), NumberCodeElement);
    if (NumberCode() == 1 && meNom->text().trimmed().isEmpty())
        run.report(QStringLiteral("Не введен номер объекта"), NumberElement);
    if (NumberCode() == 2 && meMesto->text().trimmed().isEmpty())
        run.report(QStringLiteral("Не указано место нахождения объекта"), LocationElement);
    reportDatesOutsideBounds(run, {{RegRightDateElement, dtpRegRightDate, lbRegRightDate->text()},
                                   {RegLandDateElement, dtpRegZemDate, lbRegZenDate->text()},
                                   {TransferDateElement, dtpBuyDate, lbBuyDate->text()}});
    return run.result();
}

void TfmInputConstruction::FocusError(std::uint16_t code)
{
    focusElement(code, {{ObjectNameElement, cbObjectNaim},
                        {HouseWayElement, cbSposPrDom},
                        {TaxpayerSignElement, cbPrizNal},
                        {NumberCodeElement, cbKodNomSob},
                        {NumberElement, meNom},
                        {LocationElement, meMesto},
                        {RegRightDateElement, dtpRegRightDate},
                        {RegLandDateElement, dtpRegZemDate},
                        {TransferDateElement, dtpBuyDate}});
}

void TfmInputConstruction::rbInvestClick()
{
    dtpRegRightDate->setEnabled(false);
    dtpRegZemDate->setEnabled(false);
    setClamped(dtpRegRightDate, date(TaxYear, 1, 1));
    setClamped(dtpRegZemDate, date(TaxYear, 1, 1));
    dtpBuyDate->setEnabled(true);
    installObjectNames(InvestmentObjectNames);
    cbObjectNaimChange();
    UpdateShareByDates();
}

void TfmInputConstruction::rbBayClick()
{
    dtpRegRightDate->setEnabled(true);
    dtpBuyDate->setEnabled(false);
    setClamped(dtpBuyDate, date(TaxYear, 1, 1));
    installObjectNames(PurchaseObjectNames);
    cbObjectNaimChange();
    UpdateShareByDates();
}

void TfmInputConstruction::cbObjectNaimChange()
{
    const int index = cbObjectNaim->currentIndex();
    dtpRegZemDate->setEnabled(index >= FirstLandIndex && rbBay->isChecked());
    SetHouseWayEnabled(index == HouseIndex || index == HouseWithLandIndex);
}

void TfmInputConstruction::cbKodNomSobChange()
{
    const int code = NumberCode();
    const bool numbered = code == 1;
    const bool located = code != 0;
    meNom->setEnabled(numbered);
    lbNom->setEnabled(numbered);
    if (!numbered)
        meNom->setText(QString());
    meMesto->setEnabled(located);
    lbMesto->setEnabled(located);
    if (!located)
        meMesto->setText(QString());
}

void TfmInputConstruction::chbPensionerClick()
{
    const double maximum = Pensioner() ? date(2024, 12, 31) : date(TaxYear, 12, 31);
    for (TDtpPanel* field : {dtpRegRightDate, dtpRegZemDate, dtpBuyDate})
        field->setMaxDate(maximum);
}

void TfmInputConstruction::UpdateShareByDates()
{
    SetShareEnabled(!(yearOf(dtpRegRightDate->dateTime()) > LastYearWithoutShare &&
                      yearOf(dtpBuyDate->dateTime()) > LastYearWithoutShare));
}

void TfmInputConstruction::SetShareEnabled(bool enabled)
{
    for (QWidget* field : std::initializer_list<QWidget*>{lbPart, meDol1, meDol2, lbdrob})
        field->setEnabled(enabled);
    if (enabled)
        return;
    meDol1->setText(QStringLiteral("1"));
    meDol2->setText(QStringLiteral("1"));
    lastDenominator_ = meDol2->text();
}

void TfmInputConstruction::SetHouseWayEnabled(bool enabled)
{
    lbSposPrDom->setEnabled(enabled);
    cbSposPrDom->setEnabled(enabled);
    if (!enabled)
        cbSposPrDom->setCurrentIndex(-1);
}

void TfmInputConstruction::installObjectNames(const QStringList& names)
{
    const int kept = cbObjectNaim->currentIndex();
    const QSignalBlocker blocker(cbObjectNaim);
    cbObjectNaim->clear();
    cbObjectNaim->addItems(names);
    cbObjectNaim->setCurrentIndex(kept < names.size() ? kept : -1);
}

void TfmInputConstruction::refuseZeroDenominator(const QString& text)
{
    if (!text.isEmpty() && text.toLongLong() == 0) {
        meDol2->setText(lastDenominator_);
        return;
    }
    lastDenominator_ = text;
}

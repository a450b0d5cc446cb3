#include "pages/income/CurrencyFrame.h"

#include <algorithm>
#include <initializer_list>
#include <utility>

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "computation/TaxYearFigures.h"
#include "controls/CheckRun.h"
#include "controls/CheckedFigure.h"
#include "controls/DateFieldCheck.h"
#include "controls/DeclModified.h"
#include "controls/DeletionQuestion.h"
#include "controls/DisplayFormat.h"
#include "controls/DtpPanel.h"
#include "controls/FlashButton.h"
#include "controls/ItemList.h"
#include "controls/MaskedDocEdit.h"
#include "controls/MaskedEdit.h"
#include "controls/MessageBox.h"
#include "controls/PageWidgets.h"
#include "controls/ProgramContext.h"
#include "controls/SideBySideLayout.h"
#include "controls/VisualTabOrder.h"
#include "export/FieldLimits.h"
#include "model/DayDate.h"
#include "pages/income/IncomeDict.h"
#include "pages/income/InputCurrencyCode.h"
#include "pages/income/InputCurrencySourseIncome.h"
#include "pages/income/InputDeductCode.h"
#include "pages/income/InputIncomeCode.h"

namespace {

// Narrow enough for the page to fit a small window; the column fills a wider list.
constexpr int ListColumnWidth = 300;
constexpr int CurrencyCodeLength = 3;
constexpr int CurrencyNameLength = 30;
constexpr int UnitsLength = 7;
// The directory holds the central bank's rates with four decimals.
constexpr int RateWholeDigits = 5;
constexpr int RateFractionDigits = 4;
constexpr int AmountWholeDigits = 12;
// Taxes withheld in Russia go into the declaration in whole roubles.
constexpr int WithheldTaxDigits = FieldFacetOf("РасчДохНалИно", "НалИсчКИК").totalDigits;
constexpr int RadioIndent = 16;

const QString FixedProfitCurrency = QStringLiteral("643");
constexpr std::int32_t FixedProfitUnits = 1000;

QString numberText(std::int32_t number)
{
    return number == 0 ? QString() : QString::number(number);
}

TMaskedEdit* createSized(QWidget* parent, const char* name, TEditTypeControlEnum type, int whole, int fraction = 0)
{
    TMaskedEdit* edit = createEdit(parent, name, type, whole);
    edit->setFractionalLength(fraction);
    edit->setFixedWidth(fieldWidth(edit, whole + (fraction > 0 ? fraction + 1 : 0)));
    return edit;
}

// A sunken panel that shows a value the user does not type.
QLabel* createPanel(QWidget* parent, const char* name, int characters)
{
    auto* panel = new QLabel(parent);
    panel->setObjectName(QLatin1String(name));
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setFixedWidth(fieldWidth(panel, characters));
    return panel;
}

void uncheck(std::initializer_list<QRadioButton*> radios)
{
    for (QRadioButton* radio : radios) {
        radio->setAutoExclusive(false);
        radio->setChecked(false);
        radio->setAutoExclusive(true);
    }
}

void clearTexts(std::initializer_list<TMaskedEdit*> edits)
{
    for (TMaskedEdit* edit : edits)
        edit->setText(QString());
}

} // namespace

TfrCurrency::TfrCurrency(QWidget* owner, DeclarationSlot& declaration) : TThinkingFrame(owner, declaration)
{
    setObjectName(QStringLiteral("TfrCurrency"));
    createControls();
    layOutControls();
    connectHandlers();

    const LoadingScope loading(*this);
    for (int i = 0; i < incomeCount(); ++i)
        new QTreeWidgetItem(lvSourseIncomeInfo, {QString::fromStdString(income(i).SourceName)});
    // No income is open until the user picks one.
    clearDetail();
    const QScopedValueRollback<bool> filling(FFilling, true);
    dtIncomeGetDate->setDateTime(*encodeDate(TaxYear, 1, 1));
    dtSubtractDate->setDateTime(*encodeDate(TaxYear, 1, 1));
}

TfrCurrency::~TfrCurrency()
{
    // The controls outlive this page's own parts; what they signal while going must not reach it.
    for (QObject* control : findChildren<QObject*>())
        QObject::disconnect(control, nullptr, this, nullptr);
}

mTCurrencyIncome& TfrCurrency::income(int index) const
{
    return *Declaration->GetCurrencyIncome(std::size_t(index));
}

int TfrCurrency::incomeCount() const
{
    return int(Declaration->CurrencyIncomeCount());
}

bool TfrCurrency::isFixedProfit(int index) const
{
    return index >= 0 && Declaration->KIKItemNumber() == index + 1;
}

void TfrCurrency::createControls()
{
    lvSourseIncomeInfo =
        createItemList(this, QStringLiteral("lvSourseIncomeInfo"), QStringLiteral("Источники выплат"), ListColumnWidth);
    lvSourseIncomeInfo->setToolTip(QStringLiteral("Список источников выплат"));
    fbAddSourseIncome = createItemButton(this, QStringLiteral("fbAddSourseIncome"), ItemAction::Add,
                                         QStringLiteral("Добавить источник выплат"));
    fbDeleteSourseIncome = createItemButton(this, QStringLiteral("fbDeleteSourseIncome"), ItemAction::Delete,
                                            QStringLiteral("Удалить источник выплат"));
    fbEditSourseIncome = createItemButton(this, QStringLiteral("fbEditSourseIncome"), ItemAction::Edit,
                                          QStringLiteral("Редактировать источник выплат"));
    fbCopy = createItemButton(this, QStringLiteral("fbCopy"), ItemAction::Copy, QStringLiteral("Копировать источник выплат"));

    gbSourseInfo = createGroupBox(this, "gbSourseInfo", QStringLiteral("Сведения о полученном доходе"));
    lbIncomeGetDate = createLabel(gbSourseInfo, "lbIncomeGetDate", QStringLiteral("Дата получения дохода"));
    dtIncomeGetDate = new TDtpPanel(gbSourseInfo);
    dtIncomeGetDate->setObjectName(QStringLiteral("dtIncomeGetDate"));
    lbSubtractDate = createLabel(gbSourseInfo, "lbSubtractDate", QStringLiteral("Дата уплаты налога"));
    dtSubtractDate = new TDtpPanel(gbSourseInfo);
    dtSubtractDate->setObjectName(QStringLiteral("dtSubtractDate"));
    lbCurrencyCode = createLabel(gbSourseInfo, "lbCurrencyCode", QStringLiteral("Код и наименование валюты"));
    meCurrencyCode = createSized(gbSourseInfo, "meCurrencyCode", edtDigital, CurrencyCodeLength);
    bnCurrencyCode = createChooserButton(gbSourseInfo, "bnCurrencyCode", QStringLiteral("Выбрать код из справочника"));
    meCurrencyName = createEdit(gbSourseInfo, "meCurrencyName", edtChar, CurrencyNameLength);
    chbAutoExchange = createCheckBox(gbSourseInfo, "chbAutoExchange", QStringLiteral("Автоматическое определение курса валюты"));
    chbAutoExchange->setChecked(true);
    lbCurrency = createLabel(gbSourseInfo, "lbCurrency", QStringLiteral("На дату дохода и уплаты налога"));
    const auto rateRow = [this](const char* unitsName, const char* rateName, QLabel*& forLabel, QLabel*& unitsLabel,
                                QLabel*& roublesLabel, TMaskedEdit*& units, TMaskedEdit*& rate) {
        forLabel = createLabel(gbSourseInfo, "", QStringLiteral("за"));
        units = createSized(gbSourseInfo, unitsName, edtDigital, UnitsLength);
        unitsLabel = createLabel(gbSourseInfo, "", QStringLiteral("у.е."));
        rate = createSized(gbSourseInfo, rateName, edtCurrency, RateWholeDigits, RateFractionDigits);
        roublesLabel = createLabel(gbSourseInfo, "", QStringLiteral("руб."));
    };
    rateRow("meCurrencyUnits", "meCurrencyExchange", lbUnitsFor, lbUnitsName, lbRoubles, meCurrencyUnits,
            meCurrencyExchange);
    rateRow("meCurrencyUnits2", "meCurrencyExchange2", lbUnitsFor2, lbUnitsName2, lbRoubles2, meCurrencyUnits2,
            meCurrencyExchange2);

    gbIncome = createGroupBox(this, "gbIncome", QStringLiteral("Полученный доход"));
    lbIncomeCod = createLabel(gbIncome, "lbIncomeCod", QStringLiteral("Код дохода"));
    pnlIncomeCod = createPanel(gbIncome, "pnlIncomeCod", 5);
    bnIncomeCod = createChooserButton(gbIncome, "bnIncomeCod", QStringLiteral("Выбрать код из справочника"));
    lbIncomeCurrencySum = createLabel(gbIncome, "lbIncomeCurrencySum", QStringLiteral("В иностранной валюте"));
    meIncomeCurrencySum = createSized(gbIncome, "meIncomeCurrencySum", edtCurrency, AmountWholeDigits, 2);
    lbIncomeRublSum = createLabel(gbIncome, "lbIncomeRublSum", QStringLiteral("В рублях по курсу ЦБ"));
    pnlIncomeRublSum = createPanel(gbIncome, "pnlIncomeRublSum", AmountWholeDigits + 5);

    gbDiscount = createGroupBox(this, "gbDiscount", QStringLiteral("Вычеты"));
    lbSubtractCod = createLabel(gbDiscount, "lbSubtractCod", QStringLiteral("Код вычета (расхода)"));
    pnlSubtractCod = createPanel(gbDiscount, "pnlSubtractCod", 4);
    bnSubtractCod = createChooserButton(gbDiscount, "bnSubtractCod", QStringLiteral("Выбрать код из справочника"));
    lbSubtractSum = createLabel(gbDiscount, "lbSubtractSum", QStringLiteral("Сумма вычета (расхода)"));
    meSubtractSum = createSized(gbDiscount, "meSubtractSum", edtCurrency, AmountWholeDigits, 2);
    lbSubtractRoubles = createLabel(gbDiscount, "lbSubtractRoubles", QStringLiteral("в рублях"));
    for (QWidget* kept : std::initializer_list<QWidget*>{meSubtractSum, lbSubtractRoubles}) {
        QSizePolicy policy = kept->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        kept->setSizePolicy(policy);
    }

    gbTax = createGroupBox(this, "gbTax", QStringLiteral("Налог, уплаченный в иностранном государстве"));
    lbTaxCurrencySum = createLabel(gbTax, "lbTaxCurrencySum", QStringLiteral("В иностранной валюте"));
    meTaxCurrencySum = createSized(gbTax, "meTaxCurrencySum", edtCurrency, AmountWholeDigits, 2);
    lbTaxRoubleSum = createLabel(gbTax, "lbTaxRoubleSum", QStringLiteral("В рублях по курсу ЦБ"));
    pnlTaxRoubleSum = createPanel(gbTax, "pnlTaxRoubleSum", AmountWholeDigits + 5);

    gbApp = createGroupBox(this, "gbApp", QStringLiteral("Информация о контролируемой иностранной компании"));
    lbKIKNum = createLabel(gbApp, "lbKIKNum", QStringLiteral("Номер КИК"));
    meKIKNum = new TMaskedDocEdit(gbApp);
    meKIKNum->setObjectName(QStringLiteral("meKIKNum"));
    meKIKNum->setEditType(edtBB5);
    meKIKNum->setFixedWidth(fieldWidth(meKIKNum, FieldLimits::CompanyNumber + 2));
    lbProfitOrder = createLabel(gbApp, "lbProfitOrder", QStringLiteral("Порядок определения прибыли КИК"));
    rb1 = createRadio(gbApp, "rb1", QStringLiteral("По данным фин. отчетности КИК"));
    rb2 = createRadio(gbApp, "rb2", QStringLiteral("По правилам для российских организаций"));
    lb150 = createLabel(gbApp, "lb150", QStringLiteral("Налоги с доходов КИК, удержанные в РФ"));
    me150 = createWholeRoublesEdit(gbApp, "me150", WithheldTaxDigits);
}

void TfrCurrency::layOutControls()
{
    auto* buttons = new QVBoxLayout;
    buttons->setSpacing(2);
    for (TFlashButton* button : {fbAddSourseIncome, fbDeleteSourseIncome, fbEditSourseIncome, fbCopy})
        buttons->addWidget(button);
    buttons->addStretch();
    auto* list = new QHBoxLayout;
    list->addLayout(buttons);
    list->addWidget(lvSourseIncomeInfo, 1);

    constexpr Qt::Alignment Left = Qt::AlignLeft | Qt::AlignVCenter;
    const auto row = [](std::initializer_list<QWidget*> widgets) {
        auto* line = new QHBoxLayout;
        line->setSpacing(4);
        for (QWidget* widget : widgets)
            line->addWidget(widget);
        line->addStretch();
        return line;
    };

    // The dates one under the other: side by side they do not fit a small window.
    auto* source = new QGridLayout(gbSourseInfo);
    source->setVerticalSpacing(4);
    source->addWidget(lbIncomeGetDate, 0, 0);
    source->addWidget(dtIncomeGetDate, 0, 1, Left);
    source->addWidget(lbSubtractDate, 1, 0);
    source->addWidget(dtSubtractDate, 1, 1, Left);
    source->addWidget(lbCurrencyCode, 2, 0);
    source->addLayout(row({meCurrencyCode, bnCurrencyCode, meCurrencyName}), 2, 1);
    source->addWidget(chbAutoExchange, 3, 0, 1, 2);
    source->addWidget(lbCurrency, 4, 0);
    source->addLayout(row({lbUnitsFor, meCurrencyUnits, lbUnitsName, meCurrencyExchange, lbRoubles}), 4, 1);
    source->addLayout(row({lbUnitsFor2, meCurrencyUnits2, lbUnitsName2, meCurrencyExchange2, lbRoubles2}), 5, 1);
    source->setColumnStretch(1, 1);

    // The money groups share the width of their captions, so that their edits stand in one line.
    int captionWidth = 0;
    for (const QLabel* caption : {lbIncomeCod, lbIncomeCurrencySum, lbIncomeRublSum, lbSubtractCod, lbSubtractSum,
                                  lbTaxCurrencySum, lbTaxRoubleSum})
        captionWidth = std::max(captionWidth, caption->sizeHint().width());
    const auto moneyGrid = [captionWidth](QGroupBox* group) {
        auto* grid = new QGridLayout(group);
        grid->setVerticalSpacing(4);
        grid->setColumnMinimumWidth(0, captionWidth);
        grid->setColumnStretch(1, 1);
        return grid;
    };

    QGridLayout* incomeGroup = moneyGrid(gbIncome);
    incomeGroup->addWidget(lbIncomeCod, 0, 0);
    incomeGroup->addLayout(row({pnlIncomeCod, bnIncomeCod}), 0, 1);
    incomeGroup->addWidget(lbIncomeCurrencySum, 1, 0);
    incomeGroup->addWidget(meIncomeCurrencySum, 1, 1, Left);
    incomeGroup->addWidget(lbIncomeRublSum, 2, 0);
    incomeGroup->addWidget(pnlIncomeRublSum, 2, 1, Left);

    QGridLayout* deduction = moneyGrid(gbDiscount);
    deduction->addWidget(lbSubtractCod, 0, 0);
    deduction->addLayout(row({pnlSubtractCod, bnSubtractCod}), 0, 1);
    deduction->addWidget(lbSubtractSum, 1, 0);
    deduction->addLayout(row({meSubtractSum, lbSubtractRoubles}), 1, 1);

    QGridLayout* tax = moneyGrid(gbTax);
    tax->addWidget(lbTaxCurrencySum, 0, 0);
    tax->addWidget(meTaxCurrencySum, 0, 1, Left);
    tax->addWidget(lbTaxRoubleSum, 1, 0);
    tax->addWidget(pnlTaxRoubleSum, 1, 1, Left);

    // The two ways of working out the profit go under their caption, one under the other: beside
    // it they need more width than a small window has.
    auto* profitWays = new QVBoxLayout;
    profitWays->setSpacing(4);
    profitWays->setContentsMargins(RadioIndent, 0, 0, 0);
    profitWays->addWidget(rb1);
    profitWays->addWidget(rb2);
    auto* company = new QGridLayout(gbApp);
    company->setVerticalSpacing(4);
    company->addWidget(lbKIKNum, 0, 0);
    company->addWidget(meKIKNum, 0, 1, Left);
    company->addWidget(lbProfitOrder, 1, 0, 1, 2);
    company->addLayout(profitWays, 2, 0, 1, 2);
    company->addWidget(lb150, 3, 0);
    company->addWidget(me150, 3, 1, Left);
    company->setColumnStretch(1, 1);

    auto* left = new QVBoxLayout;
    left->setSpacing(4);
    left->addWidget(gbIncome);
    left->addWidget(gbTax);
    auto* middle = new SideBySideLayout(4);
    middle->addLayout(left);
    middle->addWidget(gbDiscount);

    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(4, 2, 4, 2);
    page->setSpacing(4);
    // The list keeps its own height: what a tall window has to spare stays below the fields.
    page->addLayout(list);
    page->addWidget(gbSourseInfo);
    page->addLayout(middle);
    page->addWidget(gbApp);
    page->addStretch(1);
    // The deduction stands beside the income and the tax paid abroad in a wide window and under
    // them in a narrow one: Tab goes as the fields stand, not as they were made.
    keepTabInVisualOrder(this);
}

void TfrCurrency::connectHandlers()
{
    connect(lvSourseIncomeInfo, &QTreeWidget::itemSelectionChanged, this, &TfrCurrency::selectionChanged);
    onItemOpened(lvSourseIncomeInfo, [this] { EditSource(); });
    bindListCommands(lvSourseIncomeInfo, {fbAddSourseIncome, fbDeleteSourseIncome, fbEditSourseIncome, fbCopy});
    connect(fbAddSourseIncome, &TFlashButton::clicked, this, &TfrCurrency::fbAddSourseIncomeClick);
    connect(fbDeleteSourseIncome, &TFlashButton::clicked, this, &TfrCurrency::fbDeleteSourseIncomeClick);
    connect(fbEditSourseIncome, &TFlashButton::clicked, this, &TfrCurrency::EditSource);
    connect(fbCopy, &TFlashButton::clicked, this, &TfrCurrency::fbCopyClick);
    connect(bnCurrencyCode, &QPushButton::clicked, this, &TfrCurrency::bnCurrencyCodeClick);
    connect(bnIncomeCod, &QPushButton::clicked, this, &TfrCurrency::bnIncomeCodClick);
    connect(bnSubtractCod, &QPushButton::clicked, this, &TfrCurrency::bnSubtractCodClick);
    connect(chbAutoExchange, &QCheckBox::clicked, this, &TfrCurrency::chbAutoExchangeClick);
    connect(meCurrencyCode, &QLineEdit::textChanged, this, [this] {
        if (!FFilling)
            meCurrencyCodeChange();
    });
    const auto dateChanged = [this](bool incomeDate) {
        if (FFilling)
            return;
        declarationModified();
        takeDirectoryRates(incomeDate, !incomeDate);
    };
    connect(dtIncomeGetDate, &TDtpPanel::changed, this, [dateChanged] { dateChanged(true); });
    connect(dtSubtractDate, &TDtpPanel::changed, this, [dateChanged] { dateChanged(false); });
    for (TMaskedEdit* edit : {meIncomeCurrencySum, meCurrencyUnits, meCurrencyExchange})
        connect(edit, &QLineEdit::textChanged, this, &TfrCurrency::incomeRoublesChange);
    for (TMaskedEdit* edit : {meTaxCurrencySum, meCurrencyUnits2, meCurrencyExchange2})
        connect(edit, &QLineEdit::textChanged, this, &TfrCurrency::taxRoublesChange);
    for (QRadioButton* radio : {rb1, rb2})
        connect(radio, &QRadioButton::clicked, this, [this] { declarationModified(); });
}

void TfrCurrency::SaveData()
{
    storeIncome();
}

std::uint16_t TfrCurrency::CheckData()
{
    FFixRule.reset();
    if (const std::uint16_t date = refuseWrongTypedDates())
        return date;
    std::optional<CheckRun> run;
    const std::int32_t fixedProfitItem = Declaration->KIKItemNumber();
    for (int i = 0; i < incomeCount(); ++i) {
        for (const CurrencyIncomeRule rule : failedRules(income(i), fixedProfitItem)) {
            if (!run)
                run.emplace(this, QStringLiteral("Доходы в валюте"));
            const auto number = std::uint16_t(i + 1);
            run->report(ruleMessage(rule), number);
            if (run->isOver()) {
                if (run->result() != 0)
                    FFixRule.emplace(number, rule);
                return run->result();
            }
        }
    }
    return 0;
}

std::uint16_t TfrCurrency::refuseWrongTypedDates()
{
    FFixDate = wrongTypedDate();
    return FFixDate ? std::uint16_t(FOpenIndex + 1) : 0;
}

TDtpPanel* TfrCurrency::wrongTypedDate()
{
    if (FOpenIndex < 0)
        return nullptr;
    enum : std::uint16_t { IncomeDate = 1, TaxDate };
    switch (checkTypedDates(this, QStringLiteral("Доходы в валюте"),
                            {{IncomeDate, dtIncomeGetDate, lbIncomeGetDate->text()},
                             {TaxDate, dtSubtractDate, lbSubtractDate->text()}})) {
    case IncomeDate:
        return dtIncomeGetDate;
    case TaxDate:
        return dtSubtractDate;
    default:
        return nullptr;
    }
}

bool TfrCurrency::keepsOpenIncome()
{
    TDtpPanel* wrong = wrongTypedDate();
    if (!wrong)
        return false;
    if (selectedRow(lvSourseIncomeInfo) != FOpenIndex) {
        const QScopedValueRollback<bool> selecting(FSelecting, true);
        selectRow(lvSourseIncomeInfo, FOpenIndex);
    }
    wrong->setFocus();
    return true;
}

void TfrCurrency::focusFirst()
{
    focusList(lvSourseIncomeInfo);
}

void TfrCurrency::FocusError(std::uint16_t code)
{
    if (code < 1 || code > incomeCount())
        return;
    if (TDtpPanel* date = std::exchange(FFixDate, nullptr); date && code == FOpenIndex + 1) {
        date->setFocus();
        return;
    }
    lvSourseIncomeInfo->setFocus();
    selectRow(lvSourseIncomeInfo, code - 1);
    // The rule the page's check asked to fix, else the first one the income breaks.
    std::optional<CurrencyIncomeRule> rule;
    if (FFixRule && FFixRule->first == code)
        rule = FFixRule->second;
    FFixRule.reset();
    if (!rule) {
        const auto failed = failedRules(income(code - 1), Declaration->KIKItemNumber());
        if (failed.empty())
            return;
        rule = failed.front();
    }
    const auto firstEnabled = [](std::initializer_list<QWidget*> candidates) -> QWidget* {
        for (QWidget* candidate : candidates) {
            if (candidate->isEnabled() && candidate->isVisible())
                return candidate;
        }
        return nullptr;
    };
    QWidget* target = nullptr;
    switch (*rule) {
    case CurrencyIncomeRule::CurrencyCode:
        target = firstEnabled({meCurrencyCode});
        break;
    case CurrencyIncomeRule::Rate:
        target = income(code - 1).IncomeDateUnits == 0 ? firstEnabled({meCurrencyUnits, chbAutoExchange})
                                                       : firstEnabled({meCurrencyExchange, chbAutoExchange});
        break;
    case CurrencyIncomeRule::IncomeRoubles:
        target = firstEnabled({meIncomeCurrencySum, meCurrencyExchange});
        break;
    case CurrencyIncomeRule::TaxRoubles:
        target = firstEnabled({meTaxCurrencySum, meCurrencyExchange2});
        break;
    case CurrencyIncomeRule::IncomeCode:
        target = firstEnabled({bnIncomeCod});
        break;
    case CurrencyIncomeRule::FixedProfitNumber:
    case CurrencyIncomeRule::CompanyNumberMissing:
    case CurrencyIncomeRule::CompanyNumberMalformed:
        target = firstEnabled({meKIKNum});
        break;
    case CurrencyIncomeRule::ProfitOrder:
        target = firstEnabled({rb1});
        break;
    case CurrencyIncomeRule::DeductionSum:
        target = firstEnabled({meSubtractSum, bnSubtractCod});
        break;
    case CurrencyIncomeRule::DividendsWithFixedProfit:
    case CurrencyIncomeRule::ProfitWithFixedProfit:
        // Two incomes conflict: the list is where to choose which goes.
        break;
    }
    if (target)
        target->setFocus();
}

void TfrCurrency::storeIncome()
{
    if (FOpenIndex < 0)
        return;
    mTCurrencyIncome& stored = income(FOpenIndex);
    stored.IncomeDate = dtIncomeGetDate->dateTime();
    stored.TaxPaymentDate = dtSubtractDate->dateTime();
    stored.CurrencyCode = meCurrencyCode->text().toStdString();
    stored.CurrencyName = meCurrencyName->text().toStdString();
    // The user's choice, which a box locked for want of rates or for the fixed profit leaves as it was.
    stored.AutoRate = FWantsAutoRate ? 1 : 0;
    stored.CompanyNumber = meKIKNum->text().toStdString();
    stored.ProfitMethod = rb1->isChecked() ? 1 : rb2->isChecked() ? 2 : 0;
    stored.IncomeDateUnits = meCurrencyUnits->text().toInt();
    stored.TaxDateUnits = meCurrencyUnits2->text().toInt();
    stored.IncomeCode = pnlIncomeCod->text().toInt();
    stored.DeductionCode = pnlSubtractCod->text().toInt();
    stored.IncomeDateRate = meCurrencyExchange->currencyValue();
    stored.TaxDateRate = meCurrencyExchange2->currencyValue();
    stored.DeductionSum = meSubtractSum->currencyValue();
    stored.Line150Sum = me150->currencyValue();
    // After the rates: these derive the rouble values from them.
    setAmounts(stored, meIncomeCurrencySum->currencyValue(), meTaxCurrencySum->currencyValue());
    stored.IncomeCodeName = FIncomeName.toStdString();
    stored.DeductionPercent = FPercent;
}

void TfrCurrency::showIncome(int index)
{
    const PageLoadingScope loading;
    const QScopedValueRollback<bool> filling(FFilling, true);
    FOpenIndex = index;
    SetDetailEnabled(true);
    const mTCurrencyIncome& shown = income(index);
    dtIncomeGetDate->setDateTime(shown.IncomeDate);
    dtSubtractDate->setDateTime(shown.TaxPaymentDate);

    const QString currencyCode = QString::fromStdString(shown.CurrencyCode);
    meCurrencyCode->setText(currencyCode);
    FindCurrency(currencyCode);
    meCurrencyName->setText(FCurrency ? FCurrency->attribute(u"Name") : QString::fromStdString(shown.CurrencyName));
    meCurrencyName->setEnabled(!FCurrency);

    // The stored rates stand as they are; the box only tells whether the directory could give them.
    const bool directoryRates = FindRateForDate(shown.IncomeDate) && FindRateForDate(shown.TaxPaymentDate);
    enableAll({chbAutoExchange}, directoryRates);
    FWantsAutoRate = shown.AutoRate != 0;
    chbAutoExchange->setChecked(directoryRates && FWantsAutoRate);
    setRateEditsEnabled(!chbAutoExchange->isChecked());
    meCurrencyUnits->setText(numberText(shown.IncomeDateUnits));
    meCurrencyExchange->setText(moneyText(shown.IncomeDateRate));
    meCurrencyUnits2->setText(numberText(shown.TaxDateUnits));
    meCurrencyExchange2->setText(moneyText(shown.TaxDateRate));
    meTaxCurrencySum->setText(moneyText(shown.TaxAmount));

    showIncomeCode(shown);
    showFigure(pnlIncomeRublSum, typedIncomeRoubles());
    showFigure(pnlTaxRoubleSum, typedTaxRoubles());
    lockForFixedProfit(shown.IncomeCode == FixedProfitIncomeCode);
    updateListButtons();
}

void TfrCurrency::showIncomeCode(const mTCurrencyIncome& shown)
{
    const CompanyFields company = companyFieldsFor(shown.IncomeCode);
    SetKIKControls(company);
    if (company.number || shown.IncomeCode == FixedProfitIncomeCode)
        meKIKNum->setText(QString::fromStdString(shown.CompanyNumber));
    if (company.full) {
        me150->setText(moneyText(shown.Line150Sum));
        rb1->setChecked(shown.ProfitMethod == 1);
        rb2->setChecked(shown.ProfitMethod == 2);
    }

    FIncomeName = QString::fromStdString(shown.IncomeCodeName);
    FPercent = shown.DeductionPercent;
    FMaxSum = Currency();
    FHasDeductions = false;
    FEquivalent = false;
    pnlIncomeCod->setText(numberText(shown.IncomeCode));
    meIncomeCurrencySum->setText(moneyText(shown.IncomeAmount));
    meIncomeCurrencySum->setEnabled(shown.IncomeCode != 0);
    // The deduction as stored: opening an income never changes it. Without a dictionary entry to
    // judge it by it stays, locked.
    pnlSubtractCod->setText(numberText(shown.DeductionCode));
    meSubtractSum->setText(moneyText(shown.DeductionSum));
    setDeductionControls(false, true, false);
    if (shown.IncomeCode == 0) {
        FIncomeName.clear();
        return;
    }
    const DictionaryIncome* entry = IncomeDict::builtIn().income(QString::number(shown.IncomeCode));
    if (!entry)
        return;
    FIncomeName = entry->name;
    if (entry->deductions.empty())
        return;
    FHasDeductions = true;
    const DictionaryDeduction* deduction = entry->deduction(QString::number(shown.DeductionCode));
    if (!deduction) {
        setDeductionControls(true, true, false);
        return;
    }
    setDeductionControls(true, deduction->visible, deduction->enabled);
    FPercent = deduction->percent;
    FMaxSum = deduction->maxSum;
    FEquivalent = deduction->equivalent;
}

void TfrCurrency::clearDetail()
{
    const PageLoadingScope loading;
    const QScopedValueRollback<bool> filling(FFilling, true);
    FOpenIndex = -1;
    FCurrency = nullptr;
    FIncomeName.clear();
    FPercent = 0;
    FMaxSum = Currency();
    FHasDeductions = false;
    FEquivalent = false;
    SetDetailEnabled(false);
    updateListButtons();
}

void TfrCurrency::SetDetailEnabled(bool enabled)
{
    enableAll({dtIncomeGetDate, dtSubtractDate, lbIncomeGetDate, lbSubtractDate, lbCurrencyCode, meCurrencyCode,
                meCurrencyName, chbAutoExchange, bnIncomeCod, lbIncomeCod, lbIncomeCurrencySum,
                meIncomeCurrencySum, lbIncomeRublSum, lbTaxCurrencySum, meTaxCurrencySum, lbTaxRoubleSum},
               enabled);
    bnCurrencyCode->setEnabled(enabled && ratesRoot());
    setDeductionControls(false, true, false);
    setRateEditsEnabled(enabled && !chbAutoExchange->isChecked());
    SetKIKControls({});
    if (enabled)
        return;
    const double now = today();
    dtIncomeGetDate->setDateTime(now);
    dtSubtractDate->setDateTime(now);
    clearTexts({meCurrencyCode, meCurrencyName, meCurrencyUnits, meCurrencyExchange, meCurrencyUnits2,
                meCurrencyExchange2, meIncomeCurrencySum, meTaxCurrencySum, meSubtractSum});
    for (QLabel* code : {pnlIncomeCod, pnlSubtractCod})
        code->clear();
    for (QLabel* figure : {pnlIncomeRublSum, pnlTaxRoubleSum})
        clearFigure(figure);
}

void TfrCurrency::SetKIKControls(CompanyFields fields)
{
    enableAll({lbKIKNum, meKIKNum}, fields.number);
    if (!fields.number)
        meKIKNum->setText(QString());
    enableAll({lbProfitOrder, rb1, rb2, lb150, me150}, fields.full);
    if (!fields.full) {
        uncheck({rb1, rb2});
        me150->setText(QString());
    }
}

void TfrCurrency::setRateEditsEnabled(bool enabled)
{
    enableAll({lbCurrency, lbUnitsFor, meCurrencyUnits, lbUnitsName, meCurrencyExchange, lbRoubles, lbUnitsFor2,
                meCurrencyUnits2, lbUnitsName2, meCurrencyExchange2, lbRoubles2},
               enabled);
}

void TfrCurrency::setDeductionControls(bool codeOn, bool sumVisible, bool sumOn)
{
    enableAll({lbSubtractCod, bnSubtractCod}, codeOn);
    // A hidden sum keeps its place, and its unit goes with it: the group keeps its width.
    meSubtractSum->setVisible(sumVisible);
    lbSubtractRoubles->setVisible(sumVisible);
    enableAll({lbSubtractSum, lbSubtractRoubles}, codeOn && sumVisible);
    meSubtractSum->setEnabled(codeOn && sumOn);
}

void TfrCurrency::lockForFixedProfit(bool locked)
{
    if (!locked)
        return;
    // Everything of the fixed profit is set by the law; only the company's number is the user's.
    enableAll({meIncomeCurrencySum, meSubtractSum, bnSubtractCod, meTaxCurrencySum, meCurrencyCode, meCurrencyName,
                bnIncomeCod, bnCurrencyCode, dtIncomeGetDate, dtSubtractDate, chbAutoExchange},
               false);
    setRateEditsEnabled(false);
    enableAll({lbKIKNum, meKIKNum}, true);
}

void TfrCurrency::updateListButtons()
{
    for (TFlashButton* button : {fbDeleteSourseIncome, fbEditSourseIncome, fbCopy})
        button->setEnabled(FOpenIndex >= 0);
}

const ReferenceElement* TfrCurrency::ratesRoot() const
{
    const ProgramContext* context = programContext();
    if (!context)
        return nullptr;
    const std::optional<ReferenceElement>& rates = context->referenceDirectories().currencyRates;
    return rates ? &*rates : nullptr;
}

void TfrCurrency::FindCurrency(const QString& code)
{
    FCurrency = findCurrency(ratesRoot(), code);
}

std::optional<CurrencyRate> TfrCurrency::FindRateForDate(double dayCount) const
{
    if (!FCurrency)
        return std::nullopt;
    const CalendarDate date = decodeDate(dayCount);
    return findRateForDate(*FCurrency, QDate(date.year, date.month, date.day));
}

void TfrCurrency::takeDirectoryRates(bool incomeDate, bool taxDate)
{
    const std::optional<CurrencyRate> incomeRate = FindRateForDate(dtIncomeGetDate->dateTime());
    const std::optional<CurrencyRate> taxRate = FindRateForDate(dtSubtractDate->dateTime());
    // Automatic only while the directory gives both rates; else both are typed.
    const bool directoryRates = incomeRate && taxRate;
    enableAll({chbAutoExchange}, directoryRates);
    chbAutoExchange->setChecked(directoryRates && FWantsAutoRate);
    const bool automatic = chbAutoExchange->isChecked();
    setRateEditsEnabled(!automatic);
    // A rate typed for another currency or date no longer holds.
    const auto take = [automatic](TMaskedEdit* units, TMaskedEdit* rate, const std::optional<CurrencyRate>& found) {
        units->setText(automatic && found ? found->quantity : QString());
        rate->setText(automatic && found ? found->rate : QString());
    };
    if (incomeDate)
        take(meCurrencyUnits, meCurrencyExchange, incomeRate);
    if (taxDate)
        take(meCurrencyUnits2, meCurrencyExchange2, taxRate);
}

DeductionRule TfrCurrency::deductionRule() const
{
    return {FPercent, FEquivalent, FMaxSum};
}

bool TfrCurrency::holdsWrongTypedDate() const
{
    if (FOpenIndex < 0)
        return false;
    for (const TDtpPanel* field : {dtIncomeGetDate, dtSubtractDate}) {
        if (field->isEnabled() && !field->hasValidDate())
            return true;
    }
    return false;
}

void TfrCurrency::selectionChanged()
{
    if (isLoading() || FSelecting)
        return;
    if (holdsWrongTypedDate()) {
        // The list may select more than once for one key or click: the open income is kept,
        // with the message, once the list is done.
        if (!FKeepingPending) {
            FKeepingPending = true;
            QTimer::singleShot(0, this, [this] {
                FKeepingPending = false;
                if (!keepsOpenIncome())
                    selectionChanged();
            });
        }
        return;
    }
    storeIncome();
    const int row = selectedRow(lvSourseIncomeInfo);
    if (row >= 0)
        showIncome(row);
    else
        clearDetail();
}

void TfrCurrency::fbAddSourseIncomeClick()
{
    if (keepsOpenIncome())
        return;
    TfmInputCurrencySourseIncome dialog(this);
    dialog.chbKIK->setVisible(true);
    dialog.chbKIK->setEnabled(Declaration->KIKItemNumber() == 0);
    if (dialog.exec() != TfmInputCurrencySourseIncome::Confirmed || dialog.SourceName().trimmed().isEmpty())
        return;
    declarationModified();
    const std::size_t index = Declaration->AddCurrencyIncome();
    mTCurrencyIncome& added = income(int(index));
    added.SourceName = dialog.SourceName().toStdString();
    added.SourceCountry = dialog.SourceCountry().toStdString();
    added.CreditCountry = dialog.CreditCountry().toStdString();
    // Rates the directory knows need no typing: they are taken once a currency is chosen.
    added.AutoRate = 1;
    if (dialog.FixedProfit()) {
        Declaration->SetKIKItemNumber(std::int32_t(index) + 1);
        const double yearEnd = *encodeDate(TaxYear, 12, 31);
        added.RatePercent = FixedProfitRatePercent;
        added.IncomeCode = FixedProfitIncomeCode;
        added.IncomeDate = yearEnd;
        added.TaxPaymentDate = yearEnd;
        added.CurrencyCode = FixedProfitCurrency.toStdString();
        added.AutoRate = 1;
        added.IncomeDateRate = Currency::fromWholeRoubles(FixedProfitUnits);
        added.IncomeDateUnits = FixedProfitUnits;
        added.TaxDateRate = Currency::fromWholeRoubles(FixedProfitUnits);
        added.TaxDateUnits = FixedProfitUnits;
        added.SetIncomeAmount(FixedProfit);
        added.SetTaxAmount(Currency());
    }
    new QTreeWidgetItem(lvSourseIncomeInfo, {dialog.SourceName()});
    // Selecting stores the income that was open and opens the new one.
    selectRow(lvSourseIncomeInfo, int(index));
}

void TfrCurrency::EditSource()
{
    const int row = selectedRow(lvSourseIncomeInfo);
    if (FOpenIndex < 0 || row != FOpenIndex)
        return;
    mTCurrencyIncome& edited = income(row);
    TfmInputCurrencySourseIncome dialog(this);
    dialog.chbKIK->setVisible(false);
    dialog.chbKIK->setEnabled(Declaration->KIKItemNumber() == 0);
    if (isFixedProfit(row))
        dialog.SetFixedProfit(true);
    dialog.SetSourceName(QString::fromStdString(edited.SourceName));
    dialog.SetSourceCountry(QString::fromStdString(edited.SourceCountry));
    dialog.SetCreditCountry(QString::fromStdString(edited.CreditCountry));
    if (dialog.exec() != TfmInputCurrencySourseIncome::Confirmed || dialog.SourceName().trimmed().isEmpty())
        return;
    const std::string name = dialog.SourceName().toStdString();
    const std::string sourceCountry = dialog.SourceCountry().toStdString();
    const std::string creditCountry = dialog.CreditCountry().toStdString();
    // The dialog's edits report what the user typed or picked, but not a source filled in as a
    // whole: the page tells of any change itself.
    if (name != edited.SourceName || sourceCountry != edited.SourceCountry || creditCountry != edited.CreditCountry)
        declarationModified();
    edited.SourceName = name;
    edited.SourceCountry = sourceCountry;
    edited.CreditCountry = creditCountry;
    lvSourseIncomeInfo->topLevelItem(row)->setText(0, dialog.SourceName());
    if (dialog.FixedProfit())
        Declaration->SetKIKItemNumber(row + 1);
}

void TfrCurrency::fbDeleteSourseIncomeClick()
{
    const int row = selectedRow(lvSourseIncomeInfo);
    if (FOpenIndex < 0 || row != FOpenIndex)
        return;
    if (!rowDeletionConfirmed(lvSourseIncomeInfo,
                              namedRecord(QStringLiteral("доход из иностранного источника"),
                                          QString::fromStdString(income(row).SourceName))))
        return;
    declarationModified();
    // The fixed profit's number follows its income.
    const std::int32_t fixedProfit = Declaration->KIKItemNumber();
    if (fixedProfit == row + 1)
        Declaration->SetKIKItemNumber(0);
    else if (fixedProfit > row + 1)
        Declaration->SetKIKItemNumber(fixedProfit - 1);
    // The income goes now: nothing of the fields is stored into it, nor into the one after it.
    FOpenIndex = -1;
    {
        const QScopedValueRollback<bool> selecting(FSelecting, true);
        Declaration->DeleteCurrencyIncome(std::size_t(row));
        delete lvSourseIncomeInfo->takeTopLevelItem(row);
        selectRow(lvSourseIncomeInfo, incomeCount() > 0 ? std::max(row - 1, 0) : -1);
    }
    if (incomeCount() == 0)
        clearDetail();
    else
        showIncome(selectedRow(lvSourseIncomeInfo));
}

void TfrCurrency::fbCopyClick()
{
    if (FOpenIndex < 0 || keepsOpenIncome())
        return;
    if (isFixedProfit(FOpenIndex)) {
        MessageBox::show(this, QMessageBox::Information, QStringLiteral("Форвета"),
                         QStringLiteral("Доход не может быть скопирован, т.к. допускается только один доход такого вида"));
        return;
    }
    declarationModified();
    storeIncome();
    const mTCurrencyIncome& original = income(FOpenIndex);
    const std::size_t index = Declaration->AddCurrencyIncome();
    mTCurrencyIncome& copy = income(int(index));
    copy.SourceName = original.SourceName;
    copy.SourceCountry = original.SourceCountry;
    copy.CreditCountry = original.CreditCountry;
    copy.IncomeCode = original.IncomeCode;
    copy.IncomeCodeName = original.IncomeCodeName;
    copy.CurrencyCode = original.CurrencyCode;
    copy.CurrencyName = original.CurrencyName;
    copy.ProfitMethod = original.ProfitMethod;
    copy.CompanyNumber = original.CompanyNumber;
    new QTreeWidgetItem(lvSourseIncomeInfo, {QString::fromStdString(copy.SourceName)});
    selectRow(lvSourseIncomeInfo, int(index));
}

void TfrCurrency::bnCurrencyCodeClick()
{
    const ReferenceElement* root = ratesRoot();
    if (!root)
        return;
    TfmInputCurrencyCode picker(this, meCurrencyCode->text(), *root);
    if (picker.exec() != TfmInputCurrencyCode::Chosen || picker.FCode() == meCurrencyCode->text())
        return;
    // The edit reports the change itself, and its handler looks the currency up.
    meCurrencyCode->setText(picker.FCode());
}

void TfrCurrency::meCurrencyCodeChange()
{
    FindCurrency(meCurrencyCode->text());
    meCurrencyName->setText(FCurrency ? FCurrency->attribute(u"Name") : QString());
    meCurrencyName->setEnabled(!FCurrency);
    takeDirectoryRates(true, true);
}

void TfrCurrency::chbAutoExchangeClick()
{
    declarationModified();
    FWantsAutoRate = chbAutoExchange->isChecked();
    takeDirectoryRates(true, true);
}

std::optional<Currency> TfrCurrency::typedIncomeRoubles() const
{
    return checkedFigure([this] {
        return roublesAtRate(meIncomeCurrencySum->currencyValue(), meCurrencyUnits->text().toInt(),
                             meCurrencyExchange->currencyValue());
    });
}

std::optional<Currency> TfrCurrency::typedTaxRoubles() const
{
    return checkedFigure([this] {
        return roublesAtRate(meTaxCurrencySum->currencyValue(), meCurrencyUnits2->text().toInt(),
                             meCurrencyExchange2->currencyValue());
    });
}

void TfrCurrency::incomeRoublesChange()
{
    if (FFilling)
        return;
    const std::optional<Currency> roubles = typedIncomeRoubles();
    showFigure(pnlIncomeRublSum, roubles);
    // Without a rouble value there is no deduction to derive: the typed one stays.
    if (!FHasDeductions || !roubles)
        return;
    // A typed deduction stays as the user typed it, within its cap.
    const Currency typed = meSubtractSum->currencyValue();
    const Currency deduction = deductionForIncome(deductionRule(), *roubles, typed);
    if (deduction != typed)
        meSubtractSum->setText(currencyDisplayText(deduction));
}

void TfrCurrency::taxRoublesChange()
{
    if (FFilling)
        return;
    showFigure(pnlTaxRoubleSum, typedTaxRoubles());
}

void TfrCurrency::bnIncomeCodClick()
{
    const QString current = pnlIncomeCod->text();
    TfmInputIncomeCode picker(this, IncomeDict::builtIn(), QString(), current, TfmInputIncomeCode::ForeignSource);
    if (picker.exec() != TfmInputIncomeCode::Chosen || picker.GetCode().isEmpty() || picker.GetCode() == current)
        return;
    declarationModified();
    FPercent = 0;
    FHasDeductions = picker.HasDeductions();
    FMaxSum = Currency();
    FEquivalent = false;
    pnlIncomeCod->setText(picker.GetCode());
    FIncomeName = picker.GetName();
    meIncomeCurrencySum->setEnabled(true);
    pnlSubtractCod->clear();
    meSubtractSum->setText(QString());
    SetKIKControls(companyFieldsFor(picker.GetCode().toInt()));
    setDeductionControls(FHasDeductions, true, false);
}

void TfrCurrency::bnSubtractCodClick()
{
    const DictionaryIncome* entry = IncomeDict::builtIn().income(pnlIncomeCod->text());
    if (!entry)
        return;
    const QString current = pnlSubtractCod->text();
    TfmInputDeductCode picker(this, *entry, current, true);
    if (picker.exec() != TfmInputDeductCode::Chosen || picker.FCode() == current)
        return;
    declarationModified();
    pnlSubtractCod->setText(picker.FCode());
    FMaxSum = picker.FMaxSum();
    FPercent = picker.FPercent();
    FEquivalent = picker.FEquivalent();
    setDeductionControls(true, picker.FVisible(), picker.FEnabled());
    const std::optional<Currency> roubles = typedIncomeRoubles();
    const std::optional<Currency> deduction = roubles ? ruleDeduction(deductionRule(), *roubles) : std::nullopt;
    meSubtractSum->setText(deduction ? currencyDisplayText(*deduction) : QString());
}

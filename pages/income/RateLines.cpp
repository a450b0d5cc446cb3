#include "pages/income/RateLines.h"

#include <algorithm>

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "computation/PropertySaleIncome.h"
#include "computation/Residency.h"
#include "controls/CheckedFigure.h"
#include "controls/DeclModified.h"
#include "controls/DeletionQuestion.h"
#include "controls/DisplayFormat.h"
#include "controls/FlashButton.h"
#include "controls/ItemList.h"
#include "controls/MaskedEdit.h"
#include "controls/PageWidgets.h"
#include "export/FieldLimits.h"
#include "model/Sourse.h"
#include "pages/income/Input13Income.h"

namespace {

constexpr std::int32_t DividendIncome = 1010;
constexpr QMargins GroupMargins(8, 4, 8, 6);
constexpr int IncomeRowsShown = 4;

// The tax fields hold whole roubles, as the exchange file does.
constexpr int WithheldTaxDigits = FieldFacetOf("ДоходИстРФ", "НалУдерж").totalDigits;
constexpr int ProfitTaxDigits = FieldFacetOf("РасчНалПУ", "СумФиксАван").totalDigits;

const QString None = QStringLiteral("Нет");
const QString NoSum = QStringLiteral("-");

struct Column {
    const char* heading;
    int width;
    bool sum = false;
};

constexpr Column MonthColumns[] = {
    {"Месяц дохода", 87},      {"Код дохода", 85}, {"Сумма дохода", 95, true}, {"Код вычета", 87},
    {"Сумма вычета", 95, true},
};
constexpr Column OtherRateColumns[] = {
    {"Код дохода", 85},         {"Сумма дохода", 95, true}, {"Код вычета", 87}, {"Сумма вычета", 95, true},
    {"Удержанный налог", 87, true},
};

constexpr int WithheldTaxColumn = 4;

QString numberText(std::int32_t number)
{
    return number == 0 ? None : QString::number(number);
}

QString sumText(Currency sum)
{
    return sum == Currency() ? NoSum : currencyDisplayText(sum);
}

// One formatter for every row, however it came into the list.
QStringList rowTexts(const mTIncome& line, RateLines lines)
{
    QStringList texts{numberText(line.IncomeCode), sumText(line.Amount), numberText(line.DeductionCode),
                      sumText(line.Deduction)};
    if (lines == RateLines::Other)
        texts << sumText(line.WithheldTax);
    else
        texts.prepend(numberText(line.Month));
    return texts;
}

QLabel* createSumPanel(QWidget* parent, const char* name)
{
    QLabel* panel = createLabel(parent, name, QString());
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    panel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return panel;
}

} // namespace

TfrRateLines::TfrRateLines(RateLines lines, QWidget* owner, DeclarationSlot& declaration, int sourceIndex)
    : TThinkingFrame(owner, declaration), lines_(lines), sourceIndex_(sourceIndex)
{
    setObjectName(lines == RateLines::Rate13   ? QStringLiteral("Tfr13")
                  : lines == RateLines::Rate15 ? QStringLiteral("Tfr15")
                                               : QStringLiteral("TfrOther"));
    createControls();
    layOutControls();
    connectHandlers();

    const PageLoadingScope filling;
    const LoadingScope loading(*this);
    showSource();
}

TfrRateLines::~TfrRateLines()
{
    // The controls outlive this frame's own parts; what they signal while going must not reach it.
    for (QObject* control : findChildren<QObject*>())
        QObject::disconnect(control, nullptr, this, nullptr);
}

QString TfrRateLines::groupCaption(RateLines lines, std::uint8_t declarationType)
{
    switch (lines) {
    case RateLines::Rate13:
        return QStringLiteral("Доходы, облагаемые по ставке 13% (из справки 2-НДФЛ, либо от источников, не "
                              "являющихся налоговыми агентами)");
    case RateLines::Rate15:
        return QStringLiteral("Доходы, облагаемые по ставке 15% (из справки 2-НДФЛ)");
    case RateLines::Other:
        break;
    }
    if (IsOrdinaryDeclarationType(declarationType))
        return QStringLiteral("Доходы, облагаемые по ставкам, отличным от 13% и 15% (из справки 2-НДФЛ)");
    return QStringLiteral(
        "Доходы, облагаемые по ставке 30% и другим ставкам, отличным от 13% и 15% (2-НДФЛ и другие источники)");
}

bool TfrRateLines::resident() const
{
    return IsResidentDeclaration(*Declaration);
}

mbTSourse* TfrRateLines::source() const
{
    if (sourceIndex_ < 0 || std::size_t(sourceIndex_) >= Declaration->SourceCount())
        return nullptr;
    return Declaration->GetSource(std::size_t(sourceIndex_)).get();
}

OwnedList<mTIncome>& TfrRateLines::incomeLines() const
{
    mbTSourse& shown = *source();
    switch (lines_) {
    case RateLines::Rate13:
        return shown.Incomes13;
    case RateLines::Rate15:
        return shown.Incomes15;
    case RateLines::Other:
        break;
    }
    return shown.Incomes99;
}

Currency& TfrRateLines::withheldTax() const
{
    mbTSourse& shown = *source();
    switch (lines_) {
    case RateLines::Rate13:
        return shown.WithheldTax13;
    case RateLines::Rate15:
        return shown.WithheldTax15;
    case RateLines::Other:
        break;
    }
    return shown.WithheldTax99;
}

Currency* TfrRateLines::profitTax() const
{
    switch (lines_) {
    case RateLines::Rate13:
        return &source()->OrgProfitTax13;
    case RateLines::Rate15:
        return &source()->OrgProfitTax15;
    case RateLines::Other:
        break;
    }
    return nullptr;
}

Currency TfrRateLines::total() const
{
    Currency sum;
    for (const auto& line : incomeLines())
        sum += line->Amount;
    return sum;
}

void TfrRateLines::createControls()
{
    pnlIncomeButton = new QWidget(this);
    pnlIncomeButton->setObjectName(QStringLiteral("pnlIncomeButton"));
    fbAddIncome = createItemButton(pnlIncomeButton, QStringLiteral("fbAddIncome"), ItemAction::Add,
                                   QStringLiteral("Добавить доход"));
    fbRemoveIncome = createItemButton(pnlIncomeButton, QStringLiteral("fbRemoveIncome"), ItemAction::Delete,
                                      QStringLiteral("Удалить доход"));
    fbEditIncome = createItemButton(pnlIncomeButton, QStringLiteral("fbEditIncome"), ItemAction::Edit,
                                    QStringLiteral("Редактировать доход"));
    fbCopy = createItemButton(pnlIncomeButton, QStringLiteral("fbCopy"), ItemAction::Copy,
                              QStringLiteral("Копировать доход"));
    fbCopy->setHidden(lines_ == RateLines::Other);

    const bool other = lines_ == RateLines::Other;
    lvIncome = createItemList(this, QStringLiteral("lvIncome"), QString(), 0);
    lvIncome->setToolTip(QStringLiteral("Список доходов по выбранному источнику выплат "));
    QStringList headings;
    for (const Column& column : other ? OtherRateColumns : MonthColumns)
        headings << QString::fromUtf8(column.heading);
    lvIncome->setColumnCount(int(headings.size()));
    lvIncome->setHeaderLabels(headings);
    lvIncome->header()->setStretchLastSection(false);
    int listWidth = 0;
    for (int i = 0; i < int(headings.size()); ++i) {
        const Column& column = (other ? OtherRateColumns : MonthColumns)[i];
        // Never narrower than its heading, whatever the font.
        const int width =
            std::max(column.width, lvIncome->header()->fontMetrics().horizontalAdvance(headings[i]) + 16);
        // The sums share the width the page gives beyond the columns' own, so that a large sum
        // shows whole where there is room for it.
        if (column.sum)
            lvIncome->header()->setSectionResizeMode(i, QHeaderView::Stretch);
        lvIncome->setColumnWidth(i, width);
        lvIncome->headerItem()->setTextAlignment(i, Qt::AlignCenter);
        listWidth += width;
    }
    lvIncome->setMinimumWidth(std::min(listWidth, 400));
    // The list takes the height its page gives it, down to a few rows: below that the page scrolls.
    lvIncome->setMinimumHeight(lvIncome->header()->sizeHint().height() + IncomeRowsShown * (fontMetrics().height() + 4) +
                               2 * lvIncome->frameWidth());
    lvIncome->setSizePolicy(lvIncome->sizePolicy().horizontalPolicy(), QSizePolicy::Ignored);

    gbResult = createGroupBox(this, "gbResult", QStringLiteral("Итоговые суммы по источнику выплат"));
    lbItogIncomeSum = createLabel(gbResult, "lbItogIncomeSum", QStringLiteral("Общая сумма дохода"));
    pnlItogIncomeSum = createSumPanel(gbResult, "pnlItogIncomeSum");
    const QString holdCaption = lines_ == RateLines::Rate13   ? QStringLiteral("Сумма налога удержанная (13%) ")
                                : lines_ == RateLines::Rate15 ? QStringLiteral("Сумма налога удержанная (15%) ")
                                                              : QStringLiteral("Сумма налога удержанная ");
    lbHoldSum = createLabel(gbResult, "lbHoldSum", holdCaption);
    meHoldSum = createWholeRoublesEdit(gbResult, "meHoldSum", WithheldTaxDigits);
    pnlItogIncomeSum->setFixedWidth(meHoldSum->width());

    pnlPribOrg = new QWidget(gbResult);
    pnlPribOrg->setObjectName(QStringLiteral("pnlPribOrg"));
    lbPribOrg = createLabel(pnlPribOrg, "lbPribOrg",
                            lines_ == RateLines::Rate15 ? QStringLiteral("Сумма налога на прибыль орг.  (15%) ")
                                                        : QStringLiteral("Сумма налога на прибыль орг.  (13%) "));
    mePribOrg = createWholeRoublesEdit(pnlPribOrg, "mePribOrg", ProfitTaxDigits);
    pnlPribOrg->hide();

    // A resident's other-rate lines carry the tax withheld on each; a non-resident's share one sum.
    if (other) {
        const bool perLine = resident();
        lvIncome->setColumnHidden(WithheldTaxColumn, !perLine);
        lbHoldSum->setHidden(perLine);
        meHoldSum->setHidden(perLine);
    }
}

void TfrRateLines::layOutControls()
{
    auto* buttons = new QVBoxLayout(pnlIncomeButton);
    buttons->setContentsMargins(0, 0, 0, 0);
    for (TFlashButton* button : {fbAddIncome, fbRemoveIncome, fbEditIncome, fbCopy})
        buttons->addWidget(button);
    buttons->addStretch();

    auto* list = new QHBoxLayout;
    list->addWidget(lvIncome, 1);
    list->addWidget(pnlIncomeButton);

    auto* profit = new QHBoxLayout(pnlPribOrg);
    profit->setContentsMargins(0, 0, 0, 0);
    profit->setSpacing(8);
    profit->addWidget(lbPribOrg);
    profit->addWidget(mePribOrg);
    profit->addStretch();

    auto* result = new QGridLayout(gbResult);
    result->setContentsMargins(GroupMargins);
    result->setHorizontalSpacing(8);
    result->setVerticalSpacing(4);
    result->addWidget(lbItogIncomeSum, 0, 0);
    result->addWidget(pnlItogIncomeSum, 0, 1);
    result->addWidget(lbHoldSum, 1, 0);
    result->addWidget(meHoldSum, 1, 1);
    result->addWidget(pnlPribOrg, 2, 0, 1, 2);
    result->setColumnStretch(2, 1);
    // The profit tax lines up with the fields above it.
    const int captionWidth = std::max(
        {lbItogIncomeSum->sizeHint().width(), lbHoldSum->sizeHint().width(), lbPribOrg->sizeHint().width()});
    for (QLabel* caption : {lbItogIncomeSum, lbHoldSum, lbPribOrg})
        caption->setMinimumWidth(captionWidth);

    auto* frame = new QVBoxLayout(this);
    frame->setContentsMargins(2, 2, 2, 2);
    frame->setSpacing(4);
    frame->addLayout(list, 1);
    frame->addWidget(gbResult);
}

void TfrRateLines::connectHandlers()
{
    connect(fbAddIncome, &TFlashButton::clicked, this, &TfrRateLines::fbAddIncomeClick);
    connect(fbRemoveIncome, &TFlashButton::clicked, this, &TfrRateLines::fbRemoveIncomeClick);
    connect(fbEditIncome, &TFlashButton::clicked, this, &TfrRateLines::EditIncome);
    connect(fbCopy, &TFlashButton::clicked, this, &TfrRateLines::fbCopyClick);
    onItemOpened(lvIncome, [this] { EditIncome(); });
    bindListCommands(lvIncome, {fbAddIncome, fbRemoveIncome, fbEditIncome, fbCopy});
    updateLineButtons_ = enableWithSelectedRow(lvIncome, {fbRemoveIncome, fbEditIncome, fbCopy},
                                               [this] { return editable_ && source(); });
}

void TfrRateLines::showSource()
{
    if (!source()) {
        SetEditable(false);
        return;
    }
    meHoldSum->setCurrencyValue(withheldTax());
    if (const Currency* profit = profitTax())
        mePribOrg->setCurrencyValue(*profit);
    for (const auto& line : incomeLines())
        appendRow(*line);
    showTotal();
    applyDividendRule();
}

void TfrRateLines::showTotal()
{
    showFigure(pnlItogIncomeSum, checkedFigure([this] { return total(); }));
}

void TfrRateLines::applyDividendRule()
{
    if (lines_ == RateLines::Other)
        return;
    const OwnedList<mTIncome>& shown = incomeLines();
    // Once shown, the field stays while the frame lives: its sum is kept even without a dividend.
    if (std::any_of(shown.begin(), shown.end(), [](const auto& line) { return line->IncomeCode == DividendIncome; }))
        pnlPribOrg->show();
}

void TfrRateLines::appendRow(const mTIncome& line)
{
    auto* row = new QTreeWidgetItem(lvIncome, rowTexts(line, lines_));
    for (int i = 0; i < lvIncome->columnCount(); ++i)
        row->setTextAlignment(i, Qt::AlignRight | Qt::AlignVCenter);
}

void TfrRateLines::SaveData()
{
    if (!source())
        return;
    withheldTax() = meHoldSum->currencyValue();
    if (Currency* profit = profitTax())
        *profit = mePribOrg->currencyValue();
}

void TfrRateLines::SetEditable(bool value)
{
    TThinkingFrame::SetEditable(value);
    fbAddIncome->setEnabled(value);
    editable_ = value;
    updateLineButtons_();
}

std::unique_ptr<TfmInput13Income> TfrRateLines::lineDialog()
{
    QString rate = QStringLiteral("13");
    if (lines_ == RateLines::Rate15)
        rate = QStringLiteral("15");
    else if (lines_ == RateLines::Other)
        rate = resident() ? QStringLiteral("100") : QStringLiteral("30");
    return std::make_unique<TfmInput13Income>(this, rate, resident(), source()->IsInvestmentPartnership != 0);
}

namespace {

// Writes what the dialog asks into the line; what it does not ask stays as it is.
void storeDialog(const TfmInput13Income& dialog, mTIncome& line, RateLines lines)
{
    line.IncomeCode = dialog.GetIncomeCode();
    line.Amount = dialog.GetIncomeSum();
    line.DeductionCode = dialog.GetDeductCode();
    line.Deduction = dialog.GetDeductSum();
    line.DeductionPercent = dialog.GetDeductPercent();
    if (dialog.asksMonth() || line.Month == 0)
        line.Month = dialog.GetMonth();
    const bool sale = IsRealEstateSale(line.IncomeCode);
    line.PropertyFlag = sale && dialog.GetAcquiredAfter2016() ? 1 : 0;
    line.CadastralNumber = sale ? dialog.GetCadastralNumber().toStdString() : std::string();
    line.CadastralValue = sale ? dialog.GetCadastralValue() : Currency();
    line.ContractPrice = sale ? dialog.GetPrice() : Currency();
    if (lines == RateLines::Other)
        line.WithheldTax = dialog.GetWithheldTax();
}

} // namespace

void TfrRateLines::fbAddIncomeClick()
{
    if (!source())
        return;
    const std::unique_ptr<TfmInput13Income> dialog = lineDialog();
    if (dialog->exec() != TfmInput13Income::Confirmed || dialog->GetIncomeCode() == 0)
        return;
    declarationModified();
    auto line = std::make_unique<mTIncome>();
    storeDialog(*dialog, *line, lines_);
    appendRow(*line);
    const std::size_t index = incomeLines().add(std::move(line));
    showTotal();
    applyDividendRule();
    selectRow(lvIncome, int(index));
}

void TfrRateLines::EditIncome()
{
    const int row = selectedRow(lvIncome);
    if (!source() || row < 0)
        return;
    const std::unique_ptr<TfmInput13Income> dialog = lineDialog();
    dialog->showLine(incomeLines()[std::size_t(row)]);
    if (dialog->exec() != TfmInput13Income::Confirmed || dialog->GetIncomeCode() == 0)
        return;
    mTIncome& line = incomeLines()[std::size_t(row)];
    mTIncome edited = line;
    storeDialog(*dialog, edited, lines_);
    if (edited == line)
        return;
    declarationModified();
    line = edited;
    const QStringList texts = rowTexts(line, lines_);
    for (int i = 0; i < int(texts.size()); ++i)
        lvIncome->topLevelItem(row)->setText(i, texts[i]);
    showTotal();
    applyDividendRule();
    selectRow(lvIncome, row);
}

void TfrRateLines::fbRemoveIncomeClick()
{
    const int row = selectedRow(lvIncome);
    if (!source() || row < 0)
        return;
    const mTIncome& going = incomeLines()[std::size_t(row)];
    QString named = QStringLiteral("доход с кодом %1").arg(going.IncomeCode);
    if (going.Amount != Currency())
        named += QStringLiteral(" на сумму ") + currencyDisplayText(going.Amount);
    if (!rowDeletionConfirmed(lvIncome, named))
        return;
    declarationModified();
    incomeLines().remove(std::size_t(row));
    delete lvIncome->takeTopLevelItem(row);
    selectRow(lvIncome, lvIncome->topLevelItemCount() > 0 ? std::max(row - 1, 0) : -1);
    showTotal();
}

void TfrRateLines::fbCopyClick()
{
    const int row = selectedRow(lvIncome);
    if (!source() || row < 0 || lines_ == RateLines::Other)
        return;
    declarationModified();
    const mTIncome& original = incomeLines()[std::size_t(row)];
    auto copy = std::make_unique<mTIncome>();
    copy->IncomeCode = original.IncomeCode;
    copy->Amount = original.Amount;
    copy->DeductionCode = original.DeductionCode;
    copy->Deduction = original.Deduction;
    copy->DeductionPercent = original.DeductionPercent;
    // A December line is copied into December.
    copy->Month = std::uint16_t(std::min(original.Month + 1, 12));
    appendRow(*copy);
    const std::size_t index = incomeLines().add(std::move(copy));
    showTotal();
    selectRow(lvIncome, int(index));
}

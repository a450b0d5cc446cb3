#include "pages/income/InputIncomeCode.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSet>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "controls/HelpTopics.h"
#include "controls/PageWidgets.h"
#include "pages/income/IncomeDict.h"

namespace {

constexpr QSize InitialSize(781, 381);
constexpr int HelpPictureSize = 32;
const QString OtherRatesRate = QStringLiteral("100");
const QString FindingCodesTopic = QLatin1String(FindingCodesHelpTopic);

bool offeredToResidents(const DictionaryIncome& income)
{
    return income.russian || income.notAgentIncome;
}

} // namespace

TfmInputIncomeCode::TfmInputIncomeCode(QWidget* owner, const IncomeDict& dictionary, const QString& rate,
                                       const QString& code, std::uint16_t mode)
    : TDictionaryPicker(owner, "TfmInputIncomeCode", "lvIncomeNames", QStringLiteral("Наименование дохода")),
      Image1(createLabel(this, "Image1", QString())),
      dictionary_(dictionary),
      rateGiven_(!rate.isEmpty()),
      rate_(rate)
{
    setWindowTitle(QStringLiteral("Справочник видов доходов"));
    resize(InitialSize);
    list->setColumnWidth(1, InitialSize.width() - 100);

    Image1->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxQuestion).pixmap(HelpPictureSize));
    Image1->setMouseTracking(true);
    Image1->installEventFilter(this);
    if (isHelpAvailable()) {
        Image1->setToolTip(QStringLiteral("Нажми на меня!"));
        Image1->setCursor(Qt::PointingHandCursor);
    } else {
        Image1->setEnabled(false);
        Image1->setToolTip(helpUnavailableText());
    }

    if (rate == OtherRatesRate && mode == RussianSource)
        mode = OtherRates;
    const std::vector<DictionaryIncome>& incomes = dictionary.incomes();
    int preselected = 0;
    // A code is listed once: its entries for other lists read the same here, and whichever row
    // is chosen, the dialogs apply the code's first entry.
    QSet<QString> listedCodes;
    // The first entry, the total income, is never offered.
    for (std::size_t index = 1; index < incomes.size(); ++index) {
        if (!isListed(incomes[index], mode, rate) || listedCodes.contains(incomes[index].code))
            continue;
        listedCodes.insert(incomes[index].code);
        if (incomes[index].code == code)
            preselected = list->topLevelItemCount();
        addRow(incomes[index].code, incomes[index].name, int(index));
    }
    preselectRow(preselected);

    auto* hintRow = new QHBoxLayout;
    hintRow->addWidget(Label1, 1);
    hintRow->addWidget(Image1, 0, Qt::AlignTop);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list, 1);
    layout->addLayout(hintRow);
    layout->addLayout(dialogButtonRow({bnYes, bnCansel}));
}

bool TfmInputIncomeCode::isListed(const DictionaryIncome& income, std::uint16_t mode, const QString& rate)
{
    // A rate matches as part of the rates text: "13" is listed at "13" and at "13/15". An empty
    // rate matches nothing.
    const auto allowsRate = [&] { return !rate.isEmpty() && income.rates.contains(rate); };
    switch (mode) {
    case RussianSource:
        return offeredToResidents(income) && allowsRate();
    case ForeignSource:
        return income.foreign;
    case NonResident:
        return income.nonResident;
    case NonResidentAtRate:
        return income.nonResidentAtRate && allowsRate();
    case InvestmentPartnership:
        return income.investmentPartnership;
    case OtherRates:
        return offeredToResidents(income) && !income.rates.contains(u"13") && !income.rates.contains(u"15");
    default:
        return false;
    }
}

QString TfmInputIncomeCode::GetCode() const
{
    const QTreeWidgetItem* row = list->currentItem();
    return row ? row->text(0) : QString();
}

QString TfmInputIncomeCode::GetName() const
{
    const QTreeWidgetItem* row = list->currentItem();
    return row ? row->text(1) : QString();
}

void TfmInputIncomeCode::rowChosen(int incomeIndex)
{
    // What the dialogs apply to a code is the first income with it; the picker answers the same.
    const DictionaryIncome* income = dictionary_.income(dictionary_.incomes()[std::size_t(incomeIndex)].code);
    if (!rateGiven_)
        rate_ = income->rates;
    hasDeductions_ = !income->deductions.empty();
    saleDate_ = income->saleDate;
}

bool TfmInputIncomeCode::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Image1 && event->type() == QEvent::Enter) {
        Label1->setText(QStringLiteral("Подсказка: Для быстрого поиска нужного кода наберите его на клавиатуре."));
    } else if (watched == Image1 && event->type() == QEvent::Leave) {
        restoreRestingHint();
    } else if (watched == Image1 && event->type() == QEvent::MouseButtonRelease && Image1->isEnabled()) {
        openHelpTopic(this, FindingCodesTopic);
        return true;
    }
    return TDictionaryPicker::eventFilter(watched, event);
}

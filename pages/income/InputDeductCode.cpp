#include "pages/income/InputDeductCode.h"

#include <QLabel>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "controls/PageWidgets.h"
#include "pages/income/IncomeDict.h"

namespace {

constexpr QSize InitialSize(662, 271);

} // namespace

TfmInputDeductCode::TfmInputDeductCode(QWidget* owner, const DictionaryIncome& income, const QString& deductCode,
                                       bool showAll)
    : TDictionaryPicker(owner, "TfmInputDeductCode", "lvDeductNames", QStringLiteral("Виды вычетов")),
      income_(income)
{
    setWindowTitle(QStringLiteral("Справочник видов вычетов"));
    resize(InitialSize);

    int preselected = 0;
    for (std::size_t index = 0; index < income.deductions.size(); ++index) {
        const DictionaryDeduction& deduction = income.deductions[index];
        if (!showAll && !isOfferedToNonResidents(deduction.code))
            continue;
        if (deduction.code == deductCode)
            preselected = list->topLevelItemCount();
        addRow(deduction.code, deduction.name, int(index));
    }
    preselectRow(preselected);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list, 1);
    layout->addWidget(Label1);
    layout->addLayout(dialogButtonRow({bnYes, bnCansel}));
}

bool TfmInputDeductCode::isOfferedToNonResidents(const QString& deductCode)
{
    return deductCode.startsWith(u'2') || deductCode.startsWith(u'8') || deductCode.startsWith(u'5')
        || deductCode == u"0" || deductCode == u"915";
}

void TfmInputDeductCode::rowChosen(int deductionIndex)
{
    const DictionaryDeduction& deduction = *income_.deduction(income_.deductions[std::size_t(deductionIndex)].code);
    code_ = deduction.code;
    name_ = deduction.name;
    maxSum_ = deduction.maxSum;
    enabled_ = deduction.enabled;
    equivalent_ = deduction.equivalent;
    visible_ = deduction.visible;
    percent_ = deduction.percent;
}

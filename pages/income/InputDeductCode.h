#pragma once

#include <cstdint>

#include <QString>

#include "model/Currency.h"
#include "pages/income/DictionaryPicker.h"

struct DictionaryIncome;

// The list of the deductions an income allows. The caller presets a deduction code, shows the
// picker modally and on Chosen reads the chosen deduction and the rules it brings.
class TfmInputDeductCode : public TDictionaryPicker {
    Q_OBJECT

public:
    // Without `showAll` only the deductions a non-resident may have are listed.
    TfmInputDeductCode(QWidget* owner, const DictionaryIncome& income, const QString& deductCode, bool showAll);

    static bool isOfferedToNonResidents(const QString& deductCode);

    const QString& FCode() const { return code_; }
    const QString& FName() const { return name_; }
    Currency FMaxSum() const { return maxSum_; }
    bool FEnabled() const { return enabled_; }
    bool FEquivalent() const { return equivalent_; }
    bool FVisible() const { return visible_; }
    std::uint16_t FPercent() const { return percent_; }

protected:
    void rowChosen(int deductionIndex) override;

private:
    const DictionaryIncome& income_;
    QString code_;
    QString name_;
    Currency maxSum_;
    bool enabled_ = false;
    bool equivalent_ = false;
    bool visible_ = false;
    std::uint16_t percent_ = 0;
};

#pragma once

#include <cstdint>

#include <QString>

#include "pages/income/DictionaryPicker.h"

class IncomeDict;
struct DictionaryIncome;

// The list of income codes, filtered by the kind of income being entered. The caller presets a
// rate and a code, shows the picker modally and on Chosen reads the code, its name, the rate and
// what the income-line dialog asks of the chosen income.
class TfmInputIncomeCode : public TDictionaryPicker {
    Q_OBJECT

public:
    // Which incomes are listed.
    enum Mode : std::uint16_t {
        RussianSource = 1,         // a resident's Russian income at the given rate
        ForeignSource = 2,         // foreign income
        NonResident = 3,           // a non-resident's income at 30 %
        NonResidentAtRate = 4,     // a non-resident's income at the given rate
        InvestmentPartnership = 5, // income from an investment partnership
        OtherRates = 6,            // a resident's Russian income at rates other than 13 and 15 %
    };

    // `rate` is the rate in percent the incomes must allow ("100" asks for the other rates);
    // empty, the picker gives the chosen income's rates. Any mode not listed above lists nothing.
    TfmInputIncomeCode(QWidget* owner, const IncomeDict& dictionary, const QString& rate, const QString& code,
                       std::uint16_t mode);

    // Whether an income is listed in a mode at a rate.
    static bool isListed(const DictionaryIncome& income, std::uint16_t mode, const QString& rate);

    // The chosen row's code and name; empty when the list is empty.
    QString GetCode() const;
    QString GetName() const;
    const QString& Rate() const { return rate_; }
    bool HasDeductions() const { return hasDeductions_; }
    bool SaleDate() const { return saleDate_; }

    QLabel* Image1; // a question mark that opens the help on finding codes

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void rowChosen(int incomeIndex) override;

private:
    const IncomeDict& dictionary_;
    const bool rateGiven_;
    QString rate_;
    bool hasDeductions_ = false;
    bool saleDate_ = false;
};

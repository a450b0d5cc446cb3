#pragma once

#include <cstdint>
#include <vector>

#include <QString>
#include <QStringView>

#include "model/Currency.h"

struct ReferenceElement;

// One deduction an income allows, as the income-line dialog applies it.
struct DictionaryDeduction {
    QString code; // "0" (no deduction) or three digits
    QString name;
    std::uint16_t percent = 0; // the deduction is this share of the income; 0 when none
    bool visible = false;      // the deduction sum is shown
    bool enabled = false;      // the user may type the deduction sum
    bool equivalent = false;   // the deduction equals the income, up to maxSum
    Currency maxSum;           // 0: no bound
};

// One income of the dictionary. Codes repeat: the same code may stand at other rates or for
// other kinds of income, and a lookup by code takes the first.
struct DictionaryIncome {
    QString code; // four digits
    QString name;
    QString rates; // "13/15", "13", "35" …: the rates in percent it may be declared at
    bool russian = false;               // offered for income from a Russian source
    bool foreign = false;               // offered for foreign income
    bool nonResident = false;           // offered to a non-resident at 30 %
    bool nonResidentAtRate = false;     // offered to a non-resident at the caller's rate
    bool notAgentIncome = false;        // a sale offered in the resident lists all the same
    bool investmentPartnership = false; // offered for income from an investment partnership
    bool saleDate = false;              // a sale: the income-line dialog asks for its details
    std::vector<DictionaryDeduction> deductions;

    // The first deduction with `code`; nullptr when the income allows none such.
    const DictionaryDeduction* deduction(QStringView code) const;
};

// The income and deduction code dictionary: every income in the order the pickers show it. The
// first entry, the total income "0000", is never offered as an income: its deductions are those
// an employer may have granted.
class IncomeDict {
public:
    // Reads the document element "IncomeDict". Throws ReferenceFileError when an attribute is
    // missing, a maximum sum is no amount or the total income 0000 does not come first.
    explicit IncomeDict(const ReferenceElement& root);

    // The program's own dictionary, read once from its resources.
    static const IncomeDict& builtIn();

    const std::vector<DictionaryIncome>& incomes() const { return incomes_; }
    // The first income with `code`; nullptr for a code the dictionary does not know.
    const DictionaryIncome* income(QStringView code) const;
    // The deductions an employer may have granted.
    const DictionaryIncome& employerDeductions() const { return incomes_.front(); }

private:
    std::vector<DictionaryIncome> incomes_;
};

// What the user is told when a stored code is not in the dictionary.
QString unknownIncomeCodeMessage(QStringView code);

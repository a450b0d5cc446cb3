#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "model/Currency.h"

class mTDocumentStorage;

// One business activity of an entrepreneur: its income and expenses of the year and by quarter.
class mTBusinessNew {
public:
    static constexpr int QuarterCount = 4;

    void Clear() { *this = mTBusinessNew(); }

    // Section "@BusinessIncome" + index; the expense breakdown is saved, in a section
    // "@BusinessExpense" + index, only while the expenses are confirmed.
    void Save(mTDocumentStorage& storage, std::uint16_t index) const;
    void Load(mTDocumentStorage& storage, std::uint16_t index);
    std::uint32_t StorageSize(std::uint16_t index) const;

    std::string ActivityKind;         // one digit "1".."9"
    std::string ActivityCode = "..";
    std::uint8_t ExpensesConfirmed = 1; // 1: the expenses are documented and itemised
    Currency IncomeSum;
    Currency ExpenseSum;
    Currency MaterialExpenses;
    Currency Depreciation;
    Currency LabourExpenses;
    Currency OtherExpenses;
    std::array<Currency, QuarterCount> QuarterIncome{};
    std::array<Currency, QuarterCount> QuarterExpense{};

    friend bool operator==(const mTBusinessNew&, const mTBusinessNew&) = default;
};

#pragma once

#include <array>
#include <cstdint>

#include "model/Currency.h"

class mTDocumentStorage;

// Number of children of one category: either one count for the whole year (ConstCount 1)
// or a count per month.
struct mTChildrenRow {
    std::uint8_t ConstCount = 1;
    std::int32_t YearCount = 0;
    std::array<std::int32_t, 12> MonthCount{}; // index 0 = January

    friend bool operator==(const mTChildrenRow&, const mTChildrenRow&) = default;
};

// The standard deductions claimed in the declaration: the personal code, the parent status,
// the children and, for entrepreneurs, the monthly income and expense table.
//
// The arrays are indexed from 0 = January. The accessors take a month index 0-11 or a month
// number 1-12 as their names say and raise std::out_of_range for anything else.
class mTStandartDeduct {
public:
    std::uint8_t Granted = 0;
    // 103 none, 104, 105, or 110: the code changed during the year and MonthPersonalCode applies.
    std::int32_t PersonalCode = 103;
    // 101 deduction for children, 102 single parent, or 103: changed during the year and
    // MonthParentStatus applies.
    std::int32_t ParentStatus = 101;
    mTChildrenRow Children;
    mTChildrenRow DisabledChildren;
    mTChildrenRow ThirdChildren; // the third child and later
    std::uint8_t HasBusinessMonths = 0;
    std::array<Currency, 12> MonthIncome{};
    std::array<Currency, 12> MonthExpense{};
    std::array<std::uint8_t, 12> BusinessMonth{};
    std::uint8_t HasMonthPersonalCodes = 0;
    // 2: the 3 000-rouble deduction of that month, 1: the 500-rouble one, anything else none.
    std::array<std::int32_t, 12> MonthPersonalCode{};
    std::uint8_t HasMonthParentStatus = 0;
    std::array<std::int32_t, 12> MonthParentStatus{};
    std::uint8_t Guardian = 0; // guardian, trustee or foster parent of the children

    void SetChildCountConst(std::int32_t count);
    void SetDisabledChildCountConst(std::int32_t count);
    void SetThirdChildCountConst(std::int32_t count);

    // Store the month's count and mark the row as changing during the year.
    void SetChildCount(std::uint8_t monthIndex, std::int32_t count);
    void SetDisabledChildCount(std::uint8_t monthIndex, std::int32_t count);
    void SetThirdChildCount(std::uint8_t monthIndex, std::int32_t count);

    // The month's count whatever ConstCount says.
    std::int32_t GetChildCount(std::uint8_t monthIndex) const;
    std::int32_t GetDisabledChildCount(std::uint8_t monthIndex) const;
    std::int32_t GetThirdChildCount(std::uint8_t monthIndex) const;

    std::uint8_t GetBusinessMonth(std::uint8_t monthIndex) const;
    void SetBusinessMonth(std::uint8_t monthIndex, std::uint8_t tick);

    Currency GetMonthIncome(std::uint8_t month) const;
    void SetMonthIncome(std::uint8_t month, Currency amount);
    Currency GetMonthExpense(std::uint8_t month) const;
    void SetMonthExpense(std::uint8_t month, Currency amount);
    std::int32_t GetMonthPersonalCode(std::uint8_t month) const;
    void SetMonthPersonalCode(std::uint8_t month, std::int32_t code);
    std::int32_t GetMonthSingleParent(std::uint8_t month) const;
    void SetMonthSingleParent(std::uint8_t month, std::int32_t status);

    // Section "@StandartDeduct". Values that a flag leaves out of the file keep what the
    // object held before Load.
    void Save(mTDocumentStorage& storage) const;
    void Load(mTDocumentStorage& storage);
    std::uint32_t StorageSize() const;

    friend bool operator==(const mTStandartDeduct&, const mTStandartDeduct&) = default;
};

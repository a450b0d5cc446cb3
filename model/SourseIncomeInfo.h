#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "model/Currency.h"
#include "model/DocumentStorage.h"
#include "model/OwnedList.h"
#include "model/SSCDeduct.h"

// Income records of an older layout of the declaration file, by tax rate. They are created only
// while a file that holds them is read, and written back unchanged when it is saved; the
// meanings of their unnamed fields are not known, so those carry neutral names.

// Common part of the older records: the payer and a further sum.
class mTSourseIncomeInfo {
public:
    virtual ~mTSourseIncomeInfo() = default;

    // `index` is the record's position in its list; `flag` picks the stream name where a class
    // keeps two lists of records.
    virtual void Save(mTDocumentStorage& storage, std::uint16_t index, bool flag) const = 0;
    virtual void Load(mTDocumentStorage& storage, std::uint16_t index, bool flag) = 0;
    std::uint32_t StorageSize(std::uint16_t index, bool flag) const;

    std::string PayerText1;
    std::string PayerText2;
    std::string PayerText3;
    std::string PayerText4;
    Currency OtherSum;

protected:
    mTSourseIncomeInfo() = default;
    mTSourseIncomeInfo(const mTSourseIncomeInfo&) = default;
    mTSourseIncomeInfo& operator=(const mTSourseIncomeInfo&) = default;
    mTSourseIncomeInfo(mTSourseIncomeInfo&&) = default;
    mTSourseIncomeInfo& operator=(mTSourseIncomeInfo&&) = default;
    friend bool operator==(const mTSourseIncomeInfo&, const mTSourseIncomeInfo&) = default;

    void savePayerTexts(mTDocumentStorage& storage) const;
    void loadPayerTexts(mTDocumentStorage& storage);
};

// One income line of the older 13 % record.
struct mTSourseIncome {
    std::int32_t IncomeCode = 0;
    std::string LineText1;
    Currency Amount;
    std::int32_t DeductionCode = 0;
    Currency Deduction;
    std::int32_t LineInteger = 0;
    std::uint16_t Month = 0;
    std::uint8_t LineByte = 0;
    std::string LineText2;
    Currency LineSum1;
    Currency LineSum2;

    // The line's values inside the section that its record has just written or opened.
    void WriteValues(mTDocumentStorage& storage) const;
    void ReadValues(mTDocumentStorage& storage);

    friend bool operator==(const mTSourseIncome&, const mTSourseIncome&) = default;
};

// Older 13 % record; `flag` true marks the non-residents' list.
class mTThirteenPercent : public mTSourseIncomeInfo {
public:
    static constexpr int MonthCount = 12;

    void Save(mTDocumentStorage& storage, std::uint16_t index, bool flag) const override;
    void Load(mTDocumentStorage& storage, std::uint16_t index, bool flag) override;

    // Sum of the lines' Amount; not stored.
    Currency IncomeTotal() const;

    // Month 0..11 (January..December). A value of exactly -1 marks the month as holding none.
    void SetMonthDeduction(int month, Currency value);
    bool HasMonthDeduction(int month) const;

    OwnedList<mTSourseIncome> SourceIncomes;
    OwnedList<mbTSSCDeduct> SSCDeducts;
    std::array<Currency, MonthCount> MonthDeductions{};
    std::uint16_t MonthSet = 0; // bit i: month i holds a value
    std::uint8_t RecordFlag = 0;
    Currency ExtraSum1;
    Currency ExtraSum2;
    Currency ExtraSum3;
    std::uint8_t ClosingFlag = 0;

private:
    static int checkedMonth(int month);
};

// Older 35 % record; it keeps one list, so the flag is not used.
class mTThirtyFivePercent : public mTSourseIncomeInfo {
public:
    void Save(mTDocumentStorage& storage, std::uint16_t index, bool flag) const override;
    void Load(mTDocumentStorage& storage, std::uint16_t index, bool flag) override;

    Currency IncomeTotal;
    std::int32_t Code1 = 0;
    std::int32_t Code2 = 0;
    Currency Sum;

    friend bool operator==(const mTThirtyFivePercent&, const mTThirtyFivePercent&) = default;
};

// Older 30 % record (`flag` true) and, with the same fields, older 9 % record (`flag` false).
class mTThirtyPercent : public mTSourseIncomeInfo {
public:
    void Save(mTDocumentStorage& storage, std::uint16_t index, bool flag) const override;
    void Load(mTDocumentStorage& storage, std::uint16_t index, bool flag) override;

    Currency IncomeTotal;
    std::int32_t Code1 = 0;
    Currency Sum1;
    Currency Sum2;

    friend bool operator==(const mTThirtyPercent&, const mTThirtyPercent&) = default;
};

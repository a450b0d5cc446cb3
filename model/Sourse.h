#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "model/Currency.h"
#include "model/OwnedList.h"
#include "model/SSCDeduct.h"

class mTDocumentStorage;

// One income line of a payment source.
struct mTIncome {
    std::int32_t IncomeCode = 0;       // four-digit income code
    Currency Amount;
    std::int32_t DeductionCode = 0;    // expense deduction applied to this income; 0 for none
    Currency Deduction;
    std::int32_t DeductionPercent = 0; // percentage that the deduction code's dictionary entry gives
    std::int32_t LineReserved = 0;     // carried from file to file; nothing sets it
    std::uint16_t Month = 0;           // 1..12
    // Sale of property, income codes 1510, 1511 and 1512 only.
    std::uint8_t PropertyFlag = 0;
    std::string CadastralNumber;
    Currency CadastralValue;
    Currency ContractPrice;
    Currency WithheldTax; // entered for lines taxed at other rates

    // The line's values inside the section that its source has just written or opened.
    void WriteValues(mTDocumentStorage& storage) const;
    void ReadValues(mTDocumentStorage& storage);

    friend bool operator==(const mTIncome&, const mTIncome&) = default;
};

// One payer in Russia: its requisites, the income lines it paid by rate (13 %, 15 %, all
// other rates), the tax it withheld and the deductions it granted.
//
// Indexes are 0-based; an index outside its list raises std::out_of_range.
class mbTSourse {
public:
    OwnedList<mTIncome> Incomes13;
    OwnedList<mTIncome> Incomes15;
    OwnedList<mTIncome> Incomes99; // 30 % and every other rate
    OwnedList<mbTSSCDeduct> SSCDeducts;
    std::string Inn;
    std::string Kpp;
    std::string Oktmo;
    std::string Name;
    std::uint8_t StandardDeductionsHere = 0; // standard deductions are computed at this source
    Currency SourceReserved;                 // carried from file to file; nothing sets it
    std::uint8_t IsInvestmentPartnership = 0;
    Currency WithheldTax13;
    Currency WithheldTax15;
    Currency WithheldTax99;
    Currency OrgProfitTax13; // the organisation's profit tax on the dividends among the 13 % lines
    Currency OrgProfitTax15;

    // Sums of Amount over each list, taken from the lines as they are now.
    Currency Total13() const;
    Currency Total15() const;
    Currency Total99() const;

    // Add takes over a line (never null) and returns its index. Delete with a replacement
    // copies the replacement's values over the line and leaves the replacement to the caller;
    // without one it frees the line and moves the later lines down.
    std::size_t AddIncome13(std::unique_ptr<mTIncome> line);
    std::size_t Income13Count() const { return Incomes13.count(); }
    mTIncome& GetIncome13(std::size_t index) { return Incomes13[index]; }
    const mTIncome& GetIncome13(std::size_t index) const { return Incomes13[index]; }
    void DeleteIncome13(std::size_t index, const mTIncome* replacement = nullptr);

    std::size_t AddIncome15(std::unique_ptr<mTIncome> line);
    std::size_t Income15Count() const { return Incomes15.count(); }
    mTIncome& GetIncome15(std::size_t index) { return Incomes15[index]; }
    const mTIncome& GetIncome15(std::size_t index) const { return Incomes15[index]; }
    void DeleteIncome15(std::size_t index, const mTIncome* replacement = nullptr);

    std::size_t AddIncome99(std::unique_ptr<mTIncome> line);
    std::size_t Income99Count() const { return Incomes99.count(); }
    mTIncome& GetIncome99(std::size_t index) { return Incomes99[index]; }
    const mTIncome& GetIncome99(std::size_t index) const { return Incomes99[index]; }
    void DeleteIncome99(std::size_t index, const mTIncome* replacement = nullptr);

    std::size_t AddSSCDeduct(std::unique_ptr<mbTSSCDeduct> deduct);
    std::size_t SSCDeductCount() const { return SSCDeducts.count(); }
    mbTSSCDeduct& GetSSCDeduct(std::size_t index) { return SSCDeducts[index]; }
    const mbTSSCDeduct& GetSSCDeduct(std::size_t index) const { return SSCDeducts[index]; }
    void DeleteSSCDeduct(std::size_t index, const mbTSSCDeduct* replacement = nullptr);

    // Section "@Source" + index, followed by one section per line and per deduction.
    // Load appends what it reads to the lists.
    void Save(mTDocumentStorage& storage, std::uint16_t index) const;
    void Load(mTDocumentStorage& storage, std::uint16_t index);
    std::uint32_t StorageSize(std::uint16_t index) const;
};

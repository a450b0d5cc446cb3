#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "model/Currency.h"
#include "model/OwnedList.h"

class mTDocumentStorage;

// One property object of the property-purchase deduction.
class mTConstructionDeductObj {
public:
    static constexpr double DefaultDate = 37622; // 01.01.2003

    std::int32_t ObjectCode = 0; // kind of object
    std::string ObjectNumber;
    std::string ObjectLocation;
    std::int32_t ObjectNumberKind = 0;
    std::int32_t OwnerSign = 0; // the taxpayer's sign
    std::int32_t AcquisitionMethod = 0;
    double DwellingRegDate = DefaultDate;
    double LandRegDate = 0;
    double ActDate = DefaultDate; // act of transfer
    std::int32_t ShareNumerator = 0;
    std::int32_t ShareDenominator = 0;
    Currency Cost; // purchase or construction expense
    Currency InterestPaid; // loan interest paid
    Currency ActualExpense; // not saved: set by the property-purchase computation
    std::uint8_t ByInvestment = 0; // 1 acquired by investment, 0 by a contract of sale
    std::uint8_t Pensioner = 0;
    // Not saved: set by the property-purchase computation (-1 marks the deciding object of a
    // year before 2014); the exchange file carries the ownership share only when it is non-zero.
    std::int32_t PreShareMarker = 0;

    // Section "@ConstructionDeductObj" with the object's index in the list.
    void Save(mTDocumentStorage& storage, std::uint16_t index) const;
    void Load(mTDocumentStorage& storage, std::uint16_t index);
    std::uint32_t StorageSize(std::uint16_t index) const;

    friend bool operator==(const mTConstructionDeductObj&, const mTConstructionDeductObj&) = default;
};

// The property-purchase deduction with its property objects.
class mTConstructionDeduct {
public:
    std::uint8_t Granted = 0;
    Currency ExtraSum1; // kept in the file only
    Currency ExtraSum2; // kept in the file only
    Currency PrevYearsDeduction;
    Currency PrevYearsInterestDeduction;
    Currency SimplifiedDeduction; // granted by an employer in the simplified procedure
    Currency SimplifiedInterestDeduction;
    OwnedList<mTConstructionDeductObj> ObjectList;

    // Appends the object and returns its index.
    std::size_t AddObject(std::unique_ptr<mTConstructionDeductObj> object);
    std::unique_ptr<mTConstructionDeductObj>& GetObject(std::size_t index);
    const std::unique_ptr<mTConstructionDeductObj>& GetObject(std::size_t index) const;
    std::size_t ObjectCount() const;
    void DeleteObject(std::size_t index);

    // Section "@ConstructionDeduct" with the objects' own sections; Load replaces the objects.
    void Save(mTDocumentStorage& storage) const;
    void Load(mTDocumentStorage& storage);
    std::uint32_t StorageSize() const;
};

#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "model/Currency.h"
#include "model/OwnedList.h"

class mTDocumentStorage;

// One pension or insurance contract of the social deductions.
class mTPens {
public:
    // 1 non-state pension provision, 2 voluntary pension insurance, 3 voluntary life insurance,
    // 4 additional contributions to the funded pension (no organisation, number or date).
    std::int32_t ContractKind = 0;
    std::string OrgName;
    std::string OrgINN;
    std::string OrgKPP;
    std::string ContractNumber;
    double ContractDate = 0;
    Currency Sum;

    // Section "@PensSub" with the contract's index in the list.
    void Save(mTDocumentStorage& storage, std::uint16_t index) const;
    void Load(mTDocumentStorage& storage, std::uint16_t index);
    std::uint32_t StorageSize(std::uint16_t index) const;

    friend bool operator==(const mTPens&, const mTPens&) = default;
};

// The social deductions claimed in the declaration: sums of the year, the sums paid for
// children's education and the pension and insurance contracts.
class mTSocialDeduct {
public:
    std::uint8_t Granted = 0;
    Currency CharitySum;
    Currency CharitySum30; // charity up to 30 % of the income
    Currency SelfEducationSum;
    std::vector<Currency> ChildEduList; // one sum per child, in the order entered
    Currency MedicalSum;
    Currency MedicamentSum;
    Currency ExpensiveMedicalSum;
    Currency InsuranceSum;
    Currency ExtraSum1; // kept in the file only
    Currency ExtraSum2; // kept in the file only
    Currency QualificationSum;
    OwnedList<mTPens> PensList;

    // An index outside the child-education list raises mEMemoryAllocate: Get, Set and Delete
    // raise 310, 320 and 330 for index 0 of an empty list, 311, 321 and 331 for any other.
    std::int32_t ChildEduCount() const;
    // Returns the new sum's index.
    std::int32_t AddChildEduSum(Currency sum);
    Currency GetChildEduSum(std::int32_t index) const;
    void SetChildEduSum(std::int32_t index, Currency sum);
    void DeleteChildEduSum(std::int32_t index);

    // Appends an empty contract and returns its index.
    std::size_t AddPens();
    std::unique_ptr<mTPens>& GetPens(std::size_t index);
    const std::unique_ptr<mTPens>& GetPens(std::size_t index) const;
    std::size_t PensCount() const;
    void DeletePens(std::size_t index);

    // Section "@SocialDeduct", then section "@Pens" with the contracts' own sections.
    // Load replaces the child-education sums and the contracts.
    void Save(mTDocumentStorage& storage) const;
    void Load(mTDocumentStorage& storage);
    std::uint32_t StorageSize() const;

private:
    std::size_t checkedChildEduIndex(std::int32_t index, std::uint16_t emptyListCode) const;
    void appendChildEduSum(Currency sum, std::uint16_t noMemoryCode);
};

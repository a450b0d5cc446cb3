#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "model/Currency.h"
#include "model/OwnedList.h"

class mTDocumentStorage;

// One individual investment account.
class bmTInfoIIS {
public:
    // The securities-market participant that keeps the account.
    std::string ParticipantINN;
    std::string ParticipantKPP;
    std::string ParticipantName;
    double ContractDate = 0;
    std::string ContractNumber;
    double OpenDate = 0;
    Currency PaidIn; // paid in during the year
    std::uint8_t SimplifiedSign = 0; // deduction granted in the simplified procedure

    // Section "@InfoIIS" with the account's index in the list.
    void Save(mTDocumentStorage& storage, std::uint16_t index) const;
    void Load(mTDocumentStorage& storage, std::uint16_t index);
    std::uint32_t StorageSize(std::uint16_t index) const;

    friend bool operator==(const bmTInfoIIS&, const bmTInfoIIS&) = default;
};

// The investment deductions with the individual investment accounts.
class mTInvDeduct {
public:
    Currency SecuritiesDeduction;
    Currency PartnershipDeduction; // the same deduction within an investment partnership
    Currency IISContributionDeduction;
    Currency IISDeductionToReturn; // that deduction of earlier periods, to be returned
    std::uint8_t ApplyIncomeDeduction = 0;
    std::uint8_t Granted = 0;
    OwnedList<bmTInfoIIS> IISList;

    // Both append and return the new account's index.
    std::size_t AddInfoIIS();
    std::size_t AddInfoIISCell(std::unique_ptr<bmTInfoIIS> account);
    std::unique_ptr<bmTInfoIIS>& GetInfoIIS(std::size_t index);
    const std::unique_ptr<bmTInfoIIS>& GetInfoIIS(std::size_t index) const;
    std::size_t InfoIISCount() const;
    void DeleteInfoIIS(std::size_t index);

    // Section "@InvDeduct" with the accounts' own sections; Load replaces the accounts.
    void Save(mTDocumentStorage& storage) const;
    void Load(mTDocumentStorage& storage);
    std::uint32_t StorageSize() const;
};

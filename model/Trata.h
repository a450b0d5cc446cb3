#pragma once

#include <cstdint>
#include <string>

#include "model/Currency.h"

class mTDocumentStorage;

// One application for the refund of overpaid tax to a bank account, or for its offset
// against other tax payments.
class mTTrata {
public:
    void Clear() { *this = mTTrata(); }

    // Section "@Return" + index.
    void Save(mTDocumentStorage& storage, std::uint16_t index) const;
    void Load(mTDocumentStorage& storage, std::uint16_t index);
    std::uint32_t StorageSize(std::uint16_t index) const;

    Currency RefundSum; // to the bank account
    std::string ApplicationNumber;
    std::uint8_t AllIn = 0;    // 1: refund all that is left to this account
    std::uint8_t IsRefund = 0; // 1: refund to a bank account; 0: offset against other taxes
    std::string BankName;
    std::string BankBik;
    // 1 "02 - Текущий счет", 2 "07 - Счет по вкладам (депозитам)"; 0 none chosen.
    std::int32_t AccountKind = 0;
    std::string AccountNumber;
    Currency OffsetSum;
    std::string TaxOfficeCode; // receives the offset payment
    std::string Kbk;
    // 1 repaying arrears (penalties and fines), 2 future payments; 0 none chosen.
    std::int32_t OffsetPurpose = 0;
    std::string Oktmo;
    std::string Note; // copied into the payment line of an offset application

    friend bool operator==(const mTTrata&, const mTTrata&) = default;
};

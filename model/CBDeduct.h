#pragma once

#include <cstdint>

#include "model/Currency.h"

class mTDocumentStorage;

// Losses of earlier years carried forward: on securities, on derivatives and within investment
// partnerships, each outside and within an individual investment account.
class mTCBDeduct {
public:
    Currency LossSecurities;
    Currency LossSecuritiesIIS;
    Currency LossDerivatives;
    Currency LossDerivativesIIS;
    Currency LossPartnership;
    Currency LossPartnershipIIS;
    std::uint8_t Granted = 0;

    // Section "@CBDeduct".
    void Save(mTDocumentStorage& storage) const;
    void Load(mTDocumentStorage& storage);
    std::uint32_t StorageSize() const;

    friend bool operator==(const mTCBDeduct&, const mTCBDeduct&) = default;
};

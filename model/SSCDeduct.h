#pragma once

#include <cstdint>

#include "model/Currency.h"

class mTDocumentStorage;

// A standard, social or property deduction that the payer already granted as tax agent.
struct mbTSSCDeduct {
    std::int32_t Code = 0;
    Currency Sum;

    void WriteValues(mTDocumentStorage& storage) const;
    void ReadValues(mTDocumentStorage& storage);

    friend bool operator==(const mbTSSCDeduct&, const mbTSSCDeduct&) = default;
};

#pragma once

#include <cstdint>

#include "model/TaxpayerNumbers.h"

class QString;

// CheckInn for a text of the window, blanks around it ignored.
std::uint16_t CheckINN(const QString& value, InnKind kind);

// Results of CheckKPP.
enum KppCheck : std::uint16_t {
    KppValid = 0,
    KppEmpty = 1,
    KppNot9 = 2,
    KppMalformed = 3,
};

// Checks a registration reason code (КПП), blanks around it ignored: nine characters of the form the
// exchange file accepts (IsKpp).
std::uint16_t CheckKPP(const QString& value);

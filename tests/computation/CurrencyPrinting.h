#pragma once

#include <cstdint>
#include <cstdlib>
#include <ostream>
#include <string>

#include "model/Currency.h"

// Test failures show amounts as roubles with four decimals instead of raw bytes.
inline void PrintTo(Currency amount, std::ostream* out)
{
    const std::int64_t units = amount.units();
    const std::int64_t magnitude = std::llabs(units);
    std::string fraction = std::to_string(magnitude % Currency::UnitsPerRouble);
    fraction.insert(0, 4 - fraction.size(), '0');
    *out << (units < 0 ? "-" : "") << magnitude / Currency::UnitsPerRouble << '.' << fraction;
}

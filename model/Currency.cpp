#include "model/Currency.h"

#include <cmath>
#include <stdexcept>

void Currency::throwOutOfRange()
{
    throw std::overflow_error("Сумма вне допустимого диапазона");
}

Currency Currency::fromRoubles(long double roubles)
{
    // nearbyintl rounds in the default mode, to nearest with halves to even.
    const long double units = std::nearbyintl(roubles * UnitsPerRouble);
    constexpr long double limit = 9223372036854775808.0L; // 2^63
    if (!(units > -limit && units < limit))
        throwOutOfRange();
    return Currency(static_cast<std::int64_t>(units));
}

Currency operator*(Currency amount, long double factor)
{
    return Currency::fromRoubles(amount.roubles() * factor);
}

Currency operator/(Currency amount, long double divisor)
{
    return Currency::fromRoubles(amount.roubles() / divisor);
}

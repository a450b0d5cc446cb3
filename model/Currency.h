#pragma once

#include <compare>
#include <cstdint>
#include <limits>

static_assert(std::numeric_limits<long double>::digits == 64,
              "money arithmetic needs the 80-bit extended long double");

// A money amount in units of 1/10000 rouble (1 rouble = 10000, 1 kopeck = 100).
// Sums and differences are exact; any other arithmetic goes through roubles() in extended
// precision and comes back through fromRoubles(), which rounds to the nearest unit with an
// exact half going to the even neighbour. An amount beyond the 64-bit range raises
// std::overflow_error (the operand is left as it was) instead of wrapping around.
class Currency {
public:
    static constexpr std::int64_t UnitsPerRouble = 10000;

    constexpr Currency() = default;

    static constexpr Currency fromUnits(std::int64_t units) { return Currency(units); }
    static constexpr Currency fromWholeRoubles(std::int64_t roubles)
    {
        std::int64_t units = 0;
        if (__builtin_mul_overflow(roubles, UnitsPerRouble, &units))
            throwOutOfRange();
        return Currency(units);
    }
    static Currency fromRoubles(long double roubles);

    constexpr std::int64_t units() const { return units_; }
    long double roubles() const { return static_cast<long double>(units_) / UnitsPerRouble; }

    constexpr Currency operator-() const { return Currency() - *this; }
    constexpr Currency& operator+=(Currency other)
    {
        std::int64_t sum = 0;
        if (__builtin_add_overflow(units_, other.units_, &sum))
            throwOutOfRange();
        units_ = sum;
        return *this;
    }
    constexpr Currency& operator-=(Currency other)
    {
        std::int64_t difference = 0;
        if (__builtin_sub_overflow(units_, other.units_, &difference))
            throwOutOfRange();
        units_ = difference;
        return *this;
    }
    friend constexpr Currency operator+(Currency a, Currency b) { return a += b; }
    friend constexpr Currency operator-(Currency a, Currency b) { return a -= b; }
    friend constexpr auto operator<=>(Currency, Currency) = default;

    // Raises the error of an amount beyond the range, for arithmetic done outside the class.
    [[noreturn]] static void throwOutOfRange();

private:
    constexpr explicit Currency(std::int64_t units) : units_(units) {}

    std::int64_t units_ = 0;
};

// Products and quotients in extended precision, stored back with the rounding of fromRoubles().
Currency operator*(Currency amount, long double factor);
Currency operator/(Currency amount, long double divisor);

#pragma once

#include <compare>
#include <cstdint>
#include <limits>

static_assert(std::numeric_limits<long double>::digits == 64,
              "money arithmetic needs the 80-bit extended long double");

// A money amount in units of 1/10000 rouble (1 rouble = 10000, 1 kopeck = 100).
// Sums and differences are exact; any other arithmetic goes through roubles() in extended
// precision and comes back through fromRoubles(), which rounds to the nearest unit with an
// exact half going to the even neighbour.
class Currency {
public:
    static constexpr std::int64_t UnitsPerRouble = 10000;

    constexpr Currency() = default;

    static constexpr Currency fromUnits(std::int64_t units) { return Currency(units); }
    static constexpr Currency fromWholeRoubles(std::int64_t roubles) { return Currency(roubles * UnitsPerRouble); }
    // Throws std::overflow_error when the amount does not fit.
    static Currency fromRoubles(long double roubles);

    constexpr std::int64_t units() const { return units_; }
    long double roubles() const { return static_cast<long double>(units_) / UnitsPerRouble; }

    constexpr Currency operator-() const { return Currency(-units_); }
    constexpr Currency& operator+=(Currency other) { units_ += other.units_; return *this; }
    constexpr Currency& operator-=(Currency other) { units_ -= other.units_; return *this; }
    friend constexpr Currency operator+(Currency a, Currency b) { return a += b; }
    friend constexpr Currency operator-(Currency a, Currency b) { return a -= b; }
    friend constexpr auto operator<=>(Currency, Currency) = default;

private:
    constexpr explicit Currency(std::int64_t units) : units_(units) {}

    std::int64_t units_ = 0;
};

// Products and quotients in extended precision, stored back with the rounding of fromRoubles().
Currency operator*(Currency amount, long double factor);
Currency operator/(Currency amount, long double divisor);

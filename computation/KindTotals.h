#pragma once

#include <array>
#include <cstddef>

#include "model/Currency.h"

// Per-kind totals of a sheet are kept for a fixed list of income kinds, slot i holding the
// total of kinds[i]; kinds without a slot have no total.

// The total of a kind; 0 for a kind without a slot.
template <std::size_t N>
Currency TotalOfKind(const std::array<int, N>& kinds, const std::array<Currency, N>& totals, int kind)
{
    for (std::size_t i = 0; i < N; ++i)
        if (kinds[i] == kind)
            return totals[i];
    return Currency();
}

// Adds to a kind's total; a kind without a slot adds nothing.
template <std::size_t N>
void AddToKind(const std::array<int, N>& kinds, std::array<Currency, N>& totals, int kind, Currency amount)
{
    for (std::size_t i = 0; i < N; ++i)
        if (kinds[i] == kind)
            totals[i] += amount;
}

#pragma once

#include <optional>
#include <stdexcept>
#include <utility>

#include "model/Currency.h"

// A figure computed with the checked money arithmetic: a total of many lines, an amount at a
// rate. Typed or read from a file, the amounts may give a result beyond what an amount can hold.

// The figure `compute` gives, or nullopt when it lies beyond the range.
template <typename Compute>
std::optional<Currency> checkedFigure(Compute&& compute)
{
    try {
        return std::forward<Compute>(compute)();
    } catch (const std::overflow_error&) {
        return std::nullopt;
    }
}

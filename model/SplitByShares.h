#pragma once

#include <array>

#include "model/Currency.h"

// One income kind in the split of a tax amount over kinds.
struct ShareRow {
    Currency IncomeSum;    // the weight when no row has a positive NetSum
    Currency DeductionSum; // carried through unchanged
    Currency NetSum;       // the weight of the row; only rows with NetSum > 0 take part
    Currency Share;        // out: the row's part of the amount
    Currency Fraction;     // out: the part of the row's exact share below one rouble
};

// Rows 1 to 25 are the indices 0 to 24.
using ShareTable = std::array<ShareRow, 25>;

// Splits `amount` over the rows in proportion to NetSum, in whole roubles by largest
// remainders (the lowest row on a tie), so that the shares add up to the amount rounded to
// whole roubles (an exact half to the even neighbour). A single row taking part gets the whole
// amount, kopecks included. When no row has a positive NetSum, the rows with a positive
// IncomeSum take part by the same rules with IncomeSum as weight. Rows that do not take part
// keep Share and Fraction as given; IncomeSum, DeductionSum and NetSum never change.
// A negative amount is split as the mirror image of its magnitude.
ShareTable SplitByShares(const ShareTable& rows, Currency amount);

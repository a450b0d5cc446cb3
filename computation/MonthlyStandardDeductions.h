#pragma once

#include <array>
#include <cstdint>

#include "model/Currency.h"

class kTSvodSum;
class mTDeclaration;

// Standard deductions claimed in the declaration, worked out month by month: the personal
// deduction of 3 000 or 500 roubles a month, and the children's deductions, which stop in the
// month in which the income since the start of the year exceeds 350 000 roubles. The yearly
// totals replace the tax agents' figures of the deduction sheet; the quarter totals serve the
// advance payments on business income. Arrays are indexed from 0 = January.
class kTSvodSumPrilE1 {
public:
    std::int32_t CountedMonths = 0; // months with counted income up to the income limit
    std::array<Currency, 12> MonthIncome{};      // business income
    std::array<Currency, 12> MonthExpense{};     // business expense
    std::array<Currency, 12> CumulativeIncome{}; // income from January through the month
    Currency Total218_1_1;             // 3 000 roubles a month
    Currency Total218_1_2;             // 500 roubles a month
    Currency ChildTotal;               // children, single amount
    Currency ChildDoubleTotal;         // children, double amount of a single parent
    Currency DisabledChildTotal;       // disabled children, single amount
    Currency DisabledChildDoubleTotal; // disabled children, double amount
    std::array<Currency, 4> QuarterTotal{}; // every monthly standard deduction by quarter

    // Adds to the quarter of a month index 0-11; any other index changes nothing.
    void AddToQuarter(int MonthIndex, Currency Amount);

    void Clear();
    bool Calculate(mTDeclaration& Decl, kTSvodSum& Svod);
};

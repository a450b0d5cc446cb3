#include "model/IncomeKinds.h"

#include <algorithm>
#include <iterator>

#include "model/Money.h"

namespace {

struct CodeRange {
    std::int32_t first;
    std::int32_t last; // inclusive
    int kind;
};

constexpr int otherIncomeKind = 7;

constexpr CodeRange incomeKindRanges[] = {
    {1000, 1000, 5},  {1001, 1002, 10}, {1003, 1003, 6},  {1010, 1010, 1},  {1011, 1011, 4},
    {1012, 1012, 1},  {1110, 1110, 23}, {1120, 1120, 23}, {1200, 1203, 17}, {1211, 1211, 10},
    {1212, 1213, 17}, {1215, 1215, 17}, {1219, 1220, 10}, {1240, 1240, 17}, {1300, 1301, 10},
    {1400, 1402, 8},  {1510, 1512, 18}, {1520, 1521, 18}, {1530, 1533, 3},  {1535, 1538, 3},
    {1540, 1540, 10}, {1542, 1542, 10}, {1544, 1549, 3},  {1550, 1550, 10}, {1551, 1552, 3},
    {1560, 1560, 18}, {1570, 1570, 18}, {2000, 2004, 10}, {2010, 2010, 10}, {2012, 2015, 10},
    {2201, 2210, 10}, {2300, 2301, 10}, {2400, 2400, 8},  {2510, 2510, 10}, {2520, 2520, 10},
    {2530, 2530, 10}, {2610, 2610, 19}, {2611, 2611, 10}, {2620, 2620, 19}, {2630, 2630, 10},
    {2640, 2641, 10}, {2710, 2710, 10}, {2720, 2721, 17}, {2730, 2730, 10},
    {2740, 2740, 19}, {2750, 2750, 10}, {2760, 2763, 10}, {2770, 2770, 10}, {2780, 2780, 10},
    {2790, 2790, 10}, {2799, 2800, 10}, {2900, 2900, 10}, {3010, 3011, 2},  {3012, 3012, 10},
    {3020, 3020, 19}, {3022, 3022, 19}, {3023, 3023, 4},  {3030, 3030, 19}, {4800, 4800, 10},
    {4900, 4900, 10}, {4910, 4910, 10}, {4920, 4920, 10}, {5002, 5002, 3},  {5005, 5005, 3},
    {5009, 5009, 3},  {5011, 5011, 3},  {5013, 5014, 3},  {5017, 5017, 3},  {5020, 5020, 3},
    {5024, 5024, 3},  {5026, 5026, 3},  {5028, 5029, 3},  {6009, 6009, 9},  {6011, 6011, 11},
    {6012, 6012, 12}, {6013, 6013, 13}, {6014, 6014, 14}, {6024, 6024, 24}, {9537, 9538, 3},
    {9551, 9552, 3},
};

// Ascending and apart, for the binary search below.
static_assert(std::adjacent_find(std::begin(incomeKindRanges), std::end(incomeKindRanges),
                                 [](const CodeRange& a, const CodeRange& b) {
                                     return a.first > a.last || a.last >= b.first;
                                 }) == std::end(incomeKindRanges));

} // namespace

int IncomeKindCode(std::int32_t incomeCode)
{
    const auto range = std::lower_bound(std::begin(incomeKindRanges), std::end(incomeKindRanges), incomeCode,
                                        [](const CodeRange& r, std::int32_t code) { return r.last < code; });
    if (range != std::end(incomeKindRanges) && range->first <= incomeCode)
        return range->kind;
    return otherIncomeKind;
}

std::string IncomeKindText(std::int32_t incomeCode)
{
    return TwoDigitText(IncomeKindCode(incomeCode));
}

bool IsIncomeKind8_10_17(std::int32_t incomeCode)
{
    const int kind = IncomeKindCode(incomeCode);
    return kind == 8 || kind == 10 || kind == 17;
}

int DeductionKindCode(std::int32_t incomeCode)
{
    switch (incomeCode) {
    case 1005: return 22;
    case 1010: return 21;
    case 6015: return 15;
    default: return 20;
    }
}

std::string DeductionKindText(std::int32_t incomeCode)
{
    return TwoDigitText(DeductionKindCode(incomeCode));
}

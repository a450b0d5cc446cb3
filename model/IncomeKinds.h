#pragma once

#include <cstdint>
#include <string>

// The income kind (a two-digit code of section 2 of the form) of a four-digit income code.

// "01" to "24"; every code without a kind of its own is "07".
std::string IncomeKindText(std::int32_t incomeCode);
int IncomeKindCode(std::int32_t incomeCode);
bool IsIncomeKind8_10_17(std::int32_t incomeCode);

// The kind of an income line taxed at other rates: "22" (1005), "21" (1010), "15" (6015),
// "20" for every other code.
std::string DeductionKindText(std::int32_t incomeCode);
int DeductionKindCode(std::int32_t incomeCode);

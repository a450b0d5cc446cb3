#pragma once

#include <cstdint>
#include <optional>

#include "computation/TaxArithmetic.h"
#include "model/Currency.h"

// The tax rules of an income line, which the income line dialog applies while the user types:
// which deduction the line carries and how the income of a sale of real estate follows from its
// cadastral value.

// The income 2799 always carries the deduction 599, which equals the income.
inline constexpr std::int32_t FixedDeductionIncome = 2799;
inline constexpr std::int32_t FixedDeductionCode = 599;

// A non-resident's lines carry a deduction only for these incomes.
bool nonResidentMayDeduct(std::int32_t incomeCode);

// Whether the deduction may be larger than the income it belongs to (losses carried over,
// expenses on securities and the like).
bool deductionMayExceedIncome(std::int32_t incomeCode, std::int32_t deductCode);

// The income of a sale while the cadastral value counts: the larger of the computation's
// cadastral floor and the price of the contract, the income the declaration is taxed on.
Currency propertySaleIncome(Currency cadastralValue, Currency price);

// What a deduction of the dictionary amounts to for an income.
struct DeductionRule {
    std::uint16_t percent = 0; // a share of the income; 0 when none
    bool equivalent = false;   // the whole income
    Currency maxSum;           // the cap; 0 when none
};

// The deduction the rule sets for the income, capped by a non-zero maximum; nullopt when the
// rule leaves the sum to the user.
std::optional<Currency> ruleDeduction(const DeductionRule& rule, Currency income);
// A sum typed by the user, capped by a non-zero maximum.
Currency cappedDeduction(const DeductionRule& rule, Currency typed);
// The deduction the rule sets for the income, or else the sum the user typed, within the cap.
Currency deductionForIncome(const DeductionRule& rule, Currency income, Currency typed);

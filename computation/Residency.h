#pragma once

#include <cstdint>

#include "model/Declaration.h"

// A resident files the ordinary declaration and the one on ending a business; every other
// declaration is a non-resident's, whose income is taxed at the non-resident rates.
constexpr bool IsResidentDeclarationType(std::uint8_t type)
{
    return type == DeclarationOrdinary || type == DeclarationClosingBusiness;
}

inline bool IsResidentDeclaration(const mTDeclaration& Decl)
{
    return IsResidentDeclarationType(Decl.DeclarationType);
}

// The ordinary declaration is a resident's of the whole year: it alone claims the social,
// investment and property deductions. The declaration on ending a business carries that
// business's income and the standard deductions only.
constexpr bool IsOrdinaryDeclarationType(std::uint8_t type)
{
    return type == DeclarationOrdinary;
}

inline bool IsOrdinaryDeclaration(const mTDeclaration& Decl)
{
    return IsOrdinaryDeclarationType(Decl.DeclarationType);
}

// A non-resident is taxed on income from Russian sources only (and the credit of tax paid abroad
// is a resident's): the foreign incomes of a non-resident's declaration count in no sheet.
inline bool ForeignIncomesCount(const mTDeclaration& Decl)
{
    return Decl.HasIncomeKind(IncomeKindForeign) && IsResidentDeclaration(Decl);
}

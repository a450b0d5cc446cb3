#pragma once

#include "model/Declaration.h"

// A resident files the ordinary declaration and the one on ending a business; every other
// declaration is a non-resident's, whose income is taxed at the non-resident rates.
inline bool IsResidentDeclaration(const mTDeclaration& Decl)
{
    return Decl.DeclarationType == DeclarationOrdinary || Decl.DeclarationType == DeclarationClosingBusiness;
}

// A non-resident is taxed on income from Russian sources only (and the credit of tax paid abroad
// is a resident's): the foreign incomes of a non-resident's declaration count in no sheet.
inline bool ForeignIncomesCount(const mTDeclaration& Decl)
{
    return Decl.HasIncomeKind(IncomeKindForeign) && IsResidentDeclaration(Decl);
}

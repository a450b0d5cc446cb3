#pragma once

#include "model/Declaration.h"

// A resident files the ordinary declaration and the one on ending a business; every other
// declaration is a non-resident's, whose income is taxed at the non-resident rates.
inline bool IsResidentDeclaration(const mTDeclaration& Decl)
{
    return Decl.DeclarationType == DeclarationOrdinary || Decl.DeclarationType == DeclarationClosingBusiness;
}

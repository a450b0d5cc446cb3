#pragma once

#include <cstdint>
#include <initializer_list>
#include <memory>

#include "ComputationTestSupport.h"
#include "CurrencyPrinting.h"
#include "computation/Summary.h"
#include "model/Declaration.h"

// Declarations with securities and partnership operations, and the run of the securities
// sheets in the order of the summary.

// All lines on the 13 % list of one payer.
inline mTDeclaration declarationWith(std::initializer_list<LineFigures> lines)
{
    mTDeclaration decl;
    decl.SetIncomeKinds(IncomeKindSources);
    mbTSourse& source = *decl.GetSource(decl.AddSource());
    for (const LineFigures& line : lines)
        source.AddIncome13(incomeLine(line));
    return decl;
}

inline std::unique_ptr<kTSvodSum> securitiesComputed(mTDeclaration& decl)
{
    auto svod = std::make_unique<kTSvodSum>();
    svod->PrilI.Calculate(decl);
    svod->PrilJ1.CalculateA(decl, *svod);
    svod->PrilJ2.CalculateB(decl, *svod);
    svod->Pril8.Calculate(decl, *svod);
    return svod;
}

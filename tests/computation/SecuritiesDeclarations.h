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

// The worked case: row "01" split between ordinary and individual-account results, losses of
// several groups, a carried loss and the investment deduction.
inline mTDeclaration workedSecuritiesDeclaration()
{
    mTDeclaration decl = declarationWith({{1530, 1'000'000, 201, 200'000},
                                          {1530, 100'000, 218, 50'000},
                                          {1537, 10'000, 201, 40'000},
                                          {1538, 5'000, 201, 25'000},
                                          {1532, 10'000, 201, 70'000},
                                          {1544, 200'000, 225, 50'000},
                                          {1546, 30'000, 225, 10'000},
                                          {1548, 5'000, 225, 45'000}});
    decl.CBDeduct.Granted = 1;
    decl.CBDeduct.LossSecurities = rub(100'000);
    decl.CBDeduct.LossSecuritiesIIS = rub(20'000);
    decl.InvDeduct.Granted = 1;
    decl.InvDeduct.SecuritiesDeduction = rub(300'000);
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

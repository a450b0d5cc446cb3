#pragma once

#include <cstdint>
#include <initializer_list>
#include <memory>

#include "CurrencyPrinting.h"
#include "computation/Summary.h"
#include "model/Declaration.h"

// Declarations with securities and partnership operations, and the run of the securities
// sheets in the order of the summary.

struct OperationLine {
    std::int32_t incomeCode;
    long double amount;
    std::int32_t deductionCode;
    long double deduction;
};

// All lines on the 13 % list of one payer.
inline mTDeclaration declarationWith(std::initializer_list<OperationLine> lines)
{
    mTDeclaration decl;
    decl.SetIncomeKinds(IncomeKindSources);
    mbTSourse& source = *decl.GetSource(decl.AddSource());
    for (const OperationLine& values : lines) {
        auto line = std::make_unique<mTIncome>();
        line->IncomeCode = values.incomeCode;
        line->Amount = roubles(values.amount);
        line->DeductionCode = values.deductionCode;
        line->Deduction = roubles(values.deduction);
        source.AddIncome13(std::move(line));
    }
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

#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "model/Currency.h"
#include "model/DayDate.h"
#include "model/Declaration.h"

// Amounts in the tests are written in roubles; the figures they are compared with are worked
// out by hand from the tax rules.
inline Currency rub(long double roubles)
{
    return Currency::fromRoubles(roubles);
}

// A payer; adding it switches income kind 1 on.
inline mbTSourse& addPayer(mTDeclaration& decl, std::string inn = "7701000001", std::string name = "ООО Ромашка")
{
    mbTSourse& payer = *decl.GetSource(decl.AddSource());
    payer.Inn = std::move(inn);
    payer.Kpp = "770101001";
    payer.Oktmo = "45382000";
    payer.Name = std::move(name);
    return payer;
}

inline std::unique_ptr<mTIncome> incomeLine(std::int32_t incomeCode, Currency amount, std::int32_t deductionCode = 0,
                                            Currency deduction = Currency())
{
    auto line = std::make_unique<mTIncome>();
    line->IncomeCode = incomeCode;
    line->Amount = amount;
    line->DeductionCode = deductionCode;
    line->Deduction = deduction;
    line->Month = 1;
    return line;
}

// An income line in roubles, as the tables of the tests write it.
struct LineFigures {
    std::int32_t incomeCode;
    long double amount;
    std::int32_t deductionCode = 0;
    long double deduction = 0;
};

inline std::unique_ptr<mTIncome> incomeLine(const LineFigures& line)
{
    return incomeLine(line.incomeCode, rub(line.amount), line.deductionCode, rub(line.deduction));
}

// A flat wholly the taxpayer's, registered in the middle of March of a year, whose purchase the
// declaration claims.
inline mTConstructionDeductObj& addFlat(mTDeclaration& decl, long double cost, int registeredIn)
{
    decl.ConstructionDeduct.Granted = 1;
    auto flat = std::make_unique<mTConstructionDeductObj>();
    flat->Cost = rub(cost);
    flat->ShareNumerator = flat->ShareDenominator = 1;
    flat->DwellingRegDate = *encodeDate(registeredIn, 3, 15);
    mTConstructionDeduct& purchase = decl.ConstructionDeduct;
    return *purchase.GetObject(purchase.AddObject(std::move(flat)));
}

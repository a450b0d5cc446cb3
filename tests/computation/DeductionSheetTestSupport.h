#pragma once

#include <cstdint>
#include <memory>

#include "ComputationTestSupport.h"
#include "CurrencyPrinting.h"
#include "computation/Summary.h"
#include "model/Declaration.h"

// Building blocks for the deduction sheets' tests.

// An empty summary, as the driver hands it to a sheet.
inline std::unique_ptr<kTSvodSum> emptySummary()
{
    auto svod = std::make_unique<kTSvodSum>();
    svod->Clear();
    return svod;
}

// A 13 % line of wages (code 2000, kind "10") received in a month.
inline std::unique_ptr<mTIncome> wagesLine(Currency amount, std::uint16_t month)
{
    auto line = incomeLine(2000, amount);
    line->Month = month;
    return line;
}

// An employer at which the standard deductions are computed, paying the same wages every month.
inline mbTSourse& addMonthlyWages(mTDeclaration& decl, Currency monthly)
{
    mbTSourse& employer = addPayer(decl);
    employer.StandardDeductionsHere = 1;
    for (std::uint16_t month = 1; month <= 12; ++month)
        employer.AddIncome13(wagesLine(monthly, month));
    return employer;
}

inline void addAgentDeduction(mbTSourse& payer, std::int32_t code, Currency sum)
{
    auto deduct = std::make_unique<mbTSSCDeduct>();
    deduct->Code = code;
    deduct->Sum = sum;
    payer.AddSSCDeduct(std::move(deduct));
}

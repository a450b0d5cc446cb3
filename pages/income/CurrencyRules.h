#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include <QString>

#include "computation/TaxYearFigures.h"
#include "model/Currency.h"

class mTCurrencyIncome;

// The tax rules of the foreign income page: rouble values at a rate, the deduction an income
// carries, the controlled foreign company's fields and the checks of one income.

// amount / units x rate, rounded half up to kopecks, as the model stores it; 0 without units.
// Throws std::overflow_error for a value beyond the range of an amount.
Currency roublesAtRate(Currency amount, std::int32_t units, Currency rate);

// The income's amount and tax in the currency, with their rouble values at the income's rates.
// An amount whose rouble value lies beyond the range is stored as given, with a rouble value of
// 0: the rules below refuse the income until the amount or the rate is corrected.
void setAmounts(mTCurrencyIncome& income, Currency amount, Currency tax);

// Which of the company's fields an income asks for: its number, and for its profit also how the
// profit was determined and the taxes withheld in Russia.
struct CompanyFields {
    bool number = false;
    bool full = false;
};
CompanyFields companyFieldsFor(std::int32_t incomeCode);

// The rules one foreign income is checked by, in the order they are tried.
enum class CurrencyIncomeRule {
    CurrencyCode,             // no currency
    Rate,                     // no units or no rate on the income date
    IncomeRoubles,            // the income in roubles lies beyond the range of an amount
    TaxRoubles,               // the tax paid abroad in roubles lies beyond the range
    IncomeCode,               // no income code
    FixedProfitNumber,        // the fixed profit's company number is malformed
    DividendsWithFixedProfit, // company dividends beside a fixed profit
    ProfitWithFixedProfit,    // company profit beside a fixed profit
    CompanyNumberMissing,     // company profit without the company's number
    CompanyNumberMalformed,   // company profit with a malformed number
    ProfitOrder,              // company profit without the way it was determined
    DeductionSum,             // a deduction code without its sum
};

// The rules the income breaks, in order; `fixedProfitItem` is the declaration's KIKItemNumber.
// The page and the whole-declaration check both judge an income by them.
std::vector<CurrencyIncomeRule> failedRules(const mTCurrencyIncome& income, std::int32_t fixedProfitItem);
QString ruleMessage(CurrencyIncomeRule rule);

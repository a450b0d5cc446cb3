#pragma once

#include <cstdint>
#include <string>

#include "model/Currency.h"

class mTDocumentStorage;

// One income received abroad in a foreign currency. Rates are roubles for a number of units
// of the currency; the rouble amounts are derived only by SetIncomeAmount and SetTaxAmount.
class mTCurrencyIncome {
public:
    mTCurrencyIncome();

    // The amount in the currency, and its rouble value at the rate of the income date,
    // rounded to kopecks (0 while no units are given).
    void SetIncomeAmount(Currency value);
    // The same for the tax paid abroad, at the rate of the tax-payment date.
    void SetTaxAmount(Currency value);

    // Section "@CurrencyIncome" + the index as four digits (three in files before version 1.3).
    void Save(mTDocumentStorage& storage, std::uint16_t index) const;
    void Load(mTDocumentStorage& storage, std::uint16_t index);
    std::uint32_t StorageSize(std::uint16_t index) const;

    std::int32_t RatePercent = 0; // 13 for the fixed profit of a controlled foreign company
    std::int32_t IncomeCode = 0;
    std::string IncomeCodeName;
    std::string SourceName;
    std::string SourceCountry; // country codes
    std::string CreditCountry;
    double IncomeDate;
    double TaxPaymentDate;
    std::string CurrencyCode; // three digits, "643" for roubles
    Currency IncomeDateRate;  // roubles for IncomeDateUnits units on IncomeDate
    std::int32_t IncomeDateUnits = 0;
    Currency TaxDateRate;     // roubles for TaxDateUnits units on TaxPaymentDate
    std::int32_t TaxDateUnits = 0;
    std::string CurrencyName;
    Currency IncomeAmount;    // in the currency
    Currency IncomeRoubles;
    Currency TaxAmount;       // tax paid abroad, in the currency
    Currency TaxRoubles;
    std::uint8_t AutoRate = 0; // 1: rates taken from the rate directory
    std::int32_t DeductionCode = 0;
    Currency DeductionSum;     // roubles
    std::int32_t DeductionPercent = 0;
    std::int32_t Reserved = 0; // carried from file to file; nothing sets it
    // How a controlled foreign company's profit is determined: 0 not chosen, 1 or 2.
    std::uint8_t ProfitMethod = 0;
    std::string CompanyNumber;
    // Taxes on the controlled company's income withheld in Russia.
    Currency Line150Sum;

    friend bool operator==(const mTCurrencyIncome&, const mTCurrencyIncome&) = default;
};

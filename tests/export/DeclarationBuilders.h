#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "computation/ComputationTestSupport.h"
#include "model/DayDate.h"
#include "model/Declaration.h"

// Parts of declarations for the export's tests; amounts in roubles.

struct BusinessRecord {
    const char* activityKind;
    long double income;
    long double expenses;
    std::uint8_t expensesConfirmed = 1;
};

inline mTBusinessNew& addBusiness(mTDeclaration& decl, const BusinessRecord& values)
{
    decl.SetIncomeKinds(decl.IncomeKinds() | IncomeKindBusiness);
    mTBusinessNew& record = *decl.GetBusiness(decl.AddBusiness());
    record.ActivityKind = values.activityKind;
    record.IncomeSum = rub(values.income);
    record.ExpenseSum = rub(values.expenses);
    record.ExpensesConfirmed = values.expensesConfirmed;
    return record;
}

inline void setQuarters(mTBusinessNew& record, std::array<long double, 4> income, std::array<long double, 4> expenses)
{
    for (std::size_t q = 0; q < 4; ++q) {
        record.QuarterIncome[q] = rub(income[q]);
        record.QuarterExpense[q] = rub(expenses[q]);
    }
}

struct ForeignIncome {
    std::int32_t code;
    const char* country;
    const char* source;
    const char* currency;
    long double rate; // roubles per unit of the currency
    long double amount;
    double date;
};

inline mTCurrencyIncome& addForeignIncome(mTDeclaration& decl, const ForeignIncome& values)
{
    decl.SetIncomeKinds(decl.IncomeKinds() | IncomeKindForeign);
    mTCurrencyIncome& income = *decl.GetCurrencyIncome(decl.AddCurrencyIncome());
    income.IncomeCode = values.code;
    income.SourceCountry = values.country;
    income.CreditCountry = values.country;
    income.SourceName = values.source;
    income.CurrencyCode = values.currency;
    income.IncomeDate = values.date;
    income.IncomeDateRate = rub(values.rate);
    income.IncomeDateUnits = 1;
    income.SetIncomeAmount(rub(values.amount));
    return income;
}

// Tax paid abroad on the income's date at the income's rate.
inline void payForeignTax(mTCurrencyIncome& income, long double amount)
{
    income.TaxPaymentDate = income.IncomeDate;
    income.TaxDateRate = income.IncomeDateRate;
    income.TaxDateUnits = income.IncomeDateUnits;
    income.SetTaxAmount(rub(amount));
}

// A dividend of 100 dollars at 73.5 with 10 dollars withheld abroad; a controlled company's
// profit of 1 000 euros at 90 with 1 000 roubles of its taxes withheld in Russia; and its
// dividend of 50 000 roubles, exempt up to the profit declared.
inline void addControlledCompanyIncomes(mTDeclaration& decl)
{
    payForeignTax(addForeignIncome(decl, {1010, "840", "Apple Inc", "840", 73.5, 100, *encodeDate(2021, 5, 10)}), 10);

    mTCurrencyIncome& profit =
        addForeignIncome(decl, {1000, "196", "Holding Ltd", "978", 90, 1'000, *encodeDate(2021, 12, 31)});
    profit.CompanyNumber = "01 12345";
    profit.ProfitMethod = 1;
    profit.Line150Sum = rub(1'000);

    mTCurrencyIncome& dividend =
        addForeignIncome(decl, {1012, "196", "Holding Ltd", "643", 1, 50'000, *encodeDate(2021, 7, 1)});
    dividend.CompanyNumber = "01 12345";
    dividend.ProfitMethod = 2;
}

// A 13 % line of a sale of real estate compared with its cadastral value.
inline mTIncome& addPropertySale(mbTSourse& payer, std::int32_t code, const char* number, long double cadastralValue,
                                 long double price, long double amount)
{
    auto line = incomeLine(code, rub(amount));
    line->PropertyFlag = 1;
    line->CadastralNumber = number;
    line->CadastralValue = rub(cadastralValue);
    line->ContractPrice = rub(price);
    return payer.GetIncome13(payer.AddIncome13(std::move(line)));
}

inline bmTInfoIIS& addInvestmentAccount(mTDeclaration& decl, long double paidIn, std::uint8_t simplified)
{
    decl.InvDeduct.Granted = 1;
    bmTInfoIIS& account = *decl.InvDeduct.GetInfoIIS(decl.InvDeduct.AddInfoIIS());
    account.ParticipantINN = "7702070139";
    account.ParticipantKPP = "770201001";
    account.ParticipantName = "АО Брокер";
    account.ContractDate = *encodeDate(2019, 3, 1);
    account.ContractNumber = "ИИС-1";
    account.OpenDate = *encodeDate(2019, 3, 5);
    account.PaidIn = rub(paidIn);
    account.SimplifiedSign = simplified;
    return account;
}

struct PropertyObject {
    std::int32_t code;
    std::int32_t ownerSign;
    std::uint8_t pensioner;
    std::uint8_t byInvestment;
    double date; // registration of the dwelling, or the act of transfer
    long double cost;
    long double interest;
    std::int32_t numberKind;
    const char* number;
    const char* location;
};

// An object owned whole, of the property-purchase deduction, which this claims.
inline mTConstructionDeductObj& addPropertyObject(mTDeclaration& decl, const PropertyObject& values)
{
    decl.ConstructionDeduct.Granted = 1;
    auto object = std::make_unique<mTConstructionDeductObj>();
    object->ObjectCode = values.code;
    object->OwnerSign = values.ownerSign;
    object->Pensioner = values.pensioner;
    object->ByInvestment = values.byInvestment;
    (values.byInvestment ? object->ActDate : object->DwellingRegDate) = values.date;
    object->ShareNumerator = 1;
    object->ShareDenominator = 1;
    object->Cost = rub(values.cost);
    object->InterestPaid = rub(values.interest);
    object->ObjectNumberKind = values.numberKind;
    object->ObjectNumber = values.number;
    object->ObjectLocation = values.location;
    const std::size_t index = decl.ConstructionDeduct.AddObject(std::move(object));
    return *decl.ConstructionDeduct.GetObject(index);
}

// A flat of 2019 for 1 500 000 with 100 000 of interest, and a house of 2020 by investment
// for 1 000 000.
inline void addTwoPropertyObjects(mTDeclaration& decl)
{
    addPropertyObject(decl, {1, 1, 0, 0, *encodeDate(2019, 6, 10), 1'500'000, 100'000, 1, "77:01:0004042:1234",
                             "г. Москва, ул. Тверская, д. 1"})
        .AcquisitionMethod = 1;
    addPropertyObject(decl, {8, 3, 1, 1, *encodeDate(2020, 8, 20), 1'000'000, 0, 2, "", "Московская обл., д. Горки"})
        .ShareNumerator = 2;
}

// A pension or insurance contract of the social deduction, which this claims.
inline mTPens& addPensionContract(mTDeclaration& decl, std::int32_t kind, long double sum, const char* name)
{
    decl.SocialDeduct.Granted = 1;
    mTPens& contract = *decl.SocialDeduct.GetPens(decl.SocialDeduct.AddPens());
    contract.ContractKind = kind;
    contract.Sum = rub(sum);
    contract.OrgName = name;
    contract.OrgINN = "7707083893";
    contract.OrgKPP = "770701001";
    contract.ContractNumber = "Д-" + std::to_string(kind);
    contract.ContractDate = *encodeDate(2020, 1, 15);
    return contract;
}

// A refund of `amount` to the taxpayer's bank account.
inline void applyForRefund(mTDeclaration& decl, long double amount)
{
    decl.SetIncomeKinds(decl.IncomeKinds() | IncomeKindTrata);
    mTTrata& entry = *decl.GetTrata(decl.AddTrata());
    entry.IsRefund = 1;
    entry.RefundSum = rub(amount);
    entry.BankName = "ПАО Сбербанк";
    entry.BankBik = "044525225";
    entry.AccountKind = 1;
    entry.AccountNumber = "40817810000000000001";
}

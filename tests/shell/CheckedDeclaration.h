#pragma once

#include <memory>
#include <string>

#include "model/DayDate.h"
#include "model/Declaration.h"

// Declarations for the whole-declaration check and the export: each passes every rule, so that
// a test spoils exactly the value it is about.

inline constexpr const char* ValidPersonInn = "770700010054";

inline std::unique_ptr<mTIncome> incomeLine(std::int32_t code, Currency amount, std::uint16_t month = 1)
{
    auto line = std::make_unique<mTIncome>();
    line->IncomeCode = code;
    line->Amount = amount;
    line->Month = month;
    return line;
}

// A payer of a salary (income code 2000, kind 10) that withheld the tax on it in full.
inline mbTSourse& addEmployer(mTDeclaration& declaration, const std::string& name, long long salary = 100'000)
{
    mbTSourse& source = *declaration.GetSource(declaration.AddSource());
    source.Name = name;
    source.Inn = "7707083893";
    source.Kpp = "773601001";
    source.Oktmo = "45382000";
    source.AddIncome13(incomeLine(2000, Currency::fromWholeRoubles(salary)));
    source.WithheldTax13 = Currency::fromWholeRoubles(salary * 13 / 100);
    return source;
}

// A resident with two employers, nothing to pay and nothing to refund, in place of whatever
// income `declaration` had.
inline void makeChecked(mTDeclaration& declaration)
{
    declaration.TaxOfficeCode = "7701";
    mTPersonInformation& person = declaration.Person;
    person.Name.SurName = "Иванов";
    person.Name.FirstName = "Иван";
    person.Name.Patronymic = "Иванович";
    person.Name.INN = ValidPersonInn;
    person.Document.DocKind = 21;
    person.Document.DocKindName = "Паспорт гражданина Российской Федерации";
    person.Document.DocSeriesNumber = "45 01 123456";
    person.Document.BirthDate = *encodeDate(1980, 5, 17);
    person.Address.OKTMO = "45382000";
    declaration.SocialDeduct.Granted = 0;
    declaration.SetIncomeKinds(0);
    declaration.SetIncomeKinds(IncomeKindSources);
    addEmployer(declaration, "ООО \"Ромашка\"");
    addEmployer(declaration, "АО \"Василек\"");
}

inline std::unique_ptr<mTDeclaration> checkedDeclaration()
{
    auto declaration = std::make_unique<mTDeclaration>();
    makeChecked(*declaration);
    return declaration;
}

inline mTCurrencyIncome& addForeignIncome(mTDeclaration& declaration)
{
    declaration.SetIncomeKinds(declaration.IncomeKinds() | IncomeKindForeign);
    mTCurrencyIncome& income = *declaration.GetCurrencyIncome(declaration.AddCurrencyIncome());
    income.RatePercent = 13;
    income.IncomeCode = 1010;
    income.SourceName = "Apple Inc.";
    income.SourceCountry = "840";
    income.CreditCountry = "840";
    income.IncomeDate = *encodeDate(2021, 3, 15);
    income.TaxPaymentDate = *encodeDate(2021, 3, 15);
    income.CurrencyCode = "840";
    income.CurrencyName = "Доллар США";
    income.IncomeDateUnits = 1;
    income.IncomeDateRate = Currency::fromWholeRoubles(75);
    income.TaxDateUnits = 1;
    income.TaxDateRate = Currency::fromWholeRoubles(75);
    income.SetIncomeAmount(Currency::fromWholeRoubles(100));
    income.SetTaxAmount(Currency::fromWholeRoubles(10));
    return income;
}

// Documented expenses whose parts add up exactly to the total.
inline mTBusinessNew& addBusiness(mTDeclaration& declaration, const char* kind = "1")
{
    declaration.SetIncomeKinds(declaration.IncomeKinds() | IncomeKindBusiness);
    mTBusinessNew& activity = *declaration.GetBusiness(declaration.AddBusiness());
    activity.ActivityKind = kind;
    activity.ActivityCode = "62.01";
    activity.ExpensesConfirmed = 1;
    activity.IncomeSum = Currency::fromWholeRoubles(1'000'000);
    activity.ExpenseSum = Currency::fromWholeRoubles(500'000);
    activity.MaterialExpenses = Currency::fromWholeRoubles(100'000);
    activity.LabourExpenses = Currency::fromWholeRoubles(200'000);
    activity.OtherExpenses = Currency::fromWholeRoubles(150'000);
    activity.Depreciation = Currency::fromWholeRoubles(50'000);
    return activity;
}

// An individual investment account the exchange file takes as it is.
inline bmTInfoIIS& addInvestmentAccount(mTDeclaration& declaration, Currency paidIn)
{
    declaration.InvDeduct.Granted = 1;
    bmTInfoIIS& account = *declaration.InvDeduct.GetInfoIIS(declaration.InvDeduct.AddInfoIIS());
    account.ParticipantINN = "7707083893";
    account.ParticipantKPP = "773601001";
    account.ParticipantName = "АО \"Брокер\"";
    account.ContractDate = *encodeDate(2021, 2, 1);
    account.ContractNumber = "ИИС-1";
    account.OpenDate = *encodeDate(2021, 2, 1);
    account.PaidIn = paidIn;
    return account;
}

inline mTTrata& addRefundApplication(mTDeclaration& declaration)
{
    declaration.SetIncomeKinds(declaration.IncomeKinds() | IncomeKindTrata);
    mTTrata& application = *declaration.GetTrata(declaration.AddTrata());
    application.IsRefund = 1;
    application.RefundSum = Currency::fromWholeRoubles(100);
    application.BankName = "ПАО Сбербанк";
    application.BankBik = "044525225";
    application.AccountKind = 1;
    application.AccountNumber = "40817810099910004312";
    return application;
}

inline mTTrata& addOffsetApplication(mTDeclaration& declaration)
{
    declaration.SetIncomeKinds(declaration.IncomeKinds() | IncomeKindTrata);
    mTTrata& application = *declaration.GetTrata(declaration.AddTrata());
    application.IsRefund = 0;
    application.TaxOfficeCode = "7701";
    application.Kbk = "18210102010011000110";
    application.Oktmo = "45382000";
    application.OffsetSum = Currency::fromWholeRoubles(100);
    application.OffsetPurpose = 1;
    application.Note = "ГД.00.2021";
    return application;
}

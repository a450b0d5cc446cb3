#pragma once

// The large declaration of the benchmarks: 100 payment sources with 50 income lines at each
// rate, 200 foreign incomes, every deduction granted with entries.

#include <cstdint>
#include <memory>
#include <string>

#include "model/Declaration.h"

namespace large_declaration {

inline Currency money(std::int64_t units) { return Currency::fromUnits(units); }

inline std::unique_ptr<mTIncome> incomeLine(int number)
{
    auto line = std::make_unique<mTIncome>();
    line->IncomeCode = 2000;
    line->Amount = money(1234567890 + number);
    line->DeductionCode = 403;
    line->Deduction = money(100000 * number);
    line->Month = std::uint16_t(1 + number % 12);
    line->WithheldTax = money(160493826);
    return line;
}

inline void addSources(mTDeclaration& d)
{
    for (int s = 0; s < 100; ++s) {
        mbTSourse& source = *d.GetSource(d.AddSource());
        source.Name = "Общество с ограниченной ответственностью \"Источник " + std::to_string(s) + "\"";
        source.Inn = "7701" + std::to_string(100000 + s);
        source.Kpp = "770101001";
        source.Oktmo = "45382000";
        source.WithheldTax13 = money(1300000000);
        for (int i = 0; i < 50; ++i) {
            source.AddIncome13(incomeLine(i));
            source.AddIncome15(incomeLine(i));
            source.AddIncome99(incomeLine(i));
        }
        source.AddSSCDeduct(std::make_unique<mbTSSCDeduct>(mbTSSCDeduct{126, money(14000000)}));
    }
}

inline void addForeignIncomes(mTDeclaration& d)
{
    for (int i = 0; i < 200; ++i) {
        mTCurrencyIncome& income = *d.GetCurrencyIncome(d.AddCurrencyIncome());
        income.RatePercent = 13;
        income.IncomeCode = 1010;
        income.IncomeCodeName = "Дивиденды";
        income.SourceName = "Foreign Payer " + std::to_string(i);
        income.SourceCountry = "840";
        income.CreditCountry = "840";
        income.IncomeDate = 44300 + i;
        income.TaxPaymentDate = 44300 + i;
        income.CurrencyCode = "840";
        income.IncomeDateRate = money(735123);
        income.IncomeDateUnits = 1;
        income.TaxDateRate = money(735123);
        income.TaxDateUnits = 1;
        income.CurrencyName = "Доллар США";
        income.SetIncomeAmount(money(1000000 + i));
        income.SetTaxAmount(money(100000));
    }
}

inline void grantDeductions(mTDeclaration& d)
{
    d.StandardDeduct.Granted = 1;
    for (std::uint8_t m = 0; m < 12; ++m)
        d.StandardDeduct.SetChildCount(m, 2);
    d.SocialDeduct.Granted = 1;
    d.SocialDeduct.MedicalSum = money(1200000000);
    for (int i = 0; i < 3; ++i) {
        d.SocialDeduct.AddChildEduSum(money(500000000));
        d.SocialDeduct.GetPens(d.SocialDeduct.AddPens())->OrgName = "НПФ";
    }
    d.ConstructionDeduct.Granted = 1;
    for (int i = 0; i < 3; ++i) {
        auto object = std::make_unique<mTConstructionDeductObj>();
        object->ObjectCode = 1;
        object->OwnerSign = 1;
        object->ObjectNumberKind = 1;
        object->ObjectNumber = "77:01:0004042:" + std::to_string(i + 1);
        object->ObjectLocation = "г. Москва";
        object->Cost = money(20000000000);
        d.ConstructionDeduct.AddObject(std::move(object));
    }
    d.CBDeduct.Granted = 1;
    d.CBDeduct.LossSecurities = money(100000000);
    d.InvDeduct.Granted = 1;
    for (int i = 0; i < 3; ++i) {
        bmTInfoIIS& account = *d.InvDeduct.GetInfoIIS(d.InvDeduct.AddInfoIIS());
        account.ParticipantINN = "7702000001";
        account.ParticipantKPP = "770201001";
        account.ParticipantName = "АО Брокер";
        account.ContractNumber = "ИИС-" + std::to_string(i + 1);
        account.ContractDate = account.OpenDate = 43525; // 01.03.2019
        account.PaidIn = money(4000000000);
    }
}

} // namespace large_declaration

// A fresh large declaration, complete enough for the exchange file.
inline std::unique_ptr<mTDeclaration> makeLargeDeclaration()
{
    using namespace large_declaration;
    auto d = std::make_unique<mTDeclaration>();
    d->TaxOfficeCode = "7701";
    d->Person.Name = {"Иванов", "Иван", "Иванович", "770100000001", "", "0"};
    d->Person.Address.OKTMO = "45382000";
    d->SetIncomeKinds(IncomeKindSources | IncomeKindForeign);
    addSources(*d);
    addForeignIncomes(*d);
    grantDeductions(*d);
    return d;
}

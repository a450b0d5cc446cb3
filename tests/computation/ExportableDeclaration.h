#pragma once

#include <iterator>
#include <string>

#include "export/ExchangeFile.h"
#include "model/DayDate.h"
#include "model/Declaration.h"
#include "tests/support/ExchangeSchema.h"

// Fills in what the pages ask for besides the figures (names, and numbers with their check
// digits), so that a declaration built for its figures makes an exchange file.
inline void describeForExport(mTDeclaration& decl)
{
    decl.TaxOfficeCode = "7701";
    decl.Person.Name.SurName = "Иванов";
    decl.Person.Name.FirstName = "Иван";
    decl.Person.Name.INN = "500100732259";
    const char* const organisations[] = {"7707083893", "3664069397", "5001007390", "7702070139"};
    std::size_t next = 0;
    for (auto& payer : decl.Sources)
        if (payer->Inn.size() == 10)
            payer->Inn = organisations[next++ % std::size(organisations)];
    for (auto& income : decl.CurrencyIncomes) {
        income->SourceName = "Apple Inc";
        income->SourceCountry = income->CreditCountry = "840";
        if (income->CurrencyCode.empty())
            income->CurrencyCode = "840";
    }
    for (auto& activity : decl.BusinessIncomes)
        activity->ActivityKind = "1";
    for (auto& object : decl.ConstructionDeduct.ObjectList) {
        object->ObjectCode = 2;
        object->OwnerSign = 1;
        object->ObjectNumberKind = 1;
        object->ObjectNumber = "77:01:0004042:1234";
    }
    for (auto& account : decl.InvDeduct.IISList) {
        account->ParticipantINN = "7702070139";
        account->ParticipantKPP = "770201001";
        account->ParticipantName = "АО Брокер";
        account->ContractNumber = "ИИС-1";
        account->ContractDate = account->OpenDate = *encodeDate(2019, 3, 1);
    }
}

// Why the declaration's exchange file is refused, by the export or by the format's schema;
// empty when the file is one the format accepts.
inline std::string exchangeFileErrors(mTDeclaration& decl)
{
    describeForExport(decl);
    const ExportStamp stamp{*encodeDate(2022, 3, 15), "0F1E2D3C-4B5A-4978-8695-A4B3C2D1E0F9"};
    const ExportResult exchange = ExportDeclarationXml({}, decl, ExportMode::Text, stamp);
    if (!exchange.ok)
        return exchange.error;
    return exchangeSchemaErrorsOfText(exchange.text);
}

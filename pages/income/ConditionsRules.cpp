#include "pages/income/ConditionsRules.h"

#include <algorithm>

#include "export/FieldLimits.h"
#include "model/Declaration.h"
#include "model/Trimmed.h"

namespace {

bool isTaxOfficeCode(const std::string& code)
{
    return code.size() == FieldLimits::TaxOfficeCode
           && std::all_of(code.begin(), code.end(), [](char c) { return c >= '0' && c <= '9'; });
}

} // namespace

std::vector<ConditionsFailure> headerFailures(const mTDeclaration& declaration)
{
    std::vector<ConditionsFailure> failures;
    if (declaration.TaxOfficeCode.empty())
        failures.push_back({ConditionsTaxOffice, QStringLiteral("Не введен номер инспекции")});
    else if (!isTaxOfficeCode(declaration.TaxOfficeCode))
        failures.push_back({ConditionsTaxOffice, QStringLiteral("Номер инспекции должен состоять из 4 цифр")});
    if (declaration.Signer != 0) {
        if (Trimmed(declaration.RepresentativeName).empty())
            failures.push_back({ConditionsRepresentativeName, QStringLiteral("Не указаны ФИО подписанта-представителя")});
        if (Trimmed(declaration.RepresentativeDocument).empty())
            failures.push_back({ConditionsAuthorityDocument,
                                QStringLiteral("Не указан документ, подтверждающий полномочия представителя")});
    }
    return failures;
}

bool residenceOktmoMalformed(const mTDeclaration& declaration)
{
    const auto oktmo = Trimmed(declaration.Person.Address.OKTMO);
    return !oktmo.empty() && !IsOktmo(oktmo);
}

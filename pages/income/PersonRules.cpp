#include "pages/income/PersonRules.h"

#include "controls/IdentityNumbers.h"
#include "export/FieldCheck.h"
#include "export/FieldLimits.h"
#include "model/DayDate.h"
#include "model/Declaration.h"
#include "model/Trimmed.h"

namespace {

// Entrepreneurs and farm heads are registered under their ИНН, which the declaration must name.
bool mustGiveInn(const mTDeclaration& declaration)
{
    return declaration.HasIncomeKind(IncomeKindBusiness) || declaration.TaxpayerCategory == 0
           || declaration.TaxpayerCategory == 1;
}

// A birth date the exchange file can hold; 0, the day of a date never entered, is none.
bool isFileBirthDate(double dayCount)
{
    return FieldValueFailure(FieldFacetOf("СведФЛ1", "ДатаРожд"), dateText(dayCount)).empty();
}

} // namespace

std::vector<PersonFailure> personFailures(const mTDeclaration& declaration)
{
    using namespace PersonElement;
    const mTPersonInformation& person = declaration.Person;
    std::vector<PersonFailure> failures;
    if (person.Name.SurName.empty())
        failures.push_back({SurName, QStringLiteral("Не введена фамилия")});
    if (person.Name.FirstName.empty())
        failures.push_back({FirstName, QStringLiteral("Не введено имя")});

    const std::uint16_t inn = CheckINN(QString::fromStdString(person.Name.INN), InnPerson);
    if (inn == InnNot12)
        failures.push_back({Inn, QStringLiteral("Длина ИНН должна быть равна 12 цифрам")});
    else if (inn == InnWrong)
        failures.push_back({Inn, QStringLiteral("Номер ИНН введен неверно")});
    else if (inn == InnEmpty && mustGiveInn(declaration))
        failures.push_back(
            {Inn, QStringLiteral("Лицам имеющим доходы от предпринимательской деятельности необходимо ввести ИНН")});
    else if (inn == InnEmpty)
        failures.push_back({Inn, QStringLiteral("Не указан ИНН"), true});

    // Without a valid ИНН the declarant is known by the identity document, which the exchange
    // file then names with its series and number.
    if (inn != InnValid && person.Document.DocKind == 0)
        failures.push_back({DocumentKind, QStringLiteral("Не указан документ, удостоверяющий личность")});
    if (person.Document.DocKind != 0 && Trimmed(person.Document.DocSeriesNumber).empty())
        failures.push_back(
            {DocumentSeries, QStringLiteral("Не указаны серия и номер документа, удостоверяющего личность")});
    if (!isFileBirthDate(person.Document.BirthDate))
        failures.push_back({BirthDate, QStringLiteral("Не указана дата рождения")});
    return failures;
}

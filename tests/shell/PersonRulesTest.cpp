#include "pages/income/PersonRules.h"

#include <functional>
#include <vector>

#include <gtest/gtest.h>

#include "pages/income/PersonNaim.h"
#include "tests/shell/PageAndWholeCheck.h"

namespace {

struct PersonCase {
    const char* name;
    std::function<void(mTDeclaration&)> spoil;
    const char* reminder; // shown by the page before the finding, and not by the whole check
    const char* message;  // what both checks find; nullptr: both pass
    std::uint16_t element;
};

const char* const NoInn = "Не указан ИНН";
const char* const EntrepreneurInn = "Лицам имеющим доходы от предпринимательской деятельности необходимо ввести ИНН";
const char* const NoSeries = "Не указаны серия и номер документа, удостоверяющего личность";

void noInn(mTDeclaration& d)
{
    d.Person.Name.INN.clear();
}

const PersonCase personCases[] = {
    {"every value valid", [](mTDeclaration&) {}, nullptr, nullptr, 0},
    {"no surname", [](mTDeclaration& d) { d.Person.Name.SurName.clear(); }, nullptr, "Не введена фамилия",
     PersonElement::SurName},
    {"no first name", [](mTDeclaration& d) { d.Person.Name.FirstName.clear(); }, nullptr, "Не введено имя",
     PersonElement::FirstName},
    {"an organisation's ИНН", [](mTDeclaration& d) { d.Person.Name.INN = "7707083893"; }, nullptr,
     "Длина ИНН должна быть равна 12 цифрам", PersonElement::Inn},
    {"ИНН with a wrong check digit", [](mTDeclaration& d) { d.Person.Name.INN = "770700010055"; }, nullptr,
     "Номер ИНН введен неверно", PersonElement::Inn},
    {"a wrong ИНН without a document",
     [](mTDeclaration& d) {
         d.Person.Name.INN = "770700010055";
         d.Person.Document = mTPersonDoc();
     },
     nullptr, "Номер ИНН введен неверно", PersonElement::Inn},
    {"an entrepreneur without ИНН",
     [](mTDeclaration& d) {
         noInn(d);
         d.TaxpayerCategory = 0;
     },
     nullptr, EntrepreneurInn, PersonElement::Inn},
    {"a farm head without ИНН",
     [](mTDeclaration& d) {
         noInn(d);
         d.TaxpayerCategory = 1;
     },
     nullptr, EntrepreneurInn, PersonElement::Inn},
    {"business income without ИНН",
     [](mTDeclaration& d) {
         noInn(d);
         addBusiness(d);
     },
     nullptr, EntrepreneurInn, PersonElement::Inn},
    // Anyone else may go by the identity document.
    {"no ИНН beside a document", noInn, NoInn, nullptr, 0},
    {"ИНН of blanks and no document",
     [](mTDeclaration& d) {
         d.Person.Name.INN = "  ";
         d.Person.Document = mTPersonDoc();
     },
     NoInn, "Не указан документ, удостоверяющий личность", PersonElement::DocumentKind},
    {"a valid ИНН without a document", [](mTDeclaration& d) { d.Person.Document = mTPersonDoc(); }, nullptr, nullptr,
     0},
    {"a document without its series", [](mTDeclaration& d) { d.Person.Document.DocSeriesNumber.clear(); }, nullptr,
     NoSeries, PersonElement::DocumentSeries},
    {"a document whose series is blanks", [](mTDeclaration& d) { d.Person.Document.DocSeriesNumber = "   "; },
     nullptr, NoSeries, PersonElement::DocumentSeries},
    {"no ИНН and a document without its series",
     [](mTDeclaration& d) {
         noInn(d);
         d.Person.Document.DocSeriesNumber.clear();
     },
     NoInn, NoSeries, PersonElement::DocumentSeries},
    {"no birth date", [](mTDeclaration& d) { d.Person.Document.BirthDate = 0; }, nullptr, "Не указана дата рождения",
     PersonElement::BirthDate},
    {"a birth date the exchange file cannot hold",
     [](mTDeclaration& d) { d.Person.Document.BirthDate = *encodeDate(1899, 12, 31); }, nullptr,
     "Не указана дата рождения", PersonElement::BirthDate},
};

TEST(PersonRules, ThePageAndTheWholeCheckFindTheSame)
{
    for (const PersonCase& test : personCases) {
        SCOPED_TRACE(test.name);
        std::vector<QString> reminders;
        const Finding page =
            pageFinding<TfrPersonNaim>(spoiltDeclaration(test.spoil), test.reminder ? 1 : 0, reminders);
        expectFinding(page, test.message, test.element);
        EXPECT_EQ(reminders, test.reminder ? std::vector<QString>{QString::fromUtf8(test.reminder)}
                                           : std::vector<QString>{});
        expectFinding(wholeCheckFinding(spoiltDeclaration(test.spoil), CheckDeclarant), test.message, test.element);
    }
}

} // namespace

#include "export/HeaderElements.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>

#include "ExportTestSupport.h"

void PrintTo(const RepresentativeName& name, std::ostream* out)
{
    *out << '[' << name.surname << "][" << name.firstName << "][" << name.patronymic << ']';
}

namespace {

TEST(HeaderElements, AFreshDeclarationGivesTheWholeHeader)
{
    auto decl = declarationWithIncome();
    decl->Person.Name.SurName = "иванов";
    decl->Person.Name.FirstName = "Иван";
    decl->Person.Name.Patronymic = "Иванович";
    const ExportResult result = exportText(*decl);
    ASSERT_TRUE(result.ok) << result.error;
    const std::string document = elementText(result.text, "Документ");
    EXPECT_EQ(document.substr(0, document.find('>') + 1),
              R"(<Документ КНД="1151020" ДатаДок="15.03.2022" Период="34" ОтчетГод="2021" КодНО="7701" НомКорр="0">)");
    EXPECT_EQ(elementText(result.text, "СвНП"),
              R"(<СвНП><НПФЛ3 ДокПредст="760" Статус="1">)"
              R"(<ФИОФЛ Фамилия="ИВАНОВ" Имя="ИВАН" Отчество="ИВАНОВИЧ"/>)"
              R"(<СведФЛ1 ИННФЛ="500100732259" ДатаРожд="01.01.1977" ОКСМ="643"/>)"
              R"(</НПФЛ3></СвНП>)");
    EXPECT_EQ(elementText(result.text, "Подписант"), R"(<Подписант ПрПодп="1"/>)");
}

struct DocumentCase {
    const char* name;
    std::function<void(mTDeclaration&)> change;
    const char* period;
    const char* year;
    const char* correction;
};

TEST(HeaderElements, DocumentAttributesFollowTheDeclarationType)
{
    const DocumentCase cases[] = {
        {"ordinary", [](mTDeclaration&) {}, "34", "2021", "0"},
        {"non-resident", [](mTDeclaration& d) { d.DeclarationType = DeclarationNonResident; }, "34", "2021", "0"},
        {"closing a business", [](mTDeclaration& d) { d.DeclarationType = DeclarationClosingBusiness; }, "86", "2022",
         "0"},
        {"second correction", [](mTDeclaration& d) { d.CorrectionNumber = 2; }, "34", "2021", "2"},
    };
    for (const DocumentCase& c : cases) {
        auto decl = declarationWithIncome();
        c.change(*decl);
        const ExportResult result = exportText(*decl);
        ASSERT_TRUE(result.ok) << c.name << ": " << result.error;
        EXPECT_EQ(attributeText(result.text, "Документ", "Период"), c.period) << c.name;
        EXPECT_EQ(attributeText(result.text, "Документ", "ОтчетГод"), c.year) << c.name;
        EXPECT_EQ(attributeText(result.text, "Документ", "НомКорр"), c.correction) << c.name;
    }
}

struct ElementCase {
    const char* name;
    std::function<void(mTDeclaration&)> change;
    const char* element;
    const char* expected; // canonical text of the element
};

TEST(HeaderElements, TaxpayerAndSignerFollowThePersonalData)
{
    const ElementCase cases[] = {
        {"non-resident", [](mTDeclaration& d) { d.DeclarationType = DeclarationNonResident; }, "НПФЛ3",
         R"(<НПФЛ3 ДокПредст="760" Статус="2"><ФИОФЛ Фамилия="ИВАНОВ" Имя="ИВАН" Отчество="ИВАНОВИЧ"/>)"
         R"(<СведФЛ1 ИННФЛ="500100732259" ДатаРожд="01.01.1977" ОКСМ="643"/></НПФЛ3>)"},
        {"closing a business is a resident's", [](mTDeclaration& d) { d.DeclarationType = DeclarationClosingBusiness; },
         "НПФЛ3",
         R"(<НПФЛ3 ДокПредст="760" Статус="1"><ФИОФЛ Фамилия="ИВАНОВ" Имя="ИВАН" Отчество="ИВАНОВИЧ"/>)"
         R"(<СведФЛ1 ИННФЛ="500100732259" ДатаРожд="01.01.1977" ОКСМ="643"/></НПФЛ3>)"},
        {"telephone", [](mTDeclaration& d) { d.Person.HomePhone.Number = "89001234567"; }, "НПФЛ3",
         R"(<НПФЛ3 ДокПредст="760" Статус="1" Тлф="89001234567"><ФИОФЛ Фамилия="ИВАНОВ" Имя="ИВАН" Отчество="ИВАНОВИЧ"/>)"
         R"(<СведФЛ1 ИННФЛ="500100732259" ДатаРожд="01.01.1977" ОКСМ="643"/></НПФЛ3>)"},
        {"telephone of blanks", [](mTDeclaration& d) { d.Person.HomePhone.Number = "   "; }, "ФИОФЛ",
         R"(<ФИОФЛ Фамилия="ИВАНОВ" Имя="ИВАН" Отчество="ИВАНОВИЧ"/>)"},
        {"no patronymic", [](mTDeclaration& d) { d.Person.Name.Patronymic = "  "; }, "ФИОФЛ",
         R"(<ФИОФЛ Фамилия="ИВАНОВ" Имя="ИВАН"/>)"},
        {"no INN", [](mTDeclaration& d) {
             d.Person.Name.INN.clear();
             d.Person.Document.DocKind = 21;
             d.Person.Document.DocSeriesNumber = "45 01 123456";
         },
         "СвНП",
         R"(<СвНП><НПФЛ3 ДокПредст="760" Статус="1"><ФИОФЛ Фамилия="ИВАНОВ" Имя="ИВАН" Отчество="ИВАНОВИЧ"/>)"
         R"(<СведФЛ2 ДатаРожд="01.01.1977" ОКСМ="643"><УдЛичн КодВидДок="21" СерНомДок="45 01 123456"/></СведФЛ2>)"
         R"(</НПФЛ3></СвНП>)"},
        {"INN of blanks is no INN", [](mTDeclaration& d) {
             d.Person.Name.INN = "    ";
             d.Person.Document.DocKind = 10;
             d.Person.Document.DocSeriesNumber = "ab 123";
         },
         "СведФЛ2", R"(<СведФЛ2 ДатаРожд="01.01.1977" ОКСМ="643"><УдЛичн КодВидДок="10" СерНомДок="AB 123"/></СведФЛ2>)"},
        {"INN with blanks around it", [](mTDeclaration& d) { d.Person.Name.INN = " 500100732259 "; }, "СведФЛ1",
         R"(<СведФЛ1 ИННФЛ="500100732259" ДатаРожд="01.01.1977" ОКСМ="643"/>)"},
        {"identity document beside the INN", [](mTDeclaration& d) {
             d.Person.Document.DocKind = 3;
             d.Person.Document.DocSeriesNumber = "I-МЮ 123456";
             d.Person.Document.BirthDate = *encodeDate(1985, 7, 9);
         },
         "СведФЛ1",
         R"(<СведФЛ1 ИННФЛ="500100732259" ДатаРожд="09.07.1985" ОКСМ="643"><УдЛичн КодВидДок="03" СерНомДок="I-МЮ 123456"/></СведФЛ1>)"},
        {"empty country", [](mTDeclaration& d) { d.Person.Foreigner.CountryCode = " "; }, "СведФЛ1",
         R"(<СведФЛ1 ИННФЛ="500100732259" ДатаРожд="01.01.1977" ОКСМ="643"/>)"},
        {"one-digit country", [](mTDeclaration& d) { d.Person.Foreigner.CountryCode = "4"; }, "СведФЛ1",
         R"(<СведФЛ1 ИННФЛ="500100732259" ДатаРожд="01.01.1977" ОКСМ="004"/>)"},
        {"two-digit country", [](mTDeclaration& d) { d.Person.Foreigner.CountryCode = " 51"; }, "СведФЛ1",
         R"(<СведФЛ1 ИННФЛ="500100732259" ДатаРожд="01.01.1977" ОКСМ="051"/>)"},
        {"three-digit country", [](mTDeclaration& d) { d.Person.Foreigner.CountryCode = "398"; }, "СведФЛ1",
         R"(<СведФЛ1 ИННФЛ="500100732259" ДатаРожд="01.01.1977" ОКСМ="398"/>)"},
        {"representative", [](mTDeclaration& d) {
             d.Signer = 1;
             d.RepresentativeName = "петров петр петрович";
             d.RepresentativeDocument = "Доверенность № 1 от 01.02.2022";
         },
         "Подписант",
         R"(<Подписант ПрПодп="2"><ФИО Фамилия="ПЕТРОВ" Имя="ПЕТР" Отчество="ПЕТРОВИЧ"/>)"
         R"(<СвПред НаимДок="ДОВЕРЕННОСТЬ № 1 ОТ 01.02.2022"/></Подписант>)"},
        {"representative of one word", [](mTDeclaration& d) {
             d.Signer = 1;
             d.RepresentativeName = "Петров";
             d.RepresentativeDocument = "Доверенность";
         },
         "Подписант", R"(<Подписант ПрПодп="2"><ФИО Фамилия="ПЕТРОВ" Имя=" "/><СвПред НаимДок="ДОВЕРЕННОСТЬ"/></Подписант>)"},
    };
    for (const ElementCase& c : cases) {
        auto decl = declarationWithIncome();
        c.change(*decl);
        const ExportResult result = exportText(*decl);
        ASSERT_TRUE(result.ok) << c.name << ": " << result.error;
        EXPECT_EQ(elementText(result.text, c.element), c.expected) << c.name;
    }
}

TEST(HeaderElements, EachTaxpayerCategoryHasItsDocumentCode)
{
    const std::pair<std::uint8_t, const char*> codes[] = {{0, "720"}, {1, "770"}, {2, "730"},
                                                          {3, "740"}, {5, "760"}, {6, "750"}};
    for (const auto& [category, code] : codes) {
        auto decl = declarationWithIncome();
        decl->TaxpayerCategory = category;
        const ExportResult result = exportText(*decl);
        ASSERT_TRUE(result.ok) << int(category) << ": " << result.error;
        EXPECT_EQ(attributeText(result.text, "НПФЛ3", "ДокПредст"), code) << int(category);
    }
}

struct RefusedCase {
    const char* name;
    std::function<void(mTDeclaration&)> change;
    const char* field; // what the message names
};

TEST(HeaderElements, ValuesTheFormatForbidsFailTheExportNamingTheField)
{
    const RefusedCase cases[] = {
        {"category 4", [](mTDeclaration& d) { d.TaxpayerCategory = 4; }, "@ДокПредст"},
        {"category 7", [](mTDeclaration& d) { d.TaxpayerCategory = 7; }, "@ДокПредст"},
        {"no surname", [](mTDeclaration& d) { d.Person.Name.SurName.clear(); }, "ФИОФЛ/@Фамилия"},
        {"no first name", [](mTDeclaration& d) { d.Person.Name.FirstName.clear(); }, "ФИОФЛ/@Имя"},
        {"no document kind without an INN",
         [](mTDeclaration& d) {
             d.Person.Name.INN.clear();
             d.Person.Document.DocSeriesNumber = "45 01 123456";
         },
         "УдЛичн/@КодВидДок"},
        {"no document number without an INN",
         [](mTDeclaration& d) {
             d.Person.Name.INN.clear();
             d.Person.Document.DocKind = 21;
         },
         "УдЛичн/@СерНомДок"},
        {"birth date out of range", [](mTDeclaration& d) { d.Person.Document.BirthDate = -1e9; }, "@ДатаРожд"},
        {"birth date left at day 0 (30.12.1899)", [](mTDeclaration& d) { d.Person.Document.BirthDate = 0; },
         "@ДатаРожд"},
        {"representative without a document",
         [](mTDeclaration& d) {
             d.Signer = 1;
             d.RepresentativeName = "Петров Петр";
         },
         "СвПред/@НаимДок"},
        {"surname outside windows-1251", [](mTDeclaration& d) { d.Person.Name.SurName = "Müller-Łukasz"; },
         "ФИОФЛ/@Фамилия"},
        {"negative correction number", [](mTDeclaration& d) { d.CorrectionNumber = -1; }, "корректировки"},
    };
    for (const RefusedCase& c : cases) {
        auto decl = declarationWithIncome();
        c.change(*decl);
        const ExportResult result = exportText(*decl);
        EXPECT_FALSE(result.ok) << c.name;
        EXPECT_TRUE(result.text.empty()) << c.name;
        EXPECT_TRUE(result.error.starts_with("Ошибка в выгрузке. ")) << c.name << ": " << result.error;
        EXPECT_NE(result.error.find(c.field), std::string::npos) << c.name << ": " << result.error;
    }
}

struct SplitCase {
    const char* fullName;
    RepresentativeName expected;
};

TEST(HeaderElements, RepresentativeNameSplitsIntoThreeParts)
{
    const auto letters = [](int count, const char* letter) {
        std::string text;
        for (int i = 0; i < count; ++i)
            text += letter;
        return text;
    };
    const SplitCase cases[] = {
        {"Петров Петр Петрович", {"Петров", "Петр", "Петрович"}},
        {"  Петров   Петр  Петрович ", {"Петров", "Петр", "Петрович"}},
        {"Петров", {"Петров", " ", ""}},
        {"Петров Петр", {"Петров", "Петр", ""}},
        {"", {" ", " ", ""}},
        {"   ", {" ", " ", ""}},
        {"Петров Петр Петрович Младший", {"Петров", "Петр", "Петрович Младший"}},
        {"Abdulla ibn Hasan al Rashid", {"Abdulla", "ibn", "Hasan al Rashid"}},
    };
    for (const SplitCase& c : cases)
        EXPECT_EQ(SplitRepresentativeName(c.fullName), c.expected) << '"' << c.fullName << '"';

    // Parts are cut to 60 characters (not bytes); what is cut off a surname starts the next part.
    const std::string surname65 = letters(65, "Ж");
    EXPECT_EQ(SplitRepresentativeName(surname65), (RepresentativeName{letters(60, "Ж"), letters(5, "Ж"), ""}));
    // The patronymic's 60 characters are counted from the blank behind the first name.
    EXPECT_EQ(SplitRepresentativeName("Петров Петр " + letters(70, "ё")),
              (RepresentativeName{"Петров", "Петр", letters(59, "ё")}));
    EXPECT_EQ(SplitRepresentativeName(letters(61, "Щ") + " Петр"),
              (RepresentativeName{letters(60, "Щ"), "Щ", "Петр"}));
}

} // namespace

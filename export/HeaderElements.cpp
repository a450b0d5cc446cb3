#include "export/HeaderElements.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "computation/Residency.h"
#include "computation/TaxYearFigures.h"
#include "export/FieldLimits.h"
#include "export/XmlWriter.h"
#include "model/Cp1251.h"
#include "model/Declaration.h"
#include "model/Money.h"
#include "model/Trimmed.h"

namespace {

constexpr std::size_t NamePartLength = FieldLimits::NamePart;

// The code of the document the taxpayer files, by the category chosen on the initial-data page.
std::optional<std::string_view> documentCode(std::uint8_t taxpayerCategory)
{
    static constexpr std::pair<std::uint8_t, std::string_view> codes[] = {
        {0, "720"}, // individual entrepreneur
        {1, "770"}, // head of a peasant (farm) household
        {2, "730"}, // private notary
        {3, "740"}, // lawyer
        {5, "760"}, // other natural person
        {6, "750"}, // arbitration manager
    };
    for (const auto& [category, code] : codes)
        if (category == taxpayerCategory)
            return code;
    return std::nullopt;
}

// The OKSM code of the citizenship, three digits: Russia when none is given.
std::string countryCode(std::string_view stored)
{
    std::string code(Trimmed(stored));
    if (code.empty())
        code = "643";
    if (code.size() < 3)
        code.insert(0, 3 - code.size(), '0');
    return code;
}

// The text before the first blank, or the whole text, cut to the length of a name part.
std::string_view leadingWord(std::string_view text)
{
    return Trimmed(text.substr(0, std::min(text.find(' '), NamePartLength)));
}

std::string_view after(std::string_view text, std::size_t length, std::size_t count)
{
    return length < text.size() ? text.substr(length, count) : std::string_view();
}

void addTaxpayer(xmlNode* document, const ExportContext& context)
{
    const mTDeclaration& decl = context.Decl;
    const mTPersonInformation& person = decl.Person;

    xmlNode* taxpayer = AddXmlElement(AddXmlElement(document, "СвНП"), "НПФЛ3");
    const auto code = documentCode(decl.TaxpayerCategory);
    if (!code)
        throw FieldRefusal(taxpayer, "ДокПредст",
                           "Для категории налогоплательщика с кодом " + std::to_string(decl.TaxpayerCategory)
                               + " нет кода представляемого документа ({field}).");
    SetXmlAttribute(taxpayer, "ДокПредст", *code);
    SetXmlAttribute(taxpayer, "Статус", IsResidentDeclaration(decl) ? "1" : "2");
    if (!Trimmed(person.HomePhone.Number).empty())
        SetXmlAttribute(taxpayer, "Тлф", person.HomePhone.Number);

    xmlNode* name = AddXmlElement(taxpayer, "ФИОФЛ");
    SetXmlAttribute(name, "Фамилия", person.Name.SurName);
    SetXmlAttribute(name, "Имя", person.Name.FirstName);
    if (!Trimmed(person.Name.Patronymic).empty())
        SetXmlAttribute(name, "Отчество", person.Name.Patronymic);

    const bool hasInn = !context.Inn.empty();
    xmlNode* details = AddXmlElement(taxpayer, hasInn ? "СведФЛ1" : "СведФЛ2");
    if (hasInn)
        SetXmlAttribute(details, "ИННФЛ", context.Inn);
    SetDateAttribute(details, "ДатаРожд", person.Document.BirthDate);
    SetXmlAttribute(details, "ОКСМ", countryCode(person.Foreigner.CountryCode));

    // Without an INN the identity document is the taxpayer's only identification.
    if (hasInn && person.Document.DocKind == 0)
        return;
    xmlNode* identity = AddXmlElement(details, "УдЛичн");
    if (person.Document.DocKind == 0)
        throw FieldRefusal(identity, "КодВидДок", "Не выбран вид документа, удостоверяющего личность: {field}.");
    SetXmlAttribute(identity, "КодВидДок", TwoDigitText(person.Document.DocKind));
    SetXmlAttribute(identity, "СерНомДок", person.Document.DocSeriesNumber);
}

void addSigner(xmlNode* document, const mTDeclaration& decl)
{
    xmlNode* signer = AddXmlElement(document, "Подписант");
    const bool representative = decl.Signer != 0;
    SetXmlAttribute(signer, "ПрПодп", representative ? "2" : "1");
    if (!representative)
        return;

    const RepresentativeName parts = SplitRepresentativeName(decl.RepresentativeName);
    xmlNode* name = AddXmlElement(signer, "ФИО");
    SetXmlAttribute(name, "Фамилия", parts.surname);
    SetXmlAttribute(name, "Имя", parts.firstName);
    if (!parts.patronymic.empty())
        SetXmlAttribute(name, "Отчество", parts.patronymic);
    SetXmlAttribute(AddXmlElement(signer, "СвПред"), "НаимДок", decl.RepresentativeDocument);
}

} // namespace

RepresentativeName SplitRepresentativeName(std::string_view fullName)
{
    // The parts are cut by characters, which are the bytes of windows-1251.
    std::string bytes;
    try {
        bytes = cp1251::fromUtf8(fullName);
    } catch (const cp1251::EncodeError& e) {
        throw ExportError(std::string("Ошибка в выгрузке. Имя представителя нельзя записать в кодировке windows-1251: ")
                          + e.what());
    }
    const std::string_view name = Trimmed(bytes);

    // Each part is taken from behind the previous one as written, a blank standing in for an
    // empty part counted as one character.
    std::string surname(leadingWord(name));
    if (surname.empty())
        surname = " ";
    const std::string_view rest = Trimmed(after(name, surname.size(), 1000));
    std::string firstName(leadingWord(rest));
    if (firstName.empty())
        firstName = " ";
    const std::string_view patronymic = Trimmed(after(rest, firstName.size(), NamePartLength));

    return {cp1251::toUtf8(surname), cp1251::toUtf8(firstName), cp1251::toUtf8(patronymic)};
}

xmlNode* AddDocumentHeader(xmlNode* root, const ExportContext& context)
{
    const mTDeclaration& decl = context.Decl;
    const bool closingBusiness = decl.DeclarationType == DeclarationClosingBusiness;
    if (decl.CorrectionNumber < 0 || decl.CorrectionNumber > 999)
        throw ExportError("Ошибка в выгрузке. Номер корректировки " + std::to_string(decl.CorrectionNumber)
                          + " должен быть от 0 до 999 (поле Файл/Документ/@НомКорр).");

    xmlNode* document = AddXmlElement(root, "Документ");
    SetXmlAttribute(document, "КНД", "1151020");
    SetDateAttribute(document, "ДатаДок", context.ExportDate);
    SetXmlAttribute(document, "Период", closingBusiness ? "86" : "34");
    // A business is closed in the declaration of the year after.
    SetXmlAttribute(document, "ОтчетГод", std::to_string(closingBusiness ? TaxYear + 1 : TaxYear));
    SetXmlAttribute(document, "КодНО", context.TaxOfficeCode);
    SetXmlAttribute(document, "НомКорр", std::to_string(decl.CorrectionNumber));

    addTaxpayer(document, context);
    addSigner(document, decl);
    return document;
}

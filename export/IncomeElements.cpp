#include "export/IncomeElements.h"

#include <string>
#include <string_view>

#include "computation/Summary.h"
#include "export/FieldLimits.h"
#include "export/XmlWriter.h"
#include "model/Trimmed.h"

namespace {

constexpr std::size_t PersonNameLength = FieldLimits::PayerPersonName;
// The row of the Russian-source sheet that holds the tax withheld on code-2620 income.
constexpr std::string_view Withheld2620Kind = "35";

void setIfNotEmpty(xmlNode* element, const char* name, const std::string& value)
{
    if (!value.empty())
        SetXmlAttribute(element, name, value);
}

// The first `count` characters of a UTF-8 text.
std::string_view firstCharacters(std::string_view text, std::size_t count)
{
    std::size_t end = 0;
    for (std::size_t characters = 0; end < text.size() && characters < count; ++characters) {
        ++end;
        while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
            ++end;
    }
    return text.substr(0, end);
}

// A payer with an organisation's ten-digit INN and a KPP is an organisation; any other is
// written as a person, whose INN may be missing.
void addPayer(xmlNode* income, const bmPril1Rec& row)
{
    if (row.ИНН.size() == 10 && !row.КПП.empty()) {
        xmlNode* organisation = AddXmlElement(income, "ИстЮЛ");
        SetXmlAttribute(organisation, "Наим", row.Наим);
        SetXmlAttribute(organisation, "ИННЮЛ", row.ИНН);
        SetXmlAttribute(organisation, "КПП", row.КПП);
        return;
    }
    xmlNode* person = AddXmlElement(income, "ИстФЛИн");
    SetXmlAttribute(person, "ФИОИн", std::string(firstCharacters(Trimmed(row.Наим), PersonNameLength)));
    if (!Trimmed(row.ИНН).empty())
        SetXmlAttribute(person, "ИННФЛ", row.ИНН);
}

void addForeignIncome(xmlNode* foreign, const bmPril2Rec& row)
{
    xmlNode* income = AddXmlElement(foreign, "РасчДохНалИно");
    SetXmlAttribute(income, "ОКСМИст", row.ОКСМИст);
    SetXmlAttribute(income, "ОКСМЗач", row.ОКСМЗач);
    SetXmlAttribute(income, "НаимИстДох", row.НаимИстДох);
    SetXmlAttribute(income, "КодВалют", row.КодВалют);
    SetXmlAttribute(income, "ВидДоход", row.ВидДоход);
    if (row.НомерКИК != "-")
        SetXmlAttribute(income, "НомерКИК", row.НомерКИК);
    SetDateAttribute(income, "ДатаДох", row.ДатаДох);
    setIfNotEmpty(income, "Ставка", row.Ставка);
    SetXmlAttribute(income, "КурсВалютДох", row.КурсВалютДох);
    // The sheet keeps these amounts as field texts too, but clamped to nines where they do not
    // fit; written from the amounts, a figure too long fails the export instead.
    SetMoneyAttribute(income, "ДоходИноВал", row.IncomeInCurrency);
    SetMoneyAttribute(income, "ДоходИноРуб", row.IncomeInRoubles);
    if (!row.ДоходОсв.empty())
        SetMoneyAttribute(income, "ДоходОсв", row.ExemptAmount);
    if (row.КодВидОсв != 0)
        SetXmlAttribute(income, "КодВидОсв", std::to_string(row.КодВидОсв));
    if (row.ПорядПрибКИК != 0)
        SetXmlAttribute(income, "ПорядПрибКИК", row.ПорядПрибКИК == 1 ? "1" : "2");
    if (row.TaxPaidInCurrency > Currency()) {
        SetDateAttribute(income, "ДатаУплНал", row.ДатаУплНал);
        setIfNotEmpty(income, "КурсВалютНал", row.КурсВалютНал);
        SetMoneyAttribute(income, "НалУплИноВал", row.TaxPaidInCurrency);
        SetMoneyAttribute(income, "НалУплИноРуб", row.TaxPaidInRoubles);
    }
    if (!row.НалИсчКИК.empty())
        SetWholeAttribute(income, "НалИсчКИК", row.KIKTaxWithheld);
    if (!row.НалЗачРФОбщ.empty())
        SetWholeAttribute(income, "НалЗачРФОбщ", row.TaxInRussia);
    if (!row.НалогЗачРФОбщ.empty())
        SetWholeAttribute(income, "НалогЗачРФОбщ", row.TaxCredit);
}


} // namespace

void AddRussianIncomeElements(xmlNode* ndfl3, const ExportContext& context)
{
    for (const bmPril1Rec& row : context.Svod.Pril1.Rows) {
        if (row.ВидДоход == Withheld2620Kind)
            continue;
        xmlNode* income = AddXmlElement(ndfl3, "ДоходИстРФ");
        SetXmlAttribute(income, "ВидДоход", row.ВидДоход);
        setIfNotEmpty(income, "Ставка", row.Ставка);
        setIfNotEmpty(income, "ОКТМО", row.ОКТМО);
        SetMoneyAttribute(income, "Доход", row.Доход);
        SetWholeAttribute(income, "НалУдерж", row.НалУдерж);
        addPayer(income, row);
    }
}

void AddForeignIncomeElements(xmlNode* ndfl3, const ExportContext& context)
{
    const kTSvodSumPril2& sheet = context.Svod.Pril2;
    if (sheet.Rows.empty())
        return;
    xmlNode* foreign = AddXmlElement(ndfl3, "ДоходИстИно");
    for (const bmPril2Rec& row : sheet.Rows)
        addForeignIncome(foreign, row);
}

void AddNonTaxableIncomeElements(xmlNode* ndfl3, const ExportContext& context)
{
    const kTSvodSumPril4& sheet = context.Svod.Pril4;
    if (sheet.ДохНеНалОбщ <= Currency())
        return;
    xmlNode* exempt = AddXmlElement(ndfl3, "ДоходОсвПрев");
    SetPositiveMoneyAttribute(exempt, "МатПомРожд", sheet.МатПомРожд);
    SetPositiveMoneyAttribute(exempt, "СтоимПодар", sheet.СтоимПодар);
    SetPositiveMoneyAttribute(exempt, "СтоимПриз", sheet.СтоимПриз);
    SetPositiveMoneyAttribute(exempt, "МатПомРаб", sheet.МатПомРаб);
    SetPositiveMoneyAttribute(exempt, "ВозмМед", sheet.ВозмМед);
    SetPositiveMoneyAttribute(exempt, "ПризРекл", sheet.ПризРекл);
    SetPositiveMoneyAttribute(exempt, "МатПомИнв", sheet.МатПомИнв);
    SetPositiveMoneyAttribute(exempt, "ВыигрЛотер", sheet.ВыигрЛотер);
    SetPositiveMoneyAttribute(exempt, "МатПомОбр", sheet.МатПомОбр);
    SetPositiveMoneyAttribute(exempt, "ПомПодар", sheet.ПомПодар);
    SetPositiveMoneyAttribute(exempt, "ДопСВПенс", sheet.ДопСВПенс);
    SetPositiveMoneyAttribute(exempt, "ДоходИн", sheet.ДоходИн);
    SetMoneyAttribute(exempt, "ДохНеНалОбщ", sheet.ДохНеНалОбщ);
}

void AddPropertySaleIncomeElements(xmlNode* ndfl3, const ExportContext& context)
{
    for (const mbPrilA& row : context.Svod.Pril1_Dop.Rows) {
        xmlNode* sale = AddXmlElement(ndfl3, "ДохПродОНИ");
        SetXmlAttribute(sale, "НомКадОтчуждОНИ", row.НомКадОтчуждОНИ);
        SetMoneyAttribute(sale, "КадСтоимГодРег", row.КадСтоимГодРег);
        SetMoneyAttribute(sale, "ДохПродЦенаДог", row.ДохПродЦенаДог);
        SetMoneyAttribute(sale, "КадСтоимКоэф", row.КадСтоимКоэф);
        SetMoneyAttribute(sale, "ДохПродНалОбл", row.ДохПродНалОбл);
    }
}

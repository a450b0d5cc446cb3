#include "export/IncomeElements.h"

#include <string>
#include <string_view>

#include "computation/Summary.h"
#include "export/XmlWriter.h"
#include "model/Trimmed.h"

namespace {

constexpr int IncomeWidth = 15;
constexpr int TaxWidth = 13;
constexpr int ForeignMoneyWidth = 14;
constexpr std::size_t PersonNameLength = 255;
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
    SetMoneyAttribute(income, "ДоходИноВал", ForeignMoneyWidth, row.IncomeInCurrency);
    SetMoneyAttribute(income, "ДоходИноРуб", ForeignMoneyWidth, row.IncomeInRoubles);
    if (!row.ДоходОсв.empty())
        SetMoneyAttribute(income, "ДоходОсв", ForeignMoneyWidth, row.ExemptAmount);
    if (row.КодВидОсв != 0)
        SetXmlAttribute(income, "КодВидОсв", std::to_string(row.КодВидОсв));
    if (row.ПорядПрибКИК != 0)
        SetXmlAttribute(income, "ПорядПрибКИК", row.ПорядПрибКИК == 1 ? "1" : "2");
    if (row.TaxPaidInCurrency > Currency()) {
        SetDateAttribute(income, "ДатаУплНал", row.ДатаУплНал);
        setIfNotEmpty(income, "КурсВалютНал", row.КурсВалютНал);
        SetMoneyAttribute(income, "НалУплИноВал", ForeignMoneyWidth, row.TaxPaidInCurrency);
        SetMoneyAttribute(income, "НалУплИноРуб", ForeignMoneyWidth, row.TaxPaidInRoubles);
    }
    if (!row.НалИсчКИК.empty())
        SetWholeAttribute(income, "НалИсчКИК", TaxWidth, row.KIKTaxWithheld);
    if (!row.НалЗачРФОбщ.empty())
        SetWholeAttribute(income, "НалЗачРФОбщ", TaxWidth, row.TaxInRussia);
    if (!row.НалогЗачРФОбщ.empty())
        SetWholeAttribute(income, "НалогЗачРФОбщ", TaxWidth, row.TaxCredit);
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
        SetMoneyAttribute(income, "Доход", IncomeWidth, row.Доход);
        SetWholeAttribute(income, "НалУдерж", TaxWidth, row.НалУдерж);
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
    SetPositiveMoneyAttribute(exempt, "МатПомРожд", 9, sheet.МатПомРожд);
    SetPositiveMoneyAttribute(exempt, "СтоимПодар", 6, sheet.СтоимПодар);
    SetPositiveMoneyAttribute(exempt, "СтоимПриз", 6, sheet.СтоимПриз);
    SetPositiveMoneyAttribute(exempt, "МатПомРаб", 6, sheet.МатПомРаб);
    SetPositiveMoneyAttribute(exempt, "ВозмМед", 6, sheet.ВозмМед);
    SetPositiveMoneyAttribute(exempt, "ПризРекл", 6, sheet.ПризРекл);
    SetPositiveMoneyAttribute(exempt, "МатПомИнв", 6, sheet.МатПомИнв);
    SetPositiveMoneyAttribute(exempt, "ВыигрЛотер", 6, sheet.ВыигрЛотер);
    SetPositiveMoneyAttribute(exempt, "МатПомОбр", 6, sheet.МатПомОбр);
    SetPositiveMoneyAttribute(exempt, "ПомПодар", 7, sheet.ПомПодар);
    SetPositiveMoneyAttribute(exempt, "ДопСВПенс", 7, sheet.ДопСВПенс);
    SetPositiveMoneyAttribute(exempt, "ДоходИн", 12, sheet.ДоходИн);
    SetMoneyAttribute(exempt, "ДохНеНалОбщ", 12, sheet.ДохНеНалОбщ);
}

void AddPropertySaleIncomeElements(xmlNode* ndfl3, const ExportContext& context)
{
    for (const mbPrilA& row : context.Svod.Pril1_Dop.Rows) {
        xmlNode* sale = AddXmlElement(ndfl3, "ДохПродОНИ");
        SetXmlAttribute(sale, "НомКадОтчуждОНИ", row.НомКадОтчуждОНИ);
        SetMoneyAttribute(sale, "КадСтоимГодРег", IncomeWidth, row.КадСтоимГодРег);
        SetMoneyAttribute(sale, "ДохПродЦенаДог", IncomeWidth, row.ДохПродЦенаДог);
        SetMoneyAttribute(sale, "КадСтоимКоэф", IncomeWidth, row.КадСтоимКоэф);
        SetMoneyAttribute(sale, "ДохПродНалОбл", IncomeWidth, row.ДохПродНалОбл);
    }
}

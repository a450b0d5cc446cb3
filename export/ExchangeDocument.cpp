#include "export/ExchangeDocument.h"

#include <cstdio>
#include <stdexcept>

#include "export/BusinessElements.h"
#include "export/DeductionElements.h"
#include "export/ExportContext.h"
#include "export/HeaderElements.h"
#include "export/IncomeElements.h"
#include "export/Section1Elements.h"
#include "export/SecuritiesElements.h"
#include "export/TaxBaseElements.h"
#include "model/DayDate.h"

namespace {

constexpr std::string_view ProgramVersion = "Forv2021_1.0.0";
constexpr std::string_view FormatVersion = "5.16";

// One family of elements of the declaration's body, appended to "НДФЛ3".
using ElementFamily = void (*)(xmlNode* ndfl3, const ExportContext& context);

// The families in the order in which the format lists them.
constexpr ElementFamily declarationBody[] = {
    AddSection1Elements,                   // "СумНалПу", "ЗаявЗачВозвр"
    AddTaxBaseElements,                    // "НалБаза"
    AddRussianIncomeElements,              // "ДоходИстРФ"
    AddForeignIncomeElements,              // "ДоходИстИно"
    AddBusinessIncomeElements,             // "ДоходПредпр"
    AddNonTaxableIncomeElements,           // "ДоходОсвПрев"
    AddStandardSocialDeductionElements,    // "ВычСтандСоц"
    AddPropertySaleDeductionElements,      // "ИмущНалВычПр"
    AddPropertyPurchaseDeductionElements,  // "ИмущНалВычНов"
    AddSecuritiesElements,                 // "ДохОперЦБ"
    AddPropertySaleIncomeElements,         // "ДохПродОНИ"
    AddPensionInvestmentDeductionElements, // "ВычСоцИнв219"
};

bool isUuid(std::string_view text)
{
    if (text.size() != 36)
        return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const bool dash = i == 8 || i == 13 || i == 18 || i == 23;
        if (dash ? c != '-' : !((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F')))
            return false;
    }
    return true;
}

std::string fileIdentifier(const ExportContext& context, std::string_view uuid)
{
    const CalendarDate date = decodeDate(context.ExportDate);
    if (date.year == 0)
        throw std::invalid_argument("the export date is not a date");
    if (!isUuid(uuid))
        throw std::invalid_argument("the file identifier needs a UUID in upper case");

    char dateDigits[9];
    std::snprintf(dateDigits, sizeof dateDigits, "%04d%02d%02d", date.year, date.month, date.day);
    const std::string inn = context.Inn.empty() ? "000000000000" : context.Inn;
    return "NO_NDFL3_" + context.TaxOfficeCode + "_" + context.TaxOfficeCode + "_" + inn + "_" + dateDigits + "_"
         + std::string(uuid);
}

} // namespace

ExchangeDocument BuildExchangeDocument(const mTDeclaration& decl, const kTSvodSum& svod, double exportDate,
                                       std::string_view uuid)
{
    const ExportContext context = MakeExportContext(decl, svod, exportDate);
    ExchangeDocument exchange{fileIdentifier(context, uuid), NewXmlDocument("Файл")};

    xmlNode* root = xmlDocGetRootElement(exchange.document.get());
    SetXmlAttributeKeepingCase(root, "ИдФайл", exchange.fileIdentifier);
    SetXmlAttributeKeepingCase(root, "ВерсПрог", ProgramVersion);
    SetXmlAttributeKeepingCase(root, "ВерсФорм", FormatVersion);

    xmlNode* document = AddDocumentHeader(root, context);
    xmlNode* ndfl3 = AddXmlElement(document, "НДФЛ3");
    for (const ElementFamily addElements : declarationBody)
        addElements(ndfl3, context);
    return exchange;
}

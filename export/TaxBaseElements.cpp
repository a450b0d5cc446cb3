#include "export/TaxBaseElements.h"

#include "computation/Summary.h"
#include "export/XmlWriter.h"
#include "model/Declaration.h"

namespace {

constexpr int LastWrittenKind = 24;
constexpr int BusinessKind = 7;

struct AmountField {
    const char* attribute;
    Currency kTSvodSumRazd2::*field;
};

constexpr AmountField baseFields[] = {
    {"СумДох", &kTSvodSumRazd2::СумДох},
    {"СумДохНеНал", &kTSvodSumRazd2::СумДохНеНал},
    {"СумДохНал", &kTSvodSumRazd2::СумДохНал},
    {"СумНалВыч", &kTSvodSumRazd2::СумНалВыч},
    {"СумРасх", &kTSvodSumRazd2::СумРасх},
    {"НалБаза", &kTSvodSumRazd2::НалБаза},
    {"НалБаза2.1.224", &kTSvodSumRazd2::НалБаза2_1_224},
    {"НалБаза3.1.224", &kTSvodSumRazd2::НалБаза3_1_224},
    {"СумИное", &kTSvodSumRazd2::СумИное},
};

constexpr AmountField taxFields[] = {
    {"Исчисл", &kTSvodSumRazd2::Исчисл},
    {"Удерж", &kTSvodSumRazd2::Удерж},
    {"СумУдержИст224", &kTSvodSumRazd2::СумУдержИст224},
    {"СумУдержМат", &kTSvodSumRazd2::СумУдержМат},
    {"ТСУплПерЗач", &kTSvodSumRazd2::ТСУплПерЗач},
    {"СумФиксАван", &kTSvodSumRazd2::СумФиксАван},
    {"УплИнПодлЗач", &kTSvodSumRazd2::УплИнПодлЗач},
    {"УплПатентЗач", &kTSvodSumRazd2::УплПатентЗач},
    {"ПодлУпл", &kTSvodSumRazd2::ПодлУпл},
    {"ПодлВозв", &kTSvodSumRazd2::ПодлВозв},
};

bool isWritten(int kind, const kTSvodSumRazd2& sheet, const mTDeclaration& decl)
{
    return sheet.СумДох > Currency()
        || (kind == BusinessKind && decl.DeclarationType == DeclarationClosingBusiness);
}

} // namespace

bool HasTaxBaseElements(const mTDeclaration& decl, const kTSvodSum& svod)
{
    for (int kind = 1; kind <= LastWrittenKind; ++kind)
        if (isWritten(kind, svod.Razd2Sheet(kind), decl))
            return true;
    return false;
}

void AddTaxBaseElements(xmlNode* ndfl3, const ExportContext& context)
{
    if (!HasTaxBaseElements(context.Decl, context.Svod))
        throw ExportError("Ошибка в выгрузке. В декларации не указано ни одного дохода, а файл обмена требует хотя "
                          "бы один расчет налоговой базы (" + XmlElementName(ndfl3)
                          + "/НалБаза): укажите доходы на странице «Задание условий» и на страницах доходов.");
    for (int kind = 1; kind <= LastWrittenKind; ++kind) {
        const kTSvodSumRazd2& sheet = context.Svod.Razd2Sheet(kind);
        if (!isWritten(kind, sheet, context.Decl))
            continue;

        xmlNode* taxBase = AddXmlElement(ndfl3, "НалБаза");
        SetXmlAttribute(taxBase, "ВидДоход", sheet.ВидДоход);
        // A negative base (possible on the kinds without a floor) is written as 0.00; its
        // negative tax is refused by SetWholeAttribute rather than written beside it.
        xmlNode* base = AddXmlElement(taxBase, "РасчНалБаза");
        for (const AmountField& amount : baseFields)
            SetMoneyAttribute(base, amount.attribute, sheet.*amount.field);
        xmlNode* tax = AddXmlElement(taxBase, "РасчНалПУ");
        for (const AmountField& amount : taxFields)
            SetWholeAttribute(tax, amount.attribute, sheet.*amount.field);
    }
}

#include "export/ExportContext.h"

#include "export/FieldLimits.h"
#include "export/XmlWriter.h"
#include "model/Declaration.h"
#include "model/TaxpayerNumbers.h"
#include "model/Trimmed.h"

namespace {

bool isDigits(std::string_view text, std::size_t count)
{
    return text.size() == count && FieldForms::allDigits(text);
}

} // namespace

ExportContext MakeExportContext(const mTDeclaration& decl, const kTSvodSum& svod, double exportDate)
{
    if (!isDigits(decl.TaxOfficeCode, 4))
        throw ExportError("Ошибка в выгрузке. Код налогового органа «" + decl.TaxOfficeCode
                          + "» должен состоять из четырех цифр (поле Файл/Документ/@КодНО).");
    const std::string_view inn = Trimmed(decl.Person.Name.INN);
    const std::string innField = " (поле Файл/Документ/СвНП/НПФЛ3/СведФЛ1/@ИННФЛ).";
    if (!inn.empty() && !isDigits(inn, 12))
        throw ExportError("Ошибка в выгрузке. ИНН «" + std::string(inn) + "» должен состоять из двенадцати цифр"
                          + innField);
    if (!inn.empty() && CheckInn(inn, InnPerson) != InnValid)
        throw ExportError("Ошибка в выгрузке. ИНН «" + std::string(inn)
                          + "» введен неверно: не сходятся контрольные цифры" + innField);
    return ExportContext{decl, svod, exportDate, decl.TaxOfficeCode, std::string(inn)};
}

#include "export/ExportContext.h"

#include <algorithm>

#include "export/XmlWriter.h"
#include "model/Declaration.h"

namespace {

bool isDigits(std::string_view text, std::size_t count)
{
    return text.size() == count && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

} // namespace

ExportContext MakeExportContext(const mTDeclaration& decl, const kTSvodSum& svod, double exportDate)
{
    if (!isDigits(decl.TaxOfficeCode, 4))
        throw ExportError("Ошибка в выгрузке. Код налогового органа «" + decl.TaxOfficeCode
                          + "» должен состоять из четырех цифр.");
    const std::string_view inn = Trimmed(decl.Person.Name.INN);
    if (!inn.empty() && !isDigits(inn, 12))
        throw ExportError("Ошибка в выгрузке. ИНН «" + std::string(inn) + "» должен состоять из двенадцати цифр.");
    return ExportContext{decl, svod, exportDate, decl.TaxOfficeCode, std::string(inn)};
}

std::string_view Trimmed(std::string_view text)
{
    const auto isBlank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

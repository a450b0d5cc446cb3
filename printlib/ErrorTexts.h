#pragma once

// The library's string table: error messages ("%" marks where a detail goes), source names, and
// the printf-style texts of the document engine, the jobs and the progress dialog, in Russian.

#include <optional>
#include <string_view>

namespace ErrorTexts {

inline constexpr int kModuleName = 100;                 // "ORVEXPDOC"
inline constexpr int kProgressStart = 150;              // "Начало %s"
inline constexpr int kProgressEnd = 151;                // "Конец %s"
inline constexpr int kProgressOfTotal = 152;            // "%d из %d"
inline constexpr int kProgressPreparing = 153;          // "Подготовка %s"
inline constexpr int kProgressCancelling = 154;         // "Прерывание %s"
inline constexpr int kOperationWriting = 160;           // "записи"
inline constexpr int kOperationPrinting = 161;          // "печати"
inline constexpr int kOperationPrintingBlank = 162;     // "печати"
inline constexpr int kDocumentAttributeMissing = 200;   // "У документа не найден или нулевой аттрибут '%s' "
inline constexpr int kNoSheets = 201;                   // "Не найдено ни одной страницы (XPATH='%s') "
inline constexpr int kSheetAttributeMissing = 202;      // "У страницы (SHEET) %d не найден или нулевой аттрибут '%s' "
inline constexpr int kSoftwareVersion = 203;            // "%s. Версия: %s"
inline constexpr int kNoData = 204;                     // "Отсутствуют данные."
inline constexpr int kCannotOpenPrinter = 205;          // "Не удалось открыть принтер '%s'"
inline constexpr int kCannotCreateObject = 206;         // "Не удалось создать объект из файла '%s' (код: %d)"
inline constexpr int kDocumentJobTitle = 207;           // "Документ для сдачи"
inline constexpr int kComposition213 = 213;             // "%s%s%s%d%c%d"
inline constexpr int kIdentityPattern = 214;            // "%s%s"
inline constexpr int kPrintJobNotStarted = 216;         // "Не удалось отправить задание на печать."
inline constexpr int kPrintCancelled = 217;             // "Печать прервана."
inline constexpr int kComposition218 = 218;             // "%s%s%s%s%s%d%c%d"
inline constexpr int kBlankJobTitle = 221;              // "Бланки документа для сдачи"
inline constexpr int kTemplateNeedsUpdate = 222;        // "Шаблон (файл: '%s') для печати требует обновления ..."
inline constexpr int kTemplateVersionUnreadable = 223;  // "Шаблон (файл: '%s') имеет не верный формат."
inline constexpr int kWritingCancelled = 226;           // "Запись прервана."
inline constexpr int kTitleWriting = 300;               // "Запись изображений"
inline constexpr int kTitlePrinting = 301;              // "Печать документа"
inline constexpr int kTitlePrintingBlank = 302;         // "Печать бланка"
inline constexpr int kLineWriting = 310;                // "Идет запись..."
inline constexpr int kLinePrinting = 311;               // "Идет печать..."
inline constexpr int kLinePrintingBlank = 312;          // "Идет печать..."

// The text with this id, or nothing when the table has none.
std::optional<std::u16string_view> load(int id);

} // namespace ErrorTexts

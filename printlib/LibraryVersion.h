#pragma once

// The library's versions, the text it writes into tag 305 of the pages it makes, and the check
// that the blank-form TIFF it is given was not made for a newer library.

#include <string>
#include <string_view>

namespace LibraryVersion {

// What ORVEXPDOCVersion reports.
inline constexpr std::u16string_view kVersion = u"3.3.2";
inline constexpr std::u16string_view kModuleDescription = u"Модуль печати документов со штрих-кодом PDF417";
inline constexpr std::u16string_view kFileVersion = u"3.3.0.2";

// "Модуль печати документов со штрих-кодом PDF417. Версия: 3.3.0.2": the software text of every
// page the library writes.
std::u16string SoftwareText();

// The blank form's software text (tag 305 of its first page) names the module and, after the
// first ":", the major version of the library it needs, ended by "." or ",". A text without the
// module's description carries no version and passes. A version that cannot be found raises
// 0xC0010000 "Шаблон (файл: '%s') имеет не верный формат."; a major version above this
// library's raises 0xC0010000 "Шаблон (файл: '%s') для печати требует обновления ...". `path`
// names the form in the messages.
void CheckTemplateVersion(std::u16string_view software, std::u16string_view path);

} // namespace LibraryVersion

#include "LibraryVersion.h"

#include "JobTestSupport.h"
#include "WideText.h"

#include <gtest/gtest.h>

namespace {

const std::u16string kModule = u"Модуль печати документов со штрих-кодом PDF417";

// The description of the report, or "accepted".
std::string checked(std::u16string_view software)
{
    const std::string report = oneLineReport([&] { LibraryVersion::CheckTemplateVersion(software, u"/forms/form.tif"); });
    if (report == "nothing raised")
        return "accepted";
    EXPECT_NE(report.find("(0xC0010000)\\\\0 (0x0)\\TiffTools (строка: "), std::string::npos) << report;
    return report.substr(0, report.find('['));
}

TEST(LibraryVersionTest, SoftwareTextNamesTheModuleAndTheFileVersion)
{
    EXPECT_EQ(WideText::toUtf8(LibraryVersion::SoftwareText()),
              "Модуль печати документов со штрих-кодом PDF417. Версия: 3.3.0.2");
}

TEST(LibraryVersionTest, FormsMadeForANewerLibraryAreRefused)
{
    const std::string tooNew = "Шаблон (файл: '/forms/form.tif') для печати требует обновления пакета «Мирдал» с "
                               "версии 3.3.2 до версии не менее 4.0.0.";
    const std::string unreadable = "Шаблон (файл: '/forms/form.tif') имеет не верный формат.";
    struct Case {
        const char* name;
        std::u16string software;
        std::string expected;
    };
    const Case cases[] = {
        {"no software tag", u"", "accepted"},
        {"another program's text", u"Сканер 2.0", "accepted"},
        {"this library's own text", LibraryVersion::SoftwareText(), "accepted"},
        {"older major version", kModule + u". Версия: 2.9.1", "accepted"},
        {"comma ends the major version", kModule + u". Версия: 3,4", "accepted"},
        {"blanks around the number", kModule + u". Версия:  3 .1", "accepted"},
        {"no number counts as 0", kModule + u". Версия: beta.1", "accepted"},
        {"newer major version", kModule + u". Версия: 4.0.0", tooNew},
        {"newer, comma", kModule + u". Версия:4,0", tooNew},
        {"no point after the colon", kModule + u". Версия: 4", unreadable},
        {"no colon", kModule + u". Версия 4.0", unreadable},
        {"description alone", kModule, unreadable},
    };
    for (const Case& c : cases)
        EXPECT_EQ(checked(c.software), c.expected) << c.name;
}

} // namespace

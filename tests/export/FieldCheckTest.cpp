#include "export/FieldCheck.h"

#include <gtest/gtest.h>

#include <string>

#include "ExportTestSupport.h"
#include "export/XmlWriter.h"

namespace {

struct ValueCase {
    const char* element;
    const char* attribute;
    std::string value;
    bool fits;
};

std::string repeated(int count, const char* piece)
{
    std::string text;
    for (int i = 0; i < count; ++i)
        text += piece;
    return text;
}

// Values at the edges of each form of field, checked against the field's own facets.
TEST(FieldCheck, ValuesFitTheirFieldOrSayWhyNot)
{
    const ValueCase cases[] = {
        // Lengths count characters, not the bytes of UTF-8.
        {"ФИОФЛ", "Фамилия", repeated(60, "Ж"), true},
        {"ФИОФЛ", "Фамилия", repeated(61, "Ж"), false},
        {"НПФЛ3", "Тлф", repeated(20, "9"), true},
        {"НПФЛ3", "Тлф", repeated(21, "9"), false},
        {"РасчДохНалИно", "НомерКИК", "01-12345", true},
        {"РасчДохНалИно", "НомерКИК", "01-1234", false},
        {"РасчДохНалИно", "НомерКИК", "01-123456", false},

        {"СвНОПрПост", "КБК", "18210102010011000110", true},
        {"СвНОПрПост", "КБК", "1821010201001100011", false},
        {"СвНОПрПост", "КБК", "1821010201001100011A", false},
        {"СвСчБанк", "БИК", "044525225", true},
        {"СвСчБанк", "БИК", "04452522", false},
        {"СвНОПрПост", "КодНОПрПост", "7701", true},
        {"СвНОПрПост", "КодНОПрПост", "77 1", false},
        {"СведФЛ1", "ОКСМ", "643", true},
        {"СведФЛ1", "ОКСМ", "6430", false},

        {"ДоходИстРФ", "ОКТМО", "45382000", true},
        {"ДоходИстРФ", "ОКТМО", "45382000001", true},
        {"ДоходИстРФ", "ОКТМО", "453820001", false},
        {"ДоходИстРФ", "ОКТМО", "4538200", false},
        {"ДоходИстРФ", "ОКТМО", "4538200O", false},

        // Check digits worked by hand in the taxpayer-number test of the model.
        {"СведФЛ1", "ИННФЛ", "500100732259", true},
        {"СведФЛ1", "ИННФЛ", "500100732258", false},
        {"СведФЛ1", "ИННФЛ", "7707083893", false},
        {"СведФЛ1", "ИННФЛ", "000000000000", false},
        {"ИстЮЛ", "ИННЮЛ", "7707083893", true},
        {"ИстЮЛ", "ИННЮЛ", "7707083894", false},
        // A number that begins with 00 is none, whatever its check digit; 0100000050 is one.
        {"ИстЮЛ", "ИННЮЛ", "0100000050", true},
        {"ИстЮЛ", "ИННЮЛ", "0010000003", false},

        {"ИстЮЛ", "КПП", "770101001", true},
        {"ИстЮЛ", "КПП", "7707AB001", true},
        {"ИстЮЛ", "КПП", "7707ab001", false},
        {"ИстЮЛ", "КПП", "000101001", false},
        {"ИстЮЛ", "КПП", "77010100", false},
        {"ИстЮЛ", "КПП", "7701010A1", false},

        {"СвОбъектРасх", "ДолСобств", "1/2", true},
        {"СвОбъектРасх", "ДолСобств", "999999/999999", true},
        {"СвОбъектРасх", "ДолСобств", "0/2", false},
        {"СвОбъектРасх", "ДолСобств", "1/0", false},
        {"СвОбъектРасх", "ДолСобств", "01/2", false},
        {"СвОбъектРасх", "ДолСобств", "1/1000000", false},
        {"СвОбъектРасх", "ДолСобств", "1", false},

        {"Документ", "ДатаДок", "29.02.2024", true},
        {"Документ", "ДатаДок", "29.02.2021", false},
        {"Документ", "ДатаДок", "31.12.1899", false},
        {"Документ", "ДатаДок", "1.1.2021", false},
        {"Документ", "ОтчетГод", "2021", true},
        {"Документ", "ОтчетГод", "21", false},

        {"РасчНалБаза", "СумДох", "9999999999999.99", true},
        {"РасчНалБаза", "СумДох", "99999999999999.00", true}, // 14 digits once the zeros go
        {"РасчНалБаза", "СумДох", "99999999999999.99", false},
        {"РасчНалБаза", "СумДох", "1.005", false},
        {"РасчНалБаза", "СумДох", "1,50", false},
        {"РасчДохНалИно", "КурсВалютДох", "73.5123", true},
        {"РасчДохНалИно", "КурсВалютДох", "73.51234", false},
        {"РасчНалПУ", "Удерж", "3500", true},
        {"РасчНалПУ", "Удерж", "3500.5", false},
        {"РасчНалПУ", "Удерж", "9999999999999", true},
        {"РасчНалПУ", "Удерж", "10000000000000", false},
        {"СумНалПу227", "АвПУУменПг", "-1500", true},
        {"ДоходИстРФ", "Ставка", "13", true},
        {"ДоходИстРФ", "Ставка", "130", false},
        {"Документ", "НомКорр", "999", true},
        {"Документ", "НомКорр", "1000", false},

        {"СвНОПрПост", "ПрЗач", "1", true},
        {"СвНОПрПост", "ПрЗач", "2", true},
        {"СвНОПрПост", "ПрЗач", "0", false},
        {"НалБаза", "ВидДоход", "25", true},
        {"НалБаза", "ВидДоход", "26", false},
        {"НалБаза", "ВидДоход", "1", false},
        {"СведДогНПО", "ВидДоговор", "3", true},
        {"СведДогНПО", "ВидДоговор", "4", false},
    };
    for (const ValueCase& c : cases) {
        SCOPED_TRACE(std::string(c.element) + "/@" + c.attribute + " = " + c.value);
        const FieldFacet* field = FindFieldFacet(c.element, c.attribute);
        ASSERT_NE(field, nullptr);
        const std::string failure = FieldValueFailure(*field, c.value);
        EXPECT_EQ(failure.empty(), c.fits) << failure;
    }
}

// The export refuses a value that does not fit, naming the field, the value and the rule.
TEST(FieldCheck, TheExportNamesTheFieldTheValueAndTheRule)
{
    const struct {
        const char* element;
        const char* attribute;
        std::string value;
        std::string message;
    } cases[] = {
        {"НПФЛ3", "Тлф", "8 (495) 123-45-67 доб. 89",
         "Ошибка в выгрузке. Значение «8 (495) 123-45-67 доб. 89» в поле «Телефон» на странице «Сведения о "
         "декларанте» длиннее допустимого: не более 20 символов. Для службы поддержки: Файл/НПФЛ3/@Тлф."},
        {"ФИОФЛ", "Фамилия", repeated(70, "ж"),
         "Ошибка в выгрузке. Значение «" + repeated(40, "ж") + "…» в поле «Фамилия» на странице «Сведения о "
         "декларанте» длиннее допустимого: не более 60 символов. Для службы поддержки: Файл/ФИОФЛ/@Фамилия."},
        {"СвНОПрПост", "ПрЗач", "0",
         "Ошибка в выгрузке. Значение «0» в поле «В счет чего перечисляется сумма» на странице «Зачет/возврат налога» "
         "не входит в допустимые значения: 1, 2. Для службы поддержки: Файл/СвНОПрПост/@ПрЗач."},
        {"СведФЛ1", "ИННФЛ", "500100732258",
         "Ошибка в выгрузке. Значение «500100732258» в поле «ИНН» на странице «Сведения о декларанте» не является "
         "ИНН: не сходятся контрольные цифры, номер введен неверно. Для службы поддержки: Файл/СведФЛ1/@ИННФЛ."},
        {"ЗаявВозвр", "ОКТМО", "4538200",
         "Ошибка в выгрузке. Значение «4538200» в поле «ОКТМО» на странице «Зачет/возврат налога» не является кодом "
         "ОКТМО: он состоит из 8 или 11 цифр. Для службы поддержки: Файл/ЗаявВозвр/@ОКТМО."},
        // A field the program works out itself has no page: its path is all there is to name.
        {"ДоходИстРФ", "Ставка", "130",
         "Ошибка в выгрузке. Значение «130» в поле Файл/ДоходИстРФ/@Ставка не является целым числом не более чем "
         "из 2 цифр."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.attribute);
        const XmlDocumentPtr document = NewXmlDocument("Файл");
        xmlNode* element = AddXmlElement(xmlDocGetRootElement(document.get()), c.element);
        try {
            SetXmlAttribute(element, c.attribute, c.value);
            ADD_FAILURE() << "accepted";
        } catch (const ExportError& e) {
            EXPECT_EQ(e.what(), c.message);
        }
        EXPECT_EQ(element->properties, nullptr);
    }
}

} // namespace

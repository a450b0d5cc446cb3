#include "export/XmlWriter.h"

#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <string>

#include "ExportTestSupport.h"
#include "model/CommaDecimalLocale.h"

namespace {

// A document "Файл" with one child "ФИОФЛ", and the file's text once attributes are set.
class XmlWriterTest : public ::testing::Test {
protected:
    XmlDocumentPtr document = NewXmlDocument("Файл");
    xmlNode* root = xmlDocGetRootElement(document.get());
    xmlNode* element = AddXmlElement(root, "ФИОФЛ");

    std::string elementTextNow() { return elementText(XmlDocumentBytes(document.get()), "ФИОФЛ"); }
};

TEST_F(XmlWriterTest, ValuesAreWrittenInUpperCaseInTheOrderSet)
{
    SetXmlAttribute(element, "Имя", "ёлка Ivanov-оглы № 5");
    SetXmlAttribute(element, "Фамилия", "ђ є ї ў");
    EXPECT_EQ(elementTextNow(), R"(<ФИОФЛ Имя="ЁЛКА IVANOV-ОГЛЫ № 5" Фамилия="Ђ Є Ї Ў"/>)");
}

TEST_F(XmlWriterTest, RootValuesKeepTheirCase)
{
    SetXmlAttributeKeepingCase(xmlDocGetRootElement(document.get()), "ВерсПрог", "Forv2021_1.0.0");
    EXPECT_EQ(elementText(XmlDocumentBytes(document.get()), "Файл"), R"(<Файл ВерсПрог="Forv2021_1.0.0"><ФИОФЛ/></Файл>)");
}

TEST_F(XmlWriterTest, MarkupCharactersAreEscapedAndReadBack)
{
    SetXmlAttribute(element, "Имя", R"(ООО "Рога & копыта" <1>)");
    EXPECT_EQ(elementTextNow(), R"(<ФИОФЛ Имя="ООО "РОГА & КОПЫТА" <1>"/>)");
}

TEST_F(XmlWriterTest, ValuesTheFileCannotHoldAreRefusedWithTheFieldName)
{
    struct Case {
        const char* name;
        std::string value;
        const char* reason;
    };
    const Case cases[] = {
        {"empty", "", "Не заполнено поле «Фамилия» на странице «Сведения о декларанте»"},
        {"line break", "Иванов\nПетров", "управляющий символ"},
        {"tab", "Иванов\t", "управляющий символ"},
        {"unassigned byte 0x98", "\xC2\x98", "управляющий символ"},
        {"character outside windows-1251", "Łukasz", "кодировке windows-1251"},
        {"not UTF-8", "\xFF\xFE", "кодировке windows-1251"},
    };
    for (const Case& c : cases) {
        try {
            SetXmlAttribute(element, "Фамилия", c.value);
            ADD_FAILURE() << c.name << ": accepted";
        } catch (const ExportError& e) {
            const std::string message = e.what();
            EXPECT_NE(message.find(c.reason), std::string::npos) << c.name << ": " << message;
            EXPECT_NE(message.find("Файл/ФИОФЛ/@Фамилия"), std::string::npos) << c.name << ": " << message;
            EXPECT_NE(message.find("«Фамилия» на странице «Сведения о декларанте»"), std::string::npos) << c.name;
        }
    }
    EXPECT_EQ(element->properties, nullptr);
}

struct AmountCase {
    const char* name;
    const char* element; // the element of the attribute, the root's only child
    std::function<void(xmlNode*)> set;
    const char* expected; // nullptr: refused
};

// The widths come from the fields: СумДох 15 digits with kopecks, СтоимПодар 6, Исчисл 13
// whole roubles, ЗаКв 12, АвПУУменПг 13 whole roubles that may be a reduction.
TEST_F(XmlWriterTest, AmountsAreWrittenOnlyWhenTheyFitTheirField)
{
    const auto units = [](std::int64_t value) { return Currency::fromUnits(value); };
    const AmountCase cases[] = {
        {"money with one kopeck digit", "РасчНалБаза",
         [&](xmlNode* e) { SetMoneyAttribute(e, "СумДох", units(12'345'000)); }, "1234.50"},
        {"money decimals cut off", "РасчНалБаза", [&](xmlNode* e) { SetMoneyAttribute(e, "СумДох", units(9'999)); },
         "0.99"},
        {"negative money as zero", "РасчНалБаза",
         [&](xmlNode* e) { SetMoneyAttribute(e, "СумДох", units(-50'000)); }, "0.00"},
        {"money filling 15 digits", "РасчНалБаза",
         [&](xmlNode* e) { SetMoneyAttribute(e, "СумДох", units(99'999'999'999'999'999)); }, "9999999999999.99"},
        {"money beyond 15 digits", "РасчНалБаза",
         [&](xmlNode* e) { SetMoneyAttribute(e, "СумДох", units(100'000'000'000'000'000)); }, nullptr},
        {"money filling 6 digits", "ДоходОсвПрев",
         [&](xmlNode* e) { SetMoneyAttribute(e, "СтоимПодар", units(99'999'999)); }, "9999.99"},
        {"money beyond 6 digits", "ДоходОсвПрев",
         [&](xmlNode* e) { SetMoneyAttribute(e, "СтоимПодар", units(100'000'000)); }, nullptr},
        {"whole roubles", "РасчНалПУ", [&](xmlNode* e) { SetWholeAttribute(e, "Исчисл", units(8'000'000'000)); },
         "800000"},
        {"whole zero", "РасчНалПУ", [&](xmlNode* e) { SetWholeAttribute(e, "Исчисл", units(0)); }, "0"},
        {"whole with kopecks", "РасчНалПУ", [&](xmlNode* e) { SetWholeAttribute(e, "Удерж", units(35'005'000)); },
         nullptr},
        {"whole with a fraction of a kopeck", "РасчНалПУ",
         [&](xmlNode* e) { SetWholeAttribute(e, "Удерж", units(35'000'001)); }, nullptr},
        {"whole filling 13 digits", "РасчНалПУ",
         [&](xmlNode* e) { SetWholeAttribute(e, "Исчисл", units(99'999'999'999'990'000)); }, "9999999999999"},
        {"whole beyond 13 digits", "РасчНалПУ",
         [&](xmlNode* e) { SetWholeAttribute(e, "Исчисл", units(100'000'000'000'000'000)); }, nullptr},
        {"negative whole", "РасчНалПУ", [&](xmlNode* e) { SetWholeAttribute(e, "Исчисл", units(-1'230'000)); },
         nullptr},
        {"whole filling 12 digits", "СумПолДох",
         [&](xmlNode* e) { SetWholeAttribute(e, "ЗаКв", units(9'999'999'999'990'000)); }, "999999999999"},
        {"whole beyond 12 digits", "СумПолДох",
         [&](xmlNode* e) { SetWholeAttribute(e, "ЗаКв", units(10'000'000'000'000'000)); }, nullptr},
        {"reduction", "СумНалПу227", [&](xmlNode* e) { SetReductionAttribute(e, "АвПУУменПг", units(15'000'000)); },
         "-1500"},
        {"reduction with kopecks", "СумНалПу227",
         [&](xmlNode* e) { SetReductionAttribute(e, "АвПУУменПг", units(15'005'000)); }, nullptr},
        {"reduction beyond 13 digits", "СумНалПу227",
         [&](xmlNode* e) { SetReductionAttribute(e, "АвПУУменПг", units(100'000'000'000'000'000)); }, nullptr},
    };
    for (const AmountCase& c : cases) {
        SCOPED_TRACE(c.name);
        const XmlDocumentPtr own = NewXmlDocument("Файл");
        xmlNode* field = AddXmlElement(xmlDocGetRootElement(own.get()), c.element);
        if (!c.expected) {
            try {
                c.set(field);
                ADD_FAILURE() << "accepted";
            } catch (const ExportError& e) {
                EXPECT_NE(std::string(e.what()).find(std::string("Файл/") + c.element + "/@"), std::string::npos)
                    << e.what();
            }
            EXPECT_EQ(field->properties, nullptr);
            continue;
        }
        c.set(field);
        ASSERT_NE(field->properties, nullptr);
        xmlChar* value = xmlNodeGetContent(reinterpret_cast<xmlNode*>(field->properties));
        EXPECT_STREQ(reinterpret_cast<const char*>(value), c.expected);
        xmlFree(value);
    }
}

// Withheld tax of 3 500.50 is never rounded: the message names the field.
TEST_F(XmlWriterTest, KopecksInAWholeRoubleFieldAreRefusedNamingTheField)
{
    xmlNode* income = AddXmlElement(root, "ДоходИстРФ");
    try {
        SetWholeAttribute(income, "НалУдерж", Currency::fromUnits(35'005'000));
        ADD_FAILURE() << "accepted";
    } catch (const ExportError& e) {
        EXPECT_STREQ(e.what(), "Ошибка в выгрузке. Сумма 3500.5 в поле Файл/ДоходИстРФ/@НалУдерж указана с "
                               "копейками: поле принимает только целые рубли.");
    }
}

// An amount set on a field of another form, or a field the format does not have, is a fault of
// the program, not of the declaration.
TEST_F(XmlWriterTest, FieldsOutsideTheFormatAreAFaultOfTheProgram)
{
    xmlNode* tax = AddXmlElement(root, "РасчНалПУ");
    EXPECT_THROW(SetMoneyAttribute(tax, "Исчисл", Currency()), std::logic_error);
    EXPECT_THROW(SetWholeAttribute(tax, "Налог", Currency()), std::logic_error);
    EXPECT_THROW(SetXmlAttribute(element, "Прозвище", "Ваня"), std::logic_error);
}

TEST_F(XmlWriterTest, DatesAreWrittenOnlyWithinTheYearsTheFormatTakes)
{
    const struct {
        const char* name;
        double dayCount;
        const char* expected; // nullptr: refused
    } cases[] = {
        {"first day", *encodeDate(1900, 1, 1), "01.01.1900"},
        {"last day", *encodeDate(2099, 12, 31), "31.12.2099"},
        {"a time of day is dropped", *encodeDate(2021, 3, 5) + 0.75, "05.03.2021"},
        {"day 0, a date never entered", 0, nullptr},
        {"a negative day count", -1, nullptr},
        {"after 2099", *encodeDate(2100, 1, 1), nullptr},
        {"not a number", std::numeric_limits<double>::quiet_NaN(), nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        xmlNode* field = AddXmlElement(root, "Документ");
        if (!c.expected) {
            try {
                SetDateAttribute(field, "ДатаДок", c.dayCount);
                ADD_FAILURE() << "accepted";
            } catch (const ExportError& e) {
                EXPECT_NE(std::string(e.what()).find("Файл/Документ"), std::string::npos) << e.what();
            }
            continue;
        }
        SetDateAttribute(field, "ДатаДок", c.dayCount);
        EXPECT_EQ(canonicalText(field), std::string(R"(<Документ ДатаДок=")") + c.expected + R"("/>)");
    }
}

TEST_F(XmlWriterTest, AmountsUseAPointUnderADecimalCommaLocale)
{
    const CommaDecimalLocale comma;
    xmlNode* income = AddXmlElement(root, "РасчДохНалИно");
    SetMoneyAttribute(income, "ДоходИноВал", Currency::fromUnits(12'345'000));
    SetXmlAttribute(income, "КурсВалютДох", "73.5123");
    EXPECT_EQ(elementText(XmlDocumentBytes(document.get()), "РасчДохНалИно"),
              R"(<РасчДохНалИно ДоходИноВал="1234.50" КурсВалютДох="73.5123"/>)");
}

TEST_F(XmlWriterTest, TheFileIsWindows1251WithItsDeclaration)
{
    SetXmlAttribute(element, "Фамилия", "Щукин");
    const std::string bytes = XmlDocumentBytes(document.get());
    EXPECT_EQ(bytes,
              "<?xml version=\"1.0\" encoding=\"windows-1251\"?>\n"
              "<\xD4\xE0\xE9\xEB>\n"
              "  <\xD4\xC8\xCE\xD4\xCB \xD4\xE0\xEC\xE8\xEB\xE8\xFF=\"\xD9\xD3\xCA\xC8\xCD\"/>\n"
              "</\xD4\xE0\xE9\xEB>\n");
}

} // namespace

#include "export/XmlWriter.h"

#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <string>

#include "ExportTestSupport.h"
#include "model/CommaDecimalLocale.h"

namespace {

// A document "Файл" with one child "Элемент", and the file's text once attributes are set.
class XmlWriterTest : public ::testing::Test {
protected:
    XmlDocumentPtr document = NewXmlDocument("Файл");
    xmlNode* element = AddXmlElement(xmlDocGetRootElement(document.get()), "Элемент");

    std::string elementTextNow() { return elementText(XmlDocumentBytes(document.get()), "Элемент"); }
};

TEST_F(XmlWriterTest, ValuesAreWrittenInUpperCaseInTheOrderSet)
{
    SetXmlAttribute(element, "Б", "ёлка Ivanov-оглы № 5");
    SetXmlAttribute(element, "А", "ђ є ї ў");
    EXPECT_EQ(elementTextNow(), R"(<Элемент Б="ЁЛКА IVANOV-ОГЛЫ № 5" А="Ђ Є Ї Ў"/>)");
}

TEST_F(XmlWriterTest, RootValuesKeepTheirCase)
{
    SetXmlAttributeKeepingCase(xmlDocGetRootElement(document.get()), "ВерсПрог", "Forv2021_1.0.0");
    EXPECT_EQ(elementText(XmlDocumentBytes(document.get()), "Файл"), R"(<Файл ВерсПрог="Forv2021_1.0.0"><Элемент/></Файл>)");
}

TEST_F(XmlWriterTest, MarkupCharactersAreEscapedAndReadBack)
{
    SetXmlAttribute(element, "Имя", R"(ООО "Рога & копыта" <1>)");
    EXPECT_EQ(elementTextNow(), R"(<Элемент Имя="ООО "РОГА & КОПЫТА" <1>"/>)");
}

TEST_F(XmlWriterTest, ValuesTheFileCannotHoldAreRefusedWithTheFieldName)
{
    struct Case {
        const char* name;
        std::string value;
        const char* reason;
    };
    const Case cases[] = {
        {"empty", "", "Не заполнено значение"},
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
            EXPECT_NE(message.find("Файл/Элемент/@Фамилия"), std::string::npos) << c.name << ": " << message;
        }
    }
    EXPECT_EQ(element->properties, nullptr);
}

struct AmountCase {
    const char* name;
    std::function<void(xmlNode*)> set;
    const char* expected; // nullptr: refused
};

TEST_F(XmlWriterTest, AmountsAreWrittenOnlyWhenTheyFitTheirField)
{
    const auto units = [](std::int64_t value) { return Currency::fromUnits(value); };
    const AmountCase cases[] = {
        {"money with one kopeck digit", [&](xmlNode* e) { SetMoneyAttribute(e, "С", 15, units(12'345'000)); }, "1234.50"},
        {"money decimals cut off", [&](xmlNode* e) { SetMoneyAttribute(e, "С", 15, units(9'999)); }, "0.99"},
        {"negative money as zero", [&](xmlNode* e) { SetMoneyAttribute(e, "С", 15, units(-50'000)); }, "0.00"},
        {"money filling 15 digits", [&](xmlNode* e) { SetMoneyAttribute(e, "С", 15, units(99'999'999'999'999'999)); },
         "9999999999999.99"},
        {"money beyond 15 digits", [&](xmlNode* e) { SetMoneyAttribute(e, "С", 15, units(100'000'000'000'000'000)); },
         nullptr},
        {"money beyond 6 digits", [&](xmlNode* e) { SetMoneyAttribute(e, "С", 6, units(100'000'000)); }, nullptr},
        {"whole roubles", [&](xmlNode* e) { SetWholeAttribute(e, "С", 13, units(8'000'000'000)); }, "800000"},
        {"whole zero", [&](xmlNode* e) { SetWholeAttribute(e, "С", 13, units(0)); }, "0"},
        {"whole with kopecks", [&](xmlNode* e) { SetWholeAttribute(e, "С", 13, units(12'345'600)); }, "1234.56"},
        {"whole filling 13 digits", [&](xmlNode* e) { SetWholeAttribute(e, "С", 13, units(99'999'999'999'990'000)); },
         "9999999999999"},
        {"whole beyond 13 digits", [&](xmlNode* e) { SetWholeAttribute(e, "С", 13, units(100'000'000'000'000'000)); },
         nullptr},
        {"negative whole", [&](xmlNode* e) { SetWholeAttribute(e, "С", 13, units(-1'230'000)); }, nullptr},
        {"reduction", [&](xmlNode* e) { SetReductionAttribute(e, "С", 13, units(15'000'000)); }, "-1500"},
        {"reduction beyond 13 digits",
         [&](xmlNode* e) { SetReductionAttribute(e, "С", 13, units(100'000'000'000'000'000)); }, nullptr},
    };
    for (const AmountCase& c : cases) {
        xmlNode* field = AddXmlElement(element, "Сумма");
        if (!c.expected) {
            EXPECT_THROW(c.set(field), ExportError) << c.name;
            continue;
        }
        c.set(field);
        xmlChar* value = xmlGetProp(field, BAD_CAST "С");
        ASSERT_NE(value, nullptr) << c.name;
        EXPECT_STREQ(reinterpret_cast<const char*>(value), c.expected) << c.name;
        xmlFree(value);
    }
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
        xmlNode* field = AddXmlElement(element, "Дата");
        if (!c.expected) {
            try {
                SetDateAttribute(field, "ДатаДок", c.dayCount);
                ADD_FAILURE() << "accepted";
            } catch (const ExportError& e) {
                EXPECT_NE(std::string(e.what()).find("Файл/Элемент/Дата"), std::string::npos) << e.what();
            }
            continue;
        }
        SetDateAttribute(field, "ДатаДок", c.dayCount);
        EXPECT_EQ(canonicalText(field), std::string(R"(<Дата ДатаДок=")") + c.expected + R"("/>)");
    }
}

TEST_F(XmlWriterTest, AmountsUseAPointUnderADecimalCommaLocale)
{
    const CommaDecimalLocale comma;
    SetMoneyAttribute(element, "Деньги", 15, Currency::fromUnits(12'345'000));
    SetWholeAttribute(element, "Рубли", 13, Currency::fromUnits(12'345'600));
    EXPECT_EQ(elementTextNow(), R"(<Элемент Деньги="1234.50" Рубли="1234.56"/>)");
}

TEST_F(XmlWriterTest, TheFileIsWindows1251WithItsDeclaration)
{
    SetXmlAttribute(element, "Фамилия", "Щукин");
    const std::string bytes = XmlDocumentBytes(document.get());
    EXPECT_EQ(bytes,
              "<?xml version=\"1.0\" encoding=\"windows-1251\"?>\n"
              "<\xD4\xE0\xE9\xEB>\n"
              "  <\xDD\xEB\xE5\xEC\xE5\xED\xF2 \xD4\xE0\xEC\xE8\xEB\xE8\xFF=\"\xD9\xD3\xCA\xC8\xCD\"/>\n"
              "</\xD4\xE0\xE9\xEB>\n");
}

} // namespace

#include "export/FieldPlaces.h"

#include <string>

#include <gtest/gtest.h>

#include "export/FieldLimits.h"
#include "export/XmlWriter.h"

namespace {

// A place names an attribute the exchange file has, and an item element that stands above it.
TEST(FieldPlaces, EachPlaceIsAFieldOfTheFormat)
{
    for (const FieldPlace& place : FieldPlaces::All) {
        SCOPED_TRACE(std::string(place.element) + "/@" + std::string(place.attribute));
        EXPECT_NE(FindFieldFacet(place.element, place.attribute), nullptr);
        EXPECT_FALSE(place.field.empty());
        EXPECT_FALSE(FieldPageCaption(place.page).empty());
        EXPECT_EQ(FindFieldPlace(place.element, place.attribute), &place) << "one place for each field";
    }
}

// The refusal of a field the user enters names it as the page does, the item it belongs to, and
// the path for the support staff; a field the program works out is named by its path alone.
TEST(FieldPlaces, ARefusalNamesThePageTheFieldAndTheItem)
{
    const struct {
        const char* name;
        const char* element;
        const char* attribute;
        int accounts; // the refused value is in the last of so many accounts
        std::string message;
        int item;
    } cases[] = {
        {"the second account's contract number", "РасчСумИнвВыч", "НомДог", 2,
         "Ошибка в выгрузке. Не заполнено поле «Номер договора» на странице «Вычеты». Для службы поддержки: "
         "Файл/РасчСумИнвВыч[2]/@НомДог.",
         2},
        {"the only account's contract number", "РасчСумИнвВыч", "НомДог", 1,
         "Ошибка в выгрузке. Не заполнено поле «Номер договора» на странице «Вычеты». Для службы поддержки: "
         "Файл/РасчСумИнвВыч/@НомДог.",
         1},
        {"a cadastral number of a sale", "ДохПродОНИ", "НомКадОтчуждОНИ", 1,
         "Ошибка в выгрузке. Не заполнено поле «Кадастровый номер» на странице «Доходы, полученные в РФ». Для "
         "службы поддержки: Файл/ДохПродОНИ/@НомКадОтчуждОНИ.",
         0},
        {"a computed rate", "ДоходИстРФ", "Ставка", 1, "Ошибка в выгрузке. Не заполнено поле Файл/ДоходИстРФ/@Ставка.",
         0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const XmlDocumentPtr document = NewXmlDocument("Файл");
        xmlNode* element = nullptr;
        for (int i = 0; i < c.accounts; ++i)
            element = AddXmlElement(xmlDocGetRootElement(document.get()), c.element);
        try {
            SetXmlAttribute(element, c.attribute, "");
            ADD_FAILURE() << "accepted";
        } catch (const ExportError& e) {
            EXPECT_EQ(e.what(), c.message);
            EXPECT_EQ(e.element(), c.element);
            EXPECT_EQ(e.attribute(), c.attribute);
            EXPECT_EQ(e.item(), c.item);
        }
    }
}

} // namespace

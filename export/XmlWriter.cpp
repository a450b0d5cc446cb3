#include "export/XmlWriter.h"

#include <new>

#include <libxml/parser.h>
#include <libxml/xmlsave.h>

#include "export/FieldCheck.h"
#include "export/FieldLimits.h"
#include "export/FieldPlaces.h"
#include "model/Cp1251.h"
#include "model/DayDate.h"
#include "model/Money.h"
#include "model/NumberText.h"

namespace {

const xmlChar* xmlText(const std::string& text)
{
    return reinterpret_cast<const xmlChar*>(text.c_str());
}

template <typename T>
T* allocated(T* pointer)
{
    if (!pointer)
        throw std::bad_alloc();
    return pointer;
}

struct XmlFree {
    void operator()(xmlChar* text) const { xmlFree(text); }
};
struct XmlBufferFree {
    void operator()(xmlBuffer* buffer) const { xmlBufferFree(buffer); }
};

// Bytes of windows-1251 that are control characters: C0, DEL and the unassigned 0x98, which
// the codec carries as the C1 control U+0098.
bool isControl(unsigned char byte)
{
    return byte < 0x20 || byte == 0x7F || byte == 0x98;
}

void checkValue(const xmlNode* element, std::string_view name, std::string_view value)
{
    if (value.empty())
        throw FieldRefusal(element, name, "Не заполнено {field}.");
    std::string encoded;
    try {
        encoded = cp1251::fromUtf8(value);
    } catch (const cp1251::EncodeError& e) {
        throw FieldRefusal(element, name,
                           "Значение в {field} нельзя записать в кодировке windows-1251: " + std::string(e.what()));
    }
    for (const char c : encoded)
        if (isControl(static_cast<unsigned char>(c)))
            throw FieldRefusal(element, name, "Значение в {field} содержит управляющий символ.");
}

const FieldFacet& facetOf(const xmlNode* element, std::string_view name)
{
    const FieldFacet* facet = FindFieldFacet(reinterpret_cast<const char*>(element->name), name);
    if (!facet)
        throw std::logic_error("the exchange format has no attribute " + XmlFieldName(element, name));
    return *facet;
}

const FieldFacet& amountFacetOf(const xmlNode* element, std::string_view name, FieldForm form)
{
    const FieldFacet& facet = facetOf(element, name);
    if (facet.form != form)
        throw std::logic_error("the attribute " + XmlFieldName(element, name) + " holds no amount of this kind");
    return facet;
}

// The value as the message quotes it: long texts cut to their first characters.
std::string quoted(std::string_view value)
{
    constexpr std::size_t shown = 40;
    std::size_t end = 0;
    for (std::size_t characters = 0; end < value.size() && characters < shown; ++characters) {
        ++end;
        while (end < value.size() && (static_cast<unsigned char>(value[end]) & 0xC0) == 0x80)
            ++end;
    }
    return "«" + std::string(value.substr(0, end)) + (end < value.size() ? "…»" : "»");
}

// `written` is checked against the field's facets; the message quotes the value as `given`.
void appendAttribute(xmlNode* element, std::string_view name, std::string_view given, const std::string& written)
{
    const std::string failure = FieldValueFailure(facetOf(element, name), written);
    if (!failure.empty())
        throw FieldRefusal(element, name, "Значение " + quoted(given) + " в {field} " + failure + ".");
    allocated(xmlNewProp(element, xmlText(std::string(name)), xmlText(written)));
}

[[noreturn]] void amountTooWide(const xmlNode* element, std::string_view name, int width, const std::string& text)
{
    throw FieldRefusal(element, name,
                       "Сумма " + text + " не помещается в {field} (не более " + std::to_string(width) + " цифр).");
}

// The format holds tax in whole roubles; kopecks are never rounded away silently.
void checkWholeRoubles(const xmlNode* element, std::string_view name, Currency amount)
{
    if (amount.units() % Currency::UnitsPerRouble != 0)
        throw FieldRefusal(element, name,
                           "Сумма " + currencyText(amount)
                               + " в {field} указана с копейками: поле принимает только целые рубли.");
}

// The 1-based place of the ancestor (or the element itself) named `itemElement` among the
// elements of its name under its parent; 0 when there is no such ancestor.
int itemNumber(const xmlNode* element, std::string_view itemElement)
{
    if (itemElement.empty())
        return 0;
    const auto named = [itemElement](const xmlNode* node) {
        return node->type == XML_ELEMENT_NODE && itemElement == reinterpret_cast<const char*>(node->name);
    };
    const xmlNode* item = element;
    while (item && !named(item))
        item = item->parent;
    if (!item)
        return 0;
    int number = 1;
    for (const xmlNode* before = item->prev; before; before = before->prev)
        if (named(before))
            ++number;
    return number;
}

} // namespace

XmlDocumentPtr NewXmlDocument(std::string_view rootName)
{
    xmlInitParser();
    XmlDocumentPtr document(allocated(xmlNewDoc(BAD_CAST "1.0")));
    xmlNode* root = allocated(xmlNewDocNode(document.get(), nullptr, xmlText(std::string(rootName)), nullptr));
    xmlDocSetRootElement(document.get(), root);
    return document;
}

xmlNode* AddXmlElement(xmlNode* parent, std::string_view name)
{
    return allocated(xmlNewChild(parent, nullptr, xmlText(std::string(name)), nullptr));
}

void SetXmlAttribute(xmlNode* element, std::string_view name, std::string_view value)
{
    checkValue(element, name, value);
    appendAttribute(element, name, value, cp1251::toUpperUtf8(value));
}

void SetXmlAttributeKeepingCase(xmlNode* element, std::string_view name, std::string_view value)
{
    checkValue(element, name, value);
    appendAttribute(element, name, value, std::string(value));
}

void SetMoneyAttribute(xmlNode* element, std::string_view name, Currency amount)
{
    const int width = amountFacetOf(element, name, FieldForm::Amount).totalDigits;
    const std::string roubles = std::to_string(amount.units() / Currency::UnitsPerRouble);
    if (amount > Currency() && roubles.size() + 2 > static_cast<std::size_t>(width))
        amountTooWide(element, name, width, currencyText(amount));
    SetXmlAttribute(element, name, MoneyToFieldText(width, amount));
}

void SetWholeAttribute(xmlNode* element, std::string_view name, Currency amount)
{
    const int width = amountFacetOf(element, name, FieldForm::Whole).totalDigits;
    const std::string text = currencyText(amount);
    if (amount < Currency())
        throw FieldRefusal(element, name, "Отрицательная сумма " + text + " в {field}.");
    checkWholeRoubles(element, name, amount);
    if (text.size() > static_cast<std::size_t>(width))
        amountTooWide(element, name, width, text);
    SetXmlAttribute(element, name, text);
}

void SetReductionAttribute(xmlNode* element, std::string_view name, Currency amount)
{
    const int width = amountFacetOf(element, name, FieldForm::Whole).totalDigits;
    const std::string text = currencyText(amount);
    checkWholeRoubles(element, name, amount);
    if (text.size() > static_cast<std::size_t>(width))
        amountTooWide(element, name, width, text);
    SetXmlAttribute(element, name, "-" + text);
}

void SetPositiveMoneyAttribute(xmlNode* element, std::string_view name, Currency amount)
{
    if (amount > Currency())
        SetMoneyAttribute(element, name, amount);
}

void SetDateAttribute(xmlNode* element, std::string_view name, double dayCount)
{
    const int year = decodeDate(dayCount).year;
    if (year < 1900 || year > 2099) {
        const std::string text = dateText(dayCount);
        throw FieldRefusal(element, name,
                           (text.empty() ? "Не указана дата" : "Дата " + text)
                               + " в {field}: допустимы даты с 01.01.1900 по 31.12.2099.");
    }
    SetXmlAttribute(element, name, dateText(dayCount));
}

std::string XmlElementName(const xmlNode* element)
{
    const std::unique_ptr<xmlChar, XmlFree> path(allocated(xmlGetNodePath(element)));
    std::string name(reinterpret_cast<const char*>(path.get()));
    if (name.starts_with('/'))
        name.erase(0, 1);
    return name;
}

std::string XmlFieldName(const xmlNode* element, std::string_view attribute)
{
    return XmlElementName(element) + "/@" + std::string(attribute);
}

ExportError FieldRefusal(const xmlNode* element, std::string_view attribute, std::string_view reason)
{
    const std::string elementName(reinterpret_cast<const char*>(element->name));
    const FieldPlace* place = FindFieldPlace(elementName, attribute);
    const std::string path = XmlFieldName(element, attribute);
    std::string field = "поле " + path;
    int item = 0;
    if (place) {
        field = "поле «" + std::string(place->field) + "» на странице «" + std::string(FieldPageCaption(place->page))
              + "»";
        item = itemNumber(element, place->itemElement);
    }
    std::string message = "Ошибка в выгрузке. " + std::string(reason);
    const std::size_t slot = message.find("{field}");
    if (slot != std::string::npos)
        message.replace(slot, 7, field);
    if (place)
        message += " Для службы поддержки: " + path + ".";
    return ExportError(message, elementName, attribute, item);
}

std::string XmlDocumentBytes(xmlDoc* document)
{
    // libxml2 writes the tree in UTF-8, and the one codec of the program turns it into
    // windows-1251: every value has been checked against that code page when it was set, so
    // no character can end up as a character reference.
    const std::unique_ptr<xmlBuffer, XmlBufferFree> buffer(allocated(xmlBufferCreate()));
    xmlSaveCtxt* context = allocated(xmlSaveToBuffer(buffer.get(), "UTF-8", XML_SAVE_FORMAT | XML_SAVE_NO_DECL));
    const long written = xmlSaveDoc(context, document);
    if (xmlSaveClose(context) < 0 || written < 0)
        throw std::runtime_error("the XML document could not be serialised");

    std::string text = "<?xml version=\"1.0\" encoding=\"windows-1251\"?>\n";
    text.append(reinterpret_cast<const char*>(xmlBufferContent(buffer.get())),
                static_cast<std::size_t>(xmlBufferLength(buffer.get())));
    return cp1251::fromUtf8(text);
}

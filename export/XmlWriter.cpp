#include "export/XmlWriter.h"

#include <new>

#include <libxml/parser.h>
#include <libxml/xmlsave.h>

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
        throw ExportError("Ошибка в выгрузке. Не заполнено значение " + XmlFieldName(element, name) + ".");
    std::string encoded;
    try {
        encoded = cp1251::fromUtf8(value);
    } catch (const cp1251::EncodeError& e) {
        throw ExportError("Ошибка в выгрузке. Значение " + XmlFieldName(element, name)
                          + " нельзя записать в кодировке windows-1251: " + e.what());
    }
    for (const char c : encoded)
        if (isControl(static_cast<unsigned char>(c)))
            throw ExportError("Ошибка в выгрузке. Значение " + XmlFieldName(element, name)
                              + " содержит управляющий символ.");
}

void appendAttribute(xmlNode* element, std::string_view name, const std::string& value)
{
    allocated(xmlNewProp(element, xmlText(std::string(name)), xmlText(value)));
}

[[noreturn]] void amountTooWide(const xmlNode* element, std::string_view name, int width, const std::string& text)
{
    throw ExportError("Ошибка в выгрузке. Сумма " + text + " не помещается в поле " + XmlFieldName(element, name)
                      + " (не более " + std::to_string(width) + " цифр).");
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
    appendAttribute(element, name, cp1251::toUpperUtf8(value));
}

void SetXmlAttributeKeepingCase(xmlNode* element, std::string_view name, std::string_view value)
{
    checkValue(element, name, value);
    appendAttribute(element, name, std::string(value));
}

void SetMoneyAttribute(xmlNode* element, std::string_view name, int width, Currency amount)
{
    const std::string roubles = std::to_string(amount.units() / Currency::UnitsPerRouble);
    if (amount > Currency() && roubles.size() + 2 > static_cast<std::size_t>(width))
        amountTooWide(element, name, width, currencyText(amount));
    SetXmlAttribute(element, name, MoneyToFieldText(width, amount));
}

void SetWholeAttribute(xmlNode* element, std::string_view name, int width, Currency amount)
{
    const std::string text = currencyText(amount);
    if (amount < Currency())
        throw ExportError("Ошибка в выгрузке. Отрицательная сумма " + text + " в поле " + XmlFieldName(element, name)
                          + ".");
    if (text.size() > static_cast<std::size_t>(width))
        amountTooWide(element, name, width, text);
    SetXmlAttribute(element, name, CurrToFieldText(width, amount));
}

void SetReductionAttribute(xmlNode* element, std::string_view name, int width, Currency amount)
{
    const std::string text = currencyText(amount);
    if (text.size() > static_cast<std::size_t>(width))
        amountTooWide(element, name, width, text);
    SetXmlAttribute(element, name, "-" + CurrToFieldText(width, amount));
}

void SetPositiveMoneyAttribute(xmlNode* element, std::string_view name, int width, Currency amount)
{
    if (amount > Currency())
        SetMoneyAttribute(element, name, width, amount);
}

void SetDateAttribute(xmlNode* element, std::string_view name, double dayCount)
{
    const int year = decodeDate(dayCount).year;
    if (year < 1900 || year > 2099) {
        const std::string text = dateText(dayCount);
        throw ExportError("Ошибка в выгрузке. " + (text.empty() ? "Не указана дата" : "Дата " + text) + " в поле "
                          + XmlFieldName(element, name) + ": допустимы даты с 01.01.1900 по 31.12.2099.");
    }
    SetXmlAttribute(element, name, dateText(dayCount));
}

std::string XmlFieldName(const xmlNode* element, std::string_view attribute)
{
    const std::unique_ptr<xmlChar, XmlFree> path(allocated(xmlGetNodePath(element)));
    std::string name(reinterpret_cast<const char*>(path.get()));
    if (name.starts_with('/'))
        name.erase(0, 1);
    return name + "/@" + std::string(attribute);
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

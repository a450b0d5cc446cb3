#pragma once

#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

#include <libxml/tree.h>

#include "model/Currency.h"

// A failure of the export that the user can act on; the message (Russian) names the field or
// the file that caused it.
class ExportError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
    // A refusal of a value the user entered: the attribute refused, and the 1-based item of the
    // page's list it belongs to (FieldPlaces.h), 0 when the page has no list.
    ExportError(const std::string& message, std::string_view element, std::string_view attribute, int item)
        : std::runtime_error(message), element_(element), attribute_(attribute), item_(item)
    {
    }

    // Empty for a refusal of no single attribute (a folder, a file, no income at all).
    const std::string& element() const { return element_; }
    const std::string& attribute() const { return attribute_; }
    int item() const { return item_; }

private:
    std::string element_;
    std::string attribute_;
    int item_ = 0;
};

struct XmlDocumentDeleter {
    void operator()(xmlDoc* document) const { xmlFreeDoc(document); }
};
using XmlDocumentPtr = std::unique_ptr<xmlDoc, XmlDocumentDeleter>;

// A document that holds only its root element.
XmlDocumentPtr NewXmlDocument(std::string_view rootName);

// The new element, appended as the last child of `parent`.
xmlNode* AddXmlElement(xmlNode* parent, std::string_view name);

// The exchange file holds every value below its root in upper case (Latin and Cyrillic letters
// of windows-1251). Attributes appear in the order in which they are set. A value that the
// file cannot hold (empty, with a control character or a character outside windows-1251) or
// that does not fit the attribute's facets (FieldLimits.h, looked up by the element's name)
// raises ExportError naming the element and the attribute. An attribute the format does not
// have raises std::logic_error.
void SetXmlAttribute(xmlNode* element, std::string_view name, std::string_view value);
// The same, the value kept as it is (the root element's attributes).
void SetXmlAttributeKeepingCase(xmlNode* element, std::string_view name, std::string_view value);

// Amounts, in the number of digits that the attribute's facets give. An amount that does not
// fit raises ExportError: the file never carries a clamped or rounded figure.
//
// Roubles, "." and two kopeck digits (further decimals cut off); a negative amount is 0.00.
void SetMoneyAttribute(xmlNode* element, std::string_view name, Currency amount);
// Whole roubles, for the attributes the format holds as integers (withheld, paid and computed
// tax): a negative amount, or one with kopecks, raises ExportError.
void SetWholeAttribute(xmlNode* element, std::string_view name, Currency amount);
// A reduction: "-" followed by a positive amount of whole roubles.
void SetReductionAttribute(xmlNode* element, std::string_view name, Currency amount);
// SetMoneyAttribute for an amount above 0; nothing for any other.
void SetPositiveMoneyAttribute(xmlNode* element, std::string_view name, Currency amount);

// A date (a day count) as "DD.MM.YYYY". The format takes the years 1900 to 2099: any other
// date, and a date left unset (day 0 is 30.12.1899), raises ExportError naming the field.
void SetDateAttribute(xmlNode* element, std::string_view name, double dayCount);

// "Root/Element/Child", the place of an element in a failure message.
std::string XmlElementName(const xmlNode* element);
// "Root/Element/Child/@Attribute", the place of a value in a failure message.
std::string XmlFieldName(const xmlNode* element, std::string_view attribute);
// The refusal of a value of the attribute: "Ошибка в выгрузке. " + `reason`, where `reason` holds
// `{field}` in place of the field's name. A field the user enters is named by its caption and
// its page, the path following for the support staff; any other by its path.
ExportError FieldRefusal(const xmlNode* element, std::string_view attribute, std::string_view reason);

// The whole document as the file holds it: the XML declaration of windows-1251 and the
// indented tree, encoded in windows-1251.
std::string XmlDocumentBytes(xmlDoc* document);

#pragma once

#include <gtest/gtest.h>
#include <libxml/parser.h>
#include <libxml/tree.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

#include "computation/Summary.h"
#include "export/ExchangeDocument.h"
#include "export/ExchangeFile.h"
#include "model/DayDate.h"
#include "model/Declaration.h"
#include "tests/support/ExchangeSchema.h"
#include "tests/support/RunCommand.h"

// One export's date and UUID, fixed so that the same declaration gives the same file.
inline ExportStamp fixedStamp()
{
    return ExportStamp{*encodeDate(2022, 3, 15), "0F1E2D3C-4B5A-4978-8695-A4B3C2D1E0F9"};
}

// A fresh declaration with what a file needs besides an income: a tax office, a name, an INN and
// the territory code of the place of residence.
inline std::unique_ptr<mTDeclaration> validDeclaration()
{
    auto decl = std::make_unique<mTDeclaration>();
    decl->TaxOfficeCode = "7701";
    decl->Person.Name.SurName = "Иванов";
    decl->Person.Name.FirstName = "Иван";
    decl->Person.Name.Patronymic = "Иванович";
    decl->Person.Name.INN = "500100732259";
    decl->Person.Address.OKTMO = "45382000";
    return decl;
}

// An employer paying wages in one month and withholding `withheld` of tax on them.
inline mbTSourse& addWagesPayer(mTDeclaration& decl, const char* name, long long wagesRoubles, long long withheldRoubles,
                                std::uint16_t month)
{
    mbTSourse& employer = *decl.GetSource(decl.AddSource());
    employer.Name = name;
    employer.Inn = "7707083893";
    employer.Kpp = "770701001";
    employer.Oktmo = "45382000";
    auto wages = std::make_unique<mTIncome>();
    wages->IncomeCode = 2000;
    wages->Amount = Currency::fromWholeRoubles(wagesRoubles);
    wages->Month = month;
    employer.AddIncome13(std::move(wages));
    employer.WithheldTax13 = Currency::fromWholeRoubles(withheldRoubles);
    return employer;
}

// validDeclaration with the least income a file needs: wages of 10 000 from one employer, which
// withheld their 1 300 of tax.
inline std::unique_ptr<mTDeclaration> declarationWithIncome()
{
    auto decl = validDeclaration();
    addWagesPayer(*decl, "ООО Ромашка", 10'000, 1'300, 1);
    return decl;
}

struct ParsedXmlDeleter {
    void operator()(xmlDoc* document) const { xmlFreeDoc(document); }
};
using ParsedXml = std::unique_ptr<xmlDoc, ParsedXmlDeleter>;

// The exchange file read back by libxml2's own parser, which decodes it by the encoding the
// file declares; the indentation is dropped. Null when the text does not parse.
inline ParsedXml parseExchangeFile(std::string_view bytes)
{
    return ParsedXml(xmlReadMemory(bytes.data(), static_cast<int>(bytes.size()), "exchange.xml", nullptr,
                                   XML_PARSE_NOBLANKS | XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING));
}

// The first element of that name in document order, or null.
inline const xmlNode* findElement(const xmlNode* node, std::string_view name)
{
    for (; node; node = node->next) {
        if (node->type != XML_ELEMENT_NODE)
            continue;
        if (reinterpret_cast<const char*>(node->name) == name)
            return node;
        if (const xmlNode* found = findElement(node->children, name))
            return found;
    }
    return nullptr;
}

// One element and everything below it as compact text in UTF-8: elements and attributes in
// document order, empty elements closed with "/>".
inline std::string canonicalText(const xmlNode* element)
{
    std::string text = "<" + std::string(reinterpret_cast<const char*>(element->name));
    for (const xmlAttr* attribute = element->properties; attribute; attribute = attribute->next) {
        xmlChar* value = xmlNodeGetContent(reinterpret_cast<const xmlNode*>(attribute));
        text += " " + std::string(reinterpret_cast<const char*>(attribute->name)) + "=\""
              + reinterpret_cast<const char*>(value) + "\"";
        xmlFree(value);
    }
    std::string children;
    for (const xmlNode* child = element->children; child; child = child->next)
        if (child->type == XML_ELEMENT_NODE)
            children += canonicalText(child);
    if (children.empty())
        return text + "/>";
    return text + ">" + children + "</" + reinterpret_cast<const char*>(element->name) + ">";
}

// The canonical text of the first element of that name in an exchange file; empty when the
// file does not parse or has no such element.
inline std::string elementText(std::string_view bytes, std::string_view name)
{
    const ParsedXml document = parseExchangeFile(bytes);
    if (!document)
        return {};
    const xmlNode* element = findElement(xmlDocGetRootElement(document.get()), name);
    return element ? canonicalText(element) : std::string();
}

// The exchange file of a declaration as text, with the fixed date and UUID; a file the export
// makes is one the format's schema accepts.
inline ExportResult exportText(mTDeclaration& decl)
{
    ExportResult result = ExportDeclarationXml({}, decl, ExportMode::Text, fixedStamp());
    if (result.ok) {
        EXPECT_EQ(exchangeSchemaErrorsOfText(result.text), "");
    }
    return result;
}

// The value of an attribute of the first element of that name in an exchange file, in UTF-8;
// "<none>" when the file, the element or the attribute is missing.
inline std::string attributeText(std::string_view bytes, std::string_view elementName, const char* attribute)
{
    const ParsedXml document = parseExchangeFile(bytes);
    const xmlNode* element = document ? findElement(xmlDocGetRootElement(document.get()), elementName) : nullptr;
    xmlChar* value = element ? xmlGetProp(element, BAD_CAST attribute) : nullptr;
    if (!value)
        return "<none>";
    std::string text(reinterpret_cast<const char*>(value));
    xmlFree(value);
    return text;
}

// The exchange file that the builder makes of a declaration and a summary filled by the test,
// with the fixed date and UUID; whatever the summary holds, a file built is one the format's
// schema accepts.
inline std::string builtText(const mTDeclaration& decl, const kTSvodSum& svod)
{
    const ExportStamp stamp = fixedStamp();
    std::string text = XmlDocumentBytes(BuildExchangeDocument(decl, svod, stamp.date, stamp.uuid).document.get());
    EXPECT_EQ(exchangeSchemaErrorsOfText(text), "");
    return text;
}

// The message with which the builder refuses them; empty when it builds the file.
inline std::string builderRefusal(const mTDeclaration& decl, const kTSvodSum& svod)
{
    try {
        builtText(decl, svod);
        return {};
    } catch (const ExportError& e) {
        return e.what();
    }
}

// A summary as Calculate starts it: whole band, empty pools and sheets.
inline std::unique_ptr<kTSvodSum> clearedSummary()
{
    auto svod = std::make_unique<kTSvodSum>();
    svod->Clear();
    return svod;
}

// A cleared summary with the one tax base a file needs: income of 1 000 of kind "10".
inline std::unique_ptr<kTSvodSum> summaryWithIncome()
{
    auto svod = clearedSummary();
    kTSvodSumRazd2& wages = svod->Razd2Sheet(10);
    wages.ВидДоход = "10";
    wages.СумДох = Currency::fromWholeRoubles(1'000);
    return svod;
}

// The canonical texts of every element of that name, in document order, one after another.
inline std::string elementsText(std::string_view bytes, std::string_view name)
{
    const ParsedXml document = parseExchangeFile(bytes);
    if (!document)
        return {};
    std::string text;
    std::function<void(const xmlNode*)> walk = [&](const xmlNode* node) {
        for (; node; node = node->next) {
            if (node->type != XML_ELEMENT_NODE)
                continue;
            if (reinterpret_cast<const char*>(node->name) == name)
                text += canonicalText(node);
            else
                walk(node->children);
        }
    };
    walk(xmlDocGetRootElement(document.get()));
    return text;
}


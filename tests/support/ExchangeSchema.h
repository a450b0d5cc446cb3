#pragma once

#include <cstdarg>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

#include <libxml/parser.h>
#include <libxml/xmlschemas.h>

// Adds one of libxml2's messages to the text `context` points to.
inline void collectSchemaError(void* context, const char* format, ...)
{
    va_list arguments;
    va_start(arguments, format);
    char line[1024];
    std::vsnprintf(line, sizeof line, format, arguments);
    va_end(arguments);
    *static_cast<std::string*>(context) += line;
}

// The format's schema, read once for the whole test program; null when it cannot be read.
inline const xmlSchema* exchangeSchema()
{
    static const std::unique_ptr<xmlSchema, decltype(&xmlSchemaFree)> schema = [] {
        const std::unique_ptr<xmlSchemaParserCtxt, decltype(&xmlSchemaFreeParserCtxt)> parser(
            xmlSchemaNewParserCtxt(FORV_EXCHANGE_SCHEMA), &xmlSchemaFreeParserCtxt);
        return std::unique_ptr<xmlSchema, decltype(&xmlSchemaFree)>(xmlSchemaParse(parser.get()), &xmlSchemaFree);
    }();
    return schema.get();
}

// What the format's schema finds wrong with a parsed exchange file; empty when it is valid.
inline std::string exchangeSchemaErrors(xmlDoc* document)
{
    const xmlSchema* schema = exchangeSchema();
    if (!schema)
        return "the schema " FORV_EXCHANGE_SCHEMA " cannot be read";
    std::string errors;
    const std::unique_ptr<xmlSchemaValidCtxt, decltype(&xmlSchemaFreeValidCtxt)> validation(
        xmlSchemaNewValidCtxt(const_cast<xmlSchema*>(schema)), &xmlSchemaFreeValidCtxt);
    xmlSchemaSetValidErrors(validation.get(), collectSchemaError, collectSchemaError, &errors);
    if (xmlSchemaValidateDoc(validation.get(), document) != 0 && errors.empty())
        errors = "invalid";
    return errors;
}

// The same for an exchange file on disk.
inline std::string exchangeSchemaErrors(const std::string& fileName)
{
    const std::unique_ptr<xmlDoc, decltype(&xmlFreeDoc)> document(
        xmlReadFile(fileName.c_str(), nullptr, XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING),
        &xmlFreeDoc);
    if (!document)
        return fileName + " is not well-formed XML";
    return exchangeSchemaErrors(document.get());
}

// The same for the bytes of an exchange file (the text an export in text mode gives).
inline std::string exchangeSchemaErrorsOfText(std::string_view bytes)
{
    const std::unique_ptr<xmlDoc, decltype(&xmlFreeDoc)> document(
        xmlReadMemory(bytes.data(), static_cast<int>(bytes.size()), "exchange.xml", nullptr,
                      XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING),
        &xmlFreeDoc);
    if (!document)
        return "the text is not well-formed XML";
    return exchangeSchemaErrors(document.get());
}

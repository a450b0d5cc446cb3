#pragma once

#include <cstdarg>
#include <cstdio>
#include <memory>
#include <string>

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

// What the format's schema finds wrong with an exchange file; empty when the file is valid.
inline std::string exchangeSchemaErrors(const std::string& fileName)
{
    std::string errors;

    const std::unique_ptr<xmlSchemaParserCtxt, decltype(&xmlSchemaFreeParserCtxt)> parser(
        xmlSchemaNewParserCtxt(FORV_EXCHANGE_SCHEMA), &xmlSchemaFreeParserCtxt);
    const std::unique_ptr<xmlSchema, decltype(&xmlSchemaFree)> schema(xmlSchemaParse(parser.get()), &xmlSchemaFree);
    if (!schema)
        return "the schema " FORV_EXCHANGE_SCHEMA " cannot be read";
    const std::unique_ptr<xmlDoc, decltype(&xmlFreeDoc)> document(
        xmlReadFile(fileName.c_str(), nullptr, XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING),
        &xmlFreeDoc);
    if (!document)
        return fileName + " is not well-formed XML";
    const std::unique_ptr<xmlSchemaValidCtxt, decltype(&xmlSchemaFreeValidCtxt)> validation(
        xmlSchemaNewValidCtxt(schema.get()), &xmlSchemaFreeValidCtxt);
    xmlSchemaSetValidErrors(validation.get(), collectSchemaError, collectSchemaError, &errors);
    if (xmlSchemaValidateDoc(validation.get(), document.get()) != 0 && errors.empty())
        errors = "invalid";
    return errors;
}

#pragma once

#include <string>
#include <string_view>

#include "export/XmlWriter.h"

class kTSvodSum;
class mTDeclaration;

// The exchange file of a declaration as a document, before it is written anywhere.
struct ExchangeDocument {
    // "NO_NDFL3_<tax office>_<tax office>_<INN or 000000000000>_<YYYYMMDD>_<UUID>": the root's
    // ИдФайл and the file's name without ".xml".
    std::string fileIdentifier;
    XmlDocumentPtr document;
};

// Builds the whole document from a declaration and its computed summary; `exportDate` (a day
// count) and `uuid` (36 characters, upper case, as NewUuidText gives it) make the file
// identifier, so that the same inputs always give the same document. Raises ExportError,
// naming the field, for a value that the file cannot hold; any other exception means the
// document could not be built.
ExchangeDocument BuildExchangeDocument(const mTDeclaration& decl, const kTSvodSum& svod, double exportDate,
                                       std::string_view uuid);

#pragma once

// The data document of a build or print call, with its header, its sheets and their fields, and
// the page selection over its sheets.
//
// The data document is XML whose root DOCUMENT carries `knd`, `version` and the optional
// `no-line` and `caption`; its sheets are "/*/SHEET" with `pageNumber`, `code` and `guid`; a
// sheet's fields are its child elements that are printed or go into the barcode, the value
// being the element's text.

#include "DataSheet.h"
#include "PageSelection.h"
#include "XmlDom.h"

#include <string_view>
#include <vector>

class DataDocument {
public:
    // Loads the data document, reads its header and finds its sheets. `data` is the XML text
    // itself when it begins with "<", else the path of an XML file. Raises 0xC0020043 for empty
    // data or a file that does not exist, 0xC0020061 for XML that does not parse, and
    // 0xC0010000 for a header without `knd` or `version` or a document without sheets.
    void LoadData(std::u16string_view data);

    const DocumentHeader& header() const { return header_; }
    int SheetCount() const { return header_.sheetCount; }

    // Sheet `number` (from 1) with its fields. Raises 0xC0020043 for a number outside the
    // document and 0xC0010000 naming the sheet for a missing or zero `pageNumber` or `code`,
    // or a `guid` shorter than 32 characters.
    DataSheet ReadSheet(int number) const;

    // The sheets a page-selection text names; raises 0xC0010000 "Отсутствуют данные." when it
    // names none of the document's sheets.
    PageSelection SelectSheets(std::u16string_view selection) const;

private:
    void readHeader();

    XmlDocument document_;
    DocumentHeader header_;
    std::vector<xmlNode*> sheets_;
};

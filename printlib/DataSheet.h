#pragma once

// What the document engine reads from a data document: its header, and each sheet with its
// fields. Lengths are millimetres on the A4 form page.

#include <string>
#include <vector>

struct DocumentHeader {
    std::u16string knd;
    std::u16string version;
    // `knd` followed by `version`: the document's identity in its barcodes.
    std::u16string identity;
    // Cells drawn without their printed lines.
    bool noLine = false;
    // The print job's title: the document's caption, or the string table's default.
    std::u16string jobTitle;
    int sheetCount = 0;
};

enum class FieldAlignment { Left = 0, Centre = 1, Right = 2 };

struct DataField {
    // The element's name, which reports of a field that cannot be drawn give.
    std::u16string name;
    std::u16string value;
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    // 0, 90, 180 or 270 degrees; any other value is drawn unrotated.
    int rotate = 0;
    // `dataType` + 1; 5 when the field has no `dataType`.
    int kind = 5;
    // Character cells of 5 mm; 0: not drawn; kFreeText: free text without cells.
    int cells = 0;
    bool inBarcode = false;
    FieldAlignment alignment = FieldAlignment::Left;
    // Cells after the point of a number field.
    int digits = 0;
    int separator = -1;
    // A check box that is set.
    bool checked = false;

    static constexpr int kFreeText = -1;
};

struct DataSheet {
    // Its place among the document's sheets, from 1.
    int number = 0;
    // The page of the source TIFF that is the sheet's background.
    int pageNumber = 0;
    int code = 0;
    // `code` as the document writes it; the barcode header carries this text.
    std::u16string codeText;
    std::u16string guid;
    std::vector<DataField> fields;
};

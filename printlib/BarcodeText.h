#pragma once

// The barcode data of a sheet: the values of its barcode fields, each after "|". The scanner
// reads upper-case ASCII only, so texts are upper-cased and passed through the preparation
// below; free texts first get case marks, so that their case can be restored.

#include "DataSheet.h"

#include <string>
#include <string_view>
#include <vector>

// Case marks before upper-casing: "@" before a capital followed by small letters, "`" around a
// run of capitals; a "@" or "`" of the text itself is doubled.
std::u16string MarkCase(std::u16string_view value);

// An upper-cased text as the barcode carries it: blanks and dashes of every kind become " " and
// "-"; Cyrillic letters take the codes from 92 up that Latin small letters would have ("Д" is
// "}", "Ё" is "["), "№" is "#"; "[", "\", "]", "^", "_", "{", "}" and every other byte from 128
// up of code page 1251 are escaped as "$" and two hexadecimal digits, and "$" itself as "$24".
std::u16string PrepareBarcodeText(std::u16string_view text);

// A field's value in the barcode: numbers and codes (kinds 2, 3 and 11) as written, free texts
// (kind 5) with case marks, every other kind upper-cased; all but the numbers and codes prepared.
std::u16string BarcodeFieldValue(const DataField& field);

// "|" and the barcode value of every field that goes into the barcode, in document order.
std::u16string AssembleBarcodeData(const std::vector<DataField>& fields);

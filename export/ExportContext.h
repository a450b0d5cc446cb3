#pragma once

#include <string>

class kTSvodSum;
class mTDeclaration;

// What every element of the exchange file is built from: the declaration, its computed
// summary, the date of the export (a day count, read once per export), and the two values of
// the declaration that also name the file, checked once: the tax-office code and the
// taxpayer's INN as the file carries them everywhere.
struct ExportContext {
    const mTDeclaration& Decl;
    const kTSvodSum& Svod;
    double ExportDate;
    std::string TaxOfficeCode; // four digits
    std::string Inn;           // trimmed: empty or twelve digits
};

// Raises ExportError naming the field when the tax-office code is not four digits or the
// INN, trimmed, is neither empty nor twelve digits with their check digits.
ExportContext MakeExportContext(const mTDeclaration& decl, const kTSvodSum& svod, double exportDate);

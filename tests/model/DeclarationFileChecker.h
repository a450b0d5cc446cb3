#pragma once

#include <string>
#include <string_view>
#include <vector>

// An independent reader of this year's declaration file for the tests. It knows the layout
// (header, the declaration's sections and those of every object it owns, which sections the
// income kinds and the granting bytes call for) and parses the bytes itself, without the
// program's storage: every stream name must stand exactly where the layout puts it, every
// number must have the text form of its kind, and the file must end behind the last value.

struct CheckedSection {
    std::string name;                // as stored, windows-1251
    std::vector<std::string> values; // the texts of the values that follow the name, as stored
};

struct DeclarationFileCheck {
    std::string error; // empty when the file follows the layout
    std::vector<CheckedSection> sections;

    bool ok() const { return error.empty(); }
    std::vector<std::string> sectionNames() const;
    // The first section of that name; nullptr when there is none.
    const CheckedSection* section(std::string_view name) const;
};

DeclarationFileCheck checkDeclarationFile(std::string_view bytes);

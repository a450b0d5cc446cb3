#pragma once

#include <cstdint>
#include <string_view>

// Which taxpayer numbers (ИНН) a field accepts.
enum InnKind : std::uint8_t {
    InnAny = 0,          // an organisation's 10 digits or a person's 12
    InnOrganisation = 1, // 10 digits only
    InnPerson = 2,       // 12 digits only
};

// Results of CheckInn.
enum InnCheck : std::uint16_t {
    InnValid = 0,
    InnEmpty = 1,
    InnNot10Or12 = 2, // InnAny
    InnNot10 = 3,     // InnOrganisation
    InnNot12 = 4,     // InnPerson
    InnWrong = 5,     // all zeros, a character that is no digit, or a wrong check digit
};

// Checks a taxpayer number (UTF-8), blanks around it ignored: its length in characters for
// the kind, then its check digits (the last one of 10 digits, the last two of 12).
std::uint16_t CheckInn(std::string_view value, InnKind kind);

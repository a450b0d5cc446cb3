#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>

// The one windows-1251 codec of the program. The model holds UTF-8; the declaration file and
// the exchange file hold windows-1251. All 256 bytes decode (0x98, unassigned in the code
// page, decodes to U+0098 and encodes back to 0x98).
namespace cp1251 {

// Raised when a text holds a character that windows-1251 cannot hold, or bytes that are not UTF-8;
// the message (Russian) names the character and its code point, or the position of the bad byte.
class EncodeError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

std::string fromUtf8(std::string_view utf8);      // throws EncodeError
std::string toUtf8(std::string_view cp1251Bytes); // never fails

// Number of windows-1251 bytes that fromUtf8 would give; throws EncodeError as it does.
std::size_t encodedLength(std::string_view utf8);

// Upper case of a windows-1251 byte: Latin and Cyrillic letters, ё and the other
// Cyrillic letters of the code page; every other byte is returned unchanged.
unsigned char toUpper(unsigned char byte);
// Upper case of a UTF-8 text by that table (characters outside windows-1251 are kept).
std::string toUpperUtf8(std::string_view utf8);

} // namespace cp1251

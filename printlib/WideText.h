#pragma once

// The library's own text helpers: its boundary speaks UTF-16, libxml2 and file names speak UTF-8,
// TIFF tags carry cp1251 bytes. Numbers are formatted without any locale.

#include <cstdint>
#include <string>
#include <string_view>

namespace WideText {

// Invalid sequences (unpaired surrogates, malformed UTF-8) become U+FFFD.
std::string toUtf8(std::u16string_view text);
std::u16string fromUtf8(std::string_view text);

// Characters without a cp1251 byte become `replacement`.
std::string toCp1251(std::u16string_view text, char replacement = '?');
std::u16string fromCp1251(std::string_view bytes);

// Length of a zero-terminated UTF-16 string; 0 for a null pointer.
std::size_t length(const char16_t* text);

std::u16string decimal(int64_t number);
// Upper-case hexadecimal without leading zeros.
std::u16string hexUpper(uint64_t number);

// Replaces every occurrence, left to right; what is put in is not searched again.
std::u16string& replaceAll(std::u16string& text, std::u16string_view from, std::u16string_view to);

// The text without the characters of `blanks` at either end.
std::u16string_view trimmed(std::u16string_view text, std::u16string_view blanks = u" \t\r\n");

// Case of the ASCII letters; every other character stays as it is.
constexpr char16_t lowerAscii(char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 0x20) : c; }
constexpr char16_t upperAscii(char16_t c) { return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - 0x20) : c; }

} // namespace WideText

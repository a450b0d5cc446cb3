#pragma once

// Letter case of the letters the forms are written in: Latin, the Latin-1 letters and Cyrillic
// (every letter of code page 1251). Other characters have no case here. No locale is consulted.

#include <string>
#include <string_view>

namespace LetterCase {

char16_t upper(char16_t c);
char16_t lower(char16_t c);

std::u16string upper(std::u16string_view text);
std::u16string lower(std::u16string_view text);

// Both texts the same when compared without regard to case.
bool equalIgnoringCase(std::u16string_view first, std::u16string_view second);
// Whether `text` contains `part`, compared without regard to case.
bool containsIgnoringCase(std::u16string_view text, std::u16string_view part);

} // namespace LetterCase

#include "LetterCase.h"

namespace LetterCase {

char16_t upper(char16_t c)
{
    if ((c >= u'a' && c <= u'z') || (c >= 0x00E0 && c <= 0x00FE && c != 0x00F7) || (c >= 0x0430 && c <= 0x044F))
        return static_cast<char16_t>(c - 0x20);
    if (c >= 0x0450 && c <= 0x045F) // ѐ ё ђ ... џ
        return static_cast<char16_t>(c - 0x50);
    if (c == 0x00FF)
        return 0x0178;
    if (c == 0x0491) // ґ
        return 0x0490;
    return c;
}

char16_t lower(char16_t c)
{
    if ((c >= u'A' && c <= u'Z') || (c >= 0x00C0 && c <= 0x00DE && c != 0x00D7) || (c >= 0x0410 && c <= 0x042F))
        return static_cast<char16_t>(c + 0x20);
    if (c >= 0x0400 && c <= 0x040F)
        return static_cast<char16_t>(c + 0x50);
    if (c == 0x0178)
        return 0x00FF;
    if (c == 0x0490)
        return 0x0491;
    return c;
}

std::u16string upper(std::u16string_view text)
{
    std::u16string result(text);
    for (char16_t& c : result)
        c = upper(c);
    return result;
}

std::u16string lower(std::u16string_view text)
{
    std::u16string result(text);
    for (char16_t& c : result)
        c = lower(c);
    return result;
}

bool equalIgnoringCase(std::u16string_view first, std::u16string_view second)
{
    return lower(first) == lower(second);
}

bool containsIgnoringCase(std::u16string_view text, std::u16string_view part)
{
    return lower(text).find(lower(part)) != std::u16string::npos;
}

} // namespace LetterCase

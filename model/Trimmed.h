#pragma once

#include <string_view>

// The text without its leading and trailing blanks and control characters (every byte up to
// the blank; the bytes of a UTF-8 character are never among them).
inline std::string_view Trimmed(std::string_view text)
{
    const auto isBlank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

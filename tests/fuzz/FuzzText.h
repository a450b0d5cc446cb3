#pragma once

// Fuzz input read as text, so that a corpus can be plain UTF-8 files: UTF-8 sequences become
// their UTF-16 units, encoded surrogates included (so lone ones can be made), and every byte
// that does not start a sequence stands for the unit of its own value.

#include <cstddef>
#include <cstdint>
#include <string>

inline std::u16string fuzzText(const uint8_t* data, std::size_t size)
{
    std::u16string text;
    for (std::size_t i = 0; i < size;) {
        const uint8_t lead = data[i];
        const int trailing = lead >= 0xF0 && lead < 0xF8 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
        char32_t c = trailing == 3 ? lead & 0x07 : trailing == 2 ? lead & 0x0F : lead & 0x1F;
        bool sequence = trailing > 0 && lead < 0xF8 && i + trailing < size;
        for (int k = 1; sequence && k <= trailing; ++k) {
            sequence = (data[i + k] & 0xC0) == 0x80;
            c = c << 6 | (data[i + k] & 0x3F);
        }
        if (!sequence || c > 0x10FFFF) {
            text += static_cast<char16_t>(lead);
            ++i;
            continue;
        }
        if (c >= 0x10000) {
            text += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
            text += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
        } else {
            text += static_cast<char16_t>(c);
        }
        i += static_cast<std::size_t>(trailing) + 1;
    }
    return text;
}

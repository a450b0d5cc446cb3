#include "model/Cp1251.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <optional>

namespace cp1251 {
namespace {

// Code points of the bytes 0x80..0xBF; 0xC0..0xFF are U+0410..U+044F and 0x00..0x7F are ASCII.
// 0x98 is unassigned in the code page and maps to the C1 control U+0098 so that it round-trips.
constexpr std::array<char32_t, 64> upperHalf = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, // 80
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F, // 88
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, // 98
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7, // A0
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407, // A8
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7, // B0
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457, // B8
};

char32_t codePoint(unsigned char byte)
{
    if (byte < 0x80)
        return byte;
    if (byte >= 0xC0)
        return 0x0410 + (byte - 0xC0);
    return upperHalf[byte - 0x80];
}

std::optional<unsigned char> byteOf(char32_t c)
{
    if (c < 0x80)
        return static_cast<unsigned char>(c);
    if (c >= 0x0410 && c <= 0x044F)
        return static_cast<unsigned char>(0xC0 + (c - 0x0410));
    for (std::size_t i = 0; i < upperHalf.size(); ++i)
        if (upperHalf[i] == c)
            return static_cast<unsigned char>(0x80 + i);
    return std::nullopt;
}

void appendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// One UTF-8 character at `pos`: its code point and byte count, or nullopt for a malformed,
// overlong or truncated sequence, a surrogate or a value above U+10FFFF.
struct Decoded {
    char32_t c;
    std::size_t length;
};

std::optional<Decoded> decodeUtf8(std::string_view text, std::size_t pos)
{
    const auto lead = static_cast<unsigned char>(text[pos]);
    if (lead < 0x80)
        return Decoded{lead, 1};
    std::size_t length = 0;
    char32_t c = 0;
    char32_t smallest = 0;
    if ((lead & 0xE0) == 0xC0) {
        length = 2, c = lead & 0x1F, smallest = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, c = lead & 0x0F, smallest = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, c = lead & 0x07, smallest = 0x10000;
    } else {
        return std::nullopt;
    }
    if (text.size() - pos < length)
        return std::nullopt;
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[pos + i]);
        if ((next & 0xC0) != 0x80)
            return std::nullopt;
        c = (c << 6) | (next & 0x3F);
    }
    if (c < smallest || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
        return std::nullopt;
    return Decoded{c, length};
}

[[noreturn]] void throwInvalidUtf8(std::size_t pos)
{
    throw EncodeError("Текст содержит неправильную последовательность байтов UTF-8 (байт "
                      + std::to_string(pos + 1) + ").");
}

[[noreturn]] void throwNotEncodable(std::string_view character, char32_t c)
{
    char code[16];
    std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(c));
    throw EncodeError("Символ «" + std::string(character) + "» (" + code
                      + ") нельзя сохранить в кодировке windows-1251.");
}

// Calls sink(byte) for every windows-1251 byte of the text.
template <typename Sink>
void encode(std::string_view utf8, Sink&& sink)
{
    for (std::size_t pos = 0; pos < utf8.size();) {
        const auto decoded = decodeUtf8(utf8, pos);
        if (!decoded)
            throwInvalidUtf8(pos);
        const auto byte = byteOf(decoded->c);
        if (!byte)
            throwNotEncodable(utf8.substr(pos, decoded->length), decoded->c);
        sink(*byte);
        pos += decoded->length;
    }
}

constexpr std::array<unsigned char, 256> upperCaseTable = [] {
    std::array<unsigned char, 256> table{};
    for (int b = 0; b < 256; ++b)
        table[b] = static_cast<unsigned char>(b);
    for (int b = 'a'; b <= 'z'; ++b)
        table[b] = static_cast<unsigned char>(b - 0x20);
    for (int b = 0xE0; b <= 0xFF; ++b) // а..я
        table[b] = static_cast<unsigned char>(b - 0x20);
    // The other Cyrillic letters of the code page, lower case to upper case.
    constexpr std::pair<unsigned char, unsigned char> pairs[] = {
        {0x90, 0x80}, // ђ Ђ
        {0x83, 0x81}, // ѓ Ѓ
        {0x9A, 0x8A}, // љ Љ
        {0x9C, 0x8C}, // њ Њ
        {0x9D, 0x8D}, // ќ Ќ
        {0x9E, 0x8E}, // ћ Ћ
        {0x9F, 0x8F}, // џ Џ
        {0xA2, 0xA1}, // ў Ў
        {0xBC, 0xA3}, // ј Ј
        {0xB4, 0xA5}, // ґ Ґ
        {0xB8, 0xA8}, // ё Ё
        {0xBA, 0xAA}, // є Є
        {0xBF, 0xAF}, // ї Ї
        {0xB3, 0xB2}, // і І
        {0xBE, 0xBD}, // ѕ Ѕ
    };
    for (const auto& [lower, upper] : pairs)
        table[lower] = upper;
    return table;
}();

} // namespace

std::string fromUtf8(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    encode(utf8, [&](unsigned char byte) { out += static_cast<char>(byte); });
    return out;
}

std::size_t encodedLength(std::string_view utf8)
{
    std::size_t length = 0;
    encode(utf8, [&](unsigned char) { ++length; });
    return length;
}

std::string toUtf8(std::string_view cp1251Bytes)
{
    std::string out;
    out.reserve(cp1251Bytes.size() * 2);
    for (const char byte : cp1251Bytes)
        appendUtf8(out, codePoint(static_cast<unsigned char>(byte)));
    return out;
}

unsigned char toUpper(unsigned char byte)
{
    return upperCaseTable[byte];
}

std::string toUpperUtf8(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t pos = 0; pos < utf8.size();) {
        const auto decoded = decodeUtf8(utf8, pos);
        const std::size_t length = decoded ? decoded->length : 1;
        const auto byte = decoded ? byteOf(decoded->c) : std::nullopt;
        if (byte)
            appendUtf8(out, codePoint(toUpper(*byte)));
        else
            out.append(utf8.substr(pos, length));
        pos += length;
    }
    return out;
}

} // namespace cp1251

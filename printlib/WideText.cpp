#include "WideText.h"

#include <array>
#include <charconv>

namespace WideText {

namespace {

constexpr char32_t kReplacementCharacter = 0xFFFD;

// Bytes 0x80 to 0xFF of cp1251. 0x98 has no character and maps to U+0098 as Windows does,
// so that every byte survives a round trip.
constexpr std::array<char16_t, 128> kCp1251High = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,
    0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417,
    0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F,
    0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427,
    0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F,
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437,
    0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F,
    0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447,
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F,
};

// The cp1251 byte of every UTF-16 unit from U+0080 on, 0 for a unit without one.
constexpr auto kCp1251ByUnit = [] {
    std::array<unsigned char, 0x10000> bytes{};
    for (std::size_t k = 0; k < kCp1251High.size(); ++k)
        bytes[kCp1251High[k]] = static_cast<unsigned char>(0x80 + k);
    return bytes;
}();

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

void appendUtf16(std::u16string& out, char32_t c)
{
    if (c < 0x10000) {
        out += static_cast<char16_t>(c);
    } else {
        c -= 0x10000;
        out += static_cast<char16_t>(0xD800 | (c >> 10));
        out += static_cast<char16_t>(0xDC00 | (c & 0x3FF));
    }
}

bool isHighSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool isLowSurrogate(char32_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// Decodes one UTF-8 sequence at text[i], advancing i; rejects overlong forms, surrogates and
// values above U+10FFFF.
char32_t decodeUtf8(std::string_view text, std::size_t& i)
{
    const auto lead = static_cast<unsigned char>(text[i++]);
    if (lead < 0x80)
        return lead;
    int trailing;
    char32_t c;
    char32_t minimum;
    if ((lead & 0xE0) == 0xC0) {
        trailing = 1, c = lead & 0x1F, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        trailing = 2, c = lead & 0x0F, minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        trailing = 3, c = lead & 0x07, minimum = 0x10000;
    } else {
        return kReplacementCharacter;
    }
    for (int k = 0; k < trailing; ++k) {
        if (i >= text.size() || (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80)
            return kReplacementCharacter;
        c = (c << 6) | (static_cast<unsigned char>(text[i++]) & 0x3F);
    }
    if (c < minimum || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
        return kReplacementCharacter;
    return c;
}

} // namespace

std::string toUtf8(std::u16string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (isHighSurrogate(c) && i + 1 < text.size() && isLowSurrogate(text[i + 1])) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (isHighSurrogate(c) || isLowSurrogate(c)) {
            c = kReplacementCharacter;
        }
        appendUtf8(out, c);
    }
    return out;
}

std::u16string fromUtf8(std::string_view text)
{
    std::u16string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();)
        appendUtf16(out, decodeUtf8(text, i));
    return out;
}

std::string toCp1251(std::u16string_view text, char replacement)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c < 0x80) {
            out += static_cast<char>(c);
            continue;
        }
        // A character outside the basic plane takes two units but gets one replacement.
        if (isHighSurrogate(c) && i + 1 < text.size() && isLowSurrogate(text[i + 1]))
            ++i;
        const unsigned char byte = kCp1251ByUnit[c];
        out += byte != 0 ? static_cast<char>(byte) : replacement;
    }
    return out;
}

std::u16string fromCp1251(std::string_view bytes)
{
    std::u16string out;
    out.reserve(bytes.size());
    for (char b : bytes) {
        const auto byte = static_cast<unsigned char>(b);
        out += byte < 0x80 ? static_cast<char16_t>(byte) : kCp1251High[byte - 0x80];
    }
    return out;
}

std::size_t length(const char16_t* text)
{
    return text ? std::char_traits<char16_t>::length(text) : 0;
}

std::u16string decimal(int64_t number)
{
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, number);
    return std::u16string(buffer, result.ptr);
}

std::u16string hexUpper(uint64_t number)
{
    char buffer[24];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, number, 16);
    std::u16string out(buffer, result.ptr);
    for (auto& c : out) {
        if (c >= u'a' && c <= u'f')
            c = static_cast<char16_t>(c - u'a' + u'A');
    }
    return out;
}

std::u16string& replaceAll(std::u16string& text, std::u16string_view from, std::u16string_view to)
{
    if (from.empty())
        return text;
    std::size_t at = text.find(from);
    if (at == std::u16string::npos)
        return text;
    // Built anew rather than replaced in place, which would move the rest of the text each time.
    std::u16string replaced;
    replaced.reserve(text.size());
    std::size_t done = 0;
    for (; at != std::u16string::npos; at = text.find(from, done)) {
        replaced.append(text, done, at - done);
        replaced += to;
        done = at + from.size();
    }
    replaced.append(text, done);
    text = std::move(replaced);
    return text;
}

std::u16string_view trimmed(std::u16string_view text, std::u16string_view blanks)
{
    const std::size_t first = text.find_first_not_of(blanks);
    if (first == std::u16string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

} // namespace WideText

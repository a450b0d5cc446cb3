#include "model/Cp1251.h"

#include <gtest/gtest.h>

#include <cstring>
#include <cwctype>
#include <iconv.h>
#include <locale.h>
#include <string>

namespace {

// The C library's converter as an independent oracle; empty when it has no mapping.
std::string convert(const char* to, const char* from, std::string_view input)
{
    iconv_t converter = iconv_open(to, from);
    if (converter == reinterpret_cast<iconv_t>(-1))
        return "?no converter";
    std::string in(input);
    char out[16] = {};
    char* inPointer = in.data();
    char* outPointer = out;
    std::size_t inLeft = in.size();
    std::size_t outLeft = sizeof out;
    const bool converted = iconv(converter, &inPointer, &inLeft, &outPointer, &outLeft) != static_cast<std::size_t>(-1);
    iconv_close(converter);
    return converted ? std::string(out, sizeof out - outLeft) : std::string();
}

std::string iconvToUtf8(unsigned char byte)
{
    return convert("UTF-8", "CP1251", std::string(1, static_cast<char>(byte)));
}

std::string byteText(int byte)
{
    char text[8];
    std::snprintf(text, sizeof text, "0x%02X", byte);
    return text;
}

} // namespace

TEST(Cp1251, EveryByteDecodesAsTheCLibraryDecodesIt)
{
    for (int byte = 0; byte < 256; ++byte) {
        if (byte == 0x98)
            continue;
        EXPECT_EQ(cp1251::toUtf8(std::string(1, static_cast<char>(byte))), iconvToUtf8(byte)) << byteText(byte);
    }
}

TEST(Cp1251, EveryByteRoundTrips)
{
    std::string all;
    for (int byte = 0; byte < 256; ++byte)
        all += static_cast<char>(byte);
    const std::string utf8 = cp1251::toUtf8(all);
    EXPECT_EQ(cp1251::fromUtf8(utf8), all);
    EXPECT_EQ(cp1251::encodedLength(utf8), 256u);
    // The unassigned 0x98 stands for the C1 control U+0098.
    EXPECT_EQ(cp1251::toUtf8("\x98"), "\xC2\x98");
    EXPECT_EQ(cp1251::fromUtf8("\xC2\x98"), "\x98");
}

TEST(Cp1251, TextsThatCannotBeEncoded)
{
    struct Case {
        const char* name;
        std::string utf8;
        std::string named; // what the message must name
    } const cases[] = {
        {"symbol outside the code page", "a☺b", "«☺» (U+263A)"},
        {"latin letter with accent", "Café", "«é» (U+00E9)"},
        {"character beyond the BMP", "x😀", "«😀» (U+1F600)"},
        {"lone continuation byte", "ab\x80", "байт 3"},
        {"truncated sequence", "\xD0", "байт 1"},
        {"overlong slash", "\xC0\xAF", "байт 1"},
        {"surrogate", "\xED\xA0\x80", "байт 1"},
        {"beyond U+10FFFF", "\xF4\x90\x80\x80", "байт 1"},
        {"invalid lead byte", "\xFF", "байт 1"},
    };
    for (const auto& c : cases) {
        try {
            cp1251::fromUtf8(c.utf8);
            ADD_FAILURE() << c.name << ": no failure";
        } catch (const cp1251::EncodeError& e) {
            EXPECT_NE(std::string(e.what()).find(c.named), std::string::npos) << c.name << ": " << e.what();
        }
        EXPECT_THROW(cp1251::encodedLength(c.utf8), cp1251::EncodeError) << c.name;
    }
}

TEST(Cp1251, UpperCaseTableAgreesWithTheUnicodeUpperCase)
{
    locale_t utf8 = newlocale(LC_CTYPE_MASK, "C.UTF-8", nullptr);
    ASSERT_NE(utf8, nullptr);
    for (int byte = 0; byte < 256; ++byte) {
        if (byte == 0x98)
            continue;
        const std::string one(1, static_cast<char>(byte));
        const std::string wide = convert("WCHAR_T", "CP1251", one);
        ASSERT_EQ(wide.size(), sizeof(wchar_t)) << byteText(byte);
        wchar_t character = 0;
        std::memcpy(&character, wide.data(), sizeof character);
        const auto upper = static_cast<wchar_t>(towupper_l(static_cast<wint_t>(character), utf8));
        const std::string upperBytes =
            convert("CP1251", "WCHAR_T", std::string(reinterpret_cast<const char*>(&upper), sizeof upper));
        // An upper case outside the code page (µ) leaves the byte as it is.
        const std::string expected = upperBytes.empty() ? one : upperBytes;
        EXPECT_EQ(cp1251::toUpper(static_cast<unsigned char>(byte)), static_cast<unsigned char>(expected[0]))
            << byteText(byte) << " " << iconvToUtf8(static_cast<unsigned char>(byte));
    }
    freelocale(utf8);
}

TEST(Cp1251, UpperCaseOfTexts)
{
    EXPECT_EQ(cp1251::toUpperUtf8("ёлка, ўсё, ґанок, їжак, єнот, ј љ њ ћ ќ џ ѓ ѕ ђ і abc"),
              "ЁЛКА, ЎСЁ, ҐАНОК, ЇЖАК, ЄНОТ, Ј Љ Њ Ћ Ќ Џ Ѓ Ѕ Ђ І ABC");
    // Characters outside the code page and broken bytes are kept.
    EXPECT_EQ(cp1251::toUpperUtf8("ßé☺\xFF"), "ßé☺\xFF");
}

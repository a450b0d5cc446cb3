#include "WideText.h"

#include <gtest/gtest.h>

#include <iconv.h>

namespace {

// glibc's iconv as the independent reference for cp1251.
std::u16string iconvFromCp1251(std::string bytes)
{
    iconv_t converter = ::iconv_open("UTF-16LE", "CP1251");
    if (converter == reinterpret_cast<iconv_t>(-1))
        return u"iconv_open failed";
    std::u16string out(bytes.size(), u'\0');
    char* in = bytes.data();
    std::size_t inLeft = bytes.size();
    char* outBytes = reinterpret_cast<char*>(out.data());
    std::size_t outLeft = out.size() * 2;
    const std::size_t result = ::iconv(converter, &in, &inLeft, &outBytes, &outLeft);
    ::iconv_close(converter);
    if (result == static_cast<std::size_t>(-1))
        return u"unconvertible";
    out.resize(out.size() - outLeft / 2);
    return out;
}

TEST(WideTextTest, Cp1251MatchesIconvForEveryByte)
{
    for (int byte = 1; byte < 256; ++byte) {
        if (byte == 0x98) // no character in cp1251; kept as U+0098 so that it survives a round trip
            continue;
        const std::string bytes(1, static_cast<char>(byte));
        const std::u16string text = WideText::fromCp1251(bytes);
        EXPECT_EQ(text, iconvFromCp1251(bytes)) << "byte " << byte;
        EXPECT_EQ(WideText::toCp1251(text), bytes) << "byte " << byte;
    }
    EXPECT_EQ(WideText::toCp1251(WideText::fromCp1251("\x98")), "\x98");
}

TEST(WideTextTest, Cp1251ReplacesWhatItCannotHold)
{
    EXPECT_EQ(WideText::toCp1251(u"Ж€\u4E2D😀"), "\xC6\x88??");
    EXPECT_EQ(WideText::toCp1251(u"a\u4E2Db", '_'), "a_b");
}

TEST(WideTextTest, Utf8RoundTrip)
{
    const std::u16string text = u"Налог ₽ 😀 a\u0000b";
    EXPECT_EQ(WideText::fromUtf8(WideText::toUtf8(text)), text);
    EXPECT_EQ(WideText::toUtf8(u"😀"), "\xF0\x9F\x98\x80");
}

TEST(WideTextTest, InvalidSequencesBecomeReplacementCharacters)
{
    struct Case {
        const char* name;
        std::string utf8;
        std::u16string text;
    };
    const Case cases[] = {
        {"stray continuation byte", "a\x80z", u"a\uFFFDz"},
        {"truncated sequence", "a\xD0", u"a\uFFFD"},
        {"lead byte before a letter", "\xD0" "z", u"\uFFFDz"},
        {"overlong slash", "\xC0\xAF", u"\uFFFD"},
        {"encoded surrogate", "\xED\xA0\x80", u"\uFFFD"},
        {"beyond U+10FFFF", "\xF4\x90\x80\x80", u"\uFFFD"},
        {"invalid lead byte", "\xFF" "a", u"\uFFFDa"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(WideText::fromUtf8(c.utf8), c.text) << c.name;

    EXPECT_EQ(WideText::toUtf8(std::u16string(1, char16_t(0xD800)) + u"x"), "\xEF\xBF\xBDx");
    EXPECT_EQ(WideText::toUtf8(std::u16string(1, char16_t(0xDC00))), "\xEF\xBF\xBD");
}

TEST(WideTextTest, NumbersIgnoreTheLocale)
{
    EXPECT_EQ(WideText::decimal(-1073610685), u"-1073610685");
    EXPECT_EQ(WideText::decimal(1234567), u"1234567");
    EXPECT_EQ(WideText::hexUpper(0xC0020043), u"C0020043");
    EXPECT_EQ(WideText::hexUpper(0), u"0");
}

TEST(WideTextTest, ReplaceAll)
{
    std::u16string text = u"aXbXXc";
    EXPECT_EQ(WideText::replaceAll(text, u"X", u"XX"), u"aXXbXXXXc");
    EXPECT_EQ(WideText::replaceAll(text, u"XX", u""), u"abc");
    EXPECT_EQ(WideText::length(nullptr), 0u);
    EXPECT_EQ(WideText::length(u"Ёж"), 2u);
}

} // namespace

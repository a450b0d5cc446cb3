#include "WideText.h"

#include <gtest/gtest.h>

#include <iconv.h>

#include <optional>
#include <string>

namespace {

// glibc's iconv as the independent reference for cp1251.
class Iconv {
public:
    Iconv(const char* to, const char* from) : converter_(::iconv_open(to, from)) {}
    ~Iconv()
    {
        if (isOpen())
            ::iconv_close(converter_);
    }
    Iconv(const Iconv&) = delete;
    Iconv& operator=(const Iconv&) = delete;

    bool isOpen() const { return converter_ != reinterpret_cast<iconv_t>(-1); }

    // Nothing when the input has anything the target cannot hold.
    std::optional<std::string> convert(std::string input)
    {
        ::iconv(converter_, nullptr, nullptr, nullptr, nullptr);
        std::string out(input.size() * 4, '\0');
        char* in = input.data();
        std::size_t inLeft = input.size();
        char* outBytes = out.data();
        std::size_t outLeft = out.size();
        if (::iconv(converter_, &in, &inLeft, &outBytes, &outLeft) == static_cast<std::size_t>(-1))
            return std::nullopt;
        out.resize(out.size() - outLeft);
        return out;
    }

private:
    iconv_t converter_;
};

std::u16string iconvFromCp1251(const std::string& bytes)
{
    Iconv converter("UTF-16LE", "CP1251");
    if (!converter.isOpen())
        return u"iconv_open failed";
    const std::optional<std::string> utf16 = converter.convert(bytes);
    if (!utf16)
        return u"unconvertible";
    std::u16string out;
    for (std::size_t i = 0; i + 1 < utf16->size(); i += 2) {
        const auto low = static_cast<unsigned char>((*utf16)[i]);
        const auto high = static_cast<unsigned char>((*utf16)[i + 1]);
        out += static_cast<char16_t>(low | high << 8);
    }
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

TEST(WideTextTest, Cp1251MatchesIconvForEveryCodeUnit)
{
    Iconv converter("CP1251", "UTF-16LE");
    ASSERT_TRUE(converter.isOpen());
    for (char32_t unit = 0; unit < 0x10000; ++unit) {
        const std::u16string text(1, static_cast<char16_t>(unit));
        std::string expected = converter.convert({static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)})
                                   .value_or("?");
        if (unit == 0x98)
            expected = "\x98";
        ASSERT_EQ(WideText::toCp1251(text), expected) << "U+" << std::hex << static_cast<uint32_t>(unit);
    }
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

TEST(WideTextTest, Trimmed)
{
    struct Case {
        const char* name;
        std::u16string_view text;
        std::u16string_view blanks;
        std::u16string_view expected;
    };
    const Case cases[] = {
        {"both ends", u" \t\r\nab c\n ", u" \t\r\n", u"ab c"},
        {"nothing but blanks", u" \t ", u" \t\r\n", u""},
        {"empty", u"", u" ", u""},
        {"other blanks stay", u"\v a \f", u" ", u"\v a \f"},
        {"no-break space is no blank", u"\u00A0a", u" \t\r\n", u"\u00A0a"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(WideText::trimmed(c.text, c.blanks), c.expected) << c.name;
    EXPECT_EQ(WideText::trimmed(u"\r\n x \t"), u"x");
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

// Symbols read back by an independent decoder (zxing-cpp): the bytes and the error-correction
// level it finds must be those we encoded.
#include "Pdf417.h"

#include "Pdf417DecoderSupport.h"
#include "Pdf417Fit.h"
#include "Pdf417TestSupport.h"
#include "WideText.h"

#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <string>
#include <vector>

namespace {

struct RoundTripCase {
    const char* name;
    std::string data; // code page 1251
    std::u16string options;
    std::optional<int> level; // worked out by hand where given
};

std::string digits(std::size_t count)
{
    std::string text;
    for (std::size_t i = 0; i < count; ++i)
        text += static_cast<char>('0' + (i * 7 + 3) % 10);
    return text;
}

std::string everyByte()
{
    std::string bytes;
    for (int b = 0; b < 256; ++b)
        bytes += static_cast<char>(b);
    return bytes;
}

std::string randomBytes(std::size_t count, unsigned seed)
{
    std::mt19937 random(seed);
    std::string bytes;
    for (std::size_t i = 0; i < count; ++i)
        bytes += static_cast<char>(std::uniform_int_distribution<int>(0, 255)(random));
    return bytes;
}

std::vector<RoundTripCase> roundTripCases()
{
    const std::u16string leftBlock = u"/M4|/R21|/OV", topBlock = u"/M4|/R28|/OH";
    return {
        // The decoder reports nothing for a symbol without content, so empty data is left to
        // the painter's and the fit's tests.
        {"one letter", "A", u"", 2},
        {"one letter in a left block", "A", leftBlock, std::nullopt},
        {"7 digits", digits(7), u"", std::nullopt},
        {"8 digits", digits(8), u"", std::nullopt},
        {"12 digits", digits(12), u"", std::nullopt},
        {"13 digits", digits(13), u"", std::nullopt},
        {"14 digits", digits(14), u"", std::nullopt},
        {"44 digits", digits(44), u"", std::nullopt},
        {"45 digits", digits(45), u"", std::nullopt},
        {"88 digits", digits(88), u"", std::nullopt},
        {"89 digits", digits(89), u"", std::nullopt},
        {"12 digits and a letter", digits(12) + "A", u"", std::nullopt},
        {"digit run inside text", "No " + digits(20) + " of " + digits(13), topBlock, std::nullopt},
        {"mixed text", "Hello, World! <tag> [x] {y} ~`'\" a+b=c 50% #1 $2 & ^_^ (ok?) |;:@\\\t\r\n end",
         u"", std::nullopt},
        {"case and punctuation runs", "aB cD EFgh ijKLMN ;;; <<>> !? a!b ... --- 1-2", leftBlock, std::nullopt},
        {"lone Cyrillic letter in text", "ABCD \xDF EFGH", u"", std::nullopt},
        {"Cyrillic words", "\xCF\xF0\xE8\xE2\xE5\xF2, \xEC\xE8\xF0! 2021", topBlock, std::nullopt},
        {"every code page byte", everyByte(), u"", std::nullopt},
        {"every code page byte in a left block", everyByte(), u"/M4|/R63|/OV", std::nullopt},
        {"one random byte", randomBytes(1, 1), u"", std::nullopt},
        {"5 random bytes", randomBytes(5, 2), u"", std::nullopt},
        {"6 random bytes", randomBytes(6, 3), u"", std::nullopt},
        {"7 random bytes", randomBytes(7, 4), u"", std::nullopt},
        {"100 random bytes", randomBytes(100, 5), topBlock, std::nullopt},
        {"500 random bytes", randomBytes(500, 6), u"/M4|/R84|/OV", std::nullopt},
        {"800 random bytes", randomBytes(800, 7), u"", std::nullopt},
        {"40 codewords", std::string(78, 'A'), u"", 2},
        {"41 codewords", std::string(80, 'A'), u"", 3},
        {"header symbol", "0123456789ABCDEF0123456789ABCDEF", u"/M17|/R12|/C4|/OH|/E2", 3},
        {"given level 8", "LEVEL EIGHT", u"/M16|/E8", 8},
        {"fixed columns", std::string(200, 'z'), u"/M2|/C5", std::nullopt},
        {"wide aspect", std::string(300, 'q'), u"/A0.1", std::nullopt},
        {"tall aspect", std::string(300, 'q'), u"/A5|/H2", std::nullopt},
        {"module size 3", "SCALED", u"/X3", std::nullopt},
        {"largest text", std::string(1850, 'A'), u"", 0},
        {"largest number", digits(2710), u"", 0},
        {"largest bytes", std::string(1108, '\xC0'), u"", 0},
    };
}

class RoundTripTest : public testing::TestWithParam<RoundTripCase> {};

TEST_P(RoundTripTest, DecoderReadsBackDataAndLevel)
{
    const RoundTripCase& c = GetParam();
    const Pdf417Arguments arguments = SplitPdf417Options(u"-" + WideText::fromCp1251(c.data), c.options);
    const Pdf417Bitmap bitmap = EncodePdf417(arguments);
    const Pdf417Params params = *ParsePdf417Options(arguments);
    const std::optional<Pdf417Fit> fit = FitSymbol(params);

    const DecodedSymbol decoded = params.orientation == 'V' ? decodeSymbol(bitmap, 6, 2) : decodeSymbol(bitmap, 2, 6);
    ASSERT_TRUE(decoded.valid) << decoded.error;
    EXPECT_EQ(decoded.bytes, c.data);
    EXPECT_EQ(decoded.errorLevel, std::to_string(fit->errorLevel));
    if (c.level) {
        EXPECT_EQ(fit->errorLevel, *c.level);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, RoundTripTest, testing::ValuesIn(roundTripCases()),
                         caseName<testing::TestParamInfo<RoundTripCase>>);

} // namespace


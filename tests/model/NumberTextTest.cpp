#include "model/NumberText.h"

#include "CommaDecimalLocale.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <limits>
#include <random>
#include <sstream>

namespace {

constexpr std::int64_t minUnits = std::numeric_limits<std::int64_t>::min();
constexpr std::int64_t maxUnits = std::numeric_limits<std::int64_t>::max();

void checkCurrencyTexts()
{
    struct Case {
        std::int64_t units;
        const char* text;
    } const cases[] = {
        {0, "0"},
        {1000000, "100"},
        {12345000, "1234.5"},
        {12345678, "1234.5678"},
        {100, "0.01"},
        {-1, "-0.0001"},
        {-50000, "-5"},
        {-12345000, "-1234.5"},
        {10000000000000, "1000000000"},
        {maxUnits, "922337203685477.5807"},
        {minUnits, "-922337203685477.5808"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(currencyText(Currency::fromUnits(c.units)), c.text) << c.units;
}

void checkGeneralFloatTexts()
{
    struct Case {
        long double value;
        const char* text;
    } const cases[] = {
        {0.0L, "0"},
        {-0.0L, "0"},
        {44561.0, "44561"},
        {44561.5, "44561.5"},
        {0.5, "0.5"},
        {-2.5, "-2.5"},
        {0.1, "0.1"},                      // 0.1000000000000000055511... as a double
        {0.1 + 0.2, "0.3"},                // 0.30000000000000004 has 17 digits
        {1.0 / 3.0, "0.333333333333333"},
        {2.0 / 3.0, "0.666666666666667"},
        {2.0L / 3.0L, "0.666666666666667"},
        {72.5123, "72.5123"},
        {0.0001, "0.0001"},                // smallest exponent still written fixed
        {0.00012345, "0.00012345"},
        {0.00001, "1E-5"},
        {1e-6, "1E-6"},
        {-1.5e-5, "-1.5E-5"},
        {1e14, "100000000000000"},         // 15 digits before the point: still fixed
        {123456789012345.0, "123456789012345"},
        {1e15, "1E15"},
        {1234567890123456.0, "1.23456789012346E15"},
        {999999999999999.5, "1E15"},       // rounds up to 16 digits
        {1.5e20, "1.5E20"},
        {-1e100, "-1E100"},
        {std::numeric_limits<double>::quiet_NaN(), "NAN"},
        {std::numeric_limits<double>::infinity(), "INF"},
        {-std::numeric_limits<double>::infinity(), "-INF"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(generalFloatText(c.value), c.text) << double(c.value);

    EXPECT_EQ(generalFloatText(123.0, 2), "1.2E2");
    EXPECT_EQ(generalFloatText(0.126, 2), "0.13");
    EXPECT_EQ(generalFloatText(12.0, 2), "12");
}

void checkParsedCurrencies()
{
    struct Case {
        const char* text;
        char separator;
        std::int64_t units;
    } const cases[] = {
        {"0", '.', 0},
        {"100", '.', 1000000},
        {"1234.5", '.', 12345000},
        {"-0.0001", '.', -1},
        {"+5", '.', 50000},
        {"5.", '.', 50000},
        {".5", '.', 5000},
        {"-0", '.', 0},
        {"0000000000000000000000001", '.', 10000},
        {"1.23455", '.', 12346},   // exact half: to even
        {"1.23445", '.', 12344},   // exact half: to even
        {"1.234451", '.', 12345},  // above the half
        {"1.2344999", '.', 12345},
        {"1.23444999", '.', 12344},
        {"0.00005", '.', 0},
        {"0.00015", '.', 2},
        {"-1.23455", '.', -12346},
        {"1,5", ',', 15000},
        {"-1234,5678", ',', -12345678},
        {"922337203685477.5807", '.', maxUnits},
        {"-922337203685477.5808", '.', minUnits},
        {"922337203685477.58069", '.', maxUnits},
        {"-922337203685477.58085", '.', minUnits},  // exact half: to even, still in range
    };
    for (const auto& c : cases) {
        const auto parsed = parseCurrency(c.text, c.separator);
        ASSERT_TRUE(parsed.has_value()) << c.text;
        EXPECT_EQ(parsed->units(), c.units) << c.text;
    }

    struct Rejected {
        const char* text;
        char separator;
    } const rejected[] = {
        {"", '.'},        {"-", '.'},          {".", '.'},         {"+-1", '.'},
        {" 1", '.'},      {"1 ", '.'},         {"1e3", '.'},       {"1.2.3", '.'},
        {"a", '.'},       {"1,5", '.'},        {"1.5", ','},       {"1 000", '.'},
        {"99999999999999999999", '.'},
        {"922337203685477.5808", '.'},
        {"922337203685477.58075", '.'},   // rounds up out of range
        {"-922337203685477.58086", '.'},
    };
    for (const auto& r : rejected)
        EXPECT_FALSE(parseCurrency(r.text, r.separator).has_value()) << '"' << r.text << '"';
}

void checkParsedFloats()
{
    struct Case {
        const char* text;
        char separator;
        double value;
    } const cases[] = {
        {"44561", '.', 44561.0}, {"44561.5", '.', 44561.5}, {"-2.5", '.', -2.5},
        {"+2.5", '.', 2.5},      {"1E-6", '.', 1e-6},       {"1.5E20", '.', 1.5e20},
        {"1e5", '.', 1e5},       {".5", '.', 0.5},          {"-.5", '.', -0.5},
        {"0.1", '.', 0.1},       {"1,5", ',', 1.5},         {"1,5E3", ',', 1500.0},
    };
    for (const auto& c : cases) {
        const auto parsed = parseFloat(c.text, c.separator);
        ASSERT_TRUE(parsed.has_value()) << c.text;
        EXPECT_EQ(*parsed, c.value) << c.text;
    }

    struct Rejected {
        const char* text;
        char separator;
    } const rejected[] = {
        {"", '.'},    {"-", '.'},    {" 1", '.'},   {"1 ", '.'},   {"inf", '.'},
        {"INF", '.'}, {"nan", '.'},  {"NAN", '.'},  {"1e", '.'},   {"e5", '.'},
        {"--1", '.'}, {"+-1", '.'},  {"0x10", '.'}, {"1e400", '.'}, {"1.5", ','},
        {"1,5", '.'}, {"1.2.3", '.'}, {"01.01.2000", '.'},
    };
    for (const auto& r : rejected)
        EXPECT_FALSE(parseFloat(r.text, r.separator).has_value()) << '"' << r.text << '"';
}

} // namespace

TEST(NumberText, CurrencyTextIsShortestFixedForm)
{
    checkCurrencyTexts();
}

TEST(NumberText, GeneralFloatTextHasFifteenSignificantDigits)
{
    checkGeneralFloatTexts();
}

TEST(NumberText, ParseCurrencyReadsDecimalTextsExactly)
{
    checkParsedCurrencies();
}

TEST(NumberText, ParseFloatReadsFixedAndExponentForms)
{
    checkParsedFloats();
}

TEST(NumberText, CurrencyTextReadsBackToTheSameAmount)
{
    std::mt19937_64 random(20211231);
    std::uniform_int_distribution<std::int64_t> anyUnits(minUnits, maxUnits);
    std::uniform_int_distribution<std::int64_t> usualUnits(-10'000'000'000'000, 10'000'000'000'000);
    for (int i = 0; i < 20000; ++i) {
        const std::int64_t units = i % 2 ? anyUnits(random) : usualUnits(random);
        const std::string text = currencyText(Currency::fromUnits(units));
        const auto parsed = parseCurrency(text);
        ASSERT_TRUE(parsed.has_value()) << text;
        EXPECT_EQ(parsed->units(), units) << text;
    }
}

TEST(NumberText, FloatTextOfFourDecimalAmountsAndDatesReadsBack)
{
    // Up to 15 significant digits survive the text exactly: dates with a time of day and
    // amounts with four decimals.
    std::mt19937_64 random(44561);
    std::uniform_int_distribution<std::int64_t> tenThousandths(-99'999'999'999'999, 99'999'999'999'999);
    for (int i = 0; i < 20000; ++i) {
        const double value = double(tenThousandths(random)) / 10000.0;
        const std::string text = generalFloatText(value);
        const auto parsed = parseFloat(text);
        ASSERT_TRUE(parsed.has_value()) << text;
        EXPECT_EQ(*parsed, value) << text;
    }
}

TEST(NumberText, TextsKeepThePointUnderADecimalCommaLocale)
{
    const CommaDecimalLocale comma;
    std::ostringstream stream;
    stream << 1.5;
    ASSERT_EQ(stream.str(), "1,5") << "the comma locale is not in effect";
    if (CommaDecimalLocale::cLibraryUsesComma()) {
        char printed[16];
        std::snprintf(printed, sizeof printed, "%.1f", 1.5);
        ASSERT_STREQ(printed, "1,5");
    } else {
        std::printf("note: no comma locale in the C library here; only the C++ global locale is switched\n");
    }

    checkCurrencyTexts();
    checkGeneralFloatTexts();
    checkParsedCurrencies();
    checkParsedFloats();
}

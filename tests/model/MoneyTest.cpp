#include "model/Money.h"

#include "CommaDecimalLocale.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <sstream>

namespace {

Currency roubles(long double amount)
{
    return Currency::fromRoubles(amount);
}

void checkMoneyFieldTexts()
{
    struct Case {
        int width;
        Currency value;
        const char* text;
    } const cases[] = {
        {15, roubles(1234.5), "1234.50"},
        {15, roubles(0), "0.00"},
        {15, roubles(-5), "0.00"},
        {15, roubles(0.9999), "0.99"},          // kopecks are cut, not rounded
        {15, roubles(0.5678), "0.56"},
        {15, roubles(0.005), "0.00"},
        {15, roubles(0.05), "0.05"},
        {15, roubles(12.3), "12.30"},
        {15, Currency::fromUnits(std::numeric_limits<std::int64_t>::min()), "0.00"},
        {6, roubles(10000), "9999.99"},          // "10000.00" is longer than 7
        {6, roubles(9999.99), "9999.99"},
        {6, roubles(9999.9999), "9999.99"},
        {7, roubles(100000), "99999.99"},
        {7, roubles(99999.99), "99999.99"},
        {8, roubles(1000000), "999999.99"},
        {9, roubles(10000000), "9999999.99"},
        {10, roubles(100000000), "99999999.99"},
        {11, roubles(1000000000), "999999999.99"},
        {12, roubles(10000000000), "9999999999.99"},
        {12, roubles(9999999999.99), "9999999999.99"},
        {14, roubles(10000000000000), "999999999999.99"},
        {14, roubles(999999999999.5), "999999999999.50"},
        {15, roubles(10000000000000), "9999999999999.99"},
        {15, roubles(100000000000000), "9999999999999.99"},
        {13, roubles(100000000000000), "100000000000000.00"}, // no clamp text for 13
        {5, roubles(100000), "100000.00"},
        {16, roubles(100000000000000), "100000000000000.00"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MoneyToFieldText(c.width, c.value), c.text) << "width " << c.width << ", " << c.text;
}

void checkCurrFieldTexts()
{
    struct Case {
        int width;
        Currency value;
        const char* text;
    } const cases[] = {
        {13, roubles(12345678901234), "9999999999999"},
        {13, roubles(1234567890123), "1234567890123"},
        {13, roubles(-123), "-123"},
        {13, roubles(-123456789012), "-123456789012"},
        {13, roubles(-1234567890123), "9999999999999"}, // the sign counts
        {13, roubles(1234.5678), "1234.5678"},
        {13, roubles(0), "0"},
        {12, roubles(1000000000000), "999999999999"},
        {12, roubles(999999999999), "999999999999"},
        {12, roubles(99999999.5), "99999999.5"},
        {12, roubles(99999999999.5), "999999999999"},
        {10, roubles(1000000000000), "1000000000000"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CurrToFieldText(c.width, c.value), c.text) << "width " << c.width << ", " << c.text;
}

void checkFloatPointTexts()
{
    struct Case {
        long double x;
        const char* text;
    } const cases[] = {
        {72.51234L, "72.5123"},
        {72.5, "72.5"},
        {1.23456, "1.2346"},
        {100, "100"},
        {-1.5, "-1.5"},
        {-1.23456, "-1.2345"},  // negatives are truncated
        {0.00005, "0.0001"},
        {0.00004, "0"},
        {0, "0"},
        {1.0L / 3.0L, "0.3333"},
        {12345678.12345, "12345678.1235"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FloatToPointText(c.x), c.text) << c.text;
}

void checkCommaToPoint()
{
    struct Case {
        const char* name;
        const char* in;
        const char* out;
    } const cases[] = {
        {"comma, trimmed", " 1,5 ", "1.5"},
        {"no comma keeps blanks", " 1.5 ", " 1.5 "},
        {"every comma", "1,2,3", "1.2.3"},
        {"control characters trimmed", "\t12,50\r\n", "12.50"},
        {"inner blanks kept", " 1 ,5", "1 .5"},
        {"only a comma", ",", "."},
        {"empty", "", ""},
        {"Cyrillic kept", " руб,коп ", "руб.коп"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CommaToPoint(c.in), c.out) << c.name;
}

} // namespace

TEST(Money, RoundHalfUpSendsPositiveHalvesUpAndTruncatesNegatives)
{
    constexpr auto int64Max = std::numeric_limits<std::int64_t>::max();
    constexpr auto int64Min = std::numeric_limits<std::int64_t>::min();
    struct Case {
        double x;
        std::int64_t rounded;
    } const cases[] = {
        {2.5, 3},
        {2.4999, 2},
        {0.49999999999999994, 0}, // the largest double below a half
        {0.5, 1},
        {-0.5, 0},
        {-2.5, -2},
        {-2.7, -2},
        {-0.0, 0},
        {0, 0},
        {1234567.5, 1234568},
        {4503599627370495.5, 4503599627370496}, // 2^52 - 0.5, the last doubles with a half
        {1e300, int64Max},
        {-1e300, int64Min},
        {std::numeric_limits<double>::infinity(), int64Max},
        {std::numeric_limits<double>::quiet_NaN(), 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RoundHalfUp(c.x), c.rounded) << c.x;
}

TEST(Money, RoundTo2RoundsTheDoubleOfHundredths)
{
    // Worked from the exact values of the doubles: 12.345 is 12.34500000000000063...,
    // x * 100 = 1234.5000000000000639 rounds to the double 1234.5; 2.675 is 2.67499999999999982...,
    // x * 100 = 267.499999999999982 lies within half an ulp (2.8e-14) of 267.5 and rounds to it;
    // 1.005 * 100 = 100.499999999999989 is more than half an ulp (7.1e-15) below 100.5 and stays
    // below; the same holds for 0.285 (28.4999999999999976, half an ulp 1.8e-15).
    struct Case {
        double x;
        double rounded;
    } const cases[] = {
        {12.345, 12.35},
        {2.675, 2.68},
        {1.005, 1.00},
        {0.285, 0.28},
        {-1.239, -1.23},
        {1.015, 1.01},   // 101.49999999999998579
        {1.045, 1.05},   // 104.5 exactly after rounding
        {0.145, 0.14},   // 14.499999999999998224
        {0.125, 0.13},   // an exact half goes up
        {-0.125, -0.12},
        {8.345, 8.35},
        {100, 100},
        {0, 0},
        {1e300, 1e300},
        {-1e300, -1e300},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RoundTo2(c.x), c.rounded) << c.x;
    EXPECT_TRUE(std::isnan(RoundTo2(std::numeric_limits<double>::quiet_NaN())));
}

TEST(Money, MoneyToFieldTextCutsKopecksAndClampsToTheField)
{
    checkMoneyFieldTexts();
}

TEST(Money, CurrToFieldTextIsShortestAndClampsWidths12And13)
{
    checkCurrFieldTexts();
}

TEST(Money, FloatToPointTextRoundsToFourDecimals)
{
    checkFloatPointTexts();
}

TEST(Money, CommaToPointReplacesEveryCommaAndTrims)
{
    checkCommaToPoint();
}

TEST(Money, TwoDigitTextPadsSingleCharacters)
{
    struct Case {
        std::int32_t n;
        const char* text;
    } const cases[] = {
        {7, "07"}, {0, "00"}, {12, "12"}, {-1, "-1"}, {-12, "-12"}, {123, "123"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TwoDigitText(c.n), c.text) << c.n;
}

TEST(Money, TextsKeepThePointUnderADecimalCommaLocale)
{
    const CommaDecimalLocale comma;
    std::ostringstream stream;
    stream << 1.5;
    ASSERT_EQ(stream.str(), "1,5") << "the comma locale is not in effect";

    checkMoneyFieldTexts();
    checkCurrFieldTexts();
    checkFloatPointTexts();
    checkCommaToPoint();
}

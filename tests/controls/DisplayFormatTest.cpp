#include "controls/DisplayFormat.h"

#include <initializer_list>

#include <QLocale>

#include <gtest/gtest.h>

#include "model/DayDate.h"
#include "tests/model/CommaDecimalLocale.h"

namespace {

// The texts must not follow the locale: every case runs under the C locale and again under a
// locale whose decimal separator is a comma and whose dates are written otherwise.
class DisplayFormatTest : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override
    {
        if (GetParam()) {
            commaLocale_.emplace();
            QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        }
    }
    void TearDown() override
    {
        commaLocale_.reset();
        QLocale::setDefault(QLocale::c());
    }

private:
    std::optional<CommaDecimalLocale> commaLocale_;
};

Currency units(std::int64_t n)
{
    return Currency::fromUnits(n);
}

// Money written by one of the formats, against the text worked out by hand.
struct MoneyTextCase {
    const char* name;
    Currency value;
    const char* text;
};

void expectTexts(QString (*format)(Currency), std::initializer_list<MoneyTextCase> cases)
{
    for (const MoneyTextCase& test : cases) {
        SCOPED_TRACE(test.name);
        EXPECT_EQ(format(test.value), QString::fromUtf8(test.text));
    }
}

TEST_P(DisplayFormatTest, MoneyTextHasADecimalCommaAndNoTrailingZeros)
{
    expectTexts(currencyDisplayText, {
                                         {"zero", units(0), "0"},
                                         {"whole", units(1000000), "100"},
                                         {"kopecks", units(12345000), "1234,5"},
                                         {"four decimals", units(1), "0,0001"},
                                         {"negative", units(-15000), "-1,5"},
                                         {"large", units(999999999999990000), "99999999999999"},
                                     });
}

TEST_P(DisplayFormatTest, GroupedRoublesSetThousandsApart)
{
    expectTexts(groupedRoublesText, {
                                        {"zero", units(0), "0"},
                                        {"three digits", Currency::fromWholeRoubles(500), "500"},
                                        {"four digits", Currency::fromWholeRoubles(3'000), "3 000"},
                                        {"six digits", Currency::fromWholeRoubles(400'000), "400 000"},
                                        {"seven digits", Currency::fromWholeRoubles(5'000'000), "5 000 000"},
                                        {"kopecks dropped", units(12'345'678'900), "1 234 567"},
                                        {"negative", Currency::fromWholeRoubles(-650'000), "-650 000"},
                                    });
}

TEST_P(DisplayFormatTest, MoneyParsing)
{
    const struct {
        const char* name;
        const char* text;
        std::optional<Currency> value;
    } cases[] = {
        {"empty is zero", "", units(0)},
        {"blanks are zero", "   ", units(0)},
        {"comma", "1234,56", units(12345600)},
        {"point taken as comma", "1234.56", units(12345600)},
        {"blanks around", " 7 ", units(70000)},
        {"negative", "-0,5", units(-5000)},
        {"two separators", "1,2,3", std::nullopt},
        {"grouping", "1 234", std::nullopt},
        {"letters", "12a", std::nullopt},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        EXPECT_EQ(parseCurrencyDisplayText(QString::fromUtf8(test.text)), test.value);
    }
}

TEST_P(DisplayFormatTest, MoneyTextReadsBack)
{
    for (const std::int64_t n : {0LL, 1LL, 99LL, 12345600LL, -7LL, 50000LL}) {
        SCOPED_TRACE(n);
        EXPECT_EQ(parseCurrencyDisplayText(currencyDisplayText(units(n))), units(n));
    }
}

TEST_P(DisplayFormatTest, DatesAreDayMonthYearWithPoints)
{
    EXPECT_EQ(dateDisplayText(*encodeDate(2021, 1, 5)), QStringLiteral("05.01.2021"));
    EXPECT_EQ(dateDisplayText(*encodeDate(2000, 12, 31)), QStringLiteral("31.12.2000"));
    EXPECT_EQ(parseDateDisplayText(QStringLiteral("5.1.2021")), encodeDate(2021, 1, 5));
    EXPECT_EQ(parseDateDisplayText(QStringLiteral(" 29.02.2020 ")), encodeDate(2020, 2, 29));
    EXPECT_EQ(parseDateDisplayText(QStringLiteral("29.02.2021")), std::nullopt);
    EXPECT_EQ(parseDateDisplayText(QStringLiteral("2021-01-05")), std::nullopt);
    EXPECT_EQ(parseDateDisplayText(QString()), std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(Locales, DisplayFormatTest, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "CommaLocale" : "CLocale"; });

} // namespace

#include "pages/income/CurrencyRates.h"

#include <gtest/gtest.h>

#include "controls/ReferenceDocument.h"

namespace {

// Rates out of date order, with dates the directory never writes, and attributes missing.
const char* const Directory = R"(<?xml version="1.0" encoding="UTF-8"?>
<CurrencyRates>
  <Currency Code="840" Name="Доллар США">
    <Rate Date="15.03.2021" Rate="75,1234" Quantity="1"/>
    <Rate Date="1.3.2021" Rate="99,0001" Quantity="1"/>
    <Rate Date="01.03.2021" Rate="74,0000" Quantity="1"/>
    <Rate Date="31.02.2021" Rate="99,0002" Quantity="1"/>
    <Rate Date="2021-03-05" Rate="99,0003" Quantity="1"/>
    <Rate Rate="99,0004" Quantity="1"/>
    <Rate Date=" 04.03.2021" Rate="99,0005" Quantity="1"/>
    <Rate Date="22.03.2021"/>
    <Rate Date="10.03.2021" Rate="74,5000"/>
    <Rate Date="15.03.2021" Rate="99,0006" Quantity="1"/>
  </Currency>
  <Currency Code="949" Name="Турецкая лира"/>
  <Currency Code="840" Name="Второй доллар">
    <Rate Date="01.01.2021" Rate="99,0007" Quantity="1"/>
  </Currency>
  <Currency Name="Без кода">
    <Rate Date="01.01.2021" Rate="99,0008" Quantity="1"/>
  </Currency>
  <Currency Code="051" Name="Армянский драм">
    <Rate Date="31.12.2020" Rate="14,1457" Quantity="100"/>
  </Currency>
</CurrencyRates>
)";

const ReferenceElement& directory()
{
    static const ReferenceElement root = parseReferenceXml(Directory);
    return root;
}

TEST(CurrencyRates, FindsTheFirstCurrencyWithTheCode)
{
    const struct {
        const char* code;
        const char* name; // nullptr: none
    } cases[] = {
        {"840", "Доллар США"}, {"949", "Турецкая лира"}, {"051", "Армянский драм"},
        {"", nullptr},         {"978", nullptr},         {"84", nullptr},
        {" 840", nullptr},     {"51", nullptr},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.code);
        const ReferenceElement* currency = findCurrency(&directory(), QString::fromUtf8(test.code));
        if (!test.name) {
            EXPECT_EQ(currency, nullptr);
            continue;
        }
        ASSERT_NE(currency, nullptr);
        EXPECT_EQ(currency->attribute(u"Name"), QString::fromUtf8(test.name));
    }
    EXPECT_EQ(findCurrency(nullptr, u"840"), nullptr) << "no directory loaded";
}

TEST(CurrencyRates, TakesTheRateOfTheDayElseTheLatestEarlierOne)
{
    const struct {
        const char* name;
        const char* code;
        QDate date;
        std::optional<CurrencyRate> expected;
    } cases[] = {
        {"the day's rate", "840", {2021, 3, 15}, CurrencyRate{"75,1234", "1"}},
        {"the day's rate, stated before in another form", "840", {2021, 3, 1}, CurrencyRate{"74,0000", "1"}},
        {"the latest earlier, past dates in no form of the directory", "840", {2021, 3, 5},
         CurrencyRate{"74,0000", "1"}},
        {"the latest earlier, placed after a later rate", "840", {2021, 3, 12}, CurrencyRate{"74,5000", ""}},
        {"the latest earlier, placed before earlier rates", "840", {2021, 3, 20}, CurrencyRate{"75,1234", "1"}},
        {"the day's rate without attributes", "840", {2021, 3, 22}, CurrencyRate{"", ""}},
        {"long after the last rate", "840", {2021, 12, 31}, CurrencyRate{"", ""}},
        {"before the first rate", "840", {2021, 2, 28}, std::nullopt},
        {"no date", "840", QDate(), std::nullopt},
        {"a currency without rates", "949", {2021, 3, 15}, std::nullopt},
        {"a rate of the previous year", "051", {2021, 1, 1}, CurrencyRate{"14,1457", "100"}},
        {"the previous year's day", "051", {2020, 12, 31}, CurrencyRate{"14,1457", "100"}},
        {"before the previous year's rate", "051", {2020, 12, 30}, std::nullopt},
        {"unknown currency", "978", {2021, 3, 15}, std::nullopt},
        {"no code, beside an entry without one", "", {2021, 3, 15}, std::nullopt},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        const std::optional<CurrencyRate> found = findRate(&directory(), QString::fromUtf8(test.code), test.date);
        ASSERT_EQ(found.has_value(), test.expected.has_value());
        if (found) {
            EXPECT_EQ(found->rate.toStdString(), test.expected->rate.toStdString());
            EXPECT_EQ(found->quantity.toStdString(), test.expected->quantity.toStdString());
        }
        if (const ReferenceElement* currency = findCurrency(&directory(), QString::fromUtf8(test.code))) {
            EXPECT_EQ(findRateForDate(*currency, test.date), found) << "the lookup under a currency found before";
        }
    }
    EXPECT_EQ(findRate(nullptr, u"840", QDate(2021, 3, 15)), std::nullopt) << "no directory loaded";
}

} // namespace

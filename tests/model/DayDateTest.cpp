#include "model/DayDate.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <ctime>
#include <optional>
#include <string>

namespace {

// The standard library's calendar as an independent oracle: days since 30.12.1899.
double chronoDayCount(int year, unsigned month, unsigned day)
{
    using namespace std::chrono;
    const sys_days date = std::chrono::year(year) / std::chrono::month(month) / std::chrono::day(day);
    const sys_days epoch = std::chrono::year(1899) / December / 30;
    return static_cast<double>((date - epoch).count());
}

// Read during this file's static initialisation, which may run before that of the date code.
const std::optional<double> lastDayOf2021AtStart = encodeDate(2021, 12, 31);
const std::string firstDayOf2000AtStart = dateText(36526);

} // namespace

TEST(DayDate, RightInStaticInitialisationOfOtherFiles)
{
    EXPECT_EQ(lastDayOf2021AtStart, 44561);
    EXPECT_EQ(firstDayOf2000AtStart, "01.01.2000");
}

TEST(DayDate, KnownDays)
{
    struct Case {
        double dayCount;
        const char* text;
    } const cases[] = {
        {0, "30.12.1899"},     {1, "31.12.1899"},     {2, "01.01.1900"},
        {60, "28.02.1900"},    {61, "01.03.1900"},    {36526, "01.01.2000"},
        {36585, "29.02.2000"}, {44561, "31.12.2021"}, {44562, "01.01.2022"},
        {-1, "29.12.1899"},    {-693593, "01.01.0001"}, {2958465, "31.12.9999"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(dateText(c.dayCount), c.text) << c.dayCount;
        EXPECT_EQ(parseDateText(c.text), c.dayCount) << c.text;
    }
}

TEST(DayDate, AgreesWithTheStandardCalendarEveryDay)
{
    for (double dayCount = -800; dayCount < 80000; dayCount += 1) {
        const CalendarDate date = decodeDate(dayCount);
        ASSERT_EQ(chronoDayCount(date.year, date.month, date.day), dayCount);
        ASSERT_EQ(encodeDate(date.year, date.month, date.day), dayCount);
    }
}

TEST(DayDate, TimeOfDayIsIgnored)
{
    EXPECT_EQ(dateText(44561.99), "31.12.2021");
    // The integer part is the date also before the epoch.
    EXPECT_EQ(dateText(-1.5), "29.12.1899");
    EXPECT_EQ(dateText(-0.5), "30.12.1899");
}

TEST(DayDate, OutOfRangeCountsHaveNoDate)
{
    for (const double dayCount : {-693594.0, 2958466.0, 1e300, std::nan(""), HUGE_VAL}) {
        EXPECT_EQ(decodeDate(dayCount), CalendarDate{}) << dayCount;
        EXPECT_EQ(dateText(dayCount), "") << dayCount;
    }
}

TEST(DayDate, ParsedTexts)
{
    struct Case {
        const char* text;
        char separator;
        std::optional<double> dayCount;
    } const cases[] = {
        {"1.1.2000", '.', 36526},     {"01.1.2000", '.', 36526},  {"31,12,2021", ',', 44561},
        {"31.12.2021", ',', std::nullopt}, {"31.02.2021", '.', std::nullopt}, {"29.02.2021", '.', std::nullopt},
        {"29.02.2020", '.', 43890},   {"00.01.2000", '.', std::nullopt}, {"01.13.2000", '.', std::nullopt},
        {"01.01.00", '.', std::nullopt}, {"01.01.20000", '.', std::nullopt}, {"001.01.2000", '.', std::nullopt},
        {"01.01.2000 ", '.', std::nullopt}, {" 01.01.2000", '.', std::nullopt}, {"", '.', std::nullopt},
        {"01.01.0000", '.', std::nullopt}, {"a1.01.2000", '.', std::nullopt}, {"01..2000", '.', std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(parseDateText(c.text, c.separator), c.dayCount) << c.text;
}

TEST(DayDate, TodayIsTheLocalDate)
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    const double expected = chronoDayCount(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
    // A midnight may pass between the two readings.
    EXPECT_TRUE(today() == expected || today() == expected + 1);
}

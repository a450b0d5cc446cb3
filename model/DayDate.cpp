#include "model/DayDate.h"

#include <cmath>
#include <cstdio>
#include <ctime>

namespace {

// Days from 01.01.1970 to a date of the proleptic Gregorian calendar. Computed at compile time for
// the constants below, so that encodeDate is right also in another file's static initialisation.
constexpr long long daysFromCivil(long long year, unsigned month, unsigned day)
{
    year -= month <= 2;
    const long long era = (year >= 0 ? year : year - 399) / 400;
    const unsigned yearOfEra = static_cast<unsigned>(year - era * 400);
    const unsigned dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    const unsigned dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + static_cast<long long>(dayOfEra) - 719468;
}

constexpr CalendarDate civilFromDays(long long days)
{
    days += 719468;
    const long long era = (days >= 0 ? days : days - 146096) / 146097;
    const unsigned dayOfEra = static_cast<unsigned>(days - era * 146097);
    const unsigned yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const unsigned dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const unsigned shiftedMonth = (5 * dayOfYear + 2) / 153;
    const unsigned day = dayOfYear - (153 * shiftedMonth + 2) / 5 + 1;
    const unsigned month = shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9;
    const long long year = static_cast<long long>(yearOfEra) + era * 400 + (month <= 2);
    return {static_cast<int>(year), static_cast<int>(month), static_cast<int>(day)};
}

constexpr long long epochDays = daysFromCivil(1899, 12, 30);

constexpr bool isLeap(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

constexpr int daysInMonth(int year, int month)
{
    constexpr int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && isLeap(year) ? 29 : days[month - 1];
}

// Reads 1 to `maxDigits` decimal digits at `pos` (exactly `maxDigits` when `exact`).
std::optional<int> readNumber(std::string_view text, std::size_t& pos, std::size_t maxDigits, bool exact)
{
    const std::size_t start = pos;
    int value = 0;
    while (pos < text.size() && pos - start < maxDigits && text[pos] >= '0' && text[pos] <= '9')
        value = value * 10 + (text[pos++] - '0');
    const std::size_t digits = pos - start;
    if (digits == 0 || (exact && digits != maxDigits))
        return std::nullopt;
    return value;
}

} // namespace

std::optional<double> encodeDate(int year, int month, int day)
{
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > daysInMonth(year, month))
        return std::nullopt;
    return static_cast<double>(daysFromCivil(year, month, day) - epochDays);
}

CalendarDate decodeDate(double dayCount)
{
    // The integer part is the date also for negative counts (-1.5 is 29.12.1899, 12:00).
    constexpr double first = static_cast<double>(daysFromCivil(1, 1, 1) - epochDays);
    constexpr double last = static_cast<double>(daysFromCivil(9999, 12, 31) - epochDays);
    const double days = std::trunc(dayCount);
    if (!(days >= first && days <= last))
        return {};
    return civilFromDays(static_cast<long long>(days) + epochDays);
}

std::string dateText(double dayCount)
{
    const CalendarDate date = decodeDate(dayCount);
    if (date.year == 0)
        return {};
    char text[16];
    std::snprintf(text, sizeof text, "%02d.%02d.%04d", date.day, date.month, date.year);
    return text;
}

std::optional<double> parseDateText(std::string_view text, char separator)
{
    std::size_t pos = 0;
    const auto day = readNumber(text, pos, 2, false);
    if (!day || pos >= text.size() || text[pos++] != separator)
        return std::nullopt;
    const auto month = readNumber(text, pos, 2, false);
    if (!month || pos >= text.size() || text[pos++] != separator)
        return std::nullopt;
    const auto year = readNumber(text, pos, 4, true);
    if (!year || pos != text.size())
        return std::nullopt;
    return encodeDate(*year, *month, *day);
}

double today()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return *encodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
}

#pragma once

#include <optional>
#include <string>
#include <string_view>

// Dates are held as day counts in a double, day 0 being 30.12.1899 (day 1 is 31.12.1899,
// 36526 is 01.01.2000); a fraction is a time of day and is ignored by these helpers.

struct CalendarDate {
    int year = 0;
    int month = 0; // 1..12
    int day = 0;   // 1..31
    friend bool operator==(const CalendarDate&, const CalendarDate&) = default;
};

// nullopt when the date does not exist (31.02., month 13, year outside 1..9999).
std::optional<double> encodeDate(int year, int month, int day);
// The date of a day count; a zero CalendarDate for a count outside 01.01.0001..31.12.9999
// (or not a number).
CalendarDate decodeDate(double dayCount);

// "dd.mm.yyyy"; empty for a count that decodeDate does not take.
std::string dateText(double dayCount);
// Reads "d.m.yyyy" with one or two digits for day and month and four for the year;
// `separator` stands between them. nullopt for anything else or a date that does not exist.
std::optional<double> parseDateText(std::string_view text, char separator = '.');

// Today's date in local time, without a time of day.
double today();

#pragma once

#include <optional>

#include <QString>

#include "model/Currency.h"

// The texts pages show for money and dates. They never depend on the process locale: money
// always has a decimal comma and dates always read "dd.mm.yyyy".

// Shortest form with a decimal comma, no grouping, up to four decimals: "0", "1234,5", "-0,0001".
QString currencyDisplayText(Currency value);
// The same, but empty for 0: what a money edit of a page shows.
QString moneyText(Currency value);
// A figure of whole roubles as a message quotes it, its thousands set apart by blanks:
// "400 000", "-5 000 000"; kopecks are dropped.
QString groupedRoublesText(Currency value);
// Money as typed into an edit: digits with an optional decimal comma (a point is taken too) and
// an optional leading minus; blanks around it are ignored and an empty text is 0. nullopt for
// anything else.
std::optional<Currency> parseCurrencyDisplayText(const QString& text);

// "dd.mm.yyyy"; empty for a day count that is no date.
QString dateDisplayText(double dayCount);
// "d.m.yyyy" with one or two digits for day and month; nullopt for anything else.
std::optional<double> parseDateDisplayText(const QString& text);

#pragma once

#include <optional>

#include <QDate>
#include <QString>
#include <QStringView>

struct ReferenceElement;

// A rate of the currency rate directory "CurrencyRates.xml": roubles for a number of units of
// the currency, as the directory writes them. The root holds one element per currency with
// "Code" and "Name", each holding one element per rate with "Date" (dd.mm.yyyy, the day the rate
// applies from), "Rate" (decimal comma) and "Quantity"; element names do not count.
struct CurrencyRate {
    QString rate;     // empty when the element has no "Rate"
    QString quantity; // empty when the element has no "Quantity"

    bool operator==(const CurrencyRate&) const = default;
};

// The first currency whose code is `code`; nullptr for an empty code or without a directory.
const ReferenceElement* findCurrency(const ReferenceElement* ratesRoot, QStringView code);

// The rate in force on `date`: the currency's rate of that very day, else the latest one before
// it, wherever they stand in the directory; of two rates of one day the first stands. A rate
// whose date is not dd.mm.yyyy is never taken. Nothing before the currency's first rate.
std::optional<CurrencyRate> findRateForDate(const ReferenceElement& currency, QDate date);

// Both lookups at once: nothing when the currency or its rate is not found.
std::optional<CurrencyRate> findRate(const ReferenceElement* ratesRoot, QStringView code, QDate date);

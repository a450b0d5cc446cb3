#include "controls/DisplayFormat.h"

#include <cstdint>
#include <string>

#include "model/DayDate.h"
#include "model/NumberText.h"

QString currencyDisplayText(Currency value)
{
    std::string text = currencyText(value);
    for (char& c : text) {
        if (c == '.')
            c = ',';
    }
    return QString::fromStdString(text);
}

QString moneyText(Currency value)
{
    return value == Currency() ? QString() : currencyDisplayText(value);
}

QString groupedRoublesText(Currency value)
{
    const std::int64_t roubles = value.units() / Currency::UnitsPerRouble;
    QString digits = QString::number(roubles < 0 ? -roubles : roubles);
    for (qsizetype at = digits.size() - 3; at > 0; at -= 3)
        digits.insert(at, QLatin1Char(' '));
    return roubles < 0 ? QLatin1Char('-') + digits : digits;
}

std::optional<Currency> parseCurrencyDisplayText(const QString& text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return Currency();
    std::string latin = trimmed.toStdString();
    for (char& c : latin) {
        if (c == '.')
            c = ',';
    }
    return parseCurrency(latin, ',');
}

QString dateDisplayText(double dayCount)
{
    return QString::fromStdString(dateText(dayCount));
}

std::optional<double> parseDateDisplayText(const QString& text)
{
    return parseDateText(text.trimmed().toStdString(), '.');
}

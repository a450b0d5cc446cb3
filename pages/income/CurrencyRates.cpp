#include "pages/income/CurrencyRates.h"

#include <QRegularExpression>

#include "controls/ReferenceDocument.h"

namespace {

// Only the directory's own form: two-digit day and month, four-digit year.
QDate rateDate(const QString& text)
{
    static const QRegularExpression form(QStringLiteral("^([0-9]{2})\\.([0-9]{2})\\.([0-9]{4})$"));
    const QRegularExpressionMatch match = form.match(text);
    if (!match.hasMatch())
        return {};
    return QDate(match.captured(3).toInt(), match.captured(2).toInt(), match.captured(1).toInt());
}

CurrencyRate rateOf(const ReferenceElement& element)
{
    return {element.attribute(u"Rate"), element.attribute(u"Quantity")};
}

} // namespace

const ReferenceElement* findCurrency(const ReferenceElement* ratesRoot, QStringView code)
{
    if (!ratesRoot || code.isEmpty())
        return nullptr;
    for (const ReferenceElement& currency : ratesRoot->children) {
        if (currency.attribute(u"Code") == code)
            return &currency;
    }
    return nullptr;
}

std::optional<CurrencyRate> findRateForDate(const ReferenceElement& currency, QDate date)
{
    if (!date.isValid())
        return std::nullopt;
    const ReferenceElement* latestEarlier = nullptr;
    QDate latestEarlierDate;
    for (const ReferenceElement& rate : currency.children) {
        const QDate from = rateDate(rate.attribute(u"Date"));
        if (!from.isValid())
            continue;
        if (from == date)
            return rateOf(rate);
        if (from < date && (!latestEarlier || from > latestEarlierDate)) {
            latestEarlier = &rate;
            latestEarlierDate = from;
        }
    }
    if (!latestEarlier)
        return std::nullopt;
    return rateOf(*latestEarlier);
}

std::optional<CurrencyRate> findRate(const ReferenceElement* ratesRoot, QStringView code, QDate date)
{
    const ReferenceElement* currency = findCurrency(ratesRoot, code);
    if (!currency)
        return std::nullopt;
    return findRateForDate(*currency, date);
}

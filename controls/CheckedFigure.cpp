#include "controls/CheckedFigure.h"

#include <cstdint>
#include <limits>

QString figureText(const std::optional<Currency>& figure, QString (*text)(Currency))
{
    return figure ? text(*figure) : QStringLiteral("Вне диапазона");
}

QString outOfRangeExplanation()
{
    const std::int64_t largestRoubles = std::numeric_limits<std::int64_t>::max() / Currency::UnitsPerRouble;
    return QStringLiteral("Сумма вне допустимого диапазона: она не может превышать %1 руб.").arg(largestRoubles);
}

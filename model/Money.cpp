#include "model/Money.h"

#include <cmath>
#include <limits>

#include "model/NumberText.h"
#include "model/Trimmed.h"

// The steps below are done in 80-bit long double where the figures must match the
// extended-precision arithmetic of the tax computation; the core is compiled without
// floating contraction, so no step is fused with another.

std::int64_t RoundHalfUp(double x)
{
    if (std::isnan(x))
        return 0;
    const long double whole = std::truncl(x);
    const long double fraction = static_cast<long double>(x) - whole; // exact
    const long double rounded = fraction >= 0.5L ? whole + 1 : whole;

    constexpr long double limit = 9223372036854775808.0L; // 2^63
    if (rounded >= limit)
        return std::numeric_limits<std::int64_t>::max();
    if (rounded < -limit)
        return std::numeric_limits<std::int64_t>::min();
    return static_cast<std::int64_t>(rounded);
}

double RoundTo2(double x)
{
    const double hundredths = static_cast<double>(static_cast<long double>(x) * 100.0L);
    // So far out a double has no fraction left to round, and no int64 holds the hundredths.
    if (!(std::fabs(hundredths) < 9223372036854775808.0))
        return x;
    return static_cast<double>(static_cast<long double>(RoundHalfUp(hundredths)) / 100.0L);
}

std::string MoneyToFieldText(int width, Currency value)
{
    const std::int64_t units = value.units() > 0 ? value.units() : 0;
    const std::int64_t kopecks = units % Currency::UnitsPerRouble / 100;
    std::string text = std::to_string(units / Currency::UnitsPerRouble) + '.';
    text += static_cast<char>('0' + kopecks / 10);
    text += static_cast<char>('0' + kopecks % 10);

    const bool clampedWidth = width >= 6 && width <= 15 && width != 13;
    if (clampedWidth && text.size() > static_cast<std::size_t>(width) + 1)
        return std::string(width - 2, '9') + ".99";
    return text;
}

std::string CurrToFieldText(int width, Currency value)
{
    const std::string text = currencyText(value);
    if ((width == 12 || width == 13) && text.size() > static_cast<std::size_t>(width))
        return std::string(width, '9');
    return text;
}

std::string FloatToPointText(long double x)
{
    const double tenThousandths = static_cast<double>(x * 10000.0L);
    return generalFloatText(static_cast<long double>(RoundHalfUp(tenThousandths)) / 10000.0L);
}

std::string CommaToPoint(std::string_view s)
{
    if (s.find(',') == std::string_view::npos)
        return std::string(s);

    std::string text(Trimmed(s));
    for (char& c : text)
        if (c == ',')
            c = '.';
    return text;
}

std::string TwoDigitText(std::int32_t n)
{
    std::string text = std::to_string(n);
    if (text.size() == 1)
        text.insert(0, 1, '0');
    return text;
}

#include "model/NumberText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The decimal digits of a nonzero finite value rounded to `precision` significant digits,
// without trailing zeros, and the decimal exponent of the first digit.
struct RoundedDigits {
    bool negative = false;
    std::string digits;
    int exponent = 0;
};

RoundedDigits roundedDigits(long double value, int precision)
{
    char buffer[64];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, value,
                                       std::chars_format::scientific, precision - 1);
    // [-]d[.ddd]e(+|-)xx
    const std::string_view text(buffer, written.ptr - buffer);
    const auto exponentAt = text.find('e');

    RoundedDigits result;
    result.negative = text.front() == '-';
    for (char c : text.substr(0, exponentAt))
        if (isDigit(c))
            result.digits += c;
    while (result.digits.size() > 1 && result.digits.back() == '0')
        result.digits.pop_back();

    const char* exponentText = text.data() + exponentAt + 1;
    if (*exponentText == '+')
        ++exponentText;
    std::from_chars(exponentText, text.data() + text.size(), result.exponent);
    return result;
}

} // namespace

std::string currencyText(Currency value)
{
    const std::int64_t units = value.units();
    // Through unsigned so that the most negative amount has a magnitude too.
    const std::uint64_t magnitude = units < 0 ? 0 - static_cast<std::uint64_t>(units)
                                              : static_cast<std::uint64_t>(units);
    std::string text = units < 0 ? "-" : "";
    text += std::to_string(magnitude / Currency::UnitsPerRouble);

    std::string fraction = std::to_string(magnitude % Currency::UnitsPerRouble);
    fraction.insert(0, 4 - fraction.size(), '0');
    while (!fraction.empty() && fraction.back() == '0')
        fraction.pop_back();
    if (!fraction.empty())
        text += '.' + fraction;
    return text;
}

std::string generalFloatText(long double value, int significantDigits)
{
    if (std::isnan(value))
        return "NAN";
    if (std::isinf(value))
        return value < 0 ? "-INF" : "INF";
    if (value == 0)
        return "0";

    const int precision = std::clamp(significantDigits, 1, std::numeric_limits<long double>::digits10 + 1);
    const RoundedDigits number = roundedDigits(value, precision);
    const std::string& digits = number.digits;
    const int exponent = number.exponent;

    std::string text = number.negative ? "-" : "";
    if (exponent < -4 || exponent >= precision) {
        text += digits.front();
        if (digits.size() > 1)
            text += '.' + digits.substr(1);
        text += 'E' + std::to_string(exponent);
    } else if (exponent < 0) {
        text += "0.";
        text.append(-exponent - 1, '0');
        text += digits;
    } else {
        const std::size_t wholeDigits = exponent + 1;
        if (digits.size() <= wholeDigits) {
            text += digits;
            text.append(wholeDigits - digits.size(), '0');
        } else {
            text += digits.substr(0, wholeDigits) + '.' + digits.substr(wholeDigits);
        }
    }
    return text;
}

std::optional<Currency> parseCurrency(std::string_view text, char separator)
{
    std::size_t at = 0;
    const bool negative = at < text.size() && text[at] == '-';
    if (at < text.size() && (text[at] == '-' || text[at] == '+'))
        ++at;

    // The magnitude in units; the most negative amount is one unit larger than the largest.
    const std::uint64_t limit = negative ? std::uint64_t(1) << 63 : (std::uint64_t(1) << 63) - 1;
    std::uint64_t magnitude = 0;
    bool tooLarge = false;
    auto appendDigit = [&](char c) {
        const unsigned digit = c - '0';
        if (magnitude > (limit - digit) / 10)
            tooLarge = true;
        else
            magnitude = magnitude * 10 + digit;
    };

    bool anyDigit = false;
    for (; at < text.size() && isDigit(text[at]); ++at) {
        appendDigit(text[at]);
        anyDigit = true;
    }
    int fractionDigits = 0;
    char firstDropped = '0';  // the fifth decimal
    bool droppedBeyond = false; // a nonzero decimal after the fifth
    if (at < text.size() && text[at] == separator) {
        for (++at; at < text.size() && isDigit(text[at]); ++at, ++fractionDigits) {
            anyDigit = true;
            if (fractionDigits < 4)
                appendDigit(text[at]);
            else if (fractionDigits == 4)
                firstDropped = text[at];
            else if (text[at] != '0')
                droppedBeyond = true;
        }
    }
    if (!anyDigit || at != text.size())
        return std::nullopt;
    for (; fractionDigits < 4; ++fractionDigits)
        appendDigit('0');

    // Nearest unit, an exact half to the even neighbour.
    const bool roundUp = firstDropped > '5' || (firstDropped == '5' && (droppedBeyond || magnitude % 2 != 0));
    if (roundUp) {
        if (magnitude == limit)
            tooLarge = true;
        else
            ++magnitude;
    }
    if (tooLarge)
        return std::nullopt;

    const std::int64_t units = negative ? static_cast<std::int64_t>(0 - magnitude) : static_cast<std::int64_t>(magnitude);
    return Currency::fromUnits(units);
}

std::optional<double> parseFloat(std::string_view text, char separator)
{
    // One sign at most, then a digit or the point: keeps out blanks, "inf" and "nan".
    std::string number(text);
    std::size_t start = 0;
    if (!number.empty() && number.front() == '+')
        number.erase(0, 1);
    else if (!number.empty() && number.front() == '-')
        start = 1;
    if (start >= number.size() || !(isDigit(number[start]) || number[start] == separator))
        return std::nullopt;
    for (char& c : number) {
        if (c == separator)
            c = '.';
        else if (c == '.')
            return std::nullopt;
    }

    double value = 0;
    const char* end = number.data() + number.size();
    const auto parsed = std::from_chars(number.data(), end, value, std::chars_format::general);
    if (parsed.ec != std::errc() || parsed.ptr != end)
        return std::nullopt;
    return value;
}

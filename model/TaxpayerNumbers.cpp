#include "model/TaxpayerNumbers.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <span>

#include "model/Trimmed.h"

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

std::size_t characterCount(std::string_view text)
{
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80; // not a continuation byte
    }));
}

// The check digit of the digits before it: their sum weighted by `weights`, modulo 11, modulo 10.
int checkDigit(std::string_view number, std::span<const int> weights)
{
    int sum = 0;
    for (std::size_t i = 0; i < weights.size(); ++i)
        sum += (number[i] - '0') * weights[i];
    return sum % 11 % 10;
}

bool hasValidCheckDigits(std::string_view number)
{
    constexpr std::array<int, 9> weights10{2, 4, 10, 3, 5, 9, 4, 6, 8};
    constexpr std::array<int, 10> weights11{7, 2, 4, 10, 3, 5, 9, 4, 6, 8};
    constexpr std::array<int, 11> weights12{3, 7, 2, 4, 10, 3, 5, 9, 4, 6, 8};

    if (!std::all_of(number.begin(), number.end(), isDigit))
        return false;
    if (std::all_of(number.begin(), number.end(), [](char c) { return c == '0'; }))
        return false;
    if (number.size() == 10)
        return number[9] - '0' == checkDigit(number, weights10);
    return number[10] - '0' == checkDigit(number, weights11) && number[11] - '0' == checkDigit(number, weights12);
}

} // namespace

std::uint16_t CheckInn(std::string_view value, InnKind kind)
{
    const std::string_view number = Trimmed(value);
    if (number.empty())
        return InnEmpty;
    const std::size_t length = characterCount(number);
    switch (kind) {
    case InnOrganisation:
        if (length != 10)
            return InnNot10;
        break;
    case InnPerson:
        if (length != 12)
            return InnNot12;
        break;
    case InnAny:
        if (length != 10 && length != 12)
            return InnNot10Or12;
        break;
    }
    return hasValidCheckDigits(number) ? InnValid : InnWrong;
}

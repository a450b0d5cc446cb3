#include "controls/IdentityNumbers.h"

#include <algorithm>
#include <array>
#include <span>

#include <QString>

namespace {

// The check digit of the digits before it: their sum weighted by `weights`, modulo 11, modulo 10.
int checkDigit(const QString& number, std::span<const int> weights)
{
    int sum = 0;
    for (std::size_t i = 0; i < weights.size(); ++i)
        sum += number[qsizetype(i)].digitValue() * weights[i];
    return sum % 11 % 10;
}

bool hasValidCheckDigits(const QString& number)
{
    constexpr std::array<int, 9> weights10{2, 4, 10, 3, 5, 9, 4, 6, 8};
    constexpr std::array<int, 10> weights11{7, 2, 4, 10, 3, 5, 9, 4, 6, 8};
    constexpr std::array<int, 11> weights12{3, 7, 2, 4, 10, 3, 5, 9, 4, 6, 8};

    if (!std::all_of(number.begin(), number.end(), [](QChar c) { return c >= u'0' && c <= u'9'; }))
        return false;
    if (std::all_of(number.begin(), number.end(), [](QChar c) { return c == u'0'; }))
        return false;
    if (number.size() == 10)
        return number[9].digitValue() == checkDigit(number, weights10);
    return number[10].digitValue() == checkDigit(number, weights11)
           && number[11].digitValue() == checkDigit(number, weights12);
}

} // namespace

std::uint16_t CheckINN(const QString& value, InnKind kind)
{
    const QString number = value.trimmed();
    if (number.isEmpty())
        return InnEmpty;
    switch (kind) {
    case InnOrganisation:
        if (number.size() != 10)
            return InnNot10;
        break;
    case InnPerson:
        if (number.size() != 12)
            return InnNot12;
        break;
    case InnAny:
        if (number.size() != 10 && number.size() != 12)
            return InnNot10Or12;
        break;
    }
    return hasValidCheckDigits(number) ? InnValid : InnWrong;
}

std::uint16_t CheckKPP(const QString& value)
{
    const QString code = value.trimmed();
    if (code.isEmpty())
        return KppEmpty;
    if (code.size() != 9)
        return KppNot9;
    if (code == QStringLiteral("000000000"))
        return KppZeros;
    return KppValid;
}

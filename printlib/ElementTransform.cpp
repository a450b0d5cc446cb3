#include "ElementTransform.h"

#include "DrawCommandParser.h"
#include "WideText.h"

#include <cmath>
#include <numbers>
#include <utility>
#include <vector>

namespace {

// The numbers after the keyword and its separator; no operation takes more than six.
std::vector<float> operationNumbers(std::u16string_view operation, std::size_t keywordLength)
{
    if (keywordLength + 1 > operation.size())
        return {};
    return readFloatList(operation.substr(keywordLength + 1), 6);
}

// The two numbers of "scale" and "translate": one number serves both axes, none gives `fallback`.
std::pair<float, float> axisNumbers(std::u16string_view operation, std::size_t keywordLength, float fallback)
{
    const std::vector<float> numbers = operationNumbers(operation, keywordLength);
    const float first = numbers.empty() ? fallback : numbers[0];
    return {first, numbers.size() > 1 ? numbers[1] : first};
}

TransformMatrix scaling(float sx, float sy)
{
    return {sx, 0, 0, sy, 0, 0};
}

TransformMatrix rotation(float degrees)
{
    const double radians = degrees * std::numbers::pi / 180.0;
    const auto cosine = static_cast<float>(std::cos(radians));
    const auto sine = static_cast<float>(std::sin(radians));
    return {cosine, sine, -sine, cosine, 0, 0};
}

TransformMatrix translation(float dx, float dy)
{
    return {1, 0, 0, 1, dx, dy};
}

// The operation's matrix; false for an operation that has no effect.
bool operationMatrix(std::u16string_view operation, TransformMatrix& matrix)
{
    if (const std::size_t length = MatchTransformKeyword(operation, u"turn")) {
        const std::vector<float> numbers = operationNumbers(operation, length);
        matrix = rotation(numbers.empty() ? 0 : numbers[0]);
        return true;
    }
    if (const std::size_t length = MatchTransformKeyword(operation, u"scale")) {
        const auto [sx, sy] = axisNumbers(operation, length, 1);
        matrix = scaling(sx, sy);
        return true;
    }
    if (MatchTransformKeyword(operation, u"reflectx")) {
        matrix = scaling(1, -1);
        return true;
    }
    if (MatchTransformKeyword(operation, u"reflecty")) {
        matrix = scaling(-1, 1);
        return true;
    }
    if (const std::size_t length = MatchTransformKeyword(operation, u"translate")) {
        const auto [dx, dy] = axisNumbers(operation, length, 0);
        matrix = translation(dx, dy);
        return true;
    }
    if (const std::size_t length = MatchTransformKeyword(operation, u"matrix")) {
        const std::vector<float> n = operationNumbers(operation, length);
        if (n.size() < 6)
            return false;
        matrix = {n[0], n[1], n[2], n[3], n[4], n[5]};
        return true;
    }
    return false;
}

} // namespace

TransformMatrix multiply(const TransformMatrix& a, const TransformMatrix& b)
{
    return {a.m11 * b.m11 + a.m12 * b.m21,
            a.m11 * b.m12 + a.m12 * b.m22,
            a.m21 * b.m11 + a.m22 * b.m21,
            a.m21 * b.m12 + a.m22 * b.m22,
            a.dx * b.m11 + a.dy * b.m21 + b.dx,
            a.dx * b.m12 + a.dy * b.m22 + b.dy};
}

std::size_t MatchTransformKeyword(std::u16string_view operation, std::u16string_view keyword)
{
    if (operation.size() < keyword.size())
        return 0;
    for (std::size_t index = 0; index < keyword.size(); ++index)
        if (WideText::lowerAscii(operation[index]) != keyword[index])
            return 0;
    return keyword.size();
}

ElementTransform ApplyTransform(std::u16string_view text)
{
    ElementTransform transform;
    for (char16_t c : text)
        if (c != u' ' && c != u'\t')
            transform.text += c;
    std::u16string_view rest = transform.text;
    while (!rest.empty()) {
        const std::size_t separator = rest.find(u';');
        TransformMatrix operation;
        if (operationMatrix(rest.substr(0, separator), operation))
            transform.matrix = multiply(operation, transform.matrix);
        if (separator == std::u16string_view::npos)
            break;
        rest.remove_prefix(separator + 1);
    }
    return transform;
}

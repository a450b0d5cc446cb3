#include "DrawCommandParser.h"

#include "WideText.h"

#include <charconv>
#include <cmath>
#include <initializer_list>
#include <string>
#include <type_traits>

namespace {

// What the C run time's isspace() takes for white space.
constexpr std::u16string_view kSpaces = u" \t\r\n\v\f";

std::u16string_view trimmed(std::u16string_view text)
{
    return WideText::trimmed(text, kSpaces);
}

// The field's leading ASCII characters, without a "+" sign, which from_chars does not take (a
// second sign after it makes no number, as for "%f").
std::string asciiPrefix(std::u16string_view field)
{
    field = trimmed(field);
    if (!field.empty() && field.front() == u'+') {
        field.remove_prefix(1);
        if (!field.empty() && (field.front() == u'+' || field.front() == u'-'))
            return {};
    }
    std::string ascii;
    for (char16_t c : field) {
        if (c >= 0x80)
            break;
        ascii += static_cast<char>(c);
    }
    return ascii;
}

// Infinities and NaN ("inf", "nan") do not count as numbers: no length or angle can be one.
template <typename Number>
bool readNumber(std::u16string_view field, Number& value)
{
    const std::string ascii = asciiPrefix(field);
    Number number;
    const auto [end, error] = std::from_chars(ascii.data(), ascii.data() + ascii.size(), number);
    if (error != std::errc() || end == ascii.data())
        return false;
    if constexpr (std::is_floating_point_v<Number>) {
        if (!std::isfinite(number))
            return false;
    }
    value = number;
    return true;
}

std::u16string_view fieldAt(const std::vector<std::u16string_view>& fields, std::size_t index)
{
    return index < fields.size() ? fields[index] : std::u16string_view();
}

// Reads fields first, first + 1, ... into the numbers in turn; each unreadable or missing field
// leaves its number as it was.
template <typename Number>
void readFields(const std::vector<std::u16string_view>& fields, std::size_t first,
                std::initializer_list<Number*> numbers)
{
    for (Number* number : numbers)
        readNumber(fieldAt(fields, first++), *number);
}

} // namespace

std::vector<std::u16string_view> commandFields(std::u16string_view command)
{
    std::vector<std::u16string_view> fields;
    std::size_t separator = command.find(u';');
    while (separator != std::u16string_view::npos) {
        const std::size_t start = separator + 1;
        separator = command.find(u';', start);
        fields.push_back(command.substr(start, separator == std::u16string_view::npos ? separator : separator - start));
    }
    return fields;
}

std::vector<float> readFloatList(std::u16string_view list, std::size_t maxCount)
{
    std::vector<float> numbers;
    while (numbers.size() < maxCount) {
        const std::size_t comma = list.find(u',');
        float number;
        if (!readNumber(list.substr(0, comma), number))
            break;
        numbers.push_back(number);
        if (comma == std::u16string_view::npos)
            break;
        list.remove_prefix(comma + 1);
    }
    return numbers;
}

TextLayout ParseStringCommand(std::u16string_view command)
{
    const std::vector<std::u16string_view> fields = commandFields(command);
    TextLayout layout;
    readFields(fields, 0, {&layout.x, &layout.y, &layout.width, &layout.height, &layout.clipWidth, &layout.clipHeight});
    if (const std::u16string_view font = trimmed(fieldAt(fields, 6)); !font.empty())
        layout.fontName = font;
    readFields(fields, 7, {&layout.fontSize});
    readFields(fields, 8,
               {&layout.unit, &layout.style, &layout.alignment, &layout.lineAlignment, &layout.formatFlags,
                &layout.trimming});
    layout.tabStops = readFloatList(fieldAt(fields, 14), kMaxTabStops);
    layout.originX = layout.x;
    layout.originY = layout.y;
    return layout;
}

CrossLayout parseCrossCommand(std::u16string_view command)
{
    CrossLayout cross;
    readFields(commandFields(command), 0, {&cross.x, &cross.y, &cross.width, &cross.height, &cross.penWidth});
    return cross;
}

BarcodePlace parseBarcodeCommand(std::u16string_view command)
{
    BarcodePlace place;
    readFields(commandFields(command), 0, {&place.x, &place.y});
    return place;
}

ImagePlace parsePageImageCommand(std::u16string_view command)
{
    ImagePlace place;
    readFields(commandFields(command), 0, {&place.x, &place.y, &place.width, &place.height});
    return place;
}

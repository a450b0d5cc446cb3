#include "DrawCommandParser.h"

#include "WideText.h"

#include <charconv>
#include <string>

namespace {

// What the C run time's isspace() takes for white space.
constexpr std::u16string_view kSpaces = u" \t\r\n\v\f";

std::u16string_view trimmed(std::u16string_view text)
{
    return WideText::trimmed(text, kSpaces);
}

// The field's leading ASCII characters, without a "+" sign, which from_chars does not take.
std::string asciiPrefix(std::u16string_view field)
{
    field = trimmed(field);
    if (!field.empty() && field.front() == u'+')
        field.remove_prefix(1);
    std::string ascii;
    for (char16_t c : field) {
        if (c >= 0x80)
            break;
        ascii += static_cast<char>(c);
    }
    return ascii;
}

template <typename Number>
bool readNumber(std::u16string_view field, Number& value)
{
    const std::string ascii = asciiPrefix(field);
    Number number;
    const auto [end, error] = std::from_chars(ascii.data(), ascii.data() + ascii.size(), number);
    if (error != std::errc() || end == ascii.data())
        return false;
    value = number;
    return true;
}

std::u16string_view fieldAt(const std::vector<std::u16string_view>& fields, std::size_t index)
{
    return index < fields.size() ? fields[index] : std::u16string_view();
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

bool readFloat(std::u16string_view field, float& value)
{
    return readNumber(field, value);
}

bool readInt(std::u16string_view field, int& value)
{
    return readNumber(field, value);
}

std::vector<float> readFloatList(std::u16string_view list, std::size_t maxCount)
{
    std::vector<float> numbers;
    while (numbers.size() < maxCount) {
        const std::size_t comma = list.find(u',');
        float number;
        if (!readFloat(list.substr(0, comma), number))
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
    readFloat(fieldAt(fields, 0), layout.x);
    readFloat(fieldAt(fields, 1), layout.y);
    readFloat(fieldAt(fields, 2), layout.width);
    readFloat(fieldAt(fields, 3), layout.height);
    readFloat(fieldAt(fields, 4), layout.clipWidth);
    readFloat(fieldAt(fields, 5), layout.clipHeight);
    if (const std::u16string_view font = trimmed(fieldAt(fields, 6)); !font.empty())
        layout.fontName = font;
    readFloat(fieldAt(fields, 7), layout.fontSize);
    readInt(fieldAt(fields, 8), layout.unit);
    readInt(fieldAt(fields, 9), layout.style);
    readInt(fieldAt(fields, 10), layout.alignment);
    readInt(fieldAt(fields, 11), layout.lineAlignment);
    readInt(fieldAt(fields, 12), layout.formatFlags);
    readInt(fieldAt(fields, 13), layout.trimming);
    layout.tabStops = readFloatList(fieldAt(fields, 14), kMaxTabStops);
    layout.originX = layout.x;
    layout.originY = layout.y;
    return layout;
}

CrossLayout parseCrossCommand(std::u16string_view command)
{
    const std::vector<std::u16string_view> fields = commandFields(command);
    CrossLayout cross;
    readFloat(fieldAt(fields, 0), cross.x);
    readFloat(fieldAt(fields, 1), cross.y);
    readFloat(fieldAt(fields, 2), cross.width);
    readFloat(fieldAt(fields, 3), cross.height);
    readFloat(fieldAt(fields, 4), cross.penWidth);
    return cross;
}

BarcodePlace parseBarcodeCommand(std::u16string_view command)
{
    const std::vector<std::u16string_view> fields = commandFields(command);
    BarcodePlace place;
    readFloat(fieldAt(fields, 0), place.x);
    readFloat(fieldAt(fields, 1), place.y);
    return place;
}

ImagePlace parsePageImageCommand(std::u16string_view command)
{
    const std::vector<std::u16string_view> fields = commandFields(command);
    ImagePlace place;
    readFloat(fieldAt(fields, 0), place.x);
    readFloat(fieldAt(fields, 1), place.y);
    readFloat(fieldAt(fields, 2), place.width);
    readFloat(fieldAt(fields, 3), place.height);
    return place;
}

#include "EngineText.h"

#include "ErrorTexts.h"
#include "WideText.h"

#include <algorithm>
#include <charconv>

namespace EngineText {

std::u16string formatPattern(std::u16string_view pattern, std::initializer_list<std::u16string_view> arguments)
{
    std::u16string text;
    auto argument = arguments.begin();
    for (std::size_t index = 0; index < pattern.size(); ++index) {
        const char16_t c = pattern[index];
        if (c != u'%' || index + 1 == pattern.size()) {
            text += c;
            continue;
        }
        const char16_t conversion = pattern[++index];
        if (conversion == u'%') {
            text += u'%';
        } else if (argument != arguments.end()) {
            text += *argument++;
        }
    }
    return text;
}

std::u16string formatString(int id, std::initializer_list<std::u16string_view> arguments)
{
    return formatPattern(ErrorTexts::load(id).value_or(u""), arguments);
}

std::u16string fixed(double value, int decimals)
{
    char text[64];
    const auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals);
    return result.ec == std::errc() ? std::u16string(text, result.ptr) : std::u16string(u"0");
}

int leadingInteger(std::u16string_view text, int64_t limit)
{
    text = WideText::trimmed(text, u" \t\r\n");
    std::string ascii;
    if (!text.empty() && (text.front() == u'-' || text.front() == u'+')) {
        if (text.front() == u'-')
            ascii += '-';
        text.remove_prefix(1);
    }
    for (char16_t c : text) {
        if (c < u'0' || c > u'9')
            break;
        ascii += static_cast<char>(c);
    }
    int64_t number = 0;
    const auto result = std::from_chars(ascii.data(), ascii.data() + ascii.size(), number);
    if (result.ec == std::errc::result_out_of_range)
        number = !ascii.empty() && ascii.front() == '-' ? -limit : limit;
    else if (result.ec != std::errc())
        return 0;
    return static_cast<int>(std::clamp(number, -limit, limit));
}

} // namespace EngineText

#include "Pdf417Options.h"

#include "Pdf417ErrorCorrection.h"
#include "Pdf417Fit.h"
#include "SSError.h"
#include "WideText.h"

#include <algorithm>
#include <charconv>

namespace {

[[noreturn]] void refuse(int line, std::u16string_view text)
{
    SSError::CPrgError(SSError::kSourcePdf417, line, SSError::kErrInvalidParametersDetail).addDetail(text).raise();
}

// The value as ASCII without surrounding blanks and without a leading "+", or nothing when it
// holds another character.
std::optional<std::string> asciiNumber(std::u16string_view value)
{
    value = WideText::trimmed(value, u" \t");
    if (!value.empty() && value.front() == u'+')
        value.remove_prefix(1);
    std::string text;
    for (char16_t c : value) {
        if (c > 0x7F)
            return std::nullopt;
        text += static_cast<char>(c);
    }
    return text;
}

template <typename Number>
Number readNumber(std::u16string_view value, char16_t letter, int line)
{
    Number number{};
    if (const std::optional<std::string> text = asciiNumber(value)) {
        const char* end = text->data() + text->size();
        const auto [stop, error] = std::from_chars(text->data(), end, number);
        if (error == std::errc() && stop == end && !text->empty())
            return number;
    }
    refuse(line, u"Неверное значение параметра '/" + std::u16string(1, WideText::lowerAscii(letter)) + u"'");
}

// Also false for NaN.
bool within(double value, double low, double high) { return value >= low && value <= high; }

void checkOptions(const Pdf417Params& params, bool errorLevelGiven)
{
    if (params.optionBits > Pdf417KnownOptionBits)
        refuse(__LINE__, u"Неизвестная опция");
    if (!within(params.aspectRatio, 0.001, 1000))
        refuse(__LINE__, u"Значение параметра '/a' должно быть в диапазоне [0.001, 1000]");
    if (!within(params.rowHeight, 0.001, 1000))
        refuse(__LINE__, u"Значение параметра '/h' должно быть в диапазоне [0.001, 1000]");
    if (params.columns > Pdf417MaxColumns)
        refuse(__LINE__, u"Значение параметра '/c' должно быть не более 30");
    if (params.rows > Pdf417MaxRows)
        refuse(__LINE__, u"Значение параметра '/r' должно быть не более 90");
    if (errorLevelGiven && (params.errorLevel < 0 || params.errorLevel > Pdf417MaxErrorLevel))
        refuse(__LINE__, u"Значение параметра '/e' должно быть в диапазоне [0, 8]");
    if (params.orientation != 'V' && params.orientation != 'H')
        refuse(__LINE__, u"Значение параметра '/o' должно быть в 'V'или 'H'");
    if (params.moduleSize > Pdf417MaxModuleSize)
        refuse(__LINE__, u"Значение параметра '/x' должно быть не более 32");
}

bool isOption(std::u16string_view argument)
{
    return !argument.empty() && (argument.front() == u'-' || argument.front() == u'/');
}

} // namespace

Pdf417Arguments SplitPdf417Options(std::u16string_view dataText, std::u16string_view optionText)
{
    Pdf417Arguments arguments{u"PDF417TIF", std::u16string(dataText)};
    while (!optionText.empty()) {
        const std::size_t bar = optionText.find(u'|');
        const std::u16string_view option = optionText.substr(0, bar);
        if (!option.empty())
            arguments.emplace_back(option);
        optionText = bar == std::u16string_view::npos ? std::u16string_view() : optionText.substr(bar + 1);
    }
    return arguments;
}

std::optional<Pdf417Params> ParsePdf417Options(std::span<const std::u16string> arguments)
{
    if (arguments.size() < 2)
        refuse(__LINE__, u"Отсутствуют входные данные");

    Pdf417Params params;
    bool errorLevelGiven = false;
    for (std::size_t i = 2; i < arguments.size() && isOption(arguments[i]); ++i) {
        const std::u16string_view option = arguments[i];
        const char16_t letter = option.size() > 1 ? option[1] : u' ';
        const std::u16string_view value = option.size() > 1 ? option.substr(2) : std::u16string_view();
        switch (WideText::lowerAscii(letter)) {
        case u'a':
            params.aspectRatio = readNumber<double>(value, letter, __LINE__);
            break;
        case u'c':
            params.columns = readNumber<int>(value, letter, __LINE__);
            break;
        case u'e':
            params.errorLevel = readNumber<int>(value, letter, __LINE__);
            errorLevelGiven = true;
            break;
        case u'h':
            params.rowHeight = readNumber<double>(value, letter, __LINE__);
            break;
        case u'm':
            // A negative value turns into a large one and is refused with the unknown bits.
            params.optionBits = static_cast<unsigned>(readNumber<int>(value, letter, __LINE__));
            break;
        case u'o':
            params.orientation = value.empty() || value.front() > 0x7F
                                     ? '\0'
                                     : static_cast<char>(WideText::upperAscii(value.front()));
            break;
        case u'r':
            params.rows = readNumber<int>(value, letter, __LINE__);
            break;
        case u'x':
            params.moduleSize = std::max(readNumber<int>(value, letter, __LINE__), 1);
            break;
        default:
            refuse(__LINE__, std::u16string(1, letter) + u" - неверная опция. Допустимы: m,a,h,r,c,e,o");
        }
    }
    checkOptions(params, errorLevelGiven);

    std::u16string_view data = arguments[1];
    if (!data.empty())
        data.remove_prefix(1); // the "-" or "/" that marks the data argument
    // One byte per UTF-16 unit: the length is known before anything is converted.
    if (data.size() > Pdf417MaxDataBytes)
        return std::nullopt;
    params.data = WideText::toCp1251(data);
    return params;
}

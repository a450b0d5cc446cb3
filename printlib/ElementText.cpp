#include "ElementText.h"

#include "WideText.h"

#include <array>

namespace {

constexpr char16_t kNoBreakSpace = 0x00A0;
constexpr char16_t kMinusSign = 0x2212;
constexpr char16_t kTab = u'\t';

bool becomesNoBreakSpace(char16_t c)
{
    return c == 0x0020 || (c >= 0x2002 && c <= 0x2007) || c == 0x2009 || c == 0x200A || c == 0x202F ||
           c == 0x205F;
}

bool becomesMinus(char16_t c)
{
    return c == 0x002D || (c >= 0x2010 && c <= 0x2015) || c == 0x23AF;
}

bool isDropped(char16_t c)
{
    return c == 0x00AD || c == 0x200B;
}

} // namespace

std::u16string NormalizeText(std::u16string_view text)
{
    std::u16string normalized;
    normalized.reserve(text.size());
    for (std::size_t index = 0; index < text.size(); ++index) {
        const char16_t c = text[index];
        if (isDropped(c)) {
            if (index > 0 && text[index - 1] == kTab && !normalized.empty() && normalized.back() == kTab)
                normalized.pop_back();
        } else if (becomesNoBreakSpace(c)) {
            normalized += kNoBreakSpace;
        } else if (becomesMinus(c)) {
            normalized += kMinusSign;
        } else {
            normalized += c;
        }
    }
    return normalized;
}

std::u16string NormalizeBarcodeOptions(std::u16string_view options)
{
    std::u16string text(1, u'/');
    text += options;
    WideText::replaceAll(text, u"|", u"|/");
    WideText::replaceAll(text, u"//", u"/");
    WideText::replaceAll(text, u"|/|/", u"|/");
    if (!text.empty() && text.back() == u'/')
        text.pop_back();
    return text;
}

CellMark cellMarkOf(std::u16string_view text)
{
    static constexpr std::array<std::pair<std::u16string_view, CellMark>, 5> kMarks = {{
        {u"SLASHED_RECT", CellMark::Slashed},
        {u"SLASHED0_RECT", CellMark::Slashed0},
        {u"SLASHED1_RECT", CellMark::Slashed1},
        {u"SLASHED2_RECT", CellMark::Slashed2},
        {u"SLASHED3_RECT", CellMark::Slashed3},
    }};
    for (const auto& [name, mark] : kMarks) {
        if (name.size() != text.size())
            continue;
        bool same = true;
        for (std::size_t index = 0; index < name.size() && same; ++index)
            same = WideText::upperAscii(text[index]) == name[index];
        if (same)
            return mark;
    }
    return CellMark::None;
}

#pragma once

// Shared by the document engine's tests: a stand-in for the page renderer that records what the
// layout asks of it, the one-line report of a raised error, and PDF417 symbols read back by
// zxing-cpp.

#include "LayoutRenderer.h"
#include "Pdf417.h"
#include "Pdf417DecoderSupport.h"
#include "SSError.h"
#include "WideText.h"

#include <optional>
#include <string>
#include <vector>

class FakeLayoutRenderer : public LayoutRenderer {
public:
    ElementTable table;
    std::optional<bool> fallbackOnOverflow;
    bool landscape = false;
    std::u16string formName = u"blank.tif";
    // What the measuring answers.
    int lines = 1;
    float commonSize = 12.0f;

    struct Measured {
        TextLayout layout;
        std::u16string text;
    };
    std::vector<Measured> measuredLines;
    std::vector<Measured> measuredSizes;
    std::vector<int> pagesAsked;

    ElementTable& Elements() override { return table; }
    void SetFallbackOnOverflow(bool on) override { fallbackOnOverflow = on; }
    bool IsLandscapePage(int sourcePage) override
    {
        pagesAsked.push_back(sourcePage);
        return landscape;
    }
    std::u16string FormName() override { return formName; }
    int MeasureTextLines(const TextLayout& layout, std::u16string_view text) override
    {
        measuredLines.push_back({layout, std::u16string(text)});
        return lines;
    }
    float MeasureFontSize(const TextLayout& first, std::u16string_view firstText, const TextLayout& second,
                          std::u16string_view secondText) override
    {
        measuredSizes.push_back({first, std::u16string(firstText)});
        measuredSizes.push_back({second, std::u16string(secondText)});
        return commonSize;
    }
};

inline std::string utf8(std::u16string_view text)
{
    return WideText::toUtf8(text);
}

// The one-line report of what the action raised.
template <class Action>
std::string raisedReport(Action&& action)
{
    try {
        action();
    } catch (const SSError::CError& error) {
        return utf8(error.oneLineReport());
    }
    return "nothing raised";
}

// The bytes zxing-cpp reads from the symbol of `text` with `options`, as the renderer encodes
// a barcode element; nothing when it reads no symbol.
inline std::optional<std::string> decodedSymbol(std::u16string_view text, std::u16string_view options)
{
    Pdf417Symbol symbol;
    Pdf417SetData(symbol, text);
    Pdf417SetOptions(symbol, options);
    BuildPdf417Symbol(symbol);

    // Modules become 2 x 6 image pixels (rows taller than modules are wide), standing symbols 6 x 2.
    const bool standing = options.find(u"OV") != std::u16string_view::npos;
    DecodedSymbol decoded = standing ? decodeSymbol(symbol.bitmap, 6, 2) : decodeSymbol(symbol.bitmap, 2, 6);
    if (!decoded.valid)
        return std::nullopt;
    return std::move(decoded.bytes);
}

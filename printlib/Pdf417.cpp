#include "Pdf417.h"

#include "Pdf417ErrorCorrection.h"
#include "Pdf417Fit.h"
#include "SSError.h"
#include "WideText.h"

namespace {

std::optional<Pdf417Fit> fitParsed(const std::optional<Pdf417Params>& params)
{
    return params ? FitSymbol(*params) : std::nullopt;
}

} // namespace

void Pdf417SetData(Pdf417Symbol& symbol, std::u16string_view text)
{
    std::u16string data;
    data.reserve(text.size() + 1);
    data += u'-';
    data += text;
    symbol.dataText = std::move(data);
}

void Pdf417SetOptions(Pdf417Symbol& symbol, std::u16string_view optionText)
{
    symbol.optionText = optionText;
    if (symbol.optionText.empty() || symbol.optionText.back() != u'|')
        symbol.optionText += u'|';
}

void BuildPdf417Symbol(Pdf417Symbol& symbol)
{
    symbol.bitmap = EncodePdf417(SplitPdf417Options(symbol.dataText, symbol.optionText));
    symbol.resolution = Pdf417Resolution;
}

Pdf417Bitmap EncodePdf417(std::span<const std::u16string> arguments)
{
    const std::optional<Pdf417Params> params = ParsePdf417Options(arguments);
    const std::optional<Pdf417Fit> symbol = fitParsed(params);
    if (!symbol) {
        // The data argument is "-" and the data.
        const std::size_t length = params ? params->data.size() : arguments[1].size() - 1;
        SSError::CPrgError(SSError::kSourcePdf417, __LINE__, SSError::kErr0xC008000B)
            .addDetail(u"длина данных " + WideText::decimal(static_cast<int64_t>(length)))
            .raise();
    }
    const std::vector<int> correction = ComputeErrorCorrection(symbol->dataCodewords, symbol->errorLevel);
    // The renderer's 1-bit bitmaps are black at 0 bits.
    const Pdf417Bitmap modules = PaintSymbol(*symbol, correction, /*inverted=*/true);
    return ScaleSymbolBitmap(modules, params->moduleSize, params->orientation);
}

std::optional<Pdf417Shape> MeasurePdf417(std::span<const std::u16string> arguments)
{
    const std::optional<Pdf417Fit> fit = fitParsed(ParsePdf417Options(arguments));
    if (!fit)
        return std::nullopt;
    return Pdf417Shape{fit->columns, fit->rows};
}

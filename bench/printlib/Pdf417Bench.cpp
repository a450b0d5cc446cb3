// PDF417 encoding of 100, 1000 and 5000 bytes, side by side with zxing-cpp's PDF417 writer on the
// same data at the same error-correction level. Text is what the document engine hands the
// encoder (upper-case words, digit runs, "|" between fields); bytes are code page 1251 letters,
// which only byte compaction takes. No symbol holds 5000 bytes (at most 2710 digits, 1850 letters
// or 1108 other bytes): a refused input is reported as an error, with no throughput.

#include "Pdf417.h"

#include "Pdf417Fit.h"
#include "WideText.h"

#include <benchmark/benchmark.h>

#include <ZXing/BitMatrix.h>
#include <ZXing/MultiFormatWriter.h>

#include <optional>
#include <random>
#include <stdexcept>
#include <string>

namespace {

std::string engineText(std::size_t size)
{
    std::mt19937 random(1151020);
    std::string text;
    while (text.size() < size) {
        text += '|';
        const bool number = random() % 2;
        const std::size_t length = 1 + random() % (number ? 20 : 12);
        for (std::size_t i = 0; i < length; ++i)
            // Cyrillic letters reach the encoder as the engine's codes 92 ("\\") to 123 ("{").
            text += static_cast<char>(number ? '0' + random() % 10 : 92 + random() % 32);
    }
    text.resize(size);
    return text;
}

std::string cyrillicBytes(std::size_t size)
{
    std::mt19937 random(1049);
    std::string bytes;
    for (std::size_t i = 0; i < size; ++i)
        bytes += static_cast<char>(0xC0 + random() % 64);
    return bytes;
}

using MakeData = std::string (*)(std::size_t);

// Both encoders are given this level. Ours turns the room left over in its last row into error
// correction as well, which never reaches the next level from level 4 up (that needs 2^(level + 1)
// spare codewords and a row holds at most 30), so the two symbols carry the same level.
constexpr int kErrorLevel = 5;

void ourEncoder(benchmark::State& state, MakeData makeData)
{
    Pdf417Symbol symbol;
    Pdf417SetData(symbol, WideText::fromCp1251(makeData(static_cast<std::size_t>(state.range(0)))));
    Pdf417SetOptions(symbol, u"/M16|/E" + WideText::decimal(kErrorLevel));
    const std::optional<Pdf417Params> params =
        ParsePdf417Options(SplitPdf417Options(symbol.dataText, symbol.optionText));
    const std::optional<Pdf417Fit> fit = params ? FitSymbol(*params) : std::nullopt;
    if (!fit) {
        state.SkipWithError("the data does not fit a symbol");
        return;
    }
    if (fit->errorLevel != kErrorLevel) {
        state.SkipWithError("the symbol's error-correction level is not the one asked for");
        return;
    }
    for (auto _ : state) {
        BuildPdf417Symbol(symbol);
        benchmark::DoNotOptimize(symbol.bitmap.bits.data());
    }
    state.SetBytesProcessed(state.iterations() * state.range(0));
}

void zxingWriter(benchmark::State& state, MakeData makeData)
{
    const std::string data = makeData(static_cast<std::size_t>(state.range(0)));
    const std::wstring contents(data.begin(), data.end()); // bytes as Latin-1 characters
    const ZXing::MultiFormatWriter writer = ZXing::MultiFormatWriter(ZXing::BarcodeFormat::PDF417)
                                                .setEncoding(ZXing::CharacterSet::ISO8859_1)
                                                .setEccLevel(kErrorLevel);
    for (auto _ : state) {
        try {
            ZXing::BitMatrix matrix = writer.encode(contents, 0, 0);
            benchmark::DoNotOptimize(matrix);
        } catch (const std::exception& error) {
            state.SkipWithError(error.what());
            break;
        }
    }
    if (!state.error_occurred())
        state.SetBytesProcessed(state.iterations() * state.range(0));
}

void sizes(benchmark::internal::Benchmark* benchmark) { benchmark->Arg(100)->Arg(1000)->Arg(5000); }

BENCHMARK_CAPTURE(ourEncoder, text, engineText)->Apply(sizes);
BENCHMARK_CAPTURE(ourEncoder, bytes, cyrillicBytes)->Apply(sizes);
BENCHMARK_CAPTURE(zxingWriter, text, engineText)->Apply(sizes);
BENCHMARK_CAPTURE(zxingWriter, bytes, cyrillicBytes)->Apply(sizes);

} // namespace

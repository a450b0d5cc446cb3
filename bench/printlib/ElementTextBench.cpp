// Normalising the texts and barcode options of draw elements grows linearly with their length, so
// that a data document with an absurdly long field value costs time in proportion, not squared.
// Options made only of "|" are the worst case: every character is replaced.

#include "ElementText.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

void BM_NormalizeBarcodeOptions(benchmark::State& state)
{
    const std::u16string options(static_cast<std::size_t>(state.range(0)), u'|');
    for (auto _ : state)
        benchmark::DoNotOptimize(NormalizeBarcodeOptions(options));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_NormalizeBarcodeOptions)->RangeMultiplier(4)->Range(1 << 10, 1 << 20)->Complexity(benchmark::oN);

void BM_NormalizeText(benchmark::State& state)
{
    std::u16string text;
    while (text.size() < static_cast<std::size_t>(state.range(0)))
        text += u"Иванов - 12\u00AD34\t\u200B ";
    for (auto _ : state)
        benchmark::DoNotOptimize(NormalizeText(text));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_NormalizeText)->RangeMultiplier(4)->Range(1 << 10, 1 << 20)->Complexity(benchmark::oN);

} // namespace

// Computing and exporting the large declaration as the text that the print bridge receives.

#include <benchmark/benchmark.h>

#include <memory>
#include <stdexcept>
#include <string>

#include "computation/Summary.h"
#include "export/ExchangeDocument.h"
#include "export/ExchangeFile.h"
#include "export/XmlWriter.h"
#include "model/DayDate.h"

#include "LargeDeclaration.h"

namespace {

const ExportStamp stamp{*encodeDate(2022, 3, 15), "0F1E2D3C-4B5A-4978-8695-A4B3C2D1E0F9"};

std::unique_ptr<mTDeclaration>& benchDeclaration()
{
    static std::unique_ptr<mTDeclaration> decl = makeLargeDeclaration();
    return decl;
}

// The whole export of the print bridge: computation, document, text.
void BM_ExportText(benchmark::State& state)
{
    mTDeclaration& decl = *benchDeclaration();
    std::size_t bytes = 0;
    for (auto _ : state) {
        const ExportResult result = ExportDeclarationXml({}, decl, ExportMode::Text, stamp);
        if (!result.ok)
            throw std::runtime_error(result.error);
        bytes = result.text.size();
    }
    state.counters["file_bytes"] = double(bytes);
}
BENCHMARK(BM_ExportText)->Unit(benchmark::kMillisecond);

// Its parts: the computation alone ...
void BM_ExportComputation(benchmark::State& state)
{
    mTDeclaration& decl = *benchDeclaration();
    for (auto _ : state) {
        auto svod = std::make_unique<kTSvodSum>();
        svod->Calculate(decl);
        benchmark::DoNotOptimize(svod->R1.Rows.data());
    }
}
BENCHMARK(BM_ExportComputation)->Unit(benchmark::kMillisecond);

// ... and the document with its text, from a computed summary.
void BM_ExportDocument(benchmark::State& state)
{
    mTDeclaration& decl = *benchDeclaration();
    auto svod = std::make_unique<kTSvodSum>();
    svod->Calculate(decl);
    std::size_t elements = 0;
    for (auto _ : state) {
        const ExchangeDocument exchange = BuildExchangeDocument(decl, *svod, stamp.date, stamp.uuid);
        elements = xmlChildElementCount(xmlDocGetRootElement(exchange.document.get()));
        benchmark::DoNotOptimize(XmlDocumentBytes(exchange.document.get()));
    }
    benchmark::DoNotOptimize(elements);
}
BENCHMARK(BM_ExportDocument)->Unit(benchmark::kMillisecond);

} // namespace

// Saving and loading the large declaration.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "model/Declaration.h"
#include "model/DocumentStorage.h"

#include "LargeDeclaration.h"

namespace {

const mTDeclaration& largeDeclaration()
{
    static const std::unique_ptr<mTDeclaration> declaration = makeLargeDeclaration();
    return *declaration;
}

std::string benchFile()
{
    return (std::filesystem::temp_directory_path() / "declaration-file-bench.fv1").string();
}

// The whole save: the size pass, the writing pass, and the temporary file synced and renamed.
void BM_SaveToFile(benchmark::State& state)
{
    const mTDeclaration& declaration = largeDeclaration();
    const std::string path = benchFile();
    for (auto _ : state)
        declaration.SaveToFile(path);
    state.counters["file_bytes"] = double(std::filesystem::file_size(path));
    std::filesystem::remove(path);
}
BENCHMARK(BM_SaveToFile)->Unit(benchmark::kMillisecond);

// The two passes of a save over the data, without the disk.
void BM_SizeAndWritePasses(benchmark::State& state)
{
    const mTDeclaration& declaration = largeDeclaration();
    std::string bytes;
    for (auto _ : state) {
        bytes.clear();
        bytes.reserve(declaration.StorageSize());
        mTDocumentStorage storage = mTDocumentStorage::forWriting(bytes);
        declaration.WriteToStorage(storage);
        benchmark::DoNotOptimize(bytes.data());
    }
    state.counters["file_bytes"] = double(bytes.size());
}
BENCHMARK(BM_SizeAndWritePasses)->Unit(benchmark::kMillisecond);

void BM_LoadFromFile(benchmark::State& state)
{
    const std::string path = benchFile();
    largeDeclaration().SaveToFile(path);
    for (auto _ : state) {
        mTDeclaration loaded;
        loaded.LoadFromFile(path);
        benchmark::DoNotOptimize(loaded.SourceCount());
    }
    state.counters["file_bytes"] = double(std::filesystem::file_size(path));
    std::filesystem::remove(path);
}
BENCHMARK(BM_LoadFromFile)->Unit(benchmark::kMillisecond);

} // namespace

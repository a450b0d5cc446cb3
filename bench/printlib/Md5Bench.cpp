// MD5 of a 64 MiB file, side by side with the system's md5sum on the same file. The file is read
// once before timing, so both run from the page cache.

#include "Md5.h"

#include "SSError.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

constexpr std::size_t kFileSize = 64u << 20;

class SampleFile {
public:
    SampleFile() : path_(fs::temp_directory_path() / ("md5bench-" + std::to_string(::getpid()) + ".bin"))
    {
        std::mt19937_64 random(1151020);
        std::vector<uint64_t> words(kFileSize / sizeof(uint64_t));
        for (auto& word : words)
            word = random();
        std::ofstream(path_, std::ios::binary)
            .write(reinterpret_cast<const char*>(words.data()), static_cast<std::streamsize>(kFileSize));
    }
    ~SampleFile() { fs::remove(path_); }
    const fs::path& path() const { return path_; }

private:
    fs::path path_;
};

const SampleFile& sampleFile()
{
    static const SampleFile file;
    return file;
}

void BM_Md5OfFile(benchmark::State& state)
{
    const std::string path = sampleFile().path().string();
    Md5::ofFile(path, SSError::kSourceExports);
    for (auto _ : state)
        benchmark::DoNotOptimize(Md5::ofFile(path, SSError::kSourceExports));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kFileSize));
}
BENCHMARK(BM_Md5OfFile)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Md5sumProcess(benchmark::State& state)
{
    const std::string command = "md5sum '" + sampleFile().path().string() + "'";
    for (auto _ : state) {
        FILE* pipe = ::popen(command.c_str(), "r");
        if (pipe == nullptr) {
            state.SkipWithError("md5sum could not be started");
            return;
        }
        char digest[33] = {};
        benchmark::DoNotOptimize(std::fread(digest, 1, 32, pipe));
        ::pclose(pipe);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kFileSize));
}
BENCHMARK(BM_Md5sumProcess)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

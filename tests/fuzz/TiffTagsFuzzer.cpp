// Damages a well-formed blank-form TIFF as the fuzz input says and hands it to the page
// selection, the tag reader and the tag writer's frame copy: a damaged or hostile file is
// refused with the library's error, and a failed write leaves no output behind. Everything stays
// in memory: the damaged file is an anonymous memory file the library opens by its /proc path,
// and the scratch folder is on the shared-memory file system where there is one.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "SSError.h"
#include "TempFile.h"
#include "TiffPageWriter.h"
#include "TiffPages.h"
#include "TiffTags.h"

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

template <class Action>
bool tolerated(Action&& action)
{
    try {
        action();
        return true;
    } catch (const SSError::CError&) {
        return false;
    }
}

std::string scratchFolder;
std::vector<uint8_t> wellFormed;
int sourceFd = -1;
std::string sourcePath;

std::vector<uint8_t> readFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

void replaceSource(const std::vector<uint8_t>& bytes)
{
    check(::ftruncate(sourceFd, 0) == 0);
    check(::pwrite(sourceFd, bytes.data(), bytes.size(), 0) == static_cast<ssize_t>(bytes.size()));
}

std::string makeScratchFolder()
{
    struct stat status;
    std::string pattern = ::stat("/dev/shm", &status) == 0 && S_ISDIR(status.st_mode) ? "/dev/shm" : "/tmp";
    pattern += "/tifftagsfuzz-XXXXXX";
    check(::mkdtemp(pattern.data()) != nullptr);
    // The shared-memory folder holds memory until it is removed.
    std::atexit([] { std::filesystem::remove_all(scratchFolder); });
    return pattern;
}

// Two Group 4 pages with their stamps, a packed and a chained byte value and a private text.
std::vector<uint8_t> makeWellFormed()
{
    const std::string pages = scratchFolder + "/pages.tif";
    TiffPageWriter writer(pages);
    PageBitmap first(64, 40, 300, 300);
    PageBitmap second(33, 17, 200, 100);
    for (int x = 0; x < 64; ++x)
        first.setBlack(x, x % 40);
    for (int y = 0; y < 17; ++y)
        second.setBlack(y, y);
    writer.addPage(first, {"Модуль. Версия: 1", "2021.01.01 00:00:00"});
    writer.addPage(second, {"", ""});
    writer.finish();

    const std::string value(300, 'x');
    TagWrite write{pages, scratchFolder + "/tagged.tif", u"все", 50100, value, true, "soft"};
    TiffWriteTag(write);
    write = {write.outputPath, write.outputPath, u"1", 50200, value, false, ""};
    TiffWriteTag(write);
    write = {write.outputPath, write.outputPath, u"2", 800, "private text", false, ""};
    TiffWriteTag(write);
    return readFile(write.outputPath);
}

// The patches (after the input's first byte): two bytes of offset and one of value each; an
// offset past the end of the file cuts the file there.
std::vector<uint8_t> damaged(const uint8_t* data, std::size_t size)
{
    std::vector<uint8_t> bytes = wellFormed;
    for (std::size_t at = 0; at + 3 <= size; at += 3) {
        const std::size_t offset = data[at] | data[at + 1] << 8;
        if (offset < bytes.size())
            bytes[offset] = data[at + 2];
        else
            bytes.resize(data[at + 2] * bytes.size() / 256);
    }
    return bytes;
}

constexpr int kTags[] = {256, 257, 258, 259, 269, 270, 277, 282, 283, 285, 305, 306, 800, 33432, 50100, 50200};

} // namespace

// libtiff frees and makes its field tables again on every directory it reads (the private tags
// are merged in each time); pushing that through ASan's default 256 MB quarantine of freed
// memory cost most of a run.
extern "C" const char* __asan_default_options()
{
    return "quarantine_size_mb=8";
}

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // The outputs live in memory and die with the run: syncing them keeps nothing.
    setOutputSyncing(false);
    scratchFolder = makeScratchFolder();
    wellFormed = makeWellFormed();
    sourceFd = ::memfd_create("source.tif", MFD_CLOEXEC);
    check(sourceFd >= 0);
    sourcePath = "/proc/self/fd/" + std::to_string(sourceFd);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const std::string& source = sourcePath;
    const std::string output = scratchFolder + "/output.tif";
    // The first byte picks the two tags read back (on both pages); every read opens the file and
    // walks its pages, so reading all sixteen each run made runs eight times slower without
    // finding more: the fuzzer reaches every tag through this byte.
    const int tags[] = {kTags[data[0] % 16], kTags[data[0] / 16]};
    replaceSource(damaged(data + 1, size - 1));
    ::unlink(output.c_str());

    tolerated([&] {
        SourceTiff tiff;
        tiff.SetSourceTiff(source);
        const int pages = tiff.PageCount();
        for (int page = 1; page <= pages && page <= 3; ++page) {
            const FrameInfo frame = tiff.SelectPage(page);
            check(frame.width > 0 && frame.height > 0 && frame.xDpi > 0 && frame.yDpi > 0);
        }
    });
    for (const int tag : tags) {
        for (int page = 1; page <= 2; ++page) {
            tolerated([&] {
                std::string value;
                const std::size_t length = TiffReadTag(source, page, tag, &value);
                check(length == value.size());
                check(TiffReadTag(source, page, tag, nullptr) == length);
            });
        }
    }
    const bool written = tolerated([&] {
        TiffWriteTag({source, output, u"1,чет", 50100, "ZIp value", true, "fuzz"});
        std::string value;
        TiffReadTag(output, 1, 50100, &value);
        check(value == "ZIp value");
    });
    check(written == (::access(output.c_str(), F_OK) == 0));
    return 0;
}

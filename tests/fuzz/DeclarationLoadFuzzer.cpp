// Loads arbitrary declaration files the way the program opens them, through the file: the whole
// load, lists and sections included, not only the storage reader. The input is either a file as
// it is, or patches over a well-formed file (the full sample declaration or a random one), so
// that the damage reaches every section. Whatever the file holds:
//   - only the storage family escapes the load;
//   - a refused load leaves the declaration as it was;
//   - a loaded declaration saves, and what it saves loads back into the same bytes.
// The file is an anonymous memory file the loader opens by its /proc path.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <random>
#include <string>
#include <sys/mman.h>
#include <unistd.h>

#include "model/Declaration.h"
#include "model/DocumentStorage.h"
#include "model/StorageErrors.h"
#include "tests/model/DeclarationSamples.h"

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

int fileFd = -1;
std::string filePath;
std::string fullBytes;
std::string defaultBytes;

std::string declarationBytes(const mTDeclaration& declaration)
{
    std::string bytes;
    mTDocumentStorage storage = mTDocumentStorage::forWriting(bytes);
    declaration.WriteToStorage(storage);
    return bytes;
}

void replaceFile(const std::string& bytes)
{
    check(::ftruncate(fileFd, 0) == 0);
    check(::pwrite(fileFd, bytes.data(), bytes.size(), 0) == static_cast<ssize_t>(bytes.size()));
}

// True when the load succeeded.
bool load(mTDeclaration& declaration)
{
    try {
        declaration.LoadFromFile(filePath);
        return true;
    } catch (const mEPrivBase&) {
        return false;
    }
}

// Patches of four bytes: a place (scaled to the file's length), an operation and a value.
std::string patched(std::string bytes, const std::uint8_t* data, std::size_t size)
{
    for (std::size_t at = 0; at + 4 <= size; at += 4) {
        const std::size_t place = (data[at] | data[at + 1] << 8) * bytes.size() / 65536;
        const char value = static_cast<char>(data[at + 3]);
        switch (data[at + 2] % 4) {
        case 0: bytes[place] = value; break;
        case 1: bytes.resize(place); break;
        case 2: bytes.insert(place, 1, value); break;
        default: bytes[place] = static_cast<char>(bytes[place] + value); break;
        }
        if (bytes.empty())
            break;
    }
    return bytes;
}

std::string fileOf(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return {};
    switch (data[0] % 3) {
    case 0: return std::string(reinterpret_cast<const char*>(data + 1), size - 1);
    case 1: return patched(fullBytes, data + 1, size - 1);
    default: {
        if (size < 3)
            return {};
        std::mt19937 random(data[1] | data[2] << 8);
        return patched(declarationBytes(randomDeclaration(random)), data + 3, size - 3);
    }
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fileFd = ::memfd_create("declaration", MFD_CLOEXEC);
    check(fileFd >= 0);
    filePath = "/proc/self/fd/" + std::to_string(fileFd);
    fullBytes = declarationBytes(fullDeclaration());
    defaultBytes = declarationBytes(mTDeclaration());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    replaceFile(fileOf(data, size));
    mTDeclaration declaration;
    if (!load(declaration)) {
        check(declarationBytes(declaration) == defaultBytes);
        return 0;
    }
    const std::string saved = declarationBytes(declaration);
    replaceFile(saved);
    mTDeclaration reloaded;
    check(load(reloaded));
    check(declarationBytes(reloaded) == saved);
    return 0;
}

// Feeds arbitrary bytes to the declaration file's reader: whatever the file holds, a load
// either succeeds or raises the storage family, and never reads outside the file.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "model/Cp1251.h"
#include "model/DocumentStorage.h"

namespace {

constexpr std::string_view streamNames[] = {"@DeclInfo", "@DeclInquiry", "@DeclForeign", "@Source000", "@"};

void check(bool condition)
{
    if (!condition)
        std::abort();
}

// A mix of reads chosen by `plan`, as a model object's Load would run them.
void readValues(mTDocumentStorage& storage, std::size_t size, unsigned plan)
{
    for (int i = 0; i < 32; ++i) {
        try {
            switch ((plan + static_cast<unsigned>(i) * 7) % 6) {
            case 0: check(storage.ReadString().size() <= 3 * 9999); break;
            case 1: storage.ReadInteger(); break;
            case 2: storage.ReadWord(); break;
            case 3: storage.ReadByte(); break;
            case 4: storage.ReadCurrency(); break;
            default: storage.ReadFloat(); break;
            }
        } catch (const mEPrivBase&) {
            return;
        }
        check(storage.Position() <= size);
    }
}

void loadContainer(std::string_view bytes, unsigned plan)
{
    mTDocumentStorage storage = mTDocumentStorage::forReading(bytes);
    try {
        storage.Open();
    } catch (const mEPrivBase&) {
        check(!storage.Opened());
        return;
    }
    for (const std::string_view name : streamNames) {
        try {
            storage.OpenStream(name);
        } catch (const mEPrivBase&) {
            continue;
        }
        check(storage.Position() <= bytes.size());
        readValues(storage, bytes.size(), plan++);
    }
}

void roundTripText(std::string_view bytes)
{
    check(cp1251::fromUtf8(cp1251::toUtf8(bytes)) == bytes);
    try {
        const std::string encoded = cp1251::fromUtf8(bytes);
        check(encoded.size() == cp1251::encodedLength(bytes));
    } catch (const cp1251::EncodeError&) {
    }
    cp1251::toUpperUtf8(bytes);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const unsigned plan = size == 0 ? 0 : data[size - 1];
    loadContainer(bytes, plan);

    mTDocumentStorage bare = mTDocumentStorage::forReading(bytes);
    readValues(bare, size, plan);

    roundTripText(bytes);
    return 0;
}

#pragma once

#include <cstddef>
#include <string>

#include "StorageFailure.h"
#include "model/DocumentStorage.h"

// Saving into and loading from containers held in memory, for the deduction objects' tests.

constexpr std::size_t containerHeaderSize = 60;

// A whole container (header included) holding what `save` writes.
template <typename SaveFn>
std::string savedContainer(SaveFn&& save)
{
    std::string bytes;
    mTDocumentStorage storage = mTDocumentStorage::forWriting(bytes);
    storage.CreateHeader("Forv2021");
    save(storage);
    return bytes;
}

// What `save` writes, without the header.
template <typename SaveFn>
std::string savedValues(SaveFn&& save)
{
    return savedContainer(save).substr(containerHeaderSize);
}

template <typename LoadFn>
void loadContainer(const std::string& bytes, LoadFn&& load)
{
    mTDocumentStorage storage = mTDocumentStorage::forReading(bytes);
    storage.Open();
    load(storage);
}

// Saves an owner with its own sections and loads it into `into`.
template <typename Owner>
void roundTrip(const Owner& original, Owner& into)
{
    const std::string bytes = savedContainer([&](mTDocumentStorage& s) { original.Save(s); });
    loadContainer(bytes, [&](mTDocumentStorage& s) { into.Load(s); });
}

// A storage that refuses every write: an open reading storage over a fresh container.
class ReadOnlyStorage {
public:
    ReadOnlyStorage() : bytes_(savedContainer([](mTDocumentStorage&) {})), storage_(mTDocumentStorage::forReading(bytes_))
    {
        storage_.Open();
    }
    ReadOnlyStorage(const ReadOnlyStorage&) = delete;
    ReadOnlyStorage& operator=(const ReadOnlyStorage&) = delete;
    mTDocumentStorage& get() { return storage_; }

private:
    std::string bytes_;
    mTDocumentStorage storage_;
};

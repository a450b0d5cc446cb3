#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "model/DocumentStorage.h"
#include "model/OwnedList.h"
#include "model/StorageErrors.h"

// How the declaration file keeps the items of a list: each item in sections of its own,
// numbered by its position, behind a count whose kind (word or integer) is the owner's.

// Raised when a list slot that a caller emptied is saved: the file would lose the item's place.
constexpr std::uint16_t EmptySlotCode = 402;

// Calls save(item, index) for each item in order.
template <typename T, typename SaveItem>
void saveEachItem(const OwnedList<T>& list, SaveItem&& save)
{
    for (std::size_t index = 0; index < list.count(); ++index) {
        const std::unique_ptr<T>& item = list.get(index);
        if (!item)
            throw mEWriteStorage("Запись " + std::to_string(index + 1) + " списка не заполнена; файл не сохранен.",
                                 EmptySlotCode);
        save(*item, index);
    }
}

// Appends `count` new items, each read by load(item, index).
template <typename T, typename LoadItem>
void loadNewItems(OwnedList<T>& list, std::size_t count, LoadItem&& load)
{
    for (std::size_t index = 0; index < count; ++index)
        load(list[list.add(std::make_unique<T>())], index);
}

// Items that write and find their own sections by a word index: T::Save(storage, index, extra...)
// and T::Load(storage, index, extra...). More than 65535 items cannot be numbered.
template <typename T, typename... Extra>
void saveIndexedItems(mTDocumentStorage& storage, const OwnedList<T>& list, const Extra&... extra)
{
    mTDocumentStorage::checkedWordCount(list.count());
    saveEachItem(list, [&](const T& item, std::size_t index) { item.Save(storage, std::uint16_t(index), extra...); });
}

template <typename T, typename... Extra>
void loadIndexedItems(mTDocumentStorage& storage, OwnedList<T>& list, std::uint16_t count, const Extra&... extra)
{
    loadNewItems(list, count, [&](T& item, std::size_t index) { item.Load(storage, std::uint16_t(index), extra...); });
}

// The lists of a payment source and of an older 13 % record: an Integer count, then each item's
// values (T::WriteValues, T::ReadValues) in a section named `prefix`, the owner's index and the
// item's index.
template <typename T>
void saveCountedSections(mTDocumentStorage& storage, const OwnedList<T>& list, std::string_view prefix,
                         std::uint16_t ownerIndex)
{
    storage.WriteInteger(static_cast<std::int32_t>(list.count()));
    saveEachItem(list, [&](const T& item, std::size_t index) {
        storage.WriteStreamName(indexedStreamName(prefix, ownerIndex, unsigned(index)));
        item.WriteValues(storage);
    });
}

template <typename T>
void loadCountedSections(mTDocumentStorage& storage, OwnedList<T>& list, std::string_view prefix,
                         std::uint16_t ownerIndex)
{
    loadNewItems(list, storage.ReadCount(), [&](T& item, std::size_t index) {
        storage.OpenStream(indexedStreamName(prefix, ownerIndex, unsigned(index)));
        item.ReadValues(storage);
    });
}

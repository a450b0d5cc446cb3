#pragma once

#include <gtest/gtest.h>

#include <charconv>
#include <string>
#include <string_view>
#include <vector>

#include "StorageFailure.h"
#include "model/DocumentStorage.h"

// Helpers for the tests of the income records: they save into bare in-memory storages (values
// from offset 0, no header) and take the saved bytes apart independently of the storage's reader.

// The bytes that `save` writes into a fresh storage.
template <typename SaveFn>
std::string savedBytes(SaveFn&& save)
{
    std::string bytes;
    mTDocumentStorage storage = mTDocumentStorage::forWriting(bytes);
    save(storage);
    return bytes;
}

// The texts of the values in `bytes` (each a four-digit length and the text), windows-1251.
inline std::vector<std::string> storedValues(std::string_view bytes)
{
    std::vector<std::string> values;
    std::size_t position = 0;
    while (position < bytes.size()) {
        unsigned length = 0;
        const char* digits = bytes.data() + position;
        if (bytes.size() - position < 4 || std::from_chars(digits, digits + 4, length).ptr != digits + 4
            || bytes.size() - position - 4 < length) {
            ADD_FAILURE() << "no value at offset " << position;
            break;
        }
        values.emplace_back(bytes.substr(position + 4, length));
        position += 4 + length;
    }
    return values;
}

// The values joined with '|', for failure messages.
inline std::string storedValuesText(std::string_view bytes)
{
    std::string text;
    for (const std::string& value : storedValues(bytes))
        text += (text.empty() ? "" : "|") + value;
    return text;
}

// Runs `load` on a storage reading `bytes`.
template <typename LoadFn>
void loadFrom(std::string_view bytes, LoadFn&& load)
{
    mTDocumentStorage storage = mTDocumentStorage::forReading(bytes);
    load(storage);
}

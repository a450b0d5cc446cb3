#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "model/Currency.h"
#include "model/StorageErrors.h"

// The "DLSG" container of the declaration file: a 60-byte header, then values written as a
// four-digit decimal length and the value's text. A named stream is a string value whose text
// is the stream's name; its values follow it.

// Holds the bytes of one container file for the length of one load or save.
// Loading reads the whole file into memory while holding an exclusive lock on it.
// Saving collects exactly `size` bytes in memory; Commit() writes them to a temporary file in
// the target's folder, syncs it and renames it over the target, so the old file survives
// any failure.
class mTFileLoader {
public:
    mTFileLoader(std::string fileName, bool readOnly, std::uint32_t size = 0);
    ~mTFileLoader();
    mTFileLoader(const mTFileLoader&) = delete;
    mTFileLoader& operator=(const mTFileLoader&) = delete;

    const std::string& FileName() const { return fileName_; }
    bool ReadOnly() const { return readOnly_; }
    std::uint32_t Size() const { return size_; }

    // The bytes read (loading) or written so far (saving).
    std::string& Bytes() { return bytes_; }
    const std::string& Bytes() const { return bytes_; }

    // Saving only: writes the collected bytes to the file. Raises when fewer or more bytes
    // than the size given at creation were written, or when the file cannot be written.
    void Commit();

private:
    std::string fileName_;
    bool readOnly_;
    std::uint32_t size_;
    std::string bytes_;
    int lockedFd_ = -1;
};

// Reads and writes typed values at a moving position of a container.
class mTDocumentStorage {
public:
    // On a loader's bytes: reading when the loader is read-only, writing otherwise.
    explicit mTDocumentStorage(mTFileLoader& loader);

    // A storage over bytes in memory, for reading (the bytes must outlive the storage).
    static mTDocumentStorage forReading(std::string_view bytes);
    // A storage that appends to `out` without a size limit.
    static mTDocumentStorage forWriting(std::string& out);
    // An open writing storage that keeps no bytes and only counts them: the size of anything
    // is the Position() after saving it here.
    static mTDocumentStorage sizeCounter();

    void CreateHeader(const std::string& docName);
    void Open();

    void WriteStreamName(std::string_view name);
    // Moves behind the stream `name`: a string value with that text, found at a value boundary,
    // first at the current position, then further on, then from the first value.
    void OpenStream(std::string_view name);

    std::string ReadString(); // UTF-8
    std::int32_t ReadInteger();
    std::uint16_t ReadWord();
    Currency ReadCurrency();
    double ReadFloat();
    std::uint8_t ReadByte();

    void WriteString(std::string_view utf8);
    void WriteInteger(std::int32_t value);
    void WriteWord(std::uint16_t value);
    void WriteCurrency(Currency value);
    void WriteFloat(double value);
    void WriteByte(std::uint8_t value);

    // A list's item count, checked against the range of the word it is written as.
    static std::uint16_t checkedWordCount(std::size_t count);

    std::uint32_t Position() const { return position_; }
    bool ReadOnly() const { return readOnly_; }
    bool Opened() const { return opened_; }
    const std::string& DocName() const { return docName_; }
    const std::string& StreamName() const { return streamName_; }
    const std::string& HeaderTail() const { return headerTail_; }
    std::uint16_t VersionMajor() const { return versionMajor_; }
    std::uint16_t VersionMinor() const { return versionMinor_; }
    // VersionMajor * 65536 + VersionMinor.
    std::uint32_t Version() const { return (std::uint32_t(versionMajor_) << 16) | versionMinor_; }

private:
    mTDocumentStorage() = default;

    // ... private helpers are the implementation's own.

    bool readOnly_ = true;
    std::string_view input_;        // reading
    std::string* output_ = nullptr; // writing; null while only counting
    std::uint32_t limit_ = UINT32_MAX;
    std::uint32_t position_ = 0;
    std::string docName_;
    std::string streamName_;
    std::string headerTail_;
    std::uint16_t versionMajor_ = 0;
    std::uint16_t versionMinor_ = 0;
    bool opened_ = false;
    bool created_ = false;
};

// Stream name of a list item: the prefix and the index zero-padded to at least `digits`
// digits (wider indexes keep all their digits).
std::string indexedStreamName(std::string_view prefix, unsigned index, int digits = 3);
// Stream name of an item of an owner's list: prefix, owner index and item index, each "%.3d".
std::string indexedStreamName(std::string_view prefix, unsigned ownerIndex, unsigned itemIndex);

// Size in bytes of whatever `save` writes into a storage.
template <typename SaveFn>
std::uint32_t countedStorageSize(SaveFn&& save)
{
    mTDocumentStorage counter = mTDocumentStorage::sizeCounter();
    save(counter);
    return counter.Position();
}

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
// Loading reads the whole file into memory while holding an exclusive lock on it; a missing
// file is not created. Saving checks at creation that the target can be replaced, then collects
// exactly `size` bytes in memory; Commit() writes them to a temporary file in the target's
// folder, syncs it and renames it over the target, so the old file survives any failure and a
// failed save leaves no temporary file behind.
//
// Failures: 21 (mEBadStorage) the file cannot be read, or cannot be replaced (missing or
// unwritable folder, read-only target, held by another loader); 25 size 0 or an empty file;
// 26, 27 (mEMemoryAllocate) the file is too large or cannot be read whole. Commit: 28
// (mEWriteStorage) the bytes written differ from the size; 29 Commit of a load; and, with the
// file's name in the message, mEBadStorage 22 the temporary file cannot be created or written,
// 23 it or, after the rename, the folder cannot be synced, 24 the rename fails.
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
    void load();
    void prepareSave();

    std::string fileName_;
    bool readOnly_;
    std::uint32_t size_;
    std::string bytes_;
    int lockedFd_ = -1;
};

// Reads and writes typed values at a moving position of a container.
//
// Codes raised besides the container's classic ones: a value that cannot be written is an
// mEWriteStorage with the writer's first code + 2 (it would pass the size of the file), 153 (a
// character windows-1251 cannot hold), 154 (a text over 9999 bytes), 173 (a count over 65535,
// checkedWordCount) or 193 (a Float without a readable text: infinite, NaN, beyond the range);
// CreateHeader raises 53 (file smaller than the header) and 54 (name not in windows-1251).
// A value that cannot be read is an mEBadStorage with the reader's first code + 3 (94, 103, 113,
// 123, 133, 143) and the message "Неправильный формат файла декларации, возможно он
// поврежден.", as is a header cut short or with version digits that are not a number (392).
// A failed read or write changes nothing.
class mTDocumentStorage {
public:
    // On a loader's bytes: reading when the loader is read-only, writing otherwise.
    // CreateHeader() or Open() starts it.
    explicit mTDocumentStorage(mTFileLoader& loader);

    // Bare storages for the model objects' own tests and size passes: open at once, without a
    // header, values from offset 0, version 1.3. CreateHeader() / Open() may still start one as
    // a whole container while nothing has been written or read.
    //
    // Over bytes in memory, for reading (the bytes must outlive the storage).
    static mTDocumentStorage forReading(std::string_view bytes);
    // Appends to `out` without a size limit.
    static mTDocumentStorage forWriting(std::string& out);
    // Keeps no bytes and only counts them: the size of anything is the Position() after
    // saving it here. The writers check values here exactly as they do when writing.
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
    // A list's item count stored as an Integer; a negative one is a damaged file (103).
    std::uint32_t ReadCount();

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
    static mTDocumentStorage bare(bool readOnly);

    struct Value {
        std::string_view text;
        std::uint32_t end; // offset behind the value
    };

    std::string_view bytes() const;
    bool startable() const;
    void reset();
    Value readValue(std::uint16_t firstCode, bool numeric) const;
    std::int64_t readDecimal(std::uint16_t firstCode);
    void checkWritable(std::uint16_t firstCode) const;
    void put(std::string_view text, std::uint16_t firstCode);
    bool streamNameAt(std::uint32_t offset, std::string_view name, std::uint32_t& end) const;
    bool findStream(std::uint32_t from, std::uint32_t until, std::string_view name, std::uint32_t& end) const;

    bool readOnly_ = true;
    std::string_view input_;        // reading
    std::string* output_ = nullptr; // writing; null while only counting
    std::uint32_t limit_ = UINT32_MAX;
    std::uint32_t position_ = 0;
    std::uint32_t firstValue_ = 0;
    std::string docName_;
    std::string streamName_;
    std::string headerTail_;
    std::uint16_t versionMajor_ = 0;
    std::uint16_t versionMinor_ = 0;
    bool opened_ = false;
    bool created_ = false;
    bool bare_ = false;
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

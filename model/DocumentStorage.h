#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "model/Currency.h"
#include "model/FileIdentity.h"
#include "model/StorageErrors.h"

// The "DLSG" container of the declaration file: a 60-byte header, then values written as a
// four-digit decimal length and the value's text. A named stream is a string value whose text
// is the stream's name; its values follow it.

// Holds the bytes of one container file for the length of one load or save.
// Loading opens the file without waiting (a FIFO or a device is refused, not waited on), locks
// it exclusively and reads it whole; a missing file is not created. Saving checks at creation
// that the target can be replaced, then collects exactly `size` bytes in memory; Commit() hands
// them to replaceFileAtomically (AtomicFile.h), so the old file survives any failure and a failed
// save leaves no temporary file behind. A symbolic link as the target stays a link: the file it
// points to is replaced.
//
// A file system without locks is used without one.
//
// Failures: 21 (mEBadStorage) the file cannot be read, or cannot be replaced (missing or
// unwritable folder, read-only target, not a regular file, held by another loader); 32
// (mEBadStorage) a save meant to replace the file as it was when read or last saved finds that
// it has changed since (FileChanged); 25 size 0
// or an empty file; 26, 27 (mEMemoryAllocate) the file is shorter than the size asked for or
// cannot be read whole; 30 (mEBadStorage, the damaged-file message) a file larger than
// MaxFileSize. Commit: 28 (mEWriteStorage) the bytes written differ from the size; 29 Commit of
// a load; and, with the file's name in the message, mEBadStorage 22 the temporary file cannot
// be created or written, 23 it or, after the rename, the folder cannot be synced, 24 the rename
// fails, 31 the written file does not read back as written or does not pass the check, 22 also
// when the file's owner and group would both be lost. Each message ends with the reason
// ("Причина: ...") in the user's words.
class mTFileLoader {
public:
    // The largest file a load takes. The format bounds a file only loosely (a list counts up to
    // 65535 items, a value holds up to 9999 bytes, offsets are 32-bit), so the bound comes from
    // what a declaration can hold: a full list of 65535 records of the largest kind, every text
    // at the longest the exchange format takes (about 4 KB a record), is some 240 MB, while real
    // declarations stay in the hundreds of kilobytes. A larger file is refused before it is read.
    static constexpr std::uint32_t MaxFileSize = 256u << 20;

    // Raises an exception of the storage family when the written bytes are not a sound file.
    using WrittenCheck = std::function<void(std::string_view written)>;

    // The code of a save refused because the file changed since `unchangedSince`.
    static constexpr std::uint16_t FileChanged = 32;

    // `unchangedSince` (saving only): the file as this program read or last wrote it; a file
    // that is no longer that one is not replaced. A file that has gone since is simply made.
    mTFileLoader(std::string fileName, bool readOnly, std::uint32_t size = 0,
                 const FileIdentity* unchangedSince = nullptr);
    ~mTFileLoader();
    mTFileLoader(const mTFileLoader&) = delete;
    mTFileLoader& operator=(const mTFileLoader&) = delete;

    const std::string& FileName() const { return fileName_; }
    bool ReadOnly() const { return readOnly_; }
    std::uint32_t Size() const { return size_; }

    // The bytes read (loading) or written so far (saving).
    std::string& Bytes() { return bytes_; }
    const std::string& Bytes() const { return bytes_; }

    // Saving only: writes the collected bytes to the file; `check` sees them as read back from
    // the disk before they replace the old file. Raises when fewer or more bytes than the size
    // given at creation were written, or when the file cannot be written.
    void Commit(const WrittenCheck& check = {});

    // The file read (loading) or, once committed, written (saving).
    const FileIdentity& Identity() const { return identity_; }
    // After a commit: what the user is to know about the saved file, in Russian; empty mostly.
    const std::string& Note() const { return note_; }

private:
    void load();
    void prepareSave(const FileIdentity* unchangedSince);
    mEBadStorage cannotReplace(const std::string& reason) const;

    std::string fileName_;
    bool readOnly_;
    std::uint32_t size_;
    std::string bytes_;
    int lockedFd_ = -1;
    bool targetExisted_ = false;
    FileIdentity identity_;
    std::string note_;
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
// поврежден.", as is a header cut short or with version digits that are not a number (392),
// and a stream looked for in a file that ends inside a value (212): a file cut short. A stream
// missing from a file of whole values is mEOpenStream 210. A failed read or write changes
// nothing.
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
    // A whole container in memory, for reading: Open() starts it, as on a loader's bytes.
    static mTDocumentStorage containerForReading(std::string_view bytes);
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
    // Reading: every byte up to the end has been read.
    bool AtEnd() const { return position_ == bytes().size(); }
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
    bool findStream(std::uint32_t from, std::uint32_t until, std::string_view name, std::uint32_t& end,
                    bool& cutShort) const;

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

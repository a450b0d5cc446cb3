#include "model/DocumentStorage.h"

#include <cerrno>
#include <cstdlib>
#include <string_view>
#include <utility>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "model/AtomicFile.h"

namespace {

const char* const newFileKept = "\rПрежний файл сохранен без изменений.";

mEBadStorage cannotOpen(const std::string& fileName)
{
    return mEBadStorage("Ошибка чтения файла: " + fileName + "\rВозможно он занят, или с признаком 'read only'",
                        21);
}

// An open file descriptor, closed when it goes out of scope.
class Descriptor {
public:
    explicit Descriptor(int fd = -1) : fd_(fd) {}
    ~Descriptor()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;

    int get() const { return fd_; }
    int release() { return std::exchange(fd_, -1); }

private:
    int fd_;
};

bool readAll(int fd, std::string& bytes, std::size_t size)
{
    bytes.resize(size);
    std::size_t done = 0;
    while (done < size) {
        const ssize_t got = ::pread(fd, bytes.data() + done, size - done, static_cast<off_t>(done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return false;
        done += static_cast<std::size_t>(got);
    }
    return true;
}

// Locks the open file against every other loader, in this process or another.
bool lockExclusively(int fd)
{
    return ::flock(fd, LOCK_EX | LOCK_NB) == 0;
}

} // namespace

mTFileLoader::mTFileLoader(std::string fileName, bool readOnly, std::uint32_t size)
    : fileName_(std::move(fileName)), readOnly_(readOnly), size_(size)
{
    if (readOnly_)
        load();
    else
        prepareSave();
}

mTFileLoader::~mTFileLoader()
{
    if (lockedFd_ >= 0)
        ::close(lockedFd_);
}

void mTFileLoader::load()
{
    Descriptor file(::open(fileName_.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY));
    struct stat status {};
    if (file.get() < 0 || ::fstat(file.get(), &status) != 0 || !S_ISREG(status.st_mode)
        || !lockExclusively(file.get()))
        throw cannotOpen(fileName_);

    const auto fileSize = static_cast<std::uint64_t>(status.st_size);
    if (size_ == 0) {
        if (fileSize > UINT32_MAX)
            throw mEMemoryAllocate("Не удается создать отображение файла.", 26);
        size_ = static_cast<std::uint32_t>(fileSize);
    }
    if (size_ == 0)
        throw mEMemoryAllocate("Создаваемый фаил отображения не может быть нулевой длины.", 25);
    if (size_ > fileSize)
        throw mEMemoryAllocate("Не удается создать отображение файла.", 26);
    if (!readAll(file.get(), bytes_, size_))
        throw mEMemoryAllocate("Не удается создать отображение файла.", 27);
    lockedFd_ = file.release();
}

// Checks that the target can be replaced: its folder can be written, and an existing target is
// a writable regular file that no one else holds. The target is locked until the loader goes.
void mTFileLoader::prepareSave()
{
    if (size_ == 0)
        throw mEMemoryAllocate("Создаваемый фаил отображения не может быть нулевой длины.", 25);
    const PathParts parts = splitPath(fileName_);
    struct stat folder {};
    if (parts.name.empty() || ::stat(parts.folder.c_str(), &folder) != 0 || !S_ISDIR(folder.st_mode)
        || ::access(parts.folder.c_str(), W_OK | X_OK) != 0)
        throw cannotOpen(fileName_);

    struct stat target {};
    if (::stat(fileName_.c_str(), &target) == 0) {
        // Mode bits, not access(): the superuser must not overwrite a file marked read-only either.
        const bool writable = (target.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0;
        if (!S_ISREG(target.st_mode) || !writable || ::access(fileName_.c_str(), W_OK) != 0)
            throw cannotOpen(fileName_);
        Descriptor file(::open(fileName_.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY));
        if (file.get() < 0 || !lockExclusively(file.get()))
            throw cannotOpen(fileName_);
        lockedFd_ = file.release();
    } else if (errno != ENOENT) {
        throw cannotOpen(fileName_);
    }
    bytes_.reserve(size_);
}

void mTFileLoader::Commit()
{
    if (readOnly_)
        throw mEWriteStorage("Попытка записи в память только для чтения", 29);
    if (bytes_.size() != size_)
        throw mEWriteStorage("Файл " + fileName_ + " не сохранен: подготовлено " + std::to_string(bytes_.size())
                                 + " байт вместо " + std::to_string(size_) + "." + newFileKept,
                             28);

    const std::optional<ReplaceFailure> failure = replaceFileAtomically(fileName_, bytes_);
    if (!failure)
        return;
    switch (failure->stage) {
    case ReplaceFailure::Create:
    case ReplaceFailure::Write:
        throw mEBadStorage("Ошибка записи файла: " + fileName_ + newFileKept, 22);
    case ReplaceFailure::Sync:
        throw mEBadStorage("Ошибка сохранения файла на диск: " + fileName_ + newFileKept, 23);
    case ReplaceFailure::Rename:
        throw mEBadStorage("Не удается заменить файл: " + fileName_ + newFileKept, 24);
    case ReplaceFailure::SyncFolder:
        throw mEBadStorage("Ошибка сохранения файла на диск: " + fileName_, 23);
    }
}

#include "model/DocumentStorage.h"

#include <cerrno>
#include <string_view>
#include <utility>

#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "model/AtomicFile.h"
#include "model/FileLock.h"
#include "model/RegularFile.h"
#include "model/SystemErrorText.h"

namespace {

const char* const previousFileKept = "\rПрежний файл сохранен без изменений.";
const char* const badFileMessage = "Неправильный формат файла декларации, возможно он поврежден.";
const char* const busyReason = "файл занят другой программой";

std::string reasonLine(const std::string& reason)
{
    return "\rПричина: " + reason + (reason.ends_with('.') ? "" : ".");
}

mEBadStorage cannotRead(const std::string& fileName, const std::string& reason)
{
    return mEBadStorage("Ошибка чтения файла: " + fileName + "\rВозможно он занят, или с признаком 'read only'"
                            + reasonLine(reason),
                        21);
}

// Reads `size` bytes from the file's start; on failure gives the reason in the user's words.
std::optional<std::string> readAll(int fd, std::string& bytes, std::size_t size)
{
    bytes.resize(size);
    std::size_t done = 0;
    while (done < size) {
        const ssize_t got = ::pread(fd, bytes.data() + done, size - done, static_cast<off_t>(done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return systemErrorText(errno);
        if (got == 0)
            return std::string("файл стал короче во время чтения");
        done += static_cast<std::size_t>(got);
    }
    return std::nullopt;
}

// Locks the open file against every other loader, in this process or another; on failure gives
// the reason in the user's words.
std::optional<std::string> lockExclusively(int fd)
{
    switch (lockFile(fd)) {
    case FileLock::Locked:
    case FileLock::Unsupported:
        return std::nullopt;
    case FileLock::Busy:
        return std::string(busyReason);
    case FileLock::Failed:
        break;
    }
    return systemErrorText(errno);
}

FileIdentity identityOf(int fd)
{
    struct stat status {};
    return ::fstat(fd, &status) == 0 ? fileIdentity(status) : FileIdentity{};
}

} // namespace

mTFileLoader::mTFileLoader(std::string fileName, bool readOnly, std::uint32_t size,
                           const FileIdentity* unchangedSince)
    : fileName_(std::move(fileName)), readOnly_(readOnly), size_(size)
{
    if (readOnly_)
        load();
    else
        prepareSave(unchangedSince);
}

mTFileLoader::~mTFileLoader()
{
    if (lockedFd_ >= 0)
        ::close(lockedFd_);
}

void mTFileLoader::load()
{
    // Opening never waits, so a FIFO or a device named as a declaration is refused at once.
    OpenedRegularFile opened = openRegularFile(fileName_, MaxFileSize);
    if (opened.failure && opened.failure->kind == RegularFileFailure::TooLarge)
        throw mEBadStorage(badFileMessage, 30);
    if (opened.failure)
        throw cannotRead(fileName_, regularFileFailureText(*opened.failure, MaxFileSize));
    if (const std::optional<std::string> refusal = lockExclusively(opened.file.get()))
        throw cannotRead(fileName_, *refusal);
    identity_ = identityOf(opened.file.get());

    if (size_ == 0)
        size_ = static_cast<std::uint32_t>(opened.size);
    if (size_ == 0)
        throw mEMemoryAllocate("Создаваемый фаил отображения не может быть нулевой длины.", 25);
    if (size_ > opened.size)
        throw mEMemoryAllocate("Не удается создать отображение файла.", 26);
    if (const std::optional<std::string> reason = readAll(opened.file.get(), bytes_, size_))
        throw mEMemoryAllocate("Не удается создать отображение файла: " + fileName_ + reasonLine(*reason), 27);
    lockedFd_ = opened.file.release();
}

mEBadStorage mTFileLoader::cannotReplace(const std::string& reason) const
{
    return mEBadStorage("Ошибка записи файла: " + fileName_ + reasonLine(reason)
                            + (targetExisted_ ? previousFileKept : ""),
                        21);
}

// Checks that the target can be replaced: its folder can be written, and an existing target is
// a writable regular file that no one else holds. The target is locked until the loader goes.
// A symbolic link stands for the file it points to.
void mTFileLoader::prepareSave(const FileIdentity* unchangedSince)
{
    if (size_ == 0)
        throw mEMemoryAllocate("Создаваемый фаил отображения не может быть нулевой длины.", 25);
    int error = 0;
    const std::optional<std::string> target = followLinks(fileName_, error);
    if (!target)
        throw cannotReplace(systemErrorText(error));
    const PathParts parts = splitPath(*target);
    if (parts.name.empty())
        throw cannotReplace(notRegularFileText(true));
    struct stat folder {};
    if (::stat(parts.folder.c_str(), &folder) != 0)
        throw cannotReplace(systemErrorText(errno));
    if (!S_ISDIR(folder.st_mode))
        throw cannotReplace(systemErrorText(ENOTDIR));
    if (::access(parts.folder.c_str(), W_OK | X_OK) != 0)
        throw cannotReplace(systemErrorText(errno));

    struct stat existing {};
    if (::lstat(target->c_str(), &existing) != 0) {
        if (errno != ENOENT)
            throw cannotReplace(systemErrorText(errno));
        bytes_.reserve(size_);
        return;
    }
    targetExisted_ = true;
    if (!S_ISREG(existing.st_mode))
        throw cannotReplace(notRegularFileText(S_ISDIR(existing.st_mode)));
    // Mode bits, not access(): the superuser must not overwrite a file marked read-only either.
    if ((existing.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        throw cannotReplace("файл только для чтения");
    if (::access(target->c_str(), W_OK) != 0)
        throw cannotReplace(systemErrorText(errno));
    OpenedRegularFile opened = openRegularFile(*target, UINT64_MAX);
    if (opened.failure)
        throw cannotReplace(regularFileFailureText(*opened.failure, MaxFileSize));
    if (const std::optional<std::string> refusal = lockExclusively(opened.file.get()))
        throw cannotReplace(*refusal);
    // Checked under the lock: no other copy of the program replaces the file from now on.
    if (unchangedSince && identityOf(opened.file.get()) != *unchangedSince)
        throw mEBadStorage("Файл " + fileName_
                               + " изменен другой программой после того, как был открыт или сохранен здесь."
                               + previousFileKept,
                           FileChanged);
    lockedFd_ = opened.file.release();
    bytes_.reserve(size_);
}

void mTFileLoader::Commit(const WrittenCheck& check)
{
    if (readOnly_)
        throw mEWriteStorage("Попытка записи в память только для чтения", 29);
    const std::string kept = targetExisted_ ? previousFileKept : "";
    if (bytes_.size() != size_)
        throw mEWriteStorage("Файл " + fileName_ + " не сохранен: подготовлено " + std::to_string(bytes_.size())
                                 + " байт вместо " + std::to_string(size_) + "." + kept,
                             28);

    std::string refusal;
    WrittenBytesCheck loadsBack;
    if (check) {
        loadsBack = [&](std::string_view written) {
            try {
                check(written);
                return true;
            } catch (const mEPrivBase& e) {
                refusal = e.what();
                return false;
            }
        };
    }
    ReplacedFile replaced;
    const std::optional<ReplaceFailure> failure = replaceFileAtomically(fileName_, bytes_, loadsBack, &replaced);
    if (!failure) {
        identity_ = replaced.identity;
        if (replaced.accessListDropped)
            note_ = "Права доступа других пользователей к файлу " + fileName_
                    + " (список ACL) не удалось перенести на сохраненный файл: теперь он доступен только "
                      "владельцу.";
        if (replaced.extendedAttributesDropped)
            note_ += std::string(note_.empty() ? "" : "\r") + "Расширенные атрибуты файла " + fileName_
                     + " не удалось перенести на сохраненный файл.";
        return;
    }

    std::string reason = systemErrorText(failure->error);
    if (failure->stage == ReplaceFailure::NotRegular)
        reason = notRegularFileText(failure->error == EISDIR);
    else if (failure->error == 0)
        reason = refusal;
    if (failure->stage == ReplaceFailure::KeepOwner)
        reason = "файл принадлежит другому пользователю и группе, которых нельзя сохранить за новым файлом, "
                 "и они потеряли бы доступ к нему";
    switch (failure->stage) {
    case ReplaceFailure::KeepOwner:
    case ReplaceFailure::Resolve:
    case ReplaceFailure::NotRegular:
    case ReplaceFailure::Create:
    case ReplaceFailure::Write:
        throw mEBadStorage("Ошибка записи файла: " + fileName_ + reasonLine(reason) + kept, 22);
    case ReplaceFailure::Sync:
        throw mEBadStorage("Ошибка сохранения файла на диск: " + fileName_ + reasonLine(reason) + kept, 23);
    case ReplaceFailure::Verify:
        throw mEBadStorage("Файл " + fileName_ + " не сохранен: записанный файл не читается обратно."
                               + reasonLine(reason) + kept,
                           31);
    case ReplaceFailure::Rename:
        throw mEBadStorage("Не удается заменить файл: " + fileName_ + reasonLine(reason) + kept, 24);
    case ReplaceFailure::SyncFolder:
        throw mEBadStorage("Ошибка сохранения файла на диск: " + fileName_ + reasonLine(reason), 23);
    }
}

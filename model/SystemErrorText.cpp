#include "model/SystemErrorText.h"

#include <cerrno>
#include <cstring>
#include <string_view>

namespace {

// strerror_r comes in two flavours: the XSI one fills the buffer and returns a status, the GNU
// one returns the text, which may or may not be in the buffer.
[[maybe_unused]] const char* strerrorResult(int status, const char* buffer)
{
    return status == 0 ? buffer : nullptr;
}
[[maybe_unused]] const char* strerrorResult(const char* text, const char*)
{
    return text;
}

// Russian text is the Cyrillic of UTF-8: its letters start with the bytes 0xD0 and 0xD1.
bool isRussian(std::string_view text)
{
    return text.find_first_of("\xD0\xD1") != std::string_view::npos;
}

} // namespace

std::string systemErrorText(int errorNumber)
{
    switch (errorNumber) {
    case 0:
        return "причина неизвестна";
    case EACCES:
    case EPERM:
        return "нет прав доступа";
    case ENOSPC:
    case EDQUOT:
        return "недостаточно места на диске";
    case EROFS:
        return "диск доступен только для чтения";
    case ENOENT:
    case ENOTDIR:
        return "нет такого файла или папки";
    case ENAMETOOLONG:
        return "слишком длинное имя файла";
    case EFBIG:
        return "превышен допустимый размер файла";
    case EIO:
        return "ошибка ввода-вывода: диск или носитель неисправен либо отключен";
    case EMFILE:
    case ENFILE:
        return "открыто слишком много файлов";
    case EBUSY:
        return "файл или устройство занято";
    case ETXTBSY:
        return "файл занят: он выполняется как программа";
    case EWOULDBLOCK:
        return "файл занят другой программой";
    case EXDEV:
        return "файл нельзя переместить на другой диск";
    case EOPNOTSUPP:
        return "действие не поддерживается файловой системой";
    case ENOLCK:
        return "файловая система не поддерживает блокировку файлов";
    case ENOSYS:
        return "действие не поддерживается системой";
    case EISDIR:
        return "это папка, а не файл";
    case ELOOP:
        return "слишком много символических ссылок подряд или ссылка в цикле";
    case EEXIST:
        return "файл уже существует";
    case ENOTEMPTY:
        return "папка не пуста";
    case EMLINK:
        return "слишком много ссылок на файл";
    case ENOMEM:
        return "недостаточно памяти";
    case EINTR:
        return "действие прервано";
    case EINVAL:
        return "недопустимое действие для этого файла";
    case EBADF:
        return "файл не открыт";
    case ENXIO:
    case ENODEV:
        return "устройство не найдено";
    case ESTALE:
        return "файл на сетевом диске больше недоступен";
    case ETIMEDOUT:
        return "истекло время ожидания";
    case ENOTCONN:
    case ECONNREFUSED:
    case ECONNRESET:
    case EHOSTUNREACH:
    case ENETUNREACH:
    case ENETDOWN:
        return "нет связи с сетевым диском";
    case ENODATA:
        return "нет данных";
    case EOVERFLOW:
        return "файл слишком велик для этой операции";
    default:
        break;
    }
    // The system's text only where it speaks Russian: the user reads no other language.
    char buffer[256] = {};
    const char* text = strerrorResult(::strerror_r(errorNumber, buffer, sizeof buffer), buffer);
    if (text != nullptr && isRussian(text))
        return text;
    return "системная ошибка " + std::to_string(errorNumber);
}

std::string notRegularFileText(bool folder)
{
    return folder ? "это папка, а не файл" : "это не обычный файл, а канал или устройство";
}

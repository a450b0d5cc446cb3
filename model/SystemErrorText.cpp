#include "model/SystemErrorText.h"

#include <cerrno>
#include <cstring>

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
    default:
        break;
    }
    char buffer[256] = {};
    const char* text = strerrorResult(::strerror_r(errorNumber, buffer, sizeof buffer), buffer);
    if (text == nullptr || *text == '\0')
        return "системная ошибка " + std::to_string(errorNumber);
    return text;
}

std::string notRegularFileText(bool folder)
{
    return folder ? "это папка, а не файл" : "это не обычный файл, а канал или устройство";
}

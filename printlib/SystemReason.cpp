#include "SystemReason.h"

#include "WideText.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <string_view>

namespace SystemReason {

namespace {

struct Reason {
    int errnum;
    std::u16string_view text;
};

constexpr auto kReasons = std::to_array<Reason>({
    {0, u"Причина неизвестна"},
    {EACCES, u"Нет прав доступа"},
    {EPERM, u"Нет прав доступа"},
    {ENOSPC, u"Недостаточно места на диске"},
    {EDQUOT, u"Недостаточно места на диске"},
    {EROFS, u"Диск доступен только для чтения"},
    {ENOENT, u"Нет такого файла или папки"},
    {ENOTDIR, u"Часть пути не является папкой"},
    {ENAMETOOLONG, u"Слишком длинное имя файла"},
    {EFBIG, u"Превышен допустимый размер файла"},
    {EIO, u"Ошибка ввода-вывода: диск или носитель неисправен либо отключен"},
    {EMFILE, u"Открыто слишком много файлов"},
    {ENFILE, u"Открыто слишком много файлов"},
    {EBUSY, u"Файл или устройство занято"},
    {ETXTBSY, u"Файл занят: он выполняется как программа"},
    {EWOULDBLOCK, u"Файл занят другой программой"},
    {EXDEV, u"Файл нельзя переместить на другой диск"},
    {EOPNOTSUPP, u"Действие не поддерживается файловой системой"},
    {ENOLCK, u"Файловая система не поддерживает блокировку файлов"},
    {ENOSYS, u"Действие не поддерживается системой"},
    {EISDIR, u"Это папка, а не файл"},
    {ELOOP, u"Слишком много символических ссылок подряд или ссылка в цикле"},
    {EEXIST, u"Файл уже существует"},
    {ENOTEMPTY, u"Папка не пуста"},
    {EMLINK, u"Слишком много ссылок на файл"},
    {ENOMEM, u"Недостаточно памяти"},
    {EINTR, u"Действие прервано"},
    {EINVAL, u"Недопустимое действие для этого файла"},
    {EBADF, u"Файл не открыт"},
    {ENXIO, u"Устройство не найдено"},
    {ENODEV, u"Устройство не найдено"},
    {ESTALE, u"Файл на сетевом диске больше недоступен"},
    {ETIMEDOUT, u"Истекло время ожидания"},
    {ENOTCONN, u"Нет связи с сетевым диском"},
    {ECONNREFUSED, u"Нет связи с сетевым диском"},
    {ECONNRESET, u"Нет связи с сетевым диском"},
    {EHOSTUNREACH, u"Нет связи с сетевым диском"},
    {ENETUNREACH, u"Нет связи с сетевым диском"},
    {ENETDOWN, u"Нет связи с сетевым диском"},
    {ENODATA, u"Нет данных"},
    {EOVERFLOW, u"Файл слишком велик для этой операции"},
    {EPIPE, u"Канал закрыт с другой стороны"},
    {ESPIPE, u"Это канал или устройство, а не файл"},
    {ECANCELED, u"Действие отменено"},
});

} // namespace

std::u16string text(int errnum)
{
    const auto found = std::ranges::find(kReasons, errnum, &Reason::errnum);
    if (found != kReasons.end())
        return std::u16string(found->text);
    return u"Системная ошибка " + WideText::decimal(errnum);
}

} // namespace SystemReason

#include "SystemReason.h"

#include "Md5.h"
#include "SSError.h"
#include "TempFile.h"
#include "TiffTestSupport.h"
#include "WideText.h"
#include "XmlDom.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <functional>
#include <string>

namespace {

using testing::HasSubstr;
using testing::Not;

TEST(SystemReasonTest, ReasonsAFileOperationMeetsAreRussian)
{
    const struct {
        int errnum;
        const char* reason;
    } cases[] = {
        {0, "Причина неизвестна"},
        {EACCES, "Нет прав доступа"},
        {EPERM, "Нет прав доступа"},
        {ENOSPC, "Недостаточно места на диске"},
        {EDQUOT, "Недостаточно места на диске"},
        {EROFS, "Диск доступен только для чтения"},
        {ENOENT, "Нет такого файла или папки"},
        {ENOTDIR, "Часть пути не является папкой"},
        {ENAMETOOLONG, "Слишком длинное имя файла"},
        {EFBIG, "Превышен допустимый размер файла"},
        {EIO, "Ошибка ввода-вывода: диск или носитель неисправен либо отключен"},
        {EMFILE, "Открыто слишком много файлов"},
        {ENFILE, "Открыто слишком много файлов"},
        {EBUSY, "Файл или устройство занято"},
        {ETXTBSY, "Файл занят: он выполняется как программа"},
        {EWOULDBLOCK, "Файл занят другой программой"},
        {EXDEV, "Файл нельзя переместить на другой диск"},
        {EOPNOTSUPP, "Действие не поддерживается файловой системой"},
        {ENOLCK, "Файловая система не поддерживает блокировку файлов"},
        {ENOSYS, "Действие не поддерживается системой"},
        {EISDIR, "Это папка, а не файл"},
        {ELOOP, "Слишком много символических ссылок подряд или ссылка в цикле"},
        {EEXIST, "Файл уже существует"},
        {ENOTEMPTY, "Папка не пуста"},
        {EMLINK, "Слишком много ссылок на файл"},
        {ENOMEM, "Недостаточно памяти"},
        {EINTR, "Действие прервано"},
        {EINVAL, "Недопустимое действие для этого файла"},
        {EBADF, "Файл не открыт"},
        {ENXIO, "Устройство не найдено"},
        {ENODEV, "Устройство не найдено"},
        {ESTALE, "Файл на сетевом диске больше недоступен"},
        {ETIMEDOUT, "Истекло время ожидания"},
        {ENOTCONN, "Нет связи с сетевым диском"},
        {ECONNREFUSED, "Нет связи с сетевым диском"},
        {ECONNRESET, "Нет связи с сетевым диском"},
        {EHOSTUNREACH, "Нет связи с сетевым диском"},
        {ENETUNREACH, "Нет связи с сетевым диском"},
        {ENETDOWN, "Нет связи с сетевым диском"},
        {ENODATA, "Нет данных"},
        {EOVERFLOW, "Файл слишком велик для этой операции"},
        {EPIPE, "Канал закрыт с другой стороны"},
        {ESPIPE, "Это канал или устройство, а не файл"},
        {ECANCELED, "Действие отменено"},
        {EPROTO, "Системная ошибка 71"},
        {-5, "Системная ошибка -5"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(utf8(SystemReason::text(c.errnum)), c.reason) << std::strerror(c.errnum);
}

// Whatever the process's locale: no reason the library gives reads in English.
TEST(SystemReasonTest, NoReasonHasALatinLetter)
{
    for (int errnum = 0; errnum < 200; ++errnum) {
        const std::u16string reason = SystemReason::text(errnum);
        EXPECT_FALSE(reason.empty()) << errnum;
        EXPECT_EQ(reason.find_first_of(u"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"), std::u16string::npos)
            << errnum << ": " << utf8(reason);
    }
}

// Real failures, each in a way root's rights do not get round: a path through a regular file as
// if it were a folder, and a file size limit.
TEST(SystemReasonTest, ReportsOfRealFailuresGiveTheReasonInRussian)
{
    ScratchFolder folder;
    const std::string file = folder.file("plain.txt");
    std::ofstream(file) << "not a folder";
    const std::string throughFile = file + "/out.pdf";
    const struct {
        const char* name;
        std::function<void()> action;
        std::string reason;
        int errnum;
    } cases[] = {
        {"writing under a file", [&] { TempFile output(throughFile); }, "Часть пути не является папкой", ENOTDIR},
        {"the digest of a file under a file", [&] { Md5::ofFile(throughFile, SSError::kSourceExports); },
         "Часть пути не является папкой", ENOTDIR},
        {"reading data under a file",
         [&] {
             XmlDocument document;
             if (!document.load(WideText::fromUtf8(throughFile)))
                 XmlRaiseParseError(document, u"", SSError::kSourceDocument, __LINE__);
         },
         "Часть пути не является папкой", ENOTDIR},
    };
    for (const auto& c : cases) {
        const std::string report = utf8(errorReport(c.action));
        EXPECT_THAT(report, HasSubstr(c.reason)) << c.name;
        EXPECT_THAT(report, Not(HasSubstr(std::strerror(c.errnum)))) << c.name;
    }

    const std::string limited = reportUnderFileSizeLimit(100, [&] {
        TempFile output(folder.file("big.bin"));
        const std::string block(4096, 'x');
        output.write(block.data(), block.size());
        output.commit();
    });
    EXPECT_THAT(limited, HasSubstr("Превышен допустимый размер файла"));
    EXPECT_THAT(limited, Not(HasSubstr(std::strerror(EFBIG))));
}

} // namespace

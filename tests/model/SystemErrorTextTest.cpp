#include "model/SystemErrorText.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <clocale>
#include <cstring>
#include <string>

TEST(SystemErrorText, CommonCausesInOurOwnWords)
{
    struct Case {
        int error;
        const char* text;
    } const cases[] = {
        {EACCES, "нет прав доступа"},
        {EPERM, "нет прав доступа"},
        {ENOSPC, "недостаточно места на диске"},
        {EDQUOT, "недостаточно места на диске"},
        {EROFS, "диск доступен только для чтения"},
        {ENOENT, "нет такого файла или папки"},
        {ENOTDIR, "нет такого файла или папки"},
        {ENAMETOOLONG, "слишком длинное имя файла"},
        {EFBIG, "превышен допустимый размер файла"},
        {EIO, "ошибка ввода-вывода: диск или носитель неисправен либо отключен"},
        {EMFILE, "открыто слишком много файлов"},
        {ENFILE, "открыто слишком много файлов"},
        {EBUSY, "файл или устройство занято"},
        {EWOULDBLOCK, "файл занят другой программой"},
        {EXDEV, "файл нельзя переместить на другой диск"},
        {EOPNOTSUPP, "действие не поддерживается файловой системой"},
        {ENOLCK, "файловая система не поддерживает блокировку файлов"},
        {EISDIR, "это папка, а не файл"},
        {0, "причина неизвестна"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(systemErrorText(c.error), c.text) << c.error;
}

// Whatever the locale, the user reads Russian: none of the system's English texts comes through.
TEST(SystemErrorText, EveryReasonIsRussianWhateverTheLocale)
{
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    for (const char* locale : {"C", "C.UTF-8", "en_US.UTF-8", "de_DE.UTF-8"}) {
        if (!std::setlocale(LC_ALL, locale))
            continue;
        SCOPED_TRACE(locale);
        for (int error = 0; error < 140; ++error) {
            const std::string text = systemErrorText(error);
            EXPECT_NE(text.find_first_of("\xD0\xD1"), std::string::npos) << error << ": " << text;
            EXPECT_EQ(text.find_first_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"), std::string::npos)
                << error << ": " << text;
        }
        EXPECT_EQ(systemErrorText(99999), "системная ошибка 99999");
    }
    std::setlocale(LC_ALL, previous.c_str());
}

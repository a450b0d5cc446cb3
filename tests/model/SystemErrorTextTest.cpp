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
        {0, "причина неизвестна"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(systemErrorText(c.error), c.text) << c.error;
}

TEST(SystemErrorText, OtherCausesInTheSystemsWords)
{
    // The system's own text in the C locale is the oracle.
    std::setlocale(LC_MESSAGES, "C");
    for (const int error : {EIO, EBUSY, EISDIR, ELOOP, EMFILE})
        EXPECT_EQ(systemErrorText(error), std::strerror(error)) << error;
    EXPECT_FALSE(systemErrorText(99999).empty());
}

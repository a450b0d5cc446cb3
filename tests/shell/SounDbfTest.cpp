#include "shell/SounDbf.h"

#include <functional>
#include <optional>
#include <string>

#include <QFile>
#include <QTemporaryDir>

#include <sys/stat.h>

#include <gtest/gtest.h>

#include "tests/shell/ShellTestSupport.h"
#include "tests/shell/SounDbfBuilder.h"
#include "tests/support/ChildProcess.h"

namespace {

class SounDbfTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(folder.isValid()); }

    QString write(const QByteArray& bytes)
    {
        const QString path = folder.filePath(QStringLiteral("soun1.dbf"));
        EXPECT_TRUE(writeBytes(path, bytes));
        return path;
    }

    QTemporaryDir folder;
};

soun::Record office(const char* code, const char* utf8Name)
{
    soun::Record record;
    record.code = code;
    record.name = soun::dos(utf8Name);
    return record;
}

TEST_F(SounDbfTest, TakesTheCurrentReceivingOfficesInTheFileOrder)
{
    std::vector<soun::Record> records;
    records.push_back(office("0101", "Межрайонная инспекция ФНС №2 по Республике Адыгея"));
    records.push_back(office("7701", "  Инспекция ФНС № 1 по г.Москве  "));
    for (const char* kind : {"31", "41", "42", "43", "21", "50", "52", "60"}) {
        soun::Record other = office("5000", "Инспекция");
        other.code = "50" + std::to_string(10 + records.size());
        other.kind = kind;
        records.push_back(other);
    }
    // Left out: the two codes, other kinds, a blank or other flag, a filled closing field, a deleted record.
    records.push_back(office("3906", "Межрайонная инспекция ФНС №9 по городу Калининграду"));
    records.push_back(office("7203", "Инспекция ФНС по г. Тюмени № 3"));
    soun::Record territorial = office("0102", "Территориально обособленное рабочее место");
    territorial.kind = "44";
    records.push_back(territorial);
    soun::Record directorate = office("0100", "Управление ФНС по Республике Адыгея");
    directorate.kind = "10";
    records.push_back(directorate);
    soun::Record unflagged = office("0103", "Инспекция без признака");
    unflagged.flag = " ";
    records.push_back(unflagged);
    soun::Record flaggedOtherwise = office("0104", "Инспекция с признаком 2");
    flaggedOtherwise.flag = "2";
    records.push_back(flaggedOtherwise);
    soun::Record closed = office("0105", "Закрытая инспекция");
    closed.firstClosing = "01.01.2015";
    records.push_back(closed);
    soun::Record closedToo = office("0106", "Закрытая инспекция");
    closedToo.secondClosing = "2015";
    records.push_back(closedToo);
    soun::Record deleted = office("0107", "Удаленная запись");
    deleted.deleted = true;
    records.push_back(deleted);
    // The last record of the file counts as any other; its name uses the letters of the code page's tail.
    records.push_back(office("9901", "Инспекция ФНС по городу и космодрому Байконуру ёЁ №°"));

    const std::vector<Inspection> offices = readSounOffices(write(soun::file(records)));

    std::vector<Inspection> expected{
        {"0101", "Межрайонная инспекция ФНС №2 по Республике Адыгея"},
        {"7701", "Инспекция ФНС № 1 по г.Москве"},
    };
    for (std::size_t i = 2; i < 10; ++i)
        expected.push_back({QString::fromStdString(records[i].code), QStringLiteral("Инспекция")});
    expected.push_back({"9901", "Инспекция ФНС по городу и космодрому Байконуру ёЁ №°"});
    EXPECT_EQ(offices, expected);
}

TEST_F(SounDbfTest, TrimsControlCharactersAroundTheFields)
{
    soun::Record record = office("7701", "Инспекция");
    record.name = "\t\x01" + soun::dos("Инспекция ФНС № 1") + std::string(3, '\0');
    record.kind = "30";
    record.firstClosing = std::string(5, '\0');

    EXPECT_EQ(readSounOffices(write(soun::file({record}))), (std::vector<Inspection>{{"7701", "Инспекция ФНС № 1"}}));
}

struct BrokenFile {
    const char* name;
    std::function<QByteArray()> bytes;
    const char* expectedMessage; // part of the error's text
};

QByteArray truncated(QByteArray bytes, qsizetype size)
{
    bytes.truncate(size);
    return bytes;
}

std::vector<soun::Record> threeOffices()
{
    return {office("0101", "Первая"), office("0202", "Вторая"), office("0303", "Третья")};
}

TEST_F(SounDbfTest, RefusesFilesThatCannotBeReadWhole)
{
    const BrokenFile cases[] = {
        {"empty file", [] { return QByteArray(); }, "меньше заголовка файла dBASE"},
        {"truncated header", [] { return truncated(soun::file(threeOffices()), 20); }, "меньше заголовка файла dBASE"},
        {"header cut inside the field descriptors", [] { return truncated(soun::file(threeOffices()), 200); },
         "указана длина заголовка 385 байт, а длина файла 200 байт"},
        {"descriptors without their end mark",
         [] {
             soun::Options options;
             options.terminateDescriptors = false;
             return soun::file(threeOffices(), options);
         },
         "описания полей не завершены"},
        {"record count past the end of the file",
         [] {
             soun::Options options;
             options.statedCount = 5;
             return soun::file(threeOffices(), options);
         },
         "в заголовке указано записей: 5, а в файле целых записей: 3"},
        {"record count near 2^32",
         [] {
             soun::Options options;
             options.statedCount = 0xFFFFFFFFll;
             return soun::file(threeOffices(), options);
         },
         "в заголовке указано записей: 4294967295"},
        {"last record cut short", [] { return truncated(soun::file(threeOffices()), 385 + 2 * 1194 + 600); },
         "в заголовке указано записей: 3, а в файле целых записей: 2"},
        {"other record length",
         [] {
             soun::Options options;
             options.statedRecordLength = 1000;
             return soun::file(threeOffices(), options);
         },
         "длина записи 1000 байт вместо 1194"},
        {"fields shorter than the record",
         [] {
             soun::Options options;
             options.fields.pop_back();
             return soun::file(threeOffices(), options);
         },
         "поля занимают 944 байт записи длиной 1194 байт"},
        {"name field moved",
         [] {
             soun::Options options;
             options.fields[3].length = 120;   // the name starts at 157
             options.fields[10].length += 4;   // the record keeps its length
             return soun::file(threeOffices(), options);
         },
         "нет текстового поля длиной 250 с позиции 161"},
        {"code field of another type",
         [] {
             soun::Options options;
             options.fields[0].type = 'N';
             return soun::file(threeOffices(), options);
         },
         "нет текстового поля длиной 4 с позиции 1"},
        {"names in windows-1251 instead of DOS text",
         [] {
             std::vector<soun::Record> records = threeOffices();
             records[1].name = soun::encoded("Межрайонная ИФНС России № 2", "CP1251");
             return soun::file(records);
         },
         "запись 2: наименование инспекции 0202 записано не в кодировке DOS (866)"},
        {"control character inside a name",
         [] {
             std::vector<soun::Record> records = threeOffices();
             records[2].name = soun::dos("Треть") + '\x07' + soun::dos("я");
             return soun::file(records);
         },
         "запись 3: наименование инспекции 0303 записано не в кодировке DOS (866)"},
        {"code that is not four digits",
         [] {
             std::vector<soun::Record> records = threeOffices();
             records[0].code = "01A1";
             return soun::file(records);
         },
         "запись 1: код инспекции не из четырех цифр"},
        {"no current office",
         [] {
             std::vector<soun::Record> records = threeOffices();
             for (soun::Record& record : records)
                 record.kind = "44";
             return soun::file(records);
         },
         "нет ни одной действующей инспекции"},
        {"no records at all", [] { return soun::file({}); }, "нет ни одной действующей инспекции"},
    };
    for (const BrokenFile& test : cases) {
        SCOPED_TRACE(test.name);
        const QString path = write(test.bytes());
        try {
            readSounOffices(path);
            ADD_FAILURE() << "read without an error";
        } catch (const SounFileError& error) {
            EXPECT_NE(std::string(error.what()).find(test.expectedMessage), std::string::npos) << error.what();
            EXPECT_NE(std::string(error.what()).find(path.toStdString()), std::string::npos) << error.what();
        }
    }
}

// A file that cannot be opened is named with the reason in Russian; a FIFO is refused at once
// instead of waiting for a writer (each read runs in a child under a one-second watchdog).
TEST_F(SounDbfTest, AMissingFileIsNamed)
{
    const QString fifo = folder.filePath(QStringLiteral("fifo.dbf"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString huge = folder.filePath(QStringLiteral("huge.dbf"));
    {
        QFile file(huge);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_TRUE(file.resize(qint64(256) * 1024 * 1024 + 1)); // sparse: no disk space taken
    }
    const struct {
        const char* name;
        QString path;
        const char* reason;
    } cases[] = {
        {"missing file", folder.filePath(QStringLiteral("nowhere.dbf")), "нет такого файла или папки"},
        {"folder", folder.path(), "это папка, а не файл"},
        {"FIFO", fifo, "это не обычный файл, а канал или устройство"},
        {"file past the bound", huge, "файл больше 256 МБ"},
    };
    for (const auto& c : cases) {
        const std::optional<std::string> message = resultWithinOneSecond([&] {
            try {
                readSounOffices(c.path);
            } catch (const SounFileError& error) {
                return std::string(error.what());
            }
            return std::string("read without an error");
        });
        ASSERT_TRUE(message.has_value()) << c.name << ": the read hung";
        EXPECT_EQ(*message, "Не удалось открыть файл " + c.path.toStdString() + ": " + c.reason) << c.name;
    }
}

} // namespace

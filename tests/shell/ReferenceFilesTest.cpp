#include "shell/ReferenceFiles.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>

#include <sys/stat.h>

#include "controls/MessageBox.h"
#include "model/Cp1251.h"
#include "tests/shell/ProgramFolderTest.h"
#include "tests/support/ChildProcess.h"

namespace {

struct Directory {
    const char* fileName;
    std::optional<ReferenceElement> ReferenceDirectories::*loaded;
    const char* content; // UTF-8; written in windows-1251 as the program's own files are
};

const Directory directories[] = {
    {InspectionsFileName, &ReferenceDirectories::inspections,
     "<?xml version=\"1.0\" encoding=\"windows-1251\"?><Inspections Version=\"00\" Date=\"01.01.2021\">"
     "<Inspection Code=\"7701\">ИФНС России № 1 по г.Москве</Inspection></Inspections>"},
    {CountriesFileName, &ReferenceDirectories::countries,
     "<?xml version=\"1.0\" encoding=\"windows-1251\"?><Oksm><Country Code=\"643\">РОССИЯ</Country></Oksm>"},
    {ActivityCodesFileName, &ReferenceDirectories::activityCodes,
     "<?xml version=\"1.0\" encoding=\"windows-1251\"?><Okved><Item GRUP=\"1\" Kod=\"A\" Name=\"СЕЛЬСКОЕ ХОЗЯЙСТВО\"/></Okved>"},
    {CurrencyRatesFileName, &ReferenceDirectories::currencyRates,
     "<?xml version=\"1.0\" encoding=\"windows-1251\"?><Rates><Currency Code=\"840\" Name=\"Доллар США\">"
     "<Rate Date=\"01.01.2021\" Rate=\"73,88\" Quantity=\"1\"/></Currency></Rates>"},
};

class ReferenceFilesTest : public ProgramFolderTest {
protected:
    void write(const char* fileName, const QByteArray& data)
    {
        QFile file(folder.filePath(QLatin1String(fileName)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(data);
    }
    void writeAllBut(const char* skipped)
    {
        for (const Directory& directory : directories) {
            if (directory.fileName != skipped)
                write(directory.fileName, QByteArray::fromStdString(cp1251::fromUtf8(directory.content)));
        }
    }
};

TEST_F(ReferenceFilesTest, AllPresentFilesAreLoaded)
{
    writeAllBut(nullptr);
    const ReferenceDirectories loaded = loadReferenceDirectories(programFolder(), nullptr);
    EXPECT_TRUE(messages.empty());
    for (const Directory& directory : directories) {
        SCOPED_TRACE(directory.fileName);
        ASSERT_TRUE((loaded.*directory.loaded).has_value());
        EXPECT_EQ((loaded.*directory.loaded)->children.size(), 1u);
    }
    EXPECT_EQ(loaded.inspections->children[0].text, QStringLiteral("ИФНС России № 1 по г.Москве"));
}

TEST_F(ReferenceFilesTest, MissingFileIsSkippedSilently)
{
    for (const Directory& missing : directories) {
        SCOPED_TRACE(missing.fileName);
        QDir(folder.path()).removeRecursively();
        QDir().mkpath(folder.path());
        messages.clear();
        writeAllBut(missing.fileName);

        const ReferenceDirectories loaded = loadReferenceDirectories(programFolder(), nullptr);

        EXPECT_TRUE(messages.empty());
        for (const Directory& directory : directories)
            EXPECT_EQ((loaded.*directory.loaded).has_value(), &directory != &missing) << directory.fileName;
    }
}

TEST_F(ReferenceFilesTest, DamagedFileIsNamedToTheUserAndSkipped)
{
    for (const Directory& damaged : directories) {
        SCOPED_TRACE(damaged.fileName);
        messages.clear();
        writeAllBut(damaged.fileName);
        write(damaged.fileName, "<?xml version=\"1.0\"?>\n<Root>\n<Item Code=\"1\">text</Itme>\n</Root>");

        const ReferenceDirectories loaded = loadReferenceDirectories(programFolder(), nullptr);

        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].caption, QStringLiteral("Форвета"));
        EXPECT_EQ(messages[0].icon, QMessageBox::Warning);
        EXPECT_TRUE(messages[0].text.contains(QDir::toNativeSeparators(folder.filePath(QLatin1String(damaged.fileName)))))
            << messages[0].text.toStdString();
        EXPECT_TRUE(messages[0].text.contains(QStringLiteral("строка 3"))) << messages[0].text.toStdString();
        for (const Directory& directory : directories)
            EXPECT_EQ((loaded.*directory.loaded).has_value(), &directory != &damaged) << directory.fileName;
    }
}

// Something by the file's name that is not a file is named with the reason, and a FIFO does not
// hold up the start: each load runs in a child under a one-second watchdog.
TEST_F(ReferenceFilesTest, UnreadableFileIsNamedToo)
{
    const QString path = folder.filePath(QLatin1String(CountriesFileName));
    const struct {
        const char* name;
        std::function<bool()> make;
        const char* reason;
    } cases[] = {
        {"folder", [&] { return QDir(folder.path()).mkdir(QLatin1String(CountriesFileName)); }, "это папка, а не файл"},
        {"FIFO", [&] { return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0; }, "это не обычный файл, а канал или устройство"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QDir(folder.path()).removeRecursively();
        QDir().mkpath(folder.path());
        ASSERT_TRUE(c.make());
        const std::optional<std::string> shown = resultWithinOneSecond([&] {
            const ReferenceDirectories loaded = loadReferenceDirectories(programFolder(), nullptr);
            std::string texts = loaded.countries ? "loaded" : "";
            for (const MessageBox::Message& message : messages)
                texts += message.text.toStdString() + "|";
            return texts;
        });
        ASSERT_TRUE(shown.has_value()) << "the load hung";
        EXPECT_EQ(*shown, QStringLiteral("Не удалось прочитать файл справочника %1 (%2).\n"
                                         "Программа продолжит работу без этого справочника.|")
                              .arg(QDir::toNativeSeparators(path), QString::fromUtf8(c.reason))
                              .toStdString());
    }
}

} // namespace

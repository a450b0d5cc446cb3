#include "controls/ReferenceDocument.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

#include <sys/stat.h>

#include "model/Cp1251.h"
#include "tests/support/ChildProcess.h"

namespace {

QByteArray cp1251Bytes(const char* utf8)
{
    return QByteArray::fromStdString(cp1251::fromUtf8(utf8));
}

TEST(ReferenceDocumentTest, ReadsAWindows1251Directory)
{
    const QByteArray data = cp1251Bytes(
        "<?xml version=\"1.0\" encoding=\"windows-1251\"?>\n"
        "<Inspections Version=\"00\" Date=\"01.02.2021\">\n"
        "  <Inspection Code=\"0101\">Межрайонная ИФНС России № 1 по Республике Адыгея</Inspection>\n"
        "  <Inspection Code=\"7701\">  ИФНС России № 1 по г.Москве  </Inspection>\n"
        "</Inspections>\n");

    const ReferenceElement root = parseReferenceXml(data);

    EXPECT_EQ(root.name, QStringLiteral("Inspections"));
    EXPECT_EQ(root.attribute(u"Date"), QStringLiteral("01.02.2021"));
    EXPECT_EQ(root.attribute(u"Missing"), QString());
    ASSERT_EQ(root.children.size(), 2u);
    EXPECT_EQ(root.children[0].attribute(u"Code"), QStringLiteral("0101"));
    EXPECT_EQ(root.children[0].text, QStringLiteral("Межрайонная ИФНС России № 1 по Республике Адыгея"));
    EXPECT_EQ(root.children[1].text, QStringLiteral("ИФНС России № 1 по г.Москве"));
}

TEST(ReferenceDocumentTest, ReadsNestedUtf8Elements)
{
    const QByteArray data(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
        "<Rates><Currency Code=\"840\" Name=\"Доллар США\">"
        "<Rate Date=\"01.01.2021\" Rate=\"73,88\" Quantity=\"1\"/><Rate Date=\"02.01.2021\" Rate=\"74,1\" Quantity=\"1\"/>"
        "</Currency><Currency Code=\"978\" Name=\"Евро\"/></Rates>");

    const ReferenceElement root = parseReferenceXml(data);

    ASSERT_EQ(root.children.size(), 2u);
    const ReferenceElement& dollar = root.children[0];
    EXPECT_EQ(dollar.attribute(u"Name"), QStringLiteral("Доллар США"));
    ASSERT_EQ(dollar.children.size(), 2u);
    EXPECT_EQ(dollar.children[1].attribute(u"Rate"), QStringLiteral("74,1"));
    EXPECT_TRUE(root.children[1].children.empty());
}

TEST(ReferenceDocumentTest, DamagedTextNamesThePlaceOfTheFault)
{
    const struct {
        const char* name;
        const char* xml;
        qint64 line;
    } cases[] = {
        {"empty", "", 1},
        {"truncated", "<Countries>\n<Country Code=\"643\">РОССИЯ</Country>\n", 3},
        {"mismatched tags", "<Countries>\n<Country Code=\"643\">РОССИЯ</Countri>\n</Countries>", 2},
        {"two document elements", "<a/>\n<b/>", 2},
        {"not XML", "Code;Name\n643;РОССИЯ\n", 1},
        {"unquoted attribute", "<a>\n\n<b Code=643/></a>", 3},
        {"unknown encoding", "<?xml version=\"1.0\" encoding=\"x-unheard-of\"?><a/>", 1},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        try {
            parseReferenceXml(QByteArray(test.xml));
            ADD_FAILURE() << "no error";
        } catch (const ReferenceFileError& error) {
            EXPECT_EQ(error.line, test.line);
            EXPECT_FALSE(error.description.isEmpty());
        }
    }
}

// Everything a parse gives: the elements' names, attributes and texts, or the refusal's text.
QString everythingGiven(const QByteArray& data)
{
    QString given;
    const std::function<void(const ReferenceElement&)> walk = [&](const ReferenceElement& element) {
        given += element.name + u'|' + element.text + u'|';
        for (const auto& [name, value] : element.attributes)
            given += name + u'=' + value + u'|';
        for (const ReferenceElement& child : element.children)
            walk(child);
    };
    try {
        walk(parseReferenceXml(data));
    } catch (const ReferenceFileError& error) {
        given = QStringLiteral("refused: ") + error.description + u'|' + QString::fromUtf8(error.what());
    }
    return given;
}

// The entity's content never arrives, neither in the elements nor in a refusal's text; the same
// document without the entity loads, so the test does not pass on a parser that refuses all.
TEST(ReferenceDocumentTest, ExternalEntitiesAreNeverFetched)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    QFile secret(folder.filePath(QStringLiteral("secret.txt")));
    ASSERT_TRUE(secret.open(QIODevice::WriteOnly));
    secret.write("SECRET");
    secret.close();
    const QString entity = QStringLiteral("<!ENTITY leak SYSTEM \"file://%1\">").arg(secret.fileName());
    const struct {
        const char* name;
        QString document;
    } cases[] = {
        {"in an element's text", QStringLiteral("<?xml version=\"1.0\"?><!DOCTYPE a [%1]><a><b Code=\"1\">&leak;</b></a>")},
        {"beside text", QStringLiteral("<?xml version=\"1.0\"?><!DOCTYPE a [%1]><a><b Code=\"1\">x&leak;y</b></a>")},
        {"in a nested element",
         QStringLiteral("<?xml version=\"1.0\"?><!DOCTYPE a [%1]><a><b Code=\"1\"><c>&leak;</c></b></a>")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString withEntity = c.document.arg(entity);
        EXPECT_FALSE(everythingGiven(withEntity.toUtf8()).contains(QStringLiteral("SECRET")));

        // The control: the entity's place holds plain text, and the document loads with it.
        QString plain = c.document.arg(QString());
        plain.replace(QStringLiteral("<!DOCTYPE a []>"), QString());
        plain.replace(QStringLiteral("&leak;"), QStringLiteral("SECRET"));
        const QString given = everythingGiven(plain.toUtf8());
        EXPECT_FALSE(given.startsWith(QStringLiteral("refused"))) << given.toStdString();
        EXPECT_TRUE(given.contains(QStringLiteral("SECRET"))) << given.toStdString();
    }
}

TEST(ReferenceDocumentTest, FileThatCannotBeOpenedIsAnError)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    EXPECT_THROW(readReferenceFile(folder.filePath(QStringLiteral("Oksm.xml"))), ReferenceFileError);

    QFile file(folder.filePath(QStringLiteral("Oksm.xml")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(cp1251Bytes("<?xml version=\"1.0\" encoding=\"windows-1251\"?><C><c Code=\"643\">РОССИЯ</c></C>"));
    file.close();
    EXPECT_EQ(readReferenceFile(file.fileName()).children.at(0).text, QStringLiteral("РОССИЯ"));
}

// Only a regular file is read, and a FIFO is refused at once instead of waiting for a writer;
// the reason is the user's language. Each read runs in a child under a one-second watchdog.
TEST(ReferenceDocumentTest, WhatIsNotARegularFileIsRefusedAtOnce)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString fifo = folder.filePath(QStringLiteral("Oksm.xml"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString big = folder.filePath(QStringLiteral("Sp_OKVED2.xml"));
    {
        QFile file(big);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_TRUE(file.resize(qint64(64) * 1024 * 1024 + 1)); // sparse: no disk space taken
    }
    const struct {
        const char* name;
        QString path;
        QString description;
    } cases[] = {
        {"FIFO", fifo, QStringLiteral("это не обычный файл, а канал или устройство")},
        {"folder", folder.path(), QStringLiteral("это папка, а не файл")},
        {"device", QStringLiteral("/dev/zero"), QStringLiteral("это не обычный файл, а канал или устройство")},
        {"file past the bound", big, QStringLiteral("файл больше 64 МБ")},
        {"missing file", folder.filePath(QStringLiteral("none.xml")), QStringLiteral("нет такого файла или папки")},
    };
    for (const auto& c : cases) {
        const std::optional<std::string> description = resultWithinOneSecond([&] {
            try {
                readReferenceFile(c.path);
            } catch (const ReferenceFileError& error) {
                return error.description.toStdString() + "|" + std::to_string(error.line);
            }
            return std::string("read");
        });
        ASSERT_TRUE(description.has_value()) << c.name << ": the read hung";
        EXPECT_EQ(*description, c.description.toStdString() + "|0") << c.name;
    }
}

} // namespace

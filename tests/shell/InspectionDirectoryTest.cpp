#include "shell/InspectionDirectory.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "controls/ReferenceDocument.h"
#include "model/Cp1251.h"
#include "tests/shell/ShellTestSupport.h"

namespace {

class InspectionDirectoryTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(folder.isValid()); }

    QString path() const { return folder.filePath(QStringLiteral("InspectionNumbers.xml")); }

    QTemporaryDir folder;
};

const InspectionDirectory sample{
    "00",
    "09.02.2022",
    {
        {"0101", "Межрайонная инспекция ФНС №2 по Республике Адыгея"},
        {"7701", "Инспекция \"Москва\" № 1 <центр> & ёЁ\u00A0по г.Москве"},
        {"9998", "Федеральная налоговая служба (Р)"},
    },
};

TEST_F(InspectionDirectoryTest, WrittenDirectoryReadsBackInOrder)
{
    writeInspectionDirectory(path(), sample);

    const ReferenceElement root = readReferenceFile(path());
    EXPECT_EQ(root.name, QStringLiteral("Inspections"));
    EXPECT_EQ(root.attribute(u"Version"), QStringLiteral("00"));
    EXPECT_EQ(root.attribute(u"Date"), QStringLiteral("09.02.2022"));
    EXPECT_EQ(inspectionsOf(root), sample.offices);
}

TEST_F(InspectionDirectoryTest, FileIsWindows1251XmlThatXmllintReads)
{
    writeInspectionDirectory(path(), sample);

    const QByteArray bytes = fileBytes(path());
    EXPECT_TRUE(bytes.startsWith("<?xml version=\"1.0\" encoding=\"windows-1251\"?>\n<Inspections Version=\"00\" "
                                 "Date=\"09.02.2022\">\n  <Inspection Code=\"0101\">"));
    EXPECT_TRUE(bytes.contains(QByteArray::fromStdString(cp1251::fromUtf8("№2 по Республике Адыгея</Inspection>\n"))));
    EXPECT_EQ(runCommand("xmllint --noout " + quoted(path()) + " 2>&1"), (std::pair<std::string, int>{"", 0}));
    EXPECT_EQ(xpathValue(path(), "string(/Inspections/Inspection[@Code=\"7701\"])"),
              "Инспекция \"Москва\" № 1 <центр> & ёЁ\u00A0по г.Москве");
    EXPECT_EQ(xpathValue(path(), "count(/Inspections/*)"), "3");
}

TEST_F(InspectionDirectoryTest, ReaderTakesEveryChildOfTheRootWhateverItsName)
{
    const ReferenceElement root = parseReferenceXml(QByteArray::fromStdString(cp1251::fromUtf8(
        "<?xml version=\"1.0\" encoding=\"windows-1251\"?><Inspections Version=\"00\" Date=\"01.01.2021\">"
        "<Inspection Code=\"0101\">Адыгея</Inspection><Office Code=\"0202\">Второй</Office>"
        "<Inspection>Без кода</Inspection></Inspections>")));

    EXPECT_EQ(inspectionsOf(root),
              (std::vector<Inspection>{{"0101", "Адыгея"}, {"0202", "Второй"}, {"", "Без кода"}}));
}

// A code typed on a page is named from the directory: the first office with that code, and
// nothing for a code the directory lacks or an empty field.
TEST_F(InspectionDirectoryTest, NameOfACodeIsTheFirstOfficeWithIt)
{
    const ReferenceElement root = parseReferenceXml(QByteArray::fromStdString(cp1251::fromUtf8(
        "<?xml version=\"1.0\" encoding=\"windows-1251\"?><Inspections Version=\"00\" Date=\"01.01.2021\">"
        "<Inspection Code=\"0101\">Адыгея</Inspection><Office Code=\"7701\">Москва № 1</Office>"
        "<Inspection Code=\"7701\">Москва, вторая запись</Inspection><Inspection>Без кода</Inspection>"
        "<Inspection Code=\"7702\"></Inspection></Inspections>")));
    const struct {
        const char* name;
        QString code;
        std::optional<QString> expected;
    } cases[] = {
        {"the first office", QStringLiteral("0101"), QStringLiteral("Адыгея")},
        {"a code held twice", QStringLiteral("7701"), QStringLiteral("Москва № 1")},
        {"an office without a name", QStringLiteral("7702"), QString()},
        {"a code the directory lacks", QStringLiteral("7703"), std::nullopt},
        {"the start of a code", QStringLiteral("77"), std::nullopt},
        {"a code with a blank", QStringLiteral("0101 "), std::nullopt},
        {"an empty field", QString(), std::nullopt},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        EXPECT_EQ(inspectionName(root, test.code), test.expected);
    }
    EXPECT_EQ(inspectionName(ReferenceElement{}, QStringLiteral("0101")), std::nullopt) << "an empty directory";
}

TEST_F(InspectionDirectoryTest, AFailedWriteKeepsTheOldFile)
{
    const QByteArray old("<?xml version=\"1.0\"?><Inspections/>");
    ASSERT_TRUE(writeBytes(path(), old));
    const struct {
        const char* name;
        Inspection office;
    } cases[] = {
        {"a character that windows-1251 has not", {"7701", "Инспекция ✓"}},
        {"a control character", {"7701", "Инспекция\x01"}},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        EXPECT_THROW(writeInspectionDirectory(path(), InspectionDirectory{"00", "01.01.2022", {test.office}}),
                     InspectionDirectoryError);
        EXPECT_EQ(fileBytes(path()), old);
        EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"InspectionNumbers.xml"});
    }
}

TEST_F(InspectionDirectoryTest, AFolderThatCannotBeWrittenIsNamed)
{
    const QString target = folder.filePath(QStringLiteral("missing/InspectionNumbers.xml"));
    try {
        writeInspectionDirectory(target, sample);
        ADD_FAILURE() << "written";
    } catch (const InspectionDirectoryError& error) {
        EXPECT_NE(std::string(error.what()).find("Не удалось записать файл " + target.toStdString()), std::string::npos)
            << error.what();
    }
}

} // namespace

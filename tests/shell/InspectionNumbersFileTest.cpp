// The tax-office directory shipped with the program, resources/InspectionNumbers.xml, and its
// generator scripts/generate-inspection-numbers.
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "controls/ReferenceDocument.h"
#include "model/Cp1251.h"
#include "shell/InspectionDirectory.h"
#include "tests/shell/ShellTestSupport.h"

namespace {

const QString ShippedDirectory = sourceTreeFile("resources/InspectionNumbers.xml");
const QString Generator = sourceTreeFile("scripts/generate-inspection-numbers");

std::string xpath(const std::string& expression)
{
    return xpathValue(ShippedDirectory, expression);
}

TEST(InspectionNumbersFile, ShippedDirectoryHoldsTheWholeClassifierOf2019)
{
    EXPECT_EQ(runCommand("xmllint --noout " + quoted(ShippedDirectory) + " 2>&1"), (std::pair<std::string, int>{"", 0}));
    EXPECT_TRUE(fileBytes(ShippedDirectory).startsWith("<?xml version=\"1.0\" encoding=\"windows-1251\"?>\n"));
    EXPECT_EQ(xpath("string(/Inspections/@Version)"), "00");
    EXPECT_EQ(xpath("string(/Inspections/@Date)"), "01.07.2019");
    // The classifier's 2608 lines, each an office.
    EXPECT_EQ(xpath("count(/Inspections/Inspection)"), "2608");
    EXPECT_EQ(xpath("count(/Inspections/*)"), "2608");

    const struct {
        const char* code;
        const char* name;
    } offices[] = {
        {"0000", "Федеральная налоговая служба"},
        {"0101", "Межрайонная инспекция Федеральной налоговой службы №2 по Республике Адыгея"},
        {"7701", "Инспекция Федеральной налоговой службы № 1 по г.Москве"},
        {"9901", "Инспекция Федеральной налоговой службы по городу и космодрому Байконуру"},
        {"9998", "Федеральная налоговая служба (Р)"},
    };
    for (const auto& office : offices) {
        SCOPED_TRACE(office.code);
        EXPECT_EQ(xpath(std::string("string(/Inspections/Inspection[@Code=\"") + office.code + "\"])"), office.name);
    }
    EXPECT_EQ(xpath("string(/Inspections/Inspection[1]/@Code)"), "0000");
    EXPECT_EQ(xpath("string(/Inspections/Inspection[last()]/@Code)"), "9998");

    // The program reads it as the directory it writes itself.
    const std::vector<Inspection> read = inspectionsOf(readReferenceFile(ShippedDirectory));
    ASSERT_EQ(read.size(), 2608u);
    EXPECT_EQ(read[2], (Inspection{"0101", "Межрайонная инспекция Федеральной налоговой службы №2 по Республике Адыгея"}));
}

class GeneratorTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(folder.isValid()); }

    // Runs the generator on a classifier text; gives its exit status.
    int generate(const std::string& classifierUtf8, const char* date = "01.07.2019")
    {
        EXPECT_TRUE(writeBytes(classifier(), QByteArray::fromStdString(classifierUtf8)));
        return runCommand("python3 " + quoted(Generator) + " " + quoted(classifier()) + " " + date + " "
                          + quoted(target()) + " 2>/dev/null")
            .second;
    }
    QString classifier() const { return folder.filePath(QStringLiteral("offices.csv")); }
    QString target() const { return folder.filePath(QStringLiteral("InspectionNumbers.xml")); }

    QTemporaryDir folder;
};

TEST_F(GeneratorTest, WritesTheDirectoryAsTheProgramItselfDoes)
{
    ASSERT_EQ(generate("code;name\r\n"
                       "0101;Межрайонная инспекция ФНС №2 по Республике Адыгея\r\n"
                       "7701; Инспекция \"Москва\" № 1 <центр> & ёЁ\u00A0по г.Москве \r\n"
                       "9998;Федеральная налоговая служба (Р)\n"),
              0);

    const InspectionDirectory expected{"00",
                                       "01.07.2019",
                                       {
                                           {"0101", "Межрайонная инспекция ФНС №2 по Республике Адыгея"},
                                           {"7701", "Инспекция \"Москва\" № 1 <центр> & ёЁ\u00A0по г.Москве"},
                                           {"9998", "Федеральная налоговая служба (Р)"},
                                       }};
    EXPECT_EQ(fileBytes(target()), inspectionDirectoryXml(expected));
    EXPECT_EQ(runCommand("xmllint --noout " + quoted(target()) + " 2>&1"), (std::pair<std::string, int>{"", 0}));
}

TEST_F(GeneratorTest, RefusesAFaultyClassifierAndKeepsTheTarget)
{
    const QByteArray old("old directory");
    const struct {
        const char* name;
        const char* classifier;
        const char* date;
    } cases[] = {
        {"no header line", "0101;Адыгея\n", "01.07.2019"},
        {"code of three digits", "code;name\n101;Адыгея\n", "01.07.2019"},
        {"office without a name", "code;name\n0101; \n", "01.07.2019"},
        {"office listed twice", "code;name\n0101;Адыгея\n0101;Адыгея\n", "01.07.2019"},
        {"character windows-1251 has not", "code;name\n0101;Адыгея ✓\n", "01.07.2019"},
        {"control character", "code;name\n0101;Ады\x01гея\n", "01.07.2019"},
        {"no offices", "code;name\n", "01.07.2019"},
        {"date not DD.MM.YYYY", "code;name\n0101;Адыгея\n", "2019-07-01"},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        ASSERT_TRUE(writeBytes(target(), old));
        EXPECT_NE(generate(test.classifier, test.date), 0);
        EXPECT_EQ(fileBytes(target()), old);
    }
}

} // namespace

// The tax-office directory shipped with the program, resources/InspectionNumbers.xml, and its
// generator scripts/generate-inspection-numbers.
#include <QRegularExpression>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "controls/ReferenceDocument.h"
#include "model/Cp1251.h"
#include "shell/InspectionDirectory.h"
#include "shell/SounDbf.h"
#include "tests/shell/ShellTestSupport.h"
#include "tests/shell/SounDbfBuilder.h"
#include "tests/support/GeneratorRuns.h"

namespace {

const QString ShippedDirectory = sourceTreeFile("resources/InspectionNumbers.xml");
const QString Generator = sourceTreeFile("scripts/generate-inspection-numbers");

std::string xpath(const std::string& expression)
{
    return xpathValue(ShippedDirectory, expression);
}

// What tells an office that takes no declarations in a classifier without kinds of office: the
// federal service's name, and a territorial sub-unit's word (any case, also misspelled) or its
// abbreviation.
bool takesNoDeclarations(const Inspection& office)
{
    static const QRegularExpression federalService(QStringLiteral("^Федеральная налоговая служба\\b"),
                                                   QRegularExpression::UseUnicodePropertiesOption);
    static const QRegularExpression subUnitWord(QStringLiteral("территори?альн"),
                                                QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression subUnitAbbreviation(QStringLiteral("\\bТОРМ\\b"),
                                                        QRegularExpression::UseUnicodePropertiesOption);
    return federalService.match(office.name).hasMatch() || subUnitWord.match(office.name).hasMatch()
        || subUnitAbbreviation.match(office.name).hasMatch();
}

const std::vector<Inspection>& shippedOffices()
{
    static const std::vector<Inspection> offices = inspectionsOf(readReferenceFile(ShippedDirectory));
    return offices;
}

TEST(InspectionNumbersFile, ShippedDirectoryHoldsTheReceivingOfficesOf2019)
{
    EXPECT_EQ(runCommand("xmllint --noout " + quoted(ShippedDirectory) + " 2>&1"), (std::pair<std::string, int>{"", 0}));
    EXPECT_TRUE(fileBytes(ShippedDirectory).startsWith("<?xml version=\"1.0\" encoding=\"windows-1251\"?>\n"));
    EXPECT_EQ(xpath("string(/Inspections/@Version)"), "00");
    EXPECT_EQ(xpath("string(/Inspections/@Date)"), "01.07.2019");
    // The classifier's 2608 offices less the federal service (0000 and 9998), 3906, 7203 and
    // 1497 territorial sub-units.
    EXPECT_EQ(xpath("count(/Inspections/Inspection)"), "1107");
    EXPECT_EQ(xpath("count(/Inspections/*)"), "1107");

    const struct {
        const char* code;
        const char* name;
    } offices[] = {
        {"0101", "Межрайонная инспекция Федеральной налоговой службы №2 по Республике Адыгея"},
        {"7701", "Инспекция Федеральной налоговой службы № 1 по г.Москве"},
        {"9901", "Инспекция Федеральной налоговой службы по городу и космодрому Байконуру"},
        {"9979", "Межрегиональная инспекция Федеральной налоговой службы по крупнейшим налогоплательщикам № 9"},
    };
    for (const auto& office : offices) {
        SCOPED_TRACE(office.code);
        EXPECT_EQ(xpath(std::string("string(/Inspections/Inspection[@Code=\"") + office.code + "\"])"), office.name);
    }
    EXPECT_EQ(xpath("string(/Inspections/Inspection[1]/@Code)"), "0100");
    EXPECT_EQ(xpath("string(/Inspections/Inspection[last()]/@Code)"), "9979");

    // The program reads it as the directory it writes itself.
    ASSERT_EQ(shippedOffices().size(), 1107u);
    EXPECT_EQ(shippedOffices()[1],
              (Inspection{"0101", "Межрайонная инспекция Федеральной налоговой службы №2 по Республике Адыгея"}));
}

// The shipped directory holds what the program's own import would keep of the same offices:
// fed to the import as current receiving offices, every one of them is kept, in its order;
// and none is the federal service or a territorial sub-unit, which the import leaves out by
// their kind.
TEST(InspectionNumbersFile, ShippedDirectoryHoldsNoOfficeTheImportLeavesOut)
{
    const std::vector<Inspection>& offices = shippedOffices();
    ASSERT_FALSE(offices.empty());
    std::vector<soun::Record> records;
    for (const Inspection& office : offices) {
        soun::Record record;
        record.code = office.code.toStdString();
        record.name = soun::dos(office.name.toStdString());
        ASSERT_FALSE(record.name.empty()) << office.code.toStdString() << ": no DOS text";
        records.push_back(record);
    }
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString classifier = folder.filePath(QStringLiteral("soun1.dbf"));
    ASSERT_TRUE(writeBytes(classifier, soun::file(records)));
    EXPECT_EQ(readSounOffices(classifier), offices);

    QStringList takingNone;
    for (const Inspection& office : offices) {
        if (takesNoDeclarations(office))
            takingNone.append(office.code);
    }
    EXPECT_TRUE(takingNone.isEmpty()) << takingNone.join(u' ').toStdString();
    for (const char* code : {"0000", "3906", "7203", "9998"})
        EXPECT_EQ(xpath(std::string("count(/Inspections/Inspection[@Code=\"") + code + "\"])"), "0") << code;
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
                       "9901;Инспекция ФНС по городу и космодрому Байконуру\n"),
              0);

    const InspectionDirectory expected{"00",
                                       "01.07.2019",
                                       {
                                           {"0101", "Межрайонная инспекция ФНС №2 по Республике Адыгея"},
                                           {"7701", "Инспекция \"Москва\" № 1 <центр> & ёЁ\u00A0по г.Москве"},
                                           {"9901", "Инспекция ФНС по городу и космодрому Байконуру"},
                                       }};
    EXPECT_EQ(fileBytes(target()), inspectionDirectoryXml(expected));
    EXPECT_EQ(runCommand("xmllint --noout " + quoted(target()) + " 2>&1"), (std::pair<std::string, int>{"", 0}));
}

TEST_F(GeneratorTest, LeavesOutTheOfficesThatTakeNoDeclarations)
{
    const std::vector<Inspection> receiving{
        {"0100", "Управление Федеральной налоговой службы по Республике Адыгея"},
        {"0101", "Межрайонная инспекция Федеральной налоговой службы №2 по Республике Адыгея"},
        {"2466", "Инспекция ФНС по Железнодорожному району г.Красноярска"},
        {"9901", "Инспекция Федеральной налоговой службы по городу и космодрому Байконуру"},
    };
    const std::vector<Inspection> leftOut{
        {"0000", "Федеральная налоговая служба"},
        {"0102", "Территориально-обособленное рабочее место в Красногвардейском районе"},
        {"0401", "ТЕРРИТОРИАЛЬНО-ОБОСОБЛЕННОЕ РАБОЧЕЕ МЕСТО В КОШ-АГАЧСКОМ РАЙОНЕ"},
        {"0501", "МРИ ФНС России №2 по Республике Дагестан, Территориальный участок 0501"},
        {"1701", "Территорально-обособленное рабочее место Межрайонной ИФНС России № 1 по Республике Тыва"},
        {"2462", "ТОРМ Межрайонной ИФНС России № 24 по Красноярскому краю"},
        {"3906", "Межрайонная инспекция Федеральной налоговой службы №9 по городу Калининграду"},
        {"4601", "Межрайонная инспекция ФНС №4 по Курской области (ТОРМ в сл.Белая)"},
        {"5408", "Межрайонная инспекция ФНС №13 по г. Новосибирску (территориальный участок 5408)"},
        {"7203", "Инспекция Федеральной налоговой службы по г. Тюмени № 3"},
        {"9998", "Федеральная налоговая служба (Р)"},
    };
    std::string classifier = "code;name\n";
    for (const auto* offices : {&leftOut, &receiving})
        for (const Inspection& office : *offices)
            classifier += office.code.toStdString() + ";" + office.name.toStdString() + "\n";
    ASSERT_EQ(generate(classifier), 0);

    EXPECT_EQ(fileBytes(target()), inspectionDirectoryXml(InspectionDirectory{"00", "01.07.2019", receiving}));
    // The test of the shipped directory tells them as the generator does.
    for (const Inspection& office : receiving)
        EXPECT_FALSE(takesNoDeclarations(office)) << ::testing::PrintToString(office);
    for (const Inspection& office : leftOut) {
        if (office.code != "3906" && office.code != "7203") {
            EXPECT_TRUE(takesNoDeclarations(office)) << ::testing::PrintToString(office);
        }
    }
}

TEST_F(GeneratorTest, RefusesAClassifierOfOfficesThatTakeNoDeclarationsOnly)
{
    const QByteArray old("old directory");
    ASSERT_TRUE(writeBytes(target(), old));
    EXPECT_NE(generate("code;name\n"
                       "0000;Федеральная налоговая служба\n"
                       "0102;Территориально обособленное рабочее место\n"),
              0);
    EXPECT_EQ(fileBytes(target()), old);
}

TEST_F(GeneratorTest, RefusesAFaultyClassifierAndKeepsTheTarget)
{
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
    std::vector<RefusedInput> inputs;
    for (const auto& test : cases)
        inputs.push_back({test.name, QStringLiteral("offices.csv"), QByteArray(test.classifier),
                          {QString::fromLatin1(test.date)}, ""});
    expectEachRefused(Generator, folder.path(), QStringLiteral("InspectionNumbers.xml"), inputs);
}

} // namespace

// The activity-code directory shipped with the program, resources/Sp_OKVED2.xml, and its
// generator scripts/generate-activity-codes.
#include <set>

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "controls/MessageBox.h"
#include "controls/ReferenceDocument.h"
#include "model/Cp1251.h"
#include "shell/ReferenceFiles.h"
#include "tests/shell/ShellTestSupport.h"
#include "tests/support/GeneratorRuns.h"

namespace {

const QString ShippedDirectory = sourceTreeFile("resources/Sp_OKVED2.xml");
const QString Generator = sourceTreeFile("scripts/generate-activity-codes");

std::string xpath(const std::string& expression)
{
    return xpathValue(ShippedDirectory, expression);
}

const ReferenceElement& shippedRoot()
{
    static const ReferenceElement root = readReferenceFile(ShippedDirectory);
    return root;
}

// The code right above an activity code: "01.11.1" above "01.11.11", "01.1" above "01.11",
// "01" above "01.1"; empty above a two-digit code, which lies under its section.
QString parentCode(const QString& code)
{
    if (code.size() <= 2)
        return {};
    QString parent = code.chopped(1);
    if (parent.endsWith(u'.'))
        parent.chop(1);
    return parent;
}

TEST(ActivityCodesFile, ShippedDirectoryHoldsTheWholeClassifier)
{
    EXPECT_EQ(runCommand("xmllint --noout " + quoted(ShippedDirectory) + " 2>&1"), (std::pair<std::string, int>{"", 0}));
    EXPECT_TRUE(fileBytes(ShippedDirectory).startsWith("<?xml version=\"1.0\" encoding=\"windows-1251\"?>\n<OKVED>\n"));
    // 21 sections and 2,878 codes.
    EXPECT_EQ(xpath("count(/OKVED/Item)"), "2899");
    EXPECT_EQ(xpath("count(/OKVED/*)"), "2899");

    const struct {
        const char* level;
        const char* entries;
    } levels[] = {{"1", "21"}, {"2", "88"}, {"3", "272"}, {"4", "623"}, {"5", "1228"}, {"6", "667"}};
    for (const auto& level : levels)
        EXPECT_EQ(xpath(std::string("count(/OKVED/Item[@GRUP=\"") + level.level + "\"])"), level.entries) << level.level;

    const struct {
        const char* key;
        const char* level;
        const char* name;
        const char* code; // empty: none
    } entries[] = {
        {"A", "1", "Раздел A. СЕЛЬСКОЕ, ЛЕСНОЕ ХОЗЯЙСТВО, ОХОТА, РЫБОЛОВСТВО И РЫБОВОДСТВО", ""},
        {"U", "1", "Раздел U. ДЕЯТЕЛЬНОСТЬ ЭКСТЕРРИТОРИАЛЬНЫХ ОРГАНИЗАЦИЙ И ОРГАНОВ", ""},
        {"G47", "2", "47 Торговля розничная, кроме торговли автотранспортными средствами и мотоциклами", "47"},
        {"G47.1", "3", "47.1 Торговля розничная в неспециализированных магазинах", "47.1"},
        {"A01.11", "4", "01.11 Выращивание зерновых (кроме риса), зернобобовых культур и семян масличных культур",
         "01.11"},
        {"G47.11", "4",
         "47.11 Торговля розничная преимущественно пищевыми продуктами, включая напитки, и табачными изделиями в "
         "неспециализированных магазинах",
         "47.11"},
        {"C14.11.2", "5", "14.11.2 Пошив одежды из кожи по индивидуальному заказу населения", "14.11.2"},
        {"A01.11.11", "6", "01.11.11 Выращивание пшеницы", "01.11.11"},
        // The published text has a tab in the middle of this name.
        {"M74.90.92", "6",
         "74.90.92 Деятельность по разработке информационных и телекоммуникационных систем, защищенных с "
         "использованием средств защиты информации",
         "74.90.92"},
        {"U99.00", "4", "99.00 Деятельность экстерриториальных организаций и органов", "99.00"},
    };
    for (const auto& entry : entries) {
        SCOPED_TRACE(entry.key);
        const std::string item = std::string("/OKVED/Item[@Kod=\"") + entry.key + "\"]";
        EXPECT_EQ(xpath("count(" + item + ")"), "1");
        EXPECT_EQ(xpath("string(" + item + "/@GRUP)"), entry.level);
        EXPECT_EQ(xpath("string(" + item + "/@Name)"), entry.name);
        EXPECT_EQ(xpath("string(" + item + "/@OKVED)"), entry.code);
        EXPECT_EQ(xpath("count(" + item + "/@OKVED)"), *entry.code ? "1" : "0");
    }
    EXPECT_EQ(xpath("string(/OKVED/Item[1]/@Kod)"), "A");
    EXPECT_EQ(xpath("string(/OKVED/Item[last()]/@Kod)"), "U99.00");

    // Sections have no code; every other entry has its code, of at most 8 characters, after its
    // section letter in its key.
    EXPECT_EQ(xpath("count(/OKVED/Item[@GRUP=\"1\"][@OKVED])"), "0");
    EXPECT_EQ(xpath("count(/OKVED/Item[@GRUP=\"1\"][string-length(@Kod) != 1])"), "0");
    EXPECT_EQ(xpath("count(/OKVED/Item[@GRUP!=\"1\"][not(@OKVED)])"), "0");
    EXPECT_EQ(xpath("count(/OKVED/Item[string-length(@OKVED) > 8])"), "0");
    EXPECT_EQ(xpath("count(/OKVED/Item[@OKVED][substring(@Kod, 2) != @OKVED])"), "0");
}

// In document order, the entry one level up nearest before an entry is its parent, and the
// parent's key is the entry's key less its last digit (less the section's code for a level-2
// entry): each section is followed by its tree, every code by the codes below it.
TEST(ActivityCodesFile, ShippedDirectoryIsInTheOrderOfTheTree)
{
    const struct {
        const char* level;
        const char* charactersBelowParent;
    } levels[] = {{"2", "2"}, {"3", "2"}, {"4", "1"}, {"5", "2"}, {"6", "1"}};
    for (const auto& level : levels) {
        SCOPED_TRACE(level.level);
        const std::string parent = std::string("preceding-sibling::Item[@GRUP = ") + level.level + " - 1][1]/@Kod";
        EXPECT_EQ(xpath(std::string("count(/OKVED/Item[@GRUP=\"") + level.level + "\"][not(" + parent
                        + " = substring(@Kod, 1, string-length(@Kod) - " + level.charactersBelowParent + "))])"),
                  "0");
    }
    // Lines the published text has out of code order stand in their place.
    EXPECT_EQ(xpath("string(/OKVED/Item[@Kod=\"C14.11.1\"]/following-sibling::Item[1]/@Kod)"), "C14.11.2");
    EXPECT_EQ(xpath("string(/OKVED/Item[@Kod=\"E38.32.2\"]/preceding-sibling::Item[1]/@Kod)"), "E38.32.12");
}

// The picker finds the entries below a chosen one by the start of their keys and the chosen
// entry by its level and shown name: the keys must tell exactly the descendants, and no name
// may repeat within a level.
TEST(ActivityCodesFile, ProgramReadsKeysThatTellExactlyTheDescendants)
{
    const ReferenceElement& root = shippedRoot();
    EXPECT_EQ(root.name, QStringLiteral("OKVED"));
    ASSERT_EQ(root.children.size(), 2899u);

    std::vector<QString> keys;
    std::set<QString> codes;
    std::set<std::pair<QString, QString>> shownNames;
    for (const ReferenceElement& entry : root.children) {
        const QString key = entry.attribute(u"Kod");
        const QString code = entry.attribute(u"OKVED");
        SCOPED_TRACE(key.toStdString());
        EXPECT_EQ(entry.name, QStringLiteral("Item"));
        EXPECT_TRUE(shownNames.insert({entry.attribute(u"GRUP"), entry.attribute(u"Name")}).second);
        EXPECT_TRUE(code.isEmpty() || codes.insert(code).second);
        keys.push_back(key);
    }

    const auto ancestorsOrSelf = [](const QString& key) {
        std::set<QString> chain{key.left(1)};
        for (QString code = key.mid(1); !code.isEmpty(); code = parentCode(code))
            chain.insert(key.left(1) + code);
        return chain;
    };
    int wrongPairs = 0;
    for (const QString& key : keys) {
        const std::set<QString> above = ancestorsOrSelf(key);
        for (const QString& other : keys) {
            if (key.startsWith(other) != above.contains(other) && ++wrongPairs <= 10)
                ADD_FAILURE() << key.toStdString() << " and " << other.toStdString();
        }
    }
    EXPECT_EQ(wrongPairs, 0);
}

TEST(ActivityCodesFile, ProgramLoadsItFromItsFolder)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    ASSERT_TRUE(QFile::copy(ShippedDirectory, folder.filePath(QLatin1String(ActivityCodesFileName))));
    std::vector<MessageBox::Message> messages;
    MessageBox::setAnswerer([&messages](const MessageBox::Message& message) {
        messages.push_back(message);
        return QMessageBox::Ok;
    });
    const ReferenceDirectories directories = loadReferenceDirectories(folder.path() + u'/', nullptr);
    MessageBox::setAnswerer({});

    EXPECT_TRUE(messages.empty());
    ASSERT_TRUE(directories.activityCodes.has_value());
    EXPECT_EQ(directories.activityCodes->children.size(), 2899u);
}

// A small classifier as the statistics service publishes it, with what the published text
// holds: lines out of code order, a code listed before the code above it, a tab in a name.
const std::string ClassifierLines[] = {
    R"("A";" ";"СЕЛЬСКОЕ ХОЗЯЙСТВО")",
    R"("A";"01";"Растениеводство")",
    R"("A";"01.1";"Выращивание однолетних культур")",
    R"("A";"01.11";"Выращивание зерновых")",
    R"("A";"01.11.1";"Выращивание зерновых культур")",
    R"("A";"01.11.12";"Выращивание ячменя")",
    R"("A";"01.11.11";"Выращивание пшеницы")",
    R"("A";"01.2";"Выращивание многолетних культур")",
    R"("G";" ";"ТОРГОВЛЯ")",
    R"("G";"47";"Торговля розничная")",
    "\"G\";\"47.11\";\"Торговля в магазинах «Продукты» & <прочих> \"\"сетевых\"\"\t  магазинах\"",
    R"("G";"47.1";"Торговля в неспециализированных магазинах")",
};

const char* const ExpectedDirectory = R"(<?xml version="1.0" encoding="windows-1251"?>
<OKVED>
  <Item GRUP="1" Kod="A" Name="Раздел A. СЕЛЬСКОЕ ХОЗЯЙСТВО"/>
  <Item GRUP="2" Kod="A01" Name="01 Растениеводство" OKVED="01"/>
  <Item GRUP="3" Kod="A01.1" Name="01.1 Выращивание однолетних культур" OKVED="01.1"/>
  <Item GRUP="4" Kod="A01.11" Name="01.11 Выращивание зерновых" OKVED="01.11"/>
  <Item GRUP="5" Kod="A01.11.1" Name="01.11.1 Выращивание зерновых культур" OKVED="01.11.1"/>
  <Item GRUP="6" Kod="A01.11.11" Name="01.11.11 Выращивание пшеницы" OKVED="01.11.11"/>
  <Item GRUP="6" Kod="A01.11.12" Name="01.11.12 Выращивание ячменя" OKVED="01.11.12"/>
  <Item GRUP="3" Kod="A01.2" Name="01.2 Выращивание многолетних культур" OKVED="01.2"/>
  <Item GRUP="1" Kod="G" Name="Раздел G. ТОРГОВЛЯ"/>
  <Item GRUP="2" Kod="G47" Name="47 Торговля розничная" OKVED="47"/>
  <Item GRUP="3" Kod="G47.1" Name="47.1 Торговля в неспециализированных магазинах" OKVED="47.1"/>
  <Item GRUP="4" Kod="G47.11" Name="47.11 Торговля в магазинах «Продукты» &amp; &lt;прочих&gt; &quot;сетевых&quot; магазинах" OKVED="47.11"/>
</OKVED>
)";

// The classifier with the line of the given number (from 1) replaced; nullptr leaves it out.
std::string classifierWith(std::size_t lineNumber, const char* replacement)
{
    std::string text;
    for (std::size_t number = 1; number <= std::size(ClassifierLines); ++number) {
        if (number != lineNumber)
            text += ClassifierLines[number - 1] + "\r\n";
        else if (replacement)
            text += std::string(replacement) + "\r\n";
    }
    return text;
}

class ActivityCodesGeneratorTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(folder.isValid()); }

    // Runs the generator on a classifier given in UTF-8 (written in windows-1251) or as raw
    // bytes; gives what it reported and its exit status.
    std::pair<std::string, int> generate(const std::string& classifierUtf8)
    {
        return generateFromBytes(cp1251::fromUtf8(classifierUtf8));
    }
    std::pair<std::string, int> generateFromBytes(const std::string& classifierBytes)
    {
        EXPECT_TRUE(writeBytes(classifier(), QByteArray::fromStdString(classifierBytes)));
        return runCommand("python3 " + quoted(Generator) + " " + quoted(classifier()) + " " + quoted(target())
                          + " 2>&1 >/dev/null");
    }
    QString classifier() const { return folder.filePath(QStringLiteral("okved2.csv")); }
    QString target() const { return folder.filePath(QStringLiteral("Sp_OKVED2.xml")); }

    QTemporaryDir folder;
};

TEST_F(ActivityCodesGeneratorTest, WritesTheEntriesInTheOrderOfTheTree)
{
    ASSERT_EQ(generate(classifierWith(0, nullptr)).second, 0);

    EXPECT_EQ(runCommand("iconv -f WINDOWS-1251 -t UTF-8 " + quoted(target())),
              (std::pair<std::string, int>{ExpectedDirectory, 0}));
    EXPECT_EQ(runCommand("xmllint --noout " + quoted(target()) + " 2>&1"), (std::pair<std::string, int>{"", 0}));
    EXPECT_EQ(xpathValue(target(), "string(/OKVED/Item[@Kod=\"G47.11\"]/@Name)"),
              "47.11 Торговля в магазинах «Продукты» & <прочих> \"сетевых\" магазинах");
}

TEST_F(ActivityCodesGeneratorTest, RefusesAFaultyClassifierAndKeepsTheTarget)
{
    const struct {
        const char* name;
        std::string text; // UTF-8
        const char* reported;
    } cases[] = {
        {"code under a missing code", classifierWith(3, nullptr), "line 3"},
        {"code under a missing section", classifierWith(9, nullptr), "line 9"},
        {"code in another section than the code above it", classifierWith(8, R"("G";"01.2";"Цветы")"), "line 8"},
        {"code of a section listed in no line", classifierWith(8, R"("B";"05";"Добыча угля")"), "line 8"},
        {"code with a three-digit part", classifierWith(4, R"("A";"01.111";"Выращивание")"), "line 4"},
        {"code of one digit", classifierWith(2, R"("A";"1";"Растениеводство")"), "line 2"},
        {"code with three digits in the second part", classifierWith(4, R"("A";"01.1.1";"Выращивание")"), "line 4"},
        {"code with a letter", classifierWith(2, R"("A";"0A";"Растениеводство")"), "line 2"},
        {"code with a dash", classifierWith(4, R"("A";"01-11";"Выращивание")"), "line 4"},
        {"code of seven parts", classifierWith(6, R"("A";"01.11.121";"Выращивание")"), "line 6"},
        {"line of two fields", classifierWith(5, R"("A";"01.11.1")"), "line 5"},
        {"line of four fields", classifierWith(5, R"("A";"01.11.1";"Выращивание";"")"), "line 5"},
        {"section in lower case", classifierWith(1, R"("a";" ";"СЕЛЬСКОЕ ХОЗЯЙСТВО")"), "line 1"},
        {"section of a Cyrillic letter", classifierWith(9, R"("Г";" ";"ТОРГОВЛЯ")"), "line 9"},
        {"section of two letters", classifierWith(9, R"("GG";" ";"ТОРГОВЛЯ")"), "line 9"},
        {"code listed twice", classifierWith(8, R"("A";"01.1";"Выращивание однолетних культур")"), "line 8"},
        {"code listed twice in two sections", classifierWith(12, R"("G";"01";"Торговля")"), "line 12"},
        {"section listed twice", classifierWith(12, R"("A";" ";"СЕЛЬСКОЕ ХОЗЯЙСТВО")"), "line 12"},
        {"entry without a name", classifierWith(7, R"("A";"01.11.11";" ")"), "line 7"},
        {"control character in a name", classifierWith(7, "\"A\";\"01.11.11\";\"Выращивание\x01пшеницы\""),
         "line 7"},
        {"line break in a name", classifierWith(7, "\"A\";\"01.11.11\";\"Выращивание\r\nпшеницы\""), "line 7"},
        {"quote inside a name not doubled", classifierWith(7, R"("A";"01.11.11";"Выращивание "пшеницы"")"),
         "line 7"},
        {"no entries", "", "okved2.csv"},
    };
    // 0x98 has no character in windows-1251.
    std::string undecodable = cp1251::fromUtf8(classifierWith(4, R"("A";"01.11";"Выращивание @")"));
    undecodable[undecodable.find('@')] = '\x98';
    const QString input = QStringLiteral("okved2.csv");
    std::vector<RefusedInput> inputs;
    for (const auto& test : cases)
        inputs.push_back({test.name, input, QByteArray::fromStdString(cp1251::fromUtf8(test.text)), {}, test.reported});
    inputs.push_back(
        {"byte windows-1251 has no character for", input, QByteArray::fromStdString(undecodable), {}, "line 4"});
    expectEachRefused(Generator, folder.path(), QStringLiteral("Sp_OKVED2.xml"), inputs);
}

} // namespace

#include "export/ExchangeFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

#include "ExportTestSupport.h"
#include "computation/ComputationTestSupport.h"
#include "model/CommaDecimalLocale.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/FileBytes.h"

namespace fs = std::filesystem;

namespace {

const std::string UuidText = fixedStamp().uuid;

// A folder of its own for each test, removed afterwards.
class ExchangeFileTest : public ::testing::Test {
protected:
    fs::path base;
    fs::path folder;

    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "forv-export-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        base = pattern;
        folder = base / "out";
        fs::create_directory(folder);
    }
    void TearDown() override
    {
        std::error_code ignored;
        fs::permissions(folder, fs::perms::owner_all, ignored);
        fs::remove_all(base, ignored);
    }

    // Every path below the test's base folder, so that a stray file anywhere shows.
    std::vector<std::string> filesBelowBase() const
    {
        std::vector<std::string> names;
        for (const auto& entry : fs::recursive_directory_iterator(base))
            names.push_back(fs::relative(entry.path(), base).string());
        std::sort(names.begin(), names.end());
        return names;
    }

};

struct IdentifierCase {
    const char* name;
    const char* inn;
    std::string fileName;
};

TEST_F(ExchangeFileTest, TheFileIsNamedByTaxOfficeInnDateAndUuid)
{
    const IdentifierCase cases[] = {
        {"INN", "500100732259", "NO_NDFL3_7701_7701_500100732259_20220315_" + UuidText + ".xml"},
        {"INN with blanks around it", "  500100732259 ", "NO_NDFL3_7701_7701_500100732259_20220315_" + UuidText + ".xml"},
        {"no INN", "", "NO_NDFL3_7701_7701_000000000000_20220315_" + UuidText + ".xml"},
        {"INN of blanks", "   ", "NO_NDFL3_7701_7701_000000000000_20220315_" + UuidText + ".xml"},
    };
    for (const IdentifierCase& c : cases) {
        auto decl = declarationWithIncome();
        decl->Person.Name.INN = c.inn;
        decl->Person.Document.DocKind = 21;
        decl->Person.Document.DocSeriesNumber = "45 01 123456";
        const ExportResult result = ExportDeclarationXml(folder, *decl, ExportMode::File, fixedStamp());
        ASSERT_TRUE(result.ok) << c.name << ": " << result.error;
        EXPECT_EQ(result.text, c.fileName) << c.name;
        const std::string bytes = readFile(folder / c.fileName);
        EXPECT_EQ(exchangeSchemaErrors((folder / c.fileName).string()), "") << c.name;
        EXPECT_EQ(attributeText(bytes, "Файл", "ИдФайл") + ".xml", c.fileName) << c.name;
    }
}

TEST_F(ExchangeFileTest, FileAndTextAreTheSameBytes)
{
    auto decl = validDeclaration();
    mbTSourse& payer = addPayer(*decl);
    payer.AddIncome13(incomeLine(2000, rub(250'000.55)));
    payer.WithheldTax13 = rub(30'000);

    const ExportResult file = ExportDeclarationXml(folder, *decl, ExportMode::File, fixedStamp());
    ASSERT_TRUE(file.ok) << file.error;
    const ExportResult text = ExportDeclarationXml(folder, *decl, ExportMode::Text, fixedStamp());
    ASSERT_TRUE(text.ok) << text.error;
    EXPECT_EQ(readFile(folder / file.text), text.text);
    EXPECT_EQ(exchangeSchemaErrors((folder / file.text).string()), "");
    // Only the file itself: no temporary left behind, nothing written by the text mode.
    EXPECT_EQ(filesBelowBase(), (std::vector<std::string>{"out", "out/" + file.text}));
}

TEST_F(ExchangeFileTest, XmllintReadsTheFileAsWindows1251)
{
    auto decl = declarationWithIncome();
    decl->Person.Name.SurName = "щукина-ёлкина";
    const ExportResult result = ExportDeclarationXml(folder, *decl, ExportMode::File, fixedStamp());
    ASSERT_TRUE(result.ok) << result.error;
    const fs::path file = folder / result.text;

    const std::string bytes = readFile(file);
    EXPECT_TRUE(bytes.starts_with("<?xml version=\"1.0\" encoding=\"windows-1251\"?>\n")) << bytes.substr(0, 60);
    EXPECT_EQ(runCommand("xmllint --noout '" + file.string() + "' 2>&1"), (std::pair<std::string, int>{"", 0}));
    EXPECT_EQ(exchangeSchemaErrors(file.string()), "");
    // The parser decodes by the declared encoding; what it gives back is UTF-8.
    const auto xpath = [&](const std::string& expression) {
        std::string value = runCommand("xmllint --xpath '" + expression + "' '" + file.string() + "'").first;
        if (value.ends_with('\n'))
            value.pop_back();
        return value;
    };
    EXPECT_EQ(xpath("string(//ФИОФЛ/@Фамилия)"), "ЩУКИНА-ЁЛКИНА");
    EXPECT_EQ(xpath("string(/*/@ВерсПрог)"), "Forv2021_1.0.0");
}

TEST_F(ExchangeFileTest, AmountsKeepTheirPointUnderADecimalCommaLocale)
{
    auto decl = validDeclaration();
    mbTSourse& payer = addPayer(*decl);
    payer.AddIncome13(incomeLine(2000, rub(1'234.5)));
    const CommaDecimalLocale comma;
    const ExportResult result = ExportDeclarationXml(folder, *decl, ExportMode::Text, fixedStamp());
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_EQ(attributeText(result.text, "РасчНалБаза", "СумДох"), "1234.50");
    EXPECT_EQ(attributeText(result.text, "РасчНалПУ", "Исчисл"), "160");
    EXPECT_EQ(result.text.find(','), std::string::npos);
}

struct RefusedCase {
    const char* name;
    const char* taxOffice;
    const char* inn;
    const char* field; // named by the message
};

TEST_F(ExchangeFileTest, ValuesOfTheFileNameAreCheckedBeforeAnythingIsWritten)
{
    const RefusedCase cases[] = {
        {"slash", "77/1", "", "Код налогового органа"},
        {"parent folder", "..", "", "Код налогового органа"},
        {"path out of the folder", "../7701", "", "Код налогового органа"},
        {"quote", "770\"", "", "Код налогового органа"},
        {"less than", "77<1", "", "Код налогового органа"},
        {"three digits", "770", "", "Код налогового органа"},
        {"five digits", "77011", "", "Код налогового органа"},
        {"letter", "77a1", "", "Код налогового органа"},
        {"blank", "770 ", "", "Код налогового органа"},
        {"empty", "", "", "Код налогового органа"},
        {"short INN", "7701", "7701000000", "ИНН"},
        {"long INN", "7701", "5001007322592", "ИНН"},
        {"INN with a letter", "7701", "77010000000Z", "ИНН"},
        {"INN with a slash", "7701", "770100/00001", "ИНН"},
        {"INN with an inner blank", "7701", "770100 000001", "ИНН"},
        {"INN with a wrong check digit", "7701", "500100732258", "не сходятся контрольные цифры"},
    };
    for (const RefusedCase& c : cases) {
        auto decl = declarationWithIncome();
        decl->TaxOfficeCode = c.taxOffice;
        decl->Person.Name.INN = c.inn;
        for (const ExportMode mode : {ExportMode::File, ExportMode::Text}) {
            const ExportResult result = ExportDeclarationXml(folder, *decl, mode, fixedStamp());
            EXPECT_FALSE(result.ok) << c.name;
            EXPECT_TRUE(result.text.empty()) << c.name;
            EXPECT_NE(result.error.find(c.field), std::string::npos) << c.name << ": " << result.error;
        }
    }
    EXPECT_EQ(filesBelowBase(), std::vector<std::string>{"out"});
}

TEST_F(ExchangeFileTest, AFolderThatCannotTakeTheFileFailsTheExport)
{
    auto decl = declarationWithIncome();
    std::ofstream(base / "plain-file") << "x";
    struct FolderCase {
        const char* name;
        fs::path folder;
        const char* message;
    };
    const FolderCase cases[] = {
        {"missing", base / "missing", "не найдена"},
        {"a file", base / "plain-file", "не найдена"},
        {"a folder no file can be made in", "/proc", "Не удалось записать файл /proc/NO_NDFL3_7701_"},
    };
    for (const FolderCase& c : cases) {
        const ExportResult result = ExportDeclarationXml(c.folder, *decl, ExportMode::File, fixedStamp());
        EXPECT_FALSE(result.ok) << c.name;
        EXPECT_NE(result.error.find(c.message), std::string::npos) << c.name << ": " << result.error;
    }
    EXPECT_EQ(filesBelowBase(), (std::vector<std::string>{"out", "plain-file"}));
}

// An export that cannot write keeps the exchange file written before under the same name and
// leaves nothing else behind. Each export runs in a child process, so that the faults bind the
// superuser too: a file-size limit fails the write itself, and a read-only folder is tried
// without the superuser's rights.
TEST_F(ExchangeFileTest, AFailedWriteKeepsThePreviousFileAndLeavesNothing)
{
    auto decl = declarationWithIncome();
    const ExportResult previous = ExportDeclarationXml(folder, *decl, ExportMode::File, fixedStamp());
    ASSERT_TRUE(previous.ok) << previous.error;
    const fs::path target = folder / previous.text;
    const std::string previousBytes = readFile(target);
    ASSERT_GT(previousBytes.size(), 1024u);
    decl->Person.Name.SurName = "Петрова";
    const auto exportWithoutRights = [&] {
        // Permissions do not bind the superuser: the export runs as nobody when the test is root.
        if (::geteuid() == 0 && (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0))
            return std::string("rights kept");
        return ExportDeclarationXml(folder, *decl, ExportMode::File, fixedStamp()).error;
    };
    const auto exportAsIs = [&] { return ExportDeclarationXml(folder, *decl, ExportMode::File, fixedStamp()).error; };

    struct FailureCase {
        const char* name;
        std::function<std::optional<std::string>()> run;
        const char* reason;
    };
    const FailureCase cases[] = {
        {"a file-size limit below the file's size", [&] { return resultUnderFileSizeLimit(1024, exportAsIs); },
         "превышен допустимый размер файла"},
        {"a read-only folder",
         [&] {
             fs::permissions(base, fs::perms::owner_all | fs::perms::others_read | fs::perms::others_exec);
             fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::others_read
                                         | fs::perms::others_exec);
             const std::optional<std::string> error = resultOfChild([] {}, exportWithoutRights);
             fs::permissions(folder, fs::perms::owner_all);
             return error;
         },
         "нет прав доступа"},
    };
    for (const FailureCase& c : cases) {
        SCOPED_TRACE(c.name);
        const std::optional<std::string> error = c.run();
        ASSERT_TRUE(error.has_value());
        EXPECT_EQ(*error, "Ошибка в выгрузке. Не удалось записать файл " + target.string() + ": " + c.reason);
        EXPECT_EQ(readFile(target), previousBytes);
        EXPECT_EQ(filesBelowBase(), (std::vector<std::string>{"out", "out/" + previous.text}));
    }
}

// A folder under the exchange file's name is not replaced by the file.
TEST_F(ExchangeFileTest, AFolderUnderTheFilesNameIsKept)
{
    auto decl = declarationWithIncome();
    const ExportResult text = ExportDeclarationXml(folder, *decl, ExportMode::Text, fixedStamp());
    ASSERT_TRUE(text.ok) << text.error;
    const std::string name = attributeText(text.text, "Файл", "ИдФайл") + ".xml";
    fs::create_directory(folder / name);
    const ExportResult result = ExportDeclarationXml(folder, *decl, ExportMode::File, fixedStamp());
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.error, "Ошибка в выгрузке. Не удалось записать файл " + (folder / name).string()
                                + ": это папка, а не файл");
    EXPECT_EQ(filesBelowBase(), (std::vector<std::string>{"out", "out/" + name}));
}

TEST_F(ExchangeFileTest, AFailedComputationWritesNothing)
{
    const struct {
        const char* name;
        std::function<void(mTDeclaration&)> build;
    } cases[] = {
        // An ownership share of 2 147 483 647 / 1 multiplies the purchase limit beyond any amount.
        {"a share beyond any limit",
         [](mTDeclaration& decl) {
             decl.ConstructionDeduct.Granted = 1;
             auto object = std::make_unique<mTConstructionDeductObj>();
             object->Cost = rub(3'000'000);
             object->ShareNumerator = std::numeric_limits<std::int32_t>::max();
             object->ShareDenominator = 1;
             decl.ConstructionDeduct.AddObject(std::move(object));
         }},
        // Two incomes of a damaged file whose sum has no money value.
        {"incomes adding up beyond the money range",
         [](mTDeclaration& decl) {
             mbTSourse& payer = *decl.GetSource(decl.AddSource());
             for (int i = 0; i < 2; ++i) {
                 auto line = std::make_unique<mTIncome>();
                 line->IncomeCode = 2000;
                 line->Month = 1;
                 line->Amount = Currency::fromUnits(std::numeric_limits<std::int64_t>::max() / 2 + 1);
                 payer.AddIncome13(std::move(line));
             }
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto decl = declarationWithIncome();
        decl->SetIncomeKinds(IncomeKindSources);
        c.build(*decl);
        for (const ExportMode mode : {ExportMode::File, ExportMode::Text}) {
            const ExportResult result = ExportDeclarationXml(folder, *decl, mode, fixedStamp());
            EXPECT_FALSE(result.ok);
            EXPECT_TRUE(result.text.empty());
            EXPECT_EQ(result.error, "Ошибка в расчетах. Пожалуйста, свяжитесь с разработчиками через службу поддержки");
        }
        EXPECT_TRUE(fs::is_empty(folder));
    }
}

TEST_F(ExchangeFileTest, EachExportTakesTodayAndANewUuid)
{
    auto decl = declarationWithIncome();
    const ExportResult first = ExportDeclarationXml(folder, *decl, ExportMode::File);
    const ExportResult second = ExportDeclarationXml(folder, *decl, ExportMode::File);
    ASSERT_TRUE(first.ok && second.ok) << first.error << second.error;
    EXPECT_NE(first.text, second.text);
    for (const ExportResult* result : {&first, &second}) {
        // The date and the UUID come from one reading each: ИдФайл and ДатаДок agree.
        const std::string bytes = readFile(folder / result->text);
        EXPECT_EQ(exchangeSchemaErrors((folder / result->text).string()), "");
        const std::string documentDate = attributeText(bytes, "Документ", "ДатаДок");
        ASSERT_EQ(documentDate.size(), 10u);
        const std::string dateDigits = documentDate.substr(6, 4) + documentDate.substr(3, 2) + documentDate.substr(0, 2);
        EXPECT_EQ(result->text.substr(0, 41), "NO_NDFL3_7701_7701_500100732259_" + dateDigits + "_");
        EXPECT_EQ(result->text.size(), 41 + 36 + 4) << result->text;
    }
}

} // namespace

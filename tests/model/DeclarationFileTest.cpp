#include "model/Declaration.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include <sys/stat.h>

#include "CommaDecimalLocale.h"
#include "DeclarationComparison.h"
#include "DeclarationFileChecker.h"
#include "DeclarationSamples.h"
#include "model/DayDate.h"
#include "model/StorageErrors.h"
#include "tests/support/FileBytes.h"
#include "tests/support/TemporaryFolder.h"

namespace fs = std::filesystem;

using namespace std::string_literals;

namespace {

const char* const badFileMessage = "Неправильный формат файла декларации, возможно он поврежден.";

// ---- Files written by hand from the layout -------------------------------------------

// One value: its length as four digits and its text.
std::string v(std::string_view text)
{
    char length[8];
    std::snprintf(length, sizeof length, "%04zu", text.size());
    return length + std::string(text);
}

std::string values(std::initializer_list<std::string_view> texts)
{
    std::string result;
    for (const std::string_view text : texts)
        result += v(text);
    return result;
}

std::string header(std::string_view docName = "Forv2021")
{
    return "DLSG" + std::string(20 - docName.size(), ' ') + std::string(docName) + "01" "03" + std::string(32, 'F');
}

// The 25 values of "@DeclInfo" as texts, each different from the others where it can be.
struct GeneralData {
    std::string taxOfficeCode = "7701";
    std::string taxOfficeName = "Tax office 1";
    std::string optionFlag = "3";
    std::string correctionNumber = "4";
    std::string declarationDate = "44681.5";
    std::string signer = "1";
    std::string taxpayerCategory = "6";
    std::string declarationType = "3";
    std::string incomeKinds = "0";
    std::string optionFlag2 = "9";
    std::string indicators[10] = {"10", "11", "12", "13", "14", "15", "16", "17", "18", "4294967295"};
    std::string representativeDocument = "Attorney 1";
    std::string businessSumA = "0";
    std::string representativeName = "Representative";
    std::string representativeOrgName;
    std::string foreignerFixedPayments = "-1234.5";
};

std::string declInfo(const GeneralData& g)
{
    std::string bytes = values({"@DeclInfo", g.taxOfficeCode, g.taxOfficeName, g.optionFlag, g.correctionNumber,
                                g.declarationDate, g.signer, g.taxpayerCategory, g.declarationType, g.incomeKinds,
                                g.optionFlag2});
    for (const std::string& indicator : g.indicators)
        bytes += v(indicator);
    return bytes + values({g.representativeDocument, g.businessSumA, g.representativeName, g.representativeOrgName,
                           g.foreignerFixedPayments});
}

// The personal data's sections of a new declaration ("RUSSIA" in windows-1251).
const std::string newPersonSections =
    "0011@PersonName" "0000" "0000" "0000" "0000" "0000" "00010"
    "0015@PersonDocument" "00010" "0000" "0000" "000532874" "000528126" "0000" "0000" "00010"
    "0010@Foreigner" "0000" "0006\xD0\xCE\xD1\xD1\xC8\xDF" "0000" "0003643"
    "0019@PhoneForeignerHome" "0000" "0000"
    "0019@PhoneForeignerWork" "0000" "0000"
    "0014@PersonAddress" "00010" "0000" "00010" "0000" "0000" "0000" "0000" "0000" "0000" "0000" "0000" "0000"
    "0010@HomePhone" "0000" "0000"
    "0010@WorkPhone" "0000" "0000";

const std::string ungrantedDeductions = values({"@StandartDeduct", "0", "@SocialDeduct", "0", "@ConstructionDeduct",
                                                "0", "@CBDeduct", "0", "@InvDeduct", "0"});

// "@DeclBusiness" without business records, its other values all different.
std::string businessSection(std::string_view representativeDocument, std::string_view businessSumA)
{
    return values({"@DeclBusiness", "0", "1", businessSumA, "3", representativeDocument, "1", "36526", "5", "6", "7",
                   "8", "1", "45000001", "45000002", "45000003", "text"});
}

// ---- Files and folders -----------------------------------------------------------------

// `bytes` with `size` bytes at `at` replaced.
std::string replaced(std::string bytes, std::size_t at, std::size_t size, std::string_view replacement)
{
    return bytes.replace(at, size, replacement);
}

mTDeclaration loadedFrom(const std::string& path)
{
    mTDeclaration declaration;
    declaration.LoadFromFile(path);
    return declaration;
}

struct Failure {
    std::string kind;
    int code = -1;
    int outerCode = -1;
    std::string message;
};

template <typename E>
bool isA(const mEPrivBase& e) { return dynamic_cast<const E*>(&e) != nullptr; }

std::string kindOf(const mEPrivBase& e)
{
    if (isA<mEMemoryAllocate>(e)) return "mEMemoryAllocate";
    if (isA<mEWriteStorage>(e)) return "mEWriteStorage";
    if (isA<mEBadStorage>(e)) return "mEBadStorage";
    if (isA<mEAlreadyCreated>(e)) return "mEAlreadyCreated";
    if (isA<mEObjectAccess>(e)) return "mEObjectAccess";
    if (isA<mEOpenStream>(e)) return "mEOpenStream";
    return "mEPrivBase";
}

// What `action` raised; anything outside the storage family fails the test.
Failure failureOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const mEPrivBase& e) {
        return {kindOf(e), e.Code, e.OuterCode, e.what()};
    } catch (const std::exception& e) {
        ADD_FAILURE() << "not a storage failure: " << e.what();
        return {"std::exception", -2, -2, e.what()};
    }
    return {"nothing", -1, -1, ""};
}

class DeclarationFile : public ::testing::Test {
protected:
    TemporaryFolder folder;
    const std::string path = folder.file("declaration.fv1");
};

} // namespace

// ---- The layout ----------------------------------------------------------------------

TEST_F(DeclarationFile, NewDeclarationSavesAsWrittenByHand)
{
    mTDeclaration declaration;
    declaration.DeclarationDate = 44681;
    ASSERT_EQ(dateText(44681), "30.04.2022");

    const std::string expected =
        "DLSG            Forv2021" "01" "03" "FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF"
        "0009@DeclInfo"
        "0000" "0000" "00010" "00010" "000544681" "00010" "00015" "00010" "00010" "00010"
        "00010" "00010" "00010" "00010" "00010" "00010" "00010" "00010" "00010" "00010"
        "0000" "00010" "0000" "0000" "00010"
        + newPersonSections;

    declaration.SaveToFile(path);
    const std::string saved = readFile(path);
    EXPECT_EQ(saved, expected);
    EXPECT_EQ(declaration.StorageSize(), saved.size());
    EXPECT_EQ(folder.entries(), std::vector<std::string>{"declaration.fv1"});

    const DeclarationFileCheck check = checkDeclarationFile(saved);
    ASSERT_TRUE(check.ok()) << check.error;
    ASSERT_NE(check.section("@DeclInfo"), nullptr);
    EXPECT_EQ(check.section("@DeclInfo")->values.size(), 25u);

    // No income kind: the deductions are neither saved nor loaded.
    const mTDeclaration loaded = loadedFrom(path);
    expectLoadedAsSaved(declaration, loaded);
    EXPECT_TRUE(loaded.StandardDeduct == mTStandartDeduct());
}

// Every value of "@DeclInfo" and of "@DeclBusiness" differs from its neighbours, so that a value
// written or read in the wrong place shows.
TEST_F(DeclarationFile, GeneralAndBusinessValuesStandInTheirPlaces)
{
    GeneralData general;
    general.incomeKinds = "4";
    general.businessSumA = "2";
    const std::string handWritten = header() + declInfo(general) + newPersonSections
                                    + businessSection("Attorney 1", "2") + ungrantedDeductions;

    mTDeclaration declaration;
    declaration.TaxOfficeCode = "7701";
    declaration.TaxOfficeName = "Tax office 1";
    declaration.OptionFlag = 3;
    declaration.CorrectionNumber = 4;
    declaration.DeclarationDate = 44681.5;
    declaration.Signer = 1;
    declaration.TaxpayerCategory = 6;
    declaration.DeclarationType = DeclarationClosingBusiness;
    declaration.SetIncomeKinds(IncomeKindBusiness);
    declaration.OptionFlag2 = 9;
    declaration.Indicators = {10, 11, 12, 13, 14, 15, 16, 17, 18, -1};
    declaration.RepresentativeDocument = "Attorney 1";
    declaration.BusinessSumA = Currency::fromWholeRoubles(2);
    declaration.RepresentativeName = "Representative";
    declaration.ForeignerFixedPayments = -Currency::fromUnits(12345000);
    declaration.ActualAdvancePayments = Currency::fromWholeRoubles(1);
    declaration.BusinessSumB = Currency::fromWholeRoubles(3);
    declaration.IsPeasantFarm = 1;
    declaration.CorrectedBase = Currency::fromWholeRoubles(5);
    declaration.CorrectedTax = Currency::fromWholeRoubles(6);
    declaration.TradeLevy = Currency::fromWholeRoubles(7);
    declaration.PatentPayments = Currency::fromWholeRoubles(8);
    declaration.OKTMOChanged = 1;
    declaration.OKTMO1 = "45000001";
    declaration.OKTMO2 = "45000002";
    declaration.OKTMO3 = "45000003";
    declaration.BusinessText = "text";

    declaration.SaveToFile(path);
    EXPECT_EQ(readFile(path), handWritten);

    writeFile(path, handWritten);
    expectLoadedAsSaved(declaration, loadedFrom(path));
}

TEST_F(DeclarationFile, FullRoundTrip)
{
    const mTDeclaration declaration = fullDeclaration();
    declaration.SaveToFile(path);
    const std::string saved = readFile(path);
    EXPECT_EQ(declaration.StorageSize(), saved.size());
    EXPECT_EQ(saved, declarationBytes(declaration));

    const DeclarationFileCheck check = checkDeclarationFile(saved);
    ASSERT_TRUE(check.ok()) << check.error;
    std::vector<std::string> ownSections;
    for (const std::string& name : check.sectionNames())
        if (name.starts_with("@Decl") || name.ends_with("Deduct"))
            ownSections.push_back(name);
    EXPECT_EQ(ownSections, (std::vector<std::string>{"@DeclInfo", "@DeclInquiry", "@DeclForeign", "@DeclWhereReturn",
                                                     "@DeclBusiness", "@StandartDeduct", "@SocialDeduct",
                                                     "@ConstructionDeduct", "@CBDeduct", "@InvDeduct"}));

    const mTDeclaration loaded = loadedFrom(path);
    expectLoadedAsSaved(declaration, loaded);
    EXPECT_EQ(declarationBytes(loaded), saved);
}

TEST_F(DeclarationFile, SavedTheSameUnderADecimalComma)
{
    const mTDeclaration declaration = fullDeclaration();
    const std::string expected = declarationBytes(declaration);

    const CommaDecimalLocale comma;
    declaration.SaveToFile(path);
    EXPECT_EQ(readFile(path), expected);
    expectLoadedAsSaved(declaration, loadedFrom(path));
}

TEST_F(DeclarationFile, RandomDeclarationsRoundTrip)
{
    std::mt19937 random(20210430);
    for (int iteration = 0; iteration < 300; ++iteration) {
        SCOPED_TRACE("iteration " + std::to_string(iteration));
        const mTDeclaration declaration = randomDeclaration(random);
        declaration.SaveToFile(path);
        const std::string saved = readFile(path);
        ASSERT_EQ(declaration.StorageSize(), saved.size());

        const DeclarationFileCheck check = checkDeclarationFile(saved);
        ASSERT_TRUE(check.ok()) << check.error;

        const mTDeclaration loaded = loadedFrom(path);
        expectLoadedAsSaved(declaration, loaded);
        if (HasFatalFailure() || HasNonfatalFailure())
            break;
    }
}

// Records added while their kind was off switch the kind on, so the file keeps them.
TEST_F(DeclarationFile, RecordsAddedWithTheirKindOffAreSaved)
{
    mTDeclaration declaration;
    ASSERT_EQ(declaration.IncomeKinds(), 0);
    declaration.GetSource(declaration.AddSource())->Name = "ООО Работодатель";
    declaration.GetCurrencyIncome(declaration.AddCurrencyIncome())->SourceName = "Apple Inc";
    declaration.GetBusiness(declaration.AddBusiness())->ActivityCode = "62.01";
    declaration.GetTrata(declaration.AddTrata())->BankBik = "044525225";

    declaration.SaveToFile(path);
    const mTDeclaration loaded = loadedFrom(path);
    expectLoadedAsSaved(declaration, loaded);
    ASSERT_EQ(loaded.SourceCount(), 1u);
    EXPECT_EQ(loaded.Sources[0].Name, "ООО Работодатель");
    ASSERT_EQ(loaded.CurrencyIncomeCount(), 1u);
    EXPECT_EQ(loaded.CurrencyIncomes[0].SourceName, "Apple Inc");
    ASSERT_EQ(loaded.BusinessCount(), 1u);
    EXPECT_EQ(loaded.BusinessIncomes[0].ActivityCode, "62.01");
    ASSERT_EQ(loaded.TrataCount(), 1u);
    EXPECT_EQ(loaded.Tratas[0].BankBik, "044525225");
}

// The checker is only worth its word if it refuses what departs from the layout.
TEST(DeclarationFileChecker, RefusesDeviations)
{
    mTDeclaration declaration;
    declaration.DeclarationDate = 44681;
    const std::string good = declarationBytes(declaration);
    ASSERT_TRUE(checkDeclarationFile(good).ok()) << checkDeclarationFile(good).error;

    const std::size_t dateAt = good.find("000544681");
    ASSERT_NE(dateAt, std::string::npos);
    std::string misnamed = good;
    misnamed.replace(misnamed.find("@PersonName"), 11, "@PersonNamf");

    const struct {
        const char* name;
        std::string bytes;
    } cases[] = {
        {"a value behind the end", good + "0000"},
        {"cut by one byte", good.substr(0, good.size() - 1)},
        {"a stream misnamed", misnamed},
        {"a date with a trailing zero", replaced(good, dateAt, 9, "000744681.0")},
        {"a leading zero", replaced(good, dateAt, 9, "000504681")},
        {"version 01.02", replaced(good, 24, 4, "0102")},
        {"a word out of range", replaced(good, good.find("00015", dateAt), 5, "000599999")},
        {"a signed word", replaced(good, good.find("0015@PersonDocument") + 19, 5, "0002-0")},
    };
    for (const auto& c : cases)
        EXPECT_FALSE(checkDeclarationFile(c.bytes).ok()) << c.name;
}

// ---- Loading ---------------------------------------------------------------------------

TEST_F(DeclarationFile, LoadingAdjustsValuesOfEarlierVersions)
{
    GeneralData general;
    general.signer = "2";
    general.declarationType = "2";
    general.businessSumA = "150";
    general.representativeDocument = "Attorney 1";
    general.representativeOrgName = "Romashka Ltd";
    writeFile(path, header() + declInfo(general) + newPersonSections);

    mTDeclaration loaded = loadedFrom(path);
    EXPECT_EQ(loaded.Signer, 1);
    EXPECT_EQ(loaded.DeclarationType, DeclarationOrdinary);
    EXPECT_EQ(loaded.BusinessSumA, Currency());
    EXPECT_EQ(loaded.RepresentativeDocument, "Attorney 1");
    EXPECT_EQ(loaded.TaxOfficeCode, "7701");

    // With business income the business section's values win.
    general.incomeKinds = "4";
    writeFile(path, header() + declInfo(general) + newPersonSections
                        + businessSection("Attorney 2", "77.5") + ungrantedDeductions);
    loaded = loadedFrom(path);
    EXPECT_EQ(loaded.IncomeKinds(), IncomeKindBusiness);
    EXPECT_EQ(loaded.BusinessSumA, Currency::fromUnits(775000));
    EXPECT_EQ(loaded.RepresentativeDocument, "Attorney 2");
    EXPECT_EQ(loaded.FarmStartDate, 36526);
}

TEST_F(DeclarationFile, AFileOfThisYearReplacesTheWholeDeclaration)
{
    mTDeclaration empty;
    empty.DeclarationDate = 44681;
    empty.SaveToFile(path);

    mTDeclaration declaration = fullDeclaration();
    declaration.LoadFromFile(path);
    EXPECT_EQ(declarationBytes(declaration), declarationBytes(empty));
    EXPECT_EQ(declaration.SourceCount(), 0u);
    EXPECT_EQ(declaration.SocialDeduct.PensCount(), 0u);
}

// The personal data of a 2012 file: everything but the OKTMO code. Texts of the files written
// by hand are ASCII, the same in windows-1251.
TEST_F(DeclarationFile, AnEarlierYearsFileYieldsThePersonalDataOnly)
{
    const std::string person2012 =
        values({"@PersonName", "Sidorov", "Oleg", "Ilyich", "500100732259", "", "0"})
        + values({"@PersonDocument", "21", "Passport", "46 01 000001", "36000", "25000", "", "", "0"})
        + values({"@Foreigner", "", "RUSSIA", "", "643"})
        + values({"@PhoneForeignerHome", "", "", "@PhoneForeignerWork", "", ""})
        + values({"@PersonAddress", "0", "Podolsk", "50", "", "", "", "", "", "", "", ""})
        + values({"@HomePhone", "", "89160000000", "@WorkPhone", "", ""});
    writeFile(path, header("Forv2012") + values({"@DeclInfo", "5036", "Podolsk tax office"}) + person2012);

    mTDeclaration declaration = fullDeclaration();
    const std::string oktmo = declaration.Person.Address.OKTMO;
    declaration.Person.Name.NameNote = "a note the file replaces";
    declaration.LoadFromFile(path);

    EXPECT_EQ(declaration.Person.Name.SurName, "Sidorov");
    EXPECT_EQ(declaration.Person.Name.NameNote, "");
    EXPECT_EQ(declaration.Person.HomePhone.Number, "89160000000");
    EXPECT_EQ(declaration.Person.Address.AddressText, "Podolsk");
    EXPECT_EQ(declaration.Person.Address.OKTMO, oktmo);
    EXPECT_EQ(declaration.TaxOfficeCode, "7701");
    EXPECT_EQ(declaration.IncomeKinds(), 0x0F);
    EXPECT_EQ(declaration.SourceCount(), 2u);

    mTDeclaration fresh = loadedFrom(path);
    EXPECT_EQ(fresh.IncomeKinds(), 0);
    EXPECT_EQ(fresh.Person.Name.FirstName, "Oleg");
    EXPECT_EQ(fresh.TaxOfficeCode, "");

    // A broken earlier file leaves the personal data as it was.
    writeFile(path, header("Forv2012") + values({"@DeclInfo"}) + person2012.substr(0, person2012.find("0010@HomePhone")));
    const mTPersonInformation before = declaration.Person;
    const Failure failure = failureOf([&] { declaration.LoadFromFile(path); });
    EXPECT_EQ(failure.code, 212);
    EXPECT_EQ(failure.outerCode, 371);
    EXPECT_TRUE(declaration.Person == before);
}

TEST_F(DeclarationFile, BadFilesFailAndKeepTheDeclaration)
{
    const std::string good = declarationBytes(fullDeclaration());
    const auto cutBefore = [&](std::string_view value) {
        const std::size_t at = good.find(v(value));
        EXPECT_NE(at, std::string::npos) << value;
        return good.substr(0, at);
    };
    const std::string declInfoAt = v("@DeclInfo");
    GeneralData sourcesOnly;
    sourcesOnly.incomeKinds = "1";

    struct Case {
        const char* name;
        std::function<void()> prepare;
        Failure expected;
    };
    const auto file = [&](std::string bytes) { return [this, bytes] { writeFile(path, bytes); }; };
    const Case cases[] = {
        {"text file", file("Это не декларация, а письмо.\r\n"), {"mEBadStorage", 68, 391, badFileMessage}},
        {"wrong signature", file("DLSX" + good.substr(4)), {"mEBadStorage", 68, 391, badFileMessage}},
        {"version letters", file(good.substr(0, 24) + "0x" + good.substr(26)), {"mEBadStorage", 392, 0, badFileMessage}},
        {"header cut short", file(good.substr(0, 40)), {"mEBadStorage", 392, 0, badFileMessage}},
        {"header only", file(good.substr(0, 60)), {"mEBadStorage", 212, 0, badFileMessage}},
        {"cut inside @DeclInfo", file(good.substr(0, good.find(declInfoAt) + declInfoAt.size() + 2)),
         {"mEBadStorage", 94, 0, badFileMessage}},
        {"cut inside the personal data", file(cutBefore("@PersonAddress")),
         {"mEBadStorage", 212, 371, badFileMessage}},
        {"cut inside a source", file(cutBefore("@Income15001000")), {"mEBadStorage", 212, 372, badFileMessage}},
        {"cut by one byte", file(good.substr(0, good.size() - 1)), {"mEBadStorage", 143, 404, badFileMessage}},
        {"next year's file", file(header("Forv2022") + good.substr(60)), {"mEBadStorage", 399, 0, badFileMessage}},
        {"a file before 2004", file(header("Forv2003") + good.substr(60)), {"mEBadStorage", 399, 0, badFileMessage}},
        {"another program's file", file(header("Report") + good.substr(60)), {"mEBadStorage", 399, 0, badFileMessage}},
        {"kind 1 without @DeclInquiry",
         file(header() + declInfo(sourcesOnly) + newPersonSections + ungrantedDeductions),
         {"mEOpenStream", 210, 0, "Попытка открытия несуществующего потока"}},
        {"empty file", file(""), {"mEMemoryAllocate", 25, 0, ""}},
        {"missing file", [] {}, {"mEBadStorage", 21, 390, ""}},
        {"a folder", [this] { fs::create_directory(path); }, {"mEBadStorage", 21, 390, ""}},
    };

    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::error_code ignored;
        fs::remove_all(path, ignored);
        c.prepare();

        mTDeclaration declaration = fullDeclaration();
        const std::string before = declarationBytes(declaration);
        const Failure failure = failureOf([&] { declaration.LoadFromFile(path); });
        EXPECT_EQ(failure.kind, c.expected.kind);
        EXPECT_EQ(failure.code, c.expected.code);
        EXPECT_EQ(failure.outerCode, c.expected.outerCode);
        if (!c.expected.message.empty()) {
            EXPECT_EQ(failure.message, c.expected.message);
        }
        EXPECT_EQ(declarationBytes(declaration), before);
    }
}

// ---- Saving ----------------------------------------------------------------------------

TEST_F(DeclarationFile, SaveReplacesTheFile)
{
    fullDeclaration().SaveToFile(path);
    ::chmod(path.c_str(), 0640);

    mTDeclaration declaration;
    declaration.SaveToFile(path);
    EXPECT_EQ(readFile(path), declarationBytes(declaration));
    EXPECT_EQ(folder.entries(), std::vector<std::string>{"declaration.fv1"});
    struct stat status {};
    ASSERT_EQ(::stat(path.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0640u);
}

TEST_F(DeclarationFile, AFailedSaveKeepsThePreviousFile)
{
    struct Case {
        const char* name;
        std::function<void(mTDeclaration&)> spoil;
        std::string target; // empty: the existing file
        Failure expected;
    };
    const std::string missingFolder = folder.file("missing/declaration.fv1");
    const Case cases[] = {
        {"a character windows-1251 cannot hold",
         [](mTDeclaration& d) { d.Person.Name.SurName = "Ли 李"; }, "", {"mEWriteStorage", 153, 370, ""}},
        {"a text holding a zero character",
         [](mTDeclaration& d) { d.Person.Name.SurName = "Ив\0анов"s; }, "",
         {"mEWriteStorage", 153, 370, ""}},
        {"a text of 10000 bytes", [](mTDeclaration& d) { d.TaxOfficeName = std::string(10000, 'x'); }, "",
         {"mEWriteStorage", 154, 0, ""}},
        {"a date that is not a number",
         [](mTDeclaration& d) { d.DeclarationDate = std::numeric_limits<double>::quiet_NaN(); }, "",
         {"mEWriteStorage", 193, 0, ""}},
        {"65536 applications",
         [](mTDeclaration& d) {
             d.SetIncomeKinds(IncomeKindTrata);
             for (int i = 0; i < 65536; ++i)
                 d.AddTrata();
         },
         "", {"mEWriteStorage", 173, 0, ""}},
        {"an empty slot",
         [](mTDeclaration& d) {
             d.SetIncomeKinds(IncomeKindForeign);
             d.AddCurrencyIncome();
             d.GetCurrencyIncome(0).reset();
         },
         "", {"mEWriteStorage", 402, 0, ""}},
        {"an empty line of a source",
         [](mTDeclaration& d) {
             d.SetIncomeKinds(IncomeKindSources);
             mbTSourse& source = *d.GetSource(d.AddSource());
             source.AddIncome15(std::make_unique<mTIncome>());
             source.Incomes15.get(0).reset();
         },
         "", {"mEWriteStorage", 402, 372, ""}},
        {"an empty pension contract",
         [](mTDeclaration& d) {
             d.SetIncomeKinds(IncomeKindSources);
             d.SocialDeduct.Granted = 1;
             d.SocialDeduct.GetPens(d.SocialDeduct.AddPens()).reset();
         },
         "", {"mEWriteStorage", 402, 383, ""}},
        {"an empty property object",
         [](mTDeclaration& d) {
             d.SetIncomeKinds(IncomeKindSources);
             d.ConstructionDeduct.Granted = 1;
             d.ConstructionDeduct.AddObject(nullptr);
         },
         "", {"mEWriteStorage", 402, 385, ""}},
        {"an empty investment account",
         [](mTDeclaration& d) {
             d.SetIncomeKinds(IncomeKindSources);
             d.InvDeduct.Granted = 1;
             d.InvDeduct.AddInfoIISCell(nullptr);
         },
         "", {"mEWriteStorage", 402, 403, ""}},
        {"a read-only file", [this](mTDeclaration&) { ::chmod(path.c_str(), 0444); }, "", {"mEBadStorage", 21, 389, ""}},
        {"the folder is missing", [](mTDeclaration&) {}, missingFolder, {"mEBadStorage", 21, 389, ""}},
    };

    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ::chmod(path.c_str(), 0600);
        const mTDeclaration previous = fullDeclaration();
        previous.SaveToFile(path);
        const std::string previousBytes = readFile(path);

        mTDeclaration declaration;
        c.spoil(declaration);
        const Failure failure = failureOf([&] { declaration.SaveToFile(c.target.empty() ? path : c.target); });
        EXPECT_EQ(failure.kind, c.expected.kind);
        EXPECT_EQ(failure.code, c.expected.code);
        EXPECT_EQ(failure.outerCode, c.expected.outerCode);
        EXPECT_EQ(readFile(path), previousBytes);
        EXPECT_EQ(folder.entries(), std::vector<std::string>{"declaration.fv1"});
    }
}

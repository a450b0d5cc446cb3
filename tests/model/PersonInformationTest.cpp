#include "model/PersonInformation.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "StorageFailure.h"
#include "model/DayDate.h"
#include "model/DocumentStorage.h"
#include "model/StorageErrors.h"

namespace {

constexpr std::size_t HeaderSize = 60;

// The header of a container as the file holds it: signature, the document name right-aligned
// in 20 bytes, version "MMmm" and 32 "F".
std::string containerHeader(std::string_view docName, std::string_view version)
{
    return "DLSG" + std::string(20 - docName.size(), ' ') + std::string(docName) + std::string(version)
           + std::string(32, 'F');
}

std::string saved(const mTPersonInformation& person)
{
    std::string bytes;
    mTDocumentStorage storage = mTDocumentStorage::forWriting(bytes);
    storage.CreateHeader("Forv2021");
    person.Save(storage);
    return bytes;
}

void loadInto(mTPersonInformation& person, const std::string& bytes)
{
    mTDocumentStorage storage = mTDocumentStorage::forReading(bytes);
    storage.Open();
    person.Load(storage);
}

mTPersonInformation fullPerson()
{
    mTPersonInformation p;
    p.Name = {"Иванова-Петрова", "Анна", "Сергеевна", "770123456789", "заметка", "1"};
    p.Document = {21, "Паспорт гражданина РФ", "45 10 123456", 40487, 31248.5, "ОВД Арбат", "770-001"};
    p.Foreigner = {"примечание", "ГЕРМАНИЯ", "ещё", "276"};
    p.Address = {2,    "ул. Ленина, д. 1", 65535, "101000", "77", "", "Москва", "", "Ленина", "1", "кв. 5",
                 "45382000"};
    p.HomePhone = {"495", "+7 (495) 111-22-33"};
    p.WorkPhone = {"499", "4445566"};
    p.ForeignerHomePhone = {"49", "30 1234567"};
    p.ForeignerWorkPhone = {"49", "89 7654321"};
    p.PersonFlag = 255;
    return p;
}

// A person whose every value differs from the files below, to tell what a load left alone.
mTPersonInformation heldBefore()
{
    mTPersonInformation p;
    p.Name = {"old", "old", "old", "old", "oldNote", "7"};
    p.Document = {99, "old", "old", 1, 2, "old", "old"};
    p.Foreigner = {"old", "old", "old", "old"};
    p.Address = {9, "old", 9, "o1", "o2", "o3", "o4", "o5", "o6", "o7", "o8", "oldOktmo"};
    p.HomePhone = {"old", "old"};
    p.WorkPhone = {"old", "old"};
    p.ForeignerHomePhone = {"old", "old"};
    p.ForeignerWorkPhone = {"old", "old"};
    p.PersonFlag = 9;
    return p;
}

// Files of four generations, as they stood on disk; "Иванов" and "ГЕРМАНИЯ" in windows-1251.
// Containers below version 1.2 keep dates as text.

std::string fileBefore2004(std::string_view docName)
{
    return containerHeader(docName, "0100")
           + "0009@DeclInfo" "00047701"
             "0011@PersonName" "0006\xC8\xE2\xE0\xED\xEE\xE2" "0004Ivan" "0009Petrovich" "0012770123456789"
             "0015@PersonDocument" "000221" "0008Passport" "00114510 123456" "001015.03.2001" "001002.04.1980"
             "0010@Foreigner" "0003fn1" "0008\xC3\xC5\xD0\xCC\xC0\xCD\xC8\xDF"
             "0014@PersonAddress" "0006Moscow" "0003777"
             "0002p1" "0002p2" "0002p3" "0002p4" "0002p5" "0002p6" "0002p7" "0002p8";
}

std::string file2004(std::string_view docName)
{
    return containerHeader(docName, "0101")
           + "0009@DeclInfo" "00047701"
             "0011@PersonName" "0006\xC8\xE2\xE0\xED\xEE\xE2" "0004Ivan" "0009Petrovich" "0012770123456789"
             "0004note" "00011"
             "0015@PersonDocument" "000221" "0008Passport" "00114510 123456" "001015.03.2001" "001002.04.1980"
             "0003dn1" "0003dn2"
             "0010@Foreigner" "0003fn1" "0008\xC3\xC5\xD0\xCC\xC0\xCD\xC8\xDF" "0003fn2" "0003276"
             "0014@PersonAddress" "0006Moscow" "0003777"
             "0002p1" "0002p2" "0002p3" "0002p4" "0002p5" "0002p6" "0002p7" "0002p8";
}

// From 2005 a file holds the person flag, the foreign telephones, the address kind and the
// home and work telephones; from 2013 also the OKTMO code (`oktmo`, a value as stored).
std::string fileFrom2005(std::string_view docName, std::string_view version, std::string_view oktmo)
{
    return containerHeader(docName, version)
           + "0009@DeclInfo" "00047701"
             "0011@PersonName" "0006\xC8\xE2\xE0\xED\xEE\xE2" "0004Ivan" "0009Petrovich" "0012770123456789"
             "0004note" "00011"
             "0015@PersonDocument" "000221" "0008Passport" "00114510 123456" "000536965" "000529313"
             "0003dn1" "0003dn2" "00013"
             "0010@Foreigner" "0003fn1" "0008\xC3\xC5\xD0\xCC\xC0\xCD\xC8\xDF" "0003fn2" "0003276"
             "0019@PhoneForeignerHome" "000249" "00071234567"
             "0019@PhoneForeignerWork" "000249" "00077654321"
             "0014@PersonAddress" "00012" "0006Moscow" "0003777"
             "0002p1" "0002p2" "0002p3" "0002p4" "0002p5" "0002p6" "0002p7" "0002p8"
           + std::string(oktmo)
           + "0010@HomePhone" "0003495" "00071112233"
             "0010@WorkPhone" "0003499" "00074445566";
}

std::string file2005To2012(std::string_view docName)
{
    return fileFrom2005(docName, "0102", "");
}

std::string fileFrom2013(std::string_view docName)
{
    return fileFrom2005(docName, "0103", "000845382000");
}

// What each generation adds to `p`, worked out from the files above.
void applyBefore2004(mTPersonInformation& p)
{
    p.Name.SurName = "Иванов";
    p.Name.FirstName = "Ivan";
    p.Name.Patronymic = "Petrovich";
    p.Name.INN = "770123456789";
    p.Name.NameFlag = "0";
    p.Document.DocKind = 21;
    p.Document.DocKindName = "Passport";
    p.Document.DocSeriesNumber = "4510 123456";
    p.Document.DocDate = 36965;   // 15.03.2001
    p.Document.BirthDate = 29313; // 02.04.1980
    p.Foreigner.ForeignerNote1 = "fn1";
    p.Foreigner.CountryName = "ГЕРМАНИЯ";
    p.Address.AddressText = "Moscow";
    p.Address.AddressCode = 777;
    p.Address.AddressPart1 = "p1";
    p.Address.AddressPart2 = "p2";
    p.Address.AddressPart3 = "p3";
    p.Address.AddressPart4 = "p4";
    p.Address.AddressPart5 = "p5";
    p.Address.AddressPart6 = "p6";
    p.Address.AddressPart7 = "p7";
    p.Address.AddressPart8 = "p8";
}

void apply2004(mTPersonInformation& p)
{
    applyBefore2004(p);
    p.Name.NameNote = "note";
    p.Name.NameFlag = "1";
    p.Document.DocNote1 = "dn1";
    p.Document.DocNote2 = "dn2";
    p.Foreigner.ForeignerNote2 = "fn2";
    p.Foreigner.CountryCode = "276";
}

void apply2005To2012(mTPersonInformation& p)
{
    apply2004(p);
    p.PersonFlag = 3;
    p.ForeignerHomePhone = {"49", "1234567"};
    p.ForeignerWorkPhone = {"49", "7654321"};
    p.Address.AddressKind = 2;
    p.HomePhone = {"495", "1112233"};
    p.WorkPhone = {"499", "4445566"};
}

void applyFrom2013(mTPersonInformation& p)
{
    apply2005To2012(p);
    p.Address.OKTMO = "45382000";
}

} // namespace

TEST(PersonInformation, NewPersonHasTheDefaults)
{
    const mTPersonInformation p;
    EXPECT_EQ(p.Foreigner.CountryCode, "643");
    EXPECT_EQ(p.Foreigner.CountryName, "РОССИЯ");
    EXPECT_EQ(dateText(p.Document.BirthDate), "01.01.1977");
    EXPECT_EQ(dateText(p.Document.DocDate), "01.01.1990");
    EXPECT_EQ(p.Name.NameFlag, "0");
    EXPECT_EQ(p.PersonFlag, 0);
    EXPECT_EQ(p.Document.DocKind, 0);
    EXPECT_EQ(p.Address.OKTMO, "");
}

TEST(PersonInformation, WritesTheSectionsByteForByte)
{
    const std::string expected =
        "0011@PersonName" "0000" "0000" "0000" "0000" "0000" "00010"
        "0015@PersonDocument" "00010" "0000" "0000" "000532874" "000528126" "0000" "0000" "00010"
        "0010@Foreigner" "0000" "0006\xD0\xCE\xD1\xD1\xC8\xDF" "0000" "0003643"
        "0019@PhoneForeignerHome" "0000" "0000"
        "0019@PhoneForeignerWork" "0000" "0000"
        "0014@PersonAddress" "00010" "0000" "00010"
        "0000" "0000" "0000" "0000" "0000" "0000" "0000" "0000" "0000"
        "0010@HomePhone" "0000" "0000"
        "0010@WorkPhone" "0000" "0000";
    EXPECT_EQ(saved(mTPersonInformation()).substr(HeaderSize), expected);
    // The fixed parts of the eight sections (39, 51, 30, 62, 66, 22, 22) and the default texts.
    EXPECT_EQ(mTPersonInformation().StorageSize(), 292u + 24u);
}

TEST(PersonInformation, SavesAndLoadsEveryValue)
{
    const struct {
        const char* name;
        mTPersonInformation person;
    } cases[] = {
        {"every field set", fullPerson()},
        {"defaults", mTPersonInformation()},
        {"held values", heldBefore()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string bytes = saved(c.person);
        mTPersonInformation back = c.name == std::string_view("held values") ? fullPerson() : heldBefore();
        loadInto(back, bytes);
        EXPECT_TRUE(back == c.person);
        EXPECT_EQ(c.person.StorageSize(), bytes.size() - HeaderSize);
    }
}

TEST(PersonInformation, StorageSizeIsTheNumberOfBytesSaved)
{
    mTPersonInformation emptyTexts;
    emptyTexts.Name.NameFlag.clear();
    emptyTexts.Foreigner = {};
    emptyTexts.Foreigner.CountryName.clear();
    emptyTexts.Foreigner.CountryCode.clear();
    emptyTexts.Document.DocDate = 0;
    emptyTexts.Document.BirthDate = -693593.25; // 01.01.0001, a time of day

    mTPersonInformation largeNumbers = fullPerson();
    largeNumbers.Document.DocKind = 65535;
    largeNumbers.Address.AddressKind = 255;
    largeNumbers.Document.BirthDate = 2958465.999988426; // 31.12.9999 23:59:59

    for (const mTPersonInformation& p : {mTPersonInformation(), fullPerson(), emptyTexts, largeNumbers})
        EXPECT_EQ(p.StorageSize(), saved(p).size() - HeaderSize) << p.Name.SurName;
}

TEST(PersonInformation, ReadsTheLayoutOfTheFilesYear)
{
    const struct {
        const char* docName;
        std::string (*file)(std::string_view);
        void (*apply)(mTPersonInformation&);
    } cases[] = {
        {"Forv2003", fileBefore2004, applyBefore2004},
        {"Forv2022", fileBefore2004, applyBefore2004},
        {"Forv", fileBefore2004, applyBefore2004},
        {"FORV2021", fileBefore2004, applyBefore2004},
        {"Forv2004", file2004, apply2004},
        {"Forv2005", file2005To2012, apply2005To2012},
        {"Forv2012", file2005To2012, apply2005To2012},
        {"Forv2013", fileFrom2013, applyFrom2013},
        {"Forv2020", fileFrom2013, applyFrom2013},
        {"Forv2021", fileFrom2013, applyFrom2013},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.docName);
        mTPersonInformation person = heldBefore();
        loadInto(person, c.file(c.docName));
        mTPersonInformation expected = heldBefore();
        c.apply(expected);
        EXPECT_TRUE(person.Name == expected.Name);
        EXPECT_TRUE(person.Document == expected.Document);
        EXPECT_TRUE(person.Foreigner == expected.Foreigner);
        EXPECT_TRUE(person.Address == expected.Address);
        EXPECT_TRUE(person.HomePhone == expected.HomePhone);
        EXPECT_TRUE(person.WorkPhone == expected.WorkPhone);
        EXPECT_TRUE(person.ForeignerHomePhone == expected.ForeignerHomePhone);
        EXPECT_TRUE(person.ForeignerWorkPhone == expected.ForeignerWorkPhone);
        EXPECT_EQ(person.PersonFlag, expected.PersonFlag);
    }
}

TEST(PersonInformation, AnOldFileLeavesANewPersonsDefaultsWhereItHasNoValue)
{
    mTPersonInformation person;
    loadInto(person, fileBefore2004("Forv2003"));
    EXPECT_EQ(person.Foreigner.CountryCode, "643");
    EXPECT_EQ(person.Name.NameFlag, "0");
    EXPECT_EQ(person.Address.OKTMO, "");
    EXPECT_EQ(person.Foreigner.CountryName, "ГЕРМАНИЯ");
}

TEST(PersonInformation, StorageFailuresCarryThePersonsNumbers)
{
    const std::string bytes = saved(fullPerson());
    mTDocumentStorage storage = mTDocumentStorage::forReading(bytes);
    storage.Open();
    expectStorageFailure<mEWriteStorage>([&] { fullPerson().Save(storage); }, 81, 370);

    // A file of this year that ends before the telephones: what was read stays.
    const std::string cut = bytes.substr(0, bytes.find("0010@HomePhone"));
    mTPersonInformation person;
    expectStorageFailure<mEOpenStream>([&] { loadInto(person, cut); }, 210, 371);
    EXPECT_EQ(person.Address.OKTMO, fullPerson().Address.OKTMO);
    EXPECT_EQ(person.HomePhone, mTPersonPhone());
}

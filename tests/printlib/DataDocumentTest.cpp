#include "DataDocument.h"

#include "EngineTestSupport.h"
#include "Pdf417TestSupport.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <ostream>
#include <string>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

constexpr std::u16string_view kGuid = u"0123456789abcdef0123456789ABCDEF";
constexpr std::u16string_view kHeader = u"knd=\"1151020\" version=\"5.16\"";

std::u16string sheetXml(std::u16string_view attributes, std::u16string_view fields = u"")
{
    return u"<SHEET " + std::u16string(attributes) + u">" + std::u16string(fields) + u"</SHEET>";
}

std::u16string goodSheet(std::u16string_view fields = u"")
{
    return sheetXml(u"pageNumber=\"1\" code=\"1\" guid=\"" + std::u16string(kGuid) + u"\"", fields);
}

std::u16string documentXml(std::u16string_view header, std::u16string_view sheets)
{
    return u"<?xml version=\"1.0\"?><DOCUMENT " + std::u16string(header) + u">" + std::u16string(sheets) +
        u"</DOCUMENT>";
}

DataDocument loaded(std::u16string_view xml)
{
    DataDocument document;
    document.LoadData(xml);
    return document;
}

TEST(DataDocumentTest, ReadsTheHeader)
{
    DataDocument document;
    document.LoadData(documentXml(kHeader, goodSheet() + goodSheet() + goodSheet()));
    const DocumentHeader& header = document.header();
    EXPECT_THAT(utf8(header.knd), "1151020");
    EXPECT_EQ(utf8(header.version), "5.16");
    EXPECT_EQ(utf8(header.identity), "11510205.16");
    EXPECT_FALSE(header.noLine);
    EXPECT_EQ(utf8(header.jobTitle), "Документ для сдачи");
    EXPECT_EQ(document.SheetCount(), 3);
}

TEST(DataDocumentTest, NoLineByPresenceAndCaptionAsTitle)
{
    DataDocument document;
    document.LoadData(documentXml(u"knd=\"1\" version=\"2\" no-line=\"\" caption=\"Декларация 3-НДФЛ\"", goodSheet()));
    EXPECT_TRUE(document.header().noLine);
    EXPECT_EQ(utf8(document.header().jobTitle), "Декларация 3-НДФЛ");

    document.LoadData(documentXml(u"knd=\"1\" version=\"2\" no-line=\"0\" caption=\"\"", goodSheet()));
    EXPECT_TRUE(document.header().noLine);
    EXPECT_EQ(utf8(document.header().jobTitle), "Документ для сдачи");
}

TEST(DataDocumentTest, SheetsAreTheSheetElementsUnderTheRoot)
{
    DataDocument document;
    document.LoadData(
        documentXml(kHeader,
                    goodSheet() + u"<OTHER/>" +
                        sheetXml(u"pageNumber=\"7\" code=\"0341\" guid=\"" + std::u16string(kGuid) + u"-tail\"") +
                        u"<GROUP>" + goodSheet() + u"</GROUP>"));
    ASSERT_EQ(document.SheetCount(), 2);
    const DataSheet second = document.ReadSheet(2);
    EXPECT_EQ(second.number, 2);
    EXPECT_EQ(second.pageNumber, 7);
    EXPECT_EQ(second.code, 341);
    EXPECT_EQ(utf8(second.codeText), "0341");
    EXPECT_EQ(utf8(second.guid), utf8(kGuid) + "-tail");
}

TEST(DataDocumentTest, LoadingAgainReplacesTheDocument)
{
    DataDocument document;
    document.LoadData(documentXml(kHeader, goodSheet() + goodSheet()));
    document.LoadData(documentXml(u"knd=\"9\" version=\"1\"",
                                  sheetXml(u"pageNumber=\"4\" code=\"2\" guid=\"" + std::u16string(kGuid) + u"\"")));
    EXPECT_EQ(document.SheetCount(), 1);
    EXPECT_EQ(document.ReadSheet(1).pageNumber, 4);

    EXPECT_NE(raisedReport([&] { document.LoadData(u"<DOCUMENT"); }), "nothing raised");
    EXPECT_EQ(document.SheetCount(), 0);
    EXPECT_NE(raisedReport([&] { document.ReadSheet(1); }), "nothing raised");
}

struct LoadErrorCase {
    std::string name;
    std::u16string data;
    std::string report; // the start of the one-line report
};

void PrintTo(const LoadErrorCase& c, std::ostream* out)
{
    *out << c.name;
}

std::vector<LoadErrorCase> loadErrorCases()
{
    const std::u16string sheet = goodSheet();
    return {
        {"empty data", u"", "Недопустимые параметры.[-1073610685 (0xC0020043)\\\\0 (0x0)\\TiffTools"},
        {"missing file", u"/no/such/folder/data.xml",
         "Недопустимые параметры. Файл не найден: /no/such/folder/data.xml[-1073610685 (0xC0020043)"},
        {"folder instead of a file", u"/tmp", "Недопустимые параметры. Файл не найден: /tmp[-1073610685 (0xC0020043)"},
        {"text that is not XML", u"<DOCUMENT knd=\"1\"",
         "Ошибка при работе с XMLDOM. Не удалось загрузить данные документа. "},
        {"missing knd", documentXml(u"version=\"5.16\"", sheet),
         "У документа не найден или нулевой аттрибут 'DOCUMENT/@knd' [-1073676288 (0xC0010000)\\\\0 (0x0)\\TiffTools"},
        {"empty knd", documentXml(u"knd=\"\" version=\"5.16\"", sheet),
         "У документа не найден или нулевой аттрибут 'DOCUMENT/@knd' [-1073676288 (0xC0010000)"},
        {"missing version", documentXml(u"knd=\"1151020\"", sheet),
         "У документа не найден или нулевой аттрибут 'DOCUMENT/@version' [-1073676288 (0xC0010000)"},
        {"root is not DOCUMENT", u"<DOC knd=\"1\" version=\"2\">" + sheet + u"</DOC>",
         "У документа не найден или нулевой аттрибут 'DOCUMENT/@knd' "},
        {"no sheets", documentXml(kHeader, u"<PAGE/>"),
         "Не найдено ни одной страницы (XPATH='/*/SHEET') [-1073676288 (0xC0010000)"},
    };
}

class LoadErrors : public testing::TestWithParam<LoadErrorCase> {};

TEST_P(LoadErrors, AreReportedWithTheDocumentEnginesSource)
{
    DataDocument document;
    const std::string report = raisedReport([&] { document.LoadData(GetParam().data); });
    EXPECT_THAT(report, testing::StartsWith(GetParam().report));
}

INSTANTIATE_TEST_SUITE_P(Data, LoadErrors, testing::ValuesIn(loadErrorCases()),
                         caseName<testing::TestParamInfo<LoadErrorCase>>);

class DataDocumentFileTest : public testing::Test {
protected:
    void SetUp() override
    {
        folder_ = fs::temp_directory_path() / ("printdocumenttest-" + std::to_string(::getpid()));
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }

    std::u16string writeFile(const std::string& name, std::string_view bytes)
    {
        const fs::path path = folder_ / name;
        std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return WideText::fromUtf8(path.string());
    }

    fs::path folder_;
};

TEST_F(DataDocumentFileTest, LoadsAFileNamedByItsPath)
{
    const std::string xml = WideText::toUtf8(documentXml(kHeader, goodSheet(u"<F print=\"t\">Иванов</F>")));
    DataDocument document;
    document.LoadData(writeFile("данные.xml", xml));
    EXPECT_EQ(utf8(document.header().identity), "11510205.16");
    EXPECT_EQ(utf8(document.ReadSheet(1).fields.at(0).value), "Иванов");
}

TEST_F(DataDocumentFileTest, LoadsAFileInItsDeclaredEncoding)
{
    const std::string xml = "<?xml version=\"1.0\" encoding=\"windows-1251\"?><DOCUMENT knd=\"1\" version=\"2\">"
                            "<SHEET pageNumber=\"1\" code=\"1\" guid=\"" +
        utf8(kGuid) + "\"><F print=\"t\">" + WideText::toCp1251(u"Петров") + "</F></SHEET></DOCUMENT>";
    DataDocument document;
    document.LoadData(writeFile("cp1251.xml", xml));
    EXPECT_EQ(utf8(document.ReadSheet(1).fields.at(0).value), "Петров");
}

TEST_F(DataDocumentFileTest, ABrokenFileNamesItselfInTheError)
{
    const std::u16string path = writeFile("broken.xml", "<DOCUMENT knd=\"1\"");
    DataDocument document;
    const std::string report = raisedReport([&] { document.LoadData(path); });
    EXPECT_THAT(
        report,
        testing::StartsWith("Ошибка при работе с XMLDOM. Не удалось загрузить файл данных '" + utf8(path) + "'. "))
        << report;
}

struct SheetErrorCase {
    std::string name;
    std::u16string attributes;
    std::string attribute; // the one the report names, empty when the sheet is good
};

void PrintTo(const SheetErrorCase& c, std::ostream* out)
{
    *out << c.name;
}

std::vector<SheetErrorCase> sheetErrorCases()
{
    const std::u16string guid = u" guid=\"" + std::u16string(kGuid) + u"\"";
    const std::u16string page = u" pageNumber=\"1\"";
    const std::u16string code = u" code=\"5\"";
    return {
        {"good", page + code + guid, ""},
        {"largest form page", u"pageNumber=\"65535\"" + code + guid, ""},
        {"pageNumber missing", code + guid, "pageNumber"},
        {"pageNumber empty", u"pageNumber=\"\"" + code + guid, "pageNumber"},
        {"pageNumber 0", u"pageNumber=\"0\"" + code + guid, "pageNumber"},
        {"pageNumber not a number", u"pageNumber=\"one\"" + code + guid, "pageNumber"},
        {"pageNumber negative", u"pageNumber=\"-2\"" + code + guid, "pageNumber"},
        {"pageNumber past the page table", u"pageNumber=\"65536\"" + code + guid, "pageNumber"},
        {"code missing", page + guid, "code"},
        {"code 0", page + u" code=\"0\"" + guid, "code"},
        {"code not a number", page + u" code=\"x\"" + guid, "code"},
        {"guid missing", page + code, "guid"},
        {"guid of 31 characters", page + code + u" guid=\"" + std::u16string(kGuid.substr(1)) + u"\"", "guid"},
    };
}

class SheetErrors : public testing::TestWithParam<SheetErrorCase> {};

TEST_P(SheetErrors, NameTheSheetAndTheAttribute)
{
    const SheetErrorCase& c = GetParam();
    const DataDocument document = loaded(documentXml(kHeader, goodSheet() + sheetXml(c.attributes)));
    const std::string report = raisedReport([&] { document.ReadSheet(2); });
    if (c.attribute.empty()) {
        EXPECT_EQ(report, "nothing raised");
    } else {
        EXPECT_THAT(report,
                    testing::StartsWith("У страницы (SHEET) 2 не найден или нулевой аттрибут '" + c.attribute +
                                        "' [-1073676288 (0xC0010000)\\\\0 (0x0)\\TiffTools (строка: "));
    }
}

INSTANTIATE_TEST_SUITE_P(Attributes, SheetErrors, testing::ValuesIn(sheetErrorCases()),
                         caseName<testing::TestParamInfo<SheetErrorCase>>);

TEST(DataDocumentTest, SheetNumbersOutsideTheDocumentAreRefused)
{
    const DataDocument document = loaded(documentXml(kHeader, goodSheet() + goodSheet()));
    for (int number : {0, -1, 3})
        EXPECT_THAT(raisedReport([&] { document.ReadSheet(number); }),
                    testing::StartsWith("Недопустимые параметры.[-1073610685"))
            << number;
}

TEST(DataDocumentTest, FieldsAreThePrintedChildrenAndThoseInTheBarcode)
{
    const DataDocument document =
        loaded(documentXml(kHeader,
                           goodSheet(u"<A print=\"3\">a</A>"
                                     u"<B print=\"0\">b</B>"
                                     u"<C print=\"0\" incBarCode=\"1\">c</C>"
                                     u"<D incBarCode=\"1\">d</D>"
                                     u"<E>e</E>"
                                     u"<F print=\"t\">f</F>"
                                     u"<G print=\"0\" incBarCode=\"0\">g</G>"
                                     u"<Поле print=\"2\">h<sub print=\"1\">i</sub></Поле>")));
    std::string values;
    for (const DataField& field : document.ReadSheet(1).fields)
        values += utf8(field.value) + ",";
    EXPECT_THAT(values, "a,c,d,f,hi,");
}

TEST(DataDocumentTest, ReadsEveryFieldAttribute)
{
    const DataDocument document = loaded(documentXml(
        kHeader,
        goodSheet(u"<X left=\"12\" top=\"34\" width=\"56\" height=\"7\" rotate=\"90\" dataType=\"10\" "
                  u"print=\"15\" incBarCode=\"1\" alignmentH=\"R\" digits=\"2\" separator=\"3\" check=\"1\">"
                  u"  12.5 &amp; </X>"
                  u"<Y print=\"4\">v</Y>")));
    const std::vector<DataField> fields = document.ReadSheet(1).fields;
    ASSERT_EQ(fields.size(), 2u);
    const DataField& all = fields[0];
    EXPECT_EQ(utf8(all.value), "12.5 &");
    EXPECT_EQ(all.left, 12);
    EXPECT_EQ(all.top, 34);
    EXPECT_EQ(all.width, 56);
    EXPECT_EQ(all.height, 7);
    EXPECT_EQ(all.rotate, 90);
    EXPECT_EQ(all.kind, 11);
    EXPECT_EQ(all.cells, 15);
    EXPECT_TRUE(all.inBarcode);
    EXPECT_EQ(all.alignment, FieldAlignment::Right);
    EXPECT_EQ(all.digits, 2);
    EXPECT_EQ(all.separator, 3);
    EXPECT_TRUE(all.checked);

    const DataField& defaults = fields[1];
    EXPECT_EQ(defaults.left, 0);
    EXPECT_EQ(defaults.top, 0);
    EXPECT_EQ(defaults.width, 0);
    EXPECT_EQ(defaults.height, 0);
    EXPECT_EQ(defaults.rotate, 0);
    EXPECT_EQ(defaults.kind, 5);
    EXPECT_EQ(defaults.cells, 4);
    EXPECT_FALSE(defaults.inBarcode);
    EXPECT_EQ(defaults.alignment, FieldAlignment::Left);
    EXPECT_EQ(defaults.digits, 0);
    EXPECT_EQ(defaults.separator, -1);
    EXPECT_FALSE(defaults.checked);
}

struct AttributeCase {
    std::string name;
    std::u16string attributes;
    DataField expected; // only the members compared below
};

void PrintTo(const AttributeCase& c, std::ostream* out)
{
    *out << c.name;
}

std::vector<AttributeCase> attributeCases()
{
    const auto field = [](auto&& change) {
        DataField expected;
        expected.cells = 1;
        change(expected);
        return expected;
    };
    return {
        {"print t", u"print=\"t\"", field([](DataField& f) { f.cells = DataField::kFreeText; })},
        {"print -1", u"print=\"-1\"", field([](DataField& f) { f.cells = DataField::kFreeText; })},
        {"print -7", u"print=\"-7\"", field([](DataField& f) { f.cells = DataField::kFreeText; })},
        {"print with blanks", u"print=\" 12 \"", field([](DataField& f) { f.cells = 12; })},
        {"alignment l", u"print=\"1\" alignmentH=\"l\"", field([](DataField&) {})},
        {"alignment 0", u"print=\"1\" alignmentH=\"0\"", field([](DataField&) {})},
        {"alignment c", u"print=\"1\" alignmentH=\"c\"",
         field([](DataField& f) { f.alignment = FieldAlignment::Centre; })},
        {"alignment 1", u"print=\"1\" alignmentH=\"1\"",
         field([](DataField& f) { f.alignment = FieldAlignment::Centre; })},
        {"alignment r", u"print=\"1\" alignmentH=\"r\"",
         field([](DataField& f) { f.alignment = FieldAlignment::Right; })},
        {"alignment 2", u"print=\"1\" alignmentH=\"2\"",
         field([](DataField& f) { f.alignment = FieldAlignment::Right; })},
        {"alignment other", u"print=\"1\" alignmentH=\"Right\"", field([](DataField&) {})},
        {"dataType 0", u"print=\"1\" dataType=\"0\"", field([](DataField& f) { f.kind = 1; })},
        {"dataType not a number", u"print=\"1\" dataType=\"x\"", field([](DataField& f) { f.kind = 1; })},
        {"check other than 1", u"print=\"1\" check=\"true\"", field([](DataField&) {})},
        {"incBarCode other than 1", u"print=\"1\" incBarCode=\"true\"", field([](DataField&) {})},
        {"huge numbers held in range", u"print=\"1\" left=\"99999999999\" top=\"-99999999999\" width=\"2000000\"",
         field([](DataField& f) {
             f.left = 1'000'000;
             f.top = -1'000'000;
             f.width = 1'000'000;
         })},
        {"decimal left read to its point", u"print=\"1\" left=\"12.7\"", field([](DataField& f) { f.left = 12; })},
    };
}

class FieldAttributes : public testing::TestWithParam<AttributeCase> {};

TEST_P(FieldAttributes, AreReadAsTheEngineUsesThem)
{
    const DataDocument document = loaded(documentXml(kHeader, goodSheet(u"<X " + GetParam().attributes + u">v</X>")));
    const DataField field = document.ReadSheet(1).fields.at(0);
    const DataField& expected = GetParam().expected;
    EXPECT_EQ(field.cells, expected.cells);
    EXPECT_EQ(field.alignment, expected.alignment);
    EXPECT_EQ(field.kind, expected.kind);
    EXPECT_EQ(field.checked, expected.checked);
    EXPECT_EQ(field.inBarcode, expected.inBarcode);
    EXPECT_EQ(field.left, expected.left);
    EXPECT_EQ(field.top, expected.top);
    EXPECT_EQ(field.width, expected.width);
}

INSTANTIATE_TEST_SUITE_P(Values, FieldAttributes, testing::ValuesIn(attributeCases()),
                         caseName<testing::TestParamInfo<AttributeCase>>);

TEST(DataDocumentTest, ExternalEntitiesAreNeverRead)
{
    const DataDocument document =
        loaded(u"<?xml version=\"1.0\"?><!DOCTYPE DOCUMENT [<!ENTITY secret SYSTEM \"file:///etc/passwd\">]>"
               u"<DOCUMENT knd=\"1\" version=\"2\">" +
               goodSheet(u"<F print=\"t\">[&secret;]</F>") + u"</DOCUMENT>");
    EXPECT_EQ(utf8(document.ReadSheet(1).fields.at(0).value).find("root"), std::string::npos);
}

TEST(DataDocumentTest, EntityExpansionIsBounded)
{
    std::u16string entities = u"<!ENTITY e0 \"0123456789abcdef0123456789abcdef\">";
    for (int level = 1; level <= 10; ++level) {
        const std::u16string previous = u"&e" + WideText::decimal(level - 1) + u";";
        std::u16string value;
        for (int copy = 0; copy < 10; ++copy)
            value += previous;
        entities += u"<!ENTITY e" + WideText::decimal(level) + u" \"" + value + u"\">";
    }
    const std::u16string xml = u"<?xml version=\"1.0\"?><!DOCTYPE DOCUMENT [" + entities +
        u"]><DOCUMENT knd=\"1\" version=\"2\">" + goodSheet(u"<F print=\"t\">&e10;</F>") + u"</DOCUMENT>";
    DataDocument document;
    EXPECT_THAT(raisedReport([&] {
                    document.LoadData(xml);
                    document.ReadSheet(1);
                }),
                testing::HasSubstr("(0xC00"));
}

TEST(DataDocumentTest, SelectingNoSheetIsNoData)
{
    const DataDocument document = loaded(documentXml(kHeader, goodSheet() + goodSheet() + goodSheet()));
    EXPECT_EQ(document.SelectSheets(u"2-9").total(), 2);
    EXPECT_EQ(document.SelectSheets(u"").total(), 3);
    for (std::u16string_view selection : {u"4", u"0", u"abc", u"5-9"})
        EXPECT_THAT(raisedReport([&] { document.SelectSheets(selection); }),
                    testing::StartsWith("Отсутствуют данные.[-1073676288 (0xC0010000)\\\\0 (0x0)\\TiffTools (строка: "))
            << utf8(selection);
}

} // namespace

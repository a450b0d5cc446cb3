#include "export/TaxBaseElements.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "ExportTestSupport.h"
#include "computation/ComputationTestSupport.h"
#include "model/Money.h"

namespace {

// The "ВидДоход" of every "НалБаза" in document order, joined by blanks.
std::string writtenKinds(std::string_view bytes)
{
    const ParsedXml document = parseExchangeFile(bytes);
    const xmlNode* ndfl3 = document ? findElement(xmlDocGetRootElement(document.get()), "НДФЛ3") : nullptr;
    std::string kinds;
    for (const xmlNode* node = ndfl3 ? ndfl3->children : nullptr; node; node = node->next) {
        if (node->type != XML_ELEMENT_NODE || reinterpret_cast<const char*>(node->name) != std::string("НалБаза"))
            continue;
        xmlChar* kind = xmlGetProp(node, BAD_CAST "ВидДоход");
        kinds += (kinds.empty() ? "" : " ") + std::string(kind ? reinterpret_cast<const char*>(kind) : "?");
        xmlFree(kind);
    }
    return kinds;
}

kTSvodSumRazd2& sheetWithIncome(kTSvodSum& svod, int kind, Currency income)
{
    kTSvodSumRazd2& sheet = svod.Razd2Sheet(kind);
    sheet.ВидДоход = TwoDigitText(kind);
    sheet.СумДох = income;
    return sheet;
}

struct KindsCase {
    const char* name;
    std::function<void(mTDeclaration&, kTSvodSum&)> fill;
    const char* kinds;
};

TEST(TaxBaseElements, OneElementPerKindWithIncomeInTheOrderOfTheKinds)
{
    const KindsCase cases[] = {
        {"no income", [](mTDeclaration&, kTSvodSum&) {}, ""},
        {"kind 01 only", [](mTDeclaration&, kTSvodSum& s) { sheetWithIncome(s, 1, rub(1)); }, "01"},
        {"kinds 03 and 01", [](mTDeclaration&, kTSvodSum& s) {
             sheetWithIncome(s, 3, rub(5));
             sheetWithIncome(s, 1, rub(7));
         },
         "01 03"},
        {"every kind up to 24", [](mTDeclaration&, kTSvodSum& s) {
             for (int kind = 25; kind >= 1; --kind)
                 sheetWithIncome(s, kind, rub(kind));
         },
         "01 02 03 04 05 06 07 08 09 10 11 12 13 14 15 16 17 18 19 20 21 22 23 24"},
        {"withheld tax without income", [](mTDeclaration&, kTSvodSum& s) {
             sheetWithIncome(s, 2, rub(0)).Удерж = rub(1'300);
         },
         ""},
        {"negative income", [](mTDeclaration&, kTSvodSum& s) { sheetWithIncome(s, 4, rub(-10)); }, ""},
        {"income of a kopeck", [](mTDeclaration&, kTSvodSum& s) { sheetWithIncome(s, 4, rub(0.01)); }, "04"},
        {"kind 25", [](mTDeclaration&, kTSvodSum& s) { sheetWithIncome(s, 25, rub(1'000)); }, ""},
        {"kind 07 without income", [](mTDeclaration&, kTSvodSum& s) {
             sheetWithIncome(s, 7, rub(0)).УплПатентЗач = rub(30'000);
         },
         ""},
        {"kind 07 without income when closing a business",
         [](mTDeclaration& d, kTSvodSum& s) {
             d.DeclarationType = DeclarationClosingBusiness;
             sheetWithIncome(s, 7, rub(0)).УплПатентЗач = rub(30'000);
         },
         "07"},
    };
    for (const KindsCase& c : cases) {
        auto decl = validDeclaration();
        auto svod = clearedSummary();
        c.fill(*decl, *svod);
        // The format requires one tax base at least: without any there is no file.
        if (std::string(c.kinds).empty()) {
            EXPECT_NE(builderRefusal(*decl, *svod).find("В декларации не указано ни одного дохода"), std::string::npos)
                << c.name;
            continue;
        }
        EXPECT_EQ(writtenKinds(builtText(*decl, *svod)), c.kinds) << c.name;
    }
}

TEST(TaxBaseElements, EveryAmountIsWrittenInTheFormOfItsField)
{
    auto decl = validDeclaration();
    auto svod = clearedSummary();
    kTSvodSumRazd2& sheet = sheetWithIncome(*svod, 1, rub(1'234.5));
    sheet.СумДохНеНал = rub(0.9999);
    sheet.СумДохНал = rub(1'233.5001);
    sheet.СумНалВыч = rub(1);
    sheet.СумРасх = rub(2);
    sheet.НалБаза = rub(6'000'000);
    sheet.НалБаза2_1_224 = rub(5'000'000);
    sheet.НалБаза3_1_224 = rub(1'000'000);
    sheet.СумИное = rub(3);
    sheet.Исчисл = rub(800'000);
    sheet.Удерж = rub(1'234);
    sheet.СумУдержИст224 = rub(4);
    sheet.СумУдержМат = rub(5);
    sheet.ТСУплПерЗач = rub(6);
    sheet.СумФиксАван = rub(7);
    sheet.УплИнПодлЗач = rub(8);
    sheet.УплПатентЗач = rub(9);
    sheet.ПодлУпл = rub(10);
    sheet.ПодлВозв = rub(11);
    // Working fields that the file does not carry.
    sheet.Extra213 = rub(99);
    sheet.PoolBase = rub(98);

    EXPECT_EQ(elementsText(builtText(*decl, *svod), "НалБаза"),
              R"(<НалБаза ВидДоход="01">)"
              R"(<РасчНалБаза СумДох="1234.50" СумДохНеНал="0.99" СумДохНал="1233.50" СумНалВыч="1.00" СумРасх="2.00")"
              R"( НалБаза="6000000.00" НалБаза2.1.224="5000000.00" НалБаза3.1.224="1000000.00" СумИное="3.00"/>)"
              R"(<РасчНалПУ Исчисл="800000" Удерж="1234" СумУдержИст224="4" СумУдержМат="5" ТСУплПерЗач="6")"
              R"( СумФиксАван="7" УплИнПодлЗач="8" УплПатентЗач="9" ПодлУпл="10" ПодлВозв="11"/>)"
              R"(</НалБаза>)");
}

TEST(TaxBaseElements, ANegativeBaseIsWrittenAsZero)
{
    auto decl = validDeclaration();
    auto svod = clearedSummary();
    kTSvodSumRazd2& sheet = sheetWithIncome(*svod, 20, rub(100));
    sheet.СумДохНал = rub(-50);
    sheet.НалБаза = rub(-50);
    EXPECT_EQ(attributeText(builtText(*decl, *svod), "РасчНалБаза", "НалБаза"), "0.00");
}

struct RefusedCase {
    const char* name;
    std::function<void(kTSvodSumRazd2&)> fill;
    const char* field;
};

TEST(TaxBaseElements, FiguresTheFormatForbidsFailNamingTheField)
{
    const RefusedCase cases[] = {
        {"negative tax beside a zero base", [](kTSvodSumRazd2& s) {
             s.НалБаза = rub(-50);
             s.СумИное = rub(-50);
             s.Исчисл = rub(-15);
         },
         "НалБаза/РасчНалПУ/@Исчисл"},
        {"income too wide", [](kTSvodSumRazd2& s) { s.СумДох = rub(10'000'000'000'000); },
         "НалБаза/РасчНалБаза/@СумДох"},
        {"tax too wide", [](kTSvodSumRazd2& s) { s.ПодлУпл = rub(10'000'000'000'000); },
         "НалБаза/РасчНалПУ/@ПодлУпл"},
        // Tax is held in whole roubles: kopecks are refused, never rounded away.
        {"withheld tax with kopecks", [](kTSvodSumRazd2& s) { s.Удерж = rub(3'500.50); }, "НалБаза/РасчНалПУ/@Удерж"},
        {"tax to refund with kopecks", [](kTSvodSumRazd2& s) { s.ПодлВозв = rub(0.01); },
         "НалБаза/РасчНалПУ/@ПодлВозв"},
    };
    for (const RefusedCase& c : cases) {
        auto decl = validDeclaration();
        auto svod = clearedSummary();
        c.fill(sheetWithIncome(*svod, 23, rub(100)));
        const std::string message = builderRefusal(*decl, *svod);
        EXPECT_NE(message.find(c.field), std::string::npos) << c.name << ": " << message;
    }
}

TEST(TaxBaseElements, ComputedDividendsGiveTheirTaxBase)
{
    auto decl = validDeclaration();
    mbTSourse& payer = addPayer(*decl);
    payer.AddIncome13(incomeLine(1010, rub(100'000)));
    payer.WithheldTax13 = rub(13'000);

    const ExportResult result = exportText(*decl);
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_EQ(elementsText(result.text, "НалБаза"),
              R"(<НалБаза ВидДоход="01">)"
              R"(<РасчНалБаза СумДох="100000.00" СумДохНеНал="0.00" СумДохНал="100000.00" СумНалВыч="0.00" СумРасх="0.00")"
              R"( НалБаза="100000.00" НалБаза2.1.224="100000.00" НалБаза3.1.224="0.00" СумИное="0.00"/>)"
              R"(<РасчНалПУ Исчисл="13000" Удерж="13000" СумУдержИст224="0" СумУдержМат="0" ТСУплПерЗач="0")"
              R"( СумФиксАван="0" УплИнПодлЗач="0" УплПатентЗач="0" ПодлУпл="0" ПодлВозв="0"/>)"
              R"(</НалБаза>)");
}

} // namespace

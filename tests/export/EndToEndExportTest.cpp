// Whole declarations exported through the real computation and the real file writer, the
// file read back by xmllint and checked against the format's schema and its rules: every value
// in upper case, amounts and dates in their forms, the body in its fixed order, the file named
// by its identifier.

#include "export/ExchangeFile.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <functional>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include <unistd.h>

#include "DeclarationBuilders.h"
#include "ExportTestSupport.h"
#include "computation/DeductionSheetTestSupport.h"
#include "model/CommaDecimalLocale.h"
#include "model/Cp1251.h"
#include "tests/support/FileBytes.h"

namespace fs = std::filesystem;

namespace {

// The children of "НДФЛ3" in the order of the format; the marked ones may repeat.
const std::vector<std::pair<std::string, bool>> BodyOrder = {
    {"СумНалПу", false},    {"ЗаявЗачВозвр", false},  {"НалБаза", true},       {"ДоходИстРФ", true},
    {"ДоходИстИно", false}, {"ДоходПредпр", false},   {"ДоходОсвПрев", false}, {"ВычСтандСоц", false},
    {"ИмущНалВычПр", false}, {"ИмущНалВычНов", false}, {"ДохОперЦБ", true},     {"ДохПродОНИ", true},
    {"ВычСоцИнв219", false},
};

const char* const AllAttributes = "*";

// Attributes that hold roubles and kopecks, by element ("*": all of the element's).
const std::map<std::string, std::set<std::string>> MoneyAttributes = {
    {"РасчНалБаза", {AllAttributes}},
    {"ЗаявВозвр", {"Сумма"}},
    {"ДоходИстРФ", {"Доход"}},
    {"РасчДохНалИно", {"ДоходИноВал", "ДоходИноРуб", "ДоходОсв", "НалУплИноВал", "НалУплИноРуб"}},
    {"ДоходПредпр", {"ДоходИт", "ВычПрофИт"}},
    {"РасчВидДеят", {"Доход", "РасхФакт", "РасхФМат", "РасхФАмНач", "РасхФОплТруд", "РасхФПроч"}},
    {"НБКор105.3", {"НБКорСам"}},
    {"ПрофНалВыч", {"РасхФактДогГПХ", "РасхФактАвтВозн", "РасхНормАвтВозн", "ОбщРасхВыч"}},
    {"ДоходОсвПрев", {AllAttributes}},
    {"ВычСтандСоц", {AllAttributes}},
    {"РасчВычСтанд", {AllAttributes}},
    {"РасчВычСоцБез219.2", {AllAttributes}},
    {"РасчВычСоц219.2", {AllAttributes}},
    {"РасчИнвВыч", {AllAttributes}},
    {"ИмущНалВычПр", {AllAttributes}},
    {"ВычДохНедвЖил", {AllAttributes}},
    {"ВычПродНедвИн", {AllAttributes}},
    {"ВычПродИмущИн", {AllAttributes}},
    {"ВычИзъятИмущГМН", {AllAttributes}},
    {"ВычЛиквИОиКИК", {AllAttributes}},
    {"РасхВычПродУК", {AllAttributes}},
    {"РасхВычПрдСр", {AllAttributes}},
    {"РасхВычУмСтУК", {AllAttributes}},
    {"РасхВычУстПрав", {AllAttributes}},
    {"РасчИмущВыч", {AllAttributes}},
    {"СвОбъектРасх", {"СумРасхФакт", "СумФактУплПроц"}},
    {"ДохОперЦБ", {"ДохСовОпер", "РасхРеалЦБ", "РасхУмДохОпер", "ИнвВыч219.1Опер", "ИнвВыч219.3Опер"}},
    {"УчетУбыт", {"УбытУмДохОпер"}},
    {"ДохПродОНИ", {"КадСтоимГодРег", "ДохПродЦенаДог", "КадСтоимКоэф", "ДохПродНалОбл"}},
    {"РасчПенсВзнос", {"ОбщВзносВыч"}},
    {"РасчПСВВыч", {"СумВзносУпл"}},
    {"РасчДопСВВыч", {"СумВзносУпл"}},
    {"РасчСумИнвВыч", {"ОбщСумВыч"}},
};

// Attributes that hold roubles in their shortest decimal form.
const std::map<std::string, std::set<std::string>> WholeAttributes = {
    {"РасчНалПУ", {AllAttributes}},
    {"СумНалПуИскл227", {"ПодлУпл", "ПодлВозв"}},
    {"ДоходИстРФ", {"НалУдерж"}},
    {"РасчДохНалИно", {"НалИсчКИК", "НалЗачРФОбщ", "НалогЗачРФОбщ"}},
    {"ДоходПредпр", {"УплФактАвИт"}},
    {"НБКор105.3", {"НалКорСам"}},
    {"СумПолДох", {AllAttributes}},
    {"СумПрофВыч", {AllAttributes}},
    {"СумСтандВыч", {AllAttributes}},
    {"НалБазаИсч", {AllAttributes}},
    {"СумИсчАванс", {AllAttributes}},
};

bool listed(const std::map<std::string, std::set<std::string>>& table, const std::string& element,
            const std::string& attribute)
{
    const auto found = table.find(element);
    return found != table.end() && (found->second.contains(AllAttributes) || found->second.contains(attribute));
}

std::string name(const xmlNode* node)
{
    return reinterpret_cast<const char*>(node->name);
}

std::vector<const xmlNode*> childElements(const xmlNode* parent)
{
    std::vector<const xmlNode*> children;
    for (const xmlNode* child = parent->children; child; child = child->next)
        if (child->type == XML_ELEMENT_NODE)
            children.push_back(child);
    return children;
}

// Every attribute below the root against the forms of the format.
void checkValues(const xmlNode* element)
{
    static const std::regex money(R"(-?\d+\.\d\d)");
    static const std::regex whole(R"(-?\d+(\.\d{1,4})?)");
    static const std::regex date(R"(\d\d\.\d\d\.\d{4})");
    for (const xmlAttr* attribute = element->properties; attribute; attribute = attribute->next) {
        const std::string attributeName = reinterpret_cast<const char*>(attribute->name);
        xmlChar* content = xmlNodeGetContent(reinterpret_cast<const xmlNode*>(attribute));
        const std::string value = reinterpret_cast<const char*>(content);
        xmlFree(content);
        SCOPED_TRACE(name(element) + "/@" + attributeName + " = " + value);
        EXPECT_EQ(cp1251::toUpperUtf8(value), value);
        EXPECT_FALSE(value.empty());
        if (listed(MoneyAttributes, name(element), attributeName)) {
            EXPECT_TRUE(std::regex_match(value, money));
        }
        if (listed(WholeAttributes, name(element), attributeName)) {
            EXPECT_TRUE(std::regex_match(value, whole));
        }
        if (attributeName.starts_with("Дата")) {
            EXPECT_TRUE(std::regex_match(value, date));
            EXPECT_TRUE(parseDateText(value).has_value());
        }
    }
    for (const xmlNode* child : childElements(element))
        checkValues(child);
}

// The children of "НДФЛ3" follow the format's order, the single ones at most once; gives
// them as "name" or "name*count", in order.
std::vector<std::string> checkBody(const xmlNode* ndfl3)
{
    std::vector<std::string> body;
    std::size_t position = 0;
    std::string last;
    int count = 0;
    const auto flush = [&] {
        if (count > 0)
            body.push_back(count == 1 ? last : last + "*" + std::to_string(count));
    };
    for (const xmlNode* child : childElements(ndfl3)) {
        const std::string childName = name(child);
        std::size_t rank = position;
        while (rank < BodyOrder.size() && BodyOrder[rank].first != childName)
            ++rank;
        EXPECT_LT(rank, BodyOrder.size()) << childName << " out of order or unknown";
        if (rank >= BodyOrder.size())
            continue;
        if (childName == last) {
            EXPECT_TRUE(BodyOrder[rank].second) << childName << " repeated";
            ++count;
        } else {
            flush();
            last = childName;
            count = 1;
        }
        position = rank;
    }
    flush();
    return body;
}

struct Scenario {
    const char* name;
    std::function<void(mTDeclaration&)> build;
    std::vector<std::string> body; // the children of "НДФЛ3" expected, as checkBody gives them
    // Figures worked by hand: (element, attribute, value) of the first element of that name.
    std::vector<std::array<const char*, 3>> figures;
};

const std::vector<Scenario>& scenarios()
{
    static const std::vector<Scenario> all = {
        // Wages of 600 000 with 78 000 withheld; medical services of 60 000 leave a base of
        // 540 000 and a tax of 70 200: 7 800 to refund.
        {"resident employee with a social deduction and a refund",
         [](mTDeclaration& decl) {
             mbTSourse& employer = addMonthlyWages(decl, rub(50'000));
             employer.Name = "ооо ромашка";
             employer.WithheldTax13 = rub(78'000);
             decl.SocialDeduct.Granted = 1;
             decl.SocialDeduct.MedicalSum = rub(60'000);
             applyForRefund(decl, 7'800);
         },
         {"СумНалПу", "ЗаявЗачВозвр", "НалБаза", "ДоходИстРФ", "ВычСтандСоц"},
         {{"СумНалПуИскл227", "ПодлВозв", "7800"},
          {"ЗаявВозвр", "Сумма", "7800.00"},
          {"ИстЮЛ", "Наим", "ООО РОМАШКА"},
          {"ВычСтандСоц", "ВычСтандСоц", "60000.00"}}},
        {"foreign income with a controlled company",
         addControlledCompanyIncomes,
         {"СумНалПу", "НалБаза*2", "ДоходИстИно"},
         {{"РасчДохНалИно", "НалогЗачРФОбщ", "735"}, {"РасчДохНалИно", "КурсВалютДох", "73.5"}}},
        // Bases of 150 000, 300 000 and 450 000 at 13 %.
        {"entrepreneur with advance payments",
         [](mTDeclaration& decl) {
             mTBusinessNew& record = addBusiness(decl, {"1", 1'000'000, 400'000});
             record.ActivityCode = "62.01";
             setQuarters(record, {250'000, 250'000, 250'000, 250'000}, {100'000, 100'000, 100'000, 100'000});
             decl.ActualAdvancePayments = rub(50'000);
         },
         {"СумНалПу", "НалБаза", "ДоходПредпр"},
         {{"ДоходПредпр", "ДоходИт", "1000000.00"}, {"СумИсчАванс", "За9м", "58500"}}},
        // 1 200 000 of wages and a limit of 2 000 000: the whole tax of 156 000 comes back.
        {"property purchase with two objects",
         [](mTDeclaration& decl) {
             addMonthlyWages(decl, rub(100'000)).WithheldTax13 = rub(156'000);
             addTwoPropertyObjects(decl);
         },
         {"СумНалПу", "НалБаза", "ДоходИстРФ", "ИмущНалВычНов"},
         {{"СумНалПуИскл227", "ПодлВозв", "156000"}, {"РасчИмущВыч", "ОстИВБезПроц", "800000.00"}}},
        // Five losses split the row "01" (worked for the securities sheet).
        {"securities with a split row",
         [](mTDeclaration& decl) {
             mbTSourse& broker = addPayer(decl);
             broker.AddIncome13(incomeLine(1530, rub(1'000'000), 201, rub(200'000)));
             broker.AddIncome13(incomeLine(1530, rub(100'000), 218, rub(50'000)));
             broker.AddIncome13(incomeLine(1537, rub(10'000), 201, rub(40'000)));
             broker.AddIncome13(incomeLine(1538, rub(5'000), 201, rub(25'000)));
             broker.AddIncome13(incomeLine(1532, rub(10'000), 201, rub(70'000)));
             decl.CBDeduct.Granted = 1;
             decl.CBDeduct.LossSecurities = rub(100'000);
             decl.InvDeduct.Granted = 1;
             decl.InvDeduct.SecuritiesDeduction = rub(300'000);
         },
         {"СумНалПу", "НалБаза", "ДоходИстРФ", "ДохОперЦБ*5"},
         {{"ДохОперЦБ", "ДохСовОпер", "600000.00"}, {"УчетУбыт", "ВидОперУбыт", "10"}}},
        {"non-resident",
         [](mTDeclaration& decl) {
             decl.DeclarationType = DeclarationNonResident;
             decl.Person.Foreigner.CountryCode = "840";
             mbTSourse& payer = addPayer(decl);
             auto line = incomeLine(2000, rub(100'000));
             line->WithheldTax = rub(30'000);
             payer.AddIncome99(std::move(line));
             payer.WithheldTax99 = rub(30'000);
         },
         {"СумНалПу", "НалБаза", "ДоходИстРФ"},
         {{"ДоходИстРФ", "ВидДоход", "20"}, {"ДоходИстРФ", "НалУдерж", "30000"}}},
        {"closing business",
         [](mTDeclaration& decl) {
             decl.DeclarationType = DeclarationClosingBusiness;
             setQuarters(addBusiness(decl, {"1", 100'000, 20'000}), {100'000, 0, 0, 0}, {20'000, 0, 0, 0});
         },
         {"СумНалПу", "НалБаза", "ДоходПредпр"},
         // The first quarter's base of 80 000 at the resident's 13 %.
         {{"СумИсчАванс", "ЗаКв", "10400"}}},
        // Kinds "01" (the dividend abroad), "03" (securities), "10" (wages and the contract),
        // "17" (the gift) and "18" (the sale); all but the first paid in Russia.
        {"every part of the body at once",
         [](mTDeclaration& decl) {
             mbTSourse& employer = addMonthlyWages(decl, rub(100'000));
             employer.WithheldTax13 = rub(156'000);
             employer.AddIncome13(incomeLine(2010, rub(50'000), 403, rub(10'000)));
             employer.AddIncome13(incomeLine(2720, rub(3'000), 501));
             employer.AddIncome13(incomeLine(1530, rub(20'000), 201, rub(5'000)));
             addPropertySale(employer, 1510, "77:01:0001001:1001", 3'000'000, 2'500'000, 2'500'000).DeductionCode = 901;
             payForeignTax(addForeignIncome(decl, {1010, "840", "Apple Inc", "840", 73.5, 100, *encodeDate(2021, 5, 10)}),
                           10);
             decl.SocialDeduct.Granted = 1;
             decl.SocialDeduct.MedicalSum = rub(20'000);
             addPensionContract(decl, 1, 30'000, "НПФ Благосостояние");
             addTwoPropertyObjects(decl);
             applyForRefund(decl, 1'000);
         },
         {"СумНалПу", "ЗаявЗачВозвр", "НалБаза*5", "ДоходИстРФ*4", "ДоходИстИно", "ДоходПредпр", "ДоходОсвПрев",
          "ВычСтандСоц", "ИмущНалВычПр", "ИмущНалВычНов", "ДохОперЦБ", "ДохПродОНИ", "ВычСоцИнв219"},
         {{"ПрофНалВыч", "ОбщРасхВыч", "10000.00"}, {"ДоходОсвПрев", "СтоимПодар", "3000.00"}}},
    };
    return all;
}

class EndToEndExportTest : public ::testing::Test {
protected:
    fs::path folder;

    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "forv-end-to-end-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        folder = pattern;
    }
    void TearDown() override
    {
        std::error_code ignored;
        fs::remove_all(folder, ignored);
    }

};

TEST_F(EndToEndExportTest, EveryScenarioGivesAFileTheFormatAccepts)
{
    for (const Scenario& scenario : scenarios()) {
        SCOPED_TRACE(scenario.name);
        auto decl = validDeclaration();
        scenario.build(*decl);

        const ExportResult file = ExportDeclarationXml(folder, *decl, ExportMode::File, fixedStamp());
        ASSERT_TRUE(file.ok) << file.error;
        const ExportResult text = ExportDeclarationXml(folder, *decl, ExportMode::Text, fixedStamp());
        ASSERT_TRUE(text.ok) << text.error;
        const fs::path path = folder / file.text;
        EXPECT_EQ(readFile(path), text.text);
        EXPECT_EQ(exchangeSchemaErrors(path.string()), "");

        // The bytes are windows-1251 as declared; xmllint decodes them and hands the tree
        // back in UTF-8, which is what the checks read.
        EXPECT_EQ(runCommand("iconv -f WINDOWS-1251 -t UTF-8 '" + path.string() + "' > /dev/null 2>&1").second, 0);
        const auto [utf8, status] = runCommand("xmllint --encode UTF-8 '" + path.string() + "' 2>&1");
        ASSERT_EQ(status, 0) << utf8;
        const ParsedXml document = parseExchangeFile(utf8);
        ASSERT_TRUE(document);
        const xmlNode* root = xmlDocGetRootElement(document.get());

        xmlChar* identifier = xmlGetProp(root, BAD_CAST "ИдФайл");
        ASSERT_TRUE(identifier);
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(identifier)) + ".xml", file.text);
        xmlFree(identifier);

        for (const xmlNode* child : childElements(root))
            checkValues(child);
        const xmlNode* ndfl3 = findElement(root, "НДФЛ3");
        ASSERT_TRUE(ndfl3);
        EXPECT_EQ(checkBody(ndfl3), scenario.body);
        for (const auto& [element, attribute, value] : scenario.figures)
            EXPECT_EQ(attributeText(text.text, element, attribute), value) << element << "/@" << attribute;
        fs::remove(path);
    }
}

// The same files under a decimal comma: the figures never follow the locale.
TEST_F(EndToEndExportTest, TheLocaleChangesNothing)
{
    for (const Scenario& scenario : scenarios()) {
        SCOPED_TRACE(scenario.name);
        auto decl = validDeclaration();
        scenario.build(*decl);
        const ExportResult plain = ExportDeclarationXml(folder, *decl, ExportMode::Text, fixedStamp());
        ASSERT_TRUE(plain.ok) << plain.error;
        const CommaDecimalLocale comma;
        EXPECT_EQ(ExportDeclarationXml(folder, *decl, ExportMode::Text, fixedStamp()).text, plain.text);
    }
}

} // namespace

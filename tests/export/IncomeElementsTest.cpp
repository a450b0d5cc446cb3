#include "export/IncomeElements.h"

#include <gtest/gtest.h>

#include <string>

#include "DeclarationBuilders.h"
#include "ElementTestSupport.h"

namespace {

// Wages of 100 000 with 13 000 withheld.
void wages(mbTSourse& payer)
{
    payer.AddIncome13(incomeLine(2000, rub(100'000)));
    payer.WithheldTax13 = rub(13'000);
}

TEST(IncomeElements, RussianSources)
{
    const std::string wagesRow = R"(<ДоходИстРФ ВидДоход="10" ОКТМО="45382000" Доход="100000.00" НалУдерж="13000">)";
    expectSubtrees(
        AddRussianIncomeElements,
        {
            {"no payers", [](mTDeclaration&) {}, ""},
            {"an organisation, its name in capitals",
             [](mTDeclaration& decl) { wages(addPayer(decl)); },
             wagesRow + R"(<ИстЮЛ Наим="ООО РОМАШКА" ИННЮЛ="7701000001" КПП="770101001"/></ДоходИстРФ>)"},
            {"a person's long name is trimmed and cut to 255 characters",
             [](mTDeclaration& decl) {
                 std::string name = " \t";
                 for (int i = 0; i < 300; ++i)
                     name += "я";
                 mbTSourse& payer = addPayer(decl, "771234567859", name + " ");
                 payer.Oktmo.clear();
                 wages(payer);
             },
             [] {
                 std::string name;
                 for (int i = 0; i < 255; ++i)
                     name += "Я";
                 return R"(<ДоходИстРФ ВидДоход="10" Доход="100000.00" НалУдерж="13000"><ИстФЛИн ФИОИн=")" + name
                      + R"(" ИННФЛ="771234567859"/></ДоходИстРФ>)";
             }()},
            {"a person without INN",
             [](mTDeclaration& decl) { wages(addPayer(decl, "", "Петров Пётр")); },
             wagesRow + R"(<ИстФЛИн ФИОИн="ПЕТРОВ ПЁТР"/></ДоходИстРФ>)"},
            {"the tax withheld on code-2620 income is not a row of the file",
             [](mTDeclaration& decl) {
                 mbTSourse& payer = addPayer(decl);
                 wages(payer);
                 auto line = incomeLine(2620, rub(10'000));
                 line->WithheldTax = rub(500);
                 payer.AddIncome99(std::move(line));
             },
             wagesRow + R"(<ИстЮЛ Наим="ООО РОМАШКА" ИННЮЛ="7701000001" КПП="770101001"/></ДоходИстРФ>)"},
            // 13 000 split over the nets 60 000 and 40 000.
            {"two kinds of one payer share its withheld tax",
             [](mTDeclaration& decl) {
                 mbTSourse& payer = addPayer(decl);
                 payer.AddIncome13(incomeLine(1010, rub(60'000)));
                 payer.AddIncome13(incomeLine(2000, rub(50'000), 0, rub(10'000)));
                 payer.WithheldTax13 = rub(13'000);
             },
             R"(<ДоходИстРФ ВидДоход="01" ОКТМО="45382000" Доход="60000.00" НалУдерж="7800">)"
             R"(<ИстЮЛ Наим="ООО РОМАШКА" ИННЮЛ="7701000001" КПП="770101001"/></ДоходИстРФ>)"
             "\n"
             R"(<ДоходИстРФ ВидДоход="10" ОКТМО="45382000" Доход="50000.00" НалУдерж="5200">)"
             R"(<ИстЮЛ Наим="ООО РОМАШКА" ИННЮЛ="7701000001" КПП="770101001"/></ДоходИстРФ>)"},
        });
}

TEST(IncomeElements, RussianSourceWithoutNameFailsNamingTheField)
{
    expectFailure(
        AddRussianIncomeElements, [](mTDeclaration& decl) { wages(addPayer(decl, "771234567859", "  ")); },
        "НДФЛ3/ДоходИстРФ/ИстФЛИн/@ФИОИн");
}

// A payer is written as an organisation only with its КПП; as a person it needs a person's ИНН.
TEST(IncomeElements, PayerNumbersTheFormatForbidsFailNamingTheField)
{
    const struct {
        const char* name;
        const char* inn;
        const char* kpp;
        const char* field;
    } cases[] = {
        {"an organisation's INN without KPP", "7701000001", "", "ИстФЛИн/@ИННФЛ"},
        {"an organisation's INN with a wrong check digit", "7701000002", "770101001", "ИстЮЛ/@ИННЮЛ"},
        {"a person's INN with a wrong check digit", "771234567858", "", "ИстФЛИн/@ИННФЛ"},
        {"a KPP of eight characters", "7701000001", "77010100", "ИстЮЛ/@КПП"},
        {"a KPP beginning with 00", "7701000001", "000101001", "ИстЮЛ/@КПП"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        expectFailure(
            AddRussianIncomeElements,
            [&c](mTDeclaration& decl) {
                mbTSourse& payer = addPayer(decl, c.inn);
                payer.Kpp = c.kpp;
                wages(payer);
            },
            c.field);
    }
}

// Taxes in Russia at 13 %: 7 350 gives 956 (955.5 rounded up), of which the 735 paid abroad
// are credited; the profit 90 000 gives 11 700, of which 1 000 are credited; the dividend is
// exempt as a whole.
TEST(IncomeElements, ForeignIncome)
{
    expectSubtrees(
        AddForeignIncomeElements,
        {
            {"no foreign income", [](mTDeclaration&) {}, ""},
            {"a dividend and a controlled company's profit and dividend",
             addControlledCompanyIncomes,
             R"(<ДоходИстИно>)"
             R"(<РасчДохНалИно ОКСМИст="840" ОКСМЗач="840" НаимИстДох="APPLE INC" КодВалют="840" ВидДоход="01")"
             R"( ДатаДох="10.05.2021" КурсВалютДох="73.5" ДоходИноВал="100.00" ДоходИноРуб="7350.00")"
             R"( ДатаУплНал="10.05.2021" КурсВалютНал="73.5" НалУплИноВал="10.00" НалУплИноРуб="735.00")"
             R"( НалИсчКИК="0" НалЗачРФОбщ="956" НалогЗачРФОбщ="735"/>)"
             R"(<РасчДохНалИно ОКСМИст="196" ОКСМЗач="196" НаимИстДох="HOLDING LTD" КодВалют="978" ВидДоход="05")"
             R"( НомерКИК="01-12345" ДатаДох="31.12.2021" КурсВалютДох="90" ДоходИноВал="1000.00" ДоходИноРуб="90000.00")"
             R"( ПорядПрибКИК="1" НалИсчКИК="1000" НалЗачРФОбщ="11700" НалогЗачРФОбщ="1000"/>)"
             R"(<РасчДохНалИно ОКСМИст="196" ОКСМЗач="196" НаимИстДох="HOLDING LTD" КодВалют="643" ВидДоход="01")"
             R"( НомерКИК="01-12345" ДатаДох="01.07.2021" КурсВалютДох="1" ДоходИноВал="50000.00" ДоходИноРуб="50000.00")"
             R"( ДоходОсв="50000.00" КодВидОсв="3" ПорядПрибКИК="2" НалИсчКИК="0" НалЗачРФОбщ="0" НалогЗачРФОбщ="0"/>)"
             R"(</ДоходИстИно>)"},
        });
}

// The sheet keeps such an amount as nines; the file never carries that figure.
TEST(IncomeElements, ForeignAmountTooLongForItsFieldFailsNamingIt)
{
    expectFailure(
        AddForeignIncomeElements,
        [](mTDeclaration& decl) {
            addForeignIncome(decl, {1010, "840", "Apple Inc", "840", 1, 1'000'000'000'000, *encodeDate(2021, 5, 10)});
        },
        "НДФЛ3/ДоходИстИно/РасчДохНалИно/@ДоходИноВал");
}

TEST(IncomeElements, NonTaxableIncome)
{
    expectSubtrees(
        AddNonTaxableIncomeElements,
        {
            {"no exempt income",
             [](mTDeclaration& decl) { wages(addPayer(decl)); }, ""},
            // 5 000 of gifts of organisations are exempt up to 4 000; a gift of an individual is not.
            {"gifts only",
             [](mTDeclaration& decl) {
                 mbTSourse& payer = addPayer(decl);
                 payer.AddIncome13(incomeLine(2720, rub(3'000), 501));
                 payer.AddIncome13(incomeLine(2720, rub(2'000), 501));
                 payer.AddIncome13(incomeLine(2721, rub(2'500), 501));
             },
             R"(<ДоходОсвПрев СтоимПодар="4000.00" ДохНеНалОбщ="4000.00"/>)"},
            // Capped: lottery 4 000.01 to 4 000, help 15 000 to 10 000, contributions 20 000 to
            // 12 000. Total 50 000 + 1 000 + 2 000 + 3 000 + 4 000 + 500 + 4 000 + 100 + 10 000
            // + 12 000 + 7 000 = 93 600.
            {"every kind in the order of the form",
             [](mTDeclaration& decl) {
                 mbTSourse& payer = addPayer(decl);
                 payer.AddIncome13(incomeLine(2762, rub(50'000), 508, rub(50'000)));
                 payer.AddIncome13(incomeLine(2730, rub(1'000), 502));
                 payer.AddIncome13(incomeLine(2760, rub(2'000), 503));
                 payer.AddIncome13(incomeLine(2770, rub(3'000), 504));
                 payer.AddIncome99(incomeLine(2740, rub(6'000), 505, rub(4'000)));
                 payer.AddIncome13(incomeLine(2761, rub(500), 506));
                 payer.AddIncome13(incomeLine(3011, rub(4'000.01), 511));
                 payer.AddIncome13(incomeLine(2763, rub(100), 512));
                 payer.AddIncome13(incomeLine(2790, rub(15'000), 507));
                 payer.AddIncome13(incomeLine(1211, rub(20'000), 510));
                 payer.AddIncome13(incomeLine(2799, rub(7'000), 599));
             },
             R"(<ДоходОсвПрев МатПомРожд="50000.00" СтоимПриз="1000.00" МатПомРаб="2000.00" ВозмМед="3000.00")"
             R"( ПризРекл="4000.00" МатПомИнв="500.00" ВыигрЛотер="4000.00" МатПомОбр="100.00" ПомПодар="10000.00")"
             R"( ДопСВПенс="12000.00" ДоходИн="7000.00" ДохНеНалОбщ="93600.00"/>)"},
        });
}

// Material aid at birth counts up to 50 000 a child, with no limit for the year; the field holds
// nine digits, and a clamped figure is never written.
TEST(IncomeElements, MaterialAidTooLongForItsFieldFailsNamingIt)
{
    expectFailure(
        AddNonTaxableIncomeElements,
        [](mTDeclaration& decl) {
            // 50 000 a child at most: 20 000 children's aid is 1 000 000 000, ten digits.
            mbTSourse& payer = addPayer(decl);
            for (int child = 0; child < 20'000; ++child)
                payer.AddIncome13(incomeLine(2762, rub(50'000), 508, rub(50'000)));
        },
        "НДФЛ3/ДоходОсвПрев/@МатПомРожд");
}

TEST(IncomeElements, PropertySaleIncome)
{
    expectSubtrees(
        AddPropertySaleIncomeElements,
        {
            {"no sales", [](mTDeclaration& decl) { wages(addPayer(decl)); }, ""},
            // 0.7 of 3 000 000 is 2 100 000; 0.7 of 1 234 567.89 is 864 197.523, half up to kopecks.
            {"two sales compared with their cadastral value",
             [](mTDeclaration& decl) {
                 mbTSourse& payer = addPayer(decl);
                 addPropertySale(payer, 1510, "77:01:0001001:1001", 3'000'000, 1'500'000, 2'100'000);
                 addPropertySale(payer, 1511, "77:01:0001001:1002", 1'234'567.89, 900'000, 864'197.52);
                 addPropertySale(payer, 1520, "77:01:0001001:1003", 1'000'000, 1'000'000, 1'000'000);
             },
             R"(<ДохПродОНИ НомКадОтчуждОНИ="77:01:0001001:1001" КадСтоимГодРег="3000000.00" ДохПродЦенаДог="1500000.00")"
             R"( КадСтоимКоэф="2100000.00" ДохПродНалОбл="2100000.00"/>)"
             "\n"
             R"(<ДохПродОНИ НомКадОтчуждОНИ="77:01:0001001:1002" КадСтоимГодРег="1234567.89" ДохПродЦенаДог="900000.00")"
             R"( КадСтоимКоэф="864197.52" ДохПродНалОбл="864197.52"/>)"},
        });
}

TEST(IncomeElements, PropertySaleWithoutCadastralNumberFailsNamingIt)
{
    expectFailure(
        AddPropertySaleIncomeElements,
        [](mTDeclaration& decl) { addPropertySale(addPayer(decl), 1510, "", 3'000'000, 1'500'000, 2'100'000); },
        "НДФЛ3/ДохПродОНИ/@НомКадОтчуждОНИ");
}

} // namespace

// Seeded random declarations exported as text: every export either gives a file that the
// format's schema accepts or fails with a message naming the field; never an invalid file
// reported as success. A declaration made as the pages make it is always exported; one with a
// value spoiled is refused, naming that value's field.
#include "export/ExchangeFile.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <set>
#include <string>
#include <utility>

#include "RandomExchangeDeclarations.h"
#include "export/FieldLimits.h"

namespace {

constexpr std::uint32_t DeclarationCount = 300;
// Every so many declarations one value is spoiled.
constexpr std::uint32_t SpoiledEvery = 4;

using Draw = ExchangeDeclarationGenerator;

// The only income of a resident's declaration (its deductions stay): a payer whose withheld tax
// of 50 000 on wages of 100 000 leaves a refund in the file.
mbTSourse& refundingPayer(mTDeclaration& d)
{
    d.DeclarationType = DeclarationOrdinary;
    d.SetIncomeKinds(0);
    return addWagesPayer(d, "ООО Переплата", 100'000, 50'000, 3);
}

mTTrata& application(mTDeclaration& d, bool refund)
{
    refundingPayer(d);
    mTTrata& entry = *d.GetTrata(d.AddTrata());
    entry.IsRefund = refund ? 1 : 0;
    entry.RefundSum = entry.OffsetSum = Currency::fromWholeRoubles(1'000);
    entry.BankName = "ПАО Сбербанк";
    entry.BankBik = "044525225";
    entry.AccountKind = 1;
    entry.AccountNumber = "40817810000000000001";
    entry.TaxOfficeCode = "7701";
    entry.Kbk = "18210102010011000110";
    entry.OffsetPurpose = 1;
    entry.Oktmo = "45382000";
    return entry;
}

mTPens& pensionContract(mTDeclaration& d)
{
    d.DeclarationType = DeclarationOrdinary;
    refundingPayer(d);
    d.SocialDeduct.Granted = 1;
    mTPens& contract = *d.SocialDeduct.GetPens(d.SocialDeduct.AddPens());
    contract.ContractKind = 2;
    contract.OrgName = "НПФ «Будущее»";
    contract.OrgINN = "7707083893";
    contract.OrgKPP = "770701001";
    contract.ContractNumber = "Д-1";
    contract.ContractDate = *encodeDate(2020, 1, 15);
    contract.Sum = Currency::fromWholeRoubles(10'000);
    return contract;
}

// A dividend of 100 dollars, in a declaration that computes foreign income.
mTCurrencyIncome& foreignIncome(mTDeclaration& d)
{
    if (d.DeclarationType == DeclarationClosingBusiness)
        d.DeclarationType = DeclarationOrdinary;
    mTCurrencyIncome& income = *d.GetCurrencyIncome(d.AddCurrencyIncome());
    income.IncomeCode = 1010;
    income.SourceName = "Apple Inc";
    income.SourceCountry = income.CreditCountry = income.CurrencyCode = "840";
    income.IncomeDate = *encodeDate(2021, 5, 10);
    income.IncomeDateUnits = 1;
    income.IncomeDateRate = Currency::fromRoubles(73.5);
    income.SetIncomeAmount(Currency::fromWholeRoubles(100));
    return income;
}

struct Spoiler {
    const char* name;
    const char* field; // what the refusal names
    std::function<void(mTDeclaration&, Draw&)> spoil;
};

const Spoiler spoilers[] = {
    {"no income at all", "НДФЛ3/НалБаза",
     [](mTDeclaration& d, Draw&) {
         d.DeclarationType = DeclarationOrdinary;
         d.SetIncomeKinds(0);
     }},
    {"surname of 61 characters", "ФИОФЛ/@Фамилия",
     [](mTDeclaration& d, Draw&) { d.Person.Name.SurName = std::string(61, 'W'); }},
    {"telephone of 21 characters", "НПФЛ3/@Тлф",
     [](mTDeclaration& d, Draw&) { d.Person.HomePhone.Number = "8 (495) 123-45-67 д.1"; }},
    {"taxpayer's INN with a wrong check digit", "СведФЛ1/@ИННФЛ",
     [](mTDeclaration& d, Draw&) { d.Person.Name.INN = "500100732258"; }},
    {"identity document of 26 characters", "УдЛичн/@СерНомДок",
     [](mTDeclaration& d, Draw&) {
         d.Person.Name.INN.clear();
         d.Person.Document.DocKind = 21;
         d.Person.Document.DocSeriesNumber = std::string(26, '1');
     }},
    {"representative's document of 121 characters", "СвПред/@НаимДок",
     [](mTDeclaration& d, Draw&) {
         d.Signer = 1;
         d.RepresentativeName = "Петров Петр";
         d.RepresentativeDocument = std::string(121, 'D');
     }},
    {"withheld tax with kopecks", "указана с копейками",
     [](mTDeclaration& d, Draw&) { refundingPayer(d).WithheldTax13 += Currency::fromUnits(5'000); }},
    {"payer's INN with a wrong check digit", "ИстЮЛ/@ИННЮЛ",
     [](mTDeclaration& d, Draw&) { refundingPayer(d).Inn = "7707083894"; }},
    {"payer's KPP with a letter at the end", "ИстЮЛ/@КПП",
     [](mTDeclaration& d, Draw&) { refundingPayer(d).Kpp = "77070100A"; }},
    {"payer's OKTMO of nine digits", "@ОКТМО", [](mTDeclaration& d, Draw&) { refundingPayer(d).Oktmo = "453820001"; }},
    {"offset without a purpose", "СвНОПрПост/@ПрЗач",
     [](mTDeclaration& d, Draw&) { application(d, false).OffsetPurpose = 0; }},
    {"offset to a KBK of 19 digits", "СвНОПрПост/@КБК",
     [](mTDeclaration& d, Draw&) { application(d, false).Kbk = "1821010201001100011"; }},
    {"offset to a tax office of three digits", "СвНОПрПост/@КодНОПрПост",
     [](mTDeclaration& d, Draw&) { application(d, false).TaxOfficeCode = "770"; }},
    {"refund to a BIK of eight digits", "СвСчБанк/@БИК",
     [](mTDeclaration& d, Draw&) { application(d, true).BankBik = "04452522"; }},
    {"refund to an account of 19 digits", "СвСчБанк/@НомСч",
     [](mTDeclaration& d, Draw&) { application(d, true).AccountNumber = "4081781000000000000"; }},
    {"pension fund's INN with a wrong check digit", "СведИст/@ИННЮЛ",
     [](mTDeclaration& d, Draw&) { pensionContract(d).OrgINN = "7707083894"; }},
    {"pension contract number of 41 characters", "СведДогНПО/@НомДогНПО",
     [](mTDeclaration& d, Draw&) { pensionContract(d).ContractNumber = std::string(41, '7'); }},
    {"foreign source country of four digits", "@ОКСМИст",
     [](mTDeclaration& d, Draw&) { foreignIncome(d).SourceCountry = "8400"; }},
    {"currency code of two digits", "@КодВалют",
     [](mTDeclaration& d, Draw&) { foreignIncome(d).CurrencyCode = "84"; }},
    {"controlled company's withheld taxes with kopecks", "указана с копейками",
     [](mTDeclaration& d, Draw&) {
         mTCurrencyIncome& profit = foreignIncome(d);
         profit.IncomeCode = 1000;
         profit.CompanyNumber = "01 12345";
         profit.ProfitMethod = 1;
         profit.Line150Sum = Currency::fromRoubles(1'000.5);
     }},
    {"object without a number kind the format knows", "СведОбъект/@КодНомерОб",
     [](mTDeclaration& d, Draw&) {
         d.DeclarationType = DeclarationOrdinary;
         refundingPayer(d);
         d.ConstructionDeduct.Granted = 1;
         auto flat = std::make_unique<mTConstructionDeductObj>();
         flat->ObjectCode = 2;
         flat->OwnerSign = 1;
         flat->ObjectNumberKind = 4;
         flat->ObjectLocation = "Москва";
         flat->DwellingRegDate = *encodeDate(2020, 5, 1);
         flat->Cost = Currency::fromWholeRoubles(1'000'000);
         d.ConstructionDeduct.AddObject(std::move(flat));
     }},
};

// The attributes of every element below `node`, as "Element/@Attribute".
void collectAttributes(const xmlNode* node, std::set<std::string>& seen)
{
    for (; node; node = node->next) {
        if (node->type != XML_ELEMENT_NODE)
            continue;
        for (const xmlAttr* attribute = node->properties; attribute; attribute = attribute->next)
            seen.insert(std::string(reinterpret_cast<const char*>(node->name)) + "/@"
                        + reinterpret_cast<const char*>(attribute->name));
        collectAttributes(node->children, seen);
    }
}

TEST(RandomExport, EveryExportIsAValidFileOrARefusalNamingTheField)
{
    std::set<std::string> written;
    std::set<std::string> spoilersRun;
    for (std::uint32_t seed = 1; seed <= DeclarationCount; ++seed) {
        Draw draw(seed);
        const auto decl = draw.declaration();
        const Spoiler* spoiler = nullptr;
        if (seed % SpoiledEvery == 0) {
            spoiler = &spoilers[(seed / SpoiledEvery) % std::size(spoilers)];
            spoiler->spoil(*decl, draw);
            spoilersRun.insert(spoiler->name);
        }
        SCOPED_TRACE("seed " + std::to_string(seed) + (spoiler ? std::string(", ") + spoiler->name : "") + "\n"
                     + draw.log());

        const ExportResult result = ExportDeclarationXml({}, *decl, ExportMode::Text, fixedStamp());
        if (result.ok) {
            EXPECT_EQ(exchangeSchemaErrorsOfText(result.text), "") << "an invalid file reported as success";
            const ParsedXml document = parseExchangeFile(result.text);
            collectAttributes(xmlDocGetRootElement(document.get()), written);
        }
        if (spoiler) {
            EXPECT_FALSE(result.ok) << "the spoiled value was exported";
            EXPECT_NE(result.error.find(spoiler->field), std::string::npos) << result.error;
        } else {
            EXPECT_TRUE(result.ok) << result.error;
        }
        if (::testing::Test::HasFailure())
            return; // one declaration's report is enough
    }
    EXPECT_EQ(spoilersRun.size(), std::size(spoilers));

    // The declarations reach every attribute the format has: the files that validated hold
    // every element and value the export writes. The sheets leave the income's rate empty, and
    // so the file.
    const std::set<std::string> neverWritten = {"ДоходИстРФ/@Ставка", "РасчДохНалИно/@Ставка"};
    for (const FieldFacet& field : FieldFacets::All) {
        const std::string name = std::string(field.element) + "/@" + std::string(field.attribute);
        EXPECT_EQ(written.contains(name), !neverWritten.contains(name)) << name;
    }
}

} // namespace

// A non-resident is taxed on income from Russian sources only, and the credit of tax paid abroad
// is a resident's: a non-resident's declaration that still holds foreign incomes is computed and
// exported as the same declaration without them.
#include "computation/Summary.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ComputationTestSupport.h"
#include "CurrencyPrinting.h"
#include "Section1Checks.h"
#include "export/ExchangeFile.h"
#include "model/DayDate.h"
#include "tests/export/DeclarationBuilders.h"
#include "tests/support/ExchangeSchema.h"

namespace {

constexpr const char* PayerOktmo = "45382000";

struct RussianIncomeCase {
    const char* name;
    std::function<void(mbTSourse&)> addIncome;
    std::vector<bmTList1> section1;
    long double refund;
};

// A non-resident with one payer in Russia, of the income the case adds.
void fillRussianIncome(mTDeclaration& decl, const RussianIncomeCase& c)
{
    decl.DeclarationType = DeclarationNonResident;
    decl.Person.Address.OKTMO = TaxpayerOktmo;
    c.addIncome(addPayer(decl));
}

// A dividend of 1 000 dollars at 73.5, 73 500 roubles, with 100 dollars withheld in the USA:
// a resident would owe 13 % of it, 9 555, and take the 7 350 paid abroad off.
void addUsDividend(mTDeclaration& decl)
{
    payForeignTax(addForeignIncome(decl, {1010, "840", "Apple Inc", "840", 73.5, 1'000, *encodeDate(2021, 5, 10)}),
                  100);
}

// The main figures of every section 2 sheet, in the order of the kinds.
std::vector<std::vector<Currency>> section2Figures(const kTSvodSum& svod)
{
    std::vector<std::vector<Currency>> figures;
    for (const kTSvodSumRazd2& sheet : svod.Razd2)
        figures.push_back({sheet.СумДох, sheet.СумДохНеНал, sheet.СумРасх, sheet.НалБаза, sheet.НалБаза2_1_224,
                           sheet.СумИное, sheet.Исчисл, sheet.Удерж, sheet.УплИнПодлЗач, sheet.ПодлУпл,
                           sheet.ПодлВозв});
    return figures;
}

// The texts and numbers that the figures do not need, for an exchange file the format accepts.
void describe(mTDeclaration& decl)
{
    decl.TaxOfficeCode = "7701";
    decl.Person.Name.SurName = "Смит";
    decl.Person.Name.FirstName = "Джон";
    decl.Person.Name.INN = "500100732259";
    for (auto& payer : decl.Sources)
        payer->Inn = "7707083893";
}

std::string exchangeFileOf(mTDeclaration& decl)
{
    describe(decl);
    const ExportStamp stamp{*encodeDate(2022, 3, 15), "0F1E2D3C-4B5A-4978-8695-A4B3C2D1E0F9"};
    const ExportResult exchange = ExportDeclarationXml({}, decl, ExportMode::Text, stamp);
    EXPECT_TRUE(exchange.ok) << exchange.error;
    EXPECT_EQ(exchangeSchemaErrorsOfText(exchange.text), "");
    return exchange.text;
}

const RussianIncomeCase russianIncomeCases[] = {
    // Other income (4800) at 30 %, nothing withheld: 30 000 to pay.
    {"other income at 30 %",
     [](mbTSourse& payer) { payer.AddIncome99(incomeLine(4800, rub(100'000))); },
     {{Kbk030, TaxpayerOktmo, rub(30'000), {}}}, 0},
    // Income of kind 15 at 13 %: 13 000 due, 20 000 withheld, 7 000 back at the payer's OKTMO.
    {"income at 13 % withheld in excess",
     [](mbTSourse& payer) {
         payer.WithheldTax13 = rub(20'000);
         payer.AddIncome13(incomeLine(6015, rub(100'000)));
     },
     {{Kbk010, PayerOktmo, {}, rub(7'000)}}, 7'000},
};

TEST(NonResidentForeignIncome, IsLeftOutOfEverySheet)
{
    for (const RussianIncomeCase& c : russianIncomeCases) {
        SCOPED_TRACE(c.name);
        mTDeclaration withForeign;
        fillRussianIncome(withForeign, c);
        addUsDividend(withForeign);
        ASSERT_TRUE(withForeign.HasIncomeKind(IncomeKindForeign));
        ASSERT_EQ(withForeign.CurrencyIncomeCount(), 1u);
        mTDeclaration without;
        fillRussianIncome(without, c);

        auto svod = std::make_unique<kTSvodSum>();
        const bool result = svod->Calculate(withForeign);
        auto twin = std::make_unique<kTSvodSum>();
        const bool twinResult = twin->Calculate(without);

        // The foreign income and its tax are in no sheet.
        EXPECT_TRUE(svod->Pril2.Rows.empty());
        EXPECT_EQ(svod->Pril2.RowCount, 0);
        EXPECT_EQ(svod->Pril2.TotalIncome, Currency());
        EXPECT_EQ(svod->Pril3_In.ОбщРасхВыч, Currency());
        for (const kTSvodSumRazd2& sheet : svod->Razd2)
            EXPECT_EQ(sheet.УплИнПодлЗач, Currency()) << "kind " << sheet.ВидДоход;

        // Section 2 and section 1 are those of the declaration without it.
        EXPECT_EQ(result, twinResult);
        EXPECT_EQ(section2Figures(*svod), section2Figures(*twin));
        EXPECT_EQ(svod->R1.Rows, twin->R1.Rows);
        EXPECT_EQ(svod->R1.Rows, c.section1);
        EXPECT_EQ(withForeign.SectionOneSum, rub(c.refund));
        EXPECT_EQ(without.SectionOneSum, rub(c.refund));

        // The exchange file is the twin's, and the format accepts it.
        EXPECT_EQ(exchangeFileOf(withForeign), exchangeFileOf(without));
    }
}

// The same foreign income in a resident's declaration is taxed and its foreign tax credited:
// 9 555 due on the dividend, 7 350 credited, 2 205 to pay.
TEST(NonResidentForeignIncome, AResidentsForeignIncomeStillCounts)
{
    mTDeclaration decl;
    decl.Person.Address.OKTMO = TaxpayerOktmo;
    addUsDividend(decl);

    auto svod = std::make_unique<kTSvodSum>();
    svod->Calculate(decl);

    ASSERT_EQ(svod->Pril2.Rows.size(), 1u);
    EXPECT_EQ(svod->Pril2.TotalIncome, rub(73'500));
    EXPECT_EQ(svod->Pril2.Rows[0].TaxInRussia, rub(9'555));
    EXPECT_EQ(svod->Pril2.Rows[0].TaxCredit, rub(7'350));
    EXPECT_EQ(svod->R1.Rows, (std::vector<bmTList1>{{Kbk030, TaxpayerOktmo, rub(2'205), {}}}));
}

} // namespace

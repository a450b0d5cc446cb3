#include "computation/Section1.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "ComputationTestSupport.h"
#include "Section1Checks.h"
#include "computation/Summary.h"

namespace {

// The figures of a section-2 sheet that section 1 reads, in roubles.
struct SheetFigures {
    int kind = 0;
    long double base13 = 0;
    long double base15 = 0;
    long double withheld = 0;
    long double withheldAt15 = 0;
    long double extra213 = 0;
    long double simplifiedTax = 0;
    long double pay = 0;
    long double refund = 0;
};

// An appendix-1 row: a payer's income kind, territory code and the tax it withheld.
struct PayerFigures {
    const char* kind;
    const char* oktmo;
    long double withheld;
    long double withheldAt15 = 0;
};

struct RowFigures {
    const char* kbk;
    const char* oktmo;
    long double pay;
    long double refund;
};

struct Section1Case {
    const char* name;
    std::vector<SheetFigures> sheets;
    std::vector<PayerFigures> payers;
    std::vector<RowFigures> rows;
    long double sectionOneSum;
};

class Section1 : public ::testing::Test {
protected:
    void SetUp() override
    {
        svod->Clear();
        decl.Person.Address.OKTMO = TaxpayerOktmo;
    }

    void fill(const Section1Case& c)
    {
        svod->Clear();
        for (const SheetFigures& figures : c.sheets) {
            kTSvodSumRazd2& sheet = svod->Razd2Sheet(figures.kind);
            sheet.НалБаза2_1_224 = rub(figures.base13);
            sheet.НалБаза3_1_224 = rub(figures.base15);
            sheet.Удерж = rub(figures.withheld);
            sheet.СумУдержИст224 = rub(figures.withheldAt15);
            sheet.Extra213 = rub(figures.extra213);
            sheet.SimplifiedTax = rub(figures.simplifiedTax);
            sheet.ПодлУпл = rub(figures.pay);
            sheet.ПодлВозв = rub(figures.refund);
        }
        int inn = 0;
        for (const PayerFigures& figures : c.payers) {
            bmPril1Rec& payer = svod->Pril1.Rows.emplace_back();
            payer.ВидДоход = figures.kind;
            payer.ИНН = std::to_string(7701000000 + ++inn);
            payer.ОКТМО = figures.oktmo;
            payer.НалУдерж = rub(figures.withheld);
            payer.WithheldAt15 = rub(figures.withheldAt15);
        }
        svod->Pril1.RowCount = static_cast<std::int32_t>(svod->Pril1.Rows.size());
    }

    mTDeclaration decl;
    std::unique_ptr<kTSvodSum> svod = std::make_unique<kTSvodSum>();
};

TEST_F(Section1, RowsPerBudgetCode)
{
    const Section1Case cases[] = {
        {"refund of the tax withheld on wages goes back to the employer's territory",
         {{.kind = 10, .withheld = 156'000, .refund = 156'000}},
         {{"10", "45380000", 156'000}},
         {{Kbk010, "45380000", 0, 156'000}},
         156'000},
        {"agents withheld 13 % on the part beyond the band: the lift to 15 % is paid alone",
         {{.kind = 10, .base13 = 5'000'000, .base15 = 1'000'000, .withheld = 780'000, .extra213 = 20'000,
           .pay = 20'000}},
         {{"10", "45380000", 390'000}, {"10", "45381000", 390'000}},
         {{Kbk120, TaxpayerOktmo, 20'000, 0}},
         0},
        {"the lift is paid and what agents withheld above the tax refunded",
         {{.kind = 10, .base13 = 5'000'000, .base15 = 1'000'000, .withheld = 820'000, .extra213 = 20'000,
           .pay = 20'000, .refund = 40'000}},
         {{"10", "45380000", 820'000}},
         {{Kbk120, TaxpayerOktmo, 20'000, 0}, {Kbk010, "45380000", 0, 40'000}},
         40'000},
        {"the 13 % tax not withheld within 650 000 goes under one code, the rest under another",
         {{.kind = 10, .base13 = 5'000'000, .base15 = 1'000'000, .withheld = 600'000, .pay = 200'000}},
         {{"10", "45380000", 600'000}},
         {{Kbk030, TaxpayerOktmo, 50'000, 0}, {Kbk080, TaxpayerOktmo, 150'000, 0}},
         0},
        {"the tax returned by the simplified procedure is due again under the 13 % code",
         {{.kind = 10, .base13 = 5'000'000, .base15 = 1'000'000, .withheld = 650'000, .simplifiedTax = 13'000,
           .pay = 163'000}},
         {{"10", "45380000", 650'000}},
         {{Kbk030, TaxpayerOktmo, 13'000, 0}, {Kbk080, TaxpayerOktmo, 150'000, 0}},
         0},
        {"refunds of kind 04 and of wages are both refunded, each under its code",
         {{.kind = 10, .withheld = 5'000, .refund = 5'000}, {.kind = 4, .withheld = 1'000, .refund = 1'000}},
         {{"10", "45380000", 5'000}, {"04", "45390000", 1'000}},
         {{Kbk070, "45390000", 0, 1'000}, {Kbk010, "45380000", 0, 5'000}},
         6'000},
        {"a refund of kind 04 alone shows no sum to pay",
         {{.kind = 4, .withheld = 1'000, .refund = 1'000}},
         {{"04", "45390000", 1'000}},
         {{Kbk070, "45390000", 0, 1'000}},
         1'000},
        {"the part of kind 04's refund withheld at 15 % goes under the 15 % code",
         {{.kind = 4, .withheld = 1'500, .withheldAt15 = 600, .refund = 1'000}},
         {{"04", "45390000", 1'500, 600}},
         {{Kbk070, "45390000", 0, 400}, {Kbk080, "45390000", 0, 600}},
         1'000},
        {"payers of one territory code share one refund row",
         {{.kind = 10, .withheld = 300'000, .withheldAt15 = 100'000, .refund = 120'000}},
         {{"10", "45380000", 150'000, 60'000}, {"10", "45380000", 150'000, 40'000}},
         {{Kbk080, "45380000", 0, 100'000}, {Kbk010, "45380000", 0, 20'000}},
         120'000},
        {"the lift is settled against the refund of tax withheld at 15 %",
         {{.kind = 10, .base13 = 5'000'000, .base15 = 1'000'000, .withheld = 870'000, .withheldAt15 = 100'000,
           .extra213 = 18'462, .pay = 18'462, .refund = 88'462}},
         {{"10", "45380000", 870'000, 100'000}},
         {{Kbk080, "45380000", 0, 70'000}},
         70'000},
        {"kind 19: the tax withheld on deposit interest is refunded first, then the kind's",
         {{.kind = 19, .withheld = 3'600, .refund = 2'000}},
         {{"19", "45380000", 3'600}, {"35", "45390000", 700}},
         {{Kbk010, "45390000", 0, 700}, {Kbk010, "45380000", 0, 1'300}},
         2'000},
        {"a refund above what payers withheld keeps a row at the taxpayer's territory",
         {{.kind = 10, .base13 = 5'000'000, .base15 = 1'000'000, .withheld = 780'000, .extra213 = 20'000,
           .pay = 20'000, .refund = 800'000}},
         {{"10", "45380000", 780'000}},
         {{Kbk120, TaxpayerOktmo, 20'000, 0}, {Kbk010, "45380000", 0, 780'000},
          {Kbk010, TaxpayerOktmo, 0, 20'000}},
         800'000},
        {"kind 04's 13 % tax keeps its code beside another kind's lift",
         {{.kind = 10, .base13 = 4'900'000, .withheld = 637'000},
          {.kind = 4, .base13 = 100'000, .pay = 13'000},
          {.kind = 1, .base15 = 1'000'000, .withheld = 130'000, .extra213 = 20'000, .pay = 20'000}},
         {{"10", "45380000", 637'000}, {"01", "45390000", 130'000}},
         {{Kbk120, TaxpayerOktmo, 20'000, 0}, {Kbk070, TaxpayerOktmo, 13'000, 0}},
         0},
        {"kinds 05 and 06: 13 % of the band part under one code, the rest under another",
         {{.kind = 5, .base13 = 100'000, .base15 = 50'000, .pay = 20'500},
          {.kind = 6, .base13 = 10'000, .base15 = 10'000, .pay = 2'800}},
         {},
         {{Kbk050, TaxpayerOktmo, 13'000, 0}, {Kbk090, TaxpayerOktmo, 1'300, 0}, {Kbk100, TaxpayerOktmo, 7'500, 0},
          {Kbk110, TaxpayerOktmo, 1'500, 0}},
         0},
        {"kinds 14 and 15: their 13 % part under one code, the 15 % part with the others",
         {{.kind = 14, .base13 = 10'000, .pay = 1'300}, {.kind = 15, .base15 = 10'000, .pay = 1'500}},
         {},
         {{Kbk060, TaxpayerOktmo, 1'300, 0}, {Kbk080, TaxpayerOktmo, 1'500, 0}},
         0},
        {"fixed-rate kinds pay under the declared-income code",
         {{.kind = 18, .pay = 1'300}, {.kind = 22, .pay = 500}, {.kind = 19, .withheld = 100, .pay = 250}},
         {{"19", "45380000", 100}},
         {{Kbk030, TaxpayerOktmo, 2'050, 0}},
         0},
        {"kind 17's refund goes back to its payers at 13 %",
         {{.kind = 17, .withheld = 2'600, .refund = 1'300}},
         {{"17", "45380000", 2'600}},
         {{Kbk010, "45380000", 0, 1'300}},
         1'300},
        {"kinds 14, 15 and 18: each kind's refund goes back to its own payers under the code of withheld tax",
         {{.kind = 10, .withheld = 5'000, .refund = 5'000},
          {.kind = 14, .withheld = 3'000, .refund = 1'000},
          {.kind = 15, .withheld = 3'000, .refund = 1'500},
          {.kind = 18, .withheld = 65'000, .refund = 32'500}},
         {{"10", "45380000", 5'000},
          {"18", "45390000", 65'000},
          {"14", "45380000", 3'000},
          {"15", "45381000", 1'000},
          {"15", "45390000", 2'000}},
         {{Kbk010, "45380000", 0, 6'000}, {Kbk010, "45381000", 0, 1'000}, {Kbk010, "45390000", 0, 33'000}},
         40'000},
        {"a refund of kind 18 is not netted with another kind's sum to pay",
         {{.kind = 18, .withheld = 65'000, .refund = 32'500}, {.kind = 22, .pay = 500}},
         {{"18", "45390000", 65'000}},
         {{Kbk030, TaxpayerOktmo, 500, 0}, {Kbk010, "45390000", 0, 32'500}},
         32'500},
        {"a refund of kind 14 that no payer row of the kind can take keeps a row at the taxpayer's territory",
         {{.kind = 14, .withheld = 1'000, .refund = 500}},
         {{"10", "45380000", 1'000}},
         {{Kbk010, TaxpayerOktmo, 0, 500}},
         500},
        {"refunds of the main kinds are netted against their sums to pay",
         {{.kind = 10, .withheld = 50'000, .refund = 10'000}, {.kind = 2, .base13 = 20'000, .pay = 2'600}},
         {{"10", "45380000", 50'000}},
         {{Kbk010, "45380000", 0, 7'400}},
         7'400},
    };
    for (const Section1Case& c : cases) {
        fill(c);
        const bool nothingToPay = svod->R1.Calculate(decl, *svod);

        std::vector<bmTList1> expected;
        bool expectNothingToPay = true;
        for (const RowFigures& row : c.rows) {
            expected.push_back({row.kbk, row.oktmo, rub(row.pay), rub(row.refund)});
            expectNothingToPay = expectNothingToPay && row.pay == 0;
        }
        EXPECT_EQ(svod->R1.Rows, expected) << c.name;
        EXPECT_EQ(svod->R1.RowCount, static_cast<std::int32_t>(expected.size())) << c.name;
        EXPECT_EQ(decl.SectionOneSum, rub(c.sectionOneSum)) << c.name;
        EXPECT_EQ(nothingToPay, expectNothingToPay) << c.name;
        EXPECT_EQ(refundOfRows(svod->R1), decl.SectionOneSum) << c.name;
        EXPECT_EQ(netOfRows(svod->R1), netOfSheets(*svod)) << c.name;
    }
}

TEST_F(Section1, WithoutSumsADeclarationWithIncomeGetsOneEmptyRow)
{
    struct Case {
        const char* name;
        std::uint8_t declarationType;
        std::uint8_t incomeKinds;
        bool row;
    };
    const Case cases[] = {
        {"income statements", DeclarationOrdinary, IncomeKindSources, true},
        {"foreign income", DeclarationOrdinary, IncomeKindForeign, true},
        // A non-resident is taxed on income from Russian sources only: foreign income is none.
        {"a non-resident's foreign income", DeclarationNonResident, IncomeKindForeign, false},
        {"a non-resident's income statements", DeclarationNonResident, IncomeKindSources | IncomeKindForeign, true},
        {"business income only", DeclarationOrdinary, IncomeKindBusiness, false},
        {"no income kinds", DeclarationOrdinary, 0, false},
        {"closing a business", DeclarationClosingBusiness, IncomeKindSources, false},
    };
    for (const Case& c : cases) {
        mTDeclaration declaration;
        declaration.Person.Address.OKTMO = TaxpayerOktmo;
        declaration.DeclarationType = c.declarationType;
        declaration.SetIncomeKinds(c.incomeKinds);
        svod->Clear();

        const bool nothingToPay = svod->R1.Calculate(declaration, *svod);

        const std::vector<bmTList1> expected = c.row ? std::vector<bmTList1>{{Kbk030, TaxpayerOktmo, {}, {}}}
                                                     : std::vector<bmTList1>{};
        EXPECT_EQ(svod->R1.Rows, expected) << c.name;
        EXPECT_EQ(nothingToPay, !c.row) << c.name;
        EXPECT_EQ(declaration.SectionOneSum, Currency()) << c.name;
    }
}

TEST_F(Section1, ClearEmptiesTheRows)
{
    fill({"", {{.kind = 10, .withheld = 1'000, .refund = 1'000}}, {{"10", "45380000", 1'000}}, {}, 0});
    svod->R1.Calculate(decl, *svod);
    ASSERT_EQ(svod->R1.RowCount, 1);

    svod->R1.Clear();

    EXPECT_TRUE(svod->R1.Rows.empty());
    EXPECT_EQ(svod->R1.RowCount, 0);
    EXPECT_EQ(svod->R1.RefundTotal, Currency());
}

struct AdvanceCase {
    const char* name;
    std::uint8_t declarationType;
    long double quarter, halfYear, nineMonths, year, patent, tradeLevy;
    // АвПУКв, half-year payable, reduction, nine months payable, reduction, year payable, reduction
    long double first[7];
    long double second[7];
    bool hasSecondCode;
};

AdvancePaymentsOfCode advances(const long double (&amounts)[7])
{
    return {rub(amounts[0]), rub(amounts[1]), rub(amounts[2]), rub(amounts[3]),
            rub(amounts[4]), rub(amounts[5]), rub(amounts[6])};
}

TEST_F(Section1, AdvancePaymentsByPeriodAndCode)
{
    const AdvanceCase cases[] = {
        {"resident: the rise beyond 650 000 goes to the second code, a fall comes off it first",
         DeclarationOrdinary, 500'000, 800'000, 700'000, 700'000, 0, 0,
         {500'000, 150'000, 0, 0, 0, 0, 0}, {0, 150'000, 0, 0, 100'000, 0, 0}, true},
        {"non-resident: one code only", DeclarationNonResident, 500'000, 800'000, 700'000, 700'000, 0, 0,
         {500'000, 300'000, 0, 0, 100'000, 0, 0}, {}, false},
        {"closing a business within the ceiling: patent and levy lower the year", DeclarationClosingBusiness,
         100'000, 150'000, 200'000, 300'000, 30'000, 20'000, {100'000, 50'000, 0, 50'000, 0, 50'000, 0}, {}, false},
        {"closing a business: a resident's rise beyond 650 000 goes to the second code", DeclarationClosingBusiness,
         500'000, 800'000, 700'000, 700'000, 0, 0,
         {500'000, 150'000, 0, 0, 0, 0, 0}, {0, 150'000, 0, 0, 100'000, 0, 0}, true},
        {"resident: patent and trade levy lower the year's payment", DeclarationOrdinary,
         100'000, 200'000, 300'000, 400'000, 30'000, 20'000, {100'000, 100'000, 0, 100'000, 0, 50'000, 0}, {}, false},
        {"resident: patent above the year's rise gives neither payment nor reduction", DeclarationOrdinary,
         100'000, 200'000, 300'000, 310'000, 30'000, 0, {100'000, 100'000, 0, 100'000, 0, 0, 0}, {}, false},
        {"resident: a first quarter beyond the ceiling and a fall of the half-year", DeclarationOrdinary,
         700'000, 620'000, 620'000, 600'000, 0, 0, {650'000, 0, 30'000, 0, 0, 0, 20'000},
         {50'000, 0, 50'000, 0, 0, 0, 0}, true},
        {"resident: the year's rise fills the first code, then the second", DeclarationOrdinary,
         200'000, 400'000, 600'000, 900'000, 0, 0, {200'000, 200'000, 0, 200'000, 0, 50'000, 0},
         {0, 0, 0, 0, 0, 250'000, 0}, true},
        {"no business income", DeclarationOrdinary, 0, 0, 0, 0, 0, 0, {}, {}, false},
    };
    for (const AdvanceCase& c : cases) {
        mTDeclaration declaration;
        declaration.DeclarationType = c.declarationType;
        declaration.PatentPayments = rub(c.patent);
        declaration.TradeLevy = rub(c.tradeLevy);
        svod->Clear();
        svod->PrilV1Dop.СумИсчАванс = {rub(c.quarter), rub(c.halfYear), rub(c.nineMonths)};
        svod->PrilV1Dop.YearTax = rub(c.year);

        EXPECT_TRUE(svod->R1_punkt2.Calculate(declaration, *svod)) << c.name;

        const kTSvodSumR1_punkt2& sheet = svod->R1_punkt2;
        EXPECT_EQ(sheet.КБК1, "18210102020011000110") << c.name;
        EXPECT_EQ(sheet.КБК2, "18210102080011000110") << c.name;
        EXPECT_EQ(sheet.FirstCodeAdvances, advances(c.first)) << c.name;
        EXPECT_EQ(sheet.SecondCodeAdvances, advances(c.second)) << c.name;
        EXPECT_EQ(sheet.HasSecondCode != 0, c.hasSecondCode) << c.name;
    }
}

TEST_F(Section1, AdvancePaymentTerritoryCodes)
{
    decl.OKTMO1 = "11111111";
    decl.OKTMO2 = "22222222";
    decl.OKTMO3 = "33333333";
    svod->R1_punkt2.Calculate(decl, *svod);
    EXPECT_EQ(svod->R1_punkt2.ОКТМО_Кв, TaxpayerOktmo);
    EXPECT_EQ(svod->R1_punkt2.ОКТМО_Пг, TaxpayerOktmo);
    EXPECT_EQ(svod->R1_punkt2.ОКТМО_9м, TaxpayerOktmo);
    EXPECT_EQ(svod->R1_punkt2.ОКТМО_Пер, TaxpayerOktmo);

    decl.OKTMOChanged = 1;
    svod->R1_punkt2.Calculate(decl, *svod);
    EXPECT_EQ(svod->R1_punkt2.ОКТМО_Кв, "11111111");
    EXPECT_EQ(svod->R1_punkt2.ОКТМО_Пг, "22222222");
    EXPECT_EQ(svod->R1_punkt2.ОКТМО_9м, "33333333");
    EXPECT_EQ(svod->R1_punkt2.ОКТМО_Пер, TaxpayerOktmo);
}

} // namespace

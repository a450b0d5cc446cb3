#include "computation/Section2.h"

#include <gtest/gtest.h>

#include <memory>
#include <utility>

#include "ComputationTestSupport.h"
#include "computation/Summary.h"
#include "model/Money.h"

namespace {

// A summary whose appendix sheets are filled by hand, each sheet of section 2 computed on its
// own from there.
class Section2 : public ::testing::Test {
protected:
    void SetUp() override { svod->Clear(); }

    kTSvodSumRazd2& calculate(int kind)
    {
        svod->CalculateRazd2(kind, decl);
        return svod->Razd2Sheet(kind);
    }

    void setRussianIncome(int kind, Currency income, Currency withheld = {}, Currency withheldAt15 = {})
    {
        for (std::size_t i = 0; i < kTSvodSumPril1::TotalKinds.size(); ++i) {
            if (kTSvodSumPril1::TotalKinds[i] != kind)
                continue;
            svod->Pril1.IncomeByKind[i] = income;
            svod->Pril1.WithheldByKind[i] = withheld;
            svod->Pril1.WithheldAt15ByKind[i] = withheldAt15;
        }
    }

    void setForeignIncome(int kind, Currency income, Currency credit = {}, Currency uncredited = {})
    {
        for (std::size_t i = 0; i < kTSvodSumPril2::TotalKinds.size(); ++i) {
            if (kTSvodSumPril2::TotalKinds[i] == kind) {
                svod->Pril2.IncomeByKind[i] = income;
                svod->Pril2.CreditByKind[i] = credit;
            }
        }
        for (std::size_t i = 0; i < kTSvodSumPril2::UncreditedKinds.size(); ++i)
            if (kTSvodSumPril2::UncreditedKinds[i] == kind)
                svod->Pril2.UncreditedByKind[i] = uncredited;
    }

    std::unique_ptr<kTSvodSum> svod = std::make_unique<kTSvodSum>();
    mTDeclaration decl;
};

// Every sheet gets the same appendix totals: where each input lands, at which rate the base is
// taxed, what is left to pay. Each sheet runs on a whole band and empty pools.
struct KindCase {
    int kind;
    Currency СумДох, СумДохНеНал, СумНалВыч, СумРасх, НалБаза, СумИное, Исчисл;
    Currency Удерж, СумУдержИст224, СумУдержМат, ТСУплПерЗач, СумФиксАван, УплИнПодлЗач, УплПатентЗач;
    Currency ПодлУпл, ПодлВозв;
};

TEST_F(Section2, EveryKindTakesItsOwnInputs)
{
    for (int kind = 1; kind <= 25; ++kind) {
        setRussianIncome(kind, rub(100'000), rub(9'000), rub(1'500));
        setForeignIncome(kind, rub(20'000), rub(1'000), rub(5'000));
    }
    svod->Pril1.Withheld2620 = rub(400);
    svod->Pril2.ExemptKind1 = rub(3'000);
    svod->Pril2.ExemptKind10 = rub(4'000);
    kTSvodSumPril4& exempt = svod->Pril4;
    exempt.NonTaxableKind2 = rub(2'000);
    exempt.NonTaxableKind10 = rub(1'000);
    exempt.NonTaxableKind14 = rub(1'400);
    exempt.NonTaxableKind15 = rub(1'500);
    exempt.NonTaxableKind17 = rub(1'700);
    exempt.NonTaxableKind19 = rub(1'900);
    exempt.NonTaxableExceptAdPrizes = rub(2'200);
    exempt.NonTaxableAdPrizes = rub(300);
    exempt.FixedAdvances = rub(700);
    exempt.FixedAdvancesNonResident = rub(800);
    svod->Pril5.ИнвВычПредВосст = rub(600);
    svod->Pril6.SpecialBaseDeductions = rub(3'000);
    svod->Pril6.GeneralBaseDeductions = rub(8'000);
    svod->Pril8.DeductionTotal = rub(2'500);
    svod->Pril8.ReductionTotal = rub(1'500);
    svod->PrilV1.ДоходИт = rub(50'000);
    svod->PrilV1.ВычПрофИт = rub(10'000);
    svod->Pril3.ОбщРасхВыч = rub(2'000);
    svod->Pril3_In.ОбщРасхВыч = rub(1'000);
    // A non-resident, so that sheet 16 is computed; business income is then taxed at 30 %.
    decl.DeclarationType = DeclarationNonResident;
    decl.ForeignerFixedPayments = rub(650);
    decl.TradeLevy = rub(120);
    decl.PatentPayments = rub(130);

    const Currency _{};
    // Band kinds show their base under СумИное = 0 and all of it at 13 % (the band is whole).
    const KindCase cases[] = {
        // kind СумДох       НеНал       НалВыч      Расх        НалБаза      Иное         Исчисл
        //      Удерж       224         Мат       ТС        ФиксАван  УплИн      Патент    ПодлУпл      Возв
        {1, rub(120'000), rub(3'000), _, _, rub(117'000), _, rub(15'210),
         rub(9'000), rub(1'500), _, _, rub(700), rub(1'000), _, rub(4'510), _},
        {2, rub(120'000), rub(2'000), _, _, rub(118'000), _, rub(15'340),
         rub(9'000), rub(1'500), _, _, _, rub(1'000), _, rub(5'340), _},
        {3, rub(120'000), _, rub(2'500), rub(1'500), rub(116'000), _, rub(15'080),
         rub(9'000), rub(1'500), _, _, _, rub(1'000), _, rub(5'080), _},
        {4, rub(120'000), _, _, _, rub(120'000), _, rub(15'600),
         rub(9'000), rub(1'500), _, _, _, rub(1'000), _, rub(5'600), _},
        {5, rub(20'000), _, _, _, rub(20'000), _, rub(2'600),
         _, _, _, _, _, rub(1'000), _, rub(1'600), _},
        {6, rub(20'000), _, _, _, rub(20'000), _, rub(2'600),
         _, _, _, _, _, _, _, rub(2'600), _},
        {7, rub(50'000), _, rub(10'000), _, rub(40'000), rub(40'000), rub(12'000),
         _, _, _, rub(120), _, _, rub(130), rub(11'750), _},
        {8, rub(120'000), _, _, _, rub(120'000), _, rub(15'600),
         rub(9'000), rub(1'500), _, _, _, rub(1'000), _, rub(5'600), _},
        {9, rub(120'000), _, _, _, rub(120'000), _, rub(15'600),
         rub(9'000), rub(1'500), _, _, _, rub(1'000), _, rub(5'600), _},
        // 100 000 + 20 000 + 600 restored investment deduction, less 1 000 + 4 000 exempt, less
        // professional (2 000 + 1 000) and property-sale (3 000) deductions.
        // On this non-resident's declaration the fixed payments go to sheet 16 alone.
        {10, rub(120'600), rub(5'000), rub(6'000), _, rub(109'600), _, rub(14'248),
         rub(9'000), rub(1'500), _, _, _, rub(1'000), _, rub(4'248), _},
        {11, rub(20'000), _, _, _, rub(20'000), _, rub(2'600),
         _, _, _, _, _, rub(1'000), _, rub(1'600), _},
        {12, rub(20'000), _, _, _, rub(20'000), _, rub(2'600),
         _, _, _, _, _, rub(1'000), _, rub(1'600), _},
        {13, rub(20'000), _, _, _, rub(20'000), _, rub(2'600),
         _, _, _, _, _, rub(1'000), _, rub(1'600), _},
        {14, rub(100'000), rub(1'400), _, _, rub(98'600), _, rub(12'818),
         rub(9'000), rub(1'500), _, _, _, _, _, rub(3'818), _},
        {15, rub(100'000), rub(1'500), _, _, rub(98'500), _, rub(12'805),
         rub(9'000), rub(1'500), _, _, _, _, _, rub(3'805), _},
        {16, rub(100'000), _, _, _, rub(100'000), _, rub(13'000),
         rub(9'000), rub(1'500), _, _, rub(650), _, _, rub(3'350), _},
        {17, rub(120'000), rub(1'700), _, _, rub(118'300), rub(118'300), rub(15'379),
         rub(9'000), _, _, _, _, rub(1'000), _, rub(5'379), _},
        {18, rub(120'000), _, rub(8'000), _, rub(112'000), rub(112'000), rub(14'560),
         rub(9'000), _, _, _, _, rub(1'000), _, rub(4'560), _},
        {19, rub(120'000), rub(1'900), _, _, rub(118'100), rub(118'100), rub(41'335),
         rub(9'000), _, rub(400), _, _, rub(1'000), _, rub(30'935), _},
        {20, rub(100'000), rub(2'500), _, _, rub(97'500), rub(97'500), rub(29'250),
         rub(9'000), _, _, _, _, _, _, rub(20'250), _},
        {21, rub(120'000), _, _, _, rub(120'000), rub(120'000), rub(18'000),
         rub(9'000), _, _, _, rub(800), rub(1'000), _, rub(7'200), _},
        {22, rub(120'000), _, _, _, rub(120'000), rub(120'000), rub(6'000),
         rub(9'000), _, _, _, _, rub(1'000), _, _, _},
        {23, rub(100'000), _, _, _, rub(100'000), rub(100'000), rub(9'000),
         rub(9'000), _, _, _, _, _, _, _, _},
        {24, rub(120'000), _, _, _, rub(120'000), rub(120'000), rub(36'000),
         rub(9'000), _, _, _, _, rub(1'000), _, rub(26'000), _},
        {25, rub(120'000), _, _, _, rub(120'000), rub(120'000), rub(12'000),
         rub(9'000), _, _, _, _, rub(1'000), _, rub(2'000), _},
    };
    for (const KindCase& c : cases) {
        SCOPED_TRACE("kind " + TwoDigitText(c.kind));
        svod->RateBandRest.fill(RateBand);
        const kTSvodSumRazd2& sheet = calculate(c.kind);
        EXPECT_EQ(sheet.ВидДоход, TwoDigitText(c.kind));
        EXPECT_EQ(sheet.СумДох, c.СумДох);
        EXPECT_EQ(sheet.СумДохНеНал, c.СумДохНеНал);
        EXPECT_EQ(sheet.СумДохНал, c.СумДох - c.СумДохНеНал);
        EXPECT_EQ(sheet.СумНалВыч, c.СумНалВыч);
        EXPECT_EQ(sheet.СумРасх, c.СумРасх);
        EXPECT_EQ(sheet.НалБаза, c.НалБаза);
        EXPECT_EQ(sheet.СумИное, c.СумИное);
        // A band kind has its whole base inside the untouched band, at 13 %.
        EXPECT_EQ(sheet.НалБаза2_1_224, c.СумИное == Currency() ? c.НалБаза : Currency());
        EXPECT_EQ(sheet.НалБаза3_1_224, Currency());
        EXPECT_EQ(sheet.Исчисл, c.Исчисл);
        EXPECT_EQ(sheet.Удерж, c.Удерж);
        EXPECT_EQ(sheet.СумУдержИст224, c.СумУдержИст224);
        EXPECT_EQ(sheet.СумУдержМат, c.СумУдержМат);
        EXPECT_EQ(sheet.ТСУплПерЗач, c.ТСУплПерЗач);
        EXPECT_EQ(sheet.СумФиксАван, c.СумФиксАван);
        EXPECT_EQ(sheet.УплИнПодлЗач, c.УплИнПодлЗач);
        EXPECT_EQ(sheet.УплПатентЗач, c.УплПатентЗач);
        EXPECT_EQ(sheet.Extra213, Currency());
        EXPECT_EQ(sheet.ПодлУпл, c.ПодлУпл);
        EXPECT_EQ(sheet.ПодлВозв, c.ПодлВозв);
        // A band kind lowers its base's band by its 13 % part; the others leave it.
        EXPECT_EQ(svod->RateBandRestOf(TaxBaseOfKind(c.kind)), RateBand - sheet.НалБаза2_1_224);
    }
}

// The kinds of one base use up its band in the order of the sheets; another base's band is
// untouched by them.
TEST_F(Section2, EachBaseUsesUpItsOwnBand)
{
    setForeignIncome(5, rub(3'000'000));
    setForeignIncome(6, rub(4'000'000));
    setRussianIncome(10, rub(1'000'000));

    const kTSvodSumRazd2& profit = calculate(5);
    EXPECT_EQ(profit.НалБаза2_1_224, rub(3'000'000));
    EXPECT_EQ(profit.НалБаза3_1_224, rub(0));
    EXPECT_EQ(profit.Исчисл, rub(390'000));
    EXPECT_EQ(svod->RateBandRestOf(TaxBase::ControlledCompanies), rub(2'000'000));

    // The fixed profit is the same companies' profit: it takes what the actual profit left.
    const kTSvodSumRazd2& fixedProfit = calculate(6);
    EXPECT_EQ(fixedProfit.НалБаза2_1_224, rub(2'000'000));
    EXPECT_EQ(fixedProfit.НалБаза3_1_224, rub(2'000'000));
    EXPECT_EQ(fixedProfit.Исчисл, rub(560'000)); // 260 000 + 300 000
    EXPECT_EQ(svod->RateBandRestOf(TaxBase::ControlledCompanies), rub(0));

    const kTSvodSumRazd2& wages = calculate(10);
    EXPECT_EQ(wages.НалБаза2_1_224, rub(1'000'000));
    EXPECT_EQ(wages.НалБаза3_1_224, rub(0));
    EXPECT_EQ(wages.Исчисл, rub(130'000));
    EXPECT_EQ(svod->RateBandRestOf(TaxBase::Main), rub(4'000'000));
}

// Agents withheld 13 % on a base that reaches beyond the band.
TEST_F(Section2, WithholdingBelowFifteenPercentIsLiftedByTwoThirteenths)
{
    struct Case {
        const char* name;
        Currency withheld, withheldAt15;
        Currency extra213, toPay, toRefund;
    };
    const Case cases[] = {
        // Tax 650 000 + 150 000; 130 000 of the withheld tax lies beyond the 13 % part.
        {"13 % on everything", rub(780'000), rub(0), rub(20'000), rub(20'000), rub(0)},
        {"more than 13 % withheld", rub(820'000), rub(0), rub(20'000), rub(20'000), rub(40'000)},
        // 900 000 - 150 000 - 650 000 = 100 000 beyond; * 2 / 13 = 15 384.62.
        {"part withheld at 15 %", rub(900'000), rub(150'000), rub(15'385), rub(15'385), rub(115'385)},
        {"less than the 13 % part withheld", rub(600'000), rub(0), rub(0), rub(200'000), rub(0)},
    };
    for (const Case& c : cases) {
        svod->Clear();
        setRussianIncome(1, rub(6'000'000), c.withheld, c.withheldAt15);
        const kTSvodSumRazd2& sheet = calculate(1);
        EXPECT_EQ(sheet.Исчисл, rub(800'000)) << c.name;
        EXPECT_EQ(sheet.Extra213, c.extra213) << c.name;
        EXPECT_EQ(sheet.ПодлУпл, c.toPay) << c.name;
        EXPECT_EQ(sheet.ПодлВозв, c.toRefund) << c.name;
    }
}

TEST_F(Section2, HalfARoubleOfTaxRoundsUpOnEverySheet)
{
    // The band is used up: 15 % of 6 670 is 1 000.50.
    for (int kind : {1, 10, 16}) {
        svod->Clear();
        svod->RateBandRest.fill(rub(0));
        decl.DeclarationType = DeclarationNonResident;
        setRussianIncome(kind, rub(6'670));
        EXPECT_EQ(calculate(kind).Исчисл, rub(1'001)) << "kind " << kind;
    }
    svod->Clear();
    setRussianIncome(23, rub(50)); // 9 % of 50 is 4.50
    EXPECT_EQ(calculate(23).Исчисл, rub(5));
}

TEST_F(Section2, ExemptIncomeAboveTheIncomeLeavesNoBase)
{
    svod->Pril4.NonTaxableKind15 = rub(15'000);
    svod->Pril4.NonTaxableExceptAdPrizes = rub(15'000);
    svod->Pril4.NonTaxableKind19 = rub(15'000);
    for (int kind : {15, 19, 20}) {
        setRussianIncome(kind, rub(10'000));
        const kTSvodSumRazd2& sheet = calculate(kind);
        SCOPED_TRACE("kind " + std::to_string(kind));
        EXPECT_EQ(sheet.СумДох, rub(10'000));
        EXPECT_EQ(sheet.СумДохНеНал, rub(15'000));
        EXPECT_EQ(sheet.СумДохНал, rub(0));
        EXPECT_EQ(sheet.НалБаза, rub(0));
        EXPECT_EQ(sheet.Исчисл, rub(0));
        EXPECT_EQ(sheet.ПодлУпл, rub(0));
        EXPECT_EQ(svod->RateBandRestOf(TaxBase::Main), RateBand);
    }
}

TEST_F(Section2, DeductionsAboveTheIncomeLeaveNoBase)
{
    // Expenses of a business above its income: nothing is asked of the declared pool.
    svod->PrilV1.ДоходИт = rub(100'000);
    svod->PrilV1.ВычПрофИт = rub(120'000);
    svod->DeclaredPool = rub(50'000);
    const kTSvodSumRazd2& business = calculate(7);
    EXPECT_EQ(business.СумНалВыч, rub(120'000));
    EXPECT_EQ(business.НалБаза, rub(0));
    EXPECT_EQ(business.Исчисл, rub(0));
    EXPECT_EQ(svod->DeclaredPool, rub(50'000));
    EXPECT_EQ(svod->RateBandRestOf(TaxBase::Main), RateBand);

    // Property-sale deductions above a sale at 13 % outside the band.
    setRussianIncome(18, rub(700'000));
    svod->Pril6.GeneralBaseDeductions = rub(1'000'000);
    const kTSvodSumRazd2& sale = calculate(18);
    EXPECT_EQ(sale.СумНалВыч, rub(1'000'000));
    EXPECT_EQ(sale.НалБаза, rub(0));
    EXPECT_EQ(sale.Исчисл, rub(0));
    EXPECT_EQ(svod->DeclaredPool, rub(50'000));
}

TEST_F(Section2, BusinessSheetWithoutIncomeShowsItsDeductionsAndPayments)
{
    svod->Pril5.StandardDeclBusiness = rub(5'000);
    decl.TradeLevy = rub(1'000);
    decl.PatentPayments = rub(2'000);
    const kTSvodSumRazd2& business = calculate(7);
    EXPECT_EQ(business.ВидДоход, "07");
    EXPECT_EQ(business.СумНалВыч, rub(5'000));
    EXPECT_EQ(business.ТСУплПерЗач, rub(1'000));
    EXPECT_EQ(business.УплПатентЗач, rub(2'000));
    EXPECT_EQ(business.НалБаза, rub(0));
    EXPECT_EQ(business.Исчисл, rub(0));
    EXPECT_EQ(business.ПодлУпл, rub(0));
}

// Kinds 08, 10 and 17 draw the agents' pool, then the simplified pool up to the income on which
// agents withheld tax, then the declared pool.
TEST_F(Section2, PoolsAreDrawnAgentSimplifiedDeclared)
{
    struct Case {
        const char* name;
        int kind;
        Currency income, withheld, direct;
        Currency agentPool, simplifiedPool, declaredPool;
        Currency deductions, simplifiedDrawn, simplifiedTax, base, tax, toPay, toRefund;
        Currency agentLeft, simplifiedLeft, declaredLeft;
    };
    const Case cases[] = {
        // 10 000 + 50 000 + 30 000 of 100 000; 13 % of 10 000 is 1 300; the 6 500 of the
        // simplified procedure were given back by the agent, so the refund is 13 000 - 1 300 - 6 500.
        {"all three pools", 8, rub(100'000), rub(13'000), {}, rub(10'000), rub(50'000), rub(30'000),
         rub(90'000), rub(50'000), rub(6'500), rub(10'000), rub(1'300), rub(0), rub(5'200),
         rub(0), rub(0), rub(0)},
        // 1 300 withheld stands for 10 000 of income: no more comes from the simplified pool.
        {"simplified pool up to the withheld income", 17, rub(100'000), rub(1'300), {}, rub(0), rub(50'000), rub(0),
         rub(10'000), rub(10'000), rub(1'300), rub(90'000), rub(11'700), rub(11'700), rub(0),
         rub(0), rub(40'000), rub(0)},
        // Professional deductions first: only 70 000 are asked of the agents' pool.
        {"direct deductions first", 10, rub(100'000), rub(13'000), rub(30'000), rub(100'000), rub(0), rub(0),
         rub(100'000), rub(0), rub(0), rub(0), rub(0), rub(0), rub(13'000),
         rub(30'000), rub(0), rub(0)},
    };
    for (const Case& c : cases) {
        svod->Clear();
        setRussianIncome(c.kind, c.income, c.withheld);
        svod->Pril3.ОбщРасхВыч = c.direct;
        svod->AgentPool = c.agentPool;
        svod->SimplifiedPool = c.simplifiedPool;
        svod->DeclaredPool = c.declaredPool;
        const kTSvodSumRazd2& sheet = calculate(c.kind);
        SCOPED_TRACE(c.name);
        EXPECT_EQ(sheet.СумНалВыч, c.deductions);
        EXPECT_EQ(sheet.SimplifiedDrawn, c.simplifiedDrawn);
        EXPECT_EQ(sheet.SimplifiedTax, c.simplifiedTax);
        EXPECT_EQ(sheet.НалБаза, c.base);
        EXPECT_EQ(sheet.Исчисл, c.tax);
        EXPECT_EQ(sheet.ПодлУпл, c.toPay);
        EXPECT_EQ(sheet.ПодлВозв, c.toRefund);
        EXPECT_EQ(svod->AgentPool, c.agentLeft);
        EXPECT_EQ(svod->SimplifiedPool, c.simplifiedLeft);
        EXPECT_EQ(svod->DeclaredPool, c.declaredLeft);
    }
}

TEST_F(Section2, ForeignOnlyIncomeDrawsAgainstWhatTheCreditLeft)
{
    setForeignIncome(8, rub(50'000), rub(0), rub(20'000));
    svod->DeclaredPool = rub(100'000);
    const kTSvodSumRazd2& sheet = calculate(8);
    EXPECT_EQ(sheet.PoolBase, rub(20'000));
    EXPECT_EQ(sheet.СумНалВыч, rub(20'000));
    EXPECT_EQ(sheet.НалБаза, rub(30'000));
    EXPECT_EQ(svod->DeclaredPool, rub(80'000));
}

TEST_F(Section2, RefundsFollowTheRulesOfTheirKind)
{
    // Foreign tax credit above the tax: the refund is at most what agents withheld.
    setRussianIncome(8, rub(100'000), rub(13'000));
    setForeignIncome(8, rub(10'000), rub(20'000));
    const kTSvodSumRazd2& dividends = calculate(8);
    EXPECT_EQ(dividends.Исчисл, rub(14'300));
    EXPECT_EQ(dividends.ПодлУпл, rub(0));
    EXPECT_EQ(dividends.ПодлВозв, rub(13'000));

    // 35 %: 3 500 due, 4 000 withheld and 1 000 withheld on deposit interest.
    setRussianIncome(19, rub(10'000), rub(4'000));
    svod->Pril1.Withheld2620 = rub(1'000);
    const kTSvodSumRazd2& winnings = calculate(19);
    EXPECT_EQ(winnings.Исчисл, rub(3'500));
    EXPECT_EQ(winnings.ПодлУпл, rub(0));
    EXPECT_EQ(winnings.ПодлВозв, rub(1'500));

    // Kinds without a refund rule keep the overpaid tax out of section 2.
    setRussianIncome(22, rub(10'000), rub(4'000));
    const kTSvodSumRazd2& nonResidentInterest = calculate(22);
    EXPECT_EQ(nonResidentInterest.Исчисл, rub(500));
    EXPECT_EQ(nonResidentInterest.ПодлУпл, rub(0));
    EXPECT_EQ(nonResidentInterest.ПодлВозв, rub(0));
}

// Kinds 14, 15 and 18 give back what their payers withheld above the tax. A foreign tax credit
// lowers the tax to pay but is not refunded itself.
TEST_F(Section2, KindsWithheldByPayersRefundTheTaxWithheldAboveTheTax)
{
    struct Case {
        const char* name;
        int kind;
        Currency income, withheld, withheldAt15, saleDeductions, foreignIncome, foreignCredit;
        Currency base, tax, toPay, toRefund;
    };
    const Case cases[] = {
        // 13 % of 100 000 is 13 000; 20 000 withheld.
        {"kind 14", 14, rub(100'000), rub(20'000), {}, {}, {}, {}, rub(100'000), rub(13'000), {}, rub(7'000)},
        {"kind 15, part withheld at 15 %", 15, rub(100'000), rub(20'000), rub(15'000), {}, {}, {},
         rub(100'000), rub(13'000), {}, rub(7'000)},
        {"kind 15 short of its tax pays the rest", 15, rub(100'000), rub(10'000), {}, {}, {}, {},
         rub(100'000), rub(13'000), rub(3'000), {}},
        // A car sold to a company for 500 000 with the 250 000 deduction: 13 % of 250 000 is
        // 32 500, of the 65 000 withheld.
        {"kind 18, a car sold to a company", 18, rub(500'000), rub(65'000), {}, rub(250'000), {}, {},
         rub(250'000), rub(32'500), {}, rub(32'500)},
        // 13 % of 200 000 is 26 000; 13 000 of it is credited for the foreign half, so of the
        // 20 000 withheld in Russia 7 000 were too much.
        {"kind 18 with a foreign credit", 18, rub(100'000), rub(20'000), {}, {}, rub(100'000), rub(13'000),
         rub(200'000), rub(26'000), {}, rub(7'000)},
        // The credit covers more than the tax withheld can: 26 000 - 13 000 - 10 000 is paid.
        {"kind 18 short of its tax", 18, rub(100'000), rub(3'000), {}, {}, rub(100'000), rub(13'000),
         rub(200'000), rub(26'000), rub(10'000), {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        svod->Clear();
        setRussianIncome(c.kind, c.income, c.withheld, c.withheldAt15);
        setForeignIncome(c.kind, c.foreignIncome, c.foreignCredit);
        svod->Pril6.GeneralBaseDeductions = c.saleDeductions;
        const kTSvodSumRazd2& sheet = calculate(c.kind);
        EXPECT_EQ(sheet.НалБаза, c.base);
        EXPECT_EQ(sheet.Исчисл, c.tax);
        EXPECT_EQ(sheet.Удерж, c.withheld);
        EXPECT_EQ(sheet.УплИнПодлЗач, c.foreignCredit);
        EXPECT_EQ(sheet.ПодлУпл, c.toPay);
        EXPECT_EQ(sheet.ПодлВозв, c.toRefund);
    }
}

TEST_F(Section2, ResidentsHaveNoSheet16)
{
    setRussianIncome(16, rub(100'000), rub(13'000));
    const kTSvodSumRazd2& sheet = calculate(16);
    EXPECT_EQ(sheet.ВидДоход, "");
    EXPECT_EQ(sheet.СумДох, rub(0));
    EXPECT_EQ(sheet.Удерж, rub(0));
    EXPECT_EQ(svod->RateBandRestOf(TaxBase::Main), RateBand);
}

// A non-resident's exempt income is set against the income at 30 % first; what that income
// cannot take lowers the income taxed at 13 %.
TEST_F(Section2, ANonResidentsExemptIncomeBeyondThe30PercentIncomeIsExemptAt13Percent)
{
    decl.DeclarationType = DeclarationNonResident;
    svod->Pril4.NonTaxableExceptAdPrizes = rub(4'000);
    setRussianIncome(16, rub(100'000));
    for (const auto& [incomeAt30, exemptAt13] : {std::pair{0.0L, 4'000.0L}, {1'500.0L, 2'500.0L}, {10'000.0L, 0.0L}}) {
        setRussianIncome(20, rub(incomeAt30));
        svod->RateBandRest.fill(RateBand);
        const kTSvodSumRazd2& sheet = calculate(16);
        EXPECT_EQ(sheet.СумДохНеНал, rub(exemptAt13)) << "income at 30 %: " << double(incomeAt30);
        EXPECT_EQ(sheet.НалБаза, rub(100'000 - exemptAt13));
    }
}

TEST_F(Section2, FixedPaymentsOfAForeignerCountOnce)
{
    decl.ForeignerFixedPayments = rub(50'000);
    setRussianIncome(16, rub(1'000'000));
    setForeignIncome(10, rub(100'000));

    // A resident's income of the kind lands on sheet 10, which takes the payments.
    decl.DeclarationType = DeclarationOrdinary;
    EXPECT_EQ(calculate(10).СумФиксАван, rub(50'000));

    // A non-resident's lands on sheet 16: 13 % of 1 000 000 = 130 000 less 50 000 = 80 000;
    // sheet 10 then pays its whole 13 % of 100 000 = 13 000.
    decl.DeclarationType = DeclarationNonResident;
    svod->RateBandRest.fill(RateBand);
    EXPECT_EQ(calculate(16).ПодлУпл, rub(80'000));
    const kTSvodSumRazd2& kind10 = calculate(10);
    EXPECT_EQ(kind10.СумФиксАван, rub(0));
    EXPECT_EQ(kind10.ПодлУпл, rub(13'000));
}

TEST_F(Section2, AKindWithoutIncomeHoldsItsCodeAndZeros)
{
    const kTSvodSumRazd2& sheet = calculate(12);
    EXPECT_EQ(sheet.ВидДоход, "12");
    EXPECT_EQ(sheet.СумДох, rub(0));
    EXPECT_EQ(sheet.Исчисл, rub(0));
    EXPECT_EQ(sheet.ПодлУпл, rub(0));
}

} // namespace

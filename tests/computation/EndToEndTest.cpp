// Whole declarations run through the summary, checked against figures worked out by hand from
// the rules of the 2021 tax year; each ends exported, in a file the format's schema accepts.
#include "computation/Summary.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "ComputationTestSupport.h"
#include "ExportableDeclaration.h"
#include "Section1Checks.h"

namespace {

constexpr const char* EmployerOktmo = "45380000";
constexpr std::int32_t Salary = 2000; // wages, income kind "10"

class EndToEnd : public ::testing::Test {
protected:
    EndToEnd() { decl.Person.Address.OKTMO = TaxpayerOktmo; }

    // The worked declaration, with the texts and numbers that the figures do not need, makes an
    // exchange file the format accepts.
    void TearDown() override { EXPECT_EQ(exchangeFileErrors(decl), ""); }

    // A payer in the employers' territory.
    mbTSourse& addLocalPayer(const std::string& inn, const std::string& name)
    {
        mbTSourse& payer = addPayer(decl, inn, name);
        payer.Oktmo = EmployerOktmo;
        return payer;
    }

    // An employer that paid the same salary every month and withheld the tax of the year.
    mbTSourse& addEmployer(const std::string& inn, long double monthly, long double withheld)
    {
        mbTSourse& employer = addLocalPayer(inn, "ООО Работодатель " + inn);
        employer.WithheldTax13 = rub(withheld);
        for (std::uint16_t month = 1; month <= 12; ++month) {
            auto line = incomeLine(Salary, rub(monthly));
            line->Month = month;
            employer.AddIncome13(std::move(line));
        }
        return employer;
    }

    // Runs the summary twice: the second run must give the figures of the first.
    bool calculate()
    {
        const bool first = svod->Calculate(decl);
        const std::vector<bmTList1> rows = svod->R1.Rows;
        const Currency refund = decl.SectionOneSum;
        const bool second = svod->Calculate(decl);
        EXPECT_EQ(first, second);
        EXPECT_EQ(svod->R1.Rows, rows);
        EXPECT_EQ(decl.SectionOneSum, refund);
        EXPECT_EQ(netOfRows(svod->R1), netOfSheets(*svod));
        EXPECT_EQ(refundOfRows(svod->R1), decl.SectionOneSum);
        return second;
    }

    const kTSvodSumRazd2& wages() const { return svod->Razd2Sheet(10); }

    void addFlatWithInterest(long double cost, long double interest, int registeredIn)
    {
        addFlat(decl, cost, registeredIn).InterestPaid = rub(interest);
    }

    mTDeclaration decl;
    std::unique_ptr<kTSvodSum> svod = std::make_unique<kTSvodSum>();
};

TEST_F(EndToEnd, FlatBoughtForThreeMillionRefundsTheYearsTaxAndCarriesTheRest)
{
    addEmployer("7701000001", 100'000, 156'000);
    addFlat(decl, 3'000'000, 2021);

    EXPECT_TRUE(calculate());

    // 2 000 000 at most; 1 200 000 of it this year, the rest later.
    EXPECT_EQ(svod->Pril7.РасхНовВычНД, rub(1'200'000));
    EXPECT_EQ(svod->Pril7.ОстИВБезПроц, rub(800'000));
    EXPECT_EQ(wages().НалБаза, Currency());
    EXPECT_EQ(wages().ПодлВозв, rub(156'000));
    EXPECT_EQ(svod->R1.Rows, (std::vector<bmTList1>{{Kbk010, EmployerOktmo, {}, rub(156'000)}}));
    EXPECT_EQ(decl.SectionOneSum, rub(156'000));
}

TEST_F(EndToEnd, TheRefundGoesToTheBankAccountOfTheApplication)
{
    addEmployer("7701000001", 100'000, 156'000);
    addFlat(decl, 3'000'000, 2021);
    decl.SetIncomeKinds(decl.IncomeKinds() | IncomeKindTrata);
    mTTrata& entry = *decl.GetTrata(decl.AddTrata());
    entry.IsRefund = 1;
    entry.AllIn = 1;
    entry.BankName = "ПАО Сбербанк";
    entry.BankBik = "044525225";
    entry.AccountKind = 1;
    entry.AccountNumber = "40817810000000000001";

    calculate();

    ASSERT_EQ(svod->KudaTratit.RefundCount, 1);
    const bmTRecord1_Bank& refund = svod->KudaTratit.Refunds[0];
    EXPECT_EQ(refund.Сумма, rub(156'000));
    EXPECT_EQ(refund.КБК, Kbk010);
    EXPECT_EQ(refund.ОКТМО, EmployerOktmo);
    EXPECT_EQ(refund.НомерЗаяв, "1");
    EXPECT_EQ(refund.ВидСч, "02");
    EXPECT_EQ(svod->KudaTratit.OffsetCount, 0);
}

// Deductions claimed against wages of 1 200 000 from which the employer withheld 156 000: the
// base falls by the deduction allowed, and 13 % of it comes back from the employer's territory.
TEST_F(EndToEnd, DeductionsAgainstWagesAreRefundedAt13Percent)
{
    struct Case {
        const char* name;
        void (*claim)(mTDeclaration&);
        long double deduction, tax, refund;
    };
    const Case cases[] = {
        {"medical and own education: 150 000 spent, 120 000 allowed",
         [](mTDeclaration& d) {
             d.SocialDeduct.Granted = 1;
             d.SocialDeduct.MedicalSum = rub(80'000);
             d.SocialDeduct.SelfEducationSum = rub(70'000);
         },
         120'000, 140'400, 15'600},
        {"two children's education of 60 000, 50 000 each allowed",
         [](mTDeclaration& d) {
             d.SocialDeduct.Granted = 1;
             d.SocialDeduct.AddChildEduSum(rub(60'000));
             d.SocialDeduct.AddChildEduSum(rub(60'000));
         },
         100'000, 143'000, 13'000},
        {"expensive treatment has no limit",
         [](mTDeclaration& d) {
             d.SocialDeduct.Granted = 1;
             d.SocialDeduct.ExpensiveMedicalSum = rub(300'000);
             d.SocialDeduct.MedicalSum = rub(150'000);
         },
         420'000, 101'400, 54'600},
        {"500 000 paid into an investment account, 400 000 allowed",
         [](mTDeclaration& d) {
             d.InvDeduct.Granted = 1;
             d.InvDeduct.GetInfoIIS(d.InvDeduct.AddInfoIIS())->PaidIn = rub(500'000);
         },
         400'000, 104'000, 52'000},
        {"two investment accounts share the 400 000",
         [](mTDeclaration& d) {
             d.InvDeduct.Granted = 1;
             d.InvDeduct.GetInfoIIS(d.InvDeduct.AddInfoIIS())->PaidIn = rub(300'000);
             d.InvDeduct.GetInfoIIS(d.InvDeduct.AddInfoIIS())->PaidIn = rub(300'000);
         },
         400'000, 104'000, 52'000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        decl = mTDeclaration();
        decl.Person.Address.OKTMO = TaxpayerOktmo;
        addEmployer("7701000001", 100'000, 156'000);
        c.claim(decl);

        EXPECT_TRUE(calculate());

        EXPECT_EQ(wages().СумНалВыч, rub(c.deduction));
        EXPECT_EQ(wages().Исчисл, rub(c.tax));
        EXPECT_EQ(wages().ПодлВозв, rub(c.refund));
        EXPECT_EQ(svod->R1.Rows, (std::vector<bmTList1>{{Kbk010, EmployerOktmo, {}, rub(c.refund)}}));
        EXPECT_EQ(decl.SectionOneSum, rub(c.refund));
    }
}

TEST_F(EndToEnd, TwoEmployersBeyondTheBandOweTheLiftTo15Percent)
{
    addEmployer("7701000001", 250'000, 390'000);
    addEmployer("7701000002", 250'000, 390'000);

    EXPECT_FALSE(calculate());

    // 13 % of 5 000 000 and 15 % of 1 000 000; each employer withheld 13 % of its 3 000 000.
    EXPECT_EQ(wages().Исчисл, rub(800'000));
    EXPECT_EQ(wages().ПодлУпл, rub(20'000));
    EXPECT_EQ(wages().ПодлВозв, Currency());
    EXPECT_EQ(svod->R1.Rows, (std::vector<bmTList1>{{Kbk120, TaxpayerOktmo, rub(20'000), {}}}));
    EXPECT_EQ(decl.SectionOneSum, Currency());
}

TEST_F(EndToEnd, TwoChildrenUntilTheIncomePasses350000)
{
    mbTSourse& employer = addEmployer("7701000001", 40'000, 62'400);
    employer.StandardDeductionsHere = 1;
    decl.StandardDeduct.Granted = 1;
    decl.StandardDeduct.ParentStatus = 101;
    decl.StandardDeduct.SetChildCountConst(2);

    EXPECT_TRUE(calculate());

    // January to August (320 000 earned by then): 2 x 1 400 a month, 22 400 in all.
    EXPECT_EQ(wages().СумНалВыч, rub(22'400));
    EXPECT_EQ(svod->R1.Rows, (std::vector<bmTList1>{{Kbk010, EmployerOktmo, {}, rub(2'912)}}));
    EXPECT_EQ(decl.SectionOneSum, rub(2'912));
}

TEST_F(EndToEnd, ClosingABusinessRunsOnlyTheBusinessSheets)
{
    decl.DeclarationType = DeclarationClosingBusiness;
    addEmployer("7701000001", 100'000, 0); // not part of this declaration's figures
    decl.SetIncomeKinds(decl.IncomeKinds() | IncomeKindBusiness);
    mTBusinessNew& business = *decl.GetBusiness(decl.AddBusiness());
    business.IncomeSum = rub(1'000'000);
    business.ExpenseSum = rub(400'000);
    business.QuarterIncome = {rub(250'000), rub(250'000), rub(250'000), rub(250'000)};
    business.QuarterExpense = {rub(100'000), rub(100'000), rub(100'000), rub(100'000)};

    EXPECT_TRUE(calculate());

    // A resident ending the business: 13 % of 600 000 is 78 000, with advance payments of
    // 19 500 a quarter (13 % of 150 000 of each quarter's base), all within the first code.
    const kTSvodSumRazd2& businessSheet = svod->Razd2Sheet(7);
    EXPECT_EQ(businessSheet.НалБаза, rub(600'000));
    EXPECT_EQ(businessSheet.НалБаза2_1_224, rub(600'000));
    EXPECT_EQ(businessSheet.СумИное, Currency());
    EXPECT_EQ(businessSheet.Исчисл, rub(78'000));
    const AdvancePaymentsOfCode quarterly{rub(19'500), rub(19'500), {}, rub(19'500), {}, rub(19'500), {}};
    EXPECT_EQ(svod->R1_punkt2.FirstCodeAdvances, quarterly);
    EXPECT_EQ(svod->R1_punkt2.SecondCodeAdvances, AdvancePaymentsOfCode{});
    EXPECT_EQ(svod->R1_punkt2.ОКТМО_Пер, TaxpayerOktmo);

    EXPECT_TRUE(svod->Pril1.Rows.empty());
    EXPECT_EQ(wages().СумДох, Currency());
    // The business income alone takes its part of the whole main band.
    EXPECT_EQ(svod->RateBandRestOf(TaxBase::Main), rub(4'400'000));
    EXPECT_EQ(svod->DeclaredPool + svod->AgentPool + svod->SimplifiedPool, Currency());
    EXPECT_TRUE(svod->R1.Rows.empty());
    EXPECT_EQ(decl.SectionOneSum, Currency());
}

TEST_F(EndToEnd, ClosingABusinessBeyondTheBandPaysTheRestAt15PercentUnderTheSecondCode)
{
    decl.DeclarationType = DeclarationClosingBusiness;
    decl.SetIncomeKinds(IncomeKindBusiness);
    mTBusinessNew& business = *decl.GetBusiness(decl.AddBusiness());
    business.IncomeSum = rub(7'000'000);
    business.ExpenseSum = rub(1'000'000);
    business.QuarterIncome.fill(rub(1'750'000));
    business.QuarterExpense.fill(rub(250'000));

    EXPECT_TRUE(calculate());

    // The base of 6 000 000: 13 % of 5 000 000 and 15 % of 1 000 000 is 800 000.
    const kTSvodSumRazd2& businessSheet = svod->Razd2Sheet(7);
    EXPECT_EQ(businessSheet.НалБаза2_1_224, rub(5'000'000));
    EXPECT_EQ(businessSheet.НалБаза3_1_224, rub(1'000'000));
    EXPECT_EQ(businessSheet.Исчисл, rub(800'000));
    EXPECT_EQ(svod->RateBandRestOf(TaxBase::Main), Currency());
    // Bases of 1 500 000, 3 000 000 and 4 500 000 give 195 000, 390 000 and 585 000; the
    // year's 215 000 more fill the first code up to 650 000, the 150 000 beyond go to the second.
    EXPECT_EQ(svod->PrilV1Dop.YearTax, rub(800'000));
    EXPECT_EQ(svod->R1_punkt2.FirstCodeAdvances,
              (AdvancePaymentsOfCode{rub(195'000), rub(195'000), {}, rub(195'000), {}, rub(65'000), {}}));
    EXPECT_EQ(svod->R1_punkt2.SecondCodeAdvances, (AdvancePaymentsOfCode{{}, {}, {}, {}, {}, rub(150'000), {}}));
    EXPECT_EQ(svod->R1_punkt2.HasSecondCode, 1);
}

// What a payer withheld above the tax of kind 14, 15 or 18 comes back under the code of tax
// withheld by agents, at the payer's territory code.
TEST_F(EndToEnd, TaxWithheldAboveTheTaxOfKinds14_15And18IsRefunded)
{
    struct Case {
        const char* name;
        std::uint8_t declarationType;
        LineFigures line;
        long double withheld;
        int kind;
        long double base, tax;
    };
    const Case cases[] = {
        // A car sold to a company for 500 000, with the 250 000 deduction for other property:
        // 13 % of 250 000 is 32 500, half of the 65 000 withheld.
        {"a car sold to a company", DeclarationOrdinary, {1520, 500'000, 906, 250'000}, 65'000, 18, 250'000, 32'500},
        {"income of kind 14", DeclarationOrdinary, {6014, 100'000}, 20'000, 14, 100'000, 13'000},
        {"a non-resident's income of kind 15", DeclarationNonResident, {6015, 100'000}, 20'000, 15, 100'000, 13'000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        decl = mTDeclaration();
        decl.Person.Address.OKTMO = TaxpayerOktmo;
        decl.DeclarationType = c.declarationType;
        mbTSourse& payer = addLocalPayer("7701000002", "ООО Покупатель");
        payer.WithheldTax13 = rub(c.withheld);
        payer.AddIncome13(incomeLine(c.line));

        EXPECT_TRUE(calculate());

        const kTSvodSumRazd2& sheet = svod->Razd2Sheet(c.kind);
        const Currency refund = rub(c.withheld - c.tax);
        EXPECT_EQ(sheet.НалБаза, rub(c.base));
        EXPECT_EQ(sheet.Исчисл, rub(c.tax));
        EXPECT_EQ(sheet.Удерж, rub(c.withheld));
        EXPECT_EQ(sheet.ПодлУпл, Currency());
        EXPECT_EQ(sheet.ПодлВозв, refund);
        EXPECT_EQ(svod->R1.Rows, (std::vector<bmTList1>{{Kbk010, EmployerOktmo, {}, refund}}));
        EXPECT_EQ(decl.SectionOneSum, refund);
    }
}

// Dividends of 100 000 with their 13 000 withheld by a company in one territory, and wages of
// 6 000 000 from an employer in another, which withheld 650 000 on 5 000 000 and 150 000 on the
// 1 000 000 beyond. A deduction lowers the wages' 15 % part first, so the refund is of tax
// withheld at 15 %, and it stands on the territory of the employer that withheld it.
TEST_F(EndToEnd, ARefundAt15PercentStandsOnTheTerritoryOfThePayerThatWithheldIt)
{
    constexpr const char* WagesOktmo = "45381000";
    struct Case {
        const char* name;
        void (*claim)(mTDeclaration&);
        std::vector<bmTList1> rows;
    };
    const Case cases[] = {
        // 15 % of 120 000.
        {"medical services of 120 000",
         [](mTDeclaration& d) {
             d.SocialDeduct.Granted = 1;
             d.SocialDeduct.MedicalSum = rub(120'000);
         },
         {{Kbk080, WagesOktmo, {}, rub(18'000)}}},
        // The base falls to 4 000 000: the 150 000 withheld at 15 % and 13 % of 1 000 000.
        {"a flat of 2 000 000",
         [](mTDeclaration& d) { addFlat(d, 2'000'000, 2021); },
         {{Kbk080, WagesOktmo, {}, rub(150'000)}, {Kbk010, WagesOktmo, {}, rub(130'000)}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        decl = mTDeclaration();
        decl.Person.Address.OKTMO = TaxpayerOktmo;
        mbTSourse& company = addLocalPayer("7701000002", "ООО Эмитент");
        company.AddIncome13(incomeLine(1010, rub(100'000)));
        company.WithheldTax13 = rub(13'000);
        mbTSourse& employer = addLocalPayer("7701000001", "ООО Работодатель");
        employer.Oktmo = WagesOktmo;
        employer.AddIncome13(incomeLine(Salary, rub(5'000'000)));
        employer.WithheldTax13 = rub(650'000);
        employer.AddIncome15(incomeLine(Salary, rub(1'000'000)));
        employer.WithheldTax15 = rub(150'000);
        c.claim(decl);

        EXPECT_TRUE(calculate());

        EXPECT_EQ(svod->R1.Rows, c.rows);
    }
}

// Foreign wages of 100 000 with 15 000 of tax paid abroad beside wages of 1 000 000 in Russia,
// and a controlled company's fixed profit, marked or not: the foreign tax is credited up to
// 13 % of the foreign wages whichever.
TEST_F(EndToEnd, MarkingAControlledCompanysProfitLeavesTheCreditOfOtherForeignIncome)
{
    for (std::int32_t marked : {0, 2}) {
        SCOPED_TRACE(marked == 0 ? "without the mark" : "with the fixed profit marked");
        decl = mTDeclaration();
        decl.Person.Address.OKTMO = TaxpayerOktmo;
        mbTSourse& employer = addLocalPayer("7701000001", "ООО Работодатель");
        employer.WithheldTax13 = rub(130'000);
        employer.AddIncome13(incomeLine(Salary, rub(1'000'000)));
        decl.SetIncomeKinds(decl.IncomeKinds() | IncomeKindForeign);
        mTCurrencyIncome& wagesAbroad = *decl.GetCurrencyIncome(decl.AddCurrencyIncome());
        wagesAbroad.IncomeCode = Salary;
        wagesAbroad.IncomeRoubles = rub(100'000);
        wagesAbroad.TaxRoubles = rub(15'000);
        mTCurrencyIncome& fixedProfit = *decl.GetCurrencyIncome(decl.AddCurrencyIncome());
        fixedProfit.IncomeCode = 1003;
        fixedProfit.IncomeRoubles = rub(100'000);
        decl.SetKIKItemNumber(marked);

        EXPECT_FALSE(calculate());

        EXPECT_EQ(svod->Pril2.Rows.at(0).TaxInRussia, rub(13'000));
        EXPECT_EQ(svod->Pril2.Rows.at(0).TaxCredit, rub(13'000));
        // The fixed profit takes 100 000 of the band first; the wages of 1 100 000 fit in the
        // rest: 143 000, of which 130 000 withheld and 13 000 credited.
        EXPECT_EQ(wages().СумДох, rub(1'100'000));
        EXPECT_EQ(wages().Исчисл, rub(143'000));
        EXPECT_EQ(wages().УплИнПодлЗач, rub(13'000));
        EXPECT_EQ(wages().ПодлУпл, Currency());
        EXPECT_EQ(wages().ПодлВозв, Currency());
        // 13 % of the fixed profit, under the code of its kind.
        EXPECT_EQ(svod->R1.Rows, (std::vector<bmTList1>{{Kbk090, TaxpayerOktmo, rub(13'000), {}}}));
        EXPECT_EQ(decl.SectionOneSum, Currency());
    }
}

TEST_F(EndToEnd, NonResidentsWagesAreTaxedAt30Percent)
{
    decl.DeclarationType = DeclarationNonResident;
    mbTSourse& employer = addLocalPayer("7701000001", "ООО Работодатель");
    employer.WithheldTax99 = rub(156'000); // the employer withheld 13 % only
    employer.AddIncome99(incomeLine(Salary, rub(1'200'000)));

    EXPECT_FALSE(calculate());

    // 30 % of 1 200 000 is 360 000; 204 000 of it was not withheld.
    const kTSvodSumRazd2& nonResident = svod->Razd2Sheet(20);
    EXPECT_EQ(nonResident.СумДох, rub(1'200'000));
    EXPECT_EQ(nonResident.СумИное, rub(1'200'000));
    EXPECT_EQ(nonResident.Исчисл, rub(360'000));
    EXPECT_EQ(nonResident.Удерж, rub(156'000));
    EXPECT_EQ(nonResident.ПодлУпл, rub(204'000));
    EXPECT_EQ(wages().СумДох, Currency());
    EXPECT_EQ(svod->RateBandRestOf(TaxBase::Main), RateBand);
    EXPECT_EQ(svod->R1.Rows, (std::vector<bmTList1>{{Kbk030, TaxpayerOktmo, rub(204'000), {}}}));
    EXPECT_EQ(decl.SectionOneSum, Currency());
}

// Dividends have a band of their own beside the wages' band; beyond it a company that withheld
// 13 % leaves the lift to 15 % to pay.
TEST_F(EndToEnd, DividendsBeyondTheirOwnBandPayTheLiftTo15Percent)
{
    // The employer withheld 13 % of the first 5 000 000 of wages and 15 % of the 400 000 beyond.
    mbTSourse& employer = addLocalPayer("7701000001", "ООО Работодатель");
    employer.WithheldTax13 = rub(650'000);
    employer.AddIncome13(incomeLine(Salary, rub(5'000'000)));
    employer.WithheldTax15 = rub(60'000);
    employer.AddIncome15(incomeLine(Salary, rub(400'000)));
    mbTSourse& company = addLocalPayer("7701000002", "АО Эмитент");
    company.WithheldTax13 = rub(780'000);
    company.AddIncome13(incomeLine(1010, rub(6'000'000)));

    EXPECT_FALSE(calculate());

    // Wages: 13 % of 5 000 000 and 15 % of 400 000 is 710 000, all withheld.
    EXPECT_EQ(wages().НалБаза2_1_224, rub(5'000'000));
    EXPECT_EQ(wages().НалБаза3_1_224, rub(400'000));
    EXPECT_EQ(wages().Исчисл, rub(710'000));
    EXPECT_EQ(wages().ПодлУпл, Currency());
    // Dividends: 13 % of 5 000 000 and 15 % of 1 000 000 is 800 000.
    const kTSvodSumRazd2& dividends = svod->Razd2Sheet(1);
    EXPECT_EQ(dividends.НалБаза2_1_224, rub(5'000'000));
    EXPECT_EQ(dividends.НалБаза3_1_224, rub(1'000'000));
    EXPECT_EQ(dividends.Исчисл, rub(800'000));
    // 130 000 withheld at 13 % on income taxed at 15 %: 2/13 of it is still due.
    EXPECT_EQ(dividends.Extra213, rub(20'000));
    EXPECT_EQ(dividends.ПодлУпл, rub(20'000));
    EXPECT_EQ(dividends.ПодлВозв, Currency());
    EXPECT_EQ(svod->R1.Rows, (std::vector<bmTList1>{{Kbk120, TaxpayerOktmo, rub(20'000), {}}}));
    EXPECT_EQ(decl.SectionOneSum, Currency());
}

TEST_F(EndToEnd, FlatHeldUnderFiveYearsSoldWithTheMillionDeduction)
{
    addEmployer("7701000001", 100'000, 156'000);
    mbTSourse& buyer = addLocalPayer("", "Иванов Иван Иванович");
    buyer.AddIncome13(incomeLine(1510, rub(3'000'000), 901, rub(1'000'000)));

    EXPECT_FALSE(calculate());

    // 3 000 000 less 1 000 000 at 13 % whatever the band: 260 000, nothing withheld.
    const kTSvodSumRazd2& sale = svod->Razd2Sheet(18);
    EXPECT_EQ(svod->Pril6.ВычПродИмущ, rub(1'000'000));
    EXPECT_EQ(sale.СумДох, rub(3'000'000));
    EXPECT_EQ(sale.СумНалВыч, rub(1'000'000));
    EXPECT_EQ(sale.НалБаза, rub(2'000'000));
    EXPECT_EQ(sale.Исчисл, rub(260'000));
    EXPECT_EQ(sale.ПодлУпл, rub(260'000));
    // The wages alone use the main band.
    EXPECT_EQ(svod->RateBandRestOf(TaxBase::Main), rub(3'800'000));
    EXPECT_EQ(wages().ПодлУпл, Currency());
    EXPECT_EQ(wages().ПодлВозв, Currency());
    EXPECT_EQ(svod->R1.Rows, (std::vector<bmTList1>{{Kbk030, TaxpayerOktmo, rub(260'000), {}}}));
    EXPECT_EQ(decl.SectionOneSum, Currency());
}

TEST_F(EndToEnd, MortgageInterestFollowsTheCostOfTheFlat)
{
    addEmployer("7701000001", 200'000, 312'000);
    addFlatWithInterest(1'500'000, 200'000, 2021);

    EXPECT_TRUE(calculate());

    // The cost (below the 2 000 000 limit) and the interest both fit into the base of 2 400 000:
    // 13 % of 1 700 000 comes back, and nothing carries over.
    EXPECT_EQ(svod->Pril7.РасхНовВычНД, rub(1'500'000));
    EXPECT_EQ(svod->Pril7.ПроцВычНД, rub(200'000));
    EXPECT_EQ(svod->Pril7.ОстИВБезПроц, Currency());
    EXPECT_EQ(svod->Pril7.ОстИВУплПроц, Currency());
    EXPECT_EQ(wages().НалБаза, rub(700'000));
    EXPECT_EQ(wages().Исчисл, rub(91'000));
    EXPECT_EQ(svod->R1.Rows, (std::vector<bmTList1>{{Kbk010, EmployerOktmo, {}, rub(221'000)}}));
    EXPECT_EQ(decl.SectionOneSum, rub(221'000));
}

// Wages of 10 000 000 from which the employer withheld 650 000 (13 % of 5 000 000) and 750 000
// (15 % of the rest), and a flat bought for 1 000 000 with a mortgage. Interest on a loan for an
// object from 2014 counts up to 3 000 000; that of an older object in full.
TEST_F(EndToEnd, MortgageInterestOfAFlatFrom2014CountsUpTo3Million)
{
    struct Case {
        const char* name;
        int registeredIn;
        long double interest;
        long double interestDeduction, base, tax, refund;
        // Refunds of the tax withheld at 13 % and of that withheld at 15 %.
        long double refund13, refund15;
    };
    const Case cases[] = {
        // 1 000 000 + 3 000 000 off 10 000 000: 13 % of 5 000 000 and 15 % of 1 000 000, so all
        // of the 650 000 stays and 600 000 of the 750 000 comes back.
        {"5 000 000 of interest, 3 000 000 count", 2021, 5'000'000, 3'000'000, 6'000'000, 800'000, 600'000, 0,
         600'000},
        {"exactly 3 000 000 of interest", 2021, 3'000'000, 3'000'000, 6'000'000, 800'000, 600'000, 0, 600'000},
        // 1 000 000 + 5 000 000 off 10 000 000: 13 % of 4 000 000.
        {"a flat of 2013: all 5 000 000 count", 2013, 5'000'000, 5'000'000, 4'000'000, 520'000, 880'000, 130'000,
         750'000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        decl = mTDeclaration();
        decl.Person.Address.OKTMO = TaxpayerOktmo;
        mbTSourse& employer = addLocalPayer("7701000001", "ООО Работодатель");
        employer.WithheldTax13 = rub(650'000);
        employer.AddIncome13(incomeLine(Salary, rub(5'000'000)));
        employer.WithheldTax15 = rub(750'000);
        employer.AddIncome15(incomeLine(Salary, rub(5'000'000)));
        addFlatWithInterest(1'000'000, c.interest, c.registeredIn);

        EXPECT_TRUE(calculate());

        EXPECT_EQ(svod->Pril7.РасхНовВычНД, rub(1'000'000));
        EXPECT_EQ(svod->Pril7.ПроцВычНД, rub(c.interestDeduction));
        EXPECT_EQ(svod->Pril7.ОстИВУплПроц, Currency());
        EXPECT_EQ(wages().СумНалВыч, rub(1'000'000 + c.interestDeduction));
        EXPECT_EQ(wages().НалБаза, rub(c.base));
        EXPECT_EQ(wages().Исчисл, rub(c.tax));
        EXPECT_EQ(wages().Удерж, rub(1'400'000));
        EXPECT_EQ(wages().ПодлВозв, rub(c.refund));
        std::vector<bmTList1> rows{{Kbk080, EmployerOktmo, {}, rub(c.refund15)}};
        if (c.refund13 > 0)
            rows.push_back({Kbk010, EmployerOktmo, {}, rub(c.refund13)});
        EXPECT_EQ(svod->R1.Rows, rows);
        EXPECT_EQ(decl.SectionOneSum, rub(c.refund));
    }
}

TEST_F(EndToEnd, InterestBeyondTheYearsBaseCarriesOver)
{
    addEmployer("7701000001", 100'000, 156'000);
    addFlatWithInterest(2'500'000, 300'000, 2020);
    decl.ConstructionDeduct.PrevYearsDeduction = rub(1'000'000);

    EXPECT_TRUE(calculate());

    // 2 000 000 of the cost count, 1 000 000 of it taken last year; the base of 1 200 000 takes
    // the other 1 000 000 first and 200 000 of the interest, 100 000 of which carries over.
    EXPECT_EQ(svod->Pril7.CostTotal, rub(2'000'000));
    EXPECT_EQ(svod->Pril7.РасхНовВычНД, rub(1'000'000));
    EXPECT_EQ(svod->Pril7.ПроцВычНД, rub(200'000));
    EXPECT_EQ(svod->Pril7.ОстИВБезПроц, Currency());
    EXPECT_EQ(svod->Pril7.ОстИВУплПроц, rub(100'000));
    EXPECT_EQ(wages().НалБаза, Currency());
    EXPECT_EQ(decl.SectionOneSum, rub(156'000));
}

} // namespace

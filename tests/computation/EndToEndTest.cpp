// Whole declarations run through the summary, checked against figures worked out by hand from
// the rules of the 2021 tax year.
#include "computation/Summary.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "ComputationTestSupport.h"
#include "Section1Checks.h"
#include "model/DayDate.h"

namespace {

constexpr const char* TaxpayerOktmo = "45000000";
constexpr const char* EmployerOktmo = "45380000";
constexpr const char* KbkWithheldByAgents = "18210102010011000110";
constexpr const char* KbkLiftTo15 = "18210102120011000110";
constexpr std::int32_t Salary = 2000; // wages, income kind "10"

class EndToEnd : public ::testing::Test {
protected:
    EndToEnd() { decl.Person.Address.OKTMO = TaxpayerOktmo; }

    // An employer that paid the same salary every month and withheld the tax of the year.
    mbTSourse& addEmployer(const std::string& inn, long double monthly, long double withheld)
    {
        mbTSourse& employer = addPayer(decl, inn, "ООО Работодатель " + inn);
        employer.Oktmo = EmployerOktmo;
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

    mTDeclaration decl;
    std::unique_ptr<kTSvodSum> svod = std::make_unique<kTSvodSum>();
};

TEST_F(EndToEnd, FlatBoughtForThreeMillionRefundsTheYearsTaxAndCarriesTheRest)
{
    addEmployer("7701000001", 100'000, 156'000);
    decl.ConstructionDeduct.Granted = 1;
    auto flat = std::make_unique<mTConstructionDeductObj>();
    flat->Cost = rub(3'000'000);
    flat->ShareNumerator = flat->ShareDenominator = 1;
    flat->DwellingRegDate = *encodeDate(2021, 3, 15);
    decl.ConstructionDeduct.AddObject(std::move(flat));

    EXPECT_TRUE(calculate());

    // 2 000 000 at most; 1 200 000 of it this year, the rest later.
    EXPECT_EQ(svod->Pril7.РасхНовВычНД, rub(1'200'000));
    EXPECT_EQ(svod->Pril7.ОстИВБезПроц, rub(800'000));
    EXPECT_EQ(wages().НалБаза, Currency());
    EXPECT_EQ(wages().ПодлВозв, rub(156'000));
    EXPECT_EQ(svod->R1.Rows, (std::vector<bmTList1>{{KbkWithheldByAgents, EmployerOktmo, {}, rub(156'000)}}));
    EXPECT_EQ(decl.SectionOneSum, rub(156'000));
}

TEST_F(EndToEnd, TheRefundGoesToTheBankAccountOfTheApplication)
{
    addEmployer("7701000001", 100'000, 156'000);
    decl.ConstructionDeduct.Granted = 1;
    auto flat = std::make_unique<mTConstructionDeductObj>();
    flat->Cost = rub(3'000'000);
    flat->DwellingRegDate = *encodeDate(2021, 3, 15);
    decl.ConstructionDeduct.AddObject(std::move(flat));
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
    EXPECT_EQ(refund.КБК, KbkWithheldByAgents);
    EXPECT_EQ(refund.ОКТМО, EmployerOktmo);
    EXPECT_EQ(refund.НомерЗаяв, "1");
    EXPECT_EQ(refund.ВидСч, "02");
    EXPECT_EQ(svod->KudaTratit.OffsetCount, 0);
}

TEST_F(EndToEnd, MedicalAndOwnEducationWithinTheCommonLimit)
{
    addEmployer("7701000001", 100'000, 156'000);
    decl.SocialDeduct.Granted = 1;
    decl.SocialDeduct.MedicalSum = rub(80'000);
    decl.SocialDeduct.SelfEducationSum = rub(70'000);

    EXPECT_TRUE(calculate());

    // 150 000 spent, 120 000 allowed: 13 % of it comes back.
    EXPECT_EQ(wages().СумНалВыч, rub(120'000));
    EXPECT_EQ(wages().Исчисл, rub(140'400));
    EXPECT_EQ(svod->R1.Rows, (std::vector<bmTList1>{{KbkWithheldByAgents, EmployerOktmo, {}, rub(15'600)}}));
    EXPECT_EQ(decl.SectionOneSum, rub(15'600));
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
    EXPECT_EQ(svod->R1.Rows, (std::vector<bmTList1>{{KbkLiftTo15, TaxpayerOktmo, rub(20'000), {}}}));
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
    EXPECT_EQ(svod->R1.Rows, (std::vector<bmTList1>{{KbkWithheldByAgents, EmployerOktmo, {}, rub(2'912)}}));
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

    // 30 % of 600 000, with advance payments of 45 000 a quarter under the first code only.
    const kTSvodSumRazd2& businessSheet = svod->Razd2Sheet(7);
    EXPECT_EQ(businessSheet.НалБаза, rub(600'000));
    EXPECT_EQ(businessSheet.Исчисл, rub(180'000));
    const AdvancePaymentsOfCode quarterly{rub(45'000), rub(45'000), {}, rub(45'000), {}, rub(45'000), {}};
    EXPECT_EQ(svod->R1_punkt2.FirstCodeAdvances, quarterly);
    EXPECT_EQ(svod->R1_punkt2.SecondCodeAdvances, AdvancePaymentsOfCode{});
    EXPECT_EQ(svod->R1_punkt2.ОКТМО_Пер, TaxpayerOktmo);

    EXPECT_TRUE(svod->Pril1.Rows.empty());
    EXPECT_EQ(wages().СумДох, Currency());
    EXPECT_EQ(svod->RateBandRest, kTSvodSum::RateBand);
    EXPECT_EQ(svod->DeclaredPool + svod->AgentPool + svod->SimplifiedPool, Currency());
    EXPECT_TRUE(svod->R1.Rows.empty());
    EXPECT_EQ(decl.SectionOneSum, Currency());
}

} // namespace

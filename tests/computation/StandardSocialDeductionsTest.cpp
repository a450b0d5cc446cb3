#include "computation/StandardSocialDeductions.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "DeductionSheetTestSupport.h"

namespace {

class StandardSocialDeductions : public testing::Test {
protected:
    // Runs the sheets this one reads, then this one, as the driver does.
    const kTSvodSumPril5& calculate()
    {
        EXPECT_TRUE(svod->PrilE1.Calculate(decl, *svod));
        EXPECT_TRUE(svod->Pril5Dop.Calculate(decl, *svod));
        EXPECT_TRUE(svod->Pril5.Calculate(decl, *svod));
        return svod->Pril5;
    }

    mbTSourse& employer()
    {
        if (decl.SourceCount() == 0)
            addPayer(decl);
        return *decl.GetSource(0);
    }

    void claimSocial(const std::function<void(mTSocialDeduct&)>& fill)
    {
        decl.SocialDeduct.Granted = 1;
        fill(decl.SocialDeduct);
    }

    mTDeclaration decl;
    std::unique_ptr<kTSvodSum> svod = emptySummary();
};

struct AgentRecord {
    std::size_t employer; // 0 or 1
    std::int32_t code;
    long double sum;
};

// This sheet over what two employers recorded, the declaration claiming no deduction itself.
std::unique_ptr<kTSvodSum> summaryOfAgentRecords(const std::vector<AgentRecord>& records)
{
    mTDeclaration declaration;
    mbTSourse* employers[] = {&addPayer(declaration, "7701000001"), &addPayer(declaration, "7701000002")};
    for (const AgentRecord& record : records)
        addAgentDeduction(*employers[record.employer], record.code, rub(record.sum));
    auto summary = emptySummary();
    summary->Pril5.Calculate(declaration, *summary);
    return summary;
}

// Without the standard deductions claimed month by month, what the employers granted is all
// there is: 3 000 (105) or 500 (104) a month, only the larger for one month, and never more
// than a year of either.
TEST_F(StandardSocialDeductions, AgentsPersonalDeductionsGiveOneAmountAMonth)
{
    struct Case {
        const char* name;
        std::vector<AgentRecord> records;
        long double deduction105, deduction104;
    };
    const Case cases[] = {
        {"105 above the year's 36 000", {{0, 105, 20'000}, {1, 105, 20'000}}, 36'000, 0},
        {"104 above the year's 6 000", {{0, 104, 4'000}, {1, 104, 4'000}}, 0, 6'000},
        {"104 alone all year", {{1, 104, 6'000}}, 0, 6'000},
        // 6 months of 105 at one employer leave 6 months of 104 of the other's 12.
        {"105 for six months, 104 all year elsewhere", {{0, 105, 18'000}, {1, 104, 6'000}}, 18'000, 3'000},
        {"both codes at one employer", {{0, 105, 18'000}, {0, 104, 6'000}}, 18'000, 3'000},
        {"105 all year leaves no month to 104", {{0, 105, 36'000}, {1, 104, 6'000}}, 36'000, 0},
        {"105 beyond the year leaves no month to 104", {{0, 105, 40'000}, {1, 104, 500}}, 36'000, 0},
        {"104 below the months left is kept", {{0, 105, 9'000}, {1, 104, 3'000}}, 9'000, 3'000},
        // 4 500 is a month and a half of 105: two months are taken, ten of 104 are left.
        {"a month begun of 105 counts whole", {{0, 105, 4'500}, {1, 104, 6'000}}, 4'500, 5'000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto summary = summaryOfAgentRecords(c.records);
        const kTSvodSumPril5& sheet = summary->Pril5;
        EXPECT_EQ(sheet.ВычСт218_1_1, rub(c.deduction105));
        EXPECT_EQ(sheet.ВычСт218_1_2, rub(c.deduction104));
        EXPECT_EQ(sheet.ОбщВычСтандПер, rub(c.deduction105 + c.deduction104));
        EXPECT_EQ(sheet.ОбщВычСтандДекл, Currency());
    }
}

// Claimed month by month, 3 000 a month all year is due; the employers' 18 000 of 105 and
// 6 000 of 104 stand as granted, and the declaration adds the 12 000 left of the year's due.
TEST_F(StandardSocialDeductions, ClaimedPersonalDeductionKeepsWhatTheAgentsGranted)
{
    mbTSourse& payer = addMonthlyWages(decl, rub(40'000));
    decl.StandardDeduct.Granted = 1;
    decl.StandardDeduct.PersonalCode = 105;
    addAgentDeduction(payer, 105, rub(18'000));
    addAgentDeduction(addPayer(decl, "7701000002"), 104, rub(6'000));
    const kTSvodSumPril5& sheet = calculate();
    EXPECT_EQ(sheet.ВычСт218_1_1, rub(36'000));
    EXPECT_EQ(sheet.ВычСт218_1_2, Currency());
    EXPECT_EQ(sheet.ОбщВычСтандПер, rub(24'000));
    EXPECT_EQ(sheet.ОбщВычСтандДекл, rub(12'000));
}

struct AgentCodeCase {
    std::int32_t code;
    Currency kTSvodSumPril5::*field; // null: not counted
};

TEST_F(StandardSocialDeductions, AgentsChildrenDeductionsGoByCode)
{
    const AgentCodeCase cases[] = {
        {126, &kTSvodSumPril5::ВычСтРеб},       {128, &kTSvodSumPril5::ВычСтРеб},
        {130, &kTSvodSumPril5::ВычСтРеб},       {132, &kTSvodSumPril5::ВычСтРеб},
        {129, &kTSvodSumPril5::ВычСтРебИнв},    {133, &kTSvodSumPril5::ВычСтРебИнв},
        {134, &kTSvodSumPril5::ВычСтРебЕд},     {139, &kTSvodSumPril5::ВычСтРебЕд},
        {142, &kTSvodSumPril5::ВычСтРебЕд},     {147, &kTSvodSumPril5::ВычСтРебЕд},
        {140, &kTSvodSumPril5::ВычСтРебИнвЕд},  {141, &kTSvodSumPril5::ВычСтРебИнвЕд},
        {148, &kTSvodSumPril5::ВычСтРебИнвЕд},  {149, &kTSvodSumPril5::ВычСтРебИнвЕд},
        {125, nullptr}, {150, nullptr}, {103, nullptr}, {311, nullptr},
    };
    for (const AgentCodeCase& c : cases) {
        mTDeclaration one;
        addAgentDeduction(addPayer(one), c.code, rub(2'800));
        auto summary = emptySummary();
        summary->Pril5.Calculate(one, *summary);
        const kTSvodSumPril5& sheet = summary->Pril5;
        for (const auto field : {&kTSvodSumPril5::ВычСтРеб, &kTSvodSumPril5::ВычСтРебИнв,
                                 &kTSvodSumPril5::ВычСтРебЕд, &kTSvodSumPril5::ВычСтРебИнвЕд})
            EXPECT_EQ(sheet.*field, field == c.field ? rub(2'800) : Currency()) << "code " << c.code;
        EXPECT_EQ(sheet.ОбщВычСтандПер, c.field != nullptr ? rub(2'800) : Currency()) << "code " << c.code;
    }
}

struct SeveralEmployersCase {
    const char* name;
    std::vector<AgentRecord> records;
    long double child, childDouble, disabledChild, disabledChildDouble;
};

// A child's deduction is granted for each month by one employer only: whatever several
// employers recorded under one code counts up to one employer's year, 12 months of the code's
// amount of 2021.
TEST_F(StandardSocialDeductions, ChildDeductionsOfSeveralEmployersCountOneEmployersYear)
{
    const SeveralEmployersCase cases[] = {
        // 1 400 x 12 recorded twice for the same first child.
        {"one code over two employers", {{0, 126, 16'800}, {1, 126, 16'800}}, 16'800, 0, 0, 0},
        {"first and second child, one at each employer", {{0, 126, 16'800}, {1, 127, 16'800}}, 33'600, 0, 0, 0},
        // 3 000 x 12 for the third child, 1 400 x 12 for a guardian's first child.
        {"third child twice and a guardian's first child", {{0, 128, 36'000}, {1, 128, 36'000}, {1, 130, 20'000}},
         52'800, 0, 0, 0},
        // 2 800 x 12 for a single parent's first child.
        {"a double code", {{0, 134, 33'600}, {1, 134, 33'600}}, 0, 33'600, 0, 0},
        // 8 400 for January to June and 7 000 for August to December: below 16 800, kept.
        {"a sum below the cap kept", {{0, 126, 8'400}, {1, 126, 7'000}}, 15'400, 0, 0, 0},
        {"two records of one code at one employer", {{0, 127, 10'000}, {0, 127, 10'000}}, 16'800, 0, 0, 0},
        // 12 000 x 12 for a parent, 6 000 x 12 for a guardian.
        {"a parent's disabled child", {{0, 129, 144'000}, {1, 129, 144'000}}, 0, 0, 144'000, 0},
        {"a guardian's disabled child", {{0, 133, 72'000}, {1, 133, 72'000}}, 0, 0, 72'000, 0},
        // 1 400 x 12 for a guardian's second child.
        {"a guardian's second child over two employers", {{0, 131, 16'800}, {1, 131, 16'800}}, 16'800, 0, 0, 0},
        // 24 000 x 12 for a single parent, 12 000 x 12 for a single guardian.
        {"a single parent's disabled child", {{0, 140, 288'000}, {1, 140, 10'000}}, 0, 0, 0, 288'000},
        {"a single guardian's disabled child", {{0, 141, 144'000}, {1, 141, 144'000}}, 0, 0, 0, 144'000},
        // The code of the third and each later child, and of each disabled child, stands for
        // several children: one employer's year of two such children is kept.
        {"the third and the fourth child at one employer", {{0, 128, 72'000}}, 72'000, 0, 0, 0},
        {"two disabled children at one employer, again at another",
         {{0, 129, 288'000}, {1, 129, 288'000}}, 0, 0, 288'000, 0},
    };
    for (const SeveralEmployersCase& c : cases) {
        SCOPED_TRACE(c.name);
        const auto summary = summaryOfAgentRecords(c.records);
        const kTSvodSumPril5& sheet = summary->Pril5;
        EXPECT_EQ(sheet.ВычСтРеб, rub(c.child));
        EXPECT_EQ(sheet.ВычСтРебЕд, rub(c.childDouble));
        EXPECT_EQ(sheet.ВычСтРебИнв, rub(c.disabledChild));
        EXPECT_EQ(sheet.ВычСтРебИнвЕд, rub(c.disabledChildDouble));
        EXPECT_EQ(sheet.ОбщВычСтандПер, rub(c.child + c.childDouble + c.disabledChild + c.disabledChildDouble));
        EXPECT_EQ(sheet.ОбщВычСтандДекл, Currency());
    }
}

// With the standard deductions worked out month by month, the declaration's figures stand and
// the employers' doubled child deduction counts once against them.
TEST_F(StandardSocialDeductions, ClaimedChildDeductionsStandBesideTwoEmployersRecords)
{
    // One child, 10 000 a month all year: 12 x 1 400.
    mbTSourse& payer = addMonthlyWages(decl, rub(10'000));
    decl.StandardDeduct.Granted = 1;
    decl.StandardDeduct.SetChildCountConst(1);
    addAgentDeduction(payer, 126, rub(8'400));
    addAgentDeduction(addPayer(decl, "7701000002"), 126, rub(16'800));
    const kTSvodSumPril5& sheet = calculate();
    EXPECT_EQ(sheet.ВычСтРеб, rub(16'800));
    EXPECT_EQ(sheet.ОбщВычСтандПер, rub(16'800));
    EXPECT_EQ(sheet.ОбщВычСтандДекл, Currency());
}

TEST_F(StandardSocialDeductions, ClaimedStandardDeductionsReplaceTheAgentsFigures)
{
    // Two children, 40 000 a month: January to August, 8 x 2 x 1 400.
    mbTSourse& payer = addMonthlyWages(decl, rub(40'000));
    decl.StandardDeduct.Granted = 1;
    decl.StandardDeduct.SetChildCountConst(2);
    addAgentDeduction(payer, 126, rub(14'000));
    const kTSvodSumPril5& sheet = calculate();
    EXPECT_EQ(sheet.ВычСтРеб, rub(22'400));
    EXPECT_EQ(sheet.ОбщВычСтандПер, rub(14'000));
    EXPECT_EQ(sheet.ОбщВычСтандДекл, rub(8'400));
    EXPECT_EQ(sheet.StandardDeclOther, rub(8'400));
    EXPECT_EQ(sheet.StandardDeclBusiness, Currency());
    EXPECT_EQ(sheet.ВычСтандСоц, rub(8'400));
}

TEST_F(StandardSocialDeductions, AgentsCannotHaveGrantedMoreThanTheYearsDue)
{
    mbTSourse& payer = addMonthlyWages(decl, rub(40'000));
    decl.StandardDeduct.Granted = 1;
    decl.StandardDeduct.SetChildCountConst(2);
    addAgentDeduction(payer, 126, rub(33'600)); // the whole year, beyond the income limit
    const kTSvodSumPril5& sheet = calculate();
    EXPECT_EQ(sheet.ОбщВычСтандПер, rub(22'400));
    EXPECT_EQ(sheet.ОбщВычСтандДекл, Currency());
}

TEST_F(StandardSocialDeductions, StandardDeductionOfAnEntrepreneurGoesToBusinessIncome)
{
    decl.SetIncomeKinds(IncomeKindBusiness);
    decl.AddBusiness();
    decl.StandardDeduct.Granted = 1;
    decl.StandardDeduct.PersonalCode = 105;
    decl.StandardDeduct.HasBusinessMonths = 1;
    for (std::uint8_t m = 0; m < 12; ++m) {
        decl.StandardDeduct.SetBusinessMonth(m, 1);
        decl.StandardDeduct.SetMonthIncome(m + 1, rub(10'000));
    }
    const kTSvodSumPril5& sheet = calculate();
    EXPECT_EQ(sheet.ОбщВычСтандДекл, rub(36'000));
    EXPECT_EQ(sheet.StandardDeclBusiness, rub(36'000));
    EXPECT_EQ(sheet.StandardDeclOther, Currency());
}

struct SocialCase {
    const char* name;
    long double income; // appendix 1
    std::function<void(mTSocialDeduct&)> fill;
    long double donations;
    long double childEducation;
    long double withoutCommonLimit; // ИтогВычСоциал
    long double withinCommonLimit;  // ОбщСумРасх
};

TEST_F(StandardSocialDeductions, SocialDeductionsFollowTheirLimits)
{
    const SocialCase cases[] = {
        {"medical 80 000 and own education 70 000 share the 120 000 limit", 1'000'000,
         [](mTSocialDeduct& s) {
             s.MedicalSum = rub(80'000);
             s.SelfEducationSum = rub(70'000);
         },
         0, 0, 0, 120'000},
        {"charity up to 25 % of the income", 200'000, [](mTSocialDeduct& s) { s.CharitySum = rub(80'000); },
         50'000, 0, 50'000, 0},
        {"both charities together up to 30 %", 200'000,
         [](mTSocialDeduct& s) {
             s.CharitySum = rub(50'000);
             s.CharitySum30 = rub(50'000);
         },
         60'000, 0, 60'000, 0},
        {"25 % cut to whole kopecks", 100.03, [](mTSocialDeduct& s) { s.CharitySum = rub(1'000); }, 25, 0, 25, 0},
        {"each child's education up to 50 000", 1'000'000,
         [](mTSocialDeduct& s) {
             s.AddChildEduSum(rub(70'000));
             s.AddChildEduSum(rub(30'000));
             s.AddChildEduSum(rub(30'000));
         },
         0, 110'000, 110'000, 0},
        {"expensive treatment has no limit", 1'000'000,
         [](mTSocialDeduct& s) {
             s.ExpensiveMedicalSum = rub(500'000);
             s.MedicamentSum = rub(10'000);
         },
         0, 0, 500'000, 10'000},
        {"own education 100 000 and medical services 50 000", 1'000'000,
         [](mTSocialDeduct& s) {
             s.SelfEducationSum = rub(100'000);
             s.MedicalSum = rub(50'000);
         },
         0, 0, 0, 120'000},
        {"contributions count within the common limit", 1'000'000,
         [](mTSocialDeduct& s) {
             s.InsuranceSum = rub(30'000);
             s.QualificationSum = rub(10'000);
             mTPens& pens = *s.GetPens(s.AddPens());
             pens.ContractKind = 1;
             pens.Sum = rub(100'000);
         },
         0, 0, 0, 120'000},
    };
    for (const SocialCase& c : cases) {
        mTDeclaration one;
        one.SocialDeduct.Granted = 1;
        c.fill(one.SocialDeduct);
        auto summary = emptySummary();
        summary->Pril1.TotalIncome = rub(c.income);
        summary->Pril5Dop.Calculate(one, *summary);
        summary->Pril5.Calculate(one, *summary);
        const kTSvodSumPril5& sheet = summary->Pril5;
        EXPECT_EQ(sheet.СумБлагЦел, rub(c.donations)) << c.name;
        EXPECT_EQ(sheet.ChildEduSum, rub(c.childEducation)) << c.name;
        EXPECT_EQ(sheet.ИтогВычСоциал, rub(c.withoutCommonLimit)) << c.name;
        EXPECT_EQ(sheet.ОбщСумРасх, rub(c.withinCommonLimit)) << c.name;
        EXPECT_EQ(sheet.ОбщВычСоциал, rub(c.withoutCommonLimit + c.withinCommonLimit)) << c.name;
        EXPECT_EQ(sheet.ВычСтандСоц, sheet.ОбщВычСоциал) << c.name;
    }
}

TEST_F(StandardSocialDeductions, CharityBaseIsTheTaxableIncome)
{
    claimSocial([](mTSocialDeduct& s) { s.CharitySum = rub(1'000'000); });
    svod->Pril1.TotalIncome = rub(300'000);
    svod->Pril2.TotalIncome = rub(100'000);
    svod->PrilV1.ДоходИт = rub(50'000);
    svod->Pril4.NonTaxableExceptAdPrizes = rub(40'000);
    svod->Pril4.NonTaxableAdPrizes = rub(10'000);
    EXPECT_EQ(calculate().DonationPart25, rub(100'000)); // 25 % of 400 000
}

TEST_F(StandardSocialDeductions, NoCharityOnANegativeBase)
{
    claimSocial([](mTSocialDeduct& s) { s.CharitySum = rub(1'000); });
    svod->Pril4.NonTaxableExceptAdPrizes = rub(4'000);
    const kTSvodSumPril5& sheet = calculate();
    EXPECT_EQ(sheet.DonationPart25, Currency());
    EXPECT_EQ(sheet.СумБлагЦел, Currency());
}

TEST_F(StandardSocialDeductions, AgentsSocialDeductionsCountAsFarAsTheDeclarationShowsTheExpense)
{
    claimSocial([](mTSocialDeduct& s) {
        s.SelfEducationSum = rub(30'000);
        s.MedicalSum = rub(200'000);
        s.ExpensiveMedicalSum = rub(10'000);
    });
    svod->Pril1.TotalIncome = rub(1'000'000);
    addAgentDeduction(employer(), 320, rub(50'000));  // own education: 30 000
    addAgentDeduction(employer(), 324, rub(150'000)); // medical services: 120 000
    addAgentDeduction(employer(), 326, rub(5'000));   // expensive treatment: all of it
    addAgentDeduction(employer(), 321, rub(5'000));   // no child's education declared
    addAgentDeduction(employer(), 322, rub(5'000));   // not a counted code
    const kTSvodSumPril5& sheet = calculate();
    EXPECT_EQ(sheet.AgentSocial320, rub(30'000));
    EXPECT_EQ(sheet.AgentSocial324, rub(120'000));
    EXPECT_EQ(sheet.AgentSocial326, rub(5'000));
    EXPECT_EQ(sheet.AgentSocial321, Currency());
    // The agents' 155 000 cannot exceed the 130 000 the year allows (120 000 + 10 000).
    EXPECT_EQ(sheet.ОбщСНВОтчПерНА, rub(130'000));
    EXPECT_EQ(sheet.ОбщВычСоциал, Currency());
}

TEST_F(StandardSocialDeductions, AgentsSocialDeductionsWithoutAClaimCountNothing)
{
    addAgentDeduction(employer(), 324, rub(50'000));
    addAgentDeduction(employer(), 327, rub(50'000));
    const kTSvodSumPril5& sheet = calculate();
    EXPECT_EQ(sheet.AgentSocial324, Currency());
    EXPECT_EQ(sheet.AgentSocial327, Currency());
    EXPECT_EQ(sheet.ОбщСНВОтчПерНА, Currency());
}

TEST_F(StandardSocialDeductions, AgentsContributionsAreCappedByTheirKind)
{
    claimSocial([](mTSocialDeduct& s) {
        mTPens& contract = *s.GetPens(s.AddPens());
        contract.ContractKind = 2;
        contract.Sum = rub(20'000);
        mTPens& funded = *s.GetPens(s.AddPens());
        funded.ContractKind = 4;
        funded.Sum = rub(7'000);
    });
    addAgentDeduction(employer(), 327, rub(25'000));
    addAgentDeduction(employer(), 328, rub(25'000));
    const kTSvodSumPril5& sheet = calculate();
    EXPECT_EQ(sheet.СумПенсСтрах, rub(27'000));
    EXPECT_EQ(sheet.AgentSocial327, rub(20'000));
    EXPECT_EQ(sheet.AgentSocial328, rub(7'000));
    EXPECT_EQ(sheet.ОбщВычСоциал, Currency());
}

TEST_F(StandardSocialDeductions, ClosingABusinessClaimsNoSocialDeductions)
{
    decl.DeclarationType = DeclarationClosingBusiness;
    claimSocial([](mTSocialDeduct& s) { s.MedicalSum = rub(10'000); });
    svod->Pril1.TotalIncome = rub(1'000'000);
    EXPECT_EQ(calculate().ОбщСумРасх, Currency());
}

TEST_F(StandardSocialDeductions, NonResidentsGetAnEmptySheet)
{
    decl.DeclarationType = DeclarationNonResident;
    addAgentDeduction(employer(), 105, rub(3'000));
    decl.InvDeduct.Granted = 1;
    decl.InvDeduct.GetInfoIIS(decl.InvDeduct.AddInfoIIS())->PaidIn = rub(100'000);
    const kTSvodSumPril5& sheet = calculate();
    EXPECT_EQ(sheet.ОбщВычСтандПер, Currency());
    EXPECT_EQ(sheet.СумИнвВыч219, Currency());
}

struct AccountCase {
    const char* name;
    std::uint8_t granted;
    std::vector<std::pair<long double, std::uint8_t>> accounts; // paid in, simplified
    long double declared;
    long double simplified;
};

TEST_F(StandardSocialDeductions, InvestmentAccountsShareOneLimitInListOrder)
{
    const AccountCase cases[] = {
        {"500 000 paid in: 400 000", 1, {{500'000, 0}}, 400'000, 0},
        {"not claimed: nothing", 0, {{500'000, 0}}, 0, 0},
        {"simplified first", 1, {{300'000, 1}, {200'000, 0}}, 100'000, 300'000},
        {"declared first", 1, {{300'000, 0}, {200'000, 1}}, 300'000, 100'000},
        {"within the limit", 1, {{150'000, 0}, {50'000, 1}}, 150'000, 50'000},
    };
    for (const AccountCase& c : cases) {
        mTDeclaration one;
        one.InvDeduct.Granted = c.granted;
        one.InvDeduct.IISDeductionToReturn = rub(7'000);
        for (const auto& [paidIn, simplified] : c.accounts) {
            bmTInfoIIS& account = *one.InvDeduct.GetInfoIIS(one.InvDeduct.AddInfoIIS());
            account.PaidIn = rub(paidIn);
            account.SimplifiedSign = simplified;
        }
        auto summary = emptySummary();
        summary->Pril5.Calculate(one, *summary);
        EXPECT_EQ(summary->Pril5.СумИнвВыч219, rub(c.declared)) << c.name;
        EXPECT_EQ(summary->Pril5.ИнвВычУпр, rub(c.simplified)) << c.name;
        EXPECT_EQ(summary->Pril5.ИнвВычПредВосст, c.granted != 0 ? rub(7'000) : Currency()) << c.name;
    }
}

TEST_F(StandardSocialDeductions, FiguresSurviveSavingAndReloading)
{
    addAgentDeduction(addMonthlyWages(decl, rub(50'000)), 105, rub(36'000));
    decl.InvDeduct.IISDeductionToReturn = rub(10'000); // not claimed: not saved
    decl.InvDeduct.GetInfoIIS(decl.InvDeduct.AddInfoIIS())->PaidIn = rub(100'000);
    claimSocial([](mTSocialDeduct& s) { s.MedicalSum = rub(15'000); });
    svod->Pril1.TotalIncome = rub(600'000);
    const kTSvodSumPril5 before = calculate();

    const std::string file = testing::TempDir() + "standard_social.fv1";
    decl.SaveToFile(file);
    mTDeclaration reloaded;
    reloaded.LoadFromFile(file);
    std::remove(file.c_str());
    svod->Pril5.Calculate(reloaded, *svod);
    const kTSvodSumPril5& after = svod->Pril5;

    EXPECT_EQ(before.СумИнвВыч219, Currency());
    EXPECT_EQ(before.ИнвВычПредВосст, Currency());
    EXPECT_EQ(after.СумИнвВыч219, before.СумИнвВыч219);
    EXPECT_EQ(after.ИнвВычПредВосст, before.ИнвВычПредВосст);
    EXPECT_EQ(after.ОбщВычСтандПер, before.ОбщВычСтандПер);
    EXPECT_EQ(after.ОбщВычСоциал, rub(15'000));
    EXPECT_EQ(after.ОбщВычСоциал, before.ОбщВычСоциал);
}

} // namespace

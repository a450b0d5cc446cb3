#include "computation/Summary.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "ComputationTestSupport.h"

namespace {

struct PoolCase {
    const char* name;
    Currency pool;
    Currency amount;
    Currency limit; // simplified pool only
    Currency taken;
    Currency left;
};

TEST(SummaryPools, DeclaredAndAgentPoolsGiveAtMostWhatTheyHold)
{
    const PoolCase cases[] = {
        {"pool smaller than the amount", rub(30'000), rub(100'000), {}, rub(30'000), rub(0)},
        {"pool larger than the amount", rub(30'000), rub(10'000.5), {}, rub(10'000.5), rub(19'999.5)},
        {"amount equal to the pool", rub(30'000), rub(30'000), {}, rub(30'000), rub(0)},
        {"empty pool", rub(0), rub(100'000), {}, rub(0), rub(0)},
        {"amount 0", rub(30'000), rub(0), {}, rub(0), rub(30'000)},
        {"negative amount", rub(30'000), rub(-5'000), {}, rub(0), rub(30'000)},
        {"negative pool gives nothing", rub(-1'000), rub(5'000), {}, rub(0), rub(-1'000)},
    };
    using Take = std::function<Currency(kTSvodSum&, Currency)>;
    const std::pair<const char*, std::pair<Currency kTSvodSum::*, Take>> pools[] = {
        {"declared", {&kTSvodSum::DeclaredPool, &kTSvodSum::TakeFromDeclaredDeductions}},
        {"agent", {&kTSvodSum::AgentPool, &kTSvodSum::TakeFromAgentDeductions}},
    };
    for (const auto& [poolName, pool] : pools) {
        for (const PoolCase& c : cases) {
            auto svod = std::make_unique<kTSvodSum>();
            svod->Clear();
            svod.get()->*pool.first = c.pool;
            EXPECT_EQ(pool.second(*svod, c.amount), c.taken) << poolName << ": " << c.name;
            EXPECT_EQ(svod.get()->*pool.first, c.left) << poolName << ": " << c.name;
        }
    }
}

TEST(SummaryPools, SimplifiedPoolGivesAtMostTheLimit)
{
    const PoolCase cases[] = {
        {"limit below the amount", rub(70'000), rub(80'000), rub(50'000), rub(50'000), rub(20'000)},
        {"pool below the limit", rub(30'000), rub(80'000), rub(50'000), rub(30'000), rub(0)},
        {"amount below the limit", rub(70'000), rub(10'000), rub(50'000), rub(10'000), rub(60'000)},
        {"limit 0", rub(70'000), rub(80'000), rub(0), rub(0), rub(70'000)},
        {"negative limit", rub(70'000), rub(80'000), rub(-10), rub(0), rub(70'000)},
        {"amount 0", rub(70'000), rub(0), rub(50'000), rub(0), rub(70'000)},
        {"negative amount", rub(70'000), rub(-1), rub(50'000), rub(0), rub(70'000)},
        {"empty pool", rub(0), rub(80'000), rub(50'000), rub(0), rub(0)},
    };
    for (const PoolCase& c : cases) {
        auto svod = std::make_unique<kTSvodSum>();
        svod->Clear();
        svod->SimplifiedPool = c.pool;
        EXPECT_EQ(svod->TakeFromSimplifiedDeductions(c.amount, c.limit), c.taken) << c.name;
        EXPECT_EQ(svod->SimplifiedPool, c.left) << c.name;
    }
}

TEST(Summary, ClearGivesWholeBandsEmptyPoolsAndEmptySheets)
{
    auto svod = std::make_unique<kTSvodSum>();
    svod->RateBandRest.fill(rub(1));
    svod->DeclaredPool = svod->AgentPool = svod->SimplifiedPool = rub(5);
    svod->Razd2Sheet(1).ВидДоход = "01";
    svod->Razd2Sheet(1).Исчисл = rub(5);
    svod->Pril1.Rows.emplace_back();
    svod->Pril1.RowCount = 1;
    svod->Pril4.СтоимПодар = rub(5);
    svod->Pril1_Dop.Rows.emplace_back();

    svod->Clear();

    for (const Currency& bandRest : svod->RateBandRest)
        EXPECT_EQ(bandRest, rub(5'000'000));
    EXPECT_EQ(svod->DeclaredPool, Currency());
    EXPECT_EQ(svod->AgentPool, Currency());
    EXPECT_EQ(svod->SimplifiedPool, Currency());
    EXPECT_EQ(svod->Razd2Sheet(1).ВидДоход, "");
    EXPECT_EQ(svod->Razd2Sheet(1).Исчисл, Currency());
    EXPECT_TRUE(svod->Pril1.Rows.empty());
    EXPECT_EQ(svod->Pril1.RowCount, 0);
    EXPECT_EQ(svod->Pril4.СтоимПодар, Currency());
    EXPECT_TRUE(svod->Pril1_Dop.Rows.empty());
}

// A resident with wages of 6 000 000 from one employer, who withheld 780 000 (13 % of it all).
void addHighWages(mTDeclaration& decl)
{
    mbTSourse& employer = addPayer(decl);
    employer.AddIncome13(incomeLine(2000, rub(6'000'000)));
    employer.WithheldTax13 = rub(780'000);
}

TEST(Summary, WagesBeyondTheBandPayTheTwoMissingPoints)
{
    mTDeclaration decl;
    addHighWages(decl);
    auto svod = std::make_unique<kTSvodSum>();
    svod->Calculate(decl);

    const kTSvodSumRazd2& wages = svod->Razd2Sheet(10);
    EXPECT_EQ(wages.ВидДоход, "10");
    EXPECT_EQ(wages.НалБаза, rub(6'000'000));
    EXPECT_EQ(wages.НалБаза2_1_224, rub(5'000'000));
    EXPECT_EQ(wages.НалБаза3_1_224, rub(1'000'000));
    EXPECT_EQ(wages.Исчисл, rub(800'000)); // 650 000 + 150 000
    EXPECT_EQ(wages.Удерж, rub(780'000));
    EXPECT_EQ(wages.Extra213, rub(20'000));
    EXPECT_EQ(wages.ПодлУпл, rub(20'000));
    EXPECT_EQ(svod->RateBandRestOf(TaxBase::Main), rub(0));
}

// For income of 2021 each tax base has its own band: wages do not use up the dividends'.
TEST(Summary, WagesAndDividendsEachHaveTheirOwnBand)
{
    mTDeclaration decl;
    mbTSourse& employer = addPayer(decl);
    employer.AddIncome13(incomeLine(1010, rub(3'000'000)));
    employer.AddIncome13(incomeLine(2000, rub(3'000'000)));
    employer.WithheldTax13 = rub(780'000);
    auto svod = std::make_unique<kTSvodSum>();
    svod->Calculate(decl);

    const kTSvodSumRazd2& wages = svod->Razd2Sheet(10);
    EXPECT_EQ(wages.НалБаза2_1_224, rub(3'000'000));
    EXPECT_EQ(wages.Исчисл, rub(390'000));
    EXPECT_EQ(wages.Удерж, rub(390'000));
    EXPECT_EQ(wages.ПодлУпл, rub(0));

    const kTSvodSumRazd2& dividends = svod->Razd2Sheet(1);
    EXPECT_EQ(dividends.НалБаза2_1_224, rub(3'000'000));
    EXPECT_EQ(dividends.НалБаза3_1_224, rub(0));
    EXPECT_EQ(dividends.Исчисл, rub(390'000));
    EXPECT_EQ(dividends.Удерж, rub(390'000));
    EXPECT_EQ(dividends.Extra213, rub(0));
    EXPECT_EQ(dividends.ПодлУпл, rub(0));
    EXPECT_EQ(dividends.ПодлВозв, rub(0));
    EXPECT_EQ(svod->RateBandRestOf(TaxBase::Main), rub(2'000'000));
    EXPECT_EQ(svod->RateBandRestOf(TaxBase::Dividends), rub(2'000'000));
}

TEST(Summary, CalculatingTwiceGivesTheSameFigures)
{
    mTDeclaration decl;
    addHighWages(decl);
    mbTSourse& lottery = addPayer(decl, "7702000002", "Лотерея");
    lottery.AddIncome13(incomeLine(3011, rub(10'000), 511, rub(10'000)));
    auto svod = std::make_unique<kTSvodSum>();

    svod->Calculate(decl);
    const kTSvodSumRazd2 wagesFirst = svod->Razd2Sheet(10);
    const kTSvodSumRazd2 winningsFirst = svod->Razd2Sheet(2);
    const std::size_t rowsFirst = svod->Pril1.Rows.size();
    const Currency exemptFirst = svod->Pril4.ВыигрЛотер;

    svod->Calculate(decl);
    EXPECT_EQ(svod->Razd2Sheet(10).НалБаза2_1_224, wagesFirst.НалБаза2_1_224);
    EXPECT_EQ(svod->Razd2Sheet(10).ПодлУпл, wagesFirst.ПодлУпл);
    EXPECT_EQ(svod->Razd2Sheet(2).Исчисл, winningsFirst.Исчисл);
    EXPECT_EQ(svod->Razd2Sheet(2).НалБаза3_1_224, winningsFirst.НалБаза3_1_224);
    EXPECT_EQ(svod->Pril1.Rows.size(), rowsFirst);
    EXPECT_EQ(svod->Pril4.ВыигрЛотер, exemptFirst);
    EXPECT_EQ(svod->RateBandRestOf(TaxBase::Main), rub(0));
}

TEST(Summary, WithoutIncomeKindsTheExemptionsAndDeductionsStayEmpty)
{
    mTDeclaration decl;
    ASSERT_EQ(decl.IncomeKinds(), 0);
    // Put into the list past the add operation, which would switch income kind 1 on.
    mbTSourse& payer = *decl.Sources.get(decl.Sources.add(std::make_unique<mbTSourse>()));
    payer.AddIncome13(incomeLine(2720, rub(3'000), 501)); // a gift that appendix 4 would exempt
    auto svod = std::make_unique<kTSvodSum>();
    svod->Calculate(decl);

    EXPECT_EQ(svod->Pril1.RowCount, 1);
    EXPECT_EQ(svod->Pril4.СтоимПодар, Currency());
    EXPECT_EQ(svod->DeclaredPool, Currency());
    const kTSvodSumRazd2& gifts = svod->Razd2Sheet(17);
    EXPECT_EQ(gifts.СумДох, rub(3'000));
    EXPECT_EQ(gifts.СумДохНеНал, Currency());
    EXPECT_EQ(gifts.Исчисл, rub(390));
    EXPECT_EQ(svod->Razd2Sheet(25).ВидДоход, "25");
}

TEST(Summary, ClosingABusinessLeavesTheBandAndThePoolsAlone)
{
    mTDeclaration decl;
    addHighWages(decl);
    decl.DeclarationType = DeclarationClosingBusiness;
    auto svod = std::make_unique<kTSvodSum>();
    svod->Calculate(decl);

    EXPECT_EQ(svod->Razd2Sheet(7).ВидДоход, "07");
    // Neither the Russian-source sheet nor the other kinds run.
    EXPECT_TRUE(svod->Pril1.Rows.empty());
    EXPECT_EQ(svod->Razd2Sheet(10).ВидДоход, "");
    for (const Currency& bandRest : svod->RateBandRest)
        EXPECT_EQ(bandRest, rub(5'000'000));
}

} // namespace

#include "computation/PensionContributions.h"

#include <gtest/gtest.h>

#include <vector>

#include "DeductionSheetTestSupport.h"

namespace {

struct Contract {
    std::int32_t kind;
    long double sum;
};

void addContract(mTSocialDeduct& social, const Contract& contract)
{
    mTPens& pens = *social.GetPens(social.AddPens());
    pens.ContractKind = contract.kind;
    pens.Sum = rub(contract.sum);
    if (contract.kind != 4) {
        pens.OrgName = "НПФ Будущее";
        pens.OrgINN = "7701234567";
        pens.OrgKPP = "770101001";
        pens.ContractNumber = "Д-15";
        pens.ContractDate = 44200;
    }
}

struct ContributionCase {
    const char* name;
    std::vector<Contract> contracts;
    std::vector<long double> allowedByRow; // rows of kinds 1-3
    long double kind4Allowed;
    long double total;
};

// One limit of 120 000 roubles for all the contributions of the year, taken in list order.
TEST(PensionContributions, ContractsShareOneLimitInListOrder)
{
    const ContributionCase cases[] = {
        {"100 000 (kind 1) and 50 000 (kind 2)", {{1, 100'000}, {2, 50'000}}, {100'000, 20'000}, 0, 120'000},
        {"kind 4 first uses up the limit, later rows stay listed", {{4, 150'000}, {1, 10'000}, {3, 5'000}},
         {0, 0}, 120'000, 120'000},
        {"kind 4 after a contract", {{3, 70'000}, {4, 70'000}}, {70'000}, 50'000, 120'000},
        {"kinds 0 and 5 are neither listed nor counted", {{0, 50'000}, {5, 50'000}, {2, 120'000}}, {120'000}, 0,
         120'000},
        {"a negative sum brings nothing and frees no limit", {{1, -30'000}, {1, 130'000}}, {0, 120'000}, 0, 120'000},
    };
    for (const ContributionCase& c : cases) {
        mTDeclaration decl;
        decl.SocialDeduct.Granted = 1;
        for (const Contract& contract : c.contracts)
            addContract(decl.SocialDeduct, contract);
        auto svod = emptySummary();
        kTSvodSumPril5Dop sheet;
        EXPECT_TRUE(sheet.Calculate(decl, *svod));

        ASSERT_EQ(sheet.RowCount, static_cast<std::int32_t>(c.allowedByRow.size())) << c.name;
        ASSERT_EQ(sheet.Rows.size(), c.allowedByRow.size()) << c.name;
        Currency rowsTotal;
        for (std::size_t i = 0; i < c.allowedByRow.size(); ++i) {
            EXPECT_EQ(sheet.Rows[i].СумВзносУпл, rub(c.allowedByRow[i])) << c.name << ", row " << i;
            rowsTotal += sheet.Rows[i].СумВзносУпл;
        }
        EXPECT_EQ(sheet.PensContractTotal, rowsTotal) << c.name;
        EXPECT_EQ(sheet.СумВзносУпл, rub(c.kind4Allowed)) << c.name;
        EXPECT_EQ(sheet.ОбщВзносВыч, rub(c.total)) << c.name;
    }
}

TEST(PensionContributions, RowsCarryTheContract)
{
    mTDeclaration decl;
    decl.SocialDeduct.Granted = 1;
    addContract(decl.SocialDeduct, {2, 150'000});
    auto svod = emptySummary();
    kTSvodSumPril5Dop sheet;
    sheet.Calculate(decl, *svod);

    ASSERT_EQ(sheet.Rows.size(), 1u);
    const mbTPens& row = sheet.Rows[0];
    EXPECT_EQ(row.ВидДоговор, 2);
    EXPECT_EQ(row.Наим, "НПФ Будущее");
    EXPECT_EQ(row.ИННЮЛ, "7701234567");
    EXPECT_EQ(row.КПП, "770101001");
    EXPECT_EQ(row.НомДогНПО, "Д-15");
    EXPECT_EQ(row.ДатаДогНПО, 44200);
    EXPECT_EQ(row.PaidAmount, rub(150'000));
    EXPECT_EQ(row.СумВзносУпл, rub(120'000));
}

TEST(PensionContributions, NothingWithoutTheSocialDeductionOrForNonResidents)
{
    for (const bool granted : {false, true}) {
        mTDeclaration decl;
        decl.SocialDeduct.Granted = granted ? 1 : 0;
        decl.DeclarationType = granted ? DeclarationNonResident : DeclarationOrdinary;
        addContract(decl.SocialDeduct, {1, 50'000});
        addContract(decl.SocialDeduct, {4, 50'000});
        auto svod = emptySummary();
        kTSvodSumPril5Dop sheet;
        EXPECT_TRUE(sheet.Calculate(decl, *svod));
        EXPECT_EQ(sheet.RowCount, 0);
        EXPECT_TRUE(sheet.Rows.empty());
        EXPECT_EQ(sheet.ОбщВзносВыч, Currency());
        EXPECT_EQ(sheet.СумВзносУпл, Currency());
    }
}

struct AccountListingCase {
    const char* name;
    std::uint8_t granted;
    std::uint8_t declarationType;
    int accounts;
    bool listed;
};

TEST(PensionContributions, InvestmentAccountsAreListedWhenClaimed)
{
    const AccountListingCase cases[] = {
        {"claimed with an account", 1, DeclarationOrdinary, 1, true},
        {"claimed without accounts", 1, DeclarationOrdinary, 0, false},
        {"not claimed", 0, DeclarationOrdinary, 2, false},
        {"closing a business", 1, DeclarationClosingBusiness, 1, false},
    };
    for (const AccountListingCase& c : cases) {
        mTDeclaration decl;
        decl.DeclarationType = c.declarationType;
        decl.InvDeduct.Granted = c.granted;
        for (int i = 0; i < c.accounts; ++i)
            decl.InvDeduct.AddInfoIIS();
        auto svod = emptySummary();
        kTSvodSumPril5Dop sheet;
        sheet.Calculate(decl, *svod);
        EXPECT_EQ(sheet.ListInvestmentAccounts, c.listed) << c.name;
    }
}

} // namespace

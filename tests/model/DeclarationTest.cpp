#include "model/Declaration.h"

#include <gtest/gtest.h>

#include <set>
#include <stdexcept>

#include "model/DayDate.h"

namespace {

Currency roubles(std::int64_t value) { return Currency::fromWholeRoubles(value); }

// Every list of the declaration with one item, the kinds that own them switched on.
mTDeclaration declarationWithAllLists()
{
    mTDeclaration declaration;
    declaration.SetIncomeKinds(IncomeKindSources | IncomeKindForeign | IncomeKindBusiness | IncomeKindTrata);
    declaration.AddSource();
    declaration.AddThirteenPercent();
    declaration.AddThirteenPercentNR();
    declaration.AddThirtyFivePercent();
    declaration.AddThirtyPercent();
    declaration.AddNinePercent();
    declaration.AddCurrencyIncome();
    declaration.AddBusiness();
    declaration.AddTrata();
    return declaration;
}

std::size_t oldRecordCount(const mTDeclaration& d)
{
    return d.OldThirteenPercent.count() + d.OldThirteenPercentNR.count() + d.OldThirtyFivePercent.count()
           + d.OldThirtyPercent.count() + d.OldNinePercent.count();
}

} // namespace

TEST(Declaration, NewDeclarationDefaults)
{
    const double before = today();
    const mTDeclaration declaration;
    const double after = today();

    EXPECT_EQ(declaration.TaxpayerCategory, 5);
    EXPECT_EQ(declaration.Signer, 0);
    EXPECT_EQ(declaration.DeclarationType, DeclarationOrdinary);
    EXPECT_EQ(declaration.IncomeKinds(), 0);
    EXPECT_TRUE(declaration.DeclarationDate == before || declaration.DeclarationDate == after);
    EXPECT_EQ(dateText(declaration.FarmStartDate), "01.01.2000");
    EXPECT_EQ(declaration.CorrectionNumber, 0);
    EXPECT_EQ(declaration.Indicators, (std::array<std::int32_t, 10>{}));
    EXPECT_EQ(declaration.SectionOneSum, Currency());
    EXPECT_TRUE(declaration.TaxOfficeCode.empty());

    EXPECT_EQ(declaration.SourceCount(), 0u);
    EXPECT_EQ(declaration.ThirteenPercentCount(), 0u);
    EXPECT_EQ(declaration.CurrencyIncomeCount(), 0u);
    EXPECT_EQ(declaration.BusinessCount(), 0u);
    EXPECT_EQ(declaration.TrataCount(), 0u);
    EXPECT_EQ(oldRecordCount(declaration), 0u);

    EXPECT_EQ(declaration.Person, mTPersonInformation());
    EXPECT_EQ(declaration.StandardDeduct, mTStandartDeduct());
    EXPECT_EQ(declaration.CBDeduct, mTCBDeduct());
    EXPECT_EQ(declaration.SocialDeduct.Granted, 0);
    EXPECT_EQ(declaration.ConstructionDeduct.Granted, 0);
    EXPECT_EQ(declaration.InvDeduct.Granted, 0);
}

TEST(Declaration, SwitchingKindsOnStartsWithEmptyLists)
{
    mTDeclaration declaration;
    declaration.SetIncomeKinds(IncomeKindSources | IncomeKindForeign);

    EXPECT_EQ(declaration.IncomeKinds(), IncomeKindSources | IncomeKindForeign);
    EXPECT_TRUE(declaration.HasIncomeKind(IncomeKindSources));
    EXPECT_TRUE(declaration.HasIncomeKind(IncomeKindForeign));
    EXPECT_FALSE(declaration.HasIncomeKind(IncomeKindBusiness));
    EXPECT_FALSE(declaration.HasIncomeKind(IncomeKindTrata));
    EXPECT_EQ(declaration.SourceCount(), 0u);
    EXPECT_EQ(declaration.CurrencyIncomeCount(), 0u);
    EXPECT_EQ(declaration.BusinessCount(), 0u);
    EXPECT_EQ(declaration.TrataCount(), 0u);
}

// Switching one kind off frees exactly that kind's records; switching it on again starts empty.
TEST(Declaration, SwitchingAKindOffFreesItsRecordsOnly)
{
    struct Case {
        const char* name;
        IncomeKind kind;
        std::size_t (*count)(const mTDeclaration&);
    };
    const Case cases[] = {
        {"sources", IncomeKindSources, [](const mTDeclaration& d) { return d.SourceCount() + oldRecordCount(d); }},
        {"foreign", IncomeKindForeign, [](const mTDeclaration& d) { return d.CurrencyIncomeCount(); }},
        {"business", IncomeKindBusiness, [](const mTDeclaration& d) { return d.BusinessCount(); }},
        {"trata", IncomeKindTrata, [](const mTDeclaration& d) { return d.TrataCount(); }},
    };
    const std::uint8_t all = IncomeKindSources | IncomeKindForeign | IncomeKindBusiness | IncomeKindTrata;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        mTDeclaration declaration = declarationWithAllLists();
        const std::size_t totalBefore = declaration.SourceCount() + oldRecordCount(declaration)
                                        + declaration.CurrencyIncomeCount() + declaration.BusinessCount()
                                        + declaration.TrataCount();
        const std::size_t ownBefore = c.count(declaration);
        ASSERT_GT(ownBefore, 0u);

        declaration.SetIncomeKinds(static_cast<std::uint8_t>(all & ~c.kind));
        EXPECT_FALSE(declaration.HasIncomeKind(c.kind));
        EXPECT_EQ(c.count(declaration), 0u);
        const std::size_t totalAfter = declaration.SourceCount() + oldRecordCount(declaration)
                                       + declaration.CurrencyIncomeCount() + declaration.BusinessCount()
                                       + declaration.TrataCount();
        EXPECT_EQ(totalAfter, totalBefore - ownBefore);

        declaration.SetIncomeKinds(all);
        EXPECT_TRUE(declaration.HasIncomeKind(c.kind));
        EXPECT_EQ(c.count(declaration), 0u);
    }
}

TEST(Declaration, ClearingForeignIncomeFreesBothRecords)
{
    mTDeclaration declaration;
    declaration.SetIncomeKinds(IncomeKindForeign);
    declaration.AddCurrencyIncome();
    declaration.AddCurrencyIncome();
    ASSERT_EQ(declaration.CurrencyIncomeCount(), 2u);

    declaration.SetIncomeKinds(0);
    EXPECT_EQ(declaration.CurrencyIncomeCount(), 0u);
    declaration.SetIncomeKinds(IncomeKindForeign);
    EXPECT_EQ(declaration.CurrencyIncomeCount(), 0u);
}

TEST(Declaration, ClearingKindOneResetsItsOwnFieldsOnly)
{
    mTDeclaration declaration = declarationWithAllLists();
    declaration.ForeignerFixedPayments = roubles(1200);
    for (std::size_t i = 0; i < declaration.Indicators.size(); ++i)
        declaration.Indicators[i] = std::int32_t(i + 10);
    declaration.ActualAdvancePayments = roubles(7);
    declaration.OKTMO1 = "45000000";

    declaration.SetIncomeKinds(IncomeKindForeign | IncomeKindBusiness | IncomeKindTrata);

    EXPECT_EQ(declaration.ForeignerFixedPayments, Currency());
    EXPECT_EQ(declaration.Indicators[3], 0);
    EXPECT_EQ(declaration.Indicators[1], 11);
    EXPECT_EQ(declaration.Indicators[9], 19);
    EXPECT_EQ(declaration.SourceCount(), 0u);
    EXPECT_EQ(oldRecordCount(declaration), 0u);

    // Switching business off keeps the business section's figures.
    declaration.SetIncomeKinds(0);
    EXPECT_EQ(declaration.ActualAdvancePayments, roubles(7));
    EXPECT_EQ(declaration.OKTMO1, "45000000");
}

TEST(Declaration, KindsAlreadySetKeepTheirRecordsAndOtherBitsAreIgnored)
{
    mTDeclaration declaration = declarationWithAllLists();
    declaration.ForeignerFixedPayments = roubles(5);

    declaration.SetIncomeKinds(0xF0 | IncomeKindSources | IncomeKindForeign | IncomeKindBusiness | IncomeKindTrata);
    EXPECT_EQ(declaration.IncomeKinds(), 0x0F);
    EXPECT_EQ(declaration.SourceCount(), 1u);
    EXPECT_EQ(declaration.CurrencyIncomeCount(), 1u);
    EXPECT_EQ(declaration.BusinessCount(), 1u);
    EXPECT_EQ(declaration.TrataCount(), 1u);
    EXPECT_EQ(oldRecordCount(declaration), 5u);
    EXPECT_EQ(declaration.ForeignerFixedPayments, roubles(5));

    declaration.SetIncomeKinds(0xF0);
    EXPECT_EQ(declaration.IncomeKinds(), 0);
}

// A record exists only while its kind is on: adding one to a list of a kind that is off switches
// that kind on, as SetIncomeKinds does, and leaves the other kinds and their records alone.
TEST(Declaration, AddingARecordSwitchesItsKindOn)
{
    struct Case {
        const char* name;
        IncomeKind kind;
        std::size_t (mTDeclaration::*add)();
        std::size_t (*count)(const mTDeclaration&);
    };
    const auto kindOne = [](const mTDeclaration& d) { return d.SourceCount() + oldRecordCount(d); };
    const Case cases[] = {
        {"source", IncomeKindSources, &mTDeclaration::AddSource, kindOne},
        {"13 %", IncomeKindSources, &mTDeclaration::AddThirteenPercent, kindOne},
        {"13 % of a non-resident", IncomeKindSources, &mTDeclaration::AddThirteenPercentNR, kindOne},
        {"35 %", IncomeKindSources, &mTDeclaration::AddThirtyFivePercent, kindOne},
        {"30 %", IncomeKindSources, &mTDeclaration::AddThirtyPercent, kindOne},
        {"9 %", IncomeKindSources, &mTDeclaration::AddNinePercent, kindOne},
        {"foreign", IncomeKindForeign, &mTDeclaration::AddCurrencyIncome,
         [](const mTDeclaration& d) { return d.CurrencyIncomeCount(); }},
        {"business", IncomeKindBusiness, &mTDeclaration::AddBusiness,
         [](const mTDeclaration& d) { return d.BusinessCount(); }},
        {"trata", IncomeKindTrata, &mTDeclaration::AddTrata, [](const mTDeclaration& d) { return d.TrataCount(); }},
    };
    const std::uint8_t all = IncomeKindSources | IncomeKindForeign | IncomeKindBusiness | IncomeKindTrata;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        mTDeclaration declaration = declarationWithAllLists();
        declaration.SetIncomeKinds(static_cast<std::uint8_t>(all & ~c.kind));
        declaration.ForeignerFixedPayments = roubles(5);
        const std::size_t others = declaration.SourceCount() + oldRecordCount(declaration)
                                   + declaration.CurrencyIncomeCount() + declaration.BusinessCount()
                                   + declaration.TrataCount();

        EXPECT_EQ((declaration.*c.add)(), 0u);
        EXPECT_EQ(declaration.IncomeKinds(), all);
        EXPECT_EQ((declaration.*c.add)(), 1u) << "a kind already on keeps its records";
        EXPECT_EQ(c.count(declaration), 2u);
        const std::size_t total = declaration.SourceCount() + oldRecordCount(declaration)
                                  + declaration.CurrencyIncomeCount() + declaration.BusinessCount()
                                  + declaration.TrataCount();
        EXPECT_EQ(total, others + 2);
        EXPECT_EQ(declaration.ForeignerFixedPayments, roubles(5));
    }
}

TEST(Declaration, DeleteClosesTheGap)
{
    mTDeclaration declaration;
    declaration.SetIncomeKinds(IncomeKindSources);
    for (const char* name : {"first", "second", "third"})
        declaration.GetSource(declaration.AddSource())->Name = name;

    declaration.DeleteSource(0);
    ASSERT_EQ(declaration.SourceCount(), 2u);
    EXPECT_EQ(declaration.GetSource(0)->Name, "second");
    EXPECT_EQ(declaration.GetSource(1)->Name, "third");

    EXPECT_THROW(declaration.GetSource(2), std::out_of_range);
    EXPECT_THROW(declaration.DeleteTrata(0), std::out_of_range);
}

TEST(Declaration, AddReturnsTheIndexAndGetHandsOutTheSlot)
{
    mTDeclaration declaration;
    declaration.SetIncomeKinds(IncomeKindTrata);
    EXPECT_EQ(declaration.AddTrata(), 0u);
    EXPECT_EQ(declaration.AddTrata(), 1u);

    auto replacement = std::make_unique<mTTrata>();
    replacement->BankBik = "044525225";
    declaration.GetTrata(1) = std::move(replacement);
    EXPECT_EQ(declaration.GetTrata(1)->BankBik, "044525225");
    EXPECT_EQ(declaration.TrataCount(), 2u);
}

TEST(Declaration, KIKItemNumberIsIndicatorOne)
{
    mTDeclaration declaration;
    declaration.SetKIKItemNumber(3);
    EXPECT_EQ(declaration.Indicators[1], 3);
    EXPECT_EQ(declaration.KIKItemNumber(), 3);
    declaration.SetKIKItemNumber(0);
    EXPECT_EQ(declaration.Indicators[1], 0);
}

TEST(Declaration, IdentityDocumentKinds)
{
    const char* const codes[] = {"03", "07", "08", "10", "11", "12", "13", "14",
                                 "15", "19", "21", "22", "23", "24", "27", "91"};
    ASSERT_EQ(IdentityDocumentKinds.size(), std::size(codes));
    std::set<std::string_view> names;
    for (std::size_t i = 0; i < IdentityDocumentKinds.size(); ++i) {
        EXPECT_EQ(IdentityDocumentKinds[i].code, codes[i]) << i;
        EXPECT_FALSE(IdentityDocumentKinds[i].name.empty()) << i;
        names.insert(IdentityDocumentKinds[i].name);
    }
    EXPECT_EQ(names.size(), IdentityDocumentKinds.size());
    EXPECT_EQ(IdentityDocumentKinds[10].name, "Паспорт гражданина РФ");
    EXPECT_EQ(IdentityDocumentKinds[15].name, "Иные документы");
}

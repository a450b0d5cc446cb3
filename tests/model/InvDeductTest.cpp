#include "model/InvDeduct.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <utility>

#include "CommaDecimalLocale.h"
#include "DeductionTestSupport.h"

namespace {

Currency money(long double roubles) { return Currency::fromRoubles(roubles); }

std::string savedSection(const mTInvDeduct& d)
{
    return savedValues([&](mTDocumentStorage& s) { d.Save(s); });
}

// Every field differs from its default; `seed` tells accounts apart.
bmTInfoIIS account(std::int32_t seed)
{
    bmTInfoIIS a;
    a.ParticipantINN = "770207013" + std::to_string(seed % 10);
    a.ParticipantKPP = "770201001";
    a.ParticipantName = "ООО «Брокер» №" + std::to_string(seed);
    a.ContractDate = 44197 + seed;
    a.ContractNumber = "Д-" + std::to_string(seed);
    a.OpenDate = 44198.25;
    a.PaidIn = money(400000 + seed);
    a.SimplifiedSign = 1;
    return a;
}

mTInvDeduct everyFieldSet()
{
    mTInvDeduct d;
    d.SecuritiesDeduction = money(3000000);
    d.PartnershipDeduction = money(-1.5L);
    d.IISContributionDeduction = money(400000.0001L);
    d.IISDeductionToReturn = money(52000);
    d.ApplyIncomeDeduction = 1;
    d.Granted = 1;
    *d.GetInfoIIS(d.AddInfoIIS()) = account(0);
    d.AddInfoIISCell(std::make_unique<bmTInfoIIS>(account(1)));
    return d;
}

void expectSameInv(const mTInvDeduct& a, const mTInvDeduct& b)
{
    EXPECT_EQ(a.SecuritiesDeduction, b.SecuritiesDeduction);
    EXPECT_EQ(a.PartnershipDeduction, b.PartnershipDeduction);
    EXPECT_EQ(a.IISContributionDeduction, b.IISContributionDeduction);
    EXPECT_EQ(a.IISDeductionToReturn, b.IISDeductionToReturn);
    EXPECT_EQ(a.ApplyIncomeDeduction, b.ApplyIncomeDeduction);
    EXPECT_EQ(a.Granted, b.Granted);
    ASSERT_EQ(a.InfoIISCount(), b.InfoIISCount());
    for (std::size_t i = 0; i < a.InfoIISCount(); ++i)
        EXPECT_EQ(*a.GetInfoIIS(i), *b.GetInfoIIS(i)) << "account " << i;
}

} // namespace

TEST(InvDeduct, AccountSectionHoldsItsValuesInOrder)
{
    bmTInfoIIS a;
    a.ParticipantINN = "7702070139";
    a.ParticipantKPP = "770201001";
    a.ParticipantName = "Брокер";
    a.ContractDate = 44197;
    a.ContractNumber = "Д-15";
    a.OpenDate = 44198;
    a.PaidIn = money(400000);
    a.SimplifiedSign = 1;
    const std::string expected = "0011@InfoIIS000"
                                 "00107702070139"
                                 "0009770201001"
                                 "0006\xC1\xF0\xEE\xEA\xE5\xF0" // "Брокер" in windows-1251
                                 "000544197"
                                 "0004\xC4-15"
                                 "000544198"
                                 "0006400000"
                                 "00011";
    const auto saved = [&] { return savedValues([&](mTDocumentStorage& s) { a.Save(s, 0); }); };
    EXPECT_EQ(saved(), expected);
    {
        CommaDecimalLocale comma;
        EXPECT_EQ(saved(), expected) << "under a decimal-comma locale";
    }
    EXPECT_EQ(a.StorageSize(0), expected.size());
}

TEST(InvDeduct, SectionHoldsTheDeductionsBeforeTheAccounts)
{
    mTInvDeduct d;
    d.Granted = 1;
    d.SecuritiesDeduction = money(10);
    d.PartnershipDeduction = money(20.5L);
    d.IISContributionDeduction = money(-30);
    d.IISDeductionToReturn = money(0);
    d.ApplyIncomeDeduction = 1;
    EXPECT_EQ(savedSection(d), "0010@InvDeduct"
                               "00011"
                               "000210" "000420.5" "0003-30" "00010"
                               "00011"  // apply the income deduction
                               "00010"); // no accounts
}

TEST(InvDeduct, RoundTripKeepsEveryField)
{
    const mTInvDeduct original = everyFieldSet();
    mTInvDeduct loaded;
    roundTrip(original, loaded);
    expectSameInv(loaded, original);
}

TEST(InvDeduct, LoadReplacesTheAccountsItHeld)
{
    const mTInvDeduct original = everyFieldSet();
    mTInvDeduct loaded = everyFieldSet();
    loaded.AddInfoIIS();
    roundTrip(original, loaded);
    expectSameInv(loaded, original);
}

TEST(InvDeduct, NotGrantedWritesOnlyTheNameAndTheByteAndLoadsNothingElse)
{
    mTInvDeduct notGranted = everyFieldSet();
    notGranted.Granted = 0;
    EXPECT_EQ(savedSection(notGranted), "0010@InvDeduct00010");
    EXPECT_EQ(notGranted.StorageSize(), 19u);

    mTInvDeduct loaded = everyFieldSet();
    roundTrip(mTInvDeduct{}, loaded);
    EXPECT_EQ(loaded.Granted, 0);
    loaded.Granted = 1;
    expectSameInv(loaded, everyFieldSet());
}

TEST(InvDeduct, DeletingAnAccountRenumbersTheLaterOnes)
{
    mTInvDeduct d = everyFieldSet();
    d.DeleteInfoIIS(0);
    const std::string section = savedSection(d);
    EXPECT_NE(section.find("00011" "0011@InfoIIS000" "00107702070131"), std::string::npos) << section;
    EXPECT_EQ(section.find("@InfoIIS001"), std::string::npos) << section;

    mTInvDeduct loaded;
    roundTrip(d, loaded);
    ASSERT_EQ(loaded.InfoIISCount(), 1u);
    EXPECT_EQ(*loaded.GetInfoIIS(0), account(1));
}

TEST(InvDeduct, ReplacingAnAccountInItsCellFreesTheOldOne)
{
    mTInvDeduct d = everyFieldSet();
    d.GetInfoIIS(0) = std::make_unique<bmTInfoIIS>(account(9));
    EXPECT_EQ(d.InfoIISCount(), 2u);
    EXPECT_EQ(*d.GetInfoIIS(0), account(9));
}

TEST(InvDeduct, AccountIndexOutsideTheListIsRefused)
{
    mTInvDeduct d = everyFieldSet();
    EXPECT_THROW(d.GetInfoIIS(2), std::out_of_range);
    EXPECT_THROW(std::as_const(d).GetInfoIIS(2), std::out_of_range);
    EXPECT_THROW(d.DeleteInfoIIS(2), std::out_of_range);
    EXPECT_EQ(d.InfoIISCount(), 2u);
}

TEST(InvDeduct, AccountSectionsWidenPastNineHundredNinetyNine)
{
    const bmTInfoIIS a;
    EXPECT_EQ(savedValues([&](mTDocumentStorage& s) { a.Save(s, 999); }).substr(0, 15), "0011@InfoIIS999");
    EXPECT_EQ(savedValues([&](mTDocumentStorage& s) { a.Save(s, 1000); }).substr(0, 16), "0012@InfoIIS1000");

    mTInvDeduct many;
    many.Granted = 1;
    for (int i = 0; i <= 1000; ++i)
        many.AddInfoIISCell(std::make_unique<bmTInfoIIS>(account(i)));
    mTInvDeduct loaded;
    roundTrip(many, loaded);
    expectSameInv(loaded, many);
}

TEST(InvDeduct, StorageSizeIsTheNumberOfBytesSaved)
{
    const mTInvDeduct fresh;
    mTInvDeduct emptyTexts;
    emptyTexts.Granted = 1;
    emptyTexts.AddInfoIIS();
    const mTInvDeduct full = everyFieldSet();
    mTInvDeduct negative = everyFieldSet();
    negative.SecuritiesDeduction = money(-987654321.4321L);
    negative.GetInfoIIS(1)->PaidIn = money(-0.0001L);
    struct Case {
        const char* name;
        const mTInvDeduct* d;
    } const cases[] = {
        {"new", &fresh},
        {"granted, empty account", &emptyTexts},
        {"every field", &full},
        {"negative sums", &negative},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.d->StorageSize(), savedSection(*c.d).size()) << c.name;
}

TEST(InvDeduct, FailuresCarryTheObjectsOuterCode)
{
    ReadOnlyStorage readOnly;
    expectStorageFailure<mEWriteStorage>([&] { everyFieldSet().Save(readOnly.get()); }, 81, 403);
    expectStorageFailure<mEWriteStorage>([&] { account(0).Save(readOnly.get(), 0); }, 81, 405);

    // The second account's section is missing.
    std::string bytes = savedContainer([](mTDocumentStorage& s) { everyFieldSet().Save(s); });
    bytes.replace(bytes.find("@InfoIIS001"), 11, "@InfoIIX001");
    bmTInfoIIS a;
    expectStorageFailure<mEOpenStream>([&] { loadContainer(bytes, [&](mTDocumentStorage& s) { a.Load(s, 1); }); },
                                       210, 406);
    mTInvDeduct d;
    expectStorageFailure<mEOpenStream>([&] { loadContainer(bytes, [&](mTDocumentStorage& s) { d.Load(s); }); },
                                       210, 404);
}

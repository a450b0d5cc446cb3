#include "model/SocialDeduct.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <utility>
#include <vector>

#include "CommaDecimalLocale.h"
#include "DeductionTestSupport.h"

namespace {

Currency money(long double roubles) { return Currency::fromRoubles(roubles); }

std::string savedSection(const mTSocialDeduct& d)
{
    return savedValues([&](mTDocumentStorage& s) { d.Save(s); });
}

mTPens contract(std::int32_t kind, const char* orgName, Currency sum)
{
    mTPens p;
    p.ContractKind = kind;
    p.OrgName = orgName;
    p.OrgINN = "7707083893";
    p.OrgKPP = "773601001";
    p.ContractNumber = "НПФ-" + std::to_string(kind);
    p.ContractDate = 44300 + kind;
    p.Sum = sum;
    return p;
}

mTSocialDeduct everyFieldSet()
{
    mTSocialDeduct d;
    d.Granted = 1;
    d.CharitySum = money(1000);
    d.CharitySum30 = money(2000.5L);
    d.SelfEducationSum = money(-3000.25L);
    d.AddChildEduSum(money(50000));
    d.AddChildEduSum(money(0.0001L));
    d.MedicalSum = money(4000);
    d.MedicamentSum = money(5000);
    d.ExpensiveMedicalSum = money(600000);
    d.InsuranceSum = money(7000);
    d.ExtraSum1 = money(8);
    d.ExtraSum2 = money(-9);
    d.QualificationSum = money(10000);
    *d.GetPens(d.AddPens()) = contract(1, "АО \"НПФ Сбербанка\"", money(12000));
    *d.GetPens(d.AddPens()) = contract(4, "", money(-0.5L));
    return d;
}

void expectSameSocial(const mTSocialDeduct& a, const mTSocialDeduct& b)
{
    EXPECT_EQ(a.Granted, b.Granted);
    EXPECT_EQ(a.CharitySum, b.CharitySum);
    EXPECT_EQ(a.CharitySum30, b.CharitySum30);
    EXPECT_EQ(a.SelfEducationSum, b.SelfEducationSum);
    EXPECT_EQ(a.ChildEduList, b.ChildEduList);
    EXPECT_EQ(a.MedicalSum, b.MedicalSum);
    EXPECT_EQ(a.MedicamentSum, b.MedicamentSum);
    EXPECT_EQ(a.ExpensiveMedicalSum, b.ExpensiveMedicalSum);
    EXPECT_EQ(a.InsuranceSum, b.InsuranceSum);
    EXPECT_EQ(a.ExtraSum1, b.ExtraSum1);
    EXPECT_EQ(a.ExtraSum2, b.ExtraSum2);
    EXPECT_EQ(a.QualificationSum, b.QualificationSum);
    ASSERT_EQ(a.PensCount(), b.PensCount());
    for (std::size_t i = 0; i < a.PensCount(); ++i)
        EXPECT_EQ(*a.GetPens(i), *b.GetPens(i)) << "contract " << i;
}

} // namespace

TEST(SocialDeduct, ContractSectionHoldsItsValuesInOrder)
{
    mTPens p;
    p.ContractKind = 2;
    p.OrgName = "Фонд";
    p.OrgINN = "7700000000";
    p.ContractNumber = "A-1";
    p.ContractDate = 44561;
    p.Sum = money(1500.5L);
    const std::string expected = "0011@PensSub007"
                                 "00012"
                                 "0004\xD4\xEE\xED\xE4" // "Фонд" in windows-1251
                                 "00107700000000"
                                 "0000" // no KPP
                                 "0003A-1"
                                 "000544561"
                                 "00061500.5";
    const auto saved = [&] { return savedValues([&](mTDocumentStorage& s) { p.Save(s, 7); }); };
    EXPECT_EQ(saved(), expected);
    {
        CommaDecimalLocale comma;
        EXPECT_EQ(saved(), expected) << "under a decimal-comma locale";
    }
    EXPECT_EQ(p.StorageSize(7), expected.size());
}

TEST(SocialDeduct, RoundTripKeepsEveryField)
{
    const mTSocialDeduct original = everyFieldSet();
    mTSocialDeduct loaded;
    roundTrip(original, loaded);
    expectSameSocial(loaded, original);
}

TEST(SocialDeduct, LoadReplacesTheListsItHeld)
{
    const mTSocialDeduct original = everyFieldSet();
    mTSocialDeduct loaded = everyFieldSet();
    loaded.AddChildEduSum(money(1));
    loaded.AddPens();
    roundTrip(original, loaded);
    expectSameSocial(loaded, original);
}

TEST(SocialDeduct, NotGrantedWritesNoContractsAndLoadsNothingElse)
{
    mTSocialDeduct notGranted = everyFieldSet();
    notGranted.Granted = 0;
    EXPECT_EQ(savedSection(notGranted), "0013@SocialDeduct00010");
    EXPECT_EQ(notGranted.StorageSize(), 22u);

    mTSocialDeduct loaded = everyFieldSet();
    roundTrip(mTSocialDeduct{}, loaded);
    EXPECT_EQ(loaded.Granted, 0);
    loaded.Granted = 1;
    expectSameSocial(loaded, everyFieldSet());
}

TEST(SocialDeduct, ChildEducationSumsKeepTheirOrder)
{
    mTSocialDeduct d;
    d.Granted = 1;
    EXPECT_EQ(d.AddChildEduSum(money(10)), 0);
    EXPECT_EQ(d.AddChildEduSum(money(20)), 1);
    EXPECT_EQ(d.AddChildEduSum(money(30)), 2);
    d.DeleteChildEduSum(0);
    EXPECT_EQ(d.ChildEduCount(), 2);
    EXPECT_EQ(d.GetChildEduSum(0), money(20));
    d.SetChildEduSum(1, money(35));

    const std::string section = savedSection(d);
    EXPECT_NE(section.find("00012" "000220" "000235"), std::string::npos) << section;

    mTSocialDeduct loaded;
    roundTrip(d, loaded);
    EXPECT_EQ(loaded.ChildEduList, (std::vector<Currency>{money(20), money(35)}));
}

TEST(SocialDeduct, ChildEducationIndexOutsideTheListRaisesItsOwnCode)
{
    mTSocialDeduct empty;
    mTSocialDeduct two;
    two.AddChildEduSum(money(1));
    two.AddChildEduSum(money(2));
    struct Case {
        const char* name;
        std::function<void()> call;
        std::uint16_t code;
    } const cases[] = {
        {"get 0 of none", [&] { empty.GetChildEduSum(0); }, 310},
        {"get 1 of none", [&] { empty.GetChildEduSum(1); }, 311},
        {"get 2 of two", [&] { two.GetChildEduSum(2); }, 311},
        {"get -1", [&] { two.GetChildEduSum(-1); }, 311},
        {"set 0 of none", [&] { empty.SetChildEduSum(0, money(5)); }, 320},
        {"set 2 of two", [&] { two.SetChildEduSum(2, money(5)); }, 321},
        {"delete 0 of none", [&] { empty.DeleteChildEduSum(0); }, 330},
        {"delete 2 of two", [&] { two.DeleteChildEduSum(2); }, 331},
        {"delete -1", [&] { two.DeleteChildEduSum(-1); }, 331},
    };
    for (const Case& c : cases) {
        try {
            c.call();
            ADD_FAILURE() << c.name << ": no failure";
        } catch (const mEMemoryAllocate& e) {
            EXPECT_EQ(e.Code, c.code) << c.name;
            EXPECT_STREQ(e.what(), "Не выделена память.") << c.name;
        }
    }
    EXPECT_EQ(empty.ChildEduCount(), 0);
    EXPECT_EQ(two.ChildEduList, (std::vector<Currency>{money(1), money(2)}));
}

TEST(SocialDeduct, DeletingAContractRenumbersTheLaterOnes)
{
    mTSocialDeduct d;
    d.Granted = 1;
    for (std::int32_t kind = 1; kind <= 3; ++kind)
        *d.GetPens(d.AddPens()) = contract(kind, "Фонд", money(kind));
    d.DeletePens(0);

    const std::string section = savedSection(d);
    EXPECT_NE(section.find("0005@Pens00012" "0011@PensSub000" "00012"), std::string::npos) << section;
    EXPECT_NE(section.find("0011@PensSub001" "00013"), std::string::npos) << section;
    EXPECT_EQ(section.find("@PensSub002"), std::string::npos) << section;

    mTSocialDeduct loaded;
    roundTrip(d, loaded);
    ASSERT_EQ(loaded.PensCount(), 2u);
    EXPECT_EQ(*loaded.GetPens(0), contract(2, "Фонд", money(2)));
    EXPECT_EQ(*loaded.GetPens(1), contract(3, "Фонд", money(3)));
}

TEST(SocialDeduct, ReplacingAContractInItsCellFreesTheOldOne)
{
    mTSocialDeduct d;
    d.AddPens();
    d.GetPens(0) = std::make_unique<mTPens>(contract(3, "Фонд", money(3)));
    EXPECT_EQ(d.PensCount(), 1u);
    EXPECT_EQ(d.GetPens(0)->ContractKind, 3);
}

TEST(SocialDeduct, ContractIndexOutsideTheListIsRefused)
{
    mTSocialDeduct d;
    d.AddPens();
    EXPECT_THROW(d.GetPens(1), std::out_of_range);
    EXPECT_THROW(std::as_const(d).GetPens(1), std::out_of_range);
    EXPECT_THROW(d.DeletePens(1), std::out_of_range);
    EXPECT_EQ(d.PensCount(), 1u);
}

TEST(SocialDeduct, ContractSectionsWidenPastNineHundredNinetyNine)
{
    EXPECT_EQ(savedValues([](mTDocumentStorage& s) { mTPens().Save(s, 999); }).substr(0, 15), "0011@PensSub999");
    EXPECT_EQ(savedValues([](mTDocumentStorage& s) { mTPens().Save(s, 1000); }).substr(0, 16), "0012@PensSub1000");

    mTSocialDeduct many;
    many.Granted = 1;
    for (int i = 0; i <= 1000; ++i)
        *many.GetPens(many.AddPens()) = contract(1 + i % 4, "Фонд", money(i));
    mTSocialDeduct loaded;
    roundTrip(many, loaded);
    expectSameSocial(loaded, many);
}

TEST(SocialDeduct, StorageSizeIsTheNumberOfBytesSaved)
{
    const mTSocialDeduct fresh;
    mTSocialDeduct emptyTexts;
    emptyTexts.Granted = 1;
    emptyTexts.AddPens();
    const mTSocialDeduct full = everyFieldSet();
    mTSocialDeduct negative = everyFieldSet();
    negative.CharitySum = money(-123456789.1234L);
    negative.SetChildEduSum(0, money(-0.0001L));
    struct Case {
        const char* name;
        const mTSocialDeduct* d;
    } const cases[] = {
        {"new", &fresh},
        {"granted, empty contract", &emptyTexts},
        {"every field", &full},
        {"negative sums", &negative},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.d->StorageSize(), savedSection(*c.d).size()) << c.name;
    EXPECT_EQ(mTPens().StorageSize(0), 15u + 3 * 5 + 4 * 4) << "name, three zero numbers, four empty texts";
}

TEST(SocialDeduct, FailuresCarryTheObjectsOuterCode)
{
    ReadOnlyStorage readOnly;
    expectStorageFailure<mEWriteStorage>([&] { everyFieldSet().Save(readOnly.get()); }, 81, 383);
    expectStorageFailure<mEWriteStorage>([&] { mTPens().Save(readOnly.get(), 0); }, 81, 375);

    // The second contract's section is missing; the owner's code replaces the contract's.
    std::string bytes = savedContainer([](mTDocumentStorage& s) { everyFieldSet().Save(s); });
    bytes.replace(bytes.find("@PensSub001"), 11, "@PensSux001");
    mTPens p;
    expectStorageFailure<mEOpenStream>([&] { loadContainer(bytes, [&](mTDocumentStorage& s) { p.Load(s, 1); }); },
                                       210, 376);
    mTSocialDeduct d;
    expectStorageFailure<mEOpenStream>([&] { loadContainer(bytes, [&](mTDocumentStorage& s) { d.Load(s); }); },
                                       210, 384);
}

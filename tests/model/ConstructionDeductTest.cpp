#include "model/ConstructionDeduct.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <utility>

#include "CommaDecimalLocale.h"
#include "DeductionTestSupport.h"
#include "model/DayDate.h"

namespace {

Currency money(long double roubles) { return Currency::fromRoubles(roubles); }

std::string savedSection(const mTConstructionDeduct& d)
{
    return savedValues([&](mTDocumentStorage& s) { d.Save(s); });
}

// Every saved field differs from its default; `seed` tells objects apart.
mTConstructionDeductObj property(std::int32_t seed)
{
    mTConstructionDeductObj o;
    o.ObjectCode = 2 + seed;
    o.ObjectNumber = "77:01:000" + std::to_string(seed);
    o.ObjectLocation = "г. Москва, ул. Ленина, д. " + std::to_string(seed);
    o.ObjectNumberKind = 1;
    o.OwnerSign = 3;
    o.AcquisitionMethod = 2;
    o.DwellingRegDate = 44200 + seed;
    o.LandRegDate = 44150.5;
    o.ActDate = 44100;
    o.ShareNumerator = 1;
    o.ShareDenominator = 2 + seed;
    o.Cost = money(2000000 + seed);
    o.InterestPaid = money(-150000.25L);
    o.ByInvestment = 1;
    o.Pensioner = 1;
    return o;
}

mTConstructionDeduct everyFieldSet()
{
    mTConstructionDeduct d;
    d.Granted = 1;
    d.ExtraSum1 = money(1);
    d.ExtraSum2 = money(-2);
    d.PrevYearsDeduction = money(300000.5L);
    d.PrevYearsInterestDeduction = money(40000);
    d.SimplifiedDeduction = money(0.0001L);
    d.SimplifiedInterestDeduction = money(6000);
    d.AddObject(std::make_unique<mTConstructionDeductObj>(property(0)));
    d.AddObject(std::make_unique<mTConstructionDeductObj>(property(1)));
    return d;
}

void expectSameConstruction(const mTConstructionDeduct& a, const mTConstructionDeduct& b)
{
    EXPECT_EQ(a.Granted, b.Granted);
    EXPECT_EQ(a.ExtraSum1, b.ExtraSum1);
    EXPECT_EQ(a.ExtraSum2, b.ExtraSum2);
    EXPECT_EQ(a.PrevYearsDeduction, b.PrevYearsDeduction);
    EXPECT_EQ(a.PrevYearsInterestDeduction, b.PrevYearsInterestDeduction);
    EXPECT_EQ(a.SimplifiedDeduction, b.SimplifiedDeduction);
    EXPECT_EQ(a.SimplifiedInterestDeduction, b.SimplifiedInterestDeduction);
    ASSERT_EQ(a.ObjectCount(), b.ObjectCount());
    for (std::size_t i = 0; i < a.ObjectCount(); ++i)
        EXPECT_EQ(*a.GetObject(i), *b.GetObject(i)) << "object " << i;
}

} // namespace

TEST(ConstructionDeduct, NewObjectsDateFromTheFirstOfJanuary2003)
{
    const mTConstructionDeductObj o;
    EXPECT_EQ(o.DwellingRegDate, encodeDate(2003, 1, 1));
    EXPECT_EQ(o.ActDate, encodeDate(2003, 1, 1));
    EXPECT_EQ(o.LandRegDate, 0);
    EXPECT_EQ(o.ObjectCode, 0);
}

TEST(ConstructionDeduct, ObjectSectionHoldsItsValuesInOrder)
{
    mTConstructionDeductObj o;
    o.ObjectCode = 2;
    o.AcquisitionMethod = 1;
    o.OwnerSign = 3;
    o.DwellingRegDate = 44200;
    o.ActDate = 44100.5;
    o.LandRegDate = 0;
    o.ShareNumerator = 1;
    o.ShareDenominator = 2;
    o.ByInvestment = 1;
    o.Cost = money(2000000);
    o.InterestPaid = money(150000.25L);
    o.ActualExpense = money(99); // not saved
    o.PreShareMarker = -1;       // not saved
    o.ObjectNumberKind = 1;
    o.ObjectNumber = "77:01:0001";
    o.ObjectLocation = "Москва";
    const std::string expected = "0025@ConstructionDeductObj001"
                                 "00012"         // object code
                                 "00011"         // acquisition method
                                 "00013"         // owner sign
                                 "000544200"     // dwelling registered
                                 "000744100.5"   // act of transfer
                                 "00010"         // land registered
                                 "00011" "00012" // share 1/2
                                 "00011"         // by investment
                                 "00010"         // not a pensioner
                                 "00072000000"
                                 "0009150000.25"
                                 "00011" // number kind
                                 "001077:01:0001"
                                 "0006\xCC\xEE\xF1\xEA\xE2\xE0"; // "Москва" in windows-1251
    const auto saved = [&] { return savedValues([&](mTDocumentStorage& s) { o.Save(s, 1); }); };
    EXPECT_EQ(saved(), expected);
    {
        CommaDecimalLocale comma;
        EXPECT_EQ(saved(), expected) << "under a decimal-comma locale";
    }
    EXPECT_EQ(o.StorageSize(1), expected.size());
}

TEST(ConstructionDeduct, RoundTripKeepsEverySavedField)
{
    mTConstructionDeduct original = everyFieldSet();
    original.GetObject(0)->ActualExpense = money(123);
    original.GetObject(0)->PreShareMarker = -1;
    mTConstructionDeduct loaded;
    roundTrip(original, loaded);

    EXPECT_EQ(loaded.GetObject(0)->ActualExpense, Currency()) << "computed, not saved";
    EXPECT_EQ(loaded.GetObject(0)->PreShareMarker, 0) << "computed, not saved";
    original.GetObject(0)->ActualExpense = Currency();
    original.GetObject(0)->PreShareMarker = 0;
    expectSameConstruction(loaded, original);
}

TEST(ConstructionDeduct, LoadReplacesTheObjectsItHeld)
{
    const mTConstructionDeduct original = everyFieldSet();
    mTConstructionDeduct loaded = everyFieldSet();
    loaded.AddObject(std::make_unique<mTConstructionDeductObj>(property(7)));
    roundTrip(original, loaded);
    expectSameConstruction(loaded, original);
}

TEST(ConstructionDeduct, NotGrantedWritesOnlyTheNameAndTheByteAndLoadsNothingElse)
{
    mTConstructionDeduct notGranted = everyFieldSet();
    notGranted.Granted = 0;
    EXPECT_EQ(savedSection(notGranted), "0019@ConstructionDeduct00010");
    EXPECT_EQ(notGranted.StorageSize(), 28u);

    mTConstructionDeduct loaded = everyFieldSet();
    roundTrip(mTConstructionDeduct{}, loaded);
    EXPECT_EQ(loaded.Granted, 0);
    loaded.Granted = 1;
    expectSameConstruction(loaded, everyFieldSet());
}

TEST(ConstructionDeduct, DeletingAnObjectRenumbersTheLaterOnes)
{
    mTConstructionDeduct d = everyFieldSet();
    d.DeleteObject(0);
    const std::string section = savedSection(d);
    EXPECT_NE(section.find("00011" "0025@ConstructionDeductObj000" "00013"), std::string::npos) << section;
    EXPECT_EQ(section.find("@ConstructionDeductObj001"), std::string::npos) << section;

    mTConstructionDeduct loaded;
    roundTrip(d, loaded);
    ASSERT_EQ(loaded.ObjectCount(), 1u);
    EXPECT_EQ(*loaded.GetObject(0), property(1));
}

TEST(ConstructionDeduct, ReplacingAnObjectInItsCellFreesTheOldOne)
{
    mTConstructionDeduct d = everyFieldSet();
    d.GetObject(1) = std::make_unique<mTConstructionDeductObj>(property(5));
    EXPECT_EQ(d.ObjectCount(), 2u);
    EXPECT_EQ(*d.GetObject(1), property(5));
}

TEST(ConstructionDeduct, ObjectIndexOutsideTheListIsRefused)
{
    mTConstructionDeduct d = everyFieldSet();
    EXPECT_THROW(d.GetObject(2), std::out_of_range);
    EXPECT_THROW(std::as_const(d).GetObject(2), std::out_of_range);
    EXPECT_THROW(d.DeleteObject(2), std::out_of_range);
    EXPECT_EQ(d.ObjectCount(), 2u);
}

TEST(ConstructionDeduct, ObjectSectionsWidenPastNineHundredNinetyNine)
{
    const mTConstructionDeductObj o;
    EXPECT_EQ(savedValues([&](mTDocumentStorage& s) { o.Save(s, 999); }).substr(0, 29),
              "0025@ConstructionDeductObj999");
    EXPECT_EQ(savedValues([&](mTDocumentStorage& s) { o.Save(s, 1000); }).substr(0, 30),
              "0026@ConstructionDeductObj1000");

    mTConstructionDeduct many;
    many.Granted = 1;
    for (int i = 0; i <= 1000; ++i)
        many.AddObject(std::make_unique<mTConstructionDeductObj>(property(i)));
    mTConstructionDeduct loaded;
    roundTrip(many, loaded);
    expectSameConstruction(loaded, many);
}

TEST(ConstructionDeduct, MoreObjectsThanTheFileCanCountAreRefused)
{
    mTConstructionDeduct d;
    d.Granted = 1;
    for (int i = 0; i < 65536; ++i)
        d.AddObject(std::make_unique<mTConstructionDeductObj>());
    try {
        d.StorageSize();
        FAIL() << "65536 objects sized";
    } catch (const mEWriteStorage& e) {
        EXPECT_EQ(e.OuterCode, 385);
    }
}

TEST(ConstructionDeduct, StorageSizeIsTheNumberOfBytesSaved)
{
    const mTConstructionDeduct fresh;
    mTConstructionDeduct emptyTexts;
    emptyTexts.Granted = 1;
    emptyTexts.AddObject(std::make_unique<mTConstructionDeductObj>());
    const mTConstructionDeduct full = everyFieldSet();
    mTConstructionDeduct negative = everyFieldSet();
    negative.PrevYearsDeduction = money(-1999999.9999L);
    negative.GetObject(1)->Cost = money(-0.0001L);
    struct Case {
        const char* name;
        const mTConstructionDeduct* d;
    } const cases[] = {
        {"new", &fresh},
        {"granted, empty object", &emptyTexts},
        {"every field", &full},
        {"negative sums", &negative},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.d->StorageSize(), savedSection(*c.d).size()) << c.name;
}

TEST(ConstructionDeduct, FailuresCarryTheObjectsOuterCode)
{
    ReadOnlyStorage readOnly;
    expectStorageFailure<mEWriteStorage>([&] { everyFieldSet().Save(readOnly.get()); }, 81, 385);
    expectStorageFailure<mEWriteStorage>([&] { property(0).Save(readOnly.get(), 0); }, 81, 397);

    // The second object's section is missing.
    std::string bytes = savedContainer([](mTDocumentStorage& s) { everyFieldSet().Save(s); });
    bytes.replace(bytes.find("@ConstructionDeductObj001"), 25, "@ConstructionDeductObx001");
    mTConstructionDeductObj o;
    expectStorageFailure<mEOpenStream>([&] { loadContainer(bytes, [&](mTDocumentStorage& s) { o.Load(s, 1); }); },
                                       210, 398);
    mTConstructionDeduct d;
    expectStorageFailure<mEOpenStream>([&] { loadContainer(bytes, [&](mTDocumentStorage& s) { d.Load(s); }); },
                                       210, 386);
}

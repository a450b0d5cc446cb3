#include "model/CBDeduct.h"

#include <gtest/gtest.h>

#include "CommaDecimalLocale.h"
#include "DeductionTestSupport.h"

namespace {

Currency money(long double roubles) { return Currency::fromRoubles(roubles); }

mTCBDeduct grantedLosses()
{
    mTCBDeduct d;
    d.Granted = 1;
    d.LossSecurities = money(100);
    d.LossSecuritiesIIS = money(-0.0001L);
    d.LossDerivatives = money(1234.5L);
    d.LossDerivativesIIS = money(0);
    d.LossPartnership = money(7);
    d.LossPartnershipIIS = money(12.3456L);
    return d;
}

std::string savedSection(const mTCBDeduct& d)
{
    return savedValues([&](mTDocumentStorage& s) { d.Save(s); });
}

} // namespace

TEST(CBDeduct, WritesTheOutsideLossesBeforeTheAccountLosses)
{
    const std::string expected = "0009@CBDeduct"
                                 "00011"
                                 "0003100"      // securities
                                 "00061234.5"   // derivatives
                                 "00017"        // partnership
                                 "0007-0.0001"  // securities within an account
                                 "00010"        // derivatives within an account
                                 "000712.3456"; // partnership within an account
    const mTCBDeduct d = grantedLosses();
    EXPECT_EQ(savedSection(d), expected);
    {
        CommaDecimalLocale comma;
        EXPECT_EQ(savedSection(d), expected) << "under a decimal-comma locale";
    }
    EXPECT_EQ(d.StorageSize(), expected.size());
}

TEST(CBDeduct, RoundTripKeepsEveryField)
{
    const mTCBDeduct original = grantedLosses();
    mTCBDeduct loaded;
    roundTrip(original, loaded);
    EXPECT_EQ(loaded, original);
}

TEST(CBDeduct, NotGrantedWritesOnlyTheNameAndTheByteAndLoadsNothingElse)
{
    mTCBDeduct notGranted = grantedLosses();
    notGranted.Granted = 0;
    EXPECT_EQ(savedSection(notGranted), "0009@CBDeduct00010");
    EXPECT_EQ(notGranted.StorageSize(), 18u);

    mTCBDeduct loaded = grantedLosses();
    loaded.LossSecurities = money(5);
    const mTCBDeduct before = loaded;
    roundTrip(mTCBDeduct{}, loaded);
    EXPECT_EQ(loaded.Granted, 0);
    loaded.Granted = before.Granted;
    EXPECT_EQ(loaded, before) << "the losses keep what the object held";
}

TEST(CBDeduct, FailuresCarryTheObjectsOuterCode)
{
    ReadOnlyStorage readOnly;
    expectStorageFailure<mEWriteStorage>([&] { grantedLosses().Save(readOnly.get()); }, 81, 395);

    const std::string noSection = savedContainer([](mTDocumentStorage& s) { s.WriteStreamName("@Other"); });
    mTCBDeduct d;
    expectStorageFailure<mEOpenStream>([&] { loadContainer(noSection, [&](mTDocumentStorage& s) { d.Load(s); }); },
                                       210, 396);
}

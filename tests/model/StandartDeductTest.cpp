#include "model/StandartDeduct.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

#include "CommaDecimalLocale.h"
#include "DeductionTestSupport.h"

namespace {

Currency money(long double roubles) { return Currency::fromRoubles(roubles); }

std::string savedSection(const mTStandartDeduct& d)
{
    return savedValues([&](mTDocumentStorage& s) { d.Save(s); });
}

// Every saved field differs from its default. Only what the flags let into the file is set:
// the month counts of the rows that change during the year, the year count of the other.
mTStandartDeduct everyBlockSaved()
{
    mTStandartDeduct d;
    d.Granted = 1;
    d.PersonalCode = 110;
    d.ParentStatus = 103;
    for (std::uint8_t i = 0; i < 12; ++i) {
        d.SetChildCount(i, 1 + i % 3);
        d.SetThirdChildCount(i, i / 6);
        d.MonthIncome[i] = money(1000.5L * (i + 1));
        d.MonthExpense[i] = money(-12.3456L * (i + 1));
        d.BusinessMonth[i] = i % 2;
        d.MonthPersonalCode[i] = i % 3;
        d.MonthParentStatus[i] = 1 - i % 2;
    }
    d.SetDisabledChildCountConst(2);
    d.HasBusinessMonths = 1;
    d.HasMonthPersonalCodes = 1;
    d.HasMonthParentStatus = 1;
    d.Guardian = 1;
    return d;
}

} // namespace

TEST(StandartDeduct, StartsWithTheDefaultCodesAndConstantRows)
{
    const mTStandartDeduct d;
    EXPECT_EQ(d.Granted, 0);
    EXPECT_EQ(d.PersonalCode, 103);
    EXPECT_EQ(d.ParentStatus, 101);
    for (const mTChildrenRow* row : {&d.Children, &d.DisabledChildren, &d.ThirdChildren})
        EXPECT_EQ(row->ConstCount, 1);
}

TEST(StandartDeduct, NewObjectSavesOnlyTheNameAndTheGrantingByte)
{
    const mTStandartDeduct fresh;
    EXPECT_EQ(savedSection(fresh), "0015@StandartDeduct00010");
    EXPECT_EQ(fresh.StorageSize(), 24u);
}

TEST(StandartDeduct, ThirdChildrenRowFollowsTheMonthlyBlocks)
{
    mTStandartDeduct d;
    d.Granted = 1;
    d.PersonalCode = 104;
    d.ParentStatus = 102;
    d.SetChildCountConst(2);
    d.SetThirdChildCountConst(1);
    d.Guardian = 1;
    const std::string expected = "0015@StandartDeduct"
                                 "00011"
                                 "0003104"
                                 "0003102"
                                 "00011" "00012" // children: constant, 2
                                 "00011" "00010" // disabled children: constant, 0
                                 "00010"         // no business months
                                 "00010"         // no month codes
                                 "00010"         // no month statuses
                                 "00011" "00011" // third children: constant, 1
                                 "00011";        // guardian
    EXPECT_EQ(savedSection(d), expected);
    {
        CommaDecimalLocale comma;
        EXPECT_EQ(savedSection(d), expected) << "under a decimal-comma locale";
    }
}

TEST(StandartDeduct, RoundTripKeepsEverySavedField)
{
    const mTStandartDeduct original = everyBlockSaved();
    mTStandartDeduct loaded;
    roundTrip(original, loaded);
    EXPECT_EQ(loaded, original);
}

TEST(StandartDeduct, ValuesLeftOutByAFlagKeepWhatTheObjectHeld)
{
    mTStandartDeduct stored;
    stored.Granted = 1;
    stored.SetChildCountConst(3);

    mTStandartDeduct loaded = everyBlockSaved();
    const mTStandartDeduct before = loaded;
    roundTrip(stored, loaded);

    EXPECT_EQ(loaded.Children.ConstCount, 1);
    EXPECT_EQ(loaded.Children.YearCount, 3);
    for (std::uint8_t i = 0; i < 12; ++i)
        EXPECT_EQ(loaded.GetChildCount(i), before.GetChildCount(i)) << "month index " << int(i);
    EXPECT_EQ(loaded.HasBusinessMonths, 0);
    EXPECT_EQ(loaded.MonthIncome, before.MonthIncome);
    EXPECT_EQ(loaded.MonthExpense, before.MonthExpense);
    EXPECT_EQ(loaded.BusinessMonth, before.BusinessMonth);
    EXPECT_EQ(loaded.MonthPersonalCode, before.MonthPersonalCode);
    EXPECT_EQ(loaded.MonthParentStatus, before.MonthParentStatus);
}

TEST(StandartDeduct, NotGrantedLoadsNothingElse)
{
    mTStandartDeduct loaded = everyBlockSaved();
    const mTStandartDeduct before = loaded;
    roundTrip(mTStandartDeduct{}, loaded);
    EXPECT_EQ(loaded.Granted, 0);
    loaded.Granted = before.Granted;
    EXPECT_EQ(loaded, before);
}

TEST(StandartDeduct, MonthCountsClearTheConstantFlagAndYearCountsSetIt)
{
    using Row = mTChildrenRow mTStandartDeduct::*;
    using SetMonth = void (mTStandartDeduct::*)(std::uint8_t, std::int32_t);
    using SetConst = void (mTStandartDeduct::*)(std::int32_t);
    using GetMonth = std::int32_t (mTStandartDeduct::*)(std::uint8_t) const;
    struct Case {
        const char* name;
        Row row;
        SetMonth setMonth;
        SetConst setConst;
        GetMonth getMonth;
    } const cases[] = {
        {"children", &mTStandartDeduct::Children, &mTStandartDeduct::SetChildCount,
         &mTStandartDeduct::SetChildCountConst, &mTStandartDeduct::GetChildCount},
        {"disabled", &mTStandartDeduct::DisabledChildren, &mTStandartDeduct::SetDisabledChildCount,
         &mTStandartDeduct::SetDisabledChildCountConst, &mTStandartDeduct::GetDisabledChildCount},
        {"third", &mTStandartDeduct::ThirdChildren, &mTStandartDeduct::SetThirdChildCount,
         &mTStandartDeduct::SetThirdChildCountConst, &mTStandartDeduct::GetThirdChildCount},
    };
    for (const Case& c : cases) {
        mTStandartDeduct d;
        (d.*c.setMonth)(11, 4);
        EXPECT_EQ((d.*c.row).ConstCount, 0) << c.name;
        EXPECT_EQ((d.*c.getMonth)(11), 4) << c.name;

        (d.*c.setConst)(2);
        EXPECT_EQ((d.*c.row).ConstCount, 1) << c.name;
        EXPECT_EQ((d.*c.row).YearCount, 2) << c.name;
        EXPECT_EQ((d.*c.getMonth)(11), 4) << c.name << ": the month counts stay";
    }
}

TEST(StandartDeduct, MonthNumbersRunFromOneToTwelve)
{
    mTStandartDeduct d;
    d.SetMonthIncome(1, money(10));
    d.SetMonthExpense(12, money(20));
    d.SetMonthPersonalCode(12, 2);
    d.SetMonthSingleParent(1, 1);
    d.SetBusinessMonth(11, 1);
    EXPECT_EQ(d.MonthIncome[0], money(10));
    EXPECT_EQ(d.MonthExpense[11], money(20));
    EXPECT_EQ(d.MonthPersonalCode[11], 2);
    EXPECT_EQ(d.MonthParentStatus[0], 1);
    EXPECT_EQ(d.BusinessMonth[11], 1);
    EXPECT_EQ(d.GetMonthIncome(1), money(10));
    EXPECT_EQ(d.GetMonthExpense(12), money(20));
    EXPECT_EQ(d.GetMonthPersonalCode(12), 2);
    EXPECT_EQ(d.GetMonthSingleParent(1), 1);
    EXPECT_EQ(d.GetBusinessMonth(11), 1);
}

TEST(StandartDeduct, MonthsOutsideTheYearAreRefused)
{
    mTStandartDeduct d;
    struct Case {
        const char* name;
        std::function<void()> call;
    } const cases[] = {
        {"GetChildCount(12)", [&] { d.GetChildCount(12); }},
        {"SetChildCount(12)", [&] { d.SetChildCount(12, 1); }},
        {"GetDisabledChildCount(12)", [&] { d.GetDisabledChildCount(12); }},
        {"SetDisabledChildCount(255)", [&] { d.SetDisabledChildCount(255, 1); }},
        {"GetThirdChildCount(12)", [&] { d.GetThirdChildCount(12); }},
        {"SetThirdChildCount(12)", [&] { d.SetThirdChildCount(12, 1); }},
        {"GetBusinessMonth(12)", [&] { d.GetBusinessMonth(12); }},
        {"SetBusinessMonth(12)", [&] { d.SetBusinessMonth(12, 1); }},
        {"GetMonthIncome(0)", [&] { d.GetMonthIncome(0); }},
        {"SetMonthIncome(13)", [&] { d.SetMonthIncome(13, money(1)); }},
        {"GetMonthExpense(13)", [&] { d.GetMonthExpense(13); }},
        {"SetMonthExpense(0)", [&] { d.SetMonthExpense(0, money(1)); }},
        {"GetMonthPersonalCode(0)", [&] { d.GetMonthPersonalCode(0); }},
        {"SetMonthPersonalCode(13)", [&] { d.SetMonthPersonalCode(13, 1); }},
        {"GetMonthSingleParent(13)", [&] { d.GetMonthSingleParent(13); }},
        {"SetMonthSingleParent(0)", [&] { d.SetMonthSingleParent(0, 1); }},
    };
    for (const Case& c : cases)
        EXPECT_THROW(c.call(), std::out_of_range) << c.name;
    EXPECT_EQ(d, mTStandartDeduct{}) << "a refused call changes nothing";
}

TEST(StandartDeduct, StorageSizeIsTheNumberOfBytesSaved)
{
    mTStandartDeduct negative = everyBlockSaved();
    negative.MonthIncome.fill(money(-99999999.9999L));
    mTStandartDeduct onlyMonths = everyBlockSaved();
    onlyMonths.HasBusinessMonths = 0;
    onlyMonths.SetDisabledChildCount(0, 7);
    struct Case {
        const char* name;
        mTStandartDeduct d;
    } const cases[] = {
        {"new", mTStandartDeduct{}},
        {"every block", everyBlockSaved()},
        {"negative incomes", negative},
        {"month counts, no business months", onlyMonths},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.d.StorageSize(), savedSection(c.d).size()) << c.name;
}

TEST(StandartDeduct, FailuresCarryTheObjectsOuterCode)
{
    ReadOnlyStorage readOnly;
    expectStorageFailure<mEWriteStorage>([&] { everyBlockSaved().Save(readOnly.get()); }, 81, 381);

    // The section breaks off after the personal code.
    const std::string truncated = savedContainer([](mTDocumentStorage& s) {
        s.WriteStreamName("@StandartDeduct");
        s.WriteByte(1);
        s.WriteInteger(104);
    });
    mTStandartDeduct d;
    expectStorageFailure<mEBadStorage>([&] { loadContainer(truncated, [&](mTDocumentStorage& s) { d.Load(s); }); },
                                       103, 382);
}

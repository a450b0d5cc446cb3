#include "model/Currency.h"

#include <gtest/gtest.h>

#include <limits>
#include <stdexcept>

TEST(Currency, StoresRoundToNearestUnitWithHalvesToEven)
{
    struct Case {
        long double roubles;
        std::int64_t units;
    } const cases[] = {
        {1.0L, 10000},          {0.00005L, 0},          {0.00015L, 2},
        {-0.00015L, -2},        {0.000149L, 1},         {1234.56785L, 12345678},
        {1234.56795L, 12345680}, {-1234.56785L, -12345678},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Currency::fromRoubles(c.roubles).units(), c.units) << double(c.roubles);
}

TEST(Currency, ProductsRoundOnStore)
{
    EXPECT_EQ((Currency::fromWholeRoubles(50) * 0.13L).units(), 65000);
    EXPECT_EQ((Currency::fromUnits(1) * 0.5L).units(), 0);  // half of a unit goes to even 0
    EXPECT_EQ((Currency::fromUnits(3) * 0.5L).units(), 2);  // 1.5 units go to 2
    EXPECT_EQ((Currency::fromWholeRoubles(100) / 3.0L).units(), 333333);
}

TEST(Currency, OutOfRangeIsAnError)
{
    EXPECT_THROW(Currency::fromRoubles(1e16L), std::overflow_error);
    EXPECT_THROW(Currency::fromRoubles(-1e16L), std::overflow_error);
}

// Sums of amounts read from a damaged file, or typed beyond any real figure, must not wrap
// around into a small or negative amount.
TEST(Currency, SumsBeyondTheRangeAreAnErrorAndChangeNothing)
{
    const Currency largest = Currency::fromUnits(std::numeric_limits<std::int64_t>::max());
    const Currency smallest = Currency::fromUnits(std::numeric_limits<std::int64_t>::min());
    const Currency unit = Currency::fromUnits(1);

    Currency total = largest;
    EXPECT_THROW(total += unit, std::overflow_error);
    EXPECT_EQ(total, largest);
    total = smallest;
    EXPECT_THROW(total -= unit, std::overflow_error);
    EXPECT_EQ(total, smallest);
    EXPECT_THROW(largest + largest, std::overflow_error);
    EXPECT_THROW(smallest - largest, std::overflow_error);
    EXPECT_THROW(-smallest, std::overflow_error);
    EXPECT_THROW(Currency::fromWholeRoubles(std::numeric_limits<std::int64_t>::max() / 10000 + 1), std::overflow_error);

    EXPECT_EQ((largest - unit + unit), largest);
    EXPECT_EQ(-largest, smallest + unit);
    EXPECT_EQ(Currency::fromWholeRoubles(-922'337'203'685'477).units(), -9'223'372'036'854'770'000);
}

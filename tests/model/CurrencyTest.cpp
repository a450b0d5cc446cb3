#include "model/Currency.h"

#include <gtest/gtest.h>

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

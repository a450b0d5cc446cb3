#include "computation/TaxArithmetic.h"

#include <cstdint>
#include <limits>
#include <stdexcept>

#include <gtest/gtest.h>

#include "ComputationTestSupport.h"

namespace {

struct TaxCase {
    const char* name;
    Currency base;
    TaxRate rate;
    Currency tax;
};

TEST(TaxArithmetic, TaxAtRateRoundsHalfARoubleUp)
{
    const TaxCase cases[] = {
        {"13 % of 50 is 6.50", rub(50), Rate13, rub(7)},
        {"15 % of 6 670 is 1 000.50", rub(6670), Rate15, rub(1001)},
        {"13 % of 46.15 is 5.9995", rub(46.15), Rate13, rub(6)},
        {"13 % of 3.80 is 0.494", rub(3.80), Rate13, rub(0)},
        {"13 % of 1 234 567.89 is 160 493.8257", rub(1234567.89), Rate13, rub(160494)},
        {"35 % of 0.01", rub(0.01), Rate35, rub(0)},
        {"30 % of 100 000.0001", Currency::fromUnits(1'000'000'001), Rate30, rub(30000)},
        {"9 % of 5 555.55 is 499.9995", rub(5555.55), Rate9, rub(500)},
        {"5 % of 10 is 0.50", rub(10), Rate5, rub(1)},
        {"10 % of 4.99 is 0.499", rub(4.99), Rate10, rub(0)},
        {"no base", Currency(), Rate13, Currency()},
        {"a negative product is cut toward zero", rub(-50), Rate13, rub(-6)},
        // 90 000 000 000 000 roubles: the product in 1/10^8 rouble overflows 64 bits.
        {"huge base", rub(90'000'000'000'000), Rate13, rub(11'700'000'000'000)},
    };
    for (const TaxCase& c : cases)
        EXPECT_EQ(TaxAtRate(c.base, c.rate), c.tax) << c.name;
}

TEST(TaxArithmetic, TaxAtRatesRoundsTheSumOnce)
{
    // 0.13 * 0.50 + 0.15 * 0.30 = 0.065 + 0.045 = 0.11: nothing, though the parts alone are 0.
    EXPECT_EQ(TaxAtRates(rub(0.5), Rate13, rub(0.3), Rate15), rub(0));
    // 0.13 * 3.50 + 0.15 * 0.30 = 0.455 + 0.045 = 0.50: one rouble.
    EXPECT_EQ(TaxAtRates(rub(3.5), Rate13, rub(0.3), Rate15), rub(1));
    EXPECT_EQ(TaxAtRates(rub(5'000'000), Rate13, rub(1'000'000), Rate15), rub(800'000));
}

TEST(TaxArithmetic, BaseOfTaxIsTheIncomeThatTheTaxStandsFor)
{
    const TaxCase cases[] = {
        {"130 at 13 %", rub(130), Rate13, rub(1000)},
        {"1 at 13 % is 7.69", rub(1), Rate13, rub(8)},
        {"0.065 at 13 % is 0.50", rub(0.065), Rate13, rub(1)},
        {"0.064 at 13 % is 0.4923", rub(0.064), Rate13, rub(0)},
        {"150 at 15 %", rub(150), Rate15, rub(1000)},
        {"nothing", Currency(), Rate15, Currency()},
    };
    for (const TaxCase& c : cases)
        EXPECT_EQ(BaseOfTax(c.base, c.rate), c.tax) << c.name;
}

// The largest amount there is: 922 337 203 685 477.5807 roubles.
const Currency Largest = Currency::fromUnits(std::numeric_limits<std::int64_t>::max());

TEST(TaxArithmetic, PercentOfRoundsHalfAKopeckUpAndHoldsTheLargestAmounts)
{
    struct Case {
        const char* name;
        Currency amount;
        int percent;
        Currency share;
    };
    const Case cases[] = {
        // Exact, not a binary neighbour of it.
        {"20 % of 1 000.05 is 200.01", rub(1000.05), 20, rub(200.01)},
        {"40 % of 999 999 999 999.99 is 399 999 999 999.996", rub(999'999'999'999.99L), 40, rub(400'000'000'000)},
        {"20 % of 0.02 is 0.004", rub(0.02), 20, Currency()},
        {"20 % of 0.03 is 0.006", rub(0.03), 20, rub(0.01)},
        {"a negative share is cut toward zero", rub(-0.03), 20, Currency()},
        // 20 % of the largest amount: 184 467 440 737 095.5161, though the kopecks of the whole
        // amount lie beyond the range.
        {"20 % of the largest amount", Largest, 20, Currency::fromUnits(1'844'674'407'370'955'200)},
        {"the whole of the largest amount", Largest, 100, Currency::fromUnits(9'223'372'036'854'775'800)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(percentOf(c.amount, c.percent), c.share) << c.name;
}

TEST(TaxArithmetic, ARoundedRatioBeyondTheRangeRaisesTheAmountsError)
{
    EXPECT_THROW(RoundedKopecksOfRatio(__int128(Largest.units()) * 2, 100), std::overflow_error);
    EXPECT_THROW(RoundedRoublesOfRatio(__int128(Largest.units()) * 2, Currency::UnitsPerRouble), std::overflow_error);
    EXPECT_THROW(percentOf(Largest, 101), std::overflow_error);
}

} // namespace

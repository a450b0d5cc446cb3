#include "model/SplitByShares.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <random>

namespace {

Currency roubles(long double amount)
{
    return Currency::fromRoubles(amount);
}

// Rows 1, 2, ... with the given NetSum (IncomeSum and DeductionSum set to show they pass through).
ShareTable rowsWithNetSums(std::initializer_list<long double> netSums)
{
    ShareTable rows{};
    std::size_t i = 0;
    for (long double net : netSums) {
        rows[i].IncomeSum = roubles(net + 7);
        rows[i].DeductionSum = roubles(7);
        rows[i].NetSum = roubles(net);
        ++i;
    }
    return rows;
}

Currency sumOfShares(const ShareTable& rows)
{
    Currency sum;
    for (const ShareRow& row : rows)
        sum += row.Share;
    return sum;
}

void expectShares(const ShareTable& rows, std::initializer_list<long double> shares)
{
    std::size_t i = 0;
    for (long double share : shares) {
        EXPECT_EQ(rows[i].Share, roubles(share)) << "row " << i + 1;
        ++i;
    }
    for (; i < rows.size(); ++i)
        EXPECT_EQ(rows[i].Share, Currency()) << "row " << i + 1;
}

void expectWeightsUnchanged(const ShareTable& before, const ShareTable& after)
{
    for (std::size_t i = 0; i < before.size(); ++i) {
        EXPECT_EQ(after[i].IncomeSum, before[i].IncomeSum) << "row " << i + 1;
        EXPECT_EQ(after[i].DeductionSum, before[i].DeductionSum) << "row " << i + 1;
        EXPECT_EQ(after[i].NetSum, before[i].NetSum) << "row " << i + 1;
    }
}

} // namespace

TEST(SplitByShares, SplitsWholeRoublesByLargestRemainders)
{
    struct Case {
        const char* name;
        ShareTable rows;
        long double amount;
        std::initializer_list<long double> shares;
    } const cases[] = {
        // 333.33 each, truncated 333; the one rouble left goes to the lowest row of the tie.
        {"three equal rows", rowsWithNetSums({1, 1, 1}), 1000.00, {334, 333, 333}},
        // 50.30 each; Round(100.60) = 101 leaves one rouble for row 1.
        {"kopecks round up", rowsWithNetSums({5, 5}), 100.60, {51, 50}},
        // 50.25 each; Round(100.50) = 100 (half to even): nothing left over.
        {"half to even down", rowsWithNetSums({5, 5}), 100.50, {50, 50}},
        // 50.75 each; Round(101.50) = 102: both rows get one more.
        {"half to even up", rowsWithNetSums({5, 5}), 101.50, {51, 51}},
        // 2/7, 1/7, 4/7 of 100: 28.57, 14.29, 57.14; the largest remainder (.57) is row 1.
        {"largest remainder wins", rowsWithNetSums({2, 1, 4}), 100, {29, 14, 57}},
        // Row 2 has no net income and takes no part.
        {"non-positive rows skipped", rowsWithNetSums({1, 0, 1, -5}), 10, {5, 0, 5, 0}},
        {"zero amount", rowsWithNetSums({1, 2}), 0, {0, 0}},
        // Truncation toward zero, then the remaining rouble is taken from the row of the
        // largest negative fraction: the mirror image of the positive split.
        {"negative amount", rowsWithNetSums({1, 1, 1}), -1000.00, {-334, -333, -333}},
        {"negative kopecks", rowsWithNetSums({5, 5}), -100.60, {-51, -50}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const ShareTable result = SplitByShares(c.rows, roubles(c.amount));
        expectShares(result, c.shares);
        expectWeightsUnchanged(c.rows, result);
    }
}

TEST(SplitByShares, KeepsTheFractionOfRowsThatTookNoExtraRouble)
{
    const ShareTable result = SplitByShares(rowsWithNetSums({1, 1, 1}), roubles(1000));
    EXPECT_EQ(result[0].Fraction, Currency());
    EXPECT_EQ(result[1].Fraction, roubles(0.3333));
    EXPECT_EQ(result[2].Fraction, roubles(0.3333));
}

TEST(SplitByShares, SingleRowTakesTheWholeAmountWithKopecks)
{
    ShareTable rows = rowsWithNetSums({0, 250});
    rows[1].Fraction = roubles(0.77);
    rows[0].Share = roubles(3);

    const ShareTable result = SplitByShares(rows, roubles(123.45));
    EXPECT_EQ(result[1].Share, roubles(123.45));
    EXPECT_EQ(result[1].Fraction, roubles(0.77));
    EXPECT_EQ(result[0].Share, roubles(3)) << "a row that takes no part keeps what it had";
    expectWeightsUnchanged(rows, result);
}

TEST(SplitByShares, FullyOffsetRowsShareTheAmountByIncome)
{
    // Every row's deductions cover its income, so no NetSum is positive.
    ShareTable rows{};
    rows[0].IncomeSum = roubles(300);
    rows[0].DeductionSum = roubles(300);
    rows[2].IncomeSum = roubles(100);
    rows[2].DeductionSum = roubles(400);
    rows[4].IncomeSum = roubles(-10);

    // 750.375 and 250.125; Round(1000.50) = 1000.
    ShareTable result = SplitByShares(rows, roubles(1000.50));
    expectShares(result, {750, 0, 250});
    expectWeightsUnchanged(rows, result);

    // 750.75 and 250.25: the rouble left goes to the larger remainder.
    result = SplitByShares(rows, roubles(1001));
    expectShares(result, {751, 0, 250});

    rows[2].IncomeSum = Currency();
    result = SplitByShares(rows, roubles(1000.50));
    expectShares(result, {1000.50});
}

TEST(SplitByShares, NothingToShareByLeavesTheRowsAsGiven)
{
    ShareTable rows{};
    rows[3].IncomeSum = roubles(-5);
    rows[3].Share = roubles(2);
    rows[3].Fraction = roubles(0.5);
    const ShareTable result = SplitByShares(rows, roubles(100));
    EXPECT_EQ(result[3].Share, roubles(2));
    EXPECT_EQ(result[3].Fraction, roubles(0.5));
    EXPECT_EQ(sumOfShares(result) - result[3].Share, Currency());
}

TEST(SplitByShares, RowsOutsideTheSplitNeitherCountNorTakeTheRemainder)
{
    ShareTable rows = rowsWithNetSums({1, 1, 0});
    rows[2].Share = roubles(40);
    rows[2].Fraction = roubles(0.9);

    // 50.30 each: the rouble left goes to row 1 although row 3 carries a larger fraction.
    const ShareTable result = SplitByShares(rows, roubles(100.60));
    expectShares(result, {51, 50, 40});
    EXPECT_EQ(result[2].Fraction, roubles(0.9));
}

TEST(SplitByShares, SharesAlwaysAddUpToTheRoundedAmount)
{
    std::mt19937_64 random(2021);
    std::uniform_int_distribution<int> rowCount(2, 25);
    std::uniform_int_distribution<std::int64_t> weightUnits(-1'000'000, 10'000'000'000);
    std::uniform_int_distribution<std::int64_t> amountUnits(-100'000'000'000, 100'000'000'000);
    std::bernoulli_distribution allOffset(0.2);

    for (int run = 0; run < 5000; ++run) {
        ShareTable rows{};
        const int count = rowCount(random);
        const bool offset = allOffset(random);
        for (int i = 0; i < count; ++i) {
            const Currency weight = Currency::fromUnits(std::max<std::int64_t>(weightUnits(random), 0));
            rows[random() % 25] = offset ? ShareRow{weight, weight, {}, {}, {}} : ShareRow{{}, {}, weight, {}, {}};
        }
        const auto positive = std::count_if(rows.begin(), rows.end(), [&](const ShareRow& row) {
            return (offset ? row.IncomeSum : row.NetSum) > Currency();
        });
        if (positive < 2)
            continue;
        const Currency amount = Currency::fromUnits(amountUnits(random));
        SCOPED_TRACE(testing::Message() << "run " << run << ", amount " << amount.units() << " units");

        const ShareTable result = SplitByShares(rows, amount);

        // Independent of the implementation's rounding helper: nearest rouble, halves to even.
        const auto rounded = static_cast<std::int64_t>(std::nearbyint(amount.units() / 10000.0L));
        EXPECT_EQ(sumOfShares(result), Currency::fromWholeRoubles(rounded));

        long double totalWeight = 0;
        for (const ShareRow& row : rows)
            totalWeight += (offset ? row.IncomeSum : row.NetSum).units();
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const Currency weight = offset ? rows[i].IncomeSum : rows[i].NetSum;
            const Currency share = result[i].Share;
            EXPECT_EQ(share.units() % Currency::UnitsPerRouble, 0) << "row " << i + 1;
            if (amount > Currency()) {
                EXPECT_GE(share, Currency()) << "row " << i + 1;
            } else {
                EXPECT_LE(share, Currency()) << "row " << i + 1;
            }
            // Largest remainders move each share by less than one rouble from its exact part.
            const long double exact = amount.roubles() * weight.units() / totalWeight;
            EXPECT_LT(std::fabs(share.roubles() - exact), 1.0L) << "row " << i + 1;
        }
    }
}

#include "pages/deductions/InvestmentAccountRules.h"

#include <cstdint>
#include <initializer_list>
#include <limits>

#include <gtest/gtest.h>

#include "model/InvDeduct.h"

namespace {

Currency kopecks(std::int64_t count)
{
    return Currency::fromUnits(count * (Currency::UnitsPerRouble / 100));
}

// The contributions of the year count up to 400 000 roubles together, over all accounts.
TEST(InvestmentAccountRules, ContributionsAboveTheYearsLimitAreRefused)
{
    const struct {
        const char* name;
        bool granted;
        std::initializer_list<Currency> paidIn;
        bool refused;
    } cases[] = {
        {"no accounts", true, {}, false},
        {"one account at the limit", true, {kopecks(40'000'000)}, false},
        {"one account a kopeck above", true, {kopecks(40'000'001)}, true},
        {"two accounts at the limit together", true, {kopecks(30'000'000), kopecks(10'000'000)}, false},
        {"two accounts a kopeck above together", true, {kopecks(30'000'000), kopecks(10'000'001)}, true},
        {"above the limit, the deduction not claimed", false, {kopecks(50'000'000)}, false},
        // Together more than an amount holds: over the limit too, not the end of the program.
        {"two accounts adding up beyond the range", true,
         {Currency::fromUnits(std::numeric_limits<std::int64_t>::max()), kopecks(1)}, true},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        mTInvDeduct investment;
        investment.Granted = test.granted ? 1 : 0;
        for (const Currency paidIn : test.paidIn)
            investment.GetInfoIIS(investment.AddInfoIIS())->PaidIn = paidIn;
        const QString failure = accountsOverLimitFailure(investment);
        EXPECT_EQ(!failure.isEmpty(), test.refused);
        if (test.refused) {
            EXPECT_EQ(failure, QStringLiteral("Общая сумма денежных средств на ИИС, заявляемая к вычету не может "
                                              "превосходить 400 000 рублей"));
        }
    }
}

} // namespace

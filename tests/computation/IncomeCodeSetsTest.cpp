#include "computation/IncomeCodeSets.h"

#include <cstdint>
#include <set>

#include <gtest/gtest.h>

#include "model/IncomeKinds.h"

namespace {

// The set against the income kinds of the exchange format: it holds every income of kind 03
// (securities and derivatives), and besides them exactly four incomes the format counts under
// another kind.
TEST(IncomeCodeSets, SecuritiesIncomesAreTheIncomesOfKind03AndTheirNeighbours)
{
    std::set<std::int32_t> outsideKind03;
    for (const std::int32_t code : SecuritiesAndPartnershipIncomes) {
        if (IncomeKindCode(code) != 3)
            outsideKind03.insert(code);
    }
    EXPECT_EQ(outsideKind03, (std::set<std::int32_t>{1539, 1541, 1553, 1554}));
    for (std::int32_t code = 1000; code <= 9999; ++code) {
        if (IncomeKindCode(code) == 3) {
            EXPECT_TRUE(IsSecuritiesOrPartnershipIncome(code)) << code;
        }
    }
    EXPECT_FALSE(IsSecuritiesOrPartnershipIncome(1010)) << "dividends";
    EXPECT_FALSE(IsSecuritiesOrPartnershipIncome(0));
}

} // namespace

#include "computation/TaxYearFigures.h"

#include <gtest/gtest.h>

#include "ComputationTestSupport.h"

namespace {

// The figures the law states itself, against the derivations the header writes them as.
TEST(TaxYearFigures, DerivedFiguresAreTheLawsOwn)
{
    const struct {
        const char* name;
        Currency figure;
        Currency stated;
    } cases[] = {
        {"13 % tax of the 5 000 000 band", ThirteenPercentTaxCeiling, rub(650'000)},
        {"code 105 for a whole year", PersonalDeduction105Yearly, rub(36'000)},
        {"code 104 for a whole year", PersonalDeduction104Yearly, rub(6'000)},
        {"the fixed tax on a controlled company's fixed profit", FixedProfitTax, rub(5'000'000)},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        EXPECT_EQ(test.figure, test.stated);
    }
    EXPECT_EQ(FixedProfitRatePercent, 13);
}

} // namespace

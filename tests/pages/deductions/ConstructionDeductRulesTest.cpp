// The cost total the property deduction page shows is the cost the declaration counts.
#include "pages/deductions/ConstructionDeductRules.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "computation/Summary.h"
#include "model/DayDate.h"
#include "model/Declaration.h"

namespace {

struct Object {
    int year; // of the registration, or of the act of transfer for an object acquired by investment
    long long cost;
    int shareNumerator = 1;
    int shareDenominator = 1;
    bool byInvestment = false;
};

Currency roubles(long double amount)
{
    return Currency::fromRoubles(amount);
}

std::unique_ptr<mTConstructionDeductObj> makeObject(const Object& figures)
{
    auto object = std::make_unique<mTConstructionDeductObj>();
    const double counted = *encodeDate(figures.year, 6, 15);
    // The date that does not count is years off, so that a mix-up shows.
    const double other = *encodeDate(figures.year < 2014 ? 2020 : 2005, 6, 15);
    object->DwellingRegDate = figures.byInvestment ? other : counted;
    object->ActDate = figures.byInvestment ? counted : other;
    object->Cost = roubles(figures.cost);
    object->ShareNumerator = figures.shareNumerator;
    object->ShareDenominator = figures.shareDenominator;
    object->ByInvestment = figures.byInvestment ? 1 : 0;
    return object;
}

TEST(ConstructionDeductLimitTest, ThePageShowsTheCostTheDeclarationCounts)
{
    struct Case {
        const char* name;
        std::vector<Object> objects;
        long double cost; // worked by hand
    };
    const Case cases[] = {
        {"2007: 1,000,000", {{2007, 1'500'000}}, 1'000'000},
        {"2008: 2,000,000", {{2008, 2'500'000}}, 2'000'000},
        {"2008, below the limit", {{2008, 1'500'000}}, 1'500'000},
        {"2007, half: 1,000,000 x 1/2", {{2007, 1'500'000, 1, 2}}, 500'000},
        {"2008, half: 2,000,000 x 1/2", {{2008, 1'500'000, 1, 2}}, 1'000'000},
        {"2010, a third, half up to kopecks", {{2010, 2'000'000, 1, 3}}, 666'666.67},
        {"2016, half: the limit is the taxpayer's own", {{2016, 3'000'000, 1, 2}}, 2'000'000},
        {"by investment: the act of 2008 counts", {{2008, 1'800'000, 1, 1, true}}, 1'800'000},
        {"by investment: the act of 2007 counts", {{2007, 1'800'000, 1, 1, true}}, 1'000'000},
        {"an object of 2007 with the cost and one of 2021 for interest", {{2007, 1'500'000}, {2021, 0}}, 1'000'000},
        {"two objects of 2007 with costs share 2,000,000", {{2007, 1'500'000}, {2007, 1'200'000}}, 2'000'000},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        mTDeclaration decl;
        decl.ConstructionDeduct.Granted = 1;
        for (const Object& object : test.objects)
            decl.ConstructionDeduct.AddObject(makeObject(object));

        auto svod = std::make_unique<kTSvodSum>();
        svod->Clear();
        svod->Pril7.Calculate(decl, *svod);

        EXPECT_EQ(limitedTotalCost(decl.ConstructionDeduct), roubles(test.cost));
        EXPECT_EQ(limitedTotalCost(decl.ConstructionDeduct), svod->Pril7.CostTotal);
    }
}

} // namespace

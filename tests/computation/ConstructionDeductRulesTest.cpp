#include "computation/ConstructionDeductRules.h"

#include <cstddef>
#include <cstdint>
#include <vector>

#include <gtest/gtest.h>

#include "PropertyObjectFigures.h"

namespace {

TEST(ConstructionDeductRulesTest, WhenAnotherObjectMayBeAdded)
{
    struct Case {
        const char* title;
        std::vector<ObjectFigures> objects;
        bool canAdd;
    };
    const Case cases[] = {
        {"no object", {}, true},
        {"objects from 2014", {{.registrationYear = 2014, .transferYear = 2014}, {}}, true},
        {"one of 2012 without interest: its interest may follow", {{.registrationYear = 2012, .cost = 900'000}}, true},
        {"one of 2012 with interest", {{.registrationYear = 2012, .cost = 900'000, .interest = 1}}, false},
        {"one of 2013 without interest: a second object may follow",
         {{.registrationYear = 2013, .transferYear = 2013, .cost = 1'000'000}}, true},
        {"an act of 2013 is old too", {{.registrationYear = 2015, .transferYear = 2013, .interest = 1}}, false},
        {"two, one of them old", {{.registrationYear = 2012}, {}}, false},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.title);
        mTConstructionDeduct deduction;
        fillObjects(deduction, test.objects);
        EXPECT_EQ(canAddObject(deduction), test.canAdd);
    }
}

TEST(ConstructionDeductRulesTest, WhenEarlierYearsMayBeEntered)
{
    struct Case {
        const char* title;
        std::vector<ObjectFigures> objects;
        bool prevYears;
        bool prevInterest;
    };
    const Case cases[] = {
        {"all of 2021", {{.cost = 1'000'000, .interest = 50'000}}, false, false},
        {"all of 2021, a pensioner", {{.cost = 1'000'000, .interest = 50'000, .pensioner = true}}, true, true},
        {"all of 2021, a pensioner without interest", {{.cost = 1'000'000, .pensioner = true}}, true, false},
        {"one of 2019 without interest", {{.registrationYear = 2019, .cost = 1'000'000}}, true, false},
        {"one of 2019 with interest", {{.registrationYear = 2019, .interest = 10}}, true, true},
        {"interest only on the object of 2021", {{.registrationYear = 2019, .cost = 1}, {.interest = 10}}, true, false},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.title);
        mTConstructionDeduct deduction;
        fillObjects(deduction, test.objects);
        EXPECT_EQ(prevYearsAllowed(deduction), test.prevYears);
        EXPECT_EQ(prevYearsInterestAllowed(deduction), test.prevInterest);
    }
}

// Whether any object but the skipped one carries interest. Interest beyond the range of an
// amount is interest all the same: the rule never takes an overflow for none.
TEST(ConstructionDeductRulesTest, InterestOfTheOtherObjects)
{
    constexpr std::int64_t Huge = 900'000'000'000'000; // two of them lie beyond the range
    struct Case {
        const char* title;
        std::vector<ObjectFigures> objects;
        std::size_t skipped;
        bool noInterest;
    };
    const Case cases[] = {
        {"no object", {}, 0, true},
        {"the only interest is the skipped object's", {{.interest = 10}, {}}, 0, true},
        {"another object's interest", {{.interest = 10}, {.interest = 1}}, 0, false},
        {"nothing skipped", {{.interest = 10}, {}}, 2, false},
        {"interest beyond the range", {{}, {.interest = Huge}, {.interest = Huge}}, 0, false},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.title);
        mTConstructionDeduct deduction;
        fillObjects(deduction, test.objects);
        EXPECT_EQ(noInterestBesides(deduction, test.skipped), test.noInterest);
    }

    mTConstructionDeduct beyondTheRange;
    fillObjects(beyondTheRange,
                {{.registrationYear = 2019, .interest = Huge}, {.registrationYear = 2019, .interest = Huge}});
    EXPECT_TRUE(prevYearsInterestAllowed(beyondTheRange)) << "interest beyond the range is interest";
}

} // namespace

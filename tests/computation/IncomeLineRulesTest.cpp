#include "computation/IncomeLineRules.h"

#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "CurrencyPrinting.h"
#include "computation/PropertySaleIncome.h"
#include "model/NumberText.h"
#include "model/Sourse.h"

namespace {

// An amount as the user types it, with a decimal comma.
Currency money(const char* text)
{
    return parseCurrency(text, ',').value();
}

TEST(IncomeLineRulesTest, TheRuleOfADeductionSetsItsSum)
{
    struct Case {
        const char* name;
        DeductionRule rule;
        const char* income;
        std::optional<const char*> deduction; // nullopt: the sum is the user's
    };
    const Case cases[] = {
        {"a share", {20, false, Currency()}, "1000", "200"},
        {"a share of kopecks rounds half up", {25, false, Currency()}, "0,02", "0,01"},
        {"a share below half a kopeck rounds down", {30, false, Currency()}, "0,01", "0"},
        // A share is capped as well as the whole income is.
        {"a share above the cap", {20, false, money("100")}, "1000", "100"},
        {"the whole income", {0, true, Currency()}, "3000,5", "3000,5"},
        {"the whole income below the cap", {0, true, money("4000")}, "3000", "3000"},
        {"the whole income at the cap", {0, true, money("4000")}, "4000", "4000"},
        {"the whole income above the cap", {0, true, money("4000")}, "10000", "4000"},
        {"a share before the whole income", {30, true, Currency()}, "1000", "300"},
        {"no rule", {0, false, money("4000")}, "10000", std::nullopt},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        const std::optional<Currency> deduction = ruleDeduction(test.rule, money(test.income));
        ASSERT_EQ(deduction.has_value(), test.deduction.has_value());
        if (deduction) {
            EXPECT_EQ(*deduction, money(*test.deduction));
        }
    }
}

TEST(IncomeLineRulesTest, ATypedDeductionIsCappedByANonZeroMaximum)
{
    EXPECT_EQ(cappedDeduction({0, true, money("4000")}, money("5000")), money("4000"));
    EXPECT_EQ(cappedDeduction({0, true, money("4000")}, money("3999,99")), money("3999,99"));
    EXPECT_EQ(cappedDeduction({0, false, Currency()}, money("5000")), money("5000"));
}

// The rule's own sum wins over what was typed; without a rule the typed sum stays, capped.
TEST(IncomeLineRulesTest, TheDeductionForAnIncomeIsTheRulesOrElseTheTypedSum)
{
    EXPECT_EQ(deductionForIncome({20, false, money("100")}, money("1000"), money("5")), money("100"));
    EXPECT_EQ(deductionForIncome({0, true, Currency()}, money("1000"), money("5")), money("1000"));
    EXPECT_EQ(deductionForIncome({0, false, money("4000")}, money("1000"), money("5000")), money("4000"));
    EXPECT_EQ(deductionForIncome({0, false, Currency()}, money("1000"), money("5000")), money("5000"));
}

TEST(IncomeLineRulesTest, ASaleCountsTheLargerOfSeventyPerCentOfTheCadastralValueAndThePrice)
{
    struct Case {
        const char* cadastral;
        const char* price;
        const char* income;
    };
    const Case cases[] = {
        {"6000000", "4000000", "4200000"},
        {"1000000", "600000", "700000"},
        {"1000000", "800000", "800000"},
        {"1234567,89", "0", "864197,52"}, // 864 197.523 rounds down
        {"0,05", "0", "0,04"},            // 0.035 rounds half up
        {"0", "0", "0"},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.cadastral);
        EXPECT_EQ(propertySaleIncome(money(test.cadastral), money(test.price)), money(test.income));
    }
}

// What the dialog stores as the income of a sale is what the computation taxes a line holding
// the bare price on.
TEST(IncomeLineRulesTest, TheDialogsSaleIncomeIsTheIncomeTheComputationTaxes)
{
    struct Case {
        std::int32_t incomeCode;
        const char* cadastral;
        const char* price;
    };
    const Case cases[] = {
        {1510, "6000000", "4000000"}, {1510, "6000000", "5000000"}, {1511, "1234567,89", "100"},
        {1512, "0,05", "0"},          {1512, "0,15", "0,1"},         {1510, "0", "250000"},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(std::to_string(test.incomeCode) + " " + test.cadastral + " " + test.price);
        mTIncome line;
        line.IncomeCode = test.incomeCode;
        line.PropertyFlag = 1;
        line.CadastralValue = money(test.cadastral);
        line.ContractPrice = line.Amount = money(test.price);
        const Currency stored = propertySaleIncome(line.CadastralValue, line.ContractPrice);
        EXPECT_EQ(stored, TaxedIncome(line));
        line.Amount = stored;
        EXPECT_EQ(TaxedIncome(line), stored) << "the stored income is taxed as it stands";
    }
}

TEST(IncomeLineRulesTest, OnlyListedIncomesMayCarryADeductionLargerThanThemselves)
{
    EXPECT_TRUE(deductionMayExceedIncome(1530, 201));
    EXPECT_TRUE(deductionMayExceedIncome(5029, 829));
    EXPECT_FALSE(deductionMayExceedIncome(2720, 501)) << "a gift is no sale of securities";
    EXPECT_FALSE(deductionMayExceedIncome(1530, 501)) << "nor is a gift's deduction an expense";
    EXPECT_TRUE(nonResidentMayDeduct(2720));
    EXPECT_FALSE(nonResidentMayDeduct(1010)) << "dividends carry no deduction";
    EXPECT_FALSE(nonResidentMayDeduct(2000));
}

} // namespace

// The deduction caps of the code dictionary's table against the computation: a cap the income
// line dialog applies is the figure the computation counts at most for that deduction.
#include <algorithm>
#include <cstdint>
#include <fstream>
#include <map>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "ComputationTestSupport.h"
#include "CurrencyPrinting.h"
#include "computation/NonTaxableIncome.h"
#include "computation/TaxYearFigures.h"
#include "model/NumberText.h"

namespace {

// A deduction line of the table, with the income it stands under.
struct DictionaryCap {
    std::int32_t incomeCode;
    std::string rates;
    std::int32_t deductionCode;
    std::string capText; // as the table writes it, with a decimal comma
};

// The table's income lines start at the margin; their deductions follow, indented and led by "-".
std::vector<DictionaryCap> dictionaryCaps()
{
    std::ifstream table(std::string(FORV_SOURCE_TREE) + "/resources/IncomeDict.txt");
    EXPECT_TRUE(table.is_open()) << "the code dictionary's table is missing";
    std::vector<DictionaryCap> caps;
    std::int32_t incomeCode = -1;
    std::string rates;
    for (std::string line; std::getline(table, line);) {
        if (line.empty() || line.front() == '#')
            continue;
        std::istringstream fields(line);
        if (line.front() != ' ') {
            fields >> incomeCode >> rates;
            continue;
        }
        std::string dash;
        std::string percent;
        std::string flags;
        DictionaryCap cap{incomeCode, rates, 0, {}};
        fields >> dash >> cap.deductionCode >> percent >> flags >> cap.capText;
        EXPECT_EQ(dash, "-") << line;
        caps.push_back(cap);
    }
    return caps;
}

// A cap of nines only bounds the width of the field: the law sets no such figure.
bool fieldWidthOnly(const std::string& capText)
{
    return std::all_of(capText.begin(), capText.end(), [](char c) { return c == '9' || c == ','; });
}

// Caps that are the computation's limits of the year.
const std::map<std::int32_t, Currency> ComputationLimits = {
    {104, PersonalDeduction104Yearly},
    {105, PersonalDeduction105Yearly},
    {311, PurchaseLimit},
    {320, SocialExpenseLimit},
    {324, SocialExpenseLimit},
    {325, SocialExpenseLimit},
    {327, SocialExpenseLimit},
    {328, SocialExpenseLimit},
    {901, HousingSaleDeductionLimit},
    {904, HousingSaleDeductionLimit},
    {902, OtherSaleDeductionLimit},
    {905, OtherSaleDeductionLimit},
    {906, OtherSaleDeductionLimit},
    {907, OtherSaleDeductionLimit},
};

// Deductions of exempt income: the computation's figure is what it leaves untaxed of the pair.
const std::set<std::int32_t> ExemptIncomeDeductions = {501, 502, 503, 504, 505, 506, 507, 508, 510, 511, 512};

// Caps the computation does not repeat: the exempt interest on deposits counts as the line
// carries it, as the payer's statement gives it, so the dialog's cap is the only bound.
const std::set<std::int32_t> CapsOfTheDialogOnly = {914, 915};

// What the computation leaves untaxed of one payer line whose income and deduction both far
// exceed any cap.
Currency exemptAtMost(const DictionaryCap& cap)
{
    const Currency large = Currency::fromWholeRoubles(10'000'000);
    mTDeclaration decl;
    mbTSourse& payer = addPayer(decl);
    auto line = incomeLine(cap.incomeCode, large, cap.deductionCode, large);
    if (cap.rates.find("13") != std::string::npos)
        payer.AddIncome13(std::move(line));
    else
        payer.AddIncome99(std::move(line));
    kTSvodSumPril4 sheet;
    sheet.Calculate(decl);
    return sheet.ДохНеНалОбщ;
}

TEST(IncomeDictCaps, EveryCapIsTheComputationsFigure)
{
    const std::vector<DictionaryCap> caps = dictionaryCaps();
    ASSERT_FALSE(caps.empty());
    std::set<std::int32_t> met;
    for (const DictionaryCap& cap : caps) {
        if (cap.capText == "0" || fieldWidthOnly(cap.capText))
            continue;
        SCOPED_TRACE(std::to_string(cap.incomeCode) + " / " + std::to_string(cap.deductionCode) + ": " + cap.capText);
        const std::optional<Currency> amount = parseCurrency(cap.capText, ',');
        ASSERT_TRUE(amount.has_value()) << "the cap is no amount";
        met.insert(cap.deductionCode);
        if (const auto limit = ComputationLimits.find(cap.deductionCode); limit != ComputationLimits.end())
            EXPECT_EQ(*amount, limit->second);
        else if (ExemptIncomeDeductions.contains(cap.deductionCode))
            EXPECT_EQ(*amount, exemptAtMost(cap));
        else if (!CapsOfTheDialogOnly.contains(cap.deductionCode))
            ADD_FAILURE() << "a cap the computation has no figure for";
    }
    // Every deduction named here still carries a cap in the table.
    for (const auto& [code, limit] : ComputationLimits)
        EXPECT_TRUE(met.contains(code)) << code << " has lost its cap";
    for (const std::int32_t code : ExemptIncomeDeductions)
        EXPECT_TRUE(met.contains(code)) << code << " has lost its cap";
    for (const std::int32_t code : CapsOfTheDialogOnly)
        EXPECT_TRUE(met.contains(code)) << code << " has lost its cap";
}

} // namespace

// The income and deduction code dictionary against the computation: every deduction a picker
// offers lowers what the declaration is taxed on, and every pair (income code, deduction code)
// the property-sale sheet counts can be chosen in a picker.
#include <algorithm>
#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "computation/IncomeLineRules.h"
#include "computation/Summary.h"
#include "model/Declaration.h"
#include "pages/income/IncomeDict.h"
#include "pages/income/InputDeductCode.h"

namespace {

// Where the line of a case is entered, as the pickers' lists tell.
enum class Entry {
    ResidentPayer,         // a resident's payer in Russia, at 13 % or at the other rates
    ResidentPayerAt15,     // a resident's payer in Russia, in its list at 15 %
    ResidentForeign,       // a resident's foreign income
    InvestmentPartnership, // a resident's investment partnership, at 13 %
    NonResidentAt30,       // a non-resident's payer, at 30 %
    NonResidentAtRate,     // a non-resident's payer, at 13 or 15 %
};

const char* entryName(Entry entry)
{
    switch (entry) {
    case Entry::ResidentPayer:
        return "resident, payer in Russia";
    case Entry::ResidentPayerAt15:
        return "resident, payer in Russia at 15 %";
    case Entry::ResidentForeign:
        return "resident, foreign income";
    case Entry::InvestmentPartnership:
        return "resident, investment partnership";
    case Entry::NonResidentAt30:
        return "non-resident at 30 %";
    case Entry::NonResidentAtRate:
        return "non-resident at 13/15 %";
    }
    return "";
}

// Enough income for every deduction to matter and below every band.
const Currency LineIncome = Currency::fromWholeRoubles(300'000);

// What the declaration is taxed on: the bases of all section-2 sheets.
Currency taxBase(mTDeclaration& decl)
{
    const auto summary = std::make_unique<kTSvodSum>();
    summary->Calculate(decl);
    Currency total;
    for (const kTSvodSumRazd2& sheet : summary->Razd2)
        total += sheet.НалБаза + sheet.СумИное;
    return total;
}

// The deduction the income-line dialog sets for the line: the dictionary's rule, or a sum the
// user types, which here is the whole income within the cap.
Currency dialogDeduction(const DictionaryDeduction& deduction)
{
    const DeductionRule rule{deduction.percent, deduction.equivalent, deduction.maxSum};
    return deductionForIncome(rule, LineIncome, LineIncome);
}

void addLine(mTDeclaration& decl, Entry entry, const DictionaryIncome& income, std::int32_t deductionCode,
             Currency deduction)
{
    if (entry == Entry::ResidentForeign) {
        mTCurrencyIncome& line = *decl.GetCurrencyIncome(decl.AddCurrencyIncome());
        line.IncomeCode = income.code.toInt();
        line.IncomeRoubles = LineIncome;
        line.DeductionCode = deductionCode;
        line.DeductionSum = deduction;
        return;
    }
    mbTSourse& payer = *decl.GetSource(decl.AddSource());
    payer.Inn = "7701000001";
    payer.Kpp = "770101001";
    payer.Oktmo = "45382000";
    payer.Name = "ООО Ромашка";
    payer.IsInvestmentPartnership = entry == Entry::InvestmentPartnership ? 1 : 0;
    auto line = std::make_unique<mTIncome>();
    line->IncomeCode = income.code.toInt();
    line->Amount = LineIncome;
    line->DeductionCode = deductionCode;
    line->Deduction = deduction;
    line->Month = 1;
    const bool at13 = income.rates.contains(u"13");
    const bool at15 = income.rates.contains(u"15");
    if (entry == Entry::NonResidentAt30 || (!at13 && !at15))
        payer.AddIncome99(std::move(line));
    else if (at13 && entry != Entry::ResidentPayerAt15)
        payer.AddIncome13(std::move(line));
    else
        payer.AddIncome15(std::move(line));
}

Currency baseOf(Entry entry, const DictionaryIncome& income, std::int32_t deductionCode, Currency deduction)
{
    mTDeclaration decl;
    const bool resident = entry != Entry::NonResidentAt30 && entry != Entry::NonResidentAtRate;
    decl.DeclarationType = resident ? DeclarationOrdinary : DeclarationNonResident;
    addLine(decl, entry, income, deductionCode, deduction);
    return taxBase(decl);
}

struct OfferedPair {
    Entry entry;
    const DictionaryIncome* income;
    const DictionaryDeduction* deduction;
};

// Every (income, deduction) a picker offers, once for each list that offers it.
std::vector<OfferedPair> offeredPairs()
{
    std::vector<OfferedPair> pairs;
    for (const DictionaryIncome& income : IncomeDict::builtIn().incomes()) {
        if (&income == &IncomeDict::builtIn().employerDeductions())
            continue;
        std::vector<Entry> entries;
        if (income.russian || income.notAgentIncome)
            entries.push_back(Entry::ResidentPayer);
        if (income.russian && income.rates.contains(u"13") && income.rates.contains(u"15"))
            entries.push_back(Entry::ResidentPayerAt15);
        if (income.foreign)
            entries.push_back(Entry::ResidentForeign);
        if (income.investmentPartnership)
            entries.push_back(Entry::InvestmentPartnership);
        if (nonResidentMayDeduct(income.code.toInt())) {
            if (income.nonResident)
                entries.push_back(Entry::NonResidentAt30);
            if (income.nonResidentAtRate)
                entries.push_back(Entry::NonResidentAtRate);
        }
        // The deduction picker lists the deductions of the first entry of the code.
        for (const DictionaryDeduction& deduction : IncomeDict::builtIn().income(income.code)->deductions) {
            if (deduction.code == u"0")
                continue;
            for (const Entry entry : entries) {
                const bool forNonResident = entry == Entry::NonResidentAt30 || entry == Entry::NonResidentAtRate;
                if (forNonResident && !TfmInputDeductCode::isOfferedToNonResidents(deduction.code))
                    continue;
                pairs.push_back({entry, &income, &deduction});
            }
        }
    }
    return pairs;
}

// Offered pairs that leave the base of a one-line declaration as it is.
struct Exception {
    Entry entry;
    const char* incomeCode;
    const char* deductionCode;
    const char* reason;
};

// Where the law itself gives the same base with the deduction as without it.
const std::vector<Exception> Exceptions = {
    {Entry::ResidentForeign, "2799", "599",
     "securities received as a gift and sold abroad are exempt whole whatever the deduction code; 599 only "
     "names the exemption"},
};

const Exception* exceptionFor(const OfferedPair& pair)
{
    for (const Exception& exception : Exceptions) {
        if (exception.entry == pair.entry && pair.income->code == QLatin1String(exception.incomeCode)
            && pair.deduction->code == QLatin1String(exception.deductionCode))
            return &exception;
    }
    return nullptr;
}

TEST(IncomeDictComputation, EveryOfferedDeductionLowersTheTaxBase)
{
    const std::vector<OfferedPair> pairs = offeredPairs();
    ASSERT_FALSE(pairs.empty());
    std::set<const Exception*> exceptionsMet;
    for (const OfferedPair& pair : pairs) {
        const std::string name = pair.income->code.toStdString() + " / " + pair.deduction->code.toStdString() + ", "
            + entryName(pair.entry);
        SCOPED_TRACE(name);
        const Currency deduction = dialogDeduction(*pair.deduction);
        ASSERT_GT(deduction, Currency()) << "the dialog sets no deduction";
        const Currency without = baseOf(pair.entry, *pair.income, 0, Currency());
        const Currency with = baseOf(pair.entry, *pair.income, pair.deduction->code.toInt(), deduction);
        if (const Exception* exception = exceptionFor(pair)) {
            exceptionsMet.insert(exception);
            EXPECT_EQ(with, without) << exception->reason;
            continue;
        }
        EXPECT_GT(without, Currency()) << "the income is not taxed at all";
        EXPECT_LT(with, without) << "the computation does not count the deduction";
    }
    EXPECT_EQ(exceptionsMet.size(), Exceptions.size()) << "an exception names a pair no picker offers";
}

// The pairs the sheets count from the income lines, as their code reads them: the property-sale
// sheet and the sheet of non-taxable income.
struct CountedPair {
    const char* incomeCode;
    const char* deductionCode;
    const char* unoffered = nullptr; // why no picker offers it, for a pair the law leaves out
};

const CountedPair CountedPairs[] = {
    {"1510", "901"}, {"1510", "903"}, {"1511", "903"}, {"1511", "904"}, {"1512", "902"}, {"1512", "903"},
    {"1520", "906"}, {"1520", "903"}, {"1521", "906"}, {"1521", "903"}, {"4900", "908"}, {"4910", "910"},
    {"4920", "912"}, {"1540", "315"}, {"1542", "316"}, {"1540", "905"}, {"1542", "907"}, {"1560", "317"},
    {"1570", "318"}, {"1550", "314"},
    {"2762", "508"}, {"2720", "501"}, {"2730", "502"}, {"2760", "503"}, {"2770", "504"}, {"2740", "505"},
    {"2761", "506"}, {"3011", "511"}, {"2763", "512"}, {"2790", "507"}, {"1211", "510"}, {"2799", "599"},
    {"3010", "280"}, {"6014", "914"}, {"6015", "915"},
    {"2721", "501",
     "gifts are exempt up to 4 000 a year only from organisations and entrepreneurs; a gift from a person is "
     "taxed whole"},
};

TEST(IncomeDictComputation, EveryPairTheSheetsCountCanBeChosen)
{
    const std::vector<OfferedPair> pairs = offeredPairs();
    for (const CountedPair& counted : CountedPairs) {
        SCOPED_TRACE(std::string(counted.incomeCode) + " / " + counted.deductionCode);
        const bool offered = std::any_of(pairs.begin(), pairs.end(), [&](const OfferedPair& pair) {
            return pair.income->code == QLatin1String(counted.incomeCode)
                && pair.deduction->code == QLatin1String(counted.deductionCode);
        });
        EXPECT_EQ(offered, counted.unoffered == nullptr) << (counted.unoffered ? counted.unoffered : "out of reach");
    }
}

} // namespace

#include "model/BusinessNew.h"

#include <gtest/gtest.h>

#include <ostream>

#include "IncomeRecordTestSupport.h"

void PrintTo(const mTBusinessNew& business, std::ostream* out)
{
    *out << storedValuesText(savedBytes([&](mTDocumentStorage& s) { business.Save(s, 0); }));
}

namespace {

Currency roubles(std::int64_t whole) { return Currency::fromWholeRoubles(whole); }

mTBusinessNew filledBusiness()
{
    mTBusinessNew business;
    business.ActivityKind = "3";
    business.ActivityCode = "62.01";
    business.ExpensesConfirmed = 1;
    business.IncomeSum = roubles(1000000);
    business.ExpenseSum = roubles(400000);
    business.MaterialExpenses = roubles(100000);
    business.Depreciation = roubles(50000);
    business.LabourExpenses = roubles(200000);
    business.OtherExpenses = Currency::fromUnits(500000001);
    business.QuarterIncome = {roubles(1), roubles(2), roubles(3), roubles(4)};
    business.QuarterExpense = {roubles(5), roubles(6), roubles(7), Currency::fromUnits(-80000)};
    return business;
}

std::vector<std::string> savedValues(const mTBusinessNew& business, std::uint16_t index)
{
    return storedValues(savedBytes([&](mTDocumentStorage& s) { business.Save(s, index); }));
}

} // namespace

TEST(BusinessNew, NewRecordSavesItsDefaultsWithTheExpenseSection)
{
    const std::vector<std::string> expected = {
        "@BusinessIncome000", "", "..", "0", "0", "0", "0", "0", "0", "0", "0", "0", "1",
        "@BusinessExpense000", "0", "0", "0", "0", "0",
    };
    EXPECT_EQ(savedValues(mTBusinessNew(), 0), expected);
}

TEST(BusinessNew, ConfirmedExpensesAreItemisedInTheirOwnSection)
{
    const std::vector<std::string> expected = {
        "@BusinessIncome004", "3", "62.01", "1000000",
        "1", "2", "3", "4",                 // quarter income
        "5", "6", "7", "-8",                // quarter expenses
        "1",
        "@BusinessExpense004", "400000", "100000", "50000", "200000", "50000.0001",
    };
    EXPECT_EQ(savedValues(filledBusiness(), 4), expected);
}

TEST(BusinessNew, UnconfirmedExpensesSaveOnlyTheirTotal)
{
    mTBusinessNew business = filledBusiness();
    business.ExpensesConfirmed = 0;
    const std::vector<std::string> expected = {
        "@BusinessIncome004", "3", "62.01", "1000000", "1", "2", "3", "4", "5", "6", "7", "-8",
        "0", "400000",
    };
    const std::string bytes = savedBytes([&](mTDocumentStorage& s) { business.Save(s, 4); });
    EXPECT_EQ(storedValues(bytes), expected);

    mTBusinessNew loaded;
    loadFrom(bytes, [&](mTDocumentStorage& s) { loaded.Load(s, 4); });
    mTBusinessNew withoutBreakdown = business;
    withoutBreakdown.MaterialExpenses = withoutBreakdown.Depreciation = withoutBreakdown.LabourExpenses
        = withoutBreakdown.OtherExpenses = Currency();
    EXPECT_EQ(loaded, withoutBreakdown);
}

TEST(BusinessNew, ReadsBackEveryFieldFromItsOwnSections)
{
    const mTBusinessNew original = filledBusiness();
    for (std::uint16_t index : {std::uint16_t(1), std::uint16_t(1000)}) {
        SCOPED_TRACE(index);
        const std::string bytes = savedBytes([&](mTDocumentStorage& s) {
            mTBusinessNew().Save(s, std::uint16_t(index - 1));
            original.Save(s, index);
        });
        mTBusinessNew loaded;
        loadFrom(bytes, [&](mTDocumentStorage& s) { loaded.Load(s, index); });
        EXPECT_EQ(loaded, original);
    }
}

TEST(BusinessNew, IndexesWidenPastThreeDigits)
{
    struct Case {
        std::uint16_t index;
        const char* incomeStream;
        const char* expenseStream;
    } const cases[] = {
        {0, "@BusinessIncome000", "@BusinessExpense000"},
        {999, "@BusinessIncome999", "@BusinessExpense999"},
        {1000, "@BusinessIncome1000", "@BusinessExpense1000"},
        {65535, "@BusinessIncome65535", "@BusinessExpense65535"},
    };
    for (const Case& c : cases) {
        const std::vector<std::string> values = savedValues(filledBusiness(), c.index);
        ASSERT_EQ(values.size(), 19u) << c.index;
        EXPECT_EQ(values[0], c.incomeStream);
        EXPECT_EQ(values[13], c.expenseStream);
    }
}

TEST(BusinessNew, SizeIsTheNumberOfBytesSaved)
{
    mTBusinessNew unconfirmed = filledBusiness();
    unconfirmed.ExpensesConfirmed = 0;
    mTBusinessNew blank;
    blank.ActivityCode.clear();
    struct Case {
        const char* name;
        mTBusinessNew business;
        std::uint16_t index;
    } const cases[] = {
        {"new", mTBusinessNew(), 0},
        {"filled", filledBusiness(), 12},
        {"expenses not confirmed", unconfirmed, 12},
        {"empty texts", blank, 1000},
    };
    for (const Case& c : cases) {
        const std::string bytes = savedBytes([&](mTDocumentStorage& s) { c.business.Save(s, c.index); });
        EXPECT_EQ(c.business.StorageSize(c.index), bytes.size()) << c.name;
    }
}

TEST(BusinessNew, StorageFailuresCarryItsOuterCodes)
{
    const std::string noBytes;
    mTDocumentStorage reading = mTDocumentStorage::forReading(noBytes);
    expectStorageFailure<mEWriteStorage>([&] { filledBusiness().Save(reading, 0); }, 81, 379);

    // The income section without the expense section it announces.
    mTBusinessNew confirmed;
    const std::string bytes = savedBytes([&](mTDocumentStorage& s) { confirmed.Save(s, 0); });
    const std::string incomeOnly = bytes.substr(0, bytes.find("0019@BusinessExpense"));
    mTBusinessNew loaded;
    loadFrom(incomeOnly, [&](mTDocumentStorage& s) {
        expectStorageFailure<mEOpenStream>([&] { loaded.Load(s, 0); }, 210, 380);
    });
}

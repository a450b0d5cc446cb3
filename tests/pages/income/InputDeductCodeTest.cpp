// The deduction code picker over the program's own dictionary.
#include <QLabel>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include "pages/income/IncomeDict.h"
#include "pages/income/InputDeductCode.h"

namespace {

const DictionaryIncome& income(const char16_t* code)
{
    const DictionaryIncome* found = IncomeDict::builtIn().income(code);
    if (!found)
        throw std::logic_error("no such income in the dictionary");
    return *found;
}

QString listedCodes(const TfmInputDeductCode& picker)
{
    QStringList codes;
    for (int row = 0; row < picker.list->topLevelItemCount(); ++row)
        codes << picker.list->topLevelItem(row)->text(0);
    return codes.join(u' ');
}

TEST(InputDeductCode, ListsANonResidentOnlyTheDeductionsOpenToHim)
{
    const struct {
        const char16_t* income;
        bool showAll;
        const char* listed;
    } cases[] = {
        {u"2720", false, "501 0"},
        {u"2720", true, "501 0"},
        {u"1510", false, "0"},
        {u"1510", true, "901 903 0"},
        {u"2201", false, "0"},
        {u"2201", true, "404 405 0"},
        {u"6015", false, "915 0"},
    };
    for (const auto& item : cases) {
        SCOPED_TRACE(QString::fromUtf16(item.income).toStdString() + (item.showAll ? " all" : " non-resident"));
        TfmInputDeductCode picker(nullptr, income(item.income), QString(), item.showAll);
        EXPECT_EQ(listedCodes(picker), item.listed);
    }
}

TEST(InputDeductCode, GivesTheRulesOfTheChosenDeduction)
{
    TfmInputDeductCode gifts(nullptr, income(u"2720"), QStringLiteral("501"), true);
    EXPECT_EQ(gifts.FCode(), "501");
    EXPECT_EQ(gifts.FName(), income(u"2720").deduction(u"501")->name);
    EXPECT_EQ(gifts.FMaxSum(), Currency::fromWholeRoubles(4000));
    EXPECT_TRUE(gifts.FVisible());
    EXPECT_TRUE(gifts.FEnabled());
    EXPECT_TRUE(gifts.FEquivalent());
    EXPECT_EQ(gifts.FPercent(), 0);
    EXPECT_EQ(gifts.Label1->text(), "501   " + gifts.FName());

    TfmInputDeductCode none(nullptr, income(u"2720"), QStringLiteral("0"), true);
    EXPECT_EQ(none.FCode(), "0");
    EXPECT_FALSE(none.FVisible());
    EXPECT_EQ(none.FMaxSum(), Currency());

    TfmInputDeductCode fees(nullptr, income(u"2204"), QStringLiteral("405"), true);
    EXPECT_EQ(fees.FPercent(), 25);
    EXPECT_FALSE(fees.FEnabled());

    // An unknown code preselects the first row.
    TfmInputDeductCode unknown(nullptr, income(u"1510"), QStringLiteral("777"), true);
    EXPECT_EQ(unknown.FCode(), "901");
    EXPECT_FALSE(unknown.FEnabled());
    EXPECT_TRUE(unknown.FEquivalent());
    EXPECT_EQ(unknown.FMaxSum(), Currency::fromWholeRoubles(1000000));
}

TEST(InputDeductCode, ListsTheEmployerDeductions)
{
    TfmInputDeductCode picker(nullptr, IncomeDict::builtIn().employerDeductions(), QStringLiteral("311"), true);
    EXPECT_EQ(picker.list->topLevelItemCount(), 36);
    EXPECT_EQ(picker.FCode(), "311");
    EXPECT_EQ(picker.FMaxSum(), Currency::fromWholeRoubles(2000000));
    EXPECT_EQ(picker.windowTitle(), "Справочник видов вычетов");
}

TEST(InputDeductCode, MovingToAnotherRowChoosesIt)
{
    TfmInputDeductCode picker(nullptr, income(u"1510"), QString(), true);
    picker.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&picker));
    EXPECT_EQ(picker.FCode(), "901");
    QTest::keyClick(picker.list, Qt::Key_Down);
    EXPECT_EQ(picker.FCode(), "903");
    QTest::keyClick(picker.list, Qt::Key_Return);
    EXPECT_EQ(picker.result(), TfmInputDeductCode::Chosen);
}

} // namespace

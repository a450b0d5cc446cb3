#include "computation/RefundApplication.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "ComputationTestSupport.h"
#include "Section1Checks.h"
#include "computation/Summary.h"

namespace {

// An application entry: a refund to the entry's bank account or an offset against its budget
// code. Amounts in roubles.
struct EntryFigures {
    bool refund;
    long double amount;
    bool allIn = false;
    long double otherKindAmount = 0; // the sum of the other kind, left from a switch
};

// What an application made: 'O' offset line, 'R' refund; the application number; the section-1
// row it covers (index); the amount; the entry it comes from (index).
struct Made {
    char kind;
    const char* number;
    int row;
    long double amount;
    int entry;
};

struct ApplicationCase {
    const char* name;
    std::vector<long double> refundRows;
    std::vector<EntryFigures> entries;
    std::vector<Made> made;
    std::int32_t correctionNumber = 0;
};

class RefundApplication : public ::testing::Test {
protected:
    void SetUp() override
    {
        decl.Person.Name = {"Иванов", "Иван", "Иванович", "", "", "0"};
        decl.SetIncomeKinds(IncomeKindSources | IncomeKindTrata);
    }

    void fill(const ApplicationCase& c)
    {
        svod->Clear();
        decl.CorrectionNumber = c.correctionNumber;
        while (decl.TrataCount() > 0)
            decl.DeleteTrata(0);
        // A row to pay comes first: it is never applied for.
        svod->R1.Rows.push_back({"18210102030011000110", "45000000", rub(500), {}});
        for (std::size_t i = 0; i < c.refundRows.size(); ++i)
            svod->R1.Rows.push_back({i % 2 ? Kbk080 : Kbk010, "4538000" + std::to_string(i), {}, rub(c.refundRows[i])});
        svod->R1.RowCount = static_cast<std::int32_t>(svod->R1.Rows.size());
        for (std::size_t i = 0; i < c.entries.size(); ++i) {
            const EntryFigures& figures = c.entries[i];
            mTTrata& entry = *decl.GetTrata(decl.AddTrata());
            entry.IsRefund = figures.refund;
            entry.AllIn = figures.allIn;
            (figures.refund ? entry.RefundSum : entry.OffsetSum) = rub(figures.amount);
            (figures.refund ? entry.OffsetSum : entry.RefundSum) = rub(figures.otherKindAmount);
            const std::string n = std::to_string(i);
            entry.BankName = "Банк " + n;
            entry.BankBik = "04452522" + n;
            entry.AccountKind = 1 + int(i % 2);
            entry.AccountNumber = "4081781000000000000" + n;
            entry.TaxOfficeCode = "77" + n + "1";
            entry.Kbk = "1821060101003100011" + n;
            entry.Oktmo = "4500000" + n;
            entry.OffsetPurpose = 1 + int(i % 2);
            entry.Note = "недоимка " + n;
        }
    }

    // The refund rows are rows 1, 2, ... of section 1 (row 0 is to pay).
    const bmTList1& refundRow(int index) const { return svod->R1.Rows[std::size_t(index) + 1]; }

    bmTRecord1_Bank expectedRefund(const Made& made) const
    {
        const mTTrata& entry = *decl.Tratas.get(std::size_t(made.entry));
        const bmTList1& row = refundRow(made.row);
        return {made.number, rub(made.amount), row.КБК, row.ОКТМО, "ГД.00.2021", entry.BankName, entry.BankBik,
                entry.AccountKind == 1 ? "02" : "07", entry.AccountNumber, "Иванов", "Иван", "Иванович"};
    }

    bmTRecord1_PlNalog expectedLine(const Made& made) const
    {
        const mTTrata& entry = *decl.Tratas.get(std::size_t(made.entry));
        return {std::to_string(entry.OffsetPurpose), rub(made.amount), entry.Note, entry.Kbk, entry.Oktmo,
                entry.TaxOfficeCode};
    }

    mTDeclaration decl;
    std::unique_ptr<kTSvodSum> svod = std::make_unique<kTSvodSum>();
};

TEST_F(RefundApplication, EntriesTakeTheRefundRowsInOrder)
{
    const ApplicationCase cases[] = {
        {"a refund entry smaller than the row leaves the rest without application",
         {10'000}, {{true, 4'000}}, {{'R', "1", 0, 4'000, 0}}},
        {"two offset entries make one application with two lines",
         {10'000}, {{false, 3'000}, {false, 7'000}}, {{'O', "1", 0, 3'000, 0}, {'O', "1", 0, 7'000, 1}}},
        {"one refund entry covers two rows with one application each",
         {6'000, 4'000}, {{true, 10'000}}, {{'R', "1", 0, 6'000, 0}, {'R', "2", 1, 4'000, 0}}},
        {"a refund of all that is left after an offset",
         {10'000, 5'000}, {{false, 3'000}, {true, 0, true}},
         {{'O', "1", 0, 3'000, 0}, {'R', "2", 0, 7'000, 1}, {'R', "3", 1, 5'000, 1}}},
        {"an offset entry larger than its row goes on to the next row in a new application",
         {2'000, 5'000}, {{false, 4'000}}, {{'O', "1", 0, 2'000, 0}, {'O', "2", 1, 2'000, 0}}},
        {"a refund entry closes the open offset application",
         {10'000}, {{false, 3'000}, {true, 2'000}, {false, 1'000}},
         {{'O', "1", 0, 3'000, 0}, {'R', "2", 0, 2'000, 1}, {'O', "3", 0, 1'000, 2}}},
        {"entries beyond the refund are ignored",
         {1'000}, {{true, 1'000}, {true, 500}, {false, 500}}, {{'R', "1", 0, 1'000, 0}}},
        {"the numbers follow on from the correction number",
         {1'000, 1'000}, {{false, 1'000}, {true, 1'000}}, {{'O', "2001", 0, 1'000, 0}, {'R', "2002", 1, 1'000, 1}}, 2},
        {"an entry takes only the sum of its own kind",
         {10'000}, {{true, 1'000, false, 2'000}, {false, 500, false, 9'000}},
         {{'R', "1", 0, 1'000, 0}, {'O', "2", 0, 500, 1}}},
        {"entries without a sum of their kind are skipped",
         {10'000}, {{true, 0, false, 5'000}, {false, -100}, {false, 0}, {true, 300}},
         {{'R', "1", 0, 300, 3}}},
        {"a skipped refund entry does not close the offset application",
         {10'000}, {{false, 1'000}, {true, 0}, {false, 2'000}}, {{'O', "1", 0, 1'000, 0}, {'O', "1", 0, 2'000, 2}}},
        {"kopecks are kept", {1'234.56}, {{true, 2'000}}, {{'R', "1", 0, 1'234.56, 0}}},
        {"no refund rows, no application", {}, {{true, 1'000}, {true, 0, true}}, {}},
        {"no entries, no application", {10'000}, {}, {}},
    };
    for (const ApplicationCase& c : cases) {
        fill(c);
        EXPECT_TRUE(svod->KudaTratit.Calculate(decl, *svod)) << c.name;

        std::vector<bmTRecord1_ZachNalog> offsets;
        std::vector<bmTRecord1_Bank> refunds;
        for (const Made& made : c.made) {
            if (made.kind == 'R') {
                refunds.push_back(expectedRefund(made));
                continue;
            }
            if (offsets.empty() || offsets.back().НомерЗаяв != made.number) {
                const bmTList1& row = refundRow(made.row);
                offsets.push_back({made.number, row.КБК, row.ОКТМО, "ГД.00.2021", 0, {}});
            }
            offsets.back().Payments.push_back(expectedLine(made));
            offsets.back().PaymentCount = static_cast<std::int32_t>(offsets.back().Payments.size());
        }
        const kTSvodKudaTratit& application = svod->KudaTratit;
        EXPECT_EQ(application.Offsets, offsets) << c.name;
        EXPECT_EQ(application.Refunds, refunds) << c.name;
        EXPECT_EQ(application.OffsetCount, static_cast<std::int32_t>(offsets.size())) << c.name;
        EXPECT_EQ(application.RefundCount, static_cast<std::int32_t>(refunds.size())) << c.name;
    }
}

TEST_F(RefundApplication, AccountKindAndTaxpayerName)
{
    fill({"", {1'000, 1'000}, {{true, 1'000}, {true, 1'000}}, {}});
    decl.GetTrata(0)->AccountKind = 1;
    decl.GetTrata(1)->AccountKind = 2;
    decl.Person.Name.Patronymic.clear();

    svod->KudaTratit.Calculate(decl, *svod);

    ASSERT_EQ(svod->KudaTratit.Refunds.size(), 2u);
    EXPECT_EQ(svod->KudaTratit.Refunds[0].ВидСч, "02");
    EXPECT_EQ(svod->KudaTratit.Refunds[1].ВидСч, "07");
    EXPECT_EQ(svod->KudaTratit.Refunds[1].Фамилия, "Иванов");
    EXPECT_EQ(svod->KudaTratit.Refunds[1].Имя, "Иван");
    EXPECT_EQ(svod->KudaTratit.Refunds[1].Отчество, "");
}

TEST_F(RefundApplication, CalculatingAgainStartsFromNothing)
{
    fill({"", {10'000}, {{false, 3'000}, {true, 2'000}}, {}});
    svod->KudaTratit.Calculate(decl, *svod);
    const std::vector<bmTRecord1_ZachNalog> offsets = svod->KudaTratit.Offsets;
    const std::vector<bmTRecord1_Bank> refunds = svod->KudaTratit.Refunds;

    svod->KudaTratit.Calculate(decl, *svod);

    EXPECT_EQ(svod->KudaTratit.Offsets, offsets);
    EXPECT_EQ(svod->KudaTratit.Refunds, refunds);
    EXPECT_EQ(svod->KudaTratit.OffsetCount, 1);
    EXPECT_EQ(svod->KudaTratit.RefundCount, 1);

    svod->KudaTratit.Clear();
    EXPECT_TRUE(svod->KudaTratit.Offsets.empty());
    EXPECT_TRUE(svod->KudaTratit.Refunds.empty());
    EXPECT_EQ(svod->KudaTratit.OffsetCount + svod->KudaTratit.RefundCount, 0);
}

} // namespace

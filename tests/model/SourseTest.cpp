#include "model/Sourse.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>

#include "StorageFailure.h"
#include "model/DocumentStorage.h"
#include "model/StorageErrors.h"

namespace {

constexpr std::size_t HeaderSize = 60;

Currency roubles(long double value) { return Currency::fromRoubles(value); }

std::unique_ptr<mTIncome> lineOf(Currency amount, std::int32_t code = 2000)
{
    auto line = std::make_unique<mTIncome>();
    line->IncomeCode = code;
    line->Amount = amount;
    return line;
}

// Every value of a line differs from a zero-filled one.
std::unique_ptr<mTIncome> fullLine(std::int32_t seed)
{
    auto line = std::make_unique<mTIncome>();
    line->IncomeCode = 1510 + seed;
    line->Amount = roubles(1000000.25L + seed);
    line->DeductionCode = 906;
    line->Deduction = roubles(-4200.5L);
    line->DeductionPercent = 20;
    line->LineReserved = 2147483647;
    line->Month = std::uint16_t(1 + seed % 12);
    line->PropertyFlag = 1;
    line->CadastralNumber = "77:01:0004042:" + std::to_string(seed) + " кв.";
    line->CadastralValue = roubles(7654321.0001L);
    line->ContractPrice = roubles(0.0001L);
    line->WithheldTax = roubles(130000);
    return line;
}

mbTSourse fullSource()
{
    mbTSourse source;
    source.Inn = "7707083893";
    source.Kpp = "773601001";
    source.Oktmo = "45397000";
    source.Name = "ПАО «Сбербанк России»";
    source.StandardDeductionsHere = 1;
    source.SourceReserved = roubles(-17.5L);
    source.IsInvestmentPartnership = 1;
    source.WithheldTax13 = roubles(123456.78L);
    source.WithheldTax15 = roubles(9999999.9999L);
    source.WithheldTax99 = roubles(-0.0001L);
    source.OrgProfitTax13 = roubles(1300);
    source.OrgProfitTax15 = roubles(1500.01L);
    source.AddIncome13(fullLine(0));
    source.AddIncome13(fullLine(1));
    source.AddIncome15(fullLine(2));
    source.AddIncome99(fullLine(3));
    source.AddIncome99(fullLine(4));
    source.AddIncome99(fullLine(5));
    for (std::int32_t code : {104, 126, 311}) {
        auto deduct = std::make_unique<mbTSSCDeduct>();
        deduct->Code = code;
        deduct->Sum = roubles(code * 10.5L);
        source.AddSSCDeduct(std::move(deduct));
    }
    return source;
}

mbTSourse onlyOtherRates()
{
    mbTSourse source;
    source.AddIncome99(fullLine(7));
    source.AddIncome99(lineOf(roubles(-300)));
    return source;
}

// A source with empty texts and negative amounts wherever a value can be negative.
mbTSourse emptyTextsNegativeAmounts()
{
    mbTSourse source;
    source.SourceReserved = roubles(-1);
    source.WithheldTax13 = roubles(-123.4567L);
    auto line = lineOf(roubles(-99999999.9999L), 0);
    line->Deduction = roubles(-0.5L);
    line->WithheldTax = roubles(-10);
    source.AddIncome15(std::move(line));
    auto deduct = std::make_unique<mbTSSCDeduct>();
    deduct->Sum = roubles(-1.0001L);
    source.AddSSCDeduct(std::move(deduct));
    return source;
}

template <typename T>
void expectSameList(const OwnedList<T>& actual, const OwnedList<T>& expected, const char* list)
{
    ASSERT_EQ(actual.count(), expected.count()) << list;
    for (std::size_t i = 0; i < expected.count(); ++i)
        EXPECT_TRUE(actual[i] == expected[i]) << list << " entry " << i;
}

void expectSameSource(const mbTSourse& actual, const mbTSourse& expected)
{
    EXPECT_EQ(actual.Inn, expected.Inn);
    EXPECT_EQ(actual.Kpp, expected.Kpp);
    EXPECT_EQ(actual.Oktmo, expected.Oktmo);
    EXPECT_EQ(actual.Name, expected.Name);
    EXPECT_EQ(actual.StandardDeductionsHere, expected.StandardDeductionsHere);
    EXPECT_EQ(actual.SourceReserved, expected.SourceReserved);
    EXPECT_EQ(actual.IsInvestmentPartnership, expected.IsInvestmentPartnership);
    EXPECT_EQ(actual.WithheldTax13, expected.WithheldTax13);
    EXPECT_EQ(actual.WithheldTax15, expected.WithheldTax15);
    EXPECT_EQ(actual.WithheldTax99, expected.WithheldTax99);
    EXPECT_EQ(actual.OrgProfitTax13, expected.OrgProfitTax13);
    EXPECT_EQ(actual.OrgProfitTax15, expected.OrgProfitTax15);
    expectSameList(actual.Incomes13, expected.Incomes13, "Incomes13");
    expectSameList(actual.Incomes15, expected.Incomes15, "Incomes15");
    expectSameList(actual.Incomes99, expected.Incomes99, "Incomes99");
    expectSameList(actual.SSCDeducts, expected.SSCDeducts, "SSCDeducts");
    EXPECT_EQ(actual.Total13(), expected.Total13());
    EXPECT_EQ(actual.Total15(), expected.Total15());
    EXPECT_EQ(actual.Total99(), expected.Total99());
}

std::string saved(const mbTSourse& source, std::uint16_t index)
{
    std::string bytes;
    mTDocumentStorage storage = mTDocumentStorage::forWriting(bytes);
    storage.CreateHeader("Forv2021");
    source.Save(storage, index);
    return bytes;
}

mbTSourse loaded(const std::string& bytes, std::uint16_t index)
{
    mTDocumentStorage storage = mTDocumentStorage::forReading(bytes);
    storage.Open();
    mbTSourse source;
    source.Load(storage, index);
    return source;
}

bool holdsValue(const std::string& bytes, const std::string& text)
{
    char length[5];
    std::snprintf(length, sizeof length, "%04zu", text.size());
    return bytes.find(length + text) != std::string::npos;
}

} // namespace

TEST(Sourse, SavesAndLoadsEveryValue)
{
    const struct {
        const char* name;
        mbTSourse (*make)();
        std::uint16_t index;
    } cases[] = {
        {"every field set", fullSource, 0},
        {"empty source", [] { return mbTSourse(); }, 3},
        {"only other-rate lines", onlyOtherRates, 12},
        {"empty texts, negative amounts", emptyTextsNegativeAmounts, 65535},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const mbTSourse source = c.make();
        const mbTSourse back = loaded(saved(source, c.index), c.index);
        expectSameSource(back, source);
    }
}

TEST(Sourse, LoadRebuildsTheTotals)
{
    const mbTSourse back = loaded(saved(onlyOtherRates(), 0), 0);
    EXPECT_EQ(back.Income13Count(), 0u);
    EXPECT_EQ(back.Income15Count(), 0u);
    EXPECT_EQ(back.Income99Count(), 2u);
    EXPECT_EQ(back.SSCDeductCount(), 0u);
    EXPECT_EQ(back.Total13(), Currency());
    EXPECT_EQ(back.Total99(), roubles(1000007.25L - 300));
}

TEST(Sourse, WritesTheSectionsByteForByte)
{
    mbTSourse source;
    source.StandardDeductionsHere = 1;
    source.Inn = "7707083893";
    source.Kpp = "773601001";
    source.Oktmo = "45397000";
    source.Name = "ПАО";
    source.WithheldTax13 = roubles(1234.5L);
    source.WithheldTax15 = roubles(-0.0001L);
    source.OrgProfitTax13 = roubles(100);
    auto line = std::make_unique<mTIncome>();
    line->IncomeCode = 1530;
    line->Amount = roubles(250000.75L);
    line->DeductionCode = 201;
    line->Deduction = roubles(1000);
    line->DeductionPercent = 20;
    line->LineReserved = 4;
    line->Month = 12;
    line->PropertyFlag = 1;
    line->CadastralNumber = "77:01:0001";
    line->CadastralValue = roubles(5000000);
    line->ContractPrice = roubles(4500000.5L);
    line->WithheldTax = roubles(32500);
    source.AddIncome99(std::move(line));
    auto deduct = std::make_unique<mbTSSCDeduct>();
    deduct->Code = 126;
    deduct->Sum = roubles(16800);
    source.AddSSCDeduct(std::move(deduct));

    const std::string expected =
        "0010@Source007"
        "00011" "00107707083893" "0009773601001" "000845397000" "0003\xCF\xC0\xCE"
        "00010" "00010" "00061234.5" "0007-0.0001" "00010" "0003100" "00010"
        "00010"
        "00010"
        "00011"
        "0015@Income99007000"
        "00041530" "0009250000.75" "0003201" "00041000" "000220" "00014" "000212" "00011"
        "001077:01:0001" "00075000000" "00094500000.5" "000532500"
        "00011"
        "0017@SSCDeducts007000"
        "0003126" "000516800";
    EXPECT_EQ(saved(source, 7).substr(HeaderSize), expected);
    EXPECT_EQ(source.StorageSize(7), expected.size());
}

TEST(Sourse, EmptySourceIsOneSectionOfTwelveValuesAndFourCounts)
{
    // Name 4 + 10, twelve values 4 + 1 or 4 + 0 (texts), four counts 4 + 1.
    EXPECT_EQ(mbTSourse().StorageSize(7), 14u + 12 * 4 + 8 + 4 * 5);
    EXPECT_EQ(saved(mbTSourse(), 7).size() - HeaderSize, 90u);
}

TEST(Sourse, NamesSectionsBySourceAndLineAndWidensPast999)
{
    mbTSourse source;
    for (int i = 0; i < 13; ++i)
        source.AddIncome15(lineOf(roubles(i)));
    for (int i = 0; i < 1001; ++i) {
        auto deduct = std::make_unique<mbTSSCDeduct>();
        deduct->Code = 104;
        deduct->Sum = roubles(i);
        source.AddSSCDeduct(std::move(deduct));
    }

    const struct {
        std::uint16_t index;
        const char* source;
        const char* line12;
        const char* deduct999;
        const char* deduct1000;
    } cases[] = {
        {7, "@Source007", "@Income15007012", "@SSCDeducts007999", "@SSCDeducts0071000"},
        {999, "@Source999", "@Income15999012", "@SSCDeducts999999", "@SSCDeducts9991000"},
        {1000, "@Source1000", "@Income151000012", "@SSCDeducts1000999", "@SSCDeducts10001000"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.index);
        const std::string bytes = saved(source, c.index);
        EXPECT_TRUE(holdsValue(bytes, c.source));
        EXPECT_TRUE(holdsValue(bytes, c.line12));
        EXPECT_TRUE(holdsValue(bytes, c.deduct999));
        EXPECT_TRUE(holdsValue(bytes, c.deduct1000));
        EXPECT_EQ(source.StorageSize(c.index), bytes.size() - HeaderSize);
        expectSameSource(loaded(bytes, c.index), source);
    }
}

TEST(Sourse, StorageSizeIsTheNumberOfBytesSaved)
{
    const struct {
        const char* name;
        mbTSourse (*make)();
    } cases[] = {
        {"empty source", [] { return mbTSourse(); }},
        {"every field set", fullSource},
        {"only other-rate lines", onlyOtherRates},
        {"empty texts, negative amounts", emptyTextsNegativeAmounts},
    };
    for (const auto& c : cases) {
        const mbTSourse source = c.make();
        for (std::uint16_t index : {0, 999, 1000, 65535})
            EXPECT_EQ(source.StorageSize(index), saved(source, index).size() - HeaderSize)
                << c.name << ", source " << index;
    }
}

namespace {

// The three income lists have the same operations; the table walks each of them.
struct RateList {
    const char* name;
    std::size_t (mbTSourse::*add)(std::unique_ptr<mTIncome>);
    std::size_t (mbTSourse::*count)() const;
    mTIncome& (mbTSourse::*get)(std::size_t);
    void (mbTSourse::*remove)(std::size_t, const mTIncome*);
    Currency (mbTSourse::*total)() const;
};

const RateList rateLists[] = {
    {"13 %", &mbTSourse::AddIncome13, &mbTSourse::Income13Count, &mbTSourse::GetIncome13,
     &mbTSourse::DeleteIncome13, &mbTSourse::Total13},
    {"15 %", &mbTSourse::AddIncome15, &mbTSourse::Income15Count, &mbTSourse::GetIncome15,
     &mbTSourse::DeleteIncome15, &mbTSourse::Total15},
    {"other rates", &mbTSourse::AddIncome99, &mbTSourse::Income99Count, &mbTSourse::GetIncome99,
     &mbTSourse::DeleteIncome99, &mbTSourse::Total99},
};

Currency totalOfAllLists(const mbTSourse& source)
{
    return source.Total13() + source.Total15() + source.Total99();
}

} // namespace

TEST(Sourse, TotalsFollowTheLinesThroughEveryChange)
{
    for (const RateList& list : rateLists) {
        SCOPED_TRACE(list.name);
        mbTSourse source;
        EXPECT_EQ((source.*list.add)(lineOf(roubles(100), 2000)), 0u);
        EXPECT_EQ((source.*list.add)(lineOf(roubles(200), 2010)), 1u);
        EXPECT_EQ((source.*list.add)(lineOf(roubles(300), 2020)), 2u);
        EXPECT_EQ((source.*list.total)(), roubles(600));
        EXPECT_EQ(totalOfAllLists(source), roubles(600)) << "another list's total moved";

        (source.*list.remove)(1, nullptr);
        EXPECT_EQ((source.*list.count)(), 2u);
        EXPECT_EQ((source.*list.get)(1).IncomeCode, 2020) << "later lines move down";
        EXPECT_EQ((source.*list.total)(), roubles(400));

        mTIncome replacement;
        replacement.IncomeCode = 1530;
        replacement.Amount = roubles(50);
        (source.*list.remove)(0, &replacement);
        EXPECT_EQ((source.*list.count)(), 2u);
        EXPECT_TRUE((source.*list.get)(0) == replacement);
        EXPECT_EQ((source.*list.total)(), roubles(350));

        replacement.Amount = roubles(1);
        EXPECT_EQ((source.*list.get)(0).Amount, roubles(50)) << "the list keeps its own copy";

        (source.*list.get)(1).Amount = roubles(-0.0001L);
        EXPECT_EQ((source.*list.total)(), roubles(49.9999L)) << "a change in place";

        (source.*list.remove)(1, nullptr);
        (source.*list.remove)(0, nullptr);
        EXPECT_EQ((source.*list.count)(), 0u);
        EXPECT_EQ((source.*list.total)(), Currency());
    }
}

TEST(Sourse, IndexesOutsideAListAreRefused)
{
    for (const RateList& list : rateLists) {
        SCOPED_TRACE(list.name);
        mbTSourse source;
        EXPECT_THROW((source.*list.get)(0), std::out_of_range);
        EXPECT_THROW((source.*list.remove)(0, nullptr), std::out_of_range);
        (source.*list.add)(lineOf(roubles(100)));
        (source.*list.add)(lineOf(roubles(200)));
        const mTIncome replacement;
        EXPECT_THROW((source.*list.get)(2), std::out_of_range);
        EXPECT_THROW((source.*list.get)(std::size_t(-1)), std::out_of_range);
        EXPECT_THROW((source.*list.remove)(2, nullptr), std::out_of_range);
        EXPECT_THROW((source.*list.remove)(2, &replacement), std::out_of_range);
        EXPECT_EQ((source.*list.count)(), 2u);
        EXPECT_EQ((source.*list.total)(), roubles(300));
        EXPECT_THROW((source.*list.add)(nullptr), std::invalid_argument);
        EXPECT_EQ((source.*list.count)(), 2u);
    }

    mbTSourse source;
    source.AddSSCDeduct(std::make_unique<mbTSSCDeduct>());
    const mbTSSCDeduct replacement{311, roubles(2000000)};
    EXPECT_THROW(source.GetSSCDeduct(1), std::out_of_range);
    EXPECT_THROW(std::as_const(source).GetSSCDeduct(1), std::out_of_range);
    EXPECT_THROW(source.DeleteSSCDeduct(1), std::out_of_range);
    EXPECT_THROW(source.DeleteSSCDeduct(1, &replacement), std::out_of_range);
    EXPECT_THROW(source.AddSSCDeduct(nullptr), std::invalid_argument);
    EXPECT_EQ(source.SSCDeductCount(), 1u);
}

TEST(Sourse, EmployerDeductionsAreReplacedAndDeleted)
{
    mbTSourse source;
    for (std::int32_t code : {104, 126, 320}) {
        auto deduct = std::make_unique<mbTSSCDeduct>();
        deduct->Code = code;
        deduct->Sum = roubles(code);
        const std::size_t index = source.AddSSCDeduct(std::move(deduct));
        EXPECT_EQ(index, source.SSCDeductCount() - 1);
    }
    const mbTSSCDeduct replacement{311, roubles(2000000)};
    source.DeleteSSCDeduct(1, &replacement);
    EXPECT_TRUE(source.GetSSCDeduct(1) == replacement);
    source.DeleteSSCDeduct(0);
    ASSERT_EQ(source.SSCDeductCount(), 2u);
    EXPECT_EQ(source.GetSSCDeduct(0).Code, 311);
    EXPECT_EQ(source.GetSSCDeduct(1).Code, 320);
}

TEST(Sourse, StorageFailuresCarryTheSourcesNumber)
{
    const std::string bytes = saved(fullSource(), 0);

    mTDocumentStorage storage = mTDocumentStorage::forReading(bytes);
    storage.Open();
    mbTSourse missing;
    expectStorageFailure<mEOpenStream>([&] { missing.Load(storage, 1); }, 210, 372);
    expectStorageFailure<mEWriteStorage>([&] { fullSource().Save(storage, 0); }, 81, 372);
}

TEST(Sourse, NegativeLineCountIsADamagedFile)
{
    const std::string bytes = std::string("DLSG") + std::string(12, ' ') + "Forv2021" + "0103"
                              + std::string(32, 'F')
                              + "0010@Source000"
                                "00010" "0000" "0000" "0000" "0000" "00010" "00010"
                                "00010" "00010" "00010" "00010" "00010"
                                "0002-1";
    mTDocumentStorage storage = mTDocumentStorage::forReading(bytes);
    storage.Open();
    mbTSourse source;
    expectStorageFailure<mEBadStorage>([&] { source.Load(storage, 0); }, 103, 372);
    EXPECT_EQ(source.Income13Count(), 0u);
}

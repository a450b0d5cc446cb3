#include "model/SourseIncomeInfo.h"

#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <stdexcept>

#include "IncomeRecordTestSupport.h"

template <typename Record>
std::string savedRecord(const Record& record, std::uint16_t index, bool flag)
{
    return savedBytes([&](mTDocumentStorage& s) { record.Save(s, index, flag); });
}

void PrintTo(const mTThirtyFivePercent& record, std::ostream* out)
{
    *out << storedValuesText(savedRecord(record, 0, false));
}

void PrintTo(const mTThirtyPercent& record, std::ostream* out)
{
    *out << storedValuesText(savedRecord(record, 0, true));
}

void PrintTo(const mTSourseIncome& line, std::ostream* out)
{
    *out << line.IncomeCode << " " << line.Amount.units() << " month " << line.Month;
}

namespace {

Currency units(std::int64_t value) { return Currency::fromUnits(value); }

void fillPayer(mTSourseIncomeInfo& record)
{
    record.PayerText1 = "ООО «Север»";
    record.PayerText2 = "7701234567";
    record.PayerText3 = "770101001";
    record.PayerText4 = "";
    record.OtherSum = units(-15000);
}

mTSourseIncome line(std::int32_t code, std::int64_t amount)
{
    mTSourseIncome result;
    result.IncomeCode = code;
    result.LineText1 = "L1";
    result.Amount = units(amount);
    result.DeductionCode = 501;
    result.Deduction = units(40000);
    result.LineInteger = 9;
    result.Month = 12;
    result.LineByte = 1;
    result.LineText2 = "L2";
    result.LineSum1 = units(1);
    result.LineSum2 = units(-2);
    return result;
}

// A record with months 1 and 3 (February and April) holding values, one income line and one
// employer deduction.
std::unique_ptr<mTThirteenPercent> smallThirteenPercent()
{
    auto record = std::make_unique<mTThirteenPercent>();
    record->RecordFlag = 1;
    record->PayerText1 = "P1";
    record->PayerText2 = "P2";
    record->PayerText3 = "P3";
    record->PayerText4 = "P4";
    record->OtherSum = units(10000);
    record->ExtraSum1 = units(20000);
    record->ExtraSum2 = units(30000);
    record->ExtraSum3 = units(40000);
    record->ClosingFlag = 2;
    record->SetMonthDeduction(1, units(14000000));
    record->SetMonthDeduction(3, units(0));
    record->SourceIncomes.add(std::make_unique<mTSourseIncome>(line(2000, 500000000)));
    record->SSCDeducts.add(std::make_unique<mbTSSCDeduct>(mbTSSCDeduct{126, units(14000000)}));
    return record;
}

std::unique_ptr<mTThirteenPercent> filledThirteenPercent()
{
    auto record = std::make_unique<mTThirteenPercent>();
    fillPayer(*record);
    record->RecordFlag = 3;
    record->ExtraSum1 = units(1);
    record->ExtraSum2 = units(-2);
    record->ExtraSum3 = units(3);
    record->ClosingFlag = 1;
    for (int month = 0; month < mTThirteenPercent::MonthCount; month += 2)
        record->SetMonthDeduction(month, units(14000000 + month));
    for (std::int32_t i = 0; i < 3; ++i)
        record->SourceIncomes.add(std::make_unique<mTSourseIncome>(line(2000 + i, 100000 * (i + 1))));
    record->SSCDeducts.add(std::make_unique<mbTSSCDeduct>(mbTSSCDeduct{126, units(14000000)}));
    record->SSCDeducts.add(std::make_unique<mbTSSCDeduct>(mbTSSCDeduct{311, units(-1)}));
    return record;
}

void expectSameThirteenPercent(const mTThirteenPercent& loaded, const mTThirteenPercent& original)
{
    EXPECT_EQ(loaded.PayerText1, original.PayerText1);
    EXPECT_EQ(loaded.PayerText2, original.PayerText2);
    EXPECT_EQ(loaded.PayerText3, original.PayerText3);
    EXPECT_EQ(loaded.PayerText4, original.PayerText4);
    EXPECT_EQ(loaded.OtherSum, original.OtherSum);
    EXPECT_EQ(loaded.RecordFlag, original.RecordFlag);
    EXPECT_EQ(loaded.ExtraSum1, original.ExtraSum1);
    EXPECT_EQ(loaded.ExtraSum2, original.ExtraSum2);
    EXPECT_EQ(loaded.ExtraSum3, original.ExtraSum3);
    EXPECT_EQ(loaded.ClosingFlag, original.ClosingFlag);
    EXPECT_EQ(loaded.MonthSet, original.MonthSet);
    EXPECT_EQ(loaded.MonthDeductions, original.MonthDeductions);
    ASSERT_EQ(loaded.SourceIncomes.count(), original.SourceIncomes.count());
    for (std::size_t i = 0; i < loaded.SourceIncomes.count(); ++i)
        EXPECT_EQ(loaded.SourceIncomes[i], original.SourceIncomes[i]) << "line " << i;
    ASSERT_EQ(loaded.SSCDeducts.count(), original.SSCDeducts.count());
    for (std::size_t j = 0; j < loaded.SSCDeducts.count(); ++j)
        EXPECT_TRUE(loaded.SSCDeducts[j] == original.SSCDeducts[j]) << "deduction " << j;
    EXPECT_EQ(loaded.IncomeTotal(), original.IncomeTotal());
}

mTThirtyFivePercent filledThirtyFivePercent()
{
    mTThirtyFivePercent record;
    fillPayer(record);
    record.IncomeTotal = units(1234500);
    record.Code1 = 2610;
    record.Code2 = 3;
    record.Sum = units(99);
    return record;
}

mTThirtyPercent filledThirtyPercent()
{
    mTThirtyPercent record;
    fillPayer(record);
    record.IncomeTotal = units(7000000);
    record.Code1 = 1010;
    record.Sum1 = units(11);
    record.Sum2 = units(-22);
    return record;
}

} // namespace

TEST(ThirteenPercent, MonthsWithoutAValueAreWrittenAsTheLetterA)
{
    const std::vector<std::string> expected = {
        "@ThirteenPercent002", "1", "P1", "P2", "P3", "P4",
        "1", "3", "2", "4", "2",                   // OtherSum, ExtraSum2, ExtraSum1, ExtraSum3, ClosingFlag
        "a", "1400", "a", "0", "a", "a", "a", "a", "a", "a", "a", "a",
        "1",                                       // income lines
        "@SourseIncome002000", "2000", "L1", "50000", "501", "4", "9", "12", "1", "L2", "0.0001", "-0.0002",
        "1",                                       // employer deductions
        "@SSCDeducts002000", "126", "1400",
    };
    EXPECT_EQ(storedValues(savedRecord(*smallThirteenPercent(), 2, false)), expected);
}

TEST(ThirteenPercent, NonResidentRecordsUseTheirOwnStreamNames)
{
    const std::vector<std::string> values = storedValues(savedRecord(*smallThirteenPercent(), 2, true));
    ASSERT_EQ(values.size(), 40u);
    EXPECT_EQ(values[0], "@ThirteenPerceNR002");
    EXPECT_EQ(values[24], "@SourseIncoNR002000");
    EXPECT_EQ(values[37], "@SSCDeducts002000"); // shared by both lists
}

TEST(ThirteenPercent, ReadsBackEveryField)
{
    const auto original = filledThirteenPercent();
    for (bool nonResident : {false, true}) {
        for (std::uint16_t index : {std::uint16_t(1), std::uint16_t(1000)}) {
            SCOPED_TRACE(testing::Message() << "non-resident " << nonResident << ", index " << index);
            const std::string bytes = savedBytes([&](mTDocumentStorage& s) {
                smallThirteenPercent()->Save(s, std::uint16_t(index - 1), nonResident);
                original->Save(s, index, nonResident);
            });
            mTThirteenPercent loaded;
            loadFrom(bytes, [&](mTDocumentStorage& s) { loaded.Load(s, index, nonResident); });
            expectSameThirteenPercent(loaded, *original);
        }
    }
}

TEST(ThirteenPercent, MonthSetFollowsTheMonthValues)
{
    mTThirteenPercent record;
    record.SetMonthDeduction(0, units(0));
    record.SetMonthDeduction(11, units(14000000));
    EXPECT_EQ(record.MonthSet, 0x0801);
    EXPECT_TRUE(record.HasMonthDeduction(0));
    EXPECT_FALSE(record.HasMonthDeduction(1));
    EXPECT_EQ(record.MonthDeductions[11], units(14000000));

    record.SetMonthDeduction(11, units(-10000)); // -1 means "no value"
    EXPECT_EQ(record.MonthSet, 0x0001);
    EXPECT_EQ(record.MonthDeductions[11], Currency());

    record.SetMonthDeduction(0, units(-10001));
    EXPECT_EQ(record.MonthSet, 0x0001);
    EXPECT_EQ(record.MonthDeductions[0], units(-10001));

    for (int month : {-1, 12, 16}) {
        EXPECT_THROW(record.SetMonthDeduction(month, units(1)), std::out_of_range) << month;
        EXPECT_THROW(record.HasMonthDeduction(month), std::out_of_range) << month;
    }
    EXPECT_EQ(record.MonthSet, 0x0001);
}

TEST(ThirteenPercent, IncomeTotalIsTheSumOfItsLines)
{
    mTThirteenPercent record;
    EXPECT_EQ(record.IncomeTotal(), Currency());
    record.SourceIncomes.add(std::make_unique<mTSourseIncome>(line(2000, 100000)));
    record.SourceIncomes.add(std::make_unique<mTSourseIncome>(line(2000, 250000)));
    EXPECT_EQ(record.IncomeTotal(), units(350000));

    record.SourceIncomes.get(0) = std::make_unique<mTSourseIncome>(line(2010, -50000));
    EXPECT_EQ(record.IncomeTotal(), units(200000));
    record.SourceIncomes[1].Amount = units(1);
    EXPECT_EQ(record.IncomeTotal(), units(-49999));
    record.SourceIncomes.remove(0);
    EXPECT_EQ(record.IncomeTotal(), units(1));

    mTThirteenPercent loaded;
    const auto filled = filledThirteenPercent();
    loadFrom(savedRecord(*filled, 0, false), [&](mTDocumentStorage& s) { loaded.Load(s, 0, false); });
    EXPECT_EQ(loaded.IncomeTotal(), units(600000));
}

// A payment source of the same index names its employer deductions alike and is written
// before the older records.
TEST(ThirteenPercent, FindsItsOwnEmployerDeductionsBehindASourceOfTheSameName)
{
    const auto original = smallThirteenPercent();
    const std::string bytes = savedBytes([&](mTDocumentStorage& s) {
        s.WriteStreamName("@SSCDeducts002000");
        s.WriteInteger(104);
        s.WriteCurrency(units(5000000));
        original->Save(s, 2, false);
    });
    mTThirteenPercent loaded;
    loadFrom(bytes, [&](mTDocumentStorage& s) { loaded.Load(s, 2, false); });
    ASSERT_EQ(loaded.SSCDeducts.count(), 1u);
    EXPECT_EQ(loaded.SSCDeducts[0].Code, 126);
    EXPECT_EQ(loaded.SSCDeducts[0].Sum, units(14000000));
}

TEST(ThirteenPercent, NegativeLineCountIsADamagedFile)
{
    mTThirteenPercent empty;
    std::string bytes = savedRecord(empty, 0, false);
    const std::string counts = "00010" "00010";
    ASSERT_EQ(bytes.substr(bytes.size() - counts.size()), counts);
    bytes.replace(bytes.size() - counts.size(), counts.size(), "0002-1" "00010");

    mTThirteenPercent loaded;
    loadFrom(bytes, [&](mTDocumentStorage& s) {
        expectStorageFailure<mEBadStorage>([&] { loaded.Load(s, 0, false); }, 103, 372);
    });
    EXPECT_TRUE(loaded.SourceIncomes.empty());
}

TEST(ThirtyFivePercent, SavesItsValuesInFileOrderAndReadsThemBack)
{
    const mTThirtyFivePercent original = filledThirtyFivePercent();
    const std::string bytes = savedRecord(original, 12, true);
    const std::vector<std::string> expected = {
        "@ThirtyFivePercent012", "2610",
        "\xCE\xCE\xCE \xAB\xD1\xE5\xE2\xE5\xF0\xBB", "7701234567", "770101001", "",
        "123.45", "3", "0.0099", "-1.5",
    };
    EXPECT_EQ(storedValues(bytes), expected);
    // The flag does not change the stream.
    EXPECT_EQ(savedRecord(original, 12, false), bytes);

    mTThirtyFivePercent loaded;
    loadFrom(bytes, [&](mTDocumentStorage& s) { loaded.Load(s, 12, false); });
    EXPECT_EQ(loaded, original);
}

TEST(ThirtyPercent, ThirtyAndNinePercentRecordsHaveTheirOwnStreams)
{
    const mTThirtyPercent thirty = filledThirtyPercent();
    mTThirtyPercent nine = filledThirtyPercent();
    nine.Code1 = 1530;
    nine.Sum1 = units(33);

    const std::string bytes = savedBytes([&](mTDocumentStorage& s) {
        thirty.Save(s, 0, true);
        nine.Save(s, 0, false);
    });
    const std::vector<std::string> expected = {
        "@ThirtyPercent000", "1010",
        "\xCE\xCE\xCE \xAB\xD1\xE5\xE2\xE5\xF0\xBB", "7701234567", "770101001", "",
        "700", "0.0011", "-0.0022", "-1.5",
        "@NinePercent000", "1530",
        "\xCE\xCE\xCE \xAB\xD1\xE5\xE2\xE5\xF0\xBB", "7701234567", "770101001", "",
        "700", "0.0033", "-0.0022", "-1.5",
    };
    EXPECT_EQ(storedValues(bytes), expected);

    mTThirtyPercent loadedNine;
    mTThirtyPercent loadedThirty;
    loadFrom(bytes, [&](mTDocumentStorage& s) {
        loadedNine.Load(s, 0, false);
        loadedThirty.Load(s, 0, true);
    });
    EXPECT_EQ(loadedNine, nine);
    EXPECT_EQ(loadedThirty, thirty);
}

TEST(OlderIncomeRecords, SizeIsTheNumberOfBytesSaved)
{
    mTThirtyFivePercent negative = filledThirtyFivePercent();
    negative.IncomeTotal = units(-123456789);
    negative.Sum = units(-1);
    const auto small = smallThirteenPercent();
    const auto filled = filledThirteenPercent();
    const mTThirteenPercent empty;
    const mTThirtyPercent thirty = filledThirtyPercent();
    const mTThirtyFivePercent thirtyFive = filledThirtyFivePercent();
    const mTThirtyFivePercent blank;

    struct Case {
        const char* name;
        const mTSourseIncomeInfo& record;
        std::uint16_t index;
        bool flag;
    } const cases[] = {
        {"13 % empty", empty, 0, false},
        {"13 % with months, lines and deductions", *small, 2, false},
        {"13 % non-resident", *filled, 1000, true},
        {"35 % empty", blank, 0, false},
        {"35 % filled", thirtyFive, 7, false},
        {"35 % negative sums", negative, 999, false},
        {"30 %", thirty, 1, true},
        {"9 %", thirty, 1000, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.record.StorageSize(c.index, c.flag), savedRecord(c.record, c.index, c.flag).size())
            << c.name;
}

TEST(OlderIncomeRecords, StorageFailuresCarryTheirOuterCodes)
{
    const auto thirteen = smallThirteenPercent();
    mTThirtyFivePercent thirtyFive = filledThirtyFivePercent();
    mTThirtyPercent thirty = filledThirtyPercent();
    struct Case {
        const char* name;
        mTSourseIncomeInfo& record;
        std::uint16_t saveCode, loadCode;
    } const cases[] = {
        {"13 %", *thirteen, 372, 372},
        {"35 %", thirtyFive, 373, 374},
        {"30 %", thirty, 375, 376},
    };
    const std::string noBytes;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        mTDocumentStorage reading = mTDocumentStorage::forReading(noBytes);
        expectStorageFailure<mEWriteStorage>([&] { c.record.Save(reading, 0, true); }, 81, c.saveCode);
        expectStorageFailure<mEOpenStream>([&] { c.record.Load(reading, 0, true); }, 210, c.loadCode);
    }
}

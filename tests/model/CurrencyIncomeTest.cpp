#include "model/CurrencyIncome.h"

#include <gtest/gtest.h>

#include <ostream>

#include "CommaDecimalLocale.h"
#include "IncomeRecordTestSupport.h"
#include "model/DayDate.h"

void PrintTo(const mTCurrencyIncome& income, std::ostream* out)
{
    *out << storedValuesText(savedBytes([&](mTDocumentStorage& s) { income.Save(s, 0); }));
}

namespace {

Currency units(std::int64_t value) { return Currency::fromUnits(value); }

mTCurrencyIncome filledIncome()
{
    mTCurrencyIncome income;
    income.RatePercent = 30;
    income.IncomeCode = 1010;
    income.IncomeCodeName = "Dividends";
    income.SourceName = "Apple Inc.";
    income.SourceCountry = "840";
    income.CreditCountry = "826";
    income.IncomeDate = 44300;
    income.TaxPaymentDate = 44310.5;
    income.AutoRate = 1;
    income.CurrencyCode = "840";
    income.IncomeDateRate = units(735831);
    income.IncomeDateUnits = 1;
    income.TaxDateRate = units(736000);
    income.TaxDateUnits = 10;
    income.CurrencyName = "US dollar";
    income.IncomeAmount = units(1000100);
    income.IncomeRoubles = units(73590000);
    income.TaxAmount = units(100000);
    income.TaxRoubles = units(736000);
    income.DeductionCode = 501;
    income.DeductionSum = units(123400);
    income.DeductionPercent = 20;
    income.Reserved = 7;
    income.ProfitMethod = 2;
    income.CompanyNumber = "K-1";
    income.Line150Sum = units(-5000);
    return income;
}

std::string savedIncome(const mTCurrencyIncome& income, std::uint16_t index)
{
    return savedBytes([&](mTDocumentStorage& s) { income.Save(s, index); });
}

// A whole container with the given minor version holding `values`.
std::string containerOfVersion(const char* minorVersion, const std::string& values)
{
    return "DLSG" + std::string(12, ' ') + "Forv2021" + "01" + minorVersion + std::string(32, 'F')
           + values;
}

} // namespace

TEST(CurrencyIncome, NewIncomeIsDatedFirstOfJanuary2021)
{
    const mTCurrencyIncome income;
    EXPECT_EQ(dateText(income.IncomeDate), "01.01.2021");
    EXPECT_EQ(dateText(income.TaxPaymentDate), "01.01.2021");

    const std::vector<std::string> expected = {
        "@CurrencyIncome0000", "0", "0", "", "", "", "", "44197", "44197", "0", "", "0", "0",
        "0", "0", "", "0", "0", "0", "0", "0", "0", "0", "0", "0", "", "0",
    };
    EXPECT_EQ(storedValues(savedIncome(income, 0)), expected);
}

TEST(CurrencyIncome, SavesItsValuesInFileOrder)
{
    const std::vector<std::string> expected = {
        "@CurrencyIncome0007",
        "30", "1010", "Dividends", "Apple Inc.", "840", "826", // rate, code, names, countries
        "44300", "44310.5", "1", "840",                        // dates, AutoRate, currency code
        "73.5831", "1", "73.6", "10", "US dollar",             // rates with their units
        "100.01", "7359", "10", "73.6",                        // amounts in currency and roubles
        "501", "12.34", "20", "7", "2", "K-1", "-0.5",
    };
    EXPECT_EQ(storedValues(savedIncome(filledIncome(), 7)), expected);

    const CommaDecimalLocale commaLocale;
    EXPECT_EQ(storedValues(savedIncome(filledIncome(), 7)), expected) << "with a decimal comma";
    mTCurrencyIncome loaded;
    loadFrom(savedIncome(filledIncome(), 7), [&](mTDocumentStorage& s) { loaded.Load(s, 7); });
    EXPECT_EQ(loaded, filledIncome()) << "with a decimal comma";
}

TEST(CurrencyIncome, ReadsBackEveryFieldFromItsOwnSection)
{
    mTCurrencyIncome original = filledIncome();
    original.SourceName = "Компания «Юг»";
    for (std::uint16_t index : {std::uint16_t(1), std::uint16_t(1000)}) {
        SCOPED_TRACE(index);
        const std::string bytes = savedBytes([&](mTDocumentStorage& s) {
            mTCurrencyIncome().Save(s, std::uint16_t(index - 1));
            original.Save(s, index);
        });
        mTCurrencyIncome loaded;
        loadFrom(bytes, [&](mTDocumentStorage& s) { loaded.Load(s, index); });
        EXPECT_EQ(loaded, original);
    }
}

TEST(CurrencyIncome, StreamNamesHaveAtLeastFourDigits)
{
    struct Case {
        std::uint16_t index;
        const char* stream;
    } const cases[] = {
        {0, "@CurrencyIncome0000"},
        {999, "@CurrencyIncome0999"},
        {1000, "@CurrencyIncome1000"},
        {10000, "@CurrencyIncome10000"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(storedValues(savedIncome(mTCurrencyIncome(), c.index)).at(0), c.stream);
}

TEST(CurrencyIncome, FilesBeforeVersion13NameTheSectionWithThreeDigits)
{
    const mTCurrencyIncome original = filledIncome();
    std::string values = savedIncome(original, 0);
    const std::string fourDigitName = "0019@CurrencyIncome0000";
    ASSERT_EQ(values.rfind(fourDigitName, 0), 0u);
    values.replace(0, fourDigitName.size(), "0018@CurrencyIncome000");

    const std::string version12 = containerOfVersion("02", values);
    mTCurrencyIncome loaded;
    loadFrom(version12, [&](mTDocumentStorage& s) {
        s.Open();
        loaded.Load(s, 0);
    });
    EXPECT_EQ(loaded, original);
    EXPECT_EQ(storedValues(savedIncome(loaded, 0)).at(0), "@CurrencyIncome0000");

    const std::string version13 = containerOfVersion("03", values);
    loadFrom(version13, [&](mTDocumentStorage& s) {
        s.Open();
        mTCurrencyIncome notFound;
        expectStorageFailure<mEOpenStream>([&] { notFound.Load(s, 0); }, 210, 378);
    });
}

TEST(CurrencyIncome, FixedProfitUnderItsOldCodeIsReadAsCode3030At13Percent)
{
    struct Case {
        std::int32_t storedCode, storedRate, code, rate;
    } const cases[] = {
        {3020, 0, 3030, 13},
        {3020, 30, 3030, 13},
        {3030, 15, 3030, 15},
        {1010, 30, 1010, 30},
    };
    for (const Case& c : cases) {
        mTCurrencyIncome stored = filledIncome();
        stored.IncomeCode = c.storedCode;
        stored.RatePercent = c.storedRate;
        mTCurrencyIncome loaded;
        loadFrom(savedIncome(stored, 0), [&](mTDocumentStorage& s) { loaded.Load(s, 0); });
        EXPECT_EQ(loaded.IncomeCode, c.code) << c.storedCode << " at " << c.storedRate;
        EXPECT_EQ(loaded.RatePercent, c.rate) << c.storedCode << " at " << c.storedRate;
        EXPECT_EQ(loaded.IncomeRoubles, stored.IncomeRoubles); // as stored, not recomputed
    }
}

TEST(CurrencyIncome, RoubleAmountsAreAmountOverUnitsTimesRateRoundedToKopecks)
{
    struct Case {
        const char* name;
        std::int64_t rate;   // in 1/10000 rouble
        std::int32_t units;
        std::int64_t amount; // in 1/10000 of the currency
        std::int64_t roubles;
    } const cases[] = {
        {"no units given", 725000, 0, 1000100, 0},
        {"72.5 per unit, 7250.725 rounds up", 725000, 1, 1000100, 72507300},
        {"0.6712 per 100 units", 6712, 100, 123450000, 828600},
        {"a negative amount is cut toward zero", 10000, 1, -12390, -12300},
        {"1.005 is held below the half kopeck", 10000, 1, 10050, 10000},
        {"units taken as unsigned", 10000, -1, 42949672950000, 10000},
        {"fixed profit of a controlled company", 10000000, 1000, 340000000000, 340000000000},
    };
    for (const Case& c : cases) {
        mTCurrencyIncome income;
        income.IncomeRoubles = income.TaxRoubles = units(50000);
        income.IncomeDateRate = units(c.rate);
        income.IncomeDateUnits = c.units;
        // The tax's own rate differs, so that each amount must use its own.
        income.TaxDateRate = units(c.rate * 3);
        income.TaxDateUnits = c.units;
        income.SetIncomeAmount(units(c.amount));
        EXPECT_EQ(income.IncomeAmount, units(c.amount)) << c.name;
        EXPECT_EQ(income.IncomeRoubles, units(c.roubles)) << c.name;
        EXPECT_EQ(income.TaxRoubles, units(50000)) << c.name;

        income.IncomeDateRate = units(c.rate * 5);
        income.TaxDateRate = units(c.rate);
        income.SetTaxAmount(units(c.amount));
        EXPECT_EQ(income.TaxAmount, units(c.amount)) << c.name;
        EXPECT_EQ(income.TaxRoubles, units(c.roubles)) << c.name;
        EXPECT_EQ(income.IncomeRoubles, units(c.roubles)) << c.name;
    }
}

TEST(CurrencyIncome, SizeIsTheNumberOfBytesSaved)
{
    mTCurrencyIncome cyrillic = filledIncome();
    cyrillic.SourceName = "ООО «Ромашка»";
    cyrillic.CurrencyName = "Евро";
    mTCurrencyIncome negative = filledIncome();
    negative.IncomeRoubles = units(-999999999999);
    negative.DeductionSum = units(-1);
    struct Case {
        const char* name;
        mTCurrencyIncome income;
        std::uint16_t index;
    } const cases[] = {
        {"new", mTCurrencyIncome(), 0},
        {"filled", filledIncome(), 3},
        {"windows-1251 texts", cyrillic, 3},
        {"negative sums", negative, 1000},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.income.StorageSize(c.index), savedIncome(c.income, c.index).size()) << c.name;
}

TEST(CurrencyIncome, StorageFailuresCarryItsOuterCodes)
{
    const std::string noBytes;
    mTDocumentStorage reading = mTDocumentStorage::forReading(noBytes);
    expectStorageFailure<mEWriteStorage>([&] { filledIncome().Save(reading, 0); }, 81, 377);
    mTCurrencyIncome loaded;
    expectStorageFailure<mEOpenStream>([&] { loaded.Load(reading, 0); }, 210, 378);
}

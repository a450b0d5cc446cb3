#include "model/Trata.h"

#include <gtest/gtest.h>

#include <ostream>

#include "IncomeRecordTestSupport.h"

void PrintTo(const mTTrata& trata, std::ostream* out)
{
    *out << storedValuesText(savedBytes([&](mTDocumentStorage& s) { trata.Save(s, 0); }));
}

namespace {

mTTrata filledTrata()
{
    mTTrata trata;
    trata.RefundSum = Currency::fromUnits(12345678);
    trata.ApplicationNumber = "12";
    trata.AllIn = 1;
    trata.IsRefund = 1;
    trata.BankName = "ПАО Сбербанк";
    trata.BankBik = "044525225";
    trata.AccountKind = 2;
    trata.AccountNumber = "40817810099910004312";
    trata.OffsetSum = Currency::fromUnits(-5);
    trata.TaxOfficeCode = "7701";
    trata.Kbk = "18210102010011000110";
    trata.OffsetPurpose = 1;
    trata.Oktmo = "45382000";
    trata.Note = "за 2021 год";
    return trata;
}

} // namespace

TEST(Trata, WritesTheReturnSectionByteForByte)
{
    mTTrata trata;
    trata.ApplicationNumber = "1";
    trata.IsRefund = 1;
    trata.RefundSum = Currency::fromUnits(12345000); // 1234.5
    trata.BankName = "Банк";
    trata.BankBik = "044525225";
    trata.AccountKind = 1;
    trata.OffsetPurpose = 2;
    trata.Oktmo = "45000000";

    const std::string expected = "0010@Return007"
                                 "00011"          // ApplicationNumber
                                 "00011"          // IsRefund
                                 "00010"          // AllIn
                                 "00061234.5"     // RefundSum
                                 "0004\xC1\xE0\xED\xEA" // BankName in windows-1251
                                 "0009044525225"  // BankBik
                                 "00011"          // AccountKind
                                 "0000"           // AccountNumber
                                 "00010"          // OffsetSum
                                 "0000"           // TaxOfficeCode
                                 "0000"           // Kbk
                                 "00012"          // OffsetPurpose
                                 "000845000000"   // Oktmo
                                 "0000";          // Note
    const std::string bytes = savedBytes([&](mTDocumentStorage& s) { trata.Save(s, 7); });
    EXPECT_EQ(bytes, expected);
    EXPECT_EQ(trata.StorageSize(7), expected.size());
}

TEST(Trata, ReadsBackEveryFieldFromItsOwnSection)
{
    const mTTrata original = filledTrata();
    for (std::uint16_t index : {std::uint16_t(1), std::uint16_t(999), std::uint16_t(1000)}) {
        SCOPED_TRACE(index);
        // A different record under a neighbouring index must not be picked up.
        const std::string bytes = savedBytes([&](mTDocumentStorage& s) {
            mTTrata().Save(s, std::uint16_t(index - 1));
            original.Save(s, index);
        });
        mTTrata loaded;
        loadFrom(bytes, [&](mTDocumentStorage& s) { loaded.Load(s, index); });
        EXPECT_EQ(loaded, original);
    }
}

TEST(Trata, SizeIsTheNumberOfBytesSaved)
{
    mTTrata empty;
    mTTrata negative;
    negative.RefundSum = Currency::fromUnits(-1);
    negative.OffsetSum = Currency::fromUnits(-123456789012);
    struct Case {
        const char* name;
        mTTrata trata;
        std::uint16_t index;
    } const cases[] = {
        {"empty", empty, 0},
        {"filled", filledTrata(), 5},
        {"negative sums", negative, 42},
        {"four-digit index", filledTrata(), 1000},
    };
    for (const Case& c : cases) {
        const std::string bytes = savedBytes([&](mTDocumentStorage& s) { c.trata.Save(s, c.index); });
        EXPECT_EQ(c.trata.StorageSize(c.index), bytes.size()) << c.name;
    }
}

TEST(Trata, StorageFailuresCarryItsOuterCodes)
{
    const mTTrata trata = filledTrata();
    const std::string noBytes;
    mTDocumentStorage reading = mTDocumentStorage::forReading(noBytes);
    expectStorageFailure<mEWriteStorage>([&] { trata.Save(reading, 0); }, 81, 393);

    mTTrata loaded;
    expectStorageFailure<mEOpenStream>([&] { loaded.Load(reading, 0); }, 210, 394);
}

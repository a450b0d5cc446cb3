#include "model/CurrencyIncome.h"

#include "model/DayDate.h"
#include "model/DocumentStorage.h"
#include "model/Money.h"

namespace {

constexpr std::uint16_t SaveCode = 377;
constexpr std::uint16_t LoadCode = 378;

constexpr std::string_view StreamPrefix = "@CurrencyIncome";
constexpr std::uint32_t FourDigitNamesVersion = 0x10003; // 1.3

// Older files knew the controlled company's fixed profit under income code 3020.
constexpr std::int32_t OldFixedProfitCode = 3020;
constexpr std::int32_t FixedProfitCode = 3030;
constexpr std::int32_t FixedProfitRatePercent = 13;

// amount ÷ units × rate, in extended precision on the raw units of both Currency values,
// then rounded to kopecks; 0 when no units are given.
Currency roublesAtRate(Currency amount, std::int32_t units, Currency rate)
{
    const auto unitCount = static_cast<std::uint32_t>(units);
    if (unitCount == 0)
        return Currency();
    const long double roubles = static_cast<long double>(amount.units()) / unitCount
                                * static_cast<long double>(rate.units()) / 1e8L;
    return Currency::fromRoubles(RoundTo2(static_cast<double>(roubles)));
}

} // namespace

mTCurrencyIncome::mTCurrencyIncome()
    : IncomeDate(*encodeDate(2021, 1, 1)), TaxPaymentDate(IncomeDate)
{
}

void mTCurrencyIncome::SetIncomeAmount(Currency value)
{
    IncomeAmount = value;
    IncomeRoubles = roublesAtRate(value, IncomeDateUnits, IncomeDateRate);
}

void mTCurrencyIncome::SetTaxAmount(Currency value)
{
    TaxAmount = value;
    TaxRoubles = roublesAtRate(value, TaxDateUnits, TaxDateRate);
}

void mTCurrencyIncome::Save(mTDocumentStorage& storage, std::uint16_t index) const
{
    withOuterCode(SaveCode, [&] {
        storage.WriteStreamName(indexedStreamName(StreamPrefix, index, 4));
        storage.WriteInteger(RatePercent);
        storage.WriteInteger(IncomeCode);
        storage.WriteString(IncomeCodeName);
        storage.WriteString(SourceName);
        storage.WriteString(SourceCountry);
        storage.WriteString(CreditCountry);
        storage.WriteFloat(IncomeDate);
        storage.WriteFloat(TaxPaymentDate);
        storage.WriteByte(AutoRate);
        storage.WriteString(CurrencyCode);
        storage.WriteCurrency(IncomeDateRate);
        storage.WriteInteger(IncomeDateUnits);
        storage.WriteCurrency(TaxDateRate);
        storage.WriteInteger(TaxDateUnits);
        storage.WriteString(CurrencyName);
        storage.WriteCurrency(IncomeAmount);
        storage.WriteCurrency(IncomeRoubles);
        storage.WriteCurrency(TaxAmount);
        storage.WriteCurrency(TaxRoubles);
        storage.WriteInteger(DeductionCode);
        storage.WriteCurrency(DeductionSum);
        storage.WriteInteger(DeductionPercent);
        storage.WriteInteger(Reserved);
        storage.WriteWord(ProfitMethod);
        storage.WriteString(CompanyNumber);
        storage.WriteCurrency(Line150Sum);
    });
}

void mTCurrencyIncome::Load(mTDocumentStorage& storage, std::uint16_t index)
{
    withOuterCode(LoadCode, [&] {
        const int digits = storage.Version() < FourDigitNamesVersion ? 3 : 4;
        storage.OpenStream(indexedStreamName(StreamPrefix, index, digits));
        RatePercent = storage.ReadInteger();
        IncomeCode = storage.ReadInteger();
        IncomeCodeName = storage.ReadString();
        SourceName = storage.ReadString();
        SourceCountry = storage.ReadString();
        CreditCountry = storage.ReadString();
        IncomeDate = storage.ReadFloat();
        TaxPaymentDate = storage.ReadFloat();
        AutoRate = storage.ReadByte();
        CurrencyCode = storage.ReadString();
        IncomeDateRate = storage.ReadCurrency();
        IncomeDateUnits = storage.ReadInteger();
        TaxDateRate = storage.ReadCurrency();
        TaxDateUnits = storage.ReadInteger();
        CurrencyName = storage.ReadString();
        IncomeAmount = storage.ReadCurrency();
        IncomeRoubles = storage.ReadCurrency();
        TaxAmount = storage.ReadCurrency();
        TaxRoubles = storage.ReadCurrency();
        DeductionCode = storage.ReadInteger();
        DeductionSum = storage.ReadCurrency();
        DeductionPercent = storage.ReadInteger();
        Reserved = storage.ReadInteger();
        ProfitMethod = static_cast<std::uint8_t>(storage.ReadWord());
        CompanyNumber = storage.ReadString();
        Line150Sum = storage.ReadCurrency();

        if (IncomeCode == OldFixedProfitCode) {
            IncomeCode = FixedProfitCode;
            RatePercent = FixedProfitRatePercent;
        }
    });
}

std::uint32_t mTCurrencyIncome::StorageSize(std::uint16_t index) const
{
    return countedStorageSize([&](mTDocumentStorage& counter) { Save(counter, index); });
}

#include "model/SourseIncomeInfo.h"

#include <stdexcept>
#include <string>

#include "model/ListSections.h"

namespace {

constexpr std::uint16_t ThirteenPercentCode = 372;
constexpr std::uint16_t ThirtyFivePercentSaveCode = 373;
constexpr std::uint16_t ThirtyFivePercentLoadCode = 374;
constexpr std::uint16_t ThirtyPercentSaveCode = 375;
constexpr std::uint16_t ThirtyPercentLoadCode = 376;

// The month text of a month without a value; the Currency reader reads it back as -1.
constexpr std::string_view NoMonthValue = "a";
const Currency NoMonthValueRead = Currency::fromWholeRoubles(-1);

std::string_view thirteenPercentStream(bool nonResident)
{
    return nonResident ? "@ThirteenPerceNR" : "@ThirteenPercent";
}

std::string_view incomeLineStream(bool nonResident)
{
    return nonResident ? "@SourseIncoNR" : "@SourseIncome";
}

constexpr std::string_view SSCDeductStream = "@SSCDeducts";

std::string_view thirtyPercentStream(bool thirtyPercent)
{
    return thirtyPercent ? "@ThirtyPercent" : "@NinePercent";
}

} // namespace

void mTSourseIncome::WriteValues(mTDocumentStorage& storage) const
{
    storage.WriteInteger(IncomeCode);
    storage.WriteString(LineText1);
    storage.WriteCurrency(Amount);
    storage.WriteInteger(DeductionCode);
    storage.WriteCurrency(Deduction);
    storage.WriteInteger(LineInteger);
    storage.WriteWord(Month);
    storage.WriteByte(LineByte);
    storage.WriteString(LineText2);
    storage.WriteCurrency(LineSum1);
    storage.WriteCurrency(LineSum2);
}

void mTSourseIncome::ReadValues(mTDocumentStorage& storage)
{
    IncomeCode = storage.ReadInteger();
    LineText1 = storage.ReadString();
    Amount = storage.ReadCurrency();
    DeductionCode = storage.ReadInteger();
    Deduction = storage.ReadCurrency();
    LineInteger = storage.ReadInteger();
    Month = storage.ReadWord();
    LineByte = storage.ReadByte();
    LineText2 = storage.ReadString();
    LineSum1 = storage.ReadCurrency();
    LineSum2 = storage.ReadCurrency();
}

std::uint32_t mTSourseIncomeInfo::StorageSize(std::uint16_t index, bool flag) const
{
    return countedStorageSize([&](mTDocumentStorage& counter) { Save(counter, index, flag); });
}

void mTSourseIncomeInfo::savePayerTexts(mTDocumentStorage& storage) const
{
    storage.WriteString(PayerText1);
    storage.WriteString(PayerText2);
    storage.WriteString(PayerText3);
    storage.WriteString(PayerText4);
}

void mTSourseIncomeInfo::loadPayerTexts(mTDocumentStorage& storage)
{
    PayerText1 = storage.ReadString();
    PayerText2 = storage.ReadString();
    PayerText3 = storage.ReadString();
    PayerText4 = storage.ReadString();
}

Currency mTThirteenPercent::IncomeTotal() const
{
    Currency total;
    for (const auto& line : SourceIncomes)
        total += line->Amount;
    return total;
}

int mTThirteenPercent::checkedMonth(int month)
{
    if (month < 0 || month >= MonthCount)
        throw std::out_of_range("Номер месяца " + std::to_string(month) + " вне диапазона 0..11");
    return month;
}

void mTThirteenPercent::SetMonthDeduction(int month, Currency value)
{
    const std::uint16_t bit = std::uint16_t(1u << checkedMonth(month));
    if (value == NoMonthValueRead) {
        MonthSet &= std::uint16_t(~bit);
        MonthDeductions[std::size_t(month)] = Currency();
    } else {
        MonthSet |= bit;
        MonthDeductions[std::size_t(month)] = value;
    }
}

bool mTThirteenPercent::HasMonthDeduction(int month) const
{
    return (MonthSet >> checkedMonth(month)) & 1u;
}

void mTThirteenPercent::Save(mTDocumentStorage& storage, std::uint16_t index, bool flag) const
{
    withOuterCode(ThirteenPercentCode, [&] {
        storage.WriteStreamName(indexedStreamName(thirteenPercentStream(flag), index));
        storage.WriteByte(RecordFlag);
        savePayerTexts(storage);
        storage.WriteCurrency(OtherSum);
        storage.WriteCurrency(ExtraSum2);
        storage.WriteCurrency(ExtraSum1);
        storage.WriteCurrency(ExtraSum3);
        storage.WriteByte(ClosingFlag);
        for (int month = 0; month < MonthCount; ++month) {
            if (HasMonthDeduction(month))
                storage.WriteCurrency(MonthDeductions[std::size_t(month)]);
            else
                storage.WriteString(NoMonthValue);
        }

        saveCountedSections(storage, SourceIncomes, incomeLineStream(flag), index);
        saveCountedSections(storage, SSCDeducts, SSCDeductStream, index);
    });
}

void mTThirteenPercent::Load(mTDocumentStorage& storage, std::uint16_t index, bool flag)
{
    withOuterCode(ThirteenPercentCode, [&] {
        storage.OpenStream(indexedStreamName(thirteenPercentStream(flag), index));
        RecordFlag = storage.ReadByte();
        loadPayerTexts(storage);
        OtherSum = storage.ReadCurrency();
        ExtraSum2 = storage.ReadCurrency();
        ExtraSum1 = storage.ReadCurrency();
        ExtraSum3 = storage.ReadCurrency();
        ClosingFlag = storage.ReadByte();
        for (int month = 0; month < MonthCount; ++month)
            SetMonthDeduction(month, storage.ReadCurrency());

        loadCountedSections(storage, SourceIncomes, incomeLineStream(flag), index);
        // Sources name their employer deductions alike; the search starts where the reading
        // stands, so this record's own sections are found first.
        loadCountedSections(storage, SSCDeducts, SSCDeductStream, index);
    });
}

void mTThirtyFivePercent::Save(mTDocumentStorage& storage, std::uint16_t index, bool) const
{
    withOuterCode(ThirtyFivePercentSaveCode, [&] {
        storage.WriteStreamName(indexedStreamName("@ThirtyFivePercent", index));
        storage.WriteInteger(Code1);
        savePayerTexts(storage);
        storage.WriteCurrency(IncomeTotal);
        storage.WriteInteger(Code2);
        storage.WriteCurrency(Sum);
        storage.WriteCurrency(OtherSum);
    });
}

void mTThirtyFivePercent::Load(mTDocumentStorage& storage, std::uint16_t index, bool)
{
    withOuterCode(ThirtyFivePercentLoadCode, [&] {
        storage.OpenStream(indexedStreamName("@ThirtyFivePercent", index));
        Code1 = storage.ReadInteger();
        loadPayerTexts(storage);
        IncomeTotal = storage.ReadCurrency();
        Code2 = storage.ReadInteger();
        Sum = storage.ReadCurrency();
        OtherSum = storage.ReadCurrency();
    });
}

void mTThirtyPercent::Save(mTDocumentStorage& storage, std::uint16_t index, bool flag) const
{
    withOuterCode(ThirtyPercentSaveCode, [&] {
        storage.WriteStreamName(indexedStreamName(thirtyPercentStream(flag), index));
        storage.WriteInteger(Code1);
        savePayerTexts(storage);
        storage.WriteCurrency(IncomeTotal);
        storage.WriteCurrency(Sum1);
        storage.WriteCurrency(Sum2);
        storage.WriteCurrency(OtherSum);
    });
}

void mTThirtyPercent::Load(mTDocumentStorage& storage, std::uint16_t index, bool flag)
{
    withOuterCode(ThirtyPercentLoadCode, [&] {
        storage.OpenStream(indexedStreamName(thirtyPercentStream(flag), index));
        Code1 = storage.ReadInteger();
        loadPayerTexts(storage);
        IncomeTotal = storage.ReadCurrency();
        Sum1 = storage.ReadCurrency();
        Sum2 = storage.ReadCurrency();
        OtherSum = storage.ReadCurrency();
    });
}

#include "model/SourseIncomeInfo.h"

#include <memory>
#include <stdexcept>
#include <string>

namespace {

constexpr std::uint16_t ThirteenPercentCode = 372;
constexpr std::uint16_t ThirtyFivePercentSaveCode = 373;
constexpr std::uint16_t ThirtyFivePercentLoadCode = 374;
constexpr std::uint16_t ThirtyPercentSaveCode = 375;
constexpr std::uint16_t ThirtyPercentLoadCode = 376;

// The month text of a month without a value; the Currency reader reads it back as -1.
constexpr std::string_view NoMonthValue = "a";
const Currency NoMonthValueRead = Currency::fromWholeRoubles(-1);

// A list's count as the older layout stores it (an Integer). A negative count is a damaged
// file, not an empty list.
std::int32_t readCount(mTDocumentStorage& storage)
{
    const std::int32_t count = storage.ReadInteger();
    if (count < 0)
        throw mEBadStorage("Неправильный формат файла декларации, возможно он поврежден.",
                           ThirteenPercentCode);
    return count;
}

void saveLine(mTDocumentStorage& storage, const mTSourseIncome& line)
{
    storage.WriteInteger(line.IncomeCode);
    storage.WriteString(line.LineText1);
    storage.WriteCurrency(line.Amount);
    storage.WriteInteger(line.DeductionCode);
    storage.WriteCurrency(line.Deduction);
    storage.WriteInteger(line.LineInteger);
    storage.WriteWord(line.Month);
    storage.WriteByte(line.LineByte);
    storage.WriteString(line.LineText2);
    storage.WriteCurrency(line.LineSum1);
    storage.WriteCurrency(line.LineSum2);
}

std::unique_ptr<mTSourseIncome> loadLine(mTDocumentStorage& storage)
{
    auto line = std::make_unique<mTSourseIncome>();
    line->IncomeCode = storage.ReadInteger();
    line->LineText1 = storage.ReadString();
    line->Amount = storage.ReadCurrency();
    line->DeductionCode = storage.ReadInteger();
    line->Deduction = storage.ReadCurrency();
    line->LineInteger = storage.ReadInteger();
    line->Month = storage.ReadWord();
    line->LineByte = storage.ReadByte();
    line->LineText2 = storage.ReadString();
    line->LineSum1 = storage.ReadCurrency();
    line->LineSum2 = storage.ReadCurrency();
    return line;
}

std::string thirteenPercentStream(bool nonResident)
{
    return nonResident ? "@ThirteenPerceNR" : "@ThirteenPercent";
}

std::string incomeLineStream(bool nonResident)
{
    return nonResident ? "@SourseIncoNR" : "@SourseIncome";
}

const std::string SSCDeductStream = "@SSCDeducts";

std::string thirtyPercentStream(bool thirtyPercent)
{
    return thirtyPercent ? "@ThirtyPercent" : "@NinePercent";
}

} // namespace

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

        storage.WriteInteger(std::int32_t(SourceIncomes.count()));
        for (std::size_t i = 0; i < SourceIncomes.count(); ++i) {
            storage.WriteStreamName(indexedStreamName(incomeLineStream(flag), index, unsigned(i)));
            saveLine(storage, SourceIncomes[i]);
        }

        storage.WriteInteger(std::int32_t(SSCDeducts.count()));
        for (std::size_t j = 0; j < SSCDeducts.count(); ++j) {
            storage.WriteStreamName(indexedStreamName(SSCDeductStream, index, unsigned(j)));
            SSCDeducts[j].WriteValues(storage);
        }
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

        const std::int32_t lineCount = readCount(storage);
        for (std::int32_t i = 0; i < lineCount; ++i) {
            storage.OpenStream(indexedStreamName(incomeLineStream(flag), index, unsigned(i)));
            SourceIncomes.add(loadLine(storage));
        }

        const std::int32_t deductCount = readCount(storage);
        for (std::int32_t j = 0; j < deductCount; ++j) {
            // Sources name their employer deductions alike; the search starts where the
            // reading stands, so this record's own sections are found first.
            storage.OpenStream(indexedStreamName(SSCDeductStream, index, unsigned(j)));
            auto deduct = std::make_unique<mbTSSCDeduct>();
            deduct->ReadValues(storage);
            SSCDeducts.add(std::move(deduct));
        }
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

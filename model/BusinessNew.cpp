#include "model/BusinessNew.h"

#include "model/DocumentStorage.h"

namespace {

constexpr std::uint16_t SaveCode = 379;
constexpr std::uint16_t LoadCode = 380;

constexpr std::string_view IncomeStream = "@BusinessIncome";
constexpr std::string_view ExpenseStream = "@BusinessExpense";

} // namespace

void mTBusinessNew::Save(mTDocumentStorage& storage, std::uint16_t index) const
{
    withOuterCode(SaveCode, [&] {
        storage.WriteStreamName(indexedStreamName(IncomeStream, index));
        storage.WriteString(ActivityKind);
        storage.WriteString(ActivityCode);
        storage.WriteCurrency(IncomeSum);
        for (Currency quarter : QuarterIncome)
            storage.WriteCurrency(quarter);
        for (Currency quarter : QuarterExpense)
            storage.WriteCurrency(quarter);
        storage.WriteByte(ExpensesConfirmed);
        if (ExpensesConfirmed != 0) {
            storage.WriteStreamName(indexedStreamName(ExpenseStream, index));
            storage.WriteCurrency(ExpenseSum);
            storage.WriteCurrency(MaterialExpenses);
            storage.WriteCurrency(Depreciation);
            storage.WriteCurrency(LabourExpenses);
            storage.WriteCurrency(OtherExpenses);
        } else {
            storage.WriteCurrency(ExpenseSum);
        }
    });
}

void mTBusinessNew::Load(mTDocumentStorage& storage, std::uint16_t index)
{
    withOuterCode(LoadCode, [&] {
        storage.OpenStream(indexedStreamName(IncomeStream, index));
        ActivityKind = storage.ReadString();
        ActivityCode = storage.ReadString();
        IncomeSum = storage.ReadCurrency();
        for (Currency& quarter : QuarterIncome)
            quarter = storage.ReadCurrency();
        for (Currency& quarter : QuarterExpense)
            quarter = storage.ReadCurrency();
        ExpensesConfirmed = storage.ReadByte();
        if (ExpensesConfirmed != 0) {
            storage.OpenStream(indexedStreamName(ExpenseStream, index));
            ExpenseSum = storage.ReadCurrency();
            MaterialExpenses = storage.ReadCurrency();
            Depreciation = storage.ReadCurrency();
            LabourExpenses = storage.ReadCurrency();
            OtherExpenses = storage.ReadCurrency();
        } else {
            ExpenseSum = storage.ReadCurrency();
        }
    });
}

std::uint32_t mTBusinessNew::StorageSize(std::uint16_t index) const
{
    return countedStorageSize([&](mTDocumentStorage& counter) { Save(counter, index); });
}
